#include "platform/base/SyncObjects.h"

#include "platform/base/Event.h"
#include "platform/base/KernelObject.h"
#include "platform/base/Mutex.h"
#include "platform/base/Wait.h"

CSyncObject::CSyncObject(LPCTSTR) {}

CSyncObject::~CSyncObject() {
    if (m_hObject)
        CloseHandle(m_hObject);
}

BOOL CSyncObject::Lock(DWORD timeout) {
    const DWORD result = WaitForSingleObject(m_hObject, timeout);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

BOOL CCriticalSection::Lock() {
    mutex_.lock();
    owner_.store(kq::CurrentThreadId());
    ++count_;
    return TRUE;
}

BOOL CCriticalSection::Lock(DWORD) {
    return Lock();
}

BOOL CCriticalSection::Unlock() {
    if (owner_.load() != kq::CurrentThreadId())
        return FALSE;
    if (--count_ == 0)
        owner_.store(0);
    mutex_.unlock();
    return TRUE;
}

CEvent::CEvent(BOOL initiallyOwn, BOOL manualReset, LPCTSTR name, LPSECURITY_ATTRIBUTES attributes)
    : CSyncObject(name) {
    m_hObject = CreateEvent(attributes, manualReset, initiallyOwn, name);
}

BOOL CEvent::SetEvent() {
    return ::SetEvent(m_hObject);
}

BOOL CEvent::ResetEvent() {
    return ::ResetEvent(m_hObject);
}

CMutex::CMutex(BOOL initiallyOwn, LPCTSTR name, LPSECURITY_ATTRIBUTES attributes)
    : CSyncObject(name) {
    m_hObject = CreateMutex(attributes, initiallyOwn, name);
}

BOOL CMutex::Unlock() {
    return ReleaseMutex(m_hObject);
}
