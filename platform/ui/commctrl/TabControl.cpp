#include "platform/ui/commctrl/TabControl.h"

#include <algorithm>

#include "platform/ui/commctrl/detail/ControlCommon.h"
#include "platform/ui/dialog/DialogCodes.h"

namespace kq::ui::commctrl {

namespace {
constexpr int kRowTop = 2;   // room for the selected tab, which stands 2 pixels taller
constexpr int kRowLeft = 2;  // and 2 pixels wider on each side
constexpr int kBody = 4;     // frame and margin around the display area
constexpr int kMinTabWidth = 24;

bool CtrlDown() {
    return GetKeyState(VK_CONTROL) < 0;
}
}  // namespace

TabControl::TabControl(HWND hwnd, const CREATESTRUCT&) : ControlWindow(hwnd) {}

ATOM TabControl::Register() {
    return RegisterControlClass(WC_TABCONTROL, &ControlWindowProc<TabControl>);
}

void TabControl::Changed() {
    layoutValid_ = false;
    Invalidate();
}

void TabControl::Layout() const {
    if (layoutValid_)
        return;
    const HFONT font = Font();
    const int height = fixedSize_.cy > 0 ? fixedSize_.cy : FontHeight(font) + 2 * padding_.cy;
    rects_.clear();
    int x = kRowLeft;
    for (const Item& item : items_) {
        int width = fixedSize_.cx;
        if (!(Style() & TCS_FIXEDWIDTH) || width <= 0)
            width = std::max(kMinTabWidth, TextWidth(font, item.text) + 2 * padding_.cx);
        rects_.push_back(RECT{x, kRowTop, x + width, kRowTop + height});
        x += width;
    }
    rowBottom_ = kRowTop + height;
    layoutValid_ = true;
}

int TabControl::InsertItem(int index, const TCITEM& item) {
    if (index < 0)
        return -1;
    index = std::min(index, static_cast<int>(items_.size()));
    Item entry;
    if ((item.mask & TCIF_TEXT) && item.pszText)
        entry.text = item.pszText;
    if (item.mask & TCIF_PARAM)
        entry.data = item.lParam;
    if (item.mask & TCIF_IMAGE)
        entry.image = item.iImage;
    if (item.mask & TCIF_STATE)
        entry.state = item.dwState & item.dwStateMask;
    items_.insert(items_.begin() + index, std::move(entry));
    // The first tab becomes the selected one; a tab inserted before it keeps it selected.
    if (selected_ < 0)
        selected_ = 0;
    else if (index <= selected_)
        ++selected_;
    Changed();
    return index;
}

bool TabControl::SetItem(int index, const TCITEM& item) {
    if (index < 0 || index >= static_cast<int>(items_.size()))
        return false;
    Item& entry = items_[index];
    if (item.mask & TCIF_TEXT)
        entry.text = item.pszText ? item.pszText : "";
    if (item.mask & TCIF_PARAM)
        entry.data = item.lParam;
    if (item.mask & TCIF_IMAGE)
        entry.image = item.iImage;
    if (item.mask & TCIF_STATE)
        entry.state = (entry.state & ~item.dwStateMask) | (item.dwState & item.dwStateMask);
    Changed();
    return true;
}

bool TabControl::GetItem(int index, TCITEM& item) const {
    if (index < 0 || index >= static_cast<int>(items_.size()))
        return false;
    const Item& entry = items_[index];
    if (item.mask & TCIF_TEXT)
        CopyText(entry.text, item.pszText, item.cchTextMax);
    if (item.mask & TCIF_PARAM)
        item.lParam = entry.data;
    if (item.mask & TCIF_IMAGE)
        item.iImage = entry.image;
    if (item.mask & TCIF_STATE)
        item.dwState = entry.state & item.dwStateMask;
    return true;
}

bool TabControl::DeleteItem(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size()))
        return false;
    items_.erase(items_.begin() + index);
    // Deleting the selected tab leaves none selected; the program picks the next one.
    if (index == selected_)
        selected_ = -1;
    else if (index < selected_)
        --selected_;
    Changed();
    return true;
}

int TabControl::HitTest(POINT pt, UINT* flags) const {
    Layout();
    for (size_t i = 0; i < rects_.size(); ++i) {
        if (PtInRect(&rects_[i], pt)) {
            if (flags)
                *flags = TCHT_ONITEMLABEL;
            return static_cast<int>(i);
        }
    }
    if (flags)
        *flags = TCHT_NOWHERE;
    return -1;
}

void TabControl::AdjustRect(bool larger, RECT& rc) const {
    Layout();
    const int top = rowBottom_ + kBody;
    if (larger) {
        rc.left -= kBody;
        rc.top -= top;
        rc.right += kBody;
        rc.bottom += kBody;
    } else {
        rc.left += kBody;
        rc.top += top;
        rc.right -= kBody;
        rc.bottom -= kBody;
    }
}

bool TabControl::ChangeSelection(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size()) || index == selected_)
        return false;
    NMHDR header{};
    if (Notify(TCN_SELCHANGING, &header))
        return false;
    selected_ = index;
    Invalidate();
    Notify(TCN_SELCHANGE, &header);
    return true;
}

void TabControl::OnKeyDown(UINT vk, LPARAM lParam) {
    NMTCKEYDOWN key{};
    key.wVKey = static_cast<WORD>(vk);
    key.flags = static_cast<UINT>(lParam);
    Notify(TCN_KEYDOWN, &key.hdr);
    const int count = static_cast<int>(items_.size());
    if (count == 0)
        return;
    switch (vk) {
        case VK_LEFT:
            ChangeSelection(std::max(0, selected_ - 1));
            break;
        case VK_RIGHT:
            ChangeSelection(std::min(count - 1, selected_ + 1));
            break;
        case VK_TAB:
            if (CtrlDown()) {
                const int step = GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1;
                ChangeSelection(selected_ < 0 ? 0 : (selected_ + step) % count);
            }
            break;
        default:
            break;
    }
}

LRESULT TabControl::HandleTabMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    const int index = static_cast<int>(wParam);
    switch (message) {
        case TCM_GETITEMCOUNT:
            return static_cast<LRESULT>(items_.size());
        case TCM_INSERTITEM:
            return lParam ? InsertItem(index, *reinterpret_cast<const TCITEM*>(lParam)) : -1;
        case TCM_SETITEM:
            return lParam && SetItem(index, *reinterpret_cast<const TCITEM*>(lParam));
        case TCM_GETITEM:
            return lParam && GetItem(index, *reinterpret_cast<TCITEM*>(lParam));
        case TCM_DELETEITEM:
            return DeleteItem(index);
        case TCM_DELETEALLITEMS:
            items_.clear();
            selected_ = -1;
            Changed();
            return TRUE;
        case TCM_GETITEMRECT:
            Layout();
            if (index < 0 || index >= static_cast<int>(rects_.size()) || !lParam)
                return FALSE;
            *reinterpret_cast<RECT*>(lParam) = rects_[index];
            return TRUE;
        case TCM_GETCURSEL:
        case TCM_GETCURFOCUS:
            return selected_;
        case TCM_SETCURSEL: {
            if (index < 0 || index >= static_cast<int>(items_.size()))
                return -1;
            const int old = selected_;
            selected_ = index;
            Invalidate();
            return old;
        }
        case TCM_SETCURFOCUS:
            ChangeSelection(index);
            return 0;
        case TCM_HITTEST: {
            auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
            return info ? HitTest(info->pt, &info->flags) : -1;
        }
        case TCM_ADJUSTRECT:
            if (lParam)
                AdjustRect(wParam != 0, *reinterpret_cast<RECT*>(lParam));
            return 0;
        case TCM_SETITEMSIZE: {
            Layout();
            const int width = rects_.empty() ? 0 : rects_[0].right - rects_[0].left;
            const LRESULT old = MAKELRESULT(width, rowBottom_ - kRowTop);
            fixedSize_ =
                SIZE{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
            Changed();
            return old;
        }
        case TCM_SETPADDING:
            padding_ = SIZE{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
            Changed();
            return 0;
        case TCM_GETROWCOUNT:
            return 1;
        default:
            handled = false;
            return 0;
    }
}

LRESULT TabControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (message == WM_SETFONT)
        layoutValid_ = false;
    if (HandleCommon(message, wParam, lParam, result))
        return result;
    bool handled = false;
    result = HandleTabMessage(message, wParam, lParam, handled);
    if (handled)
        return result;
    switch (message) {
        case WM_LBUTTONDOWN: {
            const DWORD style = Style();
            if ((style & TCS_FOCUSONBUTTONDOWN) && !(style & TCS_FOCUSNEVER))
                SetFocus(hwnd_);
            ChangeSelection(HitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, nullptr));
            return 0;
        }
        case WM_KEYDOWN:
            OnKeyDown(static_cast<UINT>(wParam), lParam);
            return 0;
        case WM_GETDLGCODE: {
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            const bool ctrlTab =
                msg && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB && CtrlDown();
            return DLGC_WANTARROWS | (ctrlTab ? DLGC_WANTTAB : 0);
        }
        case WM_STYLECHANGED:
        case WM_SIZE:
            Changed();
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
            Invalidate();
            return 0;
        default:
            return DefWindowProc(hwnd_, message, wParam, lParam);
    }
}

}  // namespace kq::ui::commctrl
