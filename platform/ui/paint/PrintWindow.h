// Drawing a window into a DC of the caller's choosing (WM_PRINT, WM_PRINTCLIENT), so a control
// can be drawn into a memory bitmap or a page.
//
// DefWindowProc answers WM_PRINT by drawing, as the PRF_ flags ask, the default frame
// (PRF_NONCLIENT), then with the DC's origin on the client area WM_ERASEBKGND (PRF_ERASEBKGND)
// and WM_PRINTCLIENT (PRF_CLIENT), then WM_PRINT to each visible child placed over its position
// (PRF_CHILDREN, bottom of the z-order first). It answers WM_PRINTCLIENT by sending WM_PAINT
// with the DC in wParam: a window procedure that paints into a DC given that way (instead of
// calling BeginPaint) prints without more code.
#pragma once

#include "platform/ui/UiTypes.h"

constexpr LPARAM PRF_CHECKVISIBLE = 0x00000001;
constexpr LPARAM PRF_NONCLIENT = 0x00000002;
constexpr LPARAM PRF_CLIENT = 0x00000004;
constexpr LPARAM PRF_ERASEBKGND = 0x00000008;
constexpr LPARAM PRF_CHILDREN = 0x00000010;
constexpr LPARAM PRF_OWNED = 0x00000020;

namespace kq::ui::detail {

// DefWindowProc's WM_PRINT.
void DefPrint(HWND hwnd, HDC hdc, LPARAM flags);

}  // namespace kq::ui::detail
