#include "platform/ui/dialog/MessageBox.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/base/Thread.h"
#include "platform/gfx/ImageLoad.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/controls/TextMetrics.h"
#include "platform/ui/dialog/Dialog.h"
#include "platform/ui/dialog/MessageBoxLayout.h"
#include "platform/ui/dialog/MessageBoxTexts.h"
#include "platform/ui/dialog/detail/DialogState.h"
#include "platform/ui/nonclient/NonClientMetrics.h"

namespace kq::ui {
namespace {

constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 20;

struct Settings {
    std::mutex mutex;
    MessageBoxLanguage language = MessageBoxLanguage::English;
    MessageBoxHook hook;
};

Settings& TheSettings() {
    static auto* settings = new Settings;
    return *settings;
}

std::vector<int> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {IDOK, IDCANCEL};
        case MB_ABORTRETRYIGNORE:
            return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL:
            return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO:
            return {IDYES, IDNO};
        case MB_RETRYCANCEL:
            return {IDRETRY, IDCANCEL};
        case MB_CANCELTRYCONTINUE:
            return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
        default:
            return {IDOK};
    }
}

struct Box {
    std::string text;
    std::string caption;
    UINT type = 0;
    HWND owner = nullptr;
    std::vector<int> ids;
    std::vector<std::string> labels;
};

// Centres the box on the owner the operator sees (or the work area), inside the work area.
void Place(HWND dialog, HWND owner, SIZE client) {
    owner = OwnerInSight(owner, dialog);
    const DWORD style = static_cast<DWORD>(GetWindowLong(dialog, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLong(dialog, GWL_EXSTYLE));
    RECT frame{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int w = frame.right - frame.left;
    const int h = frame.bottom - frame.top;
    MONITORINFO mi{sizeof(MONITORINFO), {}, {}, 0};
    GetMonitorInfo(owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY)
                         : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY),
                   &mi);
    RECT around = mi.rcWork;
    if (owner)
        GetWindowRect(owner, &around);
    LONG x = around.left + (around.right - around.left - w) / 2;
    LONG y = around.top + (around.bottom - around.top - h) / 2;
    x = std::max(mi.rcWork.left, std::min<LONG>(x, mi.rcWork.right - w));
    y = std::max(mi.rcWork.top, std::min<LONG>(y, mi.rcWork.bottom - h));
    SetWindowPos(dialog, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND AddControl(HWND dialog, const char* cls, const char* text, DWORD style, int id, RECT r) {
    return CreateWindowEx(WS_EX_NOPARENTNOTIFY, cls, text, WS_CHILD | WS_VISIBLE | style, r.left,
                          r.top, r.right - r.left, r.bottom - r.top, dialog,
                          reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
}

HICON StandardIconOf(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONHAND:
            return LoadIcon(nullptr, IDI_HAND);
        case MB_ICONQUESTION:
            return LoadIcon(nullptr, IDI_QUESTION);
        case MB_ICONEXCLAMATION:
            return LoadIcon(nullptr, IDI_EXCLAMATION);
        default:
            return LoadIcon(nullptr, IDI_ASTERISK);
    }
}

// The client width at which the caption shows whole beside what a window manager may decorate
// the box with, whatever the box offers: an icon and three caption buttons, and the room around
// them, six squares of the caption's height in all.
int CaptionClientWidth(const std::string& caption) {
    if (caption.empty())
        return 0;
    return MeasureText(CaptionFont(), caption) + 6 * GetSystemMetrics(SM_CYCAPTION);
}

void Build(HWND dialog, const Box& box) {
    MONITORINFO mi{sizeof(MONITORINFO), {}, {}, 0};
    GetMonitorInfo(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    const int workWidth = static_cast<int>(mi.rcWork.right - mi.rcWork.left);
    const int maxTextWidth = std::max(200, workWidth / 2);
    const bool icon = (box.type & MB_ICONMASK) != 0;
    MessageBoxLayout l =
        LayOutMessageBox(box.text, box.labels, icon, maxTextWidth,
                         std::min(CaptionClientWidth(box.caption), workWidth * 3 / 4));
    if (icon) {
        HWND picture = AddControl(dialog, "Static", "", SS_ICON, kIconId, l.icon);
        SendMessage(picture, STM_SETICON, reinterpret_cast<WPARAM>(StandardIconOf(box.type)), 0);
    }
    AddControl(dialog, "Static", l.wrappedText.c_str(), SS_LEFT | SS_NOPREFIX, kTextId, l.text);
    const size_t defaultIndex = std::min<size_t>((box.type & MB_DEFMASK) >> 8, box.ids.size() - 1);
    HWND defaultButton = nullptr;
    for (size_t i = 0; i < box.ids.size(); ++i) {
        DWORD style = WS_TABSTOP | (i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        if (i == 0)
            style |= WS_GROUP;
        HWND b =
            AddControl(dialog, "Button", box.labels[i].c_str(), style, box.ids[i], l.buttons[i]);
        if (i == defaultIndex)
            defaultButton = b;
    }
    SendMessage(dialog, DM_SETDEFID, static_cast<WPARAM>(box.ids[defaultIndex]), 0);
    Place(dialog, box.owner, l.client);
    if (auto state = detail::DialogStateOf(dialog))
        state->savedFocus = defaultButton;
}

bool HasCancel(const Box& box) {
    return std::find(box.ids.begin(), box.ids.end(), IDCANCEL) != box.ids.end();
}

INT_PTR BoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtr(dialog, DWLP_USER, lParam);
            Build(dialog, *reinterpret_cast<const Box*>(lParam));
            return FALSE;
        case WM_COMMAND: {
            const auto* box = reinterpret_cast<const Box*>(GetWindowLongPtr(dialog, DWLP_USER));
            if (!box || HIWORD(wParam) != BN_CLICKED)
                return FALSE;
            const int id = LOWORD(wParam);
            if (id == IDCANCEL && !HasCancel(*box)) {
                // Escape and the close box: an OK box answers OK, others have no way out.
                if (box->ids.size() == 1 && box->ids[0] == IDOK)
                    EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (std::find(box->ids.begin(), box->ids.end(), id) != box->ids.end())
                EndDialog(dialog, id);
            return TRUE;
        }
        default:
            return FALSE;
    }
}

// With MB_TASKMODAL and no owner the thread's other top-level windows wait too.
std::vector<HWND> DisableThreadWindows() {
    std::vector<HWND> disabled;
    EnumWindows(
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto* list = reinterpret_cast<std::vector<HWND>*>(data);
            if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId() &&
                IsWindowEnabled(hwnd)) {
                list->push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&disabled));
    for (HWND hwnd : disabled)
        EnableWindow(hwnd, FALSE);
    return disabled;
}

}  // namespace

void SetMessageBoxLanguage(MessageBoxLanguage language) {
    Settings& s = TheSettings();
    std::lock_guard lock(s.mutex);
    s.language = language;
}

void SetMessageBoxHook(MessageBoxHook hook) {
    Settings& s = TheSettings();
    std::lock_guard lock(s.mutex);
    s.hook = std::move(hook);
}

}  // namespace kq::ui

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    using namespace kq::ui;
    MessageBoxHook hook;
    MessageBoxLanguage language;
    {
        Settings& s = TheSettings();
        std::lock_guard lock(s.mutex);
        hook = s.hook;
        language = s.language;
    }
    Box box;
    box.text = text ? text : "";
    box.caption = caption ? caption : MessageBoxDefaultCaption(language);
    box.type = type;
    box.owner = owner && IsWindow(owner) ? GetAncestor(owner, GA_ROOT) : nullptr;
    if (hook) {
        if (int answer = hook(MessageBoxRequest{box.owner, box.text, box.caption, type}))
            return answer;
    }
    box.ids = ButtonsOf(type);
    for (int id : box.ids)
        box.labels.emplace_back(MessageBoxButtonText(language, id));

    kq::DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    if (type & MB_SETFOREGROUND)
        t.style |= DS_SETFOREGROUND;
    if (type & (MB_SYSTEMMODAL | MB_TOPMOST))
        t.exStyle |= WS_EX_TOPMOST;
    t.caption = box.caption;
    std::vector<HWND> disabled;
    if ((type & MB_MODEMASK) == MB_TASKMODAL && !box.owner)
        disabled = DisableThreadWindows();
    const INT_PTR result =
        DialogBoxIndirectParam(nullptr, &t, box.owner, &BoxProc, reinterpret_cast<LPARAM>(&box));
    for (HWND hwnd : disabled) {
        if (IsWindow(hwnd))
            EnableWindow(hwnd, TRUE);
    }
    if (result == IDCANCEL &&
        std::find(box.ids.begin(), box.ids.end(), IDCANCEL) == box.ids.end()) {
        // Ended unanswered (the thread's modal loops were ended): a question without Cancel
        // is answered No, a notice is taken as read.
        const bool question = std::find(box.ids.begin(), box.ids.end(), IDNO) != box.ids.end();
        return question ? IDNO : box.ids.front();
    }
    return result > 0 ? static_cast<int>(result) : 0;
}
