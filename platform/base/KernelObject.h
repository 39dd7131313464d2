// The common base of the objects behind HANDLEs (events, mutexes, threads) that the wait
// functions wait on; other kinds of handle derive from it too, so that CloseHandle and the waits
// treat every handle alike. All their state is guarded by one process-wide lock; every change that
// may satisfy a waiter is announced on one condition variable. Handles are never reused, so a stale
// handle fails cleanly instead of reaching a newer object.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/base/Handles.h"
#include "platform/base/WinTypes.h"

namespace kq {

class KernelObject : public std::enable_shared_from_this<KernelObject> {
  public:
    virtual ~KernelObject() = default;
    // The calls below run with KernelLock() held, on the waiting thread.
    // Whether `thread` could take the object now. May reserve something outside the process (a
    // file lock) that CancelReserve gives back when the wait does not go ahead after all.
    virtual bool TryReserve(DWORD thread) = 0;
    virtual void CancelReserve(DWORD /*thread*/) {}
    // Takes the object after a successful TryReserve (an auto-reset event resets, a mutex gets
    // its owner); true when it was a mutex whose previous owner ended without releasing it.
    virtual bool Take(DWORD thread) = 0;
    // True when the state can change without notice (another process), so waits poll it.
    virtual bool NeedsPolling() const { return false; }
    // The owning thread ended without releasing the object.
    virtual void Abandon() {}
};

std::mutex& KernelLock();
std::condition_variable& KernelChanged();
// Call with KernelLock() held after a change that may satisfy a waiter.
void NotifyKernelChange();

HANDLE InsertHandle(std::shared_ptr<KernelObject> object);
// Null for unknown or closed handles. GetCurrentThread()'s pseudo handle gives the calling
// thread's object when the thread was started by CreateThread.
std::shared_ptr<KernelObject> LookupHandle(HANDLE handle);
template <typename T>
std::shared_ptr<T> LookupHandleAs(HANDLE handle) {
    return std::dynamic_pointer_cast<T>(LookupHandle(handle));
}

// Thread identity: ids are never reused within a run.
DWORD AllocateThreadId();
DWORD CurrentThreadId();
// For threads started by CreateThread: their pre-allocated id and their object.
void AdoptThreadIdentity(DWORD id, std::shared_ptr<KernelObject> threadObject);
std::shared_ptr<KernelObject> CurrentThreadObject();

// Objects the calling thread owns (mutexes), abandoned when the thread ends. Under KernelLock().
void NoteOwned(std::shared_ptr<KernelObject> object);
void NoteReleased(const KernelObject* object);
// Abandons what the calling thread still owns; takes KernelLock() itself.
void AbandonOwnedObjects();

}  // namespace kq
