// The calendar core of Date: construction, normalisation, fields, epoch
// seconds, comparisons and struct tm. Runs under the general TZ (standard
// offset 8100 s west, which no predefined zone has). Fields and weekdays of
// arbitrary instants and dates are held against glibc in GlibcPeerTest; the
// cases here are the edges and the members glibc has no counterpart for.
#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <vector>

#include "time/TimeTestSupport.h"

using namespace Korvane;
using korvane_test::expectQuillon;
using korvane_test::fieldsOf;
using korvane_test::str;
using korvane_test::zoneOf;

TEST(DateTest, EpochConstructorAtTheEdgesAndInZones) {
    struct Case {
        long instant;
        const TimeZone& zone;
        const char* expected;
    } cases[] = {
        {0L, TimeZone::UTC, "1970-01-01 00:00:00.000"},
        {-1L, TimeZone::UTC, "1969-12-31 23:59:59.000"},
        {2145916799L, TimeZone::UTC, "2037-12-31 23:59:59.000"},
        {INT_MIN + 0L, TimeZone::UTC, "1901-12-13 20:45:52.000"},
        {4102444800L, TimeZone::UTC, "2100-01-01 00:00:00.000"},  // wider than 32 bits
        {784894351L, TimeZone::EST, "1994-11-15 05:12:31.000"},
        {784894351L, TimeZone::IST, "1994-11-15 15:42:31.000"},
        {993988800L, TimeZone::GMT, "2001-07-01 13:00:00.000"},  // GMT applies its summer time
    };
    for (const Case& c : cases) {
        const Date d(c.instant, c.zone);
        EXPECT_EQ(fieldsOf(d), c.expected) << c.instant;
        EXPECT_EQ(zoneOf(d), str(c.zone.to3CharString(false))) << c.instant;
    }
}

TEST(DateTest, FieldConstructorNormalisesWithoutConverting) {
    struct Case {
        unsigned int year;
        int month, day, hour, minute, second, millis;
        const char* expected;
    } cases[] = {
        {2000, 1, 30, 0, 0, 0, 0, "2000-03-01 00:00:00.000"},
        {1900, 1, 30, 0, 0, 0, 0, "1900-03-02 00:00:00.000"},
        {2001, 0, 31, 23, 59, 59, 1000, "2001-02-01 00:00:00.000"},
        {2001, 0, 1, 0, 0, 0, -1, "2000-12-31 23:59:59.999"},
        {2001, -13, 1, 0, 0, 0, 0, "1999-12-01 00:00:00.000"},
        {2004, 2, 0, 0, 0, 0, 0, "2004-02-29 00:00:00.000"},
    };
    for (const Case& c : cases) {
        const Date d(c.year, c.month, c.day, c.hour, c.minute, c.second, c.millis, TimeZone::EST);
        EXPECT_EQ(fieldsOf(d), c.expected);
        EXPECT_EQ(zoneOf(d), "EST");
    }
}

TEST(DateTest, ExtremeFieldValuesNormaliseWithoutOverflow) {
    const Date big(2000, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, TimeZone::UTC);
    EXPECT_LT(big.getMonth(), 12u);
    EXPECT_GE(big.getDay(), 1u);
    EXPECT_LE(big.getDay(), Date::daysInMonth(big.getMonth(), big.getYear()));
    const Date small(2000, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, TimeZone::UTC);
    EXPECT_LT(small.getHour(), 24u);
    EXPECT_LE(small.getDay(), Date::daysInMonth(small.getMonth(), small.getYear()));
    // The year is unsigned and wraps rather than failing.
    const Date wrapped(0, -1, 1, 0, 0, 0, 0, TimeZone::UTC);
    EXPECT_EQ(wrapped.getYear(), 4294967295u);
    EXPECT_EQ(wrapped.getMonth(), 11u);
}

TEST(DateTest, SettersStoreThenNormalise) {
    Date d(2001, 0, 15, 10, 0, 0, 0, TimeZone::UTC);
    d.setMonth(-1);
    EXPECT_EQ(fieldsOf(d), "2000-12-15 10:00:00.000");
    d.setMonth(12);
    EXPECT_EQ(fieldsOf(d), "2001-01-15 10:00:00.000");
    Date march(2004, 2, 1, 0, 0, 0, 0, TimeZone::UTC);
    march.setDay(0);
    EXPECT_EQ(fieldsOf(march), "2004-02-29 00:00:00.000");
    march.setHour(-1);
    EXPECT_EQ(fieldsOf(march), "2004-02-28 23:00:00.000");
    march.setSeconds(3600);
    EXPECT_EQ(fieldsOf(march), "2004-02-29 00:00:00.000");
    march.setYear(2005);  // the 29th of February carries into March
    EXPECT_EQ(fieldsOf(march), "2005-03-01 00:00:00.000");
    march.setMinute(61);
    EXPECT_EQ(fieldsOf(march), "2005-03-01 01:01:00.000");
    march.setMilliseconds(2500);
    EXPECT_EQ(fieldsOf(march), "2005-03-01 01:01:02.500");
}

TEST(DateTest, DaysInMonthLeapYearsAndErrorFortyOne) {
    EXPECT_EQ(Date::daysInMonth(1, 2000), 29u);
    EXPECT_EQ(Date::daysInMonth(1, 2100), 28u);
    EXPECT_EQ(Date::daysInMonth(10, 2001), 30u);
    EXPECT_TRUE(Date::isLeapYear(2000));
    EXPECT_FALSE(Date::isLeapYear(1900));
    for (unsigned int month : {12u, 13u, 4294967295u})
        expectQuillon([&] { Date::daysInMonth(month, 2000); }, 41,
                      "Date::daysInMonth(unsigned int month, unsigned int year)",
                      "The month parameter should be less than 12 (month is a zero based index)");
    // The catalog ends at 33: the generic text stands in, the extra text carries the meaning.
    try {
        Date::daysInMonth(12, 2000);
    } catch (const QuillonException& e) {
        EXPECT_EQ(str(e.getErrorText(41, Exception::LIB_QUILLON)), "Unknown Error");
        EXPECT_NE(str(e.toString(0)).find("The month parameter should be less than 12"),
                  std::string::npos);
    }
}

TEST(DateTest, EpochSecondsOfTheFields) {
    struct Case {
        Date date;
        bool withOffset;
        long expected;
    } cases[] = {
        {Date(2037, 11, 31, 23, 59, 59, 0, TimeZone::UTC), false, 2145916799L},
        {Date(1970, 0, 1, 0, 0, 0, 999, TimeZone::UTC), false, 0L},
        {Date(1969, 11, 31, 23, 59, 59, 0, TimeZone::UTC), false, -1L},
        {Date(1969, 5, 1, 0, 0, 0, 0, TimeZone::UTC), true, -1L},
        {Date(2038, 0, 1, 0, 0, 0, 0, TimeZone::UTC), false, -1L},
        // EST lies 5 hours west, IST 5:30 east; summer time in GMT counts its hour.
        {Date(1994, 10, 15, 8, 12, 31, 0, TimeZone::EST), false, 784894351L - 2 * 3600},
        {Date(1994, 10, 15, 8, 12, 31, 0, TimeZone::EST), true, 784894351L + 3 * 3600},
        {Date(2001, 0, 1, 5, 30, 0, 0, TimeZone::IST), true, 978307200L},
        {Date(2001, 6, 1, 13, 0, 0, 0, TimeZone::GMT), true, 993988800L},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.date.getEpochSecs(c.withOffset), c.expected)
            << fieldsOf(c.date) << " " << zoneOf(c.date) << " " << c.withOffset;
}

TEST(DateTest, ComparisonsWorkAtWholeSecondsAcrossZones) {
    const Date a(2001, 0, 1, 12, 0, 0, 100, TimeZone::UTC);
    const Date b(2001, 0, 1, 12, 0, 0, 900, TimeZone::UTC);
    EXPECT_TRUE(a.equals(b) && a == b && a <= b && a >= b);
    EXPECT_FALSE(a.after(b) || b.after(a) || a.before(b) || a < b || a > b || a != b);
    const Date sameInEst(2001, 0, 1, 7, 0, 0, 0, TimeZone::EST);
    EXPECT_TRUE(a.equals(sameInEst) && sameInEst.equals(a));
    const Date later(2001, 0, 1, 7, 0, 1, 0, TimeZone::EST);
    EXPECT_TRUE(later.after(a) && a.before(later));
    EXPECT_TRUE(a < later && a <= later && later > a && later >= a && a != later);
    EXPECT_FALSE(later.before(a));
}

TEST(DateTest, CompareDateOnlyUsesThisDatesZone) {
    const Date utc(2001, 0, 1, 23, 30, 0, 0, TimeZone::UTC);
    const Date ect(2001, 0, 2, 0, 30, 0, 0, TimeZone::ECT);
    EXPECT_EQ(utc.compareDateOnly(ect), Date::SAME_DAY);
    EXPECT_EQ(ect.compareDateOnly(utc), Date::SAME_DAY);
    const Date nextDay(2001, 0, 2, 0, 30, 0, 0, TimeZone::UTC);
    EXPECT_EQ(utc.compareDateOnly(nextDay), Date::EARLIER);
    EXPECT_EQ(nextDay.compareDateOnly(utc), Date::LATER);
    EXPECT_EQ(Date(2002, 0, 1, 0, 0, 0, 0, TimeZone::UTC).compareDateOnly(nextDay), Date::LATER);
}

TEST(DateTest, CopiesAndAssignmentCarryFieldsAndZone) {
    const Date original(1994, 10, 15, 8, 12, 31, 250, TimeZone::EST);
    const Date copy(original);
    EXPECT_EQ(fieldsOf(copy), "1994-11-15 08:12:31.250");
    EXPECT_EQ(zoneOf(copy), "EST");
    Date assigned(0L, TimeZone::GMT);
    assigned = original;
    EXPECT_EQ(fieldsOf(assigned), "1994-11-15 08:12:31.250");
    EXPECT_EQ(assigned.getTimeZoneOffset(), 18000);
    const Date& same = assigned;
    assigned = same;  // self-assignment through an alias
    EXPECT_EQ(fieldsOf(assigned), "1994-11-15 08:12:31.250");
}

TEST(DateTest, ToStructTMFillsFieldsAndLetsMktimeComplete) {
    const Date d(1994, 10, 15, 8, 12, 31, 0, TimeZone::EST);
    tm t{};
    d.toStructTM(&t);
    EXPECT_EQ(std::vector<int>({t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec,
                                t.tm_wday, t.tm_yday}),
              std::vector<int>({94, 10, 15, 8, 12, 31, 2, 318}));
    // A summer GMT date hands tm_isdst 1 to mktime; the result is whatever
    // the C runtime makes of the same structure.
    tm ours{};
    Date(2001, 6, 1, 13, 0, 0, 0, TimeZone::GMT).toStructTM(&ours);
    tm expected{};
    expected.tm_year = 101;
    expected.tm_mon = 6;
    expected.tm_mday = 1;
    expected.tm_hour = 13;
    expected.tm_isdst = 1;
    std::mktime(&expected);
    EXPECT_EQ(std::vector<int>({ours.tm_hour, ours.tm_mday, ours.tm_yday, ours.tm_isdst}),
              std::vector<int>({expected.tm_hour, expected.tm_mday, expected.tm_yday,
                                expected.tm_isdst}));
    tm year1900{};
    Date(1900, 0, 1, 0, 0, 0, 0, TimeZone::UTC).toStructTM(&year1900);
    EXPECT_EQ(year1900.tm_year, 0);

    tm untouched{};
    untouched.tm_year = 77;
    expectQuillon([&] { Date(1899, 11, 31, 0, 0, 0, 0, TimeZone::UTC).toStructTM(&untouched); },
                  27, "Date::toStructTM(tm *)", "");
    EXPECT_EQ(untouched.tm_year, 77);
    expectQuillon([&] { d.toStructTM(nullptr); }, 4, "Date::toStructTM(tm *)", "");
}

TEST(DateTest, MakeFromStructTMReadsLocalFields) {
    tm t{};
    t.tm_year = 101;
    t.tm_mon = 1;
    t.tm_mday = 29;  // carried into March
    t.tm_hour = 25;
    t.tm_wday = 6;
    t.tm_isdst = 1;
    const Date d = Date::makeFromStructTM(&t);
    EXPECT_EQ(fieldsOf(d), "2001-03-02 01:00:00.000");
    // The general test zone has no predefined counterpart: the local zone is GMT.
    EXPECT_EQ(zoneOf(d), "GMT");
    Date target(0L, TimeZone::EST);
    EXPECT_EQ(&target.fromStructTM(&t), &target);
    EXPECT_EQ(fieldsOf(target), fieldsOf(d));
    expectQuillon([] { Date::makeFromStructTM(nullptr); }, 4,
                  "Date::makeFromStructTM(const tm* const t)", "");
}

TEST(DateTest, CurrentTimeFollowsTheClock) {
    const long before = static_cast<long>(std::time(nullptr));
    const Date now = Date::now(TimeZone::EST);
    const Date local;
    const long after = static_cast<long>(std::time(nullptr));
    EXPECT_EQ(zoneOf(now), "EST");
    EXPECT_EQ(zoneOf(local), "GMT");
    if (after <= 2145916799L) {
        for (const Date* d : {&now, &local}) {
            EXPECT_GE(d->getEpochSecs(true), before);
            EXPECT_LE(d->getEpochSecs(true), after);
        }
    }
    const Date inAYear = Date::nextYear(TimeZone::UTC);
    const Date utcNow(static_cast<long>(std::time(nullptr)), TimeZone::UTC);
    EXPECT_GE(inAYear.getYear(), utcNow.getYear());
    EXPECT_LE(inAYear.getYear(), utcNow.getYear() + 1);
    EXPECT_GE(Date(TimeZone::UTC).getYear(), 2020u);
}
