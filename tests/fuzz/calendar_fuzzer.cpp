// The Date calendar core against exact arithmetic: normalisation of
// arbitrary fields (constructor and every setter), dates from epoch seconds,
// the weekday, getEpochSecs with and without the zone, the comparisons, and
// the errors of daysInMonth and toStructTM. Wherever the model's year leaves
// the unsigned 32-bit range (where the year would wrap) only the ranges of
// the normalised fields are checked.
//
// Input: a zone byte, seven 4-byte fields, a setter byte with a 4-byte
// value, a second zone byte and seven more fields, and an 8-byte epoch.
#include <ctime>

#include "FuzzSupport.h"
#include "korvane/Date.h"
#include "korvane/QuillonException.h"
#include "korvane/TimeZone.h"
#include "ZoneList.h"

using namespace Korvane;

namespace {

using korvane_fuzz::kZones;

using i64 = long long;

i64 floorDiv(i64 a, i64 b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
i64 floorMod(i64 a, i64 b) { return a - floorDiv(a, b) * b; }

i64 daysFromCivil(i64 y, i64 m, i64 d) {  // m 1..12
    y -= m <= 2;
    const i64 era = floorDiv(y, 400);
    const i64 yoe = y - era * 400;
    const i64 doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

void civilFromDays(i64 z, i64& y, i64& m, i64& d) {
    z += 719468;
    const i64 era = floorDiv(z, 146097);
    const i64 doe = z - era * 146097;
    const i64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const i64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const i64 mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = yoe + era * 400 + (m <= 2);
}

struct Fields {
    i64 year, month, day, hour, minute, second, ms;  // month zero-based
};

// The normalised fields, or false when the year leaves 0 .. 2^32-1.
bool normalised(Fields f, Fields& out) {
    f.second += floorDiv(f.ms, 1000), f.ms = floorMod(f.ms, 1000);
    f.minute += floorDiv(f.second, 60), f.second = floorMod(f.second, 60);
    f.hour += floorDiv(f.minute, 60), f.minute = floorMod(f.minute, 60);
    f.day += floorDiv(f.hour, 24), f.hour = floorMod(f.hour, 24);
    f.year += floorDiv(f.month, 12), f.month = floorMod(f.month, 12);
    if (f.year < 0 || f.year > 0xFFFFFFFFLL) return false;
    i64 y, m, d;
    civilFromDays(daysFromCivil(f.year, f.month + 1, 1) + f.day - 1, y, m, d);
    if (y < 0 || y > 0xFFFFFFFFLL) return false;
    out = {y, m - 1, d, f.hour, f.minute, f.second, f.ms};
    return true;
}

Fields fieldsOf(const Date& d) {
    return {d.getYear(), d.getMonth(), d.getDay(), d.getHour(), d.getMinute(), d.getSeconds(), d.getMilliseconds()};
}

bool same(const Fields& a, const Fields& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second && a.ms == b.ms;
}

void checkAgainst(const Date& date, const Fields& raw, const char* what) {
    const Fields got = fieldsOf(date);
    FUZZ_CHECK(got.month < 12 && got.day >= 1 &&
               got.day <= Date::daysInMonth(static_cast<unsigned int>(got.month), static_cast<unsigned int>(got.year)) &&
               got.hour < 24 && got.minute < 60 && got.second < 60 && got.ms < 1000);
    Fields expected;
    if (!normalised(raw, expected)) return;
    if (!same(got, expected)) {
        std::fprintf(stderr, "%s: %lld-%lld-%lld %lld:%lld:%lld.%lld, expected %lld-%lld-%lld %lld:%lld:%lld.%lld\n",
                     what, got.year, got.month, got.day, got.hour, got.minute, got.second, got.ms,
                     expected.year, expected.month, expected.day, expected.hour, expected.minute,
                     expected.second, expected.ms);
        FUZZ_CHECK(false);
    }
    // The weekday and the unzoned epoch seconds of the fields.
    const i64 days = daysFromCivil(got.year, got.month + 1, got.day);
    FUZZ_CHECK(static_cast<i64>(date.getDayOfWeek()) == floorMod(days + 4, 7));
    const i64 unzoned = got.year < 1970 || got.year > 2037
                            ? -1
                            : days * 86400 + got.hour * 3600 + got.minute * 60 + got.second;
    FUZZ_CHECK(date.getEpochSecs(false) == unzoned);
}

int readInt(const std::uint8_t* p) {
    return static_cast<int>((std::uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3]);
}

// Fields from the input: ordinary ones, or raw 32-bit values when `raw`.
Fields readFields(const std::uint8_t* p, bool raw) {
    int v[7];
    for (int i = 0; i < 7; ++i) v[i] = readInt(p + 4 * i);
    if (!raw) {
        v[0] = 1960 + static_cast<int>(static_cast<unsigned int>(v[0]) % 90);
        const int bounds[] = {0, 14, 33, 26, 62, 62, 1002};
        for (int i = 1; i < 7; ++i) v[i] = static_cast<int>(static_cast<unsigned int>(v[i]) % bounds[i]) - (i == 2 ? 1 : 0);
    }
    return {static_cast<i64>(static_cast<unsigned int>(v[0])), v[1], v[2], v[3], v[4], v[5], v[6]};
}

Date make(const Fields& f, const TimeZone& zone) {
    return Date(static_cast<unsigned int>(f.year), static_cast<int>(f.month), static_cast<int>(f.day),
                static_cast<int>(f.hour), static_cast<int>(f.minute), static_cast<int>(f.second),
                static_cast<int>(f.ms), zone);
}

int lexicographic(const Fields& a, const Fields& b, bool withTime) {
    const i64 x[] = {a.year, a.month, a.day, a.hour, a.minute, a.second};
    const i64 y[] = {b.year, b.month, b.day, b.hour, b.minute, b.second};
    for (int i = 0; i < (withTime ? 6 : 3); ++i)
        if (x[i] != y[i]) return x[i] < y[i] ? -1 : 1;
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    korvane_fuzz::useMachineZone();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 + 28 + 5 + 1 + 28 + 8) return 0;
    const TimeZone& zone = *kZones[data[0] % 32];
    const Fields raw = readFields(data + 1, data[0] & 0x80);
    Date date = make(raw, zone);
    checkAgainst(date, raw, "constructor");

    // One setter on the normalised date.
    Fields changed = fieldsOf(date);
    const unsigned int setter = data[29] % 7;
    const int value = (data[29] & 0x80) ? readInt(data + 30) : readInt(data + 30) % 100;
    switch (setter) {
        case 0: date.setMilliseconds(value), changed.ms = value; break;
        case 1: date.setSeconds(value), changed.second = value; break;
        case 2: date.setMinute(value), changed.minute = value; break;
        case 3: date.setHour(value), changed.hour = value; break;
        case 4: date.setDay(value), changed.day = value; break;
        case 5: date.setMonth(value), changed.month = value; break;
        default:
            date.setYear(static_cast<unsigned int>(value));
            changed.year = static_cast<unsigned int>(value);
            break;
    }
    checkAgainst(date, changed, "setter");

    // Comparisons with a second date in the same zone.
    const Fields otherRaw = readFields(data + 35, data[34] & 0x80);
    const Date other = make(otherRaw, zone);
    const Fields a = fieldsOf(date), b = fieldsOf(other);
    const int order = lexicographic(a, b, true);
    FUZZ_CHECK(date.after(other) == (order > 0));
    FUZZ_CHECK(date.equals(other) == (order == 0) && (date == other) == (order == 0));
    FUZZ_CHECK(date.before(other) == (order < 0) && (date < other) == (order < 0));
    FUZZ_CHECK((date <= other) == (order <= 0) && (date >= other) == (order >= 0) &&
               (date > other) == (order > 0) && (date != other) == (order != 0));
    FUZZ_CHECK(static_cast<int>(date.compareDateOnly(other)) == lexicographic(a, b, false));

    // getEpochSecs with the zone is the unzoned count of the same moment in UTC.
    Date utc(date);
    utc.setTimeZone(TimeZone::UTC);
    if (date.getEpochSecs(false) != -1 && utc.getEpochSecs(false) != -1)
        FUZZ_CHECK(date.getEpochSecs(true) == utc.getEpochSecs(false));

    // A date from epoch seconds (kept within about +-30000 years).
    std::int64_t epoch = 0;
    for (int i = 0; i < 8; ++i) epoch = (epoch << 8) | data[63 + i];
    epoch %= 1000000000000LL;
    const Date fromEpoch(static_cast<long>(epoch), TimeZone::UTC);
    checkAgainst(fromEpoch, Fields{1970, 0, 1, 0, 0, epoch, 0}, "epoch");

    // The errors.
    try {
        Date::daysInMonth(12 + data[0] % 20, static_cast<unsigned int>(a.year));
        FUZZ_CHECK(false);
    } catch (const QuillonException& e) {
        FUZZ_CHECK(e.getErrNo(0) == 41);
    }
    tm t{};
    t.tm_year = 12345;
    try {
        date.toStructTM(&t);
        FUZZ_CHECK(a.year >= 1900);
    } catch (const QuillonException& e) {
        FUZZ_CHECK(a.year < 1900 && e.getErrNo(0) == 27 && t.tm_year == 12345);
    }
    return 0;
}
