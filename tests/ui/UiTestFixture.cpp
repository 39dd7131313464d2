#include "ui/UiTestFixture.h"

#include <cstdio>

namespace kq::ui::test {

UiTest* UiTest::current_ = nullptr;

std::string MessageName(UINT message) {
    static const std::map<UINT, const char*> names = {
        {WM_NULL, "WM_NULL"},
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_ENABLE, "WM_ENABLE"},
        {WM_SETTEXT, "WM_SETTEXT"},
        {WM_GETTEXT, "WM_GETTEXT"},
        {WM_CLOSE, "WM_CLOSE"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
        {WM_CANCELMODE, "WM_CANCELMODE"},
        {WM_SETCURSOR, "WM_SETCURSOR"},
        {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
        {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
        {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_STYLECHANGING, "WM_STYLECHANGING"},
        {WM_STYLECHANGED, "WM_STYLECHANGED"},
        {WM_NCCREATE, "WM_NCCREATE"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
        {WM_NCHITTEST, "WM_NCHITTEST"},
        {WM_NCACTIVATE, "WM_NCACTIVATE"},
        {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
        {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
        {WM_NCLBUTTONUP, "WM_NCLBUTTONUP"},
        {WM_NCLBUTTONDBLCLK, "WM_NCLBUTTONDBLCLK"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},
        {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
        {WM_SYSKEYUP, "WM_SYSKEYUP"},
        {WM_SYSCHAR, "WM_SYSCHAR"},
        {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
        {WM_TIMER, "WM_TIMER"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
        {WM_RBUTTONUP, "WM_RBUTTONUP"},
        {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
        {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
        {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
        {WM_USER, "WM_USER"},
    };
    auto it = names.find(message);
    if (it != names.end())
        return it->second;
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%04X", message);
    return buf;
}

void UiTest::SetUp() {
    current_ = this;
    static bool registered = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = &UiTest::Proc;
        wc.lpszClassName = kClass;
        wc.cbWndExtra = 16;
        RegisterClass(&wc);
        wc.style = CS_DBLCLKS;
        wc.lpszClassName = kDblClickClass;
        RegisterClass(&wc);
        return true;
    }();
    (void)registered;
}

void UiTest::TearDown() {
    ResetWindowSystem();
    current_ = nullptr;
}

LRESULT UiTest::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    UiTest* self = current_;
    if (!self)
        return DefWindowProc(hwnd, message, wParam, lParam);
    Handler handler;
    {
        std::lock_guard lock(self->mutex_);
        self->log_.push_back(LoggedMessage{hwnd, message, wParam, lParam});
        auto it = self->handlers_.find(hwnd);
        handler = it != self->handlers_.end() ? it->second : self->creationHandler_;
    }
    if (handler) {
        if (std::optional<LRESULT> r = handler(hwnd, message, wParam, lParam))
            return *r;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

HWND UiTest::CreateTopLevel(RECT r, DWORD style, DWORD exStyle, HWND owner, const char* cls) {
    return CreateWindowEx(exStyle, cls, "top", style, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, owner, nullptr, nullptr, nullptr);
}

HWND UiTest::CreateChild(HWND parent, int id, RECT r, DWORD style, DWORD exStyle, const char* cls) {
    return CreateWindowEx(exStyle, cls, "child", style | WS_CHILD, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, parent,
                          reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
}

void UiTest::OnMessage(HWND hwnd, Handler handler) {
    std::lock_guard lock(mutex_);
    handlers_[hwnd] = std::move(handler);
}

std::vector<LoggedMessage> UiTest::Log() const {
    std::lock_guard lock(mutex_);
    return log_;
}

void UiTest::ClearLog() {
    std::lock_guard lock(mutex_);
    log_.clear();
}

std::vector<std::string> UiTest::NamesOf(HWND hwnd, std::vector<UINT> only) const {
    std::vector<std::string> names;
    for (const LoggedMessage& m : Log()) {
        if (m.hwnd != hwnd)
            continue;
        if (!only.empty() && std::find(only.begin(), only.end(), m.message) == only.end())
            continue;
        names.push_back(MessageName(m.message));
    }
    return names;
}

std::vector<std::string> UiTest::Sequence(std::vector<UINT> only,
                                          const std::map<HWND, std::string>& names) const {
    std::vector<std::string> result;
    for (const LoggedMessage& m : Log()) {
        auto name = names.find(m.hwnd);
        if (name == names.end() || std::find(only.begin(), only.end(), m.message) == only.end())
            continue;
        result.push_back(name->second + ":" + MessageName(m.message));
    }
    return result;
}

int UiTest::Count(HWND hwnd, UINT message) const {
    int n = 0;
    for (const LoggedMessage& m : Log())
        n += m.hwnd == hwnd && m.message == message;
    return n;
}

void UiTest::Advance(int64_t ms, int64_t step) {
    if (step <= 0)
        step = ms;
    for (int64_t done = 0; done < ms; done += step) {
        clock_->AdvanceMillis(std::min(step, ms - done));
        NotifyClockChanged();
        Pump();
    }
}

void UiTest::MouseMove(POINT pt) {
    InjectMouseMove(pt);
    Pump();
}

void UiTest::MouseDown(POINT pt, int button) {
    InjectMouseButton(pt, button, true);
    Pump();
}

void UiTest::MouseUp(POINT pt, int button) {
    InjectMouseButton(pt, button, false);
    Pump();
}

void UiTest::Click(POINT pt, int button) {
    MouseDown(pt, button);
    MouseUp(pt, button);
}

void UiTest::KeyDown(UINT vk, const char* text) {
    InjectKey(vk, true, text);
    Pump();
}

void UiTest::KeyUp(UINT vk) {
    InjectKey(vk, false);
    Pump();
}

void UiTest::KeyPress(UINT vk, const char* text) {
    KeyDown(vk, text);
    KeyUp(vk);
}

void UiTest::Type(const char* utf8) {
    InjectText(utf8);
    Pump();
}

}  // namespace kq::ui::test
