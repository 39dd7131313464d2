#include "platform/gfx/WindowDC.h"

#include <mutex>

namespace kq::gfx {

namespace {

std::mutex& HookMutex() {
    static std::mutex m;
    return m;
}

WindowDcHooks& Hooks() {
    static WindowDcHooks hooks;
    return hooks;
}

}  // namespace

void SetWindowDcHooks(const WindowDcHooks* hooks) {
    std::lock_guard<std::mutex> lock(HookMutex());
    Hooks() = hooks ? *hooks : WindowDcHooks{};
}

WindowDcHooks GetWindowDcHooks() {
    std::lock_guard<std::mutex> lock(HookMutex());
    return Hooks();
}

}  // namespace kq::gfx

namespace {

HWND HandleOf(CWnd* wnd) {
    const auto h = kq::gfx::GetWindowDcHooks();
    return wnd && h.windowHandle ? h.windowHandle(wnd) : nullptr;
}

// The window system owns these DCs: they are handed back, never deleted here.
void Release(CDC& dc, CWnd* wnd) {
    const auto h = kq::gfx::GetWindowDcHooks();
    HDC hdc = dc.Detach();
    if (hdc && h.releaseDC)
        h.releaseDC(wnd, hdc);
}

}  // namespace

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(HandleOf(wnd)), m_pWnd(wnd) {
    const auto h = kq::gfx::GetWindowDcHooks();
    if (h.getDC)
        Attach(h.getDC(wnd, false));
}

CClientDC::~CClientDC() {
    Release(*this, m_pWnd);
}

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(HandleOf(wnd)), m_pWnd(wnd) {
    const auto h = kq::gfx::GetWindowDcHooks();
    if (h.getDC)
        Attach(h.getDC(wnd, true));
}

CWindowDC::~CWindowDC() {
    Release(*this, m_pWnd);
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(HandleOf(wnd)), m_pWnd(wnd) {
    const auto h = kq::gfx::GetWindowDcHooks();
    if (h.beginPaint)
        Attach(h.beginPaint(wnd, &m_ps));
}

CPaintDC::~CPaintDC() {
    const auto h = kq::gfx::GetWindowDcHooks();
    Detach();
    if (h.endPaint)
        h.endPaint(m_pWnd, &m_ps);
}
