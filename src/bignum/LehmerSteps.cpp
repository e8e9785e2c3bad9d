// Lehmer's steps: see LehmerSteps.h.
#include "bignum/LehmerSteps.h"

#include "bignum/WordArithmetic.h"

namespace Korvane {
namespace internal {

namespace {

Word magnitude(std::int64_t x) { return x < 0 ? 0 - static_cast<Word>(x) : static_cast<Word>(x); }

// A two-word number.
struct Wide {
    Word high, low;

    bool isZero() const { return (high | low) == 0; }
    unsigned int bits() const {
        return high != 0 ? 2 * kWordBits - leadingZeros(high) : low != 0 ? kWordBits - leadingZeros(low) : 0;
    }
    // this - other, and 1 in `borrow` when it is negative.
    Wide minus(const Wide& other, Word& borrow) const {
        Wide difference;
        difference.low = subtractDouble(high, low, other.high, other.low, difference.high, borrow);
        return difference;
    }
    Wide minus(const Wide& other) const {
        Word borrow;
        return minus(other, borrow);
    }
    bool below(const Wide& other) const {
        Word borrow;
        minus(other, borrow);
        return borrow != 0;
    }
    bool below(Word other) const { return high == 0 && low < other; }
    // this << shift for shift < 64, known not to overflow.
    Wide shifted(unsigned int shift) const {
        return {(high << shift) | ((low >> 1) >> (kWordBits - 1 - shift)), low << shift};
    }
};

constexpr Word kEntryLimit = Word(1) << 62;

// b + q d when it stays below 2^62; kEntryLimit otherwise.
Word nextEntry(Word b, Word q, Word d) {
    Word high;
    const Word product = multiplyWide(q, d, high);
    if (high != 0 || product >= kEntryLimit - b) return kEntryLimit;
    return b + product;
}

}  // namespace

Word leadingWords(const Word* x, std::size_t n, std::size_t shift, Word& high) {
    const auto bitsAt = [x, n](std::size_t position) {
        const std::size_t word = position / kWordBits;
        const unsigned int bit = position % kWordBits;
        if (word >= n) return Word(0);
        Word value = x[word] >> bit;
        if (bit != 0 && word + 1 < n) value |= x[word + 1] << (kWordBits - bit);
        return value;
    };
    high = bitsAt(shift + kWordBits);
    return bitsAt(shift);
}

// With (x, y) the leading parts of a pair (u, v) = (x 2^p + u0, y 2^p + v0),
// 0 <= u0, v0 < 2^p, and [A B; C D] the steps' matrix that takes (x, y) to
// (x', y'), the full pair goes to (x' 2^p + A u0 + B v0, y' 2^p + C u0 + D v0).
// The entries of each row and column differ in sign, so the second member
// stays positive when y' >= max(|C|, |D|), and stays below the first when
// x' - y' >= max(|A| + |C|, |B| + |D|). A matrix of Euclid's steps that
// leaves a pair u' > v' > 0 holds the true quotients, and so the first steps
// of the remainder sequence are taken, about 62 bits' worth per matrix.
// Quotients come from shifts and subtractions: most are small.
namespace {

// The steps of simulateWide; `exact` drops the test on the low parts.
template <bool exact>
StepMatrix wideSteps(Wide x, Wide y) {
    // The magnitudes of the matrix entries: after a step, |D| >= |C| and
    // |B| >= |A|, so the tests above need the second column only.
    Word a = 1, b = 0, c = 0, d = 1;
    unsigned int steps = 0;
    while (!y.isZero()) {
        Word borrow;
        Wide remainder = x.minus(y);
        const Wide twice = remainder.minus(y, borrow);
        Word q = 1;
        if (borrow == 0) {
            remainder = twice;
            q = 2;
            if (!remainder.below(y)) {
                // Three or more: one quotient bit a round.
                const unsigned int distance = remainder.bits() - y.bits();
                if (distance >= 60) break;
                for (unsigned int i = distance + 1; i-- > 0;) {
                    const Wide less = remainder.minus(y.shifted(i), borrow);
                    if (borrow == 0) {
                        remainder = less;
                        q += Word(1) << i;
                    }
                }
            }
        }
        const Word nextD = nextEntry(b, q, d);
        if (nextD >= kEntryLimit) break;
        if (!exact && (remainder.below(nextD) || y.minus(remainder).below(d + nextD))) break;
        const Word nextC = a + q * c;
        a = c;
        b = d;
        c = nextC;
        d = nextD;
        x = y;
        y = remainder;
        ++steps;
    }
    // The signs alternate: A and D carry (-1)^k, B and C the other one.
    StepMatrix m;
    const bool odd = steps % 2 != 0;
    m.a = odd ? -static_cast<std::int64_t>(a) : static_cast<std::int64_t>(a);
    m.b = odd ? static_cast<std::int64_t>(b) : -static_cast<std::int64_t>(b);
    m.c = odd ? static_cast<std::int64_t>(c) : -static_cast<std::int64_t>(c);
    m.d = odd ? -static_cast<std::int64_t>(d) : static_cast<std::int64_t>(d);
    m.steps = steps;
    return m;
}

}  // namespace

StepMatrix simulateWide(Word xHigh, Word xLow, Word yHigh, Word yLow, bool exact) {
    const Wide x{xHigh, xLow}, y{yHigh, yLow};
    return exact ? wideSteps<true>(x, y) : wideSteps<false>(x, y);
}

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
