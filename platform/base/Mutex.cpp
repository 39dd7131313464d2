#include "platform/base/Mutex.h"

#include "platform/base/LastError.h"

#include <map>
#include <memory>
#include <string>

#include "platform/base/KernelObject.h"
#include "platform/base/NamedMutex.h"

namespace {

class MutexObject final : public kq::KernelObject {
  public:
    explicit MutexObject(std::unique_ptr<kq::NamedMutexFile> file = nullptr)
        : file_(std::move(file)) {}

    bool TryReserve(DWORD thread) override {
        if (owner_ == thread)
            return true;
        if (owner_ != 0)
            return false;
        if (file_ && !fileLocked_)
            fileLocked_ = file_->TryLock();
        return !file_ || fileLocked_;
    }

    void CancelReserve(DWORD) override {
        if (owner_ == 0 && fileLocked_) {
            file_->Unlock(false);
            fileLocked_ = false;
        }
    }

    bool Take(DWORD thread) override {
        if (owner_ == thread) {
            ++count_;
            return false;
        }
        owner_ = thread;
        count_ = 1;
        bool abandoned = abandoned_;
        abandoned_ = false;
        if (file_)
            abandoned = file_->MarkOwned() || abandoned;
        kq::NoteOwned(shared_from_this());
        return abandoned;
    }

    bool NeedsPolling() const override { return file_ != nullptr; }

    void Abandon() override {
        if (owner_ == 0)
            return;
        abandoned_ = true;
        Free(false);
    }

    bool Release(DWORD thread) {
        if (owner_ != thread || owner_ == 0)
            return false;
        if (--count_ == 0) {
            Free(true);
            kq::NoteReleased(this);
        }
        return true;
    }

  private:
    void Free(bool released) {
        owner_ = 0;
        count_ = 0;
        if (fileLocked_) {
            file_->Unlock(released);
            fileLocked_ = false;
        }
        kq::NotifyKernelChange();
    }

    std::unique_ptr<kq::NamedMutexFile> file_;
    bool fileLocked_ = false;
    DWORD owner_ = 0;
    unsigned count_ = 0;
    bool abandoned_ = false;
};

// The named mutexes this process has open, by lock file, so that opening a name twice (with or
// without a namespace prefix) gives the same object.
struct NamedMutexes {
    std::mutex lock;
    std::map<std::string, std::weak_ptr<MutexObject>> byName;
};

NamedMutexes& Named() {
    static NamedMutexes* named = new NamedMutexes;
    return *named;
}

std::shared_ptr<MutexObject> OpenNamed(const char* name, bool create, bool& existed) {
    NamedMutexes& named = Named();
    const std::string key = kq::NamedMutexFile::PathFor(name);
    std::lock_guard lock(named.lock);
    if (auto object = named.byName[key].lock()) {
        existed = true;
        return object;
    }
    auto file = kq::NamedMutexFile::Open(name, create, existed);
    if (!file)
        return nullptr;
    auto object = std::make_shared<MutexObject>(std::move(file));
    named.byName[key] = object;
    return object;
}

}  // namespace

HANDLE kq::CreateMutexReportingExistence(BOOL initialOwner, LPCTSTR name, bool& existed) {
    existed = false;
    std::shared_ptr<MutexObject> object;
    if (name && *name) {
        object = OpenNamed(name, true, existed);
        if (!object)
            return nullptr;
    } else {
        object = std::make_shared<MutexObject>();
    }
    if (initialOwner && !existed) {
        const DWORD thread = kq::CurrentThreadId();
        std::lock_guard lock(kq::KernelLock());
        if (object->TryReserve(thread))
            object->Take(thread);
    }
    return kq::InsertHandle(std::move(object));
}

HANDLE CreateMutex(LPSECURITY_ATTRIBUTES, BOOL initialOwner, LPCTSTR name) {
    bool existed = false;
    HANDLE handle = kq::CreateMutexReportingExistence(initialOwner, name, existed);
    if (!handle)
        SetLastError(ERROR_ACCESS_DENIED);
    else
        SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

HANDLE OpenMutex(DWORD, BOOL, LPCTSTR name) {
    if (!name || !*name)
        return nullptr;
    bool existed = false;
    HANDLE handle = kq::InsertHandle(OpenNamed(name, false, existed));
    if (!handle)
        SetLastError(ERROR_FILE_NOT_FOUND);
    return handle;
}

BOOL ReleaseMutex(HANDLE mutex) {
    auto object = kq::LookupHandleAs<MutexObject>(mutex);
    if (!object)
        return FALSE;
    std::lock_guard lock(kq::KernelLock());
    if (object->Release(kq::CurrentThreadId()))
        return TRUE;
    SetLastError(ERROR_NOT_OWNER);
    return FALSE;
}
