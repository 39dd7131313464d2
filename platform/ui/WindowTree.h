// Relations between windows: parent, children, owner, z-order, ids, finding windows.
#pragma once

#include <functional>
#include <vector>

#include "platform/ui/UiTypes.h"

// The parent of a child window; the owner of a WS_POPUP window; else null.
HWND GetParent(HWND hwnd);
// Re-parents a child (null: becomes top-level) keeping its coordinates relative to the new
// parent's client area; it goes to the top of its new siblings. Returns the old parent.
HWND SetParent(HWND hwnd, HWND newParent);
HWND GetAncestor(HWND hwnd, UINT flags);
BOOL IsChild(HWND parent, HWND hwnd);
HWND GetWindow(HWND hwnd, UINT cmd);
HWND GetTopWindow(HWND hwnd);
inline HWND GetNextWindow(HWND hwnd, UINT cmd) {
    return GetWindow(hwnd, cmd);
}
HWND GetDesktopWindow();
// Every descendant, parents before their children, each level in z-order. Windows created or
// destroyed by the callback do not disturb the walk.
BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM data);
BOOL EnumWindows(WNDENUMPROC proc, LPARAM data);
namespace kq::ui {
// The descendants of `parent` as EnumChildWindows walks them, without those of a hidden window
// that `enterHidden` does not enter. Taken in one go: `enterHidden` must not touch windows.
std::vector<HWND> DescendantsEnteringHidden(HWND parent,
                                            const std::function<bool(HWND)>& enterHidden);
}  // namespace kq::ui
// A direct child with that id.
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);
// Returns the thread id; the process id goes to *processId when given.
DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId);

// The deepest visible window at a screen point. Disabled child windows are passed over in
// favour of their parent; windows answering WM_NCHITTEST with HTTRANSPARENT let the point
// through to their parent.
HWND WindowFromPoint(POINT pt);
// The direct child of `parent` containing the point (client coordinates of the parent), the
// parent itself when no child does, null when the point lies outside the parent.
HWND ChildWindowFromPoint(HWND parent, POINT pt);
HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags);
