// Modular exponentiation whose instructions and memory accesses depend only
// on the sizes of the operands and on the (public) modulus, never on the
// bits of the base or the exponent.
//
// Odd moduli run a fixed-window Montgomery exponentiation: the exponent is
// read in windows of w bits from the top, each window costs w squarings and
// one multiplication by a table entry base^window (the zero window too), the
// entry is fetched by reading the whole table and keeping one entry with a
// mask, and every Montgomery product ends with a masked subtraction. From
// 512 bits, where PowerKernel.h selects it, the products run in 52-bit limbs
// (Radix52Montgomery.h), whose residues stay below 2m between products and
// take their one masked subtraction when they leave the field. An even
// modulus m = 2^k m' is split: the power modulo m' as above, the power
// modulo 2^k the same way with truncated products, and the two joined by the
// Chinese remainder theorem. The base is reduced by Montgomery products too,
// chunk by chunk, so its value steers nothing either.
#include "bignum/ModularPower.h"

#include <cstring>

#include "bignum/ConstantTime.h"
#include "bignum/Montgomery.h"
#include "bignum/PowerKernel.h"
#include "bignum/Radix52Montgomery.h"
#include "bignum/WordArithmetic.h"

namespace Korvane {
namespace internal {

namespace {

// Window width for `bits` exponent bits: each extra bit saves
// multiplications along the exponent and doubles the table (and the cost of
// reading all of it); these steps balance the two.
unsigned int windowBits(std::size_t bits) {
    if (bits >= 512) return 5;
    if (bits >= 160) return 4;
    if (bits >= 48) return 3;
    if (bits >= 16) return 2;
    return 1;
}

// Bits [position, position + width) of the exponent; positions at or past
// `bits` read as zero. The positions are public, the value is not.
Word exponentWindow(const Word* exponent, std::size_t bits, std::size_t position, unsigned int width) {
    Word value = 0;
    for (unsigned int k = 0; k < width && position + k < bits; ++k) {
        const std::size_t bit = position + k;
        value |= ((exponent[bit / kWordBits] >> (bit % kWordBits)) & 1) << k;
    }
    return value;
}

// The table read of the fixed-window power: the portable loop above, or
// the field's own when it has a faster one.
template <class Field>
void selectFrom(Field&, Word* out, const Word* table, std::size_t entries, std::size_t n, Word index) {
    selectEntry(out, table, entries, n, index);
}

void selectFrom(Radix52Montgomery& field, Word* out, const Word* table, std::size_t entries, std::size_t,
                Word index) {
    field.select(out, table, entries, index);
}

// out = base^e in `field` (Montgomery residues or residues modulo 2^k), with
// base in the field's own form; out may be base.
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
    WordBuffer scratch(2 * n);
    Word* result = scratch.data();
    Word* factor = result + n;
    std::memcpy(result, field.one(), n * sizeof(Word));
    for (std::size_t w = windows; w-- > 0;) {
        if (w + 1 != windows) {
            for (unsigned int k = 0; k < width; ++k) field.square(result, result);
        }
        selectFrom(field, factor, table.data(), entries, n, exponentWindow(exponent, bits, w * width, width));
        field.multiply(result, result, factor);
    }
    std::memcpy(out, result, n * sizeof(Word));
}

// Residues modulo 2^k in ceil(k / 64) words: truncated products.
class PowerOfTwoResidues {
public:
    explicit PowerOfTwoResidues(std::size_t k)
        : n((k + kWordBits - 1) / kWordBits),
          topMask(k % kWordBits == 0 ? ~Word(0) : (Word(1) << (k % kWordBits)) - 1),
          unit(n),
          product(2 * n) {
        unit[0] = 1;
    }
    std::size_t size() const { return n; }
    const Word* one() const { return unit.data(); }
    void multiply(Word* out, const Word* a, const Word* b) {
        multiplyBasecase(product.data(), a, n, b, n);
        std::memcpy(out, product.data(), n * sizeof(Word));
        out[n - 1] &= topMask;
    }
    void square(Word* out, const Word* a) { multiply(out, a, a); }
    // out = x mod 2^k for an xn-word x; out may be x when xn >= n.
    void reduce(Word* out, const Word* x, std::size_t xn) const {
        if (out != x) {
            std::memset(out, 0, n * sizeof(Word));
            std::memcpy(out, x, (xn < n ? xn : n) * sizeof(Word));
        }
        out[n - 1] &= topMask;
    }
    // out = m^-1 mod 2^k for an odd mn-word m, by Newton's iteration
    // x <- x (2 - m x), which doubles the correct low bits each time.
    void inverse(Word* out, const Word* m, std::size_t mn) {
        WordBuffer modulus(n);
        reduce(modulus.data(), m, mn);
        WordBuffer term(n);
        std::memset(out, 0, n * sizeof(Word));
        Word x = m[0];
        for (int i = 0; i < 5; ++i) x *= 2 - m[0] * x;
        out[0] = x;
        for (std::size_t correct = kWordBits; correct < n * kWordBits; correct *= 2) {
            multiply(term.data(), modulus.data(), out);
            // term = 2 - m x
            for (std::size_t i = 0; i < n; ++i) term[i] = ~term[i];
            addWord(term.data(), term.data(), n, 3);
            multiply(out, out, term.data());
        }
        out[n - 1] &= topMask;
    }

private:
    std::size_t n;
    Word topMask;
    WordBuffer unit;
    WordBuffer product;
};

// out = base R mod m (the base's Montgomery form) for a base of any bn words:
// Horner's rule over n-word chunks, base = sum c_i R^i, each step
// acc R + c R formed with Montgomery products and a masked addition.
void montgomeryForm(Montgomery& field, Word* out, const Word* base, std::size_t bn) {
    const std::size_t n = field.size();
    std::memset(out, 0, n * sizeof(Word));
    if (bn == 0) return;
    const std::size_t chunks = (bn + n - 1) / n;
    WordBuffer chunk(n);
    for (std::size_t c = chunks; c-- > 0;) {
        const std::size_t offset = c * n;
        const std::size_t length = bn - offset < n ? bn - offset : n;
        std::memset(chunk.data(), 0, n * sizeof(Word));
        std::memcpy(chunk.data(), base + offset, length * sizeof(Word));
        field.toMontgomery(chunk.data(), chunk.data());
        if (c + 1 != chunks) field.toMontgomery(out, out);
        field.add(out, out, chunk.data());
    }
}

// The power in 52-bit limbs. A base of at most mn words enters the field as
// it is; a longer one is first reduced below m by Montgomery products on words.
void radix52Power(Word* out, const Word* base, std::size_t bn, const Word* exponent, std::size_t bits,
                  const Word* m, std::size_t mn, bool vectors) {
    WordBuffer held(mn);
    if (bn <= mn) {
        std::memcpy(held.data(), base, bn * sizeof(Word));
    } else {
        Montgomery field(m, mn);
        montgomeryForm(field, held.data(), base, bn);
        field.fromMontgomery(held.data(), held.data());
    }
    Radix52Montgomery limbs(m, mn, vectors);
    WordBuffer power(limbs.size());
    limbs.toField(power.data(), held.data());
    fixedWindowPower(limbs, power.data(), power.data(), exponent, bits);
    limbs.fromField(out, power.data());
}

void oddModulusPower(Word* out, const Word* base, std::size_t bn, const Word* exponent, std::size_t bits,
                     const Word* m, std::size_t mn) {
    const PowerKernel kernel = activePowerKernel();
    if (kernel != PowerKernel::Words && Radix52Montgomery::suits(mn)) {
        radix52Power(out, base, bn, exponent, bits, m, mn, kernel == PowerKernel::Radix52);
        return;
    }
    Montgomery field(m, mn);
    WordBuffer held(mn);
    montgomeryForm(field, held.data(), base, bn);
    fixedWindowPower(field, held.data(), held.data(), exponent, bits);
    field.fromMontgomery(out, held.data());
}

// m = 2^k m' with m' odd: x1 = base^e mod m', x2 = base^e mod 2^k, and the
// result x1 + m' ((x2 - x1) m'^-1 mod 2^k), which is below m.
void evenModulusPower(Word* out, const Word* base, std::size_t bn, const Word* exponent, std::size_t bits,
                      const Word* m, std::size_t mn) {
    std::size_t k = 0;
    while (m[k / kWordBits] == 0) k += kWordBits;
    k += static_cast<std::size_t>(__builtin_ctzll(m[k / kWordBits]));
    PowerOfTwoResidues low(k);
    const std::size_t ln = low.size();
    WordBuffer x2(ln);
    low.reduce(x2.data(), base, bn);
    fixedWindowPower(low, x2.data(), x2.data(), exponent, bits);

    // m' = m >> k.
    const std::size_t skip = k / kWordBits;
    WordBuffer oddPart(mn - skip);
    if (k % kWordBits != 0)
        shiftRightWords(oddPart.data(), m + skip, mn - skip, k % kWordBits);
    else
        std::memcpy(oddPart.data(), m + skip, (mn - skip) * sizeof(Word));
    const std::size_t on = oddPart.significantSize();
    std::memset(out, 0, mn * sizeof(Word));
    if (on == 1 && oddPart[0] == 1) {
        std::memcpy(out, x2.data(), (ln < mn ? ln : mn) * sizeof(Word));
        return;
    }
    WordBuffer x1(on);
    oddModulusPower(x1.data(), base, bn, exponent, bits, oddPart.data(), on);

    WordBuffer inverse(ln);
    low.inverse(inverse.data(), oddPart.data(), on);
    WordBuffer h(ln);
    low.reduce(h.data(), x1.data(), on);
    subtractWords(h.data(), x2.data(), h.data(), ln);
    low.reduce(h.data(), h.data(), ln);
    low.multiply(h.data(), h.data(), inverse.data());

    WordBuffer joined(on + ln + 1);
    multiplyBasecase(joined.data(), oddPart.data(), on, h.data(), ln);
    const Word carry = addWords(joined.data(), joined.data(), x1.data(), on);
    addWord(joined.data() + on, joined.data() + on, ln + 1, carry);
    std::memcpy(out, joined.data(), mn * sizeof(Word));
}

}  // namespace

void modularPower(Word* out, const Word* base, std::size_t bn, const Word* exponent, std::size_t exponentBits,
                  const Word* m, std::size_t mn) {
    if ((m[0] & 1) != 0)
        oddModulusPower(out, base, bn, exponent, exponentBits, m, mn);
    else
        evenModulusPower(out, base, bn, exponent, exponentBits, m, mn);
}

}  // namespace internal
}  // namespace Korvane
