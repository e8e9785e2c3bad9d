#include "runtime/Sleep.h"

#include <cerrno>
#include <ctime>

namespace Korvane {
namespace internal {

void sleepMillis(unsigned long milliseconds) {
    timespec remaining{};
    remaining.tv_sec = static_cast<time_t>(milliseconds / 1000u);
    remaining.tv_nsec = static_cast<long>(milliseconds % 1000u) * 1000000L;
    // nanosleep leaves what was still to wait when a signal cut it short.
    while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
    }
}

}  // namespace internal
}  // namespace Korvane
