#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "TextTestSupport.h"
#include "korvane/QuillonException.h"

using namespace Korvane;
using korvane_test::str;
using korvane_test::StorageView;

TEST(StringTest, NullPointersThrowParameterIsNull) {
    const char* none = nullptr;
    auto expectNullError = [](auto&& construct) {
        try {
            construct();
            ADD_FAILURE() << "no exception";
        } catch (const QuillonException& e) {
            EXPECT_EQ(e.getErrNo(0), 4);
            EXPECT_EQ(str(e.getErrLocation(0)), "String::String(const _TCHAR *s)");
            EXPECT_EQ(e.getExtraInfo(0).length(), 0u);
        }
    };
    expectNullError([&] { String s(none); });
    expectNullError([&] { String s(none, 3u); });
    expectNullError([&] { String s(none, 1u, 3u); });
    String s("x");
    s = none;
    EXPECT_EQ(s.length(), 0u);
    EXPECT_THROW((void)(s == none), QuillonException);
}

TEST(StringTest, Constructors) {
    EXPECT_EQ(str(String("abc", 10u)), "abc");
    EXPECT_EQ(str(String("abcdef", 2u, 3u)), "cde");
    EXPECT_EQ(str(String("abcdef", 2u, 10u)), "cdef");
    EXPECT_EQ(str(String("abc", 9u, 1u)), "");
    EXPECT_EQ(str(String(3u, 'x')), "xxx");
    String none(0u, 'x');
    EXPECT_EQ(none.length(), 0u);
    EXPECT_EQ(none.getData()[0], '\0');
    EXPECT_EQ(String('\0').length(), 1u);
    EXPECT_EQ(str(String(ByteArray("a\0b", 3u))), "a");
}

TEST(StringTest, AppendingAndNumbers) {
    String s("ab");
    s += s;
    EXPECT_EQ(str(s), "abab");
    s += '\0';
    s += "cd";
    EXPECT_EQ(s.length(), 7u);
    EXPECT_EQ(str(s), std::string("abab\0cd", 7));
    EXPECT_EQ(str(String("x") + 0), "x0");
    EXPECT_EQ(str(String("x") + (-7)), "x-7");
    EXPECT_EQ(str(String("x") + 4294967295u), "x4294967295");
    EXPECT_EQ(str(String("x") + LONG_MIN), "x-9223372036854775808");
    String n("x");
    n += -42;
    n += 18446744073709551615ul;
    EXPECT_EQ(str(n), "x-4218446744073709551615");
    // operator+(char) copies the text up to its first NUL.
    const String withNul = korvane_test::makeString(std::string("a\0b", 3));
    EXPECT_EQ(str(withNul + 'c'), "ac");
    EXPECT_EQ(str(withNul + String("d")), std::string("a\0bd", 4));
}

TEST(StringTest, AssignmentReusesTheBufferAndHandlesAliases) {
    StorageView<String> s("a long enough text");
    const unsigned int before = s.capacityForTest();
    s = String("short");
    EXPECT_EQ(s.capacityForTest(), before);
    EXPECT_TRUE(s.terminatorIsZero());
    String t("hello world");
    t = t.getData() + 6;
    EXPECT_EQ(str(t), "world");
    t += t.getData() + 1;
    EXPECT_EQ(str(t), "worldorld");
    t = 'q';
    EXPECT_EQ(str(t), "q");
}

TEST(StringTest, Ordering) {
    EXPECT_TRUE(String("abc") < String("abd"));
    EXPECT_TRUE(String("abc") <= String("abc"));
    EXPECT_TRUE(String("b") > String("abc"));
    EXPECT_TRUE(String("b") >= String("b"));
    EXPECT_TRUE(String("a") == "a");
    EXPECT_TRUE(String("\xe9") > String("z"));  // bytes compare unsigned
    EXPECT_TRUE(String("a\0b", 3u) == String("a"));
    EXPECT_TRUE(String("a") != "b");
}

TEST(StringTest, Searching) {
    const String hello("Hello World");
    EXPECT_EQ(hello.findi("WORLD", 0), hello.getData() + 6);
    EXPECT_EQ(hello.findi("hello", 1), nullptr);
    EXPECT_EQ(hello.findi("", 5), hello.getData());
    EXPECT_EQ(String("hello").findIndex("lo"), 3);
    EXPECT_EQ(String("hello").findIndex("x"), -1);
    EXPECT_EQ(hello.find("o", 5), hello.getData() + 7);
    EXPECT_EQ(hello.find("", 99), hello.getData() + hello.length());
    EXPECT_EQ(str(hello.left(hello.find(" "))), "Hello");
    EXPECT_EQ(str(hello.right(hello.find(" "))), " World");
    EXPECT_EQ(str(hello.left(nullptr)), "");
    // left() keeps an embedded NUL, right() stops at it.
    const String withNul = korvane_test::makeString(std::string("ab\0cd", 5));
    EXPECT_EQ(str(withNul.left(withNul.getData() + 4)), std::string("ab\0c", 4));
    EXPECT_EQ(str(withNul.left(withNul.getData() + 9)), std::string("ab\0cd", 5));
    EXPECT_EQ(str(withNul.right(withNul.getData() + 1)), "b");
    EXPECT_EQ(str(hello.right(hello.getData() + 500)), "");
}

TEST(StringTest, Pieces) {
    EXPECT_EQ(str(String("hello").substring(7, 3)), "");
    EXPECT_EQ(str(String("hello").substring(2, 100)), "llo");
    EXPECT_EQ(str(String("hello").substring(1, UINT_MAX)), "ello");
    EXPECT_EQ(str(String("a<bc>d").substring("<", ">")), "bc");
    EXPECT_EQ(str(String("a<>d").substring("<", ">")), "");
    EXPECT_EQ(str(String("a>b<c").substring("<", ">")), "");
}

TEST(StringTest, ToIntFollowsItsOwnRules) {
    const struct {
        const char* text;
        int value;
    } cases[] = {{"42", 42}, {"  42", 42}, {"0042", 42}, {"4 2", 0},   {"010", 10},
                 {"0x10", 0}, {"", 0},     {"000", 0},   {"-0x1F", -31}, {"12ab", 0},
                 {"-17", -17}, {"99999999999", INT_MAX}, {"-99999999999", INT_MIN}};
    for (const auto& c : cases) EXPECT_EQ(String(c.text).toInt(), c.value) << c.text;
}

TEST(StringTest, CaseConversionTouchesOnlyAsciiLetters) {
    String s("aZ\xe9!");
    EXPECT_EQ(str(static_cast<const String&>(s).toUpper()), "AZ\xe9!");
    EXPECT_EQ(str(s), "aZ\xe9!");
    s.toLower();
    EXPECT_EQ(str(s), "az\xe9!");
    s.toUpper();
    EXPECT_EQ(str(s), "AZ\xe9!");
}

TEST(StringTest, TrimmingAndRemoval) {
    EXPECT_EQ(str(String(" \t\r\nabc ").removeLeadingWhites()), "abc ");
    EXPECT_EQ(str(String("line\r\n\r\n").removeTrailingReturns()), "line");
    EXPECT_EQ(str(String("\r\n").removeTrailing("\r\n")), "");
    EXPECT_EQ(str(String("a-b--c").remove("-")), "abc");
    EXPECT_EQ(str(String("---").remove("-")), "");
    EXPECT_EQ(str(String("xxab").removeLeading("x")), "ab");
    EXPECT_EQ(str(String("abc").removeLeading("")), "abc");
    StorageView<String> trimmed("  ab");
    trimmed.removeLeadingWhites();
    EXPECT_EQ(trimmed.capacityForTest(), 3u);  // exact size
}

TEST(StringTest, Tests) {
    String s("a");
    EXPECT_FALSE(s.isEmpty());
    EXPECT_TRUE(String().isEmpty());
    EXPECT_TRUE(String('\0').isEmpty());
    EXPECT_FALSE(String("a\x80").is7BitASCIIString());
    EXPECT_TRUE(String("plain").is7BitASCIIString());
    EXPECT_TRUE(String("\xff").isASCIIString());
}

TEST(StringTest, FormatString) {
    EXPECT_EQ(str(String::formatString("%d-%s", 5, "x")), "5-x");
    const std::string long256(256, 'y');
    EXPECT_EQ(str(String::formatString("%s", long256.c_str())), long256);
    const std::string huge(100000, 'z');
    EXPECT_EQ(str(String::formatString("<%s>", huge.c_str())), "<" + huge + ">");
    EXPECT_THROW(String::formatString(nullptr), QuillonException);
}

TEST(StringTest, ByteConversionsAndStreaming) {
    EXPECT_EQ(str(String::fromASCIIByteArray(ByteArray("a\0b", 3u))), "a");
    EXPECT_EQ(String::fromASCIIByteArray(ByteArray()).length(), 0u);
    const String s = korvane_test::makeString(std::string("a\0b", 3));
    EXPECT_EQ(korvane_test::bytes(s.toASCIIByteArray()), std::string("a\0b", 3));
    EXPECT_EQ(korvane_test::bytes(ByteArray(s)), std::string("a\0b", 3));  // every character
    EXPECT_EQ(ByteArray(String()).length(), 0u);
    EXPECT_EQ(korvane_test::bytes(String("xyz").getASCIIByteArray()), "xyz");
    std::ostringstream out;
    out << s;
    EXPECT_EQ(out.str(), std::string("a\0b", 3));
    String fromBytes;
    fromBytes = ByteArray("xy");
    fromBytes += ByteArray("z");
    EXPECT_EQ(str(fromBytes), "xyz");
}

TEST(StringTest, EmptyStringConstant) {
    EXPECT_EQ(String::emptyString.length(), 0u);
    EXPECT_NE(String::emptyString.getData(), nullptr);
    EXPECT_EQ(ByteArray::emptyArray.length(), 0u);
}
