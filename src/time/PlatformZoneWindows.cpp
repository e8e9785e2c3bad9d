#include "time/PlatformZone.h"

#include <time.h>

namespace Korvane {
namespace internal {

void runtimeTzset() { _tzset(); }

long platformStandardOffset() { return _timezone; }

bool platformHasDaylightSaving() { return _daylight != 0; }

}  // namespace internal
}  // namespace Korvane
