// The byte searches of the matcher: glibc's memmem and memrchr where the
// platform has them and they are the faster (ByteSearchPosix.cpp), the
// library's own portable versions elsewhere (ByteSearchWindows.cpp).
#pragma once

#include <cstddef>

namespace Korvane {
namespace regex {

// The first occurrence of the `needleLength` bytes at `needle` in the
// `length` bytes at `text`, or null. An empty needle is found at `text`.
const void* findBytes(const void* text, std::size_t length, const void* needle,
                      std::size_t needleLength);

// The last byte equal to `value` among the `length` bytes at `text`, or null.
const void* findLastByte(const void* text, int value, std::size_t length);

// The portable versions, with the same contracts; linear in the text length
// (the needle search falls back on a rolling hash when the text is
// repetitive, so it stays linear unless hashes collide).
const void* portableFindBytes(const void* text, std::size_t length, const void* needle,
                              std::size_t needleLength);
const void* portableFindLastByte(const void* text, int value, std::size_t length);

}  // namespace regex
}  // namespace Korvane
