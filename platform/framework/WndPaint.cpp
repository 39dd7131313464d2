// CWnd members for painting and window DCs.
#include "platform/framework/Wnd.h"
#include "platform/gfx/CDC.h"
#include "platform/gfx/GdiWrappers.h"
#include "platform/ui/paint/ScrollWindow.h"
#include "platform/ui/paint/WindowDcs.h"

namespace {

HRGN RegionOf(CRgn* rgn) {
    return rgn != nullptr ? static_cast<HRGN>(rgn->GetSafeHandle()) : nullptr;
}

}  // namespace

void CWnd::Invalidate(BOOL bErase) {
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) {
    ::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::ValidateRect(LPCRECT lpRect) {
    ::ValidateRect(m_hWnd, lpRect);
}

void CWnd::UpdateWindow() {
    ::UpdateWindow(m_hWnd);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags) {
    return ::RedrawWindow(m_hWnd, lpRectUpdate, RegionOf(prgnUpdate), flags);
}

BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase) {
    return ::GetUpdateRect(m_hWnd, lpRect, bErase);
}

CDC* CWnd::GetDC() {
    HDC hdc = ::GetDC(m_hWnd);
    return hdc != nullptr ? CDC::FromHandle(hdc) : nullptr;
}

CDC* CWnd::GetWindowDC() {
    HDC hdc = ::GetWindowDC(m_hWnd);
    return hdc != nullptr ? CDC::FromHandle(hdc) : nullptr;
}

CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags) {
    // With DCX_INTERSECTRGN/DCX_EXCLUDERGN the DC takes the region over, so it must leave the
    // caller's wrapper.
    HRGN clip = RegionOf(prgnClip);
    if (clip != nullptr && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)))
        prgnClip->Detach();
    HDC hdc = ::GetDCEx(m_hWnd, clip, flags);
    return hdc != nullptr ? CDC::FromHandle(hdc) : nullptr;
}

int CWnd::ReleaseDC(CDC* pDC) {
    return pDC != nullptr ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0;
}

void CWnd::SetRedraw(BOOL bRedraw) {
    ::SendMessage(m_hWnd, WM_SETREDRAW, static_cast<WPARAM>(bRedraw), 0);
}

BOOL CWnd::LockWindowUpdate() {
    return ::LockWindowUpdate(m_hWnd);
}

void CWnd::UnlockWindowUpdate() {
    ::LockWindowUpdate(nullptr);
}
