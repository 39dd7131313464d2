#include <algorithm>
#include <cstring>

#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/TreeState.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"

namespace kq::ui::commctrl {
namespace {

LRESULT SetColor(TreeState& s, COLORREF& slot, LPARAM value) {
    const COLORREF old = slot;
    slot = static_cast<COLORREF>(value);
    Invalidate(s.hwnd());
    return static_cast<LRESULT>(old == CLR_NONE ? static_cast<COLORREF>(-1) : old);
}

// The tree's own tip shows the full text of an item that the window cuts off.
void CreateToolTip(TreeState& s) {
    if (s.Style() & TVS_NOTOOLTIPS)
        return;
    HWND hwnd = s.hwnd();
    s.toolTip = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP, 0, 0, 0, 0, hwnd,
                               nullptr, nullptr, nullptr);
    if (!s.toolTip)
        return;
    TOOLINFO ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = hwnd;
    ti.uId = reinterpret_cast<UINT_PTR>(hwnd);
    ti.lpszText = LPSTR_TEXTCALLBACK;
    SendMessage(s.toolTip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    SendSimpleNotify(hwnd, NM_TOOLTIPSCREATED);
}

void AnswerTipText(TreeState& s, NMTTDISPINFO* info) {
    info->szText[0] = '\0';
    info->lpszText = info->szText;
    POINT pt{};
    GetCursorPos(&pt);
    ScreenToClient(s.hwnd(), &pt);
    TVHITTESTINFO hit{pt, 0, nullptr};
    TreeState::Node* node = s.NodeOf(s.HitTest(&hit));
    if (!node || !(hit.flags & TVHT_ONITEM))
        return;
    if (s.TextRect(node).right > s.Client().right)
        CopyText(s.Text(node), info->szText, sizeof info->szText);
}

LRESULT HandleTreeMessage(TreeState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = s.hwnd();
    auto item = reinterpret_cast<HTREEITEM>(lParam);
    switch (message) {
        case WM_CREATE:
            CreateToolTip(s);
            return 0;
        case WM_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(lParam);
            if (hdr && hdr->hwndFrom == s.toolTip && hdr->code == TTN_GETDISPINFO)
                AnswerTipText(s, reinterpret_cast<NMTTDISPINFO*>(hdr));
            return 0;
        }
        case WM_SIZE:
            s.Changed();
            return 0;
        case WM_STYLECHANGED:
            s.Changed();
            return 0;
        case WM_SETFONT:
            s.font = reinterpret_cast<HFONT>(wParam);
            s.FontChanged();
            s.Changed();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(s.font);
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintWith(hwnd, wParam, [&](HDC dc) { PaintTree(s, dc, s.Client()); });
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_DESTROY:
            s.Delete(TVI_ROOT);
            if (s.toolTip && IsWindow(s.toolTip))
                DestroyWindow(s.toolTip);
            s.toolTip = nullptr;
            return 0;

        case TVM_INSERTITEM: {
            auto* in = reinterpret_cast<const TVINSERTSTRUCT*>(lParam);
            return in ? reinterpret_cast<LRESULT>(s.Insert(*in)) : 0;
        }
        case TVM_DELETEITEM:
            return s.Delete(item);
        case TVM_EXPAND:
            return s.Expand(s.NodeOf(item), static_cast<UINT>(wParam), false);
        case TVM_GETITEMRECT: {
            auto* rc = reinterpret_cast<RECT*>(lParam);
            if (!rc)
                return FALSE;
            // The item handle comes in the rectangle's first bytes.
            HTREEITEM target = nullptr;
            std::memcpy(&target, rc, sizeof target);
            return s.GetItemRect(s.NodeOf(target), wParam != 0, rc);
        }
        case TVM_GETCOUNT:
            return s.Count();
        case TVM_GETINDENT:
            return s.indent;
        case TVM_SETINDENT:
            s.indent = std::max(static_cast<int>(wParam), 1);
            s.Changed();
            return 0;
        case TVM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(wParam == TVSIL_STATE ? s.stateImages : s.images);
        case TVM_SETIMAGELIST: {
            HIMAGELIST& slot = wParam == TVSIL_STATE ? s.stateImages : s.images;
            HIMAGELIST old = slot;
            slot = reinterpret_cast<HIMAGELIST>(lParam);
            s.Changed();
            return reinterpret_cast<LRESULT>(old);
        }
        case TVM_GETNEXTITEM:
            return reinterpret_cast<LRESULT>(s.GetNext(item, static_cast<UINT>(wParam)));
        case TVM_SELECTITEM: {
            TreeState::Node* node = s.NodeOf(item);
            if (item && !node)
                return FALSE;
            switch (wParam) {
                case TVGN_CARET:
                    return s.Select(node, TVC_UNKNOWN);
                case TVGN_DROPHILITE:
                    s.dropHilite = node;
                    Invalidate(hwnd);
                    return TRUE;
                case TVGN_FIRSTVISIBLE:
                    if (!node || !s.EnsureVisible(node))
                        return FALSE;
                    s.SetTop(s.RowOf(node));
                    return TRUE;
                default:
                    return FALSE;
            }
        }
        case TVM_GETITEM: {
            auto* tv = reinterpret_cast<TVITEMEX*>(lParam);
            return s.GetItem(tv);
        }
        case TVM_SETITEM: {
            auto* tv = reinterpret_cast<const TVITEMEX*>(lParam);
            return tv && s.SetItem(*tv);
        }
        case TVM_GETITEMSTATE: {
            const TreeState::Node* node = s.NodeOf(reinterpret_cast<HTREEITEM>(wParam));
            return node ? (node->state & static_cast<UINT>(lParam)) : 0;
        }
        case TVM_GETVISIBLECOUNT:
            return s.VisibleCount();
        case TVM_HITTEST:
            return reinterpret_cast<LRESULT>(s.HitTest(reinterpret_cast<TVHITTESTINFO*>(lParam)));
        case TVM_ENSUREVISIBLE:
            return s.EnsureVisible(s.NodeOf(item));
        case TVM_GETTOOLTIPS:
            return reinterpret_cast<LRESULT>(s.toolTip);
        case TVM_SETTOOLTIPS: {
            HWND old = s.toolTip;
            s.toolTip = reinterpret_cast<HWND>(wParam);
            return reinterpret_cast<LRESULT>(old);
        }
        case TVM_SETITEMHEIGHT: {
            const int old = s.ItemHeight();
            s.itemHeight = static_cast<int>(static_cast<INT_PTR>(wParam));
            s.Changed();
            return old;
        }
        case TVM_GETITEMHEIGHT:
            return s.ItemHeight();
        case TVM_SETBKCOLOR:
            return SetColor(s, s.bkColor, lParam);
        case TVM_GETBKCOLOR:
            return static_cast<LRESULT>(s.bkColor);
        case TVM_SETTEXTCOLOR:
            return SetColor(s, s.textColor, lParam);
        case TVM_GETTEXTCOLOR:
            return static_cast<LRESULT>(s.textColor);
        case TVM_SETLINECOLOR:
            return SetColor(s, s.lineColor, lParam);
        case TVM_GETLINECOLOR:
            return static_cast<LRESULT>(s.lineColor);
        default: {
            LRESULT result = 0;
            if (HandleTreeInput(s, message, wParam, lParam, &result))
                return result;
            break;
        }
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace

LRESULT TreeWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return StatefulControlProc<TreeState, &HandleTreeMessage>(hwnd, message, wParam, lParam);
}

}  // namespace kq::ui::commctrl
