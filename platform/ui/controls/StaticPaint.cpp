// Painting statics in the classic look.
#include <string>

#include "platform/gfx/Icons.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/controls/OwnerDraw.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/controls/detail/ControlPaint.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/controls/detail/StaticState.h"

namespace kq::ui::detail {
namespace {

std::string TextOf(HWND hwnd) {
    const int length = GetWindowTextLength(hwnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowText(hwnd, text.data(), length + 1)));
    return text;
}

UINT TextFormat(DWORD style) {
    UINT format = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
        case SS_CENTER:
            format |= DT_CENTER | DT_WORDBREAK;
            break;
        case SS_RIGHT:
            format |= DT_RIGHT | DT_WORDBREAK;
            break;
        case SS_SIMPLE:
        case SS_LEFTNOWORDWRAP:
            format |= DT_LEFT | DT_SINGLELINE;
            break;
        default:
            format |= DT_LEFT | DT_WORDBREAK;
            break;
    }
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (style & SS_CENTERIMAGE)
        format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    switch (style & SS_ELLIPSISMASK) {
        case SS_ENDELLIPSIS:
            format |= DT_END_ELLIPSIS;
            break;
        case SS_PATHELLIPSIS:
            format |= DT_PATH_ELLIPSIS;
            break;
        case SS_WORDELLIPSIS:
            format |= DT_WORD_ELLIPSIS;
            break;
        default:
            break;
    }
    return format;
}

void PaintImage(HWND hwnd, const StaticState& s, HDC dc) {
    RECT r = StaticImageRect(hwnd);
    if (IsRectEmpty(&r) || !s.image)
        return;
    if (s.imageType == IMAGE_ICON) {
        DrawIconEx(dc, r.left, r.top, static_cast<HICON>(s.image), r.right - r.left,
                   r.bottom - r.top, 0, nullptr, DI_NORMAL);
        return;
    }
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, s.image);
    BITMAP bitmap{};
    // A static that keeps its own size shows the whole picture stretched to it.
    if ((StyleOf(hwnd) & SS_REALSIZECONTROL) &&
        GetObject(s.image, sizeof bitmap, &bitmap) == sizeof bitmap) {
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, mem, 0, 0, bitmap.bmWidth,
                   bitmap.bmHeight, SRCCOPY);
    } else {
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, mem, 0, 0, SRCCOPY);
    }
    SelectObject(mem, old);
    DeleteDC(mem);
}

void FillWithColor(HDC dc, RECT r, int color, bool frameOnly) {
    HBRUSH brush = GetSysColorBrush(color);
    if (frameOnly)
        FrameRect(dc, &r, brush);
    else
        FillRect(dc, &r, brush);
}

}  // namespace

void PaintStatic(HWND hwnd, const StaticState& s, HDC dc) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const DWORD style = StyleOf(hwnd);
    const DWORD type = style & SS_TYPEMASK;
    if (type == SS_OWNERDRAW) {
        const UINT id = static_cast<UINT>(GetDlgCtrlID(hwnd));
        const UINT state = IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED;
        DRAWITEMSTRUCT dis{ODT_STATIC, id, 0, ODA_DRAWENTIRE, state, hwnd, dc, client, 0};
        SendToParent(hwnd, WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&dis));
        return;
    }
    switch (type) {
        case SS_BLACKRECT:
        case SS_BLACKFRAME:
            FillWithColor(dc, client, COLOR_WINDOWFRAME, type == SS_BLACKFRAME);
            return;
        case SS_GRAYRECT:
        case SS_GRAYFRAME:
            FillWithColor(dc, client, COLOR_BTNSHADOW, type == SS_GRAYFRAME);
            return;
        case SS_WHITERECT:
        case SS_WHITEFRAME:
            FillWithColor(dc, client, COLOR_WINDOW, type == SS_WHITEFRAME);
            return;
        case SS_ETCHEDHORZ:
            DrawEdge(dc, &client, EDGE_ETCHED, BF_TOP);
            return;
        case SS_ETCHEDVERT:
            DrawEdge(dc, &client, EDGE_ETCHED, BF_LEFT);
            return;
        case SS_ETCHEDFRAME:
            DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT);
            return;
        default:
            break;
    }
    HBRUSH brush = ControlBackground(hwnd, WM_CTLCOLORSTATIC, dc);
    FillBackground(dc, client, brush);
    RECT inner = client;
    if (style & SS_SUNKEN)
        DrawEdge(dc, &inner, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    if (type == SS_BITMAP || type == SS_ICON) {
        PaintImage(hwnd, s, dc);
        return;
    }
    FontScope font(dc, s.font);
    DrawControlText(dc, TextOf(hwnd), inner, TextFormat(style), IsWindowEnabled(hwnd) != FALSE);
}

}  // namespace kq::ui::detail
