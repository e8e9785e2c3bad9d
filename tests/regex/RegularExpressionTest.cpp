// RegularExpression as a caller sees it: compile errors and hostile
// patterns, the search semantics where they differ from POSIX, globs and copies.
// Walks, substitution and copies for arbitrary patterns and subjects, against
// a model of the matcher, are the regex fuzz target's, replayed from its
// corpus on every build.

#include "RegexTestSupport.h"
#include "korvane/IndexOutOfRange.h"
#include "korvane/QuillonException.h"
#include "korvane/RegularExpression.h"

using namespace Korvane;
using namespace korvane_test;

// ---- Compiling ----------------------------------------------------------------

TEST(RegularExpressionTest, MalformedAndHugePatternsAreRejectedWithTheirOwnError) {
    std::string alternatives;
    for (int i = 0; i < 20000; ++i) alternatives += "a|";
    const struct { std::string pattern; int errorNumber; } cases[] = {
        {"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", 7}, {"(a", 8}, {"a)", 8}, {"(a*)*", 10}, {"(a|)*", 10}, {"^*", 10},
        {"a**", 11}, {"a*?", 11}, {"[z-a]", 12}, {"[a-c-b]", 12},  // the second range starts at c
        {"[abc", 13}, {"[^]", 13}, {"*a", 15}, {"a|?", 15}, {"a\\", 16},
        {std::string(1000000, '('), 7},  // the tenth group, long before the end
        {std::string(1000000, '['), 13}, {"a" + std::string(1000000, '+'), 11}, {alternatives, 5},
        {"[" + std::string(200000, '-') + "]", 0},  // '-' then ranges from '-' to '-': one member
        {std::string(200000, 'a') + "(", 8},         // the size check comes after the parse
    };
    for (const auto& c : cases)
        EXPECT_EQ(compileError(c.pattern), c.errorNumber) << c.pattern.substr(0, 12) << " (" << c.pattern.size() << ")";
    expectError([] { RegularExpression re("a)", ""); }, 8, "RegularExpression::reg(comp, bool, flags)");
    expectError([] { RegularExpression re("a**", ""); }, 11, "RegularException::regpiece(comp *cp, int *flagp)");
    expectError([] { RegularExpression re("a\\", ""); }, 16, "RegularException::regatom(comp, flags)");
    // Offsets near the 15-bit limit: the first branch links across almost the whole program.
    const std::string pattern = "x(" + std::string(32700, 'b') + "|a)y";
    EXPECT_EQ(str(RegularExpression(pattern.c_str(), "qqxay").substitute("&")), "xay");
    RegularExpression longer(pattern.c_str(), ("x" + std::string(32700, 'b') + "y").c_str());
    EXPECT_EQ(longer.substitute("&").length(), 32702u);
}

// ---- Searching ----------------------------------------------------------------

TEST(RegularExpressionTest, FirstSearchFindsTheLeftmostFirstMatch) {
    // hasExpression(), getNumberSubExpressions() and substitute("&|\1|\2").
    struct SearchCase { const char *pattern, *subject; bool has; unsigned int count; const char* expected; } cases[] = {
        {"x*", "abc", false, 1, "||"},  // an empty match at 0
        {"q", "abc", false, 0, "||"},
        {"(x)|y", "y", true, 1, "y||"},  // group 1 took no part
        {"[\\n]+", "ab\\nn", true, 1, "\\nn||"},  // a backslash is a set member
        {"a{2}", "aa a{2}", true, 1, "a{2}||"},    // braces are ordinary
        {"a^b", "ab a^b", false, 0, "||"},         // ^ is an anchor everywhere
        {"(a)(b)(c)(d)(e)(f)(g)(h)(i)", "xabcdefghi", true, 10, "abcdefghi|a|b"},
        // Where this library differs from POSIX:
        {"a|ab", "abc", true, 1, "a||"},  // the first alternative wins, not the longest
        {"|a", "abc", false, 1, "||"},
        {"(a|ab)c?", "abc", true, 2, "a|a|"},
        {"(a*)(a)", "aaaa", true, 3, "aaaa|aaa|a"},  // give-back one byte at a time
        {"(a|b)*", "ab", true, 2, "ab|b|"},          // a group records its last iteration
        {"((a)|b)+", "ab", true, 3, "ab|b|a"},       // an inner group keeps its last visit
        {"(a)x|ab", "ab", true, 1, "ab||"},          // a failed alternative leaves no slot
        {"(a)?(a)", "a", true, 1, "a||a"},           // ? tries the atom first; the count stops at group 1
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " in " + c.subject);
        RegularExpression re(c.pattern, c.subject);
        EXPECT_EQ(re.hasExpression(), c.has);
        EXPECT_EQ(re.getNumberSubExpressions(), c.count);
        EXPECT_EQ(str(re.substitute("&|\\1|\\2")), c.expected);
    }
    // The text ends at the first NUL, in the subject and in the pattern.
    const String subject("ab\0cd", 5u);
    EXPECT_EQ(RegularExpression("c", subject).getNumberSubExpressions(), 0u);
    EXPECT_TRUE(RegularExpression("b$", subject).hasExpression());
    EXPECT_EQ(str(RegularExpression(String("q\0zz", 4u), "aqzz").substitute("&")), "q");
}

TEST(RegularExpressionTest, NextMatchErrors) {
    RegularExpression re("(a)", "a");
    expectError([&] { re.nextMatch(10); }, 1, "RegularExpression::nextMatch(int)", "Cannot have 10 >= 10");
    expectError([&] { re.nextMatch(4294967295u); }, 1, "RegularExpression::nextMatch(int)",
                "Cannot have 4294967295 >= 10");
    expectError([&] { re.nextMatch(2); }, 2, "RegularExpression::nextMatch(index)", std::nullopt);  // no such group
    // The errors left the match alone; after it the slots are cleared.
    EXPECT_EQ(str(re.nextMatch(1)), "a");
    EXPECT_THROW(re.nextMatch(0), QuillonException);
}

TEST(RegularExpressionTest, RefusalForMissingLiteralKeepsThePreviousSlots) {
    // x*(b)c needs a c; after the first match the rest of the subject has none.
    RegularExpression refused("x*(b)c", "bc--");
    EXPECT_EQ(str(refused.nextMatch(0)), "bc");
    EXPECT_FALSE(refused.hasExpression());
    EXPECT_EQ(str(refused.substitute("&\\1")), "bcb");
    // Without a required literal a failed search clears them.
    RegularExpression cleared("(b)c", "bc--");
    EXPECT_EQ(str(cleared.nextMatch(0)), "bc");
    EXPECT_EQ(str(cleared.substitute("[&\\1]")), "[]");
}

TEST(RegularExpressionTest, GlobConversion) {
    const struct { const char *glob, *pattern; } cases[] = {
        {"*.txt", "^.*\\.txt$"}, {"a?b", "^a\\?b$"}, {"", "^$"}, {"[ab]*", "^\\[ab\\].*$"},
        {"a\\*b0", "^a\\*b0$"}, {"a\\bc", "^a\\bc$"}, {"~$(x)", "^\\~\\$\\(x\\)$"}, {"caf\xE9 2", "^caf\xE9 2$"},
    };
    for (const auto& c : cases) EXPECT_EQ(str(RegularExpression::glob2RegularExpression(c.glob)), c.pattern) << c.glob;
    EXPECT_EQ(thrownText([] { RegularExpression::glob2RegularExpression("abc\\"); }),
              "T Array::operator[](unsigned int) const - Index greater than Array length.");
}

// Copies made during a walk are the regex fuzz target's; assignment is here.
TEST(RegularExpressionTest, AssignmentCopiesTheWalk) {
    RegularExpression source("x*([0-9])+", "a12b345c6"), assigned("z", "z");
    EXPECT_EQ(str(source.nextMatch(0)), "12");
    assigned = source;
    const RegularExpression& self = assigned;
    assigned = self;
    EXPECT_EQ(str(source.nextMatch(0)), "345");
    EXPECT_EQ(str(assigned.nextMatch(0)), "345");
    EXPECT_EQ(str(assigned.nextMatch(0)), "6");
    EXPECT_FALSE(assigned.hasExpression());
}
