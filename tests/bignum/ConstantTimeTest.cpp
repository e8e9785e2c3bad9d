// The modular exponentiation engine with its base and exponent marked
// undefined for Valgrind's memcheck. Run under memcheck (.ci/steps/
// bignum-ct.sh), any branch or memory index that depends on them is
// reported as a use of an uninitialised value; run natively the marks do
// nothing and this is one more comparison with GMP.
#include <gmp.h>
#include <valgrind/memcheck.h>

#include <random>
#include <vector>

#include "TestSupport.h"
#include "bignum/ModularPower.h"
#include "bignum/MultiplyKernel.h"
#include "bignum/PowerKernel.h"

using namespace Korvane::internal;

namespace {

// The exponent's bits are a multiple of 8, as for a digit count.
struct Case { std::size_t modulusBits; bool oddModulus; std::size_t baseBits, exponentBits; };

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

}  // namespace

TEST(ConstantTimeModularPower, EveryKernelMatchesGmpWithSecretOperands) {
    // Under memcheck the processor's features are hidden; the script that
    // runs it checks them itself and says so in this variable. Memcheck
    // cannot run AVX-512 at all: there the radix-52 field runs its products
    // on plain words, the same steps as in the vector registers.
    const char* vouched = std::getenv("KORVANE_TEST_CARRY_CHAINS");
    const bool chains = multiplyKernelAvailable(MultiplyKernel::CarryChains) ||
                        (vouched != nullptr && std::string(vouched) == "1");
    const MultiplyKernel savedRows = activeMultiplyKernel();
    const PowerKernel savedPower = activePowerKernel();
    std::mt19937_64 random(korvane_test::testSeed(0x63740001));
    mpz_t base, exponent, modulus, expected, actual;
    mpz_inits(base, exponent, modulus, expected, actual, nullptr);
    struct Kernels { PowerKernel power; MultiplyKernel rows; };
    const Kernels kKernels[] = {{PowerKernel::Words, MultiplyKernel::Portable},
                                {PowerKernel::Words, MultiplyKernel::CarryChains},
                                {PowerKernel::Radix52OnWords, MultiplyKernel::Portable},
                                {PowerKernel::Radix52, MultiplyKernel::Portable}};
    for (const Kernels& kernels : kKernels) {
        if (kernels.rows == MultiplyKernel::CarryChains && !chains) continue;  // no BMI2 and ADX here
        if (!selectPowerKernel(kernels.power)) continue;                       // no AVX-512 IFMA here
        overrideMultiplyKernel(kernels.rows);
        for (const Case& c : kCases) {
            SCOPED_TRACE("kernels " + std::to_string(int(kernels.power)) + "/" + std::to_string(int(kernels.rows)) +
                         ", modulus bits " + std::to_string(c.modulusBits));
            std::vector<Word> m = randomWords(random, c.modulusBits);
            if (c.oddModulus) {
                m[0] |= 1;
            } else if (c.modulusBits == 200) {  // a power of two
                for (Word& w : m) w = 0;
                m.back() = Word(1) << ((c.modulusBits - 1) % 64);
            } else {
                // Up to nine low zero bits, never the top bit of a short modulus.
                m[0] &= ~Word(0) << (1 + random() % (c.modulusBits > 9 ? 9 : c.modulusBits - 1));
            }
            // The engine works on copies whose every bit is secret.
            std::vector<Word> b = randomWords(random, c.baseBits), e = randomWords(random, c.exponentBits);
            toMpz(base, b);
            toMpz(exponent, e);
            toMpz(modulus, m);
            mpz_powm(expected, base, exponent, modulus);
            VALGRIND_MAKE_MEM_UNDEFINED(b.data(), b.size() * sizeof(Word));
            VALGRIND_MAKE_MEM_UNDEFINED(e.data(), e.size() * sizeof(Word));
            std::vector<Word> result(m.size());
            modularPower(result.data(), b.data(), b.size(), e.data(), c.exponentBits, m.data(), m.size());
            VALGRIND_MAKE_MEM_DEFINED(result.data(), result.size() * sizeof(Word));
            toMpz(actual, result);
            EXPECT_EQ(mpz_cmp(actual, expected), 0);
        }
    }
    overrideMultiplyKernel(savedRows);
    selectPowerKernel(savedPower);
    mpz_clears(base, exponent, modulus, expected, actual, nullptr);
}
