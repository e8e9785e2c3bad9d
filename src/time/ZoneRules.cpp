#include "time/ZoneRules.h"

#include <climits>

#include "korvane/Date.h"
#include "time/Calendar.h"

namespace Korvane {
namespace internal {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

const int kDefaultChangeTime = 7200;

}  // namespace

unsigned int DefinitionReader::readName(const char*& start) {
    start = rest;
    while (*rest != '\0' && !isDigit(*rest) && *rest != ',' && *rest != '-' && *rest != '+')
        ++rest;
    return static_cast<unsigned int>(rest - start);
}

int DefinitionReader::readNumber() {
    long long value = 0;
    while (isDigit(*rest)) {
        value = value * 10 + (*rest - '0');
        if (value > INT_MAX) value = INT_MAX;
        ++rest;
    }
    return static_cast<int>(value);
}

long long DefinitionReader::readClock() {
    long long seconds = 3600LL * readNumber();
    if (*rest == ':') {
        ++rest;
        seconds += 60LL * readNumber();
        if (*rest == ':') {
            ++rest;
            seconds += readNumber();
        }
    }
    return seconds;
}

long long DefinitionReader::readOffset() {
    bool negative = false;
    if (*rest == '+' || *rest == '-') {
        negative = *rest == '-';
        ++rest;
    }
    const long long seconds = readClock();
    return negative ? -seconds : seconds;
}

TransitionRule DefinitionReader::readRule() {
    TransitionRule rule{RULE_INVALID, 0, 0, 0, kDefaultChangeTime};
    if (*rest == 'J') {
        ++rest;
        rule.kind = RULE_JULIAN;
        rule.day = readNumber();
    } else if (isDigit(*rest)) {
        rule.kind = RULE_ZERO_BASED_DAY;
        rule.day = readNumber();
    } else if (*rest == 'M') {
        ++rest;
        rule.month = readNumber();
        if (*rest != '.') return rule;
        ++rest;
        rule.week = readNumber();
        if (*rest != '.') return rule;
        ++rest;
        rule.day = readNumber();
        rule.kind = RULE_MONTH_WEEK_DAY;
    } else {
        return rule;
    }
    if (*rest == '/') {
        ++rest;
        const long long clock = readClock();
        rule.time = clock > INT_MAX ? INT_MAX : static_cast<int>(clock);
    }
    return rule;
}

long long transitionTime(long long janFirst, unsigned int year, const TransitionRule& rule,
                         long long eastOffset) {
    long long instant = 0;
    switch (rule.kind) {
    case RULE_JULIAN:
        instant = janFirst + (rule.day - 1LL) * 86400;
        if (isLeapYear(year) && rule.day >= 60) instant += 86400;
        break;
    case RULE_ZERO_BASED_DAY:
        instant = janFirst + rule.day * 86400LL;
        break;
    case RULE_MONTH_WEEK_DAY: {
        instant = janFirst;
        for (int m = 0; m < rule.month - 1; ++m)
            instant += 86400LL * Date::daysInMonth(static_cast<unsigned int>(m), year);
        // The month's length is asked for only by the week walk below, so a
        // month outside 1..12 throws error 41 exactly when a month it needs is
        // asked for: M0.1.0 or M13.1.0 never ask, M0.2.0 and M14.1.0 do.
        // Zeller's congruence: the weekday of the first of the month.
        const long long m1 = (rule.month + 9) % 12 + 1;
        const long long yy = rule.month <= 2 ? year - 1LL : year;
        const long long century = yy / 100;
        const long long yearOfCentury = yy % 100;
        long long firstWeekday = ((26 * m1 - 2) / 10 + 1 + yearOfCentury + yearOfCentury / 4 +
                                  century / 4 - 2 * century) % 7;
        if (firstWeekday < 0) firstWeekday += 7;
        long long dayOfMonth = rule.day - firstWeekday;
        if (dayOfMonth < 0) dayOfMonth += 7;
        for (int w = 1; w < rule.week; ++w) {
            if (dayOfMonth + 7 >= Date::daysInMonth(static_cast<unsigned int>(rule.month - 1), year)) break;
            dayOfMonth += 7;
        }
        instant += dayOfMonth * 86400;
        break;
    }
    default:
        break;
    }
    return instant + rule.time + eastOffset;
}

}  // namespace internal
}  // namespace Korvane
