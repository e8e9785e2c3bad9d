/// System: small static helpers of the runtime.
///
/// The millisecond clock and sleeping, the byte order of the processor, thin
/// wrappers over the C library's memory routines, indentation for nested
/// output, the DER length octets of ASN.1 and the bit-string view of bytes.
/// System holds no state: copying or assigning a System object does nothing.
/// @class Korvane::System
/// @headerfile System.h "korvane/System.h"
/// @ingroup runtime
#pragma once

#include "korvane/ByteArray.h"
#include "korvane/Export.h"
#include "korvane/String.h"

namespace Korvane {

class KORVANE_API System {
public:
    /// A process-wide flag for callers, false at load. The library itself
    /// never reads or writes it, and nothing guards it.
    static bool threadSafeType;

    // ---- Clock -------------------------------------------------------------
    /// Milliseconds since system start as a 32-bit count: it wraps to 0 after
    /// about 49.7 days, so take differences modulo 2^32.
    static unsigned long getCurrentMillis();
    /// Blocks the calling thread for at least `ms` milliseconds.
    static void sleepMillis(unsigned long ms);

    // ---- Processor ---------------------------------------------------------
    /// True on a little-endian processor (the first byte of the int 1 is 1).
    static bool littleEndian();

    // ---- Memory (no checks: the caller guarantees valid ranges) -------------
    /// C memset; returns `dest`.
    static void* memset(void* dest, int value, unsigned int count);
    /// C memcmp: negative, zero or positive.
    static int memcmp(const void* a, const void* b, unsigned int count);
    /// Copies like C memmove, so overlapping ranges come out right; returns
    /// `dest`.
    static void* memcpy(void* dest, const void* src, unsigned int count);

    // ---- Text --------------------------------------------------------------
    /// `depth` spaces; 0 gives the empty string.
    static String indentString(unsigned int depth);

    // ---- ASN.1 helpers -----------------------------------------------------
    /// The DER definite-length octets of `length`: one byte below 128,
    /// otherwise 0x80 + n followed by the n (1 to 4) big-endian bytes of
    /// `length` without leading zeros. 300 gives 82 01 2C.
    static ByteArray getDEREncodedLength(unsigned int length);

    /// The number of zero bits below the lowest set bit of the last byte
    /// (0 to 7): the unused-bit count of a BIT STRING ending in that byte.
    /// A last byte of 0 gives 8, a count that every bit-string consumer here
    /// rejects (toBitString throws error 23 for it, BoolArray yields empty).
    /// An empty array throws IndexOutOfRange
    /// ("T Array::operator[](unsigned int) const - Index greater than Array length.").
    static unsigned int calcNumberOfInsignificantBits(const ByteArray& bytes);

    /// The bits of `bytes` as '0' and '1' characters, the bytes in order and
    /// each most significant bit first. A non-zero `insignificantBits` drops
    /// that many bits from the end of the text, the lowest bits of the last
    /// byte, as the unused bits of a BIT STRING: A0 with 5 gives "101".
    /// An empty array gives "00000000". More than 7 insignificant bits throw
    /// QuillonException 23 at "System::toBitString()".
    static String toBitString(const ByteArray& bytes, unsigned int insignificantBits);
};

}  // namespace Korvane
