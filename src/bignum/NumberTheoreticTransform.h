// Multiplication by number-theoretic transforms: the product's words as a
// cyclic convolution, computed modulo three primes near 2^62 by fast
// transforms and put together by the Chinese remainder theorem, in time
// n log n where Toom-Cook 3-way takes n^1.46.
#pragma once

#include <cstddef>

#include "bignum/WordBuffer.h"

namespace Korvane {
namespace internal {

// multiplyWords and squareWords take this path when the shorter operand has
// at least this many words (tests may lower it; see setTransformThreshold).
std::size_t transformThreshold();
// Sets the threshold and returns the previous one; for tests that reach the
// transform with small operands. Not for concurrent use with products.
std::size_t setTransformThreshold(std::size_t words);

// r[0 .. an + bn) = a * b for an >= bn >= 1; a may equal b with an == bn (a
// square); r must not overlap either. Any sizes up to 2^54 words of product.
void transformProduct(Word* r, const Word* a, std::size_t an, const Word* b, std::size_t bn);

}  // namespace internal
}  // namespace Korvane
