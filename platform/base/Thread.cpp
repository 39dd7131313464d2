#include "platform/base/Thread.h"

#include <system_error>
#include <thread>

#include "platform/base/KernelObject.h"

namespace {

class ThreadObject final : public kq::KernelObject {
  public:
    ThreadObject(DWORD id, bool suspended) : id_(id), suspendCount_(suspended ? 1 : 0) {}

    bool TryReserve(DWORD) override { return finished_; }
    bool Take(DWORD) override { return false; }

    DWORD Id() const { return id_; }
    // The calls below run under KernelLock().
    bool IsSuspended() const { return suspendCount_ > 0; }
    DWORD Resume() {
        const DWORD previous = suspendCount_;
        if (suspendCount_ > 0 && --suspendCount_ == 0)
            kq::NotifyKernelChange();
        return previous;
    }
    DWORD ExitCode() const { return finished_ ? exitCode_ : STILL_ACTIVE; }
    void Finish(DWORD exitCode) {
        exitCode_ = exitCode;
        finished_ = true;
        kq::NotifyKernelChange();
    }
    int priority = THREAD_PRIORITY_NORMAL;

  private:
    const DWORD id_;
    DWORD suspendCount_;
    bool finished_ = false;
    DWORD exitCode_ = STILL_ACTIVE;
};

void RunThread(std::shared_ptr<ThreadObject> self, std::function<DWORD()> body) {
    kq::AdoptThreadIdentity(self->Id(), self);
    {
        std::unique_lock lock(kq::KernelLock());
        kq::KernelChanged().wait(lock, [&] { return !self->IsSuspended(); });
    }
    DWORD exitCode = 0;
    try {
        exitCode = body();
    } catch (const kq::ThreadExitRequest& request) {
        exitCode = request.exitCode;
    }
    body = nullptr;
    kq::AbandonOwnedObjects();
    std::lock_guard lock(kq::KernelLock());
    self->Finish(exitCode);
}

// The priority of a thread that was not started by CreateThread (the main thread).
thread_local int t_foreignPriority = THREAD_PRIORITY_NORMAL;

}  // namespace

HANDLE kq::StartThread(std::function<DWORD()> body, bool suspended, DWORD* threadId) {
    auto object = std::make_shared<ThreadObject>(kq::AllocateThreadId(), suspended);
    try {
        std::thread(RunThread, object, std::move(body)).detach();
    } catch (const std::system_error&) {
        return nullptr;
    }
    if (threadId)
        *threadId = object->Id();
    return kq::InsertHandle(std::move(object));
}

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, size_t, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD creationFlags, LPDWORD threadId) {
    if (!start)
        return nullptr;
    return kq::StartThread([start, parameter] { return start(parameter); },
                           (creationFlags & CREATE_SUSPENDED) != 0, threadId);
}

DWORD ResumeThread(HANDLE thread) {
    auto object = kq::LookupHandleAs<ThreadObject>(thread);
    if (!object)
        return 0xFFFFFFFF;
    std::lock_guard lock(kq::KernelLock());
    return object->Resume();
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
    auto object = kq::LookupHandleAs<ThreadObject>(thread);
    if (!object || !exitCode)
        return FALSE;
    std::lock_guard lock(kq::KernelLock());
    *exitCode = object->ExitCode();
    return TRUE;
}

DWORD GetCurrentThreadId() {
    return kq::CurrentThreadId();
}

HANDLE GetCurrentThread() {
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(-2));
}

BOOL SetThreadPriority(HANDLE thread, int priority) {
    if (thread == GetCurrentThread() && !kq::CurrentThreadObject()) {
        t_foreignPriority = priority;
        return TRUE;
    }
    auto object = kq::LookupHandleAs<ThreadObject>(thread);
    if (!object)
        return FALSE;
    std::lock_guard lock(kq::KernelLock());
    object->priority = priority;
    return TRUE;
}

int GetThreadPriority(HANDLE thread) {
    if (thread == GetCurrentThread() && !kq::CurrentThreadObject())
        return t_foreignPriority;
    auto object = kq::LookupHandleAs<ThreadObject>(thread);
    if (!object)
        return THREAD_PRIORITY_ERROR_RETURN;
    std::lock_guard lock(kq::KernelLock());
    return object->priority;
}
