#include "korvane/IntArray.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>

#include "korvane/String.h"
#include "text/BufferMemory.h"
#include "text/IntegerText.h"

namespace Korvane {

// ---- Construction -----------------------------------------------------------

IntArray::IntArray() : Array<int>(nullptr, 0, 0, false) {}

IntArray::IntArray(const int* values, unsigned int count)
    : Array<int>(count == 0 ? nullptr : values, 0, count, false) {}

// The numbers are the tokens between runs of dots in the text up to its
// first NUL; each is cut out in place (its dot overwritten by a NUL) and read
// as String::toInt reads a token. A first walk counts them.
IntArray::IntArray(const String& text) : Array<int>(nullptr, 0, 0, false) {
    std::string pieces(text.getData());
    char* const end = &pieces[0] + pieces.size();
    auto forEachPiece = [end, &pieces](auto&& piece) {
        for (char* at = &pieces[0]; at < end;) {
            if (*at == '.') {
                ++at;
                continue;
            }
            char* stop = static_cast<char*>(std::memchr(at, '.', std::size_t(end - at)));
            if (stop == nullptr) stop = end;
            piece(at, stop);
            at = stop + 1;
        }
    };
    std::size_t count = 0;
    forEachPiece([&count](char*, char*) { ++count; });
    if (count == 0) return;
    if (count > UINT32_MAX) internal::throwArrayTooLong();
    elementCount = static_cast<unsigned int>(count);
    reallocate(elementCount);
    int* value = getData();
    forEachPiece([&value](char* first, char* stop) {
        *stop = '\0';
        *value++ = internal::readInteger(first);
    });
}

IntArray::IntArray(const IntArray& other) = default;

IntArray::~IntArray() = default;

// ---- Assignment and appending -------------------------------------------------

void IntArray::setValue(const int* values, unsigned int count) {
    if (values == nullptr) count = 0;
    // `values` may point into this array's own buffer, which reallocate
    // releases: copy through a temporary in that case.
    const IntArray source(values, count);
    elementCount = count;
    reallocate(count);
    if (count != 0) std::memcpy(getData(), source.getData(), count * sizeof(int));
}

IntArray& IntArray::operator=(const IntArray& other) {
    if (this != &other) setValue(other.getData(), other.elementCount);
    return *this;
}

IntArray& IntArray::operator+=(int value) {
    if (elementCount == UINT32_MAX) internal::throwArrayTooLong();
    ensureCapacity(elementCount + 1);
    getData()[elementCount++] = value;
    return *this;
}

IntArray IntArray::operator+(const IntArray& other) const {
    const std::uint64_t total = std::uint64_t(elementCount) + other.elementCount;
    if (total > UINT32_MAX) internal::throwArrayTooLong();
    IntArray result;
    result.elementCount = static_cast<unsigned int>(total);
    result.reallocate(result.elementCount);
    if (elementCount != 0) std::memcpy(result.getData(), getData(), elementCount * sizeof(int));
    if (other.elementCount != 0)
        std::memcpy(result.getData() + elementCount, other.getData(), other.elementCount * sizeof(int));
    return result;
}

// ---- Comparison -----------------------------------------------------------------

bool IntArray::operator==(const IntArray& other) const {
    if (elementCount != other.elementCount) return false;
    return elementCount == 0 || std::memcmp(getData(), other.getData(), elementCount * sizeof(int)) == 0;
}

bool IntArray::equals(const IntArray& other) const { return *this == other; }

bool IntArray::operator!=(const IntArray& other) const { return !(*this == other); }

// ---- Conversion ---------------------------------------------------------------------

String IntArray::toString() const {
    if (elementCount == 0) return String("Null");
    std::string text;
    const int* data = getData();
    char digits[16];
    for (unsigned int i = 0; i < elementCount; ++i) {
        if (i != 0) text += '.';
        text.append(digits, std::to_chars(digits, digits + sizeof digits, data[i]).ptr);
    }
    return String(std::string_view(text));
}

}  // namespace Korvane
