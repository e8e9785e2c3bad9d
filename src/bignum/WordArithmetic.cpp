#include "bignum/WordArithmetic.h"

#include <cstring>

#include "bignum/RecursiveDivision.h"
#include "bignum/NumberTheoreticTransform.h"
#include "bignum/ToomCook.h"

namespace Korvane {
namespace internal {

namespace {
// Below this many words Karatsuba's extra additions cost more than the
// multiplications they save.
constexpr std::size_t kKaratsubaThreshold = 40;
}  // namespace

// ---- Linear operations ------------------------------------------------------

Word addWords(Word* r, const Word* a, const Word* b, std::size_t n) {
    Word carry = 0;
    for (std::size_t i = 0; i < n; ++i) r[i] = addCarry(a[i], b[i], carry, carry);
    return carry;
}

Word addWord(Word* r, const Word* a, std::size_t n, Word b) {
    Word carry = b;
    for (std::size_t i = 0; i < n; ++i) {
        const Word s = a[i] + carry;
        carry = s < carry ? 1 : 0;
        r[i] = s;
    }
    return carry;
}

Word subtractWords(Word* r, const Word* a, const Word* b, std::size_t n) {
    Word borrow = 0;
    for (std::size_t i = 0; i < n; ++i) r[i] = subtractBorrow(a[i], b[i], borrow, borrow);
    return borrow;
}

Word subtractWord(Word* r, const Word* a, std::size_t n, Word b) {
    Word borrow = b;
    for (std::size_t i = 0; i < n; ++i) {
        const Word d = a[i] - borrow;
        borrow = a[i] < borrow ? 1 : 0;
        r[i] = d;
    }
    return borrow;
}

Word multiplyWord(Word* r, const Word* a, std::size_t n, Word b) {
    Word carry = 0;
    for (std::size_t i = 0; i < n; ++i) r[i] = multiplyAdd(a[i], b, carry, 0, carry);
    return carry;
}

Word multiplyAddInPlace(Word* r, std::size_t n, Word m, Word add) {
    Word carry = add;
    for (std::size_t i = 0; i < n; ++i) r[i] = multiplyAdd(r[i], m, carry, 0, carry);
    return carry;
}

int compareWords(const Word* a, const Word* b, std::size_t n) {
    for (std::size_t i = n; i-- > 0;) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

Word shiftLeftWords(Word* r, const Word* a, std::size_t n, unsigned int shift) {
    if (n == 0) return 0;
    const Word out = a[n - 1] >> (kWordBits - shift);
    for (std::size_t i = n - 1; i > 0; --i) r[i] = (a[i] << shift) | (a[i - 1] >> (kWordBits - shift));
    r[0] = a[0] << shift;
    return out;
}

void shiftRightWords(Word* r, const Word* a, std::size_t n, unsigned int shift) {
    if (n == 0) return;
    for (std::size_t i = 0; i + 1 < n; ++i) r[i] = (a[i] >> shift) | (a[i + 1] << (kWordBits - shift));
    r[n - 1] = a[n - 1] >> shift;
}

std::size_t bitLength(const Word* x, std::size_t n) { return n == 0 ? 0 : kWordBits * n - leadingZeros(x[n - 1]); }

// ---- Multiplication ---------------------------------------------------------

namespace {

// |x - y| of two n-word numbers into r; returns true when x < y.
bool absoluteDifference(Word* r, const Word* x, const Word* y, std::size_t n) {
    if (compareWords(x, y, n) < 0) {
        subtractWords(r, y, x, n);
        return true;
    }
    subtractWords(r, x, y, n);
    return false;
}

// Scratch words karatsuba() needs for operands of n words.
std::size_t karatsubaScratch(std::size_t n) {
    std::size_t total = 0;
    while (n >= kKaratsubaThreshold) {
        const std::size_t upper = n - n / 2;
        total += 6 * upper + 1;
        n = upper;
    }
    return total;
}

// r[0 .. 2n) = a * b for two n-word operands. With a0, a1 the low h and high
// n - h words: a b = a1 b1 B^2h + (a0 b0 + a1 b1 - (a0 - a1)(b0 - b1)) B^h +
// a0 b0, three half-size products instead of four.
void karatsuba(Word* r, const Word* a, const Word* b, std::size_t n, Word* scratch) {
    if (n < kKaratsubaThreshold) {
        if (a == b)
            squareBasecase(r, a, n);
        else
            multiplyBasecase(r, a, n, b, n);
        return;
    }
    const std::size_t h = n / 2;
    const std::size_t upper = n - h;  // >= h
    Word* differenceA = scratch;
    Word* differenceB = differenceA + upper;
    Word* middle = differenceB + upper;         // 2 * upper + 1 words
    Word* product = middle + 2 * upper + 1;     // 2 * upper words
    Word* deeper = product + 2 * upper;

    karatsuba(r, a, b, h, deeper);
    karatsuba(r + 2 * h, a + h, b + h, upper, deeper);

    // The low halves are padded to `upper` words for the differences.
    std::memset(middle, 0, (2 * upper + 1) * sizeof(Word));
    std::memcpy(middle, a, h * sizeof(Word));
    const bool aNegative = absoluteDifference(differenceA, middle, a + h, upper);
    bool bNegative = aNegative;
    if (a != b) {
        std::memcpy(middle, b, h * sizeof(Word));
        bNegative = absoluteDifference(differenceB, middle, b + h, upper);
    }
    karatsuba(product, differenceA, a == b ? differenceA : differenceB, upper, deeper);

    // middle = a0 b0 + a1 b1 -/+ |a0 - a1| |b0 - b1|, never negative.
    std::memcpy(middle, r + 2 * h, 2 * upper * sizeof(Word));
    const Word low = addWords(middle, middle, r, 2 * h);
    middle[2 * upper] = addWord(middle + 2 * h, middle + 2 * h, 2 * upper - 2 * h, low);
    if (aNegative == bNegative)
        middle[2 * upper] -= subtractWords(middle, middle, product, 2 * upper);
    else
        middle[2 * upper] += addWords(middle, middle, product, 2 * upper);
    // h >= 1 keeps the middle term, 2 upper + 1 words from h on, inside r.
    const std::size_t span = 2 * upper + 1;
    const Word carry = addWords(r + h, r + h, middle, span);
    addWord(r + h + span, r + h + span, 2 * n - h - span, carry);
}

}  // namespace

namespace {
// r[0 .. 2n) = a * b for n-word operands of at least the Karatsuba size.
void balancedProduct(Word* r, const Word* a, const Word* b, std::size_t n, Word* scratch) {
    if (n >= kToomThreshold)
        toomCook3(r, a, b, n);
    else
        karatsuba(r, a, b, n, scratch);
}
}  // namespace

void multiplyWords(Word* r, const Word* a, std::size_t an, const Word* b, std::size_t bn) {
    if (bn < kKaratsubaThreshold) {
        multiplyBasecase(r, a, an, b, bn);
        return;
    }
    if (bn >= transformThreshold()) {
        transformProduct(r, a, an, b, bn);
        return;
    }
    WordBuffer scratch(karatsubaScratch(bn) + 2 * bn + 1);
    if (an == bn) {
        balancedProduct(r, a, b, bn, scratch.data());
        return;
    }
    // Unbalanced: bn-word slices of a, each a balanced product added in.
    Word* slice = scratch.data() + karatsubaScratch(bn);
    std::memset(r, 0, (an + bn) * sizeof(Word));
    for (std::size_t offset = 0; offset < an; offset += bn) {
        const std::size_t length = an - offset < bn ? an - offset : bn;
        if (length == bn)
            balancedProduct(slice, a + offset, b, bn, scratch.data());
        else
            multiplyWords(slice, b, bn, a + offset, length);
        const std::size_t width = length + bn;
        const Word carry = addWords(r + offset, r + offset, slice, width);
        addWord(r + offset + width, r + offset + width, an + bn - offset - width, carry);
    }
}

void squareWords(Word* r, const Word* a, std::size_t n) {
    if (n < kKaratsubaThreshold) {
        squareBasecase(r, a, n);
        return;
    }
    if (n >= transformThreshold()) {
        transformProduct(r, a, n, a, n);
        return;
    }
    if (n >= kToomThreshold) {
        toomCook3(r, a, a, n);
        return;
    }
    WordBuffer scratch(karatsubaScratch(n));
    karatsuba(r, a, a, n, scratch.data());
}

// ---- Division -----------------------------------------------------------------

namespace {

// The reciprocal floor((B^2 - 1) / d) - B of a normalized divisor d.
Word reciprocalOf(Word d) {
    Word remainder;
    return divideWide(~d, ~Word(0), d, remainder);
}

// (u1 B + u0) / d for a normalized d and u1 < d, by one multiplication with
// the reciprocal and at most two corrections (Moller and Granlund).
inline Word divideTwoByOne(Word u1, Word u0, Word d, Word reciprocal, Word& remainder) {
    Word q;
    const Word low = multiplyAdd(reciprocal, u1, u0, 0, q);
    q += u1 + 1;
    Word r = u0 - q * d;
    if (r > low) {
        --q;
        r += d;
    }
    if (r >= d) {
        ++q;
        r -= d;
    }
    remainder = r;
    return q;
}

}  // namespace

WordDivisor::WordDivisor(Word divisor)
    : normalized(divisor << leadingZeros(divisor)),
      reciprocal(reciprocalOf(divisor << leadingZeros(divisor))),
      shift(leadingZeros(divisor)) {}

Word divideByWord(Word* q, const Word* a, std::size_t n, const WordDivisor& d) {
    if (n == 0) return 0;
    Word remainder = 0;
    if (d.shift == 0) {
        for (std::size_t i = n; i-- > 0;) {
            const Word digit = divideTwoByOne(remainder, a[i], d.normalized, d.reciprocal, remainder);
            if (q != nullptr) q[i] = digit;
        }
        return remainder;
    }
    // The dividend is shifted along with the divisor, one word at a time.
    const unsigned int s = d.shift;
    remainder = a[n - 1] >> (kWordBits - s);
    for (std::size_t i = n; i-- > 0;) {
        const Word shifted = (a[i] << s) | (i > 0 ? a[i - 1] >> (kWordBits - s) : 0);
        const Word digit = divideTwoByOne(remainder, shifted, d.normalized, d.reciprocal, remainder);
        if (q != nullptr) q[i] = digit;
    }
    return remainder >> s;
}

// Knuth's algorithm D. Invariant: before step j the top dn + 1 words of the
// running remainder u[j .. j + dn] are below v B, so each quotient word fits
// in a word; the estimate from the top two words of u and v[dn - 1], checked
// against v[dn - 2], is at most one too large, and the add-back fixes that.
void divideWords(Word* q, Word* r, const Word* a, std::size_t an, const Word* d, std::size_t dn) {
    if (dn >= kRecursiveDivisionThreshold && an - dn >= kRecursiveDivisionThreshold)
        divideRecursively(q, r, a, an, d, dn);
    else
        longDivision(q, r, a, an, d, dn);
}

void longDivision(Word* q, Word* r, const Word* a, std::size_t an, const Word* d, std::size_t dn) {
    if (dn == 1) {
        const Word remainder = divideByWord(q, a, an, WordDivisor(d[0]));
        if (r != nullptr) r[0] = remainder;
        return;
    }
    WordBuffer scratch(an + 1 + dn);
    Word* u = scratch.data();
    Word* v = u + an + 1;
    const unsigned int s = leadingZeros(d[dn - 1]);
    if (s != 0) {
        shiftLeftWords(v, d, dn, s);
        u[an] = shiftLeftWords(u, a, an, s);
    } else {
        std::memcpy(v, d, dn * sizeof(Word));
        std::memcpy(u, a, an * sizeof(Word));
        u[an] = 0;
    }
    const Word v1 = v[dn - 1];
    const Word v0 = v[dn - 2];
    const Word reciprocal = reciprocalOf(v1);

    for (std::size_t j = an - dn + 1; j-- > 0;) {
        const Word u2 = u[j + dn];
        const Word u1 = u[j + dn - 1];
        const Word u0 = u[j + dn - 2];
        Word qhat;
        Word rhat;
        bool rhatFits = true;
        if (u2 >= v1) {
            qhat = ~Word(0);
            rhat = u1 + v1;
            rhatFits = rhat >= u1;
        } else {
            qhat = divideTwoByOne(u2, u1, v1, reciprocal, rhat);
        }
        if (rhatFits) {
            // qhat v0 against rhat B + u0, two words each.
            Word productHigh;
            Word productLow = multiplyWide(qhat, v0, productHigh);
            while (productHigh > rhat || (productHigh == rhat && productLow > u0)) {
                --qhat;
                Word borrow;
                productLow = subtractBorrow(productLow, v0, 0, borrow);
                productHigh -= borrow;
                rhat += v1;
                if (rhat < v1) break;
            }
        }
        const Word borrow = subtractMultiplyWord(u + j, v, dn, qhat);
        const Word top = u[j + dn];
        u[j + dn] = top - borrow;
        if (top < borrow) {
            --qhat;
            u[j + dn] += addWords(u + j, u + j, v, dn);
        }
        if (q != nullptr) q[j] = qhat;
    }
    if (r != nullptr) {
        if (s != 0)
            shiftRightWords(r, u, dn, s);
        else
            std::memcpy(r, u, dn * sizeof(Word));
    }
}

}  // namespace internal
}  // namespace Korvane
