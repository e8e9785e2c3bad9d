// Internal arithmetic against slow literal models: the month-by-month day
// walk of normalisation (the library takes whole 400-year runs in one step)
// near the unsigned year wrap that the timegm comparison cannot reach, and
// the in-place RFC 822 tokens against StringTokenizer and String::toInt.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "korvane/StringTokenizer.h"
#include "time/Calendar.h"
#include "time/TimeTestSupport.h"
#include "time/TokenCursor.h"
#include "time/ZoneRules.h"

using namespace Korvane;
using internal::CalendarFields;
using korvane_test::str;

namespace {

void carry(long long& value, long long unit, long long& next) {
    next += value / unit - (value % unit < 0);
    value = (value % unit + unit) % unit;
}

CalendarFields normaliseModel(CalendarFields f) {
    carry(f.milliseconds, 1000, f.seconds);
    carry(f.seconds, 60, f.minute);
    carry(f.minute, 60, f.hour);
    carry(f.hour, 24, f.day);
    long long years = 0;
    carry(f.month, 12, years);
    f.year += static_cast<unsigned int>(years);
    unsigned int month = static_cast<unsigned int>(f.month);
    while (f.day > Date::daysInMonth(month, f.year)) {
        f.day -= Date::daysInMonth(month, f.year);
        if (++month == 12) month = 0, ++f.year;
    }
    while (f.day < 1) {
        if (month-- == 0) month = 11, --f.year;
        f.day += Date::daysInMonth(month, f.year);
    }
    f.month = month;
    return f;
}

std::string text(const CalendarFields& f) {
    return std::to_string(f.year) + "/" + std::to_string(f.month) + "/" + std::to_string(f.day) +
           " " + std::to_string(f.hour) + ":" + std::to_string(f.minute) + ":" +
           std::to_string(f.seconds) + "." + std::to_string(f.milliseconds);
}

}  // namespace

TEST(ModelTest, NormalisationMatchesTheMonthWalk) {
    const unsigned seed = std::random_device{}();
    std::mt19937_64 random(seed);
    std::uniform_int_distribution<long long> days(-1500000, 1500000);
    std::uniform_int_distribution<long long> small(-100000, 100000);
    const unsigned int years[] = {0u, 1u, 399u, 2000u, 4294967295u, 4294966000u};
    for (int round = 0; round < 1500; ++round) {
        CalendarFields f{small(random), small(random), small(random), small(random), days(random),
                         small(random) / 100, years[random() % 6]};
        CalendarFields ours = f;
        internal::normalise(ours);
        ASSERT_EQ(text(ours), text(normaliseModel(f))) << "seed " << seed << " from " << text(f);
    }
}

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

TEST(ModelTest, TokensAreThoseOfStringTokenizerAndToInt) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int i = static_cast<int>(random() % 20); i > 0; --i) text += "ab19, :\t0x-+F7"[random() % 14];
        const std::string context = "seed " + std::to_string(seed) + " text '" + text + "'";
        const internal::Token whole{text.c_str(), static_cast<unsigned int>(text.size())};
        ASSERT_EQ(internal::tokenToInt(whole), String(text.c_str()).toInt()) << context;
        StringTokenizer expected(String(text.c_str()), String(" ,:"), String());
        internal::TokenCursor cursor(text.c_str(), " ,:");
        while (expected.hasToken()) {
            const internal::Token token = cursor.nextToken();
            ASSERT_EQ(std::string(token.start, token.length), str(expected.nextToken())) << context;
        }
        try {
            cursor.nextToken();
            FAIL() << context << ": a token too many";
        } catch (const QuillonException& e) {
            ASSERT_EQ(e.getErrNo(0), 21) << context;
            ASSERT_EQ(str(e.getErrLocation(0)), "StringTokenizer::nextToken()");
        }
    }
}
