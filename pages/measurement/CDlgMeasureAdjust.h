// The measure configuration page (template 135): measuring rate, channels, scaling, low-pass
// filter, triggers, diagram axes, pass/fail limits, log boxes and programs. Its lasting values
// live in MeasureConfigValues; the channel settings live in the frame's channel records and reach
// the sensors' software configuration through the frame. The flow reads the page through
// IFlowMeasureConfig. One file per concern: MeasureAdjustChannels (rate, channel rows, low-pass,
// acceptance, TIMER_SENSOR_CHANGED), MeasureAdjustTrigger (trigger group, diagram table), this one
// the rest.
#pragma once

#include "controls/BrowseCtrl.h"
#include "controls/BrowsePageInterfaces.h"
#include "controls/KombiBox.h"
#include "controls/MyEdit.h"
#include "controls/list/CXListCtrl.h"
#include "pages/common/DiagramSource.h"
#include "pages/common/MeasureFlow.h"
#include "pages/common/PageLinks.h"
#include "pages/measurement/MeasureConfigValues.h"
#include "pages/measurement/SettingsPage.h"
#include "platform/framework/commctrl/DateTimeCtrl.h"

class PageHost;
class CDlgSoftwareConfig;
struct ChannelRecord;

class CDlgMeasureAdjust : public CSettingsPage,
                          public IBrowseMeasureAdjustPage,
                          public IFlowMeasureConfig,
                          public IDiagramSource,
                          public IMeasureConfigLink {
    DECLARE_DYNAMIC(CDlgMeasureAdjust)
  public:
    enum { IDD = 135 };
    static constexpr UINT TIMER_SENSOR_CHANGED = 18;
    // Rows of the channel group: A and B of one sensor, or channel A of sensors 1-4.
    static constexpr int kChannelRows = 4;

    CDlgMeasureAdjust() = default;
    ~CDlgMeasureAdjust() override;

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
    // The scaling dialog: opened by "Scaling…", closed as its Cancel button does; it clears the
    // page's pointer when it goes.
    void OpenScalingDialog();
    void CancelScalingDialog();
    CDlgSoftwareConfig* GetScalingDialog() const { return m_pScalingDialog; }
    void OnScalingDialogGone(CDlgSoftwareConfig* dialog);

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
    // What the diagram view reads: the seven table rows, the measuring interval in seconds (the
    // rate's period), the averaging count (the frame's diagram-point length), a channel's decimals.
    void GetDiagramRows(DiagramRow (&rows)[IDiagramSource::kRows]) const override;
    double GetMeasuringInterval() const override;
    int GetAveragingCount() const override;
    int GetChannelDecimals(int channel) const override;
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
    // A limit whose text is not wholly a number fails its criterion: the page shows it in red.
    bool IsLimitMarked(int limit) const;
    // The judged units beside the limits (IDC_ADJ_UNIT_LABEL_1 and IDC_ADJ_UNIT_LABEL_2).
    void SetJudgedUnitLabel(int criterion, const CString& unit);

    // Reloads the channel controls from the frame's records (TIMER_SENSOR_CHANGED, a set
    // sensor-changed flag, and when the page is shown).
    void ReloadChannelControls();
    // "Akzeptieren": the settings of every open sensor are confirmed as the current version.
    void AcceptSettings();

    MeasureConfigValues m_values;
    BOOL m_bViewUseShowWindow1 = TRUE;  // bit 0 of "ViewUseShowWindow"
    BOOL m_bViewUseShowWindow2 = FALSE;
    BOOL m_bNeedsConfirmation = FALSE;
    BOOL m_bSensorChanged = FALSE;  // set by the connection page's Update
    const MeasureConfigValues& ConfigValues() const override { return m_values; }
    BOOL IsViewShownInWindow1() const override { return m_bViewUseShowWindow1; }
    void NoteSensorChanged() override { m_bSensorChanged = TRUE; }
    int m_aiAveragingCode[6] = {};
    BOOL m_abChannelChecked[2] = {TRUE, TRUE};

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnDestroy();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnEvaluationMode(UINT id);
    void OnMeasurand(UINT id);
    void OnLimitChanged(UINT id);
    void OnLogBox(UINT id);
    void OnScalingButton();
    void OnAcceptButton();
    // MeasureAdjustChannels.
    void OnRateChanged();
    void OnSettingChanged();
    void OnChannelUnit(UINT id);
    void OnChannelDecimals(UINT id);
    void OnChannelAveraging(UINT id);
    void OnChannelSign(UINT id);
    void OnLowPassChanged();
    // MeasureAdjustTrigger.
    void OnStartCode();
    void OnStopCode();
    void OnStartDirection();
    void OnStopDirection();
    void OnTriggerNumber(UINT id);
    void OnStartDateTime(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnDiagramCombo(WPARAM wParam, LPARAM lParam);
    LRESULT OnDiagramCheckbox(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

  private:
    void ShowValues();
    void SetUpEdits();
    void SetUpBrowseControls();
    // MeasureAdjustChannels.
    BOOL FillRateAndChannelChoices();
    void ShowRateAndChannels();
    // The record and the sensor of a channel row; false for a row without a channel now.
    bool RowChannel(int row, int& record, int& sensor) const;
    int RowCount() const;
    // The record a row's control edits (row from the control's id); null while the page
    // refreshes or the row has no channel.
    ChannelRecord* EditedRecord(UINT id, UINT first, int& row);
    // After a change of a row's record: unit factors, redisplay, one write for its sensor.
    void ApplyChannelChange(int row, bool invalidatesTare);
    void RequestWriteForOpenSensors();
    int CurrentSensor() const;
    // MeasureAdjustTrigger.
    BOOL FillTriggerChoices();
    void ShowTrigger();
    void SetUpDiagramTable();
    BOOL FillDiagramTexts();
    void ShowDiagramTable();
    // Rejects a typed value: message, the field shows the stored value again.
    void RefuseTyped(CMyEdit& edit, int messageId, const CString& stored);
    CMyEdit* TriggerEdit(UINT id);
    // Runs the field's typing filter; true for a change the user made (the program's own
    // rewrites come under the field's lock).
    static bool TypedChange(CMyEdit& edit);

    PageHost* Host() const;

    CString m_strNotice;
    BOOL m_bNoticeVisible = FALSE;
    CString m_strUnitLabels[2];
    BOOL m_bRefreshing = FALSE;
    BOOL m_bStartProgramLock = FALSE;
    BOOL m_bStopProgramLock = FALSE;
    // The edits follow the frame's language offset (French held as 4000); without a frame, a
    // copy of the text loader's offset.
    int m_iOwnLanguage = 0;
    int* LanguagePointer();

    CMyEdit m_editSetting;
    CMyEdit m_editLimits[4];
    CMyEdit m_editStartLevel, m_editStartHysteresis, m_editStopLevel, m_editStopHysteresis;
    CMyEdit m_editStopCount;
    CKombiBox m_comboMeasurand[2];
    CDateTimeCtrl m_dateStart, m_timeStart;
    CXListCtrl m_listDiagram;
    CStringArray m_astrDiagramChoices[MeasureConfigValues::kDiagramRows];
    CBrowseCtrl m_browseProgram[2];
    CDlgSoftwareConfig* m_pScalingDialog = nullptr;
};
