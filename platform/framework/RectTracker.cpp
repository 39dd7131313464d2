#include "platform/framework/RectTracker.h"

#include <algorithm>
#include <cstdlib>

#include "platform/framework/InvertedOutline.h"
#include "platform/framework/Wnd.h"
#include "platform/gfx/CDC.h"
#include "platform/gfx/GdiWrappers.h"
#include "platform/gfx/WindowDC.h"
#include "platform/ui/WinUser.h"

namespace {

CRect Normalized(const CRect& rect) {
    CRect r = rect;
    r.NormalizeRect();
    return r;
}

}  // namespace

CRectTracker::CRectTracker() = default;

CRectTracker::CRectTracker(LPCRECT lpSrcRect, UINT nStyle) : m_nStyle(nStyle), m_rect(lpSrcRect) {}

int CRectTracker::GetHandleSize(LPCRECT lpRect) const {
    const CRect rect = lpRect != nullptr ? CRect(lpRect) : m_rect;
    int size = m_nHandleSize;
    if (!(m_nStyle & resizeOutside)) {
        // Inside handles of a small rectangle shrink so that they never overlap.
        const int sizeMax = std::min(std::abs(rect.Width()), std::abs(rect.Height()));
        if (size * 2 > sizeMax)
            size = sizeMax / 2;
    }
    return size;
}

UINT CRectTracker::GetHandleMask() const {
    UINT mask = 0x0F;  // the corners
    const int size = m_nHandleSize * 3;
    if (std::abs(m_rect.Width()) - size > 4)
        mask |= 0x50;  // top and bottom
    if (std::abs(m_rect.Height()) - size > 4)
        mask |= 0xA0;  // right and left
    return mask;
}

void CRectTracker::GetHandleRect(int nHandle, CRect* pHandleRect) const {
    const CRect r = Normalized(m_rect);
    const int s = GetHandleSize(&r);
    const bool outside = (m_nStyle & resizeOutside) != 0;
    // Outside handles sit just beyond the edges, inside ones just within them.
    const int left = outside ? r.left - s : r.left;
    const int top = outside ? r.top - s : r.top;
    const int right = outside ? r.right : r.right - s;
    const int bottom = outside ? r.bottom : r.bottom - s;
    const int centreX = r.left + (r.Width() - s) / 2;
    const int centreY = r.top + (r.Height() - s) / 2;
    int x = 0;
    int y = 0;
    switch (nHandle) {
        case hitTopLeft:
            x = left, y = top;
            break;
        case hitTopRight:
            x = right, y = top;
            break;
        case hitBottomRight:
            x = right, y = bottom;
            break;
        case hitBottomLeft:
            x = left, y = bottom;
            break;
        case hitTop:
            x = centreX, y = top;
            break;
        case hitRight:
            x = right, y = centreY;
            break;
        case hitBottom:
            x = centreX, y = bottom;
            break;
        case hitLeft:
            x = left, y = centreY;
            break;
        default:
            pHandleRect->SetRectEmpty();
            return;
    }
    pHandleRect->SetRect(x, y, x + s, y + s);
}

void CRectTracker::GetTrueRect(LPRECT lpTrueRect) const {
    CRect rect = Normalized(m_rect);
    int inflate = 0;
    if (m_nStyle & (resizeOutside | hatchedBorder))
        inflate = GetHandleSize(&rect);
    if ((m_nStyle & (solidLine | dottedLine)) && inflate == 0)
        inflate = 1;
    rect.InflateRect(inflate, inflate);
    *lpTrueRect = rect;
}

int CRectTracker::HitTestHandles(CPoint point) const {
    if (m_nStyle & (resizeInside | resizeOutside)) {
        const UINT mask = GetHandleMask();
        for (int i = 0; i < 8; ++i) {
            CRect handle;
            if (!(mask & (1u << i)))
                continue;
            GetHandleRect(i, &handle);
            if (handle.PtInRect(point))
                return i;
        }
    }
    CRect rectTrue;
    GetTrueRect(&rectTrue);
    return rectTrue.PtInRect(point) ? hitMiddle : hitNothing;
}

int CRectTracker::NormalizeHit(int nHandle) const {
    if (nHandle == hitMiddle || nHandle == hitNothing)
        return nHandle;
    // The same corner or side, with left and right (and top and bottom) exchanged where the
    // rectangle is inverted.
    static constexpr int kMirrorX[] = {hitTopRight, hitTopLeft, hitBottomLeft, hitBottomRight,
                                       hitTop,      hitLeft,    hitBottom,     hitRight};
    static constexpr int kMirrorY[] = {hitBottomLeft, hitBottomRight, hitTopRight, hitTopLeft,
                                       hitBottom,     hitRight,       hitTop,      hitLeft};
    if (m_rect.Width() < 0)
        nHandle = kMirrorX[nHandle];
    if (m_rect.Height() < 0)
        nHandle = kMirrorY[nHandle];
    return nHandle;
}

int CRectTracker::HitTest(CPoint point) const {
    return HitTestHandles(point);
}

BOOL CRectTracker::SetCursor(CWnd* pWnd, UINT nHitTest) const {
    if (nHitTest != HTCLIENT || pWnd == nullptr)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    pWnd->ScreenToClient(&point);
    const int hit = HitTest(point);
    if (hit < 0)
        return FALSE;
    LPCSTR cursor = IDC_SIZEALL;
    switch (hit) {
        case hitTopLeft:
        case hitBottomRight:
            cursor = IDC_SIZENWSE;
            break;
        case hitTopRight:
        case hitBottomLeft:
            cursor = IDC_SIZENESW;
            break;
        case hitTop:
        case hitBottom:
            cursor = IDC_SIZENS;
            break;
        case hitLeft:
        case hitRight:
            cursor = IDC_SIZEWE;
            break;
        default:
            break;
    }
    ::SetCursor(::LoadCursor(nullptr, cursor));
    return TRUE;
}

void CRectTracker::Draw(CDC* pDC) const {
    if (pDC == nullptr || pDC->m_hDC == nullptr)
        return;
    const int saved = pDC->SaveDC();
    pDC->SetMapMode(MM_TEXT);
    pDC->SetViewportOrg(0, 0);
    pDC->SetWindowOrg(0, 0);
    const CRect rect = Normalized(m_rect);

    if (m_nStyle & (solidLine | dottedLine)) {
        CPen pen((m_nStyle & dottedLine) ? PS_DOT : PS_SOLID, 0, RGB(0, 0, 0));
        CPen* oldPen = pDC->SelectObject(&pen);
        CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
        pDC->SetBkMode(OPAQUE);
        pDC->SetBkColor(RGB(255, 255, 255));
        pDC->Rectangle(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        pDC->SelectObject(oldPen);
        pDC->SelectObject(oldBrush);
    }

    if (m_nStyle & (hatchInside | hatchedBorder)) {
        CBrush hatch(HS_BDIAGONAL, RGB(0, 0, 0));
        CBrush* oldBrush = pDC->SelectObject(&hatch);
        CGdiObject* oldPen = pDC->SelectStockObject(NULL_PEN);
        pDC->SetBkMode(TRANSPARENT);
        // With the null pen a rectangle fills one pixel less to the right and below.
        auto fill = [pDC](int l, int t, int r, int b) {
            if (r > l && b > t)
                pDC->Rectangle(l, t, r + 1, b + 1);
        };
        if (m_nStyle & hatchInside)
            fill(rect.left + 1, rect.top + 1, rect.right, rect.bottom);
        if (m_nStyle & hatchedBorder) {
            CRect rectTrue;
            GetTrueRect(&rectTrue);
            fill(rectTrue.left, rectTrue.top, rectTrue.right, rect.top);
            fill(rectTrue.left, rect.bottom, rectTrue.right, rectTrue.bottom);
            fill(rectTrue.left, rect.top, rect.left, rect.bottom);
            fill(rect.right, rect.top, rectTrue.right, rect.bottom);
        }
        pDC->SelectObject(oldBrush);
        pDC->SelectObject(oldPen);
    }

    if (m_nStyle & (resizeInside | resizeOutside)) {
        const UINT mask = GetHandleMask();
        for (int i = 0; i < 8; ++i) {
            if (!(mask & (1u << i)))
                continue;
            CRect handle;
            GetHandleRect(i, &handle);
            pDC->FillSolidRect(&handle, RGB(0, 0, 0));
        }
    }
    pDC->RestoreDC(saved);
}

void CRectTracker::GetModifyPointers(int nHandle, LONG** ppx, LONG** ppy) {
    *ppx = nullptr;
    *ppy = nullptr;
    switch (nHandle) {
        case hitTopLeft:
            *ppx = &m_rect.left, *ppy = &m_rect.top;
            break;
        case hitTopRight:
            *ppx = &m_rect.right, *ppy = &m_rect.top;
            break;
        case hitBottomRight:
            *ppx = &m_rect.right, *ppy = &m_rect.bottom;
            break;
        case hitBottomLeft:
            *ppx = &m_rect.left, *ppy = &m_rect.bottom;
            break;
        case hitTop:
            *ppy = &m_rect.top;
            break;
        case hitRight:
            *ppx = &m_rect.right;
            break;
        case hitBottom:
            *ppy = &m_rect.bottom;
            break;
        case hitLeft:
            *ppx = &m_rect.left;
            break;
        case hitMiddle:
            *ppx = &m_rect.left, *ppy = &m_rect.top;
            break;
        default:
            break;
    }
}

void CRectTracker::AdjustRect(int nHandle, LPRECT lpRect) {
    if (nHandle == hitMiddle || nHandle < 0)
        return;
    LONG* px = nullptr;
    LONG* py = nullptr;
    GetModifyPointers(nHandle, &px, &py);
    // The moved edge stays at least the minimum size away from the opposite one, on the side
    // it is on (or on its original side when the rectangle may not be inverted).
    auto keep = [this](LONG* moved, LONG& low, LONG& high, LONG minimum) {
        const LONG opposite = moved == &low ? high : low;
        const LONG sign = moved == &low ? -1 : 1;  // the side the edge belongs on
        LONG distance = (*moved - opposite) * sign;
        if (m_bAllowInvert && distance < 0) {
            if (-distance < minimum)
                *moved = opposite - sign * minimum;
            return;
        }
        if (distance < minimum)
            *moved = opposite + sign * minimum;
    };
    CRect& r = *reinterpret_cast<CRect*>(lpRect);
    if (px != nullptr) {
        LONG* edge = px == &m_rect.left ? &r.left : &r.right;
        keep(edge, r.left, r.right, m_sizeMin.cx);
    }
    if (py != nullptr) {
        LONG* edge = py == &m_rect.top ? &r.top : &r.bottom;
        keep(edge, r.top, r.bottom, m_sizeMin.cy);
    }
}

void CRectTracker::OnChangedRect(const CRect& /*rectOld*/) {}

void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) {
    CRect rect = Normalized(CRect(lpRect));
    if (pWndClipTo != nullptr && pWndClipTo != pWnd && pWnd != nullptr)
        ::MapWindowPoints(pWnd->GetSafeHwnd(), pWndClipTo->GetSafeHwnd(),
                          reinterpret_cast<LPPOINT>(&rect), 2);
    CSize size(0, 0);
    if (!m_bFinalErase) {
        // A hatched border is followed by a thick outline, everything else by a thin one.
        if (m_nStyle & hatchedBorder) {
            const int thickness = std::max(1, GetHandleSize(&rect) - 1);
            size.SetSize(thickness, thickness);
            rect.InflateRect(size);
        } else {
            size.SetSize(1, 1);
        }
    }
    kq::fw::InvertOutline(*pDC, m_rectLast, m_sizeLast, true);
    kq::fw::InvertOutline(*pDC, rect, size, true);
    m_rectLast = rect;
    m_sizeLast = size;
}

BOOL CRectTracker::Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo) {
    const int hit = HitTestHandles(point);
    if (hit < 0)
        return FALSE;
    m_bAllowInvert = bAllowInvert;
    return TrackHandle(NormalizeHit(hit), pWnd, point, pWndClipTo);
}

BOOL CRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert) {
    m_bAllowInvert = bAllowInvert;
    m_rect.SetRect(point.x, point.y, point.x, point.y);
    return TrackHandle(hitBottomRight, pWnd, point, nullptr);
}

BOOL CRectTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo) {
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr || ::GetCapture() != nullptr)
        return FALSE;
    // Whatever waits to be painted is painted first: the outline is drawn over the screen
    // as it is and must not be painted over while it shows.
    pWnd->UpdateWindow();
    if (pWndClipTo != nullptr)
        pWndClipTo->UpdateWindow();

    const CRect rectSave = m_rect;
    LONG* px = nullptr;
    LONG* py = nullptr;
    GetModifyPointers(nHandle, &px, &py);
    const LONG xDiff = px != nullptr ? point.x - *px : 0;
    const LONG yDiff = py != nullptr ? point.y - *py : 0;
    const CSize moveSize = m_rect.Size();

    pWnd->SetCapture();
    CClientDC dc(pWndClipTo != nullptr ? pWndClipTo : pWnd);
    m_rectLast.SetRectEmpty();
    m_sizeLast.SetSize(0, 0);
    m_bErase = FALSE;
    m_bFinalErase = FALSE;
    bool moved = false;
    bool cancelled = false;

    for (;;) {
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            cancelled = true;
            break;
        }
        if (::GetCapture() != pWnd->GetSafeHwnd()) {
            ::DispatchMessage(&msg);
            cancelled = true;
            break;
        }
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            CPoint pt(msg.pt);
            pWnd->ScreenToClient(&pt);
            const CRect rectOld = m_rect;
            if (px != nullptr)
                *px = pt.x - xDiff;
            if (py != nullptr)
                *py = pt.y - yDiff;
            if (nHandle == hitMiddle) {
                m_rect.right = m_rect.left + moveSize.cx;
                m_rect.bottom = m_rect.top + moveSize.cy;
            }
            AdjustRect(nHandle, &m_rect);
            m_bFinalErase = msg.message == WM_LBUTTONUP;
            const bool changed = rectOld != m_rect;
            if (changed || m_bFinalErase) {
                if (moved) {
                    m_bErase = TRUE;
                    DrawTrackerRect(&rectOld, pWndClipTo, &dc, pWnd);
                }
                OnChangedRect(rectOld);
                if (!m_bFinalErase)
                    moved = true;
            }
            if (m_bFinalErase)
                break;
            if (changed) {
                m_bErase = FALSE;
                DrawTrackerRect(&m_rect, pWndClipTo, &dc, pWnd);
            }
            continue;
        }
        if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) ||
            msg.message == WM_RBUTTONDOWN) {
            cancelled = true;
            break;
        }
        if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR)
            continue;  // the keyboard belongs to the loop while it runs
        ::DispatchMessage(&msg);
    }

    if (cancelled) {
        if (moved) {
            m_bErase = m_bFinalErase = TRUE;
            DrawTrackerRect(&m_rect, pWndClipTo, &dc, pWnd);
        }
        m_rect = rectSave;
    }
    m_bFinalErase = FALSE;
    m_bErase = FALSE;
    if (::GetCapture() == pWnd->GetSafeHwnd())
        ::ReleaseCapture();
    if (!m_bAllowInvert)
        m_rect.NormalizeRect();
    return !cancelled && rectSave != m_rect;
}
