#include "bignum/Radix52Vector.h"

// Not on Windows: MinGW's GCC cannot realign the stack there, and spills of
// 64-byte vectors to it would fault.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(KORVANE_PORTABLE_WORDS) && !defined(_WIN32)
#include <immintrin.h>

#include <utility>

#include "bignum/ConstantTime.h"
#include "bignum/MachineWord.h"

// The products are compiled for AVX-512 IFMA while the rest of the library
// stays generic x86-64: everything defined from here on, the lane
// operations and this file's copy of the product template alike, carries
// the target, and runs only after radix52VectorsSupported() said yes.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx512f,avx512dq,avx512ifma,bmi2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx512f,avx512dq,avx512ifma,bmi2")
// GCC 12's own AVX-512 headers fill the unused operands of some built-ins
// with undefined vectors, which it then reports.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"
#endif

#include "bignum/Radix52Product.h"

namespace Korvane {
namespace internal {

namespace {

struct IfmaLanes {
    using Vector = __m512i;
    static inline __attribute__((always_inline)) Vector zero() { return _mm512_setzero_si512(); }
    static inline __attribute__((always_inline)) Vector broadcast(Word x) {
        return _mm512_set1_epi64(static_cast<long long>(x));
    }
    static inline __attribute__((always_inline)) Vector load(const Word* p) { return _mm512_loadu_si512(p); }
    static inline __attribute__((always_inline)) void store(Word* p, Vector x) { _mm512_storeu_si512(p, x); }
    static inline __attribute__((always_inline)) Word lane2(Vector x) {
        return static_cast<Word>(_mm_cvtsi128_si64(_mm512_extracti64x2_epi64(x, 1)));
    }
    static inline __attribute__((always_inline)) Vector add(Vector x, Vector y) { return _mm512_add_epi64(x, y); }
    static inline __attribute__((always_inline)) Word highWord(Word x, Word y) {
        Word high;
        multiplyWide(x, y, high);
        return high;
    }
    static inline __attribute__((always_inline)) Vector shiftDown(Vector low, Vector high) {
        return _mm512_alignr_epi64(high, low, 1);
    }
    // The carries in vector registers for up to eight vectors, whose lanes'
    // masks fit one word: two rounds of shifting each limb's excess into the
    // next limb leave carries of at most 1, which then ripple only through
    // limbs of all ones; those ripples are found at once by adding the
    // masks of the carries and of the all-ones limbs as binary numbers.
    template <std::size_t V>
    static inline __attribute__((always_inline)) void normalise(Vector* x, Word limb0, Word limb1, Word* out,
                                                                std::size_t k) {
        if constexpr (V > 8) {
            Word limbs[kLanes * V];
            for (std::size_t v = 0; v < V; ++v) store(limbs + kLanes * v, x[v]);
            limbs[0] = limb0;
            limbs[1] = limb1;
            carryLimbs(out, limbs, k, kLanes * V);
        } else {
            const Vector mask = broadcast(kLimbMask);
            x[0] = _mm512_mask_blend_epi64(0x3, x[0],
                                           _mm512_set_epi64(0, 0, 0, 0, 0, 0, static_cast<long long>(limb1),
                                                            static_cast<long long>(limb0)));
            Vector carries[V];
            for (int round = 0; round < 2; ++round) {
KORVANE_UNROLL_VECTORS
                for (std::size_t v = 0; v < V; ++v) {
                    carries[v] = _mm512_srli_epi64(x[v], kLimbBits);
                    x[v] = _mm512_and_si512(x[v], mask);
                }
                if (round == 1) break;
KORVANE_UNROLL_VECTORS
                for (std::size_t v = 0; v < V; ++v)
                    x[v] = _mm512_add_epi64(x[v], _mm512_alignr_epi64(carries[v], v == 0 ? zero() : carries[v - 1], 7));
            }
            Word generated = 0, propagating = 0;
KORVANE_UNROLL_VECTORS
            for (std::size_t v = 0; v < V; ++v) {
                generated |= Word(_mm512_test_epi64_mask(carries[v], carries[v])) << (kLanes * v);
                propagating |= Word(_mm512_cmpeq_epi64_mask(x[v], mask)) << (kLanes * v);
            }
            const Word carriedIn = generated << 1;
            const Word incremented = (carriedIn + propagating) ^ propagating;
            const Vector one = broadcast(1);
KORVANE_UNROLL_VECTORS
            for (std::size_t v = 0; v < V; ++v) {
                const __mmask8 lanes = static_cast<__mmask8>(incremented >> (kLanes * v));
                x[v] = _mm512_and_si512(_mm512_mask_add_epi64(x[v], lanes, x[v], one), mask);
                store(out + kLanes * v, x[v]);
            }
        }
    }
    static inline __attribute__((always_inline)) Vector multiplyAddLow(Vector acc, Vector a, Vector b) {
        return _mm512_madd52lo_epu64(acc, a, b);
    }
    static inline __attribute__((always_inline)) Vector multiplyAddHigh(Vector acc, Vector a, Vector b) {
        return _mm512_madd52hi_epu64(acc, a, b);
    }
};

template <std::size_t V, bool MinusOne>
void ifmaProduct(Word* out, const Word* a, const Word* b, const Word* m, Word k0, std::size_t k) {
    if constexpr (MinusOne)
        radix52MinusOneProduct<IfmaLanes, V>(out, a, b, m, k);
    else
        radix52Product<IfmaLanes, V>(out, a, b, m, k0, k);
}

// out = table entry `index` of `entries` n-limb entries (n a multiple of
// eight): every entry is loaded and masked, the vector form of selectEntry.
// Up to four vectors of each entry at a time, so each entry's mask is
// formed once per four.
template <std::size_t U>
inline __attribute__((always_inline)) void selectVectors(Word* out, const Word* table, std::size_t entries,
                                                         std::size_t n, Word index) {
    __m512i kept[U];
KORVANE_UNROLL_VECTORS
    for (std::size_t u = 0; u < U; ++u) kept[u] = _mm512_setzero_si512();
    for (std::size_t e = 0; e < entries; ++e) {
        const __m512i mask = _mm512_set1_epi64(static_cast<long long>(equalMask(e, index)));
KORVANE_UNROLL_VECTORS
        for (std::size_t u = 0; u < U; ++u)
            kept[u] = _mm512_or_si512(kept[u], _mm512_and_si512(mask, _mm512_loadu_si512(table + e * n + kLanes * u)));
    }
KORVANE_UNROLL_VECTORS
    for (std::size_t u = 0; u < U; ++u) _mm512_storeu_si512(out + kLanes * u, kept[u]);
}

void ifmaSelect(Word* out, const Word* table, std::size_t entries, std::size_t n, Word index) {
    std::size_t i = 0;
    for (; i + 4 * kLanes <= n; i += 4 * kLanes) selectVectors<4>(out + i, table + i, entries, n, index);
    switch ((n - i) / kLanes) {
        case 3: selectVectors<3>(out + i, table + i, entries, n, index); break;
        case 2: selectVectors<2>(out + i, table + i, entries, n, index); break;
        case 1: selectVectors<1>(out + i, table + i, entries, n, index); break;
        default: break;
    }
}

template <std::size_t... V>
constexpr Radix52Montgomery::Product productFor(std::size_t vectors, bool minusOne, std::index_sequence<V...>) {
    constexpr Radix52Montgomery::Product table[] = {ifmaProduct<V + 1, false>...};
    constexpr Radix52Montgomery::Product minusOneTable[] = {ifmaProduct<V + 1, true>...};
    return minusOne ? minusOneTable[vectors - 1] : table[vectors - 1];
}

template <std::size_t V>
void carryInVectors(Word* out, const Word* limbs, std::size_t k) {
    __m512i x[V];
    for (std::size_t v = 0; v < V; ++v) x[v] = IfmaLanes::load(limbs + kLanes * v);
    IfmaLanes::normalise<V>(x, limbs[0], limbs[1], out, k);
}

template <std::size_t... V>
void carryFor(std::size_t vectors, Word* out, const Word* limbs, std::size_t k, std::index_sequence<V...>) {
    using Carry = void (*)(Word*, const Word*, std::size_t);
    constexpr Carry table[] = {carryInVectors<V + 1>...};
    table[vectors - 1](out, limbs, k);
}
}  // namespace

void radix52VectorCarry(Word* out, const Word* limbs, std::size_t k, std::size_t vectors) {
    carryFor(vectors, out, limbs, k, std::make_index_sequence<kRadix52MostVectors>());
}

Radix52Montgomery::Product radix52VectorProduct(std::size_t vectors, bool minusOne) {
    return productFor(vectors, minusOne, std::make_index_sequence<kRadix52MostVectors>());
}

void radix52VectorSelect(Word* out, const Word* table, std::size_t entries, std::size_t n, Word index) {
    ifmaSelect(out, table, entries, n, index);
}

}  // namespace internal
}  // namespace Korvane

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC diagnostic pop
#pragma GCC pop_options
#endif

namespace Korvane {
namespace internal {

bool radix52VectorsSupported() {
    static const bool supported = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
               __builtin_cpu_supports("avx512ifma") && __builtin_cpu_supports("bmi2");
    }();
    return supported;
}

}  // namespace internal
}  // namespace Korvane
#else
namespace Korvane {
namespace internal {

bool radix52VectorsSupported() { return false; }
Radix52Montgomery::Product radix52VectorProduct(std::size_t, bool) { return nullptr; }
void radix52VectorSelect(Word*, const Word*, std::size_t, std::size_t, Word) {}
void radix52VectorCarry(Word*, const Word*, std::size_t, std::size_t) {}

}  // namespace internal
}  // namespace Korvane
#endif
