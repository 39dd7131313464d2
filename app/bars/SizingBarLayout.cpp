// The resizable bar's sizes and what the framework asks of them: the size of a docked bar (the
// row divided anew when the frame itself is resized), of a floating one, the dock-bar id taken
// from the parent on every position change, and the six sizes in the profile.
#include <algorithm>

#include "app/bars/SizingControlBar.h"
#include "platform/framework/MiniDockFrameWnd.h"
#include "platform/gfx/UserDrawConstants.h"
#include "platform/gfx/WindowDC.h"
#include "platform/ui/SystemMetrics.h"

IMPLEMENT_DYNAMIC(CSizingControlBar, CControlBar)

BEGIN_MESSAGE_MAP(CSizingControlBar, CControlBar)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_NCPAINT()
ON_WM_NCCALCSIZE()
ON_WM_NCHITTEST()
ON_WM_NCLBUTTONDOWN()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_CAPTURECHANGED()
ON_WM_WINDOWPOSCHANGING()
ON_WM_SIZE()
ON_WM_SETTINGCHANGE()
ON_MESSAGE(WM_SETTEXT, &CSizingControlBar::OnSetText)
ON_WM_CLOSE()
END_MESSAGE_MAP()

BOOL CSizingControlBar::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle) {
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCTSTR cls =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                            reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1)));
    const DWORD windowStyle = (dwStyle & ~CBRS_ALL & ~WS_DLGFRAME) | WS_CLIPCHILDREN;
    return CWnd::Create(cls, lpszWindowName, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CSizingControlBar::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault,
                               BOOL bHasGripper, UINT nID, DWORD dwStyle) {
    (void)bHasGripper;
    m_szHorz = m_szVert = m_szFloat = sizeDefault;
    return Create(lpszWindowName, pParentWnd, nID, dwStyle);
}

int CSizingControlBar::OnCreate(LPCREATESTRUCT lpcs) {
    if (CControlBar::OnCreate(lpcs) == -1)
        return -1;
    ReadFullDragSetting();
    return 0;
}

void CSizingControlBar::ReadFullDragSetting() {
    BOOL full = FALSE;
    ::SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
    m_bFullDrag = full;
}

void CSizingControlBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
    CControlBar::OnSettingChange(uFlags, lpszSection);
    ReadFullDragSetting();
}

void CSizingControlBar::OnPaint() {
    // The client belongs to the hosted window; the bar only validates.
    CPaintDC dc(this);
}

void CSizingControlBar::OnClose() {
    // A bar is hidden, never closed.
}

BOOL CSizingControlBar::IsHorzDocked() const {
    return m_nDockBarId == AFX_IDW_DOCKBAR_TOP || m_nDockBarId == AFX_IDW_DOCKBAR_BOTTOM;
}

BOOL CSizingControlBar::IsVertDocked() const {
    return m_nDockBarId == AFX_IDW_DOCKBAR_LEFT || m_nDockBarId == AFX_IDW_DOCKBAR_RIGHT;
}

void CSizingControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    (void)pTarget;
    (void)bDisableIfNoHndler;
}

// ---- What the framework asks -----------------------------------------------------------------

CSize CSizingControlBar::CalcDynamicLayout(int nLength, DWORD nMode) {
    if (nMode & (LM_HORZDOCK | LM_VERTDOCK)) {
        if (nLength == -1)
            m_bParentSizing = TRUE;
        return CControlBar::CalcDynamicLayout(nLength, nMode);
    }
    if (nMode & (LM_MRUWIDTH | LM_COMMIT))
        return m_szFloat;
    if (nMode & LM_LENGTHY)
        m_szFloat.cy = nLength;
    else
        m_szFloat.cx = nLength;
    m_szFloat.cx = std::max(m_szFloat.cx, m_szMinFloat.cx);
    m_szFloat.cy = std::max(m_szFloat.cy, m_szMinFloat.cy);
    return m_szFloat;
}

CSize CSizingControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    if (bStretch)
        return bHorz ? CSize(32767, m_szHorz.cy) : CSize(m_szVert.cx, 32767);
    // A hidden or minimised frame lays out at sizes nobody sees (while it is made, before its
    // placement is restored); dividing a row then would break it for good.
    const CFrameWnd* frame = m_pDockSite;
    const bool frameShown = frame != nullptr && frame->IsWindowVisible() && !frame->IsIconic();
    if (m_bParentSizing && frameShown && IsVisible() && m_pDockBar != nullptr && !IsFloatingId()) {
        const std::vector<CSizingControlBar*> row = RowBars();
        if (!row.empty() && row.front() == this) {
            CRect space = m_pDockBar->m_rectLayout;
            if (space.IsRectEmpty())
                m_pDockBar->GetClientRect(&space);
            const int length = IsHorzDocked() ? space.Width() + 2 : space.Height() - 2;
            if (DivideRow(length))
                AlignRow();
        }
    }
    m_bParentSizing = FALSE;
    const CSize size = bHorz ? m_szHorz : m_szVert;
    const CSize minimum = bHorz ? m_szMinHorz : m_szMinVert;
    return CSize(std::max(size.cx, minimum.cx), std::max(size.cy, minimum.cy));
}

void CSizingControlBar::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    // The edges depend on the bar's place in its row: recalculate them on every change.
    lpwndpos->flags |= SWP_FRAMECHANGED;
    CControlBar::OnWindowPosChanging(lpwndpos);
    if (CWnd* parent = GetParent())
        m_nDockBarId = static_cast<UINT>(parent->GetDlgCtrlID());
    // A bar shown again in a row keeps its length; the others give way.
    if (!IsFloatingId() && (lpwndpos->flags & SWP_SHOWWINDOW))
        m_bKeepSize = TRUE;
}

void CSizingControlBar::OnSize(UINT nType, int cx, int cy) {
    CControlBar::OnSize(nType, cx, cy);
    if (!(m_dwSizingStyle & kSizeChild))
        return;
    if (CWnd* child = GetWindow(GW_CHILD)) {
        child->MoveWindow(0, 0, cx, cy, FALSE);
        child->Invalidate();
    }
}

LRESULT CSizingControlBar::OnSetText(WPARAM wParam, LPARAM lParam) {
    (void)wParam;
    const LRESULT result = Default();
    // A floating bar's title is its floating frame's caption, which follows the dock bar's text.
    if (m_pDockBar != nullptr && IsFloating()) {
        CFrameWnd* floating = GetParentFrame();
        if (floating != nullptr && floating->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
            m_pDockBar->SetWindowText(reinterpret_cast<LPCTSTR>(lParam));
            floating->DelayRecalcLayout();
        }
    }
    return result;
}

// ---- Sizes in the profile ----------------------------------------------------------------------

namespace {

CString SectionOf(LPCTSTR profile, int id) {
    CString section;
    section.Format("%s-SCBar-%d", profile, id);
    return section;
}

struct SizeKeys {
    const char* cx;
    const char* cy;
};
constexpr SizeKeys kKeys[3] = {
    {"sizeHorzCX", "sizeHorzCY"}, {"sizeVertCX", "sizeVertCY"}, {"sizeFloatCX", "sizeFloatCY"}};

}  // namespace

void CSizingControlBar::LoadState(LPCTSTR lpszProfileName) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    const CString section = SectionOf(lpszProfileName, GetDlgCtrlID());
    // A damaged or foreign profile must neither make a bar vanish nor outgrow every monitor.
    const int screenCx = std::max(1, ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
    const int screenCy = std::max(1, ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    CSize* sizes[3] = {&m_szHorz, &m_szVert, &m_szFloat};
    const CSize minimums[3] = {m_szMinHorz, m_szMinVert, m_szMinFloat};
    for (int i = 0; i < 3; ++i) {
        const int cx = static_cast<int>(app->GetProfileInt(section, kKeys[i].cx, sizes[i]->cx));
        const int cy = static_cast<int>(app->GetProfileInt(section, kKeys[i].cy, sizes[i]->cy));
        sizes[i]->cx = std::clamp(cx, std::min<int>(minimums[i].cx, screenCx), screenCx);
        sizes[i]->cy = std::clamp(cy, std::min<int>(minimums[i].cy, screenCy), screenCy);
    }
}

void CSizingControlBar::SaveState(LPCTSTR lpszProfileName) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    const CString section = SectionOf(lpszProfileName, GetDlgCtrlID());
    const CSize sizes[3] = {m_szHorz, m_szVert, m_szFloat};
    for (int i = 0; i < 3; ++i) {
        app->WriteProfileInt(section, kKeys[i].cx, sizes[i].cx);
        app->WriteProfileInt(section, kKeys[i].cy, sizes[i].cy);
    }
}

void CSizingControlBar::LoadAll(LPCTSTR lpszProfileName, CFrameWnd* pFrame) {
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* bar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (auto* sizing = DYNAMIC_DOWNCAST(CSizingControlBar, bar))
            sizing->LoadState(lpszProfileName);
    }
}

void CSizingControlBar::SaveAll(LPCTSTR lpszProfileName, CFrameWnd* pFrame) {
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* bar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (auto* sizing = DYNAMIC_DOWNCAST(CSizingControlBar, bar))
            sizing->SaveState(lpszProfileName);
    }
}
