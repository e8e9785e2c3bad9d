#include "korvane/UTF8String.h"

#include <cstring>
#include <ostream>

#include "text/BufferMemory.h"
#include "korvane/String.h"
#include "text/Utf8Conversion.h"

namespace Korvane {

namespace {
unsigned int lengthOf(const unsigned char* s) {
    return s == nullptr ? 0u : static_cast<unsigned int>(std::strlen(reinterpret_cast<const char*>(s)));
}
}  // namespace

// ---- Construction -----------------------------------------------------------

UTF8String::UTF8String() : Array<unsigned char>(nullptr, 0, 0, true) {}

UTF8String::UTF8String(const unsigned char* s) : Array<unsigned char>(s, 0, lengthOf(s), true) {}

UTF8String::UTF8String(const UTF8String& other) = default;

UTF8String::UTF8String(const String& s) : Array<unsigned char>(nullptr, 0, 0, true) {
    fromString(s);
}

UTF8String::~UTF8String() = default;

// ---- Conversion ---------------------------------------------------------------

void UTF8String::fromString(const String& s) {
    const unsigned int characters = s.length();
    const std::size_t unitBytes = (std::size_t(characters) + 1) * sizeof(unsigned short);
    SmartPointer<unsigned short> units(
        static_cast<unsigned short*>(internal::allocateBuffer(unitBytes)));
    const unsigned char* text = reinterpret_cast<const unsigned char*>(s.getData());
    for (unsigned int i = 0; i < characters; ++i) units.get()[i] = text[i];
    units.get()[characters] = 0;

    SmartPointer<unsigned char> encoded = UCS2toUTF8(units.get());
    const unsigned int count = lengthOf(encoded.get());
    assignBytes(encoded.get(), count);

    // The work buffers held the same text as this object; they are wiped
    // like the array's own buffer would be, since the text may be a secret.
    internal::secureWipe(units.get(), unitBytes);
    internal::secureWipe(encoded.get(), std::size_t(count) + 1);
}

String UTF8String::toString(unsigned short replacement) const {
    String result;
    SmartPointer<unsigned short> units = UTF8toUCS2(getData());
    if (units.get() == nullptr) return result;
    const unsigned short* unit = units.get();
    for (; *unit != 0; ++unit) {
        if (*unit <= 0xFF) {
            result += static_cast<char>(*unit);
        } else if (replacement != 0 && replacement <= 0xFF) {
            result += static_cast<char>(replacement);
        }
    }
    internal::secureWipe(units.get(), std::size_t(unit - units.get()) * sizeof(unsigned short));
    return result;
}

SmartPointer<unsigned char> UTF8String::UCS2toUTF8(const unsigned short* text) const {
    return internal::encodeUcs2AsUtf8(text);
}

SmartPointer<unsigned short> UTF8String::UTF8toUCS2(const unsigned char* text) const {
    return internal::decodeUtf8AsUcs2(text);
}

// ---- Building and assignment ----------------------------------------------------

void UTF8String::assignBytes(const unsigned char* bytes, unsigned int count) {
    ensureCapacity(count);
    if (count != 0) std::memmove(getData(), bytes, count);
    // The buffer is kept, so a shorter text would leave the tail of the old
    // one behind its terminator until the array is destroyed.
    if (elementCount > count) internal::secureWipe(getData() + count, elementCount - count);
    elementCount = count;
    terminate();
}

UTF8String& UTF8String::operator+=(unsigned char b) {
    ensureCapacity(elementCount + 1);
    getData()[elementCount++] = b;
    terminate();
    return *this;
}

UTF8String& UTF8String::operator=(const UTF8String& o) {
    if (this != &o) assignBytes(o.getData(), o.elementCount);
    return *this;
}

// ---- Comparison -------------------------------------------------------------------

bool UTF8String::operator==(const UTF8String& o) const {
    if (elementCount == 0 && o.elementCount == 0) return true;
    return elementCount == o.elementCount && std::memcmp(getData(), o.getData(), elementCount) == 0;
}

std::ostream& operator<<(std::ostream& os, const UTF8String& u) {
    if (u.length() != 0) os.write(reinterpret_cast<const char*>(u.getData()), u.length());
    return os;
}

}  // namespace Korvane
