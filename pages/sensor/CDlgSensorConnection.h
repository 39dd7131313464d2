// The sensor connection page (template 133): the list of ports and sensors, their activation and
// baud rates. It answers the main frame and the sensor dialogue; until its list is built it shows
// nothing and accepts every call.
#pragma once

#include <map>

#include "app/PageDialog.h"

class CDlgSensorConnection : public CPageDialog {
    DECLARE_DYNAMIC(CDlgSensorConnection)
  public:
    enum { IDD = 133 };
    static constexpr int IDC_UPDATE_BUTTON = 1080;
    static constexpr UINT TIMER_PAGE_REFRESH = 3;

    CDlgSensorConnection() = default;

    BOOL SetLanguageTexts() override { return TRUE; }
    // Lays the controls out again for the page's size.
    void LayoutControls() {}
    // 2: the port list is being updated after a device change.
    void SetUpdateState(int state) { m_iUpdateState = state; }
    // Rebuilds the port list; the refresh ends the wait cursor of a device change.
    void UpdatePortList();
    void ActivatePortRow(int row, int mode) {
        (void)row;
        (void)mode;
    }
    int GetSelectedRow() const { return m_iSelectedRow; }
    // The text of the row's baud-rate cell.
    CString GetBaudrateCellText(int row) const {
        (void)row;
        return m_strBaudCell;
    }
    void SetBaudrateCellText(int row, const CString& text) {
        (void)row;
        m_strBaudCell = text;
    }
    // "115,2k" 9, "230,4k" 16; -1 (after its message) for any other text: no caller writes a
    // rate it does not know.
    int BaudrateCodeFromCellText(const CString& text);
    static int BaudrateFromCode(int code);
    // The rate of the cell text, -1 (after the message) for an unknown text.
    int BaudrateFromCellText(const CString& text);
    void UpdatePortStates(int row, BOOL keep) {
        (void)row;
        (void)keep;
    }
    void EnableUpdateButton(BOOL enable) { m_bUpdateEnabled = enable; }

    // The calls of the sensor dialogue.
    void FillPortRow(const CString&, int, int, DWORD, COLORREF) {}
    void RebuildPortList(int) {}
    void SetEnablingOfAllPorts(int) {}
    void SetCheckboxCellsOk() {}
    void OnPortRefreshDone() {}
    void SetXPicoBaudrateForPort(int, int, BOOL) {}
    void SetPortRowStateAndSerial(int, const CString&, const CString&) {}
    void ClearActivationBusy() { m_bActivationBusy = FALSE; }

    // The start-up search's progress in the State cells: a bar in the row being probed, its
    // value, and the end of the bars. Rows the list does not hold are left alone.
    void StartRowProgress(int row);
    void UpdateRowProgress(int row, int percent);
    void EndRowProgress();
    int RowProgress(int row) const;

    int m_iUpdateState = 0;
    int m_iSelectedRow = -1;
    BOOL m_bActivationBusy = FALSE;  // an activation or a baud change waits for the sensor
    BOOL m_bUpdateEnabled = TRUE;
    CString m_strBaudCell;
    int m_iPortListUpdates = 0;

  private:
    static constexpr int kNoProgress = -1;
    // The rows that show a progress bar, with their values, until the list draws them itself.
    std::map<int, int> m_rowProgress;
};
