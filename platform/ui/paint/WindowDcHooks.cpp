#include "platform/ui/paint/WindowDcHooks.h"

#include <atomic>

#include "platform/gfx/WindowDC.h"
#include "platform/ui/paint/Painting.h"
#include "platform/ui/paint/WindowDcs.h"

namespace kq::ui {
namespace {

std::atomic<HWND (*)(CWnd*)> g_windowHandle{nullptr};

HWND HandleOf(CWnd* wnd) {
    auto map = g_windowHandle.load();
    return wnd && map ? map(wnd) : nullptr;
}

HDC HookBeginPaint(CWnd* wnd, PAINTSTRUCT* ps) {
    return ::BeginPaint(HandleOf(wnd), ps);
}

void HookEndPaint(CWnd* wnd, const PAINTSTRUCT* ps) {
    ::EndPaint(HandleOf(wnd), ps);
}

HDC HookGetDC(CWnd* wnd, bool wholeWindow) {
    HWND hwnd = HandleOf(wnd);
    return wholeWindow ? ::GetWindowDC(hwnd) : ::GetDC(hwnd);
}

int HookReleaseDC(CWnd* wnd, HDC hdc) {
    return ::ReleaseDC(HandleOf(wnd), hdc);
}

}  // namespace

void InstallWindowDcHooks(HWND (*windowHandle)(CWnd* wnd)) {
    g_windowHandle.store(windowHandle);
    if (!windowHandle) {
        kq::gfx::SetWindowDcHooks(nullptr);
        return;
    }
    kq::gfx::WindowDcHooks hooks;
    hooks.beginPaint = &HookBeginPaint;
    hooks.endPaint = &HookEndPaint;
    hooks.getDC = &HookGetDC;
    hooks.releaseDC = &HookReleaseDC;
    hooks.windowHandle = &HandleOf;
    kq::gfx::SetWindowDcHooks(&hooks);
}

}  // namespace kq::ui
