// Print preview: a printer DC's page shown on the screen.
#pragma once

#include "platform/base/WinTypes.h"

namespace kq::gfx {

// The page of a printer DC as it comes out on the sheet (the printable area at its offset on a
// white sheet), scaled by `scale` with area averaging into a new 32-bit bitmap that the caller
// deletes. The bitmap is the sheet's size times the scale, at least 1 x 1. Null when the DC is
// not a printer DC or the scale is not positive or makes a bitmap too large.
HBITMAP RenderPagePreview(HDC printerDc, double scale);

}  // namespace kq::gfx
