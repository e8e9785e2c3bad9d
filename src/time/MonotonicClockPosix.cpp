#include "time/MonotonicClock.h"

#include <time.h>

namespace Korvane {
namespace internal {

unsigned int monotonicMillis() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const unsigned long long millis =
        static_cast<unsigned long long>(now.tv_sec) * 1000ull +
        static_cast<unsigned long long>(now.tv_nsec) / 1000000ull;
    return static_cast<unsigned int>(millis);
}

}  // namespace internal
}  // namespace Korvane
