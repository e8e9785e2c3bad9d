// Daylight-saving rules against glibc's evaluation of the same POSIX TZ rule
// strings. A zone definition here reads its offsets as EAST of UTC, glibc
// reads the same text as WEST; with the sign read the other way round, the
// transition instants of our tables are exactly the UTC instants at which
// glibc's tm_isdst flips for that text. glibc's state is changed with
// setenv + tzset while the reference flips are collected and restored before
// the library is asked anything, since the library compares zones with the
// machine's standard offset.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "time/Calendar.h"
#include "time/TimeTestSupport.h"
#include "time/ZoneRules.h"

using namespace Korvane;

namespace {

// glibc's zone for as long as the object lives.
class ScopedTZ {
public:
    explicit ScopedTZ(const std::string& value) {
        if (const char* old = std::getenv("TZ")) saved = old;
        setenv("TZ", value.c_str(), 1);
        tzset();
    }
    ~ScopedTZ() {
        if (saved) setenv("TZ", saved->c_str(), 1); else unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> saved;
};

int glibcIsDst(long long instant) {
    const time_t t = static_cast<time_t>(instant);
    tm fields{};
    localtime_r(&t, &fields);
    return fields.tm_isdst;
}

std::string clockText(int seconds) {
    std::string text = std::to_string(seconds / 3600);
    if (seconds % 3600 != 0) text += ":" + std::to_string(seconds % 3600 / 60);
    return text;
}

struct RandomZone {
    std::string definition;
    long long standardEast;
    long long daylightEast;
    internal::TransitionRule start;
    internal::TransitionRule end;
};

// Rules stay away from the first and last days of the year so that no
// instant crosses into a neighbouring year, where glibc would apply that
// year's rules instead.
internal::TransitionRule randomRule(std::mt19937& random, std::string& text) {
    internal::TransitionRule rule{};
    rule.time = static_cast<int>(random() % 24) * 3600 + static_cast<int>(random() % 2) * 1800;
    switch (random() % 3) {
    case 0:
        rule.kind = internal::RULE_JULIAN;
        rule.day = 10 + static_cast<int>(random() % 346);
        text = "J" + std::to_string(rule.day);
        break;
    case 1:
        rule.kind = internal::RULE_ZERO_BASED_DAY;
        rule.day = 10 + static_cast<int>(random() % 346);
        text = std::to_string(rule.day);
        break;
    default:
        rule.kind = internal::RULE_MONTH_WEEK_DAY;
        rule.month = 2 + static_cast<int>(random() % 10);
        rule.week = 1 + static_cast<int>(random() % 5);
        rule.day = static_cast<int>(random() % 7);
        text = "M" + std::to_string(rule.month) + "." + std::to_string(rule.week) + "." +
               std::to_string(rule.day);
        break;
    }
    text += "/" + clockText(rule.time);
    return rule;
}

RandomZone randomZone(std::mt19937& random) {
    RandomZone zone;
    // Whole and half hours only, so no zone shares the test machine's
    // standard offset of 2:15.
    const int standardHalfHours = static_cast<int>(random() % 49) - 24;
    const int daylightHalfHours = standardHalfHours + 1 + static_cast<int>(random() % 4);
    zone.standardEast = standardHalfHours * 1800LL;
    zone.daylightEast = daylightHalfHours * 1800LL;
    auto offsetText = [](long long east) {
        const long long magnitude = east < 0 ? -east : east;
        return std::string(east < 0 ? "-" : "+") + clockText(static_cast<int>(magnitude));
    };
    std::string startText;
    std::string endText;
    zone.start = randomRule(random, startText);
    zone.end = randomRule(random, endText);
    zone.definition = "KST" + offsetText(zone.standardEast) + "KDT" +
                      offsetText(zone.daylightEast) + "," + startText + "," + endText;
    return zone;
}

struct YearTransitions {
    long long start;
    long long end;
};

std::vector<YearTransitions> tableOf(const RandomZone& zone) {
    std::vector<YearTransitions> years;
    long long janFirst = 0;
    for (unsigned int year = 1970; year <= 2037; ++year) {
        years.push_back({internal::transitionTime(janFirst, year, zone.start, zone.standardEast),
                         internal::transitionTime(janFirst, year, zone.end, zone.daylightEast)});
        janFirst += internal::isLeapYear(year) ? 31622400 : 31536000;
    }
    return years;
}

// A year whose two changes lie close together is left out: glibc and the
// library agree on the instants but not on what an empty summer means.
bool comparable(const YearTransitions& t) {
    const long long gap = t.start > t.end ? t.start - t.end : t.end - t.start;
    return gap > 2 * 86400;
}

bool libraryInDst(const TimeZone& zone, long long instant) {
    const Date utcFields(static_cast<long>(instant), TimeZone::UTC);
    const Date wallClock(utcFields.getYear(), static_cast<int>(utcFields.getMonth()),
                         static_cast<int>(utcFields.getDay()), static_cast<int>(utcFields.getHour()),
                         static_cast<int>(utcFields.getMinute()),
                         static_cast<int>(utcFields.getSeconds()), 0, zone);
    return zone.inDaylightSavingTime(wallClock);
}

}  // namespace

TEST(ZoneRulesPeerTest, TransitionInstantsAreGlibcsFlips) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    for (int round = 0; round < 400; ++round) {
        const RandomZone zone = randomZone(random);
        const std::vector<YearTransitions> table = tableOf(zone);
        std::vector<int> flips;  // per year: isdst just before and at start and end
        {
            ScopedTZ tz(zone.definition);
            for (const YearTransitions& t : table) {
                flips.push_back(glibcIsDst(t.start - 1));
                flips.push_back(glibcIsDst(t.start));
                flips.push_back(glibcIsDst(t.end - 1));
                flips.push_back(glibcIsDst(t.end));
            }
        }
        for (std::size_t i = 0; i < table.size(); ++i) {
            if (!comparable(table[i])) continue;
            const std::string context = "seed " + std::to_string(seed) + " zone " +
                                        zone.definition + " year " + std::to_string(1970 + i);
            EXPECT_EQ(flips[4 * i], 0) << context;
            EXPECT_EQ(flips[4 * i + 1], 1) << context;
            EXPECT_EQ(flips[4 * i + 2], 1) << context;
            EXPECT_EQ(flips[4 * i + 3], 0) << context;
        }
        if (HasFailure()) break;
    }
}

TEST(ZoneRulesPeerTest, ZonesAnswerLikeGlibcAtRandomInstants) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<long long> anyInstant(0, 2145916799LL);
    for (int round = 0; round < 200; ++round) {
        const RandomZone zone = randomZone(random);
        const std::vector<YearTransitions> table = tableOf(zone);
        std::vector<long long> instants;
        std::vector<int> expected;
        {
            ScopedTZ tz(zone.definition);
            for (int i = 0; i < 40; ++i) {
                instants.push_back(anyInstant(random));
                expected.push_back(glibcIsDst(instants.back()));
            }
            // The boundaries themselves, one second either side.
            for (int i = 0; i < 4; ++i) {
                const YearTransitions& t = table[random() % table.size()];
                if (!comparable(t)) continue;
                for (long long instant : {t.start - 1, t.start + 1, t.end - 1, t.end + 1}) {
                    instants.push_back(instant);
                    expected.push_back(glibcIsDst(instant));
                }
            }
        }
        const TimeZone ours{String(zone.definition.c_str())};
        EXPECT_EQ(ours.getTimeZoneOffset(), -zone.standardEast);
        // A daylight offset of 0 reads as "no daylight offset".
        EXPECT_EQ(ours.getTimeZoneOffsetWithDST(),
                  zone.daylightEast != 0 ? -zone.daylightEast : -zone.standardEast);
        for (std::size_t i = 0; i < instants.size(); ++i) {
            const long long instant = instants[i];
            const unsigned int yearIndex = Date(static_cast<long>(instant), TimeZone::UTC).getYear() - 1970;
            if (yearIndex >= table.size() || !comparable(table[yearIndex])) continue;
            EXPECT_EQ(libraryInDst(ours, instant), expected[i] == 1)
                << "seed " << seed << " zone " << zone.definition << " instant " << instant;
        }
        if (HasFailure()) break;
    }
}

TEST(ZoneRulesPeerTest, PredefinedRuleZonesMatchGlibc) {
    // GMT and AET as glibc reads their definitions: the reference instants
    // of the documented years.
    struct Case {
        const char* definition;
        long long start2001;
        long long end2001;
    } cases[] = {
        {"GMT+0BST+1,M3.5.0,M10.5.0", 985485600, 1004238000},
        {"AET+10AET+11,M10.5.0,M3.5.0", 1004270400, 985525200},
    };
    for (const Case& c : cases) {
        ScopedTZ tz(c.definition);
        EXPECT_EQ(glibcIsDst(c.start2001 - 1), 0) << c.definition;
        EXPECT_EQ(glibcIsDst(c.start2001), 1) << c.definition;
        EXPECT_EQ(glibcIsDst(c.end2001 - 1), 1) << c.definition;
        EXPECT_EQ(glibcIsDst(c.end2001), 0) << c.definition;
    }
    // The library's own zones hold the same instants.
    EXPECT_FALSE(libraryInDst(TimeZone::GMT, 985485600));
    EXPECT_TRUE(libraryInDst(TimeZone::GMT, 985485601));
    EXPECT_TRUE(libraryInDst(TimeZone::GMT, 1004237999));
    EXPECT_FALSE(libraryInDst(TimeZone::GMT, 1004238000));
    EXPECT_TRUE(libraryInDst(TimeZone::AET, 985525200));
    EXPECT_FALSE(libraryInDst(TimeZone::AET, 985525201));
    EXPECT_FALSE(libraryInDst(TimeZone::AET, 1004270399));
    EXPECT_TRUE(libraryInDst(TimeZone::AET, 1004270400));
}
