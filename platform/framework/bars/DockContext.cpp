#include "platform/framework/bars/DockContext.h"

#include <map>

#include "platform/framework/bars/DockBar.h"
#include "platform/framework/bars/Docking.h"

namespace {

// The drags in progress by their tracker window: a hidden window holds the capture during a
// drag, so that the bar's own mouse handling stays out of it.
std::map<HWND, CDockContext*>& Drags() {
    static std::map<HWND, CDockContext*> drags;
    return drags;
}

LRESULT CALLBACK TrackerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = Drags().find(hWnd);
    if (found == Drags().end())
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    CDockContext* context = found->second;
    switch (message) {
        case WM_MOUSEMOVE: {
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ::ClientToScreen(hWnd, &pt);
            context->Move(pt);
            return 0;
        }
        case WM_LBUTTONUP:
            context->EndDrag();
            return 0;
        case WM_RBUTTONDOWN:
        case WM_CANCELMODE:
            context->CancelDrag();
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hWnd)
                context->CancelDrag();
            return 0;
        default:
            return ::DefWindowProc(hWnd, message, wParam, lParam);
    }
}

LPCTSTR TrackerClass() {
    static const char* name = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = &TrackerProc;
        wc.lpszClassName = "KqDockTracker";
        ::RegisterClass(&wc);
        return "KqDockTracker";
    }();
    return name;
}

}  // namespace

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar), m_pDockSite(pBar->m_pDockSite) {}

CDockContext::~CDockContext() {
    if (m_hWndTracker != nullptr) {
        Drags().erase(m_hWndTracker);
        ::DestroyWindow(m_hWndTracker);
    }
}

void CDockContext::StartDrag(CPoint pt) {
    if (m_bDragging)
        return;
    m_pDockSite = m_pBar->GetDockingFrame();
    m_pBar->GetWindowRect(&m_rectLast);
    m_ptLast = pt;
    m_ptStart = pt;
    m_pDockTarget = m_pBar->IsFloating() ? nullptr : m_pBar->m_pDockBar;
    m_sizeFrameOffset = CSize(0, 0);
    if (m_pBar->IsFloating()) {
        CRect frame;
        m_pBar->GetParentFrame()->GetWindowRect(&frame);
        m_sizeFrameOffset = frame.TopLeft() - m_rectLast.TopLeft();
    }
    if (m_hWndTracker == nullptr) {
        m_hWndTracker = ::CreateWindowEx(0, TrackerClass(), "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                         nullptr, nullptr, nullptr);
        Drags()[m_hWndTracker] = this;
    }
    m_bDragging = TRUE;
    ::SetCapture(m_hWndTracker);
}

void CDockContext::Move(CPoint pt) {
    if (!m_bDragging)
        return;
    m_rectLast.OffsetRect(pt.x - m_ptLast.x, pt.y - m_ptLast.y);
    m_ptLast = pt;
    m_pDockTarget = kq::fw::CanDock(m_pDockSite, m_rectLast, m_pBar->m_dwDockStyle);
}

void CDockContext::CancelDrag() {
    if (!m_bDragging)
        return;
    m_bDragging = FALSE;
    if (::GetCapture() == m_hWndTracker)
        ::ReleaseCapture();
}

void CDockContext::EndDrag() {
    if (!m_bDragging)
        return;
    CancelDrag();
    if (m_ptLast == m_ptStart)
        return;  // a click, not a move
    if (m_pDockTarget != nullptr) {
        kq::fw::DockControlBar(m_pDockSite, m_pBar, m_pDockTarget, &m_rectLast);
    } else {
        kq::fw::FloatControlBar(m_pDockSite, m_pBar, m_rectLast.TopLeft() + m_sizeFrameOffset,
                                m_pBar->IsHorz() ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
    }
    m_pDockSite->RecalcLayout();
}

void CDockContext::ToggleDocking() {
    if (m_pBar->IsFloating()) {
        // Back to where it was docked last, else the first side it may dock at.
        CRect place = m_rectMRUDockPos;
        kq::fw::DockControlBar(m_pDockSite, m_pBar, m_uMRUDockID,
                               m_uMRUDockID != 0 && !place.IsRectEmpty() ? &place : nullptr);
    } else {
        CPoint point = m_ptMRUFloatPos;
        if (m_dwMRUFloatStyle == 0) {
            CRect rect;
            m_pBar->GetWindowRect(&rect);
            point = rect.TopLeft();
        }
        kq::fw::FloatControlBar(m_pDockSite, m_pBar, point,
                                m_dwMRUFloatStyle != 0 ? m_dwMRUFloatStyle : CBRS_ALIGN_TOP);
    }
    m_pDockSite->RecalcLayout();
}
