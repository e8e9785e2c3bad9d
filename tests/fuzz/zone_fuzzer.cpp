// TimeZone(definition) against a model of the definition grammar and of the
// yearly transition table, written from the notation's rules; then
// inDaylightSavingTime at the model's transition instants and at instants
// taken from the input, a copy and an assignment that answer alike, and a
// date converted into and out of the zone.
//
// Input: one byte choosing the machine zone, eight bytes of instants, then
// the definition.
#include <climits>
#include <cstring>

#include "FuzzSupport.h"
#include "korvane/Date.h"
#include "korvane/QuillonException.h"
#include "korvane/TimeZone.h"

using namespace Korvane;

namespace {

const char* const kLongNames[][2] = {
    {"MIT", "Midway Islands Time"}, {"HST", "Hawaii Standard Time"},
    {"AST", "Alaska Standard Time"}, {"PST", "Pacific Standard Time"},
    {"PNT", "Phoenix Standard Time"}, {"MST", "Mountain Standard Time"},
    {"CST", "Central Standard Time"}, {"EST", "Eastern Standard Time"},
    {"IET", "Indian Eastern Standard Time"}, {"PRT", "Puerto Rico and US Virgin Islands Time"},
    {"CNT", "Canada Newfoundland Time"}, {"AGT", "Argentina Standard Time"},
    {"BET", "Brazil Eastern Time"}, {"CAT", "Central African Time"},
    {"GMT", "Greenwich Mean Time"}, {"ECT", "European Central Time"},
    {"EET", "Eastern European Time"}, {"ART", "(Arabic) Egypt Standard Time"},
    {"EAT", "Eastern African Time"}, {"MET", "Middle East Time"},
    {"NET", "Near East Time"}, {"PLT", "Pakistan Lahore Time"},
    {"IST", "India Standard Time"}, {"BST", "Bangladesh Standard Time"},
    {"VST", "Vietnam Standard Time"}, {"CTT", "China Taiwan Time"},
    {"JST", "Japan Standard Time"}, {"ACT", "Australian Central Time"},
    {"AET", "Australian Eastern Time"}, {"SST", "Solomon Standard Time"},
    {"NST", "New Zealand Standard Time"}, {"UTC", "Coordinated Universal Time"},
};

// Machine zones: standard offset (seconds west) and whether it has a
// daylight-saving variant.
struct MachineZone {
    const char* rule;
    long offset;
    bool daylight;
};
const MachineZone kMachineZones[] = {
    {"KRV2:15KRS,M3.2.0,M11.1.0", 8100, true},
    {"ZRO0", 0, false},
    {"ZRO0ZRS,M3.5.0,M10.5.0", 0, true},
    {"FIV-5", -18000, false},
};

enum Kind { INVALID, FIXED, RULES };
enum RuleKind { JULIAN, ZERO_BASED_DAY, MONTH_WEEK_DAY, RULE_INVALID };
struct Rule {
    RuleKind kind = RULE_INVALID;
    long long day = 0, week = 0, month = 0, time = 7200;
};

bool isLeap(long long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
// Thrown where the library's Date::daysInMonth throws error 41.
struct MonthOutOfRange {};

long long monthLength(long long m, long long y) {  // m zero-based 0..11
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 0 || m > 11) throw MonthOutOfRange{};
    return lengths[m] + (m == 1 && isLeap(y));
}

struct Model {
    std::string text;
    std::size_t at = 0;
    bool huge = false;  // a number beyond what the model compares exactly

    Kind kind = INVALID;
    std::string standardName, daylightName;
    long long standardOffset = 0, daylightOffset = 0;
    long long pairs[68][2] = {};
    bool startBeforeEnd[68] = {};
    bool throws41 = false;

    bool end() const { return at >= text.size(); }
    char peek() const { return end() ? '\0' : text[at]; }
    static bool digit(char c) { return c >= '0' && c <= '9'; }

    std::string name() {
        const std::size_t start = at;
        while (!end() && !digit(peek()) && peek() != ',' && peek() != '-' && peek() != '+') ++at;
        return text.substr(start, at - start);
    }
    long long number() {
        long long value = 0;
        while (digit(peek())) {
            if (value < 100000000) value = value * 10 + (peek() - '0');
            if (value >= 10000000) huge = true;
            ++at;
        }
        return value;
    }
    long long clock() {
        long long seconds = number() * 3600;
        if (peek() == ':') {
            ++at;
            seconds += number() * 60;
            if (peek() == ':') {
                ++at;
                seconds += number();
            }
        }
        return seconds;
    }
    long long offset() {
        bool negative = false;
        if (peek() == '+' || peek() == '-') {
            negative = peek() == '-';
            ++at;
        }
        const long long value = clock();
        return negative ? -value : value;
    }
    Rule rule() {
        Rule r;
        if (peek() == 'J') {
            ++at;
            r.kind = JULIAN;
            r.day = number();
        } else if (digit(peek())) {
            r.kind = ZERO_BASED_DAY;
            r.day = number();
        } else if (peek() == 'M') {
            ++at;
            r.month = number();
            if (peek() != '.') return r;
            ++at;
            r.week = number();
            if (peek() != '.') return r;
            ++at;
            r.day = number();
            r.kind = MONTH_WEEK_DAY;
        } else {
            return r;
        }
        if (peek() == '/') {
            ++at;
            r.time = clock();
        }
        return r;
    }

    long long transition(long long janFirst, long long year, const Rule& r, long long east) {
        long long value = 0;
        if (r.kind == JULIAN) {
            value = janFirst + (r.day - 1) * 86400 + (isLeap(year) && r.day >= 60 ? 86400 : 0);
        } else if (r.kind == ZERO_BASED_DAY) {
            value = janFirst + r.day * 86400;
        } else if (r.kind == MONTH_WEEK_DAY) {
            value = janFirst;
            for (long long m = 0; m < r.month - 1; ++m) value += 86400 * monthLength(m, year);
            const long long m1 = (r.month + 9) % 12 + 1;
            const long long yy = r.month <= 2 ? year - 1 : year;
            const long long cent = yy / 100, yr = yy % 100;
            long long w0 = ((26 * m1 - 2) / 10 + 1 + yr + yr / 4 + cent / 4 - 2 * cent) % 7;
            if (w0 < 0) w0 += 7;
            long long d = r.day - w0;
            if (d < 0) d += 7;
            for (long long w = 1; w < r.week; ++w) {
                if (d + 7 >= monthLength(r.month - 1, year)) break;
                d += 7;
            }
            value += d * 86400;
        }
        return value + r.time + east;
    }

    explicit Model(const std::string& definition) : text(definition.c_str()) {
        standardName = name();
        if (standardName.size() < 3) return;
        const long long standardEast = offset();
        standardOffset = -standardEast;
        kind = FIXED;
        if (end()) return;
        daylightName = name();
        if (daylightName.size() < 3) return;
        long long daylightEast = standardEast + 3600;
        if (!end() && peek() != ',' && peek() != ';') {
            daylightEast = offset();
            if (end()) return;
        }
        if (peek() != ',' && peek() != ';') return;
        ++at;
        const Rule start = rule();
        if (peek() != ',') return;
        ++at;
        const Rule finish = rule();
        if (!end()) return;
        kind = RULES;
        daylightOffset = -daylightEast;
        // A month outside 1..12 fails only where its length (or that of a
        // month before it) is asked for.
        long long janFirst = 0;
        try {
            for (int year = 1970; year <= 2037; ++year) {
                const long long a = transition(janFirst, year, start, standardEast);
                const long long b = transition(janFirst, year, finish, daylightEast);
                startBeforeEnd[year - 1970] = a <= b;
                pairs[year - 1970][0] = std::min(a, b);
                pairs[year - 1970][1] = std::max(a, b);
                janFirst += isLeap(year) ? 31622400 : 31536000;
            }
        } catch (const MonthOutOfRange&) {
            throws41 = true;
        }
    }

    // Offsets and instants that fit the library's 32-bit fields.
    bool exact() const {
        if (huge) return false;
        auto fits = [](long long v) { return v > -INT_MAX && v <= INT_MAX; };
        if (!fits(standardOffset) || !fits(daylightOffset)) return false;
        if (kind == RULES)
            for (const auto& pair : pairs)
                if (!fits(pair[0]) || !fits(pair[1])) return false;
        return true;
    }

    bool inDaylightSavingTime(long long instant, int year, const MachineZone& machine) const {
        if (standardOffset == machine.offset) return machine.daylight;
        if (kind != RULES || year < 1970 || year > 2037) return false;
        const long long a = pairs[year - 1970][0], b = pairs[year - 1970][1];
        return startBeforeEnd[year - 1970] ? a < instant && instant < b
                                           : instant <= a || instant >= b;
    }
};

std::int64_t readInstant(const std::uint8_t* data) {
    std::int64_t value = 0;
    for (int i = 0; i < 8; ++i) value = (value << 8) | data[i];
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 9) return 0;
    const MachineZone& machine = kMachineZones[data[0] % 4];
    korvane_fuzz::useMachineZone(machine.rule);
    // An instant from the input, kept inside years 1900..2100.
    const long inputInstant = static_cast<long>(readInstant(data + 1) % 6311390400LL) - 2208988800L;
    const std::string definition(reinterpret_cast<const char*>(data + 9), size - 9);

    const Model model(definition);
    bool thrown = false;
    TimeZone zone(TimeZone::JST);
    try {
        zone = TimeZone(korvane_fuzz::text(definition));
    } catch (const QuillonException& e) {
        FUZZ_CHECK(e.getErrNo(0) == 41);
        thrown = true;
    }
    FUZZ_CHECK(thrown == model.throws41);
    if (thrown) return 0;

    // A copy and an assignment answer as the original does.
    const TimeZone copy(zone);
    TimeZone assigned(TimeZone::AET);
    assigned = copy;
    const TimeZone* zones[] = {&zone, &copy, &assigned};

    if (model.exact()) {
        const long long withDST = model.daylightOffset != 0 ? model.daylightOffset : model.standardOffset;
        const std::string daylight = model.daylightName.empty() ? model.standardName : model.daylightName;
        std::string longName;
        for (const auto& entry : kLongNames)
            if (model.standardName == entry[0]) longName = entry[1];
        for (const TimeZone* z : zones) {
            FUZZ_CHECK(z->getTimeZoneOffset() == model.standardOffset);
            FUZZ_CHECK(z->getTimeZoneOffsetWithDST() == withDST);
            FUZZ_CHECK(korvane_fuzz::str(z->to3CharString(false)) == model.standardName);
            FUZZ_CHECK(korvane_fuzz::str(z->to3CharString(true)) == daylight);
            FUZZ_CHECK(korvane_fuzz::str(z->toString(false)) == longName);
        }

        // Around both transitions of a few years, and at the input's instant.
        std::vector<long> instants = {inputInstant};
        if (model.kind == RULES) {
            for (int index : {0, data[1] % 68, data[2] % 68, 67}) {
                for (int side = 0; side < 2; ++side) {
                    const long long t = model.pairs[index][side];
                    for (long long delta : {-1LL, 0LL, 1LL}) instants.push_back(static_cast<long>(t + delta));
                }
            }
        }
        for (long instant : instants) {
            const Date date(instant, TimeZone::UTC);
            const bool expected =
                model.inDaylightSavingTime(instant, static_cast<int>(date.getYear()), machine);
            for (const TimeZone* z : zones) FUZZ_CHECK(z->inDaylightSavingTime(date) == expected);
        }
    }

    // Into the zone and back: the zone is stored, and whatever the offsets,
    // the conversion neither faults nor overflows.
    Date date(inputInstant, TimeZone::UTC);
    date.setTimeZone(zone);
    FUZZ_CHECK(date.getTimeZoneOffset() == zone.getTimeZoneOffset());
    date.setTimeZone(TimeZone::UTC);
    return 0;
}
