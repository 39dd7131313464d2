// Menus: HMENU objects with their items, the menu of a window, and pop-up menus tracked by
// mouse and keyboard. Handles are checked on every call; a destroyed menu's handle is refused.
// Item texts are UTF-8 with '&' before the mnemonic and '\t' before a shortcut text.
#pragma once

#include "platform/base/ResourceTemplates.h"
#include "platform/ui/UiTypes.h"
#include "platform/ui/menu/OwnerDrawStructs.h"

// Item flags of AppendMenu, InsertMenu, ModifyMenu and the state functions.
constexpr UINT MF_INSERT = 0x0000;
constexpr UINT MF_CHANGE = 0x0080;
constexpr UINT MF_APPEND = 0x0100;
constexpr UINT MF_DELETE = 0x0200;
constexpr UINT MF_REMOVE = 0x1000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_USECHECKBITMAPS = 0x0200;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_BITMAP = 0x0004;
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_MENUBARBREAK = 0x0020;
constexpr UINT MF_MENUBREAK = 0x0040;
constexpr UINT MF_UNHILITE = 0x0000;
constexpr UINT MF_HILITE = 0x0080;
constexpr UINT MF_DEFAULT = 0x1000;
constexpr UINT MF_SYSMENU = 0x2000;
constexpr UINT MF_HELP = 0x4000;
constexpr UINT MF_RIGHTJUSTIFY = 0x4000;
constexpr UINT MF_MOUSESELECT = 0x8000;
// In binary menu templates: the last item of its level.
constexpr UINT MF_END = 0x0080;

constexpr UINT MFT_STRING = MF_STRING;
constexpr UINT MFT_BITMAP = MF_BITMAP;
constexpr UINT MFT_MENUBARBREAK = MF_MENUBARBREAK;
constexpr UINT MFT_MENUBREAK = MF_MENUBREAK;
constexpr UINT MFT_OWNERDRAW = MF_OWNERDRAW;
constexpr UINT MFT_RADIOCHECK = 0x0200;
constexpr UINT MFT_SEPARATOR = MF_SEPARATOR;
constexpr UINT MFT_RIGHTORDER = 0x2000;
constexpr UINT MFT_RIGHTJUSTIFY = MF_RIGHTJUSTIFY;

constexpr UINT MFS_GRAYED = 0x0003;
constexpr UINT MFS_DISABLED = MFS_GRAYED;
constexpr UINT MFS_CHECKED = MF_CHECKED;
constexpr UINT MFS_HILITE = MF_HILITE;
constexpr UINT MFS_ENABLED = MF_ENABLED;
constexpr UINT MFS_UNCHECKED = MF_UNCHECKED;
constexpr UINT MFS_UNHILITE = MF_UNHILITE;
constexpr UINT MFS_DEFAULT = MF_DEFAULT;

constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_SUBMENU = 0x0004;
constexpr UINT MIIM_CHECKMARKS = 0x0008;
constexpr UINT MIIM_TYPE = 0x0010;
constexpr UINT MIIM_DATA = 0x0020;
constexpr UINT MIIM_STRING = 0x0040;
constexpr UINT MIIM_BITMAP = 0x0080;
constexpr UINT MIIM_FTYPE = 0x0100;

struct MENUITEMINFO {
    UINT cbSize;
    UINT fMask;
    UINT fType;
    UINT fState;
    UINT wID;
    HMENU hSubMenu;
    HBITMAP hbmpChecked;
    HBITMAP hbmpUnchecked;
    ULONG_PTR dwItemData;
    LPSTR dwTypeData;  // the text (MIIM_STRING / MFT_STRING), or the bitmap for MFT_BITMAP
    UINT cch;          // text length in bytes without the terminator
    HBITMAP hbmpItem;
};
using LPMENUITEMINFO = MENUITEMINFO*;
using LPCMENUITEMINFO = const MENUITEMINFO*;
// Texts are UTF-8 in char strings, so the ANSI form is the same structure.
using MENUITEMINFOA = MENUITEMINFO;
using LPMENUITEMINFOA = MENUITEMINFO*;
using LPCMENUITEMINFOA = const MENUITEMINFO*;

// TrackPopupMenu(Ex) flags.
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

struct TPMPARAMS {
    UINT cbSize;
    RECT rcExclude;  // screen area the menu must not cover
};
using LPTPMPARAMS = TPMPARAMS*;

// WM_MENUCHAR results (high word).
constexpr LRESULT MNC_IGNORE = 0;
constexpr LRESULT MNC_CLOSE = 1;
constexpr LRESULT MNC_EXECUTE = 2;
constexpr LRESULT MNC_SELECT = 3;

constexpr UINT WM_UNINITMENUPOPUP = 0x0125;

// The class name of pop-up menu windows.
constexpr const char* kMenuWindowClass = "#32768";

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and, recursively, its sub-menus.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
HMENU LoadMenu(HINSTANCE instance, LPCSTR name);
// Builds a menu from a standard binary template (platform/base/BinaryMenuTemplate.h), such as
// LockResource gives for RT_MENU. An item with id 0 and no text becomes a separator. Null with
// ERROR_INVALID_PARAMETER for a null or extended (version 1) template or nesting deeper than
// 32 levels.
HMENU LoadMenuIndirect(const void* menuTemplate);

// For MF_POPUP items `idOrSubMenu` is the sub-menu handle.
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, LPCSTR text);
BOOL InsertMenu(HMENU menu, UINT item, UINT flags, UINT_PTR idOrSubMenu, LPCSTR text);
BOOL ModifyMenu(HMENU menu, UINT item, UINT flags, UINT_PTR idOrSubMenu, LPCSTR text);
// The ANSI names: texts are UTF-8 here, so they are the same functions.
inline BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, LPCSTR text) {
    return AppendMenu(menu, flags, idOrSubMenu, text);
}
inline BOOL ModifyMenuA(HMENU menu, UINT item, UINT flags, UINT_PTR idOrSubMenu, LPCSTR text) {
    return ModifyMenu(menu, item, flags, idOrSubMenu, text);
}
// DeleteMenu destroys a pop-up item's sub-menu, RemoveMenu keeps it.
BOOL DeleteMenu(HMENU menu, UINT item, UINT flags);
BOOL RemoveMenu(HMENU menu, UINT item, UINT flags);

// Return the previous state, or (DWORD)-1 when there is no such item.
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags);
// The item's MF_ flags; for a pop-up item the low byte holds them and the high byte the item
// count of the sub-menu. (UINT)-1 for no such item.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuItemCount(HMENU menu);
// -1 for pop-up items and positions out of range; 0 for separators.
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
// Copies up to maxCount - 1 bytes and a terminator; with a null buffer returns the length.
int GetMenuString(HMENU menu, UINT item, LPSTR text, int maxCount, UINT flags);
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFO info);
BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info);
BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info);
inline BOOL GetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOA info) {
    return GetMenuItemInfo(menu, item, byPosition, info);
}
UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags);

// The menu bar of a top-level window; the frame grows or shrinks by the bar's height.
BOOL SetMenu(HWND hwnd, HMENU menu);
HMENU GetMenu(HWND hwnd);
BOOL DrawMenuBar(HWND hwnd);
// The window menu (restore, move, size, minimise, maximise, close); revert restores it.
HMENU GetSystemMenu(HWND hwnd, BOOL revert);

// Shows the pop-up menu at the screen point and tracks it until the user chooses or cancels.
// Timers and posted messages keep flowing meanwhile. With TPM_RETURNCMD the chosen command is
// returned (0 when cancelled) and no WM_COMMAND is sent; otherwise WM_COMMAND is posted to
// the owner on a choice and the result is TRUE. FALSE for a bad menu or owner, or while the
// thread already tracks a menu.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* reserved2);
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params);
// Closes the menu the calling thread is tracking (as Escape would, all levels).
BOOL EndMenu();
