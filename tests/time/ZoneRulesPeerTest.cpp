// Daylight-saving rules against glibc's evaluation of the same POSIX TZ rule
// strings. Our definitions read offsets EAST of UTC, glibc reads the same
// text as WEST; with the sign read the other way round, our transition
// instants are exactly the UTC instants at which glibc's tm_isdst flips.
// glibc's answers are collected under setenv + tzset and TZ restored before
// the library is asked anything, since the library compares zones with the
// machine's standard offset.

#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "time/Calendar.h"
#include "time/TimeTestSupport.h"
#include "time/ZoneRules.h"

using namespace Korvane;
using internal::TransitionRule;

namespace {

// Runs `collect` with glibc in the zone `value`.
template <class Collect>
void underTZ(const std::string& value, Collect collect) {
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", value.c_str(), 1);
    tzset();
    collect();
    if (old) setenv("TZ", saved.c_str(), 1); else unsetenv("TZ");
    tzset();
}

int glibcIsDst(long long instant) {
    const time_t t = static_cast<time_t>(instant);
    tm fields{};
    localtime_r(&t, &fields);
    return fields.tm_isdst;
}

std::string clockText(int seconds) {
    return std::to_string(seconds / 3600) + (seconds % 3600 ? ":" + std::to_string(seconds % 3600 / 60) : "");
}

// Rules stay away from the first and last days of the year so that no
// instant crosses into a neighbouring year, where glibc would apply that
// year's rules instead.
TransitionRule randomRule(std::mt19937& random, std::string& text) {
    TransitionRule rule{};
    rule.time = static_cast<int>(random() % 48) * 1800;
    rule.kind = static_cast<int>(random() % 3);
    if (rule.kind == internal::RULE_MONTH_WEEK_DAY) {
        rule.month = 2 + static_cast<int>(random() % 10);
        rule.week = 1 + static_cast<int>(random() % 5);
        rule.day = static_cast<int>(random() % 7);
        text = "M" + std::to_string(rule.month) + "." + std::to_string(rule.week) + "." +
               std::to_string(rule.day);
    } else {
        rule.day = 10 + static_cast<int>(random() % 346);
        text = (rule.kind == internal::RULE_JULIAN ? "J" : "") + std::to_string(rule.day);
    }
    text += "/" + clockText(rule.time);
    return rule;
}

bool libraryInDst(const TimeZone& zone, long long instant) {
    const Date u(static_cast<long>(instant), TimeZone::UTC);
    return zone.inDaylightSavingTime(Date(u.getYear(), static_cast<int>(u.getMonth()),
                                          static_cast<int>(u.getDay()), static_cast<int>(u.getHour()),
                                          static_cast<int>(u.getMinute()),
                                          static_cast<int>(u.getSeconds()), 0, zone));
}

}  // namespace

TEST(ZoneRulesPeerTest, TransitionsAndAnswersAreGlibcs) {
    std::mt19937 random(korvane_test::testSeed(20261251));
    for (int round = 0; round < 300; ++round) {
        // Whole and half hours only, so no zone has the machine's offset of 2:15.
        const long long standard = (static_cast<int>(random() % 49) - 24) * 1800LL;
        const long long daylight = standard + (1 + static_cast<int>(random() % 4)) * 1800LL;
        const auto offsetText = [](long long east) {
            return (east < 0 ? "-" : "+") + clockText(static_cast<int>(east < 0 ? -east : east));
        };
        std::string startText, endText;
        const TransitionRule start = randomRule(random, startText);
        const TransitionRule end = randomRule(random, endText);
        const std::string definition = "KST" + offsetText(standard) + "KDT" + offsetText(daylight) +
                                       "," + startText + "," + endText;
        // Per year 1970..2037: our start and end; a year whose two changes lie
        // within two days is left out (glibc and we differ on an empty summer).
        std::vector<long long> starts, ends;
        std::vector<bool> comparable;
        long long janFirst = 0;
        for (unsigned int year = 1970; year <= 2037; ++year) {
            starts.push_back(internal::transitionTime(janFirst, year, start, standard));
            ends.push_back(internal::transitionTime(janFirst, year, end, daylight));
            comparable.push_back(std::llabs(starts.back() - ends.back()) > 2 * 86400);
            janFirst += internal::isLeapYear(year) ? 31622400 : 31536000;
        }
        std::vector<int> flips;
        underTZ(definition, [&] {
            for (std::size_t y = 0; y < starts.size(); ++y)
                for (long long instant : {starts[y] - 1, starts[y], ends[y] - 1, ends[y]})
                    flips.push_back(glibcIsDst(instant));
        });
        const std::string context = "zone " + definition;
        for (std::size_t y = 0; y < starts.size(); ++y) {
            if (!comparable[y]) continue;
            ASSERT_EQ(std::vector<int>(flips.begin() + 4 * y, flips.begin() + 4 * y + 4),
                      std::vector<int>({0, 1, 1, 0})) << context << " year " << 1970 + y;
        }
        const TimeZone ours{String(definition.c_str())};
        ASSERT_EQ(ours.getTimeZoneOffset(), -standard) << context;
        // A daylight offset of 0 reads as "no daylight offset".
        ASSERT_EQ(ours.getTimeZoneOffsetWithDST(), daylight != 0 ? -daylight : -standard) << context;
        // Our answers on both sides of the changes of three of the years.
        for (std::size_t y : {std::size_t(random() % starts.size()), std::size_t(0), starts.size() - 1}) {
            if (!comparable[y]) continue;
            for (long long instant : {starts[y] - 1, starts[y] + 1, ends[y] - 1, ends[y] + 1})
                ASSERT_EQ(libraryInDst(ours, instant), instant == starts[y] + 1 || instant == ends[y] - 1)
                    << context << " year " << 1970 + y << " instant " << instant;
        }
    }
}
