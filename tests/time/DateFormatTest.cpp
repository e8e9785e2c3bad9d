// Date::getFormat: every directive, the quirks of the pattern reader, and
// the number rendering compared with printf itself.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <random>

#include "time/TimeTestSupport.h"

using namespace Korvane;
using korvane_test::str;

namespace {

std::string format(const Date& d, const char* pattern) { return str(d.getFormat(String(pattern))); }

}  // namespace

TEST(DateFormatTest, EveryDirectiveOnAKnownDate) {
    const Date d(1994, 10, 15, 8, 12, 31, 0, TimeZone::EST);
    struct Case {
        const char* pattern;
        const char* expected;
    } cases[] = {
        {"%a, %d %b %Y %H:%M:%S %z", "Tue, 15 Nov 1994 08:12:31 EST"},
        {"%A %B", "Tuesday November"},
        {"%c", "15/11/94 08:12:31"},
        {"%x", "15/11/94"},
        {"%X", "08:12:31"},
        {"%j", "319"},
        {"%U", "46"},
        {"%W", "46"},
        {"%w", "2"},
        {"%Z", "Eastern Standard Time"},
        {"%m/%y", "11/94"},
        {"%I %p", "08 AM"},
        {"%%", "%"},
        {"100%%", "100%"},
        {"50%", "50"},
        {"%q", ""},
        {"%5d", "d"},
        {"", ""},
        {"plain text", "plain text"},
    };
    for (const Case& c : cases) EXPECT_EQ(format(d, c.pattern), c.expected) << c.pattern;
}

TEST(DateFormatTest, TwelveHourClock) {
    struct Case {
        int hour;
        const char* expected;
    } cases[] = {{0, "12 AM"}, {1, "01 AM"}, {11, "11 AM"}, {12, "12 PM"}, {13, "01 PM"}, {23, "11 PM"}};
    for (const Case& c : cases)
        EXPECT_EQ(format(Date(2001, 0, 1, c.hour, 0, 0, 0, TimeZone::UTC), "%I %p"), c.expected);
}

TEST(DateFormatTest, DayOfYearAndWeekNumbers) {
    struct Case {
        unsigned int year;
        int month, day;
        const char* pattern;
        const char* expected;
    } cases[] = {
        {2000, 1, 29, "%j", "060"},  {2000, 2, 1, "%j", "061"},   {2000, 11, 31, "%j", "366"},
        {2001, 2, 1, "%j", "060"},   {2001, 0, 1, "%j", "001"},   {2001, 0, 1, "%U %W", "01 00"},
        {2001, 0, 7, "%U %W", "02 01"}, {2000, 11, 31, "%U %W", "53 52"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(format(Date(c.year, c.month, c.day, 0, 0, 0, 0, TimeZone::UTC), c.pattern),
                  c.expected)
            << c.year << "-" << c.month + 1 << "-" << c.day << " " << c.pattern;
}

TEST(DateFormatTest, YearsOfAnyWidth) {
    EXPECT_EQ(format(Date(5, 0, 1, 0, 0, 0, 0, TimeZone::UTC), "%Y %y"), "0005 05");
    EXPECT_EQ(format(Date(2000, 0, 1, 0, 0, 0, 0, TimeZone::UTC), "%y"), "00");
    EXPECT_EQ(format(Date(123456, 0, 1, 0, 0, 0, 0, TimeZone::UTC), "%Y %y"), "123456 56");
    // The year goes through an int conversion: beyond INT_MAX it prints negative.
    EXPECT_EQ(format(Date(4294967295u, 0, 1, 0, 0, 0, 0, TimeZone::UTC), "%Y"), "-0001");
}

TEST(DateFormatTest, ZoneNamesFollowDaylightSaving) {
    const Date summer(2001, 6, 1, 12, 0, 0, 0, TimeZone::GMT);
    EXPECT_EQ(format(summer, "%z|%Z"), "BST|Greenwich Mean Time");
    const Date winter(2001, 0, 1, 12, 0, 0, 0, TimeZone::GMT);
    EXPECT_EQ(format(winter, "%z|%Z"), "GMT|Greenwich Mean Time");
    const Date custom(2001, 0, 1, 12, 0, 0, 0, TimeZone(String("QQQ+1")));
    EXPECT_EQ(format(custom, "[%z][%Z]"), "[QQQ][]");
}

TEST(DateFormatTest, NumbersMatchPrintfConversions) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<unsigned int> anyYear(0, UINT_MAX);
    for (int round = 0; round < 5000; ++round) {
        const unsigned int year = round % 2 == 0 ? anyYear(random) : anyYear(random) % 20000;
        const Date d(year, static_cast<int>(random() % 12), static_cast<int>(random() % 28 + 1),
                     static_cast<int>(random() % 24), static_cast<int>(random() % 60),
                     static_cast<int>(random() % 60), 0, TimeZone::UTC);
        char expected[128];
        std::snprintf(expected, sizeof expected, "%.4d|%2.2d|%.2d|%2.2d|%2.2d|%2.2d|%.2d",
                      static_cast<int>(d.getYear()), static_cast<int>(d.getYear() % 100),
                      static_cast<int>(d.getDay()), static_cast<int>(d.getHour()),
                      static_cast<int>(d.getMinute()), static_cast<int>(d.getSeconds()),
                      static_cast<int>(d.getMonth() + 1));
        ASSERT_EQ(format(d, "%Y|%y|%d|%H|%M|%S|%m"), expected) << "seed " << seed;
    }
}
