// The measurement panel as a window without a sensor (a trigger start's run bytes, the stop
// finished by timer 64, one end per measurement, the trigger monitor's pace and its texts), and
// in the running program with a simulated sensor (single shot on show, start and stop, the
// light, the curve store's refusal and shortage, the sensor lost while measuring or idle, the
// trigger and its repeat, the power boxes, the start and stop programs, the count at the end).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "app/AppTest.h"
#include "app/ThreadedConvertFile.h"
#include "app/views/CAFormChannel.h"
#include "app/views/CAFormDiagram.h"
#include "app/views/CAFormLight.h"
#include "pages/MeasurePageTest.h"
#include "pages/MeasurePanelFixture.h"
#include "pages/measurement/CDlgDocumentation.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "platform/gfx/WindowDC.h"
#include "res/resource.h"
#include "tests/app/MeasurementForTest.h"

using MeasurePanelPage = MeasurePageTest<CDlgMeasureDiagram>;

TEST_F(MeasurePanelPage, ATriggerStartRunsUntilTimer64FinishesIt) {
    CDlgMeasureDiagram& page = Open();
    EXPECT_FALSE(page.IsRunPatternSet());
    page.m_psMsureDgrm->triggerOn = 1;
    page.StartMeasurement();
    EXPECT_TRUE(page.IsMeasuring());
    EXPECT_TRUE(page.IsRunning());
    const uint8_t* r = page.m_psMsureDgrm->runBytes;
    EXPECT_EQ((std::vector<int>{r[0], r[1], r[2], r[3]}), (std::vector<int>{1, 0, 0, 1}));
    EXPECT_FALSE(page.GetDlgItem(IDC_MD_START)->IsWindowEnabled());
    EXPECT_TRUE(page.GetDlgItem(IDC_MD_STOP)->IsWindowEnabled());

    page.OnBnClickedStop();
    EXPECT_FALSE(page.IsMeasuring());
    EXPECT_TRUE(page.IsRunning());  // not finished before timer 64
    Advance(1000);
    Pump();
    EXPECT_FALSE(page.IsRunning());
    EXPECT_FALSE(page.IsRunPatternSet());
    EXPECT_FALSE(page.GetDlgItem(IDC_MD_STOP)->IsWindowEnabled());
    EXPECT_FALSE(page.GetDlgItem(IDC_MD_START)->IsWindowEnabled());  // no sensor here

    // The conversion's end after the stop's changes nothing, and a stop while idle is harmless.
    page.m_psMsureDgrm->running = 1;
    page.OnMeasurementEnded();
    EXPECT_EQ(page.m_psMsureDgrm->running, 1);
    page.m_psMsureDgrm->running = 0;
    page.OnBnClickedStop();
    Advance(2000);
    Pump();
    EXPECT_FALSE(page.IsRunning());
}

TEST_F(MeasurePanelPage, TheMonitorIsRewrittenAtMostEvery100msWithTheLastState) {
    CDlgMeasureDiagram& page = Open();
    CString shown;
    page.CheckTriggerThreshold(0, 0, 1.5, '<', '-', 2.0, 0.5, 0);
    page.GetDlgItemText(IDC_MD_MONITOR, shown);
    EXPECT_EQ(shown, "Start: 1,5 < 2 (-0,5) nicht scharf");
    Advance(50);
    page.CheckTriggerThreshold(1, 1, 3.0, '>', '+', 2.0, 0.5, 1);
    page.GetDlgItemText(IDC_MD_MONITOR, shown);
    EXPECT_EQ(shown, "Start: 1,5 < 2 (-0,5) nicht scharf");
    Advance(60);
    page.OnMeasureTick();
    page.GetDlgItemText(IDC_MD_MONITOR, shown);
    EXPECT_EQ(shown, "Stopp: 3 > 2 (+0,5) scharf");
}

TEST_F(MeasurePanelPage, EveryTextExistsInEachLanguage) {
    CDlgMeasureDiagram& page = Open();
    for (int language : {LANGUAGE_GERMAN, LANGUAGE_ENGLISH, LANGUAGE_FRENCH}) {
        SetLanguageOffset(language);
        EXPECT_TRUE(page.SetLanguageTexts()) << language;
    }
}

namespace {

class ProgramPanel : public CDlgMeasureDiagram {
  public:
    using CDlgMeasureDiagram::RunProgram;
};

}  // namespace

using MeasurePanelPrograms = MeasurePageTest<ProgramPanel>;

TEST_F(MeasurePanelPrograms, AProgramThatCannotStartIsReportedLaterAndTheRunGoesOn) {
    ProgramPanel& page = Open();
    page.StartMeasurement();
    const std::string missing = folder_ / "no such; program";
    page.RunProgram(missing.c_str());
    EXPECT_TRUE(boxes_.empty());  // posted, never shown inside the caller
    Pump();
    ASSERT_EQ(boxes_.size(), 1U);
    EXPECT_NE(boxes_[0].text.Find("no such; program"), -1);
    EXPECT_TRUE(page.IsMeasuring());
}

// ---- The panel in the running program, with a simulated sensor polled every 30 s ----

TEST_F(PanelWithSensor, ShownItAsksOneValueSetAndAStartStopRunsOnceToTheDiagramSave) {
    EXPECT_GE(page_->m_iSingleShots, 1);
    EXPECT_EQ(frame_->Measurement().Flow().m_lastFlowReason, MeasuredValueReason::SingleShot);
    EXPECT_TRUE(Enabled(IDC_MD_START));
    EXPECT_FALSE(Enabled(IDC_MD_STOP));
    EXPECT_EQ(page_->m_ledState.GetLedState(), static_cast<unsigned>(CDlgMeasureDiagram::LED_IDLE));
    ASSERT_NE(page_->m_picture.GetBitmap(), nullptr);  // picture 319

    Light()->SetLightState(CAFormLight::LIGHT_PASSED);
    page_->SetDlgItemText(IDC_MD_MONITOR, "Start: 1 < 2 (-0,5) scharf");  // a trigger before
    page_->OnBnClickedStart();
    Run(100);
    CString monitor;
    page_->GetDlgItemText(IDC_MD_MONITOR, monitor);
    EXPECT_TRUE(monitor.IsEmpty()) << monitor.GetString();
    EXPECT_EQ(frame_->GetLastStatusId(), 5272u);
    EXPECT_TRUE(page_->IsRunPatternSet());
    EXPECT_EQ(Light()->GetLightState(), CAFormLight::LIGHT_NONE);
    EXPECT_EQ(page_->m_ledState.GetLedState(),
              static_cast<unsigned>(CDlgMeasureDiagram::LED_MEASURING));
    EXPECT_FALSE(Enabled(IDC_MD_START));
    EXPECT_TRUE(Enabled(IDC_MD_STOP));
    EXPECT_TRUE(frame_->GetDiagramView()->IsStarted());
    EXPECT_DOUBLE_EQ(page_->GetMaxDuration(), 9999 * 30.0);
    EXPECT_FALSE(page_->IsSensorReady());

    page_->OnBnClickedStop();
    EXPECT_FALSE(Enabled(IDC_MD_START));  // no new start before timer 64 has finished this one
    page_->OnBnClickedStart();
    Run(1500);
    EXPECT_FALSE(page_->IsRunning());
    EXPECT_FALSE(page_->IsMeasuring());
    EXPECT_TRUE(frame_->Measurement().Files().m_bMeasurementFinished);
    EXPECT_EQ(frame_->GetLastStatusId(), 5270u);
    EXPECT_FALSE(frame_->GetDiagramView()->IsStarted());  // handed to the automatic save
    EXPECT_EQ(page_->m_ledState.GetLedState(), static_cast<unsigned>(CDlgMeasureDiagram::LED_IDLE));
    EXPECT_EQ(Light()->GetLightState(), CAFormLight::LIGHT_NONE);  // no evaluation, no verdict
    EXPECT_TRUE(Enabled(IDC_MD_START));
}

TEST_F(PanelWithSensor, AfterAStopTheEvaluationLightsGreenOrRed) {
    adjust_->m_values.ioNioMode = 1;
    adjust_->m_values.measurand[0] = 0;
    for (const char* lower : {"-1000000", "1000000"}) {
        adjust_->m_values.limits[0] = lower;
        adjust_->m_values.limits[1] = "2000000";
        page_->OnBnClickedStart();
        Run(200);
        page_->OnBnClickedStop();
        Run(1500);
        const bool passing = CString(lower) == "-1000000";
        EXPECT_EQ(Light()->GetLightState(),
                  passing ? CAFormLight::LIGHT_PASSED : CAFormLight::LIGHT_FAILED)
            << lower;
        EXPECT_EQ(page_->GetResultByte(0), passing ? 1 : 0) << lower;
    }
}

TEST_F(PanelWithSensor, AStoreThatCannotBeMadeRefusesTheStartAndASmallerOneShortensTheRun) {
    CDataManager& store = frame_->GetDiagramView()->GetDiagram()->GetStore();
    store.SetAllocator([](size_t) -> TDataPoint* { return nullptr; });
    page_->OnBnClickedStart();
    Run(100);
    EXPECT_FALSE(page_->IsMeasuring());
    EXPECT_FALSE(page_->IsRunning());
    EXPECT_FALSE(frame_->m_bMeasuring);
    EXPECT_EQ(frame_->COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE);
    EXPECT_EQ(frame_->GetLastStatusId(), 5270u);
    EXPECT_FALSE(BoxSaying(IDS_MD_STORAGE_FAILED).IsEmpty());

    // Room for 25,000 points where a count stop asks for 50,000: the duration limits.
    boxes_.clear();
    store.SetAllocator([](size_t points) -> TDataPoint* {
        return points > 30000 ? nullptr
                              : static_cast<TDataPoint*>(std::calloc(points, sizeof(TDataPoint)));
    });
    adjust_->m_values.stopCode = 7;
    adjust_->m_values.stopCount = 50000;
    page_->OnBnClickedStart();
    Run(100);
    EXPECT_TRUE(page_->IsMeasuring());
    EXPECT_EQ(page_->m_iAllocatedPoints, 25000);
    EXPECT_DOUBLE_EQ(page_->GetMaxDuration(), 24999 * 30.0);
    EXPECT_NE(BoxSaying(IDS_MD_STORAGE_REDUCED).Find("25000"), -1);
    page_->OnBnClickedStop();
    Run(1500);
}

TEST_F(PanelWithSensor, AFolderTypedOnTheDocumentationPageTakesTheValuesNestedOrNot) {
    CDlgDocumentation* documentation = frame_->GetDocumentationPage();
    ASSERT_NE(documentation, nullptr);
    documentation->m_sDocumentation.measuredValueMode = 1;
    const std::string nested = folder_ / "typed/values/here";
    // Typed into the field as the operator does: the field tells the page.
    CWnd* field = documentation->GetDlgItem(IDC_DOC_MW_DIR);
    ASSERT_NE(field, nullptr);
    ::SetWindowText(::GetWindow(field->m_hWnd, GW_CHILD), nested.c_str());
    EXPECT_EQ(documentation->GetTargetDirectory(0), nested.c_str());
    page_->OnBnClickedStart();
    Run(500);
    page_->OnBnClickedStop();
    Run(1500);
    EXPECT_TRUE(boxes_.empty()) << boxes_.front().text;
    size_t files = 0;
    std::error_code error;
    for (const auto& file : std::filesystem::directory_iterator(nested, error))
        files += file.path().extension() == ".csv" ? 1 : 0;
    EXPECT_EQ(files, 1u);
}

TEST_F(PanelWithSensor, AFolderThatCannotBeMadeIsReportedAndAManualSaveKeepsTheHeader) {
    CDlgDocumentation* documentation = frame_->GetDocumentationPage();
    ASSERT_NE(documentation, nullptr);
    documentation->m_sDocumentation.measuredValueMode = 1;
    const std::string blocker = folder_ / "a-file";
    kq::test::WriteFileBytes(blocker, "x");
    documentation->m_strTexts[CDlgDocumentation::kMWTargetDirectory] =
        (blocker + "/values").c_str();
    page_->OnBnClickedStart();
    Run(2000);
    page_->OnBnClickedStop();
    Run(1500);
    EXPECT_FALSE(boxes_.empty());
    const std::string saved = folder_ / "saved.csv";
    // Written at once, without the worker's thread.
    CThreadedConvertFile::s_bFailStarts = true;
    frame_->StartManualSave(saved.c_str());
    CThreadedConvertFile::s_bFailStarts = false;
    const std::string text = kq::test::ReadFileBytes(saved);
    EXPECT_NE(text.find(GetLanguageString(IDS_SENSOR_TYPE).GetString()), std::string::npos);
    // The duration is the run's, not the time since the machine started.
    const std::string label = GetLanguageString(IDS_DOC_DURATION).GetString();
    const size_t at = text.find(label);
    ASSERT_NE(at, std::string::npos);
    std::string number = text.substr(at + label.size() + 1, 8);
    std::replace(number.begin(), number.end(), ',', '.');
    EXPECT_LT(std::atof(number.c_str()), 60.0) << number;
}

TEST_F(PanelWithSensor, UnpluggedWhileMeasuringItFinishesOnceThenTheFrameMarksThePort) {
    page_->OnBnClickedStart();
    Run(200);
    ASSERT_TRUE(page_->IsMeasuring());
    frame_->m_dlgStartUp.m_bProgressActive = FALSE;
    sim_->ports[0]->silent = true;
    Run(33000);  // the next poll after 30 s, three unanswered waits, then timer 64
    EXPECT_EQ(frame_->m_iOpenEntry, -1);
    EXPECT_FALSE(page_->IsRunning());
    EXPECT_TRUE(frame_->Measurement().Files().m_bMeasurementFinished);
    EXPECT_TRUE(frame_->m_dlgStartUp.m_bProgressActive);  // the frame's recovery ran
    EXPECT_EQ(frame_->m_aEntries[0].iStateTextId, 5129);
    EXPECT_EQ(frame_->GetLastStatusId(), 5271u);
    EXPECT_EQ(ChannelField(0, CAFormChannelX::IDC_VALUE_FIELD), "---");
    EXPECT_FALSE(
        frame_->GetChannelView(0)->GetDlgItem(CAFormChannelX::IDC_TARA)->IsWindowEnabled());
    EXPECT_FALSE(Enabled(IDC_MD_START));
    EXPECT_FALSE(Enabled(IDC_MD_STOP));
}

TEST_F(PanelWithSensor, UnpluggedWhileIdleOnlyClearsTheDisplays) {
    frame_->m_dlgStartUp.m_bProgressActive = FALSE;
    sim_->ports[0]->silent = true;
    page_->OnBnClickedSingleShot();
    Run(2000);
    EXPECT_EQ(frame_->m_iOpenEntry, -1);
    EXPECT_FALSE(frame_->m_dlgStartUp.m_bProgressActive);
    EXPECT_EQ(frame_->GetLastStatusId(), 5271u);
    EXPECT_EQ(ChannelField(1, CAFormChannelX::IDC_MAX_FIELD), "---");
    EXPECT_FALSE(Enabled(IDC_MD_SINGLE_SHOT));
}

TEST_F(PanelWithSensor, AThresholdTriggerStartsTheRunAndTheRepeatReArmsOncePerCycle) {
    sim_->ports[0]->device->Sensor(0).SetSignal(
        0, sensorsim::SignalShape{sensorsim::SignalShape::Kind::Step, 0.0, 1000.0, 20.0});
    adjust_->m_values.startCode = 1;  // channel A rising through 1 (hysteresis 0.5)
    adjust_->m_values.startDirection = 0;
    adjust_->m_values.startLevel = 1.0;
    adjust_->m_values.startHysteresis = 0.5;
    page_->OnBnClickedTrigger();
    EXPECT_EQ(frame_->GetLastStatusId(), 5273u);
    EXPECT_EQ(page_->m_ledState.GetLedState(),
              static_cast<unsigned>(CDlgMeasureDiagram::LED_WAITING));
    EXPECT_TRUE(Enabled(IDC_MD_STOP));
    EXPECT_FALSE(Enabled(IDC_MD_TRIGGER));
    Run(1000);
    EXPECT_FALSE(page_->IsMeasuring());  // below the level: armed, nothing recorded
    CString monitor;
    page_->GetDlgItemText(IDC_MD_MONITOR, monitor);
    EXPECT_EQ(monitor.Left(7), "Start: ");
    EXPECT_NE(monitor.Find("scharf"), -1);

    Run(30000);  // the poll after the step
    EXPECT_TRUE(page_->IsMeasuring());
    EXPECT_EQ(frame_->GetLastStatusId(), 5274u);
    EXPECT_TRUE(page_->IsRunPatternSet());
    page_->OnBnClickedStop();
    Run(1500);
    EXPECT_FALSE(page_->IsRunning());

    // The repeat box re-arms a finished triggered run once; not without it, nor twice.
    page_->TriggerEvent(0);
    EXPECT_FALSE(page_->m_bWaitingForTrigger);
    page_->CheckDlgButton(IDC_MD_REPEAT, BST_CHECKED);
    page_->TriggerEvent(0);
    EXPECT_TRUE(page_->m_bWaitingForTrigger);
    EXPECT_EQ(frame_->GetLastStatusId(), 5273u);
    page_->OnBnClickedStop();
    page_->TriggerEvent(0);
    EXPECT_FALSE(page_->m_bWaitingForTrigger);
}

TEST_F(PanelWithSensor, ARunWhoseExportFailedIsNotReArmed) {
    sim_->ports[0]->device->Sensor(0).SetSignal(
        0, sensorsim::SignalShape{sensorsim::SignalShape::Kind::Step, 0.0, 1000.0, 20.0});
    adjust_->m_values.startCode = 1;
    adjust_->m_values.startLevel = 1.0;
    page_->CheckDlgButton(IDC_MD_REPEAT, BST_CHECKED);
    page_->OnBnClickedTrigger();
    Run(31000);
    ASSERT_TRUE(page_->IsMeasuring());
    MeasurementForTest(*frame_).Files().m_bExportFailed = TRUE;
    page_->OnBnClickedStop();
    Run(1500);
    page_->TriggerEvent(0);
    EXPECT_FALSE(page_->m_bWaitingForTrigger);
    EXPECT_EQ(frame_->COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE);
}

TEST_F(PanelWithSensor, ThePowerBoxesSwitchTheirViewsAndFollowTheBarsAfterAnActivation) {
    EXPECT_TRUE(frame_->GetChannelView(0)->GetDlgItem(CAFormChannelX::IDC_TARA)->IsWindowEnabled());
    MeasurementForTest(*frame_).Flow().m_aiTareState[CHANNEL_P1] = 0;  // a tare left from before
    page_->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MD_P1, BN_CLICKED),
                       reinterpret_cast<LPARAM>(page_->GetDlgItem(IDC_MD_P1)->m_hWnd));
    Run(100);
    const bool shown = frame_->m_wndViewBar[CHANNEL_P1].IsVisible() != FALSE;
    EXPECT_TRUE(shown);
    EXPECT_EQ(page_->IsDlgButtonChecked(IDC_MD_P1), BST_CHECKED);
    EXPECT_EQ(frame_->Measurement().Flow().m_aiTareState[CHANNEL_P1],
              1);  // switched on without the old tare

    // Timer 19 (after a multi-sensor activation) brings the boxes back to the bars' state.
    page_->CheckDlgButton(IDC_MD_P1, shown ? BST_UNCHECKED : BST_CHECKED);
    page_->SetTimer(CDlgMeasureDiagram::TIMER_SENSOR_CHANGED, 120, nullptr);
    Run(200);
    EXPECT_EQ(page_->IsDlgButtonChecked(IDC_MD_P1) == BST_CHECKED, shown);
}

TEST_F(PanelWithSensor, TheStartAndStopProgramsRunOnePathEachAndAMissingOneIsReported) {
    // A program in a folder with a blank and ';' in its name: one path, never a shell line.
    const std::string dir = folder_ / "progs; x";
    std::filesystem::create_directories(dir);
    const std::string script = dir + "/mark.sh";
    const std::string marker = folder_ / "started";
    {
        std::ofstream out(script);
        out << "#!/bin/sh\necho run >> '" << marker << "'\n";
    }
    ::chmod(script.c_str(), 0755);
    adjust_->m_values.startProgram = script.c_str();
    adjust_->m_values.stopProgram = (folder_ / "missing program").c_str();
    page_->OnBnClickedStart();
    Run(100);
    bool started = false;
    for (int i = 0; i < 500 && !started; ++i) {
        started = std::ifstream(marker).good();
        if (!started)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(started);
    EXPECT_TRUE(page_->IsMeasuring());
    page_->OnBnClickedStop();
    Run(1500);
    EXPECT_FALSE(boxes_.empty());
    bool reported = false;
    for (const auto& box : boxes_)
        reported = reported || box.text.Find("missing program") >= 0;
    EXPECT_TRUE(reported);
}

// The channels of the open sensor take part without anyone switching them on, also after a
// reset cleared their fields to "---": a started run shows values in every field (an unchanged
// tare too), draws them and records them. A value set still on the way when Stop is clicked (a
// sensor that answers late) is recorded until the run ends: the count the panel shows at the
// end is what the recording holds.
TEST_F(PanelWithSensor, AStartedRunFeedsTheOpenSensorsChannelsAndCountsWhatItRecorded) {
    EXPECT_EQ(frame_->GetLastStatusId(), 5270u);  // the start-up's 5271 gave way
    EXPECT_TRUE(frame_->Measurement().Flow().m_bChannelActive[0]);
    EXPECT_TRUE(frame_->Measurement().Flow().m_bChannelActive[1]);
    page_->ClearSensorDisplays();
    frame_->m_iMeasureRateIndex = 6;  // 100 ms, streamed
    page_->OnBnClickedStart();
    RunStreaming(2000);
    EXPECT_TRUE(page_->IsMeasuring());
    EXPECT_GT(frame_->GetDiagramView()->GetDiagram()->GetCurvePointCount(0), 5);
    for (UINT field : {CAFormChannelX::IDC_VALUE_FIELD, CAFormChannelX::IDC_TARE_FIELD,
                       CAFormChannelX::IDC_MIN_FIELD, CAFormChannelX::IDC_MAX_FIELD})
        EXPECT_NE(ChannelField(0, field), "---") << field;
    page_->OnBnClickedStop();
    for (int late = 0; late < 2; ++late)
        frame_->UpdateMeasuredValues(MeasuredValueReason::ValueSet);
    Run(1500);
    ASSERT_TRUE(frame_->Measurement().Files().m_bMeasurementFinished);
    CString expected;
    expected.Format("%s: %d", GetLanguageString(IDS_MD_VALUES).GetString(),
                    frame_->GetDiagramView()->GetMaxCountOfValues());
    CString shown;
    page_->GetDlgItemText(IDC_MD_COUNT, shown);
    EXPECT_EQ(shown, expected);
}

// A run as long as its store stops with the store's last point: no curve's array grows. The
// stop block's duration is the run's, from Start to Stop, not to the end of the recording.
TEST_F(PanelWithSensor, TheDurationStopEndsAtTheStoresLastPointAndTheFileTellsTheRun) {
    CDataManager& store = frame_->GetDiagramView()->GetDiagram()->GetStore();
    store.SetAllocator([](size_t points) -> TDataPoint* {
        return points > 1000 ? nullptr
                             : static_cast<TDataPoint*>(std::calloc(points, sizeof(TDataPoint)));
    });
    frame_->m_iMeasureRateIndex = 3;  // 10 ms, streamed
    page_->OnBnClickedStart();
    const int points = page_->m_iAllocatedPoints;
    ASSERT_GT(points, 100);
    RunStreaming((points + 20) * 10);
    Run(1500);
    ASSERT_TRUE(frame_->Measurement().Files().m_bMeasurementFinished);
    for (int curve : {0, 1}) {
        EXPECT_EQ(frame_->GetDiagramView()->GetDiagram()->GetCurvePointCount(curve), points);
        EXPECT_EQ(store.GetCapacity(curve), static_cast<size_t>(points));
    }

    frame_->m_iMeasureRateIndex = 6;  // 100 ms
    page_->OnBnClickedStart();
    RunStreaming(10000);
    page_->OnBnClickedStop();
    Run(1500);
    ASSERT_TRUE(frame_->Measurement().Files().m_bMeasurementFinished);
    const CString block = frame_->GetDocumentationPage()->BuildStopInfoText();
    const CString label = GetLanguageString(IDS_DOC_DURATION);
    const int at = block.Find(label);
    ASSERT_GE(at, 0) << block.GetString();
    std::string number = block.Mid(at + label.GetLength() + 1, 8).GetString();
    std::replace(number.begin(), number.end(), ',', '.');
    EXPECT_NEAR(std::strtod(number.c_str(), nullptr), 10.0, 0.1) << block.GetString();
}

// With the repeat box checked, every finished triggered run arms the next cycle by itself.
TEST_F(PanelWithSensor, TheRepeatBoxArmsEachNextCycleByItself) {
    sim_->ports[0]->device->Sensor(0).SetSignal(
        0, sensorsim::SignalShape{sensorsim::SignalShape::Kind::Sine, 0.0, 1000.0, 4.0});
    adjust_->m_values.startCode = 1;  // channel A rising through 1
    adjust_->m_values.startDirection = 0;
    adjust_->m_values.startLevel = 1.0;
    adjust_->m_values.startHysteresis = 0.5;
    adjust_->m_values.stopCode = 7;  // after three values
    adjust_->m_values.stopCount = 3;
    frame_->m_iMeasureRateIndex = 6;
    page_->CheckDlgButton(IDC_MD_REPEAT, BST_CHECKED);
    page_->OnBnClickedTrigger();
    int runs = 0;
    bool running = false;
    for (int step = 0; step < 200 && runs < 2; ++step) {
        RunStreaming(100);
        if (page_->IsRunning()) {
            running = true;
        } else if (running) {
            running = false;
            ++runs;
        }
    }
    EXPECT_EQ(runs, 2);
    page_->OnBnClickedStop();
    Run(1500);
}

// The count with sets lost on the line fits its label whole in every language, with seven
// digits for each number.
TEST_F(PanelWithSensor, TheCountWithSetsLostOnTheLineFitsItsLabelInEveryLanguage) {
    frame_->m_iMeasureRateIndex = 6;  // 100 ms, streamed
    page_->OnBnClickedStart();
    RunStreaming(300);
    ASSERT_TRUE(page_->IsMeasuring());
    frame_->m_ullLostValueSets += 9999999;
    CWnd* label = page_->GetDlgItem(IDC_MD_COUNT);
    CRect client;
    label->GetClientRect(&client);
    for (int language : {LANGUAGE_GERMAN, LANGUAGE_ENGLISH, LANGUAGE_FRENCH}) {
        SetLanguageOffset(language);
        page_->OnMeasureTick();
        CString shown;
        label->GetWindowText(shown);
        const CString lost = GetLanguageString(IDS_MD_LOST_ON_LINE);
        EXPECT_NE(shown.Find("(9999999 " + lost + ")"), -1) << shown.GetString();
        CString widest;
        widest.Format("%s: 9999999 (9999999 %s)", GetLanguageString(IDS_MD_VALUES).GetString(),
                      lost.GetString());
        CClientDC dc(label);
        CFont* old = dc.SelectObject(label->GetFont());
        EXPECT_LE(dc.GetTextExtent(widest).cx, client.Width()) << widest.GetString();
        dc.SelectObject(old);
    }
    SetLanguageOffset(LANGUAGE_GERMAN);
    page_->OnBnClickedStop();
    Run(1500);
}
