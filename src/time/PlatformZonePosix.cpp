#include "time/PlatformZone.h"

#include <time.h>

namespace Korvane {
namespace internal {

void runtimeTzset() { tzset(); }

long platformStandardOffset() { return timezone; }

bool platformHasDaylightSaving() { return daylight != 0; }

}  // namespace internal
}  // namespace Korvane
