/// SmartPointer<T>: the reference-counted owner of one array buffer.
///
/// Every holder of a buffer shares one heap ReferenceCounter. Releasing the
/// last holder releases the buffer (through the deleter, or with the buffer
/// allocator when there is none) and then the counter. The holder does not
/// wipe: the owning Array wipes a buffer while it knows it is the sole holder.
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
            counter->incReference();
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
            counter->incReference();
        }
    }

    /// Drops this holder's share; the last holder releases buffer and counter.
    void release() noexcept {
        if (counter != nullptr) {
            if (counter->decReference() == 0) {
                if (deleter != nullptr) {
                    deleter(pointer);
                } else {
                    BufferMemory::release(pointer);
                }
                counterRelease(counter);
            }
        }
        pointer = nullptr;
        counter = nullptr;
    }

    /// The held buffer; null when there is none.
    T* get() const { return pointer; }

    /// Number of holders sharing the buffer; 0 when there is none.
    int getReferenceCount() const {
        return counter == nullptr ? 0 : counter->getReferenceCount();
    }

private:
    static void destroyCounter(ReferenceCounter* c) { delete c; }

    void share(const SmartPointer& other) {
        pointer = other.pointer;
        counter = other.counter;
        deleter = other.deleter;
        counterRelease = other.counterRelease;
        if (counter != nullptr) counter->incReference();
    }

    T* pointer = nullptr;
    ReferenceCounter* counter = nullptr;
    Deleter deleter = nullptr;
    CounterRelease counterRelease = &destroyCounter;
};

}  // namespace Korvane
