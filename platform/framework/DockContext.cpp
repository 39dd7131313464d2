#include "platform/framework/DockContext.h"
#include "platform/framework/InvertedOutline.h"

#include "platform/framework/DockBar.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/MiniDockFrameWnd.h"
#include "platform/gfx/WindowDC.h"
#include "platform/ui/paint/DragOutline.h"

using kq::fw::kBarBorder;

namespace {

bool Horizontal(DWORD style) {
    return (style & CBRS_ORIENT_HORZ) != 0;
}

bool Vertical(DWORD style) {
    return (style & CBRS_ORIENT_VERT) != 0;
}

// Moves the rectangle so that the point lies inside it.
void KeepPointInside(CRect& rect, CPoint pt) {
    const int dx = pt.x < rect.left ? pt.x - rect.left : pt.x > rect.right ? pt.x - rect.right : 0;
    const int dy = pt.y < rect.top ? pt.y - rect.top : pt.y > rect.bottom ? pt.y - rect.bottom : 0;
    rect.OffsetRect(dx, dy);
}

}  // namespace

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar), m_pDockSite(pBar->m_pDockSite) {
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)
        m_dwMRUFloatStyle = pBar->m_dwStyle & (CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC);
    else if (Horizontal(pBar->m_dwStyle))
        m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC);
    else
        m_dwMRUFloatStyle = CBRS_ALIGN_LEFT | (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC);
    // No floating place yet: the first float starts where the bar was docked.
    m_ptMRUFloatPos = CPoint(CW_USEDEFAULT, 0);
}

CDockContext::~CDockContext() = default;

// --- dragging ---

void CDockContext::StartDrag(CPoint pt) {
    if (m_pDockSite == nullptr)
        return;
    m_bDragging = TRUE;
    InitLoop();
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_ptLast = pt;
    if (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        const CSize horz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
        const CSize vert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
        const CSize floating = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
        m_rectDragHorz = CRect(rect.TopLeft(), horz);
        m_rectDragVert = CRect(rect.TopLeft(), vert);
        m_rectFrameDragHorz = CRect(rect.TopLeft(), floating);
        m_rectFrameDragVert = CRect(rect.TopLeft(), floating);
    } else {
        // The other orientation's outline turns around the mouse.
        const bool horz = Horizontal(m_dwStyle);
        const CSize turned =
            m_pBar->CalcDynamicLayout(-1, horz ? LM_VERTDOCK : LM_HORZ | LM_HORZDOCK);
        if (horz) {
            m_rectDragHorz = rect;
            m_rectDragVert = CRect(CPoint(pt.x - rect.Height() / 2, rect.top), turned);
        } else {
            m_rectDragVert = rect;
            m_rectDragHorz = CRect(CPoint(rect.left, pt.y - rect.Width() / 2), turned);
        }
        m_rectFrameDragHorz = m_rectDragHorz;
        m_rectFrameDragVert = m_rectDragVert;
    }
    // The floating frame's borders as it will have them (a sizable one only for a bar that
    // can change its size).
    const DWORD frameStyle =
        WS_CAPTION | ((m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) ? WS_THICKFRAME : 0);
    CMiniFrameWnd::CalcBorders(&m_rectFrameDragHorz, frameStyle);
    CMiniFrameWnd::CalcBorders(&m_rectFrameDragVert, frameStyle);
    KeepPointInside(m_rectDragHorz, pt);
    KeepPointInside(m_rectDragVert, pt);
    KeepPointInside(m_rectFrameDragHorz, pt);
    KeepPointInside(m_rectFrameDragVert, pt);
    m_dwOverDockStyle = CanDock();
    Move(pt);
    Track();
    m_bDragging = FALSE;
}

void CDockContext::Move(CPoint pt) {
    const CSize offset(pt.x - m_ptLast.x, pt.y - m_ptLast.y);
    m_rectDragHorz.OffsetRect(offset);
    m_rectFrameDragHorz.OffsetRect(offset);
    m_rectDragVert.OffsetRect(offset);
    m_rectFrameDragVert.OffsetRect(offset);
    m_ptLast = pt;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::OnKey(int nChar, BOOL bDown) {
    if (nChar == VK_CONTROL) {
        if (m_bForceFrame == bDown)
            return;
        m_bForceFrame = bDown;
    } else if (nChar == VK_SHIFT) {
        if (m_bFlip == bDown)
            return;
        m_bFlip = bDown;
    } else {
        return;
    }
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::EndDrag() {
    CancelLoop();
    if (m_dwOverDockStyle != 0) {
        CDockBar* dock = GetDockBar(m_dwOverDockStyle);
        if (dock == nullptr)
            return;
        const CRect rect = Vertical(m_dwOverDockStyle) ? m_rectDragVert : m_rectDragHorz;
        const auto id = static_cast<UINT>(dock->GetDlgCtrlID());
        if (id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_BOTTOM) {
            m_uMRUDockID = id;
            m_rectMRUDockPos = rect;
            dock->ScreenToClient(&m_rectMRUDockPos);
        }
        m_pDockSite->DockControlBar(m_pBar, dock, &rect);
        m_pDockSite->RecalcLayout();
    } else if ((m_dwStyle & CBRS_SIZE_DYNAMIC) || (Horizontal(m_dwStyle) && !m_bFlip) ||
               (Vertical(m_dwStyle) && m_bFlip)) {
        m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI);
        m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
        m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
    } else {
        m_dwMRUFloatStyle = CBRS_ALIGN_LEFT | (m_dwDockStyle & CBRS_FLOAT_MULTI);
        m_ptMRUFloatPos = m_rectFrameDragVert.TopLeft();
        m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
    }
}

DWORD CDockContext::CanDock() {
    // First the bar's own orientation (flipped with Shift), then, unless flipped, a side
    // that both orientations touch.
    bool horz = Horizontal(m_dwStyle);
    if (m_bFlip)
        horz = !horz;
    DWORD dock = 0;
    if (horz && Horizontal(m_dwDockStyle))
        dock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
    else if (Vertical(m_dwDockStyle))
        dock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
    if (!m_bFlip) {
        if (dock == 0 && Horizontal(m_dwDockStyle)) {
            const DWORD current =
                m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_VERT);
            dock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
            dock = dock == current ? dock : 0;
        }
        if (dock == 0 && Vertical(m_dwDockStyle)) {
            const DWORD current =
                m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
            dock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
            dock = dock == current ? dock : 0;
        }
    }
    return dock;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle) {
    CDockBar* dock = nullptr;
    if (Horizontal(dwOverDockStyle))
        m_pDockSite->CanDock(m_rectDragHorz, dwOverDockStyle & ~CBRS_ORIENT_VERT, &dock);
    else if (Vertical(dwOverDockStyle))
        m_pDockSite->CanDock(m_rectDragVert, dwOverDockStyle & ~CBRS_ORIENT_HORZ, &dock);
    return dock;
}

void CDockContext::ToggleDocking() {
    if (m_pDockSite == nullptr)
        return;
    if (m_pBar->IsFloating()) {
        // Back where it was docked last, if it may dock at all.
        if ((m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY) == 0)
            return;
        CRect rect = m_rectMRUDockPos;
        CDockBar* dock = nullptr;
        if (m_uMRUDockID != 0) {
            dock = DYNAMIC_DOWNCAST(CDockBar, m_pDockSite->GetControlBar(m_uMRUDockID));
            if (dock != nullptr)
                dock->ClientToScreen(&rect);
        }
        m_pDockSite->ReDockControlBar(m_pBar, dock, &rect);
        m_pDockSite->RecalcLayout();
    } else {
        CPoint floatAt = m_ptMRUFloatPos;
        if (floatAt.x < 0 || floatAt.y < 0) {
            floatAt = m_rectMRUDockPos.TopLeft();
            if (CWnd* parent = m_pBar->GetParent())
                parent->ClientToScreen(&floatAt);
        }
        m_pDockSite->FloatControlBar(m_pBar, floatAt, m_dwMRUFloatStyle);
    }
}

// --- resizing a floating bar ---

void CDockContext::StartResize(int nHitTest, CPoint pt) {
    m_bDragging = FALSE;
    InitLoop();
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_ptLast = pt;
    m_nHitTest = nHitTest;
    const CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    m_rectRequestedSize = CRect(rect.TopLeft(), size);
    m_rectActualSize = m_rectRequestedSize;
    // The floating frame as it is around the bar.
    m_rectActualFrameSize = m_rectRequestedSize;
    if (CFrameWnd* floating = m_pBar->GetParentFrame();
        floating != nullptr && floating != m_pDockSite) {
        CRect frame;
        floating->GetWindowRect(&frame);
        m_rectActualFrameSize = CRect(frame.left - rect.left + m_rectRequestedSize.left,
                                      frame.top - rect.top + m_rectRequestedSize.top,
                                      frame.right - rect.right + m_rectRequestedSize.right,
                                      frame.bottom - rect.bottom + m_rectRequestedSize.bottom);
    } else {
        CMiniFrameWnd::CalcBorders(&m_rectActualFrameSize, WS_THICKFRAME | WS_CAPTION);
    }
    m_rectFrameBorders = CRect(m_rectActualFrameSize.left - m_rectActualSize.left,
                               m_rectActualFrameSize.top - m_rectActualSize.top,
                               m_rectActualFrameSize.right - m_rectActualSize.right,
                               m_rectActualFrameSize.bottom - m_rectActualSize.bottom);
    m_dwOverDockStyle = 0;
    Stretch(pt);
    Track();
}

void CDockContext::Stretch(CPoint pt) {
    const CSize offset(pt.x - m_ptLast.x, pt.y - m_ptLast.y);
    int length = 0;
    DWORD mode = LM_HORZ;
    if (m_nHitTest == HTLEFT || m_nHitTest == HTRIGHT) {
        if (m_nHitTest == HTLEFT)
            m_rectRequestedSize.left += offset.cx;
        else
            m_rectRequestedSize.right += offset.cx;
        length = m_rectRequestedSize.Width();
    } else {
        mode |= LM_LENGTHY;
        if (m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT)
            m_rectRequestedSize.top += offset.cy;
        else
            m_rectRequestedSize.bottom += offset.cy;
        length = m_rectRequestedSize.Height();
    }
    const CSize size = m_pBar->CalcDynamicLayout(std::max(length, 0), mode);
    CRect screen;
    ::GetWindowRect(::GetDesktopWindow(), &screen);
    // Borders of the frame around the bar (left and top negative, right and bottom positive).
    const int borderX = m_rectFrameBorders.right - m_rectFrameBorders.left;
    const int borderY = m_rectFrameBorders.bottom - m_rectFrameBorders.top;
    // The edges opposite the dragged ones stay where they are.
    const bool fromLeft =
        m_nHitTest == HTLEFT || m_nHitTest == HTTOPLEFT || m_nHitTest == HTBOTTOMLEFT;
    const bool fromTop = m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT;
    CRect frame = m_rectActualFrameSize;
    if (fromLeft)
        frame.left = frame.right - (size.cx + borderX);
    else
        frame.right = frame.left + size.cx + borderX;
    if (fromTop)
        frame.top = frame.bottom - (size.cy + borderY);
    else
        frame.bottom = frame.top + size.cy + borderY;
    CRect overlap;
    if (overlap.IntersectRect(screen, frame)) {
        if (fromLeft)
            m_rectActualSize.left = m_rectActualSize.right - size.cx;
        else
            m_rectActualSize.right = m_rectActualSize.left + size.cx;
        if (fromTop)
            m_rectActualSize.top = m_rectActualSize.bottom - size.cy;
        else
            m_rectActualSize.bottom = m_rectActualSize.top + size.cy;
        m_rectActualFrameSize = frame;
    }
    m_ptLast = pt;
    DrawFocusRect();
}

void CDockContext::EndResize() {
    CancelLoop();
    m_pBar->CalcDynamicLayout(m_rectActualSize.Width(), LM_HORZ | LM_COMMIT);
    m_pDockSite->FloatControlBar(
        m_pBar, m_rectActualFrameSize.TopLeft(),
        CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI) | CBRS_SIZE_DYNAMIC);
}

// --- the tracking loop ---

void CDockContext::InitLoop() {
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle & CBRS_ALIGN_ANY;
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bForceFrame = m_bFlip = m_bDitherLast = FALSE;
    m_bTracking = true;
}

void CDockContext::CancelLoop() {
    DrawFocusRect(TRUE);
    m_bTracking = false;
    if (::GetCapture() == m_pBar->m_hWnd)
        ::ReleaseCapture();
}

BOOL CDockContext::Track() {
    if (::GetCapture() != nullptr) {
        CancelLoop();
        return FALSE;
    }
    m_pBar->SetCapture();
    while (::GetCapture() == m_pBar->m_hWnd) {
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message) {
            case WM_LBUTTONUP:
                if (m_bDragging)
                    EndDrag();
                else
                    EndResize();
                return TRUE;
            case WM_MOUSEMOVE:
                if (m_bDragging)
                    Move(CPoint(msg.pt));
                else
                    Stretch(CPoint(msg.pt));
                break;
            case WM_KEYUP:
                if (m_bDragging)
                    OnKey(static_cast<int>(msg.wParam), FALSE);
                break;
            case WM_KEYDOWN:
                if (m_bDragging)
                    OnKey(static_cast<int>(msg.wParam), TRUE);
                if (msg.wParam == VK_ESCAPE) {
                    CancelLoop();
                    return FALSE;
                }
                break;
            case WM_RBUTTONDOWN:
                CancelLoop();
                return FALSE;
            default:
                ::DispatchMessage(&msg);
                break;
        }
    }
    CancelLoop();
    return FALSE;
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect) {
    // The outline is drawn inverted on the screen, so drawing it again takes it away.
    CRect rect;
    CSize size;
    BOOL dither = FALSE;
    if (!bRemoveRect && m_bTracking) {
        if (m_bDragging && m_dwOverDockStyle != 0) {
            rect = Vertical(m_dwOverDockStyle) ? m_rectDragVert : m_rectDragHorz;
            size = CSize(1, 1);
        } else if (m_bDragging) {
            const bool horz = (m_dwStyle & CBRS_SIZE_DYNAMIC) ||
                              (Horizontal(m_dwStyle) && !m_bFlip) ||
                              (Vertical(m_dwStyle) && m_bFlip);
            rect = horz ? m_rectFrameDragHorz : m_rectFrameDragVert;
            size = CSize(3, 3);
            dither = TRUE;
        } else {
            rect = m_rectActualFrameSize;
            size = CSize(3, 3);
            dither = TRUE;
        }
    }
    if (rect == m_rectLast && size == m_sizeLast && dither == m_bDitherLast)
        return;
    // Where the back end lays it over the whole desktop, the screen is left alone.
    if (!kq::ui::ShowDragOutline(rect, size, dither != FALSE)) {
        CWindowDC dc(CWnd::GetDesktopWindow());
        if (dc.m_hDC != nullptr) {
            kq::fw::InvertOutline(dc, m_rectLast, m_sizeLast, m_bDitherLast != FALSE);
            kq::fw::InvertOutline(dc, rect, size, dither != FALSE);
        }
    }
    m_rectLast = rect;
    m_sizeLast = size;
    m_bDitherLast = dither;
}
