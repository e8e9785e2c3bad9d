#include "bignum/Radix52Montgomery.h"

#include <cstring>
#include <utility>

#include "bignum/ConstantTime.h"
#include "bignum/Montgomery.h"
#include "bignum/Radix52Vector.h"
#include "bignum/Radix52WordLanes.h"
#include "bignum/WordArithmetic.h"

namespace Korvane {
namespace internal {

namespace {
std::size_t limbsFor(std::size_t mn) { return (kWordBits * mn + 2 + kLimbBits - 1) / kLimbBits; }
std::size_t vectorsFor(std::size_t mn) { return (limbsFor(mn) + kLanes - 1) / kLanes; }
// The limbs for the multiple u m of an mn-word m by a 52-bit u: one more
// limb's worth of bits.
std::size_t minusOneLimbsFor(std::size_t mn) { return (kWordBits * mn + kLimbBits + 2 + kLimbBits - 1) / kLimbBits; }
// Up to this many vectors the chain from one q to the next bounds the
// product, and the multiple congruent to -1 shortens it; above, the vector
// work does, and the extra limb would only add to it.
constexpr std::size_t kMinusOneMostVectors = 2;
bool minusOneSuits(std::size_t mn) {
    return vectorsFor(mn) <= kMinusOneMostVectors && (minusOneLimbsFor(mn) + kLanes - 1) / kLanes == vectorsFor(mn);
}

template <std::size_t V, bool MinusOne>
void wordProduct(Word* out, const Word* a, const Word* b, const Word* m, Word k0, std::size_t k) {
    if constexpr (MinusOne)
        radix52MinusOneProduct<WordLanes, V>(out, a, b, m, k);
    else
        radix52Product<WordLanes, V>(out, a, b, m, k0, k);
}

template <std::size_t... V>
constexpr Radix52Montgomery::Product wordProductFor(std::size_t vectors, bool minusOne, std::index_sequence<V...>) {
    constexpr Radix52Montgomery::Product table[] = {wordProduct<V + 1, false>...};
    constexpr Radix52Montgomery::Product minusOneTable[] = {wordProduct<V + 1, true>...};
    return minusOne ? minusOneTable[vectors - 1] : table[vectors - 1];
}

Radix52Montgomery::Product productFor(std::size_t mn, bool vectors, bool minusOne) {
    return vectors ? radix52VectorProduct(vectorsFor(mn), minusOne)
                   : wordProductFor(vectorsFor(mn), minusOne, std::make_index_sequence<kRadix52MostVectors>());
}
}  // namespace

void wordsToLimbs(Word* limbs, std::size_t limbCount, const Word* words, std::size_t wordCount) {
    for (std::size_t j = 0; j < limbCount; ++j) {
        const std::size_t bit = kLimbBits * j;
        const std::size_t w = bit / kWordBits;
        const unsigned int offset = bit % kWordBits;
        Word value = w < wordCount ? words[w] >> offset : 0;
        if (offset > kWordBits - kLimbBits && w + 1 < wordCount) value |= words[w + 1] << (kWordBits - offset);
        limbs[j] = value & kLimbMask;
    }
}

void limbsToWords(Word* words, std::size_t wordCount, const Word* limbs, std::size_t limbCount) {
    for (std::size_t i = 0; i < wordCount; ++i) {
        Word value = 0;
        std::size_t bit = kWordBits * i;
        unsigned int filled = 0;
        while (filled < kWordBits && bit / kLimbBits < limbCount) {
            const unsigned int offset = bit % kLimbBits;
            value |= (limbs[bit / kLimbBits] >> offset) << filled;
            filled += kLimbBits - offset;
            bit += kLimbBits - offset;
        }
        words[i] = value;
    }
}

bool Radix52Montgomery::processorSupported() { return radix52VectorsSupported(); }

bool Radix52Montgomery::suits(std::size_t mn) { return mn >= 8 && vectorsFor(mn) <= kRadix52MostVectors; }

Radix52Montgomery::Radix52Montgomery(const Word* modulus, std::size_t mn, bool vectors)
    : mn(mn),
      minusOne(minusOneSuits(mn)),
      k(minusOne ? minusOneLimbsFor(mn) : limbsFor(mn)),
      lanes(kLanes * vectorsFor(mn)),
      product(productFor(mn, vectors, minusOne)),
      plainProduct(productFor(mn, vectors, false)),
      selector(vectors ? radix52VectorSelect : selectEntry),
      k0((0 - inverseModWord(modulus[0])) & kLimbMask),
      m(lanes),
      plainM(lanes),
      modulus(mn),
      unit(lanes),
      rSquared(lanes),
      plainOne(lanes),
      scratch(lanes) {
    std::memcpy(this->modulus.data(), modulus, mn * sizeof(Word));
    wordsToLimbs(plainM.data(), lanes, modulus, mn);
    plainOne[0] = 1;
    // The products' modulus: m itself, or its multiple k0 m, congruent to
    // -m^-1 m = -1 modulo 2^52. Residues modulo k0 m are residues modulo m.
    WordBuffer multiple(mn + 1);
    std::size_t multipleWords = mn;
    if (minusOne) {
        multiplyBasecase(multiple.data(), modulus, mn, &k0, 1);
        multipleWords = multiple.significantSize();
    } else {
        std::memcpy(multiple.data(), modulus, mn * sizeof(Word));
    }
    wordsToLimbs(m.data(), lanes, multiple.data(), multipleWords);
    // R mod m and R^2 mod m by long division of the powers of two; the
    // modulus is public, so the division's data-dependent steps reveal
    // nothing secret.
    const std::size_t powerWords = 2 * kLimbBits * k / kWordBits + 1;
    WordBuffer power(powerWords);
    WordBuffer remainder(multipleWords);
    for (const std::size_t exponent : {kLimbBits * k, 2 * kLimbBits * k}) {
        std::memset(power.data(), 0, powerWords * sizeof(Word));
        power[exponent / kWordBits] = Word(1) << (exponent % kWordBits);
        const std::size_t words = exponent / kWordBits + 1;
        divideWords(nullptr, remainder.data(), power.data(), words, multiple.data(), multipleWords);
        wordsToLimbs(exponent == kLimbBits * k ? unit.data() : rSquared.data(), lanes, remainder.data(),
                     multipleWords);
    }
}

void Radix52Montgomery::multiply(Word* out, const Word* a, const Word* b) { product(out, a, b, m.data(), k0, k); }

void Radix52Montgomery::select(Word* out, const Word* table, std::size_t entries, Word index) const {
    selector(out, table, entries, lanes, index);
}

// x R^2 / R: x < 2^(64 mn) <= R / 4 and R^2 mod m < m keep the product
// below 2m, as for residues.
void Radix52Montgomery::toField(Word* out, const Word* x) {
    wordsToLimbs(scratch.data(), lanes, x, mn);
    multiply(out, scratch.data(), rSquared.data());
}

void Radix52Montgomery::fromField(Word* out, const Word* a) {
    // a / R is at most m (equal when a is a multiple of m): below 2^(64 mn),
    // and one masked subtraction reduces it. The product is taken modulo m
    // itself: a is below twice the products' modulus, at most R / 2.
    plainProduct(scratch.data(), a, plainOne.data(), plainM.data(), k0, k);
    WordBuffer value(mn);
    WordBuffer difference(mn);
    limbsToWords(value.data(), mn, scratch.data(), lanes);
    const Word borrow = subtractWords(difference.data(), value.data(), modulus.data(), mn);
    selectWords(out, value.data(), difference.data(), maskFromBit(borrow), mn);
}

}  // namespace internal
}  // namespace Korvane
