/// SmartPointer<T>: the reference-counted owner of one array buffer.
///
/// Every holder of a buffer shares one heap ReferenceCounter. Releasing the
/// last holder releases the buffer (through the deleter, or with the buffer
/// allocator when there is none) and then the counter. The holder does not
/// wipe: the owning Array wipes a buffer while it knows it is the sole holder.
/// A counted buffer (adoptCounted) shares one allocation with its counter;
/// deleting that counter wipes and releases both.
/// @class Korvane::SmartPointer
/// @headerfile SmartPointer.h "korvane/SmartPointer.h"
/// @ingroup storage
#pragma once

#include "korvane/BufferMemory.h"
#include "korvane/ReferenceCounter.h"

namespace Korvane {

template <class T>
class SmartPointer {
public:
    ///@{
    /// How the buffer is freed and how the counter is released.
    using Deleter = void (*)(T*);
    using CounterRelease = void (*)(ReferenceCounter*);
    ///@}

    /// An empty holder: no buffer, no counter, count 0.
    SmartPointer() = default;

    /// Takes `buffer` with a fresh counter at 1.
    explicit SmartPointer(T* buffer, Deleter bufferDeleter = nullptr)
        : pointer(buffer), deleter(bufferDeleter) {
        if (pointer != nullptr) {
            counter = new ReferenceCounter();
            counter->count.fetch_add(1);
        }
    }

    /// Shares the other holder's buffer and counter.
    SmartPointer(const SmartPointer& other) { share(other); }

    /// Takes the other holder's share over; `other` is left empty. The count
    /// does not change.
    SmartPointer(SmartPointer&& other) noexcept
        : pointer(other.pointer),
          counter(other.counter),
          deleter(other.deleter),
          counterRelease(other.counterRelease) {
        other.pointer = nullptr;
        other.counter = nullptr;
    }

    /// A holder of `buffer` that does not own it: no counter (count 0), and
    /// releasing it never releases the buffer.
    static SmartPointer unowned(T* buffer) noexcept {
        SmartPointer holder;
        holder.pointer = buffer;
        return holder;
    }

    /// Releases this holder's share and shares the buffer and counter of
    /// `other`; returns *this.
    SmartPointer& operator=(const SmartPointer& other) {
        if (this != &other && other.pointer != pointer) {
            release();
            share(other);
        }
        return *this;
    }

    /// Drops this holder's share, then takes the other holder's share over;
    /// `other` is left empty.
    SmartPointer& operator=(SmartPointer&& other) noexcept {
        if (this != &other) {
            release();
            pointer = other.pointer;
            counter = other.counter;
            deleter = other.deleter;
            counterRelease = other.counterRelease;
            other.pointer = nullptr;
            other.counter = nullptr;
        }
        return *this;
    }

    ~SmartPointer() { release(); }

    /// Releases the current buffer and takes `buffer` with a fresh counter.
    void reset(T* buffer, Deleter bufferDeleter = nullptr) {
        release();
        deleter = bufferDeleter;
        pointer = buffer;
        if (pointer != nullptr) {
            counter = new ReferenceCounter();
            counter->count.fetch_add(1);
        }
    }

    /// Releases the current buffer and takes `buffer` from
    /// BufferMemory::allocateCounted together with `bufferCounter`, the
    /// counter in the same allocation, which already counts this holder.
    void adoptCounted(T* buffer, ReferenceCounter* bufferCounter) noexcept {
        release();
        pointer = buffer;
        counter = bufferCounter;
        deleter = &keepCountedBuffer;
        counterRelease = &destroyCounter;
    }

    /// Whether the buffer was adopted with adoptCounted by code of this module
    /// (the library or the program: each keeps its own deleter); a counted
    /// buffer adopted elsewhere answers false.
    bool holdsCountedBuffer() const noexcept { return deleter == &keepCountedBuffer; }

    /// The counter shared by the holders; null when there is none.
    ReferenceCounter* getCounter() const noexcept { return counter; }

    /// Drops this holder's share; the last holder releases buffer and counter.
    void release() noexcept {
        if (counter != nullptr) {
            // A sole holder needs no atomic step: no other holder exists
            // that could take a share at the same time.
            if (counter->count.load(std::memory_order_acquire) == 1 ||
                counter->count.fetch_sub(1, std::memory_order_acq_rel) == 1) {
                if (deleter == &keepCountedBuffer) {
                    // What `delete counter` does, without the virtual calls.
                    BufferMemory::releaseCounted(counter);
                } else {
                    if (deleter != nullptr) {
                        deleter(pointer);
                    } else {
                        BufferMemory::release(pointer);
                    }
                    counterRelease(counter);
                }
            }
        }
        pointer = nullptr;
        counter = nullptr;
    }

    /// The held buffer; null when there is none.
    T* get() const { return pointer; }

    /// Number of holders sharing the buffer; 0 when there is none.
    int getReferenceCount() const {
        return counter == nullptr ? 0 : counter->count.load(std::memory_order_relaxed);
    }

private:
    // A counted buffer goes with its counter, whose deletion releases both.
    static void destroyCounter(ReferenceCounter* c) { delete c; }
    static void keepCountedBuffer(T*) {}

    void share(const SmartPointer& other) {
        pointer = other.pointer;
        counter = other.counter;
        deleter = other.deleter;
        counterRelease = other.counterRelease;
        if (counter != nullptr) counter->count.fetch_add(1);
    }

    T* pointer = nullptr;
    ReferenceCounter* counter = nullptr;
    Deleter deleter = nullptr;
    CounterRelease counterRelease = &destroyCounter;
};

}  // namespace Korvane
