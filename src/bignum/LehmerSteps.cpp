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

}  // namespace internal
}  // namespace Korvane
