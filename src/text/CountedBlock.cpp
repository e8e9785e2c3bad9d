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
// The cache below keeps blocks of 1 to 64 buffer units (16 bytes to 1 KiB)
// in thirteen sizes, at most half apart: a buffer of up to 64 units takes a
// block of the next of these sizes, and the room behind its capacity serves
// its growth. An exact buffer of 3 to 15 units (a text made once, which
// mostly lives on and would only miss the cache) takes its own size and the
// allocator's way, with no look at the cache; a growing one, whose blocks
// follow each other quickly, takes the cached sizes.
constexpr std::size_t kCachedClasses = 13;
constexpr unsigned char kClassUnits[kCachedClasses] = {1, 2, 4, 6, 8, 12, 16, 20, 24, 32, 40, 48, 64};
constexpr std::size_t kLargestCachedUnits = kClassUnits[kCachedClasses - 1];
constexpr std::size_t kSmallestExactClassUnits = 16;
constexpr std::size_t kWordWipeBytes = 128;
static_assert(kCountedHeader % sizeof(std::uint64_t) == 0 && kCountedUnit % sizeof(std::uint64_t) == 0,
              "a block is whole words");

// The class of a buffer of 1 to 64 units: the smallest size holding it.
struct CachedClasses {
    unsigned char of[kLargestCachedUnits + 1];
    constexpr CachedClasses() : of() {
        for (std::size_t units = 1, index = 0; units <= kLargestCachedUnits; ++units) {
            while (kClassUnits[index] < units) ++index;
            of[units] = static_cast<unsigned char>(index);
        }
    }
};
constexpr CachedClasses kClassOf;

// Whether a block of `units` has one of the cached sizes.
constexpr bool isCachedSize(std::size_t units) {
    return units - 1 < kLargestCachedUnits && kClassUnits[kClassOf.of[units]] == units;
}

// The size word's flag of a block with a trailer, and the units it leaves.
// Blocks of the cached sizes have none: they are wiped whole.
constexpr std::uint32_t kTrackedFlag = std::uint32_t(1) << 31;
constexpr std::size_t kMaximumUnits = kTrackedFlag - 1;

// Whole units for `bytes`; a size whose block (with a trailer) the address
// space or the 31-bit record cannot describe is a failed allocation.
std::size_t unitsFor(std::size_t bytes) {
    if (bytes > SIZE_MAX - kCountedHeader - 2 * kCountedUnit) throw std::bad_alloc();
    const std::size_t units = (bytes + kCountedUnit - 1) / kCountedUnit;
    if (units > kMaximumUnits) throw std::bad_alloc();
    return units;
}

// Short values (a read of a few bytes, a word of text) come and go in
// loops, where the allocator's round trip costs more than everything else
// the value does. Each thread keeps a few released blocks of each of the
// cached sizes for its next allocations of that size. A block enters
// the cache wiped, exactly as it would reach the allocator, so nothing it
// held outlives its release.
// Being per thread, the cache needs no lock; a block allocated on one thread
// and released on another simply joins the other thread's cache. The cache
// is trivially constructed and destroyed, so reaching it costs no guard;
// its drain, registered on the thread's first cached block, hands the blocks
// back to the allocator at thread exit and closes the cache for whatever
// is released after it.
constexpr std::size_t kCachedBlocks = 8;

struct BlockCache {
    void* blocks[kCachedClasses][kCachedBlocks];
    std::size_t count[kCachedClasses];
    bool drainRegistered;
    bool closed;
};

thread_local BlockCache blockCache;

struct BlockCacheDrain {
    void arm() {}
    ~BlockCacheDrain() {
        BlockCache& cache = blockCache;
        cache.closed = true;
        for (std::size_t index = 0; index < kCachedClasses; ++index)
            while (cache.count[index] != 0) releaseBuffer(cache.blocks[index][--cache.count[index]]);
    }
};

thread_local BlockCacheDrain blockCacheDrain;

// A kept block of class `index`, or null.
char* takeCachedBlock(std::size_t index) noexcept {
    BlockCache& cache = blockCache;
    std::size_t& count = cache.count[index];
    if (count == 0) return nullptr;
    return static_cast<char*>(cache.blocks[index][--count]);
}

template <std::size_t... I>
void wipeWords(volatile std::uint64_t* word, std::index_sequence<I...>) noexcept {
    ((word[I] = 0), ...);
}

// Whether the wiped `block` of class `index` was kept for reuse.
bool keepCachedBlock(void* block, std::size_t index) noexcept {
#if defined(_WIN32)
    // The Windows build was seen to end threads without running the drain,
    // which would leave each thread's kept blocks behind; there every
    // release goes straight to the allocator.
    (void)block;
    (void)index;
    return false;
#else
    BlockCache& cache = blockCache;
    std::size_t& count = cache.count[index];
    if (count == kCachedBlocks || cache.closed) return false;
    if (!cache.drainRegistered) {
        // Registering the drain may allocate; without it the block is not kept.
        try {
            blockCacheDrain.arm();
        } catch (...) {
            return false;
        }
        cache.drainRegistered = true;
    }
    cache.blocks[index][count++] = block;
    return true;
#endif
}
}  // namespace

BlockCounter::BlockCounter(std::size_t units, bool tracked)
    : sizeWord(static_cast<std::uint32_t>(units) | (tracked ? kTrackedFlag : 0)) {}

BlockCounter::~BlockCounter() = default;

std::uint64_t* BlockCounter::trailer() const noexcept {
    const std::size_t units = sizeWord & ~kTrackedFlag;
    return reinterpret_cast<std::uint64_t*>(
        const_cast<char*>(reinterpret_cast<const char*>(this)) + kCountedHeader + units * kCountedUnit);
}

inline void* BlockCounter::allocate(std::size_t bytes, std::size_t room, ReferenceCounter*& counter) {
    const std::size_t claimed = unitsFor(bytes);
    // Room that no block can describe is left out, like room that cannot be had.
    std::size_t units = claimed;
    if (room > bytes && room / kCountedUnit < kMaximumUnits && room <= SIZE_MAX - kCountedHeader - 2 * kCountedUnit)
        units = unitsFor(room);
    char* block = nullptr;
    if (units - 1 < kLargestCachedUnits && (units > claimed || units <= 2 || units >= kSmallestExactClassUnits)) {
        const std::size_t index = kClassOf.of[units];
        units = kClassUnits[index];
        block = takeCachedBlock(index);
    }
    bool tracked = units > claimed && units > kLargestCachedUnits;
    if (block == nullptr) {
        try {
            block = static_cast<char*>(allocateBuffer(kCountedHeader + (units + tracked) * kCountedUnit));
        } catch (const std::bad_alloc&) {
            // The room is a saving, not a need.
            if (units == claimed) throw;
            units = claimed;
            tracked = false;
            block = static_cast<char*>(allocateBuffer(kCountedHeader + units * kCountedUnit));
        }
    }
    BlockCounter* made = new (block) BlockCounter(units, tracked);
    if (tracked) *made->trailer() = claimed;
    counter = made;
    return block + kCountedHeader;
}

std::size_t BlockCounter::bufferBytes(const ReferenceCounter* counter) noexcept {
    if (counter == nullptr || typeid(*counter) != typeid(BlockCounter)) return 0;
    return std::size_t(static_cast<const BlockCounter*>(counter)->sizeWord & ~kTrackedFlag) * kCountedUnit;
}

bool BlockCounter::claim(ReferenceCounter* counter, std::size_t bytes) noexcept {
    const std::size_t available = bufferBytes(counter);
    if (bytes > available) return false;
    const BlockCounter* block = static_cast<const BlockCounter*>(counter);
    if (block->sizeWord & kTrackedFlag) {
        const std::uint64_t units = (bytes + kCountedUnit - 1) / kCountedUnit;
        std::uint64_t* claimed = block->trailer();
        if (units > *claimed) *claimed = units;
    }
    return true;
}

// Small blocks are wiped a word at a time, the two smallest without a loop
// (volatile stores are never dropped); any other block by the library's
// memset.
void BlockCounter::release(ReferenceCounter* counter) noexcept {
    const BlockCounter* block = static_cast<const BlockCounter*>(counter);
    const std::uint32_t sizeWord = block->sizeWord;
    const std::size_t units = sizeWord & ~kTrackedFlag;
    volatile std::uint64_t* words = reinterpret_cast<volatile std::uint64_t*>(counter);
    if (units == 1) {
        wipeWords(words, std::make_index_sequence<(kCountedHeader + kCountedUnit) / sizeof(std::uint64_t)>());
    } else if (units == 2) {
        wipeWords(words, std::make_index_sequence<(kCountedHeader + 2 * kCountedUnit) / sizeof(std::uint64_t)>());
    } else if (sizeWord & kTrackedFlag) {
        std::uint64_t* trailer = block->trailer();
        const std::size_t claimed = std::size_t(*trailer);
        wipeOwnBlock(counter, kCountedHeader + claimed * kCountedUnit);
        wipeOwnBlock(trailer, sizeof *trailer);
    } else if (kCountedHeader + units * kCountedUnit <= kWordWipeBytes) {
        // A few stores cost less than the call of memset.
        for (std::size_t i = 0; i < (kCountedHeader + units * kCountedUnit) / sizeof(std::uint64_t); ++i) words[i] = 0;
    } else {
        wipeOwnBlock(counter, kCountedHeader + units * kCountedUnit);
    }
    // Blocks of a cached size (a failed room may have left another one).
    if (isCachedSize(units) && keepCachedBlock(counter, kClassOf.of[units])) return;
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
    void* buffer = internal::BlockCounter::allocate(bytes, bytes, counter);
    counter->count.store(1, std::memory_order_relaxed);
    return buffer;
}
void* BufferMemory::allocateCountedWithRoom(std::size_t bytes, std::size_t room, ReferenceCounter*& counter) {
    void* buffer = internal::BlockCounter::allocate(bytes, room, counter);
    counter->count.store(1, std::memory_order_relaxed);
    return buffer;
}
bool BufferMemory::claimCounted(ReferenceCounter* counter, std::size_t bytes) noexcept {
    return internal::BlockCounter::claim(counter, bytes);
}
void BufferMemory::releaseCounted(ReferenceCounter* counter) noexcept {
    internal::BlockCounter::release(counter);
}
std::size_t BufferMemory::countedBytes(const ReferenceCounter* counter) noexcept {
    return internal::BlockCounter::bufferBytes(counter);
}

}  // namespace Korvane
