// Helpers shared by the member files of BigNumber: the step from a number's
// base-256 digits to the word form its algorithms run on, and the one error
// they raise.
#pragma once

#include <cstddef>
#include <optional>

#include "bignum/WordBuffer.h"
#include "korvane/BigNumber.h"

namespace Korvane {
namespace internal {

// The number of words that hold all digits of `number` (high zero digits
// included).
std::size_t magnitudeWordCount(const BigNumber& number);
// Writes the magnitude of `number` into the first magnitudeWordCount(number)
// words of `words`, which must be at least that long.
void loadMagnitude(const BigNumber& number, WordBuffer& words);

// The magnitude of a number as words, up to the highest non-zero one. Where
// the digits already are words (a little-endian host, a whole number of
// words, an aligned buffer) they are read in place; otherwise they go into a
// copy, wiped on release like every word buffer.
class MagnitudeWords {
public:
    explicit MagnitudeWords(const BigNumber& number);

    const Word* data() const { return words; }
    std::size_t size() const { return count; }

private:
    // Built only when needed: an empty buffer still costs a fill and a wipe call.
    std::optional<WordBuffer> copy;
    const Word* words;
    std::size_t count;
};

// True when the magnitude is zero, high zero digits or not; reads every
// digit whatever their values.
bool isZeroValue(const BigNumber& number);

// Throws QuillonException 22 ("Data format invalid") at `location` with the
// extra text `reason` ("division by zero", "modulus is zero").
[[noreturn]] void throwZeroDivisor(const char* location, const char* reason);

}  // namespace internal

// What BigNumber::fromWords takes: the word buffer of a result.
struct BigNumber::Words {
    Words(internal::WordBuffer& words) : buffer(words) {}
    internal::WordBuffer& buffer;
};

}  // namespace Korvane
