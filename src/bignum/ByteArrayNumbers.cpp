// The members of ByteArray that convert through BigNumber: to and from a
// number's digits and the number text of the bytes. They are ByteArray's,
// but they live with the big integers because they need them, so the text
// layer stays below this one.
#include <cstring>
#include <utility>

#include "bignum/RadixConversion.h"
#include "korvane/BigNumber.h"
#include "korvane/ByteArray.h"
#include "korvane/String.h"

namespace Korvane {

ByteArray::ByteArray(const BigNumber& number) : Array<unsigned char>(number.getData(), 0, number.length(), true) {}

ByteArray& ByteArray::operator=(const BigNumber& number) {
    elementCount = number.length();
    reallocate(elementCount);
    if (elementCount != 0) std::memcpy(getData(), number.getData(), elementCount);
    terminate();
    return *this;
}

namespace {
void reverseBytes(ByteArray& bytes) {
    unsigned char* data = bytes.getData();
    for (unsigned int i = 0, j = bytes.length(); i + 1 < j; ++i, --j) std::swap(data[i], data[j - 1]);
}
}  // namespace

String ByteArray::toPrintableString(unsigned int base, bool reverse) const {
    if (elementCount == 0) return String();
    const unsigned int usable = internal::usableBase(base);
    if (!reverse) return internal::digitsToText(getData(), elementCount, usable, false);
    ByteArray digits(*this);
    reverseBytes(digits);
    return internal::digitsToText(digits.getData(), elementCount, usable, false);
}

ByteArray ByteArray::fromHexString(const String& hex, bool reverse) {
    ByteArray bytes(BigNumber::fromBase(hex, 16));
    if (reverse) reverseBytes(bytes);
    return bytes;
}

}  // namespace Korvane
