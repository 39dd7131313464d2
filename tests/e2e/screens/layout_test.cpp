// The main window's layout as an operator sees it with a four-port device: the page area and
// the docked bars never cover each other, the diagram spans the frame's width at the bottom of
// the measure-and-diagram page, its channel views stand in one column equally high, and the
// other pages show none of these bars.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/ExportRect.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "res/resource.h"
#include "tests/e2e/screens/WholeApp.h"

namespace screens {
namespace {

constexpr int64_t kMaxStartMs = 60000;
constexpr UINT kMeasureDiagramPage = 138;
constexpr UINT kToggleDiagramCommand = 10025;

std::string Text(const CRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

struct Shown {
    std::string name;
    CRect rect;
};

// The visible docked bars of the frame, in screen coordinates.
std::vector<Shown> VisibleBars(CMainFrame* frame) {
    std::vector<Shown> bars;
    auto add = [&](CControlBar& bar, const std::string& name) {
        if (!bar.IsWindowVisible())
            return;
        CRect rect;
        bar.GetWindowRect(&rect);
        bars.push_back({name, rect});
    };
    for (int i = 0; i < 7; ++i)
        add(frame->m_wndViewBar[i], "channel bar " + std::to_string(i));
    add(frame->m_wndDiagramBar, "diagram bar");
    add(frame->m_wndNaviBar, "navigation bar");
    return bars;
}

// No visible bar covers the view (where the pages show) or another bar.
void ExpectNothingOverlaps(CMainFrame* frame, const char* state) {
    CRect view;
    frame->GetActiveView()->GetWindowRect(&view);
    const std::vector<Shown> bars = VisibleBars(frame);
    for (size_t i = 0; i < bars.size(); ++i) {
        CRect common;
        EXPECT_FALSE(common.IntersectRect(&view, &bars[i].rect))
            << state << ": the " << bars[i].name << " " << Text(bars[i].rect)
            << " covers the page area " << Text(view);
        for (size_t j = i + 1; j < bars.size(); ++j) {
            // Neighbouring bars of one row share their 2-pixel borders.
            CRect inner = bars[j].rect;
            inner.DeflateRect(2, 2);
            EXPECT_FALSE(common.IntersectRect(&inner, &bars[i].rect))
                << state << ": the " << bars[i].name << " " << Text(bars[i].rect) << " covers the "
                << bars[j].name << " " << Text(bars[j].rect);
        }
    }
}

// The measure-and-diagram page: the diagram alone in the bottom row spans the frame's client
// width, and the visible channel bars of A to D stand in one column, equally high when the
// frame has just laid them out for the page (a resized frame divides its growth among them).
void ExpectMeasureLayout(CMainFrame* frame, const char* state, bool equalHeights = true) {
    ExpectNothingOverlaps(frame, state);
    ASSERT_TRUE(frame->m_wndDiagramBar.IsWindowVisible()) << state;
    CRect client;
    frame->GetClientRect(&client);
    frame->ClientToScreen(&client);
    CRect diagram;
    frame->m_wndDiagramBar.GetWindowRect(&diagram);
    EXPECT_LE(diagram.left, client.left + 2) << state << ": diagram " << Text(diagram);
    EXPECT_GE(diagram.right, client.right - 2) << state << ": diagram " << Text(diagram);
    CRect view;
    frame->GetActiveView()->GetWindowRect(&view);
    EXPECT_LE(view.bottom, diagram.top) << state << ": the diagram lies below the page area";

    std::vector<CRect> channels;
    for (int i = 0; i < 4; ++i) {
        if (!frame->m_wndViewBar[i].IsWindowVisible())
            continue;
        CRect rect;
        frame->m_wndViewBar[i].GetWindowRect(&rect);
        channels.push_back(rect);
    }
    ASSERT_EQ(channels.size(), 4u) << state;
    for (const CRect& rect : channels) {
        EXPECT_EQ(rect.left, channels[0].left) << state << ": " << Text(rect);
        // The column's length rarely divides evenly: its division hands the spare pixels to
        // the first bars.
        if (equalHeights) {
            EXPECT_NEAR(rect.Height(), channels[0].Height(), 2) << state << ": " << Text(rect);
        }
        EXPECT_GE(rect.left, view.right) << state << ": the channel views stand right of the page";
    }
}

TEST(Layout, BarsAndPageAreaShareTheFrameOnEveryPageWithAFourPortDevice) {
    wholeapp::WholeApp app;
    ASSERT_GE(app.StartUntilFourSensorsFound(kMaxStartMs), 0);
    ASSERT_TRUE(app.ActivateDevice(kMaxStartMs));
    CMainFrame* frame = app.Frame();
    ASSERT_TRUE(app.StartMeasuring(1e9));
    app.Run(1000);
    ExpectMeasureLayout(frame, "measuring");

    // The diagram closed and opened again takes the whole row back.
    frame->SendMessage(WM_COMMAND, kToggleDiagramCommand);
    app.Run(100);
    ASSERT_FALSE(frame->m_wndDiagramBar.IsWindowVisible());
    ExpectNothingOverlaps(frame, "diagram closed");
    frame->SendMessage(WM_COMMAND, kToggleDiagramCommand);
    app.Run(100);
    ExpectMeasureLayout(frame, "diagram opened again");

    // A picture of the diagram floats it at the export size; it then docks back into its row.
    frame->PrepareDiagramForExport(kExportPrint);
    app.Run(100);
    frame->RestoreDiagramBarDocking();
    app.Run(100);
    ExpectMeasureLayout(frame, "diagram docked back after an export");

    // The frame maximised and restored: the rows follow its new size.
    frame->ShowWindow(SW_SHOWMAXIMIZED);
    app.Run(100);
    ExpectMeasureLayout(frame, "maximised", false);
    frame->ShowWindow(SW_RESTORE);
    app.Run(100);
    ExpectMeasureLayout(frame, "restored", false);

    frame->GetMeasureDiagramPage()->SendMessage(
        WM_COMMAND, MAKEWPARAM(IDC_MD_STOP, BN_CLICKED),
        reinterpret_cast<LPARAM>(frame->GetMeasureDiagramPage()->GetDlgItem(IDC_MD_STOP)->m_hWnd));
    app.Run(500);
    ASSERT_FALSE(app.IsMeasuring());
    for (UINT page : kPageIds) {
        if (page == kMeasureDiagramPage)
            continue;
        ASSERT_TRUE(frame->SetOperatingMode(page)) << page;
        app.Run(200);
        const std::string state = "page " + std::to_string(page);
        ExpectNothingOverlaps(frame, state.c_str());
        for (const Shown& bar : VisibleBars(frame))
            EXPECT_EQ(bar.name, "navigation bar") << state << " shows the " << bar.name;
    }
    ASSERT_TRUE(frame->SetOperatingMode(kMeasureDiagramPage));
    app.Run(200);
    ExpectMeasureLayout(frame, "back on the measure-and-diagram page");
}

}  // namespace
}  // namespace screens
