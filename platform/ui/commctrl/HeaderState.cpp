#include "platform/ui/commctrl/HeaderState.h"
#include "platform/ui/WinUser.h"

#include <algorithm>

#include "platform/gfx/WinGdi.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"

namespace kq::ui::commctrl {

HFONT HeaderState::Font() const {
    return font ? font : DefaultControlFont();
}

int HeaderState::OrderToIndex(int order) const {
    if (order < 0 || order >= Count())
        return -1;
    return order_[static_cast<size_t>(order)];
}

int HeaderState::IndexToOrder(int index) const {
    auto it = std::find(order_.begin(), order_.end(), index);
    return it == order_.end() ? -1 : static_cast<int>(it - order_.begin());
}

int HeaderState::Insert(int index, const HDITEM& in) {
    index = std::clamp(index, 0, Count());
    Item item;
    if (in.mask & HDI_TEXT) {
        item.textCallback = in.pszText == LPSTR_TEXTCALLBACK;
        if (!item.textCallback)
            item.text = TextArg(in.pszText);
    }
    if (in.mask & HDI_WIDTH)
        item.width = std::max(0, in.cxy);
    if (in.mask & HDI_FORMAT)
        item.fmt = in.fmt;
    if (in.mask & HDI_BITMAP)
        item.bitmap = in.hbm;
    if (in.mask & HDI_IMAGE)
        item.image = in.iImage;
    if (in.mask & HDI_LPARAM)
        item.lParam = in.lParam;
    items_.insert(items_.begin() + index, std::move(item));
    for (int& o : order_)
        if (o >= index)
            ++o;
    int position = index;
    if (in.mask & HDI_ORDER)
        position = std::clamp(in.iOrder, 0, Count() - 1);
    position = std::min(position, static_cast<int>(order_.size()));
    order_.insert(order_.begin() + position, index);
    return index;
}

bool HeaderState::Delete(int index) {
    if (index < 0 || index >= Count())
        return false;
    items_.erase(items_.begin() + index);
    order_.erase(std::find(order_.begin(), order_.end(), index));
    for (int& o : order_)
        if (o > index)
            --o;
    if (trackItem == index)
        trackItem = -1;
    if (pressedItem == index)
        pressedItem = -1;
    return true;
}

bool HeaderState::Get(int index, HDITEM* out) const {
    if (!out || index < 0 || index >= Count())
        return false;
    const Item& item = ItemAt(index);
    if (out->mask & HDI_TEXT) {
        if (item.textCallback)
            out->pszText = LPSTR_TEXTCALLBACK;
        else
            CopyText(item.text, out->pszText, out->cchTextMax);
    }
    if (out->mask & HDI_WIDTH)
        out->cxy = item.width;
    if (out->mask & HDI_FORMAT)
        out->fmt = item.fmt;
    if (out->mask & HDI_BITMAP)
        out->hbm = item.bitmap;
    if (out->mask & HDI_IMAGE)
        out->iImage = item.image;
    if (out->mask & HDI_LPARAM)
        out->lParam = item.lParam;
    if (out->mask & HDI_ORDER)
        out->iOrder = IndexToOrder(index);
    return true;
}

LRESULT HeaderState::Notify(UINT code, int index, HDITEM* item, int button) const {
    NMHEADER nm{};
    nm.iItem = index;
    nm.iButton = button;
    nm.pitem = item;
    return SendNotify(hwnd_, code, &nm.hdr);
}

bool HeaderState::Set(int index, const HDITEM& in, bool notify) {
    if (index < 0 || index >= Count())
        return false;
    HDITEM copy = in;
    if (notify && Notify(HDN_ITEMCHANGING, index, &copy) != 0)
        return false;
    // The parent may have deleted items while it was notified.
    if (index >= Count())
        return false;
    Item& item = items_[static_cast<size_t>(index)];
    if (in.mask & HDI_TEXT) {
        item.textCallback = in.pszText == LPSTR_TEXTCALLBACK;
        item.text = item.textCallback ? std::string() : TextArg(in.pszText);
    }
    if (in.mask & HDI_WIDTH)
        item.width = std::max(0, in.cxy);
    if (in.mask & HDI_FORMAT)
        item.fmt = in.fmt;
    if (in.mask & HDI_BITMAP)
        item.bitmap = in.hbm;
    if (in.mask & HDI_IMAGE)
        item.image = in.iImage;
    if (in.mask & HDI_LPARAM)
        item.lParam = in.lParam;
    if (in.mask & HDI_ORDER) {
        const int position = std::clamp(in.iOrder, 0, Count() - 1);
        order_.erase(std::find(order_.begin(), order_.end(), index));
        order_.insert(order_.begin() + position, index);
    }
    Invalidate(hwnd_);
    if (notify) {
        copy = in;
        Notify(HDN_ITEMCHANGED, index, &copy);
    }
    return true;
}

bool HeaderState::GetOrder(int count, int* order) const {
    if (!order || count != Count())
        return false;
    std::copy(order_.begin(), order_.end(), order);
    return true;
}

bool HeaderState::SetOrder(int count, const int* order) {
    if (!order || count != Count())
        return false;
    std::vector<int> next(order, order + count);
    std::vector<int> sorted = next;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < count; ++i)
        if (sorted[static_cast<size_t>(i)] != i)
            return false;  // not a permutation
    order_ = std::move(next);
    Invalidate(hwnd_);
    return true;
}

RECT HeaderState::ItemRect(int index) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    int x = 0;
    for (int position = 0; position < Count(); ++position) {
        const int i = order_[static_cast<size_t>(position)];
        const int w = items_[static_cast<size_t>(i)].width;
        if (i == index)
            return RECT{x, 0, x + w, client.bottom};
        x += w;
    }
    return RECT{};
}

int HeaderState::Height() const {
    if (GetWindowLong(hwnd_, GWL_STYLE) & HDS_HIDDEN)
        return 0;
    int h = FontHeight(Font()) + 6;
    int cx = 0, cy = 0;
    if (images && ImageList_GetIconSize(images, &cx, &cy))
        h = std::max(h, cy + 4);
    return h;
}

int HeaderState::HitTest(POINT pt, UINT* flags) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    UINT f = 0;
    if (pt.y < 0)
        f |= HHT_ABOVE;
    if (pt.y >= client.bottom)
        f |= HHT_BELOW;
    if (pt.x < 0)
        f |= HHT_TOLEFT;
    if (pt.x >= client.right)
        f |= HHT_TORIGHT;
    if (f) {
        *flags = f;
        return -1;
    }
    // Dividers first: the grip zone reaches a few pixels into both neighbours. Of several
    // dividers in reach (narrow items), the rightmost wins so a closed item can be reopened.
    int x = 0;
    int divider = -1;
    for (int position = 0; position < Count(); ++position) {
        const int i = order_[static_cast<size_t>(position)];
        x += items_[static_cast<size_t>(i)].width;
        if (pt.x >= x - kDividerGrip && pt.x < x + kDividerGrip)
            divider = i;
    }
    if (divider >= 0) {
        *flags = items_[static_cast<size_t>(divider)].width == 0 ? HHT_ONDIVOPEN : HHT_ONDIVIDER;
        return divider;
    }
    for (int i = 0; i < Count(); ++i) {
        RECT r = ItemRect(i);
        if (pt.x >= r.left && pt.x < r.right) {
            *flags = HHT_ONHEADER;
            return i;
        }
    }
    *flags = HHT_NOWHERE;
    return -1;
}

int HeaderState::IdealWidth(int index) const {
    const Item& item = ItemAt(index);
    int w = 2 * kSpacing;
    if (!item.textCallback)
        w += TextWidth(Font(), item.text);
    int cx = 0, cy = 0;
    if ((item.fmt & HDF_IMAGE) && images && ImageList_GetIconSize(images, &cx, &cy))
        w += cx + kSpacing;
    if ((item.fmt & HDF_BITMAP) && item.bitmap) {
        BITMAP bm{};
        if (GetObject(item.bitmap, sizeof bm, &bm))
            w += bm.bmWidth + kSpacing;
    }
    return w;
}

}  // namespace kq::ui::commctrl
