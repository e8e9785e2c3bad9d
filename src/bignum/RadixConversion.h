// Conversions between word magnitudes and digit text in bases 2 to 36: the
// engines of BigNumber::toBase and BigNumber::fromBase.
#pragma once

#include <cstddef>

#include "bignum/WordBuffer.h"

namespace Korvane {

class String;

namespace internal {

// The base a text conversion uses: `base` itself within 2 .. 36, else 16.
inline unsigned int usableBase(unsigned int base) { return base < 2 || base > 36 ? 16 : base; }

// The digits of the n-word magnitude w in `base` (2 .. 36), most significant
// first, upper-case letters, without leading zeros ("0" for zero), with "-"
// in front when `negative` is set and the value is not zero. w is consumed.
String wordsToText(Word* w, std::size_t n, unsigned int base, bool negative);

// The same for the `count` base-256 digits at `digits`, least significant
// first (high zero digits allowed). Power-of-two bases are cut straight from
// the bits, in linear time; the others take quadratic time.
String digitsToText(const unsigned char* digits, std::size_t count, unsigned int base, bool negative);

// Words enough for the value of `digits` digits of any base up to 36.
std::size_t wordsForText(std::size_t digits);

// The value of `length` characters read as digits of `base`, the most
// significant first (Horner's rule): characters that are not digits ("0-9",
// "A-Z", "a-z") are skipped, a digit's value is used even when it is not
// below `base`. `out` must hold wordsForText(length) zero words.
// Power-of-two bases take linear time, the others quadratic.
void textToWords(const char* text, std::size_t length, unsigned int base, WordBuffer& out);

}  // namespace internal
}  // namespace Korvane
