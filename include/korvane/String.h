/// String: the library's 8-bit text value.
///
/// A counted run of chars over Array<char> that always keeps a NUL behind its
/// last character, so its text can be handed to C string routines. Text may
/// hold embedded NULs; the members that work through C string routines
/// (comparison, search, substring, toInt, the removal sets...) see the text
/// only up to the first NUL, and each member below says which kind it is.
/// Copies never share storage. Conversions are byte for byte: no code page.
/// @class Korvane::String
/// @headerfile String.h "korvane/String.h"
/// @ingroup text
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iosfwd>
#include <string_view>
#include <type_traits>
#include <utility>

#include "korvane/Array.h"
#include "korvane/Export.h"

namespace Korvane {

class ByteArray;

class KORVANE_API String : public Array<char> {
    /// The number types whose decimal text String appends and assigns.
    template <class Number>
    static constexpr bool isDecimalNumber =
        std::is_same<Number, int>::value || std::is_same<Number, unsigned int>::value ||
        std::is_same<Number, long>::value || std::is_same<Number, unsigned long>::value;

public:
    /// The shared empty string, built when the library is loaded.
    static const String emptyString;

    // ---- Construction ------------------------------------------------------
    String();
    /// The strlen(s) characters of `s`. A null `s` throws QuillonException 4
    /// ("Parameter is NULL") at "String::String(const _TCHAR *s)", as do the
    /// two forms below.
    String(const char* s);
    /// The first min(n, strlen(s)) characters of `s`.
    String(const char* s, unsigned int n);
    /// min(n, strlen(s) - start) characters from `s + start`; a `start` beyond
    /// strlen(s) is clamped to it (giving an empty string).
    String(const char* s, unsigned int start, unsigned int n);
    /// `n` copies of `c`.
    String(unsigned int n, char c);
    /// The single character `c`; length 1 even for NUL.
    String(char c);
    /// A copy of all characters of `other` (embedded NULs too).
    String(const String& other);
    /// Takes the characters of `other` over without copying; `other` is left
    /// the empty string (its terminator read from a shared zero slot).
    String(String&& other) noexcept = default;
    /// The bytes of `b` up to its first zero byte.
    String(const ByteArray& b);
    /// All text.size() characters of `text`, embedded NULs included; a view
    /// without data gives the empty string.
    explicit String(std::string_view text);
    virtual ~String();

    // ---- Assignment and appending (each returns *this) ---------------------
    /// Copies all characters (embedded NULs too); the buffer grows by half
    /// when too small and never shrinks here.
    String& operator=(const String& other);
    /// Like the copy, reuses this string's buffer when it has room (the
    /// characters are copied and `other` releases its buffer); otherwise
    /// takes the buffer of `other` over. `other` is left empty either way.
    String& operator=(String&& other) noexcept {
        moveAssignKeepingRoom(other);
        return *this;
    }
    /// The bytes of `b` up to its first zero byte, as String(const ByteArray&).
    String& operator=(const ByteArray& b);
    /// A null `s` empties the string.
    String& operator=(const char* s);
    /// The single character `c`.
    String& operator=(char c);
    /// The number's decimal text, as operator+= appends it: s = 0 makes "0".
    /// Only int, unsigned int, long and unsigned long take this form; other
    /// integer types (char, bool, short...) convert as they always did.
    template <class Number, class = std::enable_if_t<isDecimalNumber<Number>>>
    String& operator=(Number value) {
        String text;
        text += value;
        return *this = std::move(text);
    }
    /// A null or empty `s` appends nothing.
    String& operator+=(const char* s);
    /// Appends all characters (embedded NULs too); s += s doubles s.
    KORVANE_INLINE_API String& operator+=(const String& other) {
        // Inline while the buffer has room; growing is the library's. The
        // fields are read once: a char store may alias any of them.
        const unsigned int used = elementCount;
        const unsigned int count = other.elementCount;
        if (std::uint64_t(used) + count < capacity) {
            char* data = getData();
            std::memmove(data + used, other.getData(), count);
            data[used + count] = '\0';
            elementCount = used + count;
            return *this;
        }
        appendCharacters(other.getData(), count);
        return *this;
    }
    /// Appends the bytes of `b` up to its first zero byte.
    String& operator+=(const ByteArray& b);
    /// Appends the character `c`.
    KORVANE_INLINE_API String& operator+=(char c) {
        const unsigned int used = elementCount;
        if (std::uint64_t(used) + 2 <= capacity) {
            char* data = getData();
            data[used] = c;
            data[used + 1] = '\0';
            elementCount = used + 1;
            return *this;
        }
        appendCharacter(c);
        return *this;
    }
    ///@{
    /// Append the number's plain decimal text ("-42", "4294967295").
    String& operator+=(int value);
    String& operator+=(unsigned int value);
    String& operator+=(long value);
    String& operator+=(unsigned long value);
    ///@}

    // ---- Concatenation (new strings; this one is unchanged) ----------------
    /// This string followed by `other`, as operator+= appends it.
    String operator+(const String& other) const;
    /// This string's text up to its first NUL, then `c`.
    String operator+(char c) const;
    ///@{
    /// This string followed by the number's decimal text, as operator+= appends
    /// it.
    String operator+(int value) const;
    String operator+(unsigned int value) const;
    String operator+(long value) const;
    String operator+(unsigned long value) const;
    ///@}

    // ---- Comparison (strcmp on the text up to the first NUL) ---------------
    ///@{
    /// The const char* forms throw QuillonException 4 for a null argument.
    bool operator==(const String& other) const;
    bool operator==(const char* other) const;
    bool equals(const String& other) const;
    bool operator!=(const String& other) const;
    bool operator!=(const char* other) const;
    bool operator<(const String& other) const;
    bool operator<=(const String& other) const;
    bool operator>(const String& other) const;
    bool operator>=(const String& other) const;
    ///@}

    // ---- Searching ---------------------------------------------------------
    /// Pointer into this string's buffer at the first occurrence of `needle`,
    /// or null; an empty needle gives the buffer start. Valid until the string
    /// next changes; meant for left() and right().
    const char* find(const String& needle) const;
    /// The same, starting at index `from` (clamped to the length).
    const char* find(const String& needle, unsigned int from) const;
    /// Case-insensitive (ASCII letters only) search from index `from`; an empty
    /// needle gives the buffer start whatever `from` is. A negative `from`
    /// counts as 0, one past the end as the end.
    const char* findi(String needle, int from) const;
    /// Index of the first occurrence, or -1.
    int findIndex(const String& needle) const;

    // ---- Pieces ------------------------------------------------------------
    /// `start` is clamped to the length and `count` to what remains; stops at
    /// an embedded NUL.
    String substring(unsigned int start, unsigned int count) const;
    /// The text strictly between the first `open` and the first `close` behind
    /// it; empty when either is missing.
    String substring(const String& open, const String& close) const;
    /// The characters before `p` (a pointer from find), at most all of them,
    /// embedded NULs included; empty for a null `p` or one below the buffer start.
    String left(const char* p) const;
    /// The text from `p` to the end (to the first NUL); empty for a null `p` or
    /// one below the buffer start.
    String right(const char* p) const;

    // ---- Conversion and case -----------------------------------------------
    /// Skips leading '0's, then reads the rest with strtol base 0; returns 0
    /// unless the whole rest was read. So "010" is 10, "0x1F" is 0 and "-0x1F"
    /// is -31. Values beyond the int range saturate at INT_MIN / INT_MAX.
    int toInt() const;
    ///@{
    /// In-place conversion of 'A'-'Z' / 'a'-'z'; other bytes stay as they are.
    const String& toLower();
    const String& toUpper();
    ///@}
    ///@{
    /// Converted copies.
    String toLower() const;
    String toUpper() const;
    ///@}

    // ---- Trimming and removal (in place, return *this) ---------------------
    /// Set membership is strchr on the set's text, so a NUL character belongs
    /// to every set.
    const String& removeLeadingWhites();    ///< " \t\f\v\r\n"
    const String& removeTrailingReturns();  ///< "\r\n"
    ///@{
    /// Remove the characters of `set` at the start, at the end, or everywhere.
    const String& removeLeading(const String& set);
    const String& removeTrailing(const String& set);
    const String& remove(const String& set);
    ///@}

    // ---- Views -------------------------------------------------------------
    /// All length() characters (embedded NULs included) without a copy; valid
    /// until the string next changes. operator== and std::hash<String> see
    /// the text only up to its first NUL, as strcmp does.
    std::string_view view() const noexcept { return std::string_view(getData(), elementCount); }

    // ---- Tests -------------------------------------------------------------
    /// True without a buffer or when the first character is NUL.
    bool isEmpty() const;
    /// True when no character has its top bit set (true for "").
    bool is7BitASCIIString() const;
    /// Always true.
    bool isASCIIString() const;

    // ---- Formatting --------------------------------------------------------
    /// printf-style formatting into a new string of any length. A null format
    /// throws QuillonException 4; a format the C library cannot apply (an
    /// encoding error) throws QuillonException 22.
    static String formatString(const char* format, ...)
        __attribute__((format(printf, 1, 2)));

    // ---- ASCII conversion --------------------------------------------------
    /// The bytes as characters up to the first zero byte. Throws
    /// QuillonException 6 when its work buffer cannot be allocated.
    static String fromASCIIByteArray(const ByteArray& bytes);
    /// Exactly length() bytes, embedded NULs included.
    ByteArray toASCIIByteArray() const;
    /// Deprecated: sets *this to fromASCIIByteArray(bytes) and returns *this.
    /// The first call in the process writes a deprecation notice to the log
    /// (type 2); later calls write nothing, even when no log was active then.
    const String& fromASCII(const ByteArray& bytes);
    /// Deprecated: toASCIIByteArray(), with a one-time notice like fromASCII.
    /// LogFile and ByteArray(const String&) convert through this member, so
    /// the first String written to an active log brings the notice with it.
    ByteArray getASCIIByteArray() const;

    // ---- Escapes (in place) ------------------------------------------------
    /// Doubles every `escape` text already present (embedded NULs included),
    /// then puts `escape` before each character found in `specials`
    /// (membership is find() of the one-character string, so an embedded NUL
    /// character always counts as special). An empty `escape` changes nothing.
    /// With specials "," and escape "\": "a,b" -> "a\,b", "a\\b" -> "a\\\\b".
    void escapeString(const String& specials, const String& escape);
    /// Drops each character of the set `escapes` from the text, except that
    /// an escape character directly behind another one is kept: "\\" ->
    /// "\", "\," -> ",", and a trailing lone escape character is dropped.
    /// NUL is never an escape character. Undoes escapeString with the same
    /// one-character escape.
    void removeEscapes(const String& escapes);

private:
    /// Concatenation of `a` and `b` in an exact-size buffer.
    String(const String& a, const String& b);

    void assignCharacters(const char* text, unsigned int count);
    void appendCharacters(const char* text, unsigned int count);
    /// operator+=(char) when the buffer must grow.
    void appendCharacter(char c);
    /// Replaces the buffer by an exact-size one holding `count` characters.
    void replaceWithExactCopy(const char* text, unsigned int count);
    bool inOwnBuffer(const char* p) const;
    const char* text() const { return getData(); }
};

/// Writes all characters, embedded NULs included, unformatted.
KORVANE_API std::ostream& operator<<(std::ostream& os, const String& s);

/// The text of `left` followed by all characters of `right`: "x" + s. A null
/// `left` throws QuillonException 4, as String(const char*) does.
KORVANE_API String operator+(const char* left, const String& right);

}  // namespace Korvane

namespace std {
/// Hashes the text up to its first NUL, the part operator== compares.
template <>
struct hash<Korvane::String> {
    /// The hash of `String` described above.
    std::size_t operator()(const Korvane::String& s) const noexcept {
        return std::hash<std::string_view>()(std::string_view(s.getData()));
    }
};
}  // namespace std
