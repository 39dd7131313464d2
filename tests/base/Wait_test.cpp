#include "platform/base/Wait.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <thread>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/base/Event.h"
#include "platform/base/KernelObject.h"

namespace {

constexpr int64_t kMs = 1000000;

// Threads that each wait once on a handle and record the result.
class Waiters {
  public:
    Waiters(HANDLE handle, DWORD timeout, int count) : results_(count, 0) {
        for (int i = 0; i < count; ++i) {
            threads_.emplace_back([=, this] {
                const DWORD result = WaitForSingleObject(handle, timeout);
                std::lock_guard lock(mutex_);
                results_[i] = result;
                ++done_;
                changed_.notify_all();
            });
        }
    }
    void AwaitDone(int count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return done_ >= count; });
    }
    int Count(DWORD result) {
        for (auto& thread : threads_)
            thread.join();
        threads_.clear();
        return static_cast<int>(std::count(results_.begin(), results_.end(), result));
    }
    ~Waiters() {
        for (auto& thread : threads_)
            thread.join();
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<DWORD> results_;
    int done_ = 0;
    std::vector<std::thread> threads_;
};

}  // namespace

TEST(Wait, AutoResetEventReleasesExactlyOneWaiter) {
    kq::ScopedVirtualClock clock;
    HANDLE event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    Waiters waiters(event, 10000, 3);
    clock->AwaitWaiters(3);
    ASSERT_TRUE(SetEvent(event));
    waiters.AwaitDone(1);
    clock->AdvanceMillis(10000);
    EXPECT_EQ(waiters.Count(WAIT_OBJECT_0), 1);
    EXPECT_EQ(waiters.Count(WAIT_TIMEOUT), 2);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);  // the one pass was used up
    CloseHandle(event);
}

TEST(Wait, ManualResetEventReleasesEveryWaiterUntilReset) {
    kq::ScopedVirtualClock clock;
    HANDLE event = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    Waiters waiters(event, 10000, 3);
    clock->AwaitWaiters(3);
    SetEvent(event);
    EXPECT_EQ(waiters.Count(WAIT_OBJECT_0), 3);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    ResetEvent(event);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    CloseHandle(event);
}

TEST(Wait, WaitAllTakesNothingUntilEverythingIsSignalled) {
    HANDLE handles[2] = {CreateEvent(nullptr, FALSE, TRUE, nullptr),
                         CreateEvent(nullptr, TRUE, FALSE, nullptr)};
    EXPECT_EQ(WaitForMultipleObjects(2, handles, TRUE, 0), WAIT_TIMEOUT);
    // The auto-reset event was not used up by the failed wait-all.
    EXPECT_EQ(WaitForMultipleObjects(2, handles, FALSE, 0), WAIT_OBJECT_0);
    SetEvent(handles[0]);
    SetEvent(handles[1]);
    EXPECT_EQ(WaitForMultipleObjects(2, handles, TRUE, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(handles[0], 0), WAIT_TIMEOUT);   // auto reset: taken
    EXPECT_EQ(WaitForSingleObject(handles[1], 0), WAIT_OBJECT_0);  // manual: still set
    for (HANDLE h : handles)
        CloseHandle(h);
}

TEST(Wait, WaitAllCompletesWhenTheLastObjectIsSetFromAnotherThread) {
    kq::ScopedVirtualClock clock;
    HANDLE handles[3] = {CreateEvent(nullptr, TRUE, TRUE, nullptr),
                         CreateEvent(nullptr, FALSE, FALSE, nullptr),
                         CreateEvent(nullptr, FALSE, TRUE, nullptr)};
    auto result = std::async(std::launch::async,
                             [&] { return WaitForMultipleObjects(3, handles, TRUE, 60000); });
    clock->AwaitWaiters(1);
    SetEvent(handles[1]);
    EXPECT_EQ(result.get(), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForMultipleObjects(3, handles, FALSE, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForMultipleObjects(2, handles + 1, FALSE, 0), WAIT_TIMEOUT);
    for (HANDLE h : handles)
        CloseHandle(h);
}

TEST(Wait, WaitAnyAnswersTheLowestSignalledIndex) {
    HANDLE handles[3] = {CreateEvent(nullptr, FALSE, FALSE, nullptr),
                         CreateEvent(nullptr, FALSE, TRUE, nullptr),
                         CreateEvent(nullptr, FALSE, TRUE, nullptr)};
    EXPECT_EQ(WaitForMultipleObjects(3, handles, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(3, handles, FALSE, 0), WAIT_OBJECT_0 + 2);
    EXPECT_EQ(WaitForMultipleObjects(3, handles, FALSE, 0), WAIT_TIMEOUT);
    for (HANDLE h : handles)
        CloseHandle(h);
}

TEST(Wait, BadArgumentsFail) {
    HANDLE event = CreateEvent(nullptr, TRUE, TRUE, nullptr);
    HANDLE twice[2] = {event, event};
    EXPECT_EQ(WaitForMultipleObjects(0, twice, FALSE, 0), WAIT_FAILED);
    EXPECT_EQ(WaitForMultipleObjects(MAXIMUM_WAIT_OBJECTS + 1, twice, FALSE, 0), WAIT_FAILED);
    EXPECT_EQ(WaitForMultipleObjects(2, twice, TRUE, 0), WAIT_FAILED);
    EXPECT_EQ(WaitForMultipleObjects(2, twice, FALSE, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
    EXPECT_TRUE(CloseHandle(event));
    EXPECT_FALSE(CloseHandle(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
    EXPECT_FALSE(SetEvent(event));
}

TEST(Wait, OnTheDriverThreadTimeOutsAndSleepMoveTheVirtualClock) {
    kq::ScopedVirtualClock clock;
    HANDLE event = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    const int64_t start = clock->MonotonicNanos();
    EXPECT_EQ(WaitForSingleObject(event, 250), WAIT_TIMEOUT);
    EXPECT_EQ(clock->MonotonicNanos() - start, 250 * kMs);
    Sleep(100);
    EXPECT_EQ(clock->MonotonicNanos() - start, 350 * kMs);
    Sleep(0);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    SetEvent(event);
    EXPECT_EQ(WaitForSingleObject(event, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(clock->MonotonicNanos() - start, 350 * kMs);
    CloseHandle(event);
}

TEST(Wait, OtherThreadsWaitForTheClockToPassTheirDeadline) {
    kq::ScopedVirtualClock clock;
    HANDLE event = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    auto timedOut = std::async(std::launch::async, [&] { return WaitForSingleObject(event, 500); });
    clock->AwaitWaiters(1);
    clock->AdvanceMillis(499);
    EXPECT_EQ(timedOut.wait_for(std::chrono::milliseconds(0)), std::future_status::timeout);
    clock->AdvanceMillis(1);
    EXPECT_EQ(timedOut.get(), WAIT_TIMEOUT);

    auto slept = std::async(std::launch::async, [] { Sleep(300); });
    clock->AwaitWaiters(1);
    // A timed wait of the driver jumps past the worker's deadline and so ends its sleep too.
    EXPECT_EQ(WaitForSingleObject(event, 1000), WAIT_TIMEOUT);
    slept.get();
    EXPECT_EQ(clock->WaiterCount(), 0u);
    CloseHandle(event);
}

TEST(Wait, DestroyingTheVirtualClockLetsItsWaitersTimeOut) {
    auto* clock = new kq::VirtualClock;
    kq::SetCurrentClock(clock);
    HANDLE event = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    auto result = std::async(std::launch::async, [&] { return WaitForSingleObject(event, 1000); });
    clock->AwaitWaiters(1);
    kq::SetCurrentClock(nullptr);
    delete clock;
    EXPECT_EQ(result.get(), WAIT_TIMEOUT);
    CloseHandle(event);
}

TEST(Wait, SystemClockTimeOutsTakeRealTime) {
    HANDLE event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WaitForSingleObject(event, 5), WAIT_TIMEOUT);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(5));
    CloseHandle(event);
}
