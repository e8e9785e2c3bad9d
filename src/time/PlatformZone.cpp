#include "time/PlatformZone.h"

#include <atomic>

namespace Korvane {
namespace internal {

namespace {

// Plain once-flags: a second tzset() from a racing first caller is harmless,
// so no lock is taken; the atomics only keep the flag itself race-free.
std::atomic<bool> zoneConstructionReady{false};
std::atomic<bool> localZoneReady{false};

void tzsetOnce(std::atomic<bool>& done) {
    if (done.load(std::memory_order_acquire)) return;
    runtimeTzset();
    done.store(true, std::memory_order_release);
}

}  // namespace

void tzsetForZoneConstruction() { tzsetOnce(zoneConstructionReady); }

void tzsetForLocalZone() { tzsetOnce(localZoneReady); }

}  // namespace internal
}  // namespace Korvane
