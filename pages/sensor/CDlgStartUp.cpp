// The start-up window as the user sees it: white, a search text, a bar that moves quickly at
// first and slows towards the end, and after a search without a sensor the offer to search
// again, to read about the program or to quit. Escape never closes it.
#include "pages/sensor/CDlgStartUp.h"

#include "foundation/Language.h"
#include "foundation/PortText.h"
#include "foundation/SharedConstants.h"
#include "pages/common/PageHost.h"
#include "pages/common/PageLinks.h"
#include "platform/framework/MessageBox.h"
#include "res/TextIds.h"
#include "sensor/ComPortTimerIds.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kPictureStatic = 1244;
constexpr UINT kPictureBitmap = 140;
constexpr int kPictureFitStretched = 3;
constexpr int kWindowX = 50;
constexpr int kWindowY = 300;
constexpr const char* kCaption = "KQ7-B Brevan S.A.S.";
// The search-all-ports box says what it does.
// The dialog's own background among the colour requests (they count from the message box's).
constexpr UINT kCtlColorDialog = WM_CTLCOLORDLG - WM_CTLCOLORMSGBOX;

// The search's own timers: a change of the only-USB choice stops these and starts anew, and
// leaves every other pending step of the frame (writes, baud changes, the close) alone.
constexpr UINT kSearchTimers[] = {
    COM_TIMER_SCAN_OPEN,       COM_TIMER_SCAN_ANSWER,    COM_TIMER_STATUS_LONG_SLOT,
    COM_TIMER_SCAN_CLOSE_NEXT, COM_TIMER_SCAN_END_CLOSE, COM_TIMER_SCAN_END_REFRESH,
    COM_TIMER_SCAN_END_FOUND,  COM_TIMER_SCAN_NEXT,      COM_TIMER_BUILD_PORT_TABLE,
    COM_TIMER_REPLY_TIMEOUT,
};

bool IsFrench(int languageOffset) {
    return languageOffset == LANGUAGE_FRENCH_OLD || languageOffset == LANGUAGE_FRENCH;
}

}  // namespace

IMPLEMENT_DYNAMIC(CDlgStartUp, CDialog)

BEGIN_MESSAGE_MAP(CDlgStartUp, CDialog)
ON_WM_SHOWWINDOW()
ON_WM_CTLCOLOR()
ON_WM_CLOSE()
ON_BN_CLICKED(CDlgStartUp::IDC_INFO, &CDlgStartUp::OnInfo)
ON_BN_CLICKED(CDlgStartUp::IDC_SEARCH_AGAIN, &CDlgStartUp::OnSearchAgain)
ON_BN_CLICKED(CDlgStartUp::IDC_QUIT, &CDlgStartUp::OnQuit)
ON_BN_CLICKED(CDlgStartUp::IDC_ONLY_USB, &CDlgStartUp::OnOnlyUsb)
END_MESSAGE_MAP()

CDlgStartUp::CDlgStartUp() {
    m_brushWindow.CreateSolidBrush(kWhite);
    m_brushStatics.CreateSolidBrush(kWhite);
}

void CDlgStartUp::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS, m_progressBar);
    DDX_Control(pDX, IDC_ONLY_USB, m_checkOnlyUsb);
}

CString CDlgStartUp::Text(int id) const {
    return GetLanguageString(id);
}

BOOL CDlgStartUp::OnInitDialog() {
    const BOOL result = CDialog::OnInitDialog();
    if (m_bFirstInit) {
        m_bFirstInit = FALSE;
        m_pHost = GetPageHost();
        if (m_pHost != nullptr) {
            m_pHost->RegisterWindow(this, kStartUpDirectRegistration, WM_REGISTER_START_UP_WINDOW);
            m_iLanguageOffset = m_pHost->GetLanguageOffset();
        }
    }
    if (CWnd* hidden = GetDlgItem(IDC_HIDDEN_STATIC))
        hidden->ShowWindow(SW_HIDE);
    if (CWnd* picture = GetDlgItem(kPictureStatic);
        picture != nullptr && m_picture.m_hWnd == nullptr && m_picture.CreateFromStatic(picture)) {
        m_picture.SetFitMode(kPictureFitStretched);
        m_picture.SetBitmapFromResourceId(kPictureBitmap);
    }
    SetWindowText(kCaption);
    if (m_pHost != nullptr)
        m_pHost->HostWindow().SetWindowText(kCaption);
    SetDlgItemText(IDC_ONLY_USB_CAPTION, Text(IDS_ONLY_USB));
    SetDlgItemText(IDC_ONLY_USB_CAPTION_FRENCH, Text(IDS_ONLY_USB));
    if (CWinApp* app = AfxGetApp())
        m_bSearchForOnlyUsbPorts =
            app->GetProfileInt("Settings", "SearchForOnlyUSBPorts", 0) != 0 ? TRUE : FALSE;
    m_checkOnlyUsb.SetCheck(m_bSearchForOnlyUsbPorts ? BST_CHECKED : BST_UNCHECKED);
    m_progressBar.SetRange32(0, 100);
    CRect rect;
    GetWindowRect(&rect);
    MoveWindow(kWindowX, kWindowY, rect.Width(), rect.Height());
    return result;
}

BOOL CDlgStartUp::PreTranslateMessage(MSG* pMsg) {
    // Escape would end the dialog; the search window stays until the search decides.
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) && pMsg->wParam == VK_ESCAPE)
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CDlgStartUp::OnShowWindow(BOOL bShow, UINT nStatus) {
    CDialog::OnShowWindow(bShow, nStatus);
    if (!bShow) {
        StopProgress();
        return;
    }
    if (m_pHost == nullptr)
        return;
    if (CWnd* defaultButton = GetDlgItem(IDC_DEFAULT_BUTTON))
        defaultButton->SetFocus();
    SetDlgItemText(IDC_QUIT, Text(IDS_NAVI_EXIT));
    if (CWnd* quit = GetDlgItem(IDC_QUIT))
        quit->ShowWindow(SW_SHOW);
    SetDlgItemText(IDC_MESSAGE_TEXT, Text(IDS_SEARCHING));
    CheckDlgButton(IDC_SEARCH_ALL_PORTS, BST_CHECKED);
    SetDlgItemText(IDC_SEARCH_ALL_PORTS, Text(IDS_SEARCH_ALL_PORTS));
    const bool french = IsFrench(m_iLanguageOffset);
    if (CWnd* caption = GetDlgItem(IDC_ONLY_USB_CAPTION))
        caption->ShowWindow(french ? SW_HIDE : SW_SHOW);
    if (CWnd* caption = GetDlgItem(IDC_ONLY_USB_CAPTION_FRENCH))
        caption->ShowWindow(french ? SW_SHOW : SW_HIDE);
    // The search opens the ports itself; the window starts it once it is on the screen.
    m_pHost->Commands().COM_CloseMainPort();
    m_pHost->HostWindow().SetTimer(COM_TIMER_BUILD_PORT_TABLE, SHOW_SEARCH_DELAY_MS, nullptr);
}

HBRUSH CDlgStartUp::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (nCtlColor == kCtlColorDialog) {
        pDC->SetBkColor(kWhite);
        pDC->SetTextColor(kBlack);
        return m_brushWindow;
    }
    switch (pWnd != nullptr ? pWnd->GetDlgCtrlID() : 0) {
        case IDC_ONLY_USB_CAPTION:
        case IDC_ONLY_USB_CAPTION_FRENCH:
        case IDC_MESSAGE_TEXT:
        case IDC_SEARCH_AGAIN:
        case IDC_QUIT:
        case IDC_PROGRESS:
        case IDC_ONLY_USB:
        case IDC_SEARCH_ALL_PORTS:
            pDC->SetBkColor(kWhite);
            pDC->SetTextColor(kBlack);
            return m_brushStatics;
        default:
            return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    }
}

void CDlgStartUp::ShowProgressBar(int portCount) {
    m_progress.Start(portCount);
    m_iProgressRow = -1;
    m_bBusy = TRUE;
    if (m_progressBar.m_hWnd != nullptr) {
        m_progressBar.ShowWindow(SW_SHOW);
        m_progressBar.SetRange32(0, 100);
    }
    UpdateProgressBar();
}

void CDlgStartUp::SetPortProgress(int port) {
    m_progress.ReachPort(port);
    UpdateProgressBar();
    IConnectionPageLink* page = m_pHost != nullptr ? m_pHost->ConnectionPage() : nullptr;
    if (m_bProgressActive && page != nullptr) {
        page->UpdateRowProgress(port + 1, m_progress.FinishedRowValue());
        if (port < m_progress.PortCount()) {
            m_iProgressRow = port;
            page->StartRowProgress(port);
        }
    }
}

void CDlgStartUp::AdvanceProgress(int kind) {
    m_progress.Advance(kind);
    UpdateProgressBar();
    IConnectionPageLink* page = m_pHost != nullptr ? m_pHost->ConnectionPage() : nullptr;
    if (m_bProgressActive && page != nullptr && m_iProgressRow >= 0)
        page->UpdateRowProgress(m_iProgressRow, m_progress.RowValue(m_iProgressRow));
}

void CDlgStartUp::StopProgress() {
    if (m_progressBar.m_hWnd != nullptr)
        m_progressBar.ShowWindow(SW_HIDE);
    m_bBusy = FALSE;
    if (m_bProgressActive) {
        if (IConnectionPageLink* page = m_pHost != nullptr ? m_pHost->ConnectionPage() : nullptr)
            page->EndRowProgress();
        m_bProgressActive = FALSE;
    }
    m_iProgressRow = -1;
}

void CDlgStartUp::ShowScanFinished() {
    StopProgress();
    SetDlgItemText(IDC_MESSAGE_TEXT, Text(IDS_NO_SENSOR_FOUND));
    if (CWnd* message = GetDlgItem(IDC_MESSAGE_TEXT))
        message->ShowWindow(SW_SHOW);
    SetDlgItemText(IDC_SEARCH_AGAIN, Text(IDS_SEARCH_AGAIN));
    if (CWnd* again = GetDlgItem(IDC_SEARCH_AGAIN))
        again->ShowWindow(SW_SHOW);
    // The search of all serial ports is offered again with every search that found nothing.
    for (int id : {IDC_INFO, IDC_SEARCH_ALL_PORTS}) {
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(SW_SHOW);
    }
}

void CDlgStartUp::UpdateProgressBar() {
    if (m_progressBar.m_hWnd == nullptr)
        return;
    m_progressBar.SetRange32(0, 100);
    m_progressBar.SetPos(m_progress.DisplayedValue());
}

void CDlgStartUp::OnSearchAgain() {
    SetDlgItemText(IDC_MESSAGE_TEXT, Text(IDS_SEARCHING));
    for (int id : {IDC_MESSAGE_TEXT, IDC_SEARCH_AGAIN, IDC_INFO, IDC_SEARCH_ALL_PORTS}) {
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(SW_HIDE);
    }
    if (m_pHost != nullptr)
        m_pHost->Commands().COM_BuildPortTable(
            IsDlgButtonChecked(IDC_SEARCH_ALL_PORTS) == BST_CHECKED ? 4 : 0);
}

void CDlgStartUp::OnInfo() {
    CString text = "KQ7-B\n\n";
    text += AdaptModelNames(
        "Software for the rotating torque sensors of Brevan S.A.S. on the "
        "NX-USB interface, the PKR-USB and the NX-ETH interface.");
    text += "\n\nCopyright (c) Brevan S.A.S. All rights reserved.";
    AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
}

void CDlgStartUp::PostCloseToFrame() {
    if (m_pHost != nullptr)
        m_pHost->HostWindow().PostMessage(WM_CLOSE);
}

void CDlgStartUp::OnQuit() {
    PostCloseToFrame();
}

void CDlgStartUp::OnClose() {
    CDialog::OnClose();
    PostCloseToFrame();
}

void CDlgStartUp::OnOnlyUsb() {
    m_bSearchForOnlyUsbPorts = m_checkOnlyUsb.GetCheck() == BST_CHECKED ? TRUE : FALSE;
    if (m_pHost == nullptr || m_progressBar.m_hWnd == nullptr || !m_progressBar.IsWindowVisible())
        return;
    for (UINT id : kSearchTimers)
        m_pHost->HostWindow().KillTimer(id);
    m_pHost->HostWindow().SetTimer(COM_TIMER_BUILD_PORT_TABLE, SHOW_SEARCH_DELAY_MS, nullptr);
}
