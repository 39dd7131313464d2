#include "platform/framework/ControlBar.h"

#include "platform/framework/DockBar.h"
#include "platform/framework/DockContext.h"
#include "platform/framework/DockState.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/MiniDockFrameWnd.h"
#include "platform/gfx/SysColors.h"
#include "platform/gfx/UserDrawConstants.h"
#include "platform/gfx/WindowDC.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEACTIVATE()
ON_WM_CTLCOLOR()
ON_MESSAGE(WM_SIZEPARENT, &CControlBar::OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

using kq::fw::kBarBorder;

CControlBar::CControlBar() = default;

CControlBar::~CControlBar() {
    if (m_pDockSite != nullptr)
        m_pDockSite->RemoveControlBar(this);
    delete m_pDockContext;
    m_pDockContext = nullptr;
}

void CControlBar::PostNcDestroy() {
    if (m_bAutoDelete)
        delete this;
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
    if (m_dwStyle != dwStyle) {
        m_dwStyle = dwStyle;
        // The borders live partly outside the client area.
        if (m_hWnd != nullptr) {
            SetWindowPos(
                nullptr, 0, 0, 0, 0,
                SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            Invalidate();
        }
    }
}

CFrameWnd* CControlBar::GetDockingFrame() const {
    CFrameWnd* frame = GetParentFrame();
    if (frame == nullptr)
        frame = m_pDockSite;
    // A floating bar's mini frame belongs to the frame it docks in.
    if (frame != nullptr && frame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        frame = frame->GetParentFrame();
    return frame;
}

BOOL CControlBar::IsFloating() const {
    if (IsDockBar())
        return static_cast<const CDockBar*>(this)->m_bFloating;
    return m_pDockBar != nullptr && m_pDockBar->m_bFloating;
}

BOOL CControlBar::IsDockBar() const {
    return FALSE;
}

BOOL CControlBar::IsVisible() const {
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (GetStyle() & WS_VISIBLE) || (m_nStateFlags & delayShow);
}

void CControlBar::EnableDocking(DWORD dwDockStyle) {
    m_dwDockStyle = dwDockStyle & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
    if (m_pDockContext == nullptr)
        m_pDockContext = new CDockContext(this);
    // The bar keeps reporting to the frame it was made in, wherever it docks.
    if (m_hWndOwner == nullptr)
        m_hWndOwner = ::GetParent(m_hWnd);
}

// --- layout ---

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode) {
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += kBarBorder;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += kBarBorder;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= kBarBorder;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= kBarBorder;
    const bool gripper = (m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
    if (bHorz) {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
        if (gripper)
            rect.left += kq::fw::kGripperSpace;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
        if (gripper)
            rect.top += kq::fw::kGripperSpace;
    }
}

void CControlBar::DelayShow(BOOL bShow) {
    m_nStateFlags &= ~(delayHide | delayShow);
    const bool visible = (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !visible)
        m_nStateFlags |= delayShow;
    else if (!bShow && visible)
        m_nStateFlags |= delayHide;
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) {
    DWORD style = (m_dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | (GetStyle() & WS_VISIBLE);
    if (m_nStateFlags & (delayHide | delayShow)) {
        UINT flags = 0;
        if ((m_nStateFlags & delayHide) && (style & WS_VISIBLE))
            flags = SWP_HIDEWINDOW;
        else if ((m_nStateFlags & delayShow) && !(style & WS_VISIBLE))
            flags = SWP_SHOWWINDOW;
        if (flags != 0) {
            style ^= WS_VISIBLE;  // as it will be
            if (lpLayout->hDWP != nullptr) {
                m_nStateFlags &= ~(delayShow | delayHide);
                lpLayout->hDWP->push_back(kq::fw::WindowMove{
                    m_hWnd, RECT{},
                    flags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE});
            }
        } else {
            m_nStateFlags &= ~(delayShow | delayHide);
        }
    }
    return style;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const DWORD style = RecalcDelayShow(layout);
    if (!(style & WS_VISIBLE) || (style & CBRS_ALIGN_ANY) == 0)
        return 0;
    CRect rect(layout->rect);
    const CSize available = rect.Size();
    DWORD mode = layout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
        mode |= LM_HORZ | LM_MRUWIDTH;
    else if (style & CBRS_ORIENT_HORZ)
        mode |= LM_HORZ | LM_HORZDOCK;
    else
        mode |= LM_VERTDOCK;
    // A length of -1: the frame is laying out.
    CSize size = CalcDynamicLayout(-1, mode);
    size.cx = std::min(size.cx, available.cx);
    size.cy = std::min(size.cy, available.cy);
    if (style & CBRS_ORIENT_HORZ) {
        layout->sizeTotal.cy += size.cy;
        layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
        if (style & CBRS_ALIGN_TOP) {
            layout->rect.top += size.cy;
        } else if (style & CBRS_ALIGN_BOTTOM) {
            rect.top = rect.bottom - size.cy;
            layout->rect.bottom -= size.cy;
        }
    } else {
        layout->sizeTotal.cx += size.cx;
        layout->sizeTotal.cy = std::max(layout->sizeTotal.cy, size.cy);
        if (style & CBRS_ALIGN_LEFT) {
            layout->rect.left += size.cx;
        } else if (style & CBRS_ALIGN_RIGHT) {
            rect.left = rect.right - size.cx;
            layout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (layout->hDWP != nullptr)
        AfxRepositionWindow(layout, m_hWnd, &rect);
    return 0;
}

// --- command UI ---

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
    const bool visible = (GetStyle() & WS_VISIBLE) != 0;
    UINT flags = 0;
    if ((m_nStateFlags & delayHide) && visible)
        flags = SWP_HIDEWINDOW;
    else if ((m_nStateFlags & delayShow) && !visible)
        flags = SWP_SHOWWINDOW;
    m_nStateFlags &= ~(delayShow | delayHide);
    if (flags != 0)
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     flags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Only a shown bar (in a shown dock bar) updates its items.
    if ((GetStyle() & WS_VISIBLE) &&
        (m_pDockBar == nullptr || (m_pDockBar->GetStyle() & WS_VISIBLE))) {
        CWnd* owner = GetOwner();
        CFrameWnd* target = owner != nullptr && owner->IsFrameWnd() ? static_cast<CFrameWnd*>(owner)
                                                                    : GetParentFrame();
        if (target != nullptr)
            OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
    }
    return 0;
}

// --- messages ---

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NOTIFY:
        case WM_COMMAND:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_DELETEITEM:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM: {
            // What the bar's children report and the bar does not handle goes to its owner.
            LRESULT result = 0;
            if (OnWndMsg(message, wParam, lParam, &result))
                return result;
            CWnd* owner = GetOwner();
            return owner != nullptr ? owner->SendMessage(message, wParam, lParam) : 0;
        }
        default:
            return CWnd::WindowProc(message, wParam, lParam);
    }
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    CWnd* parent = GetParent();
    if (parent != nullptr && parent->IsFrameWnd()) {
        m_pDockSite = static_cast<CFrameWnd*>(parent);
        m_pDockSite->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy() {
    // A bar that goes leaves its dock bar, so no row keeps a pointer to it.
    if (m_pDockBar != nullptr) {
        CDockBar* dock = m_pDockBar;
        m_pDockBar = nullptr;
        dock->RemoveControlBar(this, -1, -1);
    }
    if (m_pDockSite != nullptr) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
    }
    CWnd::OnDestroy();
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
    // A docked (or floating) bar is dragged by its empty space.
    if (m_pDockBar != nullptr && m_pDockContext != nullptr) {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
    } else {
        CWnd::OnLButtonDown(nFlags, point);
    }
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (m_pDockBar != nullptr && m_pDockContext != nullptr)
        m_pDockContext->ToggleDocking();
    else
        CWnd::OnLButtonDblClk(nFlags, point);
}

int CControlBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    if (!IsFloating())
        return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    // A click into a floating bar keeps the main frame active.
    ActivateTopParent();
    return MA_NOACTIVATE;
}

HBRUSH CControlBar::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    LRESULT brush = 0;
    if (pWnd != nullptr && ReflectLastMsg(pWnd->m_hWnd, &brush))
        return reinterpret_cast<HBRUSH>(brush);
    // Controls on a bar sit on the button face.
    if (nCtlColor == 6 || nCtlColor == 3 || nCtlColor == 4) {  // static, button, dialog
        pDC->SetBkColor(::GetSysColor(COLOR_BTNFACE));
        pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        return ::GetSysColorBrush(COLOR_BTNFACE);
    }
    return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
}

// --- state ---

void CControlBar::GetBarInfo(CControlBarInfo* pInfo) {
    pInfo->m_nBarID = static_cast<UINT>(GetDlgCtrlID());
    pInfo->m_pBar = this;
    pInfo->m_bVisible = IsVisible();
    pInfo->m_nMRUWidth = m_nMRUWidth;
    CRect rect;
    GetWindowRect(&rect);
    if (CWnd* parent = GetParent())
        parent->ScreenToClient(&rect);
    pInfo->m_pointPos = rect.TopLeft();
    pInfo->m_bDocking = m_pDockContext != nullptr;
    if (m_pDockContext != nullptr) {
        pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
        pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
        pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
        pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd*) {
    UINT flags = SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER;
    if (pInfo->m_pointPos.x == -1 && pInfo->m_pointPos.y == -1)
        flags |= SWP_NOMOVE;
    flags |= pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    SetWindowPos(nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0, flags);
    DelayShow(pInfo->m_bVisible);  // clears any delayed show or hide that says otherwise
    m_nMRUWidth = pInfo->m_nMRUWidth;
    if (pInfo->m_bDocking && m_pDockContext != nullptr) {
        m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
        m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
    }
}

// --- drawing ---

void CControlBar::DrawBorders(CDC* pDC, CRect& rect) {
    const DWORD style = m_dwStyle;
    if (!(style & CBRS_BORDER_ANY))
        return;
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    CRect inner = rect;
    if (style & CBRS_BORDER_TOP)
        inner.top += kBarBorder;
    if (style & CBRS_BORDER_BOTTOM)
        inner.bottom -= kBarBorder;
    // A dark line and, inside it, a light one along each bordered side.
    if (style & CBRS_BORDER_LEFT) {
        pDC->FillSolidRect(rect.left, inner.top, 1, inner.Height(), shadow);
        pDC->FillSolidRect(rect.left + 1, inner.top, 1, inner.Height(), highlight);
    }
    if (style & CBRS_BORDER_TOP) {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, shadow);
        pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, highlight);
    }
    if (style & CBRS_BORDER_RIGHT) {
        pDC->FillSolidRect(rect.right - 2, inner.top, 1, inner.Height(), shadow);
        pDC->FillSolidRect(rect.right - 1, inner.top, 1, inner.Height(), highlight);
    }
    if (style & CBRS_BORDER_BOTTOM) {
        pDC->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 1, shadow);
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, highlight);
    }
    if (style & CBRS_BORDER_LEFT)
        rect.left += kBarBorder;
    if (style & CBRS_BORDER_TOP)
        rect.top += kBarBorder;
    if (style & CBRS_BORDER_RIGHT)
        rect.right -= kBarBorder;
    if (style & CBRS_BORDER_BOTTOM)
        rect.bottom -= kBarBorder;
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect) {
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        pDC->Draw3dRect(rect.left + 2, rect.top + m_cyTopBorder, 3,
                        rect.Height() - m_cyTopBorder - m_cyBottomBorder, highlight, shadow);
    } else {
        pDC->Draw3dRect(rect.left + m_cyTopBorder, rect.top + 2,
                        rect.Width() - m_cyTopBorder - m_cyBottomBorder, 3, highlight, shadow);
    }
}

void CControlBar::DoPaint(CDC* pDC) {
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
    DrawGripper(pDC, rect);
}

void CControlBar::OnPaint() {
    CPaintDC dc(this);
    if (IsVisible())
        DoPaint(&dc);
}

void CControlBar::EraseNonClient() {
    CWindowDC dc(this);
    CRect client;
    GetClientRect(&client);
    CRect window;
    GetWindowRect(&window);
    ScreenToClient(&window);
    client.OffsetRect(-window.left, -window.top);
    dc.ExcludeClipRect(&client);
    window.OffsetRect(-window.left, -window.top);
    DrawBorders(&dc, window);
    dc.IntersectClipRect(&window);
    SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC));
    DrawGripper(&dc, window);
}
