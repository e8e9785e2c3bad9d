// Date against glibc over seeded random instants and dates: gmtime_r's
// broken-down fields, weekday and day of the year, timegm's normalisation
// and strftime (C locale) for the directives whose output is the same.
#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <random>

#include "time/TimeTestSupport.h"

using namespace Korvane;
using korvane_test::str;

namespace {

// Instants from year 1 to year 9999.
const long long kFirstInstant = -62135596800LL;
const long long kLastInstant = 253402300799LL;

tm utcFields(long long instant) {
    const time_t t = static_cast<time_t>(instant);
    tm fields{};
    gmtime_r(&t, &fields);
    return fields;
}

void expectSameFields(const Date& d, const tm& expected, const std::string& context) {
    EXPECT_EQ(d.getYear(), static_cast<unsigned int>(expected.tm_year + 1900)) << context;
    EXPECT_EQ(d.getMonth(), static_cast<unsigned int>(expected.tm_mon)) << context;
    EXPECT_EQ(d.getDay(), static_cast<unsigned int>(expected.tm_mday)) << context;
    EXPECT_EQ(d.getHour(), static_cast<unsigned int>(expected.tm_hour)) << context;
    EXPECT_EQ(d.getMinute(), static_cast<unsigned int>(expected.tm_min)) << context;
    EXPECT_EQ(d.getSeconds(), static_cast<unsigned int>(expected.tm_sec)) << context;
}

}  // namespace

TEST(GlibcPeerTest, EpochInstantsGiveGmtimeFields) {
    const unsigned seed = std::random_device{}();
    std::mt19937_64 random(seed);
    std::uniform_int_distribution<long long> anyInstant(kFirstInstant, kLastInstant);
    std::uniform_int_distribution<long long> int32Instant(INT_MIN, INT_MAX);
    for (int round = 0; round < 20000; ++round) {
        const long long instant = round % 2 == 0 ? anyInstant(random) : int32Instant(random);
        const Date d(static_cast<long>(instant), TimeZone::UTC);
        const tm expected = utcFields(instant);
        const std::string context = "seed " + std::to_string(seed) + " instant " +
                                    std::to_string(instant);
        expectSameFields(d, expected, context);
        EXPECT_EQ(d.getMilliseconds(), 0u) << context;
        EXPECT_EQ(static_cast<int>(d.getDayOfWeek()), expected.tm_wday) << context;
        EXPECT_EQ(d.getFormat(String("%j")).toInt(), expected.tm_yday + 1) << context;
        if (instant >= 0 && instant <= 2145916799LL) {
            EXPECT_EQ(d.getEpochSecs(false), static_cast<long>(instant)) << context;
        }
        if (HasFailure()) break;
    }
}

TEST(GlibcPeerTest, OutOfRangeFieldsNormaliseLikeTimegm) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
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
        tm normalised = fields;
        const time_t instant = timegm(&normalised);
        if (normalised.tm_year + 1900 < 1) continue;  // the year field is unsigned
        const std::string context = "seed " + std::to_string(seed) + " round " +
                                    std::to_string(round);
        expectSameFields(d, normalised, context);
        const Date fromInstant(static_cast<long>(instant), TimeZone::UTC);
        EXPECT_TRUE(fromInstant.equals(d)) << context;
        if (HasFailure()) break;
    }
}

TEST(GlibcPeerTest, WeekdaysOfEveryYearMatch) {
    for (unsigned int year = 1; year <= 9999; ++year) {
        for (int month : {0, 1, 2, 11}) {
            const Date d(year, month, 1, 12, 0, 0, 0, TimeZone::UTC);
            tm fields{};
            fields.tm_year = static_cast<int>(year) - 1900;
            fields.tm_mon = month;
            fields.tm_mday = 1;
            fields.tm_hour = 12;
            timegm(&fields);
            ASSERT_EQ(static_cast<int>(d.getDayOfWeek()), fields.tm_wday)
                << year << "-" << month + 1;
        }
    }
}

TEST(GlibcPeerTest, DirectivesMatchStrftimeInTheCLocale) {
    // %U, %W, %c and %x are numbered or ordered differently here, and the
    // zone directives name the library's zones; everything else agrees.
    const std::string pattern = "%a %A %b %B %d %H %I %j %m %M %p %S %w %y %Y %X %% text";
    const unsigned seed = std::random_device{}();
    std::mt19937_64 random(seed);
    // Years 1000..9999, where strftime's %Y has four digits as well.
    std::uniform_int_distribution<long long> anyInstant(-30610224000LL, kLastInstant);
    for (int round = 0; round < 20000; ++round) {
        const long long instant = anyInstant(random);
        const Date d(static_cast<long>(instant), TimeZone::UTC);
        const tm fields = utcFields(instant);
        char expected[256];
        std::strftime(expected, sizeof expected, pattern.c_str(), &fields);
        ASSERT_EQ(str(d.getFormat(String(pattern.c_str()))), expected)
            << "seed " << seed << " instant " << instant;
    }
}

TEST(GlibcPeerTest, AsnWritersMatchStrftimeOfTheUtcInstant) {
    const unsigned seed = std::random_device{}();
    std::mt19937_64 random(seed);
    std::uniform_int_distribution<long long> anyInstant(-30610224000LL, kLastInstant);
    const TimeZone* zones[] = {&TimeZone::UTC, &TimeZone::EST, &TimeZone::IST, &TimeZone::JST,
                               &TimeZone::CNT, &TimeZone::NST};
    for (int round = 0; round < 10000; ++round) {
        const long long instant = anyInstant(random);
        const Date d(static_cast<long>(instant), *zones[round % 6]);
        const tm fields = utcFields(instant);
        char generalized[32];
        char utc[32];
        std::strftime(generalized, sizeof generalized, "%Y%m%d%H%M%SZ", &fields);
        std::strftime(utc, sizeof utc, "%y%m%d%H%M%SZ", &fields);
        ASSERT_EQ(str(d.toGeneralizedTime()), generalized) << "seed " << seed << " " << instant;
        ASSERT_EQ(str(d.toUTCTime()), utc) << "seed " << seed << " " << instant;
    }
}
