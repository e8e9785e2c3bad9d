// Half-gcd reduction.
//
// reduce(a, b, s) takes Euclid steps on (a, b) while the smaller member has
// more than s bits (s about half the length of a) and returns their matrix
// M = [q1 1; 1 0] ... [qk 1; 1 0], so (a, b) = M (a', b'). The steps come from
// the leading halves: the quotients of a >> p and b >> p agree with those of
// a and b until the remainders reach about half the length of the leading
// part, so two recursive calls on quarter-size leading parts do the work of
// the whole reduction. A part found on a >> p is applied to the full pair
// through the low p bits alone: M^-1 (a, b) is the part's own reduced pair
// shifted up by p, plus M^-1 (a mod 2^p, b mod 2^p).
//
// The agreement is only nearly certain at the last step or two, so every
// matrix taken from leading parts is checked on the full pair: the steps are
// the true ones exactly when a' > b' >= 0 (and the last quotient is not 1
// with b' = 0, a sequence that ends [.., q, 1] being [.., q + 1]). A failed
// check drops the last step and tries again; the quotients are kept for
// that. The result is therefore always a prefix of the true sequence, and
// the inverse is the one Lehmer's loop alone would give.
//
// Below a few dozen words the steps are Lehmer's, certified on the leading
// 62 bits; a step that cannot be certified is one exact division.
#include "bignum/HalfGcd.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "bignum/LehmerSteps.h"
#include "bignum/WordArithmetic.h"
#include "text/BufferMemory.h"

namespace Korvane {
namespace internal {

namespace {

// About 19 kbit: Lehmer's loop on two-word leading parts is faster below it
// (at 16 kbit the recursion costs 40% more); at 100 kbit 160, 300 and 600
// words are within a few percent of each other.
std::size_t threshold = 300;

// Vectors of words whose buffers are wiped when released, and taken from the
// library's buffer memory like every other buffer that holds operand data.
template <class T>
struct WipingAllocator {
    using value_type = T;
    WipingAllocator() = default;
    template <class U>
    WipingAllocator(const WipingAllocator<U>&) {}
    T* allocate(std::size_t n) {
        if (n > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
        return static_cast<T*>(allocateBuffer(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept {
        secureWipe(p, n * sizeof(T));
        releaseBuffer(p);
    }
    template <class U>
    bool operator==(const WipingAllocator<U>&) const { return true; }
    template <class U>
    bool operator!=(const WipingAllocator<U>&) const { return false; }
};
using Words = std::vector<Word, WipingAllocator<Word>>;

// A natural number: words with no zero top word.
class Natural {
public:
    Natural() = default;
    Natural(const Word* words, std::size_t n) : words(words, words + significantWords(words, n)) {}
    explicit Natural(std::size_t n) : words(n, 0) {}

    std::size_t size() const { return words.size(); }
    bool isZero() const { return words.empty(); }
    const Word* data() const { return words.data(); }
    Word* data() { return words.data(); }
    std::size_t bits() const { return bitLength(words.data(), words.size()); }
    bool isOne() const { return words.size() == 1 && words[0] == 1; }

    void normalize() { words.resize(significantWords(words.data(), words.size())); }
    // Zero words above the top up to n words (n >= size()).
    void pad(std::size_t n) {
        if (n > words.size()) words.resize(n, 0);
    }

private:
    Words words;
};

int compare(const Natural& x, const Natural& y) {
    if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
    return compareWords(x.data(), y.data(), x.size());
}

Natural product(const Natural& x, const Natural& y) {
    if (x.isZero() || y.isZero()) return Natural();
    Natural r(x.size() + y.size());
    if (x.size() >= y.size())
        multiplyWords(r.data(), x.data(), x.size(), y.data(), y.size());
    else
        multiplyWords(r.data(), y.data(), y.size(), x.data(), x.size());
    r.normalize();
    return r;
}

Natural sum(const Natural& x, const Natural& y) {
    const Natural& longer = x.size() >= y.size() ? x : y;
    const Natural& shorter = x.size() >= y.size() ? y : x;
    Natural r(longer.size() + 1);
    Word carry = addWords(r.data(), longer.data(), shorter.data(), shorter.size());
    carry = addWord(r.data() + shorter.size(), longer.data() + shorter.size(), longer.size() - shorter.size(), carry);
    r.data()[longer.size()] = carry;
    r.normalize();
    return r;
}

// x - y for x >= y.
Natural difference(const Natural& x, const Natural& y) {
    Natural r(x.size());
    const Word borrow = subtractWords(r.data(), x.data(), y.data(), y.size());
    subtractWord(r.data() + y.size(), x.data() + y.size(), x.size() - y.size(), borrow);
    r.normalize();
    return r;
}

Natural shiftedDown(const Natural& x, std::size_t bits) {
    const std::size_t skip = bits / kWordBits;
    if (skip >= x.size()) return Natural();
    Natural r(x.size() - skip);
    const unsigned int shift = bits % kWordBits;
    if (shift == 0)
        std::memcpy(r.data(), x.data() + skip, r.size() * sizeof(Word));
    else
        shiftRightWords(r.data(), x.data() + skip, r.size(), shift);
    r.normalize();
    return r;
}

// The quotients of a reduction, end to end in one vector of words.
class QuotientList {
public:
    std::size_t size() const { return ends.size(); }
    bool empty() const { return ends.empty(); }
    void push(const Word* q, std::size_t n) {
        words.insert(words.end(), q, q + n);
        ends.push_back(words.size());
    }
    Natural back() const {
        const std::size_t begin = ends.size() > 1 ? ends[ends.size() - 2] : 0;
        return Natural(words.data() + begin, ends.back() - begin);
    }
    bool backIsOne() const {
        const std::size_t begin = ends.size() > 1 ? ends[ends.size() - 2] : 0;
        return ends.back() - begin == 1 && words[begin] == 1;
    }
    void pop() {
        ends.pop_back();
        words.resize(ends.empty() ? 0 : ends.back());
    }
    void append(const QuotientList& other) {
        const std::size_t offset = words.size();
        words.insert(words.end(), other.words.begin(), other.words.end());
        for (const std::size_t end : other.ends) ends.push_back(offset + end);
    }

private:
    Words words;
    std::vector<std::size_t> ends;
};

// (a, b) = M (a', b') with M a product of Euclid steps; `quotients` lists
// them, so M's determinant is (-1)^k for k of them.
struct Reduction {
    Natural m[2][2];
    QuotientList quotients;
    Natural a, b;

    Reduction(Natural first, Natural second) : a(std::move(first)), b(std::move(second)) {
        const Word one = 1;
        m[0][0] = Natural(&one, 1);
        m[1][1] = Natural(&one, 1);
    }

    // M = M [q 1; 1 0].
    void appendStep(Natural q) {
        for (auto& row : m) {
            Natural next = sum(product(q, row[0]), row[1]);
            row[1] = std::move(row[0]);
            row[0] = std::move(next);
        }
        quotients.push(q.data(), q.size());
    }

    // M = M [0 1; 1 -q] for the last quotient q, and (a', b') = (q a' + b', a').
    void dropStep() {
        const Natural q = quotients.back();
        quotients.pop();
        for (auto& row : m) {
            Natural previous = difference(row[0], product(q, row[1]));
            row[0] = std::move(row[1]);
            row[1] = std::move(previous);
        }
        Natural previous = sum(product(q, a), b);
        b = std::move(a);
        a = std::move(previous);
    }
};

Natural lowPart(const Natural& x, std::size_t bits) {
    const std::size_t n = std::min(x.size(), (bits + kWordBits - 1) / kWordBits);
    Natural r(x.data(), n);
    if (bits % kWordBits != 0 && n == (bits + kWordBits - 1) / kWordBits) {
        r.pad(n);
        r.data()[n - 1] &= (Word(1) << (bits % kWordBits)) - 1;
        r.normalize();
    }
    return r;
}

Natural shiftedUp(const Natural& x, std::size_t bits) {
    if (x.isZero()) return Natural();
    const std::size_t skip = bits / kWordBits;
    Natural r(x.size() + skip + 1);
    const unsigned int shift = bits % kWordBits;
    if (shift == 0)
        std::memcpy(r.data() + skip, x.data(), x.size() * sizeof(Word));
    else
        r.data()[x.size() + skip] = shiftLeftWords(r.data() + skip, x.data(), x.size(), shift);
    r.normalize();
    return r;
}

// high + plus - minus, false when negative.
bool combine(const Natural& high, const Natural& plus, const Natural& minus, Natural& out) {
    Natural total = sum(high, plus);
    if (compare(total, minus) < 0) return false;
    out = difference(total, minus);
    return true;
}

// For (a, b) = (A 2^p + a0, B 2^p + b0) and a part reduced from (A, B) to
// (part.a, part.b): (x, y) = M^-1 (a, b) = (part.a, part.b) 2^p + M^-1 (a0, b0),
// with M^-1 = (-1)^k [m11 -m01; -m10 m00]. False unless both are
// non-negative, x > y and the steps are the true ones.
bool applyInverse(const Reduction& part, const Natural& a, const Natural& b, std::size_t p, Natural& x,
                  Natural& y) {
    const bool even = part.quotients.size() % 2 == 0;
    const Natural a0 = lowPart(a, p), b0 = lowPart(b, p);
    Natural first = product(part.m[1][1], a0), second = product(part.m[0][1], b0);
    if (!combine(shiftedUp(part.a, p), even ? first : second, even ? second : first, x)) return false;
    first = product(part.m[0][0], b0);
    second = product(part.m[1][0], a0);
    if (!combine(shiftedUp(part.b, p), even ? first : second, even ? second : first, y)) return false;
    if (compare(x, y) <= 0) return false;
    return !(y.isZero() && !part.quotients.empty() && part.quotients.backIsOne());
}

// Applies a reduction `part` found on the leading parts a >> p, b >> p to the
// full pair of r, dropping its last steps until they hold, and appends it.
void applyPart(Reduction& r, Reduction& part, std::size_t p) {
    Natural x, y;
    while (!applyInverse(part, r.a, r.b, p, x, y)) part.dropStep();
    if (part.quotients.empty()) return;
    Natural m[2][2];
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            m[i][j] = sum(product(r.m[i][0], part.m[0][j]), product(r.m[i][1], part.m[1][j]));
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) r.m[i][j] = std::move(m[i][j]);
    r.quotients.append(part.quotients);
    r.a = std::move(x);
    r.b = std::move(y);
}

// Lehmer's steps on r while b has more than s bits.
void lehmerSteps(Reduction& r, std::size_t s) {
    std::vector<std::int64_t> quotients;
    while (r.b.bits() > s) {
        const std::size_t n = r.a.size();
        const std::size_t bits = r.a.bits();
        const std::size_t shift = bits > kLeadingBits ? bits - kLeadingBits : 0;
        // s >= shift + 62 would leave b longer than a.
        const std::int64_t floor = s > shift ? std::int64_t(1) << (s - shift) : INT64_MIN;
        quotients.clear();
        r.b.pad(n);
        const StepMatrix step = simulate(static_cast<std::int64_t>(leadingPart(r.a.data(), n, shift)),
                                         static_cast<std::int64_t>(leadingPart(r.b.data(), n, shift)), floor,
                                         &quotients);
        if (step.steps == 0) {
            r.b.normalize();
            Natural q(n - r.b.size() + 1);
            Natural remainder(r.b.size());
            divideWords(q.data(), remainder.data(), r.a.data(), n, r.b.data(), r.b.size());
            q.normalize();
            remainder.normalize();
            r.a = std::move(r.b);
            r.b = std::move(remainder);
            r.appendStep(std::move(q));
            continue;
        }
        applyToPair(step, r.a.data(), r.b.data(), n);
        r.a.normalize();
        r.b.normalize();
        // Each row (x, y) of M becomes (x, y) S for the steps' product S, whose
        // inverse is the step matrix: (|D| x + |C| y, |B| x + |A| y).
        StepMatrix transposed;
        transposed.a = step.d;
        transposed.b = step.c;
        transposed.c = step.b;
        transposed.d = step.a;
        for (auto& row : r.m) {
            const std::size_t length = std::max(row[0].size(), row[1].size());
            row[0].pad(length + 1);
            row[1].pad(length + 1);
            applyToCofactors(transposed, row[0].data(), row[1].data(), length);
            row[0].normalize();
            row[1].normalize();
        }
        for (const std::int64_t q : quotients) {
            const Word word = static_cast<Word>(q);
            r.quotients.push(&word, 1);
        }
    }
}

std::size_t baseWords() { return std::max<std::size_t>(threshold / 4, 2); }

Reduction reduce(const Natural& a, const Natural& b, std::size_t s) {
    Reduction r(a, b);
    const std::size_t n = a.bits();
    if (b.bits() <= s) return r;
    if (a.size() < baseWords() || s == 0 || n < s + 2 * kWordBits) {
        lehmerSteps(r, s);
        return r;
    }
    // The leading n - s bits reduced to half their length take the pair to
    // about (n + s) / 2 bits.
    {
        const Natural high = shiftedDown(r.a, s);
        const Natural low = shiftedDown(r.b, s);
        if (compare(high, low) > 0) {
            Reduction part = reduce(high, low, high.bits() / 2 + 1);
            applyPart(r, part, s);
        }
    }
    // Then leading parts of twice the remaining distance to s bits.
    const std::size_t length = r.a.bits();
    if (r.b.bits() > s && length < 2 * s && 2 * (length - s) <= 3 * n / 4) {
        const std::size_t p = 2 * s - length;
        const Natural high = shiftedDown(r.a, p);
        const Natural low = shiftedDown(r.b, p);
        if (compare(high, low) > 0) {
            Reduction part = reduce(high, low, std::max(s - p, high.bits() / 2 + 1));
            applyPart(r, part, p);
        }
    }
    lehmerSteps(r, s);
    return r;
}

void store(Word* out, std::size_t n, const Natural& x) {
    std::memset(out, 0, n * sizeof(Word));
    std::memcpy(out, x.data(), x.size() * sizeof(Word));
}

}  // namespace

std::size_t halfGcdThreshold() { return threshold; }

std::size_t setHalfGcdThreshold(std::size_t words) {
    const std::size_t previous = threshold;
    threshold = words;
    return previous;
}

unsigned int halfGcdReduce(const Word* a, std::size_t an, const Word* b, std::size_t bn, Word* u, Word* v,
                           Word* s0, Word* s1) {
    // Only the first row of the whole matrix is needed: (a, b) = M (u, v)
    // gives u = (-1)^(k+1) m01 b and v = (-1)^k m00 b mod a.
    const Word one = 1;
    Natural m00(&one, 1), m01;
    Natural x(a, an), y(b, bn);
    std::size_t steps = 0;
    while (!y.isZero() && y.size() >= threshold) {
        Reduction r = reduce(x, y, x.bits() / 2);
        if (r.quotients.empty()) {
            // b is already at most half as long as a: one exact division.
            Reduction single(std::move(x), std::move(y));
            lehmerSteps(single, single.b.bits() - 1);
            r = std::move(single);
        }
        Natural next00 = sum(product(m00, r.m[0][0]), product(m01, r.m[1][0]));
        Natural next01 = sum(product(m00, r.m[0][1]), product(m01, r.m[1][1]));
        m00 = std::move(next00);
        m01 = std::move(next01);
        steps += r.quotients.size();
        x = std::move(r.a);
        y = std::move(r.b);
    }
    store(u, an, x);
    store(v, an, y);
    store(s0, an, m01);
    store(s1, an, m00);
    return static_cast<unsigned int>((steps + 1) & 1);
}

}  // namespace internal
}  // namespace Korvane
