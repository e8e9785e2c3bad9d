// White-box checks of the word layer against GMP, with each multiply loop
// form this processor runs (BigNumber's own operations reach only the one it
// selects), on words built to drive carries through whole rows.
#include <gmp.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "TestSupport.h"
#include "bignum/MultiplyKernel.h"
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
}  // namespace

TEST(WordKernel, ProductsSquaresAndRowsMatchGmpInEveryLoopForm) {
    const MultiplyKernel saved = activeMultiplyKernel();
    for (MultiplyKernel kernel : {MultiplyKernel::Portable, MultiplyKernel::CarryChains}) {
        if (!selectMultiplyKernel(kernel)) continue;  // no BMI2 and ADX here
        ASSERT_EQ(activeMultiplyKernel(), kernel);
        std::mt19937_64 random(korvane_test::testSeed(0x6b617261));
        for (int i = 0; i < 1500; ++i) {
            SCOPED_TRACE("kernel " + std::to_string(int(kernel)) + ", iteration " + std::to_string(i));
            // Mostly row sizes, one in ten across the Karatsuba threshold,
            // one in fifty across the Toom-Cook one.
            const std::size_t an = i % 50 == 0 ? 1000 + random() % 1500 : 1 + random() % (i % 10 == 0 ? 300 : 40);
            const std::size_t bn = 1 + random() % an;
            const std::vector<Word> a = words(random, an), b = words(random, bn);
            std::vector<Word> product(an + bn), square(2 * an);
            multiplyWords(product.data(), a.data(), an, b.data(), bn);
            squareWords(square.data(), a.data(), an);
            Z expected;
            mpz_mul(expected.v, Z(a).v, Z(b).v);
            ASSERT_TRUE(Z(product) == expected) << an << " x " << bn;
            mpz_mul(expected.v, Z(a).v, Z(a).v);
            ASSERT_TRUE(Z(square) == expected) << an << " squared";

            // r + a*w, then a*w taken away again: r comes back, and the
            // word borrowed is the word carried.
            const std::vector<Word> r = words(random, an);
            std::vector<Word> sum = r;
            const Word w = words(random, 1)[0];
            const Word carry = addMultiplyWord(sum.data(), a.data(), an, w);
            mpz_set(expected.v, Z(r).v);
            mpz_addmul_ui(expected.v, Z(a).v, w);
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
    for (int i = 0; i < 20000; ++i) {
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
        std::vector<Word> quotient(an - dn + 1), remainder(dn);
        divideWords(quotient.data(), remainder.data(), dividend.data(), an, divisor.data(), dn);
        Z q, r;
        mpz_tdiv_qr(q.v, r.v, Z(dividend).v, Z(divisor).v);
        ASSERT_TRUE(Z(quotient) == q && Z(remainder) == r) << "an " << an << " dn " << dn;
    }
}
