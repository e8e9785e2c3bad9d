// TimeZone: definitions, the predefined zones, lookups, the daylight-saving
// test and zone conversion. Runs under the general TZ, whose standard offset
// (8100 s west) no zone here has, so every zone follows its own rules.
// GlibcPeerTest holds the rule arithmetic against glibc.

#include <climits>

#include "time/TimeTestSupport.h"

using namespace Korvane;
using namespace korvane_test;

namespace {

bool inDst(const TimeZone& zone, unsigned int year, int month, int day, int hour = 12,
           int second = 0) {
    return zone.inDaylightSavingTime(Date(year, month, day, hour, 0, second, 0, zone));
}

}  // namespace

TEST(TimeZoneTest, PredefinedZones) {
    struct Row { const TimeZone& zone; const char* name; int standard; int withDst; const char* longName; } rows[] = {
        // The first and last of the load order, both daylight-saving zones,
        // and a half-hour offset.
        {TimeZone::MIT, "MIT", 39600, 39600, "Midway Islands Time"},
        {TimeZone::CNT, "CNT", 12600, 12600, "Canada Newfoundland Time"},
        {TimeZone::GMT, "GMT", 0, -3600, "Greenwich Mean Time"},
        {TimeZone::BST, "BST", -21600, -21600, "Bangladesh Standard Time"},
        {TimeZone::AET, "AET", -36000, -39600, "Australian Eastern Time"},
        {TimeZone::UTC, "UTC", 0, 0, "Coordinated Universal Time"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(str(row.zone.to3CharString(false)), row.name);
        EXPECT_EQ(row.zone.getTimeZoneOffset(), row.standard) << row.name;
        EXPECT_EQ(row.zone.getTimeZoneOffsetWithDST(), row.withDst) << row.name;
        EXPECT_EQ(str(row.zone.toString(true)), row.longName);
    }
    EXPECT_EQ(str(TimeZone::GMT.to3CharString(true)) + str(TimeZone::AET.to3CharString(true)), "BSTAET");
}

TEST(TimeZoneTest, DefinitionsAndTheirFallbacks) {
    struct Case { const char* definition; int standard, withDst; const char *name, *daylightName; } cases[] = {
        {"IST+5:30", -19800, -19800, "IST", "IST"},
        {"ABC+1:02:03", -3723, -3723, "ABC", "ABC"},
        {"ABCD2", -7200, -7200, "ABCD", "ABCD"},
        {"AB+3", 0, 0, "AB", "AB"},  // too short a name: behaves as UTC
        // Incomplete daylight parts fall back to the fixed zone.
        {"GMT+0BST", 0, 0, "GMT", "BST"},
        {"XYZ+2AB,M3.5.0,M10.5.0", -7200, -7200, "XYZ", "AB"},
        {"XYZ+2ABC,M3.5.0", -7200, -7200, "XYZ", "ABC"},
        {"XYZ+2ABC+4/M3", -7200, -7200, "XYZ", "ABC"},
        {"XYZ+2ABC,X,M10.5.0", -7200, -7200, "XYZ", "ABC"},
        // Without a daylight offset a ';' is read into the name.
        {"XYZ+2ABC;M3.5.0,M10.5.0", -7200, -7200, "XYZ", "ABC;M"},
        {"XYZ+2ABC+3;M3.5.0,M10.5.0", -7200, -10800, "XYZ", "ABC"},
        {"XYZ-2ABC-1,100/1:30,200/23", 7200, 3600, "XYZ", "ABC"},
        {"XYZ+2ABC,M3,M10.5.0", -7200, -10800, "XYZ", "ABC"},  // unreadable M rule completes
    };
    for (const Case& c : cases) {
        const TimeZone zone{String(c.definition)};
        EXPECT_EQ(zone.getTimeZoneOffset(), c.standard) << c.definition;
        EXPECT_EQ(zone.getTimeZoneOffsetWithDST(), c.withDst) << c.definition;
        EXPECT_EQ(str(zone.to3CharString(false)), c.name) << c.definition;
        EXPECT_EQ(str(zone.to3CharString(true)), c.daylightName) << c.definition;
        for (int month = 0; c.withDst == c.standard && month < 12; ++month) {
            EXPECT_FALSE(inDst(zone, 2001, month, 15)) << c.definition;
        }
    }
    EXPECT_EQ(str(TimeZone(String("BST+1")).toString(false)), "Bangladesh Standard Time");
    EXPECT_EQ(TimeZone(String("QQQ+1")).toString(false).length(), 0u);
    // Absurd numbers are held in range (the zone fuzz target takes such zones through dates).
    EXPECT_EQ(TimeZone(String("ABC+99999999999:99999999999")).getTimeZoneOffset(), -INT_MAX);
    const TimeZone rules{String("ABC+1DEF,J99999999999/99999999999,M12.99999999999.99999999999")};
    EXPECT_EQ(rules.getTimeZoneOffsetWithDST(), -7200);
}

// A rule month's length is asked for only by the week walk (week 2 and up),
// and a month past 13 needs month 13's; months 0 and 13 in their first week
// start on 1 January of this and of the next year.
TEST(TimeZoneTest, RuleMonthOutsideOneToTwelveThrowsErrorFortyOneWhenItsLengthIsNeeded) {
    for (const char* definition : {"XYZ+2ABC,M0.2.0,M10.5.0", "XYZ+2ABC,M3.5.0,M13.5.0",
                                   "XYZ+2ABC,M14.1.0,M10.5.0", "XYZ+2ABC,M4294967296.1.0,M1.1.0"})
        expectError([&] { TimeZone zone{String(definition)}; }, 41,
                      "Date::daysInMonth(unsigned int month, unsigned int year)",
                      "The month parameter should be less than 12 (month is a zero based index)");
    const TimeZone fromJanuary{String("XYZ+2ABC,M0.1.0,M10.5.0")};
    EXPECT_TRUE(inDst(fromJanuary, 2001, 6, 15));
    EXPECT_FALSE(inDst(fromJanuary, 2001, 11, 15));
    const TimeZone toNextYear{String("XYZ+2ABC,M3.5.0,M13.1.0")};
    EXPECT_TRUE(inDst(toNextYear, 2001, 11, 31));
    EXPECT_FALSE(inDst(toNextYear, 2001, 1, 15));
    EXPECT_EQ(TimeZone(String("XYZ+2ABC,M13.5.0")).getTimeZoneOffset(), -7200);  // fell back first
}

TEST(TimeZoneTest, DaylightSavingAtTheEdgesOfTablesAndRules) {
    const TimeZone julian{String("XYZ+0ABC+1,J60/0,J61/0")};   // J60: 1 March in every year
    const TimeZone zeroBased{String("XYZ+0ABC+1,59/0,60/0")};  // 59: 29 February in leap years
    TimeZone copied(TimeZone::GMT);
    copied = TimeZone::AET;
    struct Case { const TimeZone& zone; unsigned int year; int month, day, hour, second; bool expected; } cases[] = {
        {TimeZone::GMT, 1969, 6, 1, 12, 0, false}, {TimeZone::GMT, 1970, 6, 1, 12, 0, true},
        {TimeZone::GMT, 2037, 6, 1, 12, 0, true},  {TimeZone::GMT, 2038, 6, 1, 12, 0, false},
        {copied, 1969, 0, 1, 12, 0, false},        {copied, 2001, 0, 1, 12, 0, true},
        {julian, 2000, 2, 1, 0, 0, false},         {julian, 2000, 2, 1, 0, 1, true},
        {zeroBased, 2000, 1, 29, 12, 0, true},     {zeroBased, 2001, 1, 28, 12, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(inDst(c.zone, c.year, c.month, c.day, c.hour, c.second), c.expected)
            << str(c.zone.to3CharString(false)) << " " << c.year << "-" << c.month + 1 << "-"
            << c.day;
}

TEST(TimeZoneTest, LookupsByOffsetAndByName) {
    struct ByOffset { int offset; const TimeZone& expected; } byOffset[] = {
        {25200, TimeZone::PNT}, {18000, TimeZone::EST}, {0, TimeZone::GMT}, {12345, TimeZone::GMT}, {-21600, TimeZone::BST}};
    for (const ByOffset& c : byOffset) EXPECT_EQ(&TimeZone::getTimeZone(c.offset), &c.expected) << c.offset;
    struct ByName { const char* name; const TimeZone& expected; } byName[] = {
        {"EST", TimeZone::EST}, {"BST", TimeZone::GMT}, {"UTC", TimeZone::UTC}, {"AET", TimeZone::AET},
        {"est", TimeZone::GMT}, {"", TimeZone::GMT},    {"MST", TimeZone::MST}};
    for (const ByName& c : byName) EXPECT_EQ(&TimeZone::getTimeZone(String(c.name)), &c.expected) << c.name;
    EXPECT_EQ(&TimeZone::getLocalTimeZone(), &TimeZone::GMT);
}
