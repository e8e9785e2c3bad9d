#include "korvane/System.h"

#include <cstring>

#include "korvane/BoolArray.h"
#include "korvane/QuillonException.h"
#include "time/MonotonicClock.h"
#include "runtime/Sleep.h"

namespace Korvane {

bool System::threadSafeType = false;

namespace {
// The byte order is read off this stored integer, not assumed at compile time.
const int kOne = 1;
}  // namespace

// ---- Clock ------------------------------------------------------------------

// The same clock as the trace timing and the milliseconds of Date's current
// time, so their readings can be compared.
unsigned long System::getCurrentMillis() { return internal::monotonicMillis(); }

void System::sleepMillis(unsigned long ms) { internal::sleepMillis(ms); }

// ---- Processor ----------------------------------------------------------------

bool System::littleEndian() {
    return *reinterpret_cast<const unsigned char*>(&kOne) == 1;
}

// ---- Memory -------------------------------------------------------------------

void* System::memset(void* dest, int value, unsigned int count) {
    return std::memset(dest, value, count);
}

int System::memcmp(const void* a, const void* b, unsigned int count) {
    return std::memcmp(a, b, count);
}

void* System::memcpy(void* dest, const void* src, unsigned int count) {
    return std::memmove(dest, src, count);
}

// ---- Text -----------------------------------------------------------------------

String System::indentString(unsigned int depth) { return String(depth, ' '); }

// ---- ASN.1 helpers ----------------------------------------------------------------

ByteArray System::getDEREncodedLength(unsigned int length) {
    ByteArray octets;
    if (length < 0x80) {
        octets += static_cast<char>(length);
        return octets;
    }
    unsigned int count = 1;
    while (count < 4 && (length >> (8 * count)) != 0) ++count;
    octets += static_cast<char>(0x80 | count);
    for (unsigned int k = count; k > 0; --k) octets += static_cast<char>(length >> (8 * (k - 1)));
    return octets;
}

unsigned int System::calcNumberOfInsignificantBits(const ByteArray& bytes) {
    // The element access throws for an empty array: length() - 1 wraps to
    // the largest index.
    const unsigned int last = bytes[bytes.length() - 1];
    if (last == 0) return 8;
    unsigned int zeros = 0;
    while ((last & (1u << zeros)) == 0) ++zeros;
    return zeros;
}

String System::toBitString(const ByteArray& bytes, unsigned int insignificantBits) {
    if (insignificantBits > 7)
        throw QuillonException(QuillonError::TooManyInsignificantBits, "System::toBitString()", String::emptyString);
    if (bytes.length() == 0) return String("00000000");

    // Reversed bytes read least significant bit first are all the bits in
    // reverse order, and BoolArray prints its last element first: together
    // the bytes in order, each most significant bit first.
    const unsigned int count = bytes.length();
    ByteArray reversed(bytes);
    unsigned char* data = reversed.getData();
    for (unsigned int i = 0; i < count / 2; ++i) {
        const unsigned char swap = data[i];
        data[i] = data[count - 1 - i];
        data[count - 1 - i] = swap;
    }
    const String bits = BoolArray(reversed, 0, true).toString();
    return bits.substring(0, bits.length() - insignificantBits);
}

}  // namespace Korvane
