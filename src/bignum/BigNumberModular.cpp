// BigNumber: exponentiation, modular exponentiation and the modular inverse.
//
// The results are those of square-and-multiply with a reduction after every
// product and of the extended Euclidean algorithm on the signed values; the
// work is done on word magnitudes (ModularPower, ModularInverse) and the
// signs are settled here from the rules those algorithms imply.
#include <climits>
#include <cstring>
#include <utility>

#include "bignum/ModularInverse.h"
#include "bignum/ModularPower.h"
#include "bignum/NumberWords.h"
#include "bignum/WordArithmetic.h"
#include "korvane/BigNumber.h"
#include "text/BufferMemory.h"

namespace Korvane {

using internal::Word;
using internal::WordBuffer;

namespace {
const char* const kExpModLocation = "BigNumber::expMod(const BigNumber& exponent, const BigNumber& modulus) const";
const char* const kExpModByteLocation = "BigNumber::expMod(const BigNumber& exponent, unsigned char modulus) const";
const char* const kMulInvLocation = "BigNumber::mulInv(const BigNumber& modulus) const";
const char* const kModulusIsZero = "modulus is zero";

bool lowestBitSet(const BigNumber& number) { return (number.getData()[0] & 1) != 0; }

}  // namespace

// Square-and-multiply multiplies by the running square only for set bits,
// and every square is non-negative, so the sign comes from the first factor
// alone: negative exactly for a negative base and an odd exponent.
BigNumber BigNumber::power(const BigNumber& exponent) const {
    const bool resultNegative = negative && lowestBitSet(exponent);
    WordBuffer e(internal::magnitudeWordCount(exponent));
    internal::loadMagnitude(exponent, e);
    const std::size_t en = e.significantSize();
    WordBuffer b(internal::magnitudeWordCount(*this));
    internal::loadMagnitude(*this, b);
    const std::size_t bn = b.significantSize();
    if (en == 0) return BigNumber(static_cast<unsigned char>(1));
    if (bn == 0 || (bn == 1 && b[0] == 1)) {
        BigNumber result(static_cast<unsigned char>(bn == 0 ? 0 : 1));
        result.negative = resultNegative;
        return result;
    }
    // |this| >= 2: the result has about bits(this) * e bits; refuse what no
    // array could hold before spending the time.
    const std::size_t baseBits = internal::bitLength(b.data(), bn);
    const unsigned long long limit = 8ull * UINT_MAX;
    if (en > 1 || e[0] > limit / (baseBits - 1)) internal::throwArrayTooLong();
    const Word exponentValue = e[0];
    const std::size_t capacity = 2 * ((baseBits * exponentValue) / internal::kWordBits + 2);
    WordBuffer first(capacity);
    WordBuffer second(capacity);
    Word* result = first.data();
    Word* spare = second.data();
    std::memcpy(result, b.data(), bn * sizeof(Word));
    std::size_t rn = bn;
    for (std::size_t bit = internal::bitLength(&exponentValue, 1) - 1; bit-- > 0;) {
        internal::squareWords(spare, result, rn);
        rn = internal::significantWords(spare, 2 * rn);
        std::swap(result, spare);
        if ((exponentValue >> bit) & 1) {
            if (rn >= bn)
                internal::multiplyWords(spare, result, rn, b.data(), bn);
            else
                internal::multiplyWords(spare, b.data(), bn, result, rn);
            rn = internal::significantWords(spare, rn + bn);
            std::swap(result, spare);
        }
    }
    // Earlier, longer products may have left words above the result.
    WordBuffer& holder = result == first.data() ? first : second;
    std::memset(result + rn, 0, (capacity - rn) * sizeof(Word));
    return fromWords(holder, resultNegative);
}

// The magnitude is |this|^|e| mod |m| whatever the signs: remainders keep
// the dividend's sign and ignore the divisor's. The first product (by the
// unreduced base) carries the base's sign into the result when bit 0 of the
// exponent is set; every later factor is a square. Nothing here branches on
// the base or the exponent: the word engine is constant-time, and the sign
// and the special case of the modulus 1 are settled with bit operations.
BigNumber BigNumber::expMod(const BigNumber& exponent, const BigNumber& modulus) const {
    WordBuffer m(internal::magnitudeWordCount(modulus));
    internal::loadMagnitude(modulus, m);
    const std::size_t mn = m.significantSize();
    if (mn == 0) internal::throwZeroDivisor(kExpModLocation, kModulusIsZero);
    const bool resultNegative = negative & lowestBitSet(exponent);
    if (mn == 1 && m[0] == 1) {
        // Everything reduces to zero, except that a zero exponent returns
        // the initial 1 untouched.
        BigNumber result(static_cast<unsigned char>(internal::isZeroValue(exponent)));
        result.negative = resultNegative;
        return result;
    }
    WordBuffer e(internal::magnitudeWordCount(exponent));
    internal::loadMagnitude(exponent, e);
    WordBuffer base(internal::magnitudeWordCount(*this));
    internal::loadMagnitude(*this, base);
    WordBuffer result(mn);
    internal::modularPower(result.data(), base.data(), base.size(), e.data(), 8 * std::size_t(exponent.length()),
                           m.data(), mn);
    return fromWords(result, resultNegative);
}

// As the number form, but each remainder comes back through an int, so a
// zero remainder loses its sign.
BigNumber BigNumber::expMod(const BigNumber& exponent, unsigned char modulus) const {
    if (modulus == 0) internal::throwZeroDivisor(kExpModByteLocation, kModulusIsZero);
    BigNumber result = expMod(exponent, BigNumber(static_cast<unsigned char>(modulus)));
    // The result is a single digit.
    result.negative = result.negative & (result.getData()[0] != 0);
    return result;
}

// The extended Euclidean algorithm with truncating division on the signed
// values runs through the remainder sequence of the magnitudes a = |modulus|
// and b = |this|. When the gcd is 1, its last cofactor is the unique T with
// T b = 1 mod a and |T| <= a / 2, and its sign tells the parity of the step
// count; the signs of the operands then decide whether the result is T,
// T + a or T - a (worked out case by case below). The final test for a gcd
// of 1 looks at the magnitude only.
BigNumber BigNumber::mulInv(const BigNumber& modulus) const {
    WordBuffer a(internal::magnitudeWordCount(modulus));
    internal::loadMagnitude(modulus, a);
    const std::size_t an = a.significantSize();
    if (an == 0) internal::throwZeroDivisor(kMulInvLocation, kModulusIsZero);
    const BigNumber one(static_cast<unsigned char>(1));
    const bool modulusIsOne = an == 1 && a[0] == 1;

    WordBuffer b(internal::magnitudeWordCount(*this) > an ? internal::magnitudeWordCount(*this) : an);
    internal::loadMagnitude(*this, b);
    std::size_t bn = b.significantSize();
    // A zero number skips the loop: the cofactor stays 0, and 0 + modulus is
    // a copy of the modulus.
    if (bn == 0) return modulusIsOne ? modulus : one;
    const int order = bn != an ? (bn < an ? -1 : 1) : internal::compareWords(b.data(), a.data(), an);
    // Equal magnitudes: one step leaves the cofactor 1.
    if (order == 0) return one;
    if (order > 0) {
        // A first quotient of 0 swaps the pair; the sequence then goes on
        // as for b mod a, with the same cofactors and step parity.
        WordBuffer remainder(an);
        internal::divideWords(nullptr, remainder.data(), b.data(), bn, a.data(), an);
        std::memset(b.data(), 0, b.size() * sizeof(Word));
        std::memcpy(b.data(), remainder.data(), an * sizeof(Word));
        bn = b.significantSize();
        if (bn == 0) return modulusIsOne ? modulus : one;
    }
    WordBuffer inverse(an);
    if (!internal::modularInverse(inverse.data(), a.data(), an, b.data(), bn)) return one;

    // T = x (even step count) when 2x <= a, else T = x - a (odd count).
    WordBuffer doubled(an + 1);
    doubled[an] = internal::shiftLeftWords(doubled.data(), inverse.data(), an, 1);
    const bool evenSteps = doubled[an] == 0 && internal::compareWords(doubled.data(), a.data(), an) <= 0;
    if (evenSteps) return fromWords(inverse, false);
    // Odd count: the last cofactor is -sign(this) sign(modulus) (a - x).
    WordBuffer result(an + 1);
    if (negative != modulus.negative) {
        internal::subtractWords(result.data(), a.data(), inverse.data(), an);
        return fromWords(result, false);  // a - x, already positive
    }
    if (!modulus.negative) return fromWords(inverse, false);  // -(a - x) + a
    // -(a - x) + modulus with a negative modulus: -(2a - x).
    result[an] = internal::shiftLeftWords(result.data(), a.data(), an, 1);
    result[an] -= internal::subtractWords(result.data(), result.data(), inverse.data(), an);
    return fromWords(result, true);
}

}  // namespace Korvane
