// The framework's synchronisation objects over the kernel objects: CEvent and CMutex wrap a
// HANDLE that the wait functions accept; CCriticalSection is a recursive lock of this process.
#pragma once

#include <atomic>
#include <mutex>

#include "platform/base/SecurityAttributes.h"
#include "platform/base/WinTypes.h"

class CSyncObject {
  public:
    explicit CSyncObject(LPCTSTR name);
    virtual ~CSyncObject();
    CSyncObject(const CSyncObject&) = delete;
    CSyncObject& operator=(const CSyncObject&) = delete;

    operator HANDLE() const { return m_hObject; }
    // TRUE when the object was taken (also when a mutex was abandoned by its previous owner,
    // since the caller owns it then and must unlock it).
    virtual BOOL Lock(DWORD timeout = INFINITE);
    virtual BOOL Unlock() = 0;
    virtual BOOL Unlock(LONG /*count*/, LPLONG /*previousCount*/ = nullptr) { return TRUE; }

    HANDLE m_hObject = nullptr;
};

// Recursive: the owning thread may lock it again and unlocks as often.
class CCriticalSection : public CSyncObject {
  public:
    CCriticalSection() : CSyncObject(nullptr) {}
    BOOL Lock();
    // The time-out is not supported by critical sections; it waits without limit.
    BOOL Lock(DWORD timeout) override;
    // FALSE when the calling thread does not hold it.
    BOOL Unlock() override;

  private:
    std::recursive_mutex mutex_;
    std::atomic<DWORD> owner_{0};
    unsigned count_ = 0;
};

class CEvent : public CSyncObject {
  public:
    explicit CEvent(BOOL initiallyOwn = FALSE, BOOL manualReset = FALSE, LPCTSTR name = nullptr,
                    LPSECURITY_ATTRIBUTES attributes = nullptr);
    BOOL SetEvent();
    BOOL ResetEvent();
    BOOL Unlock() override { return TRUE; }
};

class CMutex : public CSyncObject {
  public:
    explicit CMutex(BOOL initiallyOwn = FALSE, LPCTSTR name = nullptr,
                    LPSECURITY_ATTRIBUTES attributes = nullptr);
    BOOL Unlock() override;
};
