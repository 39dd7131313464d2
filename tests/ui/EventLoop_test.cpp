#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <future>
#include <thread>

#include "platform/ui/detail/ThreadQueue.h"
#include "ui/UiTestFixture.h"

namespace kq::ui::test {
namespace {

class EventLoop : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_EQ(pipe2(fds_, O_CLOEXEC | O_NONBLOCK), 0);
    }
    void TearDown() override {
        for (int fd : fds_) {
            if (fd >= 0)
                close(fd);
        }
        UiTest::TearDown();
    }
    void Write(const char* text) { ASSERT_GT(write(fds_[1], text, strlen(text)), 0); }
    std::string Drain() {
        char buf[64];
        ssize_t n = read(fds_[0], buf, sizeof buf);
        return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
    }
    int fds_[2] = {-1, -1};
};

TEST_F(EventLoop, TheIdleHandlerFollowsInputAndPostsButFastTimersOnlyNowAndThen) {
    HWND w = CreateTopLevel(RECT{0, 0, 100, 100});
    Pump();
    int passes = 0;
    SetIdleHandler([&](LONG count) {
        passes += count == 0 ? 1 : 0;
        return FALSE;
    });
    SetTimer(w, 1, 1, nullptr);
    Advance(600, 1);  // 600 timer messages
    KillTimer(w, 1);
    EXPECT_GE(passes, 2);
    EXPECT_LE(passes, 3);
    passes = 0;
    PostMessage(w, WM_USER, 0, 0);
    Pump();
    EXPECT_EQ(passes, 1);
    MouseMove(POINT{20, 20});
    MouseMove(POINT{20, 20});  // the mouse did not move
    EXPECT_EQ(passes, 2);
    KeyPress('A', "a");  // down and up, each pumped
    EXPECT_EQ(passes, 4);
    SetIdleHandler(nullptr);
}

TEST_F(EventLoop, DescriptorCallbacksRunOnTheLoopUntilRemoved) {
    HWND hwnd = CreateTopLevel({0, 0, 10, 10}, WS_POPUP);
    std::string received;
    FdSourceId id = AddFdSource(fds_[0], POLLIN, [&](int fd, short revents) {
        EXPECT_EQ(fd, fds_[0]);
        EXPECT_TRUE(revents & POLLIN);
        received += Drain();
        PostMessage(hwnd, WM_USER, 0, 0);  // what a port does with its data
    });
    ASSERT_NE(id, 0u);
    Pump();
    EXPECT_TRUE(received.empty());
    Write("abc");
    Pump();
    EXPECT_EQ(received, "abc");
    EXPECT_EQ(Count(hwnd, WM_USER), 1);
    // A look that found nothing spares the next one its poll, never two in a row.
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    Write("g");
    PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);
    PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(received, "abcg");
    Pump();
    EXPECT_TRUE(RemoveFdSource(id));
    EXPECT_FALSE(RemoveFdSource(id));
    Write("def");
    Pump();
    EXPECT_EQ(received, "abcg");
    EXPECT_EQ(AddFdSource(-1, POLLIN, [](int, short) {}), 0u);
}

TEST_F(EventLoop, ADescriptorClosedWithoutRemovalIsReportedOnceAndDropped) {
    int calls = 0;
    short seen = 0;
    AddFdSource(fds_[0], POLLIN, [&](int, short revents) {
        ++calls;
        seen = revents;
    });
    close(fds_[0]);
    fds_[0] = -1;
    Pump();
    Pump();
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(seen & POLLNVAL);
}

TEST_F(EventLoop, ABlockedGetMessageWakesForADescriptorWrittenByAnotherThread) {
    HWND hwnd = CreateTopLevel({0, 0, 10, 10}, WS_POPUP);
    AddFdSource(fds_[0], POLLIN, [&](int, short) {
        Drain();
        PostMessage(hwnd, WM_USER + 1, 0, 0);
    });
    std::thread writer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        Write("x");
    });
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, hwnd, WM_USER + 1, WM_USER + 1));
    writer.join();
}

TEST_F(EventLoop, SourcesCanBeAddedForAnotherThreadsLoop) {
    std::promise<DWORD> threadId;
    std::atomic<bool> called{false};
    std::atomic<DWORD> calledOn{0};
    std::thread loop([&] {
        HWND w = CreateWindow(kClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        threadId.set_value(GetWindowThreadProcessId(w, nullptr));
        MSG msg;
        while (GetMessage(&msg, nullptr, 0, 0))
            DispatchMessage(&msg);
        DestroyWindow(w);
    });
    const DWORD loopThread = threadId.get_future().get();
    FdSourceId id = AddFdSource(loopThread, fds_[0], POLLIN, [&](int, short) {
        Drain();
        calledOn = kq::ui::detail::CurrentThreadId();
        called = true;
        PostQuitMessage(0);
    });
    ASSERT_NE(id, 0u);
    Write("x");
    loop.join();
    EXPECT_TRUE(called);
    EXPECT_EQ(calledOn, loopThread);
    EXPECT_FALSE(RemoveFdSource(id));  // the source died with its thread
}

TEST_F(EventLoop, WaitingOnADescriptorStillServesSentMessages) {
    HWND hwnd = CreateTopLevel({0, 0, 10, 10}, WS_POPUP);
    OnMessage(hwnd, [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_USER) {
            Write("done");
            return 5;
        }
        return std::nullopt;
    });
    auto sender = std::async(std::launch::async, [&] { return SendMessage(hwnd, WM_USER, 0, 0); });
    pollfd p{fds_[0], POLLIN, 0};
    EXPECT_EQ(PollServingSentMessages(&p, 1, 5000), 1);
    EXPECT_EQ(Drain(), "done");
    EXPECT_EQ(sender.get(), 5);
    EXPECT_EQ(PollServingSentMessages(&p, 1, 10), 0);
}

}  // namespace
}  // namespace kq::ui::test
