// The eight marker shapes of the chart's marker table, each drawn in a square of side `size`
// whose top-left corner is (x, y); the fifth argument is unused.
#pragma once

#include "chart/DCEx.h"

using MarkerPainter = void (*)(int x, int y, int size, COLORREF color, int unused, CDCEx* dc);

void DrawMarkerSquare(int x, int y, int size, COLORREF color, int unused, CDCEx* dc);
void DrawMarkerCircle(int x, int y, int size, COLORREF color, int unused, CDCEx* dc);
void DrawMarkerCross(int x, int y, int size, COLORREF color, int unused, CDCEx* dc);
void DrawMarkerDiamond(int x, int y, int size, COLORREF color, int unused, CDCEx* dc);
void DrawMarkerTriangleLeft(int x, int y, int size, COLORREF color, int unused, CDCEx* dc);
void DrawMarkerTriangleUp(int x, int y, int size, COLORREF color, int unused, CDCEx* dc);
void DrawMarkerTriangleRight(int x, int y, int size, COLORREF color, int unused, CDCEx* dc);
void DrawMarkerTriangleDown(int x, int y, int size, COLORREF color, int unused, CDCEx* dc);

constexpr int kMarkerCount = 8;
// The table in symbol order; a symbol outside 0..7 falls back to the square.
MarkerPainter MarkerPainterFor(int symbol);
