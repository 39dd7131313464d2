// Creating, taking over and destroying windows, and the framework's window classes.
#include "platform/base/StringFormat.h"
#include "platform/framework/Menu.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "platform/framework/detail/DefaultClasses.h"
#include "platform/framework/detail/WndClasses.h"
#include "platform/framework/detail/WndThreadState.h"
#include "platform/gfx/WindowDC.h"
#include "platform/ui/paint/WindowDcHooks.h"

using kq::fw::detail::ThreadState;
using kq::fw::detail::ThreadStateIfAlive;

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

HWND HandleOfWindowObject(CWnd* wnd) {
    return wnd->m_hWnd;
}

// The device contexts of the graphics library get their DCs from the window system and find a
// window object's handle through this; checked at each construction in case the hooks were
// removed since.
void InstallWindowDcHooks() {
    if (kq::gfx::GetWindowDcHooks().getDC == nullptr)
        kq::ui::InstallWindowDcHooks(&HandleOfWindowObject);
}

}  // namespace

CWnd::CWnd() {
    InstallWindowDcHooks();
}

CWnd::~CWnd() {
    // An object that dies before its window takes the window with it.
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
        CWnd::DestroyWindow();
        if (m_hWnd != nullptr)
            Detach();
    }
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam) {
    CREATESTRUCT cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    const kq::fw::detail::CreationClass cls = kq::fw::detail::ClassForCreation(cs.lpszClass);
    auto& state = ThreadState();
    CWnd* const pendingBefore = state.wndInit;
    const WNDPROC superBefore = state.wndInitSuper;
    state.wndInit = this;
    state.wndInitSuper = cls.super;
    HWND hWnd = nullptr;
    if (!cls.name.empty()) {
        hWnd = ::CreateWindowEx(cs.dwExStyle, cls.name.c_str(), cs.lpszName,
                                static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                                cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    }
    const bool tookOver = state.wndInit != this;
    state.wndInit = pendingBefore;
    state.wndInitSuper = superBefore;
    // The object never met its window: no WM_NCDESTROY will call PostNcDestroy for it.
    if (!tookOver)
        PostNcDestroy();
    return hWnd != nullptr ? TRUE : FALSE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr)
        cs.lpszClass = kq::fw::detail::DefaultWndClass();
    return TRUE;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
    DWORD exStyle = GetExStyle();
    if (nAdjustType == adjustBorder)
        exStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, exStyle);
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr)
        return FALSE;
    const bool permanent = FromHandlePermanent(m_hWnd) == this;
    const BOOL result = ::DestroyWindow(m_hWnd);
    // A permanent object was detached by WM_NCDESTROY (and may be deleted by now).
    if (!permanent && result)
        Detach();
    return result;
}

void CWnd::PostNcDestroy() {}

void CWnd::OnNcDestroy() {
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        // The main window is gone: the application's message loop ends.
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    // A top-level window's menu bar goes with it.
    if (!(GetStyle() & WS_CHILD)) {
        if (HMENU menu = ::GetMenu(m_hWnd)) {
            ::SetWindowLongPtr(m_hWnd, GWLP_ID, 0);
            ::DestroyMenu(menu);
        }
    }
    const auto procBefore = ::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC);
    Default();
    if (::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == procBefore && m_pfnSuper != nullptr)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    Detach();
    PostNcDestroy();
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    auto old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    // A window of a framework class already calls AfxWndProc; its fallback is its class's.
    *GetSuperWndProcAddr() = old == &AfxWndProc ? kq::fw::detail::ClassProcedureOf(hWnd) : old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    if (pParent == nullptr)
        return FALSE;
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWndControl != nullptr ? SubclassWindow(hWndControl) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
    if (m_hWnd == nullptr)
        return nullptr;
    WNDPROC* super = GetSuperWndProcAddr();
    if (*super != nullptr)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*super));
    *super = nullptr;
    return Detach();
}

BOOL CWnd::IsFrameWnd() const {
    return FALSE;
}

// --- classes ---

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    const std::string name = kq::Format(
        "Afx:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()), nClassStyle,
        static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    LPCSTR stored = kq::fw::detail::KeepClassName(name);
    WNDCLASS wc{};
    if (::GetClassInfo(nullptr, stored, &wc))
        return stored;
    wc.style = nClassStyle;
    wc.lpfnWndProc = &AfxWndProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = stored;
    if (!::RegisterClass(&wc))
        return nullptr;
    return stored;
}

BOOL AfxRegisterClass(WNDCLASS* lpWndClass) {
    WNDCLASS existing{};
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    return ::RegisterClass(lpWndClass) != 0;
}
