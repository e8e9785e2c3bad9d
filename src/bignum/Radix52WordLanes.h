// The lane operations of Radix52Product.h on plain words: eight words
// stand for a vector register, and each operation is the vector
// instruction's definition lane by lane, with the same branch-free steps.
#pragma once

#include <cstddef>

#include "bignum/MachineWord.h"
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
    static Word highWord(Word x, Word y) {
        Word high;
        multiplyWide(x, y, high);
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
    // bits, the high 52 in `high`.
    static Word product52(Word a, Word b, Word& high) {
        Word top;
        const Word low = multiplyWide(a & kLimbMask, b & kLimbMask, top);
        high = (top << (kWordBits - kLimbBits)) | (low >> kLimbBits);
        return low & kLimbMask;
    }
};

}  // namespace internal
}  // namespace Korvane
