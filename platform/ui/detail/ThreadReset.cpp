#include "platform/ui/detail/ThreadReset.h"

#include "platform/ui/WindowLifetime.h"
#include "platform/ui/detail/InputState.h"
#include "platform/ui/detail/ThreadQueue.h"
#include "platform/ui/detail/Window.h"

namespace kq::ui::detail {

void ResetThreadState() {
    ThreadQueue& q = CurrentQueue();
    for (;;) {
        HWND next = nullptr;
        {
            std::lock_guard lock(TreeMutex());
            for (Window* top : Desktop().children) {
                if (top->queue.get() == &q) {
                    next = top->hwnd;
                    break;
                }
            }
        }
        if (!next || !DestroyWindow(next))
            break;
    }
    {
        std::lock_guard lock(q.mutex);
        q.posted.clear();
        q.input.clear();
        q.quitPosted = false;
        q.timers.clear();
        q.fdSources.clear();
        q.highResTimers.clear();
    }
    q.pendingInputMessage.reset();
    q.lastMessage = MSG{};
    q.lastKeyMessage = MSG{};
    q.lastKeyText.clear();
    q.hooks = ThreadHooks{};
    InputState& in = Input();
    std::lock_guard lock(in.mutex);
    in.cursor = POINT{};
    in.cursorShape = nullptr;
    in.focus = in.active = in.capture = in.lastActive = nullptr;
    in.appActive = false;
    for (BYTE& k : in.asyncKeys)
        k = 0;
    for (BYTE& k : in.keys)
        k = 0;
    in.doubleClickTime = 500;
    in.click = LastClick{};
}

}  // namespace kq::ui::detail
