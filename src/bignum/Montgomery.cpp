#include "bignum/Montgomery.h"

#include <cstring>

#include "bignum/ConstantTime.h"
#include "bignum/WordArithmetic.h"

namespace Korvane {
namespace internal {

// Newton's iteration: each step doubles the number of correct low bits,
// starting from the 3 bits that m itself gives.
Word inverseModWord(Word m) {
    Word x = m;
    for (int i = 0; i < 5; ++i) x *= 2 - m * x;
    return x;
}

Montgomery::Montgomery(const Word* modulus, std::size_t n)
    : n(n), m(n), inverse(0 - inverseModWord(modulus[0])), rModM(n), rSquared(n), product(2 * n + 1), spare(n) {
    std::memcpy(m.data(), modulus, n * sizeof(Word));
    // R mod m and R^2 mod m by long division; the modulus is public, so the
    // data-dependent steps of the division reveal nothing secret.
    WordBuffer power(2 * n + 1);
    power[n] = 1;
    divideWords(nullptr, rModM.data(), power.data(), n + 1, m.data(), n);
    power[n] = 0;
    power[2 * n] = 1;
    divideWords(nullptr, rSquared.data(), power.data(), 2 * n + 1, m.data(), n);
}

// REDC: the rows leave t / R, below 2m, and one masked subtraction ends it.
void Montgomery::reduce(Word* out, Word* t) {
    const Word overflow = montgomeryRows(t, m.data(), n, inverse);
    subtractIfNotBelow(out, t + n, overflow);
}

void Montgomery::subtractIfNotBelow(Word* out, const Word* value, Word top) {
    Word* difference = spare.data();
    const Word borrow = subtractWords(difference, value, m.data(), n);
    // Keep the value exactly when it was below m: no top word and a borrow
    // out of the subtraction.
    selectWords(out, value, difference, maskFromBit(borrow & ~top), n);
}

void Montgomery::add(Word* out, const Word* a, const Word* b) {
    Word* sum = product.data();
    const Word carry = addWords(sum, a, b, n);
    subtractIfNotBelow(out, sum, carry);
}

void Montgomery::multiply(Word* out, const Word* a, const Word* b) {
    multiplyBasecase(product.data(), a, n, b, n);
    reduce(out, product.data());
}

void Montgomery::square(Word* out, const Word* a) {
    squareBasecase(product.data(), a, n);
    reduce(out, product.data());
}

void Montgomery::toMontgomery(Word* out, const Word* a) {
    // a R^2 / R: below 2m for any a < R, so one subtraction reduces it.
    multiply(out, a, rSquared.data());
}

void Montgomery::fromMontgomery(Word* out, const Word* a) {
    std::memset(product.data(), 0, 2 * n * sizeof(Word));
    std::memcpy(product.data(), a, n * sizeof(Word));
    reduce(out, product.data());
}

}  // namespace internal
}  // namespace Korvane
