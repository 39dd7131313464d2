// The pacing worker of the manual save of measured values: its thread only waits and posts a
// tick to the main frame (first after 3000 ms, then every 1000 ms, or 3000 ms while a recording
// is under way); the frame runs one conversion step per tick on the GUI thread.
#pragma once

#include <atomic>

#include "platform/framework/Framework.h"

class CThreadedConvertFile {
  public:
    enum Event {
        EV_First = 0,
        EV_ConvertFileStarted = 1,
        EV_Count = 2,
        EV_Error = 3,
        EV_ConvertFileFinished = 4
    };
    enum Error {
        ER_NO_CMD_RESPONSE = 1,
        ER_BAD_CMD_RESPONSE = 2,
        ER_NO_ASYNC_MSG = 3,
        ER_BAD_ASYNC_MSG = 4,
        ER_UNEXPECTED_ASYNC_MSG_TYPE = 5
    };
    static constexpr int kStartFailed = 123122;
    static constexpr DWORD kFirstPeriodMs = 3000;
    static constexpr DWORD kIdlePeriodMs = 1000;

    CThreadedConvertFile(HWND owner, UINT notifyMessage);
    ~CThreadedConvertFile();
    CThreadedConvertFile(const CThreadedConvertFile&) = delete;
    CThreadedConvertFile& operator=(const CThreadedConvertFile&) = delete;

    // 0, or kStartFailed (then no ticks follow). A running thread is stopped first.
    int Start();
    void Stop();
    bool StopAndWait();
    void CloseEvents();
    BOOL Notify(int code, int subCode);
    BOOL IsRunning() const { return m_bRunning; }

    HWND m_hOwner;
    UINT m_nNotifyMessage;
    BOOL m_bRunning = FALSE;
    std::atomic<bool> m_bBusy{false};
    std::atomic<bool> m_bStartedByRecording{true};
    // Tests make the start fail.
    static bool s_bFailStarts;

  private:
    static UINT ThreadProc(LPVOID param);
    UINT Run();

    HANDLE m_hStopEvent = nullptr;
    HANDLE m_hFinishedEvent = nullptr;
    CWinThread* m_pThread = nullptr;
};
