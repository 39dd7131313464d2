// The templates that the resource compiler turns dialogs, menus and accelerator tables into. They
// are plain constant data: the window system builds dialogs, menus and accelerator tables from
// them. Texts are UTF-8 and point into the program's constant tables, so they never dangle.
#pragma once

#include <span>
#include <string_view>

#include "platform/base/ResourceName.h"
#include "platform/base/WinTypes.h"

namespace kq {

// FONT size, "face" [, weight, italic, charset] of a dialog.
struct DialogFont {
    WORD pointSize = 0;  // 0: the dialog has no FONT statement and uses the system font
    std::string_view face;
    WORD weight = 0;  // FW_ value; 0 lets the font decide
    bool italic = false;
    BYTE charset = 1;  // DEFAULT_CHARSET unless the script says otherwise
};

// One control of a dialog. Coordinates are dialog units.
struct ControlTemplate {
    // "BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX" or "SCROLLBAR" for the predefined control
    // statements; the class as written in a CONTROL statement otherwise (for example
    // "msctls_trackbar32"). Class names compare without regard to case.
    std::string_view className;
    // The window text. An image reference (ICON, or a CONTROL whose text is a resource number)
    // given by number reads "#<number>", the way Windows writes numbers as names.
    std::string_view text;
    int id = 0;  // -1 for IDC_STATIC
    // The complete styles: WS_CHILD | WS_VISIBLE, the statement's defaults (WS_TABSTOP for a
    // push button, ...) and the script's own styles, with NOT-ed styles removed.
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
};

// DIALOG and DIALOGEX.
struct DialogTemplate {
    // STYLE as written, or WS_POPUP | WS_BORDER | WS_SYSMENU without a STYLE statement; a
    // caption adds WS_CAPTION and a font DS_SETFONT.
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    std::string_view caption;
    DialogFont font;
    ResourceName menu;           // empty when the dialog has no menu
    std::string_view className;  // empty for the standard dialog class
    std::span<const ControlTemplate> controls;
};

// A menu item or a pop-up. The tree mirrors the script: a pop-up's items are its children.
struct MenuItemTemplate {
    // Flag values are those of the MF_ menu flags, so they go straight into the menu functions.
    enum : UINT {
        Grayed = 0x0001,        // GRAYED
        Inactive = 0x0002,      // INACTIVE (MF_DISABLED)
        Checked = 0x0008,       // CHECKED
        Popup = 0x0010,         // POPUP
        MenuBarBreak = 0x0020,  // MENUBARBREAK
        MenuBreak = 0x0040,     // MENUBREAK
        Separator = 0x0800,     // MENUITEM SEPARATOR
        Help = 0x4000,          // HELP
    };

    std::string_view text;  // with '&' mnemonics and '\t' before a shortcut text
    UINT id = 0;            // command id; 0 for pop-ups and separators
    UINT flags = 0;
    std::span<const MenuItemTemplate> children;  // a pop-up's items
};

struct MenuTemplate {
    std::span<const MenuItemTemplate> items;  // the menu bar (or a context menu's pop-ups)
};

// One line of an ACCELERATORS table, laid out as the accelerator functions take it.
struct AcceleratorEntry {
    // Flag values are those of FVIRTKEY, FNOINVERT, FSHIFT, FCONTROL and FALT.
    enum : BYTE {
        VirtKey = 0x01,
        NoInvert = 0x02,
        Shift = 0x04,
        Control = 0x08,
        Alt = 0x10,
    };

    BYTE flags = 0;
    WORD key = 0;  // a virtual-key code with VirtKey, else the character ("^A" is 1)
    WORD cmd = 0;
};

struct AcceleratorTable {
    std::span<const AcceleratorEntry> entries;
};

}  // namespace kq
