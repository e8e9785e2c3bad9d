#include "bignum/NumberTheoreticTransform.h"

#include <cstring>

namespace Korvane {
namespace internal {

namespace {

// Measured where the transform overtakes Toom-Cook 3-way on x86-64; between
// 4096 and 5500 words Toom-Cook is still a little faster, as the transform
// pads the product to 16384 words.
std::size_t threshold = 3500;

// A prime c 2^k + 1 between 2^61 and 2^62, with arithmetic in Montgomery's
// form: the residues of the words themselves stay plain, the constants that
// multiply them (roots, inverses) carry the factor R = 2^64, so a Montgomery
// product of a plain value by a constant is their plain product.
struct Prime {
    Word p;
    unsigned int twoAdicity;  // k: the transform length may be up to 2^k
    Word nonResidue;          // a quadratic non-residue: its c-th power has order 2^k
    Word negativeInverse;     // -p^-1 mod 2^64
    Word one;                 // R mod p
    Word rSquared;            // R^2 mod p
};

// Below 2^62, so the transforms can keep their values below 2p and sums of
// two below 4p without reducing every step (Harvey's lazy butterflies);
// above 2^61, so a word is below 8p and a residue of one prime below twice
// another. Their product exceeds 2^184, above every coefficient of a
// transform of up to 2^54 values.
constexpr Word kPrimes[3][3] = {
    {0x3a00000000000001, 57, 3},  // 29 2^57 + 1
    {0x2280000000000001, 55, 5},  // 69 2^55 + 1
    {0x28c0000000000001, 54, 3},  // 163 2^54 + 1
};

// A value congruent to a b R^-1 mod p and below 2p, for a b < 4 p^2: then
// (a b + q p) / 2^64 < 4 p^2 / 2^64 + p < 2p.
inline Word montgomeryLazy(Word a, Word b, const Prime& m) {
    Word high;
    const Word low = multiplyWide(a, b, high);
    const Word q = low * m.negativeInverse;
    Word qHigh;
    multiplyWide(q, m.p, qHigh);
    // low + (q p mod 2^64) is 0 mod 2^64 and carries exactly when low != 0.
    return high + qHigh + (low != 0);
}

// x below 2 bound, reduced below bound.
inline Word reduceOnce(Word x, Word bound) { return x >= bound ? x - bound : x; }

// a b R^-1 mod p, below p, for a b < 4 p^2.
inline Word montgomery(Word a, Word b, const Prime& m) { return reduceOnce(montgomeryLazy(a, b, m), m.p); }

inline Word addModulo(Word a, Word b, Word p) {
    const Word s = a + b;
    return s >= p ? s - p : s;
}

inline Word subtractModulo(Word a, Word b, Word p) {
    const Word d = a - b;
    return a < b ? d + p : d;
}

// A word (below 8p) reduced below p.
inline Word reduceWord(Word w, Word p) {
    w = reduceOnce(w, 4 * p);
    w = reduceOnce(w, 2 * p);
    return reduceOnce(w, p);
}

// The Montgomery form x R mod p of a plain x < p.
inline Word toMontgomery(Word x, const Prime& m) { return montgomery(x, m.rSquared, m); }

// base^exponent in Montgomery form, for base in Montgomery form.
Word power(Word base, Word exponent, const Prime& m) {
    Word result = m.one;
    for (; exponent != 0; exponent >>= 1) {
        if (exponent & 1) result = montgomery(result, base, m);
        base = montgomery(base, base, m);
    }
    return result;
}

Prime primeOf(const Word (&row)[3]) {
    Prime m;
    m.p = row[0];
    m.twoAdicity = static_cast<unsigned int>(row[1]);
    m.nonResidue = row[2];
    // Newton's iteration doubles the correct low bits of p^-1 from 1 (p is
    // odd, so p p = 1 mod 8: p itself is right to 3 bits).
    Word inverse = m.p;
    for (int i = 0; i < 5; ++i) inverse *= 2 - m.p * inverse;
    m.negativeInverse = 0 - inverse;
    divideWide(1, 0, m.p, m.one);
    divideWide(m.one, 0, m.p, m.rSquared);
    return m;
}

// Twiddle factors for transforms of length n (a power of two, at least 2):
// roots[h + j] = w^j in Montgomery form for each level h = 1, 2, 4 .. n/2
// and j < h, with w of order 2h; inverse[h + j] = w^-j.
void twiddles(Word* roots, Word* inverse, std::size_t n, const Prime& m) {
    unsigned int logN = 0;
    while ((std::size_t(1) << logN) < n) ++logN;
    const Word cofactor = (m.p - 1) >> m.twoAdicity;
    const Word root = power(toMontgomery(m.nonResidue, m), cofactor << (m.twoAdicity - logN), m);
    const std::size_t half = n / 2;
    Word w = m.one;
    for (std::size_t j = 0; j < half; ++j) {
        roots[half + j] = w;
        w = montgomery(w, root, m);
    }
    for (std::size_t h = half / 2; h >= 1; h /= 2)
        for (std::size_t j = 0; j < h; ++j) roots[h + j] = roots[2 * h + 2 * j];
    // w^-j = -w^(h - j), as w^h = -1.
    for (std::size_t h = 1; h <= half; h *= 2) {
        inverse[h] = m.one;
        for (std::size_t j = 1; j < h; ++j) inverse[h + j] = m.p - roots[2 * h - j];
    }
}

// Decimation in frequency: natural order in, bit-reversed order out. Values
// in and out are below 2p, congruent to the exact ones.
void forward(Word* a, std::size_t n, const Word* roots, const Prime& prime) {
    // A copy the stores to `a` cannot alias, so the constants stay in registers.
    const Prime m = prime;
    const Word twoP = 2 * m.p;
    for (std::size_t h = n / 2; h >= 1; h /= 2) {
        const Word* w = roots + h;
        for (std::size_t start = 0; start < n; start += 2 * h) {
            Word* x = a + start;
            Word* y = x + h;
            for (std::size_t j = 0; j < h; ++j) {
                const Word u = x[j], v = y[j];
                x[j] = reduceOnce(u + v, twoP);
                y[j] = montgomeryLazy(u - v + twoP, w[j], m);
            }
        }
    }
}

// Decimation in time with the inverse roots: bit-reversed order in, natural
// order out, every value n times too large; values below 2p as above.
void backward(Word* a, std::size_t n, const Word* inverse, const Prime& prime) {
    const Prime m = prime;
    const Word twoP = 2 * m.p;
    for (std::size_t h = 1; h < n; h *= 2) {
        const Word* w = inverse + h;
        for (std::size_t start = 0; start < n; start += 2 * h) {
            Word* x = a + start;
            Word* y = x + h;
            for (std::size_t j = 0; j < h; ++j) {
                const Word u = x[j], v = montgomeryLazy(y[j], w[j], m);
                x[j] = reduceOnce(u + v, twoP);
                y[j] = reduceOnce(u - v + twoP, twoP);
            }
        }
    }
}

void load(Word* to, const Word* from, std::size_t count, std::size_t n, Word p) {
    for (std::size_t i = 0; i < count; ++i) to[i] = reduceWord(from[i], p);
    std::memset(to + count, 0, (n - count) * sizeof(Word));
}

// The cyclic convolution of a and b modulo m, n values at `out`; `spare`
// holds n words, `roots` and `inverse` 2n.
void convolution(Word* out, const Word* a, std::size_t an, const Word* b, std::size_t bn, std::size_t n,
                 const Prime& m, Word* spare, Word* roots, Word* inverse) {
    twiddles(roots, inverse, n, m);
    load(out, a, an, n, m.p);
    forward(out, n, roots, m);
    // Each product comes out of the inverse transform times n and, from the
    // Montgomery product, times R^-1: scaled by n^-1 R^2 in a second one.
    const Word nInverse = m.p - (m.p - 1) / n;
    const Word scale = toMontgomery(toMontgomery(nInverse, m), m);
    if (a == b && an == bn) {
        for (std::size_t i = 0; i < n; ++i) out[i] = montgomeryLazy(montgomeryLazy(out[i], out[i], m), scale, m);
    } else {
        load(spare, b, bn, n, m.p);
        forward(spare, n, roots, m);
        for (std::size_t i = 0; i < n; ++i) out[i] = montgomeryLazy(montgomeryLazy(out[i], spare[i], m), scale, m);
    }
    backward(out, n, inverse, m);
    for (std::size_t i = 0; i < n; ++i) out[i] = reduceOnce(out[i], m.p);
}

}  // namespace

std::size_t transformThreshold() { return threshold; }

std::size_t setTransformThreshold(std::size_t words) {
    const std::size_t previous = threshold;
    threshold = words;
    return previous;
}

void transformProduct(Word* r, const Word* a, std::size_t an, const Word* b, std::size_t bn) {
    const std::size_t size = an + bn;
    std::size_t n = 2;
    while (n < size - 1) n *= 2;
    const Prime primes[3] = {primeOf(kPrimes[0]), primeOf(kPrimes[1]), primeOf(kPrimes[2])};
    WordBuffer scratch(3 * n + n + 2 * n + 2 * n);
    Word* residues[3] = {scratch.data(), scratch.data() + n, scratch.data() + 2 * n};
    Word* spare = scratch.data() + 3 * n;
    Word* roots = spare + n;
    Word* inverse = roots + 2 * n;
    for (int i = 0; i < 3; ++i) convolution(residues[i], a, an, b, bn, n, primes[i], spare, roots, inverse);

    // Garner's form of the Chinese remainder theorem: the coefficient is
    // x = r1 + p1 t2 + p1 p2 t3 with t2 = (r2 - r1) / p1 mod p2 and
    // t3 = (r3 - r1 - p1 t2) / (p1 p2) mod p3. It is below n 2^128, far
    // below p1 p2 p3, so it is exact.
    const Prime &m1 = primes[0], &m2 = primes[1], &m3 = primes[2];
    const Word p1ModP3 = reduceWord(m1.p, m3.p);
    // p^-1 = p^(q - 2) mod q, in Montgomery form.
    const Word inverse12 = power(toMontgomery(reduceWord(m1.p, m2.p), m2), m2.p - 2, m2);
    const Word p1p2ModP3 = montgomery(toMontgomery(p1ModP3, m3), reduceWord(m2.p, m3.p), m3);
    const Word inverse123 = power(toMontgomery(p1p2ModP3, m3), m3.p - 2, m3);
    const Word p1Montgomery3 = toMontgomery(p1ModP3, m3);
    Word p1p2High;
    const Word p1p2Low = multiplyWide(m1.p, m2.p, p1p2High);

    Word acc0 = 0, acc1 = 0, acc2 = 0;
    for (std::size_t i = 0; i + 1 < size; ++i) {
        const Word r1 = residues[0][i], r2 = residues[1][i], r3 = residues[2][i];
        const Word t2 = montgomery(subtractModulo(r2, reduceWord(r1, m2.p), m2.p), inverse12, m2);
        Word x1;
        const Word x0 = multiplyAdd(m1.p, t2, r1, 0, x1);
        const Word x12ModP3 =
            addModulo(reduceWord(r1, m3.p), montgomery(reduceWord(t2, m3.p), p1Montgomery3, m3), m3.p);
        const Word t3 = montgomery(subtractModulo(r3, x12ModP3, m3.p), inverse123, m3);
        // x = x12 + (p1 p2) t3 over three words.
        Word lowHigh, highHigh, carry;
        const Word y0 = multiplyWide(p1p2Low, t3, lowHigh);
        const Word y1 = multiplyAdd(p1p2High, t3, lowHigh, 0, highHigh);
        const Word z0 = addCarry(x0, y0, 0, carry);
        const Word z1 = addCarry(x1, y1, carry, carry);
        const Word z2 = highHigh + carry;
        acc0 = addCarry(acc0, z0, 0, carry);
        acc1 = addCarry(acc1, z1, carry, carry);
        acc2 = acc2 + z2 + carry;
        r[i] = acc0;
        acc0 = acc1;
        acc1 = acc2;
        acc2 = 0;
    }
    r[size - 1] = acc0;
}

}  // namespace internal
}  // namespace Korvane
