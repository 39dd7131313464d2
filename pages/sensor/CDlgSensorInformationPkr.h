// The sensor information page (template 202): everything a sensor reports about itself, as one
// sensor's labelled fields or, for a multi-port device, four lists of one row per sensor. Its
// files: this one (page, showing, timers, layout), InformationTexts.cpp (type, channel and value
// texts), InformationFill.cpp (the fields and lists), InformationSerial.cpp (the serial edits).
#pragma once

#include "controls/MyEdit.h"
#include "pages/common/PageDialog.h"
#include "pages/common/PageLinks.h"
#include "platform/framework/commctrl/ListCtrl.h"
#include "sensor/CComPort.h"

class PageHost;
struct SensorRecord;

class CDlgSensorInformationPkr : public CPageDialog, public ISensorInformationLink {
    DECLARE_DYNAMIC(CDlgSensorInformationPkr)
  public:
    enum { IDD = 202 };
    static constexpr UINT TIMER_REFRESH = 53;
    static constexpr UINT TIMER_DIALOGUE_REST = 54;
    static constexpr UINT TIMER_LAYOUT_CHECK = 55;
    static constexpr int kEditCount = 6;
    static constexpr int IDC_OUTER_GROUP = 1058;
    static constexpr int IDC_SERIAL_A = 1472;
    static constexpr int IDC_SERIAL_B = 1474;
    static constexpr int IDC_SERIAL_MULTI = 1395;  // 1395..1398: sensors 1..4
    static constexpr int IDC_IDENTIFICATION = 1356;
    static constexpr int IDC_FACTORY_LIST = 1357;
    static constexpr int IDC_USER_LIST = 1358;
    static constexpr int IDC_PROPERTIES = 1360;

    CDlgSensorInformationPkr() = default;
    ~CDlgSensorInformationPkr() override;
    BOOL OnInitDialog() override;
    BOOL SetLanguageTexts() override;
    // The frame's refill: mode 0 is the unforced one.
    BOOL Refill(int mode) override { return UpdateSensorInformation(mode != 0); }
    BOOL UpdateSensorInformation(BOOL force);

    CString FormatSensorTypeText(int sensor, BOOL withQuantity, DWORD typeNumber, char unitLetter,
                                 CString* quantity, CString* statorType) const;
    CString FormatChannelText(BOOL withQuantity, int channel, CString* quantity,
                              CString* statorType) const;
    // " 0,05 %" for a valid uncertainty (above 0, below 5), else "n.a.".
    static CString UncertaintyText(BOOL valid, double percent, int languageOffset);
    static CString AccuracyText(int code, int languageOffset);
    static CString PulsesText(DWORD pulses);
    // "%d", or "n.a." for serial number 0 (none).
    static CString SerialNumberText(DWORD serial);

    int m_iRefreshOnShow = 0;
    SensorRecord m_aShownRecord[COM_MAX_SENSORS] = {};
    BOOL m_bAskBeforeChange[4] = {};

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnPaint();
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT_PTR nIDEvent);
    void OnSerialChange(UINT nID);
    void OnSerialKillFocus(UINT nID);
    DECLARE_MESSAGE_MAP()

  private:
    PageHost* Host();
    // The sensors' records differ from the ones last shown (a restart after an adjustment or
    // its deletion, an uncertainty written): the page is refilled when it shows.
    bool ShownRecordsAreStale() const;
    void Layout();
    void LayoutCheck();
    bool IsMulti() const;
    bool IsCurrentPortOpen() const;
    bool ChannelBDue() const;
    void ShowItem(int id, bool show);
    void SetText(int id, const CString& text);
    BOOL SetLabelTexts();
    void FillSingleSensor();
    void FillEncoder();
    void ShowNoSensor();
    void ApplyVisibility(bool multiLayout, bool encoder);
    void FillLists();
    CString RangeText(const SensorRecord& record, int channel, int view) const;
    CString UncertaintyOf(int sensor, BOOL channelA) const;
    CString DateText(int day, int month, int year) const;
    // The serial edits: index 0/1 the channels of one sensor, 2..5 the sensors 1..4.
    CMyEdit& EditOf(int channel, bool multi);
    BOOL FillSerialEdit(int channel);
    void HandOverSerial(int channel);
    // Marked serial texts are written now rather than when the 1000 ms after the last key end.
    void WriteMarkedSerialsSoon();
    int ChannelOfEdit(UINT nID) const;

    PageHost* m_pHost = nullptr;
    BOOL m_bFirstInit = TRUE;
    CMyEdit m_edits[kEditCount];
    int m_aiSelStart[4] = {};
    int m_aiSelEnd[4] = {};
    CListCtrl m_lists[4];
};
