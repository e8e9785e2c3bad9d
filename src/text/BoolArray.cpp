#include "korvane/BoolArray.h"

#include <cstdint>
#include <cstring>

#include "korvane/ByteArray.h"
#include "korvane/String.h"
#include "text/LoadOrder.h"
#include "text/BufferMemory.h"

namespace Korvane {

// ---- Construction -----------------------------------------------------------

const BoolArray BoolArray::emptyArray KORVANE_LOAD_STEP(LoadBoolArrayEmpty);

BoolArray::BoolArray() : Array<bool>(nullptr, 0, 0, false) {}

BoolArray::BoolArray(const BoolArray& other) = default;

BoolArray::BoolArray(unsigned int count, bool value) : Array<bool>(count, value, false) {}

BoolArray::BoolArray(const ByteArray& bytes, unsigned int insignificantBits, bool lsbFirst)
    : Array<bool>(nullptr, 0, 0, false) {
    if (bytes.length() == 0 || insignificantBits > 7) return;
    const std::uint64_t bits = std::uint64_t(bytes.length()) * 8 - insignificantBits;
    if (bits > UINT32_MAX) internal::throwArrayTooLong();
    elementCount = static_cast<unsigned int>(bits);
    reallocate(elementCount);
    const unsigned char* in = bytes.getData();
    bool* out = getData();
    for (unsigned int i = 0; i < elementCount; ++i) {
        const unsigned int shift = lsbFirst ? i % 8 : 7 - i % 8;
        out[i] = ((in[i / 8] >> shift) & 1) != 0;
    }
}

BoolArray::BoolArray(const String& text, bool reversed) : Array<bool>(nullptr, 0, 0, false) {
    const char* characters = text.getData();
    const unsigned int count = text.length();
    for (unsigned int k = 0; k < count; ++k) {
        const char c = characters[reversed ? count - 1 - k : k];
        if (c == '0' || c == '1') *this += (c == '1');
    }
}

BoolArray::~BoolArray() = default;

// ---- Assignment and appending -------------------------------------------------

BoolArray& BoolArray::operator=(const BoolArray& other) {
    if (this == &other) return *this;
    elementCount = other.elementCount;
    reallocate(elementCount);
    if (elementCount != 0) std::memcpy(getData(), other.getData(), elementCount * sizeof(bool));
    return *this;
}

BoolArray& BoolArray::operator+=(const BoolArray& other) {
    const unsigned int count = other.elementCount;
    if (count == 0) return *this;
    if (std::uint64_t(elementCount) + count > UINT32_MAX) internal::throwArrayTooLong();
    // Growing keeps the old elements at the start of the new buffer, so a
    // += a still finds its source there.
    ensureCapacity(elementCount + count);
    std::memcpy(getData() + elementCount, other.getData(), count * sizeof(bool));
    elementCount += count;
    return *this;
}

BoolArray& BoolArray::operator+=(bool value) {
    if (elementCount == UINT32_MAX) internal::throwArrayTooLong();
    ensureCapacity(elementCount + 1);
    getData()[elementCount++] = value;
    return *this;
}

BoolArray BoolArray::operator+(const BoolArray& other) const {
    BoolArray result(*this);
    result += other;
    return result;
}

BoolArray BoolArray::operator+(bool value) const {
    BoolArray result(*this);
    result += value;
    return result;
}

// ---- Comparison -----------------------------------------------------------------

bool BoolArray::operator==(const BoolArray& other) const {
    if (elementCount != other.elementCount) return false;
    return elementCount == 0 || std::memcmp(getData(), other.getData(), elementCount * sizeof(bool)) == 0;
}

bool BoolArray::equals(const BoolArray& other) const { return *this == other; }

bool BoolArray::operator!=(const BoolArray& other) const { return !(*this == other); }

// ---- Tests and conversion ------------------------------------------------------------

bool BoolArray::isClear() const {
    const bool* data = getData();
    for (unsigned int i = 0; i < elementCount; ++i)
        if (data[i]) return false;
    return true;
}

// Every character is written, '0' plus the element, rather than only the
// '1's: a branch on each bit mispredicts on every other one of random bits.
String BoolArray::toString() const {
    const unsigned int count = elementCount;
    String text(count, '0');
    char* characters = text.getData();
    const bool* data = getData();
    for (unsigned int i = 0; i < count; ++i) characters[count - 1 - i] = static_cast<char>('0' + (data[i] ? 1 : 0));
    return text;
}

// ---- Packing ---------------------------------------------------------------------

ByteArray BoolArray::toByteArray() const { return ByteArray(*this); }

// ---- Trimming ----------------------------------------------------------------------

void BoolArray::keep(unsigned int first, unsigned int count) {
    const BoolArray original(*this);
    elementCount = count;
    reallocate(count);
    if (count != 0) std::memcpy(getData(), original.getData() + first, count * sizeof(bool));
}

BoolArray& BoolArray::trimMSB() {
    unsigned int kept = elementCount;
    while (kept > 0 && !getData()[kept - 1]) --kept;
    keep(0, kept);
    return *this;
}

BoolArray& BoolArray::trimLSB() {
    unsigned int leading = 0;
    while (leading < elementCount && !getData()[leading]) ++leading;
    keep(leading, elementCount - leading);
    return *this;
}

}  // namespace Korvane
