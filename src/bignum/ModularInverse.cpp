// Lehmer's extended Euclidean algorithm.
//
// The remainder sequence of (a, b) is driven by single-word simulations on
// the leading 62 bits of the pair: each simulation runs Euclid's steps on
// those bits for as long as Lehmer's test proves that the quotients are the
// ones the full numbers would give, and collects them in a 2x2 matrix that is
// then applied to the full numbers in one pass. When no step can be proved
// (the operands differ much in length) one multi-word division step is taken.
//
// Only the cofactor of b is kept, as a magnitude with the sign given by the
// parity of the step count k: u = (-1)^k s0 b and v = (-1)^(k+1) s1 b mod a.
#include "bignum/ModularInverse.h"

#include <cstdint>
#include <cstring>

#include "bignum/WordArithmetic.h"

namespace Korvane {
namespace internal {

namespace {
constexpr unsigned int kLeadingBits = 62;

// A product of Euclid steps [0 1; 1 -q]: its entries alternate in sign, so
// A B <= 0 and C D <= 0, and their magnitudes stay below 2^62.
struct StepMatrix {
    std::int64_t a = 1, b = 0, c = 0, d = 1;
    unsigned int steps = 0;

    void step(std::int64_t q) {
        const std::int64_t nextC = a - q * c;
        a = c;
        c = nextC;
        const std::int64_t nextD = b - q * d;
        b = d;
        d = nextD;
        ++steps;
    }
};

Word magnitude(std::int64_t x) { return x < 0 ? 0 - static_cast<Word>(x) : static_cast<Word>(x); }

// Bits [shift, shift + 62) of x (n words).
Word leadingPart(const Word* x, std::size_t n, std::size_t shift) {
    const std::size_t word = shift / kWordBits;
    const unsigned int bit = shift % kWordBits;
    if (word >= n) return 0;
    Word value = x[word] >> bit;
    if (bit != 0 && word + 1 < n) value |= x[word + 1] << (kWordBits - bit);
    return value & ((Word(1) << kLeadingBits) - 1);
}

// Lehmer's simulation on x > y (the leading parts of u and v): the interval
// [(x + B) / (y + D), (x + A) / (y + C)] holds the true quotient u/v of the
// current pair, so a step is certain when both ends give the same quotient.
StepMatrix simulate(std::int64_t x, std::int64_t y) {
    StepMatrix m;
    for (;;) {
        const std::int64_t low = y + m.c;
        const std::int64_t high = y + m.d;
        if (low <= 0 || high <= 0 || x + m.a < 0 || x + m.b < 0) break;
        const std::int64_t q = (x + m.a) / low;
        if (q == 0 || q != (x + m.b) / high) break;
        m.step(q);
        const std::int64_t next = x - q * y;
        x = y;
        y = next;
    }
    return m;
}

// Euclid to the end on a pair that fits in 62 bits: every quotient is exact.
StepMatrix finish(std::int64_t x, std::int64_t y, Word& gcd) {
    StepMatrix m;
    while (y != 0) {
        const std::int64_t q = x / y;
        m.step(q);
        const std::int64_t next = x - q * y;
        x = y;
        y = next;
    }
    gcd = static_cast<Word>(x);
    return m;
}

// (u, v) = (A u + B v, C u + D v) over n words; the results are known to be
// non-negative, so a signed accumulator carries between words.
void applyToPair(const StepMatrix& m, Word* u, Word* v, std::size_t n) {
    const Word a = magnitude(m.a), b = magnitude(m.b), c = magnitude(m.c), d = magnitude(m.d);
    // Which term of each row is subtracted: the negative entry, or the zero
    // one when the other entry is positive.
    const bool aNegative = m.a < 0 || (m.a == 0 && m.b > 0);
    const bool cNegative = m.c < 0 || (m.c == 0 && m.d > 0);
    Word carryU = 0;
    Word carryV = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Word ui = u[i];
        const Word vi = v[i];
        u[i] = aNegative ? differenceOfProducts(b, vi, a, ui, carryU) : differenceOfProducts(a, ui, b, vi, carryU);
        v[i] = cNegative ? differenceOfProducts(d, vi, c, ui, carryV) : differenceOfProducts(c, ui, d, vi, carryV);
    }
}

// (s0, s1) = (|A| s0 + |B| s1, |C| s0 + |D| s1) over n words plus a top word.
void applyToCofactors(const StepMatrix& m, Word* s0, Word* s1, std::size_t n) {
    const Word a = magnitude(m.a), b = magnitude(m.b), c = magnitude(m.c), d = magnitude(m.d);
    Word carry0 = 0;
    Word carry1 = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Word x = s0[i];
        const Word y = s1[i];
        s0[i] = combineProducts(a, x, b, y, carry0, carry0);
        s1[i] = combineProducts(c, x, d, y, carry1, carry1);
    }
    s0[n] = carry0;
    s1[n] = carry1;
}

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
    std::memcpy(u, a, an * sizeof(Word));
    std::memcpy(v, b, bn * sizeof(Word));
    s1[0] = 1;
    std::size_t un = an;
    std::size_t vn = significantWords(v, an);
    std::size_t sn = 1;
    unsigned int parity = 1;

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
        const std::size_t shift = bits - kLeadingBits;
        const StepMatrix m = simulate(static_cast<std::int64_t>(leadingPart(u, un, shift)),
                                      static_cast<std::int64_t>(leadingPart(v, un, shift)));
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
        sn = cofactorLength(s0, s1, an + 1);
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
