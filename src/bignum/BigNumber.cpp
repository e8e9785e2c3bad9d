// BigNumber: representation, construction, comparison and the conversions to
// machine integers and bytes.
#include "korvane/BigNumber.h"

#include <climits>
#include <cstring>

#include "bignum/NumberWords.h"
#include "bignum/WordBuffer.h"
#include "korvane/ByteArray.h"
#include "text/LoadOrder.h"
#include "text/BufferMemory.h"
#include "text/ByteOrder.h"

namespace Korvane {

namespace {
// The magnitude of a machine integer as `count` little-endian digits.
void writeDigits(unsigned char* digits, unsigned long long magnitude, unsigned int count) {
    for (unsigned int i = 0; i < count; ++i) digits[i] = static_cast<unsigned char>(magnitude >> (8 * i));
}

unsigned int bitLength(unsigned char digit) {
    unsigned int bits = 0;
    while (digit != 0) {
        ++bits;
        digit = static_cast<unsigned char>(digit >> 1);
    }
    return bits;
}
}  // namespace

// ---- Construction -----------------------------------------------------------

// Zero, built at its step of the load order.
const BigNumber BigNumber::Zero KORVANE_LOAD_STEP(LoadBigNumberZero);

BigNumber::BigNumber() : Array<unsigned char>(1u, 0, true) {}

BigNumber::BigNumber(const BigNumber& other) = default;

BigNumber::BigNumber(const ByteArray& bytes, bool negative)
    : BigNumber(reinterpret_cast<const char*>(bytes.getData()), 0, bytes.length(), negative) {}

BigNumber::BigNumber(unsigned int count, char fill)
    : Array<unsigned char>(count == 0 ? 1u : count, count == 0 ? 0 : static_cast<unsigned char>(fill), true) {}

BigNumber::BigNumber(unsigned char value) : Array<unsigned char>(1u, value, true) {}

BigNumber::BigNumber(int value) : Array<unsigned char>(4u, 0, true), negative(value < 0) {
    // The magnitude is taken in unsigned arithmetic so that INT_MIN gives 2^31.
    const unsigned int magnitude = value < 0 ? 0u - static_cast<unsigned int>(value) : static_cast<unsigned int>(value);
    writeDigits(getData(), magnitude, 4);
    normalize();
}

BigNumber::BigNumber(long value) : Array<unsigned char>(8u, 0, true), negative(value < 0) {
    const unsigned long magnitude =
        value < 0 ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    writeDigits(getData(), magnitude, 8);
    normalize();
}

BigNumber::BigNumber(unsigned int value) : Array<unsigned char>(4u, 0, true) {
    writeDigits(getData(), value, 4);
    normalize();
}

BigNumber::BigNumber(unsigned long value) : Array<unsigned char>(8u, 0, true) {
    writeDigits(getData(), value, 8);
    normalize();
}

BigNumber::BigNumber(const char* data, unsigned int offset, unsigned int length, bool negative)
    : Array<unsigned char>(data == nullptr || length == 0 ? nullptr : reinterpret_cast<const unsigned char*>(data),
                           offset, length, true),
      negative(negative) {
    if (elementCount == 0) {
        // Every number has a digit: a missing source gives zero.
        (*this)[0] = 0;
    }
    normalize();
}

BigNumber::~BigNumber() = default;

BigNumber& BigNumber::operator=(const BigNumber& other) {
    if (this == &other) return *this;
    if (other.elementCount == 0) {
        elementCount = 1;
        reallocate(1);
        getData()[0] = 0;
    } else {
        elementCount = other.elementCount;
        reallocate(elementCount);
        std::memcpy(getData(), other.getData(), elementCount);
    }
    terminate();
    negative = other.negative;
    return *this;
}

void BigNumber::normalize() {
    unsigned char* digits = getData();
    while (elementCount > 1 && digits[elementCount - 1] == 0) --elementCount;
}

BigNumber BigNumber::fromWords(const Words& handle, bool negative) {
    internal::WordBuffer& words = handle.buffer;
    const std::size_t count = words.significantSize();
    if (count > UINT_MAX / internal::kWordBytes) internal::throwArrayTooLong();
    internal::wordsToDigitOrder(words.data(), count);
    return BigNumber(reinterpret_cast<const char*>(words.data()), 0,
                     static_cast<unsigned int>(count * internal::kWordBytes), negative);
}

// ---- Inspection and comparison ------------------------------------------------

bool BigNumber::isZero() const { return elementCount == 1 && getData()[0] == 0; }

bool BigNumber::isNegative() const { return negative; }

bool BigNumber::operator==(const BigNumber& other) const {
    return negative == other.negative && elementCount == other.elementCount &&
           (elementCount == 0 || std::memcmp(getData(), other.getData(), elementCount) == 0);
}

bool BigNumber::equals(const BigNumber& other) const { return *this == other; }

bool BigNumber::operator!=(const BigNumber& other) const { return !(*this == other); }

BigNumber::COMPARISON BigNumber::compare(const BigNumber& other) const {
    if (negative && !other.negative) return LESS;
    if (!negative && other.negative) return GREATER;
    // Equal signs: the magnitudes decide, for negative numbers too.
    if (elementCount != other.elementCount) return elementCount < other.elementCount ? LESS : GREATER;
    const unsigned char* mine = getData();
    const unsigned char* theirs = other.getData();
    // From the top: the digits above the last full group of eight one by
    // one, then eight at a time as words.
    unsigned int i = elementCount;
    for (; i % internal::kWordBytes != 0; --i) {
        if (mine[i - 1] != theirs[i - 1]) return mine[i - 1] < theirs[i - 1] ? LESS : GREATER;
    }
    for (; i != 0; i -= internal::kWordBytes) {
        const internal::Word a = internal::loadDigitWord(mine + i - internal::kWordBytes);
        const internal::Word b = internal::loadDigitWord(theirs + i - internal::kWordBytes);
        if (a != b) return a < b ? LESS : GREATER;
    }
    return EQUAL;
}

unsigned int BigNumber::numberOfBits() const {
    if (elementCount == 0) return 0;
    return 8 * (elementCount - 1) + bitLength(getData()[elementCount - 1]);
}

// ---- Conversions ----------------------------------------------------------------

int BigNumber::toInt() const {
    unsigned int value = 0;
    const unsigned int count = elementCount < 4 ? elementCount : 4;
    for (unsigned int i = 0; i < count; ++i) value |= static_cast<unsigned int>(getData()[i]) << (8 * i);
    if (negative) value = 0u - value;
    return static_cast<int>(value);
}

long BigNumber::toLong() const { return static_cast<long>(toInt()); }

ByteArray BigNumber::toByteArray(bool msbFirst) const {
    ByteArray bytes(getData(), elementCount);
    if (msbFirst) {
        unsigned char* data = bytes.getData();
        for (unsigned int i = 0, j = elementCount; i + 1 < j; ++i, --j) {
            const unsigned char t = data[i];
            data[i] = data[j - 1];
            data[j - 1] = t;
        }
    }
    return bytes;
}

BigNumber BigNumber::fromMSDByteArray(const ByteArray& bytes, bool negative) {
    const unsigned char* data = bytes.getData();
    unsigned int count = bytes.length();
    unsigned int first = 0;
    while (first < count && data[first] == 0) ++first;
    if (first == count) return BigNumber(nullptr, 0, 0, negative);
    count -= first;
    BigNumber result(count, 0);
    unsigned char* digits = result.getData();
    const unsigned char* last = data + first + count;
    // Eight bytes at a time, reversed in a register; the rest one by one.
    unsigned int i = 0;
    for (; i + internal::kWordBytes <= count; i += internal::kWordBytes) {
        internal::Word w;
        std::memcpy(&w, last - i - internal::kWordBytes, sizeof w);
        w = internal::byteSwap(w);
        std::memcpy(digits + i, &w, sizeof w);
    }
    for (; i < count; ++i) digits[i] = last[-1 - static_cast<std::ptrdiff_t>(i)];
    result.negative = negative;
    return result;
}

}  // namespace Korvane
