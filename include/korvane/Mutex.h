/// Mutex: the library's one lock, re-entrant and private to the process.
///
/// The thread that holds a Mutex may lock it again and must unlock it as often
/// before any other thread gets it. Every Mutex owns a platform lock of its
/// own: a copy is a new, unlocked lock, and assignment leaves the lock of the
/// target exactly as it was. A Mutex must be unlocked when it is destroyed.
/// @class Korvane::Mutex
/// @headerfile Mutex.h "korvane/Mutex.h"
/// @ingroup runtime
#pragma once

#include "korvane/Export.h"
#include "korvane/Synchronizable.h"

namespace Korvane {

class KORVANE_API Mutex : public Synchronizable {
public:
    // ---- Construction ------------------------------------------------------
    /// An unlocked lock. Throws std::bad_alloc only when memory is exhausted.
    Mutex();
    /// A new, unlocked lock of its own: nothing of `other` is shared or
    /// copied, whether `other` is held or not.
    Mutex(const Mutex& other);
    /// Changes nothing: this Mutex keeps its own lock, held or not. Returns *this.
    Mutex& operator=(const Mutex& other);
    virtual ~Mutex();

    // ---- Locking -----------------------------------------------------------
    /// Waits while another thread holds the lock, then takes it (once more,
    /// when the calling thread already holds it). The flag is not used.
    virtual void lock(bool flag);
    /// Releases one hold of the calling thread. A call from a thread that does
    /// not hold the lock changes nothing. Never throws.
    virtual void unlock();

    // ---- The standard Lockable requirements ----------------------------------
    ///@{
    /// So that std::lock_guard, std::unique_lock and std::scoped_lock take a
    /// Mutex: lock() is lock(false); try_lock() takes the lock when no other
    /// thread holds it (or the calling thread already does) and otherwise
    /// returns false at once. unlock() is the member above.
    void lock();
    bool try_lock();
    ///@}

private:
    class Lock;  ///< the platform lock, defined inside the library
    Lock* section;
};

}  // namespace Korvane
