// A plain frame with a view pane and three caption bars of the resizable family, as the main
// window docks its view bars; the bars open their drag state to the tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/bars/SizingControlBarCF.h"
#include "framework/bars_fixture_test.h"

namespace apptest {

class TestSizingBar : public CSizingControlBarCF {
  public:
    using CSizingControlBar::DivideRow;
    using CSizingControlBar::m_bFullDrag;
    using CSizingControlBar::m_bKeepSize;
    using CSizingControlBar::m_nTrackLimitHigh;
    using CSizingControlBar::m_nTrackLimitLow;
    using CSizingControlBarCF::m_bActive;
};

class SizingBars : public kq::fw::test::BarsTest {
  protected:
    void SetUp() override;

    // Docks the bars one below (or beside) the other in one row of the side.
    void DockInOneRow(UINT side, std::initializer_list<int> which);
    // The close button's square on the screen.
    CRect CloseButtonOnScreen(const TestSizingBar& bar) const;
    LRESULT HitAt(CWnd& bar, CPoint point) const;

    TestSizingBar bars_[3];
};

}  // namespace apptest
