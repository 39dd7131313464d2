// The registered messages of the report list, its in-cell combo and editor. Each id is
// RegisterWindowMessage of its own name, fixed before main: an inline variable is initialised
// before any later variable of the file that includes this header, so other static initialisers
// may read it.
#pragma once

#include "platform/ui/WinUser.h"

// Sent by the list to its parent (or owner): wParam row, lParam column.
inline const UINT WM_XLISTCTRL_COMBO_SELECTION =
    ::RegisterWindowMessage("WM_XLISTCTRL_COMBO_SELECTION");
inline const UINT WM_XLISTCTRL_EDIT_END = ::RegisterWindowMessage("WM_XLISTCTRL_EDIT_END");
inline const UINT WM_XLISTCTRL_CHECKBOX_CLICKED =
    ::RegisterWindowMessage("WM_XLISTCTRL_CHECKBOX_CLICKED");

// Sent by an in-place editor to the list (no cell opens an editor).
inline const UINT WM_XEDIT_KILL_FOCUS = ::RegisterWindowMessage("WM_XEDIT_KILL_FOCUS");
inline const UINT WM_XEDIT_VK_ESCAPE = ::RegisterWindowMessage("WM_XEDIT_VK_ESCAPE");

// Sent by the in-cell combo to the list: commit and cancel requests; the others are registered
// only.
inline const UINT WM_XCOMBOLIST_COMPLETE = ::RegisterWindowMessage("WM_XCOMBOLIST_COMPLETE");
inline const UINT WM_XCOMBOLIST_VK_RETURN = ::RegisterWindowMessage("WM_XCOMBOLIST_VK_RETURN");
inline const UINT WM_XCOMBOLIST_VK_ESCAPE = ::RegisterWindowMessage("WM_XCOMBOLIST_VK_ESCAPE");
inline const UINT WM_XCOMBOLIST_KEYDOWN = ::RegisterWindowMessage("WM_XCOMBOLIST_KEYDOWN");
inline const UINT WM_XCOMBOLIST_LBUTTONUP = ::RegisterWindowMessage("WM_XCOMBOLIST_LBUTTONUP");
