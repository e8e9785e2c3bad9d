#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "korvane/IntArray.h"
#include "korvane/String.h"
#include "text/TextTestSupport.h"

using namespace Korvane;
using korvane_test::str;
using Ints = std::vector<int>;

namespace {

IntArray intArray(const Ints& values) {
    return IntArray(values.data(), static_cast<unsigned int>(values.size()));
}

Ints elements(const IntArray& a) {
    Ints values;
    for (unsigned int i = 0; i < a.length(); ++i) values.push_back(a[i]);
    return values;
}

}  // namespace

// ---- Construction, assignment and setValue ---------------------------------------

TEST(IntArrayTest, BuiltAssignedAndReplaced) {
    const int values[] = {-4, INT_MAX, 840};
    EXPECT_EQ(elements(IntArray(values, 2)), (Ints{-4, INT_MAX}));
    EXPECT_EQ(IntArray(values, 0).length(), 0u);
    EXPECT_EQ(IntArray(nullptr, 5).getData(), nullptr);

    IntArray a = intArray({1, 2, 3});
    const IntArray& self = a;
    a = self;
    const IntArray copy(a);
    a.setValue(values, 3);
    EXPECT_EQ(elements(a), (Ints{-4, INT_MAX, 840}));
    EXPECT_EQ(elements(copy), (Ints{1, 2, 3}));
    a.setValue(nullptr, 3);
    EXPECT_EQ(a.length(), 0u);
    a.setValue(values, 1);
    EXPECT_EQ(elements(a), (Ints{-4}));
    a.setValue(values, 0);
    EXPECT_EQ(a.length(), 0u);
    IntArray own = intArray({5, 6, 7, 8});
    own.setValue(own.getData() + 1, 3);  // from its own storage
    EXPECT_EQ(elements(own), (Ints{6, 7, 8}));
    own = IntArray();
    EXPECT_EQ(own.length(), 0u);
}

// ---- Appending and joining --------------------------------------------------------

TEST(IntArrayTest, AppendingAndJoining) {
    IntArray a(nullptr, 0);
    EXPECT_EQ(str(a.toString()), "Null");
    EXPECT_EQ(&(a += 7), &a);
    EXPECT_EQ(str(a.toString()), "7");

    EXPECT_EQ(elements(intArray({1, 2}) + intArray({3})), (Ints{1, 2, 3}));
    EXPECT_EQ(elements(IntArray() + intArray({3})), (Ints{3}));
    EXPECT_EQ(elements(intArray({3}) + IntArray()), (Ints{3}));
    EXPECT_EQ((IntArray() + IntArray()).length(), 0u);

    std::mt19937 random(20260821);
    Ints expected;
    IntArray grown;
    for (int i = 0; i < 3000; ++i) {
        const int value = static_cast<int>(random());
        expected.push_back(value);
        grown += value;
    }
    EXPECT_EQ(elements(grown), expected) << "seed 20260821";
}

// ---- Comparison -----------------------------------------------------------------------

TEST(IntArrayTest, EqualityComparesLengthsFirst) {
    EXPECT_TRUE(IntArray() == IntArray());
    EXPECT_TRUE(intArray({1, 2}).equals(intArray({1, 2})));
    EXPECT_FALSE(intArray({1, 2}) == intArray({1, 2, 0}));
    EXPECT_TRUE(intArray({1, 2}) != intArray({1, 3}));
    EXPECT_FALSE(intArray({-1}) != intArray({-1}));
}

// ---- Dotted notation ---------------------------------------------------------------------

TEST(IntArrayTest, ParsesDottedText) {
    const struct {
        const char* text;
        Ints values;
    } cases[] = {
        {"1.2.840.113549", {1, 2, 840, 113549}},
        {"1.x.3", {1, 0, 3}},
        {"", {}},
        {"...", {}},
        {"..1..2.", {1, 2}},
        {"0.9.2342.19200300.100.1.1", {0, 9, 2342, 19200300, 100, 1, 1}},
        {"2147483647.-2147483648.-1", {INT_MAX, INT_MIN, -1}},
        {"1 .2", {0, 2}},
        {"010.007", {10, 7}},
    };
    for (const auto& c : cases) EXPECT_EQ(elements(IntArray(String(c.text))), c.values) << c.text;
    EXPECT_EQ(str(IntArray(String("")).toString()), "Null");
    EXPECT_EQ(str(intArray({INT_MIN, -5}).toString()), "-2147483648.-5");
}

TEST(IntArrayTest, PrintedRandomArraysParseBack) {
    const unsigned int seed = 20260822;
    std::mt19937 random(seed);
    for (int round = 0; round < 2000; ++round) {
        Ints values(1 + random() % 12);
        for (auto& v : values) v = random() % 2 ? static_cast<int>(random() % 1000) : static_cast<int>(random());
        std::string expected;
        for (std::size_t i = 0; i < values.size(); ++i)
            expected += (i ? "." : "") + std::to_string(values[i]);
        const IntArray a = intArray(values);
        ASSERT_EQ(str(a.toString()), expected) << "seed " << seed;
        ASSERT_EQ(IntArray(a.toString()), a) << "seed " << seed;
    }
}
