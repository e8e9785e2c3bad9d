#include "text/FormatBuffer.h"

#include <stdio.h>

namespace Korvane {
namespace internal {

// The Windows runtime's _vsnprintf returns -1 when the text does not fit and
// the full capacity when it fits without its terminator; neither tells the
// length needed, so the caller keeps doubling. An encoding error also gives
// -1 and cannot be told apart; the caller's size limit ends that loop.
int formatIntoBuffer(char* buffer, std::size_t capacity, const char* format, va_list arguments,
                     std::size_t& needed) {
    const int written = _vsnprintf(buffer, capacity, format, arguments);
    needed = 0;
    if (written < 0 || static_cast<std::size_t>(written) >= capacity) return kFormatDoesNotFit;
    return written;
}

}  // namespace internal
}  // namespace Korvane
