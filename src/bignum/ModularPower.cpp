#include "bignum/ModularPower.h"

#include <cstring>

#include "bignum/Montgomery.h"
#include "bignum/WordArithmetic.h"

namespace Korvane {
namespace internal {

namespace {

// Window width for a left-to-right fixed-window exponentiation of `bits`
// bits: each extra bit halves the multiplications along the exponent and
// doubles the table; these steps balance the two.
unsigned int windowBits(std::size_t bits) {
    if (bits >= 512) return 5;
    if (bits >= 160) return 4;
    if (bits >= 48) return 3;
    if (bits >= 16) return 2;
    return 1;
}

// Bits [position, position + width) of the exponent; positions at or past
// `bits` read as zero.
Word exponentWindow(const Word* exponent, std::size_t bits, std::size_t position, unsigned int width) {
    Word value = 0;
    for (unsigned int k = 0; k < width; ++k) {
        const std::size_t bit = position + k;
        if (bit >= bits) break;
        value |= ((exponent[bit / kWordBits] >> (bit % kWordBits)) & 1) << k;
    }
    return value;
}

// base^e for the modular arithmetic `field` (Montgomery or plain residues):
// windows of the exponent from the top, each one costing `width` squarings
// and one multiplication by a table entry base^window, the zero window
// included, so the count of operations depends only on the exponent length.
template <class Field>
void fixedWindowPower(Field& field, Word* out, const Word* base, const Word* exponent, std::size_t bits) {
    const std::size_t n = field.size();
    const unsigned int width = windowBits(bits);
    const std::size_t entries = std::size_t(1) << width;
    WordBuffer table(entries * n);
    std::memcpy(table.data(), field.one(), n * sizeof(Word));
    std::memcpy(table.data() + n, base, n * sizeof(Word));
    for (std::size_t i = 2; i < entries; ++i) field.multiply(table.data() + i * n, table.data() + (i - 1) * n, base);

    const std::size_t windows = (bits + width - 1) / width;
    WordBuffer accumulator(n);
    Word* result = accumulator.data();
    std::memcpy(result, field.one(), n * sizeof(Word));
    for (std::size_t w = windows; w-- > 0;) {
        if (w + 1 != windows) {
            for (unsigned int k = 0; k < width; ++k) field.square(result, result);
        }
        const Word window = exponentWindow(exponent, bits, w * width, width);
        field.multiply(result, result, table.data() + window * n);
    }
    std::memcpy(out, result, n * sizeof(Word));
}

// Residues modulo any m > 1, reduced by long division after each product.
class PlainResidues {
public:
    PlainResidues(const Word* modulus, std::size_t n) : n(n), m(modulus), unit(n), product(2 * n) { unit[0] = 1; }
    std::size_t size() const { return n; }
    const Word* one() const { return unit.data(); }
    void multiply(Word* out, const Word* a, const Word* b) {
        multiplyBasecase(product.data(), a, n, b, n);
        divideWords(nullptr, out, product.data(), 2 * n, m, n);
    }
    void square(Word* out, const Word* a) { multiply(out, a, a); }

private:
    std::size_t n;
    const Word* m;
    WordBuffer unit;
    WordBuffer product;
};

// base mod m into n words.
void reduceBase(Word* out, const Word* base, std::size_t bn, const Word* m, std::size_t n) {
    bn = significantWords(base, bn);
    if (bn < n || (bn == n && compareWords(base, m, n) < 0)) {
        std::memset(out, 0, n * sizeof(Word));
        std::memcpy(out, base, bn * sizeof(Word));
        return;
    }
    divideWords(nullptr, out, base, bn, m, n);
}

}  // namespace

void modularPower(Word* out, const Word* base, std::size_t bn, const Word* exponent, std::size_t exponentBits,
                  const Word* m, std::size_t mn) {
    WordBuffer reducedBase(mn);
    reduceBase(reducedBase.data(), base, bn, m, mn);
    if ((m[0] & 1) != 0) {
        Montgomery field(m, mn);
        WordBuffer held(mn);
        field.toMontgomery(held.data(), reducedBase.data());
        fixedWindowPower(field, held.data(), held.data(), exponent, exponentBits);
        field.fromMontgomery(out, held.data());
    } else {
        PlainResidues field(m, mn);
        fixedWindowPower(field, out, reducedBase.data(), exponent, exponentBits);
    }
}

}  // namespace internal
}  // namespace Korvane
