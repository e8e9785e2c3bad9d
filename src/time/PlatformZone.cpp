#include "time/PlatformZone.h"

#include <atomic>
#include <time.h>

namespace Korvane {
namespace internal {

namespace {

// Plain once-flags: a second tzset() from a racing first caller is harmless,
// so no lock is taken; the atomics only keep the flag itself race-free.
std::atomic<bool> zoneConstructionReady{false};
std::atomic<bool> localZoneReady{false};

void tzsetOnce(std::atomic<bool>& done) {
    if (done.load(std::memory_order_acquire)) return;
    tzset();
    done.store(true, std::memory_order_release);
}

}  // namespace

void tzsetForZoneConstruction() { tzsetOnce(zoneConstructionReady); }

void tzsetForLocalZone() { tzsetOnce(localZoneReady); }

long platformStandardOffset() { return timezone; }

bool platformHasDaylightSaving() { return daylight != 0; }

}  // namespace internal
}  // namespace Korvane
