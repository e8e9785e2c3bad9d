// Scans of the subject for the places where a match can start: any of a
// few bytes, or any of a few byte pairs, 16 subject bytes at a time where
// SSE2 is there.
#pragma once

#include <cstddef>
#include <cstring>

#include "regex/RegexProgram.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Korvane {
namespace regex {

#if defined(__SSE2__)
inline std::size_t firstSetBit(int mask) {
    return static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned int>(mask)));
}
#endif

// The position of the first byte at or after `at` that is one of the
// `count` bytes of `wanted`, or `length`. The subject's NUL follows its last
// byte, and no wanted byte is NUL.
inline std::size_t scanForAny(const unsigned char* text, std::size_t at, std::size_t length,
                              const char* wanted, int count) {
#if defined(__SSE2__)
    // Up to four bytes: compare 16 subject bytes at a time with each.
    if (count <= 4) {
        __m128i needles[4];
        for (int i = 0; i < 4; ++i) needles[i] = _mm_set1_epi8(wanted[i < count ? i : 0]);
        for (; at + 16 <= length; at += 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
            __m128i hits = _mm_cmpeq_epi8(block, needles[0]);
            hits = _mm_or_si128(hits, _mm_cmpeq_epi8(block, needles[1]));
            hits = _mm_or_si128(hits, _mm_cmpeq_epi8(block, needles[2]));
            hits = _mm_or_si128(hits, _mm_cmpeq_epi8(block, needles[3]));
            const int mask = _mm_movemask_epi8(hits);
            if (mask != 0) return at + firstSetBit(mask);
        }
        for (; at < length; ++at)
            for (int i = 0; i < count; ++i)
                if (text[at] == static_cast<unsigned char>(wanted[i])) return at;
        return length;
    }
#endif
    // strcspn stops at the NUL after the subject, or early at a NUL inside
    // it, which is no start byte: the caller's attempt there fails.
    (void)count;
    (void)length;
    return at + std::strcspn(reinterpret_cast<const char*>(text) + at, wanted);
}

// The position of the first pair of bytes at or after `at` that is one of the
// `count` pairs, or `length`.
inline std::size_t scanForPairs(const unsigned char* text, std::size_t at, std::size_t length,
                                const unsigned char (*pairs)[2], int count) {
#if defined(__SSE2__)
    __m128i firsts[kStartPairs];
    __m128i seconds[kStartPairs];
    for (int i = 0; i < kStartPairs; ++i) {
        const int pair = i < count ? i : 0;
        firsts[i] = _mm_set1_epi8(static_cast<char>(pairs[pair][0]));
        seconds[i] = _mm_set1_epi8(static_cast<char>(pairs[pair][1]));
    }
    // The second load reaches one byte further: at most the terminating NUL.
    for (; at + 16 <= length; at += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
        const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at + 1));
        __m128i hits = _mm_setzero_si128();
        for (int i = 0; i < kStartPairs; ++i)
            hits = _mm_or_si128(hits, _mm_and_si128(_mm_cmpeq_epi8(block, firsts[i]),
                                                    _mm_cmpeq_epi8(after, seconds[i])));
        const int mask = _mm_movemask_epi8(hits);
        if (mask != 0) return at + firstSetBit(mask);
    }
#endif
    for (; at < length; ++at)
        for (int i = 0; i < count; ++i)
            if (text[at] == pairs[i][0] && text[at + 1] == pairs[i][1]) return at;
    return length;
}

}  // namespace regex
}  // namespace Korvane
