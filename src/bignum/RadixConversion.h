// Conversions between word magnitudes and digit text in bases 2 to 36: the
// engines of BigNumber::toBase and BigNumber::fromBase.
#pragma once

#include <cstddef>

#include "bignum/WordBuffer.h"

namespace Korvane {

class String;

namespace internal {

// The digits of the n-word magnitude w in `base` (2 .. 36), most significant
// first, upper-case letters, without leading zeros ("0" for zero), with "-"
// in front when `negative` is set and the value is not zero. w is consumed.
String wordsToText(Word* w, std::size_t n, unsigned int base, bool negative);

// Words enough for the value of `digits` digits of any base up to 36.
std::size_t wordsForText(std::size_t digits);

// Horner's rule over `length` characters: characters that are not digits
// ("0-9", "A-Z", "a-z") are skipped, a digit's value is used even when it is
// not below `base`. `out` must hold wordsForText(length) zero words.
void textToWords(const char* text, std::size_t length, unsigned int base, WordBuffer& out);

}  // namespace internal
}  // namespace Korvane
