#include "time/MonotonicClock.h"

#include <windows.h>

namespace Korvane {
namespace internal {

// The system's own 32-bit millisecond count since start; it wraps as the
// interface says.
unsigned int monotonicMillis() { return static_cast<unsigned int>(GetTickCount()); }

}  // namespace internal
}  // namespace Korvane
