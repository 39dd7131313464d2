#include "platform/ui/menu/MenuTracker.h"

#include <algorithm>

#include "platform/ui/ModalLoops.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/menu/MenuBar.h"
#include "platform/ui/menu/PopupWindow.h"

namespace kq::ui::menu {
namespace {

thread_local MenuTracker* tCurrent = nullptr;

bool IsMouseMessage(UINT m) {
    return (m >= WM_MOUSEMOVE && m <= WM_MBUTTONDBLCLK) ||
           (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK) || m == WM_MOUSEWHEEL;
}

bool IsKeyMessage(UINT m) {
    return m >= WM_KEYDOWN && m <= WM_SYSDEADCHAR;
}

bool Selectable(const MenuItem& item) {
    return !(item.type & MFT_SEPARATOR);
}

bool Enabled(const MenuItem& item) {
    return !(item.state & (MF_GRAYED | MF_DISABLED));
}

RECT WorkAreaAt(POINT pt) {
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    if (GetMonitorInfo(MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), &mi))
        return mi.rcWork;
    return PrimaryWorkArea();
}

}  // namespace

MenuTracker* MenuTracker::Current() {
    return tCurrent;
}

MenuTracker::~MenuTracker() {
    CloseLevelsAbove(0);
}

bool MenuTracker::ItemOf(HMENU menu, int index, MenuItem& out) {
    std::lock_guard<std::recursive_mutex> lock(MenuMutex());
    const MenuObject* m = FindMenu(menu);
    if (!m || index < 0 || index >= static_cast<int>(m->items.size()))
        return false;
    out = m->items[static_cast<size_t>(index)];
    return true;
}

bool MenuTracker::ItemInfo(size_t level, int index, MenuItem& out) const {
    return level < levels_.size() && ItemOf(levels_[level].view->menu, index, out);
}

HWND MenuTracker::CaptureWindow() const {
    if (barMenu_)
        return owner_;
    return levels_.empty() ? nullptr : levels_.front().window;
}

int MenuTracker::ItemCount(size_t level) const {
    return static_cast<int>(levels_[level].view->rects.size());
}

bool MenuTracker::OpenLevel(HMENU menu, int indexInParent, RECT place, bool besideParent) {
    if (Notify())
        SendMessage(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                    MAKELPARAM(static_cast<DWORD>(indexInParent), 0));
    if (done_ || !IsMenu(menu))
        return false;
    Level level;
    level.view = std::make_unique<PopupView>();
    level.view->menu = menu;
    level.view->owner = owner_;
    LayOutPopup(*level.view);
    const SIZE size = level.view->size;
    const POINT anchor{place.left, place.top};
    const RECT work = WorkAreaAt(anchor);
    int x = place.left, y = place.top;
    if (besideParent) {
        // To the right of the parent's item, or to its left where the screen ends.
        x = place.right;
        if (x + size.cx > work.right)
            x = place.left - size.cx;
    } else {
        if (flags_ & TPM_RIGHTALIGN)
            x -= size.cx;
        else if (flags_ & TPM_CENTERALIGN)
            x -= size.cx / 2;
        if (flags_ & TPM_BOTTOMALIGN)
            y -= size.cy;
        else if (flags_ & TPM_VCENTERALIGN)
            y -= size.cy / 2;
        if (x + size.cx > work.right)
            x = std::max(place.left - size.cx, work.left);
        if (y + size.cy > work.bottom)
            y = std::max(place.top - size.cy, work.top);
        RECT want{x, y, x + size.cx, y + size.cy}, overlap{};
        if (hasExclude_ && IntersectRect(&overlap, &want, &exclude_))
            y = exclude_.bottom + size.cy <= work.bottom ? exclude_.bottom : exclude_.top - size.cy;
    }
    x = std::clamp<int>(x, work.left, std::max<int>(work.left, work.right - size.cx));
    y = std::clamp<int>(y, work.top, std::max<int>(work.top, work.bottom - size.cy));
    level.screen = RECT{x, y, x + size.cx, y + size.cy};
    level.window = CreatePopupWindow(*level.view, owner_, level.screen);
    if (!level.window)
        return false;
    SetWindowPos(level.window, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    levels_.push_back(std::move(level));
    return true;
}

void MenuTracker::CloseLevelsAbove(size_t keep) {
    while (levels_.size() > keep) {
        Level& top = levels_.back();
        HMENU menu = top.view->menu;
        if (IsWindow(top.window))
            DestroyWindow(top.window);
        levels_.pop_back();
        if (Notify() && IsWindow(owner_))
            SendMessage(owner_, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    }
    if (HWND capture = CaptureWindow(); capture && IsWindow(capture) && !done_)
        SetCapture(capture);
}

void MenuTracker::SendMenuSelect(size_t level, int index, bool byMouse) {
    if (!Notify())
        return;
    MenuItem item;
    if (!ItemInfo(level, index, item))
        return;
    const UINT flags = (StateFlags(item) & 0xFF) | MF_HILITE | (item.subMenu ? MF_POPUP : 0) |
                       (byMouse ? MF_MOUSESELECT : 0);
    // Pop-up items are named by their position, command items by their id.
    const UINT idOrPos = item.subMenu ? static_cast<UINT>(index) : item.id;
    SendMessage(owner_, WM_MENUSELECT, MAKEWPARAM(idOrPos, flags),
                reinterpret_cast<LPARAM>(levels_[level].view->menu));
}

void MenuTracker::Select(size_t level, int index, bool byMouse) {
    if (level >= levels_.size())
        return;
    PopupView& view = *levels_[level].view;
    if (view.selected == index) {
        CloseLevelsAbove(level + 2);
        return;
    }
    CloseLevelsAbove(level + 1);
    const int previous = view.selected;
    view.selected = index;
    RepaintSelection(levels_[level].window, view, previous, index);
    if (index >= 0)
        SendMenuSelect(level, index, byMouse);
}

void MenuTracker::Execute(size_t level, bool selectFirst) {
    const int index = levels_[level].view->selected;
    MenuItem item;
    if (!ItemInfo(level, index, item) || !Enabled(item))
        return;
    if (!item.subMenu) {
        chosen_ = item.id;
        done_ = true;
        return;
    }
    if (levels_.size() > level + 1 && levels_[level + 1].view->menu == item.subMenu) {
        if (selectFirst && levels_[level + 1].view->selected < 0)
            Step(+1);
        return;
    }
    CloseLevelsAbove(level + 1);
    RECT r = levels_[level].view->rects[static_cast<size_t>(index)];
    const RECT& win = levels_[level].screen;
    RECT place{win.left, win.top + r.top - kPopupBorder, win.right, win.bottom};
    if (OpenLevel(item.subMenu, index, place, true) && selectFirst)
        Step(+1);
}

void MenuTracker::Step(int direction) {
    if (levels_.empty())
        return;
    const size_t level = levels_.size() - 1;
    const int count = ItemCount(level);
    int index = levels_[level].view->selected;
    for (int tries = 0; tries < count; ++tries) {
        index = index < 0 ? (direction > 0 ? 0 : count - 1) : (index + direction + count) % count;
        MenuItem item;
        if (ItemInfo(level, index, item) && Selectable(item)) {
            Select(level, index, false);
            return;
        }
    }
}

bool MenuTracker::PressesOutside(const MSG& msg) const {
    switch (msg.message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
            break;
        default:
            return false;
    }
    if (LevelAt(msg.pt) >= 0)
        return false;
    if (hasExclude_ && PtInRect(&exclude_, msg.pt))
        return false;
    return !barMenu_ || BarItemAt(msg.pt) < 0;
}

int MenuTracker::LevelAt(POINT pt) const {
    for (int i = static_cast<int>(levels_.size()) - 1; i >= 0; --i)
        if (PtInRect(&levels_[static_cast<size_t>(i)].screen, pt))
            return i;
    return -1;
}

void MenuTracker::OnMouse(const MSG& msg) {
    if (OnBarMouse(msg))
        return;
    const POINT pt = msg.pt;
    const int level = LevelAt(pt);
    int index = -1;
    if (level >= 0) {
        const Level& l = levels_[static_cast<size_t>(level)];
        index = PopupItemAt(*l.view, POINT{pt.x - l.screen.left, pt.y - l.screen.top});
    }
    const bool rightChooses = (flags_ & TPM_RIGHTBUTTON) != 0;
    switch (msg.message) {
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
            if (level < 0) {
                if (levels_.empty())
                    return;
                // Off the menus: the deepest level loses its highlight unless it leads on.
                const size_t last = levels_.size() - 1;
                MenuItem item;
                if (ItemInfo(last, levels_[last].view->selected, item) && !item.subMenu)
                    Select(last, -1, true);
                return;
            }
            [[fallthrough]];
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN: {
            if (level < 0) {
                if (msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE)
                    done_ = true;  // a press outside every menu closes them all
                return;
            }
            MenuItem item;
            if (index >= 0 && ItemInfo(static_cast<size_t>(level), index, item) &&
                Selectable(item)) {
                Select(static_cast<size_t>(level), index, true);
                if (item.subMenu)
                    Execute(static_cast<size_t>(level), false);
            } else {
                Select(static_cast<size_t>(level), -1, true);
            }
            return;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_NCLBUTTONUP:
        case WM_NCRBUTTONUP: {
            const bool right = msg.message == WM_RBUTTONUP || msg.message == WM_NCRBUTTONUP;
            if (level < 0 || index < 0 || (right && !rightChooses))
                return;
            MenuItem item;
            if (ItemInfo(static_cast<size_t>(level), index, item) && Selectable(item) &&
                !item.subMenu) {
                Select(static_cast<size_t>(level), index, true);
                Execute(static_cast<size_t>(level), false);
            }
            return;
        }
        default:
            return;
    }
}

void MenuTracker::OnKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return;
    // On the bar with no pop-up open, the keys work the bar.
    const bool barOnly = barMenu_ && levels_.empty();
    const size_t last = levels_.empty() ? 0 : levels_.size() - 1;
    MenuItem item;
    switch (msg.wParam) {
        case VK_DOWN:
        case VK_UP:
            if (barOnly)
                BarSelect(barSel_, true, true);
            else
                Step(msg.wParam == VK_DOWN ? +1 : -1);
            break;
        case VK_RIGHT:
            if (!barOnly && ItemInfo(last, levels_[last].view->selected, item) && item.subMenu)
                Execute(last, true);
            else if (barMenu_)
                BarStep(+1);
            break;
        case VK_LEFT:
            if (levels_.size() > 1)
                CloseLevelsAbove(last);
            else if (barMenu_)
                BarStep(-1);
            break;
        case VK_RETURN:
            if (barOnly) {
                if (ItemOf(barMenu_, barSel_, item) && !item.subMenu && Enabled(item)) {
                    chosen_ = item.id;
                    done_ = true;
                } else {
                    BarSelect(barSel_, true, true);
                }
            } else {
                Execute(last, true);
            }
            break;
        case VK_ESCAPE:
            if (levels_.size() > 1 || (barMenu_ && levels_.size() == 1))
                CloseLevelsAbove(last);  // back to the parent, or to the bar
            else
                done_ = true;
            break;
        case VK_MENU:
        case VK_F10:
            done_ = true;
            break;
        default:
            break;
    }
}

void MenuTracker::OnChar(char32_t ch) {
    if (ch >= 'A' && ch <= 'Z')
        ch += 'a' - 'A';
    if (barMenu_ && levels_.empty()) {
        const int count = static_cast<int>(barRects_.size());
        for (int i = 0; i < count; ++i) {
            MenuItem item;
            if (ItemOf(barMenu_, i, item) && SplitLabel(item.text).mnemonic == ch) {
                BarSelect(i, true, true);
                return;
            }
        }
        return;
    }
    const size_t last = levels_.size() - 1;
    const int count = ItemCount(last);
    const int start = levels_[last].view->selected;
    std::vector<int> matches;
    for (int k = 1; k <= count; ++k) {
        const int i = (start + k + count) % count;
        MenuItem item;
        if (ItemInfo(last, i, item) && !(item.type & (MFT_SEPARATOR | MFT_OWNERDRAW)) &&
            SplitLabel(item.text).mnemonic == ch)
            matches.push_back(i);
    }
    if (matches.size() == 1) {
        Select(last, matches[0], false);
        Execute(last, true);
        return;
    }
    if (matches.size() > 1) {
        Select(last, matches[0], false);
        return;
    }
    if (!Notify())
        return;
    const LRESULT r = SendMessage(owner_, WM_MENUCHAR, MAKEWPARAM(ch & 0xFFFF, MF_POPUP),
                                  reinterpret_cast<LPARAM>(levels_[last].view->menu));
    const int position = static_cast<int>(r & 0xFFFF);
    switch ((r >> 16) & 0xFFFF) {
        case MNC_CLOSE:
            done_ = true;
            break;
        case MNC_EXECUTE:
            if (position < count) {
                Select(last, position, false);
                Execute(last, true);
            }
            break;
        case MNC_SELECT:
            if (position < count)
                Select(last, position, false);
            break;
        default:
            break;
    }
}

void MenuTracker::Enter(HMENU menu, bool popup) {
    previous_ = tCurrent;
    tCurrent = this;
    if (Notify()) {
        SendMessage(owner_, WM_ENTERMENULOOP, popup ? TRUE : FALSE, 0);
        SendMessage(owner_, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    }
}

void MenuTracker::Loop() {
    if (HWND capture = CaptureWindow())
        SetCapture(capture);
    const ModalLoopScope counted;
    bool idleSent = false;
    while (!done_ && (barMenu_ || !levels_.empty())) {
        if (!IsWindow(owner_) || ModalLoopsEnding()) {
            done_ = true;
            break;
        }
        MSG msg{};
        if (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) && PressesOutside(msg)) {
            done_ = true;  // the press stays queued for its window
            break;
        }
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!idleSent) {
                idleSent = true;
                const HWND shown = levels_.empty() ? owner_ : levels_.back().window;
                SendMessage(owner_, WM_ENTERIDLE, MSGF_MENU, reinterpret_cast<LPARAM>(shown));
                continue;
            }
            WaitMessage();
            idleSent = false;
            continue;
        }
        idleSent = false;
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            done_ = true;
            break;
        }
        if (CallMsgFilter(&msg, MSGF_MENU))
            continue;
        if (IsMouseMessage(msg.message)) {
            OnMouse(msg);
        } else if (IsKeyMessage(msg.message)) {
            if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
                OnChar(static_cast<char32_t>(msg.wParam));
            } else {
                TranslateMessage(&msg);
                OnKey(msg);
            }
        } else {
            DispatchMessage(&msg);
        }
    }
}

UINT MenuTracker::Leave(bool popup) {
    done_ = true;
    CloseLevelsAbove(0);
    if (GetCapture() == owner_ && barMenu_)
        ReleaseCapture();
    if (barSel_ >= 0) {
        barSel_ = -1;
        DrawMenuBar(owner_);
    }
    if (Notify() && IsWindow(owner_)) {
        SendMessage(owner_, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
        SendMessage(owner_, WM_EXITMENULOOP, popup ? TRUE : FALSE, 0);
    }
    tCurrent = previous_;
    return chosen_;
}

UINT MenuTracker::Run(HMENU menu, POINT at, const RECT* exclude) {
    hasExclude_ = exclude != nullptr;
    if (exclude)
        exclude_ = *exclude;
    Enter(menu, true);
    if (OpenLevel(menu, 0, RECT{at.x, at.y, at.x, at.y}, false))
        Loop();
    return Leave(true);
}

UINT MenuTracker::RunBar(HMENU bar, int item, bool byMouse) {
    barMenu_ = bar;
    barRects_ = MenuBarItemRects(owner_);
    if (item < 0 || item >= static_cast<int>(barRects_.size()))
        return 0;
    Enter(bar, false);
    BarSelect(item, true, !byMouse);
    Loop();
    const UINT chosen = Leave(false);
    if (chosen != 0 && IsWindow(owner_))
        PostMessage(owner_, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    return chosen;
}

UINT MenuTracker::RunBarByKey(HMENU bar, char32_t ch) {
    barMenu_ = bar;
    barRects_ = MenuBarItemRects(owner_);
    if (barRects_.empty())
        return 0;
    int item = 0;
    if (ch != 0) {
        if (ch >= 'A' && ch <= 'Z')
            ch += 'a' - 'A';
        item = -1;
        for (int i = 0; i < static_cast<int>(barRects_.size()) && item < 0; ++i) {
            MenuItem it;
            if (ItemOf(bar, i, it) && SplitLabel(it.text).mnemonic == ch)
                item = i;
        }
        if (item < 0)
            return 0;
    }
    Enter(bar, false);
    BarSelect(item, ch != 0, true);
    Loop();
    const UINT chosen = Leave(false);
    if (chosen != 0 && IsWindow(owner_))
        PostMessage(owner_, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    return chosen;
}

int MenuTracker::BarItemAt(POINT pt) const {
    for (size_t i = 0; i < barRects_.size(); ++i)
        if (PtInRect(&barRects_[i], pt))
            return static_cast<int>(i);
    return -1;
}

void MenuTracker::BarSelect(int index, bool open, bool selectFirst) {
    MenuItem item;
    if (!ItemOf(barMenu_, index, item))
        return;
    CloseLevelsAbove(0);
    barSel_ = index;
    DrawMenuBar(owner_);
    if (Notify()) {
        const UINT flags = (StateFlags(item) & 0xFF) | MF_HILITE | (item.subMenu ? MF_POPUP : 0);
        const UINT idOrPos = item.subMenu ? static_cast<UINT>(index) : item.id;
        SendMessage(owner_, WM_MENUSELECT, MAKEWPARAM(idOrPos, flags),
                    reinterpret_cast<LPARAM>(barMenu_));
    }
    if (!open || !item.subMenu || !Enabled(item))
        return;
    const RECT& r = barRects_[static_cast<size_t>(index)];
    if (OpenLevel(item.subMenu, index, RECT{r.left, r.bottom, r.left, r.bottom}, false) &&
        selectFirst)
        Step(+1);
}

void MenuTracker::BarStep(int direction) {
    const int count = static_cast<int>(barRects_.size());
    if (count == 0)
        return;
    const bool wasOpen = !levels_.empty();
    const int next = ((barSel_ < 0 ? 0 : barSel_) + direction + count) % count;
    BarSelect(next, wasOpen, true);
}

bool MenuTracker::OnBarMouse(const MSG& msg) {
    if (!barMenu_)
        return false;
    const int index = BarItemAt(msg.pt);
    if (index < 0) {
        // A press outside the bar and every pop-up ends the tracking.
        const bool press = msg.message == WM_LBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN ||
                           msg.message == WM_RBUTTONDOWN || msg.message == WM_NCRBUTTONDOWN;
        if (press && LevelAt(msg.pt) < 0) {
            done_ = true;
            return true;
        }
        return false;
    }
    switch (msg.message) {
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
            if (index != barSel_ && !levels_.empty())
                BarSelect(index, true, false);
            break;
        case WM_LBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
            if (index == barSel_ && !levels_.empty())
                done_ = true;  // a second click on the open item closes the menu
            else
                BarSelect(index, true, false);
            break;
        default:
            break;
    }
    return true;
}

}  // namespace kq::ui::menu
