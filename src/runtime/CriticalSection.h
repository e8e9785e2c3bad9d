// CriticalSection: the platform's re-entrant process-private lock, behind the
// four operations Mutex needs (initialise, enter, leave, delete).
//
// It is a POSIX mutex of the recursive kind: the owner may enter again and
// must leave as often. The owner and the depth are also kept here, so that a
// leave by a thread that does not own the lock is refused before it reaches
// the platform, where it would be undefined.
#pragma once

#include <pthread.h>

#include <atomic>
#include <thread>

namespace Korvane {
namespace internal {

class CriticalSection {
public:
    // The static initialiser cannot fail, unlike pthread_mutex_init with an
    // attribute object, so a Mutex never has an unusable lock.
    CriticalSection() noexcept : handle(PTHREAD_RECURSIVE_MUTEX_INITIALIZER_NP) {}
    ~CriticalSection() { pthread_mutex_destroy(&handle); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void enter() noexcept {
        pthread_mutex_lock(&handle);
        if (depth++ == 0) owner.store(std::this_thread::get_id(), std::memory_order_relaxed);
    }

    // Enters when no other thread holds the lock (or the caller already
    // does); false, without waiting, when another thread holds it.
    bool tryEnter() noexcept {
        if (pthread_mutex_trylock(&handle) != 0) return false;
        if (depth++ == 0) owner.store(std::this_thread::get_id(), std::memory_order_relaxed);
        return true;
    }

    // False, changing nothing, when the calling thread does not own the lock.
    bool leave() noexcept {
        // Only the owner ever stores its own id here, and a thread always sees
        // its own stores, so a relaxed read answers "do I own it" exactly.
        if (owner.load(std::memory_order_relaxed) != std::this_thread::get_id()) return false;
        if (--depth == 0) owner.store(std::thread::id(), std::memory_order_relaxed);
        pthread_mutex_unlock(&handle);
        return true;
    }

private:
    pthread_mutex_t handle;
    std::atomic<std::thread::id> owner{};
    unsigned long depth = 0;  // changed only by the owner, under the lock
};

}  // namespace internal
}  // namespace Korvane
