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

// The directives whose output strftime shares are held against it in
// GlibcPeerTest; here the others, the pattern reader's quirks and the years
// outside strftime's four digits.
TEST(DateFormatTest, DirectivesAndQuirksBeyondStrftime) {
    const Date d(1994, 10, 15, 8, 12, 31, 0, TimeZone::EST);
    auto utc = [](unsigned int year, int month, int day) {
        return Date(year, month, day, 0, 0, 0, 0, TimeZone::UTC);
    };
    struct Case {
        Date date;
        const char* pattern;
        const char* expected;
    } cases[] = {
        {d, "%a, %d %b %Y %H:%M:%S %z", "Tue, 15 Nov 1994 08:12:31 EST"},
        {d, "%c", "15/11/94 08:12:31"},
        {d, "%x", "15/11/94"},
        {d, "%U %W", "46 46"},
        {d, "%Z", "Eastern Standard Time"},
        {d, "100%%", "100%"},
        {d, "50%", "50"},
        {d, "%q", ""},
        {d, "%5d", "d"},
        {d, "", ""},
        {d, "plain text", "plain text"},
        {utc(2001, 0, 1), "%U %W", "01 00"},
        {utc(2001, 0, 7), "%U %W", "02 01"},
        {utc(2000, 11, 31), "%U %W", "53 52"},
        {utc(5, 0, 1), "%Y %y", "0005 05"},
        {utc(123456, 0, 1), "%Y %y", "123456 56"},
        // The year goes through an int conversion: beyond INT_MAX it prints negative.
        {utc(4294967295u, 0, 1), "%Y", "-0001"},
        // Zone names follow daylight saving; a zone without a long name has none.
        {Date(2001, 6, 1, 12, 0, 0, 0, TimeZone::GMT), "%z|%Z", "BST|Greenwich Mean Time"},
        {Date(2001, 0, 1, 12, 0, 0, 0, TimeZone::GMT), "%z|%Z", "GMT|Greenwich Mean Time"},
        {Date(2001, 0, 1, 12, 0, 0, 0, TimeZone(String("QQQ+1"))), "[%z][%Z]", "[QQQ][]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(format(c.date, c.pattern), c.expected)
            << korvane_test::fieldsOf(c.date) << " " << c.pattern;
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
