// The live diagram hides the Y axes of the curves it shows without their own scale and of the
// channels that are off; the mouse over a shown curve must still find that curve.
#include <gtest/gtest.h>

#include "AppTest.h"
#include "app/views/CAFormDiagram.h"

namespace apptest {
namespace {

class ChannelBOff : public IDiagramSource {
  public:
    void GetDiagramRows(DiagramRow (&out)[kRows]) const override {
        for (int k = 0; k < kRows; ++k)
            out[k] = {k + 1, static_cast<BYTE>(k == 1 ? 0 : 1)};
    }
    double GetMeasuringInterval() const override { return 0.1; }
    int GetAveragingCount() const override { return 1; }
    int GetChannelDecimals(int) const override { return 2; }
};

class LiveDiagramHitTest : public StartedApp {};

TEST_F(LiveDiagramHitTest, TheCurveUnderTheMouseGetsItsReadoutWithHiddenAxes) {
    Run(100);
    frame_->ShowWindow(SW_SHOWNORMAL);
    frame_->ShowControlBar(&frame_->m_wndDiagramBar, TRUE, FALSE);
    frame_->m_wndDiagramBar.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(600, 400));
    CAFormDiagram* view = frame_->GetDiagramView();
    ASSERT_NE(view, nullptr);
    ChannelBOff source;
    view->SetDiagramSource(&source);
    CGraphicDisplayWnd* diagram = view->GetDiagram();
    ASSERT_NE(diagram, nullptr);
    const BYTE flags[6] = {1, 1, 1, 1, 1, 1};
    ASSERT_EQ(diagram->ReallocateStorage(100, flags), 100u);
    view->StartDiagram(TRUE);
    for (int i = 0; i < 10; ++i) {
        diagram->AddPoint(0, i, i);
        diagram->AddPoint(1, i, 9 - i);
    }
    diagram->showCurve(0, TRUE, FALSE, TRUE);
    diagram->showCurve(1, FALSE, FALSE, TRUE);
    Run(200);  // the x window the view sets after a change
    CXGraph* chart = diagram->GetChart();
    chart->Invalidate(FALSE);
    chart->UpdateWindow();
    ASSERT_FALSE(chart->GetYAxis(1).GetVisible());
    diagram->OnMenuCommand(60001);  // zooming: the chart answers the mouse

    const double xy[2] = {4.5, 4.5};
    const CPoint onCurve(chart->GetXAxis(0).GetPointForValue(xy).x,
                         chart->GetYAxis(0).GetPointForValue(xy).y);
    // The first notice only names the curve; the next starts the read-out's delay.
    chart->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(onCurve.x, onCurve.y));
    Run(10);
    chart->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(onCurve.x, onCurve.y));
    Run(2500);
    EXPECT_TRUE(diagram->IsReadoutShown());
}

}  // namespace
}  // namespace apptest
