// Windows for the painting tests: each fills its client area with its own colour when erased
// and records the WM_PAINTs it gets, so a test can check both what was painted and the pixels.
#pragma once

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "platform/gfx/PixelColor.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/paint/Screenshot.h"
#include "platform/ui/paint/VirtualScreen.h"
#include "ui/UiTestFixture.h"

namespace kq::ui::test {

// A rectangle that compares and prints plainly in expectations.
struct Rc {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const Rc&, const Rc&) = default;
    friend void PrintTo(const Rc& r, std::ostream* os) {
        *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
    }
};
inline Rc R(const RECT& r) {
    return Rc{r.left, r.top, r.right, r.bottom};
}

// Message names for the painting messages, falling back to the fixture's.
inline std::string PaintMessageName(UINT message) {
    switch (message) {
        case WM_PAINT:
            return "WM_PAINT";
        case WM_ERASEBKGND:
            return "WM_ERASEBKGND";
        case WM_NCPAINT:
            return "WM_NCPAINT";
        case WM_PRINT:
            return "WM_PRINT";
        case WM_PRINTCLIENT:
            return "WM_PRINTCLIENT";
        case WM_ENTERSIZEMOVE:
            return "WM_ENTERSIZEMOVE";
        case WM_EXITSIZEMOVE:
            return "WM_EXITSIZEMOVE";
        case WM_SIZING:
            return "WM_SIZING";
        case WM_MOVING:
            return "WM_MOVING";
        default:
            return MessageName(message);
    }
}

struct PaintProbe {
    int erases = 0;
    std::vector<RECT> paints;  // rcPaint of each WM_PAINT, in order
    std::vector<BOOL> fErase;
    std::vector<RECT> updates;  // GetUpdateRect before BeginPaint
};

class PaintTest : public UiTest {
  protected:
    static constexpr COLORREF kRed = RGB(255, 0, 0);
    static constexpr COLORREF kGreen = RGB(0, 255, 0);
    static constexpr COLORREF kBlue = RGB(0, 0, 255);
    static constexpr COLORREF kYellow = RGB(255, 255, 0);

    // A window that erases to `color`; top-level when parent is null (r in screen coordinates),
    // else a child (r in the parent's client coordinates).
    HWND Solid(HWND parent, RECT r, COLORREF color, DWORD style = 0, DWORD exStyle = 0) {
        HWND hwnd = parent
                        ? CreateChild(parent, ++lastId_, r, WS_CHILD | WS_VISIBLE | style, exStyle)
                        : CreateTopLevel(r, (style ? style : WS_POPUP) | WS_VISIBLE, exStyle);
        Paints(hwnd, color);
        return hwnd;
    }

    // Makes an existing window of the test class erase to `color` and record its paints.
    void Paints(HWND hwnd, COLORREF color) { OnMessage(hwnd, SolidHandler(color, &probes_[hwnd])); }

    // The behaviour Paints gives, for tests that add to it.
    static Handler SolidHandler(COLORREF color, PaintProbe* probe) {
        return [color, probe](HWND h, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
            if (m == WM_ERASEBKGND) {
                ++probe->erases;
                RECT rc{};
                GetClientRect(h, &rc);
                HBRUSH brush = CreateSolidBrush(color);
                FillRect(reinterpret_cast<HDC>(w), &rc, brush);
                DeleteObject(brush);
                return 1;
            }
            if (m == WM_PAINT && !w) {
                RECT update{};
                GetUpdateRect(h, &update, FALSE);
                probe->updates.push_back(update);
                PAINTSTRUCT ps;
                BeginPaint(h, &ps);
                probe->paints.push_back(ps.rcPaint);
                probe->fErase.push_back(ps.fErase);
                EndPaint(h, &ps);
                return 0;
            }
            return std::nullopt;
        };
    }

    PaintProbe& Probe(HWND hwnd) { return probes_[hwnd]; }
    // "name:MESSAGE" for the given messages of the named windows, in order.
    std::vector<std::string> Trace(std::vector<UINT> only,
                                   const std::map<HWND, std::string>& names) const {
        std::vector<std::string> result;
        for (const LoggedMessage& m : Log()) {
            auto name = names.find(m.hwnd);
            if (name == names.end() || std::find(only.begin(), only.end(), m.message) == only.end())
                continue;
            result.push_back(name->second + ":" + PaintMessageName(m.message));
        }
        return result;
    }
    void ClearProbes() {
        for (auto& [hwnd, probe] : probes_)
            probe = PaintProbe{};
    }

    static COLORREF At(int x, int y) { return GetScreenPixel(x, y); }
    static POINT ClientOrigin(HWND hwnd) {
        POINT pt{0, 0};
        ClientToScreen(hwnd, &pt);
        return pt;
    }
    // Fills part of a window's client area through GetDC.
    static void FillThroughDc(HWND hwnd, RECT r, COLORREF color) {
        HDC dc = GetDC(hwnd);
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        ReleaseDC(hwnd, dc);
    }

  private:
    std::map<HWND, PaintProbe> probes_;
    int lastId_ = 100;
};

}  // namespace kq::ui::test
