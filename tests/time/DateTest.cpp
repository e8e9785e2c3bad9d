// The calendar core of Date: construction, normalisation, fields, epoch
// seconds, weekdays, comparisons and struct tm. Runs under the general TZ
// (standard offset 8100 s west, which no predefined zone has).
#include <gtest/gtest.h>

#include <climits>
#include <ctime>

#include "time/TimeTestSupport.h"

using namespace Korvane;
using korvane_test::expectQuillon;
using korvane_test::fieldsOf;
using korvane_test::str;
using korvane_test::zoneOf;

TEST(DateTest, EpochSecondsAroundTheStart) {
    const Date start(0L, TimeZone::UTC);
    EXPECT_EQ(fieldsOf(start), "1970-01-01 00:00:00.000");
    EXPECT_EQ(start.getDayOfWeek(), Date::THURSDAY);
    EXPECT_EQ(fieldsOf(Date(-1L, TimeZone::UTC)), "1969-12-31 23:59:59.000");
    EXPECT_EQ(fieldsOf(Date(2145916799L, TimeZone::UTC)), "2037-12-31 23:59:59.000");
    EXPECT_EQ(fieldsOf(Date(INT_MIN + 0L, TimeZone::UTC)), "1901-12-13 20:45:52.000");
    // Wider than 32 bits is accepted.
    EXPECT_EQ(fieldsOf(Date(4102444800L, TimeZone::UTC)), "2100-01-01 00:00:00.000");
}

TEST(DateTest, EpochConstructorExpressesTheMomentInTheZone) {
    const Date est(784894351L, TimeZone::EST);  // 1994-11-15 10:12:31 UTC
    EXPECT_EQ(fieldsOf(est), "1994-11-15 05:12:31.000");
    EXPECT_EQ(zoneOf(est), "EST");
    EXPECT_EQ(fieldsOf(Date(784894351L, TimeZone::IST)), "1994-11-15 15:42:31.000");
    // GMT applies its summer time: 2001-07-01 12:00 UTC is 13:00 BST.
    EXPECT_EQ(fieldsOf(Date(993988800L, TimeZone::GMT)), "2001-07-01 13:00:00.000");
}

TEST(DateTest, FieldConstructorNormalises) {
    struct Case {
        unsigned int year;
        int month, day, hour, minute, second, millis;
        const char* expected;
    } cases[] = {
        {2000, 1, 30, 0, 0, 0, 0, "2000-03-01 00:00:00.000"},
        {1900, 1, 30, 0, 0, 0, 0, "1900-03-02 00:00:00.000"},
        {2001, 0, 31, 23, 59, 59, 1000, "2001-02-01 00:00:00.000"},
        {2001, 0, 1, 0, 0, 0, -1, "2000-12-31 23:59:59.999"},
        {2001, 0, 1, 0, 0, -3601, 0, "2000-12-31 22:59:59.000"},
        {2001, 12, 1, 0, 0, 0, 0, "2002-01-01 00:00:00.000"},
        {2001, -13, 1, 0, 0, 0, 0, "1999-12-01 00:00:00.000"},
        {2004, 2, 0, 0, 0, 0, 0, "2004-02-29 00:00:00.000"},
        {2004, 0, -365, 0, 0, 0, 0, "2002-12-31 00:00:00.000"},
        {2001, 0, 1, 48, 0, 0, 0, "2001-01-03 00:00:00.000"},
        {2001, 0, 1, 0, 0, 3600, 0, "2001-01-01 01:00:00.000"},
        {2000, 0, 1 + 146097, 0, 0, 0, 0, "2400-01-01 00:00:00.000"},
        {2000, 0, 1 - 146097, 0, 0, 0, 0, "1600-01-01 00:00:00.000"},
    };
    for (const Case& c : cases) {
        const Date d(c.year, c.month, c.day, c.hour, c.minute, c.second, c.millis, TimeZone::EST);
        EXPECT_EQ(fieldsOf(d), c.expected);
        EXPECT_EQ(zoneOf(d), "EST") << "no zone conversion takes place";
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
    march.setYear(2005);
    EXPECT_EQ(fieldsOf(march), "2005-03-01 00:00:00.000");
    march.setMinute(61);
    EXPECT_EQ(fieldsOf(march), "2005-03-01 01:01:00.000");
    march.setMilliseconds(2500);
    EXPECT_EQ(fieldsOf(march), "2005-03-01 01:01:02.500");
}

TEST(DateTest, DaysInMonthAndLeapYears) {
    EXPECT_EQ(Date::daysInMonth(1, 2000), 29u);
    EXPECT_EQ(Date::daysInMonth(1, 2100), 28u);
    EXPECT_EQ(Date::daysInMonth(1, 2004), 29u);
    EXPECT_EQ(Date::daysInMonth(1, 2001), 28u);
    EXPECT_EQ(Date::daysInMonth(0, 2001), 31u);
    EXPECT_EQ(Date::daysInMonth(10, 2001), 30u);
    EXPECT_TRUE(Date::isLeapYear(2000));
    EXPECT_TRUE(Date::isLeapYear(1996));
    EXPECT_FALSE(Date::isLeapYear(1900));
    EXPECT_FALSE(Date::isLeapYear(2001));
    for (unsigned int month : {12u, 13u, 4294967295u})
        expectQuillon([&] { Date::daysInMonth(month, 2000); }, 41,
                      "Date::daysInMonth(unsigned int month, unsigned int year)",
                      "The month parameter should be less than 12 (month is a zero based index)");
}

TEST(DateTest, ErrorFortyOneHasNoCatalogEntryOfItsOwn) {
    // The catalog of this library ends at 33; the generic text stands in and
    // the extra text carries the meaning.
    try {
        Date::daysInMonth(12, 2000);
        FAIL() << "no exception";
    } catch (const QuillonException& e) {
        EXPECT_EQ(str(e.getErrorText(41, Exception::LIB_QUILLON)), "Unknown Error");
        EXPECT_NE(str(e.toString(0)).find("The month parameter should be less than 12"),
                  std::string::npos);
    }
}

TEST(DateTest, WeekdaysOfKnownDates) {
    struct Case {
        unsigned int year;
        int month, day;
        Date::DAYOFWEEK expected;
    } cases[] = {
        {2000, 0, 1, Date::SATURDAY}, {1994, 10, 15, Date::TUESDAY}, {2001, 0, 1, Date::MONDAY},
        {2000, 1, 29, Date::TUESDAY}, {1900, 0, 1, Date::MONDAY},    {1600, 0, 1, Date::SATURDAY},
        {2100, 11, 31, Date::FRIDAY}, {1, 0, 1, Date::MONDAY},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Date(c.year, c.month, c.day, 12, 0, 0, 0, TimeZone::UTC).getDayOfWeek(),
                  c.expected)
            << c.year << "-" << c.month + 1 << "-" << c.day;
}

TEST(DateTest, EpochSecondsOfTheFields) {
    EXPECT_EQ(Date(2037, 11, 31, 23, 59, 59, 0, TimeZone::UTC).getEpochSecs(false), 2145916799L);
    EXPECT_EQ(Date(1970, 0, 1, 0, 0, 0, 999, TimeZone::UTC).getEpochSecs(false), 0L);
    EXPECT_EQ(Date(1969, 11, 31, 23, 59, 59, 0, TimeZone::UTC).getEpochSecs(false), -1L);
    EXPECT_EQ(Date(1969, 5, 1, 0, 0, 0, 0, TimeZone::UTC).getEpochSecs(true), -1L);
    EXPECT_EQ(Date(2038, 0, 1, 0, 0, 0, 0, TimeZone::UTC).getEpochSecs(false), -1L);
    // With the offset: EST lies 5 hours west, IST 5:30 east.
    const Date est(1994, 10, 15, 8, 12, 31, 0, TimeZone::EST);
    EXPECT_EQ(est.getEpochSecs(false), 784894351L - 2 * 3600);
    EXPECT_EQ(est.getEpochSecs(true), 784894351L + 3 * 3600);
    const Date ist(2001, 0, 1, 5, 30, 0, 0, TimeZone::IST);
    EXPECT_EQ(ist.getEpochSecs(true), 978307200L);
    // Summer time in GMT counts the daylight offset.
    const Date summer(2001, 6, 1, 13, 0, 0, 0, TimeZone::GMT);
    EXPECT_TRUE(summer.inDaylightSavingTime());
    EXPECT_EQ(summer.getEpochSecs(true), 993988800L);
}

TEST(DateTest, ComparisonsWorkAtWholeSecondsAcrossZones) {
    const Date a(2001, 0, 1, 12, 0, 0, 100, TimeZone::UTC);
    const Date b(2001, 0, 1, 12, 0, 0, 900, TimeZone::UTC);
    EXPECT_TRUE(a.equals(b));
    EXPECT_FALSE(a.after(b));
    EXPECT_FALSE(b.after(a));
    EXPECT_FALSE(a.before(b));
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a <= b && a >= b);
    EXPECT_FALSE(a < b || a > b || a != b);

    const Date sameInEst(2001, 0, 1, 7, 0, 0, 0, TimeZone::EST);
    EXPECT_TRUE(a.equals(sameInEst));
    EXPECT_TRUE(sameInEst.equals(a));
    const Date later(2001, 0, 1, 7, 0, 1, 0, TimeZone::EST);
    EXPECT_TRUE(later.after(a));
    EXPECT_TRUE(a.before(later));
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
    Date copy(original);
    EXPECT_EQ(fieldsOf(copy), fieldsOf(original));
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
    EXPECT_EQ(t.tm_year, 94);
    EXPECT_EQ(t.tm_mon, 10);
    EXPECT_EQ(t.tm_mday, 15);
    EXPECT_EQ(t.tm_hour, 8);
    EXPECT_EQ(t.tm_min, 12);
    EXPECT_EQ(t.tm_sec, 31);
    EXPECT_EQ(t.tm_wday, 2);
    EXPECT_EQ(t.tm_yday, 318);

    // A summer GMT date hands tm_isdst 1 to mktime; the result is whatever
    // the C runtime makes of the same structure.
    const Date summer(2001, 6, 1, 13, 0, 0, 0, TimeZone::GMT);
    tm ours{};
    summer.toStructTM(&ours);
    tm expected{};
    expected.tm_year = 101;
    expected.tm_mon = 6;
    expected.tm_mday = 1;
    expected.tm_hour = 13;
    expected.tm_isdst = 1;
    std::mktime(&expected);
    EXPECT_EQ(ours.tm_hour, expected.tm_hour);
    EXPECT_EQ(ours.tm_mday, expected.tm_mday);
    EXPECT_EQ(ours.tm_yday, expected.tm_yday);
    EXPECT_EQ(ours.tm_isdst, expected.tm_isdst);

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
    EXPECT_LT(now.getMilliseconds(), 1000u);
    if (after <= 2145916799L) {
        EXPECT_GE(now.getEpochSecs(true), before);
        EXPECT_LE(now.getEpochSecs(true), after);
        EXPECT_GE(local.getEpochSecs(true), before);
        EXPECT_LE(local.getEpochSecs(true), after);
    }
    const Date inAYear = Date::nextYear(TimeZone::UTC);
    const Date utcNow(static_cast<long>(std::time(nullptr)), TimeZone::UTC);
    EXPECT_GE(inAYear.getYear(), utcNow.getYear());
    EXPECT_LE(inAYear.getYear(), utcNow.getYear() + 1);
    Date a(0L, TimeZone::UTC);
    a = Date(TimeZone::UTC);
    EXPECT_GE(a.getYear(), 2020u);
}

TEST(DateTest, NextYearCarriesTheTwentyNinthOfFebruary) {
    Date leapDay(2004, 1, 29, 12, 0, 0, 0, TimeZone::UTC);
    leapDay.setYear(leapDay.getYear() + 1);
    EXPECT_EQ(fieldsOf(leapDay), "2005-03-01 12:00:00.000");
}
