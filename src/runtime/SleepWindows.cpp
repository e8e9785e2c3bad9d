#include "runtime/Sleep.h"

#include <windows.h>

namespace Korvane {
namespace internal {

// Sleep is not cut short by anything but the end of the wait. INFINITE
// (0xFFFFFFFF) would never return, so the longest wait is one millisecond
// shorter; `unsigned long` has 32 bits here, so nothing else is lost.
void sleepMillis(unsigned long milliseconds) {
    Sleep(milliseconds == INFINITE ? INFINITE - 1 : static_cast<DWORD>(milliseconds));
}

}  // namespace internal
}  // namespace Korvane
