// Natural-number arithmetic on runs of 64-bit words, least significant first.
//
// These are the inner loops of BigNumber: callers pass raw word pointers and
// lengths and own every buffer. Unless a function says otherwise an output
// may be the same run as an input of the same length, lengths may be zero,
// and nothing is allocated except wiped scratch WordBuffers.
#pragma once

#include <cstddef>

#include "bignum/WordBuffer.h"

namespace Korvane {
namespace internal {

// ---- Linear operations ------------------------------------------------------
// r = a + b over n words; returns the carry out (0 or 1).
Word addWords(Word* r, const Word* a, const Word* b, std::size_t n);
// r = a + b for a single word b; returns the carry out.
Word addWord(Word* r, const Word* a, std::size_t n, Word b);
// r = a - b over n words; returns the borrow out (0 or 1).
Word subtractWords(Word* r, const Word* a, const Word* b, std::size_t n);
// r = a - b for a single word b; returns the borrow out.
Word subtractWord(Word* r, const Word* a, std::size_t n, Word b);
// r = a * b; returns the word carried out of the top.
Word multiplyWord(Word* r, const Word* a, std::size_t n, Word b);
// r += a * b (r and a must not overlap); returns the word carried out.
Word addMultiplyWord(Word* r, const Word* a, std::size_t n, Word b);
// r -= a * b (r and a must not overlap); returns the word borrowed out.
Word subtractMultiplyWord(Word* r, const Word* a, std::size_t n, Word b);
// r = r * m + add in place; returns the word carried out.
Word multiplyAddInPlace(Word* r, std::size_t n, Word m, Word add);
// -1, 0 or 1 as a is below, equal to or above b (both n words).
int compareWords(const Word* a, const Word* b, std::size_t n);
// r = a << shift (0 < shift < 64); returns the bits shifted out of the top.
// r may equal a.
Word shiftLeftWords(Word* r, const Word* a, std::size_t n, unsigned int shift);
// r = a >> shift (0 < shift < 64); r may equal a.
void shiftRightWords(Word* r, const Word* a, std::size_t n, unsigned int shift);
// Leading zero bits of a non-zero word.
inline unsigned int leadingZeros(Word w) { return static_cast<unsigned int>(__builtin_clzll(w)); }
// The bit length of the n-word number x (0 for zero; x[n - 1] must be
// non-zero when n > 0).
std::size_t bitLength(const Word* x, std::size_t n);

// ---- Multiplication ---------------------------------------------------------
// r[0 .. an + bn) = a * b with an >= bn >= 1; r must not overlap a or b.
// Schoolbook for short operands, then Karatsuba, then Toom-Cook 3-way, then
// number-theoretic transforms (NumberTheoreticTransform.h).
void multiplyWords(Word* r, const Word* a, std::size_t an, const Word* b, std::size_t bn);
// r[0 .. 2n) = a * a with n >= 1; r must not overlap a.
void squareWords(Word* r, const Word* a, std::size_t n);
// The schoolbook forms, for callers that know their sizes are small. Their
// instructions and memory accesses depend only on the sizes.
void multiplyBasecase(Word* r, const Word* a, std::size_t an, const Word* b, std::size_t bn);
void squareBasecase(Word* r, const Word* a, std::size_t n);
// The n rows of Montgomery's reduction of the 2n-word t by the odd n-word m
// (inverse = -m^-1 mod 2^64): afterwards t[n .. 2n) plus the returned
// overflow bit times 2^(64 n) is t / 2^(64 n) mod m, below 2m when t < m 2^(64 n).
Word montgomeryRows(Word* t, const Word* m, std::size_t n, Word inverse);

// ---- Division -----------------------------------------------------------------
// A single-word divisor prepared for division by multiplication with its
// reciprocal (the divisor shifted until its top bit is set).
struct WordDivisor {
    explicit WordDivisor(Word divisor);
    Word normalized;
    Word reciprocal;
    unsigned int shift;
};
// q = a / d (n words, q may be null or equal a); returns a mod d.
Word divideByWord(Word* q, const Word* a, std::size_t n, const WordDivisor& d);
// q[0 .. an - dn + 1) = a / d and r[0 .. dn) = a mod d for an >= dn >= 1
// and a non-zero top word d[dn - 1]. Either output may be null; neither may
// overlap an input. Long division, or for long divisors and quotients the
// recursive division of RecursiveDivision.h.
void divideWords(Word* q, Word* r, const Word* a, std::size_t an, const Word* d, std::size_t dn);
// The same by Knuth's long division alone, in time (an - dn) dn.
void longDivision(Word* q, Word* r, const Word* a, std::size_t an, const Word* d, std::size_t dn);

}  // namespace internal
}  // namespace Korvane
