// The digit rules of addition, subtraction, multiplication, division, the
// complements and the shifts, on the cases where their sign rules and
// carries differ from plain integer arithmetic.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ErrorProbe.h"
#include "korvane/BigNumber.h"
#include "korvane/ByteArray.h"
#include "korvane/String.h"

using namespace Korvane;

namespace {
std::vector<int> digitsOf(const BigNumber& n) {
    return std::vector<int>(n.getData(), n.getData() + n.length());
}
// The value with its sign flag, "-0" for a negative zero.
std::string show(const BigNumber& n) {
    std::string text(n.toBase(10).getData());
    if (n.isNegative() && n.isZero()) text = "-0";
    return text;
}
BigNumber negativeZero() { return BigNumber(ByteArray(), true); }
}  // namespace

TEST(BigNumberArithmetic, CarriesGrowTheNumber) {
    EXPECT_EQ(digitsOf(BigNumber(255).add(BigNumber(1), false)), (std::vector<int>{0, 1}));
    EXPECT_EQ(digitsOf(BigNumber(0xFFFF).add(BigNumber(1), false)), (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(digitsOf(BigNumber(0xFFFF).add(static_cast<unsigned char>(1), false)), (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(digitsOf(BigNumber(1).add(BigNumber(0xFFFFFF), false)), (std::vector<int>{0, 0, 0, 1}));
}

TEST(BigNumberArithmetic, AdditionSignRules) {
    struct Case {
        long a, b;
        bool ignoreSign;
        const char* expected;
    };
    const Case cases[] = {
        {-5, 3, false, "-2"}, {3, -5, false, "-2"}, {-3, 5, false, "2"},  {-3, -5, false, "-8"},
        {-3, 5, true, "8"},   {-3, -5, true, "-8"}, {3, -5, true, "8"},   {5, -5, false, "0"},
        {0, -7, false, "-7"}, {-7, 0, false, "-7"}, {1000, 24, false, "1024"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(show(BigNumber(c.a).add(BigNumber(c.b), c.ignoreSign)), c.expected)
            << c.a << " + " << c.b << (c.ignoreSign ? " ignoring signs" : "");
    // A zero operand returns a copy of the other one, sign flag included.
    EXPECT_EQ(show(negativeZero().add(BigNumber::Zero, false)), "0");
    EXPECT_EQ(show(BigNumber::Zero.add(negativeZero(), false)), "-0");
    EXPECT_TRUE(BigNumber(5).add(BigNumber(-5), false) == BigNumber::Zero);
}

TEST(BigNumberArithmetic, SubtractionSignRules) {
    struct Case {
        long a, b;
        bool ignoreSign;
        const char* expected;
    };
    const Case cases[] = {
        {3, 5, false, "-2"},  {-3, 5, false, "-8"}, {3, -5, false, "8"},   {-3, -5, false, "2"},
        {5, 5, false, "0"},   {0, 7, false, "-7"},  {0, -7, false, "7"},   {0, 0, false, "-0"},
        {-5, 3, true, "2"},   {3, 5, true, "-2"},   {-5, -3, true, "2"},   {7, 0, false, "7"},
        {-7, 0, true, "-7"},  {256, 1, false, "255"}, {65536, 65535, false, "1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(show(BigNumber(c.a).subtract(BigNumber(c.b), c.ignoreSign)), c.expected)
            << c.a << " - " << c.b << (c.ignoreSign ? " ignoring signs" : "");
    EXPECT_TRUE(BigNumber(5).subtract(BigNumber(5), false) == BigNumber::Zero);
    EXPECT_EQ(digitsOf(BigNumber(65536).subtract(BigNumber(65535), false)), (std::vector<int>{1}));
}

TEST(BigNumberArithmetic, ByteAdditionAndSubtraction) {
    EXPECT_EQ(show(BigNumber(-5).add(static_cast<unsigned char>(3), false)), "-2");
    EXPECT_EQ(show(BigNumber(-5).add(static_cast<unsigned char>(3), true)), "-8");
    EXPECT_TRUE(BigNumber(-5).add(static_cast<unsigned char>(0), false) == BigNumber(-5));
    EXPECT_TRUE(BigNumber::Zero.add(static_cast<unsigned char>(7), false) == BigNumber(7));
    EXPECT_TRUE(negativeZero().add(static_cast<unsigned char>(7), false) == BigNumber(7));
    EXPECT_EQ(show(BigNumber(-2).add(static_cast<unsigned char>(5), false)), "3");
    EXPECT_EQ(show(BigNumber(3).subtract(static_cast<unsigned char>(5), false)), "-2");
    EXPECT_EQ(show(BigNumber(-3).subtract(static_cast<unsigned char>(5), false)), "-8");
    EXPECT_EQ(show(BigNumber(-3).subtract(static_cast<unsigned char>(5), true)), "-2");
}

TEST(BigNumberArithmetic, Products) {
    const BigNumber product = BigNumber(0x1234).multiply(BigNumber(0));
    EXPECT_EQ(digitsOf(product), (std::vector<int>{0}));
    EXPECT_FALSE(product.isNegative());
    EXPECT_EQ(digitsOf(BigNumber(256).multiply(BigNumber(256))), (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(show(BigNumber(-3).multiply(BigNumber(4))), "-12");
    EXPECT_EQ(show(BigNumber(-3).multiply(BigNumber(-4))), "12");
    EXPECT_EQ(show(BigNumber(-3).multiply(BigNumber(0))), "-0");
    EXPECT_EQ(show(BigNumber(-3).multiply(static_cast<unsigned char>(200))), "-600");
    EXPECT_EQ(digitsOf(BigNumber(0x1234).multiply(static_cast<unsigned char>(0))), (std::vector<int>{0}));
    // High zero digits are taken at their value.
    EXPECT_EQ(digitsOf(BigNumber(3u, 1).multiply(BigNumber(2u, 0))), (std::vector<int>{0}));
}

TEST(BigNumberArithmetic, QuotientsTruncateTowardZero) {
    struct Case {
        long a, b;
        const char* quotient;
        const char* remainder;
    };
    const Case cases[] = {
        {7, 2, "3", "1"},    {-7, 2, "-3", "-1"},  {7, -2, "-3", "1"},  {-7, -2, "3", "-1"},
        {-6, -3, "2", "-0"}, {5, 7, "0", "5"},     {-5, 7, "-0", "-5"}, {7, 3, "2", "1"},
        {-7, 3, "-2", "-1"}, {0, 5, "0", "0"},     {1000000, 1000, "1000", "0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(show(BigNumber(c.a).divide(BigNumber(c.b))), c.quotient) << c.a << " / " << c.b;
        EXPECT_EQ(show(BigNumber(c.a).mod(BigNumber(c.b))), c.remainder) << c.a << " mod " << c.b;
    }
    EXPECT_EQ(show(BigNumber(1000).divide(static_cast<unsigned char>(7))), "142");
    EXPECT_EQ(BigNumber(1000).mod(static_cast<unsigned char>(7)), 6);
    EXPECT_EQ(show(BigNumber(-1000).divide(static_cast<unsigned char>(7))), "-142");
    EXPECT_EQ(BigNumber(-1000).mod(static_cast<unsigned char>(7)), -6);
    EXPECT_EQ(show(BigNumber(-3).divide(static_cast<unsigned char>(5))), "-0");
    EXPECT_EQ(BigNumber(255).mod(static_cast<unsigned char>(255)), 0);
}

TEST(BigNumberArithmetic, ZeroDivisorsThrowDataFormatInvalid) {
    korvane_test::expectDataFormatErrors(
        {
            {"BigNumber::divide(const BigNumber& other) const", [] { BigNumber(5).divide(BigNumber(0)); }},
            {"BigNumber::divide(const BigNumber& other) const", [] { BigNumber(5).divide(BigNumber(3u, 0)); }},
            {"BigNumber::mod(const BigNumber& other) const", [] { BigNumber(5).mod(BigNumber(ByteArray(), true)); }},
            {"BigNumber::divide(unsigned char value) const",
             [] { BigNumber(5).divide(static_cast<unsigned char>(0)); }},
            {"BigNumber::mod(unsigned char value) const", [] { BigNumber(5).mod(static_cast<unsigned char>(0)); }},
        },
        "division by zero");
}

TEST(BigNumberArithmetic, TwosComplementKeepsTheLength) {
    const BigNumber one = BigNumber(1).twosComplement();
    EXPECT_EQ(digitsOf(one), (std::vector<int>{0xFF}));
    EXPECT_TRUE(one.isNegative());
    const BigNumber full = BigNumber(255).twosComplement();
    EXPECT_EQ(digitsOf(full), (std::vector<int>{1}));
    EXPECT_TRUE(full.isNegative());
    const BigNumber zero = BigNumber(0).twosComplement();
    EXPECT_EQ(digitsOf(zero), (std::vector<int>{0, 1}));
    EXPECT_TRUE(zero.isNegative());
    EXPECT_EQ(digitsOf(BigNumber(0xFF01).twosComplement()), (std::vector<int>{0xFF, 0}));
    const BigNumber back = BigNumber(-0x100).twosComplement();
    EXPECT_EQ(digitsOf(back), (std::vector<int>{0, 0xFF}));
    EXPECT_FALSE(back.isNegative());
}

TEST(BigNumberArithmetic, ComplementAndShiftsInPlace) {
    BigNumber n(0x1234);
    ~n;
    EXPECT_EQ(digitsOf(n), (std::vector<int>{0xCB, 0xED}));
    BigNumber negative(-0x1234);
    EXPECT_TRUE((~negative).isNegative());

    BigNumber doubled(128);
    EXPECT_EQ(digitsOf(doubled.shiftl()), (std::vector<int>{0, 1}));
    BigNumber halved(256);
    EXPECT_EQ(digitsOf(halved.shiftr()), (std::vector<int>{128}));
    BigNumber one(1);
    EXPECT_TRUE(one.shiftr().isZero());
    BigNumber minusOne(-1);
    EXPECT_EQ(show(minusOne.shiftr()), "-0");
    BigNumber zero(0);
    EXPECT_TRUE(zero.shiftl() == BigNumber::Zero);
    EXPECT_TRUE(zero.shiftr() == BigNumber::Zero);
    BigNumber carries(0x80FF);
    EXPECT_EQ(digitsOf(carries.shiftl()), (std::vector<int>{0xFE, 0x01, 0x01}));
    EXPECT_EQ(digitsOf(carries.shiftr()), (std::vector<int>{0xFF, 0x80}));
}
