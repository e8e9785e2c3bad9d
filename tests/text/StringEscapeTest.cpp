#include <gtest/gtest.h>

#include <random>
#include <string>

#include "TextTestSupport.h"

using namespace Korvane;
using korvane_test::makeString;
using korvane_test::str;

namespace {

std::string escaped(const std::string& text, const char* specials, const char* escape) {
    String s = makeString(text);
    s.escapeString(specials, escape);
    return str(s);
}

std::string unescaped(const std::string& text, const char* escapes) {
    String s = makeString(text);
    s.removeEscapes(escapes);
    return str(s);
}

}  // namespace

TEST(StringEscapeTest, EscapeStringTable) {
    struct Case {
        std::string text;
        const char* specials;
        const char* escape;
        std::string expected;
    };
    const Case cases[] = {
        {"a,b", ",", "\\", "a\\,b"},
        {"a\\b", ",", "\\", "a\\\\b"},
        {"a\\b\\c", ",", "\\", "a\\\\b\\\\c"},
        {"", ",", "\\", ""},
        {",,", ",", "\\", "\\,\\,"},
        {"a=b;c", "=;", "\\", "a\\=b\\;c"},
        // A multi-character escape text is doubled as a whole.
        {"x%%y,z", ",", "%%", "x%%%%y%%,z"},
        {"a,b", ",", "", "a,b"},
        {"abc", "", "\\", "abc"},
        // Doubling resumes behind the doubled text, so it ends.
        {"\\\\", "", "\\", "\\\\\\\\"},
        // An escape character among the specials is doubled, then escaped.
        {"a\\b", "\\", "\\", "a\\\\\\\\b"},
        // An embedded NUL is always special (find of "" succeeds), and escapes
        // behind it are doubled too.
        {std::string("a\0\\", 3), ",", "\\", std::string("a\\\0\\\\", 5)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(escaped(c.text, c.specials, c.escape), c.expected)
            << "text [" << c.text << "] specials [" << c.specials << "] escape [" << c.escape << "]";
}

TEST(StringEscapeTest, RemoveEscapesTable) {
    struct Case {
        std::string text;
        const char* escapes;
        std::string expected;
    };
    const Case cases[] = {
        {"\\\\", "\\", "\\"},
        {"\\,", "\\", ","},
        {"a\\", "\\", "a"},
        {"\\\\\\\\", "\\", "\\\\"},
        {"a\\,b\\\\c", "\\", "a,b\\c"},
        {"", "\\", ""},
        {"plain", "\\", "plain"},
        {"plain", "", "plain"},
        // Any character of the set escapes, and any escapes the next one.
        {"a/\\b\\/c/d", "\\/", "a\\b/cd"},
        // The character behind a dropped escape is ordinary in the next step.
        {"\\a\\", "\\", "a"},
        // NUL is not an escape character, even though it ends every set.
        {std::string("a\0b", 3), "\\", std::string("a\0b", 3)},
        {std::string("\\\0", 2), "\\", std::string("\0", 1)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(unescaped(c.text, c.escapes), c.expected)
            << "text [" << c.text << "] escapes [" << c.escapes << "]";
}

TEST(StringEscapeTest, RemoveEscapesUndoesEscapeStringForRandomTexts) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    const std::string alphabet = std::string("ab,;=\\ \0", 8);
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        const int length = int(random() % 24);
        for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
        const std::string once = escaped(text, ",;=", "\\");
        ASSERT_EQ(unescaped(once, "\\"), text) << "seed " << seed << " text [" << text << "]";
    }
}
