// MENUITEMINFO access to menu items.
#include <algorithm>
#include <cstring>

#include "platform/ui/menu/MenuStore.h"

using namespace kq::ui::menu;

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

bool ValidInfo(LPCMENUITEMINFO info) {
    return info && info->cbSize >= sizeof(UINT) * 2;
}

// Writes the fields the mask asks for into an item; false when the sub-menu is not a menu.
bool Apply(LPCMENUITEMINFO info, MenuItem& item) {
    const UINT mask = info->fMask;
    if ((mask & MIIM_SUBMENU) && info->hSubMenu && !FindMenu(info->hSubMenu))
        return false;
    if (mask & MIIM_TYPE) {
        // The older form: type flags and the text or bitmap in dwTypeData.
        item.type = info->fType;
        item.text.clear();
        item.bitmap = nullptr;
        if (info->fType & MFT_BITMAP)
            item.bitmap = reinterpret_cast<HBITMAP>(info->dwTypeData);
        else if (!(info->fType & (MFT_SEPARATOR | MFT_OWNERDRAW)) && info->dwTypeData)
            item.text = info->dwTypeData;
        item.measured = false;
    }
    if (mask & MIIM_FTYPE) {
        item.type = (item.type & MFT_BITMAP) | (info->fType & ~MFT_BITMAP);
        item.measured = false;
    }
    if (mask & MIIM_STRING) {
        item.text = info->dwTypeData ? info->dwTypeData : "";
        item.measured = false;
    }
    if (mask & MIIM_BITMAP)
        item.bitmap = info->hbmpItem;
    if (mask & MIIM_STATE)
        item.state = info->fState;
    if (mask & MIIM_ID)
        item.id = info->wID;
    if (mask & MIIM_SUBMENU) {
        if (item.subMenu && item.subMenu != info->hSubMenu)
            DestroyMenuObject(item.subMenu);
        item.subMenu = info->hSubMenu;
    }
    if (mask & MIIM_CHECKMARKS) {
        item.checkedBitmap = info->hbmpChecked;
        item.uncheckedBitmap = info->hbmpUnchecked;
    }
    if (mask & MIIM_DATA)
        item.data = info->dwItemData;
    return true;
}

void CopyText(const std::string& text, LPMENUITEMINFO info) {
    if (info->dwTypeData && info->cch > 0) {
        const size_t n = std::min<size_t>(text.size(), info->cch - 1);
        std::memcpy(info->dwTypeData, text.data(), n);
        info->dwTypeData[n] = '\0';
        info->cch = static_cast<UINT>(n);
    } else {
        info->cch = static_cast<UINT>(text.size());
    }
}

}  // namespace

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFO info) {
    if (!ValidInfo(info))
        return FALSE;
    Lock lock(MenuMutex());
    ItemRef r = LocateItem(menu, item, byPosition != FALSE);
    if (!r)
        return FALSE;
    const MenuItem& it = *r.item();
    const UINT mask = info->fMask;
    if (mask & (MIIM_TYPE | MIIM_FTYPE))
        info->fType = it.type;
    if (mask & MIIM_TYPE) {
        if (it.type & MFT_BITMAP)
            info->dwTypeData = reinterpret_cast<LPSTR>(it.bitmap);
        else if (!(it.type & (MFT_SEPARATOR | MFT_OWNERDRAW)))
            CopyText(it.text, info);
    }
    if (mask & MIIM_STRING)
        CopyText(it.text, info);
    if (mask & MIIM_BITMAP)
        info->hbmpItem = it.bitmap;
    if (mask & MIIM_STATE)
        info->fState = it.state;
    if (mask & MIIM_ID)
        info->wID = it.subMenu ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(it.subMenu)) : it.id;
    if (mask & MIIM_SUBMENU)
        info->hSubMenu = it.subMenu;
    if (mask & MIIM_CHECKMARKS) {
        info->hbmpChecked = it.checkedBitmap;
        info->hbmpUnchecked = it.uncheckedBitmap;
    }
    if (mask & MIIM_DATA)
        info->dwItemData = it.data;
    return TRUE;
}

BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info) {
    if (!ValidInfo(info))
        return FALSE;
    Lock lock(MenuMutex());
    ItemRef r = LocateItem(menu, item, byPosition != FALSE);
    if (!r)
        return FALSE;
    MenuItem changed = *r.item();
    if (!Apply(info, changed))
        return FALSE;
    *r.item() = std::move(changed);
    return TRUE;
}

BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info) {
    if (!ValidInfo(info))
        return FALSE;
    Lock lock(MenuMutex());
    MenuObject* m = FindMenu(menu);
    MenuItem fresh;
    if (!m || !Apply(info, fresh))
        return FALSE;
    if (byPosition || item == static_cast<UINT>(-1)) {
        const size_t at = std::min<size_t>(item, m->items.size());
        m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(fresh));
        return TRUE;
    }
    ItemRef r = LocateItem(menu, item, false);
    if (!r)
        return FALSE;
    r.menu->items.insert(r.menu->items.begin() + r.index, std::move(fresh));
    return TRUE;
}
