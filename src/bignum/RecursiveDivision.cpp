#include "bignum/RecursiveDivision.h"

#include <cstring>

#include "bignum/WordArithmetic.h"

namespace Korvane {
namespace internal {

namespace {

void divideThreeHalves(Word* q, Word* r, const Word* a, const Word* b, std::size_t m);

// q[0 .. n) = a / b and r[0 .. n) = a mod b for a 2n-word a whose top n
// words are below the n-word b, which has its top bit set.
void divideTwoBlocks(Word* q, Word* r, const Word* a, const Word* b, std::size_t n) {
    if (n % 2 != 0 || n < kRecursiveDivisionThreshold) {
        WordBuffer quotient(n + 1);  // the top word is zero
        longDivision(quotient.data(), r, a, 2 * n, b, n);
        std::memcpy(q, quotient.data(), n * sizeof(Word));
        return;
    }
    // a = [A1 A2 A3 A4] in blocks of m words, most significant first:
    // [A1 A2 A3] / b gives the high half of q and a remainder R, then
    // [R A4] / b the low half.
    const std::size_t m = n / 2;
    WordBuffer middle(3 * m);
    divideThreeHalves(q + m, middle.data() + m, a + m, b, m);
    std::memcpy(middle.data(), a, m * sizeof(Word));
    divideThreeHalves(q, r, middle.data(), b, m);
}

// q[0 .. m) = a / b and r[0 .. 2m) = a mod b for a 3m-word a whose top 2m
// words are below the 2m-word b, which has its top bit set. With b = [B1 B2]
// and a = [A1 A2 A3], the quotient estimate [A1 A2] / B1 is at most two too
// large; the remainder estimate [A1 A2] mod B1 B^m + A3 - estimate * B2
// shows by its sign when to lower it.
void divideThreeHalves(Word* q, Word* r, const Word* a, const Word* b, std::size_t m) {
    const Word* b1 = b + m;
    // The remainder estimate in 2m + 1 words, two's complement: it lies
    // above -2b, so its top word is 0 exactly when it is not negative.
    WordBuffer estimate(2 * m + 1);
    Word* rest = estimate.data();
    if (compareWords(a + 2 * m, b1, m) < 0) {
        divideTwoBlocks(q, rest + m, a + m, b1, m);
    } else {
        // A1 = B1 (the precondition rules out more): the estimate is B^m - 1
        // and [A1 A2] - (B^m - 1) B1 = A2 + B1.
        for (std::size_t i = 0; i < m; ++i) q[i] = ~Word(0);
        rest[2 * m] = addWords(rest + m, a + m, b1, m);
    }
    std::memcpy(rest, a, m * sizeof(Word));
    WordBuffer product(2 * m);
    multiplyWords(product.data(), q, m, b, m);
    rest[2 * m] -= subtractWords(rest, rest, product.data(), 2 * m);
    while (rest[2 * m] != 0) {
        subtractWord(q, q, m, 1);
        rest[2 * m] += addWords(rest, rest, b, 2 * m);
    }
    std::memcpy(r, rest, 2 * m * sizeof(Word));
}

// The least n = j 2^k >= words with j at most the threshold, so that
// halving ends in blocks for long division.
std::size_t blockFor(std::size_t words) {
    std::size_t j = words;
    unsigned int k = 0;
    while (j > kRecursiveDivisionThreshold) {
        j = (j + 1) / 2;
        ++k;
    }
    return j << k;
}

// Blocks of n words for the `length`-word a shifted by pad words and s
// bits; at least two.
std::size_t blocksNeeded(const Word* a, std::size_t length, std::size_t pad, unsigned int s, std::size_t n) {
    const std::size_t bits = bitLength(a, length) + kWordBits * pad + s;
    const std::size_t t = (bits + kWordBits * n - 1) / (kWordBits * n);
    return t < 2 ? 2 : t;
}

}  // namespace

void divideRecursively(Word* q, Word* r, const Word* a, std::size_t an, const Word* d, std::size_t dn) {
    // Blocks of n >= dn words. Divisor and dividend are shifted by the same
    // pad words and bits until the divisor fills a block with its top bit set.
    // A quotient a little longer than the divisor would take two steps of
    // blocks barely filled by the pad; blocks as long as the quotient take
    // one (the case of radix conversion, whose powers are a little shorter
    // than half the number).
    const std::size_t length = significantWords(a, an);
    const unsigned int s = leadingZeros(d[dn - 1]);
    std::size_t n = blockFor(dn);
    const std::size_t quotientWords = length >= dn ? length - dn + 1 : 0;
    if (blocksNeeded(a, length, n - dn, s, n) > 2 && 2 * quotientWords <= 3 * dn) n = blockFor(quotientWords);
    const std::size_t pad = n - dn;
    WordBuffer b(n);
    if (s != 0)
        shiftLeftWords(b.data() + pad, d, dn, s);
    else
        std::memcpy(b.data() + pad, d, dn * sizeof(Word));

    // The dividend in t blocks. Each step needs a top block below b; the
    // dividend's own top block is below 2b (b has its top bit set), so one
    // subtraction of b, worth a quotient word of 1 above the others, makes
    // it so without a block of zeros on top, which would double the work
    // whenever the dividend's length is a whole number of blocks.
    const std::size_t t = blocksNeeded(a, length, pad, s, n);
    WordBuffer dividend(t * n + 1);
    if (s != 0)
        dividend[pad + length] = shiftLeftWords(dividend.data() + pad, a, length, s);
    else
        std::memcpy(dividend.data() + pad, a, length * sizeof(Word));

    WordBuffer quotient((t - 1) * n + 1);
    Word* top = dividend.data() + (t - 1) * n;
    if (compareWords(top, b.data(), n) >= 0) {
        subtractWords(top, top, b.data(), n);
        quotient[(t - 1) * n] = 1;
    }
    WordBuffer window(2 * n);
    WordBuffer remainder(n);
    std::memcpy(window.data(), dividend.data() + (t - 2) * n, 2 * n * sizeof(Word));
    for (std::size_t i = t - 1; i-- > 0;) {
        divideTwoBlocks(quotient.data() + i * n, remainder.data(), window.data(), b.data(), n);
        if (i == 0) break;
        std::memcpy(window.data() + n, remainder.data(), n * sizeof(Word));
        std::memcpy(window.data(), dividend.data() + (i - 1) * n, n * sizeof(Word));
    }

    if (q != nullptr) {
        const std::size_t count = an - dn + 1;
        const std::size_t computed = quotient.size() < count ? quotient.size() : count;
        std::memcpy(q, quotient.data(), computed * sizeof(Word));
        std::memset(q + computed, 0, (count - computed) * sizeof(Word));
    }
    if (r != nullptr) {
        if (s != 0)
            shiftRightWords(r, remainder.data() + pad, dn, s);
        else
            std::memcpy(r, remainder.data() + pad, dn * sizeof(Word));
    }
}

}  // namespace internal
}  // namespace Korvane
