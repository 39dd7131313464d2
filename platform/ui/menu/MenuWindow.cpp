// The menus that belong to windows: the menu bar and the window menu.
#include <map>

#include "platform/ui/WinUser.h"
#include "platform/ui/menu/MenuBarHooks.h"
#include "platform/ui/menu/MenuStore.h"

using namespace kq::ui::menu;

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

bool IsTopLevelFrame(HWND hwnd) {
    return IsWindow(hwnd) && !(GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD);
}

std::map<HWND, HMENU>& SystemMenus() {
    static std::map<HWND, HMENU> menus;
    return menus;
}

HMENU BuildSystemMenu() {
    HMENU m = CreatePopupMenu();
    AppendMenu(m, MF_STRING, SC_RESTORE, "&Restore");
    AppendMenu(m, MF_STRING, SC_MOVE, "&Move");
    AppendMenu(m, MF_STRING, SC_SIZE, "&Size");
    AppendMenu(m, MF_STRING, SC_MINIMIZE, "Mi&nimize");
    AppendMenu(m, MF_STRING, SC_MAXIMIZE, "Ma&ximize");
    AppendMenu(m, MF_SEPARATOR, 0, nullptr);
    AppendMenu(m, MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
    return m;
}

}  // namespace

BOOL SetMenu(HWND hwnd, HMENU menu) {
    if (!IsTopLevelFrame(hwnd))
        return FALSE;
    kq::ui::menu::InstallMenuBarHooks();
    {
        Lock lock(MenuMutex());
        if (menu && !FindMenu(menu))
            return FALSE;
        if (MenuObject* old = FindMenu(reinterpret_cast<HMENU>(GetWindowLongPtr(hwnd, GWLP_ID))))
            old->barWindow = nullptr;
        if (MenuObject* m = FindMenu(menu))
            m->barWindow = hwnd;
    }
    SetWindowLongPtr(hwnd, GWLP_ID, reinterpret_cast<LONG_PTR>(menu));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

HMENU GetMenu(HWND hwnd) {
    if (!IsTopLevelFrame(hwnd))
        return nullptr;
    HMENU menu = reinterpret_cast<HMENU>(GetWindowLongPtr(hwnd, GWLP_ID));
    // A menu destroyed while still set reads as none.
    return IsMenu(menu) ? menu : nullptr;
}

BOOL DrawMenuBar(HWND hwnd) {
    if (!GetMenu(hwnd))
        return FALSE;
    return RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
    if (!IsWindow(hwnd))
        return nullptr;
    Lock lock(MenuMutex());
    auto& menus = SystemMenus();
    // Entries of windows destroyed since are dropped here, with their menus.
    for (auto it = menus.begin(); it != menus.end();) {
        if (!IsWindow(it->first)) {
            DestroyMenuObject(it->second);
            it = menus.erase(it);
        } else {
            ++it;
        }
    }
    auto it = menus.find(hwnd);
    if (revert) {
        if (it != menus.end()) {
            DestroyMenuObject(it->second);
            menus.erase(it);
        }
        return nullptr;
    }
    if (it != menus.end() && FindMenu(it->second))
        return it->second;
    HMENU m = BuildSystemMenu();
    menus[hwnd] = m;
    return m;
}
