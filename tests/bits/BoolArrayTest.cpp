// BoolArray against bit-by-bit references: unpacking in both bit orders,
// packing, printing and reading text.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "korvane/BoolArray.h"
#include "korvane/ByteArray.h"
#include "korvane/String.h"
#include "text/TextTestSupport.h"

using namespace Korvane;
using korvane_test::str;
using Bits = std::vector<bool>;

namespace {
BoolArray boolArray(const Bits& bits) {
    BoolArray a;
    for (bool bit : bits) a += bit;
    return a;
}
Bits elements(const BoolArray& a) {
    Bits bits;
    for (unsigned int i = 0; i < a.length(); ++i) bits.push_back(a[i]);
    return bits;
}
}  // namespace

TEST(BoolArrayTest, UnpackingAndPackingMatchBitByBitReferences) {
    const unsigned int seed = 20260811;
    std::mt19937 random(seed);
    for (int round = 0; round < 4000; ++round) {
        SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round));
        // Unpacking: every bit of every byte in the chosen order, the last
        // `unused` dropped; nothing for no bytes or more than 7 unused.
        std::vector<unsigned char> bytes(random() % 20);
        for (auto& b : bytes) b = static_cast<unsigned char>(random());
        const unsigned int unused = random() % 10;
        const bool lsbFirst = (random() & 1) != 0;
        Bits expected;
        for (unsigned char b : bytes)
            for (int k = 0; k < 8; ++k) expected.push_back(((b >> (lsbFirst ? k : 7 - k)) & 1) != 0);
        expected.resize(bytes.empty() || unused > 7 ? 0 : expected.size() - unused);
        const ByteArray packed(bytes.data(), static_cast<unsigned int>(bytes.size()));
        ASSERT_EQ(elements(BoolArray(packed, unused, lsbFirst)), expected);

        // Packing: element i at bit i mod 8 of byte i div 8, high zero bytes
        // dropped but one kept. Long runs of high zeros now and then.
        Bits bits(1 + random() % 120);
        for (std::size_t i = 0; i < bits.size(); ++i) bits[i] = (random() & 1) != 0 && (round % 3 || i < bits.size() / 2);
        std::vector<unsigned char> pack((bits.size() + 7) / 8, 0);
        for (std::size_t i = 0; i < bits.size(); ++i) pack[i / 8] |= static_cast<unsigned char>(bits[i] << (i % 8));
        while (pack.size() > 1 && pack.back() == 0) pack.pop_back();
        const BoolArray array = boolArray(bits);
        ASSERT_EQ(array.toByteArray(), ByteArray(pack.data(), static_cast<unsigned int>(pack.size())));
        ASSERT_EQ(ByteArray(array), array.toByteArray());

        // Printing writes the last element first; reading reversed gives it back.
        std::string printed;
        for (auto it = bits.rbegin(); it != bits.rend(); ++it) printed += *it ? '1' : '0';
        ASSERT_EQ(str(array.toString()), printed);
        ASSERT_EQ(BoolArray(array.toString(), true), array);
    }
    EXPECT_EQ(BoolArray().toByteArray().length(), 0u);
    EXPECT_EQ(BoolArray(ByteArray(), 0, true).getData(), nullptr);
}

TEST(BoolArrayTest, TextEqualityAndAppending) {
    EXPECT_EQ(elements(BoolArray(String("1x0 1"), false)), (Bits{1, 0, 1}));  // other characters ignored
    EXPECT_EQ(BoolArray(String("abc 2"), false).length(), 0u);
    EXPECT_EQ(BoolArray::emptyArray, BoolArray());
    EXPECT_FALSE(boolArray({1, 0}) == boolArray({1, 0, 0}));
    EXPECT_TRUE(boolArray({1, 0}) != boolArray({0, 0}));
    EXPECT_TRUE(BoolArray(9, false).isClear());
    EXPECT_FALSE(boolArray({0, 1}).isClear());
    BoolArray a = boolArray({1, 0});
    BoolArray copy(a);
    copy[0] = false;  // copies do not share
    a += a;
    EXPECT_EQ(elements(a + false), (Bits{1, 0, 1, 0, 0}));
    EXPECT_EQ(elements(copy), (Bits{0, 0}));
}

TEST(BoolArrayTest, Trimming) {
    const struct {
        Bits input, msbTrimmed, lsbTrimmed;
    } cases[] = {
        {{1, 0, 0}, {1}, {1, 0, 0}},
        {{0, 0, 0}, {}, {}},
        {{}, {}, {}},
        {{0, 1, 1, 0, 1, 0, 0}, {0, 1, 1, 0, 1}, {1, 1, 0, 1, 0, 0}},
    };
    for (const auto& c : cases) {
        BoolArray msb = boolArray(c.input), lsb = boolArray(c.input);
        EXPECT_EQ(&msb.trimMSB(), &msb);
        EXPECT_EQ(&lsb.trimLSB(), &lsb);
        // The trimmed storage still grows.
        msb += true;
        lsb += true;
        Bits msbWanted = c.msbTrimmed, lsbWanted = c.lsbTrimmed;
        msbWanted.push_back(true);
        lsbWanted.push_back(true);
        EXPECT_EQ(elements(msb), msbWanted);
        EXPECT_EQ(elements(lsb), lsbWanted);
    }
}
