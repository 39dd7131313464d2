// Creating and destroying menus and changing their items.
#include <algorithm>
#include <cstring>

#include "platform/ui/menu/MenuBarHooks.h"
#include "platform/ui/menu/MenuStore.h"

using namespace kq::ui::menu;
using kq::ui::menu::InstallMenuBarHooks;

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

constexpr UINT kTypeFlags =
    MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY;
constexpr UINT kStateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT;

// An item as AppendMenu, InsertMenu and ModifyMenu describe it. Owner-drawn items keep the
// text argument as their item data, as the protocol hands it back to the owner.
bool BuildItem(UINT flags, UINT_PTR idOrSub, LPCSTR text, MenuItem& item) {
    item = MenuItem{};
    item.type = flags & kTypeFlags;
    item.state = flags & kStateFlags;
    if (flags & MF_POPUP) {
        HMENU sub = reinterpret_cast<HMENU>(idOrSub);
        if (!FindMenu(sub))
            return false;
        item.subMenu = sub;
    } else {
        item.id = static_cast<UINT>(idOrSub);
    }
    if (item.type & MF_OWNERDRAW)
        item.data = reinterpret_cast<ULONG_PTR>(text);
    else if (item.type & MF_BITMAP)
        item.bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(text));
    else if (!(item.type & MF_SEPARATOR) && text)
        item.text = text;
    return true;
}

bool InsertAt(HMENU menu, UINT where, bool byPosition, const MenuItem& item) {
    MenuObject* m = FindMenu(menu);
    if (!m)
        return false;
    size_t at = m->items.size();
    if (where != static_cast<UINT>(-1)) {
        if (byPosition) {
            at = std::min<size_t>(where, m->items.size());
        } else {
            ItemRef r = LocateItem(menu, where, false);
            if (!r)
                return false;
            r.menu->items.insert(r.menu->items.begin() + r.index, item);
            return true;
        }
    }
    m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(at), item);
    return true;
}

bool Remove(HMENU menu, UINT item, UINT flags, bool destroySub) {
    Lock lock(MenuMutex());
    ItemRef r = LocateItem(menu, item, (flags & MF_BYPOSITION) != 0);
    if (!r)
        return false;
    HMENU sub = r.item()->subMenu;
    r.menu->items.erase(r.menu->items.begin() + r.index);
    if (destroySub && sub)
        DestroyMenuObject(sub);
    return true;
}

}  // namespace

HMENU CreateMenu() {
    InstallMenuBarHooks();
    Lock lock(MenuMutex());
    return AddMenu(false);
}

HMENU CreatePopupMenu() {
    Lock lock(MenuMutex());
    return AddMenu(true);
}

BOOL DestroyMenu(HMENU menu) {
    Lock lock(MenuMutex());
    return DestroyMenuObject(menu);
}

BOOL IsMenu(HMENU menu) {
    Lock lock(MenuMutex());
    return FindMenu(menu) != nullptr;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, LPCSTR text) {
    return InsertMenu(menu, static_cast<UINT>(-1), flags | MF_BYPOSITION, idOrSubMenu, text);
}

BOOL InsertMenu(HMENU menu, UINT item, UINT flags, UINT_PTR idOrSubMenu, LPCSTR text) {
    Lock lock(MenuMutex());
    MenuItem built;
    if (!FindMenu(menu) || !BuildItem(flags, idOrSubMenu, text, built))
        return FALSE;
    return InsertAt(menu, item, (flags & MF_BYPOSITION) != 0, built);
}

BOOL ModifyMenu(HMENU menu, UINT item, UINT flags, UINT_PTR idOrSubMenu, LPCSTR text) {
    Lock lock(MenuMutex());
    ItemRef r = LocateItem(menu, item, (flags & MF_BYPOSITION) != 0);
    MenuItem built;
    if (!r || !BuildItem(flags, idOrSubMenu, text, built))
        return FALSE;
    MenuItem& old = *r.item();
    if (old.subMenu && !(flags & MF_POPUP)) {
        // Renaming a pop-up (as a language switch does to the whole bar) keeps its sub-menu;
        // dropping it would lose the menu with every item below it.
        built.subMenu = old.subMenu;
        built.id = 0;
    } else if (old.subMenu && old.subMenu != built.subMenu) {
        DestroyMenuObject(old.subMenu);  // replaced by another: nothing refers to it any more
    }
    old = built;
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT item, UINT flags) {
    return Remove(menu, item, flags, true);
}

BOOL RemoveMenu(HMENU menu, UINT item, UINT flags) {
    return Remove(menu, item, flags, false);
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
    Lock lock(MenuMutex());
    ItemRef r = LocateItem(menu, item, (flags & MF_BYPOSITION) != 0);
    if (!r)
        return static_cast<DWORD>(-1);
    MenuItem& it = *r.item();
    const DWORD old = it.state & MF_CHECKED;
    it.state = (it.state & ~MF_CHECKED) | (flags & MF_CHECKED);
    return old;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
    Lock lock(MenuMutex());
    const bool byPosition = (flags & MF_BYPOSITION) != 0;
    ItemRef target = LocateItem(menu, check, byPosition);
    if (!target)
        return FALSE;
    // The range lies in the menu that holds the checked item.
    MenuObject* m = target.menu;
    int from = -1, to = -1;
    if (byPosition) {
        from = static_cast<int>(first);
        to = static_cast<int>(last);
    } else {
        for (size_t i = 0; i < m->items.size(); ++i) {
            if (!m->items[i].subMenu && m->items[i].id == first && from < 0)
                from = static_cast<int>(i);
            if (!m->items[i].subMenu && m->items[i].id == last)
                to = static_cast<int>(i);
        }
    }
    if (from < 0 || to < from || to >= static_cast<int>(m->items.size()) || target.index < from ||
        target.index > to)
        return FALSE;
    for (int i = from; i <= to; ++i) {
        MenuItem& it = m->items[static_cast<size_t>(i)];
        if (i == target.index) {
            it.state |= MFS_CHECKED;
            it.type |= MFT_RADIOCHECK;
        } else {
            it.state &= ~MFS_CHECKED;
        }
    }
    return TRUE;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags) {
    Lock lock(MenuMutex());
    ItemRef r = LocateItem(menu, item, (flags & MF_BYPOSITION) != 0);
    if (!r)
        return -1;
    MenuItem& it = *r.item();
    const UINT old = it.state & (MF_GRAYED | MF_DISABLED);
    it.state = (it.state & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(old);
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    Lock lock(MenuMutex());
    ItemRef r = LocateItem(menu, item, (flags & MF_BYPOSITION) != 0);
    return r ? StateFlags(*r.item()) : static_cast<UINT>(-1);
}

int GetMenuItemCount(HMENU menu) {
    Lock lock(MenuMutex());
    const MenuObject* m = FindMenu(menu);
    return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    Lock lock(MenuMutex());
    ItemRef r = LocateItem(menu, static_cast<UINT>(position), true);
    if (!r || position < 0 || r.item()->subMenu)
        return static_cast<UINT>(-1);
    return r.item()->id;
}

HMENU GetSubMenu(HMENU menu, int position) {
    Lock lock(MenuMutex());
    ItemRef r = LocateItem(menu, static_cast<UINT>(position), true);
    return r && position >= 0 ? r.item()->subMenu : nullptr;
}

int GetMenuString(HMENU menu, UINT item, LPSTR text, int maxCount, UINT flags) {
    Lock lock(MenuMutex());
    ItemRef r = LocateItem(menu, item, (flags & MF_BYPOSITION) != 0);
    if (!r)
        return 0;
    const std::string& s = r.item()->text;
    if (!text || maxCount <= 0)
        return static_cast<int>(s.size());
    size_t n = std::min(s.size(), static_cast<size_t>(maxCount - 1));
    // Never cut a character in half: step back over UTF-8 continuation bytes.
    if (n < s.size()) {
        while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80)
            --n;
    }
    std::memcpy(text, s.data(), n);
    text[n] = '\0';
    return static_cast<int>(n);
}

UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT) {
    Lock lock(MenuMutex());
    const MenuObject* m = FindMenu(menu);
    if (!m)
        return static_cast<UINT>(-1);
    for (size_t i = 0; i < m->items.size(); ++i)
        if (m->items[i].state & MFS_DEFAULT)
            return byPosition ? static_cast<UINT>(i) : m->items[i].id;
    return static_cast<UINT>(-1);
}
