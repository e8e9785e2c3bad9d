#include "korvane/String.h"

#include <cctype>
#include <charconv>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <ostream>

#include "korvane/ByteArray.h"
#include "korvane/QuillonException.h"
#include "text/LoadOrder.h"
#include "text/BufferMemory.h"
#include "text/FormatBuffer.h"
#include "text/IntegerText.h"
#include "text/KeepOutOfLine.h"

namespace Korvane {

namespace {

const char* const kConstructorLocation = "String::String(const _TCHAR *s)";

unsigned int clampedLength(const char* s, unsigned int n) {
    return static_cast<unsigned int>(strnlen(s, n));
}

bool inSet(char c, const String& set) { return std::strchr(set.getData(), c) != nullptr; }

// Decimal text of a number, as printf's %d and %u write it; the widest value
// has 20 digits and a sign.
template <class Number>
String decimalText(Number value) {
    char digits[32];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return String(digits, static_cast<unsigned int>(end - digits));
}

}  // namespace

// ---- Construction -----------------------------------------------------------

const String String::emptyString KORVANE_LOAD_STEP(LoadStringEmpty);

String::String() : Array<char>(nullptr, 0, 0, true) {}

// The lengths are worked out (and a null text rejected) before the base
// class copies anything, so each constructor allocates exactly once.
namespace {
unsigned int checkedLength(const char* s) {
    if (s == nullptr) throw QuillonException(QuillonError::ParameterIsNull, kConstructorLocation, String::emptyString);
    return static_cast<unsigned int>(std::strlen(s));
}

unsigned int checkedPrefixLength(const char* s, unsigned int n) {
    if (s == nullptr) throw QuillonException(QuillonError::ParameterIsNull, kConstructorLocation, String::emptyString);
    return clampedLength(s, n);
}

unsigned int clampedStart(const char* s, unsigned int start) {
    const unsigned int total = checkedLength(s);
    return start > total ? total : start;
}
}  // namespace

String::String(const char* s) : Array<char>(s, 0, checkedLength(s), true) {}

String::String(const char* s, unsigned int n) : Array<char>(s, 0, checkedPrefixLength(s, n), true) {}

String::String(const char* s, unsigned int start, unsigned int n)
    : Array<char>(s, clampedStart(s, start),
                  clampedLength(s + clampedStart(s, start), n), true) {}

String::String(unsigned int n, char c) : Array<char>(n, c, true) {}

String::String(char c) : Array<char>(1u, c, true) {}

String::String(const String& other) = default;

String::String(const ByteArray& b) : Array<char>(nullptr, 0, 0, true) {
    *this = fromASCIIByteArray(b);
}

namespace {
// A view's length as an element count; the terminator needs one slot more.
unsigned int viewLength(std::string_view text) {
    if (text.size() >= UINT32_MAX) internal::throwArrayTooLong();
    return static_cast<unsigned int>(text.size());
}
}  // namespace

String::String(std::string_view text)
    : Array<char>(text.data() != nullptr ? text.data() : "", 0, viewLength(text), true) {}

String::String(const String& a, const String& b) : Array<char>(nullptr, 0, 0, true) {
    elementCount = a.elementCount + b.elementCount;
    reallocate(elementCount);
    if (a.elementCount != 0) std::memcpy(getData(), a.getData(), a.elementCount);
    if (b.elementCount != 0) std::memcpy(getData() + a.elementCount, b.getData(), b.elementCount);
    terminate();
}

String::~String() = default;

// ---- Internal helpers --------------------------------------------------------

bool String::inOwnBuffer(const char* p) const {
    const char* start = getData();
    return start != nullptr && p >= start && p < start + capacity;
}

void String::assignCharacters(const char* source, unsigned int count) {
    ensureCapacity(count);
    std::memmove(getData(), source, count);
    elementCount = count;
    terminate();
}

void String::appendCharacters(const char* source, unsigned int count) {
    if (count == 0) return;
    // Growing may release the buffer `source` points into (s += s).
    const bool own = inOwnBuffer(source);
    const std::size_t offset = own ? std::size_t(source - getData()) : 0;
    ensureCapacityToFill(elementCount + count);
    if (own) source = getData() + offset;
    std::memmove(getData() + elementCount, source, count);
    elementCount += count;
    terminate();
}

void String::appendCharacter(char c) { appendCharacters(&c, 1); }

void String::replaceWithExactCopy(const char* source, unsigned int count) {
    // The kept characters usually live in the buffer being replaced.
    String kept(count, '\0');
    if (count != 0) std::memcpy(kept.getData(), source, count);
    elementCount = count;
    reallocate(count);
    if (count != 0) std::memcpy(getData(), kept.getData(), count);
    terminate();
}

// ---- Assignment and appending ------------------------------------------------

String& String::operator=(const String& other) {
    if (this != &other) assignCharacters(other.getData(), other.elementCount);
    return *this;
}

String& String::operator=(const ByteArray& b) { return *this = fromASCIIByteArray(b); }

String& String::operator=(const char* s) {
    if (s == getData()) return *this;
    if (s == nullptr) {
        elementCount = 0;
        reallocate(0);
        return *this;
    }
    const unsigned int count = static_cast<unsigned int>(std::strlen(s));
    if (inOwnBuffer(s)) {
        // A tail of our own text: it fits, and memmove handles the overlap.
        std::memmove(getData(), s, count);
        elementCount = count;
        terminate();
        return *this;
    }
    assignCharacters(s, count);
    return *this;
}

String& String::operator=(char c) {
    assignCharacters(&c, 1);
    return *this;
}

String& String::operator+=(const char* s) {
    if (s != nullptr) appendCharacters(s, static_cast<unsigned int>(std::strlen(s)));
    return *this;
}


String& String::operator+=(const ByteArray& b) { return *this += fromASCIIByteArray(b); }

// The appends of a String and a character are inline; programs built when
// they were not call these copies.
KORVANE_KEEP_OUT_OF_LINE(String& (String::*)(const String&), &String::operator+=, keptAppendString)
KORVANE_KEEP_OUT_OF_LINE(String& (String::*)(char), &String::operator+=, keptAppendCharacter)

String& String::operator+=(int value) { return *this += decimalText(value); }
String& String::operator+=(unsigned int value) { return *this += decimalText(value); }
String& String::operator+=(long value) { return *this += decimalText(value); }
String& String::operator+=(unsigned long value) { return *this += decimalText(value); }

// ---- Concatenation -------------------------------------------------------------

String String::operator+(const String& other) const { return String(*this, other); }

String String::operator+(char c) const {
    String result(getData());
    result += c;
    return result;
}

String String::operator+(int value) const { return String(*this, decimalText(value)); }
String String::operator+(unsigned int value) const { return String(*this, decimalText(value)); }
String String::operator+(long value) const { return String(*this, decimalText(value)); }
String String::operator+(unsigned long value) const {
    return String(*this, decimalText(value));
}

// ---- Comparison ------------------------------------------------------------------

namespace {
const char* requireOperand(const char* s, const char* location) {
    if (s == nullptr) throw QuillonException(QuillonError::ParameterIsNull, location, String());
    return s;
}
}  // namespace

bool String::operator==(const String& other) const { return std::strcmp(text(), other.text()) == 0; }

bool String::operator==(const char* other) const {
    return std::strcmp(text(), requireOperand(other, "String::operator==(const char* s) const")) == 0;
}

bool String::equals(const String& other) const { return *this == other; }
bool String::operator!=(const String& other) const { return !(*this == other); }

bool String::operator!=(const char* other) const {
    return std::strcmp(text(), requireOperand(other, "String::operator!=(const char* s) const")) != 0;
}

bool String::operator<(const String& other) const { return std::strcmp(text(), other.text()) < 0; }
bool String::operator<=(const String& other) const { return std::strcmp(text(), other.text()) < 1; }
bool String::operator>(const String& other) const { return std::strcmp(text(), other.text()) > 0; }
bool String::operator>=(const String& other) const { return std::strcmp(text(), other.text()) >= 0; }

// ---- Searching -------------------------------------------------------------------

const char* String::find(const String& needle) const { return std::strstr(text(), needle.text()); }

const char* String::find(const String& needle, unsigned int from) const {
    if (from > elementCount) from = elementCount;
    return std::strstr(text() + from, needle.text());
}

const char* String::findi(String needle, int from) const {
    if (needle.elementCount == 0 || needle.text()[0] == '\0') return text();
    if (from < 0) from = 0;
    if (static_cast<unsigned int>(from) > elementCount) from = static_cast<int>(elementCount);
    String haystack(text() + from);
    haystack.toLower();
    needle.toLower();
    const int index = haystack.findIndex(needle);
    if (index < 0) return nullptr;
    return text() + from + index;
}

int String::findIndex(const String& needle) const {
    const char* found = find(needle);
    return found == nullptr ? -1 : static_cast<int>(found - text());
}

// ---- Pieces --------------------------------------------------------------------------

String String::substring(unsigned int start, unsigned int count) const {
    if (start > elementCount) start = elementCount;
    if (count > elementCount - start) count = elementCount - start;
    return String(text() + start, count);
}

String String::substring(const String& open, const String& close) const {
    const char* opened = find(open);
    if (opened == nullptr) return String();
    const char* inside = opened + std::strlen(open.text());
    const char* closed = std::strstr(inside, close.text());
    if (closed == nullptr) return String();
    return String(inside, static_cast<unsigned int>(closed - inside));
}

String String::left(const char* p) const {
    if (p == nullptr || p < text()) return String();
    const std::size_t offset = std::size_t(p - text());
    // Unlike right(), left() copies characters, not text: an embedded NUL
    // before `p` stays in the result.
    const unsigned int count = offset < elementCount ? static_cast<unsigned int>(offset) : elementCount;
    String result(count, '\0');
    if (count != 0) std::memcpy(result.getData(), text(), count);
    return result;
}

String String::right(const char* p) const {
    if (p == nullptr || p < text()) return String();
    const std::size_t offset = std::size_t(p - text());
    return String(text() + (offset < elementCount ? offset : elementCount));
}

// ---- Conversion and case -------------------------------------------------------------

int String::toInt() const { return internal::readInteger(text()); }

int internal::readInteger(const char* digits) {
    while (*digits == '0') ++digits;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(digits, &end, 0);
    if (*end != '\0') return 0;
    // long is wider than int here; saturate as a 32-bit strtol would.
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

// The loops below copy the length first (a char store may alias the member,
// which would then be read again on every step) and store every character,
// changed or not, so that they can be vectorized.
const String& String::toLower() {
    char* data = getData();
    const unsigned int count = elementCount;
    for (unsigned int i = 0; i < count; ++i) {
        const char c = data[i];
        data[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return *this;
}

const String& String::toUpper() {
    char* data = getData();
    const unsigned int count = elementCount;
    for (unsigned int i = 0; i < count; ++i) {
        const char c = data[i];
        data[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return *this;
}

String String::toLower() const {
    String copy(*this);
    copy.toLower();
    return copy;
}

String String::toUpper() const {
    String copy(*this);
    copy.toUpper();
    return copy;
}

// ---- Trimming and removal ----------------------------------------------------------------

const String& String::removeLeadingWhites() { return removeLeading(String(" \t\f\v\r\n")); }

const String& String::removeTrailingReturns() { return removeTrailing(String("\r\n")); }

const String& String::removeLeading(const String& set) {
    if (elementCount == 0 || set.elementCount == 0) return *this;
    unsigned int removed = 0;
    while (removed < elementCount && inSet(text()[removed], set)) ++removed;
    replaceWithExactCopy(text() + removed, elementCount - removed);
    return *this;
}

const String& String::removeTrailing(const String& set) {
    if (elementCount == 0 || set.elementCount == 0) return *this;
    unsigned int kept = elementCount;
    while (kept > 0 && inSet(text()[kept - 1], set)) --kept;
    if (kept > 0) {
        elementCount = kept;
        terminate();
    } else {
        elementCount = 0;
        reallocate(0);
    }
    return *this;
}

const String& String::remove(const String& set) {
    if (elementCount == 0 || set.elementCount == 0) return *this;
    String kept(elementCount, '\0');
    unsigned int count = 0;
    for (unsigned int i = 0; i < elementCount; ++i) {
        if (!inSet(text()[i], set)) kept.getData()[count++] = text()[i];
    }
    replaceWithExactCopy(kept.getData(), count);
    return *this;
}

// ---- Tests ----------------------------------------------------------------------------------

bool String::isEmpty() const { return getData() == nullptr || getData()[0] == '\0'; }

bool String::is7BitASCIIString() const {
    const char* characters = text();
    unsigned char high = 0;
    for (unsigned int i = 0, count = elementCount; i < count; ++i) high |= static_cast<unsigned char>(characters[i]);
    return high < 128;
}

bool String::isASCIIString() const { return true; }

// ---- Formatting -----------------------------------------------------------------------------

String String::formatString(const char* format, ...) {
    static const char* const kLocation = "String::formatString(const char* format, ...)";
    if (format == nullptr) throw QuillonException(QuillonError::ParameterIsNull, kLocation, String());
    // Start at 256 characters. When the text does not fit, the runtime either
    // tells the length it needs, and the next buffer has exactly that room,
    // or does not, and the room doubles. An encoding error, which no larger
    // buffer cures, is reported instead of retried forever where the runtime
    // tells it apart.
    std::size_t capacityChars = 256;
    for (;;) {
        String buffer(static_cast<unsigned int>(capacityChars), '\0');
        va_list arguments;
        va_start(arguments, format);
        std::size_t needed = 0;
        const int written =
            internal::formatIntoBuffer(buffer.getData(), capacityChars, format, arguments, needed);
        va_end(arguments);
        if (written == internal::kFormatFailed)
            throw QuillonException(QuillonError::DataFormatInvalid, kLocation, String("the arguments could not be formatted"));
        if (written >= 0) return String(buffer.getData(), static_cast<unsigned int>(written));
        if (needed >= UINT_MAX / 2 || capacityChars >= UINT_MAX / 2) internal::throwArrayTooLong();
        capacityChars = needed != 0 ? needed + 1 : 2 * capacityChars;
    }
}

// ---- ASCII conversion ----------------------------------------------------------------------

String String::fromASCIIByteArray(const ByteArray& bytes) {
    if (bytes.getData() == nullptr || bytes.length() == 0) return String();
    // The text ends at the first zero byte, as a C string would.
    const char* characters = reinterpret_cast<const char*>(bytes.getData());
    try {
        return String(characters, clampedLength(characters, bytes.length()));
    } catch (const std::bad_alloc&) {
        throw QuillonException(QuillonError::OutOfMemory, "String::fromASCII(const ByteArray& baAscii)", String());
    }
}

ByteArray String::toASCIIByteArray() const { return ByteArray(getData(), elementCount); }

// ---- Stream output ---------------------------------------------------------------------------

std::ostream& operator<<(std::ostream& os, const String& s) {
    if (s.length() != 0) os.write(s.getData(), s.length());
    return os;
}

String operator+(const char* left, const String& right) {
    String result(left);
    result += right;
    return result;
}

}  // namespace Korvane
