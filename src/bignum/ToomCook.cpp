#include "bignum/ToomCook.h"

#include <cstring>

#include "bignum/WordArithmetic.h"

namespace Korvane {
namespace internal {

namespace {

// z = x + y for signed n-word values (magnitude and sign); z may be x or y.
// Returns the sign of z. The callers' values stay far below B^n.
bool addSigned(Word* z, const Word* x, bool xNegative, const Word* y, bool yNegative, std::size_t n) {
    if (xNegative == yNegative) {
        addWords(z, x, y, n);
        return xNegative;
    }
    if (compareWords(x, y, n) >= 0) {
        subtractWords(z, x, y, n);
        return xNegative;
    }
    subtractWords(z, y, x, n);
    return yNegative;
}

// The `count` words at `from` zero-extended to `n` words at `to`.
void padded(Word* to, const Word* from, std::size_t count, std::size_t n) {
    std::memcpy(to, from, count * sizeof(Word));
    std::memset(to + count, 0, (n - count) * sizeof(Word));
}

// The values at 1, -1 and -2 of x0 + x1 X + x2 X^2 (parts of k, k and top
// words) in e = k + 1 words each; `spare` holds e words. Returns the signs
// of the values at -1 and -2 through the last two arguments.
void evaluate(const Word* x, std::size_t k, std::size_t top, Word* atOne, Word* atMinusOne, Word* atMinusTwo,
              Word* spare, bool& minusOneNegative, bool& minusTwoNegative) {
    const std::size_t e = k + 1;
    padded(atOne, x, k, e);                       // x0
    padded(spare, x + 2 * k, top, e);             // x2
    addWords(atOne, atOne, spare, e);             // x0 + x2
    padded(atMinusTwo, x + k, k, e);              // x1
    minusOneNegative = addSigned(atMinusOne, atOne, false, atMinusTwo, true, e);  // x0 - x1 + x2
    addWords(atOne, atOne, atMinusTwo, e);        // x0 + x1 + x2
    // x0 - 2 x1 + 4 x2 = 2 (x(-1) + x2) - x0
    minusTwoNegative = addSigned(atMinusTwo, atMinusOne, minusOneNegative, spare, false, e);
    shiftLeftWords(atMinusTwo, atMinusTwo, e, 1);
    padded(spare, x, k, e);
    minusTwoNegative = addSigned(atMinusTwo, atMinusTwo, minusTwoNegative, spare, true, e);
}

void product(Word* r, const Word* a, const Word* b, std::size_t n) {
    if (a == b)
        squareWords(r, a, n);
    else
        multiplyWords(r, a, n, b, n);
}

// r[offset ..) += c (m words), the carry run up to the end of r (size words).
void addAt(Word* r, std::size_t size, std::size_t offset, const Word* c, std::size_t m) {
    const std::size_t length = m < size - offset ? m : size - offset;
    const Word carry = addWords(r + offset, r + offset, c, length);
    addWord(r + offset + length, r + offset + length, size - offset - length, carry);
}

}  // namespace

// a = a0 + a1 X + a2 X^2 with X = B^k, likewise b; the product's five
// coefficients c0 .. c4 come from its values at 0, 1, -1, -2 and infinity
// by Bodrato's interpolation sequence.
void toomCook3(Word* r, const Word* a, const Word* b, std::size_t n) {
    const std::size_t k = (n + 2) / 3;
    const std::size_t top = n - 2 * k;  // words of a2 and b2, 1 .. k
    const std::size_t e = k + 1;        // words of a value
    const std::size_t m = 2 * e;        // words of a product or coefficient
    const bool square = a == b;
    WordBuffer scratch(6 * e + 4 * m);
    Word* aOne = scratch.data();
    Word* aMinusOne = aOne + e;
    Word* aMinusTwo = aMinusOne + e;
    Word* bOne = aMinusTwo + e;
    Word* bMinusOne = bOne + e;
    Word* bMinusTwo = bMinusOne + e;
    Word* one = bMinusTwo + e;       // the product at 1, then c1
    Word* minusOne = one + m;        // at -1, then c2
    Word* minusTwo = minusOne + m;   // at -2, then c3
    Word* spare = minusTwo + m;

    bool aMinusOneNegative = false, aMinusTwoNegative = false;
    evaluate(a, k, top, aOne, aMinusOne, aMinusTwo, spare, aMinusOneNegative, aMinusTwoNegative);
    bool bMinusOneNegative = aMinusOneNegative, bMinusTwoNegative = aMinusTwoNegative;
    if (!square) evaluate(b, k, top, bOne, bMinusOne, bMinusTwo, spare, bMinusOneNegative, bMinusTwoNegative);
    const Word* bAt1 = square ? aOne : bOne;
    const Word* bAtMinus1 = square ? aMinusOne : bMinusOne;
    const Word* bAtMinus2 = square ? aMinusTwo : bMinusTwo;

    // c0 = a0 b0 and c4 = a2 b2 go straight to their places in r.
    std::memset(r + 2 * k, 0, 2 * k * sizeof(Word));
    product(r, a, b, k);
    product(r + 4 * k, a + 2 * k, b + 2 * k, top);
    product(one, aOne, bAt1, e);
    product(minusOne, aMinusOne, bAtMinus1, e);
    bool minusOneNegative = aMinusOneNegative != bMinusOneNegative;
    product(minusTwo, aMinusTwo, bAtMinus2, e);
    bool minusTwoNegative = aMinusTwoNegative != bMinusTwoNegative;

    // r3 = (w(-2) - w(1)) / 3, r1 = (w(1) - w(-1)) / 2, r2 = w(-1) - w(0),
    // r3 = (r2 - r3) / 2 + 2 w(inf), r2 = r2 + r1 - w(inf), r1 = r1 - r3.
    minusTwoNegative = addSigned(minusTwo, minusTwo, minusTwoNegative, one, true, m);
    divideByWord(minusTwo, minusTwo, m, WordDivisor(3));
    bool oneNegative = addSigned(one, one, false, minusOne, !minusOneNegative, m);
    shiftRightWords(one, one, m, 1);
    padded(spare, r, 2 * k, m);
    minusOneNegative = addSigned(minusOne, minusOne, minusOneNegative, spare, true, m);
    minusTwoNegative = addSigned(minusTwo, minusOne, minusOneNegative, minusTwo, !minusTwoNegative, m);
    shiftRightWords(minusTwo, minusTwo, m, 1);
    padded(spare, r + 4 * k, 2 * top, m);
    shiftLeftWords(spare, spare, m, 1);
    minusTwoNegative = addSigned(minusTwo, minusTwo, minusTwoNegative, spare, false, m);
    minusOneNegative = addSigned(minusOne, minusOne, minusOneNegative, one, oneNegative, m);
    shiftRightWords(spare, spare, m, 1);
    minusOneNegative = addSigned(minusOne, minusOne, minusOneNegative, spare, true, m);
    oneNegative = addSigned(one, one, oneNegative, minusTwo, !minusTwoNegative, m);

    // The coefficients are the product's, so none is negative.
    addAt(r, 2 * n, k, one, m);
    addAt(r, 2 * n, 2 * k, minusOne, m);
    addAt(r, 2 * n, 3 * k, minusTwo, m);
}

}  // namespace internal
}  // namespace Korvane
