// Toom-Cook 3-way multiplication: the product of two n-word numbers from
// five products of a third of the size, in time n^1.46 where Karatsuba's
// three products of half the size take n^1.58.
#pragma once

#include <cstddef>

#include "bignum/WordBuffer.h"

namespace Korvane {
namespace internal {

// multiplyWords and squareWords take this path for balanced operands of at
// least this many words and below transformThreshold().
constexpr std::size_t kToomThreshold = 1000;

// r[0 .. 2n) = a * b for two n-word operands (n >= kToomThreshold); a may
// equal b (a square); r must not overlap either.
void toomCook3(Word* r, const Word* a, const Word* b, std::size_t n);

}  // namespace internal
}  // namespace Korvane
