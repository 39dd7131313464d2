// CWnd members that pass straight to the window system.
#include <cerrno>
#include <cstdlib>

#include "platform/framework/FrameWnd.h"
#include "platform/framework/Menu.h"
#include "platform/framework/Wnd.h"
#include "platform/framework/detail/ControlMessages.h"
#include "platform/gfx/GdiWrappers.h"

namespace ctl = kq::fw::ctl;

// --- styles, text, ids ---

DWORD CWnd::GetStyle() const {
    return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const {
    return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_EXSTYLE));
}

namespace {

BOOL ModifyStyleOf(HWND hWnd, int index, DWORD remove, DWORD add, UINT flags) {
    const auto style = static_cast<DWORD>(::GetWindowLong(hWnd, index));
    const DWORD changed = (style & ~remove) | add;
    if (style == changed)
        return FALSE;
    ::SetWindowLong(hWnd, index, static_cast<LONG>(changed));
    if (flags != 0) {
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    }
    return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyleOf(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyleOf(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

void CWnd::SetWindowText(LPCTSTR lpszString) {
    ::SetWindowText(m_hWnd, lpszString);
}

void CWnd::GetWindowText(CString& rString) const {
    const int length = ::GetWindowTextLength(m_hWnd);
    char* buffer = rString.GetBuffer(length + 1);
    const int got = ::GetWindowText(m_hWnd, buffer, length + 1);
    rString.ReleaseBuffer(got);
}

int CWnd::GetWindowTextLength() const {
    return ::GetWindowTextLength(m_hWnd);
}

int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}

int CWnd::SetDlgCtrlID(int nID) {
    return static_cast<int>(::SetWindowLong(m_hWnd, GWL_ID, nID));
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont != nullptr ? pFont->m_hObject : nullptr),
                bRedraw);
}

CFont* CWnd::GetFont() const {
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

void AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew) {
    const char* text = lpszNew != nullptr ? lpszNew : "";
    CString old;
    const int length = ::GetWindowTextLength(hWndCtrl);
    char* buffer = old.GetBuffer(length + 1);
    old.ReleaseBuffer(::GetWindowText(hWndCtrl, buffer, length + 1));
    if (old != text)
        ::SetWindowText(hWndCtrl, text);
}

// --- dialog items ---

CWnd* CWnd::GetDlgItem(int nID) const {
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

void CWnd::GetDlgItem(int nID, HWND* phWnd) const {
    *phWnd = ::GetDlgItem(m_hWnd, nID);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
    rString.Empty();
    HWND item = ::GetDlgItem(m_hWnd, nID);
    if (item == nullptr)
        return 0;
    CWnd temp;
    temp.m_hWnd = item;
    temp.GetWindowText(rString);
    temp.m_hWnd = nullptr;
    return rString.GetLength();
}

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) {
    if (HWND item = ::GetDlgItem(m_hWnd, nID))
        ::SetWindowText(item, lpszString);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) {
    SendDlgItemMessage(nIDButton, ctl::kBmSetCheck, nCheck, 0);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const {
    return static_cast<UINT>(SendDlgItemMessage(nIDButton, ctl::kBmGetCheck, 0, 0));
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        CheckDlgButton(id, id == nIDCheckButton ? 1 : 0);
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const {
    HWND item = ::GetDlgItem(m_hWnd, nID);
    return item != nullptr ? ::SendMessage(item, message, wParam, lParam) : 0;
}

// --- relations ---

namespace {

HWND ParentOrOwner(HWND hWnd) {
    if (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}

}  // namespace

CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent) {
    return FromHandle(
        ::SetParent(m_hWnd, pWndNewParent != nullptr ? pWndNewParent->m_hWnd : nullptr));
}

CWnd* CWnd::GetOwner() const {
    return m_hWndOwner != nullptr ? FromHandle(m_hWndOwner) : GetParent();
}

CWnd* CWnd::GetTopLevelParent() const {
    if (m_hWnd == nullptr)
        return nullptr;
    HWND top = m_hWnd;
    while (HWND up = ParentOrOwner(top))
        top = up;
    return FromHandle(top);
}

CFrameWnd* CWnd::GetParentFrame() const {
    if (m_hWnd == nullptr)
        return nullptr;
    for (CWnd* parent = GetParent(); parent != nullptr; parent = parent->GetParent()) {
        if (parent->IsFrameWnd())
            return static_cast<CFrameWnd*>(parent);
    }
    return nullptr;
}

CWnd* CWnd::GetWindow(UINT nCmd) const {
    return FromHandle(::GetWindow(m_hWnd, nCmd));
}

BOOL CWnd::IsChild(const CWnd* pWnd) const {
    return pWnd != nullptr && ::IsChild(m_hWnd, pWnd->m_hWnd);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const {
    return GetDescendantWindow(m_hWnd, nID, bOnlyPerm);
}

CWnd* CWnd::GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm) {
    // Direct children first; a child's own descendant with the same id comes before it.
    if (HWND child = ::GetDlgItem(hWnd, nID)) {
        if (::GetTopWindow(child) != nullptr) {
            if (CWnd* deeper = GetDescendantWindow(child, nID, bOnlyPerm))
                return deeper;
        }
        if (!bOnlyPerm)
            return FromHandle(child);
        if (CWnd* perm = FromHandlePermanent(child))
            return perm;
    }
    for (HWND child = ::GetTopWindow(hWnd); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (CWnd* found = GetDescendantWindow(child, nID, bOnlyPerm))
            return found;
    }
    return nullptr;
}

CWnd* CWnd::WindowFromPoint(POINT point) {
    return FromHandle(::WindowFromPoint(point));
}

CWnd* CWnd::GetDesktopWindow() {
    return FromHandle(::GetDesktopWindow());
}

// --- state and geometry ---

BOOL CWnd::ShowWindow(int nCmdShow) {
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd);
}

BOOL CWnd::IsZoomed() const {
    return ::IsZoomed(m_hWnd);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, pWndInsertAfter != nullptr ? pWndInsertAfter->m_hWnd : nullptr, x,
                          y, cx, cy, nFlags);
}

void CWnd::GetWindowRect(LPRECT lpRect) const {
    ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::GetClientRect(LPRECT lpRect) const {
    ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const {
    ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const {
    ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::BringWindowToTop() {
    ::BringWindowToTop(m_hWnd);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    const DWORD style = GetStyle();
    HWND center = pAlternateOwner != nullptr ? pAlternateOwner->m_hWnd : nullptr;
    if (pAlternateOwner == nullptr) {
        center = (style & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
        if (center != nullptr) {
            if (HWND asked = reinterpret_cast<HWND>(::SendMessage(center, WM_QUERYCENTERWND, 0, 0)))
                center = asked;
        }
    }
    CRect window;
    GetWindowRect(&window);
    CRect area;
    CRect centerRect;
    if (!(style & WS_CHILD)) {
        // A hidden owner gives way to the window the operator sees.
        if (center != nullptr)
            center = kq::ui::OwnerInSight(center, m_hWnd);
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        if (center == nullptr) {
            ::GetMonitorInfo(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &mi);
            centerRect = mi.rcWork;
        } else {
            ::GetWindowRect(center, &centerRect);
            ::GetMonitorInfo(::MonitorFromWindow(center, MONITOR_DEFAULTTONEAREST), &mi);
        }
        area = mi.rcWork;
    } else {
        HWND parent = ::GetParent(m_hWnd);
        ::GetClientRect(parent, &area);
        if (center == nullptr)
            center = parent;
        ::GetClientRect(center, &centerRect);
        ::MapWindowPoints(center, parent, reinterpret_cast<LPPOINT>(&centerRect), 2);
    }
    int left = (centerRect.left + centerRect.right) / 2 - window.Width() / 2;
    int top = (centerRect.top + centerRect.bottom) / 2 - window.Height() / 2;
    if (left + window.Width() > area.right)
        left = area.right - window.Width();
    if (left < area.left)
        left = area.left;
    if (top + window.Height() > area.bottom)
        top = area.bottom - window.Height();
    if (top < area.top)
        top = area.top;
    SetWindowPos(nullptr, left, top, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::IsTopParentActive() const {
    CWnd* top = GetTopLevelParent();
    return top != nullptr && ::GetActiveWindow() == top->m_hWnd;
}

void CWnd::ActivateTopParent() {
    HWND active = ::GetActiveWindow();
    if (active == nullptr || !(active == m_hWnd || ::IsChild(active, m_hWnd))) {
        if (CWnd* top = GetTopLevelParent())
            ::SetForegroundWindow(top->m_hWnd);
    }
}

// --- menu bar ---

CMenu* CWnd::GetMenu() const {
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu) {
    return ::SetMenu(m_hWnd, pMenu != nullptr ? pMenu->m_hMenu : nullptr);
}

void CWnd::DrawMenuBar() {
    ::DrawMenuBar(m_hWnd);
}

// --- focus, activation, capture ---

CWnd* CWnd::SetFocus() {
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::GetFocus() {
    return FromHandle(::GetFocus());
}

CWnd* CWnd::SetActiveWindow() {
    return FromHandle(::SetActiveWindow(m_hWnd));
}

BOOL CWnd::SetForegroundWindow() {
    return ::SetForegroundWindow(m_hWnd);
}

CWnd* CWnd::SetCapture() {
    return FromHandle(::SetCapture(m_hWnd));
}

CWnd* CWnd::GetCapture() {
    return FromHandle(::GetCapture());
}

// --- timers and caret ---

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) {
    return ::KillTimer(m_hWnd, nIDEvent);
}
