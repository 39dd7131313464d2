// Scoped locking of the framework's synchronisation objects: what a lock took is unlocked when
// the lock object goes, so that an early return cannot leave an object locked.
#pragma once

#include <vector>

#include "platform/base/SyncObjects.h"

class CSingleLock {
  public:
    explicit CSingleLock(CSyncObject* object, BOOL initialLock = FALSE);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock(DWORD timeout = INFINITE);
    BOOL Unlock();
    BOOL IsLocked() const { return m_bAcquired; }

  private:
    CSyncObject* m_pObject;
    BOOL m_bAcquired = FALSE;
};

// Waits on several objects that have handles (events, mutexes; not critical sections).
class CMultiLock {
  public:
    CMultiLock(CSyncObject* objects[], DWORD count, BOOL initialLock = FALSE);
    ~CMultiLock();
    CMultiLock(const CMultiLock&) = delete;
    CMultiLock& operator=(const CMultiLock&) = delete;

    // The wait result (WAIT_OBJECT_0 + i, WAIT_ABANDONED_0 + i, WAIT_TIMEOUT, WAIT_FAILED). The
    // wake mask for window messages is not supported here and must be 0.
    DWORD Lock(DWORD timeout = INFINITE, BOOL waitForAll = TRUE, DWORD wakeMask = 0);
    BOOL Unlock();
    BOOL IsLocked(DWORD index) const;

  private:
    std::vector<CSyncObject*> objects_;
    std::vector<HANDLE> handles_;
    std::vector<bool> locked_;
};
