#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "BitsTestSupport.h"
#include "korvane/BoolArray.h"
#include "korvane/String.h"
#include "text/TextTestSupport.h"

using namespace Korvane;
using korvane_test::boolArray;
using korvane_test::byteArray;
using korvane_test::elements;
using korvane_test::str;
using Bits = std::vector<bool>;

namespace {

// Bit-by-bit unpacking: all bits of all bytes in the chosen order, then the
// last `unused` of them dropped.
Bits referenceUnpack(const std::vector<unsigned char>& bytes, unsigned int unused, bool lsbFirst) {
    Bits bits;
    if (bytes.empty() || unused > 7) return bits;
    for (unsigned char b : bytes)
        for (int k = 0; k < 8; ++k) bits.push_back(((b >> (lsbFirst ? k : 7 - k)) & 1) != 0);
    bits.resize(bits.size() - unused);
    return bits;
}

// Element i at bit i mod 8 of byte i div 8, high zero bytes dropped but at
// least one byte kept.
std::vector<unsigned char> referencePack(const Bits& bits) {
    std::vector<unsigned char> bytes((bits.size() + 7) / 8, 0);
    for (std::size_t i = 0; i < bits.size(); ++i)
        if (bits[i]) bytes[i / 8] |= static_cast<unsigned char>(1 << (i % 8));
    while (bytes.size() > 1 && bytes.back() == 0) bytes.pop_back();
    return bytes;
}

Bits randomBits(std::mt19937& random, unsigned int count) {
    Bits bits(count);
    for (unsigned int i = 0; i < count; ++i) bits[i] = (random() & 1) != 0;
    return bits;
}

}  // namespace

// ---- Unpacking bytes ---------------------------------------------------------

TEST(BoolArrayTest, UnpackingMoreThanSevenUnusedBitsOrNoBytesGivesNothing) {
    for (unsigned int unused : {8u, 100u})
        for (bool lsbFirst : {false, true})
            EXPECT_EQ(BoolArray(byteArray({0xA0}), unused, lsbFirst).length(), 0u) << unused << " " << lsbFirst;
    EXPECT_EQ(elements(BoolArray(byteArray({0xA0}), 7, false)), (Bits{1}));
    EXPECT_EQ(BoolArray(ByteArray(), 0, true).getData(), nullptr);
}

TEST(BoolArrayTest, UnpackingRandomBytesMatchesBitByBitReferenceInBothOrders) {
    const unsigned int seed = 20260811;
    std::mt19937 random(seed);
    for (int round = 0; round < 4000; ++round) {
        const auto bytes = korvane_test::randomBytes(random, random() % 20);
        const unsigned int unused = random() % 10;
        const bool lsbFirst = (random() & 1) != 0;
        ASSERT_EQ(elements(BoolArray(byteArray(bytes), unused, lsbFirst)),
                  referenceUnpack(bytes, unused, lsbFirst))
            << "seed " << seed << " round " << round;
    }
}

// ---- Text -----------------------------------------------------------------------

TEST(BoolArrayTest, ReadingTextIgnoresOtherCharacters) {
    EXPECT_EQ(elements(BoolArray(String("1x0 1"), false)), (Bits{1, 0, 1}));
    EXPECT_EQ(elements(BoolArray(String("110"), true)), (Bits{0, 1, 1}));
    EXPECT_EQ(BoolArray(String("abc 2"), false).length(), 0u);
    EXPECT_EQ(BoolArray(String(""), true).length(), 0u);
    EXPECT_EQ(str(BoolArray().toString()), "");
}

TEST(BoolArrayTest, PrintingWritesTheLastElementFirstAndReadsBackReversed) {
    const unsigned int seed = 20260812;
    std::mt19937 random(seed);
    for (int round = 0; round < 1000; ++round) {
        const Bits bits = randomBits(random, random() % 70);
        const BoolArray a = boolArray(bits);
        const std::string text = str(a.toString());
        ASSERT_EQ(text.size(), bits.size());
        for (std::size_t i = 0; i < bits.size(); ++i)
            ASSERT_EQ(text[bits.size() - 1 - i], bits[i] ? '1' : '0') << "seed " << seed;
        ASSERT_EQ(BoolArray(a.toString(), true), a) << "seed " << seed;
    }
}

// ---- Construction, assignment, appending and comparison ------------------------------

TEST(BoolArrayTest, FilledCopiedAndAssigned) {
    EXPECT_EQ(elements(BoolArray(3, true)), Bits(3, true));
    EXPECT_EQ(BoolArray(0, true).length(), 0u);
    EXPECT_EQ(BoolArray::emptyArray, BoolArray());
    BoolArray a = boolArray({1, 0});
    BoolArray copy(a);
    copy[0] = false;
    EXPECT_EQ(elements(a), (Bits{1, 0}));
    const BoolArray& self = a;
    a = self;
    EXPECT_EQ(elements(a), (Bits{1, 0}));
    a = BoolArray();
    EXPECT_EQ(a.length(), 0u);
}

TEST(BoolArrayTest, Appending) {
    BoolArray a;
    a += true;
    a += false;
    a += boolArray({1, 1});
    EXPECT_EQ(elements(a), (Bits{1, 0, 1, 1}));
    a += a;
    EXPECT_EQ(elements(a), (Bits{1, 0, 1, 1, 1, 0, 1, 1}));
    a += BoolArray();
    EXPECT_EQ(a.length(), 8u);
    const BoolArray left = boolArray({0, 1});
    EXPECT_EQ(elements(left + boolArray({1})), (Bits{0, 1, 1}));
    EXPECT_EQ(elements(left + false), (Bits{0, 1, 0}));
    EXPECT_EQ(elements(left), (Bits{0, 1}));

    const unsigned int seed = 20260813;
    std::mt19937 random(seed);
    const Bits bits = randomBits(random, 5000);
    BoolArray grown;
    for (bool bit : bits) grown += bit;
    EXPECT_EQ(elements(grown), bits) << "seed " << seed;
}

TEST(BoolArrayTest, EqualityAndIsClear) {
    EXPECT_TRUE(BoolArray() == BoolArray());
    EXPECT_TRUE(boolArray({1, 0}).equals(boolArray({1, 0})));
    EXPECT_FALSE(boolArray({1, 0}) == boolArray({1, 0, 0}));
    EXPECT_FALSE(boolArray({1, 0}) == boolArray({1, 1}));
    EXPECT_TRUE(boolArray({1, 0}) != boolArray({0, 0}));
    EXPECT_FALSE(boolArray({1}) != boolArray({1}));
    EXPECT_TRUE(BoolArray().isClear());
    EXPECT_TRUE(BoolArray(9, false).isClear());
    EXPECT_FALSE(boolArray({0, 1}).isClear());
}

// ---- Trimming ----------------------------------------------------------------------------

TEST(BoolArrayTest, Trimming) {
    const struct {
        Bits input;
        Bits msbTrimmed;
        Bits lsbTrimmed;
    } cases[] = {
        {{1, 0, 0}, {1}, {1, 0, 0}},
        {{0, 0, 1, 0}, {0, 0, 1}, {1, 0}},
        {{0, 0, 0}, {}, {}},
        {{}, {}, {}},
        {{1}, {1}, {1}},
        {{0, 1, 1, 0, 1, 0, 0}, {0, 1, 1, 0, 1}, {1, 1, 0, 1, 0, 0}},
    };
    for (const auto& c : cases) {
        BoolArray msb = boolArray(c.input);
        EXPECT_EQ(&msb.trimMSB(), &msb);
        EXPECT_EQ(elements(msb), c.msbTrimmed);
        BoolArray lsb = boolArray(c.input);
        EXPECT_EQ(&lsb.trimLSB(), &lsb);
        EXPECT_EQ(elements(lsb), c.lsbTrimmed);
        // The trimmed storage still grows.
        msb += true;
        lsb += true;
        EXPECT_EQ(msb.length(), c.msbTrimmed.size() + 1);
        EXPECT_EQ(lsb.length(), c.lsbTrimmed.size() + 1);
    }
}

// ---- Packing ---------------------------------------------------------------------------

TEST(BoolArrayTest, PackingEmptyAndClearArrays) {
    EXPECT_EQ(BoolArray().toByteArray().length(), 0u);
    EXPECT_EQ(ByteArray(BoolArray()), ByteArray::emptyArray);
    EXPECT_EQ(boolArray({0, 0, 0}).toByteArray(), byteArray({0x00}));
}

TEST(BoolArrayTest, PackingRandomArraysMatchesBitByBitReference) {
    const unsigned int seed = 20260814;
    std::mt19937 random(seed);
    for (int round = 0; round < 1500; ++round) {
        Bits bits = randomBits(random, 1 + random() % 120);
        // Long runs of high zeros exercise the dropped bytes.
        if (random() % 3 == 0)
            for (std::size_t i = bits.size() / 2; i < bits.size(); ++i) bits[i] = false;
        const ByteArray packed = boolArray(bits).toByteArray();
        ASSERT_EQ(korvane_test::byteVector(packed), referencePack(bits)) << "seed " << seed;
        ASSERT_EQ(packed, ByteArray(boolArray(bits))) << "seed " << seed;
    }
}
