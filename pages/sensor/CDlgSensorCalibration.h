// The sensor calibration page (template 137): the user adjustment from an unloaded and a loaded
// reading, its deletion, and the measurement uncertainty. Its files: this one (the page, its
// buttons, texts and the engine's calls), CalibrationSequence.cpp (a run of the step dialogs and
// the computation). The step dialogs are made per run; the engine reaches them only through the
// page.
#pragma once

#include <memory>

#include "pages/common/PageDialog.h"
#include "pages/sensor/CalibrationStepDialogs.h"

class PageHost;

class CDlgSensorCalibration : public CPageDialog {
    DECLARE_DYNAMIC(CDlgSensorCalibration)
  public:
    enum { IDD = 137 };
    static constexpr int IDC_GROUP_BOX = 1086;
    static constexpr int IDC_UNCERTAINTY = 1249;
    static constexpr int IDC_PERFORM = 1214;
    static constexpr int IDC_DELETE = 1215;
    static constexpr UINT TIMER_ZERO_STEP = 1;
    static constexpr int kProgressRange = 960;
    static constexpr int kZeroRetries = 20;

    CDlgSensorCalibration() = default;
    BOOL OnInitDialog() override;
    BOOL SetLanguageTexts() override;
    void LayoutControls();

    // ---- The engine's calls ----
    void ShowControlElements(BOOL enable);
    void AdvanceCalibProgress(int kind);
    BOOL CalcualteCalibValues(BOOL askUser, int readingSet, int& errors);
    int GetUncertaintyAction() { return m_iUncertaintyAction; }
    void StartZeroWaitTimer();
    void ShowNotLoadedIndicator();
    void CloseScaleDialogIfVisible();

    // ---- A run ----
    void RunAdjustment(int startStep);
    void RunDelete();
    // The uncertainty input until a value in range is given or the user cancels, then its write.
    void RunUncertainty();
    // The scale input: both channels' texts checked; the accepted values kept for the run.
    BOOL CheckScaleInputs(const CString fullScale[2], const CString scale[2]);
    // The run ended (Cancel, a lost sensor, an error): nothing of it may be written any more.
    void EndRun();
    BOOL IsRunActive() const { return m_bRunActive; }
    BOOL IsSensorUsable() const;
    PageHost* Host() const { return m_pHost; }

    // ---- Shared with the step dialogs ----
    CRect m_rectStep;
    BOOL m_bFirstStepDialog = FALSE;
    BOOL m_bWrongScale = FALSE;
    BOOL m_bRememberScale[2] = {};
    CString m_strRememberedScale[2];
    BOOL m_bReadingPhase = FALSE;
    BOOL m_bSingleChannel = FALSE;
    int m_iPhase = 0;
    int m_iProgressPosition = 0;
    double m_dFullScale[2] = {};
    double m_dScale[2] = {};
    double m_dAcceptedScale[2] = {};
    double m_dLoadRatio[2] = {};
    DWORD m_dwDigits[2] = {};  // the run's input, never overwritten by a computation
    CString m_strDigits[2];
    int m_iUncertaintyAction = 0;
    double m_dUncertainty = 0.0;
    BOOL m_bDeleteWaitCursor = FALSE;
    // Kept over runs: the zero dialog is still shown (a run waits for it to go).
    static BOOL s_bZeroDialogBusy;
    static BOOL s_bFirstRun;

  protected:
    void OnShowWindow(BOOL bShow, UINT nStatus);
    // Lays the page out again whenever it is painted: it follows the window's size.
    void OnPaint();
    void OnTimer(UINT_PTR nIDEvent);
    void OnPerform();
    void OnDelete();
    void OnUncertainty();
    DECLARE_MESSAGE_MAP()

  private:
    void EnableButton(int id, BOOL enable);
    // More than one sensor: the notice, separation mode 2 and the connection page.
    bool RefuseForSeveralSensors(int operation);
    void RunSteps(int startStep);
    bool ComputeSingleChannelFlag() const;

    PageHost* m_pHost = nullptr;
    BOOL m_bFirstInit = TRUE;
    BOOL m_bRunActive = FALSE;
    int m_iZeroRetriesLeft = kZeroRetries;
    int m_iStepWidth = kProgressRange / 100;
    int m_iStepCount = 0;
    CDlgCalibMsgGetValueZero* m_pZeroDialog = nullptr;
    CDlgCalibMsgGetValueEnd* m_pScaleDialog = nullptr;
};
