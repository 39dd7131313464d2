// The predefined window classes ("BUTTON", "EDIT", ..., the dialog class "#32770"). The class
// table registers one the first time its name is asked for, so they exist for every program
// without an initialisation call.
#pragma once

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

// Fills in the class for a predefined name (compared without regard to case); false for
// other names.
bool DescribeSystemClass(LPCSTR name, WNDCLASSEX* wc);

// The window procedures of the predefined classes.
LRESULT ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ListBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ComboBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ScrollBarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ScrollTrackerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DialogWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Class names used inside the window system.
inline constexpr const char* kComboListClass = "ComboLBox";
inline constexpr const char* kScrollTrackerClass = "KqScrollTracker";

}  // namespace kq::ui::detail
