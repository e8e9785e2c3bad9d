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

Bits randomBits(std::mt19937& random, unsigned int count) {
    Bits bits(count);
    for (unsigned int i = 0; i < count; ++i) bits[i] = (random() & 1) != 0;
    return bits;
}

}  // namespace

// ---- Unpacking bytes ---------------------------------------------------------

TEST(BoolArrayTest, UnpackingExamples) {
    const struct {
        unsigned int unused;
        bool lsbFirst;
        Bits expected;
    } cases[] = {
        {0, false, {1, 0, 1, 0, 0, 0, 0, 0}},
        {5, false, {1, 0, 1}},
        {0, true, {0, 0, 0, 0, 0, 1, 0, 1}},
        {5, true, {0, 0, 0}},
        {7, false, {1}},
        {8, false, {}},
        {8, true, {}},
        {100, false, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(elements(BoolArray(byteArray({0xA0}), c.unused, c.lsbFirst)), c.expected)
            << c.unused << " " << c.lsbFirst;
    EXPECT_EQ(BoolArray(ByteArray(), 0, false).length(), 0u);
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
    EXPECT_EQ(str(BoolArray(String("110"), true).toString()), "110");
    EXPECT_EQ(BoolArray(String("abc 2"), false).length(), 0u);
    EXPECT_EQ(BoolArray(String(""), true).length(), 0u);
}

TEST(BoolArrayTest, PrintingWritesTheLastElementFirst) {
    EXPECT_EQ(str(boolArray({1, 0, 0}).toString()), "001");
    EXPECT_EQ(str(BoolArray().toString()), "");
    EXPECT_EQ(str(BoolArray(3, true).toString()), "111");
}

TEST(BoolArrayTest, ReversedReadingOfPrintedTextRestoresRandomArrays) {
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

// ---- Construction, assignment and appending ----------------------------------------

TEST(BoolArrayTest, FilledAndCopied) {
    EXPECT_EQ(elements(BoolArray(4, false)), Bits(4, false));
    EXPECT_EQ(BoolArray(0, true).length(), 0u);
    BoolArray source = boolArray({1, 0});
    BoolArray copy(source);
    copy[0] = false;
    EXPECT_EQ(elements(source), (Bits{1, 0}));
    EXPECT_EQ(BoolArray::emptyArray.length(), 0u);
    EXPECT_EQ(BoolArray::emptyArray, BoolArray());
}

TEST(BoolArrayTest, Assignment) {
    BoolArray a = boolArray({1, 1, 0});
    const BoolArray& self = a;
    a = self;
    EXPECT_EQ(elements(a), (Bits{1, 1, 0}));
    a = BoolArray();
    EXPECT_EQ(a.length(), 0u);
    a = boolArray({0, 1});
    EXPECT_EQ(elements(a), (Bits{0, 1}));
}

TEST(BoolArrayTest, Appending) {
    BoolArray a;
    a += true;
    a += false;
    EXPECT_EQ(elements(a), (Bits{1, 0}));
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
}

TEST(BoolArrayTest, ManyAppendsKeepEveryElement) {
    const unsigned int seed = 20260813;
    std::mt19937 random(seed);
    const Bits bits = randomBits(random, 5000);
    BoolArray a;
    for (bool bit : bits) a += bit;
    EXPECT_EQ(elements(a), bits) << "seed " << seed;
}

// ---- Comparison and tests -----------------------------------------------------------

TEST(BoolArrayTest, Equality) {
    EXPECT_TRUE(BoolArray() == BoolArray());
    EXPECT_TRUE(boolArray({1, 0}) == boolArray({1, 0}));
    EXPECT_TRUE(boolArray({1, 0}).equals(boolArray({1, 0})));
    EXPECT_FALSE(boolArray({1, 0}) == boolArray({1, 0, 0}));
    EXPECT_FALSE(boolArray({1, 0}) == boolArray({1, 1}));
    EXPECT_TRUE(boolArray({1, 0}) != boolArray({0, 0}));
    EXPECT_FALSE(boolArray({1}) != boolArray({1}));
    EXPECT_FALSE(BoolArray() == boolArray({0}));
}

TEST(BoolArrayTest, IsClear) {
    EXPECT_TRUE(BoolArray().isClear());
    EXPECT_TRUE(BoolArray(9, false).isClear());
    EXPECT_FALSE(boolArray({0, 1}).isClear());
    EXPECT_FALSE(boolArray({1}).isClear());
}

// ---- Trimming ----------------------------------------------------------------------------

TEST(BoolArrayTest, TrimmingExamples) {
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
    }
}

TEST(BoolArrayTest, TrimmedArraysStayUsable) {
    BoolArray a = boolArray({0, 0, 0});
    a.trimMSB();
    a += true;
    EXPECT_EQ(elements(a), (Bits{1}));
    BoolArray b = boolArray({0, 1, 0});
    b.trimLSB();
    b += true;
    EXPECT_EQ(elements(b), (Bits{1, 0, 1}));
}

// ---- Packing ---------------------------------------------------------------------------

namespace {

// Element i at bit i mod 8 of byte i div 8, high zero bytes dropped but at
// least one byte kept.
std::vector<unsigned char> referencePack(const Bits& bits) {
    std::vector<unsigned char> bytes((bits.size() + 7) / 8, 0);
    for (std::size_t i = 0; i < bits.size(); ++i)
        if (bits[i]) bytes[i / 8] |= static_cast<unsigned char>(1 << (i % 8));
    while (bytes.size() > 1 && bytes.back() == 0) bytes.pop_back();
    return bytes;
}

}  // namespace

TEST(BoolArrayTest, PackingExamples) {
    using Bytes = std::vector<unsigned char>;
    EXPECT_EQ(korvane_test::byteVector(boolArray({0, 0, 0}).toByteArray()), Bytes{0x00});
    EXPECT_EQ(korvane_test::byteVector(boolArray({1, 0, 0, 0, 0, 0, 0, 0, 1}).toByteArray()),
              (Bytes{0x01, 0x01}));
    EXPECT_EQ(korvane_test::byteVector(boolArray({0, 1, 0, 1}).toByteArray()), Bytes{0x0A});
    EXPECT_EQ(korvane_test::byteVector(BoolArray(12, true).toByteArray()), (Bytes{0xFF, 0x0F}));
    EXPECT_EQ(korvane_test::byteVector(boolArray({1, 0, 0, 0, 0, 0, 0, 0, 0, 0}).toByteArray()),
              Bytes{0x01});
    EXPECT_EQ(BoolArray().toByteArray().length(), 0u);
    EXPECT_EQ(ByteArray(BoolArray()), ByteArray::emptyArray);
    EXPECT_EQ(ByteArray(boolArray({1, 1})), byteArray({0x03}));
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

TEST(BoolArrayTest, UnpackingThePackedBytesRestoresTheSignificantBits) {
    const unsigned int seed = 20260815;
    std::mt19937 random(seed);
    for (int round = 0; round < 500; ++round) {
        BoolArray bits = boolArray(randomBits(random, 1 + random() % 100));
        BoolArray unpacked(bits.toByteArray(), 0, true);
        ASSERT_EQ(unpacked.trimMSB(), bits.trimMSB()) << "seed " << seed;
    }
}
