// The application object: builds the single-document shell (document, main frame, view), hands
// over from a restarting instance, wipes settings of another version, and puts the frame's
// owner-drawn menu in place of the plain one.
#pragma once

#include "app/InstanceLock.h"
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

    // Deletes the whole settings key when its stored version is not this program's; a file the
    // program saved that has lost its version is treated as damaged instead.
    void CheckSettingsVersion();
    // Saves and appends that a killed run left unfinished in the documentation's target folders
    // are taken out: temporary files go, a cut-off block is cut back.
    void RemoveStaleWritesOfLastRun();
    // A damaged settings file was moved aside: one message names it and where it went; one that
    // cannot be read is named with the reason and left alone. False when there was none.
    bool ReportDamagedSettings();
    // Settings that cannot be saved are told once, at the start.
    void ReportSettingsNotKept();
    // The operator knows that settings are not kept: the close does not say it again.
    BOOL m_bSettingsNotKeptReported = FALSE;

    UINT m_nLastKeyCode = 0;
    // Nobody sees the program's windows (it runs without a display): a refusal to start is said
    // on standard error only, not in a box that nobody could answer.
    bool m_bWithoutDisplay = false;

    DECLARE_MESSAGE_MAP()

  private:
    // Values only the program's save writes: the settings were saved at least once.
    bool WereSettingsSavedBefore();

    kq::app::InstanceLock m_instanceLock;
    bool m_bRefused = false;  // the start was refused: the program ends with 1
};
