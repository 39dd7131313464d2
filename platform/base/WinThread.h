// CWinThread: a thread object of the framework. A worker thread runs its controlling function;
// a user-interface thread derives from CWinThread and runs InitInstance, then Run, then the exit
// code of Run (or of ExitInstance when InitInstance fails) ends the thread. Run is where the
// window system's message loop goes; here it has no messages to pump and ends at once.
#pragma once

#include "platform/base/SecurityAttributes.h"
#include "platform/base/Thread.h"
#include "platform/base/WinTypes.h"

using AFX_THREADPROC = UINT (*)(LPVOID);

class CWinThread {
  public:
    CWinThread();
    CWinThread(AFX_THREADPROC threadProc, LPVOID param);
    virtual ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // Starts the thread; it waits for ResumeThread with CREATE_SUSPENDED. Stack size and
    // security attributes are ignored.
    BOOL CreateThread(DWORD createFlags = 0, UINT stackSize = 0,
                      LPSECURITY_ATTRIBUTES attributes = nullptr);
    DWORD ResumeThread();
    BOOL SetThreadPriority(int priority);
    int GetThreadPriority();
    operator HANDLE() const { return m_hThread; }

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();
    // Deletes the object when m_bAutoDelete is set (at the end of its thread).
    virtual void Delete();

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;
    LPVOID m_pThreadParams = nullptr;
    AFX_THREADPROC m_pfnThreadProc = nullptr;

  private:
    DWORD RunThread();
};

// Starts a worker thread running threadProc(param). The returned object deletes itself when the
// thread ends unless m_bAutoDelete is cleared (start it with CREATE_SUSPENDED to clear it in
// time). Null when no thread can be started.
CWinThread* AfxBeginThread(AFX_THREADPROC threadProc, LPVOID param,
                           int priority = THREAD_PRIORITY_NORMAL, UINT stackSize = 0,
                           DWORD createFlags = 0, LPSECURITY_ATTRIBUTES attributes = nullptr);
// Ends the calling thread with the exit code, unwinding its stack; with deleteThread its
// CWinThread is deleted (when auto-deleting). Only for threads started by this library.
[[noreturn]] void AfxEndThread(UINT exitCode, BOOL deleteThread = TRUE);
