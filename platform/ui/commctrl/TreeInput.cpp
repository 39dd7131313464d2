#include <algorithm>

#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/TreeState.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"
#include "platform/ui/dialog/DialogCodes.h"

namespace kq::ui::commctrl {
namespace {

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

TreeState::Node* Hit(TreeState& s, POINT pt, UINT* flags) {
    TVHITTESTINFO info{pt, 0, nullptr};
    HTREEITEM item = s.HitTest(&info);
    *flags = info.flags;
    return s.NodeOf(item);
}

bool OnItem(TreeState& s, UINT flags) {
    if (flags & TVHT_ONITEM)
        return true;
    // Full-row selection makes the whole row the item.
    return (s.Style() & TVS_FULLROWSELECT) && (flags & (TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT));
}

void OnLeftDown(TreeState& s, POINT pt, bool doubleClick) {
    HWND hwnd = s.hwnd();
    if (GetFocus() != hwnd)
        SetFocus(hwnd);
    UINT flags = 0;
    TreeState::Node* node = Hit(s, pt, &flags);
    if (node && (flags & TVHT_ONITEMBUTTON)) {
        s.Expand(node, TVE_TOGGLE, true, TVC_BYMOUSE);
        return;
    }
    if (doubleClick) {
        s.leftPressed = false;
        if (SendSimpleNotify(hwnd, NM_DBLCLK) == 0 && node && OnItem(s, flags) &&
            s.NodeOf(TreeState::HandleOf(node)))
            s.Expand(node, TVE_TOGGLE, true, TVC_BYMOUSE);
        return;
    }
    s.pressed = node && OnItem(s, flags) ? node : nullptr;
    s.leftPressed = true;
    SetCapture(hwnd);
}

// The click is reported before the selection moves, so NM_CLICK handlers see the old one.
void OnLeftUp(TreeState& s, POINT pt) {
    if (!s.leftPressed)
        return;
    TreeState::Node* pressed = s.pressed;
    s.leftPressed = false;
    s.pressed = nullptr;
    if (GetCapture() == s.hwnd())
        ReleaseCapture();
    if (SendSimpleNotify(s.hwnd(), NM_CLICK) != 0)
        return;
    UINT flags = 0;
    TreeState::Node* node = Hit(s, pt, &flags);
    if (pressed && node == pressed && OnItem(s, flags))
        s.Select(node, TVC_BYMOUSE);
}

void OnMouseMove(TreeState& s, POINT pt) {
    if (!(s.Style() & TVS_TRACKSELECT))
        return;
    UINT flags = 0;
    TreeState::Node* node = Hit(s, pt, &flags);
    if (!(flags & TVHT_ONITEM))
        node = nullptr;
    if (node != s.hot) {
        s.hot = node;
        Invalidate(s.hwnd());
    }
}

void OnKeyDown(TreeState& s, UINT vk) {
    NMTVKEYDOWN nk{};
    nk.wVKey = static_cast<WORD>(vk);
    SendNotify(s.hwnd(), TVN_KEYDOWN, &nk.hdr);
    const auto& rows = s.Visible();
    if (rows.empty())
        return;
    TreeState::Node* current = s.Selected();
    const int row = current ? s.RowOf(current) : -1;
    const int last = static_cast<int>(rows.size()) - 1;
    const int page = std::max(1, s.VisibleCount());
    auto at = [&rows](int r) { return rows[static_cast<size_t>(r)]; };
    TreeState::Node* target = nullptr;
    switch (vk) {
        case VK_UP:
            target = at(std::max(0, row - 1));
            break;
        case VK_DOWN:
            target = at(row < 0 ? 0 : std::min(last, row + 1));
            break;
        case VK_HOME:
            target = at(0);
            break;
        case VK_END:
            target = at(last);
            break;
        case VK_PRIOR:
            target = at(std::max(0, row - page + 1));
            break;
        case VK_NEXT:
            target = at(std::min(last, std::max(row, 0) + page - 1));
            break;
        case VK_LEFT:
            if (!current)
                return;
            if ((current->state & TVIS_EXPANDED) && s.HasChildren(current))
                s.Expand(current, TVE_COLLAPSE, true, TVC_BYKEYBOARD);
            else if (current->parent != s.Root())
                target = current->parent;
            break;
        case VK_RIGHT:
            if (!current)
                return;
            if (!(current->state & TVIS_EXPANDED) && s.HasChildren(current))
                s.Expand(current, TVE_EXPAND, true, TVC_BYKEYBOARD);
            else if (current->first)
                target = current->first;
            break;
        case VK_ADD:
            if (current)
                s.Expand(current, TVE_EXPAND, true, TVC_BYKEYBOARD);
            return;
        case VK_SUBTRACT:
            if (current)
                s.Expand(current, TVE_COLLAPSE, true, TVC_BYKEYBOARD);
            return;
        case VK_RETURN:
            SendSimpleNotify(s.hwnd(), NM_RETURN);
            return;
        default:
            return;
    }
    if (target)
        s.Select(target, TVC_BYKEYBOARD);
}

void OnScroll(TreeState& s, bool vertical, WORD code, int pos) {
    const int step = vertical ? 1 : s.indent;
    const int page = vertical ? std::max(1, s.VisibleCount()) : static_cast<int>(s.Client().right);
    const int current = vertical ? s.Top() : s.ScrollX();
    int next = current;
    switch (code) {
        case SB_LINEUP:
            next -= step;
            break;
        case SB_LINEDOWN:
            next += step;
            break;
        case SB_PAGEUP:
            next -= page;
            break;
        case SB_PAGEDOWN:
            next += page;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            next = pos;
            break;
        case SB_TOP:
            next = 0;
            break;
        case SB_BOTTOM:
            next = 1 << 20;
            break;
        default:
            return;
    }
    if (vertical)
        s.SetTop(next);
    else
        s.SetScrollX(next);
}

}  // namespace

bool HandleTreeInput(TreeState& s, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = 0;
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnLeftDown(s, PointOf(lParam), message == WM_LBUTTONDBLCLK);
            return true;
        case WM_LBUTTONUP:
            OnLeftUp(s, PointOf(lParam));
            return true;
        case WM_RBUTTONDOWN:
            s.rightPressed = true;
            return true;
        case WM_RBUTTONUP:
            if (s.rightPressed) {
                s.rightPressed = false;
                SendSimpleNotify(s.hwnd(), NM_RCLICK);
            }
            return true;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != s.hwnd()) {
                s.leftPressed = false;
                s.pressed = nullptr;
            }
            return true;
        case WM_MOUSEMOVE:
            OnMouseMove(s, PointOf(lParam));
            return true;
        case WM_KEYDOWN:
            OnKeyDown(s, static_cast<UINT>(wParam));
            return true;
        case WM_CHAR:
            // '+' and '-' typed on the main keyboard act like the keypad keys.
            if (wParam == '+' && s.Selected())
                s.Expand(s.Selected(), TVE_EXPAND, true, TVC_BYKEYBOARD);
            else if (wParam == '-' && s.Selected())
                s.Expand(s.Selected(), TVE_COLLAPSE, true, TVC_BYKEYBOARD);
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
            s.SetTop(s.Top() - GET_WHEEL_DELTA_WPARAM(wParam) * 3 / WHEEL_DELTA);
            return true;
        default:
            return false;
    }
}

}  // namespace kq::ui::commctrl
