// BigNumber's named edge cases: the representation, negative zero, high zero
// digits, machine-integer limits, zero operands under the sign rules, the
// text and byte forms and every error path. Random operands of every size
// are compared with GMP in BigNumberPeerTest.cpp.
#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
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
// The value with its sign flag, "-0" for a negative zero.
std::string show(const BigNumber& n) { return n.isNegative() && n.isZero() ? "-0" : str(n.toBase(10)); }
BigNumber negativeZero() { return BigNumber(ByteArray(), true); }
BigNumber decimal(const char* text) { return BigNumber::fromBase(String(text), 10); }
unsigned char byte(int v) { return static_cast<unsigned char>(v); }

// Each call must fail with QuillonException 22 ("Data format invalid") at its
// location with the extra text `extra`.
struct ErrorProbe {
    const char* location;
    void (*call)();
};
void expectDataFormatErrors(std::initializer_list<ErrorProbe> probes, const char* extra) {
    for (const ErrorProbe& p : probes) {
        try {
            p.call();
            ADD_FAILURE() << p.location << " did not throw";
        } catch (const QuillonException& e) {
            EXPECT_EQ(e.getErrNo(0), 22);
            EXPECT_EQ(e.getLib(0), Exception::LIB_QUILLON);
            EXPECT_STREQ(e.getErrLocation(0).getData(), p.location);
            EXPECT_STREQ(e.getExtraInfo(0).getData(), extra);
        }
    }
}
}  // namespace

// ---- Representation ---------------------------------------------------------

TEST(BigNumberRepresentation, DigitsAreLeastSignificantFirst) {
    const BigNumber n(0x1234);
    EXPECT_EQ(digitsOf(n), (Digits{0x34, 0x12}));
    EXPECT_EQ(n.getData()[n.length()], 0);  // the terminator slot
    EXPECT_EQ(bytesOf(n.toByteArray(false)), (Digits{0x34, 0x12}));
    EXPECT_EQ(bytesOf(n.toByteArray(true)), (Digits{0x12, 0x34}));
    EXPECT_EQ(bytesOf(BigNumber::Zero.toByteArray(false)), (Digits{0}));
    EXPECT_EQ(bytesOf(ByteArray(BigNumber(-0x0102))), (Digits{2, 1}));
    const BigNumber m = BigNumber::fromMSDByteArray(bytes({0, 0x0A, 0x0B, 0x0C}), true);
    EXPECT_EQ(digitsOf(m), (Digits{0x0C, 0x0B, 0x0A}));
    EXPECT_TRUE(BigNumber::fromMSDByteArray(m.toByteArray(true), true) == m);
}

TEST(BigNumberRepresentation, ConstructorsNormalize) {
    struct Case {
        BigNumber number;
        Digits digits;
        bool negative;
    };
    const Case cases[] = {
        {BigNumber(), {0}, false},
        {BigNumber::fromMSDByteArray(bytes({0, 0, 1}), false), {1}, false},
        {BigNumber::fromMSDByteArray(bytes({1, 0}), false), {0, 1}, false},
        {BigNumber(bytes({5, 0, 0}), false), {5}, false},
        {BigNumber(bytes({0, 0}), true), {0}, true},
        {BigNumber(-5), {5}, true},
        {BigNumber(0), {0}, false},
        {BigNumber(INT_MIN), {0, 0, 0, 0x80}, true},
        {BigNumber(byte(200)), {200}, false},
        {BigNumber(0x7FFFFFFFFFFFFFFFL), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, false},
        {BigNumber(LONG_MIN), {0, 0, 0, 0, 0, 0, 0, 0x80}, true},
        {BigNumber(-300L), {0x2C, 0x01}, true},
        {BigNumber(0u, 'x'), {0}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(digitsOf(c.number), c.digits);
        EXPECT_EQ(c.number.isNegative(), c.negative);
    }
}

TEST(BigNumberRepresentation, ZeroAndNegativeZero) {
    EXPECT_EQ(digitsOf(BigNumber::Zero), (Digits{0}));
    EXPECT_FALSE(BigNumber::Zero.isNegative());
    EXPECT_TRUE(BigNumber::Zero == BigNumber());
    const BigNumber nz = negativeZero();
    EXPECT_TRUE(nz.isZero());
    EXPECT_TRUE(nz.isNegative());
    EXPECT_FALSE(nz == BigNumber::Zero);
    EXPECT_TRUE(nz != BigNumber::Zero);
    EXPECT_EQ(nz.compare(BigNumber::Zero), BigNumber::LESS);
    EXPECT_EQ(BigNumber::Zero.compare(nz), BigNumber::GREATER);
    EXPECT_EQ(BigNumber::fromMSDByteArray(ByteArray(), true).compare(nz), BigNumber::EQUAL);
}

TEST(BigNumberRepresentation, HighZeroDigitsCountAsLength) {
    const BigNumber zeros(3u, 0);
    EXPECT_EQ(digitsOf(zeros), (Digits{0, 0, 0}));
    EXPECT_FALSE(zeros.isZero());
    EXPECT_EQ(zeros.numberOfBits(), 16u);
    EXPECT_EQ(digitsOf(BigNumber(2u, static_cast<char>(0xAB))), (Digits{0xAB, 0xAB}));
    // Copies, assignments and byte conversions keep them.
    EXPECT_EQ(digitsOf(BigNumber(zeros)), (Digits{0, 0, 0}));
    EXPECT_EQ(bytesOf(ByteArray(zeros)), (Digits{0, 0, 0}));
    ByteArray assigned("xyz");
    assigned = zeros;
    EXPECT_EQ(bytesOf(assigned), (Digits{0, 0, 0}));
    BigNumber n(-70000);
    const BigNumber& alias = n;
    n = alias;
    EXPECT_TRUE(n == BigNumber(-70000));
    n = zeros;
    EXPECT_EQ(digitsOf(n), (Digits{0, 0, 0}));
    EXPECT_FALSE(n.isNegative());
    // Equality and comparison do not normalize first.
    EXPECT_TRUE(BigNumber(7).equals(BigNumber(byte(7))));
    EXPECT_FALSE(BigNumber(7).equals(BigNumber(-7)));
    EXPECT_FALSE(BigNumber(2u, 0) == BigNumber::Zero);
    EXPECT_FALSE(BigNumber(1) == BigNumber(2u, 1));
    EXPECT_EQ(BigNumber(2u, 0).compare(BigNumber(255)), BigNumber::GREATER);
}

TEST(BigNumberRepresentation, MachineIntegersTakeTheLow32Bits) {
    const BigNumber big = BigNumber::fromMSDByteArray(bytes({1, 0, 0, 0, 7}), false);  // 2^32 + 7
    EXPECT_EQ(big.toInt(), 7);
    EXPECT_EQ(big.toLong(), 7L);
    EXPECT_EQ(BigNumber::fromMSDByteArray(bytes({1, 0, 0, 0, 7}), true).toInt(), -7);
    // 0x80000000 reads as INT_MIN; its negation too (modulo 2^32).
    const BigNumber top = BigNumber::fromMSDByteArray(bytes({0x80, 0, 0, 0}), false);
    EXPECT_EQ(top.toInt(), INT_MIN);
    EXPECT_EQ(top.toLong(), static_cast<long>(INT_MIN));
    EXPECT_EQ(BigNumber(INT_MIN).toInt(), INT_MIN);
    EXPECT_EQ(BigNumber(0xFFFFFFFFL).toLong(), -1L);
    EXPECT_EQ(BigNumber(-123456789L).toLong(), -123456789L);
}

// ---- Arithmetic ---------------------------------------------------------------

TEST(BigNumberArithmetic, SignRulesOfAdditionAndSubtraction) {
    // Each sign combination once by hand, and the zero operands; 'a' and 's'
    // take the second operand as an unsigned char.
    struct Case {
        long a;
        char op;
        long b;
        bool ignoreSign;
        const char* expected;
    };
    const Case cases[] = {
        {-5, '+', 3, false, "-2"}, {-3, '+', 5, false, "2"},  {-3, '+', -5, false, "-8"}, {-3, '+', 5, true, "8"},
        {3, '+', -5, true, "8"},   {5, '+', -5, false, "0"},  {0, '+', -7, false, "-7"},  {-7, '+', 0, false, "-7"},
        {3, '-', 5, false, "-2"},  {-3, '-', 5, false, "-8"}, {3, '-', -5, false, "8"},   {-3, '-', -5, false, "2"},
        {-5, '-', 3, true, "2"},   {-5, '-', -3, true, "2"},  {0, '-', 7, false, "-7"},   {0, '-', -7, false, "7"},
        {0, '-', 0, false, "-0"},  {-7, '-', 0, true, "-7"},  {-5, 'a', 3, false, "-2"},  {-5, 'a', 3, true, "-8"},
        {-5, 'a', 0, false, "-5"}, {0, 'a', 7, false, "7"},   {-3, 's', 5, false, "-8"},  {-3, 's', 5, true, "-2"},
    };
    for (const Case& c : cases) {
        const BigNumber a(c.a);
        const BigNumber result = c.op == '+'   ? a.add(BigNumber(c.b), c.ignoreSign)
                                 : c.op == '-' ? a.subtract(BigNumber(c.b), c.ignoreSign)
                                 : c.op == 'a' ? a.add(byte(c.b), c.ignoreSign)
                                               : a.subtract(byte(c.b), c.ignoreSign);
        EXPECT_EQ(show(result), c.expected) << c.a << ' ' << c.op << ' ' << c.b << (c.ignoreSign ? " ignoring" : "");
    }
    // A zero operand returns a copy of the other one, sign flag included.
    EXPECT_EQ(show(negativeZero().add(BigNumber::Zero, false)), "0");
    EXPECT_EQ(show(BigNumber::Zero.add(negativeZero(), false)), "-0");
    EXPECT_TRUE(negativeZero().add(byte(7), false) == BigNumber(7));
}

TEST(BigNumberArithmetic, ProductsWithZero) {
    const BigNumber product = BigNumber(0x1234).multiply(BigNumber(0));
    EXPECT_EQ(digitsOf(product), (Digits{0}));
    EXPECT_FALSE(product.isNegative());
    EXPECT_EQ(show(BigNumber(-3).multiply(BigNumber(0))), "-0");
    EXPECT_EQ(digitsOf(BigNumber(0x1234).multiply(byte(0))), (Digits{0}));
    // High zero digits are taken at their value.
    EXPECT_EQ(digitsOf(BigNumber(3u, 1).multiply(BigNumber(2u, 0))), (Digits{0}));
}

TEST(BigNumberArithmetic, QuotientsTruncateTowardZero) {
    struct Case {
        long a, b;
        const char* quotient;
        const char* remainder;
    };
    const Case cases[] = {
        {-7, 2, "-3", "-1"}, {7, -2, "-3", "1"},   {-7, -2, "3", "-1"}, {-6, -3, "2", "-0"},
        {5, 7, "0", "5"},    {-5, 7, "-0", "-5"},  {0, 5, "0", "0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(show(BigNumber(c.a).divide(BigNumber(c.b))), c.quotient) << c.a << " / " << c.b;
        EXPECT_EQ(show(BigNumber(c.a).mod(BigNumber(c.b))), c.remainder) << c.a << " mod " << c.b;
    }
    EXPECT_EQ(show(BigNumber(-1000).divide(byte(7))), "-142");
    EXPECT_EQ(BigNumber(-1000).mod(byte(7)), -6);
    EXPECT_EQ(show(BigNumber(-3).divide(byte(5))), "-0");
}

TEST(BigNumberArithmetic, ZeroDivisorsThrowDataFormatInvalid) {
    expectDataFormatErrors(
        {
            {"BigNumber::divide(const BigNumber& other) const", [] { BigNumber(5).divide(BigNumber(0)); }},
            {"BigNumber::divide(const BigNumber& other) const", [] { BigNumber(5).divide(BigNumber(3u, 0)); }},
            {"BigNumber::mod(const BigNumber& other) const", [] { BigNumber(5).mod(negativeZero()); }},
            {"BigNumber::divide(unsigned char value) const", [] { BigNumber(5).divide(byte(0)); }},
            {"BigNumber::mod(unsigned char value) const", [] { BigNumber(5).mod(byte(0)); }},
        },
        "division by zero");
}

TEST(BigNumberArithmetic, ComplementsAndShifts) {
    const BigNumber zero = BigNumber(0).twosComplement();  // gains a digit
    EXPECT_EQ(digitsOf(zero), (Digits{0, 1}));
    EXPECT_TRUE(zero.isNegative());
    EXPECT_EQ(digitsOf(BigNumber(0xFF01).twosComplement()), (Digits{0xFF, 0}));

    BigNumber n(0x1234);
    ~n;
    EXPECT_EQ(digitsOf(n), (Digits{0xCB, 0xED}));
    BigNumber negative(-0x1234);
    EXPECT_TRUE((~negative).isNegative());
    BigNumber minusOne(-1);
    EXPECT_EQ(show(minusOne.shiftr()), "-0");
}

// ---- Powers, inverses and text ------------------------------------------------------

TEST(BigNumberModular, Powers) {
    struct Case {
        long base, exponent;
        const char* expected;
    };
    const Case cases[] = {
        {0, 0, "1"}, {0, 5, "0"}, {2, -3, "8"}, {-2, 3, "-8"}, {1, 1000000, "1"}, {-1, 1000001, "-1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(show(BigNumber(c.base).power(BigNumber(c.exponent))), c.expected) << c.base << " ^ " << c.exponent;
    EXPECT_EQ(show(negativeZero().power(BigNumber(3))), "-0");
    // A result no array can hold is refused at once.
    EXPECT_THROW(BigNumber(2).power(BigNumber(0x7FFFFFFFFFFFL)), std::length_error);
}

TEST(BigNumberModular, ModularPowers) {
    EXPECT_EQ(show(BigNumber(2).expMod(BigNumber(0), BigNumber(1))), "1");
    EXPECT_EQ(show(BigNumber(2).expMod(BigNumber(5), BigNumber(1))), "0");
    EXPECT_EQ(show(BigNumber(5).expMod(BigNumber(3), byte(13))), "8");
    // The base's sign survives an odd exponent, even into a zero result;
    // the byte form returns zeros without a sign.
    EXPECT_EQ(show(BigNumber(-4).expMod(BigNumber(13), BigNumber(497))), "-445");
    EXPECT_EQ(show(BigNumber(-4).expMod(BigNumber(2), BigNumber(497))), "16");
    EXPECT_EQ(show(BigNumber(-4).expMod(BigNumber(1), BigNumber(2))), "-0");
    EXPECT_EQ(show(BigNumber(-4).expMod(BigNumber(1), byte(2))), "0");
    EXPECT_EQ(show(BigNumber(-5).expMod(BigNumber(3), byte(13))), "-8");
    // A negative modulus acts as its magnitude; even moduli work too.
    EXPECT_EQ(show(BigNumber(4).expMod(BigNumber(13), BigNumber(-497))), "445");
    EXPECT_EQ(show(BigNumber(3).expMod(BigNumber(200), BigNumber(1000))), "1");
    EXPECT_EQ(show(BigNumber(7).expMod(BigNumber(2u, 0), BigNumber(10))), "1");
    // x^(p-2) is the inverse of x modulo the prime 2^127 - 1.
    const BigNumber p = decimal("170141183460469231731687303715884105727");
    const BigNumber x = decimal("123456789012345678901234567890");
    EXPECT_TRUE(x.mulInv(p) == x.expMod(p.subtract(BigNumber(2), false), p));
}

TEST(BigNumberModular, ZeroModulusThrowsDataFormatInvalid) {
    expectDataFormatErrors(
        {
            {"BigNumber::expMod(const BigNumber& exponent, const BigNumber& modulus) const",
             [] { BigNumber(3).expMod(BigNumber(0), BigNumber(0)); }},
            {"BigNumber::expMod(const BigNumber& exponent, unsigned char modulus) const",
             [] { BigNumber(3).expMod(BigNumber(5), byte(0)); }},
            {"BigNumber::mulInv(const BigNumber& modulus) const", [] { BigNumber(3).mulInv(BigNumber(2u, 0)); }},
        },
        "modulus is zero");
}

TEST(BigNumberModular, Inverses) {
    // No inverse gives 1; negative operands follow the extended Euclidean
    // algorithm on the signed values.
    struct Case {
        long number, modulus;
        const char* expected;
    };
    const Case cases[] = {
        {3, 7, "5"}, {4, 8, "1"}, {7, 1, "1"},  {0, 1, "1"},  {0, 9, "1"},
        {9, 9, "1"}, {-3, 7, "2"}, {3, -7, "2"}, {-3, -7, "-9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(show(BigNumber(c.number).mulInv(BigNumber(c.modulus))), c.expected)
            << c.number << " inverse mod " << c.modulus;
    // When the cofactor ends at zero the modulus itself comes back.
    EXPECT_TRUE(BigNumber(7).mulInv(BigNumber(-1)) == BigNumber(-1));
}

TEST(BigNumberModular, TextForms) {
    // Bases outside 2..36 fall back to 16.
    EXPECT_EQ(str(BigNumber(255).toBase(1)), "FF");
    EXPECT_EQ(str(BigNumber(255).toBase(37)), "FF");
    EXPECT_EQ(str(BigNumber(1).toBase(0)), "1");
    EXPECT_EQ(str(BigNumber(0).toBase(10)), "0");
    EXPECT_EQ(str(negativeZero().toBase(10)), "0");
    EXPECT_EQ(str(BigNumber(3u, 0).toBase(10)), "0");
    EXPECT_EQ(str(BigNumber(2u, 1).toBase(16)), "101");

    EXPECT_TRUE(BigNumber::fromBase("", 10) == BigNumber::Zero);
    EXPECT_EQ(show(BigNumber::fromBase("10", 0)), "16");
    EXPECT_EQ(show(BigNumber::fromBase("-000", 10)), "-0");
    EXPECT_EQ(show(BigNumber::fromBase("-", 10)), "-0");
    EXPECT_EQ(show(BigNumber::fromBase("+12", 10)), "12");
}

TEST(BigNumberModular, ByteArrayNumberText) {
    const ByteArray oneTwo = bytes({1, 2});
    EXPECT_EQ(str(ByteArray().toPrintableString(16, false)), "");
    EXPECT_EQ(str(ByteArray(1u, '\0').toPrintableString(16, false)), "0");
    EXPECT_EQ(str(oneTwo.toPrintableString(16, false)), "201");
    EXPECT_EQ(str(oneTwo.toPrintableString(16, true)), "102");
    EXPECT_EQ(str(oneTwo.toPrintableString(10, true)), "258");
    EXPECT_EQ(str(oneTwo.toPrintableString(99, true)), "102");

    EXPECT_EQ(bytesOf(ByteArray::fromHexString("0102", false)), (Digits{2, 1}));
    EXPECT_EQ(bytesOf(ByteArray::fromHexString("0102", true)), (Digits{1, 2}));
    EXPECT_EQ(bytesOf(ByteArray::fromHexString("000102", false)), (Digits{2, 1}));
    EXPECT_EQ(bytesOf(ByteArray::fromHexString("00", false)), (Digits{0}));
    EXPECT_EQ(bytesOf(ByteArray::fromHexString("-a:b", true)), (Digits{0xAB}));
}
