// Makes the default non-client handling draw and track menu bars through this library.
#pragma once

namespace kq::ui::menu {

// Installs the menu-bar hooks of the non-client area, keeping the other hooks; called when a
// menu is created or set, so that any window with a bar is covered.
void InstallMenuBarHooks();

}  // namespace kq::ui::menu
