// Message-map entries for window messages (ON_WM_xxx) with the parameter cracking behind them.
// Each entry names the handler the framework declares for the message; the handler's signature is
// checked when the map is built. Included by Wnd.h at its end; included first, it has Wnd.h
// included before its own entries.
#pragma once

#include "platform/framework/CommandThunks.h"
#include "platform/framework/Menu.h"
#include "platform/framework/Wnd.h"
#include "platform/gfx/CDC.h"
#include "platform/ui/controls/OwnerDraw.h"

class CScrollBar;

namespace kq::fw {

// The scroll bar control that sent a scroll message, as a CScrollBar (temporary unless the
// control has a permanent CScrollBar); null for a window's own scroll bars.
CScrollBar* ScrollBarFromHandle(HWND hWnd);

namespace wm {

template <auto Fn, class Sig>
constexpr void Check() {
    static_assert(kHandlerIs<Fn, Sig>, "the handler's signature does not fit this message");
}

inline CPoint PointOf(LPARAM lParam) {
    return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

inline CWnd* WndOf(WPARAM handle) {
    return CWnd::FromHandle(reinterpret_cast<HWND>(handle));
}

template <auto Fn>
BOOL V(CCmdTarget* t, HandlerCall&) {
    Check<Fn, void()>();
    (HandlerObject<Fn>(t)->*Fn)();
    return TRUE;
}

template <auto Fn>
BOOL Create(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, int(LPCREATESTRUCT)>();
    c.result = (HandlerObject<Fn>(t)->*Fn)(reinterpret_cast<LPCREATESTRUCT>(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL NcCreate(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, BOOL(LPCREATESTRUCT)>();
    c.result = (HandlerObject<Fn>(t)->*Fn)(reinterpret_cast<LPCREATESTRUCT>(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL Size(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(UINT, int, int)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<UINT>(c.wParam), static_cast<SHORT>(LOWORD(c.lParam)),
                                static_cast<SHORT>(HIWORD(c.lParam)));
    return TRUE;
}

template <auto Fn>
BOOL SideRect(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(UINT, LPRECT)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<UINT>(c.wParam), reinterpret_cast<LPRECT>(c.lParam));
    c.result = TRUE;
    return TRUE;
}

template <auto Fn>
BOOL Move(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(int, int)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<SHORT>(LOWORD(c.lParam)),
                                static_cast<SHORT>(HIWORD(c.lParam)));
    return TRUE;
}

template <auto Fn>
BOOL ShowWindow(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(BOOL, UINT)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<BOOL>(c.wParam), static_cast<UINT>(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL Timer(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(UINT_PTR)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<UINT_PTR>(c.wParam));
    return TRUE;
}

// WM_SETFOCUS, WM_KILLFOCUS: the other window in wParam.
template <auto Fn>
BOOL FocusWnd(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(CWnd*)>();
    (HandlerObject<Fn>(t)->*Fn)(WndOf(c.wParam));
    return TRUE;
}

// WM_CAPTURECHANGED: the window taking the capture in lParam.
template <auto Fn>
BOOL CaptureChanged(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(CWnd*)>();
    (HandlerObject<Fn>(t)->*Fn)(WndOf(static_cast<WPARAM>(c.lParam)));
    return TRUE;
}

template <auto Fn>
BOOL Bool(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(BOOL)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<BOOL>(c.wParam));
    return TRUE;
}

template <auto Fn>
BOOL Activate(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(UINT, CWnd*, BOOL)>();
    (HandlerObject<Fn>(t)->*Fn)(LOWORD(c.wParam), WndOf(static_cast<WPARAM>(c.lParam)),
                                static_cast<BOOL>(HIWORD(c.wParam)));
    return TRUE;
}

template <auto Fn>
BOOL ActivateApp(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(BOOL, DWORD)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<BOOL>(c.wParam), static_cast<DWORD>(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL MouseActivate(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, int(CWnd*, UINT, UINT)>();
    c.result = (HandlerObject<Fn>(t)->*Fn)(WndOf(c.wParam), LOWORD(c.lParam), HIWORD(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL Key(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(UINT, UINT, UINT)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<UINT>(c.wParam), LOWORD(c.lParam), HIWORD(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL Mouse(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(UINT, CPoint)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<UINT>(c.wParam), PointOf(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL MouseWheel(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, BOOL(UINT, short, CPoint)>();
    c.result = (HandlerObject<Fn>(t)->*Fn)(LOWORD(c.wParam), static_cast<short>(HIWORD(c.wParam)),
                                           PointOf(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL NcHitTest(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, LRESULT(CPoint)>();
    c.result = (HandlerObject<Fn>(t)->*Fn)(PointOf(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL NcCalcSize(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(BOOL, NCCALCSIZE_PARAMS*)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<BOOL>(c.wParam),
                                reinterpret_cast<NCCALCSIZE_PARAMS*>(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL NcActivate(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, BOOL(BOOL)>();
    c.result = (HandlerObject<Fn>(t)->*Fn)(static_cast<BOOL>(c.wParam));
    return TRUE;
}

template <auto Fn>
BOOL NcMouse(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(UINT, CPoint)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<UINT>(c.wParam), PointOf(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL MinMaxInfo(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(MINMAXINFO*)>();
    (HandlerObject<Fn>(t)->*Fn)(reinterpret_cast<MINMAXINFO*>(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL WindowPos(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(WINDOWPOS*)>();
    (HandlerObject<Fn>(t)->*Fn)(reinterpret_cast<WINDOWPOS*>(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL Style(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(int, LPSTYLESTRUCT)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<int>(c.wParam),
                                reinterpret_cast<LPSTYLESTRUCT>(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL SetCursor(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, BOOL(CWnd*, UINT, UINT)>();
    c.result = (HandlerObject<Fn>(t)->*Fn)(WndOf(c.wParam), LOWORD(c.lParam), HIWORD(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL GetDlgCode(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, UINT()>();
    c.result = (HandlerObject<Fn>(t)->*Fn)();
    return TRUE;
}

template <auto Fn>
BOOL SysCommand(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(UINT, LPARAM)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<UINT>(c.wParam), c.lParam);
    return TRUE;
}

template <auto Fn>
BOOL SettingChange(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(UINT, LPCTSTR)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<UINT>(c.wParam), reinterpret_cast<LPCTSTR>(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL DeviceChange(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, BOOL(UINT, DWORD_PTR)>();
    c.result =
        (HandlerObject<Fn>(t)->*Fn)(static_cast<UINT>(c.wParam), static_cast<DWORD_PTR>(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL ContextMenu(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(CWnd*, CPoint)>();
    (HandlerObject<Fn>(t)->*Fn)(WndOf(c.wParam), PointOf(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL Scroll(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(UINT, UINT, CScrollBar*)>();
    (HandlerObject<Fn>(t)->*Fn)(LOWORD(c.wParam), HIWORD(c.wParam),
                                ScrollBarFromHandle(reinterpret_cast<HWND>(c.lParam)));
    return TRUE;
}

template <auto Fn>
BOOL ScrollReflect(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(UINT, UINT)>();
    (HandlerObject<Fn>(t)->*Fn)(LOWORD(c.wParam), HIWORD(c.wParam));
    return TRUE;
}

template <auto Fn>
BOOL ParentNotify(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(UINT, LPARAM)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<UINT>(c.wParam), c.lParam);
    return TRUE;
}

template <auto Fn>
BOOL ParentNotifyReflect(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(UINT, LPARAM)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<UINT>(c.wParam), c.lParam);
    return TRUE;
}

template <auto Fn>
BOOL EraseBkgnd(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, BOOL(CDC*)>();
    c.result = (HandlerObject<Fn>(t)->*Fn)(CDC::FromHandle(reinterpret_cast<HDC>(c.wParam)));
    return TRUE;
}

// WM_CTLCOLORxxx arrive as WM_CTLCOLOR with an AFX_CTLCOLOR in lParam.
template <auto Fn>
BOOL CtlColor(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, HBRUSH(CDC*, CWnd*, UINT)>();
    const auto* ctl = reinterpret_cast<const AFX_CTLCOLOR*>(c.lParam);
    c.result = reinterpret_cast<LRESULT>((HandlerObject<Fn>(t)->*Fn)(
        CDC::FromHandle(ctl->hDC), CWnd::FromHandle(ctl->hWnd), ctl->nCtlType));
    return TRUE;
}

template <auto Fn>
BOOL CtlColorReflect(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, HBRUSH(CDC*, UINT)>();
    const auto* ctl = reinterpret_cast<const AFX_CTLCOLOR*>(c.lParam);
    c.result = reinterpret_cast<LRESULT>(
        (HandlerObject<Fn>(t)->*Fn)(CDC::FromHandle(ctl->hDC), ctl->nCtlType));
    return TRUE;
}

template <auto Fn>
BOOL DrawItem(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(int, LPDRAWITEMSTRUCT)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<int>(c.wParam),
                                reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam));
    c.result = TRUE;
    return TRUE;
}

template <auto Fn>
BOOL MeasureItem(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(int, LPMEASUREITEMSTRUCT)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<int>(c.wParam),
                                reinterpret_cast<LPMEASUREITEMSTRUCT>(c.lParam));
    c.result = TRUE;
    return TRUE;
}

template <auto Fn>
BOOL CompareItem(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, int(int, LPCOMPAREITEMSTRUCT)>();
    c.result = (HandlerObject<Fn>(t)->*Fn)(static_cast<int>(c.wParam),
                                           reinterpret_cast<LPCOMPAREITEMSTRUCT>(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL DeleteItem(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(int, LPDELETEITEMSTRUCT)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<int>(c.wParam),
                                reinterpret_cast<LPDELETEITEMSTRUCT>(c.lParam));
    c.result = TRUE;
    return TRUE;
}

template <auto Fn>
BOOL DrawItemReflect(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(LPDRAWITEMSTRUCT)>();
    (HandlerObject<Fn>(t)->*Fn)(reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam));
    c.result = TRUE;
    return TRUE;
}

template <auto Fn>
BOOL MeasureItemReflect(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(LPMEASUREITEMSTRUCT)>();
    (HandlerObject<Fn>(t)->*Fn)(reinterpret_cast<LPMEASUREITEMSTRUCT>(c.lParam));
    c.result = TRUE;
    return TRUE;
}

inline CMenu* MenuOf(UINT_PTR handle) {
    return CMenu::FromHandle(reinterpret_cast<HMENU>(handle));
}

template <auto Fn>
BOOL InitMenu(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(CMenu*)>();
    (HandlerObject<Fn>(t)->*Fn)(MenuOf(c.wParam));
    return TRUE;
}

template <auto Fn>
BOOL InitMenuPopup(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(CMenu*, UINT, BOOL)>();
    (HandlerObject<Fn>(t)->*Fn)(MenuOf(c.wParam), LOWORD(c.lParam), HIWORD(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL MenuSelect(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(UINT, UINT, HMENU)>();
    (HandlerObject<Fn>(t)->*Fn)(LOWORD(c.wParam), HIWORD(c.wParam),
                                reinterpret_cast<HMENU>(c.lParam));
    return TRUE;
}

template <auto Fn>
BOOL MenuChar(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, LRESULT(UINT, UINT, CMenu*)>();
    c.result = (HandlerObject<Fn>(t)->*Fn)(LOWORD(c.wParam), HIWORD(c.wParam),
                                           MenuOf(static_cast<UINT_PTR>(c.lParam)));
    return TRUE;
}

template <auto Fn>
BOOL EnterIdle(CCmdTarget* t, HandlerCall& c) {
    Check<Fn, void(UINT, CWnd*)>();
    (HandlerObject<Fn>(t)->*Fn)(static_cast<UINT>(c.wParam), WndOf(static_cast<WPARAM>(c.lParam)));
    return TRUE;
}

}  // namespace wm
}  // namespace kq::fw

#define KQ_ON_WM(message, thunk, member) \
    KQ_MSG_ENTRY(message, 0, 0, 0, nullptr, &kq::fw::wm::thunk<&ThisClass::member>)

#define ON_WM_CREATE() KQ_ON_WM(WM_CREATE, Create, OnCreate)
#define ON_WM_NCCREATE() KQ_ON_WM(WM_NCCREATE, NcCreate, OnNcCreate)
#define ON_WM_DESTROY() KQ_ON_WM(WM_DESTROY, V, OnDestroy)
#define ON_WM_NCDESTROY() KQ_ON_WM(WM_NCDESTROY, V, OnNcDestroy)
#define ON_WM_CLOSE() KQ_ON_WM(WM_CLOSE, V, OnClose)
#define ON_WM_SIZE() KQ_ON_WM(WM_SIZE, Size, OnSize)
#define ON_WM_SIZING() KQ_ON_WM(WM_SIZING, SideRect, OnSizing)
#define ON_WM_MOVE() KQ_ON_WM(WM_MOVE, Move, OnMove)
#define ON_WM_MOVING() KQ_ON_WM(WM_MOVING, SideRect, OnMoving)
#define ON_WM_SHOWWINDOW() KQ_ON_WM(WM_SHOWWINDOW, ShowWindow, OnShowWindow)
#define ON_WM_TIMER() KQ_ON_WM(WM_TIMER, Timer, OnTimer)
#define ON_WM_SETFOCUS() KQ_ON_WM(WM_SETFOCUS, FocusWnd, OnSetFocus)
#define ON_WM_KILLFOCUS() KQ_ON_WM(WM_KILLFOCUS, FocusWnd, OnKillFocus)
#define ON_WM_ENABLE() KQ_ON_WM(WM_ENABLE, Bool, OnEnable)
#define ON_WM_ACTIVATE() KQ_ON_WM(WM_ACTIVATE, Activate, OnActivate)
#define ON_WM_ACTIVATEAPP() KQ_ON_WM(WM_ACTIVATEAPP, ActivateApp, OnActivateApp)
#define ON_WM_MOUSEACTIVATE() KQ_ON_WM(WM_MOUSEACTIVATE, MouseActivate, OnMouseActivate)
#define ON_WM_KEYDOWN() KQ_ON_WM(WM_KEYDOWN, Key, OnKeyDown)
#define ON_WM_KEYUP() KQ_ON_WM(WM_KEYUP, Key, OnKeyUp)
#define ON_WM_CHAR() KQ_ON_WM(WM_CHAR, Key, OnChar)
#define ON_WM_SYSKEYDOWN() KQ_ON_WM(WM_SYSKEYDOWN, Key, OnSysKeyDown)
#define ON_WM_SYSKEYUP() KQ_ON_WM(WM_SYSKEYUP, Key, OnSysKeyUp)
#define ON_WM_SYSCHAR() KQ_ON_WM(WM_SYSCHAR, Key, OnSysChar)
#define ON_WM_MOUSEMOVE() KQ_ON_WM(WM_MOUSEMOVE, Mouse, OnMouseMove)
#define ON_WM_LBUTTONDOWN() KQ_ON_WM(WM_LBUTTONDOWN, Mouse, OnLButtonDown)
#define ON_WM_LBUTTONUP() KQ_ON_WM(WM_LBUTTONUP, Mouse, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() KQ_ON_WM(WM_LBUTTONDBLCLK, Mouse, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() KQ_ON_WM(WM_RBUTTONDOWN, Mouse, OnRButtonDown)
#define ON_WM_RBUTTONUP() KQ_ON_WM(WM_RBUTTONUP, Mouse, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() KQ_ON_WM(WM_RBUTTONDBLCLK, Mouse, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() KQ_ON_WM(WM_MBUTTONDOWN, Mouse, OnMButtonDown)
#define ON_WM_MBUTTONUP() KQ_ON_WM(WM_MBUTTONUP, Mouse, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() KQ_ON_WM(WM_MBUTTONDBLCLK, Mouse, OnMButtonDblClk)
#define ON_WM_MOUSEWHEEL() KQ_ON_WM(WM_MOUSEWHEEL, MouseWheel, OnMouseWheel)
#define ON_WM_MOUSEHOVER() KQ_ON_WM(WM_MOUSEHOVER, Mouse, OnMouseHover)
#define ON_WM_MOUSELEAVE() KQ_ON_WM(WM_MOUSELEAVE, V, OnMouseLeave)
#define ON_WM_NCHITTEST() KQ_ON_WM(WM_NCHITTEST, NcHitTest, OnNcHitTest)
#define ON_WM_NCCALCSIZE() KQ_ON_WM(WM_NCCALCSIZE, NcCalcSize, OnNcCalcSize)
#define ON_WM_NCACTIVATE() KQ_ON_WM(WM_NCACTIVATE, NcActivate, OnNcActivate)
#define ON_WM_NCPAINT() KQ_ON_WM(WM_NCPAINT, V, OnNcPaint)
#define ON_WM_NCMOUSEMOVE() KQ_ON_WM(WM_NCMOUSEMOVE, NcMouse, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() KQ_ON_WM(WM_NCLBUTTONDOWN, NcMouse, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() KQ_ON_WM(WM_NCLBUTTONUP, NcMouse, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() KQ_ON_WM(WM_NCLBUTTONDBLCLK, NcMouse, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() KQ_ON_WM(WM_NCRBUTTONDOWN, NcMouse, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() KQ_ON_WM(WM_NCRBUTTONUP, NcMouse, OnNcRButtonUp)
#define ON_WM_PAINT() KQ_ON_WM(WM_PAINT, V, OnPaint)
#define ON_WM_ERASEBKGND() KQ_ON_WM(WM_ERASEBKGND, EraseBkgnd, OnEraseBkgnd)
#define ON_WM_CTLCOLOR() KQ_ON_WM(WM_CTLCOLOR, CtlColor, OnCtlColor)
#define ON_WM_GETMINMAXINFO() KQ_ON_WM(WM_GETMINMAXINFO, MinMaxInfo, OnGetMinMaxInfo)
#define ON_WM_WINDOWPOSCHANGING() KQ_ON_WM(WM_WINDOWPOSCHANGING, WindowPos, OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED() KQ_ON_WM(WM_WINDOWPOSCHANGED, WindowPos, OnWindowPosChanged)
#define ON_WM_STYLECHANGING() KQ_ON_WM(WM_STYLECHANGING, Style, OnStyleChanging)
#define ON_WM_STYLECHANGED() KQ_ON_WM(WM_STYLECHANGED, Style, OnStyleChanged)
#define ON_WM_SETCURSOR() KQ_ON_WM(WM_SETCURSOR, SetCursor, OnSetCursor)
#define ON_WM_CAPTURECHANGED() KQ_ON_WM(WM_CAPTURECHANGED, CaptureChanged, OnCaptureChanged)
#define ON_WM_CANCELMODE() KQ_ON_WM(WM_CANCELMODE, V, OnCancelMode)
#define ON_WM_CHILDACTIVATE() KQ_ON_WM(WM_CHILDACTIVATE, V, OnChildActivate)
#define ON_WM_GETDLGCODE() KQ_ON_WM(WM_GETDLGCODE, GetDlgCode, OnGetDlgCode)
#define ON_WM_SYSCOMMAND() KQ_ON_WM(WM_SYSCOMMAND, SysCommand, OnSysCommand)
#define ON_WM_SYSCOLORCHANGE() KQ_ON_WM(WM_SYSCOLORCHANGE, V, OnSysColorChange)
#define ON_WM_SETTINGCHANGE() KQ_ON_WM(WM_SETTINGCHANGE, SettingChange, OnSettingChange)
#define ON_WM_DEVICECHANGE() KQ_ON_WM(WM_DEVICECHANGE, DeviceChange, OnDeviceChange)
#define ON_WM_CONTEXTMENU() KQ_ON_WM(WM_CONTEXTMENU, ContextMenu, OnContextMenu)
#define ON_WM_ENTERSIZEMOVE() KQ_ON_WM(WM_ENTERSIZEMOVE, V, OnEnterSizeMove)
#define ON_WM_EXITSIZEMOVE() KQ_ON_WM(WM_EXITSIZEMOVE, V, OnExitSizeMove)
#define ON_WM_INITMENU() KQ_ON_WM(WM_INITMENU, InitMenu, OnInitMenu)
#define ON_WM_INITMENUPOPUP() KQ_ON_WM(WM_INITMENUPOPUP, InitMenuPopup, OnInitMenuPopup)
#define ON_WM_MENUSELECT() KQ_ON_WM(WM_MENUSELECT, MenuSelect, OnMenuSelect)
#define ON_WM_MENUCHAR() KQ_ON_WM(WM_MENUCHAR, MenuChar, OnMenuChar)
#define ON_WM_ENTERIDLE() KQ_ON_WM(WM_ENTERIDLE, EnterIdle, OnEnterIdle)
#define ON_WM_ENTERMENULOOP() KQ_ON_WM(WM_ENTERMENULOOP, Bool, OnEnterMenuLoop)
#define ON_WM_EXITMENULOOP() KQ_ON_WM(WM_EXITMENULOOP, Bool, OnExitMenuLoop)
#define ON_WM_HSCROLL() KQ_ON_WM(WM_HSCROLL, Scroll, OnHScroll)
#define ON_WM_VSCROLL() KQ_ON_WM(WM_VSCROLL, Scroll, OnVScroll)
#define ON_WM_PARENTNOTIFY() KQ_ON_WM(WM_PARENTNOTIFY, ParentNotify, OnParentNotify)
#define ON_WM_DRAWITEM() KQ_ON_WM(WM_DRAWITEM, DrawItem, OnDrawItem)
#define ON_WM_MEASUREITEM() KQ_ON_WM(WM_MEASUREITEM, MeasureItem, OnMeasureItem)
#define ON_WM_COMPAREITEM() KQ_ON_WM(WM_COMPAREITEM, CompareItem, OnCompareItem)
#define ON_WM_DELETEITEM() KQ_ON_WM(WM_DELETEITEM, DeleteItem, OnDeleteItem)

// Reflected to the control that sent them.
#define ON_WM_CTLCOLOR_REFLECT() KQ_ON_WM(WM_CTLCOLOR + WM_REFLECT_BASE, CtlColorReflect, CtlColor)
#define ON_WM_HSCROLL_REFLECT() KQ_ON_WM(WM_HSCROLL + WM_REFLECT_BASE, ScrollReflect, HScroll)
#define ON_WM_VSCROLL_REFLECT() KQ_ON_WM(WM_VSCROLL + WM_REFLECT_BASE, ScrollReflect, VScroll)
#define ON_WM_DRAWITEM_REFLECT() KQ_ON_WM(WM_DRAWITEM + WM_REFLECT_BASE, DrawItemReflect, DrawItem)
#define ON_WM_MEASUREITEM_REFLECT() \
    KQ_ON_WM(WM_MEASUREITEM + WM_REFLECT_BASE, MeasureItemReflect, MeasureItem)
#define ON_WM_PARENTNOTIFY_REFLECT() \
    KQ_ON_WM(WM_PARENTNOTIFY + WM_REFLECT_BASE, ParentNotifyReflect, ParentNotify)
