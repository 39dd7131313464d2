// Marker shapes: outlined in black and filled with the marker colour (black on low-colour
// devices); the cross is two lines in the marker colour.
#include "chart/Markers.h"

#include "chart/DrawHelpers.h"

namespace {

COLORREF FillColor(COLORREF color, CDCEx* dc) {
    return dc->m_bLowColor ? RGB(0, 0, 0) : color;
}

void FilledPolygon(const POINT* pts, int count, COLORREF color, CDCEx* dc) {
    CPenSelector pen(RGB(0, 0, 0), 1, dc);
    CBrushSelector brush(FillColor(color, dc), dc);
    dc->Polygon(pts, count);
}

}  // namespace

void DrawMarkerSquare(int x, int y, int size, COLORREF color, int, CDCEx* dc) {
    CPenSelector pen(RGB(0, 0, 0), 1, dc);
    CBrushSelector brush(FillColor(color, dc), dc);
    dc->Rectangle(x, y, x + size, y + size);
}

void DrawMarkerCircle(int x, int y, int size, COLORREF color, int, CDCEx* dc) {
    CPenSelector pen(RGB(0, 0, 0), 1, dc);
    CBrushSelector brush(FillColor(color, dc), dc);
    dc->Ellipse(x, y, x + size, y + size);
}

void DrawMarkerCross(int x, int y, int size, COLORREF color, int, CDCEx* dc) {
    CPenSelector pen(FillColor(color, dc), 2, dc);
    dc->MoveTo(x, y);
    dc->LineTo(x + size, y + size);
    dc->MoveTo(x + size, y);
    dc->LineTo(x, y + size);
}

void DrawMarkerDiamond(int x, int y, int size, COLORREF color, int, CDCEx* dc) {
    const POINT pts[] = {
        {x + size / 2, y}, {x + size, y + size / 2}, {x + size / 2, y + size}, {x, y + size / 2}};
    FilledPolygon(pts, 4, color, dc);
}

void DrawMarkerTriangleLeft(int x, int y, int size, COLORREF color, int, CDCEx* dc) {
    const POINT pts[] = {{x + size - 1, y}, {x, y + size / 2}, {x + size - 1, y + size}};
    FilledPolygon(pts, 3, color, dc);
}

void DrawMarkerTriangleUp(int x, int y, int size, COLORREF color, int, CDCEx* dc) {
    const POINT pts[] = {{x + size / 2, y}, {x + size, y + size}, {x, y + size}};
    FilledPolygon(pts, 3, color, dc);
}

void DrawMarkerTriangleRight(int x, int y, int size, COLORREF color, int, CDCEx* dc) {
    const POINT pts[] = {{x, y}, {x + size, y + size / 2}, {x, y + size}};
    FilledPolygon(pts, 3, color, dc);
}

void DrawMarkerTriangleDown(int x, int y, int size, COLORREF color, int, CDCEx* dc) {
    const POINT pts[] = {{x, y}, {x + size, y}, {x + size / 2, y + size}};
    FilledPolygon(pts, 3, color, dc);
}

MarkerPainter MarkerPainterFor(int symbol) {
    static constexpr MarkerPainter kTable[kMarkerCount] = {
        DrawMarkerSquare,        DrawMarkerCircle,       DrawMarkerCross,
        DrawMarkerDiamond,       DrawMarkerTriangleLeft, DrawMarkerTriangleUp,
        DrawMarkerTriangleRight, DrawMarkerTriangleDown};
    return symbol >= 0 && symbol < kMarkerCount ? kTable[symbol] : DrawMarkerSquare;
}
