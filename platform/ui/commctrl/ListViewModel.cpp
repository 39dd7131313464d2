#include <algorithm>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/HeaderState.h"
#include "platform/ui/commctrl/ListViewState.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"

namespace kq::ui::commctrl {

ListViewState::ListViewState(HWND hwnd)
    : bkColor(GetSysColor(COLOR_WINDOW)),
      textColor(GetSysColor(COLOR_WINDOWTEXT)),
      textBkColor(GetSysColor(COLOR_WINDOW)),
      hwnd_(hwnd) {}

DWORD ListViewState::Style() const {
    return static_cast<DWORD>(GetWindowLong(hwnd_, GWL_STYLE));
}

HFONT ListViewState::Font() const {
    return font ? font : DefaultControlFont();
}

HeaderState* ListViewState::Header() const {
    return header_ ? Control<HeaderState>(header_) : nullptr;
}

bool ListViewState::CreateHeader() {
    const DWORD style = Style();
    DWORD headerStyle = WS_CHILD | HDS_HORZ;
    if (!(style & LVS_NOSORTHEADER))
        headerStyle |= HDS_BUTTONS;
    if (!(style & LVS_NOCOLUMNHEADER))
        headerStyle |= WS_VISIBLE;
    else
        headerStyle |= HDS_HIDDEN;
    header_ =
        CreateWindowEx(0, WC_HEADER, "", headerStyle, 0, 0, 0, 0, hwnd_, nullptr, nullptr, nullptr);
    Layout();
    return header_ != nullptr;
}

// --- columns ---

int ListViewState::InsertColumn(int index, const LVCOLUMN& col) {
    HeaderState* header = Header();
    if (!header || index < 0)
        return -1;
    index = std::min(index, ColumnCount());
    Column column;
    if (col.mask & LVCF_FMT)
        column.fmt = col.fmt;
    // The leftmost column is inserted left-aligned whatever it asks for; LVM_SETCOLUMN can
    // align it afterwards.
    if (index == 0)
        column.fmt &= ~LVCFMT_JUSTIFYMASK;
    column.subItem = (col.mask & LVCF_SUBITEM) ? col.iSubItem : index;
    if (col.mask & LVCF_IMAGE)
        column.image = col.iImage;
    HDITEM hd{};
    hd.mask = HDI_FORMAT | HDI_WIDTH;
    hd.fmt = HDF_STRING | (column.fmt & LVCFMT_JUSTIFYMASK);
    hd.cxy = (col.mask & LVCF_WIDTH) ? col.cx : 0;
    if (col.mask & LVCF_TEXT) {
        hd.mask |= HDI_TEXT;
        hd.pszText = col.pszText;
    }
    if ((col.mask & LVCF_IMAGE) && (column.fmt & LVCFMT_IMAGE)) {
        hd.mask |= HDI_IMAGE;
        hd.fmt |= HDF_IMAGE;
        hd.iImage = col.iImage;
    }
    if (col.mask & LVCF_ORDER) {
        hd.mask |= HDI_ORDER;
        hd.iOrder = col.iOrder;
    }
    header->Insert(index, hd);
    columns_.insert(columns_.begin() + index, column);
    Layout();
    Invalidate(hwnd_);
    return index;
}

bool ListViewState::DeleteColumn(int index) {
    HeaderState* header = Header();
    if (!header || index < 0 || index >= ColumnCount())
        return false;
    header->Delete(index);
    columns_.erase(columns_.begin() + index);
    Layout();
    Invalidate(hwnd_);
    return true;
}

bool ListViewState::GetColumn(int index, LVCOLUMN* col) const {
    HeaderState* header = Header();
    if (!col || !header || index < 0 || index >= ColumnCount())
        return false;
    const Column& column = ColumnAt(index);
    if (col->mask & LVCF_FMT)
        col->fmt = column.fmt;
    if (col->mask & LVCF_WIDTH)
        col->cx = header->ItemAt(index).width;
    if (col->mask & LVCF_TEXT)
        CopyText(header->ItemAt(index).text, col->pszText, col->cchTextMax);
    if (col->mask & LVCF_SUBITEM)
        col->iSubItem = column.subItem;
    if (col->mask & LVCF_IMAGE)
        col->iImage = column.image;
    if (col->mask & LVCF_ORDER)
        col->iOrder = header->IndexToOrder(index);
    return true;
}

bool ListViewState::SetColumn(int index, const LVCOLUMN& col) {
    HeaderState* header = Header();
    if (!header || index < 0 || index >= ColumnCount())
        return false;
    Column& column = columns_[static_cast<size_t>(index)];
    HDITEM hd{};
    if (col.mask & LVCF_FMT) {
        column.fmt = col.fmt;
        hd.mask |= HDI_FORMAT;
        hd.fmt = HDF_STRING | (col.fmt & LVCFMT_JUSTIFYMASK) |
                 ((col.fmt & LVCFMT_IMAGE) ? HDF_IMAGE : 0);
    }
    if (col.mask & LVCF_WIDTH) {
        hd.mask |= HDI_WIDTH;
        hd.cxy = col.cx;
    }
    if (col.mask & LVCF_TEXT) {
        hd.mask |= HDI_TEXT;
        hd.pszText = col.pszText;
    }
    if (col.mask & LVCF_SUBITEM)
        column.subItem = col.iSubItem;
    if (col.mask & LVCF_IMAGE) {
        column.image = col.iImage;
        hd.mask |= HDI_IMAGE;
        hd.iImage = col.iImage;
    }
    if (col.mask & LVCF_ORDER) {
        hd.mask |= HDI_ORDER;
        hd.iOrder = col.iOrder;
    }
    const bool done = hd.mask == 0 || header->Set(index, hd, true);
    Layout();
    Invalidate(hwnd_);
    return done;
}

int ListViewState::ColumnWidth(int index) const {
    HeaderState* header = Header();
    if (!header || index < 0 || index >= ColumnCount())
        return 0;
    return header->ItemAt(index).width;
}

bool ListViewState::SetColumnWidth(int index, int width) {
    HeaderState* header = Header();
    if (!header || index < 0 || index >= ColumnCount())
        return false;
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER)
        width = IdealColumnWidth(index, width == LVSCW_AUTOSIZE_USEHEADER);
    HDITEM hd{};
    hd.mask = HDI_WIDTH;
    hd.cxy = std::max(0, width);
    const bool done = header->Set(index, hd, true);
    Layout();
    Invalidate(hwnd_);
    return done;
}

int ListViewState::IdealColumnWidth(int column, bool useHeader) const {
    const HFONT f = Font();
    const bool first = column == 0;
    const int subItem = ColumnAt(column).subItem;
    int width = 0;
    for (int i = 0; i < Count(); ++i)
        width = std::max(width, TextWidth(f, Text(i, subItem)));
    width += first ? 2 * kFirstTextInset : 2 * kTextInset;
    int cx = 0, cy = 0;
    if (first && smallImages && ImageList_GetIconSize(smallImages, &cx, &cy))
        width += cx + kFirstTextInset;
    if (const HeaderState* header = useHeader ? Header() : nullptr) {
        width = std::max(width, header->IdealWidth(column));
        // The last column takes the rest of the window.
        if (header->IndexToOrder(column) == ColumnCount() - 1) {
            const RECT span = ColumnSpan(column);
            const RECT client = Client();
            width = std::max<int>(width, client.right - (span.left + scrollX_));
        }
    }
    return width;
}

// --- items ---

int ListViewState::InsertItem(const LVITEM& in) {
    if (in.iSubItem != 0 || in.iItem < 0)
        return -1;
    Item item;
    item.texts.resize(1);
    item.textCallback.resize(1, false);
    if (in.mask & LVIF_TEXT) {
        item.textCallback[0] = in.pszText == LPSTR_TEXTCALLBACK;
        if (!item.textCallback[0])
            item.texts[0] = TextArg(in.pszText);
    }
    if (in.mask & LVIF_IMAGE)
        item.image = in.iImage;
    if (in.mask & LVIF_PARAM)
        item.lParam = in.lParam;
    if (in.mask & LVIF_INDENT)
        item.indent = in.iIndent;
    const UINT initialState = (in.mask & LVIF_STATE) ? (in.state & in.stateMask) : 0;
    int index = std::min(in.iItem, Count());
    const DWORD style = Style();
    if (style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) {
        const bool ascending = style & LVS_SORTASCENDING;
        index = 0;
        while (index < Count()) {
            const int cmp = ItemAt(index).texts[0].compare(item.texts[0]);
            if (ascending ? cmp > 0 : cmp < 0)
                break;
            ++index;
        }
    }
    items_.insert(items_.begin() + index, std::move(item));
    if (selectionMark >= index)
        ++selectionMark;
    NotifyChange(LVN_INSERTITEM, index, 0, 0, 0);
    if (initialState && Valid(index))
        SetItemState(index, initialState, initialState);
    Layout();
    Invalidate(hwnd_);
    return index;
}

bool ListViewState::DeleteItem(int i) {
    if (!Valid(i))
        return false;
    NotifyChange(LVN_DELETEITEM, i, 0, 0, 0);
    if (!Valid(i))
        return false;
    items_.erase(items_.begin() + i);
    if (selectionMark == i)
        selectionMark = -1;
    else if (selectionMark > i)
        --selectionMark;
    Layout();
    Invalidate(hwnd_);
    return true;
}

bool ListViewState::DeleteAllItems() {
    if (items_.empty())
        return true;
    // A parent that answers TRUE does not want LVN_DELETEITEM for every item.
    const bool quiet = NotifyChange(LVN_DELETEALLITEMS, -1, 0, 0, 0) != 0;
    if (!quiet) {
        for (int i = 0; i < Count(); ++i)
            NotifyChange(LVN_DELETEITEM, i, 0, 0, 0);
    }
    items_.clear();
    selectionMark = -1;
    top_ = 0;
    Layout();
    Invalidate(hwnd_);
    return true;
}

std::string ListViewState::Text(int i, int subItem) const {
    if (!Valid(i) || subItem < 0)
        return {};
    const Item& item = ItemAt(i);
    const auto s = static_cast<size_t>(subItem);
    if (s >= item.texts.size())
        return {};
    if (item.textCallback[s]) {
        char buffer[260] = {};
        NMLVDISPINFO info{};
        info.item.mask = LVIF_TEXT;
        info.item.iItem = i;
        info.item.iSubItem = subItem;
        info.item.lParam = item.lParam;
        info.item.pszText = buffer;
        info.item.cchTextMax = sizeof buffer;
        SendNotify(hwnd_, LVN_GETDISPINFO, &info.hdr);
        return info.item.pszText && info.item.pszText != LPSTR_TEXTCALLBACK
                   ? std::string(info.item.pszText)
                   : std::string();
    }
    return item.texts[s];
}

bool ListViewState::GetItem(LVITEM* out) const {
    if (!out || !Valid(out->iItem))
        return false;
    const Item& item = ItemAt(out->iItem);
    if (out->mask & LVIF_TEXT)
        CopyText(Text(out->iItem, out->iSubItem), out->pszText, out->cchTextMax);
    if (out->iSubItem != 0)
        return true;
    if (out->mask & LVIF_IMAGE)
        out->iImage = item.image;
    if (out->mask & LVIF_PARAM)
        out->lParam = item.lParam;
    if (out->mask & LVIF_STATE)
        out->state = item.state & out->stateMask;
    if (out->mask & LVIF_INDENT)
        out->iIndent = item.indent;
    return true;
}

bool ListViewState::SetItem(const LVITEM& in) {
    if (!Valid(in.iItem) || in.iSubItem < 0)
        return false;
    if (in.mask & LVIF_TEXT)
        SetItemText(in.iItem, in.iSubItem, in.pszText);
    if (in.iSubItem != 0)
        return true;
    const UINT other = in.mask & (LVIF_IMAGE | LVIF_PARAM | LVIF_INDENT);
    if (other) {
        Item& item = items_[static_cast<size_t>(in.iItem)];
        if (NotifyChange(LVN_ITEMCHANGING, in.iItem, item.state, item.state, other) != 0)
            return false;
        if (!Valid(in.iItem))
            return false;
        Item& target = items_[static_cast<size_t>(in.iItem)];
        if (in.mask & LVIF_IMAGE)
            target.image = in.iImage;
        if (in.mask & LVIF_PARAM)
            target.lParam = in.lParam;
        if (in.mask & LVIF_INDENT)
            target.indent = in.iIndent;
        Invalidate(hwnd_);
        NotifyChange(LVN_ITEMCHANGED, in.iItem, target.state, target.state, other);
    }
    if ((in.mask & LVIF_STATE) && Valid(in.iItem))
        return SetItemState(in.iItem, in.state, in.stateMask);
    return true;
}

int ListViewState::GetItemText(int i, LVITEM* item) const {
    if (!item || !Valid(i))
        return 0;
    return CopyText(Text(i, item->iSubItem), item->pszText, item->cchTextMax);
}

bool ListViewState::SetItemText(int i, int subItem, LPCSTR text) {
    if (!Valid(i) || subItem < 0)
        return false;
    Item& item = items_[static_cast<size_t>(i)];
    const auto s = static_cast<size_t>(subItem);
    if (s >= item.texts.size()) {
        item.texts.resize(s + 1);
        item.textCallback.resize(s + 1, false);
    }
    item.textCallback[s] = text == LPSTR_TEXTCALLBACK;
    item.texts[s] = item.textCallback[s] ? std::string() : TextArg(text);
    RECT row = RowRect(i);
    Invalidate(hwnd_, &row);
    return true;
}

LRESULT ListViewState::NotifyChange(UINT code, int i, UINT newState, UINT oldState,
                                    UINT changed) const {
    NMLISTVIEW nm{};
    nm.iItem = i;
    nm.iSubItem = 0;
    nm.uNewState = newState;
    nm.uOldState = oldState;
    nm.uChanged = changed;
    nm.ptAction = POINT{-1, -1};
    nm.lParam = Valid(i) ? ItemAt(i).lParam : 0;
    return SendNotify(hwnd_, code, &nm.hdr);
}

bool ListViewState::ChangeOne(int i, UINT state, UINT mask) {
    if (!Valid(i))
        return false;
    const UINT old = ItemAt(i).state;
    const UINT next = (old & ~mask) | (state & mask);
    if (next == old)
        return true;
    if (NotifyChange(LVN_ITEMCHANGING, i, next, old, LVIF_STATE) != 0 || !Valid(i))
        return false;
    items_[static_cast<size_t>(i)].state = next;
    RECT row = RowRect(i);
    Invalidate(hwnd_, &row);
    NotifyChange(LVN_ITEMCHANGED, i, next, old, LVIF_STATE);
    return true;
}

bool ListViewState::SetItemState(int i, UINT state, UINT mask) {
    if (i == -1) {
        // One focused item at most: focus is never given to all items.
        const UINT allMask = (state & LVIS_FOCUSED) ? (mask & ~LVIS_FOCUSED) : mask;
        const bool single = (Style() & LVS_SINGLESEL) && (state & allMask & LVIS_SELECTED);
        bool done = true;
        for (int j = 0; j < Count(); ++j)
            done = ChangeOne(j, state, single ? (allMask & ~LVIS_SELECTED) : allMask) && done;
        return done;
    }
    if (!Valid(i))
        return false;
    if (state & mask & LVIS_FOCUSED) {
        const int focused = FocusedItem();
        if (focused >= 0 && focused != i)
            ChangeOne(focused, 0, LVIS_FOCUSED);
    }
    if ((state & mask & LVIS_SELECTED) && (Style() & LVS_SINGLESEL)) {
        for (int j = 0; j < Count(); ++j)
            if (j != i && (ItemAt(j).state & LVIS_SELECTED))
                ChangeOne(j, 0, LVIS_SELECTED);
    }
    return ChangeOne(i, state, mask);
}

UINT ListViewState::GetItemState(int i, UINT mask) const {
    return Valid(i) ? ItemAt(i).state & mask : 0;
}

int ListViewState::GetNextItem(int start, UINT flags) const {
    const UINT want = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
    auto matches = [&](int i) {
        const UINT s = ItemAt(i).state;
        if ((want & LVNI_FOCUSED) && !(s & LVIS_FOCUSED))
            return false;
        if ((want & LVNI_SELECTED) && !(s & LVIS_SELECTED))
            return false;
        if ((want & LVNI_CUT) && !(s & LVIS_CUT))
            return false;
        if ((want & LVNI_DROPHILITED) && !(s & LVIS_DROPHILITED))
            return false;
        return true;
    };
    if (flags & (LVNI_ABOVE | LVNI_TOLEFT)) {
        for (int i = std::min(start, Count()) - 1; i >= 0; --i)
            if (matches(i))
                return i;
        return -1;
    }
    for (int i = std::max(start + 1, 0); i < Count(); ++i)
        if (matches(i))
            return i;
    return -1;
}

int ListViewState::SelectedCount() const {
    return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const Item& item) {
        return (item.state & LVIS_SELECTED) != 0;
    }));
}

int ListViewState::FocusedItem() const {
    for (int i = 0; i < Count(); ++i)
        if (ItemAt(i).state & LVIS_FOCUSED)
            return i;
    return -1;
}

void ListViewState::SelectRange(int first, int last) {
    if (first > last)
        std::swap(first, last);
    for (int i = 0; i < Count(); ++i) {
        const bool inside = i >= first && i <= last;
        ChangeOne(i, inside ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }
}

bool ListViewState::Sort(PFNLVCOMPARE compare, LPARAM data) {
    if (!compare)
        return false;
    const int marked = selectionMark;
    const LPARAM markedParam = Valid(marked) ? ItemAt(marked).lParam : 0;
    // The callback may look at the list; it sees the items in their old order until the end.
    std::vector<Item> sorted = items_;
    std::stable_sort(sorted.begin(), sorted.end(), [&](const Item& a, const Item& b) {
        return compare(a.lParam, b.lParam, data) < 0;
    });
    items_ = std::move(sorted);
    if (Valid(marked)) {
        for (int i = 0; i < Count(); ++i)
            if (ItemAt(i).lParam == markedParam) {
                selectionMark = i;
                break;
            }
    }
    Invalidate(hwnd_);
    return true;
}

}  // namespace kq::ui::commctrl
