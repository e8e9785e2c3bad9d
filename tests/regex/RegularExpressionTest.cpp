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
using korvane_test::text;

namespace {

const char* const kRegLocation = "RegularExpression::reg(comp, bool, flags)";
const char* const kPieceLocation = "RegularException::regpiece(comp *cp, int *flagp)";
const char* const kAtomLocation = "RegularException::regatom(comp, flags)";

std::string whole(RegularExpression& re) { return text(re.substitute("&")); }

// Every match of a walk with nextMatch(0).
std::vector<std::string> walk(const char* pattern, const char* subject) {
    RegularExpression re(pattern, subject);
    std::vector<std::string> found;
    while (re.hasExpression() && found.size() < 100) found.push_back(text(re.nextMatch(0)));
    return found;
}

}  // namespace

// ---- Compiling ----------------------------------------------------------------

TEST(RegularExpressionTest, MalformedPatternsAreRejectedWithTheirOwnError) {
    struct ErrorCase {
        const char* pattern;
        int errorNumber;
        const char* location;
    } cases[] = {
        {"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", 7, "RegularExpression::reg(comp, bool, int)"},
        {"((((((((((a))))))))))", 7, "RegularExpression::reg(comp, bool, int)"},
        {"(a", 8, kRegLocation},
        {"((a)", 8, kRegLocation},
        {"a)", 8, kRegLocation},
        {")", 8, kRegLocation},
        {"(a*)*", 10, kPieceLocation},
        {"(a?)+", 10, kPieceLocation},
        {"(a|)*", 10, kPieceLocation},
        {"()+", 10, kPieceLocation},
        {"^*", 10, kPieceLocation},
        {"$+", 10, kPieceLocation},
        {"a**", 11, kPieceLocation},
        {"a*?", 11, kPieceLocation},
        {"a+*", 11, kPieceLocation},
        {"(ab)??", 11, kPieceLocation},
        {"[z-a]", 12, kAtomLocation},
        {"[a-c-b]", 12, kAtomLocation},  // the second range starts at c
        {"[abc", 13, kAtomLocation},
        {"[^]", 13, kAtomLocation},
        {"[", 13, kAtomLocation},
        {"[a-", 13, kAtomLocation},
        {"*a", 15, kAtomLocation},
        {"(+a)", 15, kAtomLocation},
        {"a|?", 15, kAtomLocation},
        {"a\\", 16, kAtomLocation},
        {"(\\", 16, kAtomLocation},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        const korvane_test::CompileOutcome outcome = compileOutcome(c.pattern, "abc");
        EXPECT_EQ(outcome.errorNumber, c.errorNumber);
        EXPECT_EQ(outcome.location, c.location);
    }
}

TEST(RegularExpressionTest, CompileErrorsAreReportedAsTheLibrarysOwn) {
    try {
        RegularExpression re("[z-a]", "");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.getMyID(), -2);  // a QuillonException
        EXPECT_EQ(e.getLib(0), Exception::LIB_QUILLON);
        EXPECT_EQ(e.getErrorStackSize(), 1u);
        EXPECT_EQ(text(e.getExtraInfo(0)), "");
        EXPECT_EQ(text(e.getErrorText(12, Exception::LIB_QUILLON)), "Invalid [] range");
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
        {"b", "abc", true, 1, "b", ",,"},
        {"c$", "abc", true, 1, "c", ",,"},
        {"$", "abc", false, 1, "", ",,"},
        {"", "abc", false, 1, "", ",,"},
        {"q", "abc", false, 0, "", ",,"},
        {"(a|ab)(c|bcd)(d*)", "abcd", true, 4, "abcd", "a,bcd,"},
        {"(a)(b)", "ab", true, 3, "ab", "a,b,"},
        {"(x)|y", "y", true, 1, "y", ",,"},      // group 1 took no part
        {"a\\.b", "axb a.b", true, 1, "a.b", ",,"},
        {"[\\n]+", "ab\\nn", true, 1, "\\nn", ",,"},  // backslash is a member
        {"[]a]+", "x]a]y", true, 1, "]a]", ",,"},
        {"[^-a]+", "-a-bc-", true, 1, "bc", ",,"},
        {"a{2}", "aa a{2}", true, 1, "a{2}", ",,"},     // braces are ordinary
        {"\xE9+", "x\xE9\xE9y", true, 1, "\xE9\xE9", ",,"},
        {"[\x80-\xFF]+", "ab\x81\xFE\x7F", true, 1, "\x81\xFE", ",,"},
        {"abc*", "abccab", true, 1, "abcc", ",,"},   // * takes the c alone
        {"abc+", "ababcc", true, 1, "abcc", ",,"},
        {"a^b", "ab a^b", false, 0, "", ",,"},       // ^ is an anchor everywhere
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " in " + c.subject);
        RegularExpression re(c.pattern, c.subject);
        EXPECT_EQ(re.hasExpression(), c.has);
        EXPECT_EQ(re.getNumberSubExpressions(), c.count);
        EXPECT_EQ(whole(re), c.matchText);
        EXPECT_EQ(text(re.substitute("\\1,\\2,\\3")), c.groups);
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
        EXPECT_EQ(text(re.substitute("&|\\1|\\2")), c.expected);
    }
}

TEST(RegularExpressionTest, NineGroupsFillAllTenSlots) {
    RegularExpression re("(a)(b)(c)(d)(e)(f)(g)(h)(i)", "xabcdefghi");
    EXPECT_EQ(re.getNumberSubExpressions(), 10u);
    EXPECT_EQ(text(re.substitute("\\9\\8\\1-\\0")), "iha-abcdefghi");
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
    EXPECT_EQ(text(re.nextMatch(2)), "1");
    EXPECT_EQ(text(re.substitute("\\1")), "yy");
    EXPECT_EQ(text(re.nextMatch(1)), "yy");
    EXPECT_FALSE(re.hasExpression());
    EXPECT_EQ(re.getNumberSubExpressions(), 0u);
}

TEST(RegularExpressionTest, NextMatchErrors) {
    struct IndexCase {
        unsigned int index;
        const char* extra;
    } cases[] = {{10, "Cannot have 10 >= 10"}, {12, "Cannot have 12 >= 10"},
                 {4294967295u, "Cannot have 4294967295 >= 10"}};
    for (const auto& c : cases) {
        RegularExpression re("(a)", "a");
        try {
            re.nextMatch(c.index);
            ADD_FAILURE() << "no error for " << c.index;
        } catch (const QuillonException& e) {
            EXPECT_EQ(e.getErrNo(0), 1);
            EXPECT_EQ(text(e.getErrLocation(0)), "RegularExpression::nextMatch(int)");
            EXPECT_EQ(text(e.getExtraInfo(0)), c.extra);
        }
    }

    RegularExpression re("(a)", "a");
    for (unsigned int index : {2u, 9u}) {
        try {
            re.nextMatch(index);
            ADD_FAILURE() << "no error for " << index;
        } catch (const QuillonException& e) {
            EXPECT_EQ(e.getErrNo(0), 2);
            EXPECT_EQ(text(e.getErrLocation(0)), "RegularExpression::nextMatch(index)");
        }
    }
    // After the last match the slots are cleared: nothing left to take.
    EXPECT_EQ(text(re.nextMatch(1)), "a");
    EXPECT_THROW(re.nextMatch(0), QuillonException);
}

TEST(RegularExpressionTest, RefusalForMissingLiteralKeepsThePreviousSlots) {
    // x*(b)c needs a c; after the first match the rest of the subject has none.
    RegularExpression refused("x*(b)c", "bc--");
    EXPECT_EQ(text(refused.nextMatch(0)), "bc");
    EXPECT_FALSE(refused.hasExpression());
    EXPECT_EQ(refused.getNumberSubExpressions(), 2u);
    EXPECT_EQ(text(refused.substitute("&\\1")), "bcb");

    // Without a required literal a failed search clears them.
    RegularExpression cleared("(b)c", "bc--");
    EXPECT_EQ(text(cleared.nextMatch(0)), "bc");
    EXPECT_FALSE(cleared.hasExpression());
    EXPECT_EQ(cleared.getNumberSubExpressions(), 0u);
    EXPECT_EQ(text(cleared.substitute("[&\\1]")), "[]");
}

// ---- Substitution -------------------------------------------------------------

TEST(RegularExpressionTest, SubstitutionRules) {
    RegularExpression re("(a)(b)", "xaby");
    struct SubstituteCase {
        const char* source;
        const char* expected;
    } cases[] = {
        {"\\2\\1&", "baab"},
        {"\\0", "ab"},
        {"\\\\", "\\"},        // a double backslash gives one
        {"\\&", "&"},
        {"\\x", "\\x"},        // a backslash before anything else stays
        {"a\\", "a\\"},        // also at the end
        {"\\3\\9", ""},        // unset groups give nothing
        {"<&&>", "<abab>"},
        {"\\\\1", "\\1"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(text(re.substitute(c.source)), c.expected);
    }
    // Substituting does not move the match.
    EXPECT_EQ(text(re.nextMatch(0)), "ab");
}

TEST(RegularExpressionTest, SubstitutionAfterAnEmptyMatch) {
    RegularExpression re("(x*)", "abc");
    EXPECT_EQ(text(re.substitute("[&][\\1]")), "[][]");
}

// ---- Globs --------------------------------------------------------------------

TEST(RegularExpressionTest, GlobConversion) {
    struct GlobCase {
        const char* glob;
        const char* pattern;
    } cases[] = {
        {"*.txt", "^.*\\.txt$"},
        {"a?b", "^a\\?b$"},
        {"", "^$"},
        {"[ab]*", "^\\[ab\\].*$"},
        {"a\\*b", "^a\\*b$"},
        {"a\\bc", "^a\\bc$"},
        {"My File 2.doc", "^My File 2\\.doc$"},
        {"~$(x)", "^\\~\\$\\(x\\)$"},
        {"caf\xE9", "^caf\xE9$"},
        {"\t", "^\t$"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.glob);
        EXPECT_EQ(text(RegularExpression::glob2RegularExpression(c.glob)), c.pattern);
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
    EXPECT_EQ(text(source->nextMatch(0)), "12");
    EXPECT_EQ(text(source->nextMatch(1)), "5");
    EXPECT_EQ(text(copy.substitute("&/\\1")), "12/2");

    RegularExpression assigned("z", "z");
    assigned = *source;
    source.reset();  // the copies keep working without their source
    EXPECT_EQ(text(copy.nextMatch(0)), "12");
    EXPECT_EQ(text(copy.nextMatch(0)), "345");
    EXPECT_EQ(text(assigned.nextMatch(0)), "6");
    EXPECT_FALSE(assigned.hasExpression());
    EXPECT_TRUE(copy.hasExpression());

    RegularExpression& self = copy;
    copy = self;
    EXPECT_EQ(text(copy.nextMatch(0)), "6");
}

TEST(RegularExpressionTest, CopyOfAFailedSearch) {
    RegularExpression source("x", "abc");
    RegularExpression copy(source);
    EXPECT_FALSE(copy.hasExpression());
    EXPECT_EQ(copy.getNumberSubExpressions(), 0u);
    EXPECT_THROW(copy.nextMatch(0), QuillonException);
}
