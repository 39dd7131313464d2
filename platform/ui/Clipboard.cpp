#include "platform/ui/Clipboard.h"

#include <mutex>
#include <optional>

#include "platform/ui/Messages.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/WindowLifetime.h"
#include "platform/ui/detail/ThreadQueue.h"

using kq::ui::detail::CurrentThreadId;

namespace {

struct ClipboardState {
    std::mutex mutex;
    DWORD openThread = 0;
    HWND openWindow = nullptr;
    HWND owner = nullptr;
    std::optional<std::string> text;
};

ClipboardState& State() {
    static ClipboardState* state = new ClipboardState;
    return *state;
}

bool OpenedByCaller(const ClipboardState& s) {
    return s.openThread != 0 && s.openThread == CurrentThreadId();
}

}  // namespace

BOOL OpenClipboard(HWND owner) {
    ClipboardState& s = State();
    std::lock_guard lock(s.mutex);
    if (s.openThread != 0 && s.openThread != CurrentThreadId())
        return FALSE;
    s.openThread = CurrentThreadId();
    s.openWindow = owner;
    return TRUE;
}

BOOL CloseClipboard() {
    ClipboardState& s = State();
    std::lock_guard lock(s.mutex);
    if (!OpenedByCaller(s))
        return FALSE;
    s.openThread = 0;
    s.openWindow = nullptr;
    return TRUE;
}

BOOL EmptyClipboard() {
    HWND previous;
    HWND opener;
    {
        ClipboardState& s = State();
        std::lock_guard lock(s.mutex);
        if (!OpenedByCaller(s))
            return FALSE;
        previous = s.owner;
        opener = s.openWindow;
        s.owner = opener;
        s.text.reset();
    }
    if (previous && previous != opener && IsWindow(previous))
        SendMessage(previous, WM_DESTROYCLIPBOARD, 0, 0);
    return TRUE;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    ClipboardState& s = State();
    std::lock_guard lock(s.mutex);
    return s.text && (format == CF_TEXT || format == CF_OEMTEXT) ? TRUE : FALSE;
}

int CountClipboardFormats() {
    ClipboardState& s = State();
    std::lock_guard lock(s.mutex);
    return s.text ? 1 : 0;
}

HWND GetClipboardOwner() {
    ClipboardState& s = State();
    std::lock_guard lock(s.mutex);
    return s.owner;
}

HWND GetOpenClipboardWindow() {
    ClipboardState& s = State();
    std::lock_guard lock(s.mutex);
    return s.openWindow;
}

namespace kq::ui {

bool SetClipboardText(std::string_view text) {
    ClipboardState& s = State();
    std::lock_guard lock(s.mutex);
    if (!OpenedByCaller(s))
        return false;
    s.text = std::string(text);
    return true;
}

bool GetClipboardText(std::string& text) {
    ClipboardState& s = State();
    std::lock_guard lock(s.mutex);
    if (!OpenedByCaller(s) || !s.text)
        return false;
    text = *s.text;
    return true;
}

}  // namespace kq::ui
