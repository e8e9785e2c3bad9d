#include "text/Utf8Conversion.h"

#include <cstddef>
#include <cstring>

#include "text/BufferMemory.h"

namespace Korvane {
namespace internal {

namespace {

unsigned int encodedLength(unsigned short unit) {
    if (unit < 0x80) return 1;
    if (unit < 0x800) return 2;
    return 3;
}

// Bytes of the sequence a lead byte opens, or 0 when it cannot open one.
unsigned int sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead < 0xC0) return 0;
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    return 0;
}

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

template <class T>
T* zeroedBuffer(std::size_t count) {
    void* buffer = allocateBuffer(count * sizeof(T));
    std::memset(buffer, 0, count * sizeof(T));
    return static_cast<T*>(buffer);
}

}  // namespace

SmartPointer<unsigned char> encodeUcs2AsUtf8(const unsigned short* text) {
    if (text == nullptr) return SmartPointer<unsigned char>();

    // Units are at most 2^32 / 3 here in practice, but a 64-bit total keeps
    // the length pass honest for any input.
    std::size_t total = 0;
    for (const unsigned short* unit = text; *unit != 0; ++unit) total += encodedLength(*unit);

    unsigned char* out = zeroedBuffer<unsigned char>(total + 1);
    SmartPointer<unsigned char> result(out);
    for (const unsigned short* unit = text; *unit != 0; ++unit) {
        unsigned int value = *unit;
        const unsigned int n = encodedLength(*unit);
        if (n == 1) {
            *out++ = static_cast<unsigned char>(value);
            continue;
        }
        for (unsigned int k = n - 1; k > 0; --k) {
            out[k] = static_cast<unsigned char>(0x80 | (value & 0x3F));
            value >>= 6;
        }
        out[0] = static_cast<unsigned char>((n == 2 ? 0xC0 : 0xE0) | value);
        out += n;
    }
    return result;
}

SmartPointer<unsigned short> decodeUtf8AsUcs2(const unsigned char* text) {
    if (text == nullptr) return SmartPointer<unsigned short>();

    // Check pass: every sequence must be complete and well formed before any
    // unit is written, so a bad byte anywhere discards the whole text.
    std::size_t count = 0;
    for (const unsigned char* p = text; *p != 0; ++count) {
        const unsigned int n = sequenceLength(*p);
        if (n == 0) return SmartPointer<unsigned short>();
        // The terminating zero is not a continuation byte, so a sequence cut
        // short by the end fails here without reading past the text.
        for (unsigned int k = 1; k < n; ++k)
            if (!isContinuation(p[k])) return SmartPointer<unsigned short>();
        p += n;
    }

    unsigned short* units = zeroedBuffer<unsigned short>(count + 1);
    SmartPointer<unsigned short> result(units);
    for (const unsigned char* p = text; *p != 0; ++units) {
        const unsigned int n = sequenceLength(*p);
        if (n == 1) {
            *units = static_cast<unsigned short>(*p & 0x7F);
            ++p;
            continue;
        }
        unsigned int value = *p & (n == 2 ? 0x1F : 0x0F);
        for (unsigned int k = 1; k < n; ++k) value = (value << 6) | (p[k] & 0x3F);
        if (encodedLength(static_cast<unsigned short>(value)) != n) {
            // Overlong: the units decoded so far go with the rest.
            secureWipe(result.get(), (count + 1) * sizeof(unsigned short));
            return SmartPointer<unsigned short>();
        }
        *units = static_cast<unsigned short>(value);
        p += n;
    }
    return result;
}

}  // namespace internal
}  // namespace Korvane
