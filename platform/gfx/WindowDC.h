// The DCs the framework makes for windows: CPaintDC (between BeginPaint and EndPaint),
// CClientDC and CWindowDC. The window system supplies the DCs through WindowDcHooks, which it
// installs once: each hook returns a DC made with kq::gfx::CreateSurfaceDC and aimed with
// kq::gfx::SetDCDeviceArea at the window's area and visible region. Without hooks these classes
// hold no DC and every drawing call through them fails.
#pragma once

#include "platform/gfx/CDC.h"

class CWnd;

namespace kq::gfx {

struct WindowDcHooks {
    // BeginPaint/EndPaint of the window: fills the paint structure, returns its DC.
    HDC (*beginPaint)(CWnd* wnd, PAINTSTRUCT* ps) = nullptr;
    void (*endPaint)(CWnd* wnd, const PAINTSTRUCT* ps) = nullptr;
    // GetDC (client area) or GetWindowDC (whole window, wholeWindow true); releaseDC returns
    // the DC to the window system.
    HDC (*getDC)(CWnd* wnd, bool wholeWindow) = nullptr;
    int (*releaseDC)(CWnd* wnd, HDC hdc) = nullptr;
    // The window handle of a CWnd.
    HWND (*windowHandle)(CWnd* wnd) = nullptr;
};

// Installs the hooks (a copy is kept); null uninstalls them.
void SetWindowDcHooks(const WindowDcHooks* hooks);
WindowDcHooks GetWindowDcHooks();

}  // namespace kq::gfx

class CClientDC : public CDC {
  public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

  protected:
    HWND m_hWnd = nullptr;
    CWnd* m_pWnd = nullptr;
};

class CWindowDC : public CDC {
  public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

  protected:
    HWND m_hWnd = nullptr;
    CWnd* m_pWnd = nullptr;
};

class CPaintDC : public CDC {
  public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

  protected:
    HWND m_hWnd = nullptr;
    CWnd* m_pWnd = nullptr;
};
