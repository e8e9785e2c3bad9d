// The almost-Montgomery product on 52-bit limbs, eight limbs to a lane
// vector, written once over the lane operations so that the same steps run
// on AVX-512 IFMA registers (Radix52Vector.cpp) and on plain words
// (Radix52WordLanes.h: the form that Valgrind's constant-time check can
// run, as it cannot execute AVX-512).
//
// Each file that includes this header compiles its own copy of these
// templates for its own instruction set, so nothing here may be shared
// between the files as one out-of-line function.
//
// Numbers are k limbs of 52 bits, least significant first, padded with
// zero limbs to 8 V. With R = 2^(52 k), the product of a and b is
// (a b + q m) / R for the q that makes the division exact: congruent to
// a b / R modulo m, and below 2m whenever a and b are below 2m and 4m < R,
// so the power never needs a subtraction between its products. Every step
// runs the same instructions on the same addresses whatever the limbs hold.
#pragma once

#include <cstddef>

#include "bignum/Radix52Montgomery.h"
#include "bignum/WordBuffer.h"

// Loops over the V vectors are unrolled, so the accumulators live in
// registers.
#if defined(__GNUC__)
#define KORVANE_UNROLL_VECTORS _Pragma("GCC unroll 16")
#else
#define KORVANE_UNROLL_VECTORS
#endif

namespace Korvane {
namespace internal {

// The vector side of one step of the products below: the low halves of
// a b_i and m q join the accumulators, the sums move one limb down, and the
// high halves land on their limbs.
template <class Lanes, std::size_t V>
inline __attribute__((always_inline)) void radix52VectorStep(typename Lanes::Vector (&fromA)[V],
                                                             typename Lanes::Vector (&fromM)[V], const Word* a,
                                                             const Word* m, Word bi, Word q) {
    using Vector = typename Lanes::Vector;
    const Vector bv = Lanes::broadcast(bi);
    const Vector qv = Lanes::broadcast(q);
KORVANE_UNROLL_VECTORS
    for (std::size_t v = 0; v < V; ++v) {
        fromA[v] = Lanes::multiplyAddLow(fromA[v], Lanes::load(a + kLanes * v), bv);
        fromM[v] = Lanes::multiplyAddLow(fromM[v], Lanes::load(m + kLanes * v), qv);
    }
KORVANE_UNROLL_VECTORS
    for (std::size_t v = 0; v + 1 < V; ++v) {
        fromA[v] = Lanes::shiftDown(fromA[v], fromA[v + 1]);
        fromM[v] = Lanes::shiftDown(fromM[v], fromM[v + 1]);
    }
    fromA[V - 1] = Lanes::shiftDown(fromA[V - 1], Lanes::zero());
    fromM[V - 1] = Lanes::shiftDown(fromM[V - 1], Lanes::zero());
KORVANE_UNROLL_VECTORS
    for (std::size_t v = 0; v < V; ++v) {
        fromA[v] = Lanes::multiplyAddHigh(fromA[v], Lanes::load(a + kLanes * v), bv);
        fromM[v] = Lanes::multiplyAddHigh(fromM[v], Lanes::load(m + kLanes * v), qv);
    }
}

// out = a b / R (mod m), k limbs (3 <= k <= 8 V, limbs of a, b and m below
// 2^52, padding limbs zero); out may be a or b. `k0` is -m^-1 mod 2^52.
// `Lanes` supplies the vector type and its operations (see the two users).
//
// One limb of b per step, as Montgomery's word-by-word product: the sum
// grows by a b_i and q m with q chosen to clear its limb 0, then drops that
// limb. The products of a and of m gather in two accumulators, so the
// vector work on a never waits for q; and limbs 0 and 1 of the sum are
// carried in scalars, formed from limb 2 as it stood before the step and
// the scalar products of limbs 0 to 2, so the chain from one q to the next
// holds no vector latency. Lanes 0 and 1 of the accumulators are left
// stale: the scalars stand for them.
template <class Lanes, std::size_t V>
inline void radix52Product(Word* out, const Word* a, const Word* b, const Word* m, Word k0, std::size_t k) {
    using Vector = typename Lanes::Vector;
    Vector fromA[V];
    Vector fromM[V];
KORVANE_UNROLL_VECTORS
    for (std::size_t v = 0; v < V; ++v) fromA[v] = fromM[v] = Lanes::zero();
    // The high 52 bits of a 104-bit product x y are the high word of
    // (x 2^12) y: one multiplication, no shift.
    const unsigned int up = kWordBits - kLimbBits;
    const Word a0 = a[0], a1 = a[1], a2 = a[2], m1 = m[1], m2 = m[2];
    const Word a0Up = a0 << up, a1Up = a1 << up, m0Up = m[0] << up, m1Up = m1 << up;
    Word limb0 = 0;
    Word limb1 = 0;
    for (std::size_t i = 0; i < k; ++i) {
        const Word bi = b[i];
        const Word limb2 = Lanes::lane2(Lanes::add(fromA[0], fromM[0]));
        const Word low = limb0 + ((a0 * bi) & kLimbMask);
        const Word q = (low * k0) & kLimbMask;
        // (limb0 + a0 b_i + m0 q) / 2^52, exactly. The low 52 bits of m0 q
        // are those that bring `low` to a multiple of 2^52, so their share
        // is known without q: one more unit unless `low` is one already.
        const Word lowBits = low & kLimbMask;
        const Word carry = (low >> kLimbBits) + ((lowBits | (0 - lowBits)) >> (kWordBits - 1)) +
                           Lanes::highWord(a0Up, bi) + Lanes::highWord(m0Up, q);
        limb0 = limb1 + ((a1 * bi) & kLimbMask) + ((m1 * q) & kLimbMask) + carry;
        limb1 = limb2 + ((a2 * bi) & kLimbMask) + ((m2 * q) & kLimbMask) + Lanes::highWord(a1Up, bi) +
                Lanes::highWord(m1Up, q);

        radix52VectorStep<Lanes, V>(fromA, fromM, a, m, bi, q);
    }
KORVANE_UNROLL_VECTORS
    for (std::size_t v = 0; v < V; ++v) fromA[v] = Lanes::add(fromA[v], fromM[v]);
    Lanes::template normalise<V>(fromA, limb0, limb1, out, k);
}

// radix52Product for a modulus congruent to -1 modulo 2^52 (k0 = 1): q is
// the low limb of the sum itself, and the limb leaving the sum carries
// (low + (2^52 - 1) q) / 2^52 = (low >> 52) + q, so the chain from one q
// to the next holds no multiplication by k0 and no high half of m0 q. Each
// scalar product whose two halves are both needed comes from one
// multiplication of the limb shifted up by 12 bits, which leaves the
// multiplier free for the vector side's round trip.
template <class Lanes, std::size_t V>
inline void radix52MinusOneProduct(Word* out, const Word* a, const Word* b, const Word* m, std::size_t k) {
    using Vector = typename Lanes::Vector;
    Vector fromA[V];
    Vector fromM[V];
KORVANE_UNROLL_VECTORS
    for (std::size_t v = 0; v < V; ++v) fromA[v] = fromM[v] = Lanes::zero();
    const unsigned int up = kWordBits - kLimbBits;
    const Word a2 = a[2], m2 = m[2];
    const Word a0Up = a[0] << up, a1Up = a[1] << up, m1Up = m[1] << up;
    Word limb0 = 0;
    Word limb1 = 0;
    for (std::size_t i = 0; i < k; ++i) {
        const Word bi = b[i];
        const Word limb2 = Lanes::lane2(Lanes::add(fromA[0], fromM[0]));
        Word highA0, highA1, highM1;
        const Word lowA0 = multiplyWide(a0Up, bi, highA0) >> up;
        const Word lowA1 = multiplyWide(a1Up, bi, highA1) >> up;
        const Word low = limb0 + lowA0;
        const Word q = low & kLimbMask;
        const Word lowM1 = multiplyWide(m1Up, q, highM1) >> up;
        limb0 = limb1 + lowA1 + lowM1 + (low >> kLimbBits) + q + highA0;
        limb1 = limb2 + ((a2 * bi) & kLimbMask) + ((m2 * q) & kLimbMask) + highA1 + highM1;

        radix52VectorStep<Lanes, V>(fromA, fromM, a, m, bi, q);
    }
KORVANE_UNROLL_VECTORS
    for (std::size_t v = 0; v < V; ++v) fromA[v] = Lanes::add(fromA[v], fromM[v]);
    Lanes::template normalise<V>(fromA, limb0, limb1, out, k);
}

// out[0 .. total) = the number whose limb j is limbs[j] (j < k; above k the
// limbs are zero), with every limb carried back to 52 bits. Each limb holds
// less than 4 k 2^52 + 2^54 after a product; the value is below 2^(52 k), so
// nothing leaves the top.
static inline void carryLimbs(Word* out, const Word* limbs, std::size_t k, std::size_t total) {
    Word carry = 0;
    for (std::size_t j = 0; j < k; ++j) {
        const Word t = limbs[j] + carry;
        out[j] = t & kLimbMask;
        carry = t >> kLimbBits;
    }
    for (std::size_t j = k; j < total; ++j) out[j] = 0;
}

}  // namespace internal
}  // namespace Korvane
