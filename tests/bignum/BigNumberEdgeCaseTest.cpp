// BigNumber's cases that the GMP comparison of the bignum fuzz target (whose
// corpus every build replays) cannot reach: the stored digits, high zero
// digits, the sign of zero results and of the byte forms that ignore signs,
// reading text with foreign characters, construction from machine integers,
// the byte and text forms of ByteArray, and every error path.

#include <climits>
#include <vector>

#include "TestSupport.h"
#include "korvane/BigNumber.h"
#include "korvane/QuillonException.h"

using namespace Korvane;
using Digits = std::vector<int>;
using korvane_test::str;

namespace {
Digits digitsOf(const BigNumber& n) { return Digits(n.getData(), n.getData() + n.length()); }
Digits bytesOf(const ByteArray& b) { return Digits(b.getData(), b.getData() + b.length()); }
ByteArray bytes(std::vector<unsigned char> v) { return ByteArray(v.data(), static_cast<unsigned int>(v.size())); }
unsigned char byte(int v) { return static_cast<unsigned char>(v); }
}  // namespace

TEST(BigNumberEdgeCase, DigitsAreLeastSignificantFirstAndNormalized) {
    const struct { BigNumber number; Digits digits; bool negative; } cases[] = {
        {BigNumber(), {0}, false},
        {BigNumber(0x1234), {0x34, 0x12}, false},
        {BigNumber::fromMSDByteArray(bytes({0, 0, 1, 2}), true), {2, 1}, true},
        {BigNumber(bytes({5, 0, 0}), false), {5}, false},
        {BigNumber(bytes({0, 0}), true), {0}, true},  // negative zero
        {BigNumber(INT_MIN), {0, 0, 0, 0x80}, true},
        {BigNumber(byte(200)), {200}, false},
        // long is 64 bits on Linux x86-64, 32 bits on Windows.
        {BigNumber(LONG_MIN), sizeof(long) == 8 ? Digits{0, 0, 0, 0, 0, 0, 0, 0x80} : Digits{0, 0, 0, 0x80}, true},
        {BigNumber(3u, 0), {0, 0, 0}, false},  // high zero digits stay
        {BigNumber(2u, static_cast<char>(0xAB)), {0xAB, 0xAB}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(digitsOf(c.number), c.digits);
        EXPECT_EQ(c.number.isNegative(), c.negative);
        EXPECT_EQ(c.number.getData()[c.number.length()], 0);  // the terminator slot
    }
    // Room for the terminator slot read above, however the digits were made.
    EXPECT_EQ(korvane_test::StorageView<BigNumber>(3u, 0).capacityForTest(), 4u);
    EXPECT_EQ(korvane_test::StorageView<BigNumber>(0u, 'x').capacityForTest(), 2u);
    EXPECT_EQ(bytesOf(BigNumber(0x1234).toByteArray(true)), (Digits{0x12, 0x34}));
    EXPECT_EQ(bytesOf(ByteArray(BigNumber(-0x0102))), (Digits{2, 1}));
    EXPECT_TRUE(BigNumber::Zero == BigNumber() && !BigNumber::Zero.isNegative());
    BigNumber assigned(7);
    assigned = BigNumber(ByteArray(), true);
    EXPECT_EQ(digitsOf(assigned), (Digits{0}));
    EXPECT_TRUE(assigned.isNegative());
    const BigNumber& self = assigned;
    assigned = self;
    const BigNumber source(0x1234);
    assigned = source;
    EXPECT_EQ(digitsOf(assigned), (Digits{0x34, 0x12}));
    EXPECT_TRUE(assigned.equals(BigNumber(0x1234)) && assigned != BigNumber(0x1235) && !assigned.isNegative());
}

TEST(BigNumberEdgeCase, HighZeroDigitsCountUntilAnOperationNormalizes) {
    const BigNumber zeros(3u, 0);
    EXPECT_FALSE(zeros.isZero());
    EXPECT_EQ(zeros.numberOfBits(), 16u);
    EXPECT_EQ(digitsOf(BigNumber(zeros)), (Digits{0, 0, 0}));
    ByteArray assigned("xyz");
    assigned = zeros;
    EXPECT_EQ(bytesOf(assigned), (Digits{0, 0, 0}));
    // Equality and comparison do not normalize first.
    EXPECT_FALSE(zeros == BigNumber::Zero);
    EXPECT_EQ(BigNumber(2u, 0).compare(BigNumber(255)), BigNumber::GREATER);
    // Arithmetic and text take them at their value.
    EXPECT_EQ(digitsOf(BigNumber(3u, 1).multiply(BigNumber(2u, 0))), (Digits{0}));
    EXPECT_EQ(str(zeros.toBase(10)), "0");
    EXPECT_EQ(str(BigNumber(7).expMod(BigNumber(2u, 0), BigNumber(10)).toBase(10)), "1");
    // The base's sign survives an odd exponent, even into a zero result; the
    // byte modulus form gives zeros without it.
    const BigNumber negativeZero = BigNumber(-2).expMod(BigNumber(3), BigNumber(8));
    EXPECT_TRUE(negativeZero.isZero() && negativeZero.isNegative());
    EXPECT_FALSE(BigNumber(-2).expMod(BigNumber(3), static_cast<unsigned char>(8)).isNegative());
    EXPECT_TRUE(BigNumber(-3).expMod(BigNumber(3), static_cast<unsigned char>(5)).isNegative());
}

// The sign flag of a result follows the operands' flags, on zeros too; the
// byte forms that ignore signs keep the number's sign.
TEST(BigNumberEdgeCase, SignRules) {
    const BigNumber negativeZero(ByteArray(), true);
    const unsigned char zero = 0, one = 1, two = 2, five = 5;
    const struct { BigNumber result; const char* value; bool negative; } cases[] = {
        {BigNumber(-3).divide(BigNumber(5)), "0", true},      {BigNumber(-3).mod(BigNumber(3)), "0", true},
        {BigNumber(-3).multiply(BigNumber(0)), "0", true},    {BigNumber(3).divide(BigNumber(-5)), "0", true},
        {BigNumber(5).subtract(BigNumber(5)), "0", false},    {BigNumber(-5).add(BigNumber(5)), "0", false},
        {BigNumber(-5).subtract(BigNumber(-5)), "0", false},  {negativeZero.add(BigNumber(5)), "5", false},
        {negativeZero.subtract(BigNumber(3)), "-3", true},    {BigNumber(5).subtract(negativeZero), "5", false},
        {BigNumber(-4).add(zero, true), "-4", true},          {BigNumber(-4).add(one, true), "-5", true},
        {BigNumber(-4).add(one, false), "-3", true},          {BigNumber(-4).subtract(five, true), "-1", true},
        {BigNumber(-4).subtract(five, false), "-9", true},    {BigNumber(-7).divide(two), "-3", true},
        {BigNumber(-7).multiply(zero), "0", true},            {BigNumber(-2).add(BigNumber(-3), true), "-5", true},
        {BigNumber(-2).add(BigNumber(3), true), "5", false},  {BigNumber(-2).subtract(BigNumber(3), true), "-1", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(str(c.result.toBase(10)), c.value) << c.value;
        EXPECT_EQ(c.result.isNegative(), c.negative) << c.value;
    }
    EXPECT_EQ(BigNumber(-7).mod(two), -1);
}

// Reading skips characters that are no digits, takes either case, weighs
// letters at or above the base as well, and falls back to 16 for bases
// outside 2..36; a '-' is a sign only in front.
TEST(BigNumberEdgeCase, TextWithForeignCharacters) {
    const struct { const char* text; unsigned int base; const char* decimal; } cases[] = {{"1:2_3 ", 10, "123"}, {"-ff", 16, "-255"}, {"fF", 16, "255"}, {"1a", 10, "20"},
                 {"10", 1, "16"},       {"10", 37, "16"},    {"1-2", 10, "12"}, {"z\xff" "9", 36, "1269"}};
    for (const auto& c : cases)
        EXPECT_EQ(str(BigNumber::fromBase(String(c.text), c.base).toBase(10)), c.decimal) << c.text;
}

TEST(BigNumberEdgeCase, MachineIntegersAndOddForms) {
    const BigNumber big = BigNumber::fromMSDByteArray(bytes({1, 0, 0, 0, 7}), true);  // -(2^32 + 7)
    EXPECT_EQ(big.toLong(), -7L);
    EXPECT_EQ(BigNumber(0xFFFFFFFFL).toLong(), -1L);
    EXPECT_EQ(BigNumber(-123456789L).toLong(), -123456789L);
    BigNumber n(0x1234);
    EXPECT_EQ(digitsOf(~n), (Digits{0xCB, 0xED}));
    EXPECT_THROW(BigNumber(2).power(BigNumber::fromMSDByteArray(bytes({0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), false)),
                 std::length_error);
    // Bases outside 2..36 print in 16.
    EXPECT_EQ(str(BigNumber(255).toBase(1)), "FF");
    EXPECT_EQ(str(BigNumber(255).toBase(37)), "FF");
}

TEST(BigNumberEdgeCase, ByteArrayNumberText) {
    const ByteArray oneTwo = bytes({1, 2});
    EXPECT_EQ(str(ByteArray().toPrintableString(16, false)), "");
    EXPECT_EQ(str(ByteArray(1u, '\0').toPrintableString(16, false)), "0");
    EXPECT_EQ(str(oneTwo.toPrintableString(16, false)), "201");
    EXPECT_EQ(str(oneTwo.toPrintableString(10, true)), "258");
    EXPECT_EQ(str(oneTwo.toPrintableString(99, true)), "102");
    EXPECT_EQ(bytesOf(ByteArray::fromHexString("000102", false)), (Digits{2, 1}));
    EXPECT_EQ(bytesOf(ByteArray::fromHexString("0102", true)), (Digits{1, 2}));
    EXPECT_EQ(bytesOf(ByteArray::fromHexString("00", false)), (Digits{0}));
    EXPECT_EQ(bytesOf(ByteArray::fromHexString("-a:b", true)), (Digits{0xAB}));
}

TEST(BigNumberEdgeCase, ZeroDivisorsAndModuliThrowDataFormatInvalid) {
    const BigNumber zeros(3u, 0), negativeZero(ByteArray(), true);
    const char* const division = "division by zero";
    const char* const modulus = "modulus is zero";
    korvane_test::expectError([&] { BigNumber(5).divide(zeros); }, 22, "BigNumber::divide(const BigNumber& other) const", division);
    korvane_test::expectError([&] { BigNumber(5).mod(negativeZero); }, 22, "BigNumber::mod(const BigNumber& other) const", division);
    korvane_test::expectError([] { BigNumber(5).divide(byte(0)); }, 22, "BigNumber::divide(unsigned char value) const", division);
    korvane_test::expectError([] { BigNumber(5).mod(byte(0)); }, 22, "BigNumber::mod(unsigned char value) const", division);
    korvane_test::expectError([] { BigNumber(3).expMod(BigNumber(0), BigNumber(0)); }, 22,
                              "BigNumber::expMod(const BigNumber& exponent, const BigNumber& modulus) const", modulus);
    korvane_test::expectError([] { BigNumber(3).expMod(BigNumber(5), byte(0)); }, 22,
                              "BigNumber::expMod(const BigNumber& exponent, unsigned char modulus) const", modulus);
    korvane_test::expectError([&] { BigNumber(3).mulInv(negativeZero); }, 22,
                              "BigNumber::mulInv(const BigNumber& modulus) const", modulus);
}
