#include "platform/base/KernelObject.h"

#include <algorithm>
#include <atomic>
#include <unordered_map>
#include <vector>

namespace kq {
namespace {

// The pseudo handle that GetCurrentThread returns.
const HANDLE kCurrentThreadHandle = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-2));

struct KernelState {
    std::mutex lock;
    std::condition_variable changed;
    std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> handles;
    uintptr_t nextHandle = 0x1000;
};

// Never destroyed: threads may still close handles while the process exits.
KernelState& State() {
    static KernelState* state = new KernelState;
    return *state;
}

std::atomic<DWORD> g_nextThreadId{100};

struct ThreadIdentity {
    DWORD id = 0;
    std::shared_ptr<KernelObject> object;
    std::vector<std::shared_ptr<KernelObject>> owned;
    ~ThreadIdentity() { AbandonOwnedObjects(); }
};

ThreadIdentity& Identity() {
    thread_local ThreadIdentity identity;
    return identity;
}

}  // namespace

std::mutex& KernelLock() {
    return State().lock;
}

std::condition_variable& KernelChanged() {
    return State().changed;
}

void NotifyKernelChange() {
    State().changed.notify_all();
}

HANDLE InsertHandle(std::shared_ptr<KernelObject> object) {
    if (!object)
        return nullptr;
    KernelState& state = State();
    std::lock_guard lock(state.lock);
    const uintptr_t value = state.nextHandle;
    state.nextHandle += 4;
    state.handles.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> LookupHandle(HANDLE handle) {
    if (handle == kCurrentThreadHandle)
        return CurrentThreadObject();
    KernelState& state = State();
    std::lock_guard lock(state.lock);
    auto it = state.handles.find(reinterpret_cast<uintptr_t>(handle));
    return it == state.handles.end() ? nullptr : it->second;
}

DWORD AllocateThreadId() {
    return g_nextThreadId.fetch_add(4);
}

DWORD CurrentThreadId() {
    ThreadIdentity& identity = Identity();
    if (identity.id == 0)
        identity.id = AllocateThreadId();
    return identity.id;
}

void AdoptThreadIdentity(DWORD id, std::shared_ptr<KernelObject> threadObject) {
    ThreadIdentity& identity = Identity();
    identity.id = id;
    identity.object = std::move(threadObject);
}

std::shared_ptr<KernelObject> CurrentThreadObject() {
    return Identity().object;
}

void NoteOwned(std::shared_ptr<KernelObject> object) {
    Identity().owned.push_back(std::move(object));
}

void NoteReleased(const KernelObject* object) {
    auto& owned = Identity().owned;
    auto it = std::find_if(owned.begin(), owned.end(),
                           [object](const auto& entry) { return entry.get() == object; });
    if (it != owned.end())
        owned.erase(it);
}

void AbandonOwnedObjects() {
    std::vector<std::shared_ptr<KernelObject>> owned;
    std::lock_guard lock(State().lock);
    owned.swap(Identity().owned);
    for (auto& object : owned)
        object->Abandon();
    if (!owned.empty())
        NotifyKernelChange();
}

}  // namespace kq

BOOL CloseHandle(HANDLE handle) {
    if (handle == kq::kCurrentThreadHandle)
        return TRUE;
    std::shared_ptr<kq::KernelObject> released;
    kq::KernelState& state = kq::State();
    std::lock_guard lock(state.lock);
    auto it = state.handles.find(reinterpret_cast<uintptr_t>(handle));
    if (it == state.handles.end())
        return FALSE;
    // The object may end here; it must not do so while the table is being changed.
    released = std::move(it->second);
    state.handles.erase(it);
    return TRUE;
}
