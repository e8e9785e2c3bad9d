#include "bignum/RadixConversion.h"

#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "bignum/WordArithmetic.h"
#include "korvane/ByteArray.h"
#include "korvane/String.h"
#include "text/BufferMemory.h"

namespace Korvane {
namespace internal {

namespace {

const char kAlphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Digit value of every byte; 0xFF marks a character that is not a digit.
struct DigitValues {
    unsigned char value[256];
    constexpr DigitValues() : value() {
        for (int c = 0; c < 256; ++c) value[c] = 0xFF;
        for (int d = 0; d < 10; ++d) value['0' + d] = static_cast<unsigned char>(d);
        for (int d = 0; d < 26; ++d) {
            value['A' + d] = static_cast<unsigned char>(10 + d);
            value['a' + d] = static_cast<unsigned char>(10 + d);
        }
    }
};
constexpr DigitValues kDigitValues;

// The largest power base^k that fits in a word, with its exponent k.
struct WordPower {
    Word power;
    unsigned int digits;
};

WordPower largestWordPower(unsigned int base, Word limit) {
    WordPower result{base, 1};
    while (result.power <= limit / base) {
        result.power *= base;
        ++result.digits;
    }
    return result;
}

// Writes the `count` low digits of `value` backwards, ending before `end`.
// One instance per base, so each division is by a constant and becomes a
// multiplication.
template <unsigned int Base>
void writeChunk(Word value, char* end, unsigned int count) {
    for (unsigned int i = 0; i < count; ++i) {
        *--end = kAlphabet[value % Base];
        value /= Base;
    }
}

// Decimal chunks go two digits a division, from a table of digit pairs, in
// two halves that do not wait for each other.
const char kDecimalPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void writeDecimalPairs(Word value, char* end, unsigned int count) {
    for (; count >= 2; count -= 2) {
        end -= 2;
        std::memcpy(end, kDecimalPairs + 2 * (value % 100), 2);
        value /= 100;
    }
    if (count != 0) *--end = static_cast<char>('0' + value % 10);
}

template <>
void writeChunk<10>(Word value, char* end, unsigned int count) {
    constexpr Word kHalf = 10000000000;  // 10^10
    if (count <= 10) return writeDecimalPairs(value, end, count);
    const Word high = value / kHalf;
    writeDecimalPairs(value - high * kHalf, end, 10);
    writeDecimalPairs(high, end - 10, count - 10);
}

using ChunkWriter = void (*)(Word, char*, unsigned int);

template <std::size_t... Base>
constexpr std::array<ChunkWriter, sizeof...(Base)> makeChunkWriters(std::index_sequence<Base...>) {
    return {{&writeChunk<(Base < 2 ? 2 : static_cast<unsigned int>(Base))>...}};
}
constexpr std::array<ChunkWriter, 37> kChunkWriters = makeChunkWriters(std::make_index_sequence<37>());

// Numbers of at most this many words are converted by repeated division by
// the word power; longer ones are split first.
constexpr std::size_t kSplitThreshold = 10;

class TextWriter {
public:
    explicit TextWriter(unsigned int base) : base(base), chunk(largestWordPower(base, ~Word(0))), divisor(chunk.power) {}

    // Writes exactly `count` digits of the n-word x (below base^count)
    // backwards, ending before `end`, leading zeros included. x is consumed.
    void write(Word* x, std::size_t n, char* end, std::size_t count) {
        n = significantWords(x, n);
        if (n > kSplitThreshold) {
            std::size_t level = 0;
            while (level + 1 < powers.size() && powerLength(level + 1) <= n / 2) ++level;
            if (level < powers.size() && powerLength(level) * 2 <= n) {
                split(x, n, end, count, level);
                return;
            }
        }
        std::size_t written = 0;
        while (n != 0) {
            const Word low = divideByWord(x, x, n, divisor);
            n = significantWords(x, n);
            const unsigned int digits = chunk.digits;
            kChunkWriters[base](low, end - written, digits);
            written += digits;
        }
        // The last chunk may have written zeros past `count`; those belong
        // to the caller's padding and are zeros anyway.
        if (written < count) std::memset(end - count, '0', count - written);
    }

    // Prepares base^(k 2^j) for every j whose power has at most `n` words.
    void preparePowers(std::size_t n) {
        if (n <= kSplitThreshold) return;
        powerStore.reset(new WordBuffer(4 * n + 8));
        Word* free = powerStore->data();
        free[0] = chunk.power;
        powers.push_back({free, 1, chunk.digits});
        free += 1;
        while (true) {
            const Power last = powers.back();
            if (2 * last.length > n) break;
            squareWords(free, last.words, last.length);
            const std::size_t length = significantWords(free, 2 * last.length);
            powers.push_back({free, length, 2 * last.digits});
            free += 2 * last.length;
        }
    }

private:
    struct Power {
        const Word* words;
        std::size_t length;
        std::size_t digits;
    };

    std::size_t powerLength(std::size_t level) const { return powers[level].length; }

    // x = q base^d + r with d the digits of the chosen power: r fills the
    // low d positions, q the rest.
    void split(Word* x, std::size_t n, char* end, std::size_t count, std::size_t level) {
        const Power& p = powers[level];
        WordBuffer parts(n + 1);
        Word* quotient = parts.data();
        Word* remainder = quotient + (n - p.length + 1);
        divideWords(quotient, remainder, x, n, p.words, p.length);
        write(remainder, p.length, end, p.digits);
        write(quotient, n - p.length + 1, end - p.digits, count - p.digits);
    }

    unsigned int base;
    WordPower chunk;
    WordDivisor divisor;
    std::unique_ptr<WordBuffer> powerStore;
    std::vector<Power> powers;
};

// log2 of a base that is a power of two (2 .. 32), otherwise 0.
unsigned int bitsPerDigit(unsigned int base) {
    return (base & (base - 1)) == 0 ? static_cast<unsigned int>(__builtin_ctz(base)) : 0;
}

// The digits of base 2^Bits held by the whole bytes of `bytes`, written
// backwards ending before `end`, for the bases whose digits never straddle
// two bytes.
template <unsigned int Bits>
void writeWholeBytes(const unsigned char* bytes, std::size_t count, char* end) {
    constexpr unsigned int perByte = 8 / Bits;
    constexpr unsigned int mask = (1u << Bits) - 1;
    for (std::size_t i = 0; i < count; ++i) {
        unsigned int byte = bytes[i];
        for (unsigned int k = 0; k < perByte; ++k) {
            *--end = kAlphabet[byte & mask];
            byte >>= Bits;
        }
    }
}

// Digit i (from the least significant) of a power-of-two base 2^b holds bits
// i*b .. i*b+b-1 of the magnitude, so the text is cut straight out of the
// bytes: linear, where division by the base would be quadratic. The top
// byte of the `count` bytes is not zero.
String slicedText(const unsigned char* bytes, std::size_t count, unsigned int bits, bool negative) {
    const std::size_t totalBits = 8 * (count - 1) + (kWordBits - leadingZeros(bytes[count - 1]));
    const std::size_t digits = (totalBits + bits - 1) / bits;
    const std::size_t sign = negative ? 1 : 0;
    if (digits + sign >= UINT32_MAX) throwArrayTooLong();
    // Every position but the sign is overwritten below.
    String text(static_cast<unsigned int>(digits + sign), '-');
    char* const end = text.getData() + sign + digits;
    std::size_t whole = 0;
    switch (bits) {
        case 1: whole = count - 1; writeWholeBytes<1>(bytes, whole, end); break;
        case 2: whole = count - 1; writeWholeBytes<2>(bytes, whole, end); break;
        case 4: whole = count - 1; writeWholeBytes<4>(bytes, whole, end); break;
        default: break;
    }
    const unsigned int mask = (1u << bits) - 1;
    for (std::size_t i = whole * 8 / bits, bit = whole * 8; i < digits; ++i, bit += bits) {
        const std::size_t index = bit / 8;
        unsigned int window = bytes[index];
        if (index + 1 < count) window |= static_cast<unsigned int>(bytes[index + 1]) << 8;
        end[-1 - static_cast<std::ptrdiff_t>(i)] = kAlphabet[(window >> (bit % 8)) & mask];
    }
    return text;
}

// The value of the digits, each weighed by 2^(b * its place): a digit not
// below the base overlaps the next place, so the sums carry like an
// addition, but still in one pass from the least significant digit.
void slicedWords(const char* text, std::size_t length, unsigned int bits, WordBuffer& out) {
    Word* value = out.data();
    const std::size_t words = out.size();
    std::size_t index = 0;
    unsigned int shift = 0;
    Word current = 0;
    Word above = 0;  // what the digits put past the top of `current`
    const unsigned char* characters = reinterpret_cast<const unsigned char*>(text);
    for (std::size_t i = length; i-- > 0;) {
        const Word digit = kDigitValues.value[characters[i]];
        if (digit == 0xFF) continue;
        const Word low = digit << shift;
        current += low;
        above += (shift == 0 ? 0 : digit >> (kWordBits - shift)) + (current < low ? 1 : 0);
        shift += bits;
        if (shift >= kWordBits) {
            value[index++] = current;
            current = above;
            above = 0;
            shift -= kWordBits;
        }
    }
    value[index] = current;
    if (index + 1 < words) value[index + 1] = above;
}

}  // namespace

String wordsToText(Word* w, std::size_t n, unsigned int base, bool negative) {
    n = significantWords(w, n);
    if (n == 0) return String("0");
    // An upper bound on the digit count, with room for a partial chunk on
    // either side; the surplus becomes leading zeros that are skipped.
    const double bits = 64.0 * double(n);
    const std::size_t count = static_cast<std::size_t>(std::ceil(bits * std::log(2.0) / std::log(double(base)))) + 1;
    const unsigned int chunkDigits = largestWordPower(base, ~Word(0)).digits;
    String scratch(static_cast<unsigned int>(count + chunkDigits + 1), '0');
    char* buffer = scratch.getData();
    char* end = buffer + chunkDigits + count;
    TextWriter writer(base);
    writer.preparePowers(n);
    writer.write(w, n, end, count);
    const char* first = end - count;
    while (*first == '0') ++first;
    String text;
    if (negative) text += '-';
    text += String(first, static_cast<unsigned int>(end - first));
    return text;
}

String digitsToText(const unsigned char* digits, std::size_t count, unsigned int base, bool negative) {
    while (count > 0 && digits[count - 1] == 0) --count;
    if (count == 0) return String("0");
    if (const unsigned int bits = bitsPerDigit(base)) return slicedText(digits, count, bits, negative);
    WordBuffer words(wordsForDigits(count));
    digitsToWords(digits, count, words.data());
    return wordsToText(words.data(), words.size(), base, negative);
}

std::size_t wordsForText(std::size_t digits) { return digits * 6 / kWordBits + 2; }

namespace {

// The value of digit values (0 .. 35, most significant first) in a base that
// is not a power of two. Short runs go by Horner's rule over chunks of k
// digits gathered in one word (k chosen so that even k digits of value 35
// fit); long ones are split, value = high base^L + low with L = k 2^i
// digits, so that the products are balanced and Karatsuba's.
class NumeralReader {
public:
    explicit NumeralReader(unsigned int base)
        : base(base), chunk(largestWordPower(base, ~Word(0) / 36)), powers(cachedPowers(base)) {}

    // Words enough for the value of `count` digits and the sums on the way.
    static std::size_t capacity(std::size_t count) { return wordsForText(count) + 2; }

    // Writes the value of digits[0 .. count) into `out`, capacity(count)
    // zero words; returns the number of significant words.
    std::size_t read(const unsigned char* digits, std::size_t count, Word* out) {
        if (count <= kHornerChunks * chunk.digits) return horner(digits, count, out);
        std::size_t level = 0;
        while ((std::size_t(chunk.digits) << (level + 1)) < count) ++level;
        const std::size_t lowCount = std::size_t(chunk.digits) << level;
        const std::size_t highCount = count - lowCount;
        WordBuffer high(capacity(highCount));
        const std::size_t hn = read(digits, highCount, high.data());
        WordBuffer low(capacity(lowCount));
        const std::size_t ln = read(digits + highCount, lowCount, low.data());
        const Words& p = power(level);
        std::size_t n = 0;
        if (hn >= p.size())
            multiplyWords(out, high.data(), hn, p.data(), p.size());
        else if (hn != 0)
            multiplyWords(out, p.data(), p.size(), high.data(), hn);
        if (hn != 0) n = hn + p.size();
        const std::size_t total = (n > ln ? n : ln) + 1;
        const Word carry = addWords(out, out, low.data(), ln);
        addWord(out + ln, out + ln, total - ln, carry);
        return significantWords(out, total);
    }

private:
    static constexpr std::size_t kHornerChunks = 40;
    // Powers up to this many words stay with the thread for the next text.
    static constexpr std::size_t kCachedWords = 256;

    using Words = std::vector<Word>;

    // The powers of each base already squared up on this thread. They are
    // public values, so plain vectors hold them.
    static std::vector<Words>& cachedPowers(unsigned int base) {
        thread_local std::array<std::vector<Words>, 37> cache;
        return cache[base];
    }

    // The value of `count` digits (count <= k), four digits to a
    // multiplication on the serial chain.
    Word gather(const unsigned char* digits, std::size_t count) const {
        const Word b = base, b2 = b * b, b4 = b2 * b2;
        Word value = 0;
        std::size_t i = 0;
        for (; i + 4 <= count; i += 4)
            value = value * b4 + ((digits[i] * b + digits[i + 1]) * b2 + (digits[i + 2] * b + digits[i + 3]));
        for (; i < count; ++i) value = value * b + digits[i];
        return value;
    }

    // Horner's rule over whole chunks after a first, shorter one, which
    // needs no scale as it lands on zero.
    std::size_t horner(const unsigned char* digits, std::size_t count, Word* value) const {
        std::size_t first = count % chunk.digits;
        if (first == 0) first = chunk.digits < count ? chunk.digits : count;
        value[0] = gather(digits, first);
        std::size_t n = value[0] != 0 ? 1 : 0;
        for (std::size_t i = first; i < count; i += chunk.digits) {
            const Word carry = multiplyAddInPlace(value, n, chunk.power, gather(digits + i, chunk.digits));
            if (carry != 0) value[n++] = carry;
        }
        return n;
    }

    // base^(k 2^level), squared up from base^k on first use.
    const Words& power(std::size_t level) {
        while (powers.size() + larger.size() <= level) {
            Words next;
            if (powers.empty()) {
                next.assign(1, chunk.power);
            } else {
                const Words& last = larger.empty() ? powers.back() : larger.back();
                next.assign(2 * last.size(), 0);
                squareWords(next.data(), last.data(), last.size());
                next.resize(significantWords(next.data(), next.size()));
            }
            if (larger.empty() && next.size() <= kCachedWords)
                powers.push_back(std::move(next));
            else
                larger.push_back(std::move(next));
        }
        return level < powers.size() ? powers[level] : larger[level - powers.size()];
    }

    unsigned int base;
    WordPower chunk;
    std::vector<Words>& powers;
    std::vector<Words> larger;
};

}  // namespace

void textToWords(const char* text, std::size_t length, unsigned int base, WordBuffer& out) {
    if (const unsigned int bits = bitsPerDigit(base)) {
        slicedWords(text, length, bits, out);
        return;
    }
    // The digit values first, without the characters that are not digits.
    ByteArray digits(static_cast<unsigned int>(length), '\0');
    unsigned char* values = digits.getData();
    std::size_t count = 0;
    const unsigned char* characters = reinterpret_cast<const unsigned char*>(text);
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char digit = kDigitValues.value[characters[i]];
        if (digit != 0xFF) values[count++] = digit;
    }
    NumeralReader reader(base);
    WordBuffer value(NumeralReader::capacity(count));
    const std::size_t n = reader.read(values, count, value.data());
    std::memcpy(out.data(), value.data(), n * sizeof(Word));
}

}  // namespace internal
}  // namespace Korvane
