/// ByteArray: the library's binary value.
///
/// A counted run of bytes over Array<unsigned char>, kept NUL-terminated like
/// String so its buffer can be handed to C routines. Copies never share
/// storage; buffers are wiped by their sole holder on destruction and on exact
/// reallocation. Conversions from the other value types (BigNumber, BoolArray)
/// are declared with those conversions.
/// @class Korvane::ByteArray
/// @headerfile ByteArray.h "korvane/ByteArray.h"
/// @ingroup text
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string_view>

#include "korvane/Array.h"
#include "korvane/Export.h"

namespace Korvane {

class BigNumber;
class BoolArray;
class String;

class KORVANE_API ByteArray : public Array<unsigned char> {
public:
    /// The shared empty array, built when the library is loaded.
    static const ByteArray emptyArray;

    // ---- Construction ------------------------------------------------------
    ByteArray();
    ///@{
    /// The strlen(s) bytes of `s`; empty for a null `s`.
    ByteArray(const char* s);
    ByteArray(const unsigned char* s);
    ///@}
    ///@{
    /// The `n` bytes at `p`; empty for a null `p`.
    ByteArray(const char* p, unsigned int n);
    ByteArray(const unsigned char* p, unsigned int n);
    ///@}
    ///@{
    /// The `n` bytes at `p + offset`; empty for a null `p`.
    ByteArray(const char* p, unsigned int offset, unsigned int n);
    ByteArray(const unsigned char* p, unsigned int offset, unsigned int n);
    ///@}
    /// Empty (length 0) with room reserved for `n` bytes (capacity n + 1).
    explicit ByteArray(unsigned int n);
    /// The same for an int, so that ByteArray(5) and ByteArray(0) reserve; a
    /// negative `n` throws std::length_error.
    explicit ByteArray(int n);
    /// `n` bytes of value `c`.
    ByteArray(unsigned int n, char c);
    /// The single byte `c`.
    ByteArray(char c);
    /// The s.length() bytes of `s`, embedded NULs included. Converts through
    /// the deprecated String::getASCIIByteArray, so the first such
    /// construction in the process writes that member's notice to the log.
    ByteArray(const String& s);
    /// An exact-size copy of the bytes of `other`.
    ByteArray(const ByteArray& other);
    /// Takes the bytes of `other` over without copying; `other` is left empty.
    ByteArray(ByteArray&& other) noexcept = default;
    /// The digits of `number`, least significant first, exactly as
    /// number.toByteArray(false); the sign is dropped.
    ByteArray(const BigNumber& number);
    /// The bits packed into bytes: element i is bit i mod 8 of byte i div 8,
    /// high zero bytes are left out, an array without a true element gives
    /// the single byte 00 and an empty array an empty ByteArray.
    ByteArray(const BoolArray& bits);
    virtual ~ByteArray();

    // ---- Assignment and appending ------------------------------------------
    /// Exact-size copy; the old buffer is wiped.
    ByteArray& operator=(const ByteArray& other);
    /// Wipes this array's buffer and takes the bytes of `other` over; `other`
    /// is left empty.
    ByteArray& operator=(ByteArray&& other) noexcept = default;
    /// The digits of `number` as the constructor above gives them.
    ByteArray& operator=(const BigNumber& number);
    /// Appends; a += a doubles a.
    KORVANE_INLINE_API ByteArray& operator+=(const ByteArray& other) {
        // Inline while the buffer has room; growing is the library's. The
        // fields are read once: a byte store may alias any of them.
        const unsigned int used = elementCount;
        const unsigned int count = other.elementCount;
        if (std::uint64_t(used) + count < capacity) {
            unsigned char* data = getData();
            std::memmove(data + used, other.getData(), count);
            data[used + count] = 0;
            elementCount = used + count;
            return *this;
        }
        appendBytes(other.getData(), count);
        return *this;
    }
    /// Appends all s.length() bytes of `s` as they are.
    ByteArray& operator+=(const String& s);
    /// Appends strlen(s) bytes; nothing for a null `s`.
    ByteArray& operator+=(const char* s);
    /// Appends the byte `c`.
    KORVANE_INLINE_API ByteArray& operator+=(char c) {
        const unsigned int used = elementCount;
        if (std::uint64_t(used) + 2 <= capacity) {
            unsigned char* data = getData();
            data[used] = static_cast<unsigned char>(c);
            data[used + 1] = 0;
            elementCount = used + 1;
            return *this;
        }
        appendByte(static_cast<unsigned char>(c));
        return *this;
    }

    ///@{
    /// A new array: these bytes followed by the right operand, appended as
    /// operator+= appends it.
    ByteArray operator+(const ByteArray& other) const;
    ByteArray operator+(const String& s) const;
    ByteArray operator+(const char* s) const;
    ByteArray operator+(char c) const;
    ///@}

    // ---- Comparison --------------------------------------------------------
    ///@{
    /// Byte equality: two empty arrays are equal, otherwise lengths and bytes.
    bool operator==(const ByteArray& other) const;
    bool equals(const ByteArray& other) const;
    bool operator!=(const ByteArray& other) const;
    ///@}
    ///@{
    /// Byte equality with the strlen(text) bytes of `text` (none for null),
    /// as with ByteArray(text): b == "x" compares text, not pointers.
    bool operator==(const char* text) const;
    bool operator!=(const char* text) const { return !(*this == text); }
    friend bool operator==(const char* text, const ByteArray& b) { return b == text; }
    friend bool operator!=(const char* text, const ByteArray& b) { return !(b == text); }
    ///@}
    /// Lexicographic on unsigned bytes; a proper prefix is less.
    bool operator<(const ByteArray& other) const;

    /// Complements every byte in place.
    ByteArray& operator~();

    ///@{
    /// The buffer (the bytes followed by the terminator).
    operator char*();
    operator const char*() const;
    ///@}
    /// All length() bytes, read-only and without a copy (as chars, zero bytes
    /// included); valid until the array next changes.
    std::string_view view() const noexcept {
        return std::string_view(reinterpret_cast<const char*>(getData()), elementCount);
    }

    // ---- Search and slicing ------------------------------------------------
    ///@{
    /// Position of the first occurrence of `needle` (at or after `from`), or
    /// -1. An empty needle is found at 0 (at `from` when from <= length()).
    int find(const ByteArray& needle) const;
    int find(const ByteArray& needle, unsigned int from) const;
    ///@}
    /// The first `n` bytes; an `n` beyond the length gives the whole array.
    ByteArray left(unsigned int n) const;
    /// The bytes from index `from` to the end; emptyArray when from >= length().
    ByteArray right(unsigned int from) const;
    /// Bytes start .. start+count-1, count cut at the end; emptyArray when
    /// `start` is past the end or nothing remains.
    ByteArray subBytes(unsigned int start, unsigned int count) const;
    /// The bytes strictly between the first `open` and the first `close`
    /// behind it; emptyArray when either is missing.
    ByteArray subBytes(const ByteArray& open, const ByteArray& close) const;

    // ---- Integer conversion ------------------------------------------------
    /// Byte i is OR-ed in at bit 8 * (i mod 4): the little-endian value of the
    /// first four bytes, with later bytes OR-ed onto the same positions again.
    unsigned int toInt() const;
    /// The same 32-bit value as toInt().
    unsigned long toLong() const;

    // ---- Number text -------------------------------------------------------
    /// The bytes read as a non-negative number (first byte least significant,
    /// or most significant when `reverse` is set) in `base` as
    /// BigNumber::toBase prints it ("0" for zero bytes, base 16 outside
    /// 2..36); an empty array gives "". Bytes 01 02 in base 16: "201", with
    /// `reverse` "102".
    String toPrintableString(unsigned int base, bool reverse) const;
    /// The bytes of the number `hex` spells, as BigNumber::fromBase reads it
    /// in base 16 (sign dropped, other characters skipped), least significant
    /// first, or most significant first when `reverse` is set. Leading zero
    /// bytes are not kept: "000102" gives 02 01; zero gives one byte 00.
    static ByteArray fromHexString(const String& hex, bool reverse);

private:
    void appendBytes(const unsigned char* bytes, unsigned int count);
    /// operator+=(char) when the buffer must grow.
    void appendByte(unsigned char byte);
    /// A new array of exactly this array's bytes followed by `tail`.
    ByteArray joined(const unsigned char* tail, unsigned int tailLength) const;
};

/// Writes all bytes unformatted (os.write).
KORVANE_API std::ostream& operator<<(std::ostream& os, const ByteArray& b);

}  // namespace Korvane

namespace std {
/// Hashes all bytes: equal arrays (same length, same bytes) hash alike.
template <>
struct hash<Korvane::ByteArray> {
    /// The hash of `ByteArray` described above.
    std::size_t operator()(const Korvane::ByteArray& b) const noexcept {
        return std::hash<std::string_view>()(b.view());
    }
};
}  // namespace std
