// Mutex and Synchronized. Every wait for another thread has a deadline, so a
// lock fault fails the test instead of hanging it.

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

// A thread that locks `mutex` and unlocks it at once. `blocked` tells whether
// it still waits after a grace period (which a correct lock never ends, so
// it cannot fail a correct build); `acquires` waits for it.
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
    bool blocked() { return acquired.wait_for(std::chrono::milliseconds(100)) == std::future_status::timeout; }
    void acquires() { awaitOrAbort(acquired, "a contending thread to get the lock"); }

private:
    std::promise<void> started_, acquired_;
    std::future<void> acquired = acquired_.get_future();
    std::thread thread_;  // last, so it starts once the promises exist
};

class ThrowingLock : public Synchronizable {
public:
    void lock(bool flag) override { lastFlag = flag; }
    void unlock() override {
        ++unlocks;
        throw std::runtime_error("unlock failed");
    }
    int unlocks = 0;
    bool lastFlag = false;
};

}  // namespace

TEST(MutexTest, HeldUntilItsOwnersLastUnlockAndNeverThroughACopy) {
    // Locked twice by this thread: a lock that is not re-entrant stops here,
    // and the test's timeout fails it.
    Mutex mutex;
    mutex.lock(false);
    mutex.lock(false);
    Mutex copy(mutex), assigned;  // a copy taken while held is a new, unlocked lock
    assigned = mutex;             // and the hold is not handed over
    Contender(copy).acquires();
    Contender(assigned).acquires();
    Contender other(mutex);
    auto stray = std::async(std::launch::async, [&] { mutex.unlock(); });
    awaitOrAbort(stray, "the stray unlock");
    mutex.unlock();
    EXPECT_TRUE(other.blocked()) << "a stray unlock or the first of two released the lock";
    mutex.unlock();
    other.acquires();
}

TEST(MutexTest, LockIsExclusiveAcrossThreads) {
    // Unsynchronised increments under the lock: a lock that lets two threads
    // in at once loses counts (and shows a race under ThreadSanitizer).
    Mutex mutex;
    long counter = 0;
    std::vector<std::future<void>> done;
    for (int t = 0; t < 4; ++t)
        done.push_back(std::async(std::launch::async, [&] {
            for (int i = 0; i < 20000; ++i) {
                Synchronized guard(mutex, false);
                const long seen = counter;
                counter = seen + 1;
            }
        }));
    for (auto& future : done) awaitOrAbort(future, "the counting threads");
    EXPECT_EQ(counter, 80000L);
}

TEST(SynchronizedTest, ReleasesOnThrowAndSwallowsAnExceptionFromUnlock) {
    Mutex mutex;
    try {
        Synchronized guard(mutex, false);
        throw std::runtime_error("work failed");
    } catch (const std::runtime_error&) {
    }
    Contender(mutex).acquires();
    ThrowingLock target;
    EXPECT_NO_THROW({ Synchronized guard(target, true); });
    EXPECT_TRUE(target.lastFlag);
    EXPECT_EQ(target.unlocks, 1);
}
