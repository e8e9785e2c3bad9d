// The radix-52 Montgomery products and the table read in AVX-512 IFMA
// registers, compiled for that instruction set alone (Radix52Vector.cpp),
// on x86-64 Linux and other ELF systems; on other targets, on Windows and
// in builds with KORVANE_PORTABLE_WORDS they do not exist and
// radix52VectorsSupported() is false.
#pragma once

#include <cstddef>

#include "bignum/Radix52Montgomery.h"

namespace Korvane {
namespace internal {

// Whether this processor and build run the vector forms.
bool radix52VectorsSupported();
// The product for moduli of `vectors` vectors of limbs (1 .. kRadix52MostVectors);
// with `minusOne`, for moduli congruent to -1 modulo 2^52 alone.
Radix52Montgomery::Product radix52VectorProduct(std::size_t vectors, bool minusOne);
// out[0 .. 8 vectors) = the limbs[0 .. 8 vectors) (each below 2^62, their
// value below 2^(52 k)) carried back to 52 bits, as the products end: for
// the white-box tests, whose inputs can make carries ripple, as products
// do about once in 2^52 limbs.
void radix52VectorCarry(Word* out, const Word* limbs, std::size_t k, std::size_t vectors);
// selectEntry on n-limb entries, n a multiple of eight.
void radix52VectorSelect(Word* out, const Word* table, std::size_t entries, std::size_t n, Word index);

}  // namespace internal
}  // namespace Korvane
