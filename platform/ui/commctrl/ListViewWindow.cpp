#include <algorithm>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/HeaderState.h"
#include "platform/ui/commctrl/ListViewState.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"

namespace kq::ui::commctrl {
namespace {

// The header's notifications reach the list's parent too; a column click also becomes
// LVN_COLUMNCLICK.
LRESULT OnHeaderNotify(ListViewState& s, NMHDR* hdr) {
    HWND parent = GetParent(s.hwnd());
    LRESULT result = 0;
    if (parent)
        result = SendMessage(parent, WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr));
    const UINT code = hdr->code;
    if (code == HDN_ITEMCHANGED) {
        s.Layout();
        Invalidate(s.hwnd());
    } else if (code == HDN_ITEMCLICK && !(GetWindowLong(s.hwnd(), GWL_STYLE) & LVS_NOSORTHEADER)) {
        NMLISTVIEW nm{};
        nm.iItem = -1;
        nm.iSubItem = reinterpret_cast<NMHEADER*>(hdr)->iItem;
        nm.ptAction = POINT{0, 0};
        SendNotify(s.hwnd(), LVN_COLUMNCLICK, &nm.hdr);
    }
    return result;
}

HIMAGELIST* ImageListSlot(ListViewState& s, WPARAM which) {
    switch (which) {
        case LVSIL_NORMAL:
            return &s.normalImages;
        case LVSIL_SMALL:
            return &s.smallImages;
        case LVSIL_STATE:
            return &s.stateImages;
        default:
            return nullptr;
    }
}

// A paint covers only the rows that meet the DC's clip box, so repainting one cell costs one row,
// not the whole list; WM_PRINTCLIENT asks for the whole client whatever the DC clips.
void Paint(ListViewState& s, HDC hdc, bool wholeClient) {
    if (!hdc)
        return;
    RECT clip = s.Client();
    if (!wholeClient) {
        RECT box{};
        const int kind = GetClipBox(hdc, &box);
        if (kind == NULLREGION)
            return;  // nothing of it can show (an empty update, or a window under LockWindowUpdate)
        if (kind != ERROR)
            IntersectRect(&clip, &clip, &box);
    }
    PaintListView(s, hdc, clip);
}

void OnStyleChanged(ListViewState& s) {
    HWND header = s.header();
    if (!header)
        return;
    const DWORD style = static_cast<DWORD>(GetWindowLong(s.hwnd(), GWL_STYLE));
    DWORD hs = static_cast<DWORD>(GetWindowLong(header, GWL_STYLE));
    hs = (style & LVS_NOSORTHEADER) ? (hs & ~HDS_BUTTONS) : (hs | HDS_BUTTONS);
    hs = (style & LVS_NOCOLUMNHEADER) ? (hs | HDS_HIDDEN) : (hs & ~HDS_HIDDEN);
    SetWindowLong(header, GWL_STYLE, static_cast<LONG>(hs));
    ShowWindow(header, (style & LVS_NOCOLUMNHEADER) ? SW_HIDE : SW_SHOWNA);
    s.Layout();
    Invalidate(s.hwnd());
}

LRESULT HandleListMessage(ListViewState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = s.hwnd();
    const int i = static_cast<int>(wParam);
    switch (message) {
        case WM_CREATE:
            return s.CreateHeader() ? 0 : -1;
        case WM_SIZE:
            s.Layout();
            Invalidate(hwnd);
            return 0;
        case WM_STYLECHANGED:
            OnStyleChanged(s);
            return 0;
        case WM_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(lParam);
            if (hdr && hdr->hwndFrom == s.header())
                return OnHeaderNotify(s, hdr);
            return 0;
        }
        case WM_SETFONT:
            s.font = reinterpret_cast<HFONT>(wParam);
            if (s.header())
                SendMessage(s.header(), WM_SETFONT, wParam, lParam);
            s.Layout();
            Invalidate(hwnd);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(s.font);
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintWith(hwnd, wParam, [&](HDC dc) { Paint(s, dc, message == WM_PRINTCLIENT); });
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_DESTROY:
            s.DeleteAllItems();
            return 0;

        case LVM_GETBKCOLOR:
            return static_cast<LRESULT>(s.bkColor);
        case LVM_SETBKCOLOR:
            s.bkColor = static_cast<COLORREF>(lParam);
            Invalidate(hwnd);
            return TRUE;
        case LVM_GETTEXTCOLOR:
            return static_cast<LRESULT>(s.textColor);
        case LVM_SETTEXTCOLOR:
            s.textColor = static_cast<COLORREF>(lParam);
            Invalidate(hwnd);
            return TRUE;
        case LVM_GETTEXTBKCOLOR:
            return static_cast<LRESULT>(s.textBkColor);
        case LVM_SETTEXTBKCOLOR:
            s.textBkColor = static_cast<COLORREF>(lParam);
            Invalidate(hwnd);
            return TRUE;
        case LVM_GETIMAGELIST: {
            HIMAGELIST* slot = ImageListSlot(s, wParam);
            return slot ? reinterpret_cast<LRESULT>(*slot) : 0;
        }
        case LVM_SETIMAGELIST: {
            HIMAGELIST* slot = ImageListSlot(s, wParam);
            if (!slot)
                return 0;
            HIMAGELIST old = *slot;
            *slot = reinterpret_cast<HIMAGELIST>(lParam);
            s.Layout();
            Invalidate(hwnd);
            return reinterpret_cast<LRESULT>(old);
        }
        case LVM_GETITEMCOUNT:
            return s.Count();
        case LVM_GETITEM:
            return s.GetItem(reinterpret_cast<LVITEM*>(lParam));
        case LVM_SETITEM: {
            auto* item = reinterpret_cast<const LVITEM*>(lParam);
            return item && s.SetItem(*item);
        }
        case LVM_INSERTITEM: {
            auto* item = reinterpret_cast<const LVITEM*>(lParam);
            return item ? s.InsertItem(*item) : -1;
        }
        case LVM_DELETEITEM:
            return s.DeleteItem(i);
        case LVM_DELETEALLITEMS:
            return s.DeleteAllItems();
        case LVM_GETNEXTITEM:
            return s.GetNextItem(i, static_cast<UINT>(LOWORD(lParam)));
        case LVM_GETITEMRECT: {
            auto* rc = reinterpret_cast<RECT*>(lParam);
            return rc && s.GetItemRect(i, rc->left, rc);
        }
        case LVM_GETSUBITEMRECT: {
            auto* rc = reinterpret_cast<RECT*>(lParam);
            return rc && s.GetSubItemRect(i, rc->top, rc->left, rc);
        }
        case LVM_GETSTRINGWIDTH:
            return TextWidth(s.Font(), TextArg(reinterpret_cast<LPCSTR>(lParam)));
        case LVM_HITTEST:
            return s.HitTest(reinterpret_cast<LVHITTESTINFO*>(lParam), false);
        case LVM_SUBITEMHITTEST:
            return s.HitTest(reinterpret_cast<LVHITTESTINFO*>(lParam), true);
        case LVM_ENSUREVISIBLE:
            return s.EnsureVisible(i, lParam != 0);
        case LVM_SCROLL: {
            const int h = s.ItemHeight();
            const int dy = static_cast<int>(lParam);
            // Partial rows round away from zero, so any vertical request moves.
            const int rows = dy >= 0 ? (dy + h - 1) / h : -((-dy + h - 1) / h);
            s.ScrollBy(rows, static_cast<int>(static_cast<INT_PTR>(wParam)));
            return TRUE;
        }
        case LVM_REDRAWITEMS:
        case LVM_UPDATE:
            Invalidate(hwnd);
            return TRUE;
        case LVM_GETCOLUMN:
            return s.GetColumn(i, reinterpret_cast<LVCOLUMN*>(lParam));
        case LVM_SETCOLUMN: {
            auto* col = reinterpret_cast<const LVCOLUMN*>(lParam);
            return col && s.SetColumn(i, *col);
        }
        case LVM_INSERTCOLUMN: {
            auto* col = reinterpret_cast<const LVCOLUMN*>(lParam);
            return col ? s.InsertColumn(i, *col) : -1;
        }
        case LVM_DELETECOLUMN:
            return s.DeleteColumn(i);
        case LVM_GETCOLUMNWIDTH:
            return s.ColumnWidth(i);
        case LVM_SETCOLUMNWIDTH:
            return s.SetColumnWidth(i, static_cast<SHORT>(LOWORD(lParam)));
        case LVM_GETHEADER:
            return reinterpret_cast<LRESULT>(s.header());
        case LVM_GETVIEWRECT: {
            auto* rc = reinterpret_cast<RECT*>(lParam);
            if (!rc)
                return FALSE;
            *rc = RECT{-s.ScrollX(), 0, s.ColumnsWidth() - s.ScrollX(), s.Count() * s.ItemHeight()};
            return TRUE;
        }
        case LVM_GETTOPINDEX:
            return s.TopIndex();
        case LVM_GETCOUNTPERPAGE:
            return s.CountPerPage();
        case LVM_GETORIGIN: {
            auto* pt = reinterpret_cast<POINT*>(lParam);
            if (!pt)
                return FALSE;
            *pt = POINT{s.ScrollX(), s.TopIndex() * s.ItemHeight()};
            return TRUE;
        }
        case LVM_SETITEMSTATE: {
            auto* item = reinterpret_cast<const LVITEM*>(lParam);
            return item && s.SetItemState(i, item->state, item->stateMask);
        }
        case LVM_GETITEMSTATE:
            return s.GetItemState(i, static_cast<UINT>(lParam));
        case LVM_GETITEMTEXT:
            return s.GetItemText(i, reinterpret_cast<LVITEM*>(lParam));
        case LVM_SETITEMTEXT: {
            auto* item = reinterpret_cast<const LVITEM*>(lParam);
            return item && s.SetItemText(i, item->iSubItem, item->pszText);
        }
        case LVM_SORTITEMS:
            return s.Sort(reinterpret_cast<PFNLVCOMPARE>(lParam), static_cast<LPARAM>(wParam));
        case LVM_GETSELECTEDCOUNT:
            return s.SelectedCount();
        case LVM_SETEXTENDEDLISTVIEWSTYLE: {
            const DWORD old = s.exStyle;
            const DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
            s.exStyle = (old & ~mask) | (static_cast<DWORD>(lParam) & mask);
            s.Layout();
            Invalidate(hwnd);
            return static_cast<LRESULT>(old);
        }
        case LVM_GETEXTENDEDLISTVIEWSTYLE:
            return static_cast<LRESULT>(s.exStyle);
        case LVM_GETSELECTIONMARK:
            return s.selectionMark;
        case LVM_SETSELECTIONMARK: {
            const int old = s.selectionMark;
            s.selectionMark = static_cast<int>(lParam);
            return old;
        }
        default: {
            LRESULT result = 0;
            if (HandleListViewInput(s, message, wParam, lParam, &result))
                return result;
            break;
        }
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace

LRESULT ListViewWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return StatefulControlProc<ListViewState, &HandleListMessage>(hwnd, message, wParam, lParam);
}

}  // namespace kq::ui::commctrl
