// BigNumber: text in bases 2 to 36.
#include "bignum/NumberWords.h"
#include "bignum/RadixConversion.h"
#include "korvane/BigNumber.h"
#include "korvane/String.h"

namespace Korvane {

// Every digit is produced, however the bit count rounds: the text always
// reads back with fromBase to an equal number.
String BigNumber::toBase(unsigned int base) const {
    return internal::digitsToText(getData(), length(), internal::usableBase(base), negative);
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
    internal::textToWords(characters, length, internal::usableBase(base), words);
    return fromWords(words, minus);
}

}  // namespace Korvane
