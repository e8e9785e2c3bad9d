#include "text/CountedBlock.h"

#include <cstdint>
#include <new>
#include <typeinfo>

#include "korvane/BufferMemory.h"
#include "text/BufferMemory.h"

namespace Korvane {
namespace internal {

namespace {
constexpr std::size_t kWordWipeBytes = 128;
static_assert(kCountedHeader % sizeof(std::uint64_t) == 0 && kCountedUnit % sizeof(std::uint64_t) == 0,
              "a block is whole words");

// Whole units for `bytes`; a size whose block the address space (or the
// 32-bit record) cannot describe is a failed allocation.
std::size_t unitsFor(std::size_t bytes) {
    if (bytes > SIZE_MAX - kCountedHeader - kCountedUnit) throw std::bad_alloc();
    const std::size_t units = (bytes + kCountedUnit - 1) / kCountedUnit;
    if (units > UINT32_MAX) throw std::bad_alloc();
    return units;
}
}  // namespace

BlockCounter::BlockCounter(std::uint32_t bufferUnits) : units(bufferUnits) {}

BlockCounter::~BlockCounter() = default;

inline void* BlockCounter::allocate(std::size_t bytes, ReferenceCounter*& counter) {
    const std::size_t units = unitsFor(bytes);
    char* block = static_cast<char*>(allocateBuffer(kCountedHeader + units * kCountedUnit));
    counter = new (block) BlockCounter(static_cast<std::uint32_t>(units));
    return block + kCountedHeader;
}

std::size_t BlockCounter::bufferBytes(const ReferenceCounter* counter) noexcept {
    if (counter == nullptr || typeid(*counter) != typeid(BlockCounter)) return 0;
    return std::size_t(static_cast<const BlockCounter*>(counter)->units) * kCountedUnit;
}

// Most blocks are small: they are wiped a word at a time here (volatile
// stores are never dropped), which costs less than the call of the
// platform's wipe.
void BlockCounter::release(ReferenceCounter* counter) noexcept {
    const std::size_t bytes = kCountedHeader + std::size_t(static_cast<const BlockCounter*>(counter)->units) * kCountedUnit;
    if (bytes <= kWordWipeBytes) {
        volatile std::uint64_t* word = reinterpret_cast<volatile std::uint64_t*>(counter);
        for (std::size_t i = 0; i < bytes / sizeof(std::uint64_t); ++i) word[i] = 0;
    } else {
        secureWipe(counter, bytes);
    }
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
