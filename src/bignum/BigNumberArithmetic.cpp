// BigNumber: addition, subtraction, multiplication, division and the bitwise
// in-place operations.
//
// Addition and subtraction follow the digit rules of the class exactly (they
// are linear and their sign rules are the point); the quadratic operations
// move the magnitudes to 64-bit words, run the word algorithms and come back.
#include <climits>
#include <cstring>

#include "bignum/NumberWords.h"
#include "bignum/WordArithmetic.h"
#include "text/BufferMemory.h"
#include "korvane/BigNumber.h"

namespace Korvane {

using internal::Word;
using internal::WordBuffer;

namespace {
const char* const kDivideLocation = "BigNumber::divide(const BigNumber& other) const";
const char* const kDivideByteLocation = "BigNumber::divide(unsigned char value) const";
const char* const kModLocation = "BigNumber::mod(const BigNumber& other) const";
const char* const kModByteLocation = "BigNumber::mod(unsigned char value) const";
const char* const kDivisionByZero = "division by zero";

// Compares |a| and |b| the way the digit rules do: by length, then from the
// most significant digit down. Returns -1, 0 or 1.
int compareDigits(const unsigned char* a, unsigned int aLength, const unsigned char* b, unsigned int bLength) {
    if (aLength != bLength) return aLength < bLength ? -1 : 1;
    for (unsigned int i = aLength; i-- > 0;) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}
}  // namespace

// ---- Addition and subtraction ---------------------------------------------------

BigNumber BigNumber::add(const BigNumber& other, bool ignoreSign) const {
    if (isZero()) return other;
    if (other.isZero()) return *this;
    if (!ignoreSign && negative != other.negative) {
        if (negative) return other.subtract(*this, true);
        return subtract(other, true);
    }
    const BigNumber& longer = other.elementCount > elementCount ? other : *this;
    const BigNumber& shorter = other.elementCount > elementCount ? *this : other;
    BigNumber result(longer.elementCount + 1, 0);
    unsigned char* sum = result.getData();
    const unsigned char* x = longer.getData();
    const unsigned char* y = shorter.getData();
    // Eight digits at a time while both have them, then digit by digit.
    Word wordCarry = 0;
    unsigned int i = 0;
    for (; i + internal::kWordBytes <= shorter.elementCount; i += internal::kWordBytes) {
        const Word a = internal::loadDigitWord(x + i);
        const Word partial = a + internal::loadDigitWord(y + i);
        const Word total = partial + wordCarry;
        wordCarry = Word(partial < a) + Word(total < partial);
        internal::storeDigitWord(sum + i, total);
    }
    unsigned int carry = static_cast<unsigned int>(wordCarry);
    for (; i < shorter.elementCount; ++i) {
        const unsigned int s = x[i] + y[i] + carry;
        sum[i] = static_cast<unsigned char>(s);
        carry = s >> 8;
    }
    for (; i < longer.elementCount && carry != 0; ++i) {
        const unsigned int s = x[i] + carry;
        sum[i] = static_cast<unsigned char>(s);
        carry = s >> 8;
    }
    if (i < longer.elementCount) std::memcpy(sum + i, x + i, longer.elementCount - i);
    if (carry != 0) {
        sum[longer.elementCount] = 1;
    } else {
        // The spare top digit was zero, so the terminator is already there.
        result.elementCount = longer.elementCount;
    }
    result.negative = negative && other.negative;
    return result;
}

BigNumber BigNumber::add(unsigned char value, bool ignoreSign) const {
    if (isZero()) return BigNumber(value);
    if (value == 0) return *this;
    if (!ignoreSign && negative) return BigNumber(value).subtract(*this, true);
    BigNumber result(elementCount + 1, 0);
    unsigned char* sum = result.getData();
    std::memcpy(sum, getData(), elementCount);
    unsigned int carry = value;
    for (unsigned int i = 0; i < elementCount && carry != 0; ++i) {
        const unsigned int s = sum[i] + carry;
        sum[i] = static_cast<unsigned char>(s);
        carry = s >> 8;
    }
    if (carry != 0)
        sum[elementCount] = 1;
    else
        result.elementCount = elementCount;
    result.negative = negative;
    return result;
}

BigNumber BigNumber::subtract(const BigNumber& other, bool ignoreSign) const {
    if (isZero()) {
        BigNumber result(other);
        result.negative = !other.negative;
        return result;
    }
    if (other.isZero()) return *this;
    if (!ignoreSign && (negative || other.negative)) {
        if (negative && other.negative) return other.subtract(*this, true);
        if (negative) {
            BigNumber sum = add(other, true);
            sum.negative = true;
            return sum;
        }
        return add(other, true);
    }
    const int order = compareDigits(getData(), elementCount, other.getData(), other.elementCount);
    if (order == 0) return Zero;
    const BigNumber& larger = order < 0 ? other : *this;
    const BigNumber& smaller = order < 0 ? *this : other;
    BigNumber result(larger.elementCount, 0);
    unsigned char* difference = result.getData();
    const unsigned char* x = larger.getData();
    const unsigned char* y = smaller.getData();
    Word wordBorrow = 0;
    unsigned int i = 0;
    for (; i + internal::kWordBytes <= smaller.elementCount; i += internal::kWordBytes) {
        const Word a = internal::loadDigitWord(x + i);
        const Word partial = a - internal::loadDigitWord(y + i);
        const Word total = partial - wordBorrow;
        wordBorrow = Word(partial > a) + Word(total > partial);
        internal::storeDigitWord(difference + i, total);
    }
    int borrow = static_cast<int>(wordBorrow);
    for (; i < smaller.elementCount; ++i) {
        const int d = x[i] - y[i] - borrow;
        difference[i] = static_cast<unsigned char>(d);
        borrow = d < 0 ? 1 : 0;
    }
    if (borrow != 0) {
        // The borrow runs up until a digit absorbs it; what would remain past
        // the top (only for digits out of normal form) is dropped.
        while (i < larger.elementCount) {
            const int d = x[i] - 1;
            difference[i] = static_cast<unsigned char>(d);
            ++i;
            if (d >= 0) break;
        }
    }
    for (; i < larger.elementCount; ++i) difference[i] = x[i];
    result.normalize();
    result.negative = order < 0;
    return result;
}

BigNumber BigNumber::subtract(unsigned char value, bool ignoreSign) const {
    return subtract(BigNumber(value), ignoreSign);
}

// ---- Multiplication ----------------------------------------------------------------

// The operands are read in place where their digits already are words, and
// the product is formed in the digit buffer of the result: no copy to wipe
// but the result itself, whose release wipes it.
BigNumber BigNumber::multiply(const BigNumber& other) const {
    const bool productNegative = negative != other.negative;
    const internal::MagnitudeWords a(*this);
    const internal::MagnitudeWords b(other);
    const std::size_t an = a.size();
    const std::size_t bn = b.size();
    if (an == 0 || bn == 0) return BigNumber(nullptr, 0, 0, productNegative);
    if (an + bn > UINT_MAX / internal::kWordBytes) internal::throwArrayTooLong();
    BigNumber product(static_cast<unsigned int>((an + bn) * internal::kWordBytes), UnsetElements());
    // A counted block's digits start on a word boundary.
    Word* r = reinterpret_cast<Word*>(product.getData());
    if (a.data() == b.data() && an == bn)
        internal::squareWords(r, a.data(), an);
    else if (an >= bn)
        internal::multiplyWords(r, a.data(), an, b.data(), bn);
    else
        internal::multiplyWords(r, b.data(), bn, a.data(), an);
    internal::wordsToDigitOrder(r, an + bn);
    product.negative = productNegative;
    product.normalize();
    return product;
}

BigNumber BigNumber::multiply(unsigned char value) const {
    WordBuffer words(internal::magnitudeWordCount(*this) + 1);
    internal::loadMagnitude(*this, words);
    const std::size_t n = words.size() - 1;
    words[n] = internal::multiplyWord(words.data(), words.data(), n, value);
    return fromWords(words, negative);
}

// ---- Division ----------------------------------------------------------------------

namespace {
// The magnitudes of a division as words, the divisor checked for zero.
struct DivisionOperands {
    DivisionOperands(const BigNumber& dividend, const BigNumber& divisor, const char* location)
        : a(internal::magnitudeWordCount(dividend)), b(internal::magnitudeWordCount(divisor)) {
        internal::loadMagnitude(divisor, b);
        bn = b.significantSize();
        if (bn == 0) internal::throwZeroDivisor(location, kDivisionByZero);
        internal::loadMagnitude(dividend, a);
        an = a.significantSize();
    }
    WordBuffer a;
    WordBuffer b;
    std::size_t an = 0;
    std::size_t bn = 0;
};
}  // namespace

BigNumber BigNumber::divide(const BigNumber& other) const {
    DivisionOperands operands(*this, other, kDivideLocation);
    const bool quotientNegative = negative != other.negative;
    if (operands.an < operands.bn) return BigNumber(nullptr, 0, 0, quotientNegative);
    WordBuffer quotient(operands.an - operands.bn + 1);
    internal::divideWords(quotient.data(), nullptr, operands.a.data(), operands.an, operands.b.data(), operands.bn);
    return fromWords(quotient, quotientNegative);
}

BigNumber BigNumber::mod(const BigNumber& other) const {
    DivisionOperands operands(*this, other, kModLocation);
    if (operands.an < operands.bn) return fromWords(operands.a, negative);
    WordBuffer remainder(operands.bn);
    internal::divideWords(nullptr, remainder.data(), operands.a.data(), operands.an, operands.b.data(), operands.bn);
    return fromWords(remainder, negative);
}

// The byte divisions run on words, each step a multiplication by the
// divisor's reciprocal instead of a hardware division per digit.
BigNumber BigNumber::divide(unsigned char value) const {
    if (value == 0) internal::throwZeroDivisor(kDivideByteLocation, kDivisionByZero);
    WordBuffer words(internal::magnitudeWordCount(*this));
    internal::loadMagnitude(*this, words);
    internal::divideByWord(words.data(), words.data(), words.size(), internal::WordDivisor(value));
    return fromWords(words, negative);
}

int BigNumber::mod(unsigned char value) const {
    if (value == 0) internal::throwZeroDivisor(kModByteLocation, kDivisionByZero);
    WordBuffer words(internal::magnitudeWordCount(*this));
    internal::loadMagnitude(*this, words);
    const int remainder =
        static_cast<int>(internal::divideByWord(nullptr, words.data(), words.size(), internal::WordDivisor(value)));
    return negative ? -remainder : remainder;
}

// ---- Complements and shifts ------------------------------------------------------

BigNumber BigNumber::twosComplement() const {
    // One spare top digit for the carry out of the last one.
    BigNumber result(elementCount + 1, 0);
    unsigned char* digits = result.getData();
    const unsigned char* source = getData();
    const unsigned int count = elementCount;
    for (unsigned int i = 0; i < count; ++i) digits[i] = static_cast<unsigned char>(~source[i]);
    unsigned int i = 0;
    while (i < count && ++digits[i] == 0) ++i;
    if (i == count)
        digits[count] = 1;
    else
        result.elementCount = count;  // the spare digit, zero, is the terminator
    result.negative = !negative;
    return result;
}

BigNumber& BigNumber::operator~() {
    // A number whose digits were moved away reads its zero digit from shared
    // slots; it gets a buffer of its own before anything is written.
    ensureCapacity(elementCount);
    unsigned char* digits = getData();
    const unsigned int count = elementCount;  // read once: a byte store may alias it
    for (unsigned int i = 0; i < count; ++i) digits[i] = static_cast<unsigned char>(~digits[i]);
    return *this;
}

// The shifts move eight digits at a time, the remaining digits one by one.
BigNumber& BigNumber::shiftl() {
    if (isZero()) return *this;
    unsigned char* digits = getData();
    const unsigned int count = elementCount;
    Word wordCarry = 0;
    unsigned int i = 0;
    for (; i + internal::kWordBytes <= count; i += internal::kWordBytes) {
        const Word w = internal::loadDigitWord(digits + i);
        internal::storeDigitWord(digits + i, (w << 1) | wordCarry);
        wordCarry = w >> (internal::kWordBits - 1);
    }
    unsigned int carry = static_cast<unsigned int>(wordCarry);
    for (; i < count; ++i) {
        const unsigned int shifted = (static_cast<unsigned int>(digits[i]) << 1) | carry;
        digits[i] = static_cast<unsigned char>(shifted);
        carry = shifted >> 8;
    }
    if (carry != 0) (*this)[count] = 1;
    return *this;
}

BigNumber& BigNumber::shiftr() {
    if (isZero()) return *this;
    unsigned char* digits = getData();
    const unsigned int count = elementCount;
    unsigned int carry = 0;
    unsigned int i = count;
    for (; i % internal::kWordBytes != 0; --i) {
        const unsigned int digit = digits[i - 1];
        digits[i - 1] = static_cast<unsigned char>((digit >> 1) | (carry << 7));
        carry = digit & 1;
    }
    for (; i != 0; i -= internal::kWordBytes) {
        unsigned char* at = digits + i - internal::kWordBytes;
        const Word w = internal::loadDigitWord(at);
        internal::storeDigitWord(at, (w >> 1) | (Word(carry) << (internal::kWordBits - 1)));
        carry = static_cast<unsigned int>(w & 1);
    }
    if (count > 1 && digits[count - 1] == 0) --elementCount;
    return *this;
}

}  // namespace Korvane
