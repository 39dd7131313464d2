// Step four of the road: the measure configuration page's rate, a channel's unit and decimals
// and a pass/fail limit, changed through its controls, reach the sensor's software configuration
// (the simulator's memory) and come back on a second start of the program.
#include <algorithm>
#include <iterator>

#include "Files.h"
#include "Road.h"
#include "app/MainFrame.h"
#include "platform/ui/WinUser.h"
#include "protocol/BlockLayouts.h"
#include "res/measure_adjust.h"
#include "res/resource.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using Configure = Road;

int Selected(HWND combo) {
    return static_cast<int>(::SendMessage(combo, CB_GETCURSEL, 0, 0));
}

int ItemCount(HWND combo) {
    return static_cast<int>(::SendMessage(combo, CB_GETCOUNT, 0, 0));
}

// Another item than the one selected, inside the list.
int Other(HWND combo, int preferred) {
    const int now = Selected(combo);
    return preferred != now && preferred < ItemCount(combo) ? preferred
                                                            : (now + 1) % ItemCount(combo);
}

TEST_F(Configure, RateUnitDecimalsAndALimitReachTheSensorAndSurviveARestart) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    ShowPage(*app_, kCommandMeasureSettings);
    HWND frame = app_->FrameWindow();
    HWND rate = FindControl(frame, IDC_ADJ_RATE);
    HWND unit = FindControl(frame, IDC_ADJ_ROW_UNIT);
    HWND decimals = FindControl(frame, IDC_ADJ_ROW_DECIMALS);
    HWND upper = FindControl(frame, IDC_ADJ_UPPER_1);
    ASSERT_TRUE(rate && unit && decimals && upper);
    ASSERT_GT(ItemCount(unit), 1) << "channel A offers one unit only";

    const int newRate = Other(rate, 3);
    const int newUnit = Other(unit, 1);
    const int newDecimals = Other(decimals, 3);
    ChooseItem(*app_, rate, newRate);
    ChooseItem(*app_, unit, newUnit);
    ChooseItem(*app_, decimals, newDecimals);
    TypeInto(*app_, upper, "123");
    // The frame writes the software configuration a little after the last change.
    const CMainFrame& mainFrame = *app_->Frame();
    app_->RunUntil(
        [&] {
            return mainFrame.m_iSoftwareConfigWriteCalls > 0 &&
                   std::none_of(std::begin(mainFrame.m_abSoftwareConfigPending),
                                std::end(mainFrame.m_abSoftwareConfigPending),
                                [](BOOL pending) { return pending != FALSE; }) &&
                   IsSensorOpen(*app_);
        },
        15000);
    EXPECT_TRUE(app_->messages.empty()) << app_->messages.front().text;

    ASSERT_TRUE(app_->Close());
    app_->ReloadSettings();
    ASSERT_TRUE(app_->Start());
    ASSERT_TRUE(WaitForMainWindow(*app_));
    app_->Command(LanguageCommand());
    // The page shows what the sensor's configuration holds once the sensor is read.
    EXPECT_TRUE(WaitForSensorOpen(*app_));
    ShowPage(*app_, kCommandMeasureSettings);
    frame = app_->FrameWindow();
    EXPECT_EQ(Selected(FindControl(frame, IDC_ADJ_RATE)), newRate);
    EXPECT_EQ(Selected(FindControl(frame, IDC_ADJ_ROW_UNIT)), newUnit);
    EXPECT_EQ(Selected(FindControl(frame, IDC_ADJ_ROW_DECIMALS)), newDecimals);
    EXPECT_EQ(WindowText(FindControl(frame, IDC_ADJ_UPPER_1)), "123");
    ASSERT_TRUE(app_->Close());

    bench_->Stop();
    tarvik::BlockImage image;
    tarvik::SoftwareConfigBlock block;
    ASSERT_TRUE(SensorBlock(stateFile_, "1001", tarvik::kBlockSoftwareConfig, image) &&
                block.Decode(image))
        << ReadFile(stateFile_);
    EXPECT_EQ(block.rateIndex, newRate);
    EXPECT_EQ(block.channel[0].unitIndex, newUnit);
    EXPECT_EQ(block.channel[0].decimals, newDecimals);
}

}  // namespace
}  // namespace e2e
