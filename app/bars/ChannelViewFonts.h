// The seven fonts of one channel view's controls, made anew only when a cell's font size
// changes, and the placing of the controls in their cells.
#pragma once

#include "app/bars/ChannelViewLayout.h"
#include "platform/framework/Framework.h"

class ChannelViewPlacer {
  public:
    // Moves the view's seven controls to the cells of a client of width × height; fonts follow
    // when cell 0 changed size. Nothing happens when the client size is the last one laid out.
    void Place(CWnd* view, int width, int height);
    const LOGFONT& GetFontDescription(int cell) const { return m_aMade[cell]; }
    HFONT GetFont(int cell) const;

  private:
    void MakeFonts(CWnd* view, const ChannelViewCells& cells);

    CSize m_lastClient{-1, -1};
    CSize m_lastCell0{0, 0};
    LOGFONT m_aMade[7] = {};
    bool m_abFirst[7] = {true, true, true, true, true, true, true};
    CFont m_aFonts[7];
};
