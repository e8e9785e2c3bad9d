// Replaces the global array operators so that a test can see every buffer
// the library releases and whether it was wiped first. Include it in exactly
// one source file of a test executable of its own.
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>


namespace korvane_test {

inline std::atomic<bool> watchingReleases{false};
inline std::atomic<int> releasedBlocks{0};
inline std::atomic<int> dirtyBlocks{0};

// Each block remembers its size in a header in front of it. Blocks start
// zeroed, so what a release finds was written by the library: room the
// library never wrote holds none of its data, whatever the allocator left.
constexpr std::size_t kBlockHeader = 16;

inline void* allocateTracked(std::size_t bytes) {
    void* raw = std::calloc(1, bytes + kBlockHeader);
    if (raw == nullptr) throw std::bad_alloc();
    *static_cast<std::size_t*>(raw) = bytes;
    return static_cast<char*>(raw) + kBlockHeader;
}

inline void releaseTracked(void* block) {
    if (block == nullptr) return;
    char* raw = static_cast<char*>(block) - kBlockHeader;
    const std::size_t bytes = *reinterpret_cast<std::size_t*>(raw);
    if (watchingReleases.load()) {
        ++releasedBlocks;
        const unsigned char* data = static_cast<const unsigned char*>(block);
        for (std::size_t i = 0; i < bytes; ++i) {
            if (data[i] != 0) {
                ++dirtyBlocks;
                break;
            }
        }
    }
    std::free(raw);
}

// Counts the releases of its lifetime, starting from zero.
struct ReleaseWatch {
    ReleaseWatch() {
        releasedBlocks = 0;
        dirtyBlocks = 0;
        watchingReleases = true;
    }
    ~ReleaseWatch() { watchingReleases = false; }
};

}  // namespace korvane_test

void* operator new[](std::size_t bytes) { return korvane_test::allocateTracked(bytes); }
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept {
    try {
        return korvane_test::allocateTracked(bytes);
    } catch (...) {
        return nullptr;
    }
}
void operator delete[](void* block) noexcept { korvane_test::releaseTracked(block); }
void operator delete[](void* block, std::size_t) noexcept { korvane_test::releaseTracked(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { korvane_test::releaseTracked(block); }
