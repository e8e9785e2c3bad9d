// BigNumber's cases that the GMP comparison cannot reach: the stored digits,
// high zero digits, construction from machine integers, the byte and text
// forms of ByteArray, and every error path.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "korvane/BigNumber.h"
#include "korvane/ByteArray.h"
#include "korvane/QuillonException.h"
#include "korvane/String.h"

using namespace Korvane;
using Digits = std::vector<int>;

namespace {
Digits digitsOf(const BigNumber& n) { return Digits(n.getData(), n.getData() + n.length()); }
Digits bytesOf(const ByteArray& b) { return Digits(b.getData(), b.getData() + b.length()); }
ByteArray bytes(std::vector<unsigned char> v) { return ByteArray(v.data(), static_cast<unsigned int>(v.size())); }
std::string str(const String& s) { return std::string(s.getData(), s.length()); }
unsigned char byte(int v) { return static_cast<unsigned char>(v); }
}  // namespace

TEST(BigNumberEdgeCase, DigitsAreLeastSignificantFirstAndNormalized) {
    const struct {
        BigNumber number;
        Digits digits;
        bool negative;
    } cases[] = {
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
    EXPECT_EQ(bytesOf(BigNumber(0x1234).toByteArray(true)), (Digits{0x12, 0x34}));
    EXPECT_EQ(bytesOf(ByteArray(BigNumber(-0x0102))), (Digits{2, 1}));
    EXPECT_TRUE(BigNumber::Zero == BigNumber() && !BigNumber::Zero.isNegative());
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
    const BigNumber negativeZero(ByteArray(), true);
    const struct {
        const char* location;
        const char* extra;
        void (*call)(const BigNumber&);
    } cases[] = {
        {"BigNumber::divide(const BigNumber& other) const", "division by zero",
         [](const BigNumber&) { BigNumber(5).divide(BigNumber(3u, 0)); }},
        {"BigNumber::mod(const BigNumber& other) const", "division by zero",
         [](const BigNumber& z) { BigNumber(5).mod(z); }},
        {"BigNumber::divide(unsigned char value) const", "division by zero",
         [](const BigNumber&) { BigNumber(5).divide(byte(0)); }},
        {"BigNumber::mod(unsigned char value) const", "division by zero",
         [](const BigNumber&) { BigNumber(5).mod(byte(0)); }},
        {"BigNumber::expMod(const BigNumber& exponent, const BigNumber& modulus) const", "modulus is zero",
         [](const BigNumber&) { BigNumber(3).expMod(BigNumber(0), BigNumber(0)); }},
        {"BigNumber::expMod(const BigNumber& exponent, unsigned char modulus) const", "modulus is zero",
         [](const BigNumber&) { BigNumber(3).expMod(BigNumber(5), byte(0)); }},
        {"BigNumber::mulInv(const BigNumber& modulus) const", "modulus is zero",
         [](const BigNumber& z) { BigNumber(3).mulInv(z); }},
    };
    for (const auto& c : cases) {
        try {
            c.call(negativeZero);
            ADD_FAILURE() << c.location << " did not throw";
        } catch (const QuillonException& e) {
            EXPECT_EQ(e.getErrNo(0), 22);
            EXPECT_EQ(e.getLib(0), Exception::LIB_QUILLON);
            EXPECT_EQ(str(e.getErrLocation(0)), c.location);
            EXPECT_EQ(str(e.getExtraInfo(0)), c.extra);
        }
    }
}
