#include "platform/framework/commctrl/ToolTipCtrl.h"

#include <vector>

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {

template <class T = LRESULT>
T Send(const CWnd* wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return static_cast<T>(::SendMessage(wnd->m_hWnd, message, wParam, lParam));
}

}  // namespace

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
    return CWnd::CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASS, nullptr,
                          WS_POPUP | dwStyle, 0, 0, 0, 0,
                          pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, nullptr);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) {
    ti = TOOLINFO{};
    ti.cbSize = sizeof ti;
    HWND hwnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    if (nIDTool == 0) {
        ti.hwnd = ::GetParent(hwnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = reinterpret_cast<UINT_PTR>(hwnd);
    } else {
        ti.hwnd = hwnd;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
    if (!pWnd)
        return FALSE;
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool)
        ti.rect = *lpRectTool;
    ti.uFlags |= TTF_SUBCLASS;
    ti.lpszText = const_cast<LPTSTR>(lpszText);
    // A window tool without a parent stands for itself and notifies itself.
    if (!ti.hwnd)
        ti.hwnd = pWnd->GetSafeHwnd();
    return Send<BOOL>(this, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (!ti.hwnd && pWnd)
        ti.hwnd = pWnd->GetSafeHwnd();
    Send(this, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (!ti.hwnd && pWnd)
        ti.hwnd = pWnd->GetSafeHwnd();
    ti.lpszText = const_cast<LPTSTR>(lpszText);
    Send(this, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const {
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (!ti.hwnd && pWnd)
        ti.hwnd = pWnd->GetSafeHwnd();
    std::vector<char> buffer(1024, '\0');
    ti.lpszText = buffer.data();
    Send(this, TTM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(&ti));
    str = buffer.data();
}

int CToolTipCtrl::GetToolCount() const {
    return Send<int>(this, TTM_GETTOOLCOUNT);
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg) {
    Send(this, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg));
}

void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime) {
    Send(this, TTM_SETDELAYTIME, dwDuration, MAKELPARAM(static_cast<DWORD>(iTime), 0));
}

int CToolTipCtrl::GetDelayTime(DWORD dwDuration) const {
    return Send<int>(this, TTM_GETDELAYTIME, dwDuration);
}

int CToolTipCtrl::SetMaxTipWidth(int iWidth) {
    return Send<int>(this, TTM_SETMAXTIPWIDTH, 0, static_cast<LPARAM>(iWidth));
}

int CToolTipCtrl::GetMaxTipWidth() const {
    return Send<int>(this, TTM_GETMAXTIPWIDTH);
}
