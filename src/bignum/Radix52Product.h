// The almost-Montgomery product on 52-bit limbs, eight limbs to a lane
// vector, written once over the lane operations so that the same steps run
// on AVX-512 IFMA registers (Radix52Montgomery.cpp) and on plain words
// (the emulation that the constant-time check runs under Valgrind, which
// cannot execute AVX-512).
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

namespace Korvane {
namespace internal {

// out = a b / R (mod m), k limbs (2 <= k <= 8 V, limbs of a, b and m below
// 2^52, padding limbs zero); out may be a or b. `k0` is -m^-1 mod 2^52.
// `Lanes` supplies the vector type and its operations (see the two users).
//
// One limb of b per step, as Montgomery's word-by-word product: the sum
// grows by a b_i and q m with q chosen to clear its limb 0, then drops that
// limb. The products of a and of m gather in two accumulators, so the
// vector work on a never waits for q; and limb 0 of the sum is carried in
// a scalar, formed from limb 1 as it stood before the step (read from the
// registers one step ahead) and the few scalar products of limbs 0 and 1,
// so the chain from one q to the next holds no vector latency. Lane 0 of
// the accumulators is left stale: the scalar stands for it.
template <class Lanes, std::size_t V>
inline void radix52Product(Word* out, const Word* a, const Word* b, const Word* m, Word k0, std::size_t k) {
    using Vector = typename Lanes::Vector;
    Vector fromA[V];
    Vector fromM[V];
    // Unrolled, so the accumulators live in registers.
#pragma GCC unroll 16
    for (std::size_t v = 0; v < V; ++v) fromA[v] = fromM[v] = Lanes::zero();
    const Word a0 = a[0], a1 = a[1], m0 = m[0], m1 = m[1];
    Word limb0 = 0;
    for (std::size_t i = 0; i < k; ++i) {
        const Word bi = b[i];
        const Word limb1 = Lanes::lane1(Lanes::add(fromA[0], fromM[0]));
        const Word low = limb0 + ((a0 * bi) & kLimbMask);
        const Word q = (low * k0) & kLimbMask;
        // (limb0 + a0 b_i + m0 q) / 2^52, exactly.
        const Word carry = ((low + ((m0 * q) & kLimbMask)) >> kLimbBits) + Lanes::high52(a0, bi) + Lanes::high52(m0, q);
        limb0 = limb1 + ((a1 * bi) & kLimbMask) + ((m1 * q) & kLimbMask) + carry;

        const Vector bv = Lanes::broadcast(bi);
        const Vector qv = Lanes::broadcast(q);
#pragma GCC unroll 16
        for (std::size_t v = 0; v < V; ++v) {
            fromA[v] = Lanes::multiplyAddLow(fromA[v], Lanes::load(a + kLanes * v), bv);
            fromM[v] = Lanes::multiplyAddLow(fromM[v], Lanes::load(m + kLanes * v), qv);
        }
        // One limb down; the high halves land on their limbs.
#pragma GCC unroll 16
        for (std::size_t v = 0; v + 1 < V; ++v) {
            fromA[v] = Lanes::shiftDown(fromA[v], fromA[v + 1]);
            fromM[v] = Lanes::shiftDown(fromM[v], fromM[v + 1]);
        }
        fromA[V - 1] = Lanes::shiftDown(fromA[V - 1], Lanes::zero());
        fromM[V - 1] = Lanes::shiftDown(fromM[V - 1], Lanes::zero());
#pragma GCC unroll 16
        for (std::size_t v = 0; v < V; ++v) {
            fromA[v] = Lanes::multiplyAddHigh(fromA[v], Lanes::load(a + kLanes * v), bv);
            fromM[v] = Lanes::multiplyAddHigh(fromM[v], Lanes::load(m + kLanes * v), qv);
        }
    }
    // Each limb now holds less than 4 k 2^52 + 2^54: carry them back to 52
    // bits. The value is below 2^(52 k), so nothing leaves the top.
    Word limbs[kLanes * V];
#pragma GCC unroll 16
    for (std::size_t v = 0; v < V; ++v) Lanes::store(limbs + kLanes * v, Lanes::add(fromA[v], fromM[v]));
    limbs[0] = limb0;
    Word carry = 0;
    for (std::size_t j = 0; j < kLanes * V; ++j) {
        const Word t = limbs[j] + carry;
        out[j] = t & kLimbMask;
        carry = t >> kLimbBits;
    }
}

// The lane operations on plain words, for the emulation.
struct WordLanes {
    struct Vector {
        Word lane[kLanes];
    };
    static Vector zero() { return Vector{}; }
    static Vector broadcast(Word x) {
        Vector r;
        for (Word& lane : r.lane) lane = x;
        return r;
    }
    static Vector load(const Word* p) {
        Vector r;
        for (std::size_t i = 0; i < kLanes; ++i) r.lane[i] = p[i];
        return r;
    }
    static void store(Word* p, const Vector& x) {
        for (std::size_t i = 0; i < kLanes; ++i) p[i] = x.lane[i];
    }
    static Word lane1(const Vector& x) { return x.lane[1]; }
    static Vector add(Vector x, const Vector& y) {
        for (std::size_t i = 0; i < kLanes; ++i) x.lane[i] += y.lane[i];
        return x;
    }
    // The high 52 bits of the 104-bit product of two 52-bit values.
    static Word high52(Word a, Word b) {
        Word high;
        product52(a, b, high);
        return high;
    }
    // Lanes 1..7 of `low`, then lane 0 of `high`.
    static Vector shiftDown(const Vector& low, const Vector& high) {
        Vector r;
        for (std::size_t i = 0; i + 1 < kLanes; ++i) r.lane[i] = low.lane[i + 1];
        r.lane[kLanes - 1] = high.lane[0];
        return r;
    }
    // acc + the low (high) 52 bits of the 104-bit products of the low 52
    // bits of each lane of a and b.
    static Vector multiplyAddLow(Vector acc, const Vector& a, const Vector& b) {
        for (std::size_t i = 0; i < kLanes; ++i) {
            Word high;
            acc.lane[i] += product52(a.lane[i], b.lane[i], high);
        }
        return acc;
    }
    static Vector multiplyAddHigh(Vector acc, const Vector& a, const Vector& b) {
        for (std::size_t i = 0; i < kLanes; ++i) {
            Word high;
            product52(a.lane[i], b.lane[i], high);
            acc.lane[i] += high;
        }
        return acc;
    }

private:
    // The 104-bit product of the low 52 bits of a and b: returns its low 52
    // bits, the high 52 in `high`. 26-bit halves keep every partial product
    // inside one word.
    static Word product52(Word a, Word b, Word& high) {
        const Word half = (Word(1) << 26) - 1;
        const Word a0 = a & half, a1 = (a >> 26) & half, b0 = b & half, b1 = (b >> 26) & half;
        const Word middle = a0 * b1 + a1 * b0;  // below 2^53
        const Word low = a0 * b0 + ((middle & half) << 26);  // below 2^53
        high = a1 * b1 + (middle >> 26) + (low >> kLimbBits);
        return low & kLimbMask;
    }
};

}  // namespace internal
}  // namespace Korvane
