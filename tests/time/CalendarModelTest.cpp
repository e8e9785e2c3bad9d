// The calendar arithmetic against a slow literal model: the month-by-month
// day walk of normalisation (the library takes whole 400-year runs in one
// step), over milliseconds and years near the unsigned wrap that the timegm
// comparison in GlibcPeerTest cannot reach; and edges of the rule arithmetic.
#include <gtest/gtest.h>

#include <random>

#include "time/Calendar.h"
#include "time/TimeTestSupport.h"
#include "time/ZoneRules.h"

using namespace Korvane;
using internal::CalendarFields;

namespace {

void carryModel(long long& value, long long unit, long long& next) {
    if (value < 0 || value >= unit) {
        next += value / unit;
        value %= unit;
        if (value < 0) {
            value += unit;
            next -= 1;
        }
    }
}

CalendarFields normaliseModel(CalendarFields f) {
    carryModel(f.milliseconds, 1000, f.seconds);
    carryModel(f.seconds, 60, f.minute);
    carryModel(f.minute, 60, f.hour);
    carryModel(f.hour, 24, f.day);
    if (f.month < 0 || f.month >= 12) {
        f.year += static_cast<unsigned int>(f.month / 12);
        f.month %= 12;
        if (f.month < 0) {
            f.month += 12;
            f.year -= 1;
        }
    }
    unsigned int month = static_cast<unsigned int>(f.month);
    if (f.day > 0) {
        while (f.day > Date::daysInMonth(month, f.year)) {
            f.day -= Date::daysInMonth(month, f.year);
            if (++month == 12) {
                month = 0;
                ++f.year;
            }
        }
    } else {
        while (f.day < 1) {
            if (month == 0) {
                month = 11;
                --f.year;
            } else {
                --month;
            }
            f.day += Date::daysInMonth(month, f.year);
        }
    }
    f.month = month;
    return f;
}

bool sameFields(const CalendarFields& a, const CalendarFields& b) {
    return a.milliseconds == b.milliseconds && a.seconds == b.seconds && a.minute == b.minute &&
           a.hour == b.hour && a.day == b.day && a.month == b.month && a.year == b.year;
}

}  // namespace

TEST(CalendarModelTest, NormalisationMatchesTheMonthWalk) {
    const unsigned seed = std::random_device{}();
    std::mt19937_64 random(seed);
    std::uniform_int_distribution<long long> days(-1500000, 1500000);
    std::uniform_int_distribution<long long> small(-100000, 100000);
    // Years near both ends of the unsigned range, where the year wraps.
    const unsigned int years[] = {0u, 1u, 399u, 1970u, 2000u, 4294967295u, 4294966000u, 4294960000u};
    for (int round = 0; round < 1500; ++round) {
        CalendarFields f{small(random), small(random), small(random), small(random), days(random),
                         small(random) / 100, years[random() % 8]};
        CalendarFields ours = f;
        internal::normalise(ours);
        const CalendarFields expected = normaliseModel(f);
        ASSERT_TRUE(sameFields(ours, expected))
            << "seed " << seed << " round " << round << ": year " << ours.year << " vs "
            << expected.year << ", day " << ours.day << " vs " << expected.day;
    }
}

// Months outside 1..12 give error 41 (DateNotationsTest and TimeZoneTest,
// through the zone definitions); the first week of every month in range,
// including the two that the glibc comparison's random rules leave out.
TEST(CalendarModelTest, FirstWeekRuleOfEveryMonth) {
    for (int month = 1; month <= 12; ++month) {
        const internal::TransitionRule rule{internal::RULE_MONTH_WEEK_DAY, 0, 1, month, 0};
        const long long instant = internal::transitionTime(0, 1970, rule, 0);
        const Date first(static_cast<long>(instant), TimeZone::UTC);
        EXPECT_EQ(first.getMonth(), static_cast<unsigned int>(month - 1));
        EXPECT_EQ(first.getDayOfWeek(), Date::SUNDAY);
        EXPECT_LE(first.getDay(), 7u);
    }
}

TEST(CalendarModelTest, InvalidRulesUseTheDefaultTime) {
    internal::DefinitionReader reader("M3/1,");
    const internal::TransitionRule rule = reader.readRule();
    EXPECT_EQ(rule.kind, internal::RULE_INVALID);
    EXPECT_EQ(rule.time, 7200);
    EXPECT_EQ(reader.peek(), '/');
    // Such a rule has no day: the year's start is not added either.
    EXPECT_EQ(internal::transitionTime(1000, 2001, rule, 60), 7200 + 60);
}
