// The frame's measured-value flow end to end behind faked views and pages: processing and
// redisplay, the triggers, the recording's stops, the measurement files, the worker's ticks and
// the service log.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "AppTest.h"
#include "app/ThreadedConvertFile.h"
#include "flow_FrameFixture.h"
#include "foundation/Units.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "platform/base/Time.h"
#include "sensor/ChanState.h"
#include "sensor/ZMStates.h"
#include "tests/app/MeasurementForTest.h"

namespace apptest {
namespace {

TEST_F(Flow, OneSensorTakesTheSelectedChannelsAndWritesOnlyReadyChangedFields) {
    frame_->SetActiveChannelsAB(1);
    Set(100, 200);
    EXPECT_EQ(frame_->m_adValue[0], 100);
    EXPECT_EQ(frame_->m_adValue[1], 0);
    EXPECT_EQ(views_[1].writes[0], 0);
    EXPECT_EQ(views_[0].texts[0], "100");
    frame_->SetActiveChannelsAB(2);
    Set(300, 200);
    EXPECT_EQ(frame_->m_adValue[0], 100);
    EXPECT_EQ(frame_->m_adValue[1], 200);
    frame_->SetActiveChannelsAB(0);
    // The same value is not formatted again; a field that is not ready is not written unless
    // the value beside it is: the maximum never shows less than the value.
    views_[1].ready[IFlowChannelView::kMaxField] = FALSE;
    const int before = views_[1].writes[0];
    Set(300, 200);
    EXPECT_EQ(views_[1].writes[0], before);
    Set(300, 250);
    EXPECT_EQ(views_[1].texts[0], "250");
    EXPECT_EQ(views_[1].texts[3], "250");
    views_[1].ready[IFlowChannelView::kValueField] = FALSE;
    const int maxWrites = views_[1].writes[3];
    Set(300, 260);
    EXPECT_EQ(views_[1].writes[3], maxWrites);
    views_[1].ready[IFlowChannelView::kValueField] = TRUE;
    // Counting down: no texts at all.
    panel_.running = TRUE;
    frame_->m_iDisplayDownCounter = 3;
    Set(1, 1);
    EXPECT_EQ(views_[0].texts[0], "300");
}

// An unloaded sensor reads exactly 0 from its first set on: fields never written show it too.
TEST_F(Flow, AFirstValueOfZeroReachesEveryFieldOfAFreshView) {
    frame_->SetActiveChannelsAB(0);
    Set(0, 0);
    for (int field = 0; field < 4; ++field) {
        EXPECT_EQ(views_[0].texts[field], "0") << field;
        EXPECT_EQ(views_[1].texts[field], "0") << field;
    }
}

// The start's averaging takes every channel's choice, channel A's included.
TEST_F(Flow, TheStartAveragesEveryChannelByItsChoice) {
    for (int c : {0, 1})
        frame_->GetMeasureAdjustPage()->m_aiAveragingCode[c] = 3;  // 4 samples
    frame_->ResetMovingAverages(0);
    for (int32_t v : {0, 0, 0, 8})
        Set(v, v);
    EXPECT_EQ(frame_->m_adValue[0], 2);
    EXPECT_EQ(frame_->m_adValue[1], 2);
}

// The header's range takes the file's decimal separator, as its rows do.
TEST_F(Flow, TheHeadersRangeTakesTheFilesDecimalSeparator) {
    frame_->m_aSensorRecord[0].ucUnitLetter[0] = 'D';
    frame_->m_aSensorRecord[0].wRange[0] = 0x5500;  // 50000 cN·m
    const std::pair<int, const char*> cases[] = {{1000, "500.0 N·m"}, {0, "500,0 N·m"}};
    for (const auto& [language, range] : cases) {
        documentation_.decimalLanguage = language;
        const auto lines = frame_->GetExportSensorLines();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].range, range) << language;
    }
}

TEST_F(Flow, SignThenTareAndPowerIndependentOfTheUnits) {
    MeasurementForTest edit(*frame_);
    edit.Flow().m_aChannelRecords[0].iSignInversion = 1;
    edit.Flow().m_adTare[0] = 10;
    Set(100, 0);
    EXPECT_EQ(frame_->m_adValue[0], -110);
    EXPECT_EQ(frame_->m_adMaximum[0], -110);
    edit.Flow().m_aChannelRecords[0].iSignInversion = 0;
    edit.Flow().m_adTare[0] = 0;

    ChanState_SetPowerChannelOn(0, TRUE);
    frame_->m_adUnitFactor[4] = PowerUnitFactor(0);
    const int cNm = IndexOfFactor(GetTorqueUnitFactor, 1.0);
    const int Nm = IndexOfFactor(GetTorqueUnitFactor, 0.01);
    const int rpm = IndexOfFactor(GetSpeedUnitFactor, 1.0);
    const int rads = IndexOfFactor(GetSpeedUnitFactor, 2 * M_PI / 60);
    ASSERT_TRUE(cNm >= 0 && Nm >= 0 && rpm >= 0 && rads >= 0);
    edit.Flow().m_aChannelRecords[0].iUnitIndex = cNm;
    edit.Flow().m_aChannelRecords[1].iUnitIndex = rpm;
    Set(500, 1000);  // 5 N·m at 1000 1/min
    const double p = frame_->m_adValue[4];
    EXPECT_NEAR(p, 5 * 1000 * PowerUnitFactor(0), 1e-12);
    edit.Flow().m_aChannelRecords[0].iUnitIndex = Nm;
    edit.Flow().m_aChannelRecords[1].iUnitIndex = rads;
    frame_->m_adUnitFactor[0] = 0.01;
    frame_->m_adUnitFactor[1] = GetSpeedUnitFactor(rads);
    Set(500, 1000);
    EXPECT_NEAR(frame_->m_adValue[4], p, 1e-12);

    // A torque in the sensor's scaling has no N·m: P1 is unavailable, never NaN.
    edit.Flow().m_aChannelRecords[0].iUnitIndex =
        frame_->Measurement().Flow().m_aChannelRecords[0].iUnitCount;
    edit.Flow().m_bChannelActive[4] = TRUE;
    edit.Flow().m_bRecordingClosed = FALSE;
    panel_.running = TRUE;
    Set(500, 1000);
    EXPECT_EQ(views_[4].texts[0], "n.a.");
    EXPECT_TRUE(diagram_.y[4].empty());
    EXPECT_FALSE(std::isnan(frame_->m_adValue[4]));
}

TEST_F(Flow, RedisplaysWhileRunningNeitherRecordNorWipeTheExtremes) {
    panel_.running = TRUE;
    MeasurementForTest(*frame_).Flow().m_bRecordingClosed = FALSE;
    Set(100, 5);
    Set(50, 5);
    ASSERT_EQ(diagram_.calls, 2);
    frame_->UpdateMeasuredValues(MeasuredValueReason::Retake);
    frame_->UpdateMeasuredValues(MeasuredValueReason::ExtremesReset);
    EXPECT_EQ(diagram_.calls, 2);
    frame_->UpdateMeasuredValues(MeasuredValueReason::SettingsChanged);
    EXPECT_EQ(frame_->m_adMaximum[0], 100);
    EXPECT_EQ(frame_->m_adMinimum[0], 50);
    EXPECT_EQ(views_[0].texts[3], "100");
    // At rest the redisplay starts the extremes from the raw value; B with one sensor too.
    panel_.running = FALSE;
    frame_->m_alRaw[1] = 7;
    frame_->UpdateMeasuredValues(MeasuredValueReason::Redisplay);
    EXPECT_EQ(frame_->m_adMaximum[0], 50);
    EXPECT_EQ(frame_->m_adMinimum[1], 7);
    EXPECT_EQ(views_[1].texts[0], "7");
}

TEST_F(Flow, ATriggerStartInsideTheFlowStartsOnceAndStopsByCount) {
    MeasurementForTest edit(*frame_);
    panel_.triggerOn = TRUE;
    config_.startCondition = 1;
    config_.startLevel = 10;
    config_.stopCondition = 8;
    config_.stopCount = 3;
    frame_->TakeOverStartStopConditions();
    frame_->InitTriggerArmedFlags();
    frame_->SetWaitingForTrigger(TRUE);
    edit.Flow().m_bRecordingClosed = FALSE;
    edit.Triggers().m_ucTriggerMarker = 1;
    const uint64_t lost = frame_->m_ullLostValueSets;
    panel_.onStart = [this] { Set(30, 0); };  // a box in the start pumps a value set
    Set(20, 0);                               // past the level, never armed: no start
    EXPECT_EQ(panel_.starts, 0);
    Set(5, 0);
    Set(20, 0);
    EXPECT_EQ(panel_.starts, 1);
    EXPECT_EQ(frame_->m_ullLostValueSets, lost + 1);
    ASSERT_GE(panel_.events.size(), 2u);
    EXPECT_EQ(panel_.events[0], "marker1");
    EXPECT_EQ(panel_.events[1], "start");
    panel_.onStart = nullptr;
    Set(21, 0);
    Set(22, 0);
    EXPECT_EQ(panel_.stops, 0);
    Set(23, 0);
    EXPECT_EQ(panel_.stops, 1);
    EXPECT_TRUE(frame_->Measurement().Flow().m_bStopReached);
    const int calls = diagram_.calls;
    Set(24, 0);
    EXPECT_EQ(diagram_.calls, calls);
}

TEST_F(Flow, TheRecordingStopsAtItsDurationAndOnceWhenTheStoreRefuses) {
    MeasurementForTest edit(*frame_);
    edit.Flow().m_bRecordingClosed = FALSE;
    // A value set before the store is ready for the run is not a reason to end it.
    diagram_.refuse = DiagramAddResult::NotReady;
    Set(1, 1);
    EXPECT_EQ(panel_.stops, 0);
    EXPECT_TRUE(frame_->m_astrFlowMessages.empty());
    diagram_.refuse = DiagramAddResult::Stored;
    panel_.maxDuration = 2.0;
    Set(1, 1);
    Set(1, 1);
    EXPECT_EQ(panel_.stops, 0);
    Set(1, 1);  // t = 2: at the limit
    EXPECT_EQ(panel_.stops, 1);
    EXPECT_FALSE(panel_.stopEnabled);
    EXPECT_EQ(frame_->COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE_MAX_DURATION);

    edit.Flow().m_bStopReached = FALSE;
    panel_.maxDuration = 0.0;  // no limit
    diagram_.refuse = DiagramAddResult::Full;
    frame_->m_astrFlowMessages.clear();
    Set(1, 1);
    edit.Flow().m_bStopReached = FALSE;
    Set(1, 1);
    EXPECT_EQ(panel_.stops, 2);
    EXPECT_EQ(frame_->m_astrFlowMessages.size(), 1u);
}

TEST_F(Flow, AConstantFileCollectsWholeBlocks) {
    documentation_.resultMode = 2;
    Measure({1, 2});
    Measure({3});
    Measure({});
    const std::string text = ReadAll(folder_ / "values/constant.csv");
    EXPECT_EQ(text.substr(0, 5), "HEAD\n");
    size_t heads = 0;
    for (size_t at = text.find("HEAD\n"); at != std::string::npos; at = text.find("HEAD\n", at + 1))
        ++heads;
    EXPECT_EQ(heads, 3u);
    EXPECT_EQ(text.substr(text.size() - 5), "STOP\n");
    const std::string results = ReadAll(folder_ / "results/constant.csv");
    EXPECT_NE(results.find(" -; -; -;"), std::string::npos);
    EXPECT_EQ(panel_.ended, 6);  // the end of each measurement and of its file phase
}

TEST_F(Flow, ALargeFileIsWrittenUnderTheSavingNoticeASmallOneWithout) {
    for (size_t points : {size_t{10}, size_t{120000}}) {
        frame_->SetupMeasureValueFile(0);
        Set(1, 1);
        diagram_.Fill(0, std::vector<double>(points, 1.5));
        diagram_.Fill(1, std::vector<double>(points, 2.5));
        bool shown = false;
        documentation_.onStop = [&] {
            CWnd* notice = frame_->GetRegisteredWindow(WindowSlot::SaveMwMessage);
            shown = notice != nullptr && notice->IsWindowVisible();
        };
        frame_->FinishMeasurement();
        EXPECT_EQ(shown, points > 10) << points;
        EXPECT_EQ(frame_->GetRegisteredWindow(WindowSlot::SaveMwMessage), nullptr);
        documentation_.onStop = nullptr;
    }
}

TEST_F(Flow, AFolderThatCannotBeMadeStillLetsTheMeasurementRun) {
    std::ofstream(folder_ / "values") << "a file";
    EXPECT_FALSE(frame_->SetupMeasureValueFile(0));
    ASSERT_EQ(frame_->m_astrFlowMessages.size(), 1u);
    EXPECT_NE(frame_->m_astrFlowMessages.front().Find("values"), -1);
    EXPECT_FALSE(frame_->Measurement().Flow().m_bRecordingClosed);
}

TEST_F(Flow, AFailedWriteLeavesTheFileAndKeepsTheValuesForAManualSave) {
    Measure({1});
    const std::string path = folder_ / "values/constant.csv";
    const std::string before = ReadAll(path);
    frame_->SetupMeasureValueFile(0);
    for (int i = 0; i < 3000; ++i)
        Set(i, i);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = before.size() + 100;
    ::setrlimit(RLIMIT_FSIZE, &small);
    frame_->m_astrFlowMessages.clear();
    frame_->FinishMeasurement();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(ReadAll(path), before);
    ASSERT_EQ(frame_->m_astrFlowMessages.size(), 1u);
    EXPECT_NE(frame_->m_astrFlowMessages.front().Find("constant.csv"), -1);
    EXPECT_EQ(frame_->Measurement().Files().m_ucDataAvailable, 1);
    EXPECT_EQ(panel_.triggerEvents, 0);

    // A manual save elsewhere whose worker does not start is written at once.
    CThreadedConvertFile::s_bFailStarts = true;
    const std::string manual = folder_ / "manual.csv";
    frame_->StartManualSave(manual.c_str());
    const std::string saved_text = ReadAll(manual);
    EXPECT_EQ(saved_text.substr(0, 7), "MANUAL\n");
    EXPECT_NE(saved_text.find("2999;"), std::string::npos);
    EXPECT_EQ(saved_text.substr(saved_text.size() - 5), "STOP\n");
}

TEST_F(Flow, AManualSaveWaitsForTheFirstTickAndLeavesTheOldFileUntilComplete) {
    Measure({1, 2});
    const std::string manual = folder_ / "manual.csv";
    std::ofstream(manual) << "old";
    frame_->StartManualSave(manual.c_str());
    Run(2500);
    EXPECT_EQ(ReadAll(manual), "old");
    Run(700);
    // The worker's thread wakes in real time after the clock moved: give it a moment.
    for (int i = 0; i < 400 && ReadAll(manual) == "old"; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        Run(10);
    }
    EXPECT_EQ(ReadAll(manual).substr(0, 7), "MANUAL\n");
    EXPECT_FALSE(frame_->Measurement().Files().m_pConvertThread->IsRunning());
}

TEST_F(Flow, AManualSavePendingWhenAMeasurementStartsIsCompletedFirst) {
    Measure({1, 2});
    const std::string manual = folder_ / "pending.csv";
    frame_->StartManualSave(manual.c_str());
    Measure({5});
    EXPECT_EQ(ReadAll(manual).substr(0, 7), "MANUAL\n");
    EXPECT_EQ(ReadAll(manual).substr(ReadAll(manual).size() - 5), "STOP\n");
}

TEST_F(Flow, FinishingTwiceEndsTheFilePhaseOnce) {
    frame_->SetupMeasureValueFile(0);
    Set(1, 1);
    frame_->FinishMeasurement();
    frame_->FinishMeasurement();
    EXPECT_EQ(panel_.ended, 2);
    EXPECT_TRUE(frame_->Measurement().Flow().m_bRecordingClosed);
}

TEST_F(Flow, TheLogIsWrittenOnlyWhenSwitchedOnAndPerStatorSerial) {
    CString base;
    ASSERT_TRUE(CEnvironment::GetLocalAppDataPath(base));
    const std::string folder = std::string(base.GetString()) + "/Brevan/Sensors";
    frame_->m_aSensorRecord[0].dwStatorSerialNumber = 3000000000u;
    frame_->m_bSuppressLog = 1;
    EXPECT_FALSE(frame_->WriteApplicationLog(0));
    EXPECT_FALSE(std::filesystem::exists(folder));
    frame_->m_bSuppressLog = 0;
    EXPECT_TRUE(frame_->WriteApplicationLog(0));
    const std::string log = ReadAll(folder + "/3000000000.txt");
    EXPECT_NE(log.find("Anwendung wurde gestartet"), std::string::npos);
    frame_->m_aSensorRecord[0].dwStatorSerialNumber = 0;
    EXPECT_TRUE(frame_->WriteApplicationLog(0, "Ereignis", "extra\n"));
    EXPECT_NE(ReadAll(folder + "/3000000000.txt").find("\"Ereignis\""), std::string::npos);
    // A file past 1 MB starts anew.
    std::ofstream(folder + "/3000000000.txt", std::ios::app) << std::string(1200 * 1024, 'x');
    EXPECT_TRUE(frame_->WriteApplicationLog(0, "Neu", "x\n"));
    EXPECT_LT(std::filesystem::file_size(folder + "/3000000000.txt"), 100000u);
}

TEST_F(Flow, ResultRowsJudgeOnlyWhatIsJudgedAndInRange) {
    MeasurementForTest edit(*frame_);
    edit.Recording().m_strColumnSeparator = ";";
    edit.Recording().m_strLineEnd = "\n";
    edit.Recording().m_iDecimalLanguage = 0;
    edit.Flow().m_bValueRecorded = FALSE;
    CString row = frame_->BuildResultRow();
    EXPECT_EQ(row.Left(29), "No values registered, sorry!\n");
    const CString unjudged = ";00:00:00; -; -; -; -; -; -; -\n";
    EXPECT_EQ(row.Right(unjudged.GetLength()).Mid(9), unjudged.Mid(9));
    edit.Flow().m_bValueRecorded = TRUE;
    config_.ioNioMode = 1;
    config_.measurand[0] = 0;
    config_.maximum[0] = 12.5;
    edit.Flow().m_aChannelRecords[0].iDecimals = 2;
    panel_.result[0] = 0;
    row = frame_->BuildResultRow();
    EXPECT_NE(row.Find(";12,50;N·m;NIO; -; -; -;NIO\n"), -1) << row.GetString();
    config_.ioNioMode = 2;
    config_.measurand[1] = 9;  // out of range: not judged
    panel_.result[0] = 1;
    row = frame_->BuildResultRow();
    EXPECT_NE(row.Find(";12,50;N·m;IO; -; -; -;IO\n"), -1) << row.GetString();
}

TEST_F(Flow, UnitsAndSeparatorsAreCapturedOnce) {
    MeasurementForTest edit(*frame_);
    edit.Flow().m_bRecordingClosed = FALSE;
    documentation_.separator = ";";
    edit.Flow().m_aChannelRecords[0].astrUnit[0] = "a;b";
    Set(1, 1);
    EXPECT_EQ(frame_->Measurement().Recording().m_astrColumnUnit[0], " a;b");
    documentation_.separator = "\t";
    edit.Flow().m_aChannelRecords[0].astrUnit[0] = "kp";
    Set(2, 2);
    EXPECT_EQ(frame_->Measurement().Recording().m_strColumnSeparator, ";");
    EXPECT_EQ(frame_->Measurement().Recording().m_astrColumnUnit[0], " a;b");
    EXPECT_EQ(frame_->Measurement().Recording().m_adRecordHead[0], 1.0);
}

TEST_F(Flow, ALostSensorOrAVanishedFolderStillEndsInAFileOrAMessage) {
    // The sensor goes: the measurement ends with its rows and stop block.
    frame_->SetupMeasureValueFile(0);
    Set(4, 4);
    frame_->OnSensorDisconnected();
    const std::string text = ReadAll(folder_ / "values/constant.csv");
    EXPECT_NE(text.find("\n0;4 "), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 5), "STOP\n");

    // The target folder goes while measuring: one message, values kept.
    documentation_.valueMode = 1;
    frame_->SetupMeasureValueFile(0);
    Set(5, 5);
    std::filesystem::remove_all(folder_ / "values");
    frame_->m_astrFlowMessages.clear();
    frame_->FinishMeasurement();
    EXPECT_EQ(frame_->m_astrFlowMessages.size(), 1u);
    EXPECT_EQ(frame_->Measurement().Files().m_ucDataAvailable, 1);
}

TEST_F(Flow, AtOnceOrADateAndTimeStartsOnTheFirstActiveChannelOnceDue) {
    panel_.triggerOn = TRUE;
    config_.startCondition = 0;
    frame_->TakeOverStartStopConditions();
    frame_->InitTriggerArmedFlags();
    frame_->SetWaitingForTrigger(TRUE);
    frame_->SetActiveChannelsAB(0);
    Set(1, 1);
    EXPECT_EQ(panel_.starts, 1);
    frame_->EndTriggerCycle();
    // The trigger stays switched on after its run, but nothing waits: a TARA or a single shot
    // starts no run without the engine.
    frame_->TareChannel(0);
    frame_->UpdateMeasuredValues(MeasuredValueReason::SingleShot);
    EXPECT_EQ(panel_.starts, 1);
    panel_.starts = 0;
    config_.startCondition = 7;
    config_.startTime = CTime::GetCurrentTime().GetTime() + 60;
    frame_->TakeOverStartStopConditions();
    frame_->InitTriggerArmedFlags();
    frame_->SetWaitingForTrigger(TRUE);
    frame_->SetActiveChannelsAB(0);
    Set(1, 1);
    EXPECT_EQ(panel_.starts, 0);
    config_.startTime -= 120;
    Set(1, 1);
    EXPECT_EQ(panel_.starts, 1);
    Set(1, 1);
    EXPECT_EQ(panel_.starts, 1);
}

// A close during a measurement goes through only once its file is complete: the end of the
// conversion posts it, unless the diagram view's automatic save will.
TEST_F(Flow, ACloseDuringAMeasurementWaitsForItsFile) {
    frame_->SetupMeasureValueFile(0);
    Set(3, 3);
    documentation_.diagramMode = 1;
    frame_->m_bCloseAfterStop = TRUE;
    frame_->FinishMeasurement();
    Run(50);
    ASSERT_NE(Frame(), nullptr);
    EXPECT_NE(ReadAll(folder_ / "values/constant.csv").find("STOP"), std::string::npos);
    documentation_.diagramMode = 0;
    frame_->SetupMeasureValueFile(0);
    Set(3, 3);
    frame_->FinishMeasurement();
    frame_->m_flowFakes = CMainFrame::FlowPartnerFakes{};
    Run(50);
    EXPECT_EQ(Frame(), nullptr);
}

}  // namespace
}  // namespace apptest
