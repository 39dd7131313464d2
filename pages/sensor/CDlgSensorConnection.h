// The sensor connection page (template 133): every serial port of the PC with the sensor behind
// it, which port is open, the baud rates, the refresh of the search and its USB-only choice. The
// page owns no port: the table and the dialogue are the engine's; the page draws the table and
// asks the engine to open, close, rebuild and write. Its files: this one (set-up, layout,
// texts, showing, timers), ConnectionPortList.cpp (the rows), ConnectionRefresh.cpp (Update and
// the check boxes), ConnectionActivation.cpp (opening and closing a row), ConnectionBaudrate.cpp
// (baud-rate changes) and ConnectionSelection.cpp (clicks, keys and the Config button).
#pragma once

#include <array>
#include <map>
#include <vector>

#include "controls/list/CXListCtrl.h"
#include "pages/common/PageDialog.h"
#include "pages/common/PageLinks.h"
#include "pages/sensor/PortRowTexts.h"
#include "platform/framework/Controls.h"

class PageHost;
struct SensorEntry;

class CDlgSensorConnection : public CPageDialog, public IConnectionPageLink {
    DECLARE_DYNAMIC(CDlgSensorConnection)
  public:
    enum { IDD = 133 };
    static constexpr int IDC_GROUP_BOX = 1078;
    static constexpr int IDC_PORT_LIST = 1076;
    static constexpr int IDC_UPDATE_BUTTON = 1080;
    static constexpr int IDC_CONFIG_BUTTON = 1480;
    static constexpr int IDC_ONLY_PREVIOUSLY_AVAILABLE = 1355;
    static constexpr int IDC_ONLY_USB = 1484;
    static constexpr int IDC_WITHOUT_MULTIPORT_DETECTION = 1429;

    static constexpr UINT TIMER_CONFIG_FOCUS = 1;
    static constexpr UINT TIMER_PLACE_CONFIG = 2;
    static constexpr UINT TIMER_PAGE_REFRESH = 3;
    static constexpr UINT TIMER_SHOW_CONFIG = 4;
    static constexpr UINT TIMER_BAUD_REFUSED = 5;
    static constexpr UINT TIMER_BAUD_MULTIPORT_WRITE = 6;
    static constexpr UINT TIMER_BAUD_MULTIPORT_WAIT = 7;
    static constexpr UINT TIMER_SEARCH_AFTER_UPDATE = 8;
    // An Update asked for while the page was busy, tried again until it can run.
    static constexpr UINT TIMER_UPDATE_WHEN_FREE = 9;
    static constexpr UINT WM_PORT_ACTIVATED = WM_USER + 272;

    enum Column {
        COL_INTERFACE,
        COL_ENABLING,
        COL_BAUDRATE,
        COL_ADDRESS,
        COL_SERIAL,
        COL_RANGE,
        COL_STATE,
        COL_TYPE,
        COLUMN_COUNT
    };

    // The four group colours: a row whose first cell has one belongs to that group.
    static constexpr COLORREF kGroupColours[4] = {RGB(176, 226, 255), RGB(187, 255, 255),
                                                  RGB(127, 255, 212), RGB(193, 255, 193)};

    CDlgSensorConnection() = default;
    ~CDlgSensorConnection() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL SetLanguageTexts() override;
    // Lays the controls out again for the view's size.
    void LayoutControls();
    BOOL ResetColumns();
    // 2 after a device change (acts as off), else the only-previously-available mode.
    void SetUpdateState(int state) { m_iUpdateState = state; }

    // ---- The rows ----
    void FillPortRow(const CString& displayName, int row, int state, DWORD serialNumber,
                     COLORREF background);
    BOOL RebuildPortList(int mode);
    void UpdatePortStates(int row, BOOL keep);
    void SetEnablingOfAllPorts(int flag);
    void SetCheckboxCellsOk();
    void SetPortRowStateAndSerial(int row, const CString& stateText, const CString& serialText);
    int CountSensorPorts() const;
    // The group (0..3) of a row by its first cell's colour, -1 for none.
    int GroupOfRow(int row);

    // ---- Refresh ----
    // The Update button: refreshes the port table; refused while an activation or a baud change
    // still works on a port.
    void UpdatePortList();
    void OnPortRefreshDone();
    void EnableUpdateButton(BOOL enable);
    BOOL IsUpdateRefused() const;
    void OnSearchAfterUpdateTimer();
    // The device's first sensor stays open as the one sensor; its other ports are released.
    void KeepFirstSensorAlone();

    // ---- Activation and baud rates ----
    void ActivatePortRow(int row, int mode);
    int GetSelectedRow() const { return m_iSelectedRow; }
    CString GetBaudrateCellText(int row) const;
    void SetBaudrateCellText(int row, const CString& text);
    // "115,2k" 9, "230,4k" 16; -1 (after its message) for any other text: no caller writes a
    // rate it does not know.
    int BaudrateCodeFromCellText(const CString& text);
    static int BaudrateFromCode(int code);
    // The rate of the cell text, -1 (after the message) for an unknown text.
    int BaudrateFromCellText(const CString& text);
    // The choice index of a rate; 0 after its message for a rate it does not know.
    int BaudrateArrayIndex(int rate);
    void SetXPicoBaudrateForPort(int row, int rate, BOOL save);
    void ClearActivationBusy() { m_bActivationBusy = FALSE; }
    BOOL CheckSerialNumberNotShared(int row);
    void RestoreBaudrateCell(int row);
    int FindActiveRow();
    BOOL IsNoRowActive(const CString& activeText);

    // ---- The start-up search's progress in the State cells ----
    void StartRowProgress(int row) override;
    void UpdateRowProgress(int row, int percent) override;
    void EndRowProgress() override;
    int RowProgress(int row) const;

    // One line per call into the diagnostic trace.
    static void Trace(const char* format, ...);

    BOOL m_bActivationBusy = FALSE;  // an activation or a baud change waits for the sensor
    BOOL m_bUpdateEnabled = TRUE;
    BOOL m_bLanguageChanged = FALSE;
    BOOL m_bXPicoBaudNotChanged = FALSE;
    BOOL m_bShowWithoutMultiportBox = FALSE;
    // The calibration page has just separated a device's sensors: the next refresh keeps its
    // first sensor open alone instead of ending the separation.
    BOOL m_bSeparationRequested = FALSE;
    void RequestSeparation() override { m_bSeparationRequested = TRUE; }
    int m_iUpdateState = 0;
    int m_iSelectedRow = -1;
    int m_iPendingMultiportRow = -1;
    int m_iLastActivatedRow = -1;
    int m_iPortListUpdates = 0;
    int m_iLanguageOffset = 0;
    CXListCtrl m_listPorts;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnPortActivated(WPARAM wParam, LPARAM lParam);
    void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDblClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnHeaderBeginTrack(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnComboSelection(WPARAM wParam, LPARAM lParam);
    LRESULT OnCheckbox(WPARAM wParam, LPARAM lParam);
    LRESULT OnEditEnd(WPARAM wParam, LPARAM lParam);
    void OnConfig();
    void OnOnlyPreviouslyAvailable();
    void OnOnlyUsb();
    void OnWithoutMultiportDetection();
    DECLARE_MESSAGE_MAP()

  private:
    void SetUpColumns();
    void FillAvailableRowCells(int row, const SensorEntry& entry, COLORREF background);
    CString RangeText(const SensorEntry& entry) const;
    CString TypeText(const SensorEntry& entry) const;
    void EnableRefreshControls(BOOL enable);
    void CloseOpenRow(int row, BOOL groupRow);
    void CloseRowCutFromItsLine(int row);
    // IDS_THE_COM_INTERFACE, the row's port in quotes, IDS_CANNOT_BE_ACTIVATED: the port is busy or
    // cannot take a sensor.
    void ShowCannotActivate(int row);
    void PlaceConfigButton();
    void OnBaudRefusedTimer();
    void OnMultiportWriteTimer();
    void OnMultiportWaitTimer();
    CString BaudChangeFailureText() const;
    BOOL CheckXPicoOfRow(int row);
    BOOL TestEchoIP(int row, BOOL retry);
    CString PortNameOfRow(int row);
    CString StateTextOfRow(int row);
    // The search's progress bars in the State cells again after the rows were written anew.
    void ShowRowProgressAgain();

    PageHost* m_pHost = nullptr;
    BOOL m_bFirstInit = TRUE;
    CStringArray m_aBaudChoices[256];
    std::map<int, int> m_rowProgress;  // rows showing the search's progress, with their values
    int m_iMultiportWaitMs = 0;
    int m_iMultiportOldCode = 9;
    BOOL m_bBaudWriteBack = FALSE;  // the old rate goes back to the ports that took the new one
    int m_iBaudWrittenBeforeWriteBack = 0;
    // The ports that took the new rate and have not had the old one written back.
    std::vector<CString> m_astrPortsAtNewRate;
    BOOL m_bPendingContinuation = FALSE;
    CString m_strPendingPortName;
    int m_iLastMessageRow = -1;
    LPARAM m_lLastMessageParam = 0;
    BOOL m_bLastSelectionIsGroup = FALSE;
    BOOL m_bHeaderImagesSet = FALSE;
    CButton m_checkOnlyPreviouslyAvailable;
    CButton m_checkOnlyUsb;
    CButton m_checkWithoutMultiport;
    CButton m_buttonUpdate;
    CButton m_buttonConfig;
    CWnd m_groupBox;
};
