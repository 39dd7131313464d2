// The five drawing operations of the page-layout printing classes: text, text measurement,
// line, box and fill, each turning a PageState into GDI calls on the state's DC. x coordinates
// get the state's hOffset added; y coordinates are used as they are.
#pragma once

#include "controls/print/PageState.h"

class CPrinter {
  public:
    virtual ~CPrinter() = default;

    // The extent s.text would take in the box (lastHeight, lastRight, textBox), without
    // drawing; the metrics block stays as it was.
    virtual void MeasureText(PageState& s, double lineSpacing);
    // Draws s.text in the box and records its extent and the font's metrics (logical units).
    // A box with right and bottom 0 grows to the text. An empty text does nothing.
    virtual void OutputText(PageState& s, double lineSpacing);
    // A line from (left, top) to (right, bottom) in the text colour.
    virtual void OutputLine(PageState& s, int penWidth);
    // The box filled by fillFlags and bordered in the text colour and lineStyle.
    virtual void OutputBox(PageState& s, int penWidth);
    // The box filled by fillFlags, without a border; nothing without a fill bit.
    virtual void OutputFill(PageState& s);
};

namespace kq::print {

// The stock brush (GRAY_BRUSH ... NULL_BRUSH) for fill flags.
int StockBrushFor(int fillFlags);
// The pen style of a line, and of a box border (only dash and dot count there).
int LinePenStyle(int lineStyle);
int BorderPenStyle(int lineStyle);
// The DrawText format for text flags.
UINT DrawTextFormat(int textFlags);

}  // namespace kq::print
