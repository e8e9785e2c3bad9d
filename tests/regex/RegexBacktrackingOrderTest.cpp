// The matcher, which remembers failed continuations, against the
// backtracking model: the same match and the same ten sub-match slots from
// every start, over random patterns and subjects and over the patterns that
// plain backtracking answers in exponential or cubic time.

#include <array>
#include <cstring>

#include "RegexBacktrackingModel.h"
#include "RegexTestSupport.h"
#include "korvane/RegularExpression.h"
#include "regex/RegexMatcher.h"

using namespace Korvane;

namespace {

// Whether a search matched, then its slots' start and end offsets (-1 unset;
// all -1 without a match).
using Outcome = std::array<long, 21>;

Outcome modelSearch(regex_model::Matcher& model, long from) {
    Outcome outcome;
    outcome.fill(-1);
    outcome[0] = model.search(from);
    for (int i = 0; outcome[0] && i < 10; ++i) {
        outcome[1 + i] = model.start[i];
        outcome[11 + i] = model.end[i];
    }
    return outcome;
}

Outcome librarySearch(RegularExpression& re, std::size_t from, regex::Matcher::Remembering when) {
    regex::Program& program = *RegularExpressionInternals::mutableProgram(re);
    const char* subject = RegularExpressionInternals::subject(re);
    regex::Matcher matcher(program, subject, std::strlen(subject), when);
    Outcome outcome;
    outcome.fill(-1);
    outcome[0] = matcher.search(subject + from);
    for (int i = 0; outcome[0] && i < 10; ++i) {
        if (program.startp[i] != nullptr) outcome[1 + i] = program.startp[i] - subject;
        if (program.endp[i] != nullptr) outcome[11 + i] = program.endp[i] - subject;
    }
    return outcome;
}

}  // namespace

TEST(RegexBacktrackingOrderTest, EveryRememberingScheduleGivesTheModelsOutcome) {
    const auto seed = static_cast<std::uint32_t>(korvane_test::testSeed(0x20C0DE20));
    korvane_test::PatternGenerator generator(seed, true);
    int searches = 0;
    const int rounds = korvane_test::scaledTurns(5000, 500);
    for (int round = 0; round < rounds; ++round) {
        const std::string pattern = generator.pattern();
        // Runs of one letter make nested repetitions backtrack the most.
        const std::string subject = round % 2 ? generator.subject(24)
                                              : std::string(8 + round % 17, "abc"[round % 3]) + generator.subject(4);
        regex_model::Alternation program;
        try {
            program = regex_model::Parser(pattern).top();
        } catch (const regex_model::CompileError&) {
            continue;
        }
        RegularExpression re(pattern.c_str(), subject.c_str());
        regex_model::Matcher model{&program, &subject};
        for (long from = 0; from <= static_cast<long>(subject.size()); ++from, ++searches) {
            const Outcome expected = modelSearch(model, from);
            using When = regex::Matcher::Remembering;
            for (When when : {When::Lazily, When::Soon, When::FromTheStart})
                ASSERT_EQ(librarySearch(re, static_cast<std::size_t>(from), when), expected)
                    << "round " << round << " pattern " << pattern << " subject " << subject << " from " << from;
        }
    }
    EXPECT_GT(searches, rounds * 10);
}

// Every pattern has a required literal that the subject holds, so each start
// is tried; plain backtracking takes exponential (a.*b.*c: cubic) time here.
TEST(RegexBacktrackingOrderTest, PathologicalPatternsAnswerLongSubjects) {
    const char* const patterns[] = {"((a+)+)+b$", "(a+)+b$",  "(.+)+b$",       "a.*b.*c",
                                    "(a|a)*b$",   "(a|aa)*b$", "(((a+)+)+)+b$", "((((a+)+)+)+)+b$"};
    for (const char* pattern : patterns) {
        for (std::size_t k : {10, 100, 1000, 10000}) {
            const std::string subject = std::string(k, 'a') + "b!";
            RegularExpression failing(pattern, subject.c_str());
            EXPECT_FALSE(RegularExpressionInternals::matched(failing)) << pattern << " k=" << k;
            if (k > 100) continue;  // the model recurses for every byte
            // A match after every start before it has failed.
            const std::string matching = subject + (std::strchr(pattern, '$') ? "ab" : "bc");
            regex_model::Alternation program = regex_model::Parser(pattern).top();
            regex_model::Matcher model{&program, &matching};
            RegularExpression re(pattern, matching.c_str());
            EXPECT_EQ(librarySearch(re, 0, regex::Matcher::Remembering::Lazily), modelSearch(model, 0))
                << pattern << " k=" << k;
        }
    }
}
