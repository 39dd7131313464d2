// The information page as a window: first initialisation, showing, its three timers and the
// layout that follows the view's size and the number of sensors behind the port.
#include "pages/sensor/CDlgSensorInformationPkr.h"

#include <cstring>

#include "pages/common/PageHost.h"
#include "pages/common/PageLinks.h"
#include "protocol/Protocol.h"

IMPLEMENT_DYNAMIC(CDlgSensorInformationPkr, CPageDialog)

BEGIN_MESSAGE_MAP(CDlgSensorInformationPkr, CPageDialog)
ON_WM_PAINT()
ON_WM_SHOWWINDOW()
ON_WM_TIMER()
ON_CONTROL_RANGE(0x0300, 1395, 1398, &CDlgSensorInformationPkr::OnSerialChange)
ON_CONTROL_RANGE(0x0300, 1472, 1472, &CDlgSensorInformationPkr::OnSerialChange)
ON_CONTROL_RANGE(0x0300, 1474, 1474, &CDlgSensorInformationPkr::OnSerialChange)
ON_CONTROL_RANGE(0x0200, 1395, 1398, &CDlgSensorInformationPkr::OnSerialKillFocus)
ON_CONTROL_RANGE(0x0200, 1472, 1472, &CDlgSensorInformationPkr::OnSerialKillFocus)
ON_CONTROL_RANGE(0x0200, 1474, 1474, &CDlgSensorInformationPkr::OnSerialKillFocus)
END_MESSAGE_MAP()

namespace {

constexpr int kEditIds[CDlgSensorInformationPkr::kEditCount] = {1472, 1474, 1395, 1396, 1397, 1398};
constexpr int kListIds[4] = {1356, 1357, 1358, 1360};

}  // namespace

CDlgSensorInformationPkr::~CDlgSensorInformationPkr() {
    // The view deletes its pages while their windows are on the way out: the controls get their
    // own window procedures back, so that they free what they hold when they go.
    for (CWnd* control : {static_cast<CWnd*>(&m_edits[0]), static_cast<CWnd*>(&m_edits[1]),
                          static_cast<CWnd*>(&m_edits[2]), static_cast<CWnd*>(&m_edits[3]),
                          static_cast<CWnd*>(&m_edits[4]), static_cast<CWnd*>(&m_edits[5]),
                          static_cast<CWnd*>(&m_lists[0]), static_cast<CWnd*>(&m_lists[1]),
                          static_cast<CWnd*>(&m_lists[2]), static_cast<CWnd*>(&m_lists[3])}) {
        if (control->m_hWnd != nullptr)
            control->UnsubclassWindow();
    }
}

void CDlgSensorInformationPkr::DoDataExchange(CDataExchange* pDX) {
    CPageDialog::DoDataExchange(pDX);
    for (int i = 0; i < kEditCount; ++i)
        DDX_Control(pDX, kEditIds[i], m_edits[i]);
    for (int i = 0; i < 4; ++i)
        DDX_Control(pDX, kListIds[i], m_lists[i]);
}

PageHost* CDlgSensorInformationPkr::Host() {
    if (m_pHost == nullptr)
        m_pHost = GetPageHost();
    return m_pHost;
}

BOOL CDlgSensorInformationPkr::OnInitDialog() {
    CPageDialog::OnInitDialog();
    if (!m_bFirstInit)
        return TRUE;
    Host();
    for (int i = 0; i < 3; ++i) {
        m_lists[i].SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
        m_lists[i].ModifyStyle(0, LVS_NOSCROLL | LVS_SHOWSELALWAYS);
    }
    m_lists[3].SetExtendedStyle(LVS_EX_GRIDLINES);
    m_lists[3].ModifyStyle(0, LVS_NOSCROLL | LVS_SINGLESEL);
    if (m_pHost != nullptr && !m_pHost->IsStartUpPending())
        Layout();
    // French is held as 4000 by the frame: the edits follow its offset member.
    int* language = m_pHost != nullptr ? m_pHost->LanguageOffsetVariable() : nullptr;
    for (CMyEdit& edit : m_edits) {
        edit.SetMaxTextLength(6);
        edit.SetInputParameters(tarvik::kSerialTextAlphabet, 0, 1000, 4000, 3000, language, false,
                                nullptr, false);
        edit.LockChangeDetection();
    }
    for (BOOL& ask : m_bAskBeforeChange)
        ask = FALSE;
    m_bFirstInit = FALSE;
    return TRUE;
}

void CDlgSensorInformationPkr::Layout() {
    const CRect client = HostClientRect(m_pHost);
    MoveWindow(0, 0, client.Width(), client.Height());
    const int width = client.Width() < 494 ? 475 : client.Width() - 19;
    const int height = client.Height() < 452 ? 437 : client.Height() - 15;
    if (CWnd* group = GetDlgItem(IDC_OUTER_GROUP))
        group->MoveWindow(10, 5, width, height);
}

void CDlgSensorInformationPkr::OnPaint() {
    CPageDialog::OnPaint();
    if (IsWindowVisible() && Host() != nullptr && !m_pHost->IsStartUpPending())
        Layout();
}

void CDlgSensorInformationPkr::OnShowWindow(BOOL bShow, UINT nStatus) {
    CPageDialog::OnShowWindow(bShow, nStatus);
    if (!bShow) {
        KillTimer(TIMER_LAYOUT_CHECK);
        KillTimer(TIMER_DIALOGUE_REST);
        // A serial text typed just before leaving is written now, not lost with the page.
        WriteMarkedSerialsSoon();
        return;
    }
    if (Host() == nullptr || m_pHost->IsStartUpPending())
        return;
    if (IMeasurePanelLink* measure = m_pHost->MeasurePanel())
        measure->OnBnClickedStop();
    if (m_iRefreshOnShow == 1 || ShownRecordsAreStale()) {
        UpdateSensorInformation(TRUE);
        m_iRefreshOnShow = 0;
    }
    // The layout is checked every second while the page is shown, after a refresh too: a
    // refill on show would otherwise leave the check off until the page is shown again.
    SetTimer(TIMER_LAYOUT_CHECK, 1000, nullptr);
}

bool CDlgSensorInformationPkr::ShownRecordsAreStale() const {
    return m_pHost != nullptr && std::memcmp(m_aShownRecord, m_pHost->Dialogue().m_aSensorRecord,
                                             sizeof m_aShownRecord) != 0;
}

void CDlgSensorInformationPkr::OnTimer(UINT_PTR nIDEvent) {
    KillTimer(nIDEvent);
    if (nIDEvent == TIMER_REFRESH) {
        UpdateSensorInformation(TRUE);
    } else if (nIDEvent == TIMER_DIALOGUE_REST) {
        if (Host() != nullptr && m_pHost->Dialogue().COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE)
            ShowItem(IDC_SERIAL_A, true);
        else
            SetTimer(TIMER_DIALOGUE_REST, 250, nullptr);
    } else if (nIDEvent == TIMER_LAYOUT_CHECK) {
        LayoutCheck();
        SetTimer(TIMER_LAYOUT_CHECK, 1000, nullptr);
    }
}

void CDlgSensorInformationPkr::LayoutCheck() {
    if (Host() == nullptr)
        return;
    const bool multi = IsMulti();
    const bool open = IsCurrentPortOpen();
    CWnd* identification = GetDlgItem(1399);
    CWnd* groupB = GetDlgItem(1077);
    const bool refresh =
        (multi && open && identification != nullptr && !identification->IsWindowVisible()) ||
        (multi && !open) ||
        (!multi && groupB != nullptr && (groupB->IsWindowVisible() != FALSE) != ChannelBDue());
    if (!refresh)
        return;
    for (CMyEdit& edit : m_edits)
        edit.LockChangeDetection();
    UpdateSensorInformation(FALSE);
}

bool CDlgSensorInformationPkr::IsMulti() const {
    return m_pHost != nullptr && m_pHost->Dialogue().m_iNumberOfSensors > 1;
}

bool CDlgSensorInformationPkr::IsCurrentPortOpen() const {
    if (m_pHost == nullptr)
        return false;
    const int row = m_pHost->Dialogue().m_iCurrentRow;
    return row >= 0 && row < COM_MAX_PORTS &&
           m_pHost->Dialogue().m_aEntries[row].iState == PORT_STATE_OPEN;
}

bool CDlgSensorInformationPkr::ChannelBDue() const {
    if (m_pHost == nullptr)
        return false;
    const SensorRecord& record = m_pHost->Dialogue().m_aSensorRecord[0];
    const int stator = record.ucStatorId;
    return stator == 4 || stator == 6 || (stator == 5 && record.ucDeviceKind == 0);
}

void CDlgSensorInformationPkr::ShowItem(int id, bool show) {
    if (CWnd* item = GetDlgItem(id))
        item->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CDlgSensorInformationPkr::SetText(int id, const CString& text) {
    SetDlgItemText(id, text);
}
