// Where the seven controls of a channel view stand in its bar's client and which fonts they get:
// a block of aspect ratio 3 : 1, the value field over its upper half, the tare, minimum and
// maximum fields and the three buttons in two rows below. Pure logic.
#pragma once

#include "platform/base/Geometry.h"

struct ChannelViewCells {
    CRect block;     // left, top, right, bottom
    CRect cells[7];  // value, tare, minimum, maximum fields; Tara, min Reset, max Reset
};

// The cells for a client of width × height; top-anchored blocks of narrow clients start at the
// top, others are centred. No size comes out negative.
ChannelViewCells LayoutChannelView(int width, int height, bool topAnchored);

struct CellFont {
    int width = 1;
    int height = 1;
    int weight = 400;
};
// The font that suits cell k (0..6) of the given size; width and height at least 1.
CellFont FontOfCell(int cell, CSize size);
