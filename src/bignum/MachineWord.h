// The machine word of the big-number engine and its double-width steps.
//
// Every target computes on 64-bit words, least significant first, so digit
// layouts, thresholds and the serialised forms are the same everywhere. The
// double-width results (a 64x64 -> 128-bit product, sums with a carry in and
// out, two-word differences, sums and differences of two products, a 128/64
// division) are formed here and nowhere else: with the
// compiler's 128-bit integer where it has one (x86-64, aarch64, s390x), and
// otherwise from 32x32 -> 64-bit products (i686, or any target built with
// KORVANE_PORTABLE_WORDS, which the CMake option of that name sets so the
// portable path can be tested on a 64-bit host).
//
// Every step except divideWide runs the same instructions whatever its
// operands: no branch, no table index, no division, as the constant-time
// modular power needs.
#pragma once

#include <cstdint>

#if defined(__SIZEOF_INT128__) && !defined(KORVANE_PORTABLE_WORDS)
#define KORVANE_NATIVE_DOUBLE_WORD 1
#endif

namespace Korvane {
namespace internal {

using Word = std::uint64_t;
constexpr unsigned int kWordBits = 64;
constexpr unsigned int kWordBytes = 8;

#ifdef KORVANE_NATIVE_DOUBLE_WORD
__extension__ typedef unsigned __int128 DoubleWord;

// a * b: returns the low word, the high word in `high`.
inline Word multiplyWide(Word a, Word b, Word& high) {
    const DoubleWord p = DoubleWord(a) * b;
    high = static_cast<Word>(p >> kWordBits);
    return static_cast<Word>(p);
}

// a * b + c + d, which always fits in two words.
inline Word multiplyAdd(Word a, Word b, Word c, Word d, Word& high) {
    const DoubleWord p = DoubleWord(a) * b + c + d;
    high = static_cast<Word>(p >> kWordBits);
    return static_cast<Word>(p);
}

// a + b + carryIn (carryIn 0 or 1): returns the sum, the carry out in `carryOut`.
inline Word addCarry(Word a, Word b, Word carryIn, Word& carryOut) {
    const DoubleWord s = DoubleWord(a) + b + carryIn;
    carryOut = static_cast<Word>(s >> kWordBits);
    return static_cast<Word>(s);
}

// a - b - borrowIn (borrowIn 0 or 1): returns the difference, the borrow out
// in `borrowOut`.
inline Word subtractBorrow(Word a, Word b, Word borrowIn, Word& borrowOut) {
    const DoubleWord d = DoubleWord(a) - b - borrowIn;
    borrowOut = static_cast<Word>(d >> kWordBits) & 1;
    return static_cast<Word>(d);
}

// (aHigh B + aLow) - (bHigh B + bLow) modulo B^2: returns the low word, the
// high one in `high` and the borrow out (0 or 1) in `borrow`.
inline Word subtractDouble(Word aHigh, Word aLow, Word bHigh, Word bLow, Word& high, Word& borrow) {
    const DoubleWord a = (DoubleWord(aHigh) << kWordBits) | aLow;
    const DoubleWord b = (DoubleWord(bHigh) << kWordBits) | bLow;
    const DoubleWord d = a - b;
    borrow = a < b;
    high = static_cast<Word>(d >> kWordBits);
    return static_cast<Word>(d);
}

// a x + b y + c for a, b below 2^62, which fits in two words.
inline Word combineProducts(Word a, Word x, Word b, Word y, Word c, Word& high) {
    const DoubleWord s = DoubleWord(a) * x + DoubleWord(b) * y + c;
    high = static_cast<Word>(s >> kWordBits);
    return static_cast<Word>(s);
}

// a x - b y + carry for a, b below 2^62 and a signed word `carry` (two's
// complement): returns the low word and leaves the high one, which always
// fits in a signed word, in `carry`.
inline Word differenceOfProducts(Word a, Word x, Word b, Word y, Word& carry) {
    __extension__ typedef __int128 SignedDoubleWord;
    const SignedDoubleWord s = static_cast<SignedDoubleWord>(DoubleWord(a) * x) -
                               static_cast<SignedDoubleWord>(DoubleWord(b) * y) +
                               static_cast<std::int64_t>(carry);
    carry = static_cast<Word>(s >> kWordBits);
    return static_cast<Word>(s);
}

// (high B + low) / d for high < d: returns the quotient, the remainder in
// `remainder`. Its time depends on the operands: public values only.
inline Word divideWide(Word high, Word low, Word d, Word& remainder) {
    const DoubleWord n = (DoubleWord(high) << kWordBits) | low;
    remainder = static_cast<Word>(n % d);
    return static_cast<Word>(n / d);
}
#else
inline Word multiplyWide(Word a, Word b, Word& high) {
    const Word a0 = static_cast<std::uint32_t>(a), a1 = a >> 32;
    const Word b0 = static_cast<std::uint32_t>(b), b1 = b >> 32;
    const Word p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    // Below 3 2^32: the three terms of bits 32 .. 95 cannot overflow a word.
    const Word middle = (p00 >> 32) + static_cast<std::uint32_t>(p01) + static_cast<std::uint32_t>(p10);
    high = p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32);
    return (middle << 32) | static_cast<std::uint32_t>(p00);
}

// The carry of a sum s = a + b (+ 1) read from the top bits alone: a carry
// left bit 63 when both tops were set, or either was and the sum's is clear.
inline Word carryOfSum(Word a, Word b, Word s) { return ((a & b) | ((a | b) & ~s)) >> (kWordBits - 1); }

inline Word addCarry(Word a, Word b, Word carryIn, Word& carryOut) {
    const Word s = a + b + carryIn;
    carryOut = carryOfSum(a, b, s);
    return s;
}

// The borrow of d = a - b (- 1): the same rule on the complement of a.
inline Word subtractBorrow(Word a, Word b, Word borrowIn, Word& borrowOut) {
    const Word d = a - b - borrowIn;
    borrowOut = ((~a & b) | ((~a | b) & d)) >> (kWordBits - 1);
    return d;
}

inline Word subtractDouble(Word aHigh, Word aLow, Word bHigh, Word bLow, Word& high, Word& borrow) {
    const Word low = subtractBorrow(aLow, bLow, 0, borrow);
    high = subtractBorrow(aHigh, bHigh, borrow, borrow);
    return low;
}

inline Word multiplyAdd(Word a, Word b, Word c, Word d, Word& high) {
    Word carry1, carry2;
    Word low = multiplyWide(a, b, high);
    low = addCarry(low, c, 0, carry1);
    low = addCarry(low, d, 0, carry2);
    high += carry1 + carry2;
    return low;
}

inline Word combineProducts(Word a, Word x, Word b, Word y, Word c, Word& high) {
    Word high1, high2;
    const Word low = multiplyAdd(a, x, c, 0, high1);
    const Word sum = multiplyAdd(b, y, low, 0, high2);
    high = high1 + high2;
    return sum;
}

inline Word differenceOfProducts(Word a, Word x, Word b, Word y, Word& carry) {
    Word plusHigh, minusHigh, c1, c2;
    const Word plusLow = multiplyWide(a, x, plusHigh);
    const Word minusLow = multiplyWide(b, y, minusHigh);
    const Word extension = 0 - (carry >> (kWordBits - 1));
    Word low = addCarry(plusLow, carry, 0, c1);
    low = subtractBorrow(low, minusLow, 0, c2);
    carry = plusHigh + extension + c1 - minusHigh - c2;
    return low;
}

// Restoring division one quotient bit at a time: 64 steps, for the few
// reciprocals of public divisors that the engine takes.
inline Word divideWide(Word high, Word low, Word d, Word& remainder) {
    Word quotient = 0;
    for (unsigned int i = 0; i < kWordBits; ++i) {
        const Word out = high >> (kWordBits - 1);
        high = (high << 1) | (low >> (kWordBits - 1));
        low <<= 1;
        quotient <<= 1;
        if (out != 0 || high >= d) {
            high -= d;
            quotient |= 1;
        }
    }
    remainder = high;
    return quotient;
}
#endif

}  // namespace internal
}  // namespace Korvane
