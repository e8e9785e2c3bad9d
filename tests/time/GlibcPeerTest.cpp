// Date against glibc over seeded random instants and dates: gmtime_r's
// fields, weekday and day of the year, strftime (C locale) for the
// directives and ASN.1 writers whose output is the same, and timegm's
// normalisation of out-of-range fields.

#include <algorithm>
#include <climits>
#include <ctime>
#include <random>

#include "time/TimeTestSupport.h"

using namespace Korvane;
using korvane_test::fieldsOf;
using korvane_test::str;

namespace {

std::string fieldsOf(const tm& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.000", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

}  // namespace

TEST(GlibcPeerTest, InstantsMatchGmtimeAndStrftime) {
    // %U, %W, %c, %x and the zone directives differ on purpose; the rest agree.
    const char* const pattern = "%a %A %b %B %d %H %I %j %m %M %p %S %w %y %Y %X %% text";
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
        char expected[256], generalized[32], utc[32];
        std::strftime(expected, sizeof expected, pattern, &fields);
        std::strftime(generalized, sizeof generalized, "%Y%m%d%H%M%SZ", &fields);
        std::strftime(utc, sizeof utc, "%y%m%d%H%M%SZ", &fields);
        ASSERT_EQ(str(d.getFormat(String(pattern))), expected) << context;
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
