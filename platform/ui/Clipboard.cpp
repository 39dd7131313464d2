#include "platform/ui/Clipboard.h"
#include "platform/ui/DesktopSelections.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>

#include "platform/ui/Messages.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/WindowLifetime.h"
#include "platform/ui/commdlg/GlobalMemory.h"
#include "platform/ui/detail/ThreadQueue.h"

using kq::ui::detail::CurrentThreadId;

namespace {

struct ClipboardState {
    std::mutex mutex;
    DWORD openThread = 0;
    HWND openWindow = nullptr;
    HWND owner = nullptr;
    std::optional<std::string> text;
    std::optional<std::string> primary;
    std::atomic<kq::ui::DesktopSelections*> desktop{nullptr};
};

ClipboardState& State() {
    static ClipboardState* state = new ClipboardState;
    return *state;
}

bool OpenedByCaller(const ClipboardState& s) {
    return s.openThread != 0 && s.openThread == CurrentThreadId();
}

// What another program holds on the selection, when the desktop has the say.
bool ForeignText(kq::ui::Selection which, std::optional<std::string>& text) {
    kq::ui::DesktopSelections* desktop = State().desktop.load();
    return desktop && desktop->ReadForeign(which, text);
}

void Claim(kq::ui::Selection which) {
    if (kq::ui::DesktopSelections* desktop = State().desktop.load())
        desktop->Claim(which);
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

namespace {

bool HasText() {
    std::optional<std::string> foreign;
    if (ForeignText(kq::ui::Selection::Clipboard, foreign))
        return foreign.has_value();
    ClipboardState& s = State();
    std::lock_guard lock(s.mutex);
    return s.text.has_value();
}

}  // namespace

BOOL IsClipboardFormatAvailable(UINT format) {
    return (format == CF_TEXT || format == CF_OEMTEXT) && HasText() ? TRUE : FALSE;
}

HWND GetClipboardOwner() {
    ClipboardState& s = State();
    std::lock_guard lock(s.mutex);
    return s.owner;
}

namespace kq::ui {

bool SetClipboardText(std::string_view text) {
    {
        ClipboardState& s = State();
        std::lock_guard lock(s.mutex);
        if (!OpenedByCaller(s))
            return false;
        s.text = std::string(text);
    }
    Claim(Selection::Clipboard);
    return true;
}

bool GetClipboardText(std::string& text) {
    ClipboardState& s = State();
    {
        std::lock_guard lock(s.mutex);
        if (!OpenedByCaller(s))
            return false;
    }
    // The desktop is asked without the lock: while it answers, it may ask for the program's
    // own texts.
    std::optional<std::string> foreign;
    if (ForeignText(Selection::Clipboard, foreign)) {
        if (foreign)
            text = *foreign;
        return foreign.has_value();
    }
    std::lock_guard lock(s.mutex);
    if (!s.text)
        return false;
    text = *s.text;
    return true;
}

void SetPrimarySelection(std::string_view text) {
    {
        ClipboardState& s = State();
        std::lock_guard lock(s.mutex);
        s.primary = std::string(text);
    }
    Claim(Selection::Primary);
}

std::optional<std::string> PrimarySelectionText() {
    std::optional<std::string> foreign;
    if (ForeignText(Selection::Primary, foreign))
        return foreign;
    ClipboardState& s = State();
    std::lock_guard lock(s.mutex);
    return s.primary;
}

void SetDesktopSelections(DesktopSelections* desktop) {
    State().desktop.store(desktop);
}

std::optional<std::string> OfferedText(Selection which) {
    ClipboardState& s = State();
    std::lock_guard lock(s.mutex);
    return which == Selection::Clipboard ? s.text : s.primary;
}

}  // namespace kq::ui

namespace {

// The block GetClipboardData last handed out; freed when the next one is made or the text
// changes hands.
HGLOBAL& HandedOutBlock() {
    static HGLOBAL block = nullptr;
    return block;
}

void FreeHandedOutBlock() {
    HGLOBAL& block = HandedOutBlock();
    if (block != nullptr)
        GlobalFree(block);
    block = nullptr;
}

}  // namespace

HANDLE SetClipboardData(UINT format, HANDLE data) {
    if (format != CF_TEXT || data == nullptr)
        return nullptr;
    auto block = static_cast<HGLOBAL>(data);
    const auto* bytes = static_cast<const char*>(GlobalLock(block));
    if (bytes == nullptr)
        return nullptr;
    const size_t size = GlobalSize(block);
    size_t length = 0;
    while (length < size && bytes[length] != '\0')
        ++length;
    const bool stored = kq::ui::SetClipboardText(std::string_view(bytes, length));
    GlobalUnlock(block);
    if (!stored)
        return nullptr;
    GlobalFree(block);
    FreeHandedOutBlock();
    return data;
}

HANDLE GetClipboardData(UINT format) {
    std::string text;
    if (format != CF_TEXT || !kq::ui::GetClipboardText(text))
        return nullptr;
    FreeHandedOutBlock();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    auto* bytes = static_cast<char*>(GlobalLock(block));
    if (bytes == nullptr)
        return nullptr;
    std::copy(text.begin(), text.end(), bytes);
    bytes[text.size()] = '\0';
    GlobalUnlock(block);
    HandedOutBlock() = block;
    return block;
}
