// StringTokenizer's own rules; the tokens of plain texts are compared with
// strtok by the tokenizer fuzz target, whose corpus every build replays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "korvane/StringTokenizer.h"

using namespace Korvane;
using korvane_test::str;
using Tokens = std::vector<std::string>;

namespace {
Tokens allTokens(const char* text, const char* delimiters, const char* escapes) {
    StringTokenizer tokenizer{String(text), String(delimiters), String(escapes)};
    Tokens out;
    while (tokenizer.hasToken()) out.push_back(str(tokenizer.nextToken()));
    EXPECT_EQ(out.size(), tokenizer.countTokens());
    return out;
}
}  // namespace

// A delimiter ends a token unless the character before it is an escape;
// after a leading delimiter or a run of them the scan lags one step behind.
TEST(StringTokenizerTest, EscapesBeforeAndAfterDelimiters) {
    struct Case { const char *text, *delimiters, *escapes; Tokens expected; } cases[] = {
        {"a\\,b,c", ",", "\\", {"a\\,b", "c"}},  {"a\\,,b", ",", "\\", {"a\\,", "b"}},
        {"a\\,", ",", "\\", {"a\\,"}},            {",a\\,b", ",", "\\", {"a\\", "b,"}},
        {"a,,b\\,c", ",", "\\", {"a", "b\\", "c,"}}, {"a,,b", ",", ",", {"a", "b"}},
        {"a;,b", ",;", ";", {"a", "b"}},          {" a  b,c", " ,", "", {"a", "b", "c"}},
    };
    for (const Case& c : cases) EXPECT_EQ(allTokens(c.text, c.delimiters, c.escapes), c.expected) << c.text;
}

TEST(StringTokenizerTest, PositionResetReverseCopiesAndError21) {
    StringTokenizer tokenizer(String("a,b,c"), String(","), String(""));
    EXPECT_EQ(str(tokenizer.nextToken()), "a");
    EXPECT_EQ(tokenizer.countTokens(), 3u);
    StringTokenizer copy(tokenizer);
    EXPECT_EQ(str(copy.nextToken()), "b");
    EXPECT_EQ(str(tokenizer.nextToken()), "b");
    EXPECT_TRUE(tokenizer.hasToken(String("b")));
    EXPECT_FALSE(tokenizer.hasToken(String("d")));
    tokenizer.reverse();  // keeps the position
    EXPECT_EQ(str(tokenizer.nextToken()), "a");
    tokenizer.reset();
    EXPECT_EQ(str(tokenizer.nextToken()), "c");
    StringTokenizer assigned(String("p"), String(":"), String(""));
    assigned = copy;
    const StringTokenizer& same = assigned;
    assigned = same;  // self-assignment through an alias
    EXPECT_EQ(str(assigned.nextToken()), "c");
    EXPECT_FALSE(assigned.hasToken());
    for (const char* text : {"", ",,", "a"}) {
        StringTokenizer t(String(text), String(","), String(""));
        while (t.hasToken()) t.nextToken();
        korvane_test::expectError([&] { t.nextToken(); }, 21, "StringTokenizer::nextToken()");
        EXPECT_FALSE(t.hasToken());
    }
}
