#include "bignum/WordBuffer.h"

#include <cstring>
#include <new>

#include "text/BufferMemory.h"

namespace Korvane {
namespace internal {

WordBuffer::WordBuffer(std::size_t count) : words(inlineWords), count(count) {
    if (count > kInlineWords) {
        if (count > SIZE_MAX / sizeof(Word)) throw std::bad_alloc();
        words = static_cast<Word*>(allocateBuffer(count * sizeof(Word)));
    }
    std::memset(words, 0, count * sizeof(Word));
}

WordBuffer::~WordBuffer() {
    // The inline words are wiped as well: the stack frame they live in is
    // reused by whatever runs next.
    secureWipe(words, count * sizeof(Word));
    if (words != inlineWords) releaseBuffer(words);
}

std::size_t WordBuffer::significantSize() const { return significantWords(words, count); }

void digitsToWords(const unsigned char* digits, std::size_t count, Word* words) {
    if (count == 0) return;
    words[(count - 1) / kWordBytes] = 0;
    if (!kBigEndianHost) {
        std::memcpy(words, digits, count);
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (i % kWordBytes == 0) words[i / kWordBytes] = 0;
        words[i / kWordBytes] |= Word(digits[i]) << (8 * (i % kWordBytes));
    }
}

void wordsToDigitOrder(Word* words, std::size_t count) {
    if (!kBigEndianHost) return;
    for (std::size_t i = 0; i < count; ++i) words[i] = byteSwap(words[i]);
}

}  // namespace internal
}  // namespace Korvane
