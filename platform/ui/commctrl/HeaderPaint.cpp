#include <algorithm>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/HeaderState.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"

namespace kq::ui::commctrl {
namespace {

void DrawBitmapAt(HDC hdc, HBITMAP bitmap, int x, int y, int maxWidth) {
    BITMAP bm{};
    if (!GetObject(bitmap, sizeof bm, &bm) || maxWidth <= 0)
        return;
    HDC mem = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(hdc, x, y, std::min<int>(bm.bmWidth, maxWidth), bm.bmHeight, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

void PaintItemContent(const HeaderState& state, HDC hdc, int index, RECT r) {
    const HeaderState::Item& item = state.ItemAt(index);
    r.left += HeaderState::kSpacing;
    r.right -= HeaderState::kSpacing;
    if (r.right <= r.left)
        return;
    int cx = 0, cy = 0;
    if ((item.fmt & HDF_IMAGE) && state.images && item.image >= 0 &&
        ImageList_GetIconSize(state.images, &cx, &cy)) {
        const int y = (r.top + r.bottom - cy) / 2;
        ImageList_DrawEx(state.images, item.image, hdc, r.left, y,
                         std::min<int>(cx, r.right - r.left), cy, CLR_DEFAULT, CLR_NONE,
                         ILD_TRANSPARENT);
        r.left += cx + HeaderState::kSpacing;
    }
    if ((item.fmt & HDF_BITMAP) && item.bitmap) {
        BITMAP bm{};
        if (GetObject(item.bitmap, sizeof bm, &bm) && bm.bmWidth <= r.right - r.left) {
            const int y = (r.top + r.bottom - bm.bmHeight) / 2;
            if (item.fmt & HDF_BITMAP_ON_RIGHT) {
                DrawBitmapAt(hdc, item.bitmap, r.right - bm.bmWidth, y, bm.bmWidth);
                r.right -= bm.bmWidth + HeaderState::kSpacing;
            } else {
                DrawBitmapAt(hdc, item.bitmap, r.left, y, bm.bmWidth);
                r.left += bm.bmWidth + HeaderState::kSpacing;
            }
        }
    }
    if ((item.fmt & HDF_STRING) && !item.textCallback && !item.text.empty() && r.right > r.left) {
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
        if ((item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER)
            format |= DT_CENTER;
        else if ((item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT)
            format |= DT_RIGHT;
        DrawText(hdc, item.text.c_str(), static_cast<int>(item.text.size()), &r, format);
    }
}

}  // namespace

void PaintHeader(const HeaderState& state, HDC hdc, const RECT& clip) {
    RECT client{};
    GetClientRect(state.hwnd(), &client);
    const int saved = SaveDC(hdc);
    IntersectClipRect(hdc, clip.left, clip.top, clip.right, clip.bottom);
    FillRect(hdc, &client, GetSysColorBrush(COLOR_BTNFACE));
    SelectObject(hdc, state.Font());
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));

    int right = 0;
    for (int position = 0; position < state.Count(); ++position) {
        const int index = state.OrderToIndex(position);
        RECT r = state.ItemRect(index);
        right = r.right;
        if (r.right <= r.left)
            continue;
        const bool pressed = state.pressedItem == index && state.pressedInside;
        if (state.ItemAt(index).fmt & HDF_OWNERDRAW) {
            DrawOwnerDrawnHeaderItem(state, hdc, index, r, pressed);
            continue;
        }
        RECT content = r;
        if (pressed) {
            FrameRect(hdc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
            OffsetRect(&content, 1, 1);
        } else {
            RECT edge = r;
            DrawEdge(hdc, &edge, EDGE_RAISED, BF_RECT | BF_SOFT);
        }
        const int inner = SaveDC(hdc);
        IntersectClipRect(hdc, r.left + 2, r.top + 2, r.right - 2, r.bottom - 2);
        PaintItemContent(state, hdc, index, content);
        RestoreDC(hdc, inner);
    }
    // The rest of the bar looks like one more, empty item.
    if (right < client.right) {
        RECT rest{right, 0, client.right, client.bottom};
        DrawEdge(hdc, &rest, EDGE_RAISED, BF_RECT | BF_SOFT);
    }
    RestoreDC(hdc, saved);
}

}  // namespace kq::ui::commctrl
