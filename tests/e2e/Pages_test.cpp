// The measure-and-diagram page on the road: the live diagram shows an axis for each channel of
// the sensor and none for the others; a right click on the chart offers the chart's properties,
// and a colour picked there for a curve is the colour the curve is drawn in; the page's value
// count and the print's title follow a language switch at once.
#include "Files.h"
#include "Road.h"
#include "app/MainFrame.h"
#include "app/views/CAFormDiagram.h"
#include "app/views/GraphicDisplayWnd.h"
#include "chart/XGraph.h"
#include "chart/dialogs/ChartDialogIds.h"
#include "chart/dialogs/ChartPage.h"
#include "chart/dialogs/ColourPopup.h"
#include "chart/dialogs/ColourTable.h"
#include "chart/dialogs/CurveDlg.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/Input.h"
#include "res/resource.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using DiagramMenu = Road;
using MeasurePage = Road;

constexpr int kMeasuring = 5272;  // the measuring state's text, "Messen..."

// Pixels of the colour in the chart's plot.
int PixelsOf(CXGraph& chart, COLORREF colour) {
    const CRect area = chart.GetPlotRect();
    HDC dc = ::GetDC(chart.GetSafeHwnd());
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x)
            count += ::GetPixel(dc, x, y) == colour;
    }
    ::ReleaseDC(chart.GetSafeHwnd(), dc);
    return count;
}

TEST_F(DiagramMenu, TheSensorsChannelsHaveAxesAndThePropertiesGiveACurveANewColour) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    ASSERT_TRUE(Measure(*app_, 2000));
    CGraphicDisplayWnd* live = app_->Frame()->GetDiagramView()->GetDiagram();
    CXGraph& chart = *live->GetChart();
    const COLORREF before = chart.GetCurve(0).GetColor();
    ASSERT_GT(PixelsOf(chart, before), 50);
    // The sensor has channels A and B: no axis stands for a channel without a unit.
    int axes = 0;
    for (int i = 0; i < chart.GetYAxisCount(); ++i) {
        CXGraphAxis& axis = chart.GetYAxis(i);
        if (!axis.GetVisible())
            continue;
        ++axes;
        EXPECT_EQ(axis.GetLabel().Find("[]"), -1) << axis.GetLabel().GetString();
    }
    EXPECT_EQ(axes, 2);

    // A right click on the plot; in its menu the last entry, the properties.
    CRect plot = chart.GetPlotRect();
    chart.ClientToScreen(&plot);
    const POINT at = plot.CenterPoint();
    kq::ui::InjectMouseMove(at);
    kq::ui::InjectMouseButton(at, VK_RBUTTON, true);
    kq::ui::InjectMouseButton(at, VK_RBUTTON, false);
    kq::ui::InjectKey(VK_UP, true);
    kq::ui::InjectKey(VK_UP, false);
    kq::ui::InjectKey(VK_RETURN, true);
    kq::ui::InjectKey(VK_RETURN, false);
    app_->RunUntil(
        [&] {
            return live->GetProperties() != nullptr && live->GetProperties()->IsWindowVisible();
        },
        5000);
    CChartPage* sheet = live->GetProperties();
    ASSERT_NE(sheet, nullptr) << "no properties in the chart's menu";
    ASSERT_TRUE(sheet->IsWindowVisible());

    // The curve tab, its colour button, a colour of the grid, OK.
    CTabCtrl& tabs = sheet->GetTabCtrl();
    CRect tab;
    ASSERT_TRUE(tabs.GetItemRect(CChartPage::kCurveTab, &tab));
    tabs.ClientToScreen(&tab);
    app_->ClickAt(tab.CenterPoint());
    app_->RunUntil(
        [&] { return sheet->GetCurveDlg() != nullptr && sheet->GetCurveDlg()->IsWindowVisible(); },
        5000);
    CCurveDlg* curvePage = sheet->GetCurveDlg();
    ASSERT_NE(curvePage, nullptr);
    ASSERT_TRUE(curvePage->IsWindowVisible());
    ASSERT_EQ(sheet->GetCurrentCurveIndex(), 0);
    app_->Run(1000);  // never a double click
    app_->Click(curvePage->GetDlgItem(IDC_XG_COLOR)->GetSafeHwnd());
    auto* popup = dynamic_cast<CColourPopup*>(CWnd::FromHandlePermanent(::GetCapture()));
    ASSERT_NE(popup, nullptr) << "the colour button opened nothing";
    int cell = 0;
    while (kq::chart::kColourTable[cell].color == before ||
           kq::chart::kColourTable[cell].color == RGB(255, 255, 255))
        ++cell;
    const COLORREF chosen = kq::chart::kColourTable[cell].color;
    CPoint pick = popup->CellRect(cell).CenterPoint();
    popup->ClientToScreen(&pick);
    app_->ClickAt(pick);
    app_->Click(curvePage->GetDlgItem(IDOK)->GetSafeHwnd());
    app_->RunUntil([&] { return !sheet->IsWindowVisible(); }, 5000);

    EXPECT_FALSE(sheet->IsWindowVisible());
    EXPECT_EQ(chart.GetCurve(0).GetColor(), chosen);
    EXPECT_GT(PixelsOf(chart, chosen), 50);
    EXPECT_EQ(PixelsOf(chart, before), 0);
}

TEST_F(MeasurePage, TheValueCountAndThePrintChangeTheirLanguageWithTheProgram) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    ASSERT_TRUE(Measure(*app_, 1000));
    HWND count = FindControl(app_->FrameWindow(), IDC_MD_COUNT);
    ASSERT_EQ(WindowText(count).rfind(TableText(IDS_MD_VALUES, LanguageOffset()) + ": ", 0), 0u);
    const bool english = LanguageOffset() == 1000;
    app_->Command(english ? kCommandGerman : kCommandEnglish);
    const std::string now = TableText(IDS_MD_VALUES, english ? 0 : 1000);
    app_->RunUntil([&] { return WindowText(count).rfind(now + ": ", 0) == 0; }, 5000);
    EXPECT_EQ(WindowText(count).rfind(now + ": ", 0), 0u) << WindowText(count);
    // The print is titled in the new language too ("Messen", "Measure").
    const std::string pdf = root_ + "/diagram.pdf";
    ASSERT_TRUE(PrintToPdf(*app_, pdf));
    std::string title = TableText(kMeasuring, english ? 0 : 1000);
    title.erase(title.find_last_not_of('.') + 1);
    EXPECT_EQ(ReadPdf(pdf).title, title);
}

}  // namespace
}  // namespace e2e
