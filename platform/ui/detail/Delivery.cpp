#include "platform/ui/detail/Delivery.h"

#include "platform/base/Clock.h"
#include "platform/ui/detail/Window.h"

namespace kq::ui::detail {
namespace {

thread_local bool t_inCrossThreadSend = false;

class InSendScope {
  public:
    explicit InSendScope(bool crossThread) : saved_(t_inCrossThreadSend) {
        t_inCrossThreadSend = crossThread;
    }
    ~InSendScope() { t_inCrossThreadSend = saved_; }
    InSendScope(const InSendScope&) = delete;
    InSendScope& operator=(const InSendScope&) = delete;

  private:
    bool saved_;
};

void Answer(SentMessage& sm) {
    sm.done.store(true);
    sm.sender->Wake();
}

}  // namespace

LRESULT CallProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!proc)
        return 0;
    InSendScope scope(false);
    return proc(hwnd, message, wParam, lParam);
}

bool InCrossThreadSend() {
    return t_inCrossThreadSend;
}

LRESULT SendInternal(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool* delivered) {
    if (delivered)
        *delivered = false;
    std::shared_ptr<ThreadQueue> target;
    WNDPROC proc = nullptr;
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w)
            return 0;
        target = w->queue;
        proc = w->proc;
    }
    if (!target || target->IsOwnerThread()) {
        if (delivered)
            *delivered = proc != nullptr;
        return CallProc(proc, hwnd, message, wParam, lParam);
    }

    ThreadQueue& me = CurrentQueue();
    auto sm = std::make_shared<SentMessage>();
    sm->hwnd = hwnd;
    sm->message = message;
    sm->wParam = wParam;
    sm->lParam = lParam;
    sm->sender = CurrentQueuePtr();
    {
        std::lock_guard lock(target->mutex);
        if (!target->alive)
            return 0;
        target->incoming.push_back(sm);
    }
    target->Wake();
    // While waiting, keep handling what other threads send to us: the receiver may itself be
    // sending to us to answer.
    std::vector<pollfd> none;
    for (;;) {
        me.ArmWake();
        ServeIncomingSends(me);
        if (sm->done.load())
            break;
        me.Poll(none, -1);
    }
    if (delivered)
        *delivered = sm->handled;
    return sm->result;
}

bool ServeIncomingSends(ThreadQueue& queue) {
    bool any = false;
    for (;;) {
        std::shared_ptr<SentMessage> sm;
        {
            std::lock_guard lock(queue.mutex);
            if (queue.incoming.empty())
                break;
            sm = std::move(queue.incoming.front());
            queue.incoming.pop_front();
        }
        any = true;
        WNDPROC proc = nullptr;
        {
            std::lock_guard lock(TreeMutex());
            Window* w = Lookup(sm->hwnd);
            if (w && w->queue.get() == &queue)
                proc = w->proc;
        }
        if (proc) {
            InSendScope scope(true);
            sm->result = proc(sm->hwnd, sm->message, sm->wParam, sm->lParam);
            sm->handled = true;
        }
        Answer(*sm);
    }
    return any;
}

void AnswerPendingSends(ThreadQueue& queue, const std::function<bool(HWND)>& matches) {
    std::vector<std::shared_ptr<SentMessage>> failed;
    {
        std::lock_guard lock(queue.mutex);
        for (auto it = queue.incoming.begin(); it != queue.incoming.end();) {
            if (matches((*it)->hwnd)) {
                failed.push_back(std::move(*it));
                it = queue.incoming.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (auto& sm : failed)
        Answer(*sm);
}

bool PostToQueue(ThreadQueue& queue, const MSG& msg) {
    {
        std::lock_guard lock(queue.mutex);
        if (!queue.alive)
            return false;
        queue.posted.push_back(msg);
    }
    queue.Wake();
    return true;
}

}  // namespace kq::ui::detail
