#include "platform/ui/detail/ThreadQueue.h"

#include <sys/eventfd.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <map>

#include "platform/ui/detail/ThreadTeardown.h"

#include "platform/base/KernelObject.h"

namespace kq::ui::detail {
namespace {

struct Registry {
    std::mutex mutex;
    std::map<DWORD, std::weak_ptr<ThreadQueue>> queues;
};

Registry& GetRegistry() {
    static Registry* registry = new Registry;
    return *registry;
}

// Owns the calling thread's queue; tearing it down at thread exit frees the thread's windows
// and fails whatever other threads still wait for.
struct QueueHolder {
    std::shared_ptr<ThreadQueue> queue;
    ~QueueHolder() {
        if (!queue)
            return;
        TearDownThread(*queue);
        Registry& r = GetRegistry();
        std::lock_guard lock(r.mutex);
        r.queues.erase(queue->ThreadId());
    }
};

thread_local QueueHolder t_holder;

}  // namespace

ThreadQueue::ThreadQueue(DWORD threadId) : threadId_(threadId), owner_(std::this_thread::get_id()) {
    wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

ThreadQueue::~ThreadQueue() {
    if (wakeFd_ >= 0)
        close(wakeFd_);
}

void ThreadQueue::Wake() {
    if (IsOwnerThread())
        return;
    if (!wakePending_.exchange(true)) {
        uint64_t one = 1;
        ssize_t n = write(wakeFd_, &one, sizeof one);
        (void)n;  // EAGAIN means the counter is already signalled
    }
}

void ThreadQueue::Poll(std::vector<pollfd>& fds, int timeoutMs) {
    fds.push_back(pollfd{wakeFd_, POLLIN, 0});
    int n = poll(fds.data(), fds.size(), timeoutMs);
    pollfd wake = fds.back();
    fds.pop_back();
    if (n > 0 && (wake.revents & POLLIN)) {
        uint64_t value;
        ssize_t r = read(wakeFd_, &value, sizeof value);
        (void)r;
    }
}

// One numbering of threads for the whole program, so that the ids of queues, kernel objects and
// thread objects (m_nThreadID, PostThreadMessage) agree.
DWORD CurrentThreadId() {
    return kq::CurrentThreadId();
}

std::shared_ptr<ThreadQueue> CurrentQueuePtr() {
    if (!t_holder.queue) {
        auto q = std::make_shared<ThreadQueue>(CurrentThreadId());
        Registry& r = GetRegistry();
        std::lock_guard lock(r.mutex);
        r.queues[q->ThreadId()] = q;
        t_holder.queue = std::move(q);
    }
    return t_holder.queue;
}

ThreadQueue& CurrentQueue() {
    if (!t_holder.queue)
        CurrentQueuePtr();
    return *t_holder.queue;
}

std::shared_ptr<ThreadQueue> FindQueue(DWORD threadId) {
    Registry& r = GetRegistry();
    std::lock_guard lock(r.mutex);
    auto it = r.queues.find(threadId);
    return it == r.queues.end() ? nullptr : it->second.lock();
}

std::vector<std::shared_ptr<ThreadQueue>> AllQueues() {
    std::vector<std::shared_ptr<ThreadQueue>> result;
    Registry& r = GetRegistry();
    std::lock_guard lock(r.mutex);
    for (auto& [id, weak] : r.queues) {
        if (auto q = weak.lock())
            result.push_back(std::move(q));
    }
    return result;
}

}  // namespace kq::ui::detail
