#include "korvane/ByteArray.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <stdexcept>
#include <utility>

#include "korvane/BoolArray.h"
#include "korvane/String.h"
#include "text/LoadOrder.h"
#include "text/BufferMemory.h"
#include "text/KeepOutOfLine.h"

namespace Korvane {

namespace {
unsigned int lengthOf(const void* s) {
    return s == nullptr ? 0u : static_cast<unsigned int>(std::strlen(static_cast<const char*>(s)));
}
const unsigned char* asBytes(const char* p) { return reinterpret_cast<const unsigned char*>(p); }
}  // namespace

const ByteArray ByteArray::emptyArray KORVANE_LOAD_STEP(LoadByteArrayEmpty);

ByteArray::ByteArray() : Array<unsigned char>(nullptr, 0, 0, true) {}

ByteArray::ByteArray(const char* s) : Array<unsigned char>(asBytes(s), 0, lengthOf(s), true) {}

ByteArray::ByteArray(const unsigned char* s) : Array<unsigned char>(s, 0, lengthOf(s), true) {}

ByteArray::ByteArray(const char* p, unsigned int n)
    : Array<unsigned char>(asBytes(p), 0, n, true) {}

ByteArray::ByteArray(const unsigned char* p, unsigned int n) : Array<unsigned char>(p, 0, n, true) {}

ByteArray::ByteArray(const char* p, unsigned int offset, unsigned int n)
    : Array<unsigned char>(asBytes(p), offset, n, true) {}

ByteArray::ByteArray(const unsigned char* p, unsigned int offset, unsigned int n)
    : Array<unsigned char>(p, offset, n, true) {}

// Reserved storage is zeroed so that bytes written later through operator[]
// never expose what the allocator handed out.
ByteArray::ByteArray(unsigned int n) : Array<unsigned char>(nullptr, 0, 0, true) {
    reallocate(n);
    std::memset(getData(), 0, capacity);
}

namespace {
unsigned int reservation(int n) {
    if (n < 0) throw std::length_error("ByteArray(int): a negative number of bytes to reserve");
    return static_cast<unsigned int>(n);
}
}  // namespace

ByteArray::ByteArray(int n) : ByteArray(reservation(n)) {}

ByteArray::ByteArray(unsigned int n, char c)
    : Array<unsigned char>(n, static_cast<unsigned char>(c), true) {}

ByteArray::ByteArray(char c) : Array<unsigned char>(1u, static_cast<unsigned char>(c), true) {}

ByteArray::ByteArray(const String& s) : ByteArray(s.getASCIIByteArray()) {}

// Packs the bits directly, eight to a byte; the bytes are those of the
// number the bits spell, so only bytes up to the highest true element are
// kept and no true element at all gives the single byte 00.
ByteArray::ByteArray(const BoolArray& bits) : Array<unsigned char>(nullptr, 0, 0, true) {
    const unsigned int count = bits.length();
    if (count == 0) return;
    const bool* values = bits.getData();
    unsigned int used = count;
    while (used > 0 && !values[used - 1]) --used;
    elementCount = used == 0 ? 1 : (used + 7) / 8;
    reallocate(elementCount);
    unsigned char* packed = getData();
    for (unsigned int i = 0; i < elementCount; ++i) {
        const unsigned int first = 8 * i;
        const unsigned int last = first + 8 < used ? first + 8 : used;
        unsigned int byte = 0;
        for (unsigned int k = first; k < last; ++k) byte |= static_cast<unsigned int>(values[k]) << (k - first);
        packed[i] = static_cast<unsigned char>(byte);
    }
}

ByteArray::ByteArray(const ByteArray& other) = default;

ByteArray::~ByteArray() = default;

ByteArray& ByteArray::operator=(const ByteArray& other) {
    if (this == &other) return *this;
    elementCount = other.elementCount;
    reallocate(elementCount);
    if (elementCount != 0) std::memcpy(getData(), other.getData(), elementCount);
    terminate();
    return *this;
}

void ByteArray::appendBytes(const unsigned char* bytes, unsigned int count) {
    if (count == 0) return;
    // The source may live in our own buffer (a += a), which ensureCapacity
    // can release; remember it as an offset.
    const unsigned char* start = getData();
    const bool own = start != nullptr && bytes >= start && bytes < start + capacity;
    const std::size_t offset = own ? std::size_t(bytes - start) : 0;
    ensureCapacityToFill(elementCount + count);
    if (own) bytes = getData() + offset;
    std::memmove(getData() + elementCount, bytes, count);
    elementCount += count;
    terminate();
}

void ByteArray::appendByte(unsigned char byte) { appendBytes(&byte, 1); }

// The appends of an array and a byte are inline; programs built when they
// were not call these copies.
KORVANE_KEEP_OUT_OF_LINE(ByteArray& (ByteArray::*)(const ByteArray&), &ByteArray::operator+=, keptAppendArray)
KORVANE_KEEP_OUT_OF_LINE(ByteArray& (ByteArray::*)(char), &ByteArray::operator+=, keptAppendByte)

ByteArray& ByteArray::operator+=(const String& s) {
    appendBytes(reinterpret_cast<const unsigned char*>(s.getData()), s.length());
    return *this;
}

ByteArray& ByteArray::operator+=(const char* s) {
    appendBytes(asBytes(s), lengthOf(s));
    return *this;
}

ByteArray ByteArray::joined(const unsigned char* tail, unsigned int tailLength) const {
    ByteArray result;
    result.elementCount = elementCount + tailLength;
    if (result.elementCount < elementCount) internal::throwArrayTooLong();
    result.reallocate(result.elementCount);
    if (elementCount != 0) std::memcpy(result.getData(), getData(), elementCount);
    if (tailLength != 0) std::memcpy(result.getData() + elementCount, tail, tailLength);
    result.terminate();
    return result;
}

ByteArray ByteArray::operator+(const ByteArray& other) const {
    return joined(other.getData(), other.elementCount);
}
ByteArray ByteArray::operator+(const String& s) const {
    return joined(reinterpret_cast<const unsigned char*>(s.getData()), s.length());
}
ByteArray ByteArray::operator+(const char* s) const { return joined(asBytes(s), lengthOf(s)); }
ByteArray ByteArray::operator+(char c) const {
    const unsigned char byte = static_cast<unsigned char>(c);
    return joined(&byte, 1);
}

bool ByteArray::operator==(const ByteArray& other) const {
    if (elementCount == 0 && other.elementCount == 0) return true;
    const bool mine = getData() != nullptr;
    const bool theirs = other.getData() != nullptr;
    if (mine != theirs) return false;
    if (!mine) return true;
    if (elementCount != other.elementCount) return false;
    return std::memcmp(getData(), other.getData(), elementCount) == 0;
}

bool ByteArray::operator==(const char* text) const {
    const unsigned int count = lengthOf(text);
    return elementCount == count && (count == 0 || std::memcmp(getData(), text, count) == 0);
}

bool ByteArray::equals(const ByteArray& other) const { return *this == other; }

bool ByteArray::operator!=(const ByteArray& other) const { return !(*this == other); }

bool ByteArray::operator<(const ByteArray& other) const {
    const unsigned int common = std::min(elementCount, other.elementCount);
    const int order = common == 0 ? 0 : std::memcmp(getData(), other.getData(), common);
    if (order != 0) return order < 0;
    return elementCount < other.elementCount;
}

ByteArray& ByteArray::operator~() {
    // The length is read once: a byte store may alias it.
    unsigned char* data = getData();
    const unsigned int count = elementCount;
    for (unsigned int i = 0; i < count; ++i) data[i] = static_cast<unsigned char>(~data[i]);
    return *this;
}

ByteArray::operator char*() { return reinterpret_cast<char*>(getData()); }

ByteArray::operator const char*() const { return reinterpret_cast<const char*>(getData()); }

int ByteArray::find(const ByteArray& needle) const { return find(needle, 0); }

int ByteArray::find(const ByteArray& needle, unsigned int from) const {
    if (needle.elementCount > elementCount) return -1;
    if (needle.elementCount == 0) return from <= elementCount ? static_cast<int>(from) : -1;
    const unsigned int last = elementCount - needle.elementCount;
    if (from > last) return -1;
    const unsigned char* data = getData();
    const unsigned char* first = needle.getData();
    const unsigned char* end = data + last + 1;
    const unsigned char* at = data + from;
    // memchr finds the candidate starts; memcmp confirms them.
    while (at < end) {
        at = static_cast<const unsigned char*>(std::memchr(at, first[0], std::size_t(end - at)));
        if (at == nullptr) return -1;
        if (std::memcmp(at, first, needle.elementCount) == 0) return static_cast<int>(at - data);
        ++at;
    }
    return -1;
}

ByteArray ByteArray::left(unsigned int n) const {
    return ByteArray(getData(), 0, std::min(n, elementCount));
}

ByteArray ByteArray::right(unsigned int from) const {
    if (from >= elementCount) return emptyArray;
    return ByteArray(getData(), from, elementCount - from);
}

ByteArray ByteArray::subBytes(unsigned int start, unsigned int count) const {
    if (start > elementCount) return emptyArray;
    if (count > elementCount - start) count = elementCount - start;
    if (count == 0) return emptyArray;
    return ByteArray(getData(), start, count);
}

ByteArray ByteArray::subBytes(const ByteArray& open, const ByteArray& close) const {
    const int opened = find(open);
    if (opened < 0) return emptyArray;
    const unsigned int inside = static_cast<unsigned int>(opened) + open.elementCount;
    const int closed = find(close, inside);
    if (closed < 0) return emptyArray;
    return ByteArray(getData(), inside, static_cast<unsigned int>(closed) - inside);
}

unsigned int ByteArray::toInt() const {
    unsigned int value = 0;
    const unsigned char* data = getData();
    for (unsigned int i = 0; i < elementCount; ++i) value |= static_cast<unsigned int>(data[i]) << (8 * (i % 4));
    return value;
}

unsigned long ByteArray::toLong() const { return toInt(); }

std::ostream& operator<<(std::ostream& os, const ByteArray& b) {
    if (b.length() != 0) os.write(reinterpret_cast<const char*>(b.getData()), b.length());
    return os;
}

}  // namespace Korvane
