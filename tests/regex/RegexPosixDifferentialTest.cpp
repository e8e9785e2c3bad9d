// The library's search against glibc's POSIX extended regular expressions.
// Both engines find a match at the leftmost position where one exists, so on
// the syntax they share they agree on whether a match exists and where it
// starts (where it ends differs: POSIX takes the longest, this library the
// first that its ordered search meets).

#include <regex.h>

#include "RegexTestSupport.h"
#include "korvane/RegularExpression.h"
#include "regex/RegexProgram.h"

using namespace Korvane;

namespace {

// Where our first search matched, or -1.
long ourStart(const std::string& pattern, const std::string& subject) {
    RegularExpression re(pattern.c_str(), subject.c_str());
    if (!RegularExpressionInternals::matched(re)) return -1;
    const regex::Program* program = RegularExpressionInternals::program(re);
    return program->startp[0] - RegularExpressionInternals::subject(re);
}

// Asking for every group's position makes glibc run its full matcher. (Its
// anchors inside repeated groups are unreliable either way: with the whole
// match alone, (aa|^a)+b "matches" xaaab at 1; with the groups,
// ((aa)|^a+|\.a*)+b misses the aab in caaab. The generator keeps anchors
// out of groups.)
long posixStart(const regex_t& compiled, const std::string& subject) {
    regmatch_t match[10];
    if (regexec(&compiled, subject.c_str(), 10, match, 0) != 0) return -1;
    return static_cast<long>(match[0].rm_so);
}

}  // namespace

// Long subjects get patterns that repeat atoms but not groups: nested
// repetitions can backtrack exponentially there. The counts show that the
// grammar gives both outcomes often.
TEST(RegexPosixDifferentialTest, RandomPatternsAgreeWithGlibc) {
    const struct { std::uint32_t seed; int rounds; unsigned int subjectLength; bool repeatedGroups; } runs[] = {
        {0xC0FFEE01, 20000, 12, true}, {0xC0FFEE02, 6000, 80, false}};
    for (const auto& run : runs) {
        korvane_test::PatternGenerator generator(static_cast<std::uint32_t>(korvane_test::testSeed(run.seed)), run.repeatedGroups);
        const int rounds = korvane_test::scaledTurns(run.rounds, 500);
        int compared = 0, matched = 0;
        for (int round = 0; round < rounds; ++round) {
            const std::string pattern = generator.pattern();
            regex_t compiled;
            if (korvane_test::compileError(pattern) != 0 || regcomp(&compiled, pattern.c_str(), REG_EXTENDED) != 0) continue;
            for (int s = 0; s < 8; ++s, ++compared) {
                const std::string subject = generator.subject(run.subjectLength);
                const long expected = posixStart(compiled, subject);
                matched += expected >= 0;
                ASSERT_EQ(ourStart(pattern, subject), expected) << "round " << round << " pattern "
                    << ::testing::PrintToString(pattern) << " subject " << ::testing::PrintToString(subject);
            }
            regfree(&compiled);
        }
        EXPECT_GT(matched, rounds);
        EXPECT_GT(compared - matched, rounds);
    }
}
