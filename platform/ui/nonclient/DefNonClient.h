// The default handling of the non-client messages that DefWindowProc hands over: drawing the
// frame (WM_NCPAINT, WM_NCACTIVATE), presses on the caption, its buttons, the sizing border and
// the window scroll bars, and the system commands they lead to.
#pragma once

#include <optional>

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

// A result for the messages handled here, nullopt for the others.
std::optional<LRESULT> DefNonClientMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// SC_MOVE, SC_SIZE, SC_HSCROLL, SC_VSCROLL and SC_MOUSEMENU; false for other commands.
bool DefNonClientSysCommand(HWND hwnd, WPARAM command, LPARAM lParam);
// The window text changed: a caption shows it again.
void CaptionTextChanged(HWND hwnd);

}  // namespace kq::ui::detail
