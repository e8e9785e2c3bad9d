/// IntArray: a sequence of signed 32-bit integers, the shape of an object
/// identifier.
///
/// Not NUL-terminated; an empty array has no storage. The text form is the
/// dotted decimal notation of object identifiers (1.2.840.113549).
/// @class Korvane::IntArray
/// @headerfile IntArray.h "korvane/IntArray.h"
/// @ingroup text
#pragma once

#include "korvane/Array.h"
#include "korvane/Export.h"

namespace Korvane {

class String;

class KORVANE_API IntArray : public Array<int> {
public:
    // ---- Construction ------------------------------------------------------
    IntArray();
    /// `count` integers copied from `values`; empty for null or a count of 0.
    IntArray(const int* values, unsigned int count);
    /// The dotted numbers of `text`, split at '.' (runs of dots count as one
    /// and dots at the ends are ignored). A part that is not a number (as read
    /// by String::toInt) gives 0, with no error: "1.x.3" is 1, 0, 3.
    IntArray(const String& text);
    /// A copy of the elements of `other`.
    IntArray(const IntArray& other);
    /// Takes the elements of `other` over; `other` is left empty.
    IntArray(IntArray&& other) noexcept = default;
    virtual ~IntArray();

    // ---- Assignment and appending ------------------------------------------
    /// Replaces the contents with `count` integers copied from `values`; null
    /// or a count of 0 empties the array.
    void setValue(const int* values, unsigned int count);
    /// Replaces the elements with a copy of those of `other`; returns *this.
    IntArray& operator=(const IntArray& other);
    /// Takes the elements of `other` over; `other` is left empty.
    IntArray& operator=(IntArray&& other) noexcept = default;
    /// Appends one element; returns *this.
    IntArray& operator+=(int value);
    /// This array's elements followed by those of `other`.
    IntArray operator+(const IntArray& other) const;

    // ---- Comparison --------------------------------------------------------
    ///@{
    /// Same length and same elements; two empty arrays are equal.
    bool operator==(const IntArray& other) const;
    bool equals(const IntArray& other) const;
    bool operator!=(const IntArray& other) const;
    ///@}

    // ---- Conversion --------------------------------------------------------
    /// The elements in decimal joined by '.'; an empty array gives "Null".
    String toString() const;
};

}  // namespace Korvane
