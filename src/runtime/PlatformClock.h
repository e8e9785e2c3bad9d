// The clock and the sleep of the platform, behind the runtime services.
//
// The library keeps the tick count of its original platform: milliseconds
// since a fixed point (system start), 32 bits wide, wrapping to 0 after
// about 49.7 days, never going backwards between wraps.
#pragma once

#include <cstdint>

namespace Korvane {
namespace platform {

// Milliseconds since system start, truncated to 32 bits.
std::uint32_t tickCountMillis();

// Blocks the calling thread for at least `milliseconds`; a signal that
// interrupts the wait does not shorten it.
void sleepMillis(unsigned long milliseconds);

}  // namespace platform
}  // namespace Korvane
