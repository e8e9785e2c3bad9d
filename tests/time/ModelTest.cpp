// Internal pieces against what they stand in for: the in-place RFC 822
// tokens against StringTokenizer and String::toInt, and the edges of the
// transition rules that the glibc comparison leaves out.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "korvane/StringTokenizer.h"
#include "time/Calendar.h"
#include "time/TimeTestSupport.h"
#include "time/TokenCursor.h"
#include "time/ZoneRules.h"

using namespace Korvane;
using korvane_test::str;

namespace {

}  // namespace

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
    std::mt19937 random(korvane_test::testSeed(20261001));
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int i = static_cast<int>(random() % 20); i > 0; --i) text += "ab19, :\t0x-+F7"[random() % 14];
        const std::string context = "text '" + text + "'";
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
