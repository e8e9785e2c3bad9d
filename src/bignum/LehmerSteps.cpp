// Lehmer's steps: see LehmerSteps.h.
#include "bignum/LehmerSteps.h"

#include "bignum/WordArithmetic.h"

namespace Korvane {
namespace internal {

namespace {

Word magnitude(std::int64_t x) { return x < 0 ? 0 - static_cast<Word>(x) : static_cast<Word>(x); }

}  // namespace

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
StepMatrix simulate(std::int64_t x, std::int64_t y, std::int64_t floor, std::vector<std::int64_t>* quotients) {
    StepMatrix m;
    for (;;) {
        const std::int64_t low = y + m.c;
        const std::int64_t high = y + m.d;
        if (low <= 0 || high <= 0 || x + m.a < 0 || x + m.b < 0) break;
        const std::int64_t q = (x + m.a) / low;
        if (q == 0 || q != (x + m.b) / high) break;
        const std::int64_t next = x - q * y;
        if (next < floor) break;
        m.step(q);
        if (quotients != nullptr) quotients->push_back(q);
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

// plus + carry - minus as two words, with `carry` a signed word in two's
// complement: returns the low word and leaves the high one, again a signed
// word (it always fits), in `carry`.
namespace {

Word signedTerm(Word plusLow, Word plusHigh, Word minusLow, Word minusHigh, Word& carry) {
    const Word extension = 0 - (carry >> (kWordBits - 1));
    Word c1, c2;
    Word low = addCarry(plusLow, carry, 0, c1);
    low = subtractBorrow(low, minusLow, 0, c2);
    carry = plusHigh + extension + c1 - minusHigh - c2;
    return low;
}

}  // namespace

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
        Word auHigh, bvHigh, cuHigh, dvHigh;
        const Word auLow = multiplyWide(a, ui, auHigh);
        const Word bvLow = multiplyWide(b, vi, bvHigh);
        const Word cuLow = multiplyWide(c, ui, cuHigh);
        const Word dvLow = multiplyWide(d, vi, dvHigh);
        u[i] = aNegative ? signedTerm(bvLow, bvHigh, auLow, auHigh, carryU)
                         : signedTerm(auLow, auHigh, bvLow, bvHigh, carryU);
        v[i] = cNegative ? signedTerm(dvLow, dvHigh, cuLow, cuHigh, carryV)
                         : signedTerm(cuLow, cuHigh, dvLow, dvHigh, carryV);
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
        // Below 2^62 each, the factors keep both sums within two words.
        Word high0, high1, by0, by1;
        const Word low0 = multiplyAdd(a, x, carry0, 0, high0);
        const Word low1 = multiplyAdd(c, x, carry1, 0, high1);
        s0[i] = multiplyAdd(b, y, low0, 0, by0);
        s1[i] = multiplyAdd(d, y, low1, 0, by1);
        carry0 = high0 + by0;
        carry1 = high1 + by1;
    }
    s0[n] = carry0;
    s1[n] = carry1;
}

}  // namespace internal
}  // namespace Korvane
