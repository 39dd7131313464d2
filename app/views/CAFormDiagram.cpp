// The diagram view's window side: registration and the embedded live diagram at the first
// update, its texts per language, its place in the bar, painting and the Alt key.
#include "app/views/CAFormDiagram.h"

#include "app/MainFrame.h"
#include "foundation/Language.h"
#include "foundation/SharedConstants.h"

IMPLEMENT_DYNCREATE(CAFormDiagram, CFormView)

BEGIN_MESSAGE_MAP(CAFormDiagram, CFormView)
ON_WM_TIMER()
ON_WM_PAINT()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CAFormDiagram::CAFormDiagram() : CFormView(IDD) {}

void CAFormDiagram::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    if (!m_bFirstUpdatePending)
        return;
    m_pFrame = GetMainFrame();
    PostFormRegistration(this, WM_REGISTER_DIAGRAM_VIEW);
    CRect rect(9, 9, 100, 100);
    if (CWnd* placeholder = GetDlgItem(IDC_DIAGRAM)) {
        placeholder->GetWindowRect(&rect);
        ScreenToClient(&rect);
        placeholder->ShowWindow(SW_HIDE);
    }
    if (m_diagram.Create(this, rect, IDC_DIAGRAM + 1))
        m_pDiagram = &m_diagram;
    for (int c = 0; c < kChannels && m_pDiagram != nullptr; ++c)
        m_pDiagram->SetCurveLineWidth(c, 1);
    ApplyLanguage();
    m_bFirstUpdatePending = FALSE;
}

BOOL CAFormDiagram::PreTranslateMessage(MSG* pMsg) {
    if (OfferToShortcutKeys(pMsg))
        return TRUE;
    // A floating diagram bar holds the focus outside the main window: Alt must still reach the
    // main window's menu.
    if (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_MENU && m_pFrame != nullptr) {
        for (CWnd* parent = GetParent(); parent != nullptr; parent = parent->GetParent()) {
            if (auto* bar = DYNAMIC_DOWNCAST(CControlBar, parent)) {
                if (bar->IsFloating())
                    m_pFrame->SetFocus();
                break;
            }
        }
    }
    return CFormView::PreTranslateMessage(pMsg);
}

void CAFormDiagram::ApplyLanguage() {
    if (m_pDiagram == nullptr)
        return;
    const bool german = GetLanguageOffset() == LANGUAGE_GERMAN;
    // Zoom in and out, pan, cursor, grid, legend and the chart's properties are offered here.
    const char* texts[13] = {"",
                             "Zoom in",
                             "Zoom out",
                             german ? "Verschieben" : "Scrolling",
                             "Cursor",
                             german ? "Raster ein/aus" : "Grid on/off",
                             "",
                             "",
                             german ? "Legende anzeigen" : "show Legend",
                             "",
                             "",
                             "",
                             german ? "Eigenschaften" : "Properties"};
    for (int i = 0; i < 13; ++i)
        m_pDiagram->SetMenuText(i, texts[i]);
    for (int page = 0; page < 3; ++page)
        m_pDiagram->SetPageTexts(page, LanguagePageTexts(page));
    SetupCurves();
    m_pDiagram->Redraw();
}

void CAFormDiagram::ResizeToBar(CWnd* bar, int left, int top, int right, int bottom) {
    (void)left;
    (void)top;
    if (bar == nullptr || m_hWnd == nullptr)
        return;
    const int cx = right - left;
    const int cy = bottom - top;
    SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_pDiagram != nullptr && m_pDiagram->GetSafeHwnd() != nullptr)
        m_pDiagram->SetWindowPos(nullptr, 9, 9, std::max(0, cx - 19), std::max(0, cy - 19),
                                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CAFormDiagram::OnPaint() {
    CFormView::OnPaint();
    if (!m_bFirstUpdatePending && IsWindowVisible() && m_pDiagram != nullptr &&
        m_pDiagram->GetSafeHwnd() != nullptr) {
        m_pDiagram->Invalidate(FALSE);
        m_pDiagram->UpdateWindow();
    }
}

void CAFormDiagram::OnShowWindow(BOOL bShow, UINT nStatus) {
    CFormView::OnShowWindow(bShow, nStatus);
    // A language switch rewrites the diagram's texts itself, once, at its end.
    if (bShow && m_pFrame != nullptr && !m_pFrame->IsSwitchingLanguage())
        ApplyLanguage();
}
