// The stock objects of GDI (GetStockObject), the 1 x 1 monochrome bitmap every memory DC starts
// with, and the permanent system-colour brushes.
#pragma once

#include "platform/base/WinTypes.h"

namespace kq::gfx {

// The handle of a stock object, null for an unknown index.
HGDIOBJ StockObject(int index);
HBITMAP StockBitmap();

}  // namespace kq::gfx

HGDIOBJ GetStockObject(int index);
