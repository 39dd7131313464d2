#include "platform/framework/menu/MenuStore.h"

#include <map>
#include <memory>

namespace kq::fw::menu {

namespace {

struct Store {
    std::map<HMENU, std::unique_ptr<Menu>> menus;
    uintptr_t next = 0x10000;
};

Store& TheStore() {
    static Store store;
    return store;
}

}  // namespace

UINT MenuItem::Flags() const {
    UINT flags = state & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT);
    flags |= type & (MF_SEPARATOR | MF_OWNERDRAW | MF_BITMAP | MF_MENUBARBREAK | MF_MENUBREAK |
                     MF_RIGHTJUSTIFY | MFT_RADIOCHECK);
    if (IsPopup())
        flags |= MF_POPUP;
    return flags;
}

std::recursive_mutex& MenuLock() {
    static std::recursive_mutex lock;
    return lock;
}

HMENU NewMenu(bool popup) {
    std::lock_guard lock(MenuLock());
    Store& store = TheStore();
    auto handle = reinterpret_cast<HMENU>(store.next);
    store.next += 0x10;
    auto made = std::make_unique<Menu>();
    made->popup = popup;
    store.menus.emplace(handle, std::move(made));
    return handle;
}

Menu* Find(HMENU handle) {
    std::lock_guard lock(MenuLock());
    auto& menus = TheStore().menus;
    auto it = menus.find(handle);
    return it != menus.end() ? it->second.get() : nullptr;
}

bool Erase(HMENU handle, bool destroyNested) {
    std::unique_ptr<Menu> gone;
    {
        std::lock_guard lock(MenuLock());
        auto& menus = TheStore().menus;
        auto it = menus.find(handle);
        if (it == menus.end())
            return false;
        gone = std::move(it->second);
        menus.erase(it);
    }
    if (destroyNested) {
        for (const MenuItem& item : gone->items) {
            if (item.subMenu != nullptr)
                Erase(item.subMenu, true);
        }
    }
    return true;
}

namespace {

bool LocateByCommand(HMENU handle, UINT id, ItemRef& found, int depth) {
    Menu* menu = Find(handle);
    if (menu == nullptr || depth > 32)  // a menu that contains itself ends the search
        return false;
    ItemRef fallback;
    for (size_t i = 0; i < menu->items.size(); ++i) {
        const MenuItem& item = menu->items[i];
        if (item.IsPopup()) {
            if (LocateByCommand(item.subMenu, id, found, depth + 1))
                return true;
            if (fallback.menu == nullptr &&
                static_cast<UINT>(reinterpret_cast<UINT_PTR>(item.subMenu)) == id)
                fallback = ItemRef{menu, handle, i};
        } else if (!item.IsSeparator() && item.id == id) {
            found = ItemRef{menu, handle, i};
            return true;
        }
    }
    if (fallback.menu != nullptr) {
        found = fallback;
        return true;
    }
    return false;
}

}  // namespace

bool Locate(HMENU handle, UINT item, bool byPosition, ItemRef& found) {
    std::lock_guard lock(MenuLock());
    if (byPosition) {
        Menu* menu = Find(handle);
        if (menu == nullptr || item >= menu->items.size())
            return false;
        found = ItemRef{menu, handle, item};
        return true;
    }
    return LocateByCommand(handle, item, found, 0);
}

MenuItem ItemFromFlags(UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
    MenuItem item;
    item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT);
    item.type = flags & (MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY);
    if (flags & MF_SEPARATOR) {
        item.type |= MFT_SEPARATOR;
        return item;
    }
    if (flags & MF_POPUP)
        item.subMenu = reinterpret_cast<HMENU>(idNewItem);
    else
        item.id = static_cast<UINT>(idNewItem);
    if (flags & MF_OWNERDRAW) {
        item.type |= MFT_OWNERDRAW;
        item.data = reinterpret_cast<ULONG_PTR>(newItem);
    } else if (flags & MF_BITMAP) {
        item.type |= MFT_BITMAP;
        item.bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(newItem));
    } else if (newItem != nullptr) {
        item.text = newItem;
    }
    return item;
}

}  // namespace kq::fw::menu
