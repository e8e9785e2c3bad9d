#include "korvane/Date.h"

#include <ctime>

#include "korvane/QuillonException.h"
#include "time/MonotonicClock.h"
#include "time/Calendar.h"

namespace Korvane {

// ---- Construction -----------------------------------------------------------------

Date::Date(const TimeZone& zone)
    : milliseconds(0), seconds(0), minute(0), hour(0), day(1), month(0), year(1970),
      timeZone(TimeZone::UTC) {
    internal::CalendarFields f = internal::fieldsFromEpoch(static_cast<long long>(std::time(nullptr)));
    // The tick count is not aligned with the seconds of time(); it only
    // spreads dates taken within one second.
    f.milliseconds = internal::monotonicMillis() % 1000;
    assign(f);
    setTimeZone(zone);
}

Date::Date(long epochSeconds, const TimeZone& zone)
    : milliseconds(0), seconds(0), minute(0), hour(0), day(1), month(0), year(1970),
      timeZone(TimeZone::UTC) {
    assign(internal::fieldsFromEpoch(epochSeconds));
    setTimeZone(zone);
}

Date::Date(unsigned int year, int month, int day, int hour, int minute, int second,
           int milliseconds, const TimeZone& zone)
    : milliseconds(milliseconds), seconds(second), minute(minute), hour(hour), day(day),
      month(month), year(year), timeZone(zone) {
    normalise();
}

Date::Date(const Date& other) = default;

Date& Date::operator=(const Date& other) = default;

Date::~Date() {}

Date Date::now(const TimeZone& zone) { return Date(zone); }

Date Date::nextYear(const TimeZone& zone) {
    Date date(zone);
    date.setYear(date.getYear() + 1);
    return date;
}

Date Date::makeFromStructTM(const tm* const t) {
    if (t == nullptr)
        throw QuillonException(QuillonError::ParameterIsNull, "Date::makeFromStructTM(const tm* const t)", String());
    return Date(static_cast<unsigned int>(t->tm_year) + 1900u, t->tm_mon, t->tm_mday, t->tm_hour,
                t->tm_min, t->tm_sec, 0, TimeZone::getLocalTimeZone());
}

const Date& Date::fromStructTM(const tm* const t) {
    *this = makeFromStructTM(t);
    return *this;
}

// ---- Fields -----------------------------------------------------------------------

unsigned int Date::getMilliseconds() const { return static_cast<unsigned int>(milliseconds); }
unsigned int Date::getSeconds() const { return static_cast<unsigned int>(seconds); }
unsigned int Date::getMinute() const { return static_cast<unsigned int>(minute); }
unsigned int Date::getHour() const { return static_cast<unsigned int>(hour); }
unsigned int Date::getDay() const { return static_cast<unsigned int>(day); }
unsigned int Date::getMonth() const { return static_cast<unsigned int>(month); }
unsigned int Date::getYear() const { return year; }

void Date::setMilliseconds(int value) {
    milliseconds = value;
    normalise();
}

void Date::setSeconds(int value) {
    seconds = value;
    normalise();
}

void Date::setMinute(int value) {
    minute = value;
    normalise();
}

void Date::setHour(int value) {
    hour = value;
    normalise();
}

void Date::setDay(int value) {
    day = value;
    normalise();
}

void Date::setMonth(int value) {
    month = value;
    normalise();
}

void Date::setYear(unsigned int value) {
    year = value;
    normalise();
}

Date::Fields Date::fields() const {
    return internal::CalendarFields{milliseconds, seconds, minute, hour, day, month, year};
}

void Date::assign(Fields f) {
    internal::normalise(f);
    milliseconds = static_cast<int>(f.milliseconds);
    seconds = static_cast<int>(f.seconds);
    minute = static_cast<int>(f.minute);
    hour = static_cast<int>(f.hour);
    day = static_cast<int>(f.day);
    month = static_cast<int>(f.month);
    year = f.year;
}

void Date::normalise() { assign(fields()); }

// ---- Zone -------------------------------------------------------------------------

const TimeZone& Date::getTimeZone() const { return timeZone; }

int Date::getTimeZoneOffset() const { return timeZone.getTimeZoneOffset(); }

int Date::getTimeZoneOffsetWithDST() const { return timeZone.getTimeZoneOffsetWithDST(); }

bool Date::inDaylightSavingTime() const { return timeZone.inDaylightSavingTime(*this); }

int Date::effectiveOffset() const {
    return inDaylightSavingTime() ? timeZone.getTimeZoneOffsetWithDST()
                                  : timeZone.getTimeZoneOffset();
}

// Two steps: first the fields in the new zone's standard time, which decide
// whether the new zone is in daylight saving; then the full shift between
// the two zones' effective offsets, each with its own daylight state.
Date::Fields Date::convertFields(Fields f, const TimeZone& from, const TimeZone& to) {
    internal::normalise(f);
    const auto inDaylight = [](const TimeZone& zone, const internal::CalendarFields& at) {
        return zone.inDaylightSavingTimeAt(at.year, static_cast<int>(at.month),
                                           static_cast<int>(at.day), static_cast<int>(at.hour),
                                           static_cast<int>(at.minute),
                                           static_cast<int>(at.seconds));
    };
    internal::CalendarFields standardTime = f;
    standardTime.seconds +=
        static_cast<long long>(from.getTimeZoneOffset()) - to.getTimeZoneOffset();
    internal::normalise(standardTime);
    const int newOffset =
        inDaylight(to, standardTime) ? to.getTimeZoneOffsetWithDST() : to.getTimeZoneOffset();
    const int oldOffset =
        inDaylight(from, f) ? from.getTimeZoneOffsetWithDST() : from.getTimeZoneOffset();
    f.seconds += static_cast<long long>(oldOffset) - newOffset;
    internal::normalise(f);
    return f;
}

Date Date::convertedDate(unsigned int year, int month, int day, int hour, int minute, int second,
                         int milliseconds, const TimeZone& zone, const TimeZone& target) {
    const internal::CalendarFields f =
        convertFields(internal::CalendarFields{milliseconds, second, minute, hour, day, month, year},
                      zone, target);
    return Date(f.year, static_cast<int>(f.month), static_cast<int>(f.day),
                static_cast<int>(f.hour), static_cast<int>(f.minute), static_cast<int>(f.seconds),
                static_cast<int>(f.milliseconds), target);
}

void Date::setTimeZone(const TimeZone& zone) {
    const internal::CalendarFields converted = convertFields(fields(), timeZone, zone);
    timeZone = zone;
    assign(converted);
}

// ---- Calendar ---------------------------------------------------------------------

bool Date::isLeapYear(unsigned int year) { return internal::isLeapYear(year); }

unsigned int Date::daysInMonth(unsigned int month, unsigned int year) {
    if (month >= 12)
        throw QuillonException(QuillonError::MonthOutOfRange, "Date::daysInMonth(unsigned int month, unsigned int year)",
                               String("The month parameter should be less than 12 (month is a "
                                      "zero based index)"));
    return internal::monthLength(month, year);
}

Date::DAYOFWEEK Date::getDayOfWeek() const {
    return static_cast<DAYOFWEEK>(internal::dayOfWeek(year, month, day));
}

long Date::getEpochSecs(bool includeZoneOffset) const {
    if (year < 1970 || year > 2037) return -1;
    long long total = internal::unzonedEpochSeconds(year, month, day, hour, minute, seconds);
    if (includeZoneOffset) total += effectiveOffset();
    return static_cast<int>(static_cast<unsigned int>(total));
}

// ---- Comparison -------------------------------------------------------------------

int Date::compareWith(const Fields& other, bool withTime) const {
    if (year != other.year) return year < other.year ? -1 : 1;
    const long long mine[] = {month, day, hour, minute, seconds};
    const long long theirs[] = {other.month, other.day, other.hour, other.minute, other.seconds};
    const int count = withTime ? 5 : 2;
    for (int i = 0; i < count; ++i)
        if (mine[i] != theirs[i]) return mine[i] < theirs[i] ? -1 : 1;
    return 0;
}

bool Date::after(const Date& other) const {
    return compareWith(convertFields(other.fields(), other.timeZone, timeZone), true) > 0;
}

bool Date::equals(const Date& other) const {
    return compareWith(convertFields(other.fields(), other.timeZone, timeZone), true) == 0;
}

bool Date::before(const Date& other) const { return !after(other) && !equals(other); }

Date::COMPARISON Date::compareDateOnly(const Date& other) const {
    return static_cast<COMPARISON>(compareWith(convertFields(other.fields(), other.timeZone, timeZone), false));
}

bool Date::operator==(const Date& other) const { return equals(other); }
bool Date::operator!=(const Date& other) const { return !equals(other); }
bool Date::operator<(const Date& other) const { return before(other); }
bool Date::operator<=(const Date& other) const { return !after(other); }
bool Date::operator>(const Date& other) const { return !(*this <= other); }
bool Date::operator>=(const Date& other) const { return !(*this < other); }

// ---- struct tm --------------------------------------------------------------------

void Date::toStructTM(tm* t) const {
    if (t == nullptr) throw QuillonException(QuillonError::ParameterIsNull, "Date::toStructTM(tm *)", String());
    if (year < 1900) throw QuillonException(QuillonError::DateBefore1900, "Date::toStructTM(tm *)", String());
    t->tm_year = static_cast<int>(year - 1900);
    t->tm_mon = month;
    t->tm_mday = day;
    t->tm_hour = hour;
    t->tm_min = minute;
    t->tm_sec = seconds;
    t->tm_isdst = inDaylightSavingTime() ? 1 : 0;
    // Only the completion of tm_wday and tm_yday is wanted; the instant
    // mktime returns is not.
    (void)std::mktime(t);
}

}  // namespace Korvane
