// Step three of the road: the sensor information page shows what the simulator's sensor holds,
// and a serial text typed there reaches the sensor's memory (the simulator's state file).
#include "Files.h"
#include "Road.h"
#include "platform/ui/WinUser.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using Information = Road;

constexpr int kSerialA = 1472;
constexpr int kFactoryCalibration = 5120;

TEST_F(Information, ThePageShowsWhatTheSensorHoldsAndATypedSerialTextReachesIt) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    ShowPage(*app_, kCommandInformation);
    const std::string texts = VisibleTexts(app_->FrameWindow());
    // Serial number, type number, the channels' serial texts, their range with the language's
    // decimal mark, the factory calibration.
    const std::string decimal = LanguageOffset() == 1000 ? "." : ",";
    for (const std::string& expected :
         {std::string("1001"), std::string("4503"), std::string("A00001"), std::string("B00001"),
          "500" + decimal + "0", TableText(kFactoryCalibration, LanguageOffset())})
        EXPECT_NE(texts.find(expected), std::string::npos) << expected << " in\n" << texts;

    HWND serial = FindControl(app_->FrameWindow(), kSerialA);
    ASSERT_NE(serial, nullptr);
    app_->Click(serial);
    ASSERT_EQ(::GetFocus(), serial);
    ::SendMessage(serial, EM_SETSEL, 0, -1);
    app_->Type("A77777");
    app_->Key(VK_TAB);
    const auto written = [&] {
        return ReadFile(stateFile_).find("413737373737") != std::string::npos;
    };
    // The operator's close is refused while the sensor is written: it waits for the write's end.
    app_->RunUntil([&] { return written() && IsSensorOpen(*app_); }, 15000);
    ASSERT_TRUE(app_->Close());
    bench_->Stop();
    EXPECT_TRUE(written());  // "A77777"
}

}  // namespace
}  // namespace e2e
