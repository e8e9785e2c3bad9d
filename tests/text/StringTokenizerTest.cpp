#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "TextTestSupport.h"
#include "korvane/QuillonException.h"
#include "korvane/StringTokenizer.h"

using namespace Korvane;
using korvane_test::str;

namespace {

std::vector<std::string> allTokens(const std::string& text, const char* delimiters,
                                   const char* escapes) {
    StringTokenizer tokenizer(String(text.c_str()), String(delimiters), String(escapes));
    std::vector<std::string> out;
    while (tokenizer.hasToken()) out.push_back(str(tokenizer.nextToken()));
    EXPECT_EQ(out.size(), tokenizer.countTokens());
    return out;
}

using Tokens = std::vector<std::string>;

// The plain reading of escapes: a delimiter ends a token unless the character
// before it is an escape. It agrees with the tokenizer on texts that neither
// start with a delimiter nor hold two delimiters in a row.
Tokens modelTokens(const std::string& text, const std::string& delimiters,
                   const std::string& escapes) {
    Tokens out;
    std::string token;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool isDelimiter = delimiters.find(c) != std::string::npos;
        if (isDelimiter && !(i > 0 && escapes.find(text[i - 1]) != std::string::npos)) {
            if (!token.empty()) out.push_back(token);
            token.clear();
        } else {
            token += c;
        }
    }
    if (!token.empty()) out.push_back(token);
    return out;
}

}  // namespace

// The plain cases are the random comparison below; these are the quirks of
// escapes after delimiters, which strtok has already overwritten.
TEST(StringTokenizerTest, EscapesAfterDelimiters) {
    struct Case {
        const char *text, *delimiters, *escapes;
        Tokens expected;
    } cases[] = {
        {"a\\,,b", ",", "\\", {"a\\,", "b"}},
        {"a\\,", ",", "\\", {"a\\,"}},
        // A leading delimiter uses up the scan step of the first piece, so
        // the escaped comma is met one step late and closes the last piece.
        {",a\\,b", ",", "\\", {"a\\", "b,"}},
        // After a run of delimiters the scan lags one delimiter behind.
        {"a,,b\\,c", ",", "\\", {"a", "b\\", "c,"}},
        {"a,,b", ",", ",", {"a", "b"}},  // a character both delimiter and escape
        {"a;,b", ",;", ";", {"a", "b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(allTokens(c.text, c.delimiters, c.escapes), c.expected) << "text: " << c.text;
}

// Without escapes every text; with them, texts without runs of delimiters.
TEST(StringTokenizerTest, RandomTextsMatchThePlainReading) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    const struct {
        std::string alphabet, delimiters, escapes;
    } configs[] = {{"ab,; :", ",; ", ""}, {"ab\\,:", ",:", "\\"}};
    for (const auto& config : configs) {
        for (int round = 0; round < 3000; ++round) {
            std::string text;
            const int length = random() % 16;
            for (int i = 0; i < length; ++i) {
                const char c = config.alphabet[random() % config.alphabet.size()];
                const bool run = config.delimiters.find(c) != std::string::npos &&
                                 (text.empty() || config.delimiters.find(text.back()) != std::string::npos);
                text += run && !config.escapes.empty() ? 'a' : c;
            }
            EXPECT_EQ(allTokens(text, config.delimiters.c_str(), config.escapes.c_str()),
                      modelTokens(text, config.delimiters, config.escapes))
                << "seed " << seed << " text '" << text << "'";
        }
    }
}

TEST(StringTokenizerTest, PositionResetReverseAndCopies) {
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
}

TEST(StringTokenizerTest, NoTokenLeftIsError21) {
    for (const char* text : {"", ",,", "a"}) {
        StringTokenizer tokenizer(String(text), String(","), String(""));
        while (tokenizer.hasToken()) tokenizer.nextToken();
        try {
            tokenizer.nextToken();
            ADD_FAILURE() << "no exception for '" << text << "'";
        } catch (const QuillonException& e) {
            EXPECT_EQ(e.getErrNo(0), 21);
            EXPECT_EQ(str(e.getErrLocation(0)), "StringTokenizer::nextToken()");
            EXPECT_EQ(str(e.getExtraInfo(0)), "");
        }
        EXPECT_FALSE(tokenizer.hasToken());
    }
}
