// Malformed and hostile input: every pattern either compiles or is rejected
// with a catalog error of the compiler, and no pattern or subject crashes or
// hangs the process.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

#include "RegexTestSupport.h"
#include "korvane/Exception.h"
#include "korvane/QuillonException.h"
#include "korvane/RegularExpression.h"

using namespace Korvane;
using korvane_test::str;

namespace {

// Compiles `pattern`, and when that works walks its matches in `subject` and
// substitutes; returns the compile error (0 for none). Any other exception,
// or an error at an unexpected location, fails the test.
int exercise(const std::string& pattern, const std::string& subject, const std::string& trace) {
    try {
        RegularExpression re(pattern.c_str(), subject.c_str());
        for (int step = 0; step < 40 && re.hasExpression(); ++step) {
            const unsigned int groups = re.getNumberSubExpressions();
            EXPECT_GE(groups, 1u) << trace;
            const String part = re.nextMatch(groups - 1);
            EXPECT_LE(part.length(), subject.size()) << trace;
        }
        re.substitute("&\\1\\\\\\&\\9x\\");
        return 0;
    } catch (const QuillonException& e) {
        const auto found = korvane_test::compileErrorLocations().find(e.getErrNo(0));
        if (found == korvane_test::compileErrorLocations().end()) {
            ADD_FAILURE() << trace << ": error " << e.getErrNo(0) << " at "
                          << str(e.getErrLocation(0));
            return -1;
        }
        EXPECT_EQ(str(e.getErrLocation(0)), found->second) << trace;
        EXPECT_NE(str(e.getErrorText(e.getErrNo(0), Exception::LIB_QUILLON)), "Unknown Error");
        return e.getErrNo(0);
    } catch (...) {
        ADD_FAILURE() << trace << ": unexpected exception";
        return -1;
    }
}

}  // namespace

TEST(RegexBadInputTest, RandomBytePatternsCompileOrFailCleanly) {
    const std::uint32_t seed = 0xBAD1;
    std::mt19937 random(seed);
    static const char meta[] = "()[]|*+?\\^$.-a";
    std::map<int, int> outcomes;
    for (int round = 0; round < 30000; ++round) {
        std::string pattern(random() % 16, ' ');
        for (char& c : pattern)
            c = random() % 3 != 0 ? meta[random() % (sizeof meta - 1)]
                                  : static_cast<char>(1 + random() % 255);
        std::string subject(random() % 10, ' ');
        for (char& c : subject)
            c = random() % 2 ? "ab.-\\"[random() % 5] : static_cast<char>(1 + random() % 255);
        const int outcome = exercise(pattern, subject,
                                     "seed " + std::to_string(seed) + " round " +
                                         std::to_string(round) + " pattern " +
                                         ::testing::PrintToString(pattern));
        ++outcomes[outcome];
        if (::testing::Test::HasFailure()) return;
    }
    // The bytes reach every reachable compile error, and many compile.
    for (int error : {8, 10, 11, 12, 13, 15, 16}) EXPECT_GT(outcomes[error], 10) << error;
    EXPECT_GT(outcomes[0], 3000);
}

TEST(RegexBadInputTest, HugePatternsFailFast) {
    struct HugeCase {
        std::string pattern;
        int errorNumber;
    } cases[] = {
        {std::string(1000000, '('), 7},          // the tenth group, long before the end
        {std::string(1000000, ')'), 8},
        {std::string(1000000, '['), 13},
        {std::string(1000000, '*'), 15},
        {"a" + std::string(1000000, '+'), 11},
        {[] {
             std::string p;
             for (int i = 0; i < 20000; ++i) p += "a|";
             return p;
         }(),
         5},
        {"[" + std::string(200000, 'a') + "]", 5},
        {"[" + std::string(200000, '-') + "]", 0},  // '-' then ranges from '-' to '-': one member
        {std::string(200000, 'a') + "(", 8},         // the size check comes after the parse
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern.substr(0, 8) + "... (" + std::to_string(c.pattern.size()) + ")");
        EXPECT_EQ(korvane_test::compileOutcome(c.pattern, "abc").errorNumber, c.errorNumber);
    }
}

TEST(RegexBadInputTest, LargestProgramsStillMatch) {
    // Offsets near the 15-bit limit: an alternation whose first branch links
    // across almost the whole program.
    std::string pattern = "x(";
    pattern += std::string(32700, 'b');
    pattern += "|a)y";
    RegularExpression re(pattern.c_str(), "qqxay");
    EXPECT_EQ(str(re.substitute("&")), "xay");
    RegularExpression longer(pattern.c_str(), ("x" + std::string(32700, 'b') + "y").c_str());
    EXPECT_EQ(longer.substitute("&").length(), 32702u);
}
