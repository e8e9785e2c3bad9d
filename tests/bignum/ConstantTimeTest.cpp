// The modular exponentiation engine with its base and exponent marked
// undefined for Valgrind's memcheck. Run under memcheck (.ci/steps/
// bignum-ct.sh), any branch or memory index that depends on them is
// reported as a use of an uninitialised value; run natively the marks do
// nothing and this is one more comparison with GMP.
#include <gtest/gtest.h>
#include <gmp.h>
#include <valgrind/memcheck.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bignum/ModularPower.h"
#include "bignum/MultiplyKernel.h"

using namespace Korvane::internal;

namespace {

struct Case {
    std::size_t modulusBits;
    bool oddModulus;
    std::size_t baseBits;
    std::size_t exponentBits;  // a multiple of 8, as for a digit count
};

// Sizes that reach every path: one-word and multi-word moduli, odd, even
// and powers of two, bases longer than the modulus, every window width.
const Case kCases[] = {
    {8, true, 8, 8},         {8, false, 16, 16},       {64, true, 200, 48},     {64, false, 64, 64},
    {200, true, 130, 160},   {200, false, 400, 200},   {521, true, 521, 512},   {640, false, 1300, 640},
    {1024, true, 2100, 1024}, {1024, false, 1024, 1024}, {2048, true, 2048, 2048},
};

std::vector<Word> randomWords(std::mt19937_64& random, std::size_t bits) {
    std::vector<Word> words((bits + 63) / 64);
    for (Word& w : words) w = random();
    if (bits % 64 != 0) words.back() &= (Word(1) << (bits % 64)) - 1;
    words.back() |= Word(1) << ((bits - 1) % 64);
    return words;
}

void toMpz(mpz_t out, const std::vector<Word>& w) { mpz_import(out, w.size(), -1, sizeof(Word), 0, 0, w.data()); }

void checkCases(std::uint64_t seed) {
    std::mt19937_64 random(seed);
    mpz_t base, exponent, modulus, expected, actual;
    mpz_inits(base, exponent, modulus, expected, actual, nullptr);
    for (const Case& c : kCases) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", modulus bits " + std::to_string(c.modulusBits));
        std::vector<Word> m = randomWords(random, c.modulusBits);
        if (c.oddModulus) {
            m[0] |= 1;
        } else if (c.modulusBits == 200) {
            // A power of two.
            for (Word& w : m) w = 0;
            m.back() = Word(1) << ((c.modulusBits - 1) % 64);
        } else {
            m[0] &= ~Word(0) << (1 + random() % 9);
        }
        const std::vector<Word> b = randomWords(random, c.baseBits);
        const std::vector<Word> e = randomWords(random, c.exponentBits);
        toMpz(base, b);
        toMpz(exponent, e);
        toMpz(modulus, m);
        mpz_powm(expected, base, exponent, modulus);

        // The engine works on copies whose every bit is secret.
        std::vector<Word> secretBase = b;
        std::vector<Word> secretExponent = e;
        VALGRIND_MAKE_MEM_UNDEFINED(secretBase.data(), secretBase.size() * sizeof(Word));
        VALGRIND_MAKE_MEM_UNDEFINED(secretExponent.data(), secretExponent.size() * sizeof(Word));
        std::vector<Word> result(m.size());
        modularPower(result.data(), secretBase.data(), secretBase.size(), secretExponent.data(), c.exponentBits,
                     m.data(), m.size());
        VALGRIND_MAKE_MEM_DEFINED(result.data(), result.size() * sizeof(Word));
        toMpz(actual, result);
        EXPECT_EQ(mpz_cmp(actual, expected), 0);
    }
    mpz_clears(base, exponent, modulus, expected, actual, nullptr);
}

struct KernelGuard {
    MultiplyKernel saved = activeMultiplyKernel();
    ~KernelGuard() { overrideMultiplyKernel(saved); }
};

}  // namespace

TEST(ConstantTimeModularPower, PortableKernel) {
    KernelGuard guard;
    overrideMultiplyKernel(MultiplyKernel::Portable);
    checkCases(0x63740001);
}

TEST(ConstantTimeModularPower, CarryChainKernel) {
    // Under memcheck the processor's features are hidden; the script that
    // runs it checks them itself and says so in this variable.
    const char* vouched = std::getenv("KORVANE_TEST_CARRY_CHAINS");
    const bool available = multiplyKernelAvailable(MultiplyKernel::CarryChains) ||
                           (vouched != nullptr && std::string(vouched) == "1");
    if (!available) GTEST_SKIP() << "no BMI2 and ADX here";
    KernelGuard guard;
    overrideMultiplyKernel(MultiplyKernel::CarryChains);
    checkCases(0x63740002);
}
