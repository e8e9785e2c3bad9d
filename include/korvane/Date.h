/// Date: a broken-down wall-clock time (year, month, day, hour, minute,
/// second, millisecond) together with the TimeZone it is read in.
///
/// Invariants after every public operation: months are zero-based (0 =
/// January), days 1-based, the year is the full proleptic Gregorian year, and
/// every field is in range (out-of-range values set through the constructor or
/// a setter carry into the next larger unit). The fields are local wall-clock
/// time of the zone, daylight-saving shift included. Each Date carries its own
/// copy of its zone. Comparisons work at whole seconds.
/// @class Korvane::Date
/// @headerfile Date.h "korvane/Date.h"
/// @ingroup time
#pragma once

#include <ctime>

#include "korvane/Export.h"
#include "korvane/String.h"
#include "korvane/TimeZone.h"

namespace Korvane {

class KORVANE_API Date {
public:
    /// Day of the week, as getDayOfWeek() gives it.
    enum DAYOFWEEK {
        SUNDAY = 0,
        MONDAY = 1,
        TUESDAY = 2,
        WEDNESDAY = 3,
        THURSDAY = 4,
        FRIDAY = 5,
        SATURDAY = 6
    };
    /// Result of compareDateOnly().
    enum COMPARISON { EARLIER = -1, SAME_DAY = 0, LATER = 1 };

    // ---- Construction --------------------------------------------------
    /// The current time in `zone`. The milliseconds are the millisecond tick
    /// count modulo 1000: a fraction that is not aligned with the seconds.
    explicit Date(const TimeZone& zone = TimeZone::getLocalTimeZone());
    /// The moment `epochSeconds` after 1970-01-01 00:00:00 UTC (negative
    /// values before it) expressed in `zone`; milliseconds 0.
    Date(long epochSeconds, const TimeZone& zone);
    /// The fields read as wall-clock time of `zone` (no conversion), then
    /// normalised: Date(2000, 1, 30, ...) is 1 March 2000.
    Date(unsigned int year, int month, int day, int hour, int minute, int second,
         int milliseconds, const TimeZone& zone);
    ///@{
    /// Copies and assignment copy the fields, the milliseconds and the zone.
    Date(const Date& other);
    Date& operator=(const Date& other);
    ///@}
    ///@{
    /// A moved Date is copied field by field (its zone shares the zone's
    /// tables), so the date moved from keeps its value.
    Date(Date&& other) noexcept = default;
    Date& operator=(Date&& other) noexcept = default;
    ///@}
    ~Date();

    /// The current time in `zone`, like Date(zone).
    static Date now(const TimeZone& zone);
    /// The current time in `zone` one year on (29 February becomes 1 March).
    static Date nextYear(const TimeZone& zone);
    /// The fields of `*t` (tm_year + 1900, tm_mon, tm_mday, tm_hour, tm_min,
    /// tm_sec) in the local zone; tm_isdst, tm_wday and tm_yday are ignored.
    /// A null `t` throws QuillonException 4 ("Parameter is NULL").
    static Date makeFromStructTM(const tm* const t);
    /// makeFromStructTM(t) assigned to this date; returns *this.
    const Date& fromStructTM(const tm* const t);

    // ---- Fields --------------------------------------------------------
    ///@{
    /// The stored fields, as wall-clock time of the date's zone: milliseconds
    /// 0-999, seconds, minute, hour, day of the month (from 1), zero-based
    /// month, full year.
    unsigned int getMilliseconds() const;
    unsigned int getSeconds() const;
    unsigned int getMinute() const;
    unsigned int getHour() const;
    unsigned int getDay() const;
    unsigned int getMonth() const;
    unsigned int getYear() const;
    ///@}
    ///@{
    /// Each setter stores the value and normalises: setMonth(12) is January
    /// of the next year, setDay(0) the last day of the previous month,
    /// setHour(-1) 23 o'clock of the day before.
    void setMilliseconds(int milliseconds);
    void setSeconds(int seconds);
    void setMinute(int minute);
    void setHour(int hour);
    void setDay(int day);
    void setMonth(int month);
    void setYear(unsigned int year);
    ///@}

    // ---- Zone ----------------------------------------------------------
    /// The zone the fields are expressed in.
    const TimeZone& getTimeZone() const;
    /// The zone's standard offset, seconds west of UTC.
    int getTimeZoneOffset() const;
    /// The zone's offset at this date, daylight saving included, seconds west
    /// of UTC.
    int getTimeZoneOffsetWithDST() const;
    /// Whether the zone keeps daylight saving time at this date.
    bool inDaylightSavingTime() const;
    /// Moves the fields to the wall-clock time of `zone`, daylight saving of
    /// both zones included, and stores `zone`.
    void setTimeZone(const TimeZone& zone);

    // ---- Calendar ------------------------------------------------------
    /// Gregorian rule: divisible by 4, and by 400 when divisible by 100.
    static bool isLeapYear(unsigned int year);
    /// Days of the zero-based `month` in `year`. A month of 12 or more throws
    /// QuillonException 41 (catalog: "Unknown Error"; the extra text says the
    /// month must be below 12).
    static unsigned int daysInMonth(unsigned int month, unsigned int year);
    /// The day of the week of the fields.
    DAYOFWEEK getDayOfWeek() const;
    /// Seconds since 1970-01-01 00:00:00 of the fields, milliseconds left
    /// out: read as UTC when `includeZoneOffset` is false, converted to true
    /// UTC with the zone's offset (daylight saving included) when true. A
    /// signed 32-bit value; -1 for a year outside 1970..2037.
    long getEpochSecs(bool includeZoneOffset) const;

    // ---- Comparison (whole seconds; `other` is first converted to this
    // date's zone) --------------------------------------------------------
    ///@{
    /// Later than, the same second as, earlier than `other`.
    bool after(const Date& other) const;
    bool equals(const Date& other) const;
    bool before(const Date& other) const;
    ///@}
    /// Compares the calendar days only.
    COMPARISON compareDateOnly(const Date& other) const;
    ///@{
    /// The operators compare as equals(), before() and after() do.
    bool operator==(const Date& other) const;
    bool operator!=(const Date& other) const;
    bool operator<(const Date& other) const;
    bool operator<=(const Date& other) const;
    bool operator>(const Date& other) const;
    bool operator>=(const Date& other) const;
    ///@}

    // ---- The C runtime's struct tm -------------------------------------
    /// Fills the fields and tm_isdst, then lets mktime complete tm_wday and
    /// tm_yday (and normalise by the machine's local rules). A year before
    /// 1900 throws QuillonException 27 and leaves `t` alone; a null `t`
    /// throws QuillonException 4.
    void toStructTM(tm* t) const;

    // ---- Text ----------------------------------------------------------
    /// The date under a pattern of strftime-like directives, with English
    /// names, day-first numeric dates and the zone's own names; unknown
    /// directives produce nothing. Never fails.
    String getFormat(const String& format) const;
    /// toRFC822Format().
    String toString() const;
    /// "Tue, 15 Nov 1994 08:12:31 EST", in the date's own zone.
    String toRFC822Format() const;
    ///@{
    /// Reads an RFC 822 date ("[Tue,] 15 Nov 1994 08:12[:31] EST|+0100") into
    /// the zone it names. No month name: QuillonException 22; too few
    /// tokens: QuillonException 21 from StringTokenizer::nextToken.
    static Date makeRFC822Format(const String& date);
    const Date& fromRFC822Format(const String& date);
    ///@}
    /// "YYMMDDhhmmssZ" of the moment in UTC; the year is taken modulo 100.
    String toUTCTime() const;
    ///@{
    /// Reads "YYMMDDhhmm[ss](Z|+hhmm|-hhmm)" (years 50..99 are 19xx) and
    /// returns the moment in TimeZone::GMT. Fewer than 11 characters or a
    /// wrong zone designator: QuillonException 29; a text that ends inside
    /// the seconds digits: IndexOutOfRange.
    static Date makeUTCTime(const String& date);
    const Date& fromUTCTime(const String& date);
    ///@}
    /// "YYYYMMDDhhmmss[.f]Z" of the moment in UTC; the fraction is the
    /// milliseconds without leading zeros (5 ms is ".5"), absent for 0 ms.
    String toGeneralizedTime() const;
    ///@{
    /// Reads "YYYYMMDDhhmm[ss][.fff](Z|+hhmm|-hhmm)" and returns the moment in
    /// TimeZone::GMT. The fraction's first three digits are whole
    /// milliseconds (".5" is 5 ms). Fewer than 13 characters or a wrong zone
    /// designator: QuillonException 28; a text that ends inside a run of
    /// digits: IndexOutOfRange.
    static Date makeGeneralizedTime(const String& date);
    const Date& fromGeneralizedTime(const String& date);
    ///@}

private:
    /// Calendar fields as the library computes with them (wider than the
    /// members, so sums cannot overflow); defined inside the library.
    struct Fields;
    Fields fields() const;
    /// Stores `f` after normalising it.
    void assign(Fields f);
    void normalise();
    /// The offset (seconds west) this date's zone applies to its fields.
    int effectiveOffset() const;
    /// Normalised `f`, read in `from`, moved to the wall-clock time of `to`.
    static Fields convertFields(Fields f, const TimeZone& from, const TimeZone& to);
    /// Date(fields..., zone) converted to `target`, without copying `zone`.
    static Date convertedDate(unsigned int year, int month, int day, int hour, int minute,
                              int second, int milliseconds, const TimeZone& zone,
                              const TimeZone& target);
    /// -1, 0 or 1 comparing this date with `other` (already in this zone) by
    /// year, month, day and, when `withTime`, hour, minute and second.
    int compareWith(const Fields& other, bool withTime) const;

    int milliseconds;
    int seconds;
    int minute;
    int hour;
    int day;
    int month;
    unsigned int year;
    TimeZone timeZone;
};

}  // namespace Korvane
