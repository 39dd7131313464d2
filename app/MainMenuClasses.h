// The main frame's owner-drawn menu and its navigation tree control, named once here so that the
// frame's code reads the same whichever classes provide them.
#pragma once

#include <span>

#include "controls/MyTreeCtrl.h"
#include "controls/menu/BCMenu.h"
#include "platform/framework/Framework.h"

using MainMenu = BCMenu;
using NavigationTree = CMyTreeCtrl;

// Frees what the menu class keeps for all its menus (called once at the program's end).
inline void ReleaseMenuClassResources() {
    BCMenu::ReleaseClassResources();
}

// The icon (index in the frame's image list) an item of the owner-drawn menu shows.
struct MenuIcon {
    UINT command;
    int icon;
};
inline void SetMenuItemIcons(MainMenu& menu, CImageList& images, std::span<const MenuIcon> icons) {
    for (const MenuIcon& icon : icons)
        menu.ModifyOwnerDrawItemA(nullptr, icon.command, &images, icon.icon);
}
