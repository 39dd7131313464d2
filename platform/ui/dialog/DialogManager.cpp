// IsDialogMessage: the keyboard interface of dialogs.

#include <algorithm>

#include "platform/ui/WinUser.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/controls/Utf8Text.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/dialog/Dialog.h"
#include "platform/ui/dialog/detail/DialogState.h"

using namespace kq::ui::detail;

namespace {

DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
}

// The control of the dialog's tab order that holds a window: the edit of a combo box stands
// for its combo box.
HWND DialogLevelControl(HWND dialog, HWND hwnd) {
    while (hwnd) {
        HWND parent = GetParent(hwnd);
        if (!parent || parent == dialog ||
            (GetWindowLong(parent, GWL_EXSTYLE) & WS_EX_CONTROLPARENT))
            return hwnd;
        hwnd = parent;
    }
    return nullptr;
}

bool Shifted() {
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

// The character after a single '&' in a control text ("&&" is a literal ampersand); 0 when
// the text has none.
char32_t MnemonicOf(const std::u32string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != U'&')
            continue;
        if (text[i + 1] == U'&') {
            ++i;
            continue;
        }
        return kq::ui::FoldCase(text[i + 1]);
    }
    return 0;
}

bool ShowsMnemonic(HWND control, LRESULT code) {
    if (code & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_RADIOBUTTON))
        return true;
    if (!(code & DLGC_STATIC))
        return false;
    const DWORD style = StyleOf(control);
    if (kq::ui::detail::IsWindowOfClass(control, "Button"))
        return true;  // a group box
    const DWORD type = style & SS_TYPEMASK;
    const bool textType = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT ||
                          type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
    return textType && !(style & SS_NOPREFIX);
}

std::u32string TextOf(HWND hwnd) {
    const int length = GetWindowTextLength(hwnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowText(hwnd, text.data(), length + 1)));
    return kq::ui::DecodeText(text);
}

// A label passes its mnemonic on to the first control after it that takes the focus.
HWND ControlAfterLabel(const std::vector<HWND>& controls, size_t label) {
    for (size_t k = label + 1; k < controls.size(); ++k) {
        const LRESULT code = SendMessage(controls[k], WM_GETDLGCODE, 0, 0);
        if (!(code & DLGC_STATIC))
            return controls[k];
    }
    return nullptr;
}

bool ActivateMnemonic(HWND dialog, char32_t ch) {
    const char32_t key = kq::ui::FoldCase(ch);
    std::vector<HWND> controls = DialogControls(dialog, true);
    const size_t n = controls.size();
    if (n == 0 || key == 0)
        return false;
    const HWND focus = DialogLevelControl(dialog, GetFocus());
    const size_t from =
        static_cast<size_t>(std::find(controls.begin(), controls.end(), focus) - controls.begin());
    std::vector<size_t> matches;
    for (size_t k = 1; k <= n; ++k) {
        const size_t i = (from + k) % n;
        const LRESULT code = SendMessage(controls[i], WM_GETDLGCODE, 0, 0);
        if (ShowsMnemonic(controls[i], code) && MnemonicOf(TextOf(controls[i])) == key)
            matches.push_back(i);
    }
    if (matches.empty())
        return false;
    const size_t at = matches.front();
    HWND target = controls[at];
    const LRESULT code = SendMessage(target, WM_GETDLGCODE, 0, 0);
    if (code & DLGC_STATIC) {
        if (HWND next = ControlAfterLabel(controls, at))
            kq::ui::SetDialogFocus(dialog, next);
        return true;
    }
    // With the same letter on several buttons the focus only moves between them.
    if (matches.size() > 1) {
        kq::ui::SetDialogFocus(dialog, target);
        return true;
    }
    if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        kq::ui::SetDialogFocus(dialog, target);
    if (IsWindow(target))
        SendMessage(target, BM_CLICK, 0, 0);
    return true;
}

void PressDefault(HWND dialog, HWND focus, LRESULT focusCode) {
    int id = IDOK;
    if (focus && (focusCode & DLGC_DEFPUSHBUTTON)) {
        id = GetDlgCtrlID(focus);
    } else {
        const LRESULT def = SendMessage(dialog, DM_GETDEFID, 0, 0);
        if (HIWORD(def) == DC_HASDEFID)
            id = LOWORD(def);
    }
    HWND button = GetDlgItem(dialog, id);
    if (button && !IsWindowEnabled(button))
        return;
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                reinterpret_cast<LPARAM>(button));
}

void PressCancel(HWND dialog) {
    HWND button = GetDlgItem(dialog, IDCANCEL);
    if (button && !IsWindowEnabled(button))
        return;
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                reinterpret_cast<LPARAM>(button));
}

void MoveInGroup(HWND dialog, HWND focus, bool previous) {
    HWND next = GetNextDlgGroupItem(dialog, focus, previous);
    if (!next || next == focus)
        return;
    kq::ui::SetDialogFocus(dialog, next);
    // Arriving on a radio button chooses it.
    if (IsWindow(next) && (SendMessage(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
        SendMessage(next, BM_CLICK, 0, 0);
}

// Keys the dialog takes for itself; false when the control gets them.
bool HandleKeyDown(HWND dialog, MSG* msg, LRESULT code) {
    const HWND focus = msg->hwnd == dialog ? nullptr : DialogLevelControl(dialog, msg->hwnd);
    if (code & DLGC_WANTALLKEYS)
        return false;
    switch (msg->wParam) {
        case VK_TAB:
            if (code & DLGC_WANTTAB)
                return false;
            if (HWND next = GetNextDlgTabItem(dialog, focus, Shifted()))
                kq::ui::SetDialogFocus(dialog, next);
            return true;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (code & DLGC_WANTARROWS)
                return false;
            if (focus)
                MoveInGroup(dialog, focus, msg->wParam == VK_LEFT || msg->wParam == VK_UP);
            return true;
        case VK_RETURN:
            PressDefault(dialog, focus, code);
            return true;
        case VK_ESCAPE:
            PressCancel(dialog);
            return true;
        default:
            return false;
    }
}

}  // namespace

BOOL IsDialogMessage(HWND dialog, LPMSG msg) {
    if (!msg || !dialog || !IsWindow(dialog))
        return FALSE;
    if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))
        return FALSE;
    const bool keyboard =
        msg->message == WM_KEYDOWN || msg->message == WM_CHAR || msg->message == WM_SYSCHAR;
    if (keyboard) {
        const LRESULT code =
            SendMessage(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        switch (msg->message) {
            case WM_KEYDOWN:
                if (HandleKeyDown(dialog, msg, code))
                    return TRUE;
                break;
            case WM_CHAR:
                // A letter that the focused control does not take may be a mnemonic.
                if (!(code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) && msg->wParam >= 0x20 &&
                    ActivateMnemonic(dialog, static_cast<char32_t>(msg->wParam)))
                    return TRUE;
                break;
            case WM_SYSCHAR:
                if (ActivateMnemonic(dialog, static_cast<char32_t>(msg->wParam)))
                    return TRUE;
                break;
            default:
                break;
        }
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
    return TRUE;
}
