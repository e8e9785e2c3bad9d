// BigNumber against GMP over seeded random operands of 1 to 4096 bits, both
// signs and zero. GMP supplies the magnitudes; the library's own sign rules
// are applied to them by the model in BigNumberTestSupport.h.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "BigNumberTestSupport.h"

using namespace Korvane;
using namespace korvane_test;

namespace {

constexpr std::size_t kMaxBits = 4096;

::testing::AssertionResult same(const BigNumber& actual, const Signed& expected) {
    const BigNumber wanted = expected.toNumber();
    if (actual == wanted) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << describe(actual) << ", expected " << describe(wanted);
}

std::string seedNote(std::uint64_t seed, int iteration) {
    return "seed " + std::to_string(seed) + ", iteration " + std::to_string(iteration);
}

}  // namespace

TEST(BigNumberPeer, AdditionAndSubtractionFollowTheSignRules) {
    const std::uint64_t seed = 0x5eed0001;
    NumberSource source(seed);
    for (int i = 0; i < 3000; ++i) {
        SCOPED_TRACE(seedNote(seed, i));
        const Signed x = source.anySigned(kMaxBits);
        // Often of similar size, so that equal lengths and equal values occur.
        Signed y = source.below(4) == 0 ? Signed{x.magnitude, source.coin()} : source.anySigned(kMaxBits);
        if (source.below(4) == 0) mpz_add_ui(y.magnitude.get(), y.magnitude.get(), source.below(3));
        const BigNumber a = x.toNumber();
        const BigNumber b = y.toNumber();
        for (bool ignoreSign : {false, true}) {
            SCOPED_TRACE(ignoreSign ? "ignoreSign set" : "ignoreSign clear");
            EXPECT_TRUE(same(a.add(b, ignoreSign), modelAdd(x, y, ignoreSign))) << describe(x) << " + " << describe(y);
            EXPECT_TRUE(same(a.subtract(b, ignoreSign), modelSubtract(x, y, ignoreSign)))
                << describe(x) << " - " << describe(y);
        }
    }
}

TEST(BigNumberPeer, ByteAdditionAndSubtractionFollowTheSignRules) {
    const std::uint64_t seed = 0x5eed0002;
    NumberSource source(seed);
    for (int i = 0; i < 3000; ++i) {
        SCOPED_TRACE(seedNote(seed, i));
        const Signed x = source.anySigned(source.coin() ? 24 : kMaxBits);
        const unsigned char value = static_cast<unsigned char>(source.below(5) == 0 ? 0 : source.next());
        const Signed byte{Mpz(static_cast<long>(value)), false};
        const BigNumber a = x.toNumber();
        for (bool ignoreSign : {false, true}) {
            Signed expected;
            if (x.isZero())
                expected = byte;
            else if (value == 0)
                expected = x;
            else if (!ignoreSign && x.negative)
                expected = modelSubtract(byte, x, true);
            else {
                expected = x;
                mpz_add_ui(expected.magnitude.get(), x.magnitude.get(), value);
            }
            EXPECT_TRUE(same(a.add(value, ignoreSign), expected)) << describe(x) << " + byte " << int(value);
            EXPECT_TRUE(same(a.subtract(value, ignoreSign), modelSubtract(x, byte, ignoreSign)))
                << describe(x) << " - byte " << int(value);
        }
    }
}

TEST(BigNumberPeer, ProductsMatch) {
    const std::uint64_t seed = 0x5eed0003;
    NumberSource source(seed);
    for (int i = 0; i < 2000; ++i) {
        SCOPED_TRACE(seedNote(seed, i));
        const Signed x = source.anySigned(kMaxBits);
        const Signed y = source.anySigned(kMaxBits);
        Signed expected;
        mpz_mul(expected.magnitude.get(), x.magnitude.get(), y.magnitude.get());
        expected.negative = x.negative != y.negative;
        EXPECT_TRUE(same(x.toNumber().multiply(y.toNumber()), expected)) << describe(x) << " * " << describe(y);

        const unsigned char value = static_cast<unsigned char>(source.next());
        Signed byteProduct;
        mpz_mul_ui(byteProduct.magnitude.get(), x.magnitude.get(), value);
        byteProduct.negative = x.negative;
        EXPECT_TRUE(same(x.toNumber().multiply(value), byteProduct)) << describe(x) << " * byte " << int(value);
    }
}

TEST(BigNumberPeer, LargeProductsMatch) {
    // Sizes well past the Karatsuba threshold, balanced and unbalanced.
    const std::uint64_t seed = 0x5eed0004;
    NumberSource source(seed);
    for (int i = 0; i < 40; ++i) {
        SCOPED_TRACE(seedNote(seed, i));
        const Signed x{source.magnitude(2000 + source.below(60000)), source.coin()};
        const Signed y{source.below(3) == 0 ? x.magnitude : source.magnitude(2000 + source.below(60000)),
                       source.coin()};
        Signed expected;
        mpz_mul(expected.magnitude.get(), x.magnitude.get(), y.magnitude.get());
        expected.negative = x.negative != y.negative;
        EXPECT_TRUE(same(x.toNumber().multiply(y.toNumber()), expected));
    }
}

TEST(BigNumberPeer, QuotientsAndRemaindersMatch) {
    const std::uint64_t seed = 0x5eed0005;
    NumberSource source(seed);
    for (int i = 0; i < 3000; ++i) {
        SCOPED_TRACE(seedNote(seed, i));
        Signed divisor = source.anySigned(kMaxBits);
        if (divisor.isZero()) mpz_set_ui(divisor.magnitude.get(), 1 + source.below(1000));
        const std::size_t divisorBits = mpz_sizeinbase(divisor.magnitude.get(), 2);
        Signed dividend{source.magnitude(source.below(3) == 0 ? 1 + source.below(divisorBits)
                                                              : divisorBits + source.below(kMaxBits)),
                        source.coin()};
        if (source.below(10) == 0) mpz_mul(dividend.magnitude.get(), divisor.magnitude.get(), Mpz(97L).get());
        if (source.below(20) == 0) dividend.magnitude = Mpz();
        Signed quotient;
        Signed remainder;
        mpz_tdiv_qr(quotient.magnitude.get(), remainder.magnitude.get(), dividend.magnitude.get(),
                    divisor.magnitude.get());
        quotient.negative = dividend.negative != divisor.negative;
        remainder.negative = dividend.negative;
        const BigNumber a = dividend.toNumber();
        const BigNumber b = divisor.toNumber();
        EXPECT_TRUE(same(a.divide(b), quotient)) << describe(dividend) << " / " << describe(divisor);
        EXPECT_TRUE(same(a.mod(b), remainder)) << describe(dividend) << " mod " << describe(divisor);

        const unsigned char value = static_cast<unsigned char>(1 + source.below(255));
        Signed byteQuotient;
        byteQuotient.negative = dividend.negative;
        const unsigned long byteRemainder =
            mpz_tdiv_q_ui(byteQuotient.magnitude.get(), dividend.magnitude.get(), value);
        EXPECT_TRUE(same(a.divide(value), byteQuotient)) << describe(dividend) << " / byte " << int(value);
        EXPECT_EQ(a.mod(value), dividend.negative ? -static_cast<int>(byteRemainder) : static_cast<int>(byteRemainder));
    }
}

TEST(BigNumberPeer, ModularPowersMatch) {
    const std::uint64_t seed = 0x5eed0006;
    NumberSource source(seed);
    for (int i = 0; i < 1000; ++i) {
        SCOPED_TRACE(seedNote(seed, i));
        // Most moduli are small to keep the run short; every sixteenth is up
        // to 4096 bits. Odd and even moduli alike.
        const std::size_t limit = i % 16 == 0 ? kMaxBits : 600;
        Signed modulus = source.anySigned(limit);
        if (modulus.isZero()) mpz_set_ui(modulus.magnitude.get(), 2 + source.below(100));
        if (source.coin()) mpz_setbit(modulus.magnitude.get(), 0);
        const Signed base = source.anySigned(source.coin() ? limit : 2 * limit);
        const Signed exponent = source.anySigned(source.below(8) == 0 ? 64 : limit);
        Signed expected;
        mpz_powm(expected.magnitude.get(), base.magnitude.get(), exponent.magnitude.get(), modulus.magnitude.get());
        expected.negative = base.negative && mpz_odd_p(exponent.magnitude.get());
        if (exponent.isZero()) expected = Signed{Mpz(1L), false};
        EXPECT_TRUE(same(base.toNumber().expMod(exponent.toNumber(), modulus.toNumber()), expected))
            << describe(base) << " ^ " << describe(exponent) << " mod " << describe(modulus);

        const unsigned char byteModulus = static_cast<unsigned char>(1 + source.below(255));
        Signed byteExpected;
        mpz_powm(byteExpected.magnitude.get(), base.magnitude.get(), exponent.magnitude.get(),
                 Mpz(static_cast<long>(byteModulus)).get());
        byteExpected.negative = expected.negative && !byteExpected.isZero();
        if (exponent.isZero()) byteExpected = Signed{Mpz(1L), false};
        EXPECT_TRUE(same(base.toNumber().expMod(exponent.toNumber(), byteModulus), byteExpected))
            << describe(base) << " ^ " << describe(exponent) << " mod byte " << int(byteModulus);
    }
}

namespace {
// The extended Euclidean algorithm exactly as the class describes it, on the
// signed values with truncating division, in GMP.
Signed literalInverse(const Signed& number, const Signed& modulus) {
    Mpz r1 = number.value(), r0 = modulus.value(), t0(0L), t1(1L), q, r, t;
    while (mpz_sgn(r1.get()) != 0) {
        mpz_tdiv_qr(q.get(), r.get(), r0.get(), r1.get());
        r0 = r1;
        r1 = r;
        mpz_mul(t.get(), q.get(), t1.get());
        mpz_sub(t.get(), t0.get(), t.get());
        t0 = t1;
        t1 = t;
    }
    if (mpz_cmpabs_ui(r0.get(), 1) != 0) return Signed{Mpz(1L), false};
    if (mpz_sgn(t0.get()) > 0) return Signed{t0, false};
    // t0 + modulus; a zero t0 gives the modulus itself, sign flag and all.
    if (mpz_sgn(t0.get()) == 0) return modulus;
    Mpz sum;
    mpz_add(sum.get(), t0.get(), modulus.value().get());
    Signed result;
    mpz_abs(result.magnitude.get(), sum.get());
    result.negative = mpz_sgn(sum.get()) < 0;
    return result;
}
}  // namespace

TEST(BigNumberPeer, InversesMatchTheExtendedEuclideanAlgorithm) {
    const std::uint64_t seed = 0x5eed0007;
    NumberSource source(seed);
    for (int i = 0; i < 1500; ++i) {
        SCOPED_TRACE(seedNote(seed, i));
        const std::size_t limit = i % 3 == 0 ? kMaxBits : (i % 3 == 1 ? 200 : 16);
        Signed modulus = source.anySigned(limit);
        if (modulus.isZero()) mpz_set_ui(modulus.magnitude.get(), 1 + source.below(3));
        // Prime moduli (where every non-multiple has an inverse) where the
        // search for one is cheap.
        if (limit <= 200 && source.below(3) == 0) mpz_nextprime(modulus.magnitude.get(), modulus.magnitude.get());
        Signed number = source.anySigned(source.below(4) == 0 ? 2 * limit : limit);
        if (source.below(10) == 0) number.magnitude = modulus.magnitude;
        const Signed expected = literalInverse(number, modulus);
        EXPECT_TRUE(same(number.toNumber().mulInv(modulus.toNumber()), expected))
            << describe(number) << " inverse mod " << describe(modulus);
    }
}

TEST(BigNumberPeer, PowersMatch) {
    const std::uint64_t seed = 0x5eed0008;
    NumberSource source(seed);
    for (int i = 0; i < 400; ++i) {
        SCOPED_TRACE(seedNote(seed, i));
        const Signed base = source.anySigned(source.coin() ? 64 : 2000);
        const unsigned long exponent = static_cast<unsigned long>(source.below(source.coin() ? 8 : 60));
        Signed expected;
        mpz_pow_ui(expected.magnitude.get(), base.magnitude.get(), exponent);
        expected.negative = base.negative && (exponent & 1) != 0;
        const BigNumber e = fromMpz(Mpz(static_cast<long>(exponent)), source.coin());
        EXPECT_TRUE(same(base.toNumber().power(e), expected)) << describe(base) << " ^ " << exponent;
    }
}

TEST(BigNumberPeer, TextInEveryBaseMatches) {
    const std::uint64_t seed = 0x5eed0009;
    NumberSource source(seed);
    for (int i = 0; i < 1500; ++i) {
        SCOPED_TRACE(seedNote(seed, i));
        const Signed x = source.anySigned(i % 50 == 0 ? 40000 : kMaxBits);
        const unsigned int base = 2 + static_cast<unsigned int>(source.below(35));
        std::string expected = x.magnitude.toString(static_cast<int>(base));
        for (char& c : expected) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (x.negative && !x.isZero()) expected = "-" + expected;
        const String text = x.toNumber().toBase(base);
        ASSERT_EQ(str(text), expected) << "base " << base;
        // Back again: a negative zero prints as "0", which reads back as +0.
        const Signed back{x.magnitude, x.negative && !x.isZero()};
        EXPECT_TRUE(same(BigNumber::fromBase(text, base), back)) << "base " << base;
    }
}

TEST(BigNumberPeer, ReadingTextSkipsAndWeighsLikeHorner) {
    // Texts with lower-case letters, digits at or above the base and
    // characters that are no digits at all; GMP evaluates the accepted
    // digits with Horner's rule.
    const std::uint64_t seed = 0x5eed000a;
    NumberSource source(seed);
    const std::string junk = " :-+.,_\t\x80\xff";
    for (int i = 0; i < 1500; ++i) {
        SCOPED_TRACE(seedNote(seed, i));
        const unsigned int base = static_cast<unsigned int>(source.below(40));
        const unsigned int effective = base < 2 || base > 36 ? 16 : base;
        const std::size_t length = source.below(i % 20 == 0 ? 3000 : 80);
        std::string text;
        Mpz value;
        const bool minus = source.below(4) == 0;
        if (minus) text += '-';
        for (std::size_t k = 0; k < length; ++k) {
            const std::size_t pick = source.below(20);
            if (pick == 0) {
                text += junk[source.below(junk.size())];
                continue;
            }
            const unsigned int digit = pick < 17 ? static_cast<unsigned int>(source.below(effective))
                                                 : static_cast<unsigned int>(source.below(36));
            char c = digit < 10 ? static_cast<char>('0' + digit) : static_cast<char>('A' + digit - 10);
            if (digit >= 10 && source.coin()) c = static_cast<char>(std::tolower(c));
            text += c;
            mpz_mul_ui(value.get(), value.get(), effective);
            mpz_add_ui(value.get(), value.get(), digit);
        }
        // A junk "-" that happens to come first is a sign as well.
        const bool negative = !text.empty() && text[0] == '-';
        const BigNumber actual = BigNumber::fromBase(String(text.c_str()), base);
        EXPECT_TRUE(same(actual, Signed{value, negative})) << "text \"" << text << "\" base " << base;
    }
}

TEST(BigNumberPeer, ComparisonShiftsAndComplementsMatch) {
    const std::uint64_t seed = 0x5eed000b;
    NumberSource source(seed);
    for (int i = 0; i < 3000; ++i) {
        SCOPED_TRACE(seedNote(seed, i));
        const Signed x = source.anySigned(kMaxBits);
        const Signed y = source.below(4) == 0 ? Signed{x.magnitude, source.coin()} : source.anySigned(kMaxBits);
        const BigNumber a = x.toNumber();
        const BigNumber b = y.toNumber();
        BigNumber::COMPARISON expected;
        if (x.negative != y.negative) {
            expected = x.negative ? BigNumber::LESS : BigNumber::GREATER;
        } else {
            const int order = mpz_cmp(x.magnitude.get(), y.magnitude.get());
            expected = order < 0 ? BigNumber::LESS : order > 0 ? BigNumber::GREATER : BigNumber::EQUAL;
        }
        EXPECT_EQ(a.compare(b), expected) << describe(x) << " vs " << describe(y);
        EXPECT_EQ(a == b, x.negative == y.negative && mpz_cmp(x.magnitude.get(), y.magnitude.get()) == 0);

        Signed doubled{Mpz(), x.negative};
        mpz_mul_2exp(doubled.magnitude.get(), x.magnitude.get(), 1);
        BigNumber shifted(a);
        EXPECT_TRUE(same(shifted.shiftl(), doubled));
        Signed halved{Mpz(), x.negative};
        mpz_fdiv_q_2exp(halved.magnitude.get(), x.magnitude.get(), 1);
        shifted = a;
        EXPECT_TRUE(same(shifted.shiftr(), halved));

        // Two's complement over the number's own digit count: 256^n - |x|
        // written in exactly n digits; zero gains a digit (00 01).
        const BigNumber complement = a.twosComplement();
        EXPECT_EQ(complement.isNegative(), !x.negative);
        Mpz wanted;
        std::size_t digits = a.length();
        if (x.isZero()) {
            mpz_set_ui(wanted.get(), 256);
            digits = 2;
        } else {
            mpz_setbit(wanted.get(), 8 * a.length());
            mpz_sub(wanted.get(), wanted.get(), x.magnitude.get());
        }
        EXPECT_EQ(complement.length(), digits);
        EXPECT_EQ(mpz_cmp(magnitudeOf(complement).get(), wanted.get()), 0) << describe(x);

        EXPECT_EQ(a.numberOfBits(), x.isZero() ? 0u : mpz_sizeinbase(x.magnitude.get(), 2));
        const unsigned long low = mpz_get_ui(x.magnitude.get()) & 0xFFFFFFFFul;
        EXPECT_EQ(a.toInt(), static_cast<int>(x.negative ? 0u - static_cast<unsigned int>(low)
                                                          : static_cast<unsigned int>(low)));
    }
}
