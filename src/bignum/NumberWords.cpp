#include "bignum/NumberWords.h"

#include "korvane/QuillonException.h"
#include "korvane/String.h"

namespace Korvane {
namespace internal {

std::size_t magnitudeWordCount(const BigNumber& number) { return wordsForDigits(number.length()); }

void loadMagnitude(const BigNumber& number, WordBuffer& words) {
    digitsToWords(number.getData(), number.length(), words.data());
}

bool isZeroValue(const BigNumber& number) {
    const unsigned char* digits = number.getData();
    for (unsigned int i = 0; i < number.length(); ++i) {
        if (digits[i] != 0) return false;
    }
    return true;
}

void throwZeroDivisor(const char* location, const char* reason) {
    throw QuillonException(22, String(location), String(reason));
}

}  // namespace internal
}  // namespace Korvane
