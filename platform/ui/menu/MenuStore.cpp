#include "platform/ui/menu/MenuStore.h"

#include <map>
#include <memory>

namespace kq::ui::menu {
namespace {

struct Store {
    std::map<UINT_PTR, std::unique_ptr<MenuObject>> menus;
    // Handles count up from an odd base and never repeat, so stale handles stay invalid.
    UINT_PTR next = 0x4D000001;
};

Store& TheStore() {
    static Store store;
    return store;
}

ItemRef LocateById(HMENU handle, UINT id, int depth) {
    MenuObject* m = FindMenu(handle);
    if (!m || depth > 64)
        return {};
    for (size_t i = 0; i < m->items.size(); ++i) {
        const MenuItem& it = m->items[i];
        const bool popupMatch = it.subMenu && reinterpret_cast<UINT_PTR>(it.subMenu) == id;
        if ((!it.subMenu && it.id == id) || popupMatch)
            return ItemRef{m, handle, static_cast<int>(i)};
        if (it.subMenu)
            if (ItemRef r = LocateById(it.subMenu, id, depth + 1))
                return r;
    }
    return {};
}

}  // namespace

std::recursive_mutex& MenuMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

MenuObject* FindMenu(HMENU menu) {
    auto& menus = TheStore().menus;
    auto it = menus.find(reinterpret_cast<UINT_PTR>(menu));
    return it == menus.end() ? nullptr : it->second.get();
}

HMENU AddMenu(bool popup) {
    Store& s = TheStore();
    auto m = std::make_unique<MenuObject>();
    m->popup = popup;
    const UINT_PTR h = s.next;
    s.next += 2;
    s.menus.emplace(h, std::move(m));
    return reinterpret_cast<HMENU>(h);
}

bool DestroyMenuObject(HMENU menu) {
    auto& menus = TheStore().menus;
    auto it = menus.find(reinterpret_cast<UINT_PTR>(menu));
    if (it == menus.end())
        return false;
    std::unique_ptr<MenuObject> dead = std::move(it->second);
    menus.erase(it);
    for (const MenuItem& item : dead->items)
        if (item.subMenu)
            DestroyMenuObject(item.subMenu);
    return true;
}

ItemRef LocateItem(HMENU menu, UINT item, bool byPosition) {
    if (!byPosition)
        return LocateById(menu, item, 0);
    MenuObject* m = FindMenu(menu);
    if (!m || item >= m->items.size())
        return {};
    return ItemRef{m, menu, static_cast<int>(item)};
}

UINT StateFlags(const MenuItem& item) {
    UINT flags = (item.type & ~MFT_RADIOCHECK) | item.state;
    if (item.subMenu) {
        flags |= MF_POPUP;
        const MenuObject* sub = FindMenu(item.subMenu);
        const UINT count = sub ? static_cast<UINT>(sub->items.size()) : 0;
        return (flags & 0xFF) | (count << 8);
    }
    return flags;
}

}  // namespace kq::ui::menu
