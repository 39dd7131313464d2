// Step seven of the road: a user adjustment from an unloaded and a loaded reading, with the
// simulator's load changed between them; the sensor then measures by the adjustment, keeps a
// measurement uncertainty written to it, and after the adjustment's deletion and its restart
// measures by the factory calibration again.
#include <sstream>

#include "Files.h"
#include "Road.h"
#include "app/MainFrame.h"
#include "platform/ui/WinUser.h"
#include "sensor/CComPort.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using Calibration = Road;

// The calibration page's buttons, its step dialogs (each known by a text of its own) and their
// fields.
constexpr int kPerform = 1214;
constexpr int kDelete = 1215;
constexpr int kUncertainty = 1249;
constexpr int kWarningText = 1218;
constexpr int kZeroText = 1226;
constexpr int kScaleText = 1219;
constexpr int kDeleteText = 1217;
constexpr int kScale[2] = {1222, 1330};
constexpr int kDigits[2] = {1335, 1336};
constexpr int kUncertaintyA = 1207;
// The information page's fields and their texts.
constexpr int kFactoryInForce = 1068;
constexpr int kUserInForce = 1072;
constexpr int kUncertaintyShown = 1248;
constexpr int kActive = 5125;

// The dialog shows the control; the answer then presses the button.
std::function<bool(HWND)> PressWhenShowing(int control, int button) {
    return [control, button](HWND dialog) {
        return ::GetDlgItem(dialog, control) != nullptr && AppDriver::Press(dialog, button);
    };
}

// Both channels under one constant load in N·cm, the sensor's own unit.
void Load(SensorBench& bench, int newtonCentimetres) {
    for (const char* channel : {"a", "b"}) {
        std::string error;
        EXPECT_TRUE(bench.Command(
            "signal 0 " + std::string(channel) + " const:" + std::to_string(newtonCentimetres),
            &error))
            << error;
    }
}

// Channel A's and B's first value of a short measurement, as the saved file holds them.
std::pair<double, double> Measured(AppDriver& app, const std::string& csv) {
    EXPECT_TRUE(Measure(app, 800));
    EXPECT_TRUE(SaveValues(app, csv));
    std::istringstream lines(ReadCp1252File(csv));
    for (std::string line; std::getline(lines, line);) {
        std::replace(line.begin(), line.end(), ',', '.');
        int row = -1;
        double a = 0, b = 0;
        if (sscanf(line.c_str(), " %d;%lf %*[^;];%lf", &row, &a, &b) == 3 && row == 0)
            return {a, b};
    }
    ADD_FAILURE() << ReadFile(csv);
    return {0, 0};
}

// The calibration the first sensor measures by once it is open again (2 the factory's, 3 the
// user's); 0 while it restarts.
int UsedCalibration(AppDriver& app) {
    const CComPort& dialogue = app.Frame()->Dialogue();
    return dialogue.COM_IsZMCOMConfgFlowOutsideInit() ? dialogue.m_aSensorRecord[0].ucUsedCalib : 0;
}

// Channel A's measurement uncertainty as the sensor reported it back.
double UncertaintyA(AppDriver& app) {
    BOOL valid = FALSE;
    BYTE state = 0;
    const double value =
        app.Frame()->Dialogue().COM_GetActiveCalibValue(0, &valid, &state, nullptr, TRUE);
    return valid && app.Frame()->Dialogue().COM_IsZMCOMConfgFlowOutsideInit() ? value : 0;
}

TEST_F(Calibration, AUserAdjustmentItsUncertaintyAndItsDeletion) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    const std::string active = TableText(kActive, LanguageOffset());

    // The unloaded reading at no load; before the loaded one the operator puts 250 N·m on the
    // shaft while the reference standard says 200 N·m: the sensor is to read 0.8 of its old
    // reading from then on.
    Load(*bench_, 0);
    app_->WhenModal(PressWhenShowing(kWarningText, IDOK));
    app_->WhenModal(PressWhenShowing(kZeroText, IDOK));
    app_->WhenModal([this](HWND dialog) {
        if (::GetDlgItem(dialog, kScaleText) == nullptr)
            return false;
        for (int channel = 0; channel < 2; ++channel) {
            ::SetDlgItemText(dialog, kScale[channel], "200");  // N·m, as the range shows
            ::SetDlgItemText(dialog, kDigits[channel], "10000");
        }
        Load(*bench_, 25000);
        return AppDriver::Press(dialog, IDOK);
    });
    // The same dialog again while the loaded reading runs: the operator waits.
    app_->WhenModal([](HWND dialog) { return ::GetDlgItem(dialog, kScaleText) != nullptr; });
    ShowPage(*app_, kCommandCalibration);
    app_->Click(FindControl(app_->FrameWindow(), kPerform));
    EXPECT_TRUE(app_->RunUntil([&] { return UsedCalibration(*app_) == 3; }, 15000));
    app_->ForgetAnswers();
    EXPECT_TRUE(app_->messages.empty()) << app_->messages.front().text;

    ShowPage(*app_, kCommandInformation);
    EXPECT_EQ(WindowText(FindControl(app_->FrameWindow(), kUserInForce)).rfind(active, 0), 0u);
    EXPECT_NE(WindowText(FindControl(app_->FrameWindow(), kFactoryInForce)), active);
    Load(*bench_, 15000);
    const auto adjusted = Measured(*app_, root_ + "/adjusted.csv");
    EXPECT_NEAR(adjusted.first, 120.0, 0.5);
    EXPECT_NEAR(adjusted.second, 120.0, 0.5);

    // A measurement uncertainty of 0.4 % for channel A, read back from the sensor.
    const std::string decimal = LanguageOffset() == 1000 ? "." : ",";
    app_->WhenModal([&](HWND dialog) {
        return AppDriver::FillAndPress(dialog, kUncertaintyA, "0" + decimal + "4", IDOK);
    });
    ShowPage(*app_, kCommandCalibration);
    app_->Click(FindControl(app_->FrameWindow(), kUncertainty));
    EXPECT_TRUE(app_->RunUntil([&] { return UncertaintyA(*app_) > 0.39; }, 10000));
    app_->ForgetAnswers();
    ShowPage(*app_, kCommandInformation);
    // The page shows what it reads back from the sensor, which may come after the engine has it.
    const auto uncertaintyShown = [&] {
        return WindowText(FindControl(app_->FrameWindow(), kUncertaintyShown));
    };
    EXPECT_TRUE(app_->RunUntil(
        [&] { return uncertaintyShown().find("0" + decimal + "4") != std::string::npos; }, 10000))
        << uncertaintyShown() << " on page " << app_->Frame()->GetActivePageId();

    // Deleted: after its restart the sensor measures by the factory calibration again.
    app_->WhenModal(PressWhenShowing(kDeleteText, IDOK));
    ShowPage(*app_, kCommandCalibration);
    app_->Click(FindControl(app_->FrameWindow(), kDelete));
    EXPECT_TRUE(app_->RunUntil([&] { return UsedCalibration(*app_) == 2; }, 15000));
    app_->ForgetAnswers();
    ShowPage(*app_, kCommandInformation);
    EXPECT_EQ(WindowText(FindControl(app_->FrameWindow(), kFactoryInForce)), active);
    EXPECT_NE(WindowText(FindControl(app_->FrameWindow(), kUserInForce)).rfind(active, 0), 0u);
    const auto factory = Measured(*app_, root_ + "/factory.csv");
    EXPECT_NEAR(factory.first, 150.0, 0.5);
    EXPECT_NEAR(factory.second, 150.0, 0.5);
    EXPECT_TRUE(app_->messages.empty()) << app_->messages.front().text;
}

}  // namespace
}  // namespace e2e
