// The pieces of a zone definition and the transition-instant arithmetic
// behind TimeZone. Kept apart from the class so the rule arithmetic can be
// compared with the C runtime's own evaluation of POSIX TZ rules.
#pragma once

namespace Korvane {
namespace internal {

enum RuleKind { RULE_JULIAN = 0, RULE_ZERO_BASED_DAY = 1, RULE_MONTH_WEEK_DAY = 2, RULE_INVALID = 3 };

// One daylight-saving change: Jn (day 1..365, 29 February never counted), n
// (day 0..365, 29 February counted) or Mm.w.d (month 1..12, week 1..5 where 5
// is the last, weekday 0 = Sunday), at `time` seconds after local midnight.
struct TransitionRule {
    int kind;
    int day;
    int week;
    int month;
    int time;
};

// A cursor over the text of a definition. Numbers are runs of decimal
// digits, 0 when absent; they saturate at INT_MAX instead of overflowing.
class DefinitionReader {
public:
    explicit DefinitionReader(const char* text) : rest(text) {}

    bool atEnd() const { return *rest == '\0'; }
    char peek() const { return *rest; }
    void skip() { ++rest; }

    // The run of characters up to the first digit, ',', '-', '+' or the end;
    // returns its length and leaves `start` at its first character.
    unsigned int readName(const char*& start);
    // [+|-]hh[:mm[:ss]] in seconds, negative for '-'.
    long long readOffset();
    // A rule with its optional /hh[:mm[:ss]] time. A rule that cannot be
    // read is RULE_INVALID, with the default time 02:00 (the definition
    // gives it none) and the cursor left where reading stopped.
    TransitionRule readRule();

private:
    int readNumber();
    long long readClock();

    const char* rest;
};

// The instant of `rule` in `year`, as seconds from 1970 of wall-clock
// fields read as UTC: `janFirst` (1 January 00:00 of `year` on that scale)
// plus the rule's day and time plus `eastOffset`. A rule month outside 1..12
// throws QuillonException 41 from Date::daysInMonth where the sum of the
// months before it or the week walk asks for such a month's length.
long long transitionTime(long long janFirst, unsigned int year, const TransitionRule& rule,
                         long long eastOffset);

}  // namespace internal
}  // namespace Korvane
