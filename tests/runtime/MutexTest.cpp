#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <stdexcept>
#include <thread>
#include <vector>

#include "RuntimeTestSupport.h"
#include "korvane/Mutex.h"
#include "korvane/Synchronized.h"

using namespace Korvane;
using korvane_test::awaitOrAbort;

namespace {

// A short pause in which a faulty lock would let a waiter through. A correct
// lock never does, so the pause can only make a fault harder to see, never
// fail a correct build.
constexpr std::chrono::milliseconds kGrace{100};

// A thread that locks `mutex` and unlocks it at once. The constructor
// returns once the thread is about to call lock(); `blocked` tells whether it
// is still waiting after the grace period, `acquires` waits for it.
class Contender {
public:
    explicit Contender(Mutex& mutex)
        : thread_([this, &mutex] {
              started_.set_value();
              mutex.lock(false);
              acquired_.set_value();
              mutex.unlock();
          }) {
        std::future<void> started = started_.get_future();
        awaitOrAbort(started, "a contending thread to start");
    }
    ~Contender() { thread_.join(); }
    bool blocked() { return acquired.wait_for(kGrace) == std::future_status::timeout; }
    void acquires() { awaitOrAbort(acquired, "a contending thread to get the lock"); }

private:
    std::promise<void> started_, acquired_;
    std::future<void> acquired = acquired_.get_future();
    std::thread thread_;  // last, so it starts once the promises exist
};

class RecordingLock : public Synchronizable {
public:
    void lock(bool flag) override {
        ++locks;
        lastFlag = flag;
    }
    void unlock() override {
        ++unlocks;
        if (throwOnUnlock) throw std::runtime_error("unlock failed");
    }
    int locks = 0;
    int unlocks = 0;
    bool lastFlag = false;
    bool throwOnUnlock = false;
};

}  // namespace

TEST(MutexTest, ThreadHoldingTwiceKeepsTheLockUntilItsSecondUnlock) {
    // The owner runs on a thread of its own so that a lock that is not
    // re-entrant fails the deadline instead of hanging the test.
    Mutex mutex;
    std::promise<void> heldTwice, firstUnlock, unlockedOnce, secondUnlock;
    std::future<void> heldTwiceFuture = heldTwice.get_future();
    std::future<void> unlockedOnceFuture = unlockedOnce.get_future();
    std::future<void> firstUnlockFuture = firstUnlock.get_future();
    std::future<void> secondUnlockFuture = secondUnlock.get_future();
    std::thread owner([&] {
        mutex.lock(false);
        mutex.lock(false);
        heldTwice.set_value();
        awaitOrAbort(firstUnlockFuture, "the order to unlock once");
        mutex.unlock();
        unlockedOnce.set_value();
        awaitOrAbort(secondUnlockFuture, "the order to unlock again");
        mutex.unlock();
    });
    awaitOrAbort(heldTwiceFuture, "a thread to lock the mutex twice");
    Contender other(mutex);
    EXPECT_TRUE(other.blocked()) << "another thread got the lock while it was held twice";
    firstUnlock.set_value();
    awaitOrAbort(unlockedOnceFuture, "the first unlock");
    EXPECT_TRUE(other.blocked()) << "another thread got the lock after only the first unlock";
    secondUnlock.set_value();
    other.acquires();
    owner.join();
}

TEST(MutexTest, LockIsExclusiveAcrossThreads) {
    // Unsynchronised increments under the lock: a lock that lets two threads
    // in at once loses counts (and shows a race under ThreadSanitizer).
    Mutex mutex;
    long counter = 0;
    constexpr int kThreads = 4;
    constexpr int kRounds = 20000;
    std::vector<std::future<void>> done;
    for (int t = 0; t < kThreads; ++t) {
        done.push_back(std::async(std::launch::async, [&] {
            for (int i = 0; i < kRounds; ++i) {
                Synchronized guard(mutex, false);
                const long seen = counter;
                counter = seen + 1;
            }
        }));
    }
    for (auto& future : done) awaitOrAbort(future, "the counting threads");
    EXPECT_EQ(counter, long(kThreads) * kRounds);
}

TEST(MutexTest, CopyIsANewUnlockedLock) {
    Mutex original;
    original.lock(false);
    Mutex copy(original);  // taken while the original is held
    Contender(copy).acquires();
    Contender onOriginal(original);  // still held by this thread alone
    EXPECT_TRUE(onOriginal.blocked());
    original.unlock();
    onOriginal.acquires();
}

TEST(MutexTest, AssignmentLeavesTheTargetsLockAsItWas) {
    Mutex target;
    Mutex source;
    target.lock(false);
    target = source;  // still held by this thread
    {
        Contender other(target);
        EXPECT_TRUE(other.blocked());
        target.unlock();
        other.acquires();
    }
    // Assigning a held source does not hand its hold to the target.
    source.lock(false);
    Mutex fresh;
    fresh = source;
    source.unlock();
    Contender(fresh).acquires();
}

TEST(MutexTest, UnlockFromAThreadThatDoesNotHoldTheLockChangesNothing) {
    Mutex mutex;
    mutex.lock(false);
    auto stray = std::async(std::launch::async, [&] { mutex.unlock(); });
    awaitOrAbort(stray, "the stray unlock");
    Contender other(mutex);
    EXPECT_TRUE(other.blocked()) << "a stray unlock released another thread's lock";
    mutex.unlock();
    other.acquires();
}

TEST(SynchronizedTest, LocksForItsLifetimeAndPassesTheFlag) {
    RecordingLock target;
    {
        Synchronized guard(target, true);
        EXPECT_EQ(target.locks, 1);
        EXPECT_TRUE(target.lastFlag);
        EXPECT_EQ(target.unlocks, 0);
    }
    EXPECT_EQ(target.unlocks, 1);
}

TEST(SynchronizedTest, ReleasesTheLockWhenTheBlockThrows) {
    Mutex mutex;
    try {
        Synchronized guard(mutex, false);
        throw std::runtime_error("work failed");
    } catch (const std::runtime_error&) {
    }
    Contender(mutex).acquires();
}

TEST(SynchronizedTest, DestructorSwallowsAnExceptionFromUnlock) {
    RecordingLock target;
    target.throwOnUnlock = true;
    EXPECT_NO_THROW({ Synchronized guard(target, false); });
    EXPECT_EQ(target.unlocks, 1);
}
