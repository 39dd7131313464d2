#include "platform/ui/commdlg/detail/SwatchGrid.h"

#include <algorithm>

#include "platform/gfx/UserDraw.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"
#include "platform/ui/commctrl/detail/PaintTools.h"
#include "platform/ui/dialog/DialogCodes.h"

namespace kq::ui::commdlg {

namespace {}

SwatchGrid::SwatchGrid(HWND hwnd, const CREATESTRUCT&) : ControlWindow(hwnd) {}

ATOM SwatchGrid::Register() {
    return kq::ui::commctrl::RegisterControlClass(
        kSwatchGridClass, &kq::ui::commctrl::ControlWindowProc<SwatchGrid>, CS_DBLCLKS);
}

SwatchGrid* SwatchGrid::Of(HWND hwnd) {
    return static_cast<SwatchGrid*>(static_cast<ControlWindow*>(kq::ui::commctrl::StateOf(hwnd)));
}

void SwatchGrid::SetColors(std::vector<COLORREF> colors, int columns) {
    colors_ = std::move(colors);
    columns_ = std::max(1, columns);
    if (selected_ >= static_cast<int>(colors_.size()))
        selected_ = -1;
    Invalidate();
}

void SwatchGrid::SetColor(int index, COLORREF color) {
    if (index >= 0 && index < static_cast<int>(colors_.size())) {
        colors_[index] = color;
        Invalidate();
    }
}

void SwatchGrid::Select(int index) {
    selected_ = index >= 0 && index < static_cast<int>(colors_.size()) ? index : -1;
    Invalidate();
}

int SwatchGrid::Rows() const {
    return std::max<int>(1, (static_cast<int>(colors_.size()) + columns_ - 1) / columns_);
}

RECT SwatchGrid::CellRect(int index) const {
    const RECT client = ClientRect();
    const int w = (client.right - client.left) / columns_;
    const int h = (client.bottom - client.top) / Rows();
    const int left = client.left + (index % columns_) * w;
    const int top = client.top + (index / columns_) * h;
    return RECT{left, top, left + w, top + h};
}

int SwatchGrid::IndexAt(POINT pt) const {
    for (int i = 0; i < static_cast<int>(colors_.size()); ++i) {
        const RECT cell = CellRect(i);
        if (PtInRect(&cell, pt))
            return i;
    }
    return -1;
}

void SwatchGrid::Choose(int index, WORD code) {
    if (index < 0)
        return;
    Select(index);
    if (HWND parent = GetParent(hwnd_))
        SendMessage(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd_), code),
                    reinterpret_cast<LPARAM>(hwnd_));
}

LRESULT SwatchGrid::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleCommon(message, wParam, lParam, result))
        return result;
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_LBUTTONDOWN:
            if (Style() & WS_TABSTOP)
                SetFocus(hwnd_);
            Choose(IndexAt(pt), kSwatchSelected);
            return 0;
        case WM_LBUTTONDBLCLK:
            Choose(IndexAt(pt), kSwatchActivated);
            return 0;
        case WM_KEYDOWN: {
            const int count = static_cast<int>(colors_.size());
            if (count == 0)
                break;
            int next = selected_ < 0 ? 0 : selected_;
            switch (wParam) {
                case VK_LEFT:
                    next = std::max(0, next - 1);
                    break;
                case VK_RIGHT:
                    next = std::min(count - 1, next + 1);
                    break;
                case VK_UP:
                    next = next - columns_ >= 0 ? next - columns_ : next;
                    break;
                case VK_DOWN:
                    next = next + columns_ < count ? next + columns_ : next;
                    break;
                case VK_HOME:
                    next = 0;
                    break;
                case VK_END:
                    next = count - 1;
                    break;
                default:
                    return DefWindowProc(hwnd_, message, wParam, lParam);
            }
            Choose(next, kSwatchSelected);
            return 0;
        }
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_SIZE:
            Invalidate();
            return 0;
        default:
            break;
    }
    return DefWindowProc(hwnd_, message, wParam, lParam);
}

void SwatchGrid::Paint(HDC hdc, const RECT&) {
    const RECT client = ClientRect();
    FillRect(hdc, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (int i = 0; i < static_cast<int>(colors_.size()); ++i) {
        RECT cell = CellRect(i);
        InflateRect(&cell, -2, -2);
        if (i == selected_) {
            kq::ui::commctrl::FillColor(hdc, cell, RGB(0, 0, 0));
            InflateRect(&cell, -2, -2);
        }
        DrawEdge(hdc, &cell, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        kq::ui::commctrl::FillColor(hdc, cell, colors_[i]);
        if (i == selected_ && HasFocus()) {
            RECT focus = CellRect(i);
            InflateRect(&focus, -1, -1);
            DrawFocusRect(hdc, &focus);
        }
    }
}

}  // namespace kq::ui::commdlg
