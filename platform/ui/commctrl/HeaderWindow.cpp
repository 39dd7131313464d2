#include <algorithm>

#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/HeaderState.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"

namespace kq::ui::commctrl {
namespace {

constexpr UINT kOdaDrawEntire = 0x0001;
constexpr UINT kOdsSelected = 0x0001;

// The record WM_DRAWITEM carries (DRAWITEMSTRUCT's layout).
struct DrawItemRecord {
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    UINT itemAction;
    UINT itemState;
    HWND hwndItem;
    HDC hDC;
    RECT rcItem;
    ULONG_PTR itemData;
};

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

LRESULT NotifyItem(HeaderState& s, UINT code, int index, HDITEM* item, int button = 0) {
    NMHEADER nm{};
    nm.iItem = index;
    nm.iButton = button;
    nm.pitem = item;
    return SendNotify(s.hwnd(), code, &nm.hdr);
}

void EndTracking(HeaderState& s, bool restore) {
    const int index = s.trackItem;
    if (index < 0)
        return;
    s.trackItem = -1;
    if (restore && index < s.Count()) {
        HDITEM hd{};
        hd.mask = HDI_WIDTH;
        hd.cxy = s.trackStartWidth;
        s.Set(index, hd, true);
    }
    if (GetCapture() == s.hwnd())
        ReleaseCapture();
    if (index < s.Count()) {
        HDITEM hd{};
        hd.mask = HDI_WIDTH;
        hd.cxy = s.ItemAt(index).width;
        NotifyItem(s, HDN_ENDTRACK, index, &hd);
    }
}

void OnButtonDown(HeaderState& s, POINT pt) {
    UINT flags = 0;
    const int index = s.HitTest(pt, &flags);
    if (index < 0)
        return;
    if (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) {
        HDITEM hd{};
        hd.mask = HDI_WIDTH;
        hd.cxy = s.ItemAt(index).width;
        if (NotifyItem(s, HDN_BEGINTRACK, index, &hd) != 0 || index >= s.Count())
            return;
        s.trackItem = index;
        s.trackStartWidth = s.ItemAt(index).width;
        s.trackOffset = pt.x - s.ItemRect(index).right;
        SetCapture(s.hwnd());
    } else if ((flags & HHT_ONHEADER) && (GetWindowLong(s.hwnd(), GWL_STYLE) & HDS_BUTTONS)) {
        s.pressedItem = index;
        s.pressedInside = true;
        SetCapture(s.hwnd());
        Invalidate(s.hwnd());
    }
}

void OnMouseMove(HeaderState& s, POINT pt) {
    if (s.trackItem >= 0) {
        const int index = s.trackItem;
        const int width = std::max(
            0, static_cast<int>(pt.x) - s.trackOffset - static_cast<int>(s.ItemRect(index).left));
        if (width == s.ItemAt(index).width)
            return;
        HDITEM hd{};
        hd.mask = HDI_WIDTH;
        hd.cxy = width;
        if (NotifyItem(s, HDN_TRACK, index, &hd) != 0) {
            EndTracking(s, false);
            return;
        }
        if (s.trackItem == index && index < s.Count())
            s.Set(index, hd, true);
    } else if (s.pressedItem >= 0) {
        RECT r = s.ItemRect(s.pressedItem);
        const bool inside = PtInRect(&r, pt) != 0;
        if (inside != s.pressedInside) {
            s.pressedInside = inside;
            Invalidate(s.hwnd(), &r);
        }
    }
}

void OnButtonUp(HeaderState& s, POINT pt) {
    if (s.trackItem >= 0) {
        OnMouseMove(s, pt);
        EndTracking(s, false);
        return;
    }
    if (s.pressedItem >= 0) {
        const int index = s.pressedItem;
        const bool inside = s.pressedInside;
        s.pressedItem = -1;
        s.pressedInside = false;
        if (GetCapture() == s.hwnd())
            ReleaseCapture();
        Invalidate(s.hwnd());
        if (inside)
            NotifyItem(s, HDN_ITEMCLICK, index, nullptr, 0);
    }
}

void OnDoubleClick(HeaderState& s, POINT pt) {
    UINT flags = 0;
    const int index = s.HitTest(pt, &flags);
    if (index < 0)
        return;
    if (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN))
        NotifyItem(s, HDN_DIVIDERDBLCLICK, index, nullptr);
    else if (flags & HHT_ONHEADER)
        NotifyItem(s, HDN_ITEMDBLCLICK, index, nullptr);
}

void Paint(HeaderState& s, HDC hdc) {
    RECT client{};
    GetClientRect(s.hwnd(), &client);
    if (hdc)
        PaintHeader(s, hdc, client);
}

LRESULT HandleHeaderMessage(HeaderState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = s.hwnd();
    switch (message) {
        case HDM_GETITEMCOUNT:
            return s.Count();
        case HDM_INSERTITEM: {
            auto* item = reinterpret_cast<const HDITEM*>(lParam);
            if (!item)
                return -1;
            const int index = s.Insert(static_cast<int>(wParam), *item);
            Invalidate(hwnd);
            return index;
        }
        case HDM_DELETEITEM: {
            const bool done = s.Delete(static_cast<int>(wParam));
            Invalidate(hwnd);
            return done;
        }
        case HDM_GETITEM:
            return s.Get(static_cast<int>(wParam), reinterpret_cast<HDITEM*>(lParam));
        case HDM_SETITEM: {
            auto* item = reinterpret_cast<const HDITEM*>(lParam);
            return item && s.Set(static_cast<int>(wParam), *item, true);
        }
        case HDM_LAYOUT: {
            auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
            if (!layout || !layout->prc || !layout->pwpos)
                return FALSE;
            const int h = s.Height();
            *layout->pwpos = WINDOWPOS{hwnd,
                                       nullptr,
                                       layout->prc->left,
                                       layout->prc->top,
                                       layout->prc->right - layout->prc->left,
                                       h,
                                       SWP_NOZORDER};
            layout->prc->top += h;
            return TRUE;
        }
        case HDM_HITTEST: {
            auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
            if (!info)
                return -1;
            info->iItem = s.HitTest(info->pt, &info->flags);
            return info->iItem;
        }
        case HDM_GETITEMRECT: {
            auto* rc = reinterpret_cast<RECT*>(lParam);
            const int index = static_cast<int>(wParam);
            if (!rc || index < 0 || index >= s.Count())
                return FALSE;
            *rc = s.ItemRect(index);
            return TRUE;
        }
        case HDM_SETIMAGELIST: {
            HIMAGELIST old = s.images;
            s.images = reinterpret_cast<HIMAGELIST>(lParam);
            Invalidate(hwnd);
            return reinterpret_cast<LRESULT>(old);
        }
        case HDM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(s.images);
        case HDM_ORDERTOINDEX:
            return s.OrderToIndex(static_cast<int>(wParam));
        case HDM_GETORDERARRAY:
            return s.GetOrder(static_cast<int>(wParam), reinterpret_cast<int*>(lParam));
        case HDM_SETORDERARRAY:
            return s.SetOrder(static_cast<int>(wParam), reinterpret_cast<const int*>(lParam));
        case WM_SETFONT:
            s.font = reinterpret_cast<HFONT>(wParam);
            if (lParam)
                Invalidate(hwnd);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(s.font);
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintWith(hwnd, wParam, [&](HDC dc) { Paint(s, dc); });
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
            OnButtonDown(s, PointOf(lParam));
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(s, PointOf(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp(s, PointOf(lParam));
            return 0;
        case WM_LBUTTONDBLCLK:
            OnDoubleClick(s, PointOf(lParam));
            return 0;
        case WM_RBUTTONUP:
            SendSimpleNotify(hwnd, NM_RCLICK);
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE && s.trackItem >= 0)
                EndTracking(s, true);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd) {
                EndTracking(s, false);
                if (s.pressedItem >= 0) {
                    s.pressedItem = -1;
                    s.pressedInside = false;
                    Invalidate(hwnd);
                }
            }
            return 0;
        case WM_SETCURSOR: {
            POINT pt{};
            GetCursorPos(&pt);
            ScreenToClient(hwnd, &pt);
            UINT flags = 0;
            if (s.trackItem >= 0 ||
                (s.HitTest(pt, &flags) >= 0 && (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)))) {
                SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
                return TRUE;
            }
            break;
        }
        default:
            break;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace

void DrawOwnerDrawnHeaderItem(const HeaderState& state, HDC hdc, int index, const RECT& rc,
                              bool pressed) {
    HWND parent = GetParent(state.hwnd());
    if (!parent)
        return;
    DrawItemRecord dis{};
    dis.CtlType = ODT_HEADER;
    dis.CtlID = static_cast<UINT>(GetDlgCtrlID(state.hwnd()));
    dis.itemID = static_cast<UINT>(index);
    dis.itemAction = kOdaDrawEntire;
    dis.itemState = pressed ? kOdsSelected : 0;
    dis.hwndItem = state.hwnd();
    dis.hDC = hdc;
    dis.rcItem = rc;
    dis.itemData = static_cast<ULONG_PTR>(state.ItemAt(index).lParam);
    const int saved = SaveDC(hdc);
    SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    RestoreDC(hdc, saved);
}

LRESULT HeaderWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return StatefulControlProc<HeaderState, &HandleHeaderMessage>(hwnd, message, wParam, lParam);
}

}  // namespace kq::ui::commctrl
