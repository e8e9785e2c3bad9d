/// TimeZone: a zone's standard offset, an optional daylight-saving offset with
/// the rules that say when it applies, and the zone's abbreviations.
///
/// A zone is built from a definition in the POSIX TZ notation with the offset
/// sign reversed: "IST+5:30" lies 5:30 east of UTC, "EST-5" five hours west.
/// Offsets returned by the members are seconds WEST of UTC (EST gives 18000).
/// Rules are evaluated once, at construction, into a table of transition
/// instants for each year 1970..2037. The table and the names never change
/// after construction, so copies share them (a copy costs a reference count,
/// which keeps copying a Date cheap).
/// @class Korvane::TimeZone
/// @headerfile TimeZone.h "korvane/TimeZone.h"
/// @ingroup time
#pragma once

#include <memory>

#include "korvane/Export.h"
#include "korvane/String.h"

namespace Korvane {

class Date;

class KORVANE_API TimeZone {
public:
    // ---- The predefined zones (built at load, in this order) ------------
    ///@{
    /// The 32 predefined zones, constants built when the library is loaded.
    static const TimeZone MIT, HST, AST, PST, PNT, MST, CST, EST, IET, PRT, CNT, AGT, BET, CAT,
        GMT, ECT, EET, ART, EAT, MET, NET, PLT, IST, BST, VST, CTT, JST, ACT, AET, SST, NST, UTC;
    ///@}

    // ---- Construction --------------------------------------------------
    /// Parses `std offset [dst [offset] [sep rule,rule]]` (sep ',' or ';';
    /// rules Jn, n or Mm.w.d, each optionally /hh[:mm[:ss]], default 02:00).
    /// Malformed definitions are not reported: a name shorter than three
    /// characters gives a zone that behaves as UTC; an incomplete daylight
    /// part gives a fixed zone with the standard offset read so far. The one
    /// exception that can leave: a rule month outside 1..12 throws
    /// QuillonException 41 from Date::daysInMonth where its length is needed
    /// (week 2 and up, or a month past 13); M0.w.d and M13.w.d with week 0
    /// or 1 ask for no length and are accepted.
    explicit TimeZone(const String& definition);
    ///@{
    /// Copies and assignment share the other zone's tables (a count, no
    /// allocation).
    TimeZone(const TimeZone& other);
    TimeZone& operator=(const TimeZone& other);
    ///@}
    ///@{
    /// Moving shares the tables as copying does (a count, no allocation), so
    /// the zone moved from stays the same zone.
    TimeZone(TimeZone&& other) noexcept
        : TimeZone(static_cast<const TimeZone&>(other)) {}
    TimeZone& operator=(TimeZone&& other) noexcept {
        return *this = static_cast<const TimeZone&>(other);
    }
    ///@}
    ~TimeZone();

    // ---- Offsets and names ---------------------------------------------
    /// Standard offset, seconds west of UTC.
    int getTimeZoneOffset() const;
    /// Daylight-saving offset when the zone has one, else the standard one.
    int getTimeZoneOffsetWithDST() const;
    /// Whether the wall-clock fields of `d` (read in this zone) lie in
    /// daylight-saving time. A zone whose standard offset equals the machine's
    /// own answers with the machine's "has daylight saving" flag for every
    /// date; dates outside 1970..2037 are never in daylight-saving time.
    bool inDaylightSavingTime(const Date& d) const;
    /// The long name ("Eastern Standard Time") found by the standard
    /// abbreviation among the predefined zones; String::emptyString for any
    /// other name. `inDST` is not used.
    String toString(bool inDST) const;
    /// The daylight abbreviation when `inDST` and the zone has one, else the
    /// standard abbreviation.
    String to3CharString(bool inDST) const;

    // ---- Lookups (references to the predefined zones) -------------------
    /// The first predefined zone (MIT ... NST, UTC excluded) whose standard
    /// offset equals `offset` (seconds west); GMT when none does.
    static const TimeZone& getTimeZone(int offset);
    /// Exact, case-sensitive abbreviation lookup in the same order, matching
    /// daylight names too ("BST" gives GMT); "UTC" gives UTC; anything else
    /// gives GMT.
    static const TimeZone& getTimeZone(const String& name);
    /// The predefined zone with the machine's standard offset (GMT when none
    /// has it). The machine's own daylight rules are not taken over.
    static const TimeZone& getLocalTimeZone();

private:
    friend class Date;

    enum { KIND_INVALID = 0, KIND_FIXED = 1, KIND_RULES = 2 };
    enum { FIRST_YEAR = 1970, LAST_YEAR = 2037, YEARS = LAST_YEAR - FIRST_YEAR + 1 };

    /// The daylight-saving test on wall-clock fields, for Date's conversions.
    bool inDaylightSavingTimeAt(unsigned int year, int month, int day, int hour, int minute,
                                int seconds) const;
    void parse(const String& definition);
    /// getTimeZone(name) for the `length` characters at `name`.
    static const TimeZone& findByName(const char* name, unsigned int length);

    /// The transition table and the names, shared by every copy.
    struct Tables;  ///< defined inside the library
    std::shared_ptr<Tables> tables;
    int standardOffset;
    int daylightOffset;
    int ruleKind;
};

}  // namespace Korvane
