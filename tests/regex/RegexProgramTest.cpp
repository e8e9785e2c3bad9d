// White-box tests of the compiled program: its exact bytes and hints, the
// size limit, and the reaction to a damaged program. (The matcher's slots
// are compared with a model of the recursive matcher by
// RegexBacktrackingOrderTest and fuzz_regex.)
//
// The portable byte searches against the standard library's searches, over
// seeded random texts drawn from small alphabets so that partial matches,
// repetitive texts (which switch the needle search to its rolling hash) and
// hits at both ends are common.
#include <algorithm>
#include <random>

#include "RegexTestSupport.h"
#include "korvane/QuillonException.h"
#include "korvane/RegularExpression.h"
#include "regex/ByteSearch.h"
#include "regex/RegexProgram.h"

using namespace Korvane;
using namespace Korvane::regex;
using korvane_test::str;

namespace {

std::string hexCode(const regex::Program& program) {
    std::string hex;
    char byte[4];
    for (unsigned int i = 0; i < program.codeSize; ++i) {
        std::snprintf(byte, sizeof byte, i == 0 ? "%02X" : " %02X", program.code[i]);
        hex += byte;
    }
    return hex;
}


}  // namespace

TEST(RegexProgramTest, WorkedExamplesAndHints) {
    const struct { const char* pattern; const char* code; char first; int anchored; const char* must; } cases[] = {
        {"a|b", "9C 06 00 08 08 00 0D 61 00 06 00 08 08 00 05 62 00 00 00 00", 0, 0, ""},
        {"(ab)*c",
         "9C 06 00 23 06 00 15 15 00 03 06 00 09 08 00 06 61 62 00 1F 00 03 07 00 12 06 00 03 "
         "09 00 03 08 00 05 63 00 00 00 00",
         0, 0, "c"},
        {"^abc$", "9C 06 00 10 01 00 03 08 00 07 61 62 63 00 02 00 03 00 00 00", 0, 1, ""},
        // The first node gives the start byte or the anchor; a pattern that
        // starts with * or + gets the longest literal of the main chain.
        {"ab*", nullptr, 'a', 0, ""},
        {"^a*bc", nullptr, 0, 1, ""},
        {"x*ab(cde)fg", nullptr, 0, 0, "fg"},  // equal lengths: the later literal; groups not entered
        {"x+abc(d)fg", nullptr, 0, 0, "abc"},
        {"x?abc", nullptr, 0, 0, ""},    // ? does not start with a repetition
        {"(x*)abc", nullptr, 0, 0, "abc"},     // a group that starts with one passes it on
        {"x*abc|y", nullptr, 0, 0, ""},  // several alternatives: no hints at all
    };
    for (const auto& c : cases) {
        RegularExpression re(c.pattern, "");
        const regex::Program& program = *RegularExpressionInternals::program(re);
        EXPECT_EQ(c.code ? hexCode(program) : "", c.code ? c.code : "") << c.pattern;
        EXPECT_EQ(program.regstart, c.first) << c.pattern;
        EXPECT_EQ(program.reganch, c.anchored) << c.pattern;
        EXPECT_EQ(program.regmust ? std::string(program.regmust, std::size_t(program.regmlen)) : "", c.must) << c.pattern;
    }
}

TEST(RegexProgramTest, SizeLimitIsExactlyBelow32767Bytes) {
    // A run of n letters compiles to n + 11 bytes.
    const std::string fits(32755, 'a');
    RegularExpression re(fits.c_str(), "");
    EXPECT_EQ(RegularExpressionInternals::program(re)->codeSize, 32766u);

    const std::string tooBig(32756, 'a');
    korvane_test::expectError([&] { RegularExpression(tooBig.c_str(), ""); }, 5, "RegularExpression::regcomp(param)",
                              std::nullopt);
    // Far past the limit the count still ends in error 5.
    EXPECT_EQ(korvane_test::compileError(std::string(std::size_t(1) << 22, '.')), 5);
}

TEST(RegexProgramTest, DamagedProgramsAreReported) {
    // The code byte at `offset` overwritten with `value`.
    struct DamageCase { const char* pattern; int offset, value; bool viaSubstitute; int errorNumber; const char* location; } cases[] = {
        {"ab", 0, 0x9D, false, 18, "RegularException::regexec(String)"},
        {"ab", 0, 0x00, true, 18, "RegularExpression::regsub(String)"},
        {"ab", 4, 15, false, 18, "RegularException::regmatch(exec, prog)"},
        // The literal's offset cleared: the chain runs into nothing.
        {"ab.", 6, 0, false, 19, "RegularException::regmatch(exec, prog)"},
        // OpStar over a node that is not a single byte.
        {"a*", 7, 9, false, 20, "RegularExpression::regrepeat()"},
    };
    for (const DamageCase& c : cases) {
        SCOPED_TRACE(c.pattern);
        RegularExpression re(c.pattern, "ababab.ab.");
        ASSERT_TRUE(re.hasExpression());
        regex::Program* program = RegularExpressionInternals::mutableProgram(re);
        program->code[c.offset] = static_cast<unsigned char>(c.value);
        try {
            if (c.viaSubstitute)
                re.substitute("&");
            else
                re.nextMatch(0);
            ADD_FAILURE() << "no error";
        } catch (const QuillonException& e) {
            EXPECT_EQ(e.getErrNo(0), c.errorNumber);
            EXPECT_EQ(str(e.getErrLocation(0)), c.location);
        }
    }
}

namespace {

std::string randomBytes(std::mt19937& random, std::size_t length, int alphabet) {
    std::string bytes(length, '\0');
    for (char& byte : bytes) byte = static_cast<char>('a' + static_cast<int>(random() % alphabet));
    return bytes;
}

// The offset of `found` in `text`, or -1 for null.
long long offsetOf(const std::string& text, const void* found) {
    return found == nullptr ? -1 : static_cast<const char*>(found) - text.data();
}

TEST(ByteSearch, PortableSearchesFindWhatTheStandardSearchesFind) {
    std::mt19937 random(static_cast<std::uint32_t>(korvane_test::testSeed(20240515)));
    for (int round = 0; round < 4000; ++round) {
        const int alphabet = 1 + round % 3;
        const std::string text = randomBytes(random, random() % (round < 3000 ? 64 : 5000), alphabet);
        const std::string needle = randomBytes(random, random() % 12, alphabet);
        const auto expected = std::search(text.begin(), text.end(), needle.begin(), needle.end());
        const long long want = expected == text.end() && !needle.empty() ? -1 : expected - text.begin();
        ASSERT_EQ(offsetOf(text, portableFindBytes(text.data(), text.size(), needle.data(), needle.size())), want)
            << "text " << text << " needle " << needle;
        ASSERT_EQ(offsetOf(text, findBytes(text.data(), text.size(), needle.data(), needle.size())), want);
        // The last occurrence of a byte, over texts of eight letters; 'i' never occurs.
        const std::string letters = randomBytes(random, random() % 80, 8);
        const char wanted = static_cast<char>('a' + random() % 9);
        const std::size_t at = letters.rfind(wanted);
        const long long last = at == std::string::npos ? -1 : static_cast<long long>(at);
        ASSERT_EQ(offsetOf(letters, portableFindLastByte(letters.data(), wanted, letters.size())), last) << letters;
        ASSERT_EQ(offsetOf(letters, findLastByte(letters.data(), wanted, letters.size())), last);
    }
}

TEST(ByteSearch, RepetitiveTextWithLateHitIsFound) {
    std::string text(100000, 'a');
    const std::string needle = std::string(40, 'a') + "b";
    EXPECT_EQ(portableFindBytes(text.data(), text.size(), needle.data(), needle.size()), nullptr);
    text += "b";
    EXPECT_EQ(offsetOf(text, portableFindBytes(text.data(), text.size(), needle.data(), needle.size())),
              static_cast<long long>(text.size() - needle.size()));
}

}  // namespace
