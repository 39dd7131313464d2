// The header control's state: its items in index order with their display order, geometry,
// hit testing, and the item changes that notify the parent.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/commctrl/CommCtrl.h"

namespace kq::ui::commctrl {

class HeaderState {
  public:
    // Space between an item's edge, its image, bitmap and text.
    static constexpr int kSpacing = 6;
    // Half the width of the zone around a divider that grabs it.
    static constexpr int kDividerGrip = 4;

    struct Item {
        std::string text;
        bool textCallback = false;
        int width = 0;
        int fmt = HDF_LEFT | HDF_STRING;
        HBITMAP bitmap = nullptr;
        int image = 0;
        LPARAM lParam = 0;
    };

    explicit HeaderState(HWND hwnd) : hwnd_(hwnd) {}

    int Count() const { return static_cast<int>(items_.size()); }
    const Item& ItemAt(int index) const { return items_[static_cast<size_t>(index)]; }
    // Index of the item shown at display position `order`, -1 when out of range.
    int OrderToIndex(int order) const;
    int IndexToOrder(int index) const;

    int Insert(int index, const HDITEM& item);
    bool Delete(int index);
    bool Get(int index, HDITEM* item) const;
    // Applies the fields of `item`; with `notify` the parent may refuse (HDN_ITEMCHANGING)
    // and hears of the change (HDN_ITEMCHANGED).
    bool Set(int index, const HDITEM& item, bool notify);
    bool GetOrder(int count, int* order) const;
    bool SetOrder(int count, const int* order);

    RECT ItemRect(int index) const;
    int Height() const;
    // HHT_ flags in *flags; the item index or -1.
    int HitTest(POINT pt, UINT* flags) const;
    // Width that shows the item's text, image and bitmap in full.
    int IdealWidth(int index) const;

    HFONT font = nullptr;
    HIMAGELIST images = nullptr;

    // Divider tracking and button pressing by the mouse.
    int trackItem = -1;
    int trackOffset = 0;  // cursor x minus the item's right edge when tracking began
    int trackStartWidth = 0;
    int pressedItem = -1;
    bool pressedInside = false;

    HWND hwnd() const { return hwnd_; }
    HFONT Font() const;

  private:
    LRESULT Notify(UINT code, int index, HDITEM* item, int button = 0) const;

    HWND hwnd_;
    std::vector<Item> items_;
    std::vector<int> order_;  // order_[position] = item index
};

// Paints the header into a DC (client coordinates).
void PaintHeader(const HeaderState& state, HDC hdc, const RECT& clip);
// An HDF_OWNERDRAW item: the parent draws it on WM_DRAWITEM.
void DrawOwnerDrawnHeaderItem(const HeaderState& state, HDC hdc, int index, const RECT& rc,
                              bool pressed);

LRESULT HeaderWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kq::ui::commctrl
