// The pacing worker of the conversion of a measurement into a CSV file: it notifies the main
// frame with its message while a conversion runs.
#pragma once

#include "platform/framework/Framework.h"

class CThreadedConvertFile {
  public:
    CThreadedConvertFile(HWND owner, UINT notifyMessage)
        : m_hOwner(owner), m_nNotifyMessage(notifyMessage) {}

    BOOL IsRunning() const { return m_bRunning; }
    // Stops the worker and closes its events.
    void Stop() { m_bRunning = FALSE; }

    HWND m_hOwner;
    UINT m_nNotifyMessage;
    BOOL m_bRunning = FALSE;
};
