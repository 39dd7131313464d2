#include "platform/base/Clock.h"
#include "platform/base/Utf8.h"
#include "platform/ui/Input.h"
#include "platform/ui/Messages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/detail/Delivery.h"
#include "platform/ui/detail/InputState.h"
#include "platform/ui/detail/KeyState.h"
#include "platform/ui/detail/Window.h"
#include "platform/ui/detail/WindowOps.h"

using namespace kq::ui::detail;

namespace {

// The queue of the thread whose window is under the point (or holds the capture).
std::shared_ptr<ThreadQueue> QueueForMouse(POINT pt) {
    HWND capture = CaptureWindow();
    std::lock_guard lock(TreeMutex());
    if (Window* w = Lookup(capture); w && w->queue)
        return w->queue;
    for (Window* top : Desktop().children) {
        RECT r = WindowRectOnScreen(*top);
        if ((top->style & WS_VISIBLE) && PtInRect(&r, pt))
            return top->queue;
    }
    return nullptr;
}

std::shared_ptr<ThreadQueue> QueueForKeys() {
    HWND focus = FocusWindow();
    HWND active = ActiveWindowHandle();
    std::lock_guard lock(TreeMutex());
    if (Window* w = Lookup(focus); w && w->queue)
        return w->queue;
    if (Window* w = Lookup(active); w && w->queue)
        return w->queue;
    return nullptr;
}

void Enqueue(const std::shared_ptr<ThreadQueue>& q, RawInput raw) {
    if (!q)
        return;
    {
        std::lock_guard lock(q->mutex);
        if (!q->alive)
            return;
        // Only the latest position of a run of moves matters.
        if (raw.kind == RawInput::Kind::MouseMove && !q->input.empty() &&
            q->input.back().kind == RawInput::Kind::MouseMove)
            q->input.back() = raw;
        else
            q->input.push_back(std::move(raw));
    }
    q->Wake();
}

RawInput MouseEvent(RawInput::Kind kind, POINT pt, int button, bool down) {
    InputState& in = Input();
    std::lock_guard lock(in.mutex);
    in.cursor = pt;
    if (button)
        ApplyKey(in.asyncKeys, static_cast<UINT>(button), down, false);
    RawInput raw;
    raw.kind = kind;
    raw.pt = pt;
    raw.button = button;
    raw.keys = MouseKeyFlags(in.asyncKeys);
    raw.time = static_cast<DWORD>(kq::MonotonicMillis());
    return raw;
}

}  // namespace

namespace kq::ui {

void InjectMouseMove(POINT pt) {
    RawInput raw = MouseEvent(RawInput::Kind::MouseMove, pt, 0, false);
    Enqueue(QueueForMouse(pt), std::move(raw));
}

void InjectMouseButton(POINT pt, int button, bool down) {
    if (button != VK_LBUTTON && button != VK_RBUTTON && button != VK_MBUTTON)
        return;
    RawInput raw =
        MouseEvent(down ? RawInput::Kind::ButtonDown : RawInput::Kind::ButtonUp, pt, button, down);
    Enqueue(QueueForMouse(pt), std::move(raw));
}

void InjectMouseWheel(POINT pt, int delta) {
    RawInput raw = MouseEvent(RawInput::Kind::Wheel, pt, 0, false);
    raw.wheel = delta;
    auto q = QueueForMouse(pt);
    Enqueue(q ? q : QueueForKeys(), std::move(raw));
}

void InjectKey(UINT vk, bool down, const char* text, UINT scanCode, bool extended) {
    if (vk == 0 || vk > 0xFE)
        return;
    RawInput raw;
    {
        InputState& in = Input();
        std::lock_guard lock(in.mutex);
        const bool altBefore = (in.asyncKeys[VK_MENU] & 0x80) != 0;
        raw.repeat = down && (in.asyncKeys[vk] & 0x80) != 0;
        ApplyKey(in.asyncKeys, vk, down, true);
        const bool altNow = (in.asyncKeys[VK_MENU] & 0x80) != 0;
        const bool ctrl = (in.asyncKeys[VK_CONTROL] & 0x80) != 0;
        raw.alt = (down ? altNow : altBefore) && !ctrl;
        if (down)
            raw.text = text ? std::string(text) : TextForKey(vk, in.asyncKeys);
        raw.pt = in.cursor;
    }
    raw.kind = down ? RawInput::Kind::KeyDown : RawInput::Kind::KeyUp;
    raw.vk = vk;
    raw.scan = scanCode;
    raw.extended = extended;
    raw.time = static_cast<DWORD>(kq::MonotonicMillis());
    Enqueue(QueueForKeys(), std::move(raw));
}

void InjectText(const char* utf8) {
    if (!utf8)
        return;
    auto q = QueueForKeys();
    const DWORD time = static_cast<DWORD>(kq::MonotonicMillis());
    for (const kq::CodePoint& cp : kq::DecodeUtf8(utf8)) {
        RawInput raw;
        raw.kind = RawInput::Kind::Char;
        raw.vk = cp.value;
        raw.pt = CursorPosition();
        raw.time = time;
        Enqueue(q, std::move(raw));
    }
}

void InjectAppFocus(bool focused) {
    InputState& in = Input();
    if (!focused) {
        HWND active = ActiveWindowHandle();
        SetCaptureImpl(nullptr);
        {
            std::lock_guard lock(in.mutex);
            // Keys held while the focus left would otherwise stay down for ever.
            for (BYTE& k : in.asyncKeys)
                k &= ~0x80;
            for (BYTE& k : in.keys)
                k &= ~0x80;
            if (active)
                in.lastActive = active;
        }
        if (active)
            Activate(nullptr, WA_INACTIVE, false);
        return;
    }
    if (ActiveWindowHandle())
        return;
    HWND candidate;
    {
        std::lock_guard lock(in.mutex);
        candidate = in.lastActive;
    }
    bool usable = false;
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(candidate);
        usable = w && w->IsTopLevel() && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED);
        if (!usable) {
            for (Window* top : Desktop().children) {
                if ((top->style & WS_VISIBLE) && !(top->style & WS_DISABLED) &&
                    !(top->exStyle & WS_EX_NOACTIVATE)) {
                    candidate = top->hwnd;
                    usable = true;
                    break;
                }
            }
        }
    }
    if (usable)
        Activate(candidate, WA_ACTIVE, true);
}

}  // namespace kq::ui

SHORT GetKeyState(int vk) {
    if (vk < 0 || vk > 0xFF)
        return 0;
    InputState& in = Input();
    std::lock_guard lock(in.mutex);
    const BYTE v = in.keys[vk];
    return static_cast<SHORT>(((v & 0x80) ? 0xFF80 : 0) | (v & 0x01));
}

SHORT GetAsyncKeyState(int vk) {
    if (vk < 0 || vk > 0xFF)
        return 0;
    InputState& in = Input();
    std::lock_guard lock(in.mutex);
    return static_cast<SHORT>((in.asyncKeys[vk] & 0x80) ? 0x8000 : 0);
}
