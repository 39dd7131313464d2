#include <atomic>
#include <thread>

#include "platform/base/Clock.h"
#include "platform/ui/detail/Retrieve.h"
#include "platform/ui/detail/ThreadQueue.h"
#include "ui/UiTestFixture.h"

namespace kq::ui::test {
namespace {

class HighResolutionTimer : public UiTest {};

struct Ticks {
    std::vector<UINT> ids;
    std::vector<DWORD> threads;
    UINT killInCallback = 0;
};

void CALLBACK Tick(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    auto* t = reinterpret_cast<Ticks*>(user);
    t->ids.push_back(id);
    t->threads.push_back(kq::ui::detail::CurrentThreadId());
    if (t->killInCallback == id)
        timeKillEvent(id);
}

TEST_F(HighResolutionTimer, PeriodicTimerTicksEveryPeriodOnTheCreatingThread) {
    Ticks ticks;
    MMRESULT id = timeSetEvent(25, 1, Tick, reinterpret_cast<DWORD_PTR>(&ticks), TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    Advance(24);
    EXPECT_TRUE(ticks.ids.empty());
    Advance(76, 1);
    EXPECT_EQ(ticks.ids.size(), 4u);
    EXPECT_EQ(ticks.threads.front(), kq::ui::detail::CurrentThreadId());
    // Falling behind gives one call, then the phase continues.
    Advance(1000);
    EXPECT_EQ(ticks.ids.size(), 5u);
    Advance(25);
    EXPECT_EQ(ticks.ids.size(), 6u);
    EXPECT_EQ(timeKillEvent(id), TIMERR_NOERROR);
    EXPECT_EQ(timeKillEvent(id), MMSYSERR_INVALPARAM);
    Advance(100);
    EXPECT_EQ(ticks.ids.size(), 6u);
}

TEST_F(HighResolutionTimer, ALoopWaitsUpToTheResolutionForATimerButRunsItWhenAwake) {
    using namespace kq::ui::detail;
    constexpr int64_t kMs = 1000000;
    Ticks ticks;
    const int64_t start = kq::CurrentClock().MonotonicNanos();
    MMRESULT id = timeSetEvent(100, 50, Tick, reinterpret_cast<DWORD_PTR>(&ticks), TIME_PERIODIC);
    EXPECT_EQ(NextHighResDue(CurrentQueue()), start + 150 * kMs);
    Advance(100);  // awake when it is due
    EXPECT_EQ(ticks.ids.size(), 1u);
    EXPECT_EQ(NextHighResDue(CurrentQueue()), start + 250 * kMs);
    timeKillEvent(id);
    // The slack is at most the delay.
    id = timeSetEvent(10, 1000, Tick, reinterpret_cast<DWORD_PTR>(&ticks), TIME_ONESHOT);
    EXPECT_EQ(NextHighResDue(CurrentQueue()), start + 120 * kMs);
    timeKillEvent(id);
}

TEST_F(HighResolutionTimer, OneShotFiresOnceAndAKillInsideTheCallbackHolds) {
    Ticks ticks;
    MMRESULT once = timeSetEvent(10, 0, Tick, reinterpret_cast<DWORD_PTR>(&ticks), TIME_ONESHOT);
    MMRESULT periodic =
        timeSetEvent(10, 0, Tick, reinterpret_cast<DWORD_PTR>(&ticks), TIME_PERIODIC);
    ticks.killInCallback = periodic;
    Advance(100, 10);
    EXPECT_EQ(std::count(ticks.ids.begin(), ticks.ids.end(), once), 1);
    EXPECT_EQ(std::count(ticks.ids.begin(), ticks.ids.end(), periodic), 1);
    EXPECT_EQ(timeKillEvent(once), MMSYSERR_INVALPARAM);
}

TEST_F(HighResolutionTimer, KillFromAnotherThreadAndRefusedParameters) {
    Ticks ticks;
    MMRESULT id = timeSetEvent(10, 0, Tick, reinterpret_cast<DWORD_PTR>(&ticks), TIME_PERIODIC);
    MMRESULT result = 99;
    std::thread([&] { result = timeKillEvent(id); }).join();
    EXPECT_EQ(result, TIMERR_NOERROR);
    Advance(50);
    EXPECT_TRUE(ticks.ids.empty());
    EXPECT_EQ(timeSetEvent(0, 0, Tick, 0, TIME_PERIODIC), 0u);
    EXPECT_EQ(timeSetEvent(10, 0, nullptr, 0, TIME_PERIODIC), 0u);
    EXPECT_EQ(timeSetEvent(10, 0, Tick, 0, TIME_PERIODIC | TIME_CALLBACK_EVENT_SET), 0u);
    TIMECAPS caps{};
    EXPECT_EQ(timeGetDevCaps(&caps, sizeof caps), TIMERR_NOERROR);
    EXPECT_EQ(caps.wPeriodMin, 1u);
    EXPECT_EQ(timeBeginPeriod(caps.wPeriodMin), TIMERR_NOERROR);
    EXPECT_EQ(timeEndPeriod(caps.wPeriodMin), TIMERR_NOERROR);
    EXPECT_EQ(timeBeginPeriod(0), TIMERR_NOCANDO);
}

}  // namespace
}  // namespace kq::ui::test
