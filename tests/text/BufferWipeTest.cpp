// Observes every buffer the library releases through the global array
// operators and checks that a sole holder wiped it first.

#include <cstring>
#include <thread>

#include "TestSupport.h"
#include "text/BufferMemory.h"
#include "text/ReleaseObserver.h"

using namespace Korvane;
using namespace korvane_test;

TEST(BufferWipeTest, DestroyedGrownAndReallocatedBuffersAreWiped) {
    korvane_test::ReleaseWatch watch;
    // On a thread of its own: the small blocks a thread keeps for reuse are
    // released, and seen here, when it ends.
    std::thread([] {
        // Past 128 KiB: growth in place takes room behind the capacity, which
        // the release must wipe as far as it was taken.
        ByteArray grown;
        for (int i = 0; i < 300000; ++i) grown += static_cast<char>(0x5A);
        ByteArray target("previous contents");
        target = grown;  // exact reallocation
        String s("  padded secret  ");
        s.removeLeadingWhites();
        s.remove("e");
        s += s;
        s = String("replacement that is longer than anything before it");
    }).join();
    EXPECT_GT(releasedBlocks.load(), 10);
    EXPECT_EQ(dirtyBlocks.load(), 0);
}

TEST(BufferWipeTest, TheObserverSeesAnUnwipedBlock) {
    korvane_test::ReleaseWatch watch;
    // Through the library's own allocator: a new/delete pair in this file
    // could be elided by the optimiser.
    char* block = static_cast<char*>(Korvane::internal::allocateBuffer(8));
    std::memcpy(block, "dirty!!", 8);
    Korvane::internal::releaseBuffer(block);
    EXPECT_EQ(dirtyBlocks.load(), 1);
}
