/// BoolArray: a sequence of bits, the shape of an ASN.1 BIT STRING.
///
/// Each element is one bool (one byte holding 0 or 1); the array is not
/// NUL-terminated and an empty array has no storage. Element 0 is the least
/// significant bit and the last element the most significant: toString
/// prints the last element first, trimMSB works at the end, trimLSB at the
/// start, and packing reads the elements as a base-2 number in that order.
/// @class Korvane::BoolArray
/// @headerfile BoolArray.h "korvane/BoolArray.h"
/// @ingroup text
#pragma once

#include "korvane/Array.h"
#include "korvane/Export.h"

namespace Korvane {

class ByteArray;
class String;

class KORVANE_API BoolArray : public Array<bool> {
public:
    /// The shared empty array, built when the library is loaded.
    static const BoolArray emptyArray;

    // ---- Construction ------------------------------------------------------
    BoolArray();
    /// A copy of the elements of `other`.
    BoolArray(const BoolArray& other);
    /// Takes the elements of `other` over; `other` is left empty.
    BoolArray(BoolArray&& other) noexcept = default;
    /// `count` elements, each `value`.
    BoolArray(unsigned int count, bool value);
    /// The bits of `bytes`, byte by byte: with `lsbFirst` each byte gives its
    /// bit 0 first, otherwise its bit 7 first. The last `insignificantBits`
    /// bits taken (from the final byte) are left out, so with `lsbFirst`
    /// clear this reads BIT STRING content with its unused-bit count. Empty
    /// (no error) for empty `bytes` or more than 7 insignificant bits.
    BoolArray(const ByteArray& bytes, unsigned int insignificantBits, bool lsbFirst);
    /// Each '0' appends false and each '1' true, reading the text from the
    /// start, or from the end when `reversed` is set; every other character is
    /// ignored. BoolArray(a.toString(), true) equals a.
    BoolArray(const String& text, bool reversed);
    virtual ~BoolArray();

    // ---- Assignment and appending ------------------------------------------
    /// Replaces the elements with a copy of those of `other`; returns *this.
    BoolArray& operator=(const BoolArray& other);
    /// Takes the elements of `other` over; `other` is left empty.
    BoolArray& operator=(BoolArray&& other) noexcept = default;
    ///@{
    /// Appends the elements of `other` (a += a doubles a); returns *this.
    BoolArray& operator+=(const BoolArray& other);
    BoolArray& operator+=(bool value);
    ///@}
    ///@{
    /// A new array: these elements followed by those of `other` (or by
    /// `value`).
    BoolArray operator+(const BoolArray& other) const;
    BoolArray operator+(bool value) const;
    ///@}

    // ---- Comparison --------------------------------------------------------
    ///@{
    /// Same length and same elements; two empty arrays are equal.
    bool operator==(const BoolArray& other) const;
    bool equals(const BoolArray& other) const;
    bool operator!=(const BoolArray& other) const;
    ///@}

    // ---- Tests -------------------------------------------------------------
    /// True when no element is true (so also for an empty array).
    bool isClear() const;

    // ---- Conversion --------------------------------------------------------
    /// '1' or '0' per element, the last element first; "" for an empty array.
    String toString() const;
    /// The elements packed as a number, element i at bit i mod 8 of byte
    /// i div 8, without high zero bytes: an array with no true element gives
    /// the single byte 00, an empty array gives an empty ByteArray.
    ByteArray toByteArray() const;

    // ---- Trimming (in place, exact-size storage, return *this) -------------
    /// Drops the false elements after the last true one; an array without a
    /// true element becomes empty.
    BoolArray& trimMSB();
    /// Drops the false elements before the first true one; an array without a
    /// true element becomes empty.
    BoolArray& trimLSB();

private:
    /// Replaces the storage by an exact-size buffer holding `count` elements
    /// of this array from `first` on.
    void keep(unsigned int first, unsigned int count);
};

}  // namespace Korvane
