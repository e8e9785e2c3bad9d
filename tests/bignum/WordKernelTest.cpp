// White-box checks of the word layer against GMP, with each multiply loop
// form this processor runs (BigNumber's own operations reach only the one it
// selects), on words built to drive carries through whole rows.
#include <gmp.h>
#include <gtest/gtest.h>

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
        std::mt19937_64 random(korvane_test::testSeed(0x6b617261));
        for (int i = 0; i < 1500; ++i) {
            SCOPED_TRACE("kernel " + std::to_string(int(kernel)) + ", iteration " + std::to_string(i));
            // Mostly row sizes, one in ten across the Karatsuba threshold.
            const std::size_t an = 1 + random() % (i % 10 == 0 ? 300 : 40), bn = 1 + random() % an;
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
