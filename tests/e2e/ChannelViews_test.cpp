// The measure-and-diagram page as the operator sees it: the channel views the sensor's
// configuration asks for beside a diagram tall enough to read, a view switched on from the menu
// and kept by the sensor over a restart, the power channel P1 ticked on the page, two trigger
// cycles one after the other, and a run without values saved as such.
#include <cmath>
#include <cstdlib>
#include <string>

#include "Files.h"
#include "Road.h"
#include "app/MainFrame.h"
#include "app/views/CAFormDiagram.h"
#include "app/views/GraphicDisplayWnd.h"
#include "chart/XGraph.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "platform/ui/WinUser.h"
#include "res/measure_adjust.h"
#include "res/resource.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using ChannelViews = Road;

constexpr UINT kCommandChannelB = 10032;
constexpr int kValueField = 1006;
constexpr int kChannelP1 = 4;

bool BarShown(AppDriver& app, int channel) {
    return app.Frame()->m_wndViewBar[channel].IsWindowVisible() != FALSE;
}

// The number a channel view shows ("10,00" reads 10.0); NaN when it shows none.
double ShownValue(AppDriver& app, int channel) {
    HWND field = FindControl(app.Frame()->m_wndViewBar[channel].m_hWnd, kValueField);
    std::string text = WindowText(field);
    for (char& c : text)
        c = c == ',' ? '.' : c;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    return end == text.c_str() ? NAN : value;
}

int PlotHeight(AppDriver& app) {
    CAFormDiagram* view = app.Frame()->GetDiagramView();
    CGraphicDisplayWnd* diagram = view != nullptr ? view->GetDiagram() : nullptr;
    return diagram != nullptr && diagram->GetChart() != nullptr
               ? diagram->GetChart()->GetPlotRect().Height()
               : 0;
}

TEST_F(ChannelViews, TheSensorsChoiceShowsBesideAReadableDiagramAndStaysWithTheSensor) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    ShowPage(*app_, kCommandMeasureDiagram);
    // A sensor not yet configured by the program shows both its channels.
    EXPECT_TRUE(BarShown(*app_, 0));
    EXPECT_TRUE(BarShown(*app_, 1));
    EXPECT_GE(PlotHeight(*app_), 200) << "the docked diagram at its size on the page";

    // The operator hides B; its view goes on showing its values.
    ASSERT_TRUE(IsCommandEnabled(*app_, kCommandChannelB));
    app_->Command(kCommandChannelB);
    ASSERT_TRUE(app_->RunUntil([&] { return !BarShown(*app_, 1); }, 10000));
    double a = NAN;
    double b = NAN;
    ASSERT_TRUE(Measure(*app_, 2000, [&] {
        a = ShownValue(*app_, 0);
        b = ShownValue(*app_, 1);
    }));
    // The sine load of 200 +- 100 N·m on A, the constant 10 N·m on B.
    EXPECT_GE(a, 99.9);
    EXPECT_LE(a, 300.1);
    EXPECT_NEAR(b, 10.0, 0.1);
    EXPECT_GE(PlotHeight(*app_), 200) << "with channel A's view beside it";

    // The choice went into the sensor's configuration: the next start keeps B hidden.
    ASSERT_TRUE(app_->Close());
    app_->ReloadSettings();
    StartApp();
    ShowPage(*app_, kCommandMeasureDiagram);
    EXPECT_TRUE(BarShown(*app_, 0));
    EXPECT_FALSE(BarShown(*app_, 1));
    ASSERT_TRUE(app_->Close());
}

TEST_F(ChannelViews, TickingP1ShowsThePowerOfTorqueAndSpeed) {
    // 100 N·m on A and a speed channel B turning at a constant rate.
    StartBench(
        {"--sensor", "serial=1001,baud=230400,signal-a=const:10000,unit-b=Y,signal-b=const:1000",
         "--state", stateFile_},
        1);
    StartApp();
    ShowPage(*app_, kCommandMeasureDiagram);
    ASSERT_FALSE(BarShown(*app_, kChannelP1));
    app_->Click(FindControl(app_->FrameWindow(), IDC_MD_P1));
    ASSERT_TRUE(app_->RunUntil([&] { return BarShown(*app_, kChannelP1); }, 10000));
    double torque = NAN;
    double speed = NAN;
    double power = NAN;
    ASSERT_TRUE(Measure(*app_, 2000, [&] {
        torque = ShownValue(*app_, 0);
        speed = ShownValue(*app_, 1);
        power = ShownValue(*app_, kChannelP1);
    }));
    // A page layout after the tick keeps the bar.
    ShowPage(*app_, kCommandMeasureSettings);
    ShowPage(*app_, kCommandMeasureDiagram);
    EXPECT_TRUE(BarShown(*app_, kChannelP1));
    // P = M · 2π n / 60: 100 N·m at the speed shown, in watts.
    EXPECT_NEAR(torque, 100.0, 0.1);
    EXPECT_GT(speed, 0.0);
    EXPECT_NEAR(power, torque * speed * 2 * M_PI / 60.0, std::abs(power) * 0.01 + 0.1);
}

TEST_F(ChannelViews, ASecondTriggerCycleStartsAfterTheOperatorStoppedTheFirst) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    // Start when A rises through 250 N·m, after it was below 240.
    ShowPage(*app_, kCommandMeasureSettings);
    HWND frame = app_->FrameWindow();
    ChooseItem(*app_, FindControl(frame, IDC_ADJ_START_CODE), 1);
    ChooseItem(*app_, FindControl(frame, IDC_ADJ_START_DIRECTION), 0);
    TypeInto(*app_, FindControl(frame, IDC_ADJ_START_LEVEL), "250");
    TypeInto(*app_, FindControl(frame, IDC_ADJ_START_HYSTERESIS), "10");
    ShowPage(*app_, kCommandMeasureDiagram);
    CDlgMeasureDiagram* panel = app_->Frame()->GetMeasureDiagramPage();
    HWND trigger = FindControl(frame, IDC_MD_TRIGGER);
    HWND stop = FindControl(frame, IDC_MD_STOP);
    HWND start = FindControl(frame, IDC_MD_START);
    for (int cycle = 0; cycle < 2; ++cycle) {
        ASSERT_TRUE(::IsWindowEnabled(trigger)) << "cycle " << cycle;
        app_->Click(trigger);
        // The sine's period is 8 s: it passes 240 and 250 once in each.
        ASSERT_TRUE(app_->RunUntil([&] { return panel->IsMeasuring() != FALSE; }, 12000))
            << "cycle " << cycle << " never started";
        app_->Run(500);
        app_->Click(stop);
        ASSERT_TRUE(app_->RunUntil([&] { return ::IsWindowEnabled(start) != FALSE; }, 10000));
    }
}

TEST_F(ChannelViews, ARunWithoutValuesIsSavedAsSuch) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    ASSERT_TRUE(Measure(*app_, 1000));
    app_->Run(1500);
    // Stopped before the sensor delivered anything.
    HWND frame = app_->FrameWindow();
    HWND start = FindControl(frame, IDC_MD_START);
    app_->Click(start);
    ASSERT_TRUE(app_->Frame()->GetMeasureDiagramPage()->IsMeasuring());
    app_->Click(FindControl(frame, IDC_MD_STOP));
    ASSERT_TRUE(app_->RunUntil(
        [&] {
            return ::IsWindowEnabled(start) != FALSE && IsCommandEnabled(*app_, kCommandSaveValues);
        },
        10000));
    const std::string csv = root_ + "/empty.csv";
    ASSERT_TRUE(SaveValues(*app_, csv));
    EXPECT_NE(ReadFile(csv).find("No values registered, sorry!"), std::string::npos)
        << ReadFile(csv);
}

}  // namespace
}  // namespace e2e
