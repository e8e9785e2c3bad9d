// The lane operations of Radix52Product.h on plain words: eight words
// stand for a vector register, and each operation is the vector
// instruction's definition lane by lane, with the same branch-free steps.
#pragma once

#include <cstddef>

#include "bignum/Radix52Product.h"
#include "bignum/WordBuffer.h"

namespace Korvane {
namespace internal {

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
    static Word lane2(const Vector& x) { return x.lane[2]; }
    // out = the limbs of x, with limb0 and limb1 in place of lanes 0 and 1
    // of x[0], carried back to 52 bits.
    template <std::size_t V>
    static void normalise(const Vector* x, Word limb0, Word limb1, Word* out, std::size_t k) {
        Word limbs[kLanes * V];
        for (std::size_t v = 0; v < V; ++v) store(limbs + kLanes * v, x[v]);
        limbs[0] = limb0;
        limbs[1] = limb1;
        carryLimbs(out, limbs, k, kLanes * V);
    }
    static Vector add(Vector x, const Vector& y) {
        for (std::size_t i = 0; i < kLanes; ++i) x.lane[i] += y.lane[i];
        return x;
    }
    // The high word of the 128-bit product x y, from 32-bit halves.
    static Word highWord(Word x, Word y) {
        const Word x0 = x & 0xFFFFFFFF, x1 = x >> 32, y0 = y & 0xFFFFFFFF, y1 = y >> 32;
        const Word p00 = x0 * y0, p01 = x0 * y1, p10 = x1 * y0, p11 = x1 * y1;
        const Word middle = (p00 >> 32) + (p01 & 0xFFFFFFFF) + (p10 & 0xFFFFFFFF);
        return p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32);
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
