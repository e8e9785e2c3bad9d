/// Synchronized: a scoped guard over a Synchronizable.
///
/// The guard locks its target when it is built and unlocks it when it is
/// destroyed, so a block that declares one runs under the lock and releases it
/// on every exit, exceptions included. A guard cannot be copied: a copy would
/// unlock its target once too often.
/// @class Korvane::Synchronized
/// @headerfile Synchronized.h "korvane/Synchronized.h"
/// @ingroup runtime
#pragma once

#include "korvane/Export.h"
#include "korvane/Synchronizable.h"

namespace Korvane {

class KORVANE_API Synchronized {
public:
    /// Remembers `target` and calls target.lock(flag). `target` must outlive
    /// the guard.
    Synchronized(Synchronizable& target, bool flag);
    Synchronized(const Synchronized&) = delete;
    Synchronized& operator=(const Synchronized&) = delete;
    /// Calls target.unlock(); whatever that throws is caught and dropped, so
    /// the destructor never throws.
    virtual ~Synchronized();

private:
    Synchronizable* target;
};

}  // namespace Korvane
