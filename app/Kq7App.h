// The application object: builds the single-document shell (document, main frame, view), hands
// over from a restarting instance, wipes settings of another version, and puts the frame's
// owner-drawn menu in place of the plain one.
#pragma once

#include "platform/framework/Framework.h"

class CKq7App : public CWinApp {
  public:
    CKq7App();

    BOOL InitApplication() override;
    BOOL InitInstance() override;
    int ExitInstance() override;
    // Records the last key pressed in a modal loop.
    BOOL ProcessMessageFilter(int code, LPMSG lpMsg) override;
    // Records the last key pressed outside the modal loops, before the window sees it.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Deletes the whole settings key when its stored version is not this program's.
    void CheckSettingsVersion();
    // Saves and appends that a killed run left unfinished in the documentation's target folders
    // are taken out: temporary files go, a cut-off block is cut back.
    void RemoveStaleWritesOfLastRun();
    // A damaged settings file was moved aside: one message names it and where it went.
    void ReportDamagedSettings();

    UINT m_nLastKeyCode = 0;

    DECLARE_MESSAGE_MAP()
};
