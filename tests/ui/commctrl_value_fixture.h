// Shared set-up of the tests of the trackbar, progress bar, tab, up-down and date-time
// controls: a parent window on the virtual screen, controls made in it, the scroll messages
// and notifications the parent received, and the controls drawn into a memory bitmap.
#pragma once

#include <functional>
#include <vector>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/commctrl/DateTimePickerApi.h"
#include "platform/ui/commctrl/InitCommonControls.h"
#include "platform/ui/commctrl/ProgressBarApi.h"
#include "platform/ui/commctrl/TabControlApi.h"
#include "platform/ui/commctrl/TrackbarApi.h"
#include "platform/ui/commctrl/UpDownApi.h"
#include "ui/UiTestFixture.h"

namespace kq::ui::test {
// Kept apart from the other control suites' helpers, which share the test program.
inline namespace controls_b {

struct ScrollEvent {
    UINT message;
    WORD code;
    WORD pos;
    bool operator==(const ScrollEvent&) const = default;
};

// The pixels a control drew through WM_PRINTCLIENT.
class Rendered {
  public:
    explicit Rendered(HWND control) {
        RECT rc{};
        GetClientRect(control, &rc);
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateBitmap(rc.right, rc.bottom, 1, 32, nullptr);
        old_ = SelectObject(dc_, bitmap_);
        SendMessage(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), 0x4 /* PRF_CLIENT */);
    }
    ~Rendered() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Rendered(const Rendered&) = delete;
    Rendered& operator=(const Rendered&) = delete;

    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    // How many pixels of the rectangle have the colour.
    int Count(const RECT& rc, COLORREF color) const {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += At(x, y) == color;
        return n;
    }

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

class ControlsBTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        InitCommonControls();
        parent_ = CreateTopLevel({50, 50, 650, 450}, WS_POPUP | WS_VISIBLE);
        OnMessage(parent_,
                  [this](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
                      if (message != WM_NOTIFY)
                          return std::nullopt;
                      auto* header = reinterpret_cast<NMHDR*>(lParam);
                      notifications_.push_back(header->code);
                      return answer_ ? answer_(header) : 0;
                  });
        Pump();
    }

    HWND Create(const char* cls, DWORD style, RECT rc, int id = 100, DWORD exStyle = 0) {
        HWND hwnd =
            CreateWindowEx(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, rc.left, rc.top,
                           rc.right - rc.left, rc.bottom - rc.top, parent_,
                           reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
        Pump();
        return hwnd;
    }
    // Client coordinates of a window to the screen, for injected mouse input.
    static POINT OnScreen(HWND hwnd, int x, int y) {
        POINT pt{x, y};
        ClientToScreen(hwnd, &pt);
        return pt;
    }
    std::vector<ScrollEvent> Scrolls() const {
        std::vector<ScrollEvent> list;
        for (const LoggedMessage& m : Log()) {
            if (m.hwnd == parent_ && (m.message == WM_HSCROLL || m.message == WM_VSCROLL))
                list.push_back({m.message, LOWORD(m.wParam), HIWORD(m.wParam)});
        }
        return list;
    }
    void ClearEvents() {
        ClearLog();
        notifications_.clear();
    }

    HWND parent_ = nullptr;
    // WM_NOTIFY codes the parent received, and how it answers them.
    std::vector<UINT> notifications_;
    std::function<LRESULT(NMHDR*)> answer_;
};

}  // namespace controls_b
}  // namespace kq::ui::test
