// Calendar arithmetic shared by Date and TimeZone: the proleptic Gregorian
// calendar with zero-based months and 1-based days, on plain field records.
// Intermediate values are 64 bits wide so that any int field values, and any
// difference of two zone offsets, normalise without overflow.
#pragma once

#include "korvane/Date.h"

namespace Korvane {
namespace internal {

// Broken-down wall-clock fields before or after normalisation.
struct CalendarFields {
    long long milliseconds;
    long long seconds;
    long long minute;
    long long hour;
    long long day;
    long long month;
    unsigned int year;
};

bool isLeapYear(unsigned int year);
// Length of `month` (0..11, not checked) in `year`.
unsigned int monthLength(unsigned int month, unsigned int year);
// Days of the year before the first of `month` (0..11, not checked).
unsigned int daysBeforeMonth(unsigned int month, unsigned int year);

// Carries out-of-range values into the next larger unit until every field is
// in range: milliseconds 0..999, seconds and minute 0..59, hour 0..23, month
// 0..11, day 1..monthLength. The year wraps modulo 2^32, as an unsigned
// field does.
void normalise(CalendarFields& fields);

// Seconds from 1970-01-01 00:00:00 of normalised fields read as UTC, as a
// signed 32-bit value; -1 for a year outside 1970..2037.
long unzonedEpochSeconds(unsigned int year, int month, int day, int hour, int minute,
                         int seconds);

// Weekday of a normalised date by the doomsday rule, 0 = Sunday.
int dayOfWeek(unsigned int year, int month, int day);
// 1-based day of the year of a normalised date.
int dayOfYear(unsigned int year, int month, int day);

// The UTC fields of `epochSeconds` seconds after 1970-01-01 00:00:00 in the
// proleptic Gregorian calendar, milliseconds 0. The year is reduced modulo
// 2^32 only at the end, so far-off instants keep the true calendar.
CalendarFields fieldsFromEpoch(long long epochSeconds);

}  // namespace internal

// Date's handle on the calendar fields: a field record that converts from
// the plain one.
struct Date::Fields : internal::CalendarFields {
    Fields(const internal::CalendarFields& fields) : internal::CalendarFields(fields) {}
};

}  // namespace Korvane
