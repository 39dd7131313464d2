// The "LISTBOX" control (and the pop-up list of combo boxes): window procedure and LB_
// messages.
#include <algorithm>
#include <cstring>

#include "platform/ui/WinUser.h"
#include "platform/ui/controls/ListBox.h"
#include "platform/ui/controls/OwnerDraw.h"
#include "platform/ui/controls/TextMetrics.h"
#include "platform/ui/controls/Utf8Text.h"
#include "platform/ui/controls/detail/ControlData.h"
#include "platform/ui/controls/detail/ControlPaint.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/controls/detail/ListBoxState.h"
#include "platform/ui/controls/detail/ScrollStore.h"
#include "platform/ui/controls/detail/SystemClasses.h"
#include "platform/ui/dialog/DialogCodes.h"
#include "platform/ui/dialog/detail/DialogFocus.h"

namespace kq::ui::detail {
namespace {

struct OwnerInfo {
    HWND owner;
    UINT type;
    UINT id;
    HWND item;
};

// A combo box's list draws and measures through the combo box's parent.
OwnerInfo OwnerOf(HWND hwnd, const ListBoxState& s) {
    if (s.combo)
        return OwnerInfo{GetParent(s.combo), ODT_COMBOBOX, static_cast<UINT>(GetDlgCtrlID(s.combo)),
                         s.combo};
    return OwnerInfo{GetParent(hwnd), ODT_LISTBOX, static_cast<UINT>(GetDlgCtrlID(hwnd)), hwnd};
}

bool IsOwnerDrawn(HWND hwnd) {
    return (StyleOf(hwnd) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
}

void MeasureItems(HWND hwnd, ListBoxState& s) {
    s.itemHeight = std::max(1, MeasureFont(s.font).height);
    // The list of a combo box is measured by the combo box.
    if (!IsOwnerDrawn(hwnd) || s.combo || (StyleOf(hwnd) & LBS_COMBOBOX))
        return;
    OwnerInfo o = OwnerOf(hwnd, s);
    RECT client{};
    GetClientRect(hwnd, &client);
    MEASUREITEMSTRUCT mis{
        o.type, o.id, 0, static_cast<UINT>(client.right), static_cast<UINT>(s.itemHeight), 0};
    if (o.owner)
        SendMessage(o.owner, WM_MEASUREITEM, o.id, reinterpret_cast<LPARAM>(&mis));
    if (mis.itemHeight > 0)
        s.itemHeight = static_cast<int>(mis.itemHeight);
}

// Without LBS_NOINTEGRALHEIGHT a list shows whole items only.
void FitIntegralHeight(HWND hwnd, ListBoxState& s) {
    if ((StyleOf(hwnd) & LBS_NOINTEGRALHEIGHT) || s.combo)
        return;
    RECT window{}, client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    const int extra = static_cast<int>((window.bottom - window.top) - client.bottom);
    const int fitted = std::max(1, static_cast<int>(client.bottom) / s.itemHeight) * s.itemHeight;
    if (fitted != client.bottom && client.bottom > 0)
        SetWindowPos(hwnd, nullptr, 0, 0, window.right - window.left, fitted + extra,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SendDeleteItem(HWND hwnd, const ListBoxState& s, int index) {
    const ULONG_PTR data = s.model.At(index).data;
    if (!data)
        return;
    OwnerInfo o = OwnerOf(hwnd, s);
    DELETEITEMSTRUCT dis{o.type, o.id, static_cast<UINT>(index), o.item, data};
    if (o.owner)
        SendMessage(o.owner, WM_DELETEITEM, o.id, reinterpret_cast<LPARAM>(&dis));
}

ListItem MakeItem(HWND hwnd, LPARAM lParam) {
    ListItem item;
    if (HasStrings(hwnd)) {
        const char* text = reinterpret_cast<const char*>(lParam);
        item.text = DecodeText(text ? text : "");
    } else {
        item.data = static_cast<ULONG_PTR>(lParam);
    }
    return item;
}

LRESULT AddString(HWND hwnd, ListBoxState& s, LPARAM lParam, int index, bool sorted) {
    ListItem item = MakeItem(hwnd, lParam);
    if (sorted) {
        ListModel::Compare compare;
        if (!HasStrings(hwnd)) {
            OwnerInfo o = OwnerOf(hwnd, s);
            compare = [o](const ListItem& a, const ListItem& b) {
                COMPAREITEMSTRUCT cis{o.type, o.id, o.item, 0, a.data, static_cast<UINT>(-1),
                                      b.data, 0};
                return o.owner ? static_cast<int>(SendMessage(o.owner, WM_COMPAREITEM, o.id,
                                                              reinterpret_cast<LPARAM>(&cis)))
                               : 0;
            };
        }
        index = s.model.SortedPosition(item, compare);
    }
    if (!s.model.Insert(index, std::move(item)))
        return LB_ERR;
    if (index < 0)
        index = s.model.Count() - 1;
    if (s.curSel >= index)
        ++s.curSel;
    if (s.caret >= index && s.model.Count() > 1)
        ++s.caret;
    RefreshListScrollBar(hwnd, s);
    return index;
}

LRESULT DeleteString(HWND hwnd, ListBoxState& s, int index) {
    if (!s.model.Valid(index))
        return LB_ERR;
    SendDeleteItem(hwnd, s, index);
    s.model.Erase(index);
    if (s.curSel == index)
        s.curSel = -1;
    else if (s.curSel > index)
        --s.curSel;
    if (s.caret > index || s.caret >= s.model.Count())
        s.caret = std::max(0, s.caret - 1);
    SetTopIndex(hwnd, s, s.top);
    return s.model.Count();
}

void ResetContent(HWND hwnd, ListBoxState& s) {
    for (int i = 0; i < s.model.Count(); ++i)
        SendDeleteItem(hwnd, s, i);
    s.model.Clear();
    s.curSel = -1;
    s.caret = 0;
    s.anchor = -1;
    s.top = 0;
    RefreshListScrollBar(hwnd, s);
}

LRESULT SetCurSel(HWND hwnd, ListBoxState& s, int index) {
    if (IsMultipleSelection(hwnd))
        return LB_ERR;
    if (!s.model.Valid(index)) {
        s.curSel = -1;
        return LB_ERR;
    }
    s.curSel = index;
    s.caret = index;
    EnsureItemVisible(hwnd, s, index);
    return index;
}

LRESULT GetText(HWND hwnd, const ListBoxState& s, int index, LPARAM lParam) {
    if (!s.model.Valid(index))
        return LB_ERR;
    if (!HasStrings(hwnd)) {
        if (lParam)
            std::memcpy(reinterpret_cast<void*>(lParam), &s.model.At(index).data,
                        sizeof(ULONG_PTR));
        return sizeof(ULONG_PTR);
    }
    const std::string text = EncodeText(s.model.At(index).text);
    if (lParam) {
        std::memcpy(reinterpret_cast<char*>(lParam), text.data(), text.size());
        reinterpret_cast<char*>(lParam)[text.size()] = '\0';
    }
    return static_cast<LRESULT>(text.size());
}

LRESULT Find(HWND hwnd, const ListBoxState& s, int start, LPARAM lParam, bool exact) {
    if (!HasStrings(hwnd))
        return s.model.FindData(start, static_cast<ULONG_PTR>(lParam));
    const char* text = reinterpret_cast<const char*>(lParam);
    const int found = s.model.Find(start, DecodeText(text ? text : ""), exact);
    return found < 0 ? LB_ERR : found;
}

void SelectRange(ListBoxState& s, int first, int last, bool select) {
    if (first > last)
        std::swap(first, last);
    for (int i = std::max(0, first); i <= last && i < s.model.Count(); ++i)
        s.model.At(i).selected = select;
}

LRESULT ItemFromPoint(HWND hwnd, const ListBoxState& s, POINT pt) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const bool outside = !PtInRect(&client, pt);
    int index = s.top + static_cast<int>(pt.y) / std::max(1, s.itemHeight);
    if (pt.y < 0)
        index = s.top - 1;
    const bool beyond = index < 0 || index >= s.model.Count();
    index = std::clamp(index, 0, std::max(0, s.model.Count() - 1));
    return MAKELRESULT(static_cast<WORD>(index), (outside || beyond) ? 1 : 0);
}

LRESULT Handle(HWND hwnd, ListBoxState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(wParam);
    switch (message) {
        case WM_CREATE:
            s.verticalBar = (StyleOf(hwnd) & WS_VSCROLL) != 0;
            MeasureItems(hwnd, s);
            FitIntegralHeight(hwnd, s);
            RefreshListScrollBar(hwnd, s);
            return 0;
        case WM_DESTROY:
            // The owner learns of every item that goes with the list.
            for (int i = 0; i < s.model.Count(); ++i)
                SendDeleteItem(hwnd, s, i);
            s.model.Clear();
            return 0;
        case WM_SIZE:
            FitIntegralHeight(hwnd, s);
            SetTopIndex(hwnd, s, s.top);
            return 0;
        case WM_MOUSEACTIVATE:
            // The pop-up list of a combo box never takes the activation from the dialog.
            if (s.dropDown)
                return MA_NOACTIVATE;
            return DefWindowProc(hwnd, message, wParam, lParam);
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintWith(hwnd, wParam, [&](HDC dc) { PaintListBox(hwnd, s, dc); });
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETFONT:
            s.font = reinterpret_cast<HFONT>(wParam);
            if (!IsOwnerDrawn(hwnd))
                s.itemHeight = std::max(1, MeasureFont(s.font).height);
            FitIntegralHeight(hwnd, s);
            SetTopIndex(hwnd, s, s.top);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(s.font);
        case WM_SETFOCUS:
            s.focused = true;
            ControlFocused(hwnd);
            if (IsWindow(hwnd))
                NotifyList(hwnd, s, LBN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            s.focused = false;
            NotifyList(hwnd, s, LBN_KILLFOCUS);
            return 0;
        case WM_KEYDOWN:
            return ListKeyDown(hwnd, s, wParam);
        case WM_CHAR:
            return ListChar(hwnd, s, wParam);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            ListMouseDown(hwnd, s, PointFromLParam(lParam), message == WM_LBUTTONDBLCLK);
            return 0;
        case WM_MOUSEMOVE:
            ListMouseMove(hwnd, s, PointFromLParam(lParam));
            return 0;
        case WM_LBUTTONUP:
            ListMouseUp(hwnd, s, PointFromLParam(lParam));
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd) {
                s.mouseSelecting = false;
                if (s.dropDown && s.combo && IsWindow(s.combo))
                    SendMessage(s.combo, ComboListMessage(), kComboListCancel, 0);
            }
            return 0;
        case WM_MOUSEWHEEL:
            SetTopIndex(hwnd, s, s.top - 3 * GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
            return 0;
        case WM_VSCROLL: {
            const int visible = VisibleItemCount(hwnd, s);
            switch (LOWORD(wParam)) {
                case SB_LINEUP:
                    SetTopIndex(hwnd, s, s.top - 1);
                    break;
                case SB_LINEDOWN:
                    SetTopIndex(hwnd, s, s.top + 1);
                    break;
                case SB_PAGEUP:
                    SetTopIndex(hwnd, s, s.top - std::max(1, visible - 1));
                    break;
                case SB_PAGEDOWN:
                    SetTopIndex(hwnd, s, s.top + std::max(1, visible - 1));
                    break;
                case SB_TOP:
                    SetTopIndex(hwnd, s, 0);
                    break;
                case SB_BOTTOM:
                    SetTopIndex(hwnd, s, s.model.Count());
                    break;
                case SB_THUMBTRACK:
                case SB_THUMBPOSITION: {
                    SCROLLINFO info{sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0};
                    GetScrollInfo(hwnd, SB_VERT, &info);
                    SetTopIndex(hwnd, s, info.nTrackPos);
                    break;
                }
                default:
                    break;
            }
            return 0;
        }
        case LB_ADDSTRING:
            return AddString(hwnd, s, lParam, -1, (StyleOf(hwnd) & LBS_SORT) != 0);
        case LB_INSERTSTRING:
            return AddString(hwnd, s, lParam, index, false);
        case LB_DELETESTRING:
            return DeleteString(hwnd, s, index);
        case LB_RESETCONTENT:
            ResetContent(hwnd, s);
            return 0;
        case LB_GETCOUNT:
            return s.model.Count();
        case LB_SETCURSEL:
            return SetCurSel(hwnd, s, index);
        case LB_GETCURSEL:
            if (IsMultipleSelection(hwnd))
                return s.model.Valid(s.caret) ? s.caret : LB_ERR;
            return s.curSel;
        case LB_GETSEL:
            if (!s.model.Valid(index))
                return LB_ERR;
            return IsMultipleSelection(hwnd) ? s.model.At(index).selected : s.curSel == index;
        case LB_SETSEL: {
            if (!IsMultipleSelection(hwnd))
                return LB_ERR;
            const int item = static_cast<int>(lParam);
            if (item == -1) {
                SelectRange(s, 0, s.model.Count() - 1, wParam != 0);
                return 0;
            }
            if (!s.model.Valid(item))
                return LB_ERR;
            s.model.At(item).selected = wParam != 0;
            return 0;
        }
        case LB_SELITEMRANGE:
            if (!IsMultipleSelection(hwnd))
                return LB_ERR;
            SelectRange(s, LOWORD(lParam), HIWORD(lParam), wParam != 0);
            return 0;
        case LB_SELITEMRANGEEX: {
            if (!IsMultipleSelection(hwnd))
                return LB_ERR;
            const int first = static_cast<int>(wParam);
            const int last = static_cast<int>(lParam);
            SelectRange(s, first, last, first <= last);
            return 0;
        }
        case LB_GETSELCOUNT: {
            if (!IsMultipleSelection(hwnd))
                return LB_ERR;
            int count = 0;
            for (int i = 0; i < s.model.Count(); ++i)
                count += s.model.At(i).selected;
            return count;
        }
        case LB_GETSELITEMS: {
            if (!IsMultipleSelection(hwnd))
                return LB_ERR;
            auto* out = reinterpret_cast<int*>(lParam);
            int n = 0;
            for (int i = 0; i < s.model.Count() && n < index; ++i) {
                if (s.model.At(i).selected && out)
                    out[n++] = i;
            }
            return n;
        }
        case LB_GETTEXT:
            return GetText(hwnd, s, index, lParam);
        case LB_GETTEXTLEN:
            if (!s.model.Valid(index))
                return LB_ERR;
            return HasStrings(hwnd)
                       ? static_cast<LRESULT>(EncodeText(s.model.At(index).text).size())
                       : static_cast<LRESULT>(sizeof(ULONG_PTR));
        case LB_FINDSTRING:
            return Find(hwnd, s, index, lParam, false);
        case LB_FINDSTRINGEXACT:
            return Find(hwnd, s, index, lParam, true);
        case LB_SELECTSTRING: {
            if (IsMultipleSelection(hwnd))
                return LB_ERR;
            const LRESULT found = Find(hwnd, s, index, lParam, false);
            if (found != LB_ERR)
                SetCurSel(hwnd, s, static_cast<int>(found));
            return found;
        }
        case LB_GETITEMDATA:
            return s.model.Valid(index) ? static_cast<LRESULT>(s.model.At(index).data) : LB_ERR;
        case LB_SETITEMDATA:
            if (!s.model.Valid(index))
                return LB_ERR;
            s.model.At(index).data = static_cast<ULONG_PTR>(lParam);
            return TRUE;
        case LB_GETTOPINDEX:
            return s.top;
        case LB_SETTOPINDEX:
            if (index < 0 || (index >= s.model.Count() && s.model.Count() > 0))
                return LB_ERR;
            SetTopIndex(hwnd, s, index);
            return 0;
        case LB_GETITEMHEIGHT:
            return s.itemHeight;
        case LB_SETITEMHEIGHT:
            if (LOWORD(lParam) == 0 || LOWORD(lParam) > 255)
                return LB_ERR;
            s.itemHeight = LOWORD(lParam);
            FitIntegralHeight(hwnd, s);
            SetTopIndex(hwnd, s, s.top);
            return 0;
        case LB_GETITEMRECT:
            if (!s.model.Valid(index) || !lParam)
                return LB_ERR;
            *reinterpret_cast<RECT*>(lParam) = ItemRect(hwnd, s, index);
            return 1;
        case LB_ITEMFROMPOINT:
            return ItemFromPoint(hwnd, s, PointFromLParam(lParam));
        case LB_GETCARETINDEX:
            return s.model.Count() ? s.caret : 0;
        case LB_SETCARETINDEX:
            if (!s.model.Valid(index))
                return LB_ERR;
            s.caret = index;
            EnsureItemVisible(hwnd, s, index);
            return 0;
        case LB_GETANCHORINDEX:
            return s.anchor;
        case LB_SETANCHORINDEX:
            if (!s.model.Valid(index))
                return LB_ERR;
            s.anchor = index;
            return 0;
        case LB_GETHORIZONTALEXTENT:
            return s.horizontalExtent;
        case LB_SETHORIZONTALEXTENT:
            s.horizontalExtent = index;
            return 0;
        case LB_INITSTORAGE:
            return s.model.Count() + index;
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

LRESULT ListBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        AttachControl(hwnd, std::make_shared<ListBoxState>());
    auto s = ControlOf<ListBoxState>(hwnd);
    if (message == WM_NCDESTROY) {
        ForgetScrollStates(hwnd);
        DetachControl<ListBoxState>(hwnd);
        return 0;
    }
    if (!s)
        return DefWindowProc(hwnd, message, wParam, lParam);
    const LRESULT result = Handle(hwnd, *s, message, wParam, lParam);
    if (MayChangeLook(message) && IsWindow(hwnd))
        Redraw(hwnd);
    return result;
}

}  // namespace kq::ui::detail
