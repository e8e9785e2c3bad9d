// White-box checks of the word layer against GMP, with each multiply loop
// form this processor runs (BigNumber's own operations reach only the one it
// selects), on words built to drive carries through whole rows.
#include <gmp.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <vector>

#include "TestSupport.h"
#include "bignum/HalfGcd.h"
#include "bignum/ModularInverse.h"
#include "bignum/MultiplyKernel.h"
#include "bignum/NumberTheoreticTransform.h"
#include "bignum/Radix52Montgomery.h"
#include "bignum/Radix52Vector.h"
#include "bignum/RadixConversion.h"
#include "bignum/WordArithmetic.h"

using namespace Korvane::internal;

namespace {
struct Z {
    mpz_t v;
    Z() { mpz_init(v); }
    explicit Z(const std::vector<Word>& w) {
        mpz_init(v);
        mpz_import(v, w.size(), -1, sizeof(Word), 0, 0, w.data());
    }
    ~Z() { mpz_clear(v); }
    bool operator==(const Z& o) const { return mpz_cmp(v, o.v) == 0; }
};

std::vector<Word> words(std::mt19937_64& random, std::size_t n) {
    std::vector<Word> w(n);
    for (Word& x : w) {
        const Word kinds[] = {~Word(0), 0, Word(1) << (random() % 64), ~Word(0) - random() % 4, random(), random()};
        x = kinds[random() % 6];
    }
    return w;
}

// a b and a a by the library's product and square, against GMP's.
void expectProductAndSquareMatchGmp(const std::vector<Word>& a, const std::vector<Word>& b) {
    const std::size_t an = a.size(), bn = b.size();
    std::vector<Word> product(an + bn), square(2 * an);
    multiplyWords(product.data(), a.data(), an, b.data(), bn);
    squareWords(square.data(), a.data(), an);
    Z expected;
    mpz_mul(expected.v, Z(a).v, Z(b).v);
    ASSERT_TRUE(Z(product) == expected) << an << " x " << bn;
    mpz_mul(expected.v, Z(a).v, Z(a).v);
    ASSERT_TRUE(Z(square) == expected) << an << " squared";
}

// a / b and a mod b by the library's long division, against GMP's.
void expectDivisionMatchesGmp(const std::vector<Word>& a, const std::vector<Word>& b) {
    std::vector<Word> quotient(a.size() - b.size() + 1), remainder(b.size());
    divideWords(quotient.data(), remainder.data(), a.data(), a.size(), b.data(), b.size());
    Z q, r;
    mpz_tdiv_qr(q.v, r.v, Z(a).v, Z(b).v);
    ASSERT_TRUE(Z(quotient) == q && Z(remainder) == r) << a.size() << " / " << b.size() << " words";
}
}  // namespace

TEST(WordKernel, ProductsSquaresAndRowsMatchGmpInEveryLoopForm) {
    const MultiplyKernel saved = activeMultiplyKernel();
    for (MultiplyKernel kernel : {MultiplyKernel::Portable, MultiplyKernel::CarryChains}) {
        if (!selectMultiplyKernel(kernel)) continue;  // no BMI2 and ADX here
        ASSERT_EQ(activeMultiplyKernel(), kernel);
        std::mt19937_64 random(korvane_test::testSeed(0x6b617261));
        // At least the turns that reach past the Toom-Cook threshold.
        for (int i = 0, turns = korvane_test::scaledTurns(1500, 101); i < turns; ++i) {
            SCOPED_TRACE("kernel " + std::to_string(int(kernel)) + ", iteration " + std::to_string(i));
            // Mostly row sizes, one in ten across the Karatsuba threshold,
            // one in fifty across the Toom-Cook one, and
            // one in twenty-five the eight-by-eight product with a loop of its own.
            const bool eights = i % 25 == 1;
            const std::size_t an = eights ? 8 : i % 50 == 0 ? 1000 + random() % 1500 : 1 + random() % (i % 10 == 0 ? 300 : 40);
            const std::size_t bn = eights ? 8 : 1 + random() % an;
            const std::vector<Word> a = words(random, an), b = words(random, bn);
            ASSERT_NO_FATAL_FAILURE(expectProductAndSquareMatchGmp(a, b));

            // r + a*w, then a*w taken away again: r comes back, and the
            // word borrowed is the word carried.
            const std::vector<Word> r = words(random, an);
            std::vector<Word> sum = r;
            const Word w = words(random, 1)[0];
            const Word carry = addMultiplyWord(sum.data(), a.data(), an, w);
            Z expected(r);
            mpz_addmul(expected.v, Z(a).v, Z(std::vector<Word>{w}).v);  // w may not fit a long
            sum.push_back(carry);
            ASSERT_TRUE(Z(sum) == expected);
            sum.pop_back();
            ASSERT_EQ(subtractMultiplyWord(sum.data(), a.data(), an, w), carry);
            ASSERT_EQ(sum, r);
        }
    }
    selectMultiplyKernel(saved);
}

TEST(WordKernel, LongDivisionMatchesGmp) {
    std::mt19937_64 random(korvane_test::testSeed(0x64697669));
    // At least the turns that reach the recursive division and its capped
    // quotients.
    for (int i = 0, turns = korvane_test::scaledTurns(20000, 161); i < turns; ++i) {
        SCOPED_TRACE("iteration " + std::to_string(i));
        // One in forty long enough for the recursive division.
        const bool recursive = i % 40 == 0;
        const std::size_t dn = 1 + random() % (recursive ? 400 : i % 10 == 0 ? 40 : 6);
        const std::size_t an = dn + random() % (recursive ? 800 : 8);
        std::vector<Word> divisor = words(random, dn);
        if (divisor[dn - 1] == 0) divisor[dn - 1] = 1 + random() % 1000;
        std::vector<Word> dividend = words(random, an);
        if (recursive && i % 80 == 0 && an > dn) {
            // divisor * (B^(an - dn) - 1) + a smaller number: every quotient
            // word is all ones, where the recursion's estimates are capped.
            Z product;
            mpz_mul_2exp(product.v, Z(divisor).v, 64 * (an - dn));
            mpz_sub(product.v, product.v, Z(divisor).v);
            mpz_add(product.v, product.v, Z(std::vector<Word>(dividend.begin(), dividend.begin() + dn - 1)).v);
            std::fill(dividend.begin(), dividend.end(), 0);
            mpz_export(dividend.data(), nullptr, -1, sizeof(Word), 0, 0, product.v);
        }
        ASSERT_NO_FATAL_FAILURE(expectDivisionMatchesGmp(dividend, divisor));
    }
}

// The transform's threshold lowered so that short operands, and the
// divisions built on products, take it; all-ones words give the largest
// coefficients the remaindering must recover.
TEST(WordKernel, TransformProductsAndDivisionsMatchGmp) {
    const std::size_t saved = setTransformThreshold(2);
    std::mt19937_64 random(korvane_test::testSeed(0x6e747431));
    for (int i = 0, turns = korvane_test::scaledTurns(400, 40); i < turns; ++i) {
        SCOPED_TRACE("iteration " + std::to_string(i));
        const std::size_t an = 2 + random() % (i % 20 == 0 ? 3000 : 200);
        const std::size_t bn = i % 3 == 0 ? an : 2 + random() % (an - 1);
        std::vector<Word> a = words(random, an), b = words(random, bn);
        if (i % 7 == 0) std::fill(a.begin(), a.end(), ~Word(0)), std::fill(b.begin(), b.end(), ~Word(0));
        ASSERT_NO_FATAL_FAILURE(expectProductAndSquareMatchGmp(a, b));

        if (b.back() == 0) b.back() = 1;
        ASSERT_NO_FATAL_FAILURE(expectDivisionMatchesGmp(a, b));
    }
    setTransformThreshold(saved);
}

// The radix-52 field at every vector count, in each form this processor
// runs: a chain of squarings and products feeds each product residues up to
// 2m, and leaving the field must give the power that GMP gives.
TEST(WordKernel, Radix52ProductsMatchGmpAtEveryVectorCount) {
    std::mt19937_64 random(korvane_test::testSeed(0x72353231));
    for (const bool vectors : {false, true}) {
        if (vectors && !Radix52Montgomery::processorSupported()) continue;  // no AVX-512 IFMA here
        for (std::size_t mn = 8; Radix52Montgomery::suits(mn); ++mn) {
            SCOPED_TRACE(std::string(vectors ? "vectors" : "words") + ", modulus words " + std::to_string(mn));
            std::vector<Word> m = words(random, mn);
            m[0] |= 1;
            if (m[mn - 1] == 0) m[mn - 1] = 1;
            std::vector<Word> x = words(random, mn);
            Z base;
            mpz_mod(base.v, Z(x).v, Z(m).v);
            std::fill(x.begin(), x.end(), 0);
            mpz_export(x.data(), nullptr, -1, sizeof(Word), 0, 0, base.v);

            Radix52Montgomery field(m.data(), mn, vectors);
            std::vector<Word> held(field.size()), power(field.size()), out(mn);
            field.toField(held.data(), x.data());
            // x^(2^j + 1): j squarings of x, then one product with x.
            const unsigned int squarings = 3 + random() % 20;
            power = held;
            for (unsigned int j = 0; j < squarings; ++j) field.square(power.data(), power.data());
            field.multiply(power.data(), power.data(), held.data());
            field.fromField(out.data(), power.data());
            Z exponent, expected;
            mpz_ui_pow_ui(exponent.v, 2, squarings);
            mpz_add_ui(exponent.v, exponent.v, 1);
            mpz_powm(expected.v, base.v, exponent.v, Z(m).v);
            ASSERT_TRUE(Z(out) == expected);
            // A multiple of m leaves the field as 0, not as m.
            std::fill(x.begin(), x.end(), 0);
            field.toField(held.data(), x.data());
            field.fromField(out.data(), held.data());
            ASSERT_TRUE(std::all_of(out.begin(), out.end(), [](Word w) { return w == 0; }));
        }
    }
}

// The vector form's carrying at the end of each product, on limbs made to
// ripple: all-ones limbs behind limbs that carry, which random products
// almost never give.
TEST(WordKernel, Radix52VectorCarriesRippleThroughAllOnesLimbs) {
    if (!Radix52Montgomery::processorSupported()) GTEST_SKIP() << "no AVX-512 IFMA here";
    std::mt19937_64 random(korvane_test::testSeed(0x72697070));
    const Word mask = (Word(1) << 52) - 1;
    for (int i = 0, turns = korvane_test::scaledTurns(20000, 2000); i < turns; ++i) {
        const std::size_t vectors = 1 + random() % kRadix52MostVectors;
        const std::size_t lanes = 8 * vectors, k = lanes - random() % 8;
        std::vector<Word> limbs(lanes, 0), out(lanes);
        for (std::size_t j = 0; j + 1 < k; ++j) {
            const Word kinds[] = {mask, mask, mask + 1, 0, random() & mask, random() >> 2, mask - 1};
            limbs[j] = kinds[random() % 7];
        }
        radix52VectorCarry(out.data(), limbs.data(), k, vectors);
        Z expected, actual;
        for (std::size_t j = lanes; j-- > 0;) {
            mpz_mul_2exp(expected.v, expected.v, 52);
            mpz_add_ui(expected.v, expected.v, limbs[j]);
            mpz_mul_2exp(actual.v, actual.v, 52);
            ASSERT_LE(out[j], mask) << "limb " << j;
            mpz_add_ui(actual.v, actual.v, out[j]);
        }
        ASSERT_TRUE(actual == expected) << vectors << " vectors, " << k << " limbs";
    }
}

TEST(WordKernel, RadixConversionMatchesGmp) {
    std::mt19937_64 random(korvane_test::testSeed(0x72616469));
    for (int i = 0, turns = korvane_test::scaledTurns(600, 60); i < turns; ++i) {
        // One in four long enough for the divide-and-conquer conversions, one
        // in forty for powers beyond those a thread keeps.
        const std::size_t n = 1 + random() % (i % 40 == 0 ? 1200 : i % 4 == 0 ? 300 : 8);
        const unsigned int base = 2 + random() % 35;
        SCOPED_TRACE("iteration " + std::to_string(i) + ", " + std::to_string(n) + " words, base " +
                     std::to_string(base));
        std::vector<Word> value = words(random, n);
        const Z expected(value);
        std::string text(mpz_sizeinbase(expected.v, static_cast<int>(base)) + 2, '\0');
        mpz_get_str(&text[0], static_cast<int>(base), expected.v);
        text.resize(text.find('\0'));
        for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        ASSERT_EQ(korvane_test::str(wordsToText(value.data(), n, base, false)), text);

        WordBuffer back(wordsForText(text.size()));
        textToWords(text.data(), text.size(), base, back);
        ASSERT_TRUE(Z(std::vector<Word>(back.data(), back.data() + back.size())) == expected);
    }
}

// Half the pairs with the half-gcd threshold lowered so that short pairs
// take the recursion and its checks on leading parts, the others through
// Lehmer's loop alone; every third pair shares a factor, and words of all
// ones or single bits give long runs of quotient 1 and huge quotients.
TEST(WordKernel, HalfGcdInversesMatchGmp) {
    const std::size_t saved = halfGcdThreshold();
    std::mt19937_64 random(korvane_test::testSeed(0x68676364));
    for (int i = 0, turns = korvane_test::scaledTurns(300, 30); i < turns; ++i) {
        SCOPED_TRACE("iteration " + std::to_string(i));
        setHalfGcdThreshold(i / 2 % 2 == 0 ? 2 : saved);
        const std::size_t an = 2 + random() % (i % 25 == 0 ? 400 : 60);
        const std::size_t bn = i % 4 == 0 ? an : 1 + random() % an;
        std::vector<Word> a = i % 2 == 0 ? words(random, an) : std::vector<Word>(an);
        std::vector<Word> b = i % 2 == 0 ? words(random, bn) : std::vector<Word>(bn);
        if (i % 2 != 0) {  // plain random words
            for (Word& w : a) w = random();
            for (Word& w : b) w = random();
        }
        if (a.back() == 0) a.back() = 1;
        if (i % 3 == 0) a[0] &= ~Word(1), b[0] &= ~Word(1);
        Z za(a), zb(b);
        if (mpz_cmp(zb.v, za.v) >= 0) mpz_sub(zb.v, za.v, zb.v), mpz_sub_ui(zb.v, zb.v, 1);
        if (mpz_sgn(zb.v) <= 0) continue;
        std::fill(b.begin(), b.end(), 0);
        std::size_t count = 0;
        mpz_export(b.data(), &count, -1, sizeof(Word), 0, 0, zb.v);
        std::vector<Word> x(an);
        const bool found = modularInverse(x.data(), a.data(), an, b.data(), count);
        Z expected;
        ASSERT_EQ(found, mpz_invert(expected.v, zb.v, za.v) != 0) << an << " words";
        if (found) {
            ASSERT_TRUE(Z(x) == expected) << an << " words";
        }
    }
    setHalfGcdThreshold(saved);
}
