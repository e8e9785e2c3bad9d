// IntArray: storage, appending, and the dotted text of object identifiers.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "korvane/IntArray.h"
#include "korvane/String.h"
#include "korvane/StringTokenizer.h"
#include "text/TextTestSupport.h"

using namespace Korvane;
using korvane_test::str;
using Ints = std::vector<int>;

namespace {
IntArray intArray(const Ints& values) { return IntArray(values.data(), static_cast<unsigned int>(values.size())); }
Ints elements(const IntArray& a) { return Ints(a.getData(), a.getData() + a.length()); }
}  // namespace

TEST(IntArrayTest, StorageAndAppending) {
    EXPECT_EQ(IntArray(nullptr, 5).getData(), nullptr);
    IntArray own = intArray({5, 6, 7, 8});
    const IntArray copy(own);
    own.setValue(own.getData() + 1, 3);  // from its own storage
    EXPECT_EQ(elements(own), (Ints{6, 7, 8}));
    EXPECT_EQ(elements(copy), (Ints{5, 6, 7, 8}));
    own.setValue(nullptr, 3);
    EXPECT_EQ(own.length(), 0u);
    EXPECT_EQ(&(own += 7), &own);
    EXPECT_EQ(elements(IntArray() + intArray({3}) + IntArray()), (Ints{3}));
    EXPECT_EQ(intArray({1, 2}), intArray({1, 2}));
    EXPECT_NE(intArray({1, 2}), intArray({1, 2, 0}));
}

TEST(IntArrayTest, ParsesDottedText) {
    const struct {
        const char* text;
        Ints values;
    } cases[] = {
        {"1.2.840.113549", {1, 2, 840, 113549}},
        {"1.x.3", {1, 0, 3}},
        {"", {}},
        {"..1..2.", {1, 2}},
        {"2147483647.-2147483648.-1", {INT_MAX, INT_MIN, -1}},
        {"1 .2", {0, 2}},
        {"010.007", {10, 7}},
    };
    for (const auto& c : cases) EXPECT_EQ(elements(IntArray(String(c.text))), c.values) << c.text;
    EXPECT_EQ(str(IntArray(String("")).toString()), "Null");
}

TEST(IntArrayTest, RandomArraysPrintDottedAndParseBack) {
    const unsigned int seed = 20260822;
    std::mt19937 random(seed);
    for (int round = 0; round < 2000; ++round) {
        IntArray a;
        std::string expected;
        for (unsigned int n = 1 + random() % 12; n > 0; --n) {
            const int v = random() % 2 ? static_cast<int>(random() % 1000) : static_cast<int>(random());
            a += v;
            expected += (expected.empty() ? "" : ".") + std::to_string(v);
        }
        ASSERT_EQ(str(a.toString()), expected) << "seed " << seed;
        ASSERT_EQ(IntArray(a.toString()), a) << "seed " << seed;

        // Any text: the numbers are the tokens between dots, each as toInt reads it.
        std::string text(random() % 30, ' ');
        for (char& c : text) c = "0123456789..-+x \t"[random() % 17];
        Ints tokens;
        for (StringTokenizer t(String(text.c_str()), ".", ""); t.hasToken();) tokens.push_back(t.nextToken().toInt());
        ASSERT_EQ(elements(IntArray(String(text.c_str()))), tokens) << "seed " << seed << " text [" << text << "]";
    }
}
