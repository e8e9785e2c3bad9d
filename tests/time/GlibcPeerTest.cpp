// Date against glibc over seeded random instants and dates: gmtime_r's
// fields, weekday and day of the year, strftime (C locale) for the ASN.1
// writers, and timegm's normalisation of out-of-range fields. (getFormat
// against strftime is the format fuzz target's.)
//
// Daylight-saving rules against glibc's evaluation of the same POSIX TZ rule
// strings. Our definitions read offsets EAST of UTC, glibc reads the same
// text as WEST; with the sign read the other way round, our transition
// instants are exactly the UTC instants at which glibc's tm_isdst flips.
// glibc's answers are collected under setenv + tzset and TZ restored before
// the library is asked anything, since the library compares zones with the
// machine's standard offset.
#include <algorithm>
#include <climits>
#include <ctime>
#include <random>
#include <vector>

#include "time/Calendar.h"
#include "time/TimeTestSupport.h"
#include "time/ZoneRules.h"

using namespace Korvane;
using namespace korvane_test;
using internal::TransitionRule;

namespace {

std::string fieldsOf(const tm& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.000", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

}  // namespace

TEST(GlibcPeerTest, InstantsMatchGmtimeAndStrftime) {
    const TimeZone* zones[] = {&TimeZone::UTC, &TimeZone::EST, &TimeZone::IST, &TimeZone::NST};
    std::mt19937_64 random(korvane_test::testSeed(20261491));
    // Years 1 to 9999 as far as a long reaches (the 32-bit range where long
    // has 32 bits), and the 32-bit range; strftime's %Y has four digits from 1000 on.
    std::uniform_int_distribution<long long> anyInstant(std::max<long long>(-62135596800LL, LONG_MIN),
                                                        std::min<long long>(253402300799LL, LONG_MAX));
    std::uniform_int_distribution<long long> int32Instant(INT_MIN, INT_MAX);
    for (int round = 0; round < 20000; ++round) {
        const long long instant = round % 2 == 0 ? anyInstant(random) : int32Instant(random);
        const time_t t = static_cast<time_t>(instant);
        tm fields{};
        gmtime_r(&t, &fields);
        const Date d(static_cast<long>(instant), TimeZone::UTC);
        const std::string context = "instant " + std::to_string(instant);
        ASSERT_EQ(fieldsOf(d), fieldsOf(fields)) << context;
        ASSERT_EQ(static_cast<int>(d.getDayOfWeek()), fields.tm_wday) << context;
        if (instant >= 0 && instant <= 2145916799LL) {
            ASSERT_EQ(d.getEpochSecs(false), instant) << context;
        }
        if (fields.tm_year + 1900 < 1000) continue;
        char generalized[32], utc[32];
        std::strftime(generalized, sizeof generalized, "%Y%m%d%H%M%SZ", &fields);
        std::strftime(utc, sizeof utc, "%y%m%d%H%M%SZ", &fields);
        const Date inZone(static_cast<long>(instant), *zones[round % 4]);
        ASSERT_EQ(str(inZone.toGeneralizedTime()), generalized) << context;
        ASSERT_EQ(str(inZone.toUTCTime()), utc) << context;
    }
}

TEST(GlibcPeerTest, OutOfRangeFieldsNormaliseLikeTimegm) {
    std::mt19937 random(korvane_test::testSeed(20261492));
    auto between = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int round = 0; round < 20000; ++round) {
        tm fields{};
        fields.tm_year = between(-1800, 7900);
        fields.tm_mon = between(-40, 40);
        fields.tm_mday = between(-800, 800);
        fields.tm_hour = between(-100, 100);
        fields.tm_min = between(-5000, 5000);
        fields.tm_sec = between(-100000, 100000);
        const Date d(static_cast<unsigned int>(fields.tm_year + 1900), fields.tm_mon,
                     fields.tm_mday, fields.tm_hour, fields.tm_min, fields.tm_sec, 0,
                     TimeZone::UTC);
        const time_t instant = timegm(&fields);
        if (fields.tm_year + 1900 < 1) continue;  // the year field is unsigned
        const std::string context = "round " + std::to_string(round);
        ASSERT_EQ(fieldsOf(d), fieldsOf(fields)) << context;
        if (instant == static_cast<long>(instant)) {  // a 32-bit long stops at 2038
            ASSERT_TRUE(Date(static_cast<long>(instant), TimeZone::UTC).equals(d)) << context;
        }
    }
}

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
