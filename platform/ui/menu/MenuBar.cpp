#include "platform/ui/menu/MenuBar.h"

#include <algorithm>

#include "platform/gfx/UserDraw.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/menu/MeasureDC.h"
#include "platform/ui/menu/MenuTracker.h"

namespace kq::ui {
namespace {

using menu::MenuItem;

constexpr int kBarItemPadding = 7;

std::vector<MenuItem> BarItems(HWND hwnd) {
    std::lock_guard<std::recursive_mutex> lock(menu::MenuMutex());
    const menu::MenuObject* m = menu::FindMenu(GetMenu(hwnd));
    return m ? m->items : std::vector<MenuItem>{};
}

// Alt went down and nothing else since: its release opens the bar.
thread_local bool tAltAlone = false;

}  // namespace

RECT MenuBarRect(HWND hwnd) {
    if (!GetMenu(hwnd))
        return RECT{};
    RECT window{}, client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    const int inset = origin.x - window.left;
    return RECT{window.left + inset, origin.y - GetSystemMetrics(SM_CYMENU), window.right - inset,
                origin.y};
}

std::vector<RECT> MenuBarItemRects(HWND hwnd) {
    const RECT bar = MenuBarRect(hwnd);
    const std::vector<MenuItem> items = BarItems(hwnd);
    menu::MeasureDC dc;
    std::vector<RECT> rects;
    int x = bar.left;
    for (const MenuItem& item : items) {
        const std::string label = menu::ShownLabel(menu::SplitLabel(item.text).label);
        const int w = dc.Extent(label).cx + 2 * kBarItemPadding;
        rects.push_back(RECT{x, bar.top, x + w, bar.bottom});
        x += w;
    }
    // A help item and what follows it sit at the right end.
    for (size_t i = 0; i < items.size(); ++i) {
        if (!(items[i].type & MF_HELP))
            continue;
        const int shift = bar.right - rects.back().right;
        if (shift > 0)
            for (size_t k = i; k < rects.size(); ++k)
                OffsetRect(&rects[k], shift, 0);
        break;
    }
    return rects;
}

void PaintMenuBar(HWND hwnd, HDC hdc) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    RECT bar = MenuBarRect(hwnd);
    if (IsRectEmpty(&bar))
        return;
    OffsetRect(&bar, -window.left, -window.top);
    FillRect(hdc, &bar, GetSysColorBrush(COLOR_MENU));
    const std::vector<MenuItem> items = BarItems(hwnd);
    std::vector<RECT> rects = MenuBarItemRects(hwnd);
    menu::MenuTracker* tracker = menu::MenuTracker::Current();
    const int selected = tracker ? tracker->BarSelection(hwnd) : -1;
    SetBkMode(hdc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    for (size_t i = 0; i < items.size() && i < rects.size(); ++i) {
        RECT rc = rects[i];
        OffsetRect(&rc, -window.left, -window.top);
        const bool grayed = (items[i].state & MF_GRAYED) != 0;
        if (static_cast<int>(i) == selected) {
            FillRect(hdc, &rc, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            SetTextColor(hdc, GetSysColor(grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
        }
        const std::string label = menu::SplitLabel(items[i].text).label;
        DrawText(hdc, label.c_str(), static_cast<int>(label.size()), &rc,
                 DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    SelectObject(hdc, oldFont);
}

bool MenuBarDefaultHandling(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT* result) {
    *result = 0;
    if (message == WM_SYSKEYDOWN || message == WM_KEYDOWN)
        // Not AltGr, which comes with Ctrl.
        tAltAlone =
            wParam == VK_MENU && !(lParam & (1 << 30)) && !(GetKeyState(VK_CONTROL) & 0x8000);
    if (menu::MenuTracker::Current())
        return false;
    // The menu keys typed in a child (a view, a control) open the menu of the top-level window
    // it lies in.
    const HWND top = GetAncestor(hwnd, GA_ROOT);
    if (top == nullptr || !GetMenu(top))
        return false;
    switch (message) {
        case WM_SYSKEYUP:
            if (wParam == VK_MENU && tAltAlone) {
                tAltAlone = false;
                SendMessage(top, WM_SYSCOMMAND, SC_KEYMENU, 0);
                return true;
            }
            return false;
        case WM_SYSKEYDOWN:
            if (wParam == VK_F10 && !(GetKeyState(VK_SHIFT) & 0x8000)) {
                SendMessage(top, WM_SYSCOMMAND, SC_KEYMENU, 0);
                return true;
            }
            return false;
        case WM_SYSCHAR:
            if (wParam > ' ') {
                SendMessage(top, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wParam));
                return true;
            }
            return false;
        case WM_SYSCOMMAND: {
            if ((wParam & 0xFFF0) != SC_KEYMENU || hwnd != top)
                return false;
            menu::MenuTracker tracker(hwnd, 0);
            tracker.RunBarByKey(GetMenu(hwnd), static_cast<char32_t>(lParam));
            return true;
        }
        default:
            return false;
    }
}

}  // namespace kq::ui
