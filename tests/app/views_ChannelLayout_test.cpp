// The channel bars lay out their views: the cells of a 3 : 1 block, the cells' fonts, nothing
// moved when the size stays, no negative size for a tiny client; the diagram bar hands its
// client to the diagram view.
#include <gtest/gtest.h>

#include "AppTest.h"
#include "app/bars/ChannelViewLayout.h"
#include "app/views/CAFormChannel.h"
#include "app/views/CAFormDiagram.h"

namespace apptest {
namespace {

TEST(ChannelLayout, WideAndNarrowClients) {
    const ChannelViewCells wide = LayoutChannelView(300, 100, true);
    EXPECT_EQ(wide.block, CRect(6, 4, 294, 92));
    EXPECT_EQ(wide.cells[0], CRect(6, 4, 294, 48));
    EXPECT_EQ(wide.cells[1], CRect(6, 52, 99, 70));
    EXPECT_EQ(wide.cells[3], CRect(200, 52, 293, 70));
    EXPECT_EQ(wide.cells[6], CRect(200, 74, 293, 92));
    const ChannelViewCells narrow = LayoutChannelView(200, 150, true);
    EXPECT_EQ(narrow.block, CRect(4, 4, 192, 58));
    EXPECT_EQ(LayoutChannelView(200, 150, false).block.top, (150 - 54) / 2);
    const ChannelViewCells tiny = LayoutChannelView(10, 3, true);
    for (const CRect& cell : tiny.cells) {
        EXPECT_GE(cell.Width(), 0);
        EXPECT_GE(cell.Height(), 0);
    }
    const CellFont value = FontOfCell(0, wide.cells[0].Size());
    EXPECT_EQ(value.width, 15);
    EXPECT_EQ(value.height, 41);
    const CellFont field = FontOfCell(1, wide.cells[1].Size());
    EXPECT_EQ(field.width, 4);
    EXPECT_EQ(field.height, 17);
    const CellFont button = FontOfCell(4, wide.cells[4].Size());
    EXPECT_EQ(button.width, 5);
    EXPECT_EQ(button.height, 12);
    EXPECT_EQ(button.weight, 700);
    EXPECT_EQ(FontOfCell(5, CSize(0, 0)).height, 1);
}

class BarLayout : public StartedApp {
  protected:
    void SetUp() override {
        StartedApp::SetUp();
        Run(100);
    }
    static CRect ControlRect(CWnd* view, UINT id) {
        CRect r;
        view->GetDlgItem(id)->GetWindowRect(&r);
        view->ScreenToClient(&r);
        return r;
    }
};

TEST_F(BarLayout, AChannelBarPlacesItsViewsControlsAndFonts) {
    CViewBar& bar = frame_->m_wndViewBar[0];
    CAFormChannelX* view = frame_->GetChannelView(0);
    bar.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 100));
    EXPECT_EQ(ControlRect(view, CAFormChannelX::IDC_VALUE_FIELD), CRect(6, 4, 294, 48));
    EXPECT_EQ(ControlRect(view, CAFormChannelX::IDC_MAX_RESET), CRect(200, 74, 293, 92));
    EXPECT_EQ(bar.GetPlacer().GetFontDescription(0).lfHeight, 41);
    EXPECT_EQ(bar.GetPlacer().GetFontDescription(4).lfWeight, 700);
    const HFONT valueFont = bar.GetPlacer().GetFont(0);
    EXPECT_EQ(reinterpret_cast<HFONT>(
                  view->GetDlgItem(CAFormChannelX::IDC_VALUE_FIELD)->SendMessage(WM_GETFONT)),
              valueFont);
    // The same size again: nothing moves, no font is made.
    view->GetDlgItem(CAFormChannelX::IDC_TARA)->MoveWindow(0, 0, 5, 5);
    bar.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 100));
    EXPECT_EQ(ControlRect(view, CAFormChannelX::IDC_TARA), CRect(0, 0, 5, 5));
    EXPECT_EQ(bar.GetPlacer().GetFont(0), valueFont);
    bar.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(10, 3));
    EXPECT_GE(ControlRect(view, CAFormChannelX::IDC_TARA).Width(), 0);
}

TEST_F(BarLayout, TheDiagramBarHandsItsClientToTheDiagram) {
    frame_->m_wndDiagramBar.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 300));
    CGraphicDisplayWnd* diagram = frame_->GetDiagramView()->GetDiagram();
    ASSERT_NE(diagram, nullptr);
    CRect r;
    diagram->GetWindowRect(&r);
    frame_->GetDiagramView()->ScreenToClient(&r);
    EXPECT_EQ(r, CRect(9, 9, 390, 290));
}

}  // namespace
}  // namespace apptest
