// Montgomery arithmetic modulo an odd number m of n words.
//
// With R = 2^(64 n), a residue x is held as x R mod m; the product of two held
// residues is reduced by one division-free pass (REDC) to (a b / R) mod m.
// Every operation runs the same instructions and touches the same addresses
// whatever the values of its operands: the final conditional subtraction is
// done by masking. Only the modulus and its size steer the control flow.
#pragma once

#include <cstddef>

#include "bignum/WordBuffer.h"

namespace Korvane {
namespace internal {

// m^-1 mod 2^64 for an odd m.
Word inverseModWord(Word m);

class Montgomery {
public:
    // `modulus` is n >= 1 words, odd, with a non-zero top word.
    Montgomery(const Word* modulus, std::size_t n);

    std::size_t size() const { return n; }
    const Word* modulus() const { return m.data(); }
    // R mod m: the number 1 in Montgomery form.
    const Word* one() const { return rModM.data(); }

    // out = a b / R mod m for a, b below m (n words each); out may be a or b.
    void multiply(Word* out, const Word* a, const Word* b);
    // out = a a / R mod m.
    void square(Word* out, const Word* a);
    // out = a R mod m for any n-word a (a may be m or above).
    void toMontgomery(Word* out, const Word* a);
    // out = (a + b) mod m for a, b below m; out may be a or b.
    void add(Word* out, const Word* a, const Word* b);
    // out = a / R mod m, fully reduced.
    void fromMontgomery(Word* out, const Word* a);

private:
    // out = t / R mod m for a 2n-word t below m R; t is destroyed.
    void reduce(Word* out, Word* t);
    // out = value - m when value (with `top` as an extra top word, 0 or 1)
    // is at least m, else value; by masking, not branching.
    void subtractIfNotBelow(Word* out, const Word* value, Word top);

    std::size_t n;
    WordBuffer m;
    Word inverse;  // -m^-1 mod 2^64
    WordBuffer rModM;
    WordBuffer rSquared;  // R^2 mod m
    WordBuffer product;   // 2n-word scratch
    WordBuffer spare;     // n-word scratch
};

}  // namespace internal
}  // namespace Korvane
