// The menus behind the HMENU handles: each menu is a list of items; handles are numbers handed
// out once, so a destroyed menu's handle never names another menu.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/framework/menu/WinMenu.h"

namespace kq::fw::menu {

struct MenuItem {
    UINT type = MFT_STRING;  // MFT_ bits
    UINT state = 0;          // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_HILITE, MF_DEFAULT
    UINT id = 0;
    HMENU subMenu = nullptr;
    std::string text;
    HBITMAP bitmap = nullptr;  // MFT_BITMAP
    ULONG_PTR data = 0;        // owner-drawn items' data
    HBITMAP checkedBitmap = nullptr;
    HBITMAP uncheckedBitmap = nullptr;

    bool IsSeparator() const { return (type & MFT_SEPARATOR) != 0; }
    bool IsPopup() const { return subMenu != nullptr; }
    // The MF_ flags GetMenuState reports.
    UINT Flags() const;
};

struct Menu {
    bool popup = false;
    std::vector<MenuItem> items;
};

// A found item: its menu and position.
struct ItemRef {
    Menu* menu = nullptr;
    HMENU handle = nullptr;
    size_t position = 0;
    MenuItem& Item() const { return menu->items[position]; }
};

// The lock every menu function holds while it reads or changes menus.
std::recursive_mutex& MenuLock();
HMENU NewMenu(bool popup);
Menu* Find(HMENU handle);
// Forgets the menu and, when destroyNested, its sub-menus too.
bool Erase(HMENU handle, bool destroyNested);
// The item by position or by command (depth first into sub-menus; a pop-up item also answers to
// its sub-menu's handle value as its command).
bool Locate(HMENU handle, UINT item, bool byPosition, ItemRef& found);
// Fills an item from the MF_ flags and arguments of AppendMenu, InsertMenu and ModifyMenu.
MenuItem ItemFromFlags(UINT flags, UINT_PTR idNewItem, LPCSTR newItem);

}  // namespace kq::fw::menu
