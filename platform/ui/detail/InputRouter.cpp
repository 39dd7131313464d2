// Turns raw input into window messages on the thread that takes it from its queue.
#include <cstdlib>

#include "platform/base/Utf8.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/Styles.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowLifetime.h"
#include "platform/ui/detail/Delivery.h"
#include "platform/ui/detail/InputState.h"
#include "platform/ui/detail/KeyState.h"
#include "platform/ui/detail/Retrieve.h"
#include "platform/ui/detail/Window.h"
#include "platform/ui/detail/WindowOps.h"

namespace kq::ui::detail {
namespace {

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendInternal(hwnd, message, wParam, lParam, nullptr);
}

struct Target {
    HWND hwnd = nullptr;
    std::shared_ptr<ThreadQueue> queue;
    bool usable = false;  // alive and enabled up to its top level
    bool dblclks = false;
    HWND topLevel = nullptr;
    POINT clientOrigin{};
};

Target Describe(HWND hwnd) {
    Target t;
    t.hwnd = hwnd;
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w || w == &Desktop())
        return t;
    t.queue = w->queue;
    t.usable = IsEnabledChain(*w);
    t.dblclks = w->cls && (w->cls->style & CS_DBLCLKS);
    Window* top = TopLevelOf(w);
    t.topLevel = top ? top->hwnd : nullptr;
    t.clientOrigin = ClientOriginOnScreen(*w);
    return t;
}

// Input meant for a window of another thread goes to that thread's queue.
bool ForwardIfForeign(const Target& t, ThreadQueue& q, const RawInput& raw) {
    if (!t.queue || t.queue.get() == &q)
        return false;
    {
        std::lock_guard lock(t.queue->mutex);
        t.queue->input.push_front(raw);
    }
    t.queue->Wake();
    return true;
}

UINT ButtonMessage(int button, bool down, bool dbl, bool nonClient) {
    int index = button == VK_RBUTTON ? 1 : button == VK_MBUTTON ? 2 : 0;
    UINT base = nonClient ? WM_NCLBUTTONDOWN : WM_LBUTTONDOWN;
    return base + static_cast<UINT>(index * 3) + (dbl ? 2u : down ? 0u : 1u);
}

// Whether this press completes a double-click: same window, button and area, within the
// double-click time and rectangle of the previous press, which was not itself the second.
bool IsDoubleClick(const RawInput& raw, HWND target, bool nonClient, bool eligible) {
    InputState& in = Input();
    std::lock_guard lock(in.mutex);
    const int halfX = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
    const int halfY = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    LastClick& last = in.click;
    bool dbl = !last.wasDouble && last.window == target && last.button == raw.button &&
               last.nonClient == nonClient && raw.time - last.time <= in.doubleClickTime &&
               std::abs(raw.pt.x - last.point.x) <= halfX &&
               std::abs(raw.pt.y - last.point.y) <= halfY && eligible;
    last = LastClick{target, raw.button, nonClient, raw.pt, raw.time, dbl};
    return dbl;
}

std::optional<MSG> ConvertMouse(ThreadQueue& q, const RawInput& raw) {
    const bool down = raw.kind == RawInput::Kind::ButtonDown;
    const HWND capture = CaptureWindow();
    Target t;
    LRESULT hit = HTCLIENT;
    if (capture && IsWindow(capture)) {
        t = Describe(capture);
    } else {
        t = Describe(WindowAndHitAt(raw.pt, &hit));
        if (!t.queue)
            return std::nullopt;
    }
    if (ForwardIfForeign(t, q, raw))
        return std::nullopt;
    if (!t.usable)
        return std::nullopt;
    const bool nonClient = !capture && hit != HTCLIENT;
    UINT message = WM_MOUSEMOVE;
    if (raw.kind == RawInput::Kind::MouseMove) {
        message = nonClient ? WM_NCMOUSEMOVE : WM_MOUSEMOVE;
    } else {
        bool dbl = down && IsDoubleClick(raw, t.hwnd, nonClient, nonClient || t.dblclks);
        message = ButtonMessage(raw.button, down, dbl, nonClient);
    }
    if (down && !capture && t.hwnd != ActiveWindowHandle()) {
        LRESULT how = Send(t.hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(t.topLevel),
                           MAKELPARAM(static_cast<WORD>(hit), message));
        if ((how == MA_ACTIVATE || how == MA_ACTIVATEANDEAT || how == 0) && t.topLevel &&
            ActiveWindowHandle() != t.topLevel)
            Activate(t.topLevel, WA_CLICKACTIVE, true);
        if (how == MA_ACTIVATEANDEAT || how == MA_NOACTIVATEANDEAT)
            return std::nullopt;
        if (!IsWindow(t.hwnd))
            return std::nullopt;
        t = Describe(t.hwnd);  // activation may have moved things
    }
    if (!capture)
        Send(t.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(t.hwnd),
             MAKELPARAM(static_cast<WORD>(hit), message));
    MSG m{t.hwnd, message, 0, 0, raw.time, raw.pt};
    if (nonClient) {
        m.wParam = static_cast<WPARAM>(hit);
        m.lParam = MAKELPARAM(static_cast<WORD>(raw.pt.x), static_cast<WORD>(raw.pt.y));
    } else {
        m.wParam = raw.keys;
        m.lParam = MAKELPARAM(static_cast<WORD>(raw.pt.x - t.clientOrigin.x),
                              static_cast<WORD>(raw.pt.y - t.clientOrigin.y));
    }
    return m;
}

// Keyboard input goes to the focus window; with no focus, the active window gets it as
// system keys.
Target KeyboardTarget(bool* system) {
    HWND focus = FocusWindow();
    if (focus && IsWindow(focus))
        return Describe(focus);
    *system = true;
    return Describe(ActiveWindowHandle());
}

// The wheel turns what is under the cursor; off the program's usable windows, or while a
// window holds the capture, it goes where the keys go.
Target WheelTarget(const RawInput& raw) {
    if (!CaptureWindow()) {
        LRESULT hit = HTCLIENT;
        Target under = Describe(WindowAndHitAt(raw.pt, &hit));
        if (under.queue && under.usable)
            return under;
    }
    bool system = false;
    return KeyboardTarget(&system);
}

std::optional<MSG> ConvertWheel(ThreadQueue& q, const RawInput& raw) {
    Target t = WheelTarget(raw);
    if (!t.queue || ForwardIfForeign(t, q, raw) || !t.usable)
        return std::nullopt;
    return MSG{
        t.hwnd,
        WM_MOUSEWHEEL,
        MAKEWPARAM(static_cast<DWORD>(raw.keys), static_cast<WORD>(static_cast<SHORT>(raw.wheel))),
        MAKELPARAM(static_cast<WORD>(raw.pt.x), static_cast<WORD>(raw.pt.y)),
        raw.time,
        raw.pt};
}

std::optional<MSG> ConvertKey(ThreadQueue& q, const RawInput& raw) {
    bool system = raw.alt || GenericVk(raw.vk) == VK_F10 || GenericVk(raw.vk) == VK_MENU;
    Target t = KeyboardTarget(&system);
    if (!t.queue || ForwardIfForeign(t, q, raw) || !t.usable)
        return std::nullopt;
    if (raw.kind == RawInput::Kind::Char) {
        return MSG{t.hwnd, WM_CHAR, raw.vk, 1, raw.time, raw.pt};
    }
    const bool down = raw.kind == RawInput::Kind::KeyDown;
    UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM lParam = 1 | (static_cast<LPARAM>(raw.scan & 0xFF) << 16);
    if (raw.extended)
        lParam |= 1 << 24;
    if (raw.alt)
        lParam |= 1 << 29;
    if (!down || raw.repeat)
        lParam |= 1 << 30;
    if (!down)
        lParam |= static_cast<LPARAM>(1u << 31);
    return MSG{
        t.hwnd,   message, GenericVk(raw.vk), static_cast<LPARAM>(static_cast<DWORD>(lParam)),
        raw.time, raw.pt};
}

std::optional<MSG> Convert(ThreadQueue& q, const RawInput& raw) {
    switch (raw.kind) {
        case RawInput::Kind::MouseMove:
        case RawInput::Kind::ButtonDown:
        case RawInput::Kind::ButtonUp:
            return ConvertMouse(q, raw);
        case RawInput::Kind::Wheel:
            return ConvertWheel(q, raw);
        default:
            return ConvertKey(q, raw);
    }
}

// The message is taken: the thread's key state follows it.
void Commit(ThreadQueue& q, const MSG& m, const RawInput& raw) {
    InputState& in = Input();
    std::lock_guard lock(in.mutex);
    switch (raw.kind) {
        case RawInput::Kind::ButtonDown:
        case RawInput::Kind::ButtonUp:
            ApplyKey(in.keys, static_cast<UINT>(raw.button), raw.kind == RawInput::Kind::ButtonDown,
                     false);
            break;
        case RawInput::Kind::KeyDown:
            ApplyKey(in.keys, raw.vk, true, true);
            q.lastKeyMessage = m;
            q.lastKeyText = raw.text;
            break;
        case RawInput::Kind::KeyUp:
            ApplyKey(in.keys, raw.vk, false, true);
            break;
        default:
            break;
    }
}

bool IsMouseRaw(const RawInput& raw) {
    return raw.kind == RawInput::Kind::MouseMove || raw.kind == RawInput::Kind::ButtonDown ||
           raw.kind == RawInput::Kind::ButtonUp;
}

bool MayTakeInput(const MessageFilter& f) {
    for (UINT m : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_MOUSEWHEEL, WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN,
                   WM_KEYDOWN, WM_CHAR, WM_SYSKEYDOWN, WM_KEYUP}) {
        if (f.AdmitsMessage(m))
            return true;
    }
    return false;
}

}  // namespace

void ReturnPendingInput(ThreadQueue& q) {
    if (!q.pendingInputMessage)
        return;
    {
        std::lock_guard lock(q.mutex);
        q.input.push_front(std::move(q.pendingInputRaw));
    }
    q.pendingInputMessage.reset();
    InputState& in = Input();
    std::lock_guard lock(in.mutex);
    in.click = q.clickBeforePending;
}

bool TakeInputMessage(ThreadQueue& q, const MessageFilter& f, bool remove, MSG* out) {
    if (!MayTakeInput(f))
        return false;
    // Mouse input left in place goes where the capture says when it is taken: a press's
    // handler that took the capture (a button, a caption button, a menu that ended) gets the
    // release it was converted before.
    if (q.pendingInputMessage && IsMouseRaw(q.pendingInputRaw) &&
        q.pendingInputCapture != CaptureWindow())
        ReturnPendingInput(q);
    while (!q.pendingInputMessage) {
        RawInput raw;
        {
            std::lock_guard lock(q.mutex);
            if (q.input.empty())
                return false;
            raw = std::move(q.input.front());
            q.input.pop_front();
        }
        {
            InputState& in = Input();
            std::lock_guard lock(in.mutex);
            q.clickBeforePending = in.click;
        }
        q.pendingInputCapture = CaptureWindow();
        std::optional<MSG> m = Convert(q, raw);
        if (m) {
            q.pendingInputMessage = m;
            q.pendingInputRaw = std::move(raw);
        }
    }
    if (!f.Admits(q.pendingInputMessage->hwnd, q.pendingInputMessage->message))
        return false;
    *out = *q.pendingInputMessage;
    if (remove) {
        Commit(q, *out, q.pendingInputRaw);
        q.pendingInputMessage.reset();
    }
    return true;
}

}  // namespace kq::ui::detail

BOOL TranslateMessage(const MSG* msg) {
    using namespace kq::ui::detail;
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return FALSE;
    ThreadQueue& q = CurrentQueue();
    const MSG& last = q.lastKeyMessage;
    std::string text;
    if (last.hwnd == msg->hwnd && last.message == msg->message && last.wParam == msg->wParam &&
        last.lParam == msg->lParam && last.time == msg->time) {
        text = q.lastKeyText;
    } else {
        InputState& in = Input();
        std::lock_guard lock(in.mutex);
        text = TextForKey(static_cast<UINT>(msg->wParam), in.keys);
    }
    const UINT charMessage = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    for (const kq::CodePoint& cp : kq::DecodeUtf8(text))
        PostMessage(msg->hwnd, charMessage, cp.value, msg->lParam);
    return TRUE;
}
