// WordBuffer: the scratch storage of the big-number algorithms.
//
// The arithmetic of BigNumber runs on 64-bit words, least significant word
// first. A WordBuffer owns a zero-filled run of words and overwrites it with
// zeros before releasing it, so digits of keys never stay behind in freed
// memory, exactly as the Array buffers do. Small buffers live inside the
// object to spare the allocator on the short operations.
#pragma once

#include <cstddef>
#include <cstring>

#include "bignum/MachineWord.h"
#include "text/ByteOrder.h"

namespace Korvane {
namespace internal {

class WordBuffer {
public:
    // `count` words, all zero.
    explicit WordBuffer(std::size_t count);
    ~WordBuffer();

    WordBuffer(const WordBuffer&) = delete;
    WordBuffer& operator=(const WordBuffer&) = delete;

    Word* data() { return words; }
    const Word* data() const { return words; }
    std::size_t size() const { return count; }
    Word& operator[](std::size_t i) { return words[i]; }
    Word operator[](std::size_t i) const { return words[i]; }

    // The number of words up to the highest non-zero one (0 for zero).
    std::size_t significantSize() const;

private:
    // Enough for the operands of a 2048-bit operation.
    static constexpr std::size_t kInlineWords = 34;

    Word* words;
    std::size_t count;
    Word inlineWords[kInlineWords];
};

// Words needed for `digits` base-256 digits.
inline std::size_t wordsForDigits(std::size_t digits) {
    return (digits + kWordBytes - 1) / kWordBytes;
}

// Reads `count` base-256 digits (least significant first) into `words`, which
// must hold at least wordsForDigits(count) words; the rest of the top word is
// cleared, the words beyond it are left alone.
void digitsToWords(const unsigned char* digits, std::size_t count, Word* words);

// Eight base-256 digits at `digits` (the first least significant) as one
// word, and a word back into eight digits, on hosts of either byte order.
inline Word loadDigitWord(const unsigned char* digits) { return loadLittleEndian(digits); }

inline void storeDigitWord(unsigned char* digits, Word w) { storeLittleEndian(digits, w); }

// Rearranges `count` words in place so that their bytes read as base-256
// digits, least significant first (a no-op on little-endian hosts).
void wordsToDigitOrder(Word* words, std::size_t count);

// The number of words of `words[0 .. count)` up to the highest non-zero one.
inline std::size_t significantWords(const Word* words, std::size_t count) {
    while (count > 0 && words[count - 1] == 0) --count;
    return count;
}

}  // namespace internal
}  // namespace Korvane
