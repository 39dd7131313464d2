// Where the diagram's printed page puts its frame, header band and picture: the layout is kept
// in centimetres on an A4 sheet whose printable area is taken as centred, and turned into the
// printer's pixels here, apart from any device.
#pragma once

#include "platform/base/Geometry.h"

struct DiagramPrintLayout {
    // The printable size in pixels (HORZRES, VERTRES) and the resolution in dots per inch.
    DiagramPrintLayout(int printableWidth, int printableHeight, int dpiX, int dpiY);
    int X(double cm) const;
    int Y(double cm) const;

    CRect frame;        // the outer frame
    int bandBottom;     // the line closing the header band
    int separatorLeft;  // the band's two vertical separators
    int separatorRight;
    CRect addressCell, middleCell, dateCell;  // the band's cells, inside their lines
    CRect diagramArea;                        // below the band, inside the frame

  private:
    double m_offsetX, m_offsetY;  // centimetres of the sheet left of and above the printable area
    int m_dpiX, m_dpiY;
};

// The three header fonts' heights and weights for a resolution: headline, address, comment and
// date; heights at least 1, weights within 1..1000.
struct DiagramPrintFont {
    int height;
    int weight;
};
DiagramPrintFont DiagramPrintFontFor(int font, int dpi);
