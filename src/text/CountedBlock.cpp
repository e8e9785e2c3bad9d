#include "text/CountedBlock.h"

#include <cstdint>
#include <new>
#include <typeinfo>

#include "korvane/BufferMemory.h"
#include "text/BufferMemory.h"

namespace Korvane {
namespace internal {

namespace {
std::size_t unitsFor(std::size_t bytes) {
    const std::size_t units = (bytes + kCountedUnit - 1) / kCountedUnit;
    if (units > UINT32_MAX) throw std::bad_alloc();
    return units;
}
}  // namespace

BlockCounter::BlockCounter(std::uint32_t bufferUnits) : units(bufferUnits) {}

BlockCounter::~BlockCounter() = default;

void* BlockCounter::allocate(std::size_t bytes, ReferenceCounter*& counter) {
    const std::size_t units = unitsFor(bytes);
    char* block = static_cast<char*>(allocateBuffer(kCountedHeader + units * kCountedUnit));
    counter = new (block) BlockCounter(static_cast<std::uint32_t>(units));
    return block + kCountedHeader;
}

std::size_t BlockCounter::bufferBytes(const ReferenceCounter* counter) noexcept {
    if (counter == nullptr || typeid(*counter) != typeid(BlockCounter)) return 0;
    return std::size_t(static_cast<const BlockCounter*>(counter)->units) * kCountedUnit;
}

void BlockCounter::release(ReferenceCounter* counter) noexcept {
    const std::size_t bytes = std::size_t(static_cast<const BlockCounter*>(counter)->units) * kCountedUnit;
    secureWipe(counter, kCountedHeader + bytes);
    releaseBuffer(counter);
}

// The destructor is trivial: the recorded size is still where it was.
void BlockCounter::operator delete(void* counter) noexcept {
    release(static_cast<BlockCounter*>(counter));
}

}  // namespace internal

// A fresh block is counted for the holder that asked for it, without the
// atomic increment a shared counter needs.
void* BufferMemory::allocateCounted(std::size_t bytes, ReferenceCounter*& counter) {
    void* buffer = internal::BlockCounter::allocate(bytes, counter);
    counter->count.store(1, std::memory_order_relaxed);
    return buffer;
}
void BufferMemory::releaseCounted(ReferenceCounter* counter) noexcept {
    internal::BlockCounter::release(counter);
}
std::size_t BufferMemory::countedBytes(const ReferenceCounter* counter) noexcept {
    return internal::BlockCounter::bufferBytes(counter);
}

}  // namespace Korvane
