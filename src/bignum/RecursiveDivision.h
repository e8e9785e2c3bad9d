// Division of long numbers by recursion on halves (Burnikel and Ziegler).
//
// The quotient of a 2n-word number by an n-word one comes from two steps of
// 3n/2 by n words, each a division of half the size and one product, so
// the time is that of a product times log n where long division takes n^2.
#pragma once

#include <cstddef>

#include "bignum/WordBuffer.h"

namespace Korvane {
namespace internal {

// divideWords takes this path for divisors and quotients of at least this
// many words; the recursion hands blocks of at most this size to long
// division.
constexpr std::size_t kRecursiveDivisionThreshold = 40;

// The contract of divideWords: q[0 .. an - dn + 1) = a / d and
// r[0 .. dn) = a mod d for an >= dn >= 1 and a non-zero top word d[dn - 1];
// either output may be null; neither may overlap an input.
void divideRecursively(Word* q, Word* r, const Word* a, std::size_t an, const Word* d, std::size_t dn);

}  // namespace internal
}  // namespace Korvane
