#include "korvane/IntArray.h"

#include <cstdint>
#include <cstring>

#include "korvane/String.h"
#include "korvane/StringTokenizer.h"

namespace Korvane {

// ---- Construction -----------------------------------------------------------

IntArray::IntArray() : Array<int>(nullptr, 0, 0, false) {}

IntArray::IntArray(const int* values, unsigned int count)
    : Array<int>(count == 0 ? nullptr : values, 0, count, false) {}

IntArray::IntArray(const String& text) : Array<int>(nullptr, 0, 0, false) {
    StringTokenizer tokens(text, String("."), String::emptyString);
    const unsigned int count = tokens.countTokens();
    if (count == 0) return;
    size = count;
    reallocate(count);
    int* data = getData();
    for (unsigned int i = 0; i < count; ++i) data[i] = tokens.nextToken().toInt();
}

IntArray::IntArray(const IntArray& other) : Array<int>(other) {}

IntArray::~IntArray() = default;

// ---- Assignment and appending -------------------------------------------------

void IntArray::setValue(const int* values, unsigned int count) {
    if (values == nullptr) count = 0;
    // `values` may point into this array's own buffer, which reallocate
    // releases: copy through a temporary in that case.
    const IntArray source(values, count);
    size = count;
    reallocate(count);
    if (count != 0) std::memcpy(getData(), source.getData(), count * sizeof(int));
}

IntArray& IntArray::operator=(const IntArray& other) {
    if (this != &other) setValue(other.getData(), other.size);
    return *this;
}

IntArray& IntArray::operator+=(int value) {
    if (size == UINT32_MAX) internal::throwArrayTooLong();
    ensureCapacity(size + 1);
    getData()[size++] = value;
    return *this;
}

const IntArray IntArray::operator+(const IntArray& other) const {
    const std::uint64_t total = std::uint64_t(size) + other.size;
    if (total > UINT32_MAX) internal::throwArrayTooLong();
    IntArray result;
    result.size = static_cast<unsigned int>(total);
    result.reallocate(result.size);
    if (size != 0) std::memcpy(result.getData(), getData(), size * sizeof(int));
    if (other.size != 0)
        std::memcpy(result.getData() + size, other.getData(), other.size * sizeof(int));
    return result;
}

// ---- Comparison -----------------------------------------------------------------

bool IntArray::operator==(const IntArray& other) const {
    if (size != other.size) return false;
    return size == 0 || std::memcmp(getData(), other.getData(), size * sizeof(int)) == 0;
}

bool IntArray::equals(const IntArray& other) const { return *this == other; }

bool IntArray::operator!=(const IntArray& other) const { return !(*this == other); }

// ---- Conversion ---------------------------------------------------------------------

const String IntArray::toString() const {
    if (size == 0) return String("Null");
    String text;
    const int* data = getData();
    for (unsigned int i = 0; i < size; ++i) {
        if (i != 0) text += '.';
        text += data[i];
    }
    return text;
}

}  // namespace Korvane
