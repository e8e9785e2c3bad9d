#include "text/FormatBuffer.h"

#include <cstdio>

namespace Korvane {
namespace internal {

// C99 vsnprintf returns the length the whole text needs, whatever fitted;
// a negative result is an encoding error.
int formatIntoBuffer(char* buffer, std::size_t capacity, const char* format, va_list arguments,
                     std::size_t& needed) {
    const int written = std::vsnprintf(buffer, capacity, format, arguments);
    if (written < 0) return kFormatFailed;
    needed = static_cast<std::size_t>(written);
    return needed < capacity ? written : kFormatDoesNotFit;
}

}  // namespace internal
}  // namespace Korvane
