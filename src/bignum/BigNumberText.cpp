// BigNumber: text in bases 2 to 36.
#include "bignum/NumberWords.h"
#include "bignum/RadixConversion.h"
#include "korvane/BigNumber.h"
#include "korvane/String.h"

namespace Korvane {

namespace {
unsigned int usableBase(unsigned int base) { return base < 2 || base > 36 ? 16 : base; }
}  // namespace

// Every digit is produced, however the bit count rounds: the text always
// reads back with fromBase to an equal number.
String BigNumber::toBase(unsigned int base) const {
    internal::WordBuffer words(internal::magnitudeWordCount(*this));
    internal::loadMagnitude(*this, words);
    return internal::wordsToText(words.data(), words.size(), usableBase(base), negative);
}

BigNumber BigNumber::fromBase(const String& text, unsigned int base) {
    if (text.length() == 0) return Zero;
    const char* characters = text.getData();
    std::size_t length = text.length();
    const bool minus = characters[0] == '-';
    if (minus) {
        ++characters;
        --length;
    }
    internal::WordBuffer words(internal::wordsForText(length));
    internal::textToWords(characters, length, usableBase(base), words);
    return fromWords(words, minus);
}

}  // namespace Korvane
