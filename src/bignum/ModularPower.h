// Modular exponentiation on words: the engine of BigNumber::expMod.
#pragma once

#include <cstddef>

#include "bignum/WordBuffer.h"

namespace Korvane {
namespace internal {

// out[0 .. mn) = base^e mod m, where e is the low `exponentBits` bits of
// `exponent` (which holds (exponentBits + 63) / 64 words), base is any bn-word
// number (bn may be 0) and m is mn >= 1 words with a non-zero top word and
// m > 1. A zero e gives 1. The instructions and memory accesses depend on
// bn, exponentBits and m only, never on the words of base and exponent.
void modularPower(Word* out, const Word* base, std::size_t bn, const Word* exponent, std::size_t exponentBits,
                  const Word* m, std::size_t mn);

}  // namespace internal
}  // namespace Korvane
