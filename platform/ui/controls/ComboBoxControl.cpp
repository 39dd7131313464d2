// The "COMBOBOX" control: window procedure, CB_ messages, its edit and its list.
#include <algorithm>

#include "platform/ui/WinUser.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ListBox.h"
#include "platform/ui/controls/OwnerDraw.h"
#include "platform/ui/controls/TextMetrics.h"
#include "platform/ui/controls/Utf8Text.h"
#include "platform/ui/controls/detail/ComboState.h"
#include "platform/ui/controls/detail/ControlData.h"
#include "platform/ui/controls/detail/ControlPaint.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/controls/detail/ListBoxState.h"
#include "platform/ui/controls/detail/SystemClasses.h"
#include "platform/ui/detail/ClassTable.h"
#include "platform/ui/dialog/DialogCodes.h"
#include "platform/ui/dialog/detail/DialogFocus.h"

namespace kq::ui::detail {
namespace {

constexpr int kEditId = 1001;
constexpr int kListId = 1000;
constexpr int kBorder = 2;  // the sunken edge around the field

DWORD ComboType(HWND hwnd) {
    return StyleOf(hwnd) & 3;
}

bool IsOwnerDrawn(HWND hwnd) {
    return (StyleOf(hwnd) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
}

int MeasureOwnerDrawn(HWND hwnd, UINT item, int height) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const UINT id = static_cast<UINT>(GetDlgCtrlID(hwnd));
    MEASUREITEMSTRUCT mis{
        ODT_COMBOBOX, id, item, static_cast<UINT>(client.right), static_cast<UINT>(height), 0};
    SendToParent(hwnd, WM_MEASUREITEM, id, reinterpret_cast<LPARAM>(&mis));
    return mis.itemHeight > 0 ? static_cast<int>(mis.itemHeight) : height;
}

void LayoutChildren(HWND hwnd, ComboState& c) {
    if (c.edit) {
        RECT r = ComboEditRect(hwnd, c);
        MoveWindow(c.edit, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
    if (c.list && ComboType(hwnd) == CBS_SIMPLE) {
        RECT client{};
        GetClientRect(hwnd, &client);
        MoveWindow(c.list, 0, c.fieldHeight, client.right,
                   std::max<LONG>(0, client.bottom - c.fieldHeight), TRUE);
    }
}

// The closed combo box is as high as its field; a drop-down keeps the rest for its list.
void ApplyFieldHeight(HWND hwnd, ComboState& c) {
    c.fieldHeight = c.fieldItemHeight + 2 * (kBorder + 1);
    if (ComboType(hwnd) != CBS_SIMPLE) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, c.fieldHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayoutChildren(hwnd, c);
}

void Create(HWND hwnd, ComboState& c, const CREATESTRUCT* cs) {
    const DWORD style = StyleOf(hwnd);
    const DWORD type = ComboType(hwnd);
    const int fontHeight = MeasureFont(c.font).height;
    c.fieldItemHeight = fontHeight + 2;
    int listItemHeight = fontHeight;
    if (IsOwnerDrawn(hwnd)) {
        c.fieldItemHeight = MeasureOwnerDrawn(hwnd, static_cast<UINT>(-1), c.fieldItemHeight);
        listItemHeight = MeasureOwnerDrawn(hwnd, 0, listItemHeight);
    }
    c.fieldHeight = c.fieldItemHeight + 2 * (kBorder + 1);
    c.droppedHeight = std::max(listItemHeight + 2, cs->cy - c.fieldHeight);

    DWORD listStyle = LBS_COMBOBOX | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | c.listScrollBars;
    if (style & CBS_SORT)
        listStyle |= LBS_SORT;
    if (style & CBS_OWNERDRAWFIXED)
        listStyle |= LBS_OWNERDRAWFIXED;
    if (style & CBS_OWNERDRAWVARIABLE)
        listStyle |= LBS_OWNERDRAWVARIABLE;
    if (style & CBS_HASSTRINGS)
        listStyle |= LBS_HASSTRINGS;
    if (style & CBS_DISABLENOSCROLL)
        listStyle |= LBS_DISABLENOSCROLL;
    const HMENU listId = reinterpret_cast<HMENU>(static_cast<intptr_t>(kListId));
    if (type == CBS_SIMPLE) {
        c.list = CreateWindowEx(WS_EX_CLIENTEDGE, "ListBox", "", WS_CHILD | WS_VISIBLE | listStyle,
                                0, c.fieldHeight, cs->cx, std::max(0, cs->cy - c.fieldHeight), hwnd,
                                listId, nullptr, nullptr);
    } else {
        // A pop-up's "menu" would be a menu bar, so the pop-up list has no id.
        c.list = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kComboListClass, "",
                                WS_POPUP | WS_BORDER | listStyle, 0, 0, cs->cx, c.droppedHeight,
                                hwnd, nullptr, nullptr, nullptr);
    }
    AttachListToCombo(c.list, hwnd, type != CBS_SIMPLE);
    SendMessage(c.list, LB_SETITEMHEIGHT, 0, MAKELPARAM(listItemHeight, 0));

    if (type != CBS_DROPDOWNLIST) {
        DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_NOHIDESEL;
        if (style & CBS_AUTOHSCROLL)
            editStyle |= ES_AUTOHSCROLL;
        if (style & CBS_UPPERCASE)
            editStyle |= ES_UPPERCASE;
        if (style & CBS_LOWERCASE)
            editStyle |= ES_LOWERCASE;
        if (style & WS_DISABLED)
            editStyle |= WS_DISABLED;
        c.edit = CreateWindowEx(0, "Edit", "", editStyle, 0, 0, 0, 0, hwnd,
                                reinterpret_cast<HMENU>(static_cast<intptr_t>(kEditId)), nullptr,
                                nullptr);
        AttachEditToCombo(c.edit, hwnd);
    }
    ApplyFieldHeight(hwnd, c);
}

int ListCount(const ComboState& c) {
    return static_cast<int>(SendMessage(c.list, LB_GETCOUNT, 0, 0));
}

LRESULT SetCurSel(HWND hwnd, ComboState& c, int index) {
    if (index < 0 || index >= ListCount(c)) {
        c.curSel = -1;
        if (auto ls = ListBoxStateOf(c.list))
            ls->curSel = -1;
        SetComboEditText(c, "");
        return CB_ERR;
    }
    c.curSel = -1;  // so that the text is shown even when the index stays
    SetComboSelection(hwnd, c, index);
    return index;
}

LRESULT AddString(HWND hwnd, ComboState& c, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT index = SendMessage(c.list, message, wParam, lParam);
    if (index >= 0 && c.curSel >= index)
        ++c.curSel;
    (void)hwnd;
    return index;
}

LRESULT DeleteString(HWND hwnd, ComboState& c, int index) {
    const LRESULT count = SendMessage(c.list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    if (count < 0)
        return CB_ERR;
    if (c.curSel == index) {
        c.curSel = -1;
        if (ComboType(hwnd) == CBS_DROPDOWNLIST)
            SetComboEditText(c, "");
    } else if (c.curSel > index) {
        --c.curSel;
    }
    return count;
}

std::string SelectedText(const ComboState& c) {
    auto ls = ListBoxStateOf(c.list);
    if (!ls || !ls->model.Valid(c.curSel))
        return std::string();
    return EncodeText(ls->model.At(c.curSel).text);
}

LRESULT SetText(HWND hwnd, ComboState& c, LPARAM lParam) {
    const char* text = reinterpret_cast<const char*>(lParam);
    const LRESULT found = SendMessage(c.list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(text ? text : ""));
    if (ComboType(hwnd) == CBS_DROPDOWNLIST) {
        if (found < 0)
            return CB_ERR;
        SetCurSel(hwnd, c, static_cast<int>(found));
        return TRUE;
    }
    c.curSel = static_cast<int>(found);
    if (auto ls = ListBoxStateOf(c.list))
        ls->curSel = c.curSel;
    c.settingText = true;
    SendMessage(c.edit, WM_SETTEXT, 0, lParam);
    c.settingText = false;
    return TRUE;
}

bool OwnsWindow(HWND hwnd, const ComboState& c, HWND other) {
    return other && (other == hwnd || other == c.edit || other == c.list);
}

void FocusGained(HWND hwnd, ComboState& c) {
    if (c.focused)
        return;
    c.focused = true;
    ControlFocused(hwnd);
    if (IsWindow(hwnd))
        NotifyParent(hwnd, CBN_SETFOCUS);
}

void FocusLost(HWND hwnd, ComboState& c, HWND newFocus) {
    if (!c.focused || OwnsWindow(hwnd, c, newFocus))
        return;
    c.focused = false;
    CancelDropDown(hwnd, c);
    if (IsWindow(hwnd))
        NotifyParent(hwnd, CBN_KILLFOCUS);
}

// WM_COMMAND from the edit or the list of the combo box.
void ChildCommand(HWND hwnd, ComboState& c, WPARAM wParam, LPARAM lParam) {
    const HWND child = reinterpret_cast<HWND>(lParam);
    const WORD code = HIWORD(wParam);
    if (child == c.edit && c.edit) {
        switch (code) {
            case EN_SETFOCUS:
                FocusGained(hwnd, c);
                break;
            case EN_KILLFOCUS:
                FocusLost(hwnd, c, GetFocus());
                break;
            case EN_UPDATE:
                if (!c.settingText)
                    NotifyParent(hwnd, CBN_EDITUPDATE);
                break;
            case EN_CHANGE: {
                if (c.settingText)
                    break;
                // Typing replaces the selection by the text, unless it names an item.
                char text[1024];
                GetWindowText(c.edit, text, sizeof text);
                c.curSel = static_cast<int>(SendMessage(c.list, LB_FINDSTRINGEXACT,
                                                        static_cast<WPARAM>(-1),
                                                        reinterpret_cast<LPARAM>(text)));
                if (auto ls = ListBoxStateOf(c.list)) {
                    int highlight = c.curSel;
                    if (highlight < 0 && *text)
                        highlight = static_cast<int>(SendMessage(c.list, LB_FINDSTRING,
                                                                 static_cast<WPARAM>(-1),
                                                                 reinterpret_cast<LPARAM>(text)));
                    ls->curSel = highlight;
                    if (highlight >= 0)
                        EnsureItemVisible(c.list, *ls, highlight);
                }
                NotifyParent(hwnd, CBN_EDITCHANGE);
                break;
            }
            default:
                break;
        }
        return;
    }
    if (child == c.list && c.list && ComboType(hwnd) == CBS_SIMPLE) {
        if (code == LBN_SELCHANGE) {
            auto ls = ListBoxStateOf(c.list);
            if (ls && ls->model.Valid(ls->curSel)) {
                c.curSel = -1;
                SetComboSelection(hwnd, c, ls->curSel);
            }
            NotifyParent(hwnd, CBN_SELCHANGE);
        } else if (code == LBN_DBLCLK) {
            NotifyParent(hwnd, CBN_DBLCLK);
        } else if (code == LBN_SETFOCUS) {
            FocusGained(hwnd, c);
        } else if (code == LBN_KILLFOCUS) {
            FocusLost(hwnd, c, GetFocus());
        }
    }
}

LRESULT DialogCode(const ComboState& c, LPARAM lParam) {
    LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS;
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (c.dropped && msg && msg->message == WM_KEYDOWN &&
        (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        code |= DLGC_WANTALLKEYS;
    return code;
}

void MouseDown(HWND hwnd, ComboState& c, POINT pt) {
    SetFocus(c.edit ? c.edit : hwnd);
    if (!IsWindow(hwnd))
        return;
    if (c.dropped) {
        CancelDropDown(hwnd, c);
        return;
    }
    RECT button = ComboButtonRect(hwnd, c);
    RECT field = ComboFieldRect(hwnd, c);
    const bool onButton = PtInRect(&button, pt) != FALSE;
    const bool onField = ComboType(hwnd) == CBS_DROPDOWNLIST && PtInRect(&field, pt);
    if (onButton || onField)
        OpenDropDown(hwnd, c);
}

void DropDownListChar(HWND hwnd, ComboState& c, WPARAM ch) {
    auto ls = ListBoxStateOf(c.list);
    if (!ls || ch < 0x20)
        return;
    const int found = ls->model.Find(c.curSel, std::u32string(1, static_cast<char32_t>(ch)), false);
    if (found < 0 || !SetComboSelection(hwnd, c, found))
        return;
    if (!c.dropped) {
        NotifyParent(hwnd, CBN_SELENDOK);
        if (!IsWindow(hwnd))
            return;
    }
    NotifyParent(hwnd, CBN_SELCHANGE);
}

LRESULT Handle(HWND hwnd, ComboState& c, UINT message, WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(wParam);
    if (message == ComboListMessage()) {
        if (wParam == kComboListChoose)
            ChooseFromDropDown(hwnd, c, static_cast<int>(lParam));
        else
            CancelDropDown(hwnd, c);
        return 0;
    }
    switch (message) {
        case WM_CREATE:
            Create(hwnd, c, reinterpret_cast<const CREATESTRUCT*>(lParam));
            return 0;
        case WM_DESTROY:
            if (c.list && IsWindow(c.list) && ComboType(hwnd) != CBS_SIMPLE)
                DestroyWindow(c.list);
            c.list = nullptr;
            return 0;
        case WM_SIZE:
            LayoutChildren(hwnd, c);
            return 0;
        case WM_GETDLGCODE:
            return DialogCode(c, lParam);
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintWith(hwnd, wParam, [&](HDC dc) { PaintComboBox(hwnd, c, dc); });
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETFONT:
            c.font = reinterpret_cast<HFONT>(wParam);
            if (c.edit)
                SendMessage(c.edit, WM_SETFONT, wParam, lParam);
            if (c.list)
                SendMessage(c.list, WM_SETFONT, wParam, lParam);
            if (!IsOwnerDrawn(hwnd)) {
                const int height = MeasureFont(c.font).height;
                c.fieldItemHeight = height + 2;
                SendMessage(c.list, LB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0));
                ApplyFieldHeight(hwnd, c);
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(c.font);
        case WM_ENABLE:
            if (c.edit)
                EnableWindow(c.edit, static_cast<BOOL>(wParam));
            if (!wParam)
                CancelDropDown(hwnd, c);
            return 0;
        case WM_SETFOCUS:
            if (c.edit) {
                SetFocus(c.edit);
                SendMessage(c.edit, EM_SETSEL, 0, -1);
            } else {
                FocusGained(hwnd, c);
            }
            return 0;
        case WM_KILLFOCUS:
            if (!c.edit)
                FocusLost(hwnd, c, reinterpret_cast<HWND>(wParam));
            return 0;
        case WM_COMMAND:
            ChildCommand(hwnd, c, wParam, lParam);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            MouseDown(hwnd, c, PointFromLParam(lParam));
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (ComboHandleKey(hwnd, message, wParam))
                return 0;
            return DefWindowProc(hwnd, message, wParam, lParam);
        case WM_CHAR:
            if (!ComboHandleKey(hwnd, message, wParam) && !c.edit)
                DropDownListChar(hwnd, c, wParam);
            return 0;
        case WM_MOUSEWHEEL:
            if (!c.dropped && c.focused) {
                ComboHandleKey(hwnd, WM_KEYDOWN,
                               GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? VK_UP : VK_DOWN);
                return 0;
            }
            return DefWindowProc(hwnd, message, wParam, lParam);
        case WM_SETTEXT:
            return SetText(hwnd, c, lParam);
        case WM_GETTEXT:
            if (c.edit)
                return SendMessage(c.edit, WM_GETTEXT, wParam, lParam);
            return CopyText(SelectedText(c), reinterpret_cast<LPSTR>(lParam),
                            static_cast<int>(wParam));
        case WM_GETTEXTLENGTH:
            if (c.edit)
                return SendMessage(c.edit, WM_GETTEXTLENGTH, 0, 0);
            return static_cast<LRESULT>(SelectedText(c).size());
        case CB_ADDSTRING:
            return AddString(hwnd, c, LB_ADDSTRING, wParam, lParam);
        case CB_INSERTSTRING:
            return AddString(hwnd, c, LB_INSERTSTRING, wParam, lParam);
        case CB_DELETESTRING:
            return DeleteString(hwnd, c, index);
        case CB_RESETCONTENT:
            SendMessage(c.list, LB_RESETCONTENT, 0, 0);
            c.curSel = -1;
            SetComboEditText(c, "");
            return CB_OKAY;
        case CB_GETCOUNT:
            return ListCount(c);
        case CB_GETCURSEL:
            return c.curSel;
        case CB_SETCURSEL:
            return SetCurSel(hwnd, c, index);
        case CB_GETLBTEXT:
            return SendMessage(c.list, LB_GETTEXT, wParam, lParam);
        case CB_GETLBTEXTLEN:
            return SendMessage(c.list, LB_GETTEXTLEN, wParam, lParam);
        case CB_FINDSTRING:
            return SendMessage(c.list, LB_FINDSTRING, wParam, lParam);
        case CB_FINDSTRINGEXACT:
            return SendMessage(c.list, LB_FINDSTRINGEXACT, wParam, lParam);
        case CB_SELECTSTRING: {
            const LRESULT found = SendMessage(c.list, LB_FINDSTRING, wParam, lParam);
            if (found < 0)
                return CB_ERR;
            return SetCurSel(hwnd, c, static_cast<int>(found));
        }
        case CB_GETITEMDATA:
            return SendMessage(c.list, LB_GETITEMDATA, wParam, lParam);
        case CB_SETITEMDATA:
            return SendMessage(c.list, LB_SETITEMDATA, wParam, lParam);
        case CB_GETTOPINDEX:
            return SendMessage(c.list, LB_GETTOPINDEX, 0, 0);
        case CB_SETTOPINDEX:
            return SendMessage(c.list, LB_SETTOPINDEX, wParam, 0) < 0 ? CB_ERR : 0;
        case CB_GETITEMHEIGHT:
            if (index == -1)
                return c.fieldItemHeight;
            return SendMessage(c.list, LB_GETITEMHEIGHT, 0, 0);
        case CB_SETITEMHEIGHT:
            if (LOWORD(lParam) == 0 || LOWORD(lParam) > 255)
                return CB_ERR;
            if (index == -1) {
                c.fieldItemHeight = LOWORD(lParam);
                ApplyFieldHeight(hwnd, c);
                return 0;
            }
            return SendMessage(c.list, LB_SETITEMHEIGHT, 0, lParam);
        case CB_SHOWDROPDOWN:
            if (wParam)
                OpenDropDown(hwnd, c);
            else
                CloseDropDown(hwnd, c, true);
            return TRUE;
        case CB_GETDROPPEDSTATE:
            return c.dropped;
        case CB_GETDROPPEDCONTROLRECT:
            if (lParam)
                *reinterpret_cast<RECT*>(lParam) = ComboDroppedRect(hwnd, c);
            return TRUE;
        case CB_SETEXTENDEDUI:
            c.extendedUI = wParam != 0;
            return CB_OKAY;
        case CB_GETEXTENDEDUI:
            return c.extendedUI;
        case CB_GETDROPPEDWIDTH: {
            RECT r = ComboDroppedRect(hwnd, c);
            return r.right - r.left;
        }
        case CB_SETDROPPEDWIDTH:
            c.droppedWidth = index;
            return index;
        case CB_GETEDITSEL:
            if (!c.edit)
                return CB_ERR;
            return SendMessage(c.edit, EM_GETSEL, wParam, lParam);
        case CB_SETEDITSEL:
            if (!c.edit)
                return CB_ERR;
            SendMessage(c.edit, EM_SETSEL, static_cast<WPARAM>(static_cast<SHORT>(LOWORD(lParam))),
                        static_cast<LPARAM>(static_cast<SHORT>(HIWORD(lParam))));
            return TRUE;
        case CB_LIMITTEXT:
            if (!c.edit)
                return CB_ERR;
            SendMessage(c.edit, EM_LIMITTEXT, wParam, 0);
            return TRUE;
        case CB_INITSTORAGE:
            return SendMessage(c.list, LB_INITSTORAGE, wParam, lParam);
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

std::shared_ptr<ComboState> ComboStateOf(HWND hwnd) {
    return IsWindowOfClass(hwnd, "ComboBox") ? ControlOf<ComboState>(hwnd) : nullptr;
}

RECT ComboFieldRect(HWND hwnd, const ComboState& c) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return RECT{kBorder, kBorder, std::max<LONG>(kBorder, client.right - kBorder),
                c.fieldHeight - kBorder};
}

RECT ComboButtonRect(HWND hwnd, const ComboState& c) {
    if (ComboType(hwnd) == CBS_SIMPLE)
        return RECT{};
    RECT field = ComboFieldRect(hwnd, c);
    const LONG left = std::max(field.left, field.right - GetSystemMetrics(SM_CXVSCROLL));
    return RECT{left, field.top, field.right, field.bottom};
}

RECT ComboEditRect(HWND hwnd, const ComboState& c) {
    RECT field = ComboFieldRect(hwnd, c);
    RECT button = ComboButtonRect(hwnd, c);
    if (!IsRectEmpty(&button))
        field.right = button.left;
    InflateRect(&field, -1, -1);
    if (field.right < field.left)
        field.right = field.left;
    return field;
}

// The drop-down list's items stand this far from its left edge, and as far again on the right.
constexpr int kDroppedTextIndent = 2 * 2;

RECT ComboDroppedRect(HWND hwnd, const ComboState& c) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    int width = std::max<int>(c.droppedWidth, r.right - r.left);
    int height = c.droppedHeight;
    RECT work{};
    MONITORINFO mi{sizeof(MONITORINFO), {}, {}, 0};
    if (GetMonitorInfo(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &mi))
        work = mi.rcWork;
    if (auto ls = ListBoxStateOf(c.list)) {
        // The list is no longer than its items need, but shows at least one.
        const int items = std::max(1, ls->model.Count());
        height = std::min(height, items * ls->itemHeight + 2);
        // Nor narrower than its widest text (with the text's indent, the frame and a scroll
        // bar when not every item shows), within the screen's width.
        const auto metrics = GetTextMetricsSource();
        int widest = 0;
        for (int i = 0; i < ls->model.Count(); ++i)
            widest =
                std::max(widest, metrics->TextWidth(ls->font, EncodeText(ls->model.At(i).text)));
        const int scrollBar =
            items * ls->itemHeight + 2 > height ? GetSystemMetrics(SM_CXVSCROLL) : 0;
        const int needed = widest + kDroppedTextIndent + 2 + scrollBar;
        width = std::max(width, std::min<int>(needed, work.right - work.left));
    }
    int top = r.bottom;
    // Where there is no room below, the list opens upwards.
    if (top + height > work.bottom && r.top - height >= work.top)
        top = r.top - height;
    // A list wider than its box stays on the screen.
    const int left = std::max<int>(work.left, std::min<int>(r.left, work.right - width));
    return RECT{left, top, left + width, top + height};
}

LRESULT ComboBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto state = AttachControl(hwnd, std::make_shared<ComboState>());
        // Scroll bars asked of the combo box belong to its list.
        const DWORD style = StyleOf(hwnd);
        state->listScrollBars = style & (WS_VSCROLL | WS_HSCROLL);
        if (state->listScrollBars)
            SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(style & ~state->listScrollBars));
    }
    auto c = ControlOf<ComboState>(hwnd);
    if (message == WM_NCDESTROY) {
        DetachControl<ComboState>(hwnd);
        return 0;
    }
    if (!c)
        return DefWindowProc(hwnd, message, wParam, lParam);
    const LRESULT result = Handle(hwnd, *c, message, wParam, lParam);
    if (MayChangeLook(message) && IsWindow(hwnd))
        Redraw(hwnd);
    return result;
}

}  // namespace kq::ui::detail
