#include <thread>

#include "platform/base/Clock.h"
#include "platform/ui/detail/Retrieve.h"
#include "platform/ui/detail/ThreadQueue.h"
#include "ui/UiTestFixture.h"

namespace kq::ui::test {
namespace {

class Timers : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        hwnd_ = CreateTopLevel({0, 0, 100, 100}, WS_POPUP);
        Pump();
        ClearLog();
    }
    int Ticks(UINT_PTR id = 0) const {
        int n = 0;
        for (const LoggedMessage& m : Log())
            n += m.hwnd == hwnd_ && m.message == WM_TIMER && (id == 0 || m.wParam == id);
        return n;
    }
    HWND hwnd_ = nullptr;
};

std::vector<std::pair<HWND, UINT_PTR>> g_procCalls;

void RecordingTimerProc(HWND hwnd, UINT msg, UINT_PTR id, DWORD) {
    if (msg == WM_TIMER)
        g_procCalls.emplace_back(hwnd, id);
}

TEST_F(Timers, FireOnTheVirtualClockWithATenMillisecondMinimum) {
    EXPECT_EQ(SetTimer(hwnd_, 1, 100, nullptr), 1u);
    EXPECT_EQ(SetTimer(hwnd_, 2, 1, nullptr), 2u);
    Advance(9);
    EXPECT_EQ(Ticks(), 0);
    Advance(1);
    EXPECT_EQ(Ticks(2), 1);
    EXPECT_EQ(Ticks(1), 0);
    Advance(90, 10);
    EXPECT_EQ(Ticks(1), 1);
    EXPECT_EQ(Ticks(2), 10);
}

TEST_F(Timers, ExpiriesWhileBusyMergeIntoOnePendingMessage) {
    SetTimer(hwnd_, 1, 50, nullptr);
    clock_->AdvanceMillis(1000);
    Pump();
    EXPECT_EQ(Ticks(), 1);
    // The period keeps its phase: the next expiry is at 1050, not 1000 + 50 after the pump.
    Advance(49);
    EXPECT_EQ(Ticks(), 1);
    Advance(1);
    EXPECT_EQ(Ticks(), 2);
}

TEST_F(Timers, AWaitEndsUpToAQuarterPeriodLateButALookTakesTheTimerWhenDue) {
    // A thread waiting for nothing else may wake late for a timer (at most 100 ms), so that
    // the timer comes with other work; a look at the queue takes it as soon as it is due.
    constexpr int64_t kMs = 1000000;
    const int64_t now = kq::CurrentClock().MonotonicNanos();
    detail::ThreadQueue& q = detail::CurrentQueue();
    SetTimer(hwnd_, 1, 40, nullptr);
    SetTimer(hwnd_, 2, 1000, nullptr);
    EXPECT_EQ(detail::NextTimerDue(q), now + 50 * kMs);
    KillTimer(hwnd_, 1);
    EXPECT_EQ(detail::NextTimerDue(q), now + 1100 * kMs);
    Advance(1000);
    EXPECT_EQ(Ticks(2), 1);
}

TEST_F(Timers, ReArmingReplacesTheTimerAndRestartsItsPeriod) {
    SetTimer(hwnd_, 7, 100, nullptr);
    Advance(80);
    SetTimer(hwnd_, 7, 100, nullptr);
    Advance(80);
    EXPECT_EQ(Ticks(), 0);
    Advance(20);
    EXPECT_EQ(Ticks(), 1);
    SetTimer(hwnd_, 7, 30, nullptr);
    Advance(30);
    EXPECT_EQ(Ticks(), 2);
}

TEST_F(Timers, AKilledTimerStaysQuietEvenWhenKilledInItsOwnHandler) {
    OnMessage(hwnd_, [](HWND hwnd, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_TIMER && wp == 3)
            KillTimer(hwnd, 3);  // one-shot, as the main frame uses its timers
        return std::nullopt;
    });
    SetTimer(hwnd_, 3, 20, nullptr);
    SetTimer(hwnd_, 4, 20, nullptr);
    Advance(200, 20);
    EXPECT_EQ(Ticks(3), 1);
    EXPECT_EQ(Ticks(4), 10);
    EXPECT_TRUE(KillTimer(hwnd_, 4));
    EXPECT_FALSE(KillTimer(hwnd_, 4));
    Advance(100, 20);
    EXPECT_EQ(Ticks(4), 10);
}

TEST_F(Timers, ComeOnlyWhenNoOtherMessageIsWaiting) {
    OnMessage(hwnd_, [](HWND hwnd, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_USER && wp < 3)
            PostMessage(hwnd, WM_USER, wp + 1, 0);
        return std::nullopt;
    });
    SetTimer(hwnd_, 1, 10, nullptr);
    clock_->AdvanceMillis(10);
    PostMessage(hwnd_, WM_USER, 0, 0);
    Pump();
    EXPECT_EQ(NamesOf(hwnd_, {WM_USER, WM_TIMER}),
              (std::vector<std::string>{"WM_USER", "WM_USER", "WM_USER", "WM_USER", "WM_TIMER"}));
}

TEST_F(Timers, TimerProceduresAndThreadTimers) {
    g_procCalls.clear();
    SetTimer(hwnd_, 9, 10, RecordingTimerProc);
    UINT_PTR threadTimer = SetTimer(nullptr, 0, 25, RecordingTimerProc);
    ASSERT_NE(threadTimer, 0u);
    EXPECT_EQ(SetTimer(nullptr, threadTimer, 30, RecordingTimerProc), threadTimer);
    Advance(30, 10);
    EXPECT_EQ(Ticks(), 0);  // the procedure, not the window, gets them
    EXPECT_EQ(
        std::count(g_procCalls.begin(), g_procCalls.end(), std::make_pair(hwnd_, UINT_PTR{9})), 3);
    EXPECT_EQ(std::count(g_procCalls.begin(), g_procCalls.end(),
                         std::make_pair(HWND{nullptr}, threadTimer)),
              1);
    EXPECT_TRUE(KillTimer(nullptr, threadTimer));
}

TEST_F(Timers, AForgedTimerMessageCallsNothing) {
    g_procCalls.clear();
    MSG forged{hwnd_, WM_TIMER, 1, reinterpret_cast<LPARAM>(&RecordingTimerProc), 0, {}};
    DispatchMessage(&forged);
    EXPECT_TRUE(g_procCalls.empty());
}

TEST_F(Timers, BelongToTheWindowsThreadAndDieWithTheWindow) {
    UINT_PTR fromOtherThread = 1;
    std::thread([&] { fromOtherThread = SetTimer(hwnd_, 1, 10, nullptr); }).join();
    EXPECT_EQ(fromOtherThread, 0u);
    SetTimer(hwnd_, 1, 10, nullptr);
    DestroyWindow(hwnd_);
    EXPECT_FALSE(KillTimer(hwnd_, 1));
    Advance(50);
    EXPECT_EQ(Count(hwnd_, WM_TIMER), 0);
}

}  // namespace
}  // namespace kq::ui::test
