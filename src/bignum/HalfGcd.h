// Half-gcd reduction: the leading steps of a remainder sequence in time
// O(M(n) log n), for the modular inverse of long operands.
#pragma once

#include <cstddef>

#include "bignum/WordBuffer.h"

namespace Korvane {
namespace internal {

// Pairs whose smaller member has at least this many words are reduced by the
// half-gcd recursion before Lehmer's loop takes over.
std::size_t halfGcdThreshold();
// Sets the threshold and returns the previous one; for tests that reach the
// recursion with short operands.
std::size_t setHalfGcdThreshold(std::size_t words);

// Runs the remainder sequence of (a, b) (a > b >= 1, a of an words with a
// non-zero top word, b of bn <= an words) until its smaller member is below
// halfGcdThreshold() words. Writes the pair reached to u and v and the
// cofactors of b that Lehmer's loop keeps to s0 and s1 (an words each; the
// pair is u = (-1)^(k+1) s0 b and v = (-1)^k s1 b mod a), and returns the
// parity of the step count k.
unsigned int halfGcdReduce(const Word* a, std::size_t an, const Word* b, std::size_t bn, Word* u, Word* v,
                           Word* s0, Word* s1);

}  // namespace internal
}  // namespace Korvane
