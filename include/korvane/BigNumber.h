/// BigNumber: the library's arbitrary-precision signed integer.
///
/// Sign-magnitude form over Array<unsigned char>: element i is the base-256
/// digit of weight 256^i (least significant first), NUL-terminated like every
/// byte array, beside a separate sign flag. Invariants and quirks:
///  - Every number has at least one digit. Normal form has a non-zero top digit
///    unless the number is the single digit 0; only BigNumber(count, fill) and
///    twosComplement() may leave high zero digits.
///  - The sign flag is independent of the magnitude: a zero may carry it (a
///    "negative zero"). It is zero for isZero(), prints as "0", but differs
///    from Zero for operator== and compares LESS than Zero.
///  - Buffers, and every scratch buffer an operation uses, are overwritten
///    with zeros before they are released.
///  - add, subtract and compare work on the digits as they stand; multiply,
///    divide, mod and everything from power on take operands with high zero
///    digits at their value.
/// @class Korvane::BigNumber
/// @headerfile BigNumber.h "korvane/BigNumber.h"
/// @ingroup bignum
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

#include "korvane/Array.h"
#include "korvane/ByteArray.h"
#include "korvane/Export.h"
#include "korvane/String.h"

namespace Korvane {


class KORVANE_API BigNumber : public Array<unsigned char> {
public:
    /// Result of compare().
    enum COMPARISON { EQUAL = 0, LESS = 1, GREATER = 2 };

    /// Zero: one digit 0, sign clear; built when the library is loaded.
    static const BigNumber Zero;

    // ---- Construction ------------------------------------------------------
    /// Zero, sign clear.
    BigNumber();
    /// Same digits, length and sign flag as `other` (high zero digits too).
    BigNumber(const BigNumber& other);
    /// Takes the digits and sign of `other` over without copying; `other` is
    /// left zero (one digit 0 read from a shared zero slot, sign clear).
    BigNumber(BigNumber&& other) noexcept
        : Array<unsigned char>(std::move(other)), negative(other.negative) {
        other.becomeZero();
    }
    /// The bytes as digits, first byte least significant, then normalized.
    /// Empty or all-zero bytes give zero, still with the sign flag `negative`.
    BigNumber(const ByteArray& bytes, bool negative);
    /// `count` digits each equal to `fill`, sign clear, NOT normalized:
    /// BigNumber(3, 0) has three zero digits and is not isZero(). A count of 0
    /// gives zero.
    BigNumber(unsigned int count, char fill);
    /// One digit `value`, sign clear.
    /// Sign clear; magnitude `value`.
    BigNumber(unsigned char value);
    /// Sign flag = value < 0; magnitude |value| (INT_MIN gives 2^31).
    BigNumber(int value);
    /// Sign flag = value < 0; magnitude |value| as a full 64-bit value (LONG_MIN
    /// gives 2^63). Inside the int range the same as BigNumber(int).
    BigNumber(long value);
    /// Sign clear; magnitude `value`, so BigNumber(3u) is 3.
    BigNumber(unsigned int value);
    /// Sign clear; magnitude `value` as a full 64-bit value.
    BigNumber(unsigned long value);
    virtual ~BigNumber();

    /// Copies digits and sign flag; self-assignment changes nothing.
    BigNumber& operator=(const BigNumber& other);
    /// Wipes this number's digits and takes those of `other` over; `other` is
    /// left zero.
    BigNumber& operator=(BigNumber&& other) noexcept {
        if (this != &other) {
            Array<unsigned char>::operator=(std::move(other));
            negative = other.negative;
            other.becomeZero();
        }
        return *this;
    }

    // ---- Inspection and comparison -----------------------------------------
    /// True for the single digit 0 whatever the sign flag; a number with high
    /// zero digits (BigNumber(3, 0)) is not isZero().
    bool isZero() const;
    /// The sign flag (also set for a negative zero).
    bool isNegative() const;
    ///@{
    /// Equal sign flags, lengths and digits; no normalization first, so a
    /// negative zero differs from Zero.
    bool operator==(const BigNumber& other) const;
    bool equals(const BigNumber& other) const;
    bool operator!=(const BigNumber& other) const;
    ///@}
    /// A negative number is LESS than a non-negative one. With equal sign flags
    /// the MAGNITUDES are compared, by length first and then digit by digit:
    /// compare(-10, -5) is GREATER. High zero digits count as length.
    COMPARISON compare(const BigNumber& other) const;
    /// 8 * (length() - 1) + the bit length of the top digit; 0 for zero. The
    /// sign is not counted.
    unsigned int numberOfBits() const;

    // ---- Conversion to machine integers and bytes --------------------------
    /// The low 32 bits of the magnitude, negated modulo 2^32 when the sign flag
    /// is set, as a signed int; no overflow report.
    int toInt() const;
    /// Exactly (long)toInt().
    long toLong() const;
    /// The digits, one byte each (high zero digits included), least
    /// significant first, or most significant first when `msbFirst` is set.
    /// The sign is dropped; zero gives the one byte 00.
    ByteArray toByteArray(bool msbFirst) const;
    /// The number whose magnitude is `bytes` read most significant byte first,
    /// normalized; sign flag = `negative` (also for empty or zero bytes).
    static BigNumber fromMSDByteArray(const ByteArray& bytes, bool negative);

    // ---- Arithmetic ----------------------------------------------------------
    /// Note on overloads: a plain int argument binds to the unsigned char
    /// forms below (and to expMod's single-byte modulus), truncated to a byte;
    /// pass BigNumber(value) to mean the number.
    /// With `ignoreSign` clear, signed arithmetic. With it set, add() gives
    /// |this| + |other| (negative only when both are negative) and subtract()
    /// gives |this| - |other| as a signed number. Results keep the sign flag
    /// their rule gives them, so a zero result may be a negative zero; 0 - 0 is
    /// a negative zero and x - x is Zero.
    BigNumber add(const BigNumber& other, bool ignoreSign = false) const;
    /// Sum with a byte. With `ignoreSign` set a negative number grows in
    /// magnitude: -5 plus 3 gives -8. Adding to zero gives +value.
    BigNumber add(unsigned char value, bool ignoreSign = false) const;
    /// Difference this - `other`; with `ignoreSign` the magnitudes are
    /// subtracted as add() adds them.
    BigNumber subtract(const BigNumber& other, bool ignoreSign = false) const;
    /// Exactly subtract(BigNumber(value), ignoreSign).
    BigNumber subtract(unsigned char value, bool ignoreSign = false) const;
    /// Product; sign flag = the sign flags differ (a zero product may be a
    /// negative zero).
    BigNumber multiply(const BigNumber& other) const;
    /// Product with a byte; sign flag = this number's.
    BigNumber multiply(unsigned char value) const;
    /// Quotient truncated toward zero; sign flag = the sign flags differ (also
    /// for a zero quotient). A zero divisor throws QuillonException 22 ("Data
    /// format invalid") with the extra text "division by zero".
    BigNumber divide(const BigNumber& other) const;
    /// Quotient of the magnitude by `value`; sign flag = this number's. A zero
    /// `value` throws QuillonException 22 ("division by zero").
    BigNumber divide(unsigned char value) const;
    /// |this| mod |other| with this number's sign flag (-7 mod 3 is -1, 7 mod
    /// -3 is 1, -6 mod 3 a negative zero). A zero `other` throws
    /// QuillonException 22 ("division by zero").
    BigNumber mod(const BigNumber& other) const;
    /// |this| mod `value`, negated when this number is negative. A zero
    /// `value` throws QuillonException 22 ("division by zero").
    int mod(unsigned char value) const;
    /// Complemented digits plus one with the sign flag inverted; keeps this
    /// number's length (high zero digits are not removed), and a carry out of
    /// the top digit adds a digit 1: 0 gives 00 01 with the flag set.
    BigNumber twosComplement() const;
    /// In place: every digit replaced by 255 - digit; length and sign kept.
    BigNumber& operator~();
    /// In place: magnitude doubled; zero stays as it is.
    BigNumber& shiftl();
    /// In place: magnitude halved, rounding down; the sign flag stays, so -1
    /// becomes a negative zero.
    BigNumber& shiftr();

    // ---- Exponentiation and modular arithmetic -----------------------------
    /// This number raised to |exponent| (the exponent's sign is ignored); 1
    /// for a zero exponent (0^0 is 1). Negative only for a negative base and
    /// an odd exponent. A result beyond 2^32 digits throws std::length_error.
    /// Not constant-time, like every member but expMod.
    BigNumber power(const BigNumber& exponent) const;
    /// This number raised to |exponent|, reduced by |modulus|: the magnitude
    /// is |this|^|exponent| mod |modulus| and the sign flag is set when this
    /// number is negative and the exponent odd (a zero result may be a
    /// negative zero). A zero exponent gives 1 even for the modulus 1. A zero
    /// modulus throws QuillonException 22 ("modulus is zero"); a negative
    /// modulus acts as its magnitude.
    ///
    /// Constant-time in the base and the exponent, for secret exponents: the
    /// instructions run and the memory addresses touched depend only on the
    /// digit counts of this number and of the exponent and on the modulus,
    /// never on the values of the base or the exponent (fixed windows with a
    /// full masked table scan, masked Montgomery reductions; an even modulus
    /// is split into its odd part and a power of two, each done the same way).
    /// Not hidden: the modulus, the digit counts of base and exponent (high
    /// zero digits count), and the length of the result, which is stored in
    /// normal form.
    BigNumber expMod(const BigNumber& exponent, const BigNumber& modulus) const;
    /// The same with a single-byte modulus, except that a zero result is never
    /// negative; constant-time in the same way. A zero modulus throws
    /// QuillonException 22 ("modulus is zero").
    BigNumber expMod(const BigNumber& exponent, unsigned char modulus) const;
    /// The inverse of this number modulo `modulus` by the extended Euclidean
    /// algorithm on the signed values: for positive operands in 1 .. modulus
    /// (the modulus itself when it is 1 and this number a multiple of it).
    /// Returns 1 when no inverse exists, which a caller can only tell from a
    /// true inverse of 1 by checking the product. A zero modulus throws
    /// QuillonException 22 ("modulus is zero").
    BigNumber mulInv(const BigNumber& modulus) const;

    // ---- Text in bases 2 to 36 ---------------------------------------------
    /// Both ways the bases 2, 4, 8, 16 and 32 take time linear in the length;
    /// the others quadratic up to a few thousand bits and about n^1.6 beyond.
    /// Digits "0-9A-Z" (upper case), most significant first, no leading zeros,
    /// "-" in front when the sign flag is set; any zero (negative or with high
    /// zero digits) prints as "0". A base outside 2..36 means 16.
    String toBase(unsigned int base) const;
    /// The number `text` spells in `base` (outside 2..36: 16). A leading "-"
    /// makes it negative (also a zero: "-0" and "-" are negative zeros); no "+"
    /// is recognised. Letters of either case are digits; any other character is
    /// skipped; a digit not below the base is used at its value ("G" counts 16
    /// in base 16). An empty text gives zero.
    static BigNumber fromBase(const String& text, unsigned int base);

private:
    /// `length` digits from `data + offset`, normalized; zero for a null
    /// `data` or a zero `length`.
    BigNumber(const char* data, unsigned int offset, unsigned int length, bool negative);
    /// `count` (> 0) digits left unset for the arithmetic to write, sign
    /// clear, not normalized.
    BigNumber(unsigned int count, UnsetElements) : Array<unsigned char>(count, true, UnsetElements()) {}
    /// Drops high zero digits (never below one digit); the storage stays.
    void normalize();
    /// After its digits were moved away: the one zero digit of the shared
    /// zero slots, sign clear.
    void becomeZero() noexcept {
        elementCount = 1;
        negative = false;
    }
    /// A handle on the word form the arithmetic runs on, defined inside the
    /// library (a word buffer converts to it).
    struct Words;
    /// Builds a number from a word buffer (its words are rearranged into
    /// digit order on big-endian hosts).
    static BigNumber fromWords(const Words& words, bool negative);

    bool negative = false;
};

}  // namespace Korvane

namespace std {
/// Hashes the digits as stored and the sign flag, the parts operator==
/// compares (so a negative zero and Zero usually hash apart, as they differ).
template <>
struct hash<Korvane::BigNumber> {
    /// The hash of `BigNumber` described above.
    std::size_t operator()(const Korvane::BigNumber& n) const noexcept {
        const std::string_view digits(reinterpret_cast<const char*>(n.getData()), n.length());
        return std::hash<std::string_view>()(digits) * 31 + (n.isNegative() ? 1 : 0);
    }
};
}  // namespace std
