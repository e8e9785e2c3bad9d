#include "runtime/PlatformClock.h"

#include <cerrno>
#include <ctime>

namespace Korvane {
namespace platform {

std::uint32_t tickCountMillis() {
    timespec now{};
    // The boot-time clock keeps counting while the machine is suspended, as
    // the tick count of the original platform does; the monotonic clock is
    // the fallback where it is missing.
#ifdef CLOCK_BOOTTIME
    if (clock_gettime(CLOCK_BOOTTIME, &now) != 0)
#endif
        clock_gettime(CLOCK_MONOTONIC, &now);
    const std::uint64_t millis =
        std::uint64_t(now.tv_sec) * 1000u + std::uint64_t(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(millis);
}

void sleepMillis(unsigned long milliseconds) {
    timespec remaining{};
    remaining.tv_sec = static_cast<time_t>(milliseconds / 1000u);
    remaining.tv_nsec = static_cast<long>(milliseconds % 1000u) * 1000000L;
    // nanosleep reports what was left when a signal cut the wait short.
    while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
    }
}

}  // namespace platform
}  // namespace Korvane
