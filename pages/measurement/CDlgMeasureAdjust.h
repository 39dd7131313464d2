// The measure configuration page (template 135): measuring rate, channels, scaling, triggers,
// diagram axes and pass/fail limits. Its lasting values live in MeasureConfigValues; the flow
// reads them through IMeasureConfigSeam.
#pragma once

#include "app/MeasureFlowSeams.h"
#include "controls/BrowsePageInterfaces.h"
#include "pages/measurement/MeasureConfigValues.h"
#include "pages/measurement/SettingsPage.h"

class CDlgMeasureAdjust : public CSettingsPage,
                          public IBrowseMeasureAdjustPage,
                          public IMeasureConfigSeam {
    DECLARE_DYNAMIC(CDlgMeasureAdjust)
  public:
    enum { IDD = 135 };
    static constexpr UINT TIMER_SENSOR_CHANGED = 18;

    CDlgMeasureAdjust() = default;

    BOOL SetLanguageTexts() override;
    // Stored values in and out (section "DespiteReset"); the save answers FALSE when a write
    // failed.
    void LoadSettings(CWinApp* app);
    BOOL SaveSettings(CWinApp* app) const;

    // The browse control's edited programs.
    void OnBrowseStartProgram(CWnd* edit) override;
    void OnBrowseStopProgram(CWnd* edit) override;
    // The notice control: its text and whether it shows.
    void SetNoticeText(const CString& text);
    const CString& GetNoticeText() const { return m_strNotice; }
    void ShowNotice(BOOL show);
    BOOL IsNoticeVisible() const { return m_bNoticeVisible; }
    // The averaging choice (length code) of a channel.
    int GetAveragingCode(int channel) const {
        return channel >= 0 && channel < 6 ? m_aiAveragingCode[channel] : 0;
    }
    // Closes an open scaling dialog as its Cancel button does.
    void CancelScalingDialog() {}

    // What the flow asks.
    int GetStartCondition() const override { return m_values.startCode; }
    int GetStopCondition() const override { return m_values.stopCode; }
    double GetStartLevel() const override { return m_values.startLevel; }
    double GetStopLevel() const override { return m_values.stopLevel; }
    double GetStartHysteresis() const override { return m_values.startHysteresis; }
    double GetStopHysteresis() const override { return m_values.stopHysteresis; }
    int GetStartDirection() const override { return m_values.startDirection; }
    int GetStopDirection() const override { return m_values.stopDirection; }
    int64_t GetStartDateTime() const override { return m_values.startDateTime; }
    double GetStopCount() const override { return m_values.stopCount; }
    // Rows 0-5 of the diagram table, row 0 the x axis.
    int GetAxisAssignment(int channel) const override { return m_values.AxisOf(channel); }
    // 2 with one sensor, 6 with several.
    int GetChannelCount() const override;
    // Evaluation mode 0 off, 1, 2; kind 0 is true while it is off.
    BOOL CheckIoNioMode(int kind) const override {
        return kind == m_values.ioNioMode ? TRUE : FALSE;
    }
    int GetJudgedMeasurand(int criterion) const override;
    double GetJudgedMaximum(int criterion) const override;
    CString GetJudgedUnitLabel(int criterion) const override;
    BOOL IsChannelChecked(int channel) const override {
        return channel >= 0 && channel < 2 ? m_abChannelChecked[channel] : FALSE;
    }
    // The judged units beside the limits (controls 1510 and 1511).
    void SetJudgedUnitLabel(int criterion, const CString& unit);

    MeasureConfigValues m_values;
    BOOL m_bViewUseShowWindow1 = TRUE;  // bit 0 of "ViewUseShowWindow"
    BOOL m_bViewUseShowWindow2 = FALSE;
    BOOL m_bNeedsConfirmation = FALSE;
    int m_aiAveragingCode[6] = {};
    BOOL m_abChannelChecked[2] = {TRUE, TRUE};

  protected:
    BOOL OnInitDialog() override;
    void OnEvaluationMode(UINT id);
    void OnMeasurand(UINT id);
    void OnLimitChanged(UINT id);
    DECLARE_MESSAGE_MAP()

  private:
    void ShowValues();

    CString m_strNotice;
    BOOL m_bNoticeVisible = FALSE;
    CString m_strUnitLabels[2];
    BOOL m_bRefreshing = FALSE;
    BOOL m_bStartProgramLock = FALSE;
    BOOL m_bStopProgramLock = FALSE;
};
