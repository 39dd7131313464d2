#include <algorithm>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/HeaderState.h"
#include "platform/ui/commctrl/ListViewState.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"
#include "platform/ui/controls/ScrollBar.h"

namespace kq::ui::commctrl {

int ListViewState::ItemHeight() const {
    int h = FontHeight(Font()) + 2;
    int cx = 0, cy = 0;
    if (smallImages && ImageList_GetIconSize(smallImages, &cx, &cy))
        h = std::max(h, cy + 1);
    if (stateImages && ImageList_GetIconSize(stateImages, &cx, &cy))
        h = std::max(h, cy + 1);
    if (exStyle & LVS_EX_GRIDLINES)
        ++h;
    return h;
}

int ListViewState::HeaderHeight() const {
    // The header window can be gone before the list (a wrapper destroyed first): no header then.
    const HeaderState* header = Header();
    if (!header || (GetWindowLong(hwnd_, GWL_STYLE) & LVS_NOCOLUMNHEADER))
        return 0;
    return header->Height();
}

RECT ListViewState::Client() const {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    return rc;
}

int ListViewState::CountPerPage() const {
    const RECT client = Client();
    return std::max(0, static_cast<int>(client.bottom - HeaderHeight()) / ItemHeight());
}

int ListViewState::ColumnsWidth() const {
    int width = 0;
    for (int c = 0; c < ColumnCount(); ++c)
        width += ColumnWidth(c);
    return width;
}

RECT ListViewState::ColumnSpan(int index) const {
    HeaderState* header = Header();
    if (!header || index < 0 || index >= ColumnCount())
        return RECT{};
    // Header item positions start at the header's left edge, which scrolls with the list.
    RECT r = header->ItemRect(index);
    return RECT{r.left - scrollX_, 0, r.right - scrollX_, 0};
}

RECT ListViewState::RowRect(int i) const {
    const int h = ItemHeight();
    const int top = HeaderHeight() + (i - top_) * h;
    return RECT{-scrollX_, top, ColumnsWidth() - scrollX_, top + h};
}

RECT ListViewState::CellRect(int i, int column) const {
    const RECT row = RowRect(i);
    const RECT span = ColumnSpan(column);
    return RECT{span.left, row.top, span.right, row.bottom};
}

namespace {

int IconWidth(HIMAGELIST list) {
    int cx = 0, cy = 0;
    return list && ImageList_GetIconSize(list, &cx, &cy) ? cx : 0;
}

}  // namespace

bool ListViewState::GetItemRect(int i, int code, RECT* rc) const {
    if (!rc || !Valid(i))
        return false;
    const RECT row = RowRect(i);
    // Column 0 may sit anywhere in the display order.
    const RECT first = ColumnCount() > 0 ? CellRect(i, 0) : row;
    const int stateWidth = IconWidth(stateImages);
    const int iconLeft = first.left + stateWidth + ItemAt(i).indent * IconWidth(smallImages);
    const int iconWidth = IconWidth(smallImages);
    RECT icon{iconLeft, row.top, std::min<int>(iconLeft + iconWidth, first.right), row.bottom};
    RECT label{icon.right, row.top, first.right, row.bottom};
    if (label.right < label.left)
        label.right = label.left;
    switch (code) {
        case LVIR_BOUNDS:
            *rc = row;
            return true;
        case LVIR_ICON:
            *rc = icon;
            return true;
        case LVIR_LABEL:
            *rc = label;
            return true;
        case LVIR_SELECTBOUNDS:
            if (exStyle & LVS_EX_FULLROWSELECT)
                *rc = row;
            else
                *rc = RECT{icon.left, row.top, label.right, row.bottom};
            return true;
        default:
            return false;
    }
}

bool ListViewState::GetSubItemRect(int i, int column, int code, RECT* rc) const {
    if (!rc || !Valid(i) || column < 0 || column >= std::max(1, ColumnCount()))
        return false;
    if (column == 0)
        return GetItemRect(i, code, rc);
    const RECT cell = CellRect(i, column);
    switch (code) {
        case LVIR_BOUNDS:
        case LVIR_LABEL:
        case LVIR_SELECTBOUNDS:
            *rc = cell;
            return true;
        case LVIR_ICON: {
            const int w = (exStyle & LVS_EX_SUBITEMIMAGES) ? IconWidth(smallImages) : 0;
            *rc = RECT{cell.left, cell.top, std::min<int>(cell.left + w, cell.right), cell.bottom};
            return true;
        }
        default:
            return false;
    }
}

int ListViewState::HitTest(LVHITTESTINFO* info, bool subItems) const {
    if (!info)
        return -1;
    info->flags = 0;
    info->iItem = -1;
    info->iSubItem = 0;
    const RECT client = Client();
    const POINT pt = info->pt;
    if (pt.y < HeaderHeight() && pt.y >= 0 && pt.x >= 0 && pt.x < client.right) {
        info->flags = LVHT_NOWHERE;
        return -1;
    }
    if (pt.y < 0)
        info->flags |= LVHT_ABOVE;
    if (pt.y >= client.bottom)
        info->flags |= LVHT_BELOW;
    if (pt.x < 0)
        info->flags |= LVHT_TOLEFT;
    if (pt.x >= client.right)
        info->flags |= LVHT_TORIGHT;
    if (info->flags)
        return -1;
    const int row = top_ + (pt.y - HeaderHeight()) / ItemHeight();
    if (!Valid(row)) {
        info->flags = LVHT_NOWHERE;
        return -1;
    }
    int column = -1;
    for (int c = 0; c < ColumnCount(); ++c) {
        const RECT span = ColumnSpan(c);
        if (pt.x >= span.left && pt.x < span.right)
            column = c;
    }
    RECT icon{}, label{}, row_{};
    GetItemRect(row, LVIR_ICON, &icon);
    GetItemRect(row, LVIR_LABEL, &label);
    GetItemRect(row, LVIR_BOUNDS, &row_);
    if (column == 0 || (ColumnCount() == 0 && pt.x < row_.right)) {
        info->flags = pt.x < icon.right
                          ? (pt.x < icon.left ? LVHT_ONITEMSTATEICON : LVHT_ONITEMICON)
                          : LVHT_ONITEMLABEL;
        if (pt.x < icon.left && !stateImages)
            info->flags = LVHT_ONITEMICON;
    } else if (column > 0 && (subItems || (exStyle & LVS_EX_FULLROWSELECT))) {
        info->flags = LVHT_ONITEMLABEL;
    } else {
        info->flags = LVHT_NOWHERE;
        return -1;
    }
    info->iItem = row;
    info->iSubItem = subItems && column >= 0 ? column : 0;
    return row;
}

void ListViewState::SetTop(int top) {
    const int maxTop = std::max(0, Count() - CountPerPage());
    top = std::clamp(top, 0, maxTop);
    if (top != top_) {
        top_ = top;
        UpdateScrollBars();
        Invalidate(hwnd_);
    }
}

void ListViewState::SetScrollX(int x) {
    const RECT client = Client();
    const int maxX = std::max(0, ColumnsWidth() - static_cast<int>(client.right));
    x = std::clamp(x, 0, maxX);
    if (x != scrollX_) {
        scrollX_ = x;
        Layout();
        Invalidate(hwnd_);
    }
}

void ListViewState::ScrollBy(int rows, int dx) {
    SetTop(top_ + rows);
    SetScrollX(scrollX_ + dx);
}

bool ListViewState::EnsureVisible(int i, bool partialOk) {
    if (!Valid(i))
        return false;
    const int perPage = std::max(1, CountPerPage());
    if (i < top_) {
        SetTop(i);
    } else if (i >= top_ + perPage) {
        const RECT row = RowRect(i);
        const bool partlyShown = row.top < Client().bottom;
        if (!(partialOk && partlyShown))
            SetTop(i - perPage + 1);
    }
    return true;
}

void ListViewState::Layout() {
    const RECT client = Client();
    const int maxX = std::max(0, ColumnsWidth() - static_cast<int>(client.right));
    scrollX_ = std::clamp(scrollX_, 0, maxX);
    const int maxTop = std::max(0, Count() - CountPerPage());
    top_ = std::clamp(top_, 0, maxTop);
    if (header_) {
        const int width = std::max<int>(client.right + scrollX_, ColumnsWidth());
        SetWindowPos(header_, nullptr, -scrollX_, 0, width, HeaderHeight(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    UpdateScrollBars();
}

void ListViewState::UpdateScrollBars() {
    if (updatingBars_)
        return;
    updatingBars_ = true;
    FitScrollBars(
        hwnd_,
        [this](const RECT& client) {
            ScrollRanges r;
            if (Style() & LVS_NOSCROLL)
                return r;
            r.vert.nMax = std::max(0, Count() - 1);
            r.vert.nPage = static_cast<UINT>(std::max(1, CountPerPage()));
            r.vert.nPos = top_;
            r.horz.nMax = std::max(0, ColumnsWidth() - 1);
            r.horz.nPage = static_cast<UINT>(std::max<LONG>(1, client.right));
            r.horz.nPos = scrollX_;
            return r;
        },
        [this] { Layout(); });
    updatingBars_ = false;
}

}  // namespace kq::ui::commctrl
