// Step five of the road while it measures: the channel views show the simulated load within the
// last digit, and the pass/fail light judges the recording by the limits set on the measure
// configuration page (green for limits around the load, red for limits that exclude it).
#include <algorithm>
#include <cstdlib>

#include "Road.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "res/resource.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using Judge = Road;

constexpr int kLightPicture = 1482;

// The colour in the middle of the light as the screen shows it.
COLORREF LightColour(HWND picture) {
    RECT rect{};
    ::GetClientRect(picture, &rect);
    HDC dc = ::GetDC(picture);
    const COLORREF colour = ::GetPixel(dc, rect.right / 2, rect.bottom / 2);
    ::ReleaseDC(picture, dc);
    return colour;
}

TEST_F(Judge, TheChannelViewsShowTheLoadAndTheLightJudgesTheLimits) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    // Criterion 1 judges channel B (a constant 10 N·m) between 5 and 15.
    ShowPage(*app_, kCommandMeasureSettings);
    HWND frame = app_->FrameWindow();
    app_->Click(FindControl(frame, IDC_ADJ_EVAL_MODE1));
    HWND measurand = FindControl(frame, IDC_ADJ_MEASURAND_1);
    ASSERT_NE(measurand, nullptr);
    ChooseItem(*app_, measurand, 1);  // "B"
    TypeInto(*app_, FindControl(frame, IDC_ADJ_LOWER_1), "5");
    TypeInto(*app_, FindControl(frame, IDC_ADJ_UPPER_1), "15");

    std::vector<double> shown;
    ASSERT_TRUE(Measure(*app_, 1500, [&] { shown = ShownChannelValues(app_->FrameWindow()); }));
    // Channel A follows the sine load of 200 +- 100 N·m, channel B its constant 10 N·m, within
    // the last digit shown.
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NEAR(shown[0], 10.0, 0.1);
    EXPECT_GE(shown[1], 99.9);
    EXPECT_LE(shown[1], 300.1);

    HWND light = FindControl(app_->FrameWindow(), kLightPicture);
    ASSERT_NE(light, nullptr);
    // The light turns once the judgement after the stop has run.
    ASSERT_TRUE(app_->RunUntil([&] { return GetGValue(LightColour(light)) > 120; }, 10000));
    const COLORREF pass = LightColour(light);
    EXPECT_GT(GetGValue(pass), 120) << std::hex << pass;
    EXPECT_LT(GetRValue(pass), 100) << std::hex << pass;

    // Limits that exclude the load: red.
    ShowPage(*app_, kCommandMeasureSettings);
    TypeInto(*app_, FindControl(app_->FrameWindow(), IDC_ADJ_UPPER_1), "8");
    ASSERT_TRUE(Measure(*app_, 1000, [] {}));
    ASSERT_TRUE(app_->RunUntil([&] { return GetRValue(LightColour(light)) > 120; }, 10000));
    const COLORREF fail = LightColour(light);
    EXPECT_GT(GetRValue(fail), 120) << std::hex << fail;
    EXPECT_LT(GetGValue(fail), 100) << std::hex << fail;
    ASSERT_TRUE(app_->Close());
}

}  // namespace
}  // namespace e2e
