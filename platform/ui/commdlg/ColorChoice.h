// The colours the colour dialog offers.
#pragma once

#include "platform/base/WinTypes.h"

namespace kq::ui::commdlg {

constexpr int kBasicColorRows = 6;
constexpr int kBasicColorColumns = 8;
constexpr int kCustomColors = 16;

// Row by row, 8 to a row.
const COLORREF* BasicColors();
// The basic colour equal to the colour, -1 when none is.
int BasicColorIndex(COLORREF color);

}  // namespace kq::ui::commdlg
