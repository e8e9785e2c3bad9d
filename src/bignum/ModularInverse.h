// Modular inverse on words: the engine of BigNumber::mulInv.
#pragma once

#include <cstddef>

#include "bignum/WordBuffer.h"

namespace Korvane {
namespace internal {

// When gcd(a, b) = 1, writes b^-1 mod a (in 1 .. a - 1) to x[0 .. an) and
// returns true; otherwise returns false. Requires a > b >= 1, a of an words
// with a non-zero top word and b of bn <= an words.
bool modularInverse(Word* x, const Word* a, std::size_t an, const Word* b, std::size_t bn);

}  // namespace internal
}  // namespace Korvane
