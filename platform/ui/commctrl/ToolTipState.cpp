#include "platform/ui/commctrl/ToolTipState.h"

#include <algorithm>
#include <map>

#include "platform/base/Resource.h"
#include "platform/base/ResourceName.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"

namespace kq::ui::commctrl {
namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
constexpr UINT_PTR kReshowWindowTimer = 3;
// Below the cursor's hot spot, so the tip does not hide what the cursor points at.
constexpr int kCursorDrop = 20;

bool IsMouseMessage(UINT m) {
    return m == WM_MOUSEMOVE || m == WM_LBUTTONDOWN || m == WM_LBUTTONUP || m == WM_RBUTTONDOWN ||
           m == WM_RBUTTONUP || m == WM_MBUTTONDOWN || m == WM_MBUTTONUP || m == WM_LBUTTONDBLCLK ||
           m == WM_RBUTTONDBLCLK || m == WM_MOUSEWHEEL;
}

// Tool windows seen through TTF_SUBCLASS: their original procedure and the tips that watch them.
struct Watched {
    WNDPROC original = nullptr;
    std::vector<HWND> tips;
};
std::map<HWND, Watched>& WatchedWindows() {
    static std::map<HWND, Watched> windows;
    return windows;
}

LRESULT WatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& windows = WatchedWindows();
    auto it = windows.find(hwnd);
    if (it == windows.end())
        return DefWindowProc(hwnd, message, wParam, lParam);
    const WNDPROC original = it->second.original;
    if (IsMouseMessage(message)) {
        MSG msg{hwnd, message, wParam, lParam, 0, {}};
        for (HWND tip : std::vector<HWND>(it->second.tips))
            if (IsWindow(tip))
                SendMessage(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        windows.erase(hwnd);
    }
    return CallWindowProc(original, hwnd, message, wParam, lParam);
}

}  // namespace

ToolTipState::ToolTipState(HWND hwnd)
    : bkColor(GetSysColor(COLOR_INFOBK)), textColor(GetSysColor(COLOR_INFOTEXT)), hwnd_(hwnd) {}

int ToolTipState::IndexOf(const Tool* tool) const {
    for (size_t i = 0; i < tools_.size(); ++i)
        if (&tools_[i] == tool)
            return static_cast<int>(i);
    return -1;
}

ToolTipState::Tool* ToolTipState::Find(HWND window, UINT_PTR id) {
    for (Tool& t : tools_)
        if (t.hwnd == window && t.id == id)
            return &t;
    return nullptr;
}

void ToolTipState::SetText(Tool& tool, LPSTR text, HINSTANCE hinst) {
    tool.hinst = hinst;
    tool.callback = text == LPSTR_TEXTCALLBACK;
    tool.text.clear();
    if (tool.callback || !text)
        return;
    if (IS_INTRESOURCE(text)) {
        std::string loaded;
        if (kq::LoadStringResource(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(text)), loaded))
            tool.text = loaded;
        return;
    }
    tool.text = text;
}

bool ToolTipState::Add(const TOOLINFO& info) {
    if (Find(info))
        return false;
    Tool tool;
    tool.flags = info.uFlags;
    tool.hwnd = info.hwnd;
    tool.id = info.uId;
    tool.rect = info.rect;
    tool.lParam = info.lParam;
    SetText(tool, info.lpszText, info.hinst);
    tools_.push_back(std::move(tool));
    if (info.uFlags & TTF_SUBCLASS)
        Subclass((info.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(info.uId) : info.hwnd);
    return true;
}

bool ToolTipState::Delete(const TOOLINFO& info) {
    Tool* tool = Find(info);
    if (!tool)
        return false;
    const int index = IndexOf(tool);
    if (index == current_) {
        Pop();
        current_ = -1;
    } else if (index < current_) {
        --current_;
    }
    const HWND watched =
        (tool->flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool->id) : tool->hwnd;
    const bool subclassed = tool->flags & TTF_SUBCLASS;
    tools_.erase(tools_.begin() + index);
    if (subclassed) {
        const bool stillUsed = std::any_of(tools_.begin(), tools_.end(), [&](const Tool& t) {
            const HWND w = (t.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(t.id) : t.hwnd;
            return w == watched && (t.flags & TTF_SUBCLASS);
        });
        if (!stillUsed)
            Unsubclass(watched);
    }
    return true;
}

void ToolTipState::Describe(const Tool& tool, TOOLINFO* info) const {
    info->uFlags = tool.flags;
    info->hwnd = tool.hwnd;
    info->uId = tool.id;
    info->rect = tool.rect;
    info->hinst = tool.hinst;
    info->lParam = tool.lParam;
}

ToolTipState::Tool* ToolTipState::ToolAt(HWND window, POINT pt) {
    for (Tool& t : tools_) {
        if (t.flags & TTF_IDISHWND) {
            if (reinterpret_cast<HWND>(t.id) == window)
                return &t;
        } else if (t.hwnd == window && PtInRect(&t.rect, pt)) {
            return &t;
        }
    }
    return nullptr;
}

std::string ToolTipState::TextOf(Tool& tool) {
    if (!tool.callback)
        return tool.text;
    NMTTDISPINFO info{};
    info.hdr.hwndFrom = hwnd_;
    info.hdr.idFrom = tool.id;
    info.hdr.code = TTN_GETDISPINFO;
    info.uFlags = tool.flags;
    info.lParam = tool.lParam;
    const int index = IndexOf(&tool);
    // The tool's window answers; its answer may point into szText, elsewhere or at a resource.
    SendMessage(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&info));
    std::string text;
    if (info.lpszText == nullptr || info.lpszText == LPSTR_TEXTCALLBACK) {
        info.szText[sizeof info.szText - 1] = '\0';
        text = info.szText;
    } else if (IS_INTRESOURCE(info.lpszText)) {
        kq::LoadStringResource(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(info.lpszText)), text);
    } else {
        text = info.lpszText;
    }
    if ((info.uFlags & TTF_DI_SETITEM) && index >= 0 && index < Count()) {
        tools_[static_cast<size_t>(index)].text = text;
        tools_[static_cast<size_t>(index)].callback = false;
    }
    return text;
}

int ToolTipState::Delay(WPARAM which) const {
    const int initial = initial_ >= 0 ? initial_ : static_cast<int>(GetDoubleClickTime());
    switch (which) {
        case TTDT_RESHOW:
            return reshow_ >= 0 ? reshow_ : initial / 5;
        case TTDT_AUTOPOP:
            return autoPop_ >= 0 ? autoPop_ : initial * 10;
        default:
            return initial;
    }
}

void ToolTipState::SetDelay(WPARAM which, int ms) {
    switch (which) {
        case TTDT_AUTOMATIC:
            initial_ = ms;
            reshow_ = autoPop_ = -1;
            break;
        case TTDT_RESHOW:
            reshow_ = ms;
            break;
        case TTDT_AUTOPOP:
            autoPop_ = ms;
            break;
        case TTDT_INITIAL:
            initial_ = ms;
            break;
        default:
            break;
    }
}

void ToolTipState::StartTimer(UINT_PTR id, int ms) {
    SetTimer(hwnd_, id, static_cast<UINT>(std::max(ms, 1)), nullptr);
}

void ToolTipState::StopTimers() {
    KillTimer(hwnd_, kShowTimer);
    KillTimer(hwnd_, kPopTimer);
}

void ToolTipState::Relay(const MSG& msg) {
    if (!active_ || !IsMouseMessage(msg.message))
        return;
    if (msg.message != WM_MOUSEMOVE) {
        // Any click ends the tip until the mouse moves on to another tool.
        Pop();
        return;
    }
    if (!(GetWindowLong(hwnd_, GWL_STYLE) & TTS_ALWAYSTIP)) {
        HWND active = GetActiveWindow();
        if (!active || GetAncestor(msg.hwnd, GA_ROOT) != active) {
            Pop();
            current_ = -1;
            return;
        }
    }
    POINT pt{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    const int index = IndexOf(ToolAt(msg.hwnd, pt));
    if (index == current_)
        return;
    const bool wasShowing = showing_;
    if (showing_)
        Pop();
    current_ = index;
    if (index < 0)
        return;
    // Moving from one tip straight to the next tool shows the next tip after the short delay.
    StartTimer(kShowTimer,
               (wasShowing || recentlyShown_) ? Delay(TTDT_RESHOW) : Delay(TTDT_INITIAL));
}

void ToolTipState::OnTimer(UINT_PTR id) {
    KillTimer(hwnd_, id);
    if (id == kShowTimer)
        Show();
    else if (id == kPopTimer)
        Pop();
    else if (id == kReshowWindowTimer)
        recentlyShown_ = false;
}

void ToolTipState::Show() {
    Tool* tool = Current();
    if (!tool || !active_)
        return;
    const std::string text = TextOf(*tool);
    tool = Current();  // the owner may have changed the tools while answering
    if (!tool || text.empty())
        return;
    shownText_ = text;
    // Size: one line, or lines wrapped at the maximum width.
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, font ? font : DefaultControlFont());
    UINT format = DT_CALCRECT | DT_LEFT;
    if (GetWindowLong(hwnd_, GWL_STYLE) & TTS_NOPREFIX)
        format |= DT_NOPREFIX;
    RECT calc{0, 0, maxWidth > 0 ? maxWidth : 0x7FFF, 0};
    if (maxWidth > 0)
        format |= DT_WORDBREAK;
    else
        format |= DT_SINGLELINE;
    DrawText(dc, shownText_.c_str(), static_cast<int>(shownText_.size()), &calc, format);
    DeleteDC(dc);
    const int cx = calc.right - calc.left + margin.left + margin.right + 2;
    const int cy = calc.bottom - calc.top + margin.top + margin.bottom + 2;
    POINT cursor{};
    GetCursorPos(&cursor);
    int x = cursor.x;
    int y = cursor.y + kCursorDrop;
    if (tool->flags & TTF_CENTERTIP) {
        RECT area = tool->rect;
        if (tool->flags & TTF_IDISHWND)
            GetClientRect(reinterpret_cast<HWND>(tool->id), &area);
        HWND owner = (tool->flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool->id) : tool->hwnd;
        MapWindowPoints(owner, nullptr, reinterpret_cast<POINT*>(&area), 2);
        x = (area.left + area.right - cx) / 2;
        y = area.bottom + 2;
    }
    const RECT screen = VirtualScreenRect();
    x = std::clamp<int>(x, screen.left, std::max<int>(screen.left, screen.right - cx));
    if (y + cy > screen.bottom)
        y = cursor.y - cy - 2;  // above the cursor at the bottom of the screen
    y = std::max<int>(y, screen.top);
    NMHDR hdr{hwnd_, tool->id, TTN_SHOW};
    const bool placed =
        SendMessage(tool->hwnd, WM_NOTIFY, tool->id, reinterpret_cast<LPARAM>(&hdr)) != 0;
    UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW;
    if (placed)
        flags |= SWP_NOMOVE;
    SetWindowPos(hwnd_, HWND_TOPMOST, x, y, cx, cy, flags);
    showing_ = true;
    Invalidate(hwnd_);
    StartTimer(kPopTimer, Delay(TTDT_AUTOPOP));
}

void ToolTipState::Pop() {
    KillTimer(hwnd_, kShowTimer);
    if (!showing_)
        return;
    KillTimer(hwnd_, kPopTimer);
    showing_ = false;
    ShowWindow(hwnd_, SW_HIDE);
    recentlyShown_ = true;
    StartTimer(kReshowWindowTimer, Delay(TTDT_RESHOW) * 5);
    if (Tool* tool = Current()) {
        NMHDR hdr{hwnd_, tool->id, TTN_POP};
        SendMessage(tool->hwnd, WM_NOTIFY, tool->id, reinterpret_cast<LPARAM>(&hdr));
    }
}

void ToolTipState::Activate(bool on) {
    active_ = on;
    if (!on) {
        Pop();
        StopTimers();
        current_ = -1;
    }
}

void ToolTipState::Paint(HDC hdc) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    HBRUSH bk = CreateSolidBrush(bkColor);
    FillRect(hdc, &client, bk);
    DeleteObject(bk);
    FrameRect(hdc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
    SelectObject(hdc, font ? font : DefaultControlFont());
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, textColor);
    RECT text{client.left + 1 + margin.left, client.top + 1 + margin.top,
              client.right - 1 - margin.right, client.bottom - 1 - margin.bottom};
    UINT format = maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE;
    if (GetWindowLong(hwnd_, GWL_STYLE) & TTS_NOPREFIX)
        format |= DT_NOPREFIX;
    DrawText(hdc, shownText_.c_str(), static_cast<int>(shownText_.size()), &text, format);
}

void ToolTipState::Subclass(HWND window) {
    if (!IsWindow(window))
        return;
    auto& windows = WatchedWindows();
    auto it = windows.find(window);
    if (it == windows.end()) {
        Watched w;
        w.original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchProc)));
        it = windows.emplace(window, w).first;
    }
    if (std::find(it->second.tips.begin(), it->second.tips.end(), hwnd_) == it->second.tips.end())
        it->second.tips.push_back(hwnd_);
}

void ToolTipState::Unsubclass(HWND window) {
    auto& windows = WatchedWindows();
    auto it = windows.find(window);
    if (it == windows.end())
        return;
    auto& tips = it->second.tips;
    tips.erase(std::remove(tips.begin(), tips.end(), hwnd_), tips.end());
    if (!tips.empty())
        return;
    // Only undone while nobody has subclassed the window on top of this procedure.
    if (IsWindow(window) &&
        GetWindowLongPtr(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&WatchProc)) {
        SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.original));
        windows.erase(it);
    }
}

void ToolTipState::UnsubclassAll() {
    for (auto& [window, watched] : std::map<HWND, Watched>(WatchedWindows()))
        Unsubclass(window);
}

}  // namespace kq::ui::commctrl
