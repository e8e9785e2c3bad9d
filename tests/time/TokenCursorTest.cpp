// The RFC 822 reader reads its tokens in place; here that reading is held
// against StringTokenizer and String::toInt, which it stands in for.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "korvane/StringTokenizer.h"
#include "time/TimeTestSupport.h"
#include "time/TokenCursor.h"

using namespace Korvane;
using korvane_test::str;

TEST(TokenCursorTest, TokensAreThoseOfStringTokenizerWithoutEscapes) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    const char alphabet[] = "ab1, :\t";
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 20);
        for (int i = 0; i < length; ++i) text += alphabet[random() % 7];
        StringTokenizer expected(String(text.c_str()), String(" ,:"), String());
        internal::TokenCursor cursor(text.c_str(), " ,:");
        while (expected.hasToken()) {
            const internal::Token token = cursor.nextToken();
            ASSERT_EQ(std::string(token.start, token.length), str(expected.nextToken()))
                << "seed " << seed << " text '" << text << "'";
        }
        try {
            cursor.nextToken();
            FAIL() << "seed " << seed << " text '" << text << "': a token too many";
        } catch (const QuillonException& e) {
            EXPECT_EQ(e.getErrNo(0), 21);
            EXPECT_EQ(str(e.getErrLocation(0)), "StringTokenizer::nextToken()");
            EXPECT_EQ(e.getExtraInfo(0).length(), 0u);
        }
    }
}

TEST(TokenCursorTest, TokenValuesAreThoseOfStringToInt) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    const char alphabet[] = "0123456789xX-+ aF";
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % (round % 10 == 0 ? 40 : 8));
        for (int i = 0; i < length; ++i) text += alphabet[random() % 17];
        const internal::Token token{text.c_str(), static_cast<unsigned int>(text.size())};
        ASSERT_EQ(internal::tokenToInt(token), String(text.c_str()).toInt())
            << "seed " << seed << " text '" << text << "'";
    }
}
