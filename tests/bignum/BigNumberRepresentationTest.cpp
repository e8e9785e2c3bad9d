// Construction, normal form, negative zero, comparison and the byte and
// machine-integer conversions of BigNumber.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "korvane/BigNumber.h"
#include "korvane/ByteArray.h"

using namespace Korvane;

namespace {
std::vector<int> digitsOf(const BigNumber& n) {
    return std::vector<int>(n.getData(), n.getData() + n.length());
}
std::vector<int> bytesOf(const ByteArray& b) { return std::vector<int>(b.getData(), b.getData() + b.length()); }
ByteArray bytes(std::vector<unsigned char> v) { return ByteArray(v.data(), static_cast<unsigned int>(v.size())); }
}  // namespace

TEST(BigNumberRepresentation, DigitsAreLeastSignificantFirst) {
    const BigNumber n(0x1234);
    EXPECT_EQ(digitsOf(n), (std::vector<int>{0x34, 0x12}));
    EXPECT_EQ(bytesOf(n.toByteArray(false)), (std::vector<int>{0x34, 0x12}));
    EXPECT_EQ(bytesOf(n.toByteArray(true)), (std::vector<int>{0x12, 0x34}));
    EXPECT_TRUE(BigNumber::fromMSDByteArray(bytes({0x12, 0x34}), false) == n);
    // The terminator slot behind the digits stays zero.
    EXPECT_EQ(n.getData()[n.length()], 0);
}

TEST(BigNumberRepresentation, ConstructorsNormalize) {
    struct Case {
        BigNumber number;
        std::vector<int> digits;
        bool negative;
    };
    const Case cases[] = {
        {BigNumber(), {0}, false},
        {BigNumber::fromMSDByteArray(bytes({0, 0, 1}), false), {1}, false},
        {BigNumber::fromMSDByteArray(bytes({1, 0}), false), {0, 1}, false},
        {BigNumber(bytes({5, 0, 0}), false), {5}, false},
        {BigNumber(bytes({0, 0}), true), {0}, true},
        {BigNumber(5), {5}, false},
        {BigNumber(-5), {5}, true},
        {BigNumber(0), {0}, false},
        {BigNumber(INT_MIN), {0, 0, 0, 0x80}, true},
        {BigNumber(static_cast<unsigned char>(200)), {200}, false},
        {BigNumber(0x7FFFFFFFFFFFFFFFL), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, false},
        {BigNumber(LONG_MIN), {0, 0, 0, 0, 0, 0, 0, 0x80}, true},
        {BigNumber(-300L), {0x2C, 0x01}, true},
        {BigNumber(0u, 'x'), {0}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(digitsOf(c.number), c.digits);
        EXPECT_EQ(c.number.isNegative(), c.negative);
    }
    EXPECT_EQ(BigNumber(-5).toInt(), -5);
}

TEST(BigNumberRepresentation, FilledNumbersKeepTheirHighZeroDigits) {
    const BigNumber zeros(3u, 0);
    EXPECT_EQ(digitsOf(zeros), (std::vector<int>{0, 0, 0}));
    EXPECT_FALSE(zeros.isZero());
    EXPECT_EQ(zeros.numberOfBits(), 16u);
    EXPECT_EQ(digitsOf(BigNumber(2u, static_cast<char>(0xAB))), (std::vector<int>{0xAB, 0xAB}));
    // Copies and byte conversions keep them too.
    EXPECT_EQ(digitsOf(BigNumber(zeros)), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(bytesOf(ByteArray(zeros)), (std::vector<int>{0, 0, 0}));
    ByteArray assigned("xyz");
    assigned = zeros;
    EXPECT_EQ(bytesOf(assigned), (std::vector<int>{0, 0, 0}));
}

TEST(BigNumberRepresentation, NegativeZeroIsZeroButNotEqualToZero) {
    const BigNumber negativeZero(ByteArray(), true);
    EXPECT_TRUE(negativeZero.isZero());
    EXPECT_TRUE(negativeZero.isNegative());
    EXPECT_FALSE(negativeZero == BigNumber::Zero);
    EXPECT_TRUE(negativeZero != BigNumber::Zero);
    EXPECT_EQ(negativeZero.compare(BigNumber::Zero), BigNumber::LESS);
    EXPECT_EQ(BigNumber::Zero.compare(negativeZero), BigNumber::GREATER);
    EXPECT_EQ(BigNumber::fromMSDByteArray(ByteArray(), true).compare(negativeZero), BigNumber::EQUAL);
}

TEST(BigNumberRepresentation, ZeroConstantIsPositiveSingleDigit) {
    EXPECT_EQ(digitsOf(BigNumber::Zero), (std::vector<int>{0}));
    EXPECT_FALSE(BigNumber::Zero.isNegative());
    EXPECT_TRUE(BigNumber::Zero == BigNumber());
}

TEST(BigNumberRepresentation, EqualityLooksAtDigitsLengthAndSign) {
    EXPECT_TRUE(BigNumber(7) == BigNumber(static_cast<unsigned char>(7)));
    EXPECT_TRUE(BigNumber(7).equals(BigNumber(7L)));
    EXPECT_FALSE(BigNumber(7) == BigNumber(-7));
    // No normalization first: high zero digits make a different number.
    EXPECT_FALSE(BigNumber(2u, 0) == BigNumber::Zero);
    EXPECT_FALSE(BigNumber(1) == BigNumber(2u, 1));
}

TEST(BigNumberRepresentation, CompareOrdersMagnitudesForEqualSigns) {
    struct Case {
        long a, b;
        BigNumber::COMPARISON expected;
    };
    const Case cases[] = {
        {-10, -5, BigNumber::GREATER}, {-5, -10, BigNumber::LESS},  {-1, 0, BigNumber::LESS},
        {0, -1, BigNumber::GREATER},   {5, 5, BigNumber::EQUAL},    {-5, -5, BigNumber::EQUAL},
        {255, 256, BigNumber::LESS},   {256, 255, BigNumber::GREATER}, {0x1200, 0x12FF, BigNumber::LESS},
        {3, -300, BigNumber::GREATER},
    };
    for (const Case& c : cases) EXPECT_EQ(BigNumber(c.a).compare(BigNumber(c.b)), c.expected) << c.a << " vs " << c.b;
    // High zero digits count as length.
    EXPECT_EQ(BigNumber(2u, 0).compare(BigNumber(255)), BigNumber::GREATER);
}

TEST(BigNumberRepresentation, BitCounts) {
    EXPECT_EQ(BigNumber(1).numberOfBits(), 1u);
    EXPECT_EQ(BigNumber(255).numberOfBits(), 8u);
    EXPECT_EQ(BigNumber(256).numberOfBits(), 9u);
    EXPECT_EQ(BigNumber(0).numberOfBits(), 0u);
    EXPECT_EQ(BigNumber(-256).numberOfBits(), 9u);
}

TEST(BigNumberRepresentation, MachineIntegersTakeTheLow32Bits) {
    // 2^32 + 7
    const BigNumber big = BigNumber::fromMSDByteArray(bytes({1, 0, 0, 0, 7}), false);
    EXPECT_EQ(big.toInt(), 7);
    EXPECT_EQ(big.toLong(), 7L);
    const BigNumber negativeBig = BigNumber::fromMSDByteArray(bytes({1, 0, 0, 0, 7}), true);
    EXPECT_EQ(negativeBig.toInt(), -7);
    // 0x80000000 reads as INT_MIN; its negation too (modulo 2^32).
    const BigNumber top = BigNumber::fromMSDByteArray(bytes({0x80, 0, 0, 0}), false);
    EXPECT_EQ(top.toInt(), INT_MIN);
    EXPECT_EQ(top.toLong(), static_cast<long>(INT_MIN));
    EXPECT_EQ(BigNumber(INT_MIN).toInt(), INT_MIN);
    EXPECT_EQ(BigNumber(0xFFFFFFFFL).toLong(), -1L);
    EXPECT_EQ(BigNumber(-123456789L).toLong(), -123456789L);
}

TEST(BigNumberRepresentation, AssignmentCopiesDigitsAndSign) {
    BigNumber n(12345);
    const BigNumber other(-70000);
    n = other;
    EXPECT_TRUE(n == other);
    BigNumber& alias = n;
    n = alias;
    EXPECT_TRUE(n == other);
    n = BigNumber(3u, 0);
    EXPECT_EQ(digitsOf(n), (std::vector<int>{0, 0, 0}));
    EXPECT_FALSE(n.isNegative());
}

TEST(BigNumberRepresentation, MsdBytesRoundTrip) {
    const BigNumber n = BigNumber::fromMSDByteArray(bytes({0, 0x0A, 0x0B, 0x0C}), true);
    EXPECT_EQ(digitsOf(n), (std::vector<int>{0x0C, 0x0B, 0x0A}));
    EXPECT_EQ(bytesOf(n.toByteArray(true)), (std::vector<int>{0x0A, 0x0B, 0x0C}));
    EXPECT_TRUE(BigNumber::fromMSDByteArray(n.toByteArray(true), true) == n);
    EXPECT_EQ(bytesOf(BigNumber::Zero.toByteArray(false)), (std::vector<int>{0}));
    EXPECT_EQ(bytesOf(ByteArray(BigNumber(-0x0102))), (std::vector<int>{2, 1}));
}
