#include "korvane/TimeZone.h"

#include <climits>
#include <cstring>
#include <vector>

#include "korvane/Date.h"
#include "time/Calendar.h"
#include "time/PlatformZone.h"
#include "time/ZoneRules.h"
#include "time/ZoneTables.h"
#include "text/LoadOrder.h"

namespace Korvane {

namespace {

struct ZoneName {
    const char* abbreviation;
    const char* longName;
};

// The predefined zones' abbreviations and long names, in load order.
const ZoneName kZoneNames[] = {
    {"MIT", "Midway Islands Time"},
    {"HST", "Hawaii Standard Time"},
    {"AST", "Alaska Standard Time"},
    {"PST", "Pacific Standard Time"},
    {"PNT", "Phoenix Standard Time"},
    {"MST", "Mountain Standard Time"},
    {"CST", "Central Standard Time"},
    {"EST", "Eastern Standard Time"},
    {"IET", "Indian Eastern Standard Time"},
    {"PRT", "Puerto Rico and US Virgin Islands Time"},
    {"CNT", "Canada Newfoundland Time"},
    {"AGT", "Argentina Standard Time"},
    {"BET", "Brazil Eastern Time"},
    {"CAT", "Central African Time"},
    {"GMT", "Greenwich Mean Time"},
    {"ECT", "European Central Time"},
    {"EET", "Eastern European Time"},
    {"ART", "(Arabic) Egypt Standard Time"},
    {"EAT", "Eastern African Time"},
    {"MET", "Middle East Time"},
    {"NET", "Near East Time"},
    {"PLT", "Pakistan Lahore Time"},
    {"IST", "India Standard Time"},
    {"BST", "Bangladesh Standard Time"},
    {"VST", "Vietnam Standard Time"},
    {"CTT", "China Taiwan Time"},
    {"JST", "Japan Standard Time"},
    {"ACT", "Australian Central Time"},
    {"AET", "Australian Eastern Time"},
    {"SST", "Solomon Standard Time"},
    {"NST", "New Zealand Standard Time"},
    {"UTC", "Coordinated Universal Time"},
};

// The zones the lookups search, in search order; UTC is found only by name.
const TimeZone* const kSearchOrder[] = {
    &TimeZone::MIT, &TimeZone::HST, &TimeZone::AST, &TimeZone::PST, &TimeZone::PNT,
    &TimeZone::MST, &TimeZone::CST, &TimeZone::EST, &TimeZone::IET, &TimeZone::PRT,
    &TimeZone::CNT, &TimeZone::AGT, &TimeZone::BET, &TimeZone::CAT, &TimeZone::GMT,
    &TimeZone::ECT, &TimeZone::EET, &TimeZone::ART, &TimeZone::EAT, &TimeZone::MET,
    &TimeZone::NET, &TimeZone::PLT, &TimeZone::IST, &TimeZone::BST, &TimeZone::VST,
    &TimeZone::CTT, &TimeZone::JST, &TimeZone::ACT, &TimeZone::AET, &TimeZone::SST,
    &TimeZone::NST,
};

// Offsets and instants live in 32-bit fields; absurd definitions ("ABC+99999")
// are held at the ends of that range rather than wrapped around.
int clampToInt(long long value) {
    if (value > INT_MAX) return INT_MAX;
    if (value < -INT_MAX) return -INT_MAX;
    return static_cast<int>(value);
}

}  // namespace

// ---- The predefined zones, built at their step of the load order -------------------

// Definitions use offsets EAST of UTC.
const TimeZone TimeZone::MIT KORVANE_LOAD_STEP(LoadTimeZones)(String("MIT-11"));
const TimeZone TimeZone::HST KORVANE_LOAD_STEP(LoadTimeZones)(String("HST-10"));
const TimeZone TimeZone::AST KORVANE_LOAD_STEP(LoadTimeZones)(String("AST-9"));
const TimeZone TimeZone::PST KORVANE_LOAD_STEP(LoadTimeZones)(String("PST-8"));
const TimeZone TimeZone::PNT KORVANE_LOAD_STEP(LoadTimeZones)(String("PNT-7"));
const TimeZone TimeZone::MST KORVANE_LOAD_STEP(LoadTimeZones)(String("MST-7"));
const TimeZone TimeZone::CST KORVANE_LOAD_STEP(LoadTimeZones)(String("CST-6"));
const TimeZone TimeZone::EST KORVANE_LOAD_STEP(LoadTimeZones)(String("EST-5"));
const TimeZone TimeZone::IET KORVANE_LOAD_STEP(LoadTimeZones)(String("IET-5"));
const TimeZone TimeZone::PRT KORVANE_LOAD_STEP(LoadTimeZones)(String("PRT-4"));
const TimeZone TimeZone::CNT KORVANE_LOAD_STEP(LoadTimeZones)(String("CNT-3:30"));
const TimeZone TimeZone::AGT KORVANE_LOAD_STEP(LoadTimeZones)(String("AGT-3"));
const TimeZone TimeZone::BET KORVANE_LOAD_STEP(LoadTimeZones)(String("BET-3"));
const TimeZone TimeZone::CAT KORVANE_LOAD_STEP(LoadTimeZones)(String("CAT-1"));
const TimeZone TimeZone::GMT KORVANE_LOAD_STEP(LoadTimeZones)(String("GMT+0BST,M3.5.0,M10.5.0"));
const TimeZone TimeZone::ECT KORVANE_LOAD_STEP(LoadTimeZones)(String("ECT+1"));
const TimeZone TimeZone::EET KORVANE_LOAD_STEP(LoadTimeZones)(String("EET+1"));
const TimeZone TimeZone::ART KORVANE_LOAD_STEP(LoadTimeZones)(String("ART+2"));
const TimeZone TimeZone::EAT KORVANE_LOAD_STEP(LoadTimeZones)(String("EAT+3"));
const TimeZone TimeZone::MET KORVANE_LOAD_STEP(LoadTimeZones)(String("MET+3:30"));
const TimeZone TimeZone::NET KORVANE_LOAD_STEP(LoadTimeZones)(String("NET+4"));
const TimeZone TimeZone::PLT KORVANE_LOAD_STEP(LoadTimeZones)(String("PLT+5"));
const TimeZone TimeZone::IST KORVANE_LOAD_STEP(LoadTimeZones)(String("IST+5:30"));
const TimeZone TimeZone::BST KORVANE_LOAD_STEP(LoadTimeZones)(String("BST+6"));
const TimeZone TimeZone::VST KORVANE_LOAD_STEP(LoadTimeZones)(String("VST+7"));
const TimeZone TimeZone::CTT KORVANE_LOAD_STEP(LoadTimeZones)(String("CTT+8"));
const TimeZone TimeZone::JST KORVANE_LOAD_STEP(LoadTimeZones)(String("JST+9"));
const TimeZone TimeZone::ACT KORVANE_LOAD_STEP(LoadTimeZones)(String("ACT+9:30"));
const TimeZone TimeZone::AET KORVANE_LOAD_STEP(LoadTimeZones)(String("AET+10AET,M10.5.0,M3.5.0"));
const TimeZone TimeZone::SST KORVANE_LOAD_STEP(LoadTimeZones)(String("SST+11"));
const TimeZone TimeZone::NST KORVANE_LOAD_STEP(LoadTimeZones)(String("NST+12"));
const TimeZone TimeZone::UTC KORVANE_LOAD_STEP(LoadTimeZones)(String("UTC+0"));


// ---- Construction -------------------------------------------------------------

TimeZone::TimeZone(const String& definition)
    : tables(std::make_shared<Tables>()), standardOffset(0), daylightOffset(0),
      ruleKind(KIND_INVALID) {
    internal::tzsetForZoneConstruction();
    parse(definition);
}

TimeZone::TimeZone(const TimeZone& other) = default;

TimeZone& TimeZone::operator=(const TimeZone& other) = default;

TimeZone::~TimeZone() {}

// std offset [dst [offset] [sep rule , rule]]; every failure past the
// standard part falls back to a fixed zone with the standard offset.
void TimeZone::parse(const String& definition) {
    internal::ZoneTables& table = *tables;
    internal::DefinitionReader reader(definition.getData());
    const char* name = nullptr;
    unsigned int nameLength = reader.readName(name);
    table.standardName = String(name, nameLength);
    if (nameLength < 3) return;
    const long long standardEast = reader.readOffset();
    if (reader.atEnd()) {
        ruleKind = KIND_FIXED;
        standardOffset = clampToInt(-standardEast);
        return;
    }

    ruleKind = KIND_RULES;
    nameLength = reader.readName(name);
    table.daylightName = String(name, nameLength);
    long long daylightEast = standardEast + 3600;
    internal::TransitionRule startRule{};
    internal::TransitionRule endRule{};
    bool complete = false;
    do {
        if (nameLength < 3) break;
        if (!reader.atEnd() && reader.peek() != ',' && reader.peek() != ';') {
            daylightEast = reader.readOffset();
            if (reader.atEnd()) break;
        }
        if (reader.peek() != ',' && reader.peek() != ';') break;
        reader.skip();
        startRule = reader.readRule();
        if (reader.peek() != ',') break;
        reader.skip();
        endRule = reader.readRule();
        if (!reader.atEnd()) break;
        complete = true;
    } while (false);

    standardOffset = clampToInt(-standardEast);
    if (!complete) {
        ruleKind = KIND_FIXED;
        return;
    }
    daylightOffset = clampToInt(-daylightEast);

    long long janFirst = 0;
    for (unsigned int year = FIRST_YEAR; year <= LAST_YEAR; ++year) {
        const int index = static_cast<int>(year - FIRST_YEAR);
        const int start =
            clampToInt(internal::transitionTime(janFirst, year, startRule, standardEast));
        const int end = clampToInt(internal::transitionTime(janFirst, year, endRule, daylightEast));
        table.startBeforeEnd[index] = start <= end ? 1 : 0;
        table.transitions[index][0] = start <= end ? start : end;
        table.transitions[index][1] = start <= end ? end : start;
        janFirst += internal::isLeapYear(year) ? 31622400 : 31536000;
    }
}

// ---- Offsets and names --------------------------------------------------------

int TimeZone::getTimeZoneOffset() const { return standardOffset; }

int TimeZone::getTimeZoneOffsetWithDST() const {
    return daylightOffset != 0 ? daylightOffset : standardOffset;
}

bool TimeZone::inDaylightSavingTime(const Date& d) const {
    return inDaylightSavingTimeAt(d.getYear(), static_cast<int>(d.getMonth()),
                                  static_cast<int>(d.getDay()), static_cast<int>(d.getHour()),
                                  static_cast<int>(d.getMinute()),
                                  static_cast<int>(d.getSeconds()));
}

bool TimeZone::inDaylightSavingTimeAt(unsigned int year, int month, int day, int hour,
                                      int minute, int seconds) const {
    // A zone with the machine's own standard offset follows the machine's
    // flag instead of its rules; the flag says only that the machine's zone
    // knows daylight saving at all, so it holds for every date.
    if (standardOffset == internal::platformStandardOffset())
        return internal::platformHasDaylightSaving();
    if (ruleKind != KIND_RULES) return false;
    if (year < static_cast<unsigned int>(FIRST_YEAR) || year > static_cast<unsigned int>(LAST_YEAR))
        return false;
    const long instant = internal::unzonedEpochSeconds(year, month, day, hour, minute, seconds);
    const int index = static_cast<int>(year - FIRST_YEAR);
    const long first = tables->transitions[index][0];
    const long second = tables->transitions[index][1];
    if (tables->startBeforeEnd[index] == 1) return first < instant && instant < second;
    return instant <= first || instant >= second;
}

String TimeZone::toString(bool) const {
    for (const ZoneName& zone : kZoneNames)
        if (tables->standardName == zone.abbreviation) return String(zone.longName);
    return String::emptyString;
}

String TimeZone::to3CharString(bool inDST) const {
    return inDST && !tables->daylightName.isEmpty() ? tables->daylightName : tables->standardName;
}

// ---- Lookups -------------------------------------------------------------------

const TimeZone& TimeZone::getTimeZone(int offset) {
    for (const TimeZone* zone : kSearchOrder)
        if (zone->standardOffset == offset) return *zone;
    return GMT;
}

namespace {
// Whether the `length` characters at `name`, none of them NUL, are exactly
// the text at `text` up to its first NUL. `first` is name[0], or NUL for an
// empty name: most names differ from it there, at the cost of one load.
// strncmp stops at the name's end or at a NUL in `s`, so nothing past
// either is read.
inline bool sameText(const char* name, unsigned int length, char first, const char* text) {
    if (text == nullptr) return length == 0;  // a String with no storage is ""
    return text[0] == first && (length == 0 || (std::strncmp(name, text, length) == 0 && text[length] == '\0'));
}
}  // namespace

const TimeZone& TimeZone::getTimeZone(const String& name) {
    // Names are compared as C strings, so the text ends at its first NUL.
    return findByName(name.getData(), static_cast<unsigned int>(std::strlen(name.getData())));
}

const TimeZone& TimeZone::findByName(const char* name, unsigned int length) {
    // The names in search order, gathered once into one array: the
    // predefined zones are built at load and never change, and walking
    // their tables at every lookup costs more than the comparisons. An
    // empty daylight name is no name; UTC is found by its standard name
    // alone, after the others.
    struct Named {
        const TimeZone* zone;
        const char* text;
    };
    static const std::vector<Named> kNames = [] {
        std::vector<Named> names;
        for (const TimeZone* zone : kSearchOrder) {
            names.push_back(Named{zone, zone->tables->standardName.getData()});
            const char* daylight = zone->tables->daylightName.getData();
            if (daylight != nullptr && daylight[0] != '\0') names.push_back(Named{zone, daylight});
        }
        names.push_back(Named{&UTC, UTC.tables->standardName.getData()});
        return names;
    }();
    const char first = length == 0 ? '\0' : name[0];
    for (const Named& named : kNames)
        if (sameText(name, length, first, named.text)) return *named.zone;
    return GMT;
}

const TimeZone& TimeZone::getLocalTimeZone() {
    internal::tzsetForLocalZone();
    const long offset = internal::platformStandardOffset();
    if (offset < INT_MIN || offset > INT_MAX) return GMT;
    return getTimeZone(static_cast<int>(offset));
}

}  // namespace Korvane
