// Observes every buffer the library releases through the global array
// operators and checks that a sole holder wiped it first.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

#include "korvane/ByteArray.h"
#include "korvane/String.h"

namespace {
std::atomic<bool> watching{false};
std::atomic<int> releasedBlocks{0};
std::atomic<int> dirtyBlocks{0};

// Each block remembers its size in a header in front of it.
constexpr std::size_t kHeader = 16;

void* allocateTracked(std::size_t bytes) {
    void* raw = std::malloc(bytes + kHeader);
    if (raw == nullptr) throw std::bad_alloc();
    *static_cast<std::size_t*>(raw) = bytes;
    return static_cast<char*>(raw) + kHeader;
}

void releaseTracked(void* block) {
    if (block == nullptr) return;
    char* raw = static_cast<char*>(block) - kHeader;
    const std::size_t bytes = *reinterpret_cast<std::size_t*>(raw);
    if (watching.load()) {
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
}  // namespace

void* operator new[](std::size_t bytes) { return allocateTracked(bytes); }
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept {
    try {
        return allocateTracked(bytes);
    } catch (...) {
        return nullptr;
    }
}
void operator delete[](void* block) noexcept { releaseTracked(block); }
void operator delete[](void* block, std::size_t) noexcept { releaseTracked(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { releaseTracked(block); }

using namespace Korvane;

namespace {
struct Watch {
    Watch() {
        releasedBlocks = 0;
        dirtyBlocks = 0;
        watching = true;
    }
    ~Watch() { watching = false; }
};
}  // namespace

TEST(BufferWipeTest, DestroyedArraysAreWiped) {
    Watch watch;
    {
        ByteArray secret("\x11\x22\x33\x44 key material");
        String text("password=hunter2");
    }
    EXPECT_GE(releasedBlocks.load(), 2);
    EXPECT_EQ(dirtyBlocks.load(), 0);
}

TEST(BufferWipeTest, GrowthAndExactReallocationWipeTheOldBuffer) {
    Watch watch;
    {
        ByteArray grown;
        for (int i = 0; i < 1000; ++i) grown += static_cast<char>(0x5A);
        ByteArray target("previous contents");
        target = grown;  // exact reallocation
        String s("  padded secret  ");
        s.removeLeadingWhites();
        s.remove("e");
        s += s;
        s = String("replacement that is longer than anything before it");
    }
    EXPECT_GT(releasedBlocks.load(), 10);
    EXPECT_EQ(dirtyBlocks.load(), 0);
}

TEST(BufferWipeTest, TheObserverSeesAnUnwipedBlock) {
    // Guards the observer itself: a released block with data must be counted.
    Watch watch;
    char* block = new char[8];
    std::memcpy(block, "dirty!!", 8);
    delete[] block;
    EXPECT_EQ(dirtyBlocks.load(), 1);
}
