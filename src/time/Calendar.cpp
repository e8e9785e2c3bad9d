#include "time/Calendar.h"

namespace Korvane {
namespace internal {

namespace {

const unsigned int kDaysPerMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
const unsigned int kDaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

// Days in 400 Gregorian years, and so in any 4800 consecutive months.
const long long kDaysPer400Years = 146097;

// Moves `value` into 0..unit-1, carrying whole units into `next`. Division
// truncates toward zero and a negative remainder borrows one unit.
void carry(long long& value, long long unit, long long& next) {
    if (value >= 0 && value < unit) return;
    next += value / unit;
    value %= unit;
    if (value < 0) {
        value += unit;
        next -= 1;
    }
}

unsigned int wrapYear(long long year) {
    return static_cast<unsigned int>(static_cast<unsigned long long>(year));
}

}  // namespace

bool isLeapYear(unsigned int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned int monthLength(unsigned int month, unsigned int year) {
    return month == 1 && isLeapYear(year) ? 29u : kDaysPerMonth[month];
}

unsigned int daysBeforeMonth(unsigned int month, unsigned int year) {
    return kDaysBeforeMonth[month] + (month > 1 && isLeapYear(year) ? 1u : 0u);
}

void normalise(CalendarFields& f) {
    // Fields already in range, the usual case, need no carrying at all.
    if (f.milliseconds >= 0 && f.milliseconds < 1000 && f.seconds >= 0 && f.seconds < 60 &&
        f.minute >= 0 && f.minute < 60 && f.hour >= 0 && f.hour < 24 && f.month >= 0 &&
        f.month < 12 && f.day >= 1 && f.day <= 28)
        return;
    carry(f.milliseconds, 1000, f.seconds);
    carry(f.seconds, 60, f.minute);
    carry(f.minute, 60, f.hour);
    carry(f.hour, 24, f.day);
    if (f.month < 0 || f.month >= 12) {
        long long years = 0;
        carry(f.month, 12, years);
        f.year += wrapYear(years);
    }
    unsigned int month = static_cast<unsigned int>(f.month);
    // Whole runs of 4800 months hold exactly 146097 days as long as the year
    // does not wrap inside the run, so they are taken in one step; the month
    // walk that remains is at most 400 years long.
    while (f.day > 0 && f.day > static_cast<long long>(monthLength(month, f.year))) {
        const long long spareCycles = (f.day - 32) / kDaysPer400Years;
        const unsigned long long roomToWrap = (0xFFFFFFFFull - f.year) / 400;
        const long long cycles =
            spareCycles < static_cast<long long>(roomToWrap) ? spareCycles
                                                             : static_cast<long long>(roomToWrap);
        if (cycles > 0) {
            f.day -= cycles * kDaysPer400Years;
            f.year += static_cast<unsigned int>(cycles * 400);
            continue;
        }
        f.day -= monthLength(month, f.year);
        if (++month == 12) {
            month = 0;
            ++f.year;
        }
    }
    while (f.day < 1) {
        const long long spareCycles = -f.day / kDaysPer400Years;
        const long long roomToWrap = f.year / 400;
        const long long cycles = spareCycles < roomToWrap ? spareCycles : roomToWrap;
        if (cycles > 0) {
            f.day += cycles * kDaysPer400Years;
            f.year -= static_cast<unsigned int>(cycles * 400);
            continue;
        }
        if (month == 0) {
            month = 11;
            --f.year;
        } else {
            --month;
        }
        f.day += monthLength(month, f.year);
    }
    f.month = month;
}

long unzonedEpochSeconds(unsigned int year, int month, int day, int hour, int minute,
                         int seconds) {
    if (year < 1970 || year > 2037) return -1;
    // Leap days before `year` counted in closed form: those of years 1..year-1
    // less those of years 1..1969 (477).
    const long long before = year - 1;
    const long long leapDays = before / 4 - before / 100 + before / 400 - 477;
    long long days = (day - 1) + daysBeforeMonth(static_cast<unsigned int>(month), year) +
                     365LL * (year - 1970) + leapDays;
    const long long total = days * 86400 + seconds + 60LL * minute + 3600LL * hour;
    return static_cast<int>(static_cast<unsigned int>(total));
}

int dayOfWeek(unsigned int year, int month, int day) {
    const int lastOfFebruary = isLeapYear(year) ? 60 : 59;
    int offset = day - lastOfFebruary;
    for (int m = 0; m < month; ++m) offset += static_cast<int>(monthLength(m, year));
    const int r = offset >= 0 ? offset % 7 : 7 - ((-offset) % 7);
    static const int kCenturyAnchor[4] = {2, 0, 5, 3};
    const int anchor = kCenturyAnchor[(year / 100) % 4];
    const int y = static_cast<int>(year % 100);
    return (r + anchor + y / 12 + y % 12 + (y % 12) / 4) % 7;
}

int dayOfYear(unsigned int year, int month, int day) {
    return static_cast<int>(daysBeforeMonth(static_cast<unsigned int>(month), year)) + day;
}

CalendarFields fieldsFromEpoch(long long epochSeconds) {
    CalendarFields f{};
    long long days = epochSeconds / 86400;
    long long secondOfDay = epochSeconds % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        --days;
    }
    f.hour = secondOfDay / 3600;
    f.minute = (secondOfDay % 3600) / 60;
    f.seconds = secondOfDay % 60;

    // Whole 400-year cycles first (each starts on 1 January of a year
    // congruent to 1970 modulo 400), then single years.
    long long year = 1970 + (days / kDaysPer400Years) * 400;
    days %= kDaysPer400Years;
    auto yearLength = [](long long y) {
        const long long r = ((y % 400) + 400) % 400;
        const bool leap = (r % 4 == 0 && r % 100 != 0) || r == 0;
        return leap ? 366 : 365;
    };
    while (days < 0) {
        --year;
        days += yearLength(year);
    }
    while (days >= yearLength(year)) {
        days -= yearLength(year);
        ++year;
    }
    f.year = wrapYear(year);
    const bool leap = yearLength(year) == 366;
    unsigned int month = 0;
    for (;;) {
        const long long length = month == 1 && leap ? 29 : kDaysPerMonth[month];
        if (days < length) break;
        days -= length;
        ++month;
    }
    f.month = month;
    f.day = days + 1;
    return f;
}

}  // namespace internal
}  // namespace Korvane
