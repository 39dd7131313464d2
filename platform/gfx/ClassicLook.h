// Small painting steps shared by the classic-look helpers (edges, frame controls, states).
#pragma once

#include "platform/base/WinTypes.h"

namespace kq::gfx {

void FillSolid(HDC hdc, const RECT& rc, COLORREF color);
// A one-pixel frame: top and left in one colour, right and bottom (with their corners) in the
// other.
void Frame3d(HDC hdc, const RECT& rc, COLORREF topLeft, COLORREF bottomRight);
// A symbol of the "Marlett" face in an em x em square at (x, y).
void DrawSymbol(HDC hdc, int x, int y, int em, char symbol, COLORREF color);
// A symbol centred in rc, drawn greyed (embossed) when inactive.
void DrawCenteredSymbol(HDC hdc, const RECT& rc, int em, char symbol, COLORREF color,
                        bool inactive);

}  // namespace kq::gfx
