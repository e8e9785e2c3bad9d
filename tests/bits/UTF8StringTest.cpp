#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "IconvPeer.h"
#include "korvane/String.h"
#include "korvane/UTF8String.h"
#include "text/TextTestSupport.h"

using namespace Korvane;
using korvane_test::str;

namespace {

const korvane_test::Iconv ucs2ToUtf8("UCS-2LE", "UTF-8");
const korvane_test::Iconv latin1ToUtf8("ISO-8859-1", "UTF-8");
const korvane_test::Iconv utf8ToLatin1("UTF-8", "ISO-8859-1");

std::string bytes(const UTF8String& u) {
    return std::string(reinterpret_cast<const char*>(u.getData()), u.length());
}

UTF8String utf8(const std::string& raw) {
    return UTF8String(reinterpret_cast<const unsigned char*>(raw.c_str()));
}

String text(const std::string& raw) { return String(raw.data(), static_cast<unsigned int>(raw.size())); }

bool terminated(const UTF8String& u) { return u.getData() != nullptr && u.getData()[u.length()] == 0; }

}  // namespace

// ---- Construction ---------------------------------------------------------------

TEST(UTF8StringTest, Construction) {
    EXPECT_EQ(UTF8String().length(), 0u);
    EXPECT_TRUE(terminated(UTF8String()));
    EXPECT_EQ(UTF8String(nullptr).length(), 0u);
    // Bytes are taken as they are, valid or not, up to the first zero.
    const unsigned char raw[] = {0xC3, 0x28, 0xFF, 0, 0x41};
    EXPECT_EQ(bytes(UTF8String(raw)), "\xC3\x28\xFF");
    const UTF8String original = utf8("abc");
    UTF8String copy(original);
    copy += 'd';
    EXPECT_EQ(bytes(original), "abc");
    EXPECT_EQ(bytes(copy), "abcd");
    EXPECT_TRUE(terminated(copy));
}

// ---- Conversion from and to String ----------------------------------------------

TEST(UTF8StringTest, EveryLatin1CharacterAgreesWithIconv) {
    for (int c = 1; c < 256; ++c) {
        const std::string latin1(1, static_cast<char>(c));
        const UTF8String u(text(latin1));
        ASSERT_EQ(bytes(u), latin1ToUtf8(latin1)) << c;
        ASSERT_EQ(utf8ToLatin1(bytes(u)), latin1) << c;
        ASSERT_EQ(str(u.toString(0)), latin1) << c;
    }
    // A NUL character ends the encoded text.
    EXPECT_EQ(bytes(UTF8String(String('\0'))), "");
}

TEST(UTF8StringTest, RandomLatin1TextAgreesWithIconvBothWays) {
    const unsigned int seed = 20260841;
    std::mt19937 random(seed);
    for (int round = 0; round < 3000; ++round) {
        std::string latin1(random() % 50, ' ');
        for (auto& c : latin1) c = static_cast<char>(1 + random() % 255);
        const UTF8String u(text(latin1));
        ASSERT_EQ(bytes(u), latin1ToUtf8(latin1)) << "seed " << seed;
        ASSERT_TRUE(terminated(u));
        ASSERT_EQ(str(u.toString('?')), latin1) << "seed " << seed;
        ASSERT_EQ(str(utf8(*latin1ToUtf8(latin1)).toString(0)), latin1)
            << "seed " << seed;
    }
}

TEST(UTF8StringTest, CharactersBeyondLatin1BecomeTheReplacement) {
    const UTF8String mixed = utf8("a\xE2\x82\xAC" "b\xED\xA0\x80" "c\xC3\xA9");
    EXPECT_EQ(str(mixed.toString('?')), "a?b?c\xe9");
    EXPECT_EQ(str(mixed.toString(0xFF)), "a\xff" "b\xff" "c\xe9");
    // Neither NUL nor a value beyond one byte can stand in for a character.
    EXPECT_EQ(str(mixed.toString(0)), "abc\xe9");
    EXPECT_EQ(str(mixed.toString(0x20AC)), "abc\xe9");
}

TEST(UTF8StringTest, RandomBmpTextDecodesLikeIconvWithReplacement) {
    const unsigned int seed = 20260842;
    std::mt19937 random(seed);
    for (int round = 0; round < 2000; ++round) {
        std::vector<unsigned short> units(random() % 20);
        for (auto& u : units) {
            do u = static_cast<unsigned short>(1 + random() % (random() % 2 ? 0xFF : 0xFFFF));
            while (u >= 0xD800 && u <= 0xDFFF);
        }
        const auto encoded = ucs2ToUtf8(korvane_test::ucs2Bytes(units));
        ASSERT_TRUE(encoded.has_value());
        std::string expected;
        for (unsigned short u : units) expected += u <= 0xFF ? static_cast<char>(u) : '#';
        ASSERT_EQ(str(utf8(*encoded).toString('#')), expected) << "seed " << seed;
    }
}

TEST(UTF8StringTest, InvalidContentGivesAnEmptyString) {
    for (const char* raw : {"\x80", "ok\xF0\x9F\x98\x80", "caf\xC3", "\xC3\x41", "\xC0\x80", "\xE0\x80\x80"})
        EXPECT_EQ(str(utf8(raw).toString('?')), "") << testing::PrintToString(raw);
}

TEST(UTF8StringTest, FromStringReplacesTheContent) {
    UTF8String u(String("a much longer text than the next"));
    u.fromString(String("\xe9t\xe9"));
    EXPECT_EQ(bytes(u), "\xC3\xA9t\xC3\xA9");
    EXPECT_TRUE(terminated(u));
    u.fromString(String(""));
    EXPECT_EQ(u.length(), 0u);
    EXPECT_TRUE(terminated(u));
    // Only the characters before an embedded NUL are encoded.
    u.fromString(text(std::string("ab\0cd", 5)));
    EXPECT_EQ(bytes(u), "ab");
}

// ---- Building and assignment -------------------------------------------------------

TEST(UTF8StringTest, AppendingAndAssignment) {
    UTF8String u;
    EXPECT_EQ(&(u += 0xC3), &u);
    u += 0xA9;
    EXPECT_EQ(bytes(u), "\xC3\xA9");
    EXPECT_TRUE(terminated(u));
    for (int i = 0; i < 500; ++i) u += static_cast<unsigned char>('a' + i % 26);
    EXPECT_EQ(u.length(), 502u);
    EXPECT_TRUE(terminated(u));

    const UTF8String& self = u;
    u = self;
    EXPECT_EQ(u.length(), 502u);
    u = utf8("2nd");
    EXPECT_EQ(bytes(u), "2nd");
    EXPECT_TRUE(terminated(u));
    u = utf8("a longer third text");
    EXPECT_EQ(bytes(u), "a longer third text");
    u = UTF8String();
    EXPECT_EQ(u.length(), 0u);
    EXPECT_TRUE(terminated(u));
}

// ---- Comparison and output ------------------------------------------------------------

TEST(UTF8StringTest, EqualityIsByteEquality) {
    EXPECT_TRUE(UTF8String() == utf8(""));
    EXPECT_TRUE(utf8("\xC3\xA9") == UTF8String(String("\xe9")));
    EXPECT_FALSE(utf8("ab") == utf8("abc"));
    EXPECT_FALSE(utf8("abc") == utf8("abd"));
    EXPECT_FALSE(UTF8String() == utf8("a"));
}

TEST(UTF8StringTest, StreamOutputWritesTheRawBytes) {
    std::ostringstream out;
    out << UTF8String(String("x\xe9")) << UTF8String() << utf8("\xFF");
    EXPECT_EQ(out.str(), "x\xC3\xA9\xFF");
}
