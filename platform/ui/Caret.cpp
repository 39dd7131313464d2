#include "platform/ui/Caret.h"

#include <mutex>

#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WindowLifetime.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/detail/WindowOps.h"

namespace {

struct Caret {
    std::mutex mutex;
    HWND owner = nullptr;
    HBITMAP bitmap = nullptr;
    SIZE size{};
    POINT pos{};
    int hideLevel = 1;
    UINT blinkTime = 530;
};

Caret& TheCaret() {
    static Caret* caret = new Caret;
    return *caret;
}

}  // namespace

BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height) {
    if (!IsWindow(hwnd))
        return FALSE;
    Caret& c = TheCaret();
    std::lock_guard lock(c.mutex);
    c.owner = hwnd;
    c.bitmap = bitmap;
    c.size = SIZE{width > 0 ? width : GetSystemMetrics(SM_CXBORDER),
                  height > 0 ? height : GetSystemMetrics(SM_CYBORDER)};
    c.pos = POINT{};
    c.hideLevel = 1;
    return TRUE;
}

BOOL DestroyCaret() {
    Caret& c = TheCaret();
    std::lock_guard lock(c.mutex);
    if (!c.owner)
        return FALSE;
    c.owner = nullptr;
    c.bitmap = nullptr;
    c.hideLevel = 1;
    return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
    Caret& c = TheCaret();
    std::lock_guard lock(c.mutex);
    if (!c.owner || (hwnd && hwnd != c.owner) || c.hideLevel == 0)
        return FALSE;
    --c.hideLevel;
    return TRUE;
}

BOOL HideCaret(HWND hwnd) {
    Caret& c = TheCaret();
    std::lock_guard lock(c.mutex);
    if (!c.owner || (hwnd && hwnd != c.owner))
        return FALSE;
    ++c.hideLevel;
    return TRUE;
}

BOOL SetCaretPos(int x, int y) {
    Caret& c = TheCaret();
    std::lock_guard lock(c.mutex);
    if (!c.owner)
        return FALSE;
    c.pos = POINT{x, y};
    return TRUE;
}

UINT GetCaretBlinkTime() {
    Caret& c = TheCaret();
    std::lock_guard lock(c.mutex);
    return c.blinkTime;
}

BOOL SetCaretBlinkTime(UINT ms) {
    Caret& c = TheCaret();
    std::lock_guard lock(c.mutex);
    c.blinkTime = ms;
    return TRUE;
}

namespace kq::ui {

CaretState GetCaretState() {
    Caret& c = TheCaret();
    std::lock_guard lock(c.mutex);
    return CaretState{c.owner, c.bitmap, c.size, c.pos, c.owner && c.hideLevel == 0};
}

}  // namespace kq::ui

namespace kq::ui::detail {

void DestroyCaretOf(HWND hwnd) {
    Caret& c = TheCaret();
    HWND owner;
    {
        std::lock_guard lock(c.mutex);
        owner = c.owner;
    }
    if (!owner || (owner != hwnd && !IsChild(hwnd, owner)))
        return;
    std::lock_guard lock(c.mutex);
    if (c.owner != owner)
        return;
    c.owner = nullptr;
    c.bitmap = nullptr;
    c.hideLevel = 1;
}

}  // namespace kq::ui::detail
