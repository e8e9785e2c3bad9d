#include "regex/ByteSearch.h"

#include <cstdint>
#include <cstring>

namespace Korvane {
namespace regex {

namespace {

// The polynomial hash base; arithmetic is modulo 2^32, by unsigned wrap.
constexpr std::uint32_t kBase = 0x01000193u;

// Rabin-Karp: the window is compared only where its rolling hash equals the
// needle's, so the work is linear in the text unless hashes collide.
const unsigned char* rollingSearch(const unsigned char* t, std::size_t length,
                                   const unsigned char* n, std::size_t needleLength) {
    if (needleLength > length) return nullptr;
    std::uint32_t needleHash = 0;
    std::uint32_t windowHash = 0;
    std::uint32_t leadingWeight = 1;  // kBase^(needleLength - 1)
    for (std::size_t i = 0; i < needleLength; ++i) {
        needleHash = needleHash * kBase + n[i];
        windowHash = windowHash * kBase + t[i];
        if (i != 0) leadingWeight *= kBase;
    }
    const std::size_t last = length - needleLength;
    for (std::size_t at = 0;; ++at) {
        if (windowHash == needleHash && std::memcmp(t + at, n, needleLength) == 0) return t + at;
        if (at == last) return nullptr;
        windowHash = (windowHash - t[at] * leadingWeight) * kBase + t[at + needleLength];
    }
}

constexpr std::uint64_t kEveryByte = 0x0101010101010101ull;
constexpr std::uint64_t kEveryHighBit = 0x8080808080808080ull;

// Whether one of the eight bytes of `word` is zero.
bool hasZeroByte(std::uint64_t word) { return ((word - kEveryByte) & ~word & kEveryHighBit) != 0; }

}  // namespace

// Candidates are found with memchr on the first needle byte and compared in
// full. That is fastest on ordinary text, but a text of one repeated byte
// makes nearly every position a candidate ("aaab" in "aaaa..."), so after
// comparisons worth the text's length the rolling hash takes over.
const void* portableFindBytes(const void* text, std::size_t length, const void* needle,
                              std::size_t needleLength) {
    const auto* t = static_cast<const unsigned char*>(text);
    const auto* n = static_cast<const unsigned char*>(needle);
    if (needleLength == 0) return text;
    if (needleLength > length) return nullptr;
    const unsigned char* const end = t + (length - needleLength) + 1;  // past the last start
    std::size_t budget = length;
    for (const unsigned char* at = t; at < end; ++at) {
        at = static_cast<const unsigned char*>(std::memchr(at, n[0], static_cast<std::size_t>(end - at)));
        if (at == nullptr) return nullptr;
        if (std::memcmp(at + 1, n + 1, needleLength - 1) == 0) return at;
        if (budget < needleLength)
            return rollingSearch(at + 1, static_cast<std::size_t>(t + length - at - 1), n, needleLength);
        budget -= needleLength;
    }
    return nullptr;
}

// Eight bytes at a time: a word with no byte equal to `value` is skipped
// whole.
const void* portableFindLastByte(const void* text, int value, std::size_t length) {
    const auto* t = static_cast<const unsigned char*>(text);
    const auto wanted = static_cast<unsigned char>(value);
    const std::uint64_t pattern = kEveryByte * wanted;
    std::size_t i = length;
    while (i >= sizeof(std::uint64_t)) {
        std::uint64_t word;
        std::memcpy(&word, t + i - sizeof word, sizeof word);
        if (hasZeroByte(word ^ pattern)) break;
        i -= sizeof word;
    }
    for (; i > 0; --i) {
        if (t[i - 1] == wanted) return t + i - 1;
    }
    return nullptr;
}

}  // namespace regex
}  // namespace Korvane
