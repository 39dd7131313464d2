#include "platform/framework/StatusBar.h"

#include <algorithm>
#include <cstring>

#include "platform/framework/FrameWnd.h"
#include "platform/framework/detail/DefaultClasses.h"
#include "platform/gfx/CDC.h"
#include "platform/gfx/StockObjects.h"
#include "platform/gfx/SysColors.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/UserDrawConstants.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/SystemMetrics.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
ON_MESSAGE(WM_SETTEXT, &CStatusBar::OnSetText)
ON_MESSAGE(WM_GETTEXT, &CStatusBar::OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, &CStatusBar::OnGetTextLength)
ON_MESSAGE(WM_SETFONT, &CStatusBar::OnSetFont)
ON_MESSAGE(WM_GETFONT, &CStatusBar::OnGetFont)
ON_WM_SIZE()
ON_WM_NCHITTEST()
ON_WM_NCLBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

constexpr int kPaneBorder = 6;   // text margins of a pane, both sides together
constexpr int kPaneSpacing = 2;  // between two panes
constexpr int kVerticalBorder = 2;

// A memory DC with the font selected, for measuring text.
class MeasuringDC {
  public:
    explicit MeasuringDC(HFONT font) : dc_(::CreateCompatibleDC(nullptr)) {
        if (dc_ != nullptr && font != nullptr)
            old_ = ::SelectObject(dc_, font);
    }
    ~MeasuringDC() {
        if (dc_ == nullptr)
            return;
        if (old_ != nullptr)
            ::SelectObject(dc_, old_);
        ::DeleteDC(dc_);
    }
    MeasuringDC(const MeasuringDC&) = delete;
    MeasuringDC& operator=(const MeasuringDC&) = delete;
    HDC Handle() const { return dc_; }

  private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

}  // namespace

CStatusBar::CStatusBar() {
    m_cyTopBorder = 2;
    m_cxLeftBorder = 0;
    m_cxRightBorder = 0;
    m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar() = default;

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD, DWORD dwStyle, UINT nID) {
    m_dwStyle = dwStyle & CBRS_ALL;
    return CWnd::Create(kq::fw::detail::ControlBarClass(), nullptr, dwStyle & ~CBRS_ALL,
                        CRect(0, 0, 0, 0), pParentWnd, nID);
}

HFONT CStatusBar::TextFont() const {
    return m_hFont != nullptr ? m_hFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

int CStatusBar::TextWidth(const CString& text) const {
    MeasuringDC dc(TextFont());
    SIZE size{};
    if (dc.Handle() == nullptr ||
        !::GetTextExtentPoint32(dc.Handle(), text, text.GetLength(), &size))
        return 0;
    return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    m_panes.assign(static_cast<size_t>(nIDCount > 0 ? nIDCount : 0), Pane{});
    m_nCount = static_cast<int>(m_panes.size());
    BOOL ok = TRUE;
    bool stretched = false;
    for (size_t i = 0; i < m_panes.size(); ++i) {
        Pane& pane = m_panes[i];
        pane.nID = lpIDArray != nullptr ? lpIDArray[i] : ID_SEPARATOR;
        if (pane.nID != ID_SEPARATOR) {
            // The pane is as wide as its resource text, which it shows at first.
            if (!pane.strText.LoadString(pane.nID)) {
                ok = FALSE;
                continue;
            }
            pane.cxText = TextWidth(pane.strText);
        } else {
            pane.cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (!stretched) {
                pane.nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
                stretched = true;
            }
        }
    }
    LayoutPanes();
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
    return ValidIndex(nIndex) ? m_panes[static_cast<size_t>(nIndex)].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    *lpRect = ValidIndex(nIndex) ? m_panes[static_cast<size_t>(nIndex)].rect : CRect();
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const {
    rString = ValidIndex(nIndex) ? m_panes[static_cast<size_t>(nIndex)].strText : CString();
}

CString CStatusBar::GetPaneText(int nIndex) const {
    CString text;
    GetPaneText(nIndex, text);
    return text;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL) {
    if (!ValidIndex(nIndex))
        return FALSE;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    const CString text = lpszNewText != nullptr ? lpszNewText : "";
    if (pane.strText != text) {
        pane.strText = text;
        InvalidatePane(nIndex);
    }
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
    if (!ValidIndex(nIndex))
        return;
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
    if (!ValidIndex(nIndex))
        return;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    const bool relayout = ((pane.nStyle ^ nStyle) & SBPS_STRETCH) || pane.cxText != cxWidth;
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = cxWidth;
    if (relayout)
        LayoutPanes();
    else
        InvalidatePane(nIndex);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const {
    return ValidIndex(nIndex) ? m_panes[static_cast<size_t>(nIndex)].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
    if (!ValidIndex(nIndex))
        return;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    if (pane.nStyle == nStyle)
        return;
    const bool relayout = ((pane.nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    pane.nStyle = nStyle;
    if (relayout)
        LayoutPanes();
    else
        InvalidatePane(nIndex);
}

BOOL CStatusBar::HasSizeGrip() const {
    // A sizable frame gets the size grip in the corner.
    CWnd* parent = GetParent();
    return parent != nullptr && (parent->GetStyle() & WS_THICKFRAME) && !parent->IsZoomed();
}

LRESULT CStatusBar::OnNcHitTest(CPoint point) {
    if (HasSizeGrip()) {
        CRect client;
        GetClientRect(&client);
        const int grip = ::GetSystemMetrics(SM_CXVSCROLL);
        CPoint inside = point;
        ScreenToClient(&inside);
        if (inside.x >= client.right - grip && inside.y >= client.bottom - grip &&
            client.PtInRect(inside))
            return HTBOTTOMRIGHT;
    }
    return CControlBar::OnNcHitTest(point);
}

void CStatusBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
    if (nHitTest == HTBOTTOMRIGHT && HasSizeGrip()) {
        GetParent()->SendMessage(WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT,
                                 MAKELPARAM(point.x, point.y));
        return;
    }
    CControlBar::OnNcLButtonDown(nHitTest, point);
}

void CStatusBar::InvalidatePane(int nIndex) {
    if (m_hWnd != nullptr && ValidIndex(nIndex))
        InvalidateRect(&m_panes[static_cast<size_t>(nIndex)].rect, TRUE);
}

void CStatusBar::LayoutPanes() {
    if (m_hWnd == nullptr)
        return;
    CRect inside;
    GetClientRect(&inside);
    CalcInsideRect(inside, TRUE);
    // The panes end where the size grip begins.
    if (HasSizeGrip()) {
        CRect client;
        GetClientRect(&client);
        inside.right = std::min(inside.right, client.right - ::GetSystemMetrics(SM_CXVSCROLL));
    }
    // What the panes leave free goes to the stretching ones, shared equally; when the bar is
    // too narrow they give up their width first, so the fixed panes stay in view.
    int extra = inside.Width() + kPaneSpacing;
    int stretching = 0;
    for (const Pane& pane : m_panes) {
        stretching += (pane.nStyle & SBPS_STRETCH) != 0;
        extra -= pane.cxText + kPaneBorder + kPaneSpacing;
    }
    int left = inside.left;
    for (Pane& pane : m_panes) {
        int right = left + pane.cxText + kPaneBorder;
        if ((pane.nStyle & SBPS_STRETCH) && extra != 0) {
            const int share = std::max(extra / stretching, -pane.cxText);
            right += share;
            extra -= share;
            --stretching;
        }
        pane.rect = CRect(left, inside.top, right, inside.bottom);
        left = right + kPaneSpacing;
    }
    Invalidate(TRUE);
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL bHorz) {
    TEXTMETRIC tm{};
    {
        MeasuringDC dc(TextFont());
        if (dc.Handle() != nullptr)
            ::GetTextMetrics(dc.Handle(), &tm);
    }
    CRect inside;
    CalcInsideRect(inside, bHorz);
    CSize size(32767, tm.tmHeight - tm.tmInternalLeading - 1 + kVerticalBorder * 2 +
                          ::GetSystemMetrics(SM_CYBORDER) * 2 - inside.Height());
    if (size.cy < m_nMinHeight)
        size.cy = m_nMinHeight;
    return size;
}

void CStatusBar::OnSize(UINT nType, int cx, int cy) {
    CControlBar::OnSize(nType, cx, cy);
    LayoutPanes();
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(m_panes.size());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = m_panes[state.m_nIndex].nID;
        // The bar's own handlers first, then the frame's.
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

// --- the message pane is the window text ---

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
    const int index = CommandToIndex(ID_SEPARATOR);
    if (index < 0)
        return FALSE;
    return SetPaneText(index, reinterpret_cast<LPCTSTR>(lParam));
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
    auto* buffer = reinterpret_cast<char*>(lParam);
    const int size = static_cast<int>(wParam);
    if (buffer == nullptr || size <= 0)
        return 0;
    const CString text = GetPaneText(CommandToIndex(ID_SEPARATOR));
    int length = std::min(text.GetLength(), size - 1);
    // Never half a UTF-8 character.
    while (length > 0 && length < text.GetLength() &&
           (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    std::memcpy(buffer, text.GetString(), static_cast<size_t>(length));
    buffer[length] = '\0';
    return length;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) {
    return GetPaneText(CommandToIndex(ID_SEPARATOR)).GetLength();
}

LRESULT CStatusBar::OnSetFont(WPARAM wParam, LPARAM) {
    m_hFont = reinterpret_cast<HFONT>(wParam);
    LayoutPanes();
    return 0;
}

LRESULT CStatusBar::OnGetFont(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(TextFont());
}

// --- drawing ---

void CStatusBar::DoPaint(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    // Its own background, so that the bar can also be drawn into any DC.
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    DrawBorders(pDC, client);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    HGDIOBJ oldFont = ::SelectObject(pDC->m_hDC, TextFont());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    for (const Pane& pane : m_panes) {
        if (!(pane.nStyle & SBPS_NOBORDERS)) {
            if (pane.nStyle & SBPS_POPOUT)
                pDC->Draw3dRect(&pane.rect, highlight, shadow);
            else
                pDC->Draw3dRect(&pane.rect, shadow, highlight);
        }
        if (pane.nStyle & SBPS_DISABLED)
            continue;  // a disabled pane shows no text
        CRect text = pane.rect;
        text.DeflateRect(kPaneBorder / 2, 1);
        // A tab centres what follows it, a second tab right-aligns the rest.
        const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        int start = 0;
        const UINT alignments[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
        for (const UINT alignment : alignments) {
            int tab = pane.strText.Find('\t', start);
            const CString part =
                pane.strText.Mid(start, tab < 0 ? pane.strText.GetLength() - start : tab - start);
            if (!part.IsEmpty())
                ::DrawText(pDC->m_hDC, part, part.GetLength(), &text, format | alignment);
            if (tab < 0)
                break;
            start = tab + 1;
        }
    }
    if (oldFont != nullptr)
        ::SelectObject(pDC->m_hDC, oldFont);
    if (HasSizeGrip()) {
        const int grip = ::GetSystemMetrics(SM_CXVSCROLL);
        CRect box(client.right - grip, client.bottom - grip, client.right, client.bottom);
        pDC->DrawFrameControl(&box, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    }
}

// --- CStatusCmdUI ---

void CStatusCmdUI::Enable(BOOL bOn) {
    m_bEnableChanged = TRUE;
    auto* bar = static_cast<CStatusBar*>(m_pOther);
    UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex)) & ~SBPS_DISABLED;
    if (!bOn)
        style |= SBPS_DISABLED;
    bar->SetPaneStyle(static_cast<int>(m_nIndex), style);
}

void CStatusCmdUI::SetCheck(int nCheck) {
    auto* bar = static_cast<CStatusBar*>(m_pOther);
    UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex)) & ~SBPS_POPOUT;
    if (nCheck != 0)
        style |= SBPS_POPOUT;
    bar->SetPaneStyle(static_cast<int>(m_nIndex), style);
}

void CStatusCmdUI::SetText(LPCTSTR lpszText) {
    static_cast<CStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), lpszText);
}
