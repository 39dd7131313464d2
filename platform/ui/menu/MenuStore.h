// The menu objects behind HMENU handles. Handles are never reused, so a destroyed menu's handle
// stays invalid. Every access holds MenuMutex(); pointers are valid only while it is held.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/ui/menu/MenuApi.h"

namespace kq::ui::menu {

struct MenuItem {
    UINT type = MFT_STRING;  // MFT_ flags
    UINT state = 0;          // MFS_ flags
    UINT id = 0;
    HMENU subMenu = nullptr;
    ULONG_PTR data = 0;
    std::string text;
    HBITMAP bitmap = nullptr;
    HBITMAP checkedBitmap = nullptr;
    HBITMAP uncheckedBitmap = nullptr;
    // Owner-drawn items are measured once, until their type changes.
    bool measured = false;
    SIZE measuredSize{};
};

struct MenuObject {
    bool popup = false;
    std::vector<MenuItem> items;
    HWND barWindow = nullptr;  // the window showing this menu as its menu bar
};

std::recursive_mutex& MenuMutex();

// All of the following expect MenuMutex() to be held.
MenuObject* FindMenu(HMENU menu);
HMENU AddMenu(bool popup);
// Forgets the menu and, unless keepSubMenus, destroys its sub-menus too.
bool DestroyMenuObject(HMENU menu);

struct ItemRef {
    MenuObject* menu = nullptr;
    HMENU handle = nullptr;
    int index = -1;
    MenuItem* item() const { return menu ? &menu->items[static_cast<size_t>(index)] : nullptr; }
    explicit operator bool() const { return menu != nullptr; }
};
// By position, or by command: the first item with that id, searched depth-first through the
// sub-menus (a pop-up item also matches by its sub-menu handle).
ItemRef LocateItem(HMENU menu, UINT item, bool byPosition);

// The MF_ state word GetMenuState reports for an item.
UINT StateFlags(const MenuItem& item);

}  // namespace kq::ui::menu
