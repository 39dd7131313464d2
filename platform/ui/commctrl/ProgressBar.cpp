#include "platform/ui/commctrl/ProgressBar.h"

#include <algorithm>
#include <utility>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/commctrl/ProgressBarApi.h"
#include "platform/ui/commctrl/detail/PaintTools.h"

namespace kq::ui::commctrl {

namespace {
constexpr int kGap = 2;  // between blocks
}

ProgressBar::ProgressBar(HWND hwnd, const CREATESTRUCT&)
    : ControlWindow(hwnd), barColor_(CLR_DEFAULT), bkColor_(CLR_DEFAULT) {}

ATOM ProgressBar::Register() {
    return RegisterControlClass(PROGRESS_CLASS, &ControlWindowProc<ProgressBar>);
}

LRESULT ProgressBar::SetRange(int low, int high) {
    const LRESULT old = MAKELRESULT(static_cast<WORD>(low_), static_cast<WORD>(high_));
    low_ = low;
    high_ = high;
    pos_ = std::clamp(pos_, std::min(low_, high_), std::max(low_, high_));
    Invalidate();
    return old;
}

LRESULT ProgressBar::SetPos(int64_t pos) {
    const int old = pos_;
    pos_ = static_cast<int>(std::clamp<int64_t>(pos, std::min(low_, high_), std::max(low_, high_)));
    if (pos_ != old)
        Invalidate();
    return old;
}

LRESULT ProgressBar::StepIt() {
    // Past either end the bar starts over from the other one.
    const int64_t low = std::min(low_, high_);
    const int64_t high = std::max(low_, high_);
    const int64_t span = high - low;
    int64_t next = static_cast<int64_t>(pos_) + step_;
    if (span == 0)
        next = low;
    else if (next > high)
        next = low + (next - low) % span;
    else if (next < low)
        next = high - (low - next) % span;
    return SetPos(next);
}

LRESULT ProgressBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleCommon(message, wParam, lParam, result))
        return result;
    switch (message) {
        case PBM_SETRANGE:
            return SetRange(LOWORD(lParam), HIWORD(lParam));
        case PBM_SETRANGE32:
            return SetRange(static_cast<int>(wParam), static_cast<int>(lParam));
        case PBM_GETRANGE:
            if (auto* range = reinterpret_cast<PBRANGE*>(lParam))
                *range = PBRANGE{low_, high_};
            return wParam ? low_ : high_;
        case PBM_SETPOS:
            return SetPos(static_cast<int>(wParam));
        case PBM_DELTAPOS:
            return SetPos(static_cast<int64_t>(pos_) + static_cast<int>(wParam));
        case PBM_GETPOS:
            return pos_;
        case PBM_SETSTEP:
            return std::exchange(step_, static_cast<int>(wParam));
        case PBM_GETSTEP:
            return step_;
        case PBM_STEPIT:
            return StepIt();
        case PBM_SETBARCOLOR:
            Invalidate();
            return std::exchange(barColor_, static_cast<COLORREF>(lParam));
        case PBM_GETBARCOLOR:
            return barColor_;
        case PBM_SETBKCOLOR:
            Invalidate();
            return std::exchange(bkColor_, static_cast<COLORREF>(lParam));
        case PBM_GETBKCOLOR:
            return bkColor_;
        case WM_SIZE:
        case WM_ENABLE:
            Invalidate();
            return 0;
        default:
            return DefWindowProc(hwnd_, message, wParam, lParam);
    }
}

RECT ProgressBar::FilledRect(const RECT& inner) const {
    const int64_t span = static_cast<int64_t>(high_) - low_;
    const bool vertical = (Style() & PBS_VERTICAL) != 0;
    const int64_t extent = vertical ? inner.bottom - inner.top : inner.right - inner.left;
    const int64_t filled = span == 0 ? 0 : (static_cast<int64_t>(pos_) - low_) * extent / span;
    RECT rc = inner;
    if (vertical)
        rc.top = inner.bottom - static_cast<int>(filled);
    else
        rc.right = inner.left + static_cast<int>(filled);
    return rc;
}

void ProgressBar::Paint(HDC hdc, const RECT&) {
    const RECT client = ClientRect();
    FillColor(hdc, client, bkColor_ == CLR_DEFAULT ? GetSysColor(COLOR_BTNFACE) : bkColor_);
    // A thin sunken frame shows where the range ends, which the face colour alone would not.
    RECT inner = client;
    DrawEdge(hdc, &inner, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    if (IsRectEmpty(&inner))
        return;
    const RECT filled = FilledRect(inner);
    if (IsRectEmpty(&filled))
        return;
    const COLORREF bar = barColor_ == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHT) : barColor_;
    if (Style() & PBS_SMOOTH) {
        FillColor(hdc, filled, bar);
        return;
    }
    // Blocks two thirds as long as the bar is thick, started from the empty end; the last one
    // is cut where the filled part ends.
    const bool vertical = (Style() & PBS_VERTICAL) != 0;
    const int thickness = vertical ? inner.right - inner.left : inner.bottom - inner.top;
    const int block = std::max(1, thickness * 2 / 3);
    if (vertical) {
        for (int bottom = filled.bottom; bottom > filled.top; bottom -= block + kGap)
            FillColor(
                hdc,
                RECT{filled.left, std::max<LONG>(filled.top, bottom - block), filled.right, bottom},
                bar);
    } else {
        for (int left = filled.left; left < filled.right; left += block + kGap)
            FillColor(
                hdc,
                RECT{left, filled.top, std::min<LONG>(filled.right, left + block), filled.bottom},
                bar);
    }
}

}  // namespace kq::ui::commctrl
