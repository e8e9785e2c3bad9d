// The edges of the transition rules that the glibc comparison leaves out.
// (The in-place RFC 822 tokens are read by every date fuzz input.)

#include "time/Calendar.h"
#include "time/TimeTestSupport.h"
#include "time/ZoneRules.h"

using namespace Korvane;

TEST(ModelTest, RuleEdges) {
    // The first week of every month, including the two that the glibc
    // comparison's random rules leave out.
    for (int month = 1; month <= 12; ++month) {
        const internal::TransitionRule rule{internal::RULE_MONTH_WEEK_DAY, 0, 1, month, 0};
        const Date first(static_cast<long>(internal::transitionTime(0, 1970, rule, 0)), TimeZone::UTC);
        EXPECT_EQ(first.getMonth(), static_cast<unsigned int>(month - 1));
        EXPECT_EQ(first.getDayOfWeek(), Date::SUNDAY);
        EXPECT_LE(first.getDay(), 7u);
    }
    // An unreadable rule keeps the default time and has no day: the year's start is not added.
    internal::DefinitionReader reader("M3/1,");
    const internal::TransitionRule rule = reader.readRule();
    EXPECT_EQ(rule.kind, internal::RULE_INVALID);
    EXPECT_EQ(reader.peek(), '/');
    EXPECT_EQ(internal::transitionTime(1000, 2001, rule, 60), 7200 + 60);
}
