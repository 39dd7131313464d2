// The connection page's frame: its controls, the list's columns, the layout that follows the
// view's size, the texts of the current language, what happens when the page is shown, and the
// page's one-shot timers.
#include "pages/sensor/CDlgSensorConnection.h"

#include <cstdarg>
#include <cstdio>

#include "foundation/DiagnosticTrace.h"
#include "foundation/Language.h"
#include "pages/common/PageHost.h"
#include "pages/common/PageLinks.h"
#include "pages/sensor/PortRowTexts.h"
#include "res/TextIds.h"

namespace {

constexpr int kColumnTitles[CDlgSensorConnection::COLUMN_COUNT] = {
    IDS_INTERFACE,     IDS_ENABLING,          IDS_BAUD_RATE, IDS_ADDRESS,
    IDS_SERIAL_NUMBER, IDS_UPPER_RANGE_VALUE, IDS_STATE,     IDS_SENSOR_TYPE};
constexpr int kColumnFormats[CDlgSensorConnection::COLUMN_COUNT] = {
    LVCFMT_LEFT, LVCFMT_CENTER, LVCFMT_LEFT,   LVCFMT_LEFT,
    LVCFMT_LEFT, LVCFMT_RIGHT,  LVCFMT_CENTER, LVCFMT_CENTER};
constexpr int kInitialWidths[CDlgSensorConnection::COLUMN_COUNT] = {2, 4, 4, 4, 6, 8, 12, 10};
constexpr UINT kCheckBoxBitmap = 203;
constexpr int kCheckBoxImageSize = 13;
constexpr COLORREF kCheckBoxMask = RGB(255, 0, 255);
constexpr int kMinimumGroupSize = 350;
constexpr int kTraceLimit = 1999;

bool IsFrench(int offset) {
    return offset == LANGUAGE_FRENCH_OLD || offset == LANGUAGE_FRENCH;
}

}  // namespace

IMPLEMENT_DYNAMIC(CDlgSensorConnection, CPageDialog)

BEGIN_MESSAGE_MAP(CDlgSensorConnection, CPageDialog)
ON_WM_SHOWWINDOW()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_WM_SIZE()
ON_BN_CLICKED(CDlgSensorConnection::IDC_UPDATE_BUTTON, &CDlgSensorConnection::UpdatePortList)
ON_BN_CLICKED(CDlgSensorConnection::IDC_CONFIG_BUTTON, &CDlgSensorConnection::OnConfig)
ON_BN_CLICKED(CDlgSensorConnection::IDC_ONLY_PREVIOUSLY_AVAILABLE,
              &CDlgSensorConnection::OnOnlyPreviouslyAvailable)
ON_BN_CLICKED(CDlgSensorConnection::IDC_ONLY_USB, &CDlgSensorConnection::OnOnlyUsb)
ON_BN_CLICKED(CDlgSensorConnection::IDC_WITHOUT_MULTIPORT_DETECTION,
              &CDlgSensorConnection::OnWithoutMultiportDetection)
ON_MESSAGE(CDlgSensorConnection::WM_PORT_ACTIVATED, &CDlgSensorConnection::OnPortActivated)
ON_NOTIFY(NM_CLICK, CDlgSensorConnection::IDC_PORT_LIST, &CDlgSensorConnection::OnClick)
ON_NOTIFY(NM_DBLCLK, CDlgSensorConnection::IDC_PORT_LIST, &CDlgSensorConnection::OnDblClick)
ON_NOTIFY(LVN_COLUMNCLICK, CDlgSensorConnection::IDC_PORT_LIST,
          &CDlgSensorConnection::OnColumnClick)
ON_NOTIFY(LVN_ITEMCHANGED, CDlgSensorConnection::IDC_PORT_LIST,
          &CDlgSensorConnection::OnItemChanged)
ON_NOTIFY(HDN_BEGINTRACK, 0, &CDlgSensorConnection::OnHeaderBeginTrack)
ON_REGISTERED_MESSAGE(WM_XLISTCTRL_COMBO_SELECTION, &CDlgSensorConnection::OnComboSelection)
ON_REGISTERED_MESSAGE(WM_XLISTCTRL_CHECKBOX_CLICKED, &CDlgSensorConnection::OnCheckbox)
ON_REGISTERED_MESSAGE(WM_XLISTCTRL_EDIT_END, &CDlgSensorConnection::OnEditEnd)
END_MESSAGE_MAP()

CDlgSensorConnection::~CDlgSensorConnection() {
    // The view deletes its pages while their windows are already on the way out, so the
    // controls' windows outlive these objects: the list gives back its cell records and the
    // controls get their own window procedures back.
    if (m_listPorts.m_hWnd != nullptr)
        m_listPorts.DeleteAllItems();
    for (CWnd* control :
         {static_cast<CWnd*>(&m_listPorts.m_HeaderCtrl), static_cast<CWnd*>(&m_listPorts),
          static_cast<CWnd*>(&m_groupBox), static_cast<CWnd*>(&m_buttonUpdate),
          static_cast<CWnd*>(&m_buttonConfig), static_cast<CWnd*>(&m_checkOnlyPreviouslyAvailable),
          static_cast<CWnd*>(&m_checkOnlyUsb), static_cast<CWnd*>(&m_checkWithoutMultiport)}) {
        if (control->m_hWnd != nullptr)
            control->UnsubclassWindow();
    }
}

void CDlgSensorConnection::DoDataExchange(CDataExchange* pDX) {
    CPageDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GROUP_BOX, m_groupBox);
    DDX_Control(pDX, IDC_PORT_LIST, m_listPorts);
    DDX_Control(pDX, IDC_UPDATE_BUTTON, m_buttonUpdate);
    DDX_Control(pDX, IDC_ONLY_PREVIOUSLY_AVAILABLE, m_checkOnlyPreviouslyAvailable);
    DDX_Control(pDX, IDC_ONLY_USB, m_checkOnlyUsb);
    DDX_Control(pDX, IDC_CONFIG_BUTTON, m_buttonConfig);
    DDX_Control(pDX, IDC_WITHOUT_MULTIPORT_DETECTION, m_checkWithoutMultiport);
}

BOOL CDlgSensorConnection::OnInitDialog() {
    CPageDialog::OnInitDialog();
    SetUpColumns();
    return TRUE;
}

void CDlgSensorConnection::SetUpColumns() {
    if (!m_bFirstInit || m_listPorts.m_hWnd == nullptr)
        return;
    if (m_pHost == nullptr)
        m_pHost = GetPageHost();
    m_listPorts.SetExtendedStyle(m_listPorts.GetExtendedStyle() | LVS_EX_GRIDLINES |
                                 LVS_EX_FULLROWSELECT);
    for (int column = 0; column < COLUMN_COUNT; ++column)
        m_listPorts.InsertColumn(column, GetLanguageString(kColumnTitles[column]),
                                 kColumnFormats[column], kInitialWidths[column]);
    if (!m_bHeaderImagesSet && m_listPorts.m_cImageList.GetSafeHandle() == nullptr) {
        m_bHeaderImagesSet =
            m_listPorts.m_cImageList.Create(kCheckBoxBitmap, kCheckBoxImageSize, 1, kCheckBoxMask);
    }
    if (CHeaderCtrl* header = m_listPorts.GetHeaderCtrl()) {
        if (m_listPorts.m_cImageList.GetSafeHandle() != nullptr)
            header->SetImageList(&m_listPorts.m_cImageList);
        for (int column = 0; column < COLUMN_COUNT; ++column)
            m_listPorts.SetHeaderCheckedState(column, column == COL_ENABLING ? 1 : 0);
    }
    // The first column takes its alignment only when it is set again after the insertion.
    for (int column = 0; column < COLUMN_COUNT; ++column) {
        LVCOLUMN lvc{};
        lvc.mask = LVCF_FMT;
        lvc.fmt = kColumnFormats[column];
        m_listPorts.SetColumn(column, &lvc);
    }
    if (m_pHost == nullptr || !m_pHost->IsStartUpPending())
        LayoutControls();
    m_bFirstInit = FALSE;
}

BOOL CDlgSensorConnection::ResetColumns() {
    if (m_listPorts.m_hWnd == nullptr)
        return FALSE;
    m_listPorts.DeleteAllItems();
    BOOL all = TRUE;
    for (int column = COLUMN_COUNT - 1; column >= 0; --column)
        all &= m_listPorts.DeleteColumn(column);
    m_bFirstInit = TRUE;
    SetUpColumns();
    return all;
}

BOOL CDlgSensorConnection::SetLanguageTexts() {
    if (m_hWnd == nullptr)
        return TRUE;
    if (m_pHost == nullptr)
        m_pHost = GetPageHost();
    const int offset = m_pHost != nullptr ? m_pHost->GetLanguageOffset() : 0;
    // The rows' states and types were written in the language before: a page on show writes
    // them again at once, a hidden one when it is next shown.
    if (offset != m_iLanguageOffset)
        m_bLanguageChanged = TRUE;
    m_iLanguageOffset = offset;
    // In German and English the check boxes' captions keep a blank from their box.
    const CString lead = IsFrench(m_iLanguageOffset) ? "" : " ";
    SetDlgItemText(IDC_GROUP_BOX, GetLanguageString(IDS_NAVI_CONNECTION));
    SetDlgItemText(IDC_UPDATE_BUTTON, GetLanguageString(IDS_UPDATE));
    SetDlgItemText(IDC_ONLY_USB, lead + GetLanguageString(IDS_ONLY_USB));
    SetDlgItemText(IDC_ONLY_PREVIOUSLY_AVAILABLE, GetLanguageString(IDS_ONLY_PREVIOUSLY_AVAILABLE));
    SetDlgItemText(IDC_WITHOUT_MULTIPORT_DETECTION,
                   lead + GetLanguageString(IDS_WITHOUT_MULTIPORT_DETECTION));
    if (CHeaderCtrl* header = m_listPorts.m_hWnd ? m_listPorts.GetHeaderCtrl() : nullptr) {
        for (int column = 0; column < COLUMN_COUNT && column < header->GetItemCount(); ++column) {
            CString title = GetLanguageString(kColumnTitles[column]);
            LVCOLUMN lvc{};
            lvc.mask = LVCF_TEXT;
            lvc.pszText = const_cast<char*>(title.GetString());
            m_listPorts.SetColumn(column, &lvc);
        }
    }
    // While the page shows itself it rebuilds the rows anyway (the window is not yet visible).
    if (m_bLanguageChanged && (GetStyle() & WS_VISIBLE) != 0 && m_pHost != nullptr &&
        !m_pHost->IsStartUpPending()) {
        m_bLanguageChanged = FALSE;
        RebuildPortList(2);
        ShowRowProgressAgain();
    }
    RepaintAfterNewTexts(this);
    return TRUE;
}

void CDlgSensorConnection::LayoutControls() {
    if (m_hWnd == nullptr || m_listPorts.m_hWnd == nullptr)
        return;
    PageHost* frame = m_pHost != nullptr ? m_pHost : GetPageHost();
    const CRect client = HostClientRect(frame);
    m_listPorts.SetRedraw(FALSE);
    MoveWindow(0, 0, client.Width(), client.Height());

    const int groupX = client.left + 10;
    const int groupY = client.top + 5;
    const int groupWidth = client.Width() < 369 ? kMinimumGroupSize : client.Width() - 19;
    const int groupHeight = client.Height() < 365 ? kMinimumGroupSize : client.Height() - 15;
    m_groupBox.MoveWindow(groupX, groupY, groupWidth, groupHeight);

    const int listX = groupX + 10;
    const int listY = client.top + 25;
    const int listWidth = groupWidth - 20;
    const int listHeight = groupHeight - 65 - (m_bShowWithoutMultiportBox ? 23 : 0);
    m_listPorts.MoveWindow(listX, listY, listWidth, listHeight);
    const auto widths = PortListColumnWidths(listWidth);
    for (int column = 0; column < COLUMN_COUNT; ++column)
        m_listPorts.SetColumnWidth(column, widths[static_cast<size_t>(column)]);

    CRect usbRect;
    CRect previousRect;
    CRect multiportRect;
    m_checkOnlyUsb.GetWindowRect(&usbRect);
    m_checkOnlyPreviouslyAvailable.GetWindowRect(&previousRect);
    m_checkWithoutMultiport.GetWindowRect(&multiportRect);
    const int multiportWidth = m_bShowWithoutMultiportBox ? multiportRect.Width() + 25 : 0;
    const int checkWidth = std::max(multiportWidth, usbRect.Width() + previousRect.Width());
    const int rowY = listY + listHeight + (m_bShowWithoutMultiportBox ? 33 : 10);
    m_buttonUpdate.MoveWindow(listX, rowY, UpdateButtonWidth(listWidth, checkWidth), 23);
    const int boxX = listX + listWidth - checkWidth - 1;
    m_checkOnlyUsb.MoveWindow(boxX, rowY - 3, usbRect.Width(), 27);
    m_checkOnlyPreviouslyAvailable.MoveWindow(boxX + usbRect.Width(), rowY - 3,
                                              previousRect.Width(), 27);
    m_checkWithoutMultiport.ShowWindow(m_bShowWithoutMultiportBox ? SW_SHOW : SW_HIDE);
    if (m_bShowWithoutMultiportBox)
        m_checkWithoutMultiport.MoveWindow(listX + listWidth - checkWidth - 4, rowY - 27,
                                           multiportWidth + 4, 23);
    m_listPorts.SetRedraw(TRUE);
    m_listPorts.Invalidate();
}

void CDlgSensorConnection::OnSize(UINT nType, int cx, int cy) {
    CPageDialog::OnSize(nType, cx, cy);
    if (m_listPorts.m_hWnd == nullptr)
        return;
    PlaceConfigButton();
    SetTimer(TIMER_PLACE_CONFIG, 200, nullptr);
}

void CDlgSensorConnection::OnShowWindow(BOOL bShow, UINT nStatus) {
    CPageDialog::OnShowWindow(bShow, nStatus);
    if (!bShow || m_pHost == nullptr || m_pHost->IsStartUpPending())
        return;
    if (IMeasurePanelLink* measure = m_pHost->MeasurePanel())
        measure->OnBnClickedStop();
    if (m_bLanguageChanged) {
        SetLanguageTexts();
        RebuildPortList(0);
        m_bLanguageChanged = FALSE;
    }
    LayoutControls();
    if (!m_pHost->Dialogue().m_bDeviceChanged)
        return;
    // Ports changed while the page was hidden: the engine closes its ports and makes its main
    // manager anew (the page never deletes a manager other pointers may still hold).
    if (m_pHost->Dialogue().m_iPortManSensorCount > 1 ||
        m_pHost->Dialogue().m_iNumberOfSensors > 1) {
        m_pHost->Commands().COM_CloseSensorPorts();
        m_pHost->Commands().COM_SelectSensor(0);
        m_pHost->Commands().COM_CreateMainPortManager(m_pHost->HostWindow().m_hWnd);
    }
    m_pHost->Commands().COM_RefreshPortTable(0, 0);
}

void CDlgSensorConnection::OnTimer(UINT_PTR nIDEvent) {
    KillTimer(nIDEvent);
    switch (nIDEvent) {
        case TIMER_CONFIG_FOCUS:
            m_buttonConfig.SetFocus();
            break;
        case TIMER_PLACE_CONFIG:
            PlaceConfigButton();
            break;
        case TIMER_PAGE_REFRESH:
            if (m_pHost != nullptr && m_pHost->Dialogue().m_bWithoutMultiportDetection) {
                m_bShowWithoutMultiportBox = TRUE;
                m_checkWithoutMultiport.SetCheck(BST_CHECKED);
                LayoutControls();
            }
            UpdatePortList();
            break;
        case TIMER_SHOW_CONFIG:
            m_buttonConfig.ShowWindow(SW_SHOW);
            // The rate cell's choices, opened by the same click, keep the focus: taking it
            // would close them before the operator can choose.
            if (m_listPorts.GetOpenCombo() == nullptr)
                m_buttonConfig.SetFocus();
            break;
        case TIMER_BAUD_REFUSED:
            OnBaudRefusedTimer();
            break;
        case TIMER_BAUD_MULTIPORT_WRITE:
            OnMultiportWriteTimer();
            break;
        case TIMER_BAUD_MULTIPORT_WAIT:
            OnMultiportWaitTimer();
            break;
        case TIMER_SEARCH_AFTER_UPDATE:
            OnSearchAfterUpdateTimer();
            break;
        case TIMER_UPDATE_WHEN_FREE:
            UpdatePortList();
            break;
        default:
            break;
    }
}

void CDlgSensorConnection::OnDestroy() {
    if (m_listPorts.m_hWnd != nullptr)
        m_listPorts.DeleteAllItems();
    CPageDialog::OnDestroy();
}

void CDlgSensorConnection::Trace(const char* format, ...) {
    char buffer[kTraceLimit + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    CString text = buffer;
    int start = 0;
    while (start <= text.GetLength()) {
        int end = text.Find("\r\n", start);
        if (end < 0)
            end = text.GetLength();
        WriteDiagnosticTrace(text.Mid(start, end - start));
        start = end + 2;
    }
}
