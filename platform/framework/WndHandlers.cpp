// The default message handlers of CWnd: each passes the message being handled to the default
// procedure, so a derived handler may call its base's handler first or last.
#include "platform/framework/Wnd.h"
#include "platform/framework/detail/WndThreadState.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_PARENTNOTIFY()
ON_WM_CTLCOLOR()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_COMPAREITEM()
ON_WM_DELETEITEM()
END_MESSAGE_MAP()

int CWnd::OnCreate(LPCREATESTRUCT) {
    return static_cast<int>(Default());
}

void CWnd::OnDestroy() {
    Default();
}

void CWnd::OnClose() {
    Default();
}

void CWnd::OnSize(UINT, int, int) {
    Default();
}

void CWnd::OnMove(int, int) {
    Default();
}

void CWnd::OnShowWindow(BOOL, UINT) {
    Default();
}

void CWnd::OnTimer(UINT_PTR) {
    Default();
}

void CWnd::OnSetFocus(CWnd*) {
    Default();
}

void CWnd::OnKillFocus(CWnd*) {
    Default();
}

void CWnd::OnEnable(BOOL) {
    Default();
}

void CWnd::OnActivate(UINT, CWnd*, BOOL) {
    Default();
}

void CWnd::OnActivateApp(BOOL, DWORD) {
    Default();
}

int CWnd::OnMouseActivate(CWnd*, UINT, UINT) {
    return static_cast<int>(Default());
}

void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}

void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}

void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}

void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}

void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}

void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}

void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}

void CWnd::OnRButtonDown(UINT, CPoint) {
    Default();
}

void CWnd::OnRButtonUp(UINT, CPoint) {
    Default();
}

LRESULT CWnd::OnNcHitTest(CPoint) {
    return static_cast<LRESULT>(Default());
}

void CWnd::OnNcLButtonDown(UINT, CPoint) {
    Default();
}

void CWnd::OnNcLButtonUp(UINT, CPoint) {
    Default();
}

void CWnd::OnNcLButtonDblClk(UINT, CPoint) {
    Default();
}

void CWnd::OnGetMinMaxInfo(MINMAXINFO*) {
    Default();
}

void CWnd::OnWindowPosChanging(WINDOWPOS*) {
    Default();
}

void CWnd::OnWindowPosChanged(WINDOWPOS*) {
    Default();
}

BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) {
    return static_cast<BOOL>(Default());
}

void CWnd::OnCaptureChanged(CWnd*) {
    Default();
}

void CWnd::OnChildActivate() {
    Default();
}

void CWnd::OnSysColorChange() {
    Default();
}

void CWnd::OnSettingChange(UINT, LPCTSTR) {
    Default();
}

LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) {
    return Default();
}

void CWnd::OnEnterIdle(UINT, CWnd*) {
    Default();
}

BOOL CWnd::OnEraseBkgnd(CDC*) {
    return static_cast<BOOL>(Default());
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
    // The control may colour itself (ON_WM_CTLCOLOR_REFLECT).
    LRESULT brush = 0;
    if (pWnd != nullptr && ReflectLastMsg(pWnd->m_hWnd, &brush))
        return reinterpret_cast<HBRUSH>(brush);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar*) {
    if (!ReflectLastMsg(reinterpret_cast<HWND>(CurrentMessage()->lParam)))
        Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar*) {
    if (!ReflectLastMsg(reinterpret_cast<HWND>(CurrentMessage()->lParam)))
        Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam) {
    // The creation and destruction of a child reach the child's object too.
    if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) &&
        ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
        return;
    Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (lpDrawItemStruct->CtlType == ODT_MENU) {
        // For menus the item's window is the menu's handle.
        if (CMenu* menu =
                CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem))) {
            menu->DrawItem(lpDrawItemStruct);
            return;
        }
    } else if (ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    if (lpMeasureItemStruct->CtlType == ODT_MENU) {
        CMenu* menu = nullptr;
        if (HMENU tracking = kq::fw::detail::ThreadState().trackingMenu)
            menu = CMenu::FindPopupMenuFromID(tracking, lpMeasureItemStruct->itemID);
        if (menu == nullptr) {
            HWND top = (GetStyle() & WS_CHILD) ? ::GetAncestor(m_hWnd, GA_ROOT) : m_hWnd;
            menu = CMenu::FindPopupMenuFromID(::GetMenu(top), lpMeasureItemStruct->itemID);
        }
        if (menu != nullptr) {
            menu->MeasureItem(lpMeasureItemStruct);
            return;
        }
    } else if (HWND child = ::GetDlgItem(m_hWnd, nIDCtl)) {
        if (ReflectLastMsg(child))
            return;
    }
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct) {
    LRESULT order = 0;
    if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &order))
        return static_cast<int>(order);
    return static_cast<int>(Default());
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct) {
    if (ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        return;
    Default();
}
