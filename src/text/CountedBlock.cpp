#include "text/CountedBlock.h"

#include <cstdint>
#include <new>
#include <typeinfo>
#include <utility>

#include "korvane/BufferMemory.h"
#include "text/BufferMemory.h"

namespace Korvane {
namespace internal {

namespace {
constexpr std::size_t kWordWipeBytes = 128;
// The buffer units of the one block size the cache below keeps: buffers of
// 17 to 32 bytes, such as a read of 16 bytes with its terminator. Smaller
// buffers are not rounded up to it: a text growing from empty would then
// follow another sequence of capacities, which costs more than it saves.
constexpr std::size_t kCachedUnits = 2;
constexpr std::size_t kCachedBlockBytes = kCountedHeader + kCachedUnits * kCountedUnit;
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

// Short values (a read of a few bytes, a word of text) come and go in
// loops, where the allocator's round trip costs more than everything else
// the value does. Each thread keeps a few released blocks of one small size
// for its next allocations of that size. A block enters the cache wiped, exactly as
// it would reach the allocator, so nothing it held outlives its release.
// Being per thread, the cache needs no lock; a block allocated on one thread
// and released on another simply joins the other thread's cache. The cache
// is trivially constructed and destroyed, so reaching it costs no guard;
// its drain, registered on the thread's first cached block, hands the blocks
// back to the allocator at thread exit and closes the cache for whatever
// is released after it.
constexpr std::size_t kCachedBlocks = 8;

struct BlockCache {
    void* blocks[kCachedBlocks];
    std::size_t count;
    bool drainRegistered;
    bool closed;
};

thread_local BlockCache blockCache;

struct BlockCacheDrain {
    void arm() {}
    ~BlockCacheDrain() {
        BlockCache& cache = blockCache;
        cache.closed = true;
        while (cache.count != 0) releaseBuffer(cache.blocks[--cache.count]);
    }
};

thread_local BlockCacheDrain blockCacheDrain;

char* takeCachedBlock() noexcept {
    BlockCache& cache = blockCache;
    if (cache.count == 0) return nullptr;
    return static_cast<char*>(cache.blocks[--cache.count]);
}

template <std::size_t... I>
void wipeWords(volatile std::uint64_t* word, std::index_sequence<I...>) noexcept {
    ((word[I] = 0), ...);
}

// Whether the wiped `block` was kept for reuse.
bool keepCachedBlock(void* block) noexcept {
    BlockCache& cache = blockCache;
    if (cache.count == kCachedBlocks || cache.closed) return false;
    if (!cache.drainRegistered) {
        // Registering the drain may allocate; without it the block is not kept.
        try {
            blockCacheDrain.arm();
        } catch (...) {
            return false;
        }
        cache.drainRegistered = true;
    }
    cache.blocks[cache.count++] = block;
    return true;
}
}  // namespace

BlockCounter::BlockCounter(std::uint32_t bufferUnits) : units(bufferUnits) {}

BlockCounter::~BlockCounter() = default;

inline void* BlockCounter::allocate(std::size_t bytes, ReferenceCounter*& counter) {
    const std::size_t units = unitsFor(bytes);
    char* block = units == kCachedUnits ? takeCachedBlock() : nullptr;
    if (block == nullptr) block = static_cast<char*>(allocateBuffer(kCountedHeader + units * kCountedUnit));
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
    volatile std::uint64_t* word = reinterpret_cast<volatile std::uint64_t*>(counter);
    if (bytes == kCachedBlockBytes) {
        // The commonest block, wiped without a loop.
        wipeWords(word, std::make_index_sequence<kCachedBlockBytes / sizeof(std::uint64_t)>());
    } else if (bytes <= kWordWipeBytes) {
        for (std::size_t i = 0; i < bytes / sizeof(std::uint64_t); ++i) word[i] = 0;
    } else {
        secureWipe(counter, bytes);
    }
    if (bytes == kCachedBlockBytes && keepCachedBlock(counter)) return;
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
