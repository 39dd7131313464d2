#include "platform/base/WinThread.h"

#include "platform/base/KernelObject.h"

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC threadProc, LPVOID param)
    : m_pThreadParams(param), m_pfnThreadProc(threadProc) {}

CWinThread::~CWinThread() {
    if (m_hThread)
        CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD createFlags, UINT, LPSECURITY_ATTRIBUTES) {
    if (m_hThread)
        return FALSE;
    // Always start suspended, so that the members are set before the thread can look at them.
    m_hThread = kq::StartThread([this] { return RunThread(); }, true, &m_nThreadID);
    if (!m_hThread)
        return FALSE;
    if ((createFlags & CREATE_SUSPENDED) == 0)
        ::ResumeThread(m_hThread);
    return TRUE;
}

DWORD CWinThread::ResumeThread() {
    return ::ResumeThread(m_hThread);
}

BOOL CWinThread::SetThreadPriority(int priority) {
    return ::SetThreadPriority(m_hThread, priority);
}

int CWinThread::GetThreadPriority() {
    return ::GetThreadPriority(m_hThread);
}

BOOL CWinThread::InitInstance() {
    return FALSE;
}

int CWinThread::ExitInstance() {
    return 0;
}

int CWinThread::Run() {
    return ExitInstance();
}

void CWinThread::Delete() {
    if (m_bAutoDelete)
        delete this;
}

DWORD CWinThread::RunThread() {
    DWORD exitCode = 0;
    try {
        if (m_pfnThreadProc)
            exitCode = m_pfnThreadProc(m_pThreadParams);
        else if (!InitInstance())
            exitCode = static_cast<DWORD>(ExitInstance());
        else
            exitCode = static_cast<DWORD>(Run());
    } catch (const kq::ThreadExitRequest& request) {
        if (request.deleteThreadObject)
            Delete();
        return request.exitCode;
    }
    // Nothing of this object may be touched after Delete.
    Delete();
    return exitCode;
}

CWinThread* AfxBeginThread(AFX_THREADPROC threadProc, LPVOID param, int priority, UINT stackSize,
                           DWORD createFlags, LPSECURITY_ATTRIBUTES attributes) {
    if (!threadProc)
        return nullptr;
    auto* thread = new CWinThread(threadProc, param);
    if (!thread->CreateThread(createFlags | CREATE_SUSPENDED, stackSize, attributes)) {
        delete thread;
        return nullptr;
    }
    thread->SetThreadPriority(priority);
    if ((createFlags & CREATE_SUSPENDED) == 0)
        thread->ResumeThread();
    return thread;
}

void AfxEndThread(UINT exitCode, BOOL deleteThread) {
    throw kq::ThreadExitRequest{exitCode, deleteThread != FALSE};
}
