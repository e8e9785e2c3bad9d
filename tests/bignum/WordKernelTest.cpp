// White-box checks of the word layer: the two forms of the multiply loops
// agree word for word, and the long division and Karatsuba products agree
// with GMP on operands built to hit their rare branches.
#include <gtest/gtest.h>
#include <gmp.h>

#include <random>
#include <vector>

#include "bignum/MultiplyKernel.h"
#include "bignum/WordArithmetic.h"

using namespace Korvane::internal;

namespace {

// Words that are mostly all-ones, all-zeros or one bit, with random ones in
// between: they drive carries through whole rows and make the quotient
// estimate of the division wrong by one or two.
class WordSource {
public:
    explicit WordSource(std::uint64_t seed) : random(seed) {}
    Word word() {
        switch (random() % 6) {
            case 0: return ~Word(0);
            case 1: return 0;
            case 2: return Word(1) << (random() % 64);
            case 3: return ~Word(0) - (random() % 4);
            default: return random();
        }
    }
    std::vector<Word> words(std::size_t n) {
        std::vector<Word> w(n);
        for (Word& x : w) x = word();
        return w;
    }
    std::size_t below(std::size_t bound) { return static_cast<std::size_t>(random() % bound); }

private:
    std::mt19937_64 random;
};

struct KernelGuard {
    MultiplyKernel saved = activeMultiplyKernel();
    ~KernelGuard() { selectMultiplyKernel(saved); }
};

void toMpz(mpz_t out, const std::vector<Word>& w) {
    mpz_import(out, w.size(), -1, sizeof(Word), 0, 0, w.data());
}

}  // namespace

TEST(WordKernel, BothMultiplyLoopFormsAgree) {
    if (!multiplyKernelAvailable(MultiplyKernel::CarryChains)) GTEST_SKIP() << "no BMI2 and ADX here";
    KernelGuard guard;
    const std::uint64_t seed = 0x6b65726e;
    WordSource source(seed);
    for (int i = 0; i < 20000; ++i) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", iteration " + std::to_string(i));
        const std::size_t n = source.below(i < 100 ? 9 : 70);
        const std::vector<Word> a = source.words(n);
        const std::vector<Word> r = source.words(n);
        const Word b = source.word();
        std::vector<Word> portable = r;
        std::vector<Word> chains = r;

        ASSERT_TRUE(selectMultiplyKernel(MultiplyKernel::Portable));
        const Word portableCarry = addMultiplyWord(portable.data(), a.data(), n, b);
        ASSERT_TRUE(selectMultiplyKernel(MultiplyKernel::CarryChains));
        const Word chainsCarry = addMultiplyWord(chains.data(), a.data(), n, b);
        ASSERT_EQ(portableCarry, chainsCarry) << "n " << n;
        ASSERT_EQ(portable, chains) << "n " << n;

        ASSERT_TRUE(selectMultiplyKernel(MultiplyKernel::Portable));
        const Word portableBorrow = subtractMultiplyWord(portable.data(), a.data(), n, b);
        ASSERT_TRUE(selectMultiplyKernel(MultiplyKernel::CarryChains));
        const Word chainsBorrow = subtractMultiplyWord(chains.data(), a.data(), n, b);
        ASSERT_EQ(portableBorrow, chainsBorrow) << "n " << n;
        ASSERT_EQ(portable, chains) << "n " << n;
    }
}

TEST(WordKernel, BothFormsOfTheRowLoopsAgree) {
    if (!multiplyKernelAvailable(MultiplyKernel::CarryChains)) GTEST_SKIP() << "no BMI2 and ADX here";
    KernelGuard guard;
    const std::uint64_t seed = 0x726f7773;
    WordSource source(seed);
    for (int i = 0; i < 3000; ++i) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", iteration " + std::to_string(i));
        const std::size_t an = 1 + source.below(40);
        const std::size_t bn = 1 + source.below(an);
        const std::vector<Word> a = source.words(an);
        const std::vector<Word> b = source.words(bn);
        std::vector<Word> m = source.words(an);
        m[0] |= 1;
        const Word inverse = source.word();
        std::vector<Word> results[2];
        for (int form = 0; form < 2; ++form) {
            ASSERT_TRUE(selectMultiplyKernel(form == 0 ? MultiplyKernel::Portable : MultiplyKernel::CarryChains));
            std::vector<Word> product(an + bn), square(2 * an);
            multiplyBasecase(product.data(), a.data(), an, b.data(), bn);
            squareBasecase(square.data(), a.data(), an);
            std::vector<Word> reduced = square;
            const Word overflow = montgomeryRows(reduced.data(), m.data(), an, inverse);
            results[form] = product;
            results[form].insert(results[form].end(), square.begin(), square.end());
            results[form].insert(results[form].end(), reduced.begin(), reduced.end());
            results[form].push_back(overflow);
        }
        ASSERT_EQ(results[0], results[1]) << an << " x " << bn;
    }
}

TEST(WordKernel, PortableLoopsMatchGmp) {
    KernelGuard guard;
    ASSERT_TRUE(selectMultiplyKernel(MultiplyKernel::Portable));
    const std::uint64_t seed = 0x706f7274;
    WordSource source(seed);
    mpz_t expected, actual, term;
    mpz_inits(expected, actual, term, nullptr);
    for (int i = 0; i < 2000; ++i) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", iteration " + std::to_string(i));
        const std::size_t n = 1 + source.below(40);
        const std::vector<Word> a = source.words(n);
        std::vector<Word> r = source.words(n);
        const Word b = source.word();
        toMpz(expected, r);
        toMpz(term, a);
        mpz_addmul_ui(expected, term, b);
        const Word carry = addMultiplyWord(r.data(), a.data(), n, b);
        r.push_back(carry);
        toMpz(actual, r);
        ASSERT_EQ(mpz_cmp(actual, expected), 0);

        const std::vector<Word> square = [&] {
            std::vector<Word> w(2 * n);
            squareBasecase(w.data(), a.data(), n);
            return w;
        }();
        mpz_mul(expected, term, term);
        toMpz(actual, square);
        ASSERT_EQ(mpz_cmp(actual, expected), 0);
    }
    mpz_clears(expected, actual, term, nullptr);
}

TEST(WordKernel, LongDivisionMatchesGmp) {
    const std::uint64_t seed = 0x64697669;
    WordSource source(seed);
    mpz_t a, d, q, r, actualQ, actualR;
    mpz_inits(a, d, q, r, actualQ, actualR, nullptr);
    for (int i = 0; i < 20000; ++i) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", iteration " + std::to_string(i));
        const std::size_t dn = 1 + source.below(i % 10 == 0 ? 40 : 6);
        const std::size_t an = dn + source.below(8);
        std::vector<Word> divisor = source.words(dn);
        if (divisor[dn - 1] == 0) divisor[dn - 1] = 1 + source.below(1000);
        std::vector<Word> dividend = source.words(an);
        std::vector<Word> quotient(an - dn + 1), remainder(dn);
        divideWords(quotient.data(), remainder.data(), dividend.data(), an, divisor.data(), dn);
        toMpz(a, dividend);
        toMpz(d, divisor);
        mpz_tdiv_qr(q, r, a, d);
        toMpz(actualQ, quotient);
        toMpz(actualR, remainder);
        ASSERT_EQ(mpz_cmp(actualQ, q), 0) << "an " << an << " dn " << dn;
        ASSERT_EQ(mpz_cmp(actualR, r), 0) << "an " << an << " dn " << dn;
    }
    mpz_clears(a, d, q, r, actualQ, actualR, nullptr);
}

TEST(WordKernel, ProductsAndSquaresMatchGmpAcrossTheKaratsubaThreshold) {
    const std::uint64_t seed = 0x6b617261;
    WordSource source(seed);
    mpz_t x, y, expected, actual;
    mpz_inits(x, y, expected, actual, nullptr);
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", iteration " + std::to_string(i));
        const std::size_t an = 1 + source.below(300);
        const std::size_t bn = 1 + source.below(an);
        const std::vector<Word> a = source.words(an);
        const std::vector<Word> b = source.words(bn);
        std::vector<Word> product(an + bn);
        multiplyWords(product.data(), a.data(), an, b.data(), bn);
        toMpz(x, a);
        toMpz(y, b);
        mpz_mul(expected, x, y);
        toMpz(actual, product);
        ASSERT_EQ(mpz_cmp(actual, expected), 0) << an << " x " << bn;

        std::vector<Word> square(2 * an);
        squareWords(square.data(), a.data(), an);
        mpz_mul(expected, x, x);
        toMpz(actual, square);
        ASSERT_EQ(mpz_cmp(actual, expected), 0) << an << " squared";
    }
    mpz_clears(x, y, expected, actual, nullptr);
}
