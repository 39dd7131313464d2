// Building dialogs from templates.
#include <algorithm>

#include "platform/base/Resource.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/TextMetrics.h"
#include "platform/ui/dialog/Dialog.h"
#include "platform/ui/dialog/detail/DialogState.h"
#include "platform/ui/menu/MenuApi.h"

using namespace kq::ui::detail;

namespace {

int Scale(int value, int base, int divisor) {
    const long long scaled = static_cast<long long>(value) * base;
    // Rounded to nearest, as dialog units always were.
    return static_cast<int>(scaled >= 0 ? (scaled + divisor / 2) / divisor
                                        : -((-scaled + divisor / 2) / divisor));
}

RECT MapUnits(SIZE base, int x, int y, int cx, int cy) {
    const int left = Scale(x, base.cx, 4);
    const int top = Scale(y, base.cy, 8);
    return RECT{left, top, left + Scale(cx, base.cx, 4), top + Scale(cy, base.cy, 8)};
}

RECT WorkAreaNear(HWND owner) {
    HMONITOR monitor = owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY)
                             : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO mi{sizeof(MONITORINFO), {}, {}, 0};
    GetMonitorInfo(monitor, &mi);
    return mi.rcWork;
}

// Where a top-level dialog goes: DS_CENTER centres it on the work area of its owner's monitor,
// DS_CENTERMOUSE on the mouse; otherwise the template position counts from the owner's client
// area (from the screen with DS_ABSALIGN or without an owner). It is kept on the screen.
POINT TopLevelPosition(DWORD style, HWND owner, RECT mapped, SIZE windowSize) {
    RECT work = WorkAreaNear(owner);
    POINT pt{mapped.left, mapped.top};
    if (style & DS_CENTER) {
        pt.x = work.left + (work.right - work.left - windowSize.cx) / 2;
        pt.y = work.top + (work.bottom - work.top - windowSize.cy) / 2;
    } else if (style & DS_CENTERMOUSE) {
        POINT cursor{};
        GetCursorPos(&cursor);
        pt.x = cursor.x - windowSize.cx / 2;
        pt.y = cursor.y - windowSize.cy / 2;
    } else if (owner && !(style & DS_ABSALIGN)) {
        ClientToScreen(owner, &pt);
    }
    pt.x = std::max(work.left, std::min<LONG>(pt.x, work.right - windowSize.cx));
    pt.y = std::max(work.top, std::min<LONG>(pt.y, work.bottom - windowSize.cy));
    return pt;
}

std::string Text(std::string_view view) {
    return std::string(view);
}

bool CreateControls(HWND dialog, const kq::DialogTemplate& t, HINSTANCE instance,
                    DialogState& state) {
    for (const kq::ControlTemplate& c : t.controls) {
        RECT r = MapUnits(state.baseUnits, c.x, c.y, c.cx, c.cy);
        const std::string cls = Text(c.className);
        const std::string text = Text(c.text);
        HWND control = CreateWindowEx(
            c.exStyle | WS_EX_NOPARENTNOTIFY, cls.c_str(), text.c_str(), c.style | WS_CHILD, r.left,
            r.top, r.right - r.left, r.bottom - r.top, dialog,
            reinterpret_cast<HMENU>(static_cast<intptr_t>(c.id)), instance, nullptr);
        if (!IsWindow(dialog))
            return false;
        if (!control) {
            if (t.style & DS_NOFAILCREATE)
                continue;
            return false;
        }
        if (state.font)
            SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
        if (!state.defId && (SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON))
            state.defId = c.id;
    }
    return true;
}

}  // namespace

HWND CreateDialogIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE t, HWND parent, DLGPROC proc,
                               LPARAM initParam) {
    if (!t)
        return nullptr;
    DWORD style = t->style;
    DWORD exStyle = t->exStyle;
    if (style & DS_MODALFRAME)
        exStyle |= WS_EX_DLGMODALFRAME;
    if (style & DS_CONTROL) {
        style &= ~(WS_CAPTION | WS_SYSMENU);
        exStyle |= WS_EX_CONTROLPARENT;
    }
    if (style & DS_SYSMODAL)
        exStyle |= WS_EX_TOPMOST;
    if (style & DS_CONTEXTHELP)
        exStyle |= WS_EX_CONTEXTHELP;
    const bool visible = (style & WS_VISIBLE) != 0;
    style &= ~WS_VISIBLE;
    const bool child = (style & WS_CHILD) != 0;

    auto metrics = kq::ui::GetTextMetricsSource();
    HFONT font = nullptr;
    bool ownsFont = false;
    if ((style & DS_SETFONT) && t->font.pointSize) {
        font = metrics->CreateDialogFont(t->font);
        ownsFont = font != nullptr;
    }
    const SIZE base = BaseUnitsOf(font);

    RECT client = MapUnits(base, t->x, t->y, t->cx, t->cy);
    RECT frame{0, 0, client.right - client.left, client.bottom - client.top};
    AdjustWindowRectEx(&frame, style, !t->menu.IsEmpty(), exStyle);
    const SIZE size{frame.right - frame.left, frame.bottom - frame.top};
    HWND owner = parent;
    POINT at{client.left, client.top};
    if (!child) {
        owner = parent ? GetAncestor(parent, GA_ROOT) : nullptr;
        at = TopLevelPosition(style, owner, client, size);
    }

    // A top-level dialog's MENU statement gives it a menu bar.
    HMENU menu = nullptr;
    if (!child && !t->menu.IsEmpty()) {
        const std::string menuName(t->menu.name);
        menu =
            LoadMenu(instance, t->menu.IsNumber() ? MAKEINTRESOURCE(t->menu.id) : menuName.c_str());
    }
    const std::string cls = t->className.empty() ? std::string(WC_DIALOG) : Text(t->className);
    const std::string caption = Text(t->caption);
    HWND dialog = CreateWindowEx(exStyle, cls.c_str(), caption.c_str(), style, at.x, at.y, size.cx,
                                 size.cy, child ? parent : owner, menu, instance, nullptr);
    if (!dialog) {
        if (menu)
            DestroyMenu(menu);
        return nullptr;
    }
    auto state = DialogStateOf(dialog, true);
    if (!state) {
        if (ownsFont)
            metrics->DeleteDialogFont(font);
        DestroyWindow(dialog);
        return nullptr;
    }
    state->font = font;
    state->ownsFont = ownsFont;
    state->ownMenu = menu;
    state->baseUnits = base;
    SetWindowLongPtr(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    if (font)
        SendMessage(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (!IsWindow(dialog) || !CreateControls(dialog, *t, instance, *state)) {
        if (IsWindow(dialog))
            DestroyWindow(dialog);
        return nullptr;
    }

    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    const LRESULT takeFocus =
        SendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam);
    if (!IsWindow(dialog))
        return nullptr;
    if (takeFocus && first && IsWindow(first)) {
        // A hidden dialog gives the control the focus when it is shown and activated.
        if (IsWindowVisible(dialog))
            kq::ui::SetDialogFocus(dialog, first);
        else
            state->savedFocus = first;
    }
    if (visible && !state->ended) {
        ShowWindow(dialog, SW_SHOWNORMAL);
        if (t->style & DS_SETFOREGROUND)
            SetForegroundWindow(dialog);
    }
    return IsWindow(dialog) ? dialog : nullptr;
}

HWND CreateDialogParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                       LPARAM initParam) {
    return CreateDialogIndirectParam(
        instance, kq::FindDialogTemplate(kq::ResourceName(templateName)), parent, proc, initParam);
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
    if (!rect)
        return FALSE;
    auto state = DialogStateOf(dialog);
    if (!state)
        return FALSE;
    *rect = RECT{
        Scale(rect->left, state->baseUnits.cx, 4), Scale(rect->top, state->baseUnits.cy, 8),
        Scale(rect->right, state->baseUnits.cx, 4), Scale(rect->bottom, state->baseUnits.cy, 8)};
    return TRUE;
}

LONG GetDialogBaseUnits() {
    SIZE base = BaseUnitsOf(nullptr);
    return static_cast<LONG>(MAKELONG(base.cx, base.cy));
}
