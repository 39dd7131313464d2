// The main frame's owner-drawn menu and its navigation tree control, named once here so that the
// frame's code does not depend on which classes provide them.
#pragma once

#include <span>

#include "platform/framework/Framework.h"
#include "platform/framework/commctrl/TreeCtrl.h"

using MainMenu = CMenu;
using NavigationTree = CTreeCtrl;

// Frees what the menu class keeps for all its menus (called once at the program's end).
inline void ReleaseMenuClassResources() {}

// The icon (index in the frame's image list) an item of the owner-drawn menu shows.
struct MenuIcon {
    UINT command;
    int icon;
};
inline void SetMenuItemIcons(MainMenu& menu, CImageList& images, std::span<const MenuIcon> icons) {
    (void)menu;
    (void)images;
    (void)icons;
}
