// One attempt of String::formatString: the C runtime's formatting into a
// buffer of a given size, with the runtime's own way of saying that the
// buffer was too small (FormatBufferPosix.cpp, FormatBufferWindows.cpp).
#pragma once

#include <cstdarg>
#include <cstddef>

namespace Korvane {
namespace internal {

constexpr int kFormatDoesNotFit = -1;
constexpr int kFormatFailed = -2;

// Formats into the `capacity` characters at `buffer`. Returns the length of
// the text when it and its terminator fit. Otherwise returns
// kFormatDoesNotFit, with `needed` set to the length the text needs when the
// runtime tells it (0 when it does not), or kFormatFailed when no buffer
// would do (an argument that cannot be encoded).
int formatIntoBuffer(char* buffer, std::size_t capacity, const char* format, va_list arguments,
                     std::size_t& needed);

}  // namespace internal
}  // namespace Korvane
