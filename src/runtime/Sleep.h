// Sleeping, beside the library's millisecond clock (time/MonotonicClock.h).
#pragma once

namespace Korvane {
namespace internal {

// Blocks the calling thread for at least `milliseconds`; a signal that
// interrupts the wait does not shorten it.
void sleepMillis(unsigned long milliseconds);

}  // namespace internal
}  // namespace Korvane
