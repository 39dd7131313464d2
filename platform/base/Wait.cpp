#include "platform/base/Wait.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "platform/base/ClockWait.h"
#include "platform/base/KernelObject.h"

namespace {

// How often a wait looks again at an object that another process may change.
constexpr int64_t kPollNanos = 2000000;

using Objects = std::vector<std::shared_ptr<kq::KernelObject>>;

bool TakeAny(const Objects& objects, DWORD thread, DWORD& result) {
    for (size_t i = 0; i < objects.size(); ++i) {
        if (objects[i]->TryReserve(thread)) {
            const bool abandoned = objects[i]->Take(thread);
            result = (abandoned ? WAIT_ABANDONED_0 : WAIT_OBJECT_0) + static_cast<DWORD>(i);
            return true;
        }
    }
    return false;
}

bool TakeAll(const Objects& objects, DWORD thread, DWORD& result) {
    size_t reserved = 0;
    while (reserved < objects.size() && objects[reserved]->TryReserve(thread))
        ++reserved;
    if (reserved < objects.size()) {
        while (reserved > 0)
            objects[--reserved]->CancelReserve(thread);
        return false;
    }
    result = WAIT_OBJECT_0;
    bool anyAbandoned = false;
    for (size_t i = 0; i < objects.size(); ++i) {
        if (objects[i]->Take(thread) && !anyAbandoned) {
            anyAbandoned = true;
            result = WAIT_ABANDONED_0 + static_cast<DWORD>(i);
        }
    }
    return true;
}

}  // namespace

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    return WaitForMultipleObjects(1, &handle, FALSE, milliseconds);
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds) {
    if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || !handles)
        return WAIT_FAILED;
    Objects objects;
    bool polling = false;
    for (DWORD i = 0; i < count; ++i) {
        auto object = kq::LookupHandle(handles[i]);
        if (!object)
            return WAIT_FAILED;
        polling = polling || object->NeedsPolling();
        objects.push_back(std::move(object));
    }
    if (waitAll) {
        Objects sorted = objects;
        std::sort(sorted.begin(), sorted.end());
        if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end())
            return WAIT_FAILED;
    }
    const DWORD thread = kq::CurrentThreadId();
    const int64_t deadline = kq::DeadlineAfterMillis(milliseconds);
    DWORD result = WAIT_TIMEOUT;
    std::unique_lock lock(kq::KernelLock());
    const bool taken = kq::WaitOnClock(
        kq::KernelChanged(), lock, deadline,
        [&] {
            return waitAll ? TakeAll(objects, thread, result) : TakeAny(objects, thread, result);
        },
        polling ? kPollNanos : 0);
    return taken ? result : WAIT_TIMEOUT;
}

void Sleep(DWORD milliseconds) {
    if (milliseconds == 0) {
        std::this_thread::yield();
        return;
    }
    std::mutex mutex;
    std::condition_variable nobodyNotifies;
    std::unique_lock lock(mutex);
    kq::WaitOnClock(nobodyNotifies, lock, kq::DeadlineAfterMillis(milliseconds),
                    [] { return false; });
}
