#include "platform/base/SyncLocks.h"

#include "platform/base/Wait.h"

CSingleLock::CSingleLock(CSyncObject* object, BOOL initialLock) : m_pObject(object) {
    ASSERT(object != nullptr);
    if (initialLock)
        Lock();
}

CSingleLock::~CSingleLock() {
    Unlock();
}

BOOL CSingleLock::Lock(DWORD timeout) {
    if (!m_pObject)
        return FALSE;
    m_bAcquired = m_pObject->Lock(timeout);
    return m_bAcquired;
}

BOOL CSingleLock::Unlock() {
    if (m_bAcquired && m_pObject)
        m_bAcquired = !m_pObject->Unlock();
    return !m_bAcquired;
}

CMultiLock::CMultiLock(CSyncObject* objects[], DWORD count, BOOL initialLock)
    : objects_(objects, objects + count), locked_(count, false) {
    for (CSyncObject* object : objects_) {
        ASSERT(object != nullptr && object->m_hObject != nullptr);
        handles_.push_back(object ? object->m_hObject : nullptr);
    }
    if (initialLock)
        Lock();
}

CMultiLock::~CMultiLock() {
    Unlock();
}

DWORD CMultiLock::Lock(DWORD timeout, BOOL waitForAll, DWORD wakeMask) {
    ASSERT(wakeMask == 0);
    const DWORD count = static_cast<DWORD>(handles_.size());
    const DWORD result = WaitForMultipleObjects(count, handles_.data(), waitForAll, timeout);
    DWORD index = count;
    if (result < WAIT_OBJECT_0 + count)
        index = result - WAIT_OBJECT_0;
    else if (result >= WAIT_ABANDONED_0 && result < WAIT_ABANDONED_0 + count)
        index = result - WAIT_ABANDONED_0;
    if (index < count) {
        if (waitForAll)
            locked_.assign(count, true);
        else
            locked_[index] = true;
    }
    return result;
}

BOOL CMultiLock::Unlock() {
    for (size_t i = 0; i < objects_.size(); ++i) {
        if (locked_[i] && objects_[i])
            locked_[i] = !objects_[i]->Unlock();
    }
    return TRUE;
}

BOOL CMultiLock::IsLocked(DWORD index) const {
    return index < locked_.size() && locked_[index];
}
