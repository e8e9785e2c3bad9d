// Exponentiation, the modular inverse and the text forms of BigNumber, with
// the ByteArray conversions built on them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ErrorProbe.h"
#include "korvane/BigNumber.h"
#include "korvane/ByteArray.h"
#include "korvane/String.h"

using namespace Korvane;

namespace {
std::string show(const BigNumber& n) {
    std::string text(n.toBase(10).getData());
    if (n.isNegative() && n.isZero()) text = "-0";
    return text;
}
BigNumber decimal(const char* text) { return BigNumber::fromBase(String(text), 10); }
std::string str(const String& s) { return std::string(s.getData(), s.length()); }
std::vector<int> bytesOf(const ByteArray& b) { return std::vector<int>(b.getData(), b.getData() + b.length()); }
}  // namespace

TEST(BigNumberModular, Powers) {
    struct Case {
        long base, exponent;
        const char* expected;
    };
    const Case cases[] = {
        {2, 10, "1024"}, {3, 0, "1"}, {0, 0, "1"}, {0, 5, "0"}, {-2, 3, "-8"},
        {2, -3, "8"},    {-2, 4, "16"}, {1, 1000000, "1"}, {-1, 1000001, "-1"}, {10, 30, "1000000000000000000000000000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(show(BigNumber(c.base).power(BigNumber(c.exponent))), c.expected) << c.base << " ^ " << c.exponent;
    EXPECT_EQ(show(BigNumber(ByteArray(), true).power(BigNumber(3))), "-0");
    // A result no array can hold is refused at once.
    EXPECT_THROW(BigNumber(2).power(BigNumber(0x7FFFFFFFFFFFL)), std::length_error);
}

TEST(BigNumberModular, ModularPowers) {
    EXPECT_EQ(show(BigNumber(4).expMod(BigNumber(13), BigNumber(497))), "445");
    EXPECT_EQ(show(BigNumber(2).expMod(BigNumber(0), BigNumber(1))), "1");
    EXPECT_EQ(show(BigNumber(2).expMod(BigNumber(5), BigNumber(1))), "0");
    EXPECT_EQ(show(BigNumber(5).expMod(BigNumber(3), static_cast<unsigned char>(13))), "8");
    EXPECT_EQ(show(BigNumber(7).expMod(BigNumber(1), BigNumber(5))), "2");
    // The base's sign survives an odd exponent, even into a zero result;
    // the byte form returns zeros without a sign.
    EXPECT_EQ(show(BigNumber(-4).expMod(BigNumber(13), BigNumber(497))), "-445");
    EXPECT_EQ(show(BigNumber(-4).expMod(BigNumber(2), BigNumber(497))), "16");
    EXPECT_EQ(show(BigNumber(-4).expMod(BigNumber(1), BigNumber(2))), "-0");
    EXPECT_EQ(show(BigNumber(-4).expMod(BigNumber(1), static_cast<unsigned char>(2))), "0");
    EXPECT_EQ(show(BigNumber(-5).expMod(BigNumber(3), static_cast<unsigned char>(13))), "-8");
    // A negative modulus acts as its magnitude; even moduli work too.
    EXPECT_EQ(show(BigNumber(4).expMod(BigNumber(13), BigNumber(-497))), "445");
    EXPECT_EQ(show(BigNumber(3).expMod(BigNumber(200), BigNumber(1000))), "1");
    EXPECT_EQ(show(BigNumber(7).expMod(BigNumber(2u, 0), BigNumber(10))), "1");
}

TEST(BigNumberModular, ZeroModulusThrowsDataFormatInvalid) {
    korvane_test::expectDataFormatErrors(
        {
            {"BigNumber::expMod(const BigNumber& exponent, const BigNumber& modulus) const",
             [] { BigNumber(3).expMod(BigNumber(0), BigNumber(0)); }},
            {"BigNumber::expMod(const BigNumber& exponent, unsigned char modulus) const",
             [] { BigNumber(3).expMod(BigNumber(5), static_cast<unsigned char>(0)); }},
            {"BigNumber::mulInv(const BigNumber& modulus) const", [] { BigNumber(3).mulInv(BigNumber(2u, 0)); }},
        },
        "modulus is zero");
}

TEST(BigNumberModular, Inverses) {
    struct Case {
        long number, modulus;
        const char* expected;
    };
    const Case cases[] = {
        {3, 7, "5"},   {10, 17, "12"}, {1, 7, "1"},    {4, 8, "1"},   {7, 1, "1"},   {0, 1, "1"},
        {0, 9, "1"},   {9, 9, "1"},    {24, 7, "5"},   {-3, 7, "2"},  {3, -7, "2"}, {-3, -7, "-9"},
        {2, 3, "2"},   {1, 2, "1"},    {3, 2, "1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(show(BigNumber(c.number).mulInv(BigNumber(c.modulus))), c.expected)
            << c.number << " inverse mod " << c.modulus;
    // When the cofactor ends at zero the modulus itself comes back.
    EXPECT_TRUE(BigNumber(7).mulInv(BigNumber(-1)) == BigNumber(-1));
}

TEST(BigNumberModular, TextOutput) {
    struct Case {
        long value;
        unsigned int base;
        const char* expected;
    };
    const Case cases[] = {
        {255, 16, "FF"}, {256, 16, "100"}, {-1234, 10, "-1234"}, {255, 1, "FF"}, {255, 37, "FF"},
        {5, 2, "101"},   {0, 10, "0"},     {35, 36, "Z"},        {-36, 36, "-10"}, {1, 0, "1"},
    };
    for (const Case& c : cases) EXPECT_EQ(str(BigNumber(c.value).toBase(c.base)), c.expected);
    EXPECT_EQ(str(BigNumber(ByteArray(), true).toBase(10)), "0");
    EXPECT_EQ(str(BigNumber(3u, 0).toBase(10)), "0");
    EXPECT_EQ(str(BigNumber(2u, 1).toBase(16)), "101");
}

TEST(BigNumberModular, TextInput) {
    EXPECT_EQ(show(BigNumber::fromBase("ff", 16)), "255");
    EXPECT_EQ(show(BigNumber::fromBase("-1234", 10)), "-1234");
    EXPECT_EQ(str(BigNumber::fromBase("12:34", 16).toBase(16)), "1234");
    EXPECT_TRUE(BigNumber::fromBase("", 10) == BigNumber::Zero);
    EXPECT_EQ(show(BigNumber::fromBase("10", 0)), "16");
    EXPECT_EQ(show(BigNumber::fromBase("G", 16)), "16");
    EXPECT_EQ(show(BigNumber::fromBase("-000", 10)), "-0");
    EXPECT_EQ(show(BigNumber::fromBase("-", 10)), "-0");
    EXPECT_EQ(show(BigNumber::fromBase("+12", 10)), "12");
    EXPECT_EQ(show(BigNumber::fromBase("1-2", 10)), "12");
    EXPECT_EQ(show(BigNumber::fromBase("zz", 36)), "1295");
    const std::string digits300 = std::string(150, '9') + std::string(149, '0') + "7";
    EXPECT_EQ(str(BigNumber::fromBase(String(digits300.c_str()), 10).toBase(10)), digits300);
}

TEST(BigNumberModular, ByteArrayNumberText) {
    const unsigned char oneTwo[] = {1, 2};
    const ByteArray bytes(oneTwo, 2u);
    EXPECT_EQ(str(ByteArray().toPrintableString(16, false)), "");
    EXPECT_EQ(str(ByteArray(1u, '\0').toPrintableString(16, false)), "0");
    EXPECT_EQ(str(bytes.toPrintableString(16, false)), "201");
    EXPECT_EQ(str(bytes.toPrintableString(16, true)), "102");
    EXPECT_EQ(str(bytes.toPrintableString(10, true)), "258");
    EXPECT_EQ(str(bytes.toPrintableString(99, true)), "102");

    EXPECT_EQ(bytesOf(ByteArray::fromHexString("0102", false)), (std::vector<int>{2, 1}));
    EXPECT_EQ(bytesOf(ByteArray::fromHexString("0102", true)), (std::vector<int>{1, 2}));
    EXPECT_EQ(bytesOf(ByteArray::fromHexString("000102", false)), (std::vector<int>{2, 1}));
    EXPECT_EQ(bytesOf(ByteArray::fromHexString("00", false)), (std::vector<int>{0}));
    EXPECT_EQ(bytesOf(ByteArray::fromHexString("-a:b", true)), (std::vector<int>{0xAB}));
}

TEST(BigNumberModular, KeySizedInverseAndPowerAgree) {
    // x^(p-2) is the inverse of x modulo a prime p (here 2^127 - 1).
    const BigNumber p = decimal("170141183460469231731687303715884105727");
    const BigNumber x = decimal("123456789012345678901234567890");
    const BigNumber inverse = x.mulInv(p);
    EXPECT_TRUE(inverse == x.expMod(p.subtract(BigNumber(2), false), p));
    EXPECT_TRUE(x.multiply(inverse).mod(p) == BigNumber(1));
}
