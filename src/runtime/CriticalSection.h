// CriticalSection: the platform's re-entrant process-private lock, behind the
// four operations Mutex needs (initialise, enter, leave, delete).
//
// The owner may enter again and must leave as often. The owner and the depth
// are also kept here, so that a leave by a thread that does not own the lock
// is refused before it reaches the platform, where it would be undefined.
//
// The platform's lock lives in `native`, storage sized for every platform's
// lock object; the platform files (CriticalSectionPosix.cpp,
// CriticalSectionWindows.cpp) check at compile time that theirs fits.
#pragma once

#include <atomic>
#include <cstddef>
#include <thread>

namespace Korvane {
namespace internal {

class CriticalSection {
public:
    // Cannot fail, so a Mutex never has an unusable lock.
    CriticalSection() noexcept;
    ~CriticalSection();
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void enter() noexcept {
        nativeEnter();
        if (depth++ == 0) owner.store(std::this_thread::get_id(), std::memory_order_relaxed);
    }

    // Enters when no other thread holds the lock (or the caller already
    // does); false, without waiting, when another thread holds it.
    bool tryEnter() noexcept {
        if (!nativeTryEnter()) return false;
        if (depth++ == 0) owner.store(std::this_thread::get_id(), std::memory_order_relaxed);
        return true;
    }

    // False, changing nothing, when the calling thread does not own the lock.
    bool leave() noexcept {
        // Only the owner ever stores its own id here, and a thread always sees
        // its own stores, so a relaxed read answers "do I own it" exactly.
        if (owner.load(std::memory_order_relaxed) != std::this_thread::get_id()) return false;
        if (--depth == 0) owner.store(std::thread::id(), std::memory_order_relaxed);
        nativeLeave();
        return true;
    }

    static constexpr std::size_t nativeSize = 64;

private:
    void nativeEnter() noexcept;
    bool nativeTryEnter() noexcept;
    void nativeLeave() noexcept;

    alignas(std::max_align_t) unsigned char native[nativeSize];
    std::atomic<std::thread::id> owner{};
    unsigned long depth = 0;  // changed only by the owner, under the lock
};

}  // namespace internal
}  // namespace Korvane
