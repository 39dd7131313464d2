// Measuring and painting the items of a pop-up menu window in the classic look.
#pragma once

#include <vector>

#include "platform/ui/menu/MenuStore.h"

namespace kq::ui::menu {

// What a pop-up window shows; the window keeps a pointer to it in GWLP_USERDATA.
struct PopupView {
    HMENU menu = nullptr;
    HWND owner = nullptr;     // gets WM_MEASUREITEM and WM_DRAWITEM
    std::vector<RECT> rects;  // item rectangles in client coordinates, by position
    SIZE size{};              // the window size
    int selected = -1;
};

constexpr int kPopupBorder = 3;

// Lays out the menu's items from top to bottom, measuring owner-drawn items once through
// WM_MEASUREITEM; fills view.rects and view.size.
void LayOutPopup(PopupView& view);
// Paints the whole window; owner-drawn items through WM_DRAWITEM (ODA_DRAWENTIRE).
void PaintPopup(const PopupView& view, HDC hdc);
// Repaints one item after its selection changed (ODA_SELECT for owner-drawn items).
void PaintPopupItem(const PopupView& view, HDC hdc, int index, UINT action);
// The item at a client point, or -1.
int PopupItemAt(const PopupView& view, POINT client);

// The text before the tab, the shortcut text after it, and the mnemonic after '&' (lower case,
// 0 for none).
struct ItemLabel {
    std::string label;
    std::string shortcut;
    char32_t mnemonic = 0;
};
ItemLabel SplitLabel(const std::string& text);
// The label as shown: '&' markers dropped, "&&" as one ampersand.
std::string ShownLabel(const std::string& label);

}  // namespace kq::ui::menu
