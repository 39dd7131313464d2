// The step dialogs of an adjustment: warning, zero reading, scale input and loaded reading,
// wrong scale and deletion. Each is made anew for a run by the calibration page, registers with
// the main frame when it opens and leaves its slot when it goes; the engine reaches the open
// ones only through the page. The simple three are in CalibrationStepDialogs.cpp, the zero
// dialog in CalibZeroDialog.cpp, the scale dialog in CalibScaleDialog.cpp.
#pragma once

#include "controls/LedButton.h"
#include "pages/common/PerRunDialog.h"
#include "platform/framework/Controls.h"
#include "platform/framework/commctrl/ProgressCtrl.h"

class CDlgSensorCalibration;

// What every step dialog shares: the page, the rectangle it opens at and stores, its texts.
class CCalibStepDialog : public CPerRunDialog {
    DECLARE_DYNAMIC(CCalibStepDialog)
  public:
    CCalibStepDialog(UINT templateId, UINT registration, CDlgSensorCalibration* page);

  protected:
    void OnShowWindow(BOOL bShow, UINT nStatus);
    // While the frame shows the wait cursor, the dialog shows it too.
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    // Moves to the page's step rectangle unless this dialog keeps its own place.
    virtual bool KeepsOwnPosition() { return false; }
    virtual void SetTexts() {}
    void StoreRectangle();
    // The page's progress in the bar of this dialog.
    void UpdateProgressBar();
    CDlgSensorCalibration* m_pPage;
    DECLARE_MESSAGE_MAP()
};

class CDlgCalibMsgDoCalib : public CCalibStepDialog {
    DECLARE_DYNAMIC(CDlgCalibMsgDoCalib)
  public:
    enum { IDD = 187 };
    explicit CDlgCalibMsgDoCalib(CDlgSensorCalibration* page = nullptr)
        : CCalibStepDialog(IDD, 1229, page) {}

  protected:
    bool KeepsOwnPosition() override;
    void SetTexts() override;
    void OnOK() override;
};

class CDlgCalibMsgDeleteCalib : public CCalibStepDialog {
    DECLARE_DYNAMIC(CDlgCalibMsgDeleteCalib)
  public:
    enum { IDD = 186 };
    explicit CDlgCalibMsgDeleteCalib(CDlgSensorCalibration* page = nullptr)
        : CCalibStepDialog(IDD, 1233, page) {}
    BYTE m_ucUser = 1;  // the user adjustment is the one to delete

  protected:
    bool KeepsOwnPosition() override { return true; }
    void SetTexts() override;
    void OnOK() override;
};

class CDlgCalibMsgWrongScaleValue : public CCalibStepDialog {
    DECLARE_DYNAMIC(CDlgCalibMsgWrongScaleValue)
  public:
    enum { IDD = 190 };
    explicit CDlgCalibMsgWrongScaleValue(CDlgSensorCalibration* page = nullptr)
        : CCalibStepDialog(IDD, 1232, page) {}

  protected:
    void SetTexts() override;
    void OnOK() override;
};

// The zero reading: the sensor unloaded, "Weiter" starts the zero and control readings; the
// engine closes the dialog through StartWaitTimer. A watchdog ends it when the sensor stops
// answering, so no modal loop waits for ever.
class CDlgCalibMsgGetValueZero : public CCalibStepDialog {
    DECLARE_DYNAMIC(CDlgCalibMsgGetValueZero)
  public:
    enum { IDD = 188 };
    static constexpr UINT TIMER_CLOSE = 1;
    static constexpr UINT TIMER_WATCHDOG = 2;
    static constexpr UINT kWatchdogMs = 500;
    static constexpr int kNoReadingGiveUpMs = 5000;
    explicit CDlgCalibMsgGetValueZero(CDlgSensorCalibration* page = nullptr)
        : CCalibStepDialog(IDD, 1230, page) {}

    BOOL OnInitDialog() override;
    // The readings are complete: close with IDOK 500 ms later.
    void StartWaitTimer();
    void UpdateProgress() { UpdateProgressBar(); }
    BOOL IsReading() const { return m_bReading; }

  protected:
    void SetTexts() override;
    void OnOK() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

  private:
    // The reading cannot finish: stop it, end the dialog and tell the user.
    void GiveUp();
    BOOL m_bReading = FALSE;
    BOOL m_bClosing = FALSE;
    int m_iLastPosition = -1;
    int m_iQuietMs = 0;
};

// The scale input (full scale, scaling value, digits per channel) and, shown again, the loaded
// reading. Cancel in the reading form stops the reading and goes back to the input form.
class CDlgCalibMsgGetValueEnd : public CCalibStepDialog {
    DECLARE_DYNAMIC(CDlgCalibMsgGetValueEnd)
  public:
    enum { IDD = 189 };
    explicit CDlgCalibMsgGetValueEnd(CDlgSensorCalibration* page = nullptr)
        : CCalibStepDialog(IDD, 1231, page) {}

    BOOL OnInitDialog() override;
    // The engine or the measure page ends the dialog: the input form is over (IDCANCEL), the
    // reading form has done its work (IDOK).
    void CloseIfVisible();
    void ShowNotLoaded();
    void UpdateProgress() { UpdateProgressBar(); }
    BOOL IsReadingForm() const { return m_bReadingForm; }

  protected:
    void SetTexts() override;
    void OnOK() override;
    void OnCancel() override;
    void OnCopyToB();
    // Digits beyond what the sensor can reach: a message, and the input form stays for a new value.
    BOOL RefuseDigitsBeyondSensor();
    // A character typed into a scaling edit is filtered as a number.
    void OnScaleTypedA() { OnScaleTyped(0); }
    void OnScaleTypedB() { OnScaleTyped(1); }
    DECLARE_MESSAGE_MAP()

  private:
    void FillChannel(int channel);
    void OnScaleTyped(int channel);
    BOOL m_bReadingForm = FALSE;
    CLedButton m_ledNotLoaded;  // 1469: one state, the indicator light
};
