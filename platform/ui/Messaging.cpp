#include "platform/ui/Messaging.h"

#include "platform/base/Clock.h"
#include "platform/ui/detail/Delivery.h"
#include "platform/ui/detail/Retrieve.h"
#include "platform/ui/detail/Window.h"

using namespace kq::ui::detail;

namespace {

MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return MSG{
        hwnd, message, wParam, lParam, static_cast<DWORD>(kq::MonotonicMillis()), CursorPosition()};
}

bool DispatchTimerProc(const MSG& msg) {
    // Only a timer procedure the thread really registered is called: a WM_TIMER posted by
    // anyone with an arbitrary lParam must not become a call through that pointer.
    ThreadQueue& q = CurrentQueue();
    TIMERPROC proc = nullptr;
    {
        std::lock_guard lock(q.mutex);
        for (const WindowTimer& t : q.timers) {
            if (t.hwnd == msg.hwnd && t.id == msg.wParam &&
                reinterpret_cast<LPARAM>(t.proc) == msg.lParam) {
                proc = t.proc;
                break;
            }
        }
    }
    if (!proc)
        return false;
    proc(msg.hwnd, WM_TIMER, msg.wParam, msg.time);
    return true;
}

}  // namespace

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendInternal(hwnd, message, wParam, lParam, nullptr);
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!hwnd)
        return PostToQueue(CurrentQueue(), MakeMessage(nullptr, message, wParam, lParam));
    std::shared_ptr<ThreadQueue> target;
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w || !w->queue)
            return FALSE;
        target = w->queue;
    }
    return PostToQueue(*target, MakeMessage(hwnd, message, wParam, lParam));
}

BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    std::shared_ptr<ThreadQueue> target = FindQueue(threadId);
    if (!target)
        return FALSE;
    return PostToQueue(*target, MakeMessage(nullptr, message, wParam, lParam));
}

void PostQuitMessage(int exitCode) {
    ThreadQueue& q = CurrentQueue();
    std::lock_guard lock(q.mutex);
    q.quitPosted = true;
    q.quitCode = exitCode;
}

BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    MessageFilter filter(hwnd, filterMin, filterMax);
    if (!msg || !filter.Valid())
        return -1;
    RetrieveMessage(msg, filter, PM_REMOVE, -1);
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    MessageFilter filter(hwnd, filterMin, filterMax);
    if (!msg || !filter.Valid())
        return FALSE;
    return RetrieveMessage(msg, filter, removeFlags, 0) ? TRUE : FALSE;
}

BOOL WaitMessage() {
    MSG msg;
    return RetrieveMessage(&msg, MessageFilter(nullptr, 0, 0), PM_NOREMOVE, -1) ? TRUE : FALSE;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam != 0) {
        DispatchTimerProc(*msg);
        return 0;
    }
    if (!msg->hwnd)
        return 0;
    WNDPROC proc = nullptr;
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(msg->hwnd);
        if (!w || !w->queue || !w->queue->IsOwnerThread())
            return 0;
        proc = w->proc;
    }
    return CallProc(proc, msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

DWORD GetMessagePos() {
    const MSG& m = CurrentQueue().lastMessage;
    return MAKELONG(static_cast<WORD>(m.pt.x), static_cast<WORD>(m.pt.y));
}

LONG GetMessageTime() {
    return static_cast<LONG>(CurrentQueue().lastMessage.time);
}

BOOL InSendMessage() {
    return InCrossThreadSend() ? TRUE : FALSE;
}

BOOL CallMsgFilter(LPMSG msg, int code) {
    if (!msg)
        return FALSE;
    // Copy: a hook may add or remove hooks while it runs.
    auto filters = CurrentQueue().hooks.filters;
    for (auto& [id, hook] : filters) {
        if (hook && hook(code, *msg))
            return TRUE;
    }
    return FALSE;
}
