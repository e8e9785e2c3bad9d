/// UTF8String: text held as UTF-8 bytes.
///
/// The bytes are stored and compared as they are; only fromString and
/// toString encode and decode, between UTF-8 and the 8-bit String, whose
/// characters are the code points U+0000..U+00FF (ISO 8859-1). Conversion goes
/// through 16-bit units, so characters U+0000..U+FFFF (one to three bytes) are
/// understood. Like ByteArray the array is NUL-terminated: getData()[length()]
/// is 0 after every operation, and the sole holder wipes the buffer.
/// @class Korvane::UTF8String
/// @headerfile UTF8String.h "korvane/UTF8String.h"
/// @ingroup text
#pragma once

#include <iosfwd>

#include "korvane/Array.h"
#include "korvane/Export.h"
#include "korvane/SmartPointer.h"

namespace Korvane {

class String;

class KORVANE_API UTF8String : public Array<unsigned char> {
public:
    // ---- Construction ------------------------------------------------------
    UTF8String();
    /// The bytes of `s` up to its first zero byte, unchecked; empty for null.
    UTF8String(const unsigned char* s);
    /// A copy of the bytes of `other`.
    UTF8String(const UTF8String& other);
    /// Takes the bytes of `other` over; `other` is left empty.
    UTF8String(UTF8String&& other) noexcept = default;
    /// The UTF-8 encoding of `s` (see fromString).
    UTF8String(const String& s);
    virtual ~UTF8String();

    // ---- Conversion --------------------------------------------------------
    /// Replaces the content with the UTF-8 encoding of `s`, each character
    /// taken as the code point of its byte value. Only the characters before
    /// the first NUL of `s` are encoded.
    void fromString(const String& s);

    /// Decodes the content (up to its first zero byte) into a String; each
    /// character U+0000..U+00FF becomes the byte of that value.
    /// A character above U+00FF is replaced by the single character
    /// `replacement` when that is 1..255 (so toString('?') marks them with
    /// '?'); a replacement of 0 or above 255 drops such characters, because
    /// neither is a character a String can carry usefully.
    /// Content that is not valid UTF-8 (see the decoder rules in the source)
    /// gives the empty String: nothing partial is returned.
    String toString(unsigned short replacement) const;

    // ---- Building and assignment -------------------------------------------
    /// Appends the byte `b` unchanged; returns *this.
    UTF8String& operator+=(unsigned char b);
    /// Copies the bytes of `o` into this array's buffer (grown when too small).
    UTF8String& operator=(const UTF8String& o);
    /// Reuses this array's buffer when it has room, as the copy does;
    /// otherwise takes the buffer of `o` over. `o` is left empty.
    UTF8String& operator=(UTF8String&& o) noexcept {
        moveAssignKeepingRoom(o);
        return *this;
    }

    // ---- Comparison --------------------------------------------------------
    /// Byte equality: both empty, or the same length and the same bytes.
    bool operator==(const UTF8String& o) const;

private:
    /// UTF-8 form of the zero-terminated units of `text`; null for null.
    SmartPointer<unsigned char> UCS2toUTF8(const unsigned short* text) const;
    /// Units of the UTF-8 bytes of `text`; null for null or invalid input.
    SmartPointer<unsigned short> UTF8toUCS2(const unsigned char* text) const;

    void assignBytes(const unsigned char* bytes, unsigned int count);
};

/// Writes the length() raw bytes of `u`, unconverted.
KORVANE_API std::ostream& operator<<(std::ostream& os, const UTF8String& u);

}  // namespace Korvane
