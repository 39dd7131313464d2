// The menu functions over the menu store.
#include <cstring>

#include "platform/framework/menu/MenuStore.h"
#include "platform/framework/menu/WinMenu.h"
#include "platform/ui/WinUser.h"

using namespace kq::fw::menu;

namespace {

constexpr UINT kEnableMask = MF_GRAYED | MF_DISABLED;

std::unique_lock<std::recursive_mutex> Lock() {
    return std::unique_lock(MenuLock());
}

bool ByPosition(UINT flags) {
    return (flags & MF_BYPOSITION) != 0;
}

}  // namespace

HMENU CreateMenu() {
    return NewMenu(false);
}

HMENU CreatePopupMenu() {
    return NewMenu(true);
}

BOOL DestroyMenu(HMENU hMenu) {
    return Erase(hMenu, true) ? TRUE : FALSE;
}

BOOL IsMenu(HMENU hMenu) {
    return Find(hMenu) != nullptr ? TRUE : FALSE;
}

BOOL AppendMenu(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    auto lock = Lock();
    Menu* menu = Find(hMenu);
    if (menu == nullptr)
        return FALSE;
    if ((uFlags & MF_POPUP) && Find(reinterpret_cast<HMENU>(uIDNewItem)) == nullptr)
        return FALSE;
    menu->items.push_back(ItemFromFlags(uFlags, uIDNewItem, lpNewItem));
    return TRUE;
}

BOOL InsertMenu(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    auto lock = Lock();
    if ((uFlags & MF_POPUP) && Find(reinterpret_cast<HMENU>(uIDNewItem)) == nullptr)
        return FALSE;
    Menu* menu = Find(hMenu);
    if (menu == nullptr)
        return FALSE;
    size_t position = 0;
    if (ByPosition(uFlags)) {
        // -1 (or any position past the end) appends.
        position = uPosition >= menu->items.size() ? menu->items.size() : uPosition;
    } else {
        ItemRef found;
        if (!Locate(hMenu, uPosition, false, found))
            return FALSE;
        menu = found.menu;
        position = found.position;
    }
    menu->items.insert(menu->items.begin() + static_cast<ptrdiff_t>(position),
                       ItemFromFlags(uFlags, uIDNewItem, lpNewItem));
    return TRUE;
}

BOOL ModifyMenu(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    auto lock = Lock();
    ItemRef found;
    if (!Locate(hMenu, uPosition, ByPosition(uFlags), found))
        return FALSE;
    if ((uFlags & MF_POPUP) && Find(reinterpret_cast<HMENU>(uIDNewItem)) == nullptr)
        return FALSE;
    MenuItem replacement = ItemFromFlags(uFlags, uIDNewItem, lpNewItem);
    MenuItem& item = found.Item();
    // A pop-up that is replaced by something else goes with it.
    const HMENU oldSub = item.subMenu;
    replacement.checkedBitmap = item.checkedBitmap;
    replacement.uncheckedBitmap = item.uncheckedBitmap;
    if (!(replacement.type & MFT_OWNERDRAW) && (item.type & MFT_OWNERDRAW) && lpNewItem == nullptr)
        replacement.data = item.data;
    item = replacement;
    if (oldSub != nullptr && oldSub != replacement.subMenu)
        Erase(oldSub, true);
    return TRUE;
}

namespace {

BOOL Remove(HMENU hMenu, UINT uPosition, UINT uFlags, bool destroySub) {
    auto lock = Lock();
    ItemRef found;
    if (!Locate(hMenu, uPosition, ByPosition(uFlags), found))
        return FALSE;
    const HMENU sub = found.Item().subMenu;
    found.menu->items.erase(found.menu->items.begin() + static_cast<ptrdiff_t>(found.position));
    if (destroySub && sub != nullptr)
        Erase(sub, true);
    return TRUE;
}

}  // namespace

BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    return Remove(hMenu, uPosition, uFlags, false);
}

BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    return Remove(hMenu, uPosition, uFlags, true);
}

DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
    auto lock = Lock();
    ItemRef found;
    if (!Locate(hMenu, uIDCheckItem, ByPosition(uCheck), found))
        return static_cast<DWORD>(-1);
    MenuItem& item = found.Item();
    const DWORD previous = item.state & MF_CHECKED;
    item.state = (item.state & ~MF_CHECKED) | (uCheck & MF_CHECKED);
    return previous;
}

BOOL EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
    auto lock = Lock();
    ItemRef found;
    if (!Locate(hMenu, uIDEnableItem, ByPosition(uEnable), found))
        return -1;
    MenuItem& item = found.Item();
    const UINT previous = item.state & kEnableMask;
    item.state = (item.state & ~kEnableMask) | (uEnable & kEnableMask);
    return static_cast<BOOL>(previous);
}

BOOL CheckMenuRadioItem(HMENU hMenu, UINT first, UINT last, UINT uCheck, UINT flags) {
    auto lock = Lock();
    bool checked = false;
    if (ByPosition(flags)) {
        Menu* menu = Find(hMenu);
        if (menu == nullptr)
            return FALSE;
        for (UINT pos = first; pos <= last && pos < menu->items.size(); ++pos) {
            MenuItem& item = menu->items[pos];
            const bool mine = pos == uCheck;
            item.state = (item.state & ~MF_CHECKED) | (mine ? MF_CHECKED : 0);
            if (mine) {
                item.type |= MFT_RADIOCHECK;
                checked = true;
            }
        }
        return checked ? TRUE : FALSE;
    }
    for (UINT id = first; id <= last; ++id) {
        ItemRef found;
        if (!Locate(hMenu, id, false, found))
            continue;
        MenuItem& item = found.Item();
        const bool mine = id == uCheck;
        item.state = (item.state & ~MF_CHECKED) | (mine ? MF_CHECKED : 0);
        if (mine) {
            item.type |= MFT_RADIOCHECK;
            checked = true;
        }
        if (id == last)
            break;  // the range may end at UINT_MAX
    }
    return checked ? TRUE : FALSE;
}

BOOL HiliteMenuItem(HWND, HMENU hMenu, UINT uIDHiliteItem, UINT uHilite) {
    auto lock = Lock();
    ItemRef found;
    if (!Locate(hMenu, uIDHiliteItem, ByPosition(uHilite), found))
        return FALSE;
    MenuItem& item = found.Item();
    item.state = (item.state & ~MF_HILITE) | (uHilite & MF_HILITE);
    return TRUE;
}

BOOL SetMenuDefaultItem(HMENU hMenu, UINT uItem, UINT fByPos) {
    auto lock = Lock();
    Menu* menu = Find(hMenu);
    if (menu == nullptr)
        return FALSE;
    for (MenuItem& item : menu->items)
        item.state &= ~MF_DEFAULT;
    if (uItem == static_cast<UINT>(-1))
        return TRUE;
    for (size_t i = 0; i < menu->items.size(); ++i) {
        MenuItem& item = menu->items[i];
        if (fByPos ? i == uItem : (!item.IsPopup() && item.id == uItem)) {
            item.state |= MF_DEFAULT;
            return TRUE;
        }
    }
    return FALSE;
}

int GetMenuItemCount(HMENU hMenu) {
    auto lock = Lock();
    Menu* menu = Find(hMenu);
    return menu != nullptr ? static_cast<int>(menu->items.size()) : -1;
}

UINT GetMenuItemID(HMENU hMenu, int nPos) {
    auto lock = Lock();
    Menu* menu = Find(hMenu);
    if (menu == nullptr || nPos < 0 || static_cast<size_t>(nPos) >= menu->items.size())
        return static_cast<UINT>(-1);
    const MenuItem& item = menu->items[static_cast<size_t>(nPos)];
    if (item.IsPopup())
        return static_cast<UINT>(-1);
    return item.IsSeparator() ? 0 : item.id;
}

UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
    auto lock = Lock();
    ItemRef found;
    if (!Locate(hMenu, uId, ByPosition(uFlags), found))
        return static_cast<UINT>(-1);
    const MenuItem& item = found.Item();
    if (item.IsPopup()) {
        Menu* sub = Find(item.subMenu);
        const UINT count = sub != nullptr ? static_cast<UINT>(sub->items.size()) : 0;
        return (count << 8) | (item.Flags() & 0xFF);
    }
    return item.Flags();
}

int GetMenuString(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags) {
    auto lock = Lock();
    ItemRef found;
    if (!Locate(hMenu, uIDItem, ByPosition(flags), found)) {
        if (lpString != nullptr && cchMax > 0)
            lpString[0] = '\0';
        return 0;
    }
    const std::string& text = found.Item().text;
    if (lpString == nullptr)
        return static_cast<int>(text.size());
    if (cchMax <= 0)
        return 0;
    size_t length = std::min(text.size(), static_cast<size_t>(cchMax - 1));
    // Never half a UTF-8 character.
    while (length > 0 && length < text.size() &&
           (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    std::memcpy(lpString, text.data(), length);
    lpString[length] = '\0';
    return static_cast<int>(length);
}

HMENU GetSubMenu(HMENU hMenu, int nPos) {
    auto lock = Lock();
    Menu* menu = Find(hMenu);
    if (menu == nullptr || nPos < 0 || static_cast<size_t>(nPos) >= menu->items.size())
        return nullptr;
    return menu->items[static_cast<size_t>(nPos)].subMenu;
}

BOOL GetMenuItemInfo(HMENU hMenu, UINT item, BOOL fByPosition, LPMENUITEMINFO lpmii) {
    auto lock = Lock();
    ItemRef found;
    if (lpmii == nullptr || !Locate(hMenu, item, fByPosition != FALSE, found))
        return FALSE;
    const MenuItem& source = found.Item();
    const UINT mask = lpmii->fMask;
    if (mask & (MIIM_TYPE | MIIM_FTYPE))
        lpmii->fType = source.type;
    if (mask & MIIM_STATE)
        lpmii->fState = source.state;
    if (mask & MIIM_ID)
        lpmii->wID = source.IsPopup()
                         ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(source.subMenu))
                         : source.id;
    if (mask & MIIM_SUBMENU)
        lpmii->hSubMenu = source.subMenu;
    if (mask & MIIM_CHECKMARKS) {
        lpmii->hbmpChecked = source.checkedBitmap;
        lpmii->hbmpUnchecked = source.uncheckedBitmap;
    }
    if (mask & MIIM_DATA)
        lpmii->dwItemData = source.data;
    if (mask & MIIM_BITMAP)
        lpmii->hbmpItem = source.bitmap;
    const bool wantsText =
        (mask & MIIM_STRING) ||
        ((mask & MIIM_TYPE) && !(source.type & (MFT_BITMAP | MFT_OWNERDRAW | MFT_SEPARATOR)));
    if (wantsText) {
        const UINT capacity = lpmii->cch;
        lpmii->cch = static_cast<UINT>(source.text.size());
        if (lpmii->dwTypeData != nullptr && capacity > 0) {
            const size_t length = std::min(source.text.size(), static_cast<size_t>(capacity - 1));
            std::memcpy(lpmii->dwTypeData, source.text.data(), length);
            lpmii->dwTypeData[length] = '\0';
        }
    } else if ((mask & MIIM_TYPE) && (source.type & MFT_BITMAP)) {
        lpmii->dwTypeData = reinterpret_cast<LPSTR>(source.bitmap);
    }
    return TRUE;
}

namespace {

void ApplyInfo(MenuItem& target, LPCMENUITEMINFO info) {
    const UINT mask = info->fMask;
    if (mask & (MIIM_TYPE | MIIM_FTYPE))
        target.type = info->fType;
    if (mask & MIIM_TYPE) {
        if (info->fType & MFT_BITMAP)
            target.bitmap = reinterpret_cast<HBITMAP>(info->dwTypeData);
        else if (!(info->fType & (MFT_SEPARATOR | MFT_OWNERDRAW)))
            target.text = info->dwTypeData != nullptr ? info->dwTypeData : "";
    }
    if (mask & MIIM_STRING)
        target.text = info->dwTypeData != nullptr ? info->dwTypeData : "";
    if (mask & MIIM_STATE)
        target.state = info->fState & (kEnableMask | MF_CHECKED | MF_HILITE | MF_DEFAULT);
    if (mask & MIIM_ID)
        target.id = info->wID;
    if (mask & MIIM_SUBMENU)
        target.subMenu = info->hSubMenu;
    if (mask & MIIM_CHECKMARKS) {
        target.checkedBitmap = info->hbmpChecked;
        target.uncheckedBitmap = info->hbmpUnchecked;
    }
    if (mask & MIIM_DATA)
        target.data = info->dwItemData;
    if (mask & MIIM_BITMAP)
        target.bitmap = info->hbmpItem;
}

}  // namespace

BOOL SetMenuItemInfo(HMENU hMenu, UINT item, BOOL fByPosition, LPCMENUITEMINFO lpmii) {
    auto lock = Lock();
    ItemRef found;
    if (lpmii == nullptr || !Locate(hMenu, item, fByPosition != FALSE, found))
        return FALSE;
    if ((lpmii->fMask & MIIM_SUBMENU) && lpmii->hSubMenu != nullptr &&
        Find(lpmii->hSubMenu) == nullptr)
        return FALSE;
    ApplyInfo(found.Item(), lpmii);
    return TRUE;
}

BOOL InsertMenuItem(HMENU hMenu, UINT item, BOOL fByPosition, LPCMENUITEMINFO lpmii) {
    auto lock = Lock();
    if (lpmii == nullptr)
        return FALSE;
    Menu* menu = Find(hMenu);
    if (menu == nullptr)
        return FALSE;
    size_t position = menu->items.size();
    if (fByPosition) {
        position = std::min<size_t>(item, menu->items.size());
    } else {
        ItemRef found;
        if (!Locate(hMenu, item, false, found))
            return FALSE;
        menu = found.menu;
        position = found.position;
    }
    MenuItem made;
    ApplyInfo(made, lpmii);
    menu->items.insert(menu->items.begin() + static_cast<ptrdiff_t>(position), made);
    return TRUE;
}

BOOL SetMenuItemBitmaps(HMENU hMenu, UINT uPosition, UINT uFlags, HBITMAP hBitmapUnchecked,
                        HBITMAP hBitmapChecked) {
    auto lock = Lock();
    ItemRef found;
    if (!Locate(hMenu, uPosition, ByPosition(uFlags), found))
        return FALSE;
    found.Item().uncheckedBitmap = hBitmapUnchecked;
    found.Item().checkedBitmap = hBitmapChecked;
    return TRUE;
}

// --- a window's menu bar ---

HMENU GetMenu(HWND hWnd) {
    if (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)
        return nullptr;
    auto menu = reinterpret_cast<HMENU>(::GetWindowLongPtr(hWnd, GWLP_ID));
    return IsMenu(menu) ? menu : nullptr;
}

BOOL SetMenu(HWND hWnd, HMENU hMenu) {
    if (!::IsWindow(hWnd) || (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD))
        return FALSE;
    if (hMenu != nullptr && !IsMenu(hMenu))
        return FALSE;
    ::SetWindowLongPtr(hWnd, GWLP_ID, reinterpret_cast<LONG_PTR>(hMenu));
    // The menu bar takes its room in the non-client area.
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

BOOL DrawMenuBar(HWND hWnd) {
    if (GetMenu(hWnd) == nullptr)
        return FALSE;
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}
