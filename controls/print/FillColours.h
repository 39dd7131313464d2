// Text colour and background for drawing on a filled background (a region's or a cell's): above
// 0 the background goes transparent, above 2 (dark grey or black) the text and pen go white.
// Both come back when the object ends.
#pragma once

#include "platform/gfx/CDC.h"

class FillColours {
  public:
    FillColours(CDC* dc, int fill);
    ~FillColours();
    FillColours(const FillColours&) = delete;
    FillColours& operator=(const FillColours&) = delete;

  private:
    CDC* m_dc;
    int m_oldMode = 0;
    COLORREF m_oldColour = 0;
    bool m_modeSet = false;
    bool m_colourSet = false;
};
