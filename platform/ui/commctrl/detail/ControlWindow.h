// What the common controls share: one C++ object per window, made at WM_NCCREATE and deleted
// after WM_NCDESTROY, with the font, notification and painting plumbing every control needs.
#pragma once

#include <memory>

#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"

namespace kq::ui::commctrl {

class ControlWindow {
  public:
    explicit ControlWindow(HWND hwnd) : hwnd_(hwnd) {}
    virtual ~ControlWindow() = default;
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Draws the whole control into hdc (client coordinates); `update` bounds what is needed.
    virtual void Paint(HDC hdc, const RECT& update) = 0;

    HWND Handle() const { return hwnd_; }

  protected:
    DWORD Style() const;
    RECT ClientRect() const;
    bool HasFocus() const;
    bool IsEnabled() const;
    // The font set with WM_SETFONT, else the default GUI font.
    HFONT Font() const;
    // Asks for the control to be painted again.
    void Invalidate() const;
    // Sends WM_NOTIFY to the parent after filling the header's sender fields; the parent's answer.
    LRESULT Notify(UINT code, NMHDR* header) const;
    // WM_HSCROLL or WM_VSCROLL to the parent with the code and position and this window.
    void SendScroll(UINT message, WORD code, WORD pos) const;

    // WM_SETFONT, WM_GETFONT, WM_PAINT (into a DC given in wParam, or through BeginPaint),
    // WM_PRINTCLIENT and WM_ERASEBKGND, the same for every control. True when the message was
    // one of them.
    bool HandleCommon(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HWND hwnd_;
    HFONT font_ = nullptr;
};

// Registers a class whose windows each keep one ControlWindow (in their first extra bytes).
ATOM RegisterControlClass(const char* name, WNDPROC proc, UINT classStyle = 0);

// The window procedure of a control class: constructs Control(hwnd, create structure) at
// WM_NCCREATE and deletes it once WM_NCDESTROY has been handled.
template <class Control>
LRESULT ControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* control = static_cast<ControlWindow*>(StateOf(hwnd));
    if (!control && message == WM_NCCREATE) {
        control = new Control(hwnd, *reinterpret_cast<const CREATESTRUCT*>(lParam));
        SetStateOf(hwnd, control);
    }
    if (!control)
        return DefWindowProc(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        std::unique_ptr<ControlWindow> owned(control);
        SetStateOf(hwnd, nullptr);
        return owned->WindowProc(message, wParam, lParam);
    }
    return control->WindowProc(message, wParam, lParam);
}

}  // namespace kq::ui::commctrl
