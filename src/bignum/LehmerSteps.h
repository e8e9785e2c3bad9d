// Lehmer's steps on words: simulations of Euclid's algorithm on the leading
// one or two words of a pair, and the application of their matrices to the
// full numbers. The two-word form drives the Lehmer loop, the one-word form
// the half-gcd reduction, which also needs each step's quotient.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bignum/WordBuffer.h"

namespace Korvane {
namespace internal {

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

// Bits [shift, shift + 62) of x (n words).
Word leadingPart(const Word* x, std::size_t n, std::size_t shift);

// Lehmer's simulation on x > y, the leading parts of a pair: only steps whose
// quotient is certain for the full pair are taken. A step whose remainder of
// the leading parts would fall below `floor` is not taken; the quotients are
// appended to `quotients` when given.
StepMatrix simulate(std::int64_t x, std::int64_t y, std::int64_t floor = INT64_MIN,
                    std::vector<std::int64_t>* quotients = nullptr);

// Bits [shift, shift + 128) of x (n words): the low word, the high one in
// `high`.
Word leadingWords(const Word* x, std::size_t n, std::size_t shift, Word& high);

// Lehmer's simulation on two-word leading parts x > y, taken at the same
// shift from a pair whose low parts are unknown: a step is taken while the
// pair it leads to is certain to be the true one, and while the matrix
// entries stay below 2^62. An exact pair (nothing below the leading parts)
// takes every step the entries allow.
StepMatrix simulateWide(Word xHigh, Word xLow, Word yHigh, Word yLow, bool exact);

// Euclid to the end on a pair that fits in 62 bits: every quotient is exact.
StepMatrix finish(std::int64_t x, std::int64_t y, Word& gcd);

// (u, v) = (A u + B v, C u + D v) over n words; the results must be known to
// be non-negative.
void applyToPair(const StepMatrix& m, Word* u, Word* v, std::size_t n);

// (s0, s1) = (|A| s0 + |B| s1, |C| s0 + |D| s1) over n words plus a top word.
void applyToCofactors(const StepMatrix& m, Word* s0, Word* s1, std::size_t n);

}  // namespace internal
}  // namespace Korvane
