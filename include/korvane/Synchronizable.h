/// Synchronizable: the abstract lockable of the library.
///
/// A Synchronizable is something a Synchronized guard can lock for the length
/// of a block. It has no state of its own, so copying one copies nothing.
/// @class Korvane::Synchronizable
/// @headerfile Synchronizable.h "korvane/Synchronizable.h"
/// @ingroup runtime
#pragma once

#include "korvane/Export.h"

namespace Korvane {

class KORVANE_API Synchronizable {
public:
    ///@{
    /// The base holds no state: constructing, copying and assigning do nothing.
    Synchronizable() = default;
    Synchronizable(const Synchronizable&) = default;
    Synchronizable& operator=(const Synchronizable&) = default;
    ///@}
    virtual ~Synchronizable();

    // ---- Locking -----------------------------------------------------------
    /// Takes the lock, waiting as long as it takes. What `flag` means is up to
    /// the implementation; every caller inside the library passes false.
    virtual void lock(bool flag) = 0;
    /// Releases what one lock() took.
    virtual void unlock() = 0;
};

}  // namespace Korvane
