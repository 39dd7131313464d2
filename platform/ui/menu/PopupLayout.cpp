#include "platform/ui/menu/PopupLayout.h"

#include <algorithm>

#include "platform/gfx/ClassicLook.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/menu/MeasureDC.h"

namespace kq::ui::menu {
namespace {

constexpr int kSeparatorHeight = 8;
constexpr int kTextGap = 12;        // between the label and the shortcut column
constexpr char kArrowSymbol = '8';  // the sub-menu arrow of the symbol face

std::vector<MenuItem> Snapshot(HMENU menu) {
    std::lock_guard<std::recursive_mutex> lock(MenuMutex());
    const MenuObject* m = FindMenu(menu);
    return m ? m->items : std::vector<MenuItem>{};
}

// A pop-up item is known to its owner by its sub-menu's handle, a command item by its id.
UINT OwnerItemId(const MenuItem& item) {
    if (item.subMenu)
        return static_cast<UINT>(reinterpret_cast<UINT_PTR>(item.subMenu));
    return item.id;
}

SIZE MeasureOwnerDrawn(HMENU menu, int index, const MenuItem& item, HWND owner) {
    if (item.measured)
        return item.measuredSize;
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, OwnerItemId(item), 0, 0, item.data};
    SendMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    const SIZE size{static_cast<LONG>(mis.itemWidth), static_cast<LONG>(mis.itemHeight)};
    std::lock_guard<std::recursive_mutex> lock(MenuMutex());
    if (MenuObject* m = FindMenu(menu); m && index < static_cast<int>(m->items.size())) {
        MenuItem& live = m->items[static_cast<size_t>(index)];
        live.measured = true;
        live.measuredSize = size;
    }
    return size;
}

UINT DrawState(const MenuItem& item, bool selected) {
    UINT state = 0;
    if (selected)
        state |= ODS_SELECTED;
    if (item.state & MF_GRAYED)
        state |= ODS_GRAYED;
    if (item.state & MF_DISABLED)
        state |= ODS_DISABLED;
    if (item.state & MF_CHECKED)
        state |= ODS_CHECKED;
    if (item.state & MFS_DEFAULT)
        state |= ODS_DEFAULT;
    return state;
}

void DrawOwnerDrawn(const PopupView& view, HDC hdc, int index, const MenuItem& item, UINT action) {
    DRAWITEMSTRUCT dis{ODT_MENU,
                       0,
                       OwnerItemId(item),
                       action,
                       DrawState(item, index == view.selected),
                       reinterpret_cast<HWND>(view.menu),
                       hdc,
                       view.rects[static_cast<size_t>(index)],
                       item.data};
    SendMessage(view.owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
}

// Over the owner's painting the arrow is drawn transparently, in the menu's text colour.
void DrawOwnerDrawnArrow(HDC hdc, const RECT& rc, const MenuItem& item) {
    const int check = GetSystemMetrics(SM_CXMENUCHECK);
    const RECT arrow{rc.right - check, rc.top, rc.right, rc.bottom};
    const int em = std::min(check, static_cast<int>(rc.bottom - rc.top));
    const bool grayed = (item.state & MF_GRAYED) != 0;
    kq::gfx::DrawCenteredSymbol(hdc, arrow, em, kArrowSymbol,
                                GetSysColor(grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT), false);
}

void DrawClassic(const PopupView& view, HDC hdc, int index, const MenuItem& item) {
    RECT rc = view.rects[static_cast<size_t>(index)];
    if (item.type & MFT_SEPARATOR) {
        FillRect(hdc, &rc, GetSysColorBrush(COLOR_MENU));
        RECT line{rc.left, rc.top + (rc.bottom - rc.top) / 2 - 1, rc.right, rc.bottom};
        DrawEdge(hdc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const bool selected = index == view.selected;
    const bool grayed = (item.state & MF_GRAYED) != 0;
    FillRect(hdc, &rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    const COLORREF text = grayed     ? GetSysColor(COLOR_GRAYTEXT)
                          : selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                     : GetSysColor(COLOR_MENUTEXT);
    SetTextColor(hdc, text);
    SetBkMode(hdc, TRANSPARENT);
    const int check = GetSystemMetrics(SM_CXMENUCHECK);
    if (item.state & MF_CHECKED) {
        RECT box{rc.left, rc.top, rc.left + check, rc.bottom};
        DrawFrameControl(hdc, &box, DFC_MENU,
                         (item.type & MFT_RADIOCHECK) ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    }
    const ItemLabel label = SplitLabel(item.text);
    RECT textRc{rc.left + check, rc.top, rc.right - check, rc.bottom};
    DrawText(hdc, label.label.c_str(), static_cast<int>(label.label.size()), &textRc,
             DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (!label.shortcut.empty())
        DrawText(hdc, label.shortcut.c_str(), static_cast<int>(label.shortcut.size()), &textRc,
                 DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    if (item.subMenu) {
        RECT arrow{rc.right - check, rc.top, rc.right, rc.bottom};
        DrawFrameControl(hdc, &arrow, DFC_MENU, DFCS_MENUARROW);
    }
}

}  // namespace

void LayOutPopup(PopupView& view) {
    const std::vector<MenuItem> items = Snapshot(view.menu);
    MeasureDC dc;
    const int check = GetSystemMetrics(SM_CXMENUCHECK);
    const int textHeight = std::max(dc.LineHeight() + 4, GetSystemMetrics(SM_CYMENUCHECK));
    std::vector<SIZE> sizes;
    int labelWidth = 0, shortcutWidth = 0, ownerWidth = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        if (item.type & MFT_OWNERDRAW) {
            SIZE s = MeasureOwnerDrawn(view.menu, static_cast<int>(i), item, view.owner);
            // The check-mark column comes on top of what the owner asks for.
            ownerWidth = std::max<int>(ownerWidth, s.cx + check);
            sizes.push_back(SIZE{0, s.cy});
        } else if (item.type & MFT_SEPARATOR) {
            sizes.push_back(SIZE{0, kSeparatorHeight});
        } else {
            const ItemLabel label = SplitLabel(item.text);
            labelWidth = std::max<int>(labelWidth, dc.Extent(ShownLabel(label.label)).cx);
            if (!label.shortcut.empty())
                shortcutWidth = std::max<int>(shortcutWidth, dc.Extent(label.shortcut).cx);
            sizes.push_back(SIZE{0, textHeight});
        }
    }
    int width = check + labelWidth + (shortcutWidth ? kTextGap + shortcutWidth : 0) + check;
    width = std::max(width, ownerWidth);
    view.rects.clear();
    int y = kPopupBorder;
    for (const SIZE& s : sizes) {
        view.rects.push_back(RECT{kPopupBorder, y, kPopupBorder + width, y + s.cy});
        y += s.cy;
    }
    view.size = SIZE{width + 2 * kPopupBorder, y + kPopupBorder};
}

void PaintPopup(const PopupView& view, HDC hdc) {
    RECT all{0, 0, view.size.cx, view.size.cy};
    FillRect(hdc, &all, GetSysColorBrush(COLOR_MENU));
    DrawEdge(hdc, &all, EDGE_RAISED, BF_RECT);
    for (int i = 0; i < static_cast<int>(view.rects.size()); ++i)
        PaintPopupItem(view, hdc, i, ODA_DRAWENTIRE);
}

void PaintPopupItem(const PopupView& view, HDC hdc, int index, UINT action) {
    const std::vector<MenuItem> items = Snapshot(view.menu);
    if (index < 0 || index >= static_cast<int>(items.size()) ||
        index >= static_cast<int>(view.rects.size()))
        return;
    const MenuItem& item = items[static_cast<size_t>(index)];
    // Items are measured in the menu font and drawn in it, owner-drawn ones included.
    HGDIOBJ oldFont = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    if (item.type & MFT_OWNERDRAW) {
        DrawOwnerDrawn(view, hdc, index, item, action);
        // The owner paints the item; the arrow of a sub-menu stays the menu's own.
        if (item.subMenu)
            DrawOwnerDrawnArrow(hdc, view.rects[static_cast<size_t>(index)], item);
    } else
        DrawClassic(view, hdc, index, item);
    SelectObject(hdc, oldFont);
}

int PopupItemAt(const PopupView& view, POINT client) {
    for (size_t i = 0; i < view.rects.size(); ++i)
        if (PtInRect(&view.rects[i], client))
            return static_cast<int>(i);
    return -1;
}

}  // namespace kq::ui::menu
