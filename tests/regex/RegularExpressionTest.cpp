// RegularExpression as a caller sees it: compile errors, the search
// semantics (including where they differ from POSIX), walking, substitution,
// globs and copies.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RegexTestSupport.h"
#include "korvane/IndexOutOfRange.h"
#include "korvane/QuillonException.h"
#include "korvane/RegularExpression.h"

using namespace Korvane;
using korvane_test::compileOutcome;
using korvane_test::str;

namespace {

std::string whole(RegularExpression& re) { return str(re.substitute("&")); }

// Every match of a walk with nextMatch(0).
std::vector<std::string> walk(const char* pattern, const char* subject) {
    RegularExpression re(pattern, subject);
    std::vector<std::string> found;
    while (re.hasExpression() && found.size() < 100) found.push_back(str(re.nextMatch(0)));
    return found;
}

}  // namespace

// ---- Compiling ----------------------------------------------------------------

TEST(RegularExpressionTest, MalformedPatternsAreRejectedWithTheirOwnError) {
    const struct {
        const char* pattern;
        int errorNumber;
    } cases[] = {
        {"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", 7}, {"((((((((((a))))))))))", 7},
        {"(a", 8}, {"((a)", 8}, {"a)", 8}, {")", 8},
        {"(a*)*", 10}, {"(a?)+", 10}, {"(a|)*", 10}, {"()+", 10}, {"^*", 10}, {"$+", 10},
        {"a**", 11}, {"a*?", 11}, {"a+*", 11}, {"(ab)??", 11},
        {"[z-a]", 12}, {"[a-c-b]", 12},  // the second range starts at c
        {"[abc", 13}, {"[^]", 13}, {"[", 13}, {"[a-", 13},
        {"*a", 15}, {"(+a)", 15}, {"a|?", 15},
        {"a\\", 16}, {"(\\", 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        try {
            RegularExpression re(c.pattern, "abc");
            ADD_FAILURE() << "compiled";
        } catch (const Exception& e) {
            EXPECT_EQ(e.getMyID(), -2);  // a QuillonException
            EXPECT_EQ(e.getErrorStackSize(), 1u);
            EXPECT_EQ(e.getLib(0), Exception::LIB_QUILLON);
            EXPECT_EQ(e.getErrNo(0), c.errorNumber);
            EXPECT_EQ(str(e.getErrLocation(0)),
                      korvane_test::compileErrorLocations().at(c.errorNumber));
            EXPECT_EQ(str(e.getExtraInfo(0)), "");
            if (c.errorNumber == 12) {
                EXPECT_EQ(str(e.getErrorText(12, Exception::LIB_QUILLON)), "Invalid [] range");
            }
        }
    }
}

TEST(RegularExpressionTest, BorderlinePatternsCompile) {
    const char* patterns[] = {"",         "(a?)?",   "(a*)?",   "|a",     "a|",   "()",
                              "[]a]",     "[-a]",    "[a-]",    "[a-a]",  "a{2}", "]",
                              "\\n",      "[\\]",    "(^a)",    "a^b$c",  "$?",
                              "(a)(b)(c)(d)(e)(f)(g)(h)(i)", "[^-]", "[]-a]", "\xE9+"};
    for (const char* pattern : patterns) {
        SCOPED_TRACE(pattern);
        EXPECT_EQ(compileOutcome(pattern, "abc").errorNumber, 0);
    }
}

// ---- Searching ----------------------------------------------------------------

TEST(RegularExpressionTest, FirstSearchFindsTheLeftmostFirstMatch) {
    struct SearchCase {
        const char* pattern;
        const char* subject;
        bool has;                // hasExpression()
        unsigned int count;      // getNumberSubExpressions()
        const char* matchText;   // substitute("&")
        const char* groups;      // substitute("\1,\2,\3")
    } cases[] = {
        {"a*", "aaab", true, 1, "aaa", ",,"},
        {"x*", "abc", false, 1, "", ",,"},       // empty match at 0
        {"$", "abc", false, 1, "", ",,"},
        {"", "abc", false, 1, "", ",,"},
        {"q", "abc", false, 0, "", ",,"},
        {"(a|ab)(c|bcd)(d*)", "abcd", true, 4, "abcd", "a,bcd,"},
        {"(x)|y", "y", true, 1, "y", ",,"},      // group 1 took no part
        {"a\\.b", "axb a.b", true, 1, "a.b", ",,"},
        {"[\\n]+", "ab\\nn", true, 1, "\\nn", ",,"},  // backslash is a member
        {"a{2}", "aa a{2}", true, 1, "a{2}", ",,"},     // braces are ordinary
        {"a^b", "ab a^b", false, 0, "", ",,"},       // ^ is an anchor everywhere
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " in " + c.subject);
        RegularExpression re(c.pattern, c.subject);
        EXPECT_EQ(re.hasExpression(), c.has);
        EXPECT_EQ(re.getNumberSubExpressions(), c.count);
        EXPECT_EQ(whole(re), c.matchText);
        EXPECT_EQ(str(re.substitute("\\1,\\2,\\3")), c.groups);
    }
}

TEST(RegularExpressionTest, SemanticsThatDifferFromPosix) {
    struct SemanticsCase {
        const char* why;
        const char* pattern;
        const char* subject;
        const char* expected;  // substitute of "&|\1|\2"
    } cases[] = {
        {"the first alternative wins, not the longest", "a|ab", "abc", "a||"},
        {"an empty first alternative wins", "|a", "abc", "||"},
        {"alternatives in order inside a group", "(a|ab)c?", "abc", "a|a|"},
        {"a repetition gives back one byte at a time", "(a*)(a)", "aaaa", "aaaa|aaa|a"},
        {"give-back to let the rest match", "a*ab", "aaab", "aaab||"},
        {"greedy dot", ".*b", "abab", "abab||"},
        {"a group records its last iteration", "(a|b)*", "ab", "ab|b|"},
        {"an inner group keeps its last visit", "((a)|b)+", "ab", "ab|b|a"},
        {"a loop over a group", "(ab)*c", "xababc", "ababc|ab|"},
        {"a failed alternative leaves no slot", "(a)x|ab", "ab", "ab||"},
        {"? tries the atom first", "(a)?(a)", "a", "a||a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        RegularExpression re(c.pattern, c.subject);
        EXPECT_EQ(str(re.substitute("&|\\1|\\2")), c.expected);
    }
}

TEST(RegularExpressionTest, NineGroupsFillAllTenSlots) {
    RegularExpression re("(a)(b)(c)(d)(e)(f)(g)(h)(i)", "xabcdefghi");
    EXPECT_EQ(re.getNumberSubExpressions(), 10u);
    EXPECT_EQ(str(re.substitute("\\9\\8\\1-\\0")), "iha-abcdefghi");
}

// ---- Walking ------------------------------------------------------------------

TEST(RegularExpressionTest, WalkingVisitsMatchesLeftToRight) {
    using List = std::vector<std::string>;
    EXPECT_EQ(walk("[0-9]+", "a1 22 b333c"), (List{"1", "22", "333"}));
    EXPECT_EQ(walk("ab|b", "abbab"), (List{"ab", "b", "ab"}));
    // ^ matches wherever a search starts, so each step matches again.
    EXPECT_EQ(walk("^a", "aaab"), (List{"a", "a", "a"}));
    // A walk ends at an empty match, even for patterns that can match empty.
    EXPECT_EQ(walk("a*", "aab"), (List{"aa"}));
    EXPECT_EQ(walk("x*", "abc"), List{});
    EXPECT_EQ(walk("(ab)*c", "abcabababcc"), (List{"abc", "abababc", "c"}));
}

TEST(RegularExpressionTest, NextMatchReturnsTheSubMatchAndMovesOn) {
    RegularExpression re("([a-z]+)=([0-9]+)", "x=1, yy=22 =");
    EXPECT_EQ(str(re.nextMatch(2)), "1");
    EXPECT_EQ(str(re.substitute("\\1")), "yy");
    EXPECT_EQ(str(re.nextMatch(1)), "yy");
    EXPECT_FALSE(re.hasExpression());
    EXPECT_EQ(re.getNumberSubExpressions(), 0u);
}

TEST(RegularExpressionTest, NextMatchErrors) {
    const char* const indexLocation = "RegularExpression::nextMatch(int)";
    const struct {
        unsigned int index;
        int errorNumber;
        const char* location;
        const char* extra;  // not checked when null
    } cases[] = {
        {10, 1, indexLocation, "Cannot have 10 >= 10"},
        {12, 1, indexLocation, "Cannot have 12 >= 10"},
        {4294967295u, 1, indexLocation, "Cannot have 4294967295 >= 10"},
        {2, 2, "RegularExpression::nextMatch(index)", nullptr},  // no such group
        {9, 2, "RegularExpression::nextMatch(index)", nullptr},
    };
    RegularExpression re("(a)", "a");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        try {
            re.nextMatch(c.index);
            ADD_FAILURE() << "no error";
        } catch (const QuillonException& e) {
            EXPECT_EQ(e.getErrNo(0), c.errorNumber);
            EXPECT_EQ(str(e.getErrLocation(0)), c.location);
            if (c.extra != nullptr) {
                EXPECT_EQ(str(e.getExtraInfo(0)), c.extra);
            }
        }
    }
    // The errors left the match alone; after the last one the slots are
    // cleared: nothing left to take.
    EXPECT_EQ(str(re.nextMatch(1)), "a");
    EXPECT_THROW(re.nextMatch(0), QuillonException);
}

TEST(RegularExpressionTest, RefusalForMissingLiteralKeepsThePreviousSlots) {
    // x*(b)c needs a c; after the first match the rest of the subject has none.
    RegularExpression refused("x*(b)c", "bc--");
    EXPECT_EQ(str(refused.nextMatch(0)), "bc");
    EXPECT_FALSE(refused.hasExpression());
    EXPECT_EQ(refused.getNumberSubExpressions(), 2u);
    EXPECT_EQ(str(refused.substitute("&\\1")), "bcb");

    // Without a required literal a failed search clears them.
    RegularExpression cleared("(b)c", "bc--");
    EXPECT_EQ(str(cleared.nextMatch(0)), "bc");
    EXPECT_FALSE(cleared.hasExpression());
    EXPECT_EQ(cleared.getNumberSubExpressions(), 0u);
    EXPECT_EQ(str(cleared.substitute("[&\\1]")), "[]");
}

// ---- Substitution -------------------------------------------------------------

TEST(RegularExpressionTest, SubstitutionRules) {
    RegularExpression re("(a)(b)", "xaby");
    const struct {
        const char* source;
        const char* expected;
    } cases[] = {
        {"\\2\\1&", "baab"}, {"\\0", "ab"}, {"<&&>", "<abab>"}, {"", ""},
        {"\\\\", "\\"},  // a double backslash gives one
        {"\\&", "&"}, {"\\\\1", "\\1"},
        {"\\x", "\\x"}, {"a\\", "a\\"},  // a backslash before anything else stays, also at the end
        {"\\3\\9", ""},  // unset groups give nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(str(re.substitute(c.source)), c.expected);
    }
    // Substituting does not move the match.
    EXPECT_EQ(str(re.nextMatch(0)), "ab");
    // After an empty match.
    EXPECT_EQ(str(RegularExpression("(x*)", "abc").substitute("[&][\\1]")), "[][]");
}

// ---- Globs --------------------------------------------------------------------

TEST(RegularExpressionTest, GlobConversion) {
    const struct {
        const char* glob;
        const char* pattern;
    } cases[] = {
        {"*.txt", "^.*\\.txt$"}, {"a?b", "^a\\?b$"}, {"", "^$"}, {"[ab]*", "^\\[ab\\].*$"},
        {"a\\*b", "^a\\*b$"}, {"a\\bc", "^a\\bc$"}, {"My File 2.doc", "^My File 2\\.doc$"},
        {"~$(x)", "^\\~\\$\\(x\\)$"}, {"caf\xE9", "^caf\xE9$"}, {"\t", "^\t$"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.glob);
        EXPECT_EQ(str(RegularExpression::glob2RegularExpression(c.glob)), c.pattern);
    }
}

TEST(RegularExpressionTest, GlobEndingInABackslashIsAnIndexError) {
    try {
        RegularExpression::glob2RegularExpression("abc\\");
        FAIL() << "no error";
    } catch (const IndexOutOfRange& e) {
        EXPECT_STREQ(e.toString(),
                     "T Array::operator[](unsigned int) const - Index greater than Array length.");
    }
}

TEST(RegularExpressionTest, GlobPatternsMatchExactlyTheNames) {
    const String pattern = RegularExpression::glob2RegularExpression("*.t?t");
    struct NameCase {
        const char* name;
        bool matches;
    } cases[] = {{"notes.t?t", true}, {".t?t", true},    {"notes.txt", false},
                 {"a.t?t.bak", false}, {"notesxt?t", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RegularExpression re(pattern, c.name);
        EXPECT_EQ(re.getNumberSubExpressions() > 0, c.matches);
    }
}

// ---- Text boundaries ----------------------------------------------------------

TEST(RegularExpressionTest, TextEndsAtTheFirstNul) {
    const String subject("ab\0cd", 5u);
    EXPECT_EQ(RegularExpression("c", subject).getNumberSubExpressions(), 0u);
    RegularExpression end("b$", subject);
    EXPECT_TRUE(end.hasExpression());

    String pattern("q");
    pattern += '\0';
    pattern += "zz";
    RegularExpression cut(pattern, "aqzz");  // the pattern is "q"
    EXPECT_EQ(whole(cut), "q");
}

// ---- Copies -------------------------------------------------------------------

TEST(RegularExpressionTest, CopiesAreIndependent) {
    auto source = std::make_unique<RegularExpression>("([0-9])+", "a12b345c6");
    RegularExpression copy(*source);
    EXPECT_EQ(copy.hasExpression(), source->hasExpression());
    EXPECT_EQ(copy.getNumberSubExpressions(), source->getNumberSubExpressions());

    // Walking the source leaves the copy where it was.
    EXPECT_EQ(str(source->nextMatch(0)), "12");
    EXPECT_EQ(str(source->nextMatch(1)), "5");
    EXPECT_EQ(str(copy.substitute("&/\\1")), "12/2");

    RegularExpression assigned("z", "z");
    assigned = *source;
    source.reset();  // the copies keep working without their source
    EXPECT_EQ(str(copy.nextMatch(0)), "12");
    EXPECT_EQ(str(copy.nextMatch(0)), "345");
    EXPECT_EQ(str(assigned.nextMatch(0)), "6");
    EXPECT_FALSE(assigned.hasExpression());
    EXPECT_TRUE(copy.hasExpression());

    RegularExpression& self = copy;
    copy = self;
    EXPECT_EQ(str(copy.nextMatch(0)), "6");

    const RegularExpression failed("x", "abc");
    RegularExpression copyOfFailed(failed);
    EXPECT_FALSE(copyOfFailed.hasExpression());
    EXPECT_EQ(copyOfFailed.getNumberSubExpressions(), 0u);
    EXPECT_THROW(copyOfFailed.nextMatch(0), QuillonException);
}
