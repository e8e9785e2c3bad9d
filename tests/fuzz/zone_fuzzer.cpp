// TimeZone(definition) on arbitrary text, with inDaylightSavingTime. The
// transition instants themselves are compared with glibc by the unit suite's
// rule test; here hold, for any text: the one error is 41, from a rule month
// ('M') whose length is needed; a copy and an assignment answer as the
// original; a zone whose standard offset is the machine's answers with the
// machine's daylight flag; other zones are never in daylight-saving time
// outside 1970..2037 or without a rule part, and change state at most twice
// in a year; a date goes into the zone and back.
//
// Input: one byte choosing the machine zone, eight bytes of an instant, then
// the definition.
#include <vector>

#include "FuzzSupport.h"
#include "korvane/Date.h"
#include "korvane/QuillonException.h"
#include "korvane/TimeZone.h"

using namespace Korvane;

namespace {

// Machine zones: the TZ rule, its standard offset (seconds west) and
// whether it has daylight saving.
struct MachineZone { const char* rule; int offset; bool daylight; } const kMachineZones[] = {
    {"KRV2:15KRS,M3.2.0,M11.1.0", 8100, true},
    {"ZRO0", 0, false},
    {"ZRO0ZRS,M3.5.0,M10.5.0", 0, true},
    {"FIV-5", -18000, false},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 9) return 0;
    const MachineZone& machine = kMachineZones[data[0] % 4];
    korvane_fuzz::useMachineZone(machine.rule);
    std::int64_t raw = 0;
    for (int i = 1; i <= 8; ++i) raw = (raw << 8) | data[i];
    // An instant from the input, kept inside years 1900..2100.
    const long instant = static_cast<long>(raw % 6311390400LL) - 2208988800L;
    const std::string definition(reinterpret_cast<const char*>(data + 9), size - 9);

    TimeZone zone(TimeZone::JST);
    try {
        zone = TimeZone(korvane_fuzz::text(definition));
    } catch (const QuillonException& e) {
        FUZZ_CHECK(e.getErrNo(0) == 41 && definition.find('M') != std::string::npos);
        return 0;
    }
    const TimeZone copy(zone);
    TimeZone assigned(TimeZone::AET);
    assigned = copy;
    FUZZ_CHECK(copy.getTimeZoneOffset() == zone.getTimeZoneOffset() &&
               assigned.getTimeZoneOffsetWithDST() == zone.getTimeZoneOffsetWithDST());
    FUZZ_CHECK(korvane_fuzz::str(assigned.to3CharString(true)) == korvane_fuzz::str(zone.to3CharString(true)) &&
               korvane_fuzz::str(copy.to3CharString(false)) == korvane_fuzz::str(zone.to3CharString(false)));

    // The instant itself, then noon of every day of its year.
    const Date at(instant, TimeZone::UTC);
    const bool override = zone.getTimeZoneOffset() == machine.offset;
    const bool ruled = definition.find_first_of(",;") != std::string::npos;
    tm janFirst{};
    janFirst.tm_year = static_cast<int>(at.getYear()) - 1900;
    janFirst.tm_mday = 1;
    std::vector<long> instants = {instant};
    for (long day = 0; day < 366; ++day) instants.push_back(timegm(&janFirst) + day * 86400 + 43200);
    int changes = 0;
    for (std::size_t i = 0; i < instants.size(); ++i) {
        const Date date(instants[i], TimeZone::UTC);
        const bool dst = zone.inDaylightSavingTime(date);
        FUZZ_CHECK(copy.inDaylightSavingTime(date) == dst && assigned.inDaylightSavingTime(date) == dst);
        if (override) FUZZ_CHECK(dst == machine.daylight);
        else if (!ruled || date.getYear() < 1970 || date.getYear() > 2037) FUZZ_CHECK(!dst);
        if (i > 1 && date.getYear() == at.getYear() && dst != zone.inDaylightSavingTime(Date(instants[i - 1], TimeZone::UTC))) ++changes;
    }
    FUZZ_CHECK(changes <= 2);

    // Into the zone and back: whatever the offsets, the conversion neither
    // faults nor overflows.
    Date date(instant, TimeZone::UTC);
    date.setTimeZone(zone);
    FUZZ_CHECK(date.getTimeZoneOffset() == zone.getTimeZoneOffset());
    date.setTimeZone(TimeZone::UTC);
    return 0;
}
