#include <algorithm>

#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/ListViewState.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"
#include "platform/ui/dialog/DialogCodes.h"

namespace kq::ui::commctrl {
namespace {

constexpr int kHorizontalLine = 15;

bool KeyDown(int vk) {
    return (GetKeyState(vk) & 0x8000) != 0;
}

void SelectOnly(ListViewState& s, int i) {
    for (int j = 0; j < s.Count(); ++j)
        if (j != i && (s.ItemAt(j).state & LVIS_SELECTED))
            s.SetItemState(j, 0, LVIS_SELECTED);
    if (s.Valid(i))
        s.SetItemState(i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    s.selectionMark = i;
}

// Selects as a click or a key does: alone, toggled with CTRL, as a range with SHIFT.
void SelectBy(ListViewState& s, int i, bool ctrl, bool shift, bool toggle) {
    const bool single = GetWindowLong(s.hwnd(), GWL_STYLE) & LVS_SINGLESEL;
    if (!single && shift && s.Valid(s.selectionMark)) {
        s.SelectRange(s.selectionMark, i);
        if (s.Valid(i))
            s.SetItemState(i, LVIS_FOCUSED, LVIS_FOCUSED);
    } else if (!single && ctrl) {
        if (toggle) {
            const UINT sel = s.GetItemState(i, LVIS_SELECTED) ^ LVIS_SELECTED;
            s.SetItemState(i, sel | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            s.selectionMark = i;
        } else {
            s.SetItemState(i, LVIS_FOCUSED, LVIS_FOCUSED);
        }
    } else {
        SelectOnly(s, i);
    }
    s.EnsureVisible(i, false);
}

void SendClick(ListViewState& s, UINT code, POINT pt, WPARAM keys) {
    LVHITTESTINFO hit{pt, 0, -1, 0};
    s.HitTest(&hit, true);
    NMITEMACTIVATE nm{};
    nm.iItem = hit.iItem;
    nm.iSubItem = hit.iItem >= 0 ? hit.iSubItem : 0;
    nm.ptAction = pt;
    nm.lParam = s.Valid(hit.iItem) ? s.ItemAt(hit.iItem).lParam : 0;
    if (keys & MK_CONTROL)
        nm.uKeyFlags |= LVKF_CONTROL;
    if (keys & MK_SHIFT)
        nm.uKeyFlags |= LVKF_SHIFT;
    SendNotify(s.hwnd(), code, &nm.hdr);
}

void OnButtonDown(ListViewState& s, UINT message, WPARAM keys, POINT pt) {
    HWND hwnd = s.hwnd();
    if (GetFocus() != hwnd)
        SetFocus(hwnd);
    LVHITTESTINFO hit{pt, 0, -1, 0};
    const int i = s.HitTest(&hit, false);
    const bool ctrl = keys & MK_CONTROL;
    const bool shift = keys & MK_SHIFT;
    if (message == WM_RBUTTONDOWN) {
        if (i >= 0 && !(s.ItemAt(i).state & LVIS_SELECTED))
            SelectOnly(s, i);
        s.rightPressed = true;
        return;
    }
    if (i >= 0)
        SelectBy(s, i, ctrl, shift, true);
    else if (!ctrl && !shift)
        s.SetItemState(-1, 0, LVIS_SELECTED);
    if (message == WM_LBUTTONDBLCLK) {
        s.leftPressed = false;
        SendClick(s, NM_DBLCLK, pt, keys);
    } else {
        s.leftPressed = true;
        SetCapture(hwnd);
    }
}

void OnKeyDown(ListViewState& s, UINT vk) {
    NMLVKEYDOWN nk{};
    nk.wVKey = static_cast<WORD>(vk);
    SendNotify(s.hwnd(), LVN_KEYDOWN, &nk.hdr);
    const int count = s.Count();
    if (count == 0)
        return;
    const int focus = s.FocusedItem();
    const int top = s.TopIndex();
    const int perPage = std::max(1, s.CountPerPage());
    const bool ctrl = KeyDown(VK_CONTROL);
    const bool shift = KeyDown(VK_SHIFT);
    int target = -1;
    switch (vk) {
        case VK_UP:
            target = focus < 0 ? 0 : std::max(0, focus - 1);
            break;
        case VK_DOWN:
            target = focus < 0 ? 0 : std::min(count - 1, focus + 1);
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = count - 1;
            break;
        case VK_PRIOR:
            target = focus > top ? top : std::max(0, focus - perPage + 1);
            break;
        case VK_NEXT: {
            const int last = std::min(count - 1, top + perPage - 1);
            target = focus < last ? last : std::min(count - 1, focus + perPage - 1);
            break;
        }
        case VK_SPACE:
            if (focus >= 0)
                SelectBy(s, focus, ctrl, shift, true);
            return;
        default:
            return;
    }
    SelectBy(s, target, ctrl, shift, false);
}

void OnScroll(ListViewState& s, bool vertical, WORD code, int pos) {
    if (vertical) {
        const int page = std::max(1, s.CountPerPage());
        switch (code) {
            case SB_LINEUP:
                s.ScrollBy(-1, 0);
                break;
            case SB_LINEDOWN:
                s.ScrollBy(1, 0);
                break;
            case SB_PAGEUP:
                s.ScrollBy(-page, 0);
                break;
            case SB_PAGEDOWN:
                s.ScrollBy(page, 0);
                break;
            case SB_THUMBPOSITION:
            case SB_THUMBTRACK:
                s.SetTop(pos);
                break;
            case SB_TOP:
                s.SetTop(0);
                break;
            case SB_BOTTOM:
                s.SetTop(s.Count());
                break;
            default:
                break;
        }
        return;
    }
    const int page = std::max(1, static_cast<int>(s.Client().right));
    switch (code) {
        case SB_LINEUP:
            s.ScrollBy(0, -kHorizontalLine);
            break;
        case SB_LINEDOWN:
            s.ScrollBy(0, kHorizontalLine);
            break;
        case SB_PAGEUP:
            s.ScrollBy(0, -page);
            break;
        case SB_PAGEDOWN:
            s.ScrollBy(0, page);
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            s.SetScrollX(pos);
            break;
        case SB_TOP:
            s.SetScrollX(0);
            break;
        case SB_BOTTOM:
            s.SetScrollX(s.ColumnsWidth());
            break;
        default:
            break;
    }
}

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace

bool HandleListViewInput(ListViewState& s, UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT* result) {
    *result = 0;
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
            OnButtonDown(s, message, wParam, PointOf(lParam));
            return true;
        case WM_LBUTTONUP:
            if (s.leftPressed) {
                s.leftPressed = false;
                if (GetCapture() == s.hwnd())
                    ReleaseCapture();
                SendClick(s, NM_CLICK, PointOf(lParam), wParam);
            }
            return true;
        case WM_RBUTTONUP:
            if (s.rightPressed) {
                s.rightPressed = false;
                SendClick(s, NM_RCLICK, PointOf(lParam), wParam);
            }
            return true;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != s.hwnd())
                s.leftPressed = false;
            return true;
        case WM_KEYDOWN:
            OnKeyDown(s, static_cast<UINT>(wParam));
            return true;
        case WM_GETDLGCODE:
            *result = DLGC_WANTARROWS | DLGC_WANTCHARS;
            return true;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            s.hasFocus = message == WM_SETFOCUS;
            Invalidate(s.hwnd());
            SendSimpleNotify(s.hwnd(), s.hasFocus ? NM_SETFOCUS : NM_KILLFOCUS);
            return true;
        case WM_VSCROLL:
        case WM_HSCROLL:
            OnScroll(s, message == WM_VSCROLL, LOWORD(wParam), static_cast<SHORT>(HIWORD(wParam)));
            return true;
        case WM_MOUSEWHEEL:
            s.ScrollBy(-GET_WHEEL_DELTA_WPARAM(wParam) * 3 / WHEEL_DELTA, 0);
            return true;
        default:
            return false;
    }
}

}  // namespace kq::ui::commctrl
