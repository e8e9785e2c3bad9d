// Montgomery arithmetic modulo an odd m in 52-bit limbs on AVX-512 IFMA
// (vpmadd52luq, vpmadd52huq; Radix52Vector.h), the field of the odd-modulus
// power on the processors that have it, or with the same steps on plain
// words (Radix52WordLanes.h).
//
// Residues are held as x R mod m with R = 2^(52 k), k the least limb count
// with 4 2^(64 mn) <= R, in size() limbs (k padded to whole vectors of eight), and
// stay below 2m between products (Radix52Product.h): the one masked
// subtraction comes when a residue leaves the field. Small moduli, whose
// products wait on the chain from one limb's q to the next, are replaced
// in the products by their multiple k0 m (k0 = -m^-1 mod 2^52), congruent
// to -1 modulo 2^52, when its extra limb fits the same vectors: residues
// modulo k0 m are residues modulo m, and its q costs no multiplication. Every operation runs
// the same instructions on the same addresses whatever its operands hold;
// only the modulus and its size steer it.
#pragma once

#include <cstddef>

#include "bignum/WordBuffer.h"

namespace Korvane {
namespace internal {

constexpr unsigned int kLimbBits = 52;
constexpr Word kLimbMask = (Word(1) << kLimbBits) - 1;
// Limbs to a vector register.
constexpr std::size_t kLanes = 8;
// Up to 16 vectors of eight limbs: moduli up to 6654 bits.
constexpr std::size_t kRadix52MostVectors = 16;

class Radix52Montgomery {
public:
    // Whether this processor (and build) runs the vector products.
    static bool processorSupported();
    // Whether a modulus of `mn` words gets this field: from 8 words up to
    // the largest vector count the products are built for.
    static bool suits(std::size_t mn);

    // `modulus` is mn words, odd, with a non-zero top word, and suits(mn).
    // The products run in vector registers when `vectors` is true, which
    // needs processorSupported(), and on plain words otherwise.
    Radix52Montgomery(const Word* modulus, std::size_t mn, bool vectors);

    std::size_t size() const { return lanes; }
    // R mod m: the number 1 in the field.
    const Word* one() const { return unit.data(); }

    // out = a b / R (mod m), below 2m, for a and b below 2m; out may be a or b.
    void multiply(Word* out, const Word* a, const Word* b);
    void square(Word* out, const Word* a) { multiply(out, a, a); }
    // out = entry `index` of a table of `entries` residues, reading all of
    // it and keeping the one entry by masking.
    void select(Word* out, const Word* table, std::size_t entries, Word index) const;
    // out (size() limbs) = x R mod m, below 2m, for any x of mn words.
    void toField(Word* out, const Word* x);
    // out (mn words) = a / R mod m, fully reduced.
    void fromField(Word* out, const Word* a);

    using Product = void (*)(Word*, const Word*, const Word*, const Word*, Word, std::size_t);
    using Select = void (*)(Word*, const Word*, std::size_t, std::size_t, Word);

private:
    std::size_t mn;
    bool minusOne;  // products modulo k0 m, congruent to -1 modulo 2^52
    std::size_t k;
    std::size_t lanes;
    Product product;
    Product plainProduct;  // modulo m itself
    Select selector;
    Word k0;  // -m^-1 mod 2^52
    WordBuffer m;         // the products' modulus in limbs
    WordBuffer plainM;    // m in limbs
    WordBuffer modulus;   // and in words
    WordBuffer unit;      // R mod m
    WordBuffer rSquared;  // R^2 mod m
    WordBuffer plainOne;  // 1, for leaving the field
    WordBuffer scratch;   // size() limbs
};

// Words <-> 52-bit limbs: limb j is bits [52 j, 52 j + 52).
void wordsToLimbs(Word* limbs, std::size_t limbCount, const Word* words, std::size_t wordCount);
void limbsToWords(Word* words, std::size_t wordCount, const Word* limbs, std::size_t limbCount);

}  // namespace internal
}  // namespace Korvane
