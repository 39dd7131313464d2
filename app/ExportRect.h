// The rectangle at which the diagram is floated before its picture is taken, by export size
// mode: 0 the screen, 1 the work area, 2 a fixed 800 × 705 bitmap (705 × 800 on a work area
// higher than wide), 3 the diagram's size unchanged, 4 a print page's proportions over the work
// area's width. Pure logic.
#pragma once

#include <optional>

#include "platform/base/Geometry.h"

inline constexpr int kExportScreen = 0;
inline constexpr int kExportWorkArea = 1;
inline constexpr int kExportFixedBitmap = 2;
inline constexpr int kExportKeepSize = 3;
inline constexpr int kExportPrint = 4;

// The export rectangle, less 2.5 % at the right and the bottom; none in mode 3, for an unknown
// mode, or when the work area has no size.
std::optional<CRect> DiagramExportRect(int mode, const CRect& screen, const CRect& workArea);
