// The default drawing of the non-client area in the classic look: frame, edges, caption with
// icon, title and buttons, and the space of menu bar and scroll bars (drawn through
// NonClientHooks.h).
#pragma once

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

// Draws into a DC whose (0, 0) is the window's top-left corner (a window DC, or a DC given with
// WM_PRINT). The caption looks active as the last WM_NCACTIVATE said.
void DrawNonClient(HWND hwnd, HDC windowDc);
// WM_NCPAINT's default: draws through a window DC that leaves out the client area, clipped to
// the region in wParam (screen coordinates; 1 or no region means the whole frame).
void DefNcPaint(HWND hwnd, WPARAM region);
// Draws the frame again now if the window shows and no WM_NCPAINT is owed anyway.
void RedrawFrameNow(HWND hwnd);
// The caption button (HTCLOSE, HTMAXBUTTON, HTMINBUTTON) drawn pushed while the mouse holds it;
// 0 for none.
void SetPushedCaptionButton(HWND hwnd, LRESULT hit);

}  // namespace kq::ui::detail
