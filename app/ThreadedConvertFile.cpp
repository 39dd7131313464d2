// The worker's thread waits on its stop event with the tick period (on the injectable clock, so
// tests step it) and posts its notifications; Stop joins it, so no thread outlives a stop.
#include "app/ThreadedConvertFile.h"

#include "platform/base/Event.h"
#include "platform/base/Handles.h"
#include "platform/base/Wait.h"

bool CThreadedConvertFile::s_bFailStarts = false;

CThreadedConvertFile::CThreadedConvertFile(HWND owner, UINT notifyMessage)
    : m_hOwner(owner), m_nNotifyMessage(notifyMessage) {
    m_hStopEvent = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    m_hFinishedEvent = CreateEvent(nullptr, TRUE, TRUE, nullptr);
}

CThreadedConvertFile::~CThreadedConvertFile() {
    Stop();
    CloseEvents();
}

void CThreadedConvertFile::CloseEvents() {
    if (m_hStopEvent != nullptr)
        CloseHandle(m_hStopEvent);
    if (m_hFinishedEvent != nullptr)
        CloseHandle(m_hFinishedEvent);
    m_hStopEvent = m_hFinishedEvent = nullptr;
}

int CThreadedConvertFile::Start() {
    if (m_hStopEvent == nullptr || m_hFinishedEvent == nullptr)
        return kStartFailed;
    StopAndWait();
    ResetEvent(m_hStopEvent);
    ResetEvent(m_hFinishedEvent);
    m_bRunning = TRUE;
    CWinThread* thread = s_bFailStarts ? nullptr
                                       : AfxBeginThread(ThreadProc, this, THREAD_PRIORITY_LOWEST, 0,
                                                        CREATE_SUSPENDED);
    if (thread == nullptr) {
        m_bRunning = FALSE;
        SetEvent(m_hFinishedEvent);
        return kStartFailed;
    }
    thread->m_bAutoDelete = FALSE;
    m_pThread = thread;
    thread->ResumeThread();
    return 0;
}

void CThreadedConvertFile::Stop() {
    m_bRunning = FALSE;
    StopAndWait();
}

bool CThreadedConvertFile::StopAndWait() {
    if (m_pThread == nullptr)
        return true;
    SetEvent(m_hStopEvent);
    WaitForSingleObject(m_pThread->m_hThread, INFINITE);
    delete m_pThread;
    m_pThread = nullptr;
    return true;
}

BOOL CThreadedConvertFile::Notify(int code, int subCode) {
    if (m_hOwner == nullptr || m_nNotifyMessage == 0)
        return TRUE;
    return ::PostMessage(m_hOwner, m_nNotifyMessage, static_cast<WPARAM>(code),
                         static_cast<LPARAM>(subCode));
}

UINT CThreadedConvertFile::ThreadProc(LPVOID param) {
    return static_cast<CThreadedConvertFile*>(param)->Run();
}

UINT CThreadedConvertFile::Run() {
    Notify(EV_ConvertFileStarted, 0);
    DWORD period = kFirstPeriodMs;
    for (;;) {
        if (WaitForSingleObject(m_hStopEvent, period) == WAIT_OBJECT_0) {
            Notify(EV_ConvertFileFinished, 0);
            SetEvent(m_hFinishedEvent);
            return 0;
        }
        if (!m_bStartedByRecording)
            period = kIdlePeriodMs;
        if (!m_bBusy)
            Notify(EV_Count, 0);
    }
}
