// The library's millisecond clock: a monotonic count from an arbitrary fixed
// point (system start), truncated to 32 bits, so it wraps after about 49.7
// days and never goes backwards otherwise. Differences of two readings taken
// as unsigned 32-bit values stay right across a wrap.
#pragma once

#include <time.h>

namespace Korvane {
namespace internal {

inline unsigned int monotonicMillis() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const unsigned long long millis =
        static_cast<unsigned long long>(now.tv_sec) * 1000ull +
        static_cast<unsigned long long>(now.tv_nsec) / 1000000ull;
    return static_cast<unsigned int>(millis);
}

}  // namespace internal
}  // namespace Korvane
