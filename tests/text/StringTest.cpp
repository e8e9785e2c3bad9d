// String and ByteArray: searching, pieces, case, removal and order compared
// with std::string over random texts; then the members whose rules are the
// library's own. (The escape round trip is the escape fuzz target's.)
//
// StringTokenizer's escapes. The tokens of plain texts are compared with
// strtok, and positions, reset, reverse, copies and error 21 checked, by the
// tokenizer fuzz target, whose corpus every build replays.
#include <algorithm>
#include <climits>
#include <random>
#include <sstream>
#include <vector>

#include "TestSupport.h"
#include "korvane/QuillonException.h"
#include "korvane/StringTokenizer.h"

using namespace Korvane;
using namespace korvane_test;
using Tokens = std::vector<std::string>;

namespace {

std::string lower(std::string s, char from = 'A', int by = 32) {
    for (auto& c : s) c = (c >= from && c < from + 26) ? static_cast<char>(c + by) : c;
    return s;
}

std::string withoutAny(std::string s, const std::string& set) {
    s.erase(std::remove_if(s.begin(), s.end(), [&](char c) { return set.find(c) != std::string::npos; }), s.end());
    return s;
}

}  // namespace

TEST(StringTest, StringAndByteArrayMatchStdString) {
    std::mt19937 random(korvane_test::testSeed(20260901));
    const std::string alphabet = "aAbB-\xe9";
    auto text = [&](std::size_t most) {
        std::string s(random() % (most + 1), ' ');
        for (auto& c : s) c = alphabet[random() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 3000; ++round) {
        const std::string hay = text(20), needle = text(3), set = text(2), other = text(20);
        const unsigned int from = random() % 24, count = random() % 24;
        SCOPED_TRACE("hay [" + hay + "] needle [" + needle + "] set [" + set + "] from " + std::to_string(from) +
                     " count " + std::to_string(count));
        const String s(hay.c_str()), n(needle.c_str());
        const std::size_t length = hay.size(), start = std::min<std::size_t>(from, length);
        auto index = [&](const char* p) { return p == nullptr ? std::string::npos : std::size_t(p - s.getData()); };
        ASSERT_EQ(index(s.find(n, from)), hay.find(needle, start));
        ASSERT_EQ(s.findIndex(n), static_cast<int>(hay.find(needle)));
        ASSERT_EQ(index(s.findi(n, int(from) - 2)),
                  needle.empty() ? 0 : lower(hay).find(lower(needle), std::min<std::size_t>(std::max(int(from) - 2, 0), length)));
        if (const char* p = s.find(n)) {
            ASSERT_EQ(str(s.left(p)), hay.substr(0, hay.find(needle)));
            ASSERT_EQ(str(s.right(p)), hay.substr(hay.find(needle)));
        }
        ASSERT_EQ(str(s.substring(from, count)), hay.substr(start, count));
        ASSERT_EQ(str(String(s).remove(set.c_str())), withoutAny(hay, set));
        ASSERT_EQ(str(String(s).removeLeading(set.c_str())), hay.substr(std::min(hay.find_first_not_of(set), length)));
        ASSERT_EQ(str(String(s).removeTrailing(set.c_str())), hay.substr(0, hay.find_last_not_of(set) + 1));
        ASSERT_EQ(str(String(s).toLower()), lower(hay));
        ASSERT_EQ(str(s.toLower().toUpper()), lower(hay, 'a', -32));
        ASSERT_EQ(s < String(other.c_str()), hay < other);  // unsigned bytes on both sides
        ASSERT_EQ(s >= String(other.c_str()), hay >= other);
        ASSERT_EQ(s == other.c_str(), hay == other);

        const ByteArray b = korvane_test::byteArray(hay), bn = korvane_test::byteArray(needle);
        ASSERT_EQ(b.find(bn, from), from > length ? -1 : static_cast<int>(hay.find(needle, from)));
        ASSERT_EQ(bytes(b.left(from)), hay.substr(0, from));
        ASSERT_EQ(bytes(b.right(from)), hay.substr(start));
        ASSERT_EQ(bytes(b.subBytes(from, count)), hay.substr(start, count));
        ASSERT_EQ(b < korvane_test::byteArray(other), hay < other);
        ASSERT_EQ(b == korvane_test::byteArray(other), hay == other);
    }
}

TEST(StringTest, NullPointersAreError4) {
    const char* none = nullptr;
    const char* where = "String::String(const _TCHAR *s)";
    korvane_test::expectError([&] { String s(none); }, 4, where);
    korvane_test::expectError([&] { String s(none, 3u); }, 4, where);
    korvane_test::expectError([&] { String s(none, 1u, 3u); }, 4, where);
    String s("x");
    s = none;
    EXPECT_EQ(s.length(), 0u);
    EXPECT_THROW((void)(s == none), QuillonException);
    EXPECT_THROW(String::formatString(nullptr), QuillonException);
}

TEST(StringTest, ConstructionAppendingAndNumbers) {
    EXPECT_EQ(str(String("abc", 10u)), "abc");
    EXPECT_EQ(str(String("abcdef", 2u, 10u)), "cdef");
    EXPECT_EQ(str(String("abc", 9u, 1u)), "");
    EXPECT_EQ(str(String(3u, 'x')), "xxx");
    EXPECT_TRUE(String('\0').length() == 1u && String('\0').isEmpty());
    EXPECT_EQ(str(String(ByteArray("a\0b", 3u))), "a");
    String s("ab");
    s += s;
    s += '\0';
    s += "cd";
    EXPECT_EQ(str(s), std::string("abab\0cd", 7));
    EXPECT_EQ(str(String("x") + (-7)), "x-7");
    EXPECT_EQ(str(String("x") + 4294967295u), "x4294967295");
    // long is 64 bits on Linux x86-64, 32 bits on Windows.
    EXPECT_EQ(str(String("x") + LONG_MIN), sizeof(long) == 8 ? "x-9223372036854775808" : "x-2147483648");
    s = "x";
    s += ULONG_MAX;
    EXPECT_EQ(str(s), sizeof(long) == 8 ? "x18446744073709551615" : "x4294967295");
    const String withNul = makeString(std::string("a\0b", 3));
    EXPECT_EQ(str(withNul + 'c'), "ac");  // operator+(char) copies the text up to its first NUL
    EXPECT_EQ(str(withNul + String("d")), std::string("a\0bd", 4));
    EXPECT_TRUE(String("a\0b", 3u) == String("a"));
    EXPECT_EQ(str(String::formatString("%d-%s", 5, "x")), "5-x");
    for (std::size_t size : {254, 100000}) {  // exactly the first buffer's room, and far beyond it
        const std::string huge(size, 'z');
        EXPECT_EQ(str(String::formatString("<%s>", huge.c_str())), "<" + huge + ">");
    }
    EXPECT_FALSE(String("a\x80").is7BitASCIIString());
    EXPECT_TRUE(String("\xff").isASCIIString());
    EXPECT_EQ(String::emptyString.length() + ByteArray::emptyArray.length(), 0u);
}

TEST(StringTest, AssignmentReusesTheBufferAndHandlesAliases) {
    korvane_test::StorageView<String> s("a long enough text");
    const unsigned int before = s.capacityForTest();
    s = String("short");
    EXPECT_EQ(s.capacityForTest(), before);
    EXPECT_TRUE(s.terminatorIsZero());
    String t("hello world");
    t = t.getData() + 6;
    t += t.getData() + 1;
    EXPECT_EQ(str(t), "worldorld");
    korvane_test::StorageView<String> trimmed("  ab");
    trimmed.removeLeadingWhites();
    EXPECT_EQ(trimmed.capacityForTest(), 3u);  // exact size
    EXPECT_EQ(korvane_test::StorageView<String>("abcdef", 2u, 3u).capacityForTest(), 4u);  // room for the terminator
}

// left() keeps an embedded NUL before its end, as a copy of characters should; right() stops at it.
TEST(StringTest, PiecesAroundEmbeddedNulsAndWhiteSpace) {
    const String withNul = makeString(std::string("ab\0cd", 5));
    EXPECT_EQ(str(withNul.left(withNul.getData() + 4)), std::string("ab\0c", 4));
    EXPECT_EQ(str(withNul.left(withNul.getData() + 9)), std::string("ab\0cd", 5));
    EXPECT_EQ(str(withNul.right(withNul.getData() + 1)), "b");
    EXPECT_EQ(str(withNul.left(nullptr)), "");
    EXPECT_EQ(str(String("a<bc>d").substring("<", ">")), "bc");
    EXPECT_EQ(str(String("a>b<c").substring("<", ">")), "");
    EXPECT_EQ(str(String(" \t\r\nabc ").removeLeadingWhites()), "abc ");
    EXPECT_EQ(str(String("line\r\n\r\n").removeTrailingReturns()), "line");
}

TEST(StringTest, ToIntFollowsItsOwnRules) {
    const struct { const char* text; int value; } cases[] = {{"  42", 42}, {"0042", 42}, {"4 2", 0}, {"010", 10}, {"0x10", 0}, {"", 0}, {"000", 0},
                 {"-0x1F", -31}, {"12ab", 0}, {"-17", -17}, {"99999999999", INT_MAX}, {"-99999999999", INT_MIN}};
    for (const auto& c : cases) EXPECT_EQ(String(c.text).toInt(), c.value) << c.text;
}

TEST(StringTest, BytesAndStreamingKeepEveryCharacter) {
    EXPECT_EQ(str(String::fromASCIIByteArray(ByteArray("a\0b", 3u))), "a");
    const String s = makeString(std::string("a\0b", 3));
    EXPECT_EQ(bytes(s.toASCIIByteArray()), std::string("a\0b", 3));
    EXPECT_EQ(bytes(ByteArray(s)), std::string("a\0b", 3));
    std::ostringstream out;
    out << s;
    EXPECT_EQ(out.str(), std::string("a\0b", 3));
    String fromBytes;
    fromBytes = ByteArray("xy");
    fromBytes += ByteArray("z");
    EXPECT_EQ(str(fromBytes), "xyz");
}

// The plain cases are the escape fuzz target's model; these are the quirks.
TEST(StringEscapeTest, EscapeAndRemoveEscapesTables) {
    const struct { std::string text; const char *specials, *escape; std::string expected; } escapes[] = {
        {"x%%y,z", ",", "%%", "x%%%%y%%,z"},  // a multi-character escape is doubled as a whole
        {"a,b", ",", "", "a,b"},
        {"\\\\", "", "\\", "\\\\\\\\"},          // doubling resumes behind the doubled text
        {"a\\b", "\\", "\\", "a\\\\\\\\b"},      // an escape among the specials: doubled, then escaped
        {std::string("a\0\\", 3), ",", "\\", std::string("a\\\0\\\\", 5)},  // a NUL is always special
    };
    for (const auto& c : escapes) {
        String s = makeString(c.text);
        s.escapeString(c.specials, c.escape);
        EXPECT_EQ(str(s), c.expected) << "[" << c.text << "] [" << c.escape << "]";
    }
    // Removal is the escape fuzz target's model; a NUL is no escape character.
    String removed = makeString(std::string("\\\0a\\", 4));
    removed.removeEscapes("\\");
    EXPECT_EQ(str(removed), std::string("\0a", 2));
}

namespace {
Tokens allTokens(const char* text, const char* delimiters, const char* escapes) {
    StringTokenizer tokenizer{String(text), String(delimiters), String(escapes)};
    Tokens out;
    while (tokenizer.hasToken()) out.push_back(str(tokenizer.nextToken()));
    EXPECT_EQ(out.size(), tokenizer.countTokens());
    return out;
}
}  // namespace

// A delimiter ends a token unless the character before it is an escape;
// after a leading delimiter or a run of them the scan lags one step behind.
TEST(StringTokenizerTest, EscapesBeforeAndAfterDelimiters) {
    struct Case { const char *text, *delimiters, *escapes; Tokens expected; } cases[] = {
        {"a\\,b,c", ",", "\\", {"a\\,b", "c"}},  {"a\\,,b", ",", "\\", {"a\\,", "b"}},
        {"a\\,", ",", "\\", {"a\\,"}},            {",a\\,b", ",", "\\", {"a\\", "b,"}},
        {"a,,b\\,c", ",", "\\", {"a", "b\\", "c,"}}, {"a,,b", ",", ",", {"a", "b"}},
        {"a;,b", ",;", ";", {"a", "b"}},          {" a  b,c", " ,", "", {"a", "b", "c"}},
    };
    for (const Case& c : cases) EXPECT_EQ(allTokens(c.text, c.delimiters, c.escapes), c.expected) << c.text;
    StringTokenizer assigned(String("a,b"), String(","), String(""));
    const StringTokenizer& same = assigned;
    assigned = same;  // self-assignment through an alias
    EXPECT_EQ(str(assigned.nextToken()), "a");
}
