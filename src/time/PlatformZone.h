// The machine's own time zone as the C runtime reports it, behind one small
// layer: tzset() and the globals `timezone` (standard offset in seconds west
// of UTC) and `daylight` (non-zero when the zone has a daylight-saving
// variant); on Windows _tzset(), `_timezone` and `_daylight`, which read the
// TZ variable in that runtime's own syntax ("EST5EDT", no rules) or else the
// system's zone settings. The library reads these values and never changes
// them.
#pragma once

namespace Korvane {
namespace internal {

// tzset() once for zone construction, once for the local-zone lookup; each
// has its own flag, as the two callers are independent.
void tzsetForZoneConstruction();
void tzsetForLocalZone();

// The runtime's tzset, run by the two functions above (PlatformZonePosix.cpp,
// PlatformZoneWindows.cpp).
void runtimeTzset();

// The runtime's standard offset of the machine's zone, seconds west of UTC.
long platformStandardOffset();
// Whether the runtime says the machine's zone has daylight saving at all.
bool platformHasDaylightSaving();

}  // namespace internal
}  // namespace Korvane
