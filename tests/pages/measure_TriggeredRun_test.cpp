// Runs through the panel with a simulated sensor polled every 30 s under loads the test sets: a
// triggered run records and judges its own values whatever came while it waited, its trigger
// judges only values averaged after the press and its rows come from one averaging, a manual save
// still waiting for its worker when the next run starts gets the run before, and Start is enabled
// exactly when its click is taken.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/ThreadedConvertFile.h"
#include "app/views/CAFormDiagram.h"
#include "base/ScopedTempFolder.h"
#include "pages/MeasurePanelFixture.h"
#include "res/resource.h"

namespace {

constexpr int kPollMs = 30000;

class TriggeredRun : public PanelWithSensor {
  protected:
    // Channel A averages as chosen (code 1: none).
    void Average(int code) {
        adjust_->m_aiAveragingCode[0] = code;
        frame_->ResetMovingAverages(0);
    }
    void SetLoad(double load) {
        sim_->ports[0]->device->Sensor(0).SetSignal(
            0, sensorsim::SignalShape{sensorsim::SignalShape::Kind::Constant, load, 0.0, 1.0});
    }
    // Channel A's value under a load, read by a single shot while idle.
    double ValueUnder(double load) {
        SetLoad(load);
        page_->OnBnClickedSingleShot();
        Run(500);
        return frame_->m_adValue[0];
    }
    // A rising start on channel A at the level, without hysteresis.
    void ArmTrigger(double level) {
        adjust_->m_values.startCode = 1;
        adjust_->m_values.startDirection = 0;
        adjust_->m_values.startLevel = level;
        adjust_->m_values.startHysteresis = 0.0;
        page_->OnBnClickedTrigger();
        Run(100);  // the poll at the engine's start
    }
    void Poll(double load) {
        SetLoad(load);
        Run(kPollMs);
    }
    void StopRun() {
        page_->OnBnClickedStop();
        Run(1500);
        ASSERT_FALSE(page_->IsRunning());
    }
    double Row(int index) const {
        CAFormDiagram* diagram = frame_->GetDiagramView();
        return diagram->GetPointY(diagram->GetCurveOfChannel(0), index);
    }
    // The measured values saved by hand, written at once.
    std::string SaveNow(const char* name) {
        const std::string path = folder_ / name;
        CThreadedConvertFile::s_bFailStarts = true;
        frame_->StartManualSave(path.c_str());
        CThreadedConvertFile::s_bFailStarts = false;
        return kq::test::ReadFileBytes(path);
    }
};

// Ten of 250 inside 0..280 pass although 300 came while the trigger waited: the file holds the
// run's rows and the verdict judges the run's maximum.
TEST_F(TriggeredRun, RecordsAndJudgesItsOwnValuesNotThoseOfTheWait) {
    Average(1);
    const double v100 = ValueUnder(100), v250 = ValueUnder(250), v300 = ValueUnder(300);
    ASSERT_LT(v100, v250);
    ASSERT_LT(v250, v300);
    adjust_->m_values.ioNioMode = 1;
    adjust_->m_values.measurand[0] = 0;
    adjust_->m_values.limits[0] = "0";
    CString upper;
    upper.Format("%.6f", (v250 + v300) / 2);
    adjust_->m_values.limits[1] = upper;
    SetLoad(300);
    ArmTrigger((v100 + v250) / 2);
    Poll(100);  // arms
    ASSERT_FALSE(page_->IsMeasuring());
    Poll(250);  // starts
    ASSERT_TRUE(page_->IsMeasuring());
    for (int i = 0; i < 9; ++i)
        Poll(250);
    StopRun();
    EXPECT_NEAR(frame_->m_adMaximum[0], v250, 1e-9);
    EXPECT_NEAR(frame_->m_adMinimum[0], v250, 1e-9);
    EXPECT_EQ(Light()->GetLightState(), CAFormLight::LIGHT_PASSED);
    const std::string text = SaveNow("triggered.csv");
    EXPECT_EQ(text.find("No values registered"), std::string::npos) << text;
    EXPECT_EQ(frame_->GetDiagramView()->GetMaxCountOfValues(), 10);
}

// Values averaged before the press neither arm nor start: a load that stays above the level
// starts nothing. The run's first row is averaged like the next, which goes on from it.
TEST_F(TriggeredRun, ItsTriggerAndRowsTakeOnlyValuesAveragedAfterThePress) {
    Average(1);
    const double v0 = ValueUnder(0), v100 = ValueUnder(100), v300 = ValueUnder(300);
    ASSERT_LT(v0, v100);
    Average(2);     // two values
    ValueUnder(0);  // the idle average holds an unloaded value
    SetLoad(300);
    const double level = (v100 + v300) / 2;
    ArmTrigger(level);
    Poll(300);
    Poll(300);
    EXPECT_FALSE(page_->IsMeasuring()) << "started by an average of values before the press";
    Poll(0);    // (300 + 0) / 2 arms
    Poll(300);  // (0 + 300) / 2 stays below the level
    ASSERT_FALSE(page_->IsMeasuring());
    Poll(300);  // 300 starts
    ASSERT_TRUE(page_->IsMeasuring());
    Poll(100);
    StopRun();
    ASSERT_GE(frame_->GetDiagramView()->GetMaxCountOfValues(), 2);
    EXPECT_NEAR(Row(0), v300, 0.01 * std::fabs(v300));
    EXPECT_NEAR(Row(1), (v300 + v100) / 2, 0.01 * std::fabs(v300));
}

// Ctrl+M right after a run, Start before the worker's first tick: the saved file holds the run's
// rows, not the empty store of the run that starts.
TEST_F(TriggeredRun, AManualSavePendingAtTheNextStartGetsThePreviousRun) {
    SetLoad(100);
    page_->OnBnClickedStart();
    Run(100);
    Poll(100);
    StopRun();
    const int rows = frame_->GetDiagramView()->GetMaxCountOfValues();
    ASSERT_GE(rows, 2);
    const std::string path = folder_ / "pending.csv";
    frame_->StartManualSave(path.c_str());
    page_->OnBnClickedStart();
    Run(100);
    EXPECT_TRUE(page_->IsMeasuring());
    const std::string text = kq::test::ReadFileBytes(path);
    EXPECT_EQ(text.find("No values registered"), std::string::npos) << text;
    StopRun();
}

// Right after the page asked its single shot the engine still waits for the reply: Start stays
// enabled, and its click runs once the engine is at rest instead of being dropped.
TEST_F(TriggeredRun, StartIsEnabledExactlyWhenItsClickIsTaken) {
    page_->OnBnClickedSingleShot();
    ASSERT_FALSE(frame_->IsEngineAtRest());
    page_->ShowButtons();
    EXPECT_TRUE(Enabled(IDC_MD_START));
    page_->OnBnClickedStart();
    EXPECT_FALSE(Enabled(IDC_MD_START));  // taken, waiting for the rest
    EXPECT_FALSE(Enabled(IDC_MD_TRIGGER));
    Run(500);
    EXPECT_TRUE(page_->IsMeasuring());
    StopRun();
    // Without a sensor nothing is taken, and nothing is enabled.
    frame_->m_iOpenEntry = -1;
    page_->ShowButtons();
    EXPECT_FALSE(Enabled(IDC_MD_START));
    page_->OnBnClickedStart();
    Run(500);
    EXPECT_FALSE(page_->IsMeasuring());
}

}  // namespace
