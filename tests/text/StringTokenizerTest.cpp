// StringTokenizer's escapes. The tokens of plain texts are compared with
// strtok, and positions, reset, reverse, copies and error 21 checked, by the
// tokenizer fuzz target, whose corpus every build replays.

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
    StringTokenizer assigned(String("a,b"), String(","), String(""));
    const StringTokenizer& same = assigned;
    assigned = same;  // self-assignment through an alias
    EXPECT_EQ(str(assigned.nextToken()), "a");
}
