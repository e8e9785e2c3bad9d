// The allocation behind a counted buffer: the counter of its holders and the
// buffer in one block from the array allocator.
//
// One allocation per buffer instead of two (buffer and counter) halves the
// allocator's work for every short-lived value. The block is the counter,
// kCountedHeader bytes (padded), followed by the buffer, whose size is rounded
// up to whole 16-byte units and recorded in the counter's padding. The
// counter's deleting destructor, which the last holder reaches through
// `delete counter` like any other counter, wipes the block before it
// releases it, or before the thread's cache of the smallest blocks keeps it
// (CountedBlock.cpp).
//
// A growing array takes a block with room behind its capacity. A large one
// also records, in a unit behind the buffer (the trailer), how much of the
// buffer was ever claimed for writing; its release wipes the counter, the
// claimed part and the trailer. The room never claimed was never written: it
// holds nothing of ours, and wiping it would first fault its pages in.
// Smaller blocks are wiped whole.
#pragma once

#include <cstddef>
#include <cstdint>

#include "korvane/ReferenceCounter.h"

namespace Korvane {
namespace internal {

constexpr std::size_t kCountedUnit = 16;

class BlockCounter final : public ReferenceCounter {
public:
    BlockCounter(std::size_t units, bool tracked);
    ~BlockCounter() override;

    // A block of at least `room` buffer bytes of which the first `bytes` are
    // claimed; returns the buffer, with `counter` at 0.
    static void* allocate(std::size_t bytes, std::size_t room, ReferenceCounter*& counter);
    // The buffer bytes of the block `counter` heads; 0 for any other counter.
    static std::size_t bufferBytes(const ReferenceCounter* counter) noexcept;
    // Claims the first `bytes` buffer bytes of the block `counter` heads;
    // false when it is no such block or has fewer bytes.
    static bool claim(ReferenceCounter* counter, std::size_t bytes) noexcept;

    // Wipes and releases the block `counter` heads, the counter ending with
    // it (its destructor is trivial).
    static void release(ReferenceCounter* counter) noexcept;

    // Reached from the deleting destructor: the same.
    static void operator delete(void* counter) noexcept;

private:
    // The unit after the buffer, where a tracked block counts its claimed units.
    std::uint64_t* trailer() const noexcept;

    // The buffer size in units, and in the top bit whether the block has a
    // trailer. The destructor leaves it in place, so that operator delete can
    // still read it.
    std::uint32_t sizeWord;
};

// The counter padded to whole units: 16 bytes where the counter's field
// fills the padding of ReferenceCounter (Itanium), 32 elsewhere.
constexpr std::size_t kCountedHeader = (sizeof(BlockCounter) + kCountedUnit - 1) / kCountedUnit * kCountedUnit;

}  // namespace internal
}  // namespace Korvane
