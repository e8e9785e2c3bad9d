// The allocation behind a counted buffer: the counter of its holders and the
// buffer in one block from the array allocator.
//
// One allocation per buffer instead of two (buffer and counter) halves the
// allocator's work for every short-lived value. The block is the counter,
// kCountedHeader bytes (padded), followed by the buffer, whose size is rounded up to
// whole 16-byte units and recorded in the counter's padding. The counter's
// deleting destructor, which the last holder reaches through `delete counter`
// like any other counter, wipes the whole block (counter, buffer and any room
// behind the used slots) before it releases it, or before the thread's cache
// of the smallest blocks keeps it (CountedBlock.cpp).
#pragma once

#include <cstddef>
#include <cstdint>

#include "korvane/ReferenceCounter.h"

namespace Korvane {
namespace internal {

constexpr std::size_t kCountedUnit = 16;

class BlockCounter final : public ReferenceCounter {
public:
    explicit BlockCounter(std::uint32_t units);
    ~BlockCounter() override;

    // A block of at least `bytes` buffer bytes; returns the buffer, with
    // `counter` at 0.
    static void* allocate(std::size_t bytes, ReferenceCounter*& counter);
    // The buffer bytes of the block `counter` heads; 0 for any other counter.
    static std::size_t bufferBytes(const ReferenceCounter* counter) noexcept;

    // Wipes and releases the block `counter` heads, the counter ending with
    // it (its destructor is trivial).
    static void release(ReferenceCounter* counter) noexcept;

    // Reached from the deleting destructor: the same.
    static void operator delete(void* counter) noexcept;

private:
    // The buffer size in units. The destructor leaves it in place, so that
    // operator delete can still read it.
    std::uint32_t units;
};

// The counter padded to whole units: 16 bytes where the counter's field
// fills the padding of ReferenceCounter (Itanium), 32 elsewhere.
constexpr std::size_t kCountedHeader = (sizeof(BlockCounter) + kCountedUnit - 1) / kCountedUnit * kCountedUnit;

}  // namespace internal
}  // namespace Korvane
