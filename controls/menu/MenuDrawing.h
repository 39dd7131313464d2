// What the two looks of item painting share: the item's record and state, its image offsets
// and the label/shortcut text painting.
#pragma once

#include "controls/menu/BCMenu.h"

namespace kq::controls::menu {

struct ItemPaint {
    const BCMenuData* record;
    CRect rc;
    bool selected;
    bool disabled;
    bool checked;
    bool separator;
    bool hasImage;
};
ItemPaint DescribeItem(const DRAWITEMSTRUCT& dis);

// The radio bitmap of the item (its checked bitmap), null for a plain check.
HBITMAP RadioBitmapOf(const DRAWITEMSTRUCT& dis);

// Label left, shortcut right-aligned 16 pixels before the right edge, in the DC's font.
void DrawItemText(CDC* dc, const CRect& item, int textLeft, const CString& text, COLORREF color,
                  int offset = 0);

void DrawClassImage(CDC* dc, int index, int x, int y);

}  // namespace kq::controls::menu
