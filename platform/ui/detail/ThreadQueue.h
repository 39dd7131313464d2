// The message queue of one thread: posted messages, messages sent from other threads, raw
// input, window timers, high-resolution timers and descriptor sources, with the eventfd that
// wakes the thread out of poll(). A thread gets its queue the first time it touches the window
// system; the queue dies with the thread.
#pragma once

#include <poll.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/ui/UiTypes.h"
#include "platform/ui/detail/RawInput.h"

namespace kq::ui::detail {

class ThreadQueue;

// A message sent from another thread, waiting for the owner of the window to handle it.
struct SentMessage {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    bool handled = false;
    std::atomic<bool> done{false};
    std::shared_ptr<ThreadQueue> sender;
};

struct WindowTimer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT elapse = 0;
    TIMERPROC proc = nullptr;
    int64_t due = 0;      // next expiry, monotonic nanoseconds
    bool ready = false;   // expired and its WM_TIMER not yet taken: at most one is pending
    int64_t readyAt = 0;  // when it became ready, to hand out the oldest first
};

struct FdSource {
    uint64_t id = 0;
    int fd = -1;
    short events = 0;
    std::function<void(int, short)> callback;
    int64_t pausedUntil = 0;  // steady-clock nanoseconds: left out of the waits until then
};

struct HighResTimer {
    UINT id = 0;
    UINT delay = 0;
    bool periodic = false;
    std::function<void(UINT)> callback;
    int64_t due = 0;
    int64_t slack = 0;  // how late it may run, to share a wake with other work
};

struct ThreadHooks {
    std::function<BOOL(MSG&)> preTranslate;
    std::function<BOOL(LONG)> idle;
    std::vector<std::pair<int, std::function<BOOL(int, MSG&)>>> filters;  // newest first
    int nextFilterId = 1;
    // When the idle handler is due (EventLoop.cpp): at once after input, a command or a posted
    // message; after timer and paint messages only once kIdleCoalesceMs have passed since the
    // last pass, so that fast timers do not run it each time.
    bool idleNow = true;
    bool idleLater = false;
    int64_t lastIdleNanos = 0;
    POINT lastMousePoint{-32768, -32768};
};

class ThreadQueue {
  public:
    explicit ThreadQueue(DWORD threadId);
    ~ThreadQueue();
    ThreadQueue(const ThreadQueue&) = delete;
    ThreadQueue& operator=(const ThreadQueue&) = delete;

    DWORD ThreadId() const { return threadId_; }
    bool IsOwnerThread() const { return std::this_thread::get_id() == owner_; }

    // Ends the owner's current or next Poll(). Safe from any thread; the owner itself needs no
    // wake-up since it checks its state before it polls.
    void Wake();
    // The owner calls this before checking its state: a change made by another thread after
    // this call makes the following Poll() return at once.
    void ArmWake() { wakePending_.store(false); }
    // Blocks until woken, one of the descriptors is ready, or timeoutMs passes (-1: no limit).
    void Poll(std::vector<pollfd>& fds, int timeoutMs);

    // Everything below is guarded by `mutex`, except what is marked owner-only.
    std::mutex mutex;
    bool alive = true;
    std::deque<MSG> posted;
    std::deque<std::shared_ptr<SentMessage>> incoming;
    std::deque<RawInput> input;
    bool quitPosted = false;
    int quitCode = 0;
    std::vector<WindowTimer> timers;
    std::vector<FdSource> fdSources;
    std::vector<HighResTimer> highResTimers;
    uint64_t runningFdSource = 0;  // id of the source whose callback runs now
    UINT runningHighResTimer = 0;  // id of the timer whose callback runs now
    std::condition_variable callbackFinished;

    // Owner-only state.
    MSG lastMessage{};
    // The descriptors were polled a moment ago and nothing ran since: the next retrieval need
    // not poll them before it looks at the queue (it waits on them if nothing is there).
    bool fdsJustPolled = false;
    std::optional<MSG> pendingInputMessage;  // converted input left in place by PM_NOREMOVE
    RawInput pendingInputRaw;                // what it was converted from
    HWND pendingInputCapture = nullptr;      // the capture it was converted under
    LastClick clickBeforePending;            // the double-click record before it was converted
    MSG lastKeyMessage{};
    std::string lastKeyText;
    ThreadHooks hooks;

  private:
    DWORD threadId_;
    std::thread::id owner_;
    int wakeFd_ = -1;
    std::atomic<bool> wakePending_{false};
};

DWORD CurrentThreadId();
// The calling thread's queue, created on first use.
ThreadQueue& CurrentQueue();
std::shared_ptr<ThreadQueue> CurrentQueuePtr();
std::shared_ptr<ThreadQueue> FindQueue(DWORD threadId);
std::vector<std::shared_ptr<ThreadQueue>> AllQueues();

}  // namespace kq::ui::detail
