#include <atomic>
#include <future>
#include <thread>

#include "ui/UiTestFixture.h"

namespace kq::ui::test {
namespace {

using Names = std::vector<std::string>;

class Messaging : public UiTest {};

// A second GUI thread with one window whose procedure the test supplies.
class WorkerThread {
  public:
    explicit WorkerThread(std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> proc)
        : proc_(std::move(proc)) {
        static bool registered = [] {
            WNDCLASS wc{};
            wc.lpfnWndProc = &WorkerThread::Proc;
            wc.lpszClassName = "KqWorkerWindow";
            return RegisterClass(&wc) != 0;
        }();
        (void)registered;
        thread_ = std::thread([this] {
            current_ = this;
            hwnd_ = CreateWindow("KqWorkerWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
            ready_.set_value();
            exitCode_ = RunMessageLoop();
        });
        ready_.get_future().wait();
    }
    ~WorkerThread() {
        PostMessage(hwnd_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    HWND hwnd() const { return hwnd_; }

  private:
    static LRESULT Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_DESTROY)
            PostQuitMessage(0);
        if (current_ && current_->proc_ && current_->hwnd_ == hwnd)
            return current_->proc_(hwnd, msg, wp, lp);
        return DefWindowProc(hwnd, msg, wp, lp);
    }
    static thread_local WorkerThread* current_;
    std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> proc_;
    std::promise<void> ready_;
    std::thread thread_;
    HWND hwnd_ = nullptr;
    int exitCode_ = 0;
};

thread_local WorkerThread* WorkerThread::current_ = nullptr;

TEST_F(Messaging, PostedMessagesArriveInOrderAndFiltersPickFromTheQueue) {
    HWND a = CreateTopLevel({0, 0, 100, 100}, WS_POPUP);
    HWND b = CreateTopLevel({0, 0, 100, 100}, WS_POPUP);
    Pump();
    ClearLog();
    PostMessage(a, WM_USER + 1, 0, 0);
    PostMessage(b, WM_USER + 2, 0, 0);
    PostMessage(nullptr, WM_USER + 3, 0, 0);
    PostMessage(a, WM_APP, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, b, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_APP, WM_APP, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, a);
    ASSERT_TRUE(PeekMessage(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 3);
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(Pump(), 2);
    EXPECT_EQ(Sequence({WM_USER + 1, WM_USER + 2}, {{a, "a"}, {b, "b"}}),
              (Names{"a:0x0401", "b:0x0402"}));
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Messaging, QuitEndsGetMessageAfterThePostedMessages) {
    HWND a = CreateTopLevel({0, 0, 100, 100}, WS_POPUP);
    PostMessage(a, WM_USER, 0, 0);
    PostQuitMessage(7);
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(GetMessage(&msg, reinterpret_cast<HWND>(0x1234), 0, 0), -1);
}

TEST_F(Messaging, PostFromAnotherThreadWakesABlockedGetMessage) {
    HWND a = CreateTopLevel({0, 0, 100, 100}, WS_POPUP);
    const DWORD me = GetWindowThreadProcessId(a, nullptr);
    std::thread poster([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        PostMessage(a, WM_USER, 1, 0);
        PostThreadMessage(me, WM_USER + 1, 2, 0);
    });
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, a, 0, 0));
    EXPECT_EQ(msg.message, WM_USER);
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER + 1);
    EXPECT_EQ(msg.hwnd, nullptr);
    poster.join();
    EXPECT_FALSE(PostThreadMessage(0x7FFFFFF0u, WM_USER, 0, 0));
}

TEST_F(Messaging, CrossThreadSendBlocksUntilTheOwnerHandledIt) {
    HWND a = CreateTopLevel({0, 0, 100, 100}, WS_POPUP);
    std::atomic<bool> inSend{false};
    OnMessage(a, [&](HWND, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_USER) {
            inSend = InSendMessage() != FALSE;
            return static_cast<LRESULT>(wp * 2);
        }
        return std::nullopt;
    });
    auto result = std::async(std::launch::async, [&] { return SendMessage(a, WM_USER, 21, 0); });
    EXPECT_EQ(result.wait_for(std::chrono::milliseconds(30)), std::future_status::timeout);
    while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        WaitForWork(100);
    EXPECT_EQ(result.get(), 42);
    EXPECT_TRUE(inSend);
    EXPECT_FALSE(InSendMessage());
}

TEST_F(Messaging, SendsBetweenTwoBlockedThreadsDoNotDeadlock) {
    HWND mine = CreateTopLevel({0, 0, 100, 100}, WS_POPUP);
    OnMessage(mine, [](HWND, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_USER + 5)
            return static_cast<LRESULT>(wp + 1);
        return std::nullopt;
    });
    // The worker answers our send by sending back to us while we still wait for it.
    WorkerThread worker([mine](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_USER)
            return SendMessage(mine, WM_USER + 5, wp * 10, 0) * 100;
        return DefWindowProc(hwnd, msg, wp, lp);
    });
    EXPECT_EQ(SendMessage(worker.hwnd(), WM_USER, 4, 0), 4100);
    EXPECT_EQ(Count(mine, WM_USER + 5), 1);
}

TEST_F(Messaging, SendToAWindowThatDiesFailsAtOnce) {
    std::atomic<HWND> target{nullptr};
    WorkerThread worker([](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_USER + 1) {
            DestroyWindow(hwnd);
            return 1;
        }
        return DefWindowProc(hwnd, msg, wp, lp);
    });
    target = worker.hwnd();
    EXPECT_EQ(SendMessage(target, WM_USER + 1, 0, 0), 1);
    EXPECT_FALSE(IsWindow(target));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SendMessage(target, WM_USER, 0, 0), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(Messaging, RegisteredMessagesAreStableAndCaseInsensitive) {
    UINT a = RegisterWindowMessage("WM_XLISTCTRL_EDIT_END");
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage("wm_xlistctrl_edit_end"), a);
    EXPECT_NE(RegisterWindowMessage("WM_XEDIT_KILL_FOCUS"), a);
    EXPECT_EQ(RegisterWindowMessage(""), 0u);
    EXPECT_EQ(RegisterWindowMessage(nullptr), 0u);
    UINT fromThread = 0;
    std::thread([&] { fromThread = RegisterWindowMessage("WM_XLISTCTRL_EDIT_END"); }).join();
    EXPECT_EQ(fromThread, a);
}

// Registered while static objects are initialised, before main.
const UINT g_earlyMessage = RegisterWindowMessage("KqEarlyRegisteredMessage");

TEST_F(Messaging, RegistrationWorksDuringStaticInitialisation) {
    EXPECT_GE(g_earlyMessage, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage("KQEARLYREGISTEREDMESSAGE"), g_earlyMessage);
}

TEST_F(Messaging, MessagePositionAndTimeComeFromTheLastMessageTaken) {
    HWND a = CreateTopLevel({0, 0, 100, 100}, WS_POPUP);
    SetCursorPos(-5, 300);
    Pump();
    clock_->AdvanceMillis(1234);
    PostMessage(a, WM_USER, 0, 0);
    const LONG postedAt = static_cast<LONG>(MonotonicMillis());
    SetCursorPos(500, 600);
    clock_->AdvanceMillis(100);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_EQ(GetMessageTime(), postedAt);
    const DWORD pos = GetMessagePos();
    EXPECT_EQ(GET_X_LPARAM(pos), -5);
    EXPECT_EQ(GET_Y_LPARAM(pos), 300);
}

TEST_F(Messaging, LoopHooksSeeMessagesAndIdleRunsWhenTheQueueIsEmpty) {
    HWND a = CreateTopLevel({0, 0, 100, 100}, WS_POPUP);
    Pump();
    ClearLog();
    std::vector<LONG> idleCalls;
    SetIdleHandler([&](LONG count) {
        idleCalls.push_back(count);
        return count < 2 ? TRUE : FALSE;
    });
    SetPreTranslateHandler([](MSG& msg) { return msg.message == WM_USER + 9 ? TRUE : FALSE; });
    PostMessage(a, WM_USER + 9, 0, 0);
    PostMessage(a, WM_USER, 0, 0);
    EXPECT_EQ(Pump(), 2);
    EXPECT_EQ(Count(a, WM_USER + 9), 0);
    EXPECT_EQ(Count(a, WM_USER), 1);
    EXPECT_EQ(idleCalls, (std::vector<LONG>{0, 1, 2}));

    std::vector<int> codes;
    int first = AddMessageFilterHook([&](int code, MSG&) {
        codes.push_back(code);
        return FALSE;
    });
    AddMessageFilterHook([&](int code, MSG& msg) {
        codes.push_back(100 + code);
        return msg.message == WM_KEYDOWN ? TRUE : FALSE;
    });
    MSG key{a, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(CallMsgFilter(&key, MSGF_DIALOGBOX));
    MSG other{a, WM_USER, 0, 0, 0, {}};
    EXPECT_FALSE(CallMsgFilter(&other, MSGF_MENU));
    EXPECT_EQ(codes, (std::vector<int>{100, 102, MSGF_MENU}));
    RemoveMessageFilterHook(first);
}

TEST_F(Messaging, RunMessageLoopReturnsTheQuitCode) {
    HWND a = CreateTopLevel({0, 0, 100, 100}, WS_POPUP);
    OnMessage(a, [](HWND, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_USER)
            PostQuitMessage(static_cast<int>(wp));
        return std::nullopt;
    });
    PostMessage(a, WM_USER, 3, 0);
    EXPECT_EQ(RunMessageLoop(), 3);
}

}  // namespace
}  // namespace kq::ui::test
