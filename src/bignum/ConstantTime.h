// Branch-free selection for the code that handles secret values.
//
// A mask is all ones or all zeros; selecting with it runs the same
// instructions on the same addresses whichever way it goes. The barrier
// keeps the optimiser from noticing that a mask has only two values and
// turning a selection back into a branch.
#pragma once

#include <cstddef>

#include "bignum/WordBuffer.h"

namespace Korvane {
namespace internal {

inline Word valueBarrier(Word x) {
#if defined(__GNUC__)
    __asm__("" : "+r"(x));
#endif
    return x;
}

// All ones when bit 0 of `bit` is set, else zero.
inline Word maskFromBit(Word bit) { return 0 - (valueBarrier(bit) & 1); }

// All ones when a == b, else zero.
inline Word equalMask(Word a, Word b) {
    const Word x = valueBarrier(a ^ b);
    return ((x | (0 - x)) >> (kWordBits - 1)) - 1;
}

// out = mask ? a : b over n words; out may be a or b.
inline void selectWords(Word* out, const Word* a, const Word* b, Word mask, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) out[i] = (a[i] & mask) | (b[i] & ~mask);
}

// out = entry `index` of a table of `entries` n-word entries, reading all
// of them and keeping the one entry by masking.
inline void selectEntry(Word* out, const Word* table, std::size_t entries, std::size_t n, Word index) {
    for (std::size_t i = 0; i < n; ++i) out[i] = 0;
    for (std::size_t e = 0; e < entries; ++e) {
        const Word mask = equalMask(e, index);
        const Word* entry = table + e * n;
        for (std::size_t i = 0; i < n; ++i) out[i] |= entry[i] & mask;
    }
}

}  // namespace internal
}  // namespace Korvane
