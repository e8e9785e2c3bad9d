// Lehmer's extended Euclidean algorithm.
//
// The remainder sequence of (a, b) is driven by simulations on the leading
// 128 bits of the pair: each simulation runs Euclid's steps on those bits for
// as long as the pair they lead to proves that the quotients are the ones the
// full numbers would give, and collects them in a 2x2 matrix of single words
// that is then applied to the full numbers in one pass. When no step can be
// proved (the operands differ much in length) one multi-word division step is
// taken. The last 62 bits are Euclid's on single words.
//
// Long pairs are first brought below halfGcdThreshold() words by the
// half-gcd reduction (HalfGcd.h), which hands over the same state.
//
// Only the cofactor of b is kept, as a magnitude with the sign given by the
// parity of the step count k: u = (-1)^k s0 b and v = (-1)^(k+1) s1 b mod a.
#include "bignum/ModularInverse.h"

#include <cstdint>
#include <cstring>

#include "bignum/HalfGcd.h"
#include "bignum/LehmerSteps.h"
#include "bignum/WordArithmetic.h"

namespace Korvane {
namespace internal {

namespace {

std::size_t cofactorLength(const Word* s0, const Word* s1, std::size_t n) {
    const std::size_t first = significantWords(s0, n);
    const std::size_t second = significantWords(s1, n);
    return first > second ? first : second;
}

}  // namespace

bool modularInverse(Word* x, const Word* a, std::size_t an, const Word* b, std::size_t bn) {
    // u, v hold the remainder pair; s0, s1 the cofactors of b, which never
    // exceed a, each with a spare word for the matrix products.
    WordBuffer buffer(7 * an + 4);
    Word* u = buffer.data();
    Word* v = u + an;
    Word* s0 = v + an;
    Word* s1 = s0 + an + 1;
    Word* quotient = s1 + an + 1;      // an words
    Word* remainder = quotient + an;   // an words
    Word* next = remainder + an;       // an + 1 words
    unsigned int parity = 1;
    if (bn >= halfGcdThreshold()) {
        parity = halfGcdReduce(a, an, b, bn, u, v, s0, s1);
    } else {
        std::memcpy(u, a, an * sizeof(Word));
        std::memcpy(v, b, bn * sizeof(Word));
        s1[0] = 1;
    }
    std::size_t un = significantWords(u, an);
    std::size_t vn = significantWords(v, an);
    std::size_t sn = cofactorLength(s0, s1, an);

    while (vn != 0) {
        const std::size_t bits = bitLength(u, un);
        if (bits <= kLeadingBits) {
            Word gcd = 0;
            const StepMatrix m = finish(static_cast<std::int64_t>(u[0]), static_cast<std::int64_t>(v[0]), gcd);
            applyToCofactors(m, s0, s1, sn);
            parity ^= m.steps & 1;
            u[0] = gcd;
            break;
        }
        const std::size_t shift = bits > 2 * kWordBits ? bits - 2 * kWordBits : 0;
        Word uHigh, vHigh;
        const Word uLow = leadingWords(u, un, shift, uHigh);
        const Word vLow = leadingWords(v, un, shift, vHigh);
        const StepMatrix m = simulateWide(uHigh, uLow, vHigh, vLow, shift == 0);
        if (m.steps != 0) {
            applyToPair(m, u, v, un);
            applyToCofactors(m, s0, s1, sn);
            parity ^= m.steps & 1;
        } else {
            // One exact step: (u, v) = (v, u mod v), (s0, s1) = (s1, s0 + q s1).
            divideWords(quotient, remainder, u, un, v, vn);
            const std::size_t qn = significantWords(quotient, un - vn + 1);
            std::memset(u, 0, un * sizeof(Word));
            std::memcpy(u, v, vn * sizeof(Word));
            std::memset(v, 0, un * sizeof(Word));
            std::memcpy(v, remainder, vn * sizeof(Word));
            // s0 + q s1 is a cofactor again, so it fits in an words.
            std::memset(next, 0, (an + 1) * sizeof(Word));
            if (qn != 0) {
                WordBuffer term(qn + sn);
                if (qn >= sn)
                    multiplyWords(term.data(), quotient, qn, s1, sn);
                else
                    multiplyWords(term.data(), s1, sn, quotient, qn);
                std::memcpy(next, term.data(), significantWords(term.data(), qn + sn) * sizeof(Word));
            }
            const Word carry = addWords(next, next, s0, sn);
            addWord(next + sn, next + sn, an + 1 - sn, carry);
            std::memcpy(s0, s1, (an + 1) * sizeof(Word));
            std::memcpy(s1, next, (an + 1) * sizeof(Word));
            parity ^= 1;
        }
        un = significantWords(u, un);
        vn = significantWords(v, un);
        // A matrix adds at most a word to the cofactors; a division step
        // may add as many as its quotient has.
        sn = cofactorLength(s0, s1, m.steps != 0 && sn < an ? sn + 1 : an + 1);
    }

    if (significantWords(u, un) != 1 || u[0] != 1) return false;
    std::memset(x, 0, an * sizeof(Word));
    if (parity == 0)
        std::memcpy(x, s0, an * sizeof(Word));
    else
        subtractWords(x, a, s0, an);
    return true;
}

}  // namespace internal
}  // namespace Korvane
