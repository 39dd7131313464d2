// The diagnostic page: the raw requests go through the engine, which ends each one at rest (or
// in the reopening after a restart) and reports it back through the frame; the multi-port
// detection fills the detector from the port table and shows its groups.
#include "pages/measurement/CDlgDiagnostic.h"

#include <iterator>

#include "foundation/Language.h"
#include "pages/common/PageHost.h"
#include "pages/measurement/DiagnosticTexts.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CDlgDiagnostic, CSettingsPage)

namespace {

const PageLabel kLabels[] = {{IDC_DIAG_GROUPS_LABEL, IDS_DIAG_GROUPS},
                             {IDC_DIAG_STATUS_LONG, IDS_DIAG_STATUS_LONG},
                             {IDC_DIAG_LINK_TEST, IDS_DIAG_LINK_TEST},
                             {IDC_DIAG_REPEAT, IDS_DIAG_REPEAT},
                             {IDC_DIAG_RESTART, IDS_DIAG_RESTART}};
const int kColumnTitles[CDlgDiagnostic::COLUMN_COUNT] = {IDS_DIAG_COM_PORTS, IDS_DIAG_SERIAL,
                                                         IDS_DIAG_MASTER};
const int kColumnWidths[CDlgDiagnostic::COLUMN_COUNT] = {300, 150, 120};
// Texts used by the pane only.
const int kPaneTexts[] = {IDS_DIAG_REQUEST,  IDS_DIAG_REPLY,   IDS_DIAG_NO_ANSWER,
                          IDS_DIAG_NOT_SENT, IDS_DIAG_REFUSED, IDS_DIAG_NO_GROUPS};
constexpr int kStatusFieldTexts = 15;

}  // namespace

BEGIN_MESSAGE_MAP(CDlgDiagnostic, CSettingsPage)
ON_WM_SHOWWINDOW()
ON_WM_TIMER()
ON_CONTROL_RANGE(BN_CLICKED, IDC_DIAG_STATUS_LONG, IDC_DIAG_RESTART,
                 &CDlgDiagnostic::OnRequestButton)
END_MESSAGE_MAP()

BOOL CDlgDiagnostic::OnInitDialog() {
    CSettingsPage::OnInitDialog();
    if (m_listGroups.SubclassDlgItem(IDC_DIAG_LIST, this)) {
        m_listGroups.SetExtendedStyle(m_listGroups.GetExtendedStyle() | LVS_EX_GRIDLINES |
                                      LVS_EX_FULLROWSELECT);
        for (int column = 0; column < COLUMN_COUNT; ++column)
            m_listGroups.InsertColumn(column, GetLanguageString(kColumnTitles[column]), LVCFMT_LEFT,
                                      kColumnWidths[column]);
    }
    SetLanguageTexts();
    UpdateRequestButtons();
    return TRUE;
}

BOOL CDlgDiagnostic::SetLanguageTexts() {
    BOOL all = SetLabelTexts(kLabels, std::size(kLabels));
    CString text;
    for (int id : kColumnTitles)
        all = FindLanguageString(id, text) && all;
    for (int id : kPaneTexts)
        all = FindLanguageString(id, text) && all;
    for (int field = 0; field < kStatusFieldTexts; ++field)
        all = FindLanguageString(IDS_DIAG_FIELD_FIRST + field, text) && all;
    SetColumnTitles();
    ShowGroups();
    return all;
}

void CDlgDiagnostic::SetColumnTitles() {
    CHeaderCtrl* header = m_listGroups.m_hWnd != nullptr ? m_listGroups.GetHeaderCtrl() : nullptr;
    if (header == nullptr)
        return;
    for (int column = 0; column < COLUMN_COUNT && column < header->GetItemCount(); ++column) {
        CString title = GetLanguageString(kColumnTitles[column]);
        LVCOLUMN lvc{};
        lvc.mask = LVCF_TEXT;
        lvc.pszText = const_cast<char*>(title.GetString());
        m_listGroups.SetColumn(column, &lvc);
    }
}

CDlgDiagnostic::~CDlgDiagnostic() {
    // The view deletes its pages while their windows are on the way out: the list gives back
    // its cell records, and list and header get their own window procedures back.
    if (m_listGroups.m_hWnd != nullptr)
        m_listGroups.DeleteAllItems();
    for (CWnd* control :
         {static_cast<CWnd*>(&m_listGroups.m_HeaderCtrl), static_cast<CWnd*>(&m_listGroups)}) {
        if (control->m_hWnd != nullptr)
            control->UnsubclassWindow();
    }
}

void CDlgDiagnostic::OnShowWindow(BOOL bShow, UINT nStatus) {
    CSettingsPage::OnShowWindow(bShow, nStatus);
    if (bShow) {
        UpdateRequestButtons();
        SetTimer(TIMER_BUTTONS, kButtonsPeriodMs, nullptr);
    } else {
        KillTimer(TIMER_BUTTONS);
    }
}

void CDlgDiagnostic::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == TIMER_BUTTONS)
        UpdateRequestButtons();
}

void CDlgDiagnostic::UpdateRequestButtons() {
    if (m_hWnd == nullptr)
        return;
    PageHost* frame = GetPageHost();
    const bool ready = frame != nullptr && frame->Dialogue().m_iOpenEntry >= 0 &&
                       frame->Dialogue().COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE &&
                       !frame->Dialogue().m_bRequestOutstanding && !frame->Dialogue().m_bMeasuring;
    const bool oneSensor = frame != nullptr && frame->Dialogue().m_iNumberOfSensors < 2;
    for (UINT id = IDC_DIAG_STATUS_LONG; id <= IDC_DIAG_RESTART; ++id) {
        const bool on = ready && (id != IDC_DIAG_RESTART || oneSensor);
        if (CWnd* button = GetDlgItem(static_cast<int>(id)))
            button->EnableWindow(on ? TRUE : FALSE);
    }
}

void CDlgDiagnostic::OnRequestButton(UINT id) {
    SendRequest(static_cast<int>(id - IDC_DIAG_STATUS_LONG));
}

void CDlgDiagnostic::SendRequest(int kind) {
    PageHost* frame = GetPageHost();
    if (frame == nullptr || !frame->Commands().COM_SendDiagnosticRequest(kind)) {
        ShowPane(GetLanguageString(IDS_DIAG_NOT_SENT));
        return;
    }
    UpdateRequestButtons();
}

void CDlgDiagnostic::OnDiagnosticReply(int kind, const CString& frame, BOOL answered) {
    (void)kind;
    PageHost* mainFrame = GetPageHost();
    const CString request =
        mainFrame != nullptr ? mainFrame->Dialogue().m_strDiagnosticRequest : CString();
    ShowPane(DescribeDiagnosticExchange(request, frame, answered));
    UpdateRequestButtons();
}

void CDlgDiagnostic::ShowPane(const CString& text) {
    m_strPane = text;
    if (m_hWnd != nullptr)
        SetDlgItemText(IDC_DIAG_BYTES, text);
}

void CDlgDiagnostic::StartMultiportDetection() {
    PageHost* frame = GetPageHost();
    m_detector.Clear();
    if (frame == nullptr)
        return;
    m_detector.AddCandidates(frame->Dialogue().m_aEntries, COM_MAX_PORTS);
    m_detector.Detect();
    ShowGroups();
    frame->HostWindow().SetTimer(PageHost::TIMER_MULTIPORT_EVALUATION, 20, nullptr);
}

std::vector<CMultiportGroup> CDlgDiagnostic::GetMultiportResult() const {
    std::vector<CMultiportGroup> groups;
    for (int i = 0; i < m_detector.GetResultCount(); ++i)
        groups.push_back(m_detector.GetResult(i));
    return groups;
}

void CDlgDiagnostic::ShowGroups() {
    if (m_hWnd == nullptr)
        return;
    // The list paints once, after the page: a cell that painted itself at once while the page
    // still owed its own painting would be painted over by it.
    const bool list = m_listGroups.m_hWnd != nullptr;
    if (list) {
        m_listGroups.SetRedraw(FALSE);
        m_listGroups.DeleteAllItems();
    }
    CString text;
    int row = 0;
    for (const CMultiportGroup& group : GetMultiportResult()) {
        CString ports;
        for (const CString& com : group.comNumbers)
            ports += (ports.IsEmpty() ? "COM" : " COM") + com;
        CString serial;
        serial.Format("%lu", static_cast<unsigned long>(group.dwSerialNumber));
        const CString master =
            group.strMasterComNumber.IsEmpty() ? CString() : "COM" + group.strMasterComNumber;
        if (list) {
            m_listGroups.InsertItem(row, ports);
            m_listGroups.SetItemText(row, COL_SERIAL, serial);
            m_listGroups.SetItemText(row, COL_MASTER, master);
        }
        ++row;
        CString line = serial + ": " + ports;
        if (!master.IsEmpty())
            line += " (" + GetLanguageString(IDS_DIAG_MASTER) + " " + master + ")";
        text += line + "\n";
    }
    if (list) {
        m_listGroups.SetRedraw(TRUE);
        m_listGroups.Invalidate();
    }
    if (text.IsEmpty())
        text = GetLanguageString(IDS_DIAG_NO_GROUPS);
    SetDlgItemText(IDC_DIAG_GROUPS, text);
}
