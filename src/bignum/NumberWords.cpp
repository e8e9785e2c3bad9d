#include "bignum/NumberWords.h"

#include <cstdint>

#include "korvane/QuillonException.h"
#include "korvane/String.h"

namespace Korvane {
namespace internal {

std::size_t magnitudeWordCount(const BigNumber& number) { return wordsForDigits(number.length()); }

void loadMagnitude(const BigNumber& number, WordBuffer& words) {
    digitsToWords(number.getData(), number.length(), words.data());
}

MagnitudeWords::MagnitudeWords(const BigNumber& number) {
    const unsigned char* digits = number.getData();
    if (!kBigEndianHost && number.length() % kWordBytes == 0 &&
        reinterpret_cast<std::uintptr_t>(digits) % alignof(Word) == 0) {
        words = reinterpret_cast<const Word*>(digits);
        count = significantWords(words, number.length() / kWordBytes);
    } else {
        copy.emplace(magnitudeWordCount(number));
        loadMagnitude(number, *copy);
        words = copy->data();
        count = copy->significantSize();
    }
}

bool isZeroValue(const BigNumber& number) {
    // Folded without an early exit, so a secret exponent is not measured by
    // its first non-zero digit.
    unsigned int any = 0;
    const unsigned char* digits = number.getData();
    for (unsigned int i = 0; i < number.length(); ++i) any |= digits[i];
    return ((any - 1) >> 31) != 0;
}

void throwZeroDivisor(const char* location, const char* reason) {
    throw QuillonException(QuillonError::DataFormatInvalid, String(location), String(reason));
}

}  // namespace internal
}  // namespace Korvane
