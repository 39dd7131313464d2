#include "platform/framework/bars/StatusBar.h"

#include "platform/ui/paint/Painting.h"

#include <algorithm>

#include "platform/base/Trace.h"
#include "platform/gfx/CDC.h"
#include "platform/gfx/GdiConstants.h"
#include "platform/gfx/StockObjects.h"
#include "platform/gfx/SysColors.h"
#include "platform/gfx/UserDrawConstants.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WindowShow.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
ON_MESSAGE(WM_SETTEXT, &CStatusBar::OnSetText)
ON_WM_NCHITTEST()
ON_WM_NCLBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

// Between panes.
constexpr int kGap = 2;
// Edge and padding on each side of a pane's text.
constexpr int kPanePad = 3;
// Edge and padding above and below the text.
constexpr int kPaneVertPad = 2;

}  // namespace

CStatusBar::CStatusBar() {
    m_cxLeftBorder = 0;
    m_cxRightBorder = 0;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    // The status line draws its own pane edges; bar borders would double them.
    m_dwStyle = dwStyle & CBRS_ALL & ~CBRS_BORDER_ANY;
    const DWORD windowStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS;
    LPCTSTR cls = AfxRegisterWndClass(
        0, nullptr, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    return CWnd::Create(cls, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

HFONT CStatusBar::GetFont() const {
    if (m_hFont != nullptr)
        return m_hFont;
    return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

int CStatusBar::TextWidth(const CString& text) const {
    HDC dc = ::CreateCompatibleDC(nullptr);
    if (dc == nullptr)
        return 0;
    HGDIOBJ old = ::SelectObject(dc, GetFont());
    SIZE size{};
    ::GetTextExtentPoint32(dc, text.GetString(), text.GetLength(), &size);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    m_panes.assign(static_cast<size_t>(std::max(0, nIDCount)), AFX_STATUSPANE{});
    BOOL ok = TRUE;
    for (int i = 0; i < nIDCount; ++i) {
        AFX_STATUSPANE& pane = m_panes[static_cast<size_t>(i)];
        pane.nID = lpIDArray[i];
        if (pane.nID == ID_SEPARATOR)
            continue;
        if (!pane.strText.LoadString(pane.nID)) {
            TRACE("Warning: no string for status indicator 0x%04X.\n", pane.nID);
            ok = FALSE;
            continue;
        }
        pane.cxText = TextWidth(pane.strText);
    }
    // The message pane takes the room the others leave.
    if (nIDCount > 0 && lpIDArray[0] == ID_SEPARATOR)
        m_panes[0].nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
    return ok;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
    for (size_t i = 0; i < m_panes.size(); ++i) {
        if (m_panes[i].nID == nIDFind)
            return static_cast<int>(i);
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].nID : 0;
}

BOOL CStatusBar::HasSizeGrip() const {
    CFrameWnd* frame = GetParentFrame();
    return frame != nullptr && (frame->GetStyle() & WS_THICKFRAME) != 0 && !frame->IsZoomed();
}

CRect CStatusBar::GripRect() const {
    CRect client;
    GetClientRect(&client);
    if (!HasSizeGrip())
        return CRect(client.right, client.bottom, client.right, client.bottom);
    return CRect(client.right - ::GetSystemMetrics(SM_CXVSCROLL), client.top, client.right,
                 client.bottom);
}

std::vector<CRect> CStatusBar::PaneRects() const {
    CRect inside;
    GetClientRect(&inside);
    CalcInsideRect(inside, TRUE);
    const CRect grip = GripRect();
    inside.right = std::min(inside.right, grip.left);
    int used = 0;
    int stretchers = 0;
    for (const AFX_STATUSPANE& pane : m_panes) {
        used += pane.cxText + 2 * kPanePad + kGap;
        stretchers += (pane.nStyle & SBPS_STRETCH) ? 1 : 0;
    }
    used -= m_panes.empty() ? 0 : kGap;
    const int extra = std::max(0, inside.Width() - used);
    std::vector<CRect> rects;
    int x = inside.left;
    bool stretched = false;
    for (const AFX_STATUSPANE& pane : m_panes) {
        int width = pane.cxText + 2 * kPanePad;
        // The first stretching pane takes all the spare room.
        if ((pane.nStyle & SBPS_STRETCH) && !stretched && stretchers > 0) {
            width += extra;
            stretched = true;
        }
        rects.emplace_back(x, inside.top, x + width, inside.bottom);
        x += width + kGap;
    }
    return rects;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    *lpRect = RECT{0, 0, 0, 0};
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    *lpRect = PaneRects()[static_cast<size_t>(nIndex)];
}

CString CStatusBar::GetPaneText(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetCount())
        return CString();
    return m_panes[static_cast<size_t>(nIndex)].strText;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate) {
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    AFX_STATUSPANE& pane = m_panes[static_cast<size_t>(nIndex)];
    const CString text = lpszNewText != nullptr ? CString(lpszNewText) : CString();
    if (pane.strText == text)
        return TRUE;
    pane.strText = text;
    if (bUpdate && m_hWnd != nullptr) {
        CRect rect;
        GetItemRect(nIndex, &rect);
        ::InvalidateRect(m_hWnd, &rect, TRUE);
    }
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
    if (nIndex < 0 || nIndex >= GetCount()) {
        nID = 0;
        nStyle = 0;
        cxWidth = 0;
        return;
    }
    const AFX_STATUSPANE& pane = m_panes[static_cast<size_t>(nIndex)];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    AFX_STATUSPANE& pane = m_panes[static_cast<size_t>(nIndex)];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = std::max(0, cxWidth);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
    if (nIndex < 0 || nIndex >= GetCount() || m_panes[static_cast<size_t>(nIndex)].nStyle == nStyle)
        return;
    m_panes[static_cast<size_t>(nIndex)].nStyle = nStyle;
    if (m_hWnd != nullptr) {
        CRect rect;
        GetItemRect(nIndex, &rect);
        ::InvalidateRect(m_hWnd, &rect, TRUE);
    }
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    HDC dc = ::CreateCompatibleDC(nullptr);
    TEXTMETRIC tm{};
    if (dc != nullptr) {
        HGDIOBJ old = ::SelectObject(dc, GetFont());
        ::GetTextMetrics(dc, &tm);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
    }
    size.cy += tm.tmHeight + 2 * kPaneVertPad;
    return size;
}

void CStatusBar::DoPaint(CDC* pDC) {
    CControlBar::DoPaint(pDC);
    HGDIOBJ oldFont = pDC->SelectObject(static_cast<HGDIOBJ>(GetFont()));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    const std::vector<CRect> rects = PaneRects();
    for (size_t i = 0; i < m_panes.size(); ++i) {
        const AFX_STATUSPANE& pane = m_panes[i];
        CRect rect = rects[i];
        if ((pane.nStyle & SBPS_NOBORDERS) == 0)
            pDC->DrawEdge(&rect, (pane.nStyle & SBPS_POPOUT) ? BDR_RAISEDINNER : BDR_SUNKENOUTER,
                          BF_RECT);
        // A disabled pane shows no text (an indicator that is off).
        if (pane.nStyle & SBPS_DISABLED)
            continue;
        CRect text = rect;
        text.DeflateRect(kPanePad, 1);
        pDC->DrawText(pane.strText, &text, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (HasSizeGrip()) {
        CRect grip = GripRect();
        pDC->DrawFrameControl(&grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    }
    pDC->SelectObject(oldFont);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) {
    CStatusCmdUI state;
    state.m_pStatusBar = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (int i = 0; i < GetCount(); ++i) {
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = m_panes[static_cast<size_t>(i)].nID;
        // A pane without a handler keeps its state: indicators are not commands.
        state.DoUpdate(pTarget, FALSE);
    }
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
    // The frame's messages go to the message pane (the first separator pane).
    const int index = CommandToIndex(ID_SEPARATOR);
    if (index >= 0)
        SetPaneText(index, reinterpret_cast<LPCTSTR>(lParam));
    return Default();
}

LRESULT CStatusBar::OnNcHitTest(CPoint point) {
    CPoint client = point;
    ScreenToClient(&client);
    if (HasSizeGrip() && GripRect().PtInRect(client))
        return HTBOTTOMRIGHT;
    return CControlBar::OnNcHitTest(point);
}

void CStatusBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
    // The grip sizes the frame, not the bar.
    if (nHitTest == HTBOTTOMRIGHT) {
        if (CFrameWnd* frame = GetParentFrame()) {
            frame->SendMessage(WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(point.x, point.y));
            return;
        }
    }
    CControlBar::OnNcLButtonDown(nHitTest, point);
}

void CStatusCmdUI::Enable(BOOL bOn) {
    m_bEnableChanged = TRUE;
    const int index = static_cast<int>(m_nIndex);
    const UINT style = m_pStatusBar->GetPaneStyle(index) & ~SBPS_DISABLED;
    m_pStatusBar->SetPaneStyle(index, bOn ? style : style | SBPS_DISABLED);
}

void CStatusCmdUI::SetCheck(int nCheck) {
    const int index = static_cast<int>(m_nIndex);
    const UINT style = m_pStatusBar->GetPaneStyle(index) & ~SBPS_POPOUT;
    m_pStatusBar->SetPaneStyle(index, nCheck != 0 ? style | SBPS_POPOUT : style);
}

void CStatusCmdUI::SetText(LPCTSTR lpszText) {
    m_pStatusBar->SetPaneText(static_cast<int>(m_nIndex), lpszText);
}
