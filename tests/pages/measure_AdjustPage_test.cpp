// The measure configuration page: its lasting values in the store, hostile stored values, the
// evaluation group and its texts in each language.
#include <gtest/gtest.h>

#include "pages/MeasurePageTest.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "platform/ui/controls/ComboBox.h"
#include "res/resource.h"
#include "tests/app/MeasurementForTest.h"

class MeasureAdjustPage : public MeasurePageTest<CDlgMeasureAdjust> {
  protected:
    void Store(const char* entry, const CString& text) {
        app_->WriteProfileString("DespiteReset", entry, text);
    }
};

TEST_F(MeasureAdjustPage, EveryLastingValueComesBack) {
    MeasureConfigValues values;
    values.startCode = 3;
    values.stopCode = 8;
    values.startDirection = 1;
    values.startLevel = -12.5;
    values.stopHysteresis = 0.25;
    values.startDateTime = 1796000000;
    values.stopCount = 25000;
    values.diagramSource[4] = 6;
    values.diagramOn[4] = true;
    values.diagramOn[0] = false;
    values.ioNioMode = 2;
    values.measurand[0] = 5;
    values.measurand[1] = 0;
    values.limits[1] = "1,5";
    values.startProgram = "/opt/run me;$x";
    ASSERT_TRUE(values.Save(app_.get()));
    MeasureConfigValues back;
    back.Load(app_.get());
    EXPECT_EQ(back.startCode, 3);
    EXPECT_EQ(back.stopCode, 8);
    EXPECT_EQ(back.startDirection, 1);
    EXPECT_DOUBLE_EQ(back.startLevel, -12.5);
    EXPECT_DOUBLE_EQ(back.stopHysteresis, 0.25);
    EXPECT_EQ(back.startDateTime, 1796000000);
    EXPECT_DOUBLE_EQ(back.stopCount, 25000);
    EXPECT_EQ(back.AxisOf(4), 6);
    EXPECT_EQ(back.AxisOf(0), 0);
    EXPECT_EQ(back.ioNioMode, 2);
    EXPECT_EQ(back.measurand[0], 5);
    EXPECT_EQ(back.measurand[1], 0);
    EXPECT_EQ(back.limits[1], "1,5");
    EXPECT_EQ(back.startProgram, "/opt/run me;$x");
}

TEST_F(MeasureAdjustPage, HostileStoredValuesComeBackInRange) {
    Store("IndexOfLimitedMeasurand_1", "7");
    Store("IndexOfLimitedMeasurand_2", "abc");
    Store("IoNioEvaluationMode", "-5");
    Store("TriggerStartCondition", "99999999999");
    Store("TriggerStopCondition", "8x");
    Store("TriggerStartHysteresis", "-1");
    Store("TriggerStopCount", "1e300");
    Store("TriggerStartLevel", "nan");
    Store("DiagramSource_3", "8");
    Store("IOLowerLimitOfMeasurand_1", CString('9', 100000));
    Store("PartOfMeasureStopAddProg", CString('p', 100000));
    MeasureConfigValues back;
    back.Load(app_.get());
    const MeasureConfigValues defaults;
    EXPECT_EQ(back.measurand[0], -1);
    EXPECT_EQ(back.measurand[1], -1);
    EXPECT_EQ(back.ioNioMode, 0);
    EXPECT_EQ(back.startCode, 0);
    EXPECT_EQ(back.stopCode, 0);
    EXPECT_EQ(back.startHysteresis, 0.0);
    EXPECT_EQ(back.stopCount, 0.0);
    EXPECT_EQ(back.startLevel, 0.0);
    EXPECT_EQ(back.diagramSource[3], defaults.diagramSource[3]);
    EXPECT_EQ(back.limits[0].GetLength(), MeasureConfigValues::kMaxLimitLength);
    EXPECT_EQ(back.stopProgram.GetLength(), MeasureConfigValues::kMaxProgramLength);
}

TEST_F(MeasureAdjustPage, TheEvaluationGroupWritesTheValuesTheFlowReads) {
    CDlgMeasureAdjust& page = Open();
    EXPECT_TRUE(page.CheckIoNioMode(0));
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ADJ_EVAL_MODE2, BN_CLICKED),
                     reinterpret_cast<LPARAM>(page.GetDlgItem(IDC_ADJ_EVAL_MODE2)->m_hWnd));
    EXPECT_TRUE(page.CheckIoNioMode(2));
    CWnd* list = page.GetDlgItem(IDC_ADJ_MEASURAND_2);
    list->SendMessage(CB_SETCURSEL, 4);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ADJ_MEASURAND_2, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list->m_hWnd));
    EXPECT_EQ(page.GetJudgedMeasurand(1), 4);
    EXPECT_EQ(page.GetJudgedMeasurand(0), -1);  // nothing chosen
    page.GetDlgItem(IDC_ADJ_UPPER_2)->SetWindowText("2,5");
    EXPECT_EQ(page.m_values.limits[3], "2,5");
    page.SetJudgedUnitLabel(0, "Nm");
    CString unit;
    page.GetDlgItemText(IDC_ADJ_UNIT_LABEL_1, unit);
    EXPECT_EQ(unit, "Nm");
    EXPECT_EQ(page.GetJudgedUnitLabel(0), "Nm");
    EXPECT_EQ(page.GetChannelCount(), 2);

    ASSERT_TRUE(page.SaveSettings(app_.get()));
    CDlgMeasureAdjust again;
    again.LoadSettings(app_.get());
    EXPECT_TRUE(again.CheckIoNioMode(2));
    EXPECT_EQ(again.GetJudgedMeasurand(1), 4);
}

TEST_F(MeasureAdjustPage, EveryTextExistsInEachLanguage) {
    CDlgMeasureAdjust& page = Open();
    for (int language : {LANGUAGE_GERMAN, LANGUAGE_ENGLISH, LANGUAGE_FRENCH}) {
        SetLanguageOffset(language);
        EXPECT_TRUE(page.SetLanguageTexts()) << language;
    }
}

// ---- With the application and a simulated sensor ----

#include "app/views/CAFormChannel.h"
#include "controls/BrowseCtrl.h"
#include "controls/list/CXListCtrl.h"
#include "controls/list/XListMessages.h"
#include "pages/MeasureConfigurationTest.h"

namespace apptest {
namespace {

TEST_F(MeasureConfiguration, AUnitChangeFollowsTheValueRemovesTheTareAndWritesOnce) {
    StartOnPage();
    const ChannelRecord& record = frame_->Measurement().Flow().m_aChannelRecords[0];
    ASSERT_GT(record.iUnitCount, 2);
    const int before = record.iUnitIndex;
    const int after = before == 0 ? 1 : 0;
    const double factorBefore = frame_->m_adUnitFactor[0];
    CAFormChannelX* view = frame_->GetChannelView(0);
    ASSERT_NE(view, nullptr);
    frame_->m_alRaw[0] = 250000;  // the sensor at rest: one value set asked for
    frame_->UpdateMeasuredValues(MeasuredValueReason::SingleShot);
    // A fresh channel has no tare: the first click of Tara takes the value.
    view->OnBnClickedTara();
    Run(100);
    ASSERT_NE(frame_->Measurement().Flow().m_adTare[0], 0.0);

    // Decimals leave the tare; the unit removes it.
    Choose(IDC_ADJ_ROW_DECIMALS, 4);
    EXPECT_EQ(record.iDecimals, 4);
    EXPECT_NE(frame_->Measurement().Flow().m_adTare[0], 0.0);
    Choose(IDC_ADJ_ROW_UNIT, after);
    EXPECT_EQ(record.iUnitIndex, after);
    EXPECT_DOUBLE_EQ(frame_->m_adUnitFactor[0] / factorBefore,
                     record.adUnitFactor[after] / record.adUnitFactor[before]);
    EXPECT_EQ(frame_->Measurement().Flow().m_adTare[0], 0.0);
    EXPECT_EQ(frame_->Measurement().Flow().m_lastFlowReason, MeasuredValueReason::SettingsChanged);

    Run(1500);
    EXPECT_EQ(writes_[tarvik::kBlockSoftwareConfig], 1);
    EXPECT_EQ(SensorConfig().channel[0].unitIndex, after);
    EXPECT_EQ(SensorConfig().channel[0].decimals, 4);
}

// "aus" once, codes 1 to 9 behind the entries; a stored 0 (no averaging either) shows as "aus"
// and stays 0 until another length is chosen.
TEST_F(MeasureConfiguration, TheAveragingListOffersOffOnceAndKeepsTheStoredCodes) {
    StartOnPage();
    auto entryText = [this](int entry) {
        char text[32] = {};
        page_->SendDlgItemMessage(IDC_ADJ_ROW_AVERAGING, CB_GETLBTEXT, static_cast<WPARAM>(entry),
                                  reinterpret_cast<LPARAM>(text));
        return CString(text);
    };
    const int count =
        static_cast<int>(page_->SendDlgItemMessage(IDC_ADJ_ROW_AVERAGING, CB_GETCOUNT));
    ASSERT_EQ(count, 9);
    int offs = 0;
    for (int entry = 0; entry < count; ++entry)
        offs += entryText(entry) == GetLanguageString(IDS_ADJ_OFF) ? 1 : 0;
    EXPECT_EQ(offs, 1);
    EXPECT_EQ(entryText(1), "2");
    EXPECT_EQ(entryText(8), "256");

    ChannelRecord& record = MeasurementForTest(*frame_).Flow().m_aChannelRecords[0];
    const auto shownWithCode = [&](int code) {
        record.iAveraging = code;
        page_->ReloadChannelControls();
        return entryText(
            static_cast<int>(page_->SendDlgItemMessage(IDC_ADJ_ROW_AVERAGING, CB_GETCURSEL)));
    };
    EXPECT_EQ(shownWithCode(9), "256");
    EXPECT_EQ(shownWithCode(3), "4");
    EXPECT_EQ(shownWithCode(0), GetLanguageString(IDS_ADJ_OFF));
    Choose(IDC_ADJ_ROW_AVERAGING, 0);
    EXPECT_EQ(record.iAveraging, 0);
    Choose(IDC_ADJ_ROW_AVERAGING, 2);
    EXPECT_EQ(record.iAveraging, 3);
    EXPECT_EQ(page_->GetAveragingCode(0), 3);
    Run(1500);
    EXPECT_EQ(SensorConfig().channel[0].averagingCode, 3);
    Choose(IDC_ADJ_ROW_AVERAGING, 0);
    EXPECT_EQ(record.iAveraging, 1);
}

TEST_F(MeasureConfiguration, FiveRateChangesWithinASecondWriteOncePerSensor) {
    StartOnPage();
    for (int rate : {3, 4, 5, 6, 8}) {
        Choose(IDC_ADJ_RATE, rate);
        Run(100);
    }
    EXPECT_EQ(frame_->m_iMeasureRateIndex, 8);
    EXPECT_EQ(frame_->m_iMeasurePeriodMs, 500);
    EXPECT_DOUBLE_EQ(page_->GetMeasuringInterval(), 0.5);
    Run(1500);
    EXPECT_EQ(writes_[tarvik::kBlockSoftwareConfig], 1);
    EXPECT_EQ(SensorConfig().rateIndex, 8);

    // The frame-wide setting: a value outside 1-9999 is refused with a message.
    Type(IDC_ADJ_SETTING, "0");
    ASSERT_EQ(boxes_.size(), 1U);
    EXPECT_EQ(boxes_[0].text, GetLanguageString(IDS_ADJ_BAD_SETTING));
    EXPECT_EQ(Text(IDC_ADJ_SETTING), "1");
    Type(IDC_ADJ_SETTING, "250");
    EXPECT_EQ(frame_->Measurement().Flow().m_iFrameSetting, 250);
    Run(1500);
    EXPECT_EQ(SensorConfig().frameSetting, 250);
}

TEST_F(MeasureConfiguration, TheLowPassIsWrittenAtRestAndLeftToTheCloseWhileBusy) {
    StartOnPage();
    std::vector<std::string> log;
    Sensor().onLog = [&log](const std::string& line) { log.push_back(line); };
    Choose(IDC_ADJ_LOWPASS, 3);
    Run(2000);
    EXPECT_EQ(writes_[tarvik::kBlockStatorOperation], 1);
    tarvik::StatorOperationBlock operation;
    ASSERT_TRUE(operation.Decode(Sensor().Block(tarvik::kBlockStatorOperation)));
    EXPECT_EQ(operation.lowPassCode, 3);
    EXPECT_TRUE(std::any_of(log.begin(), log.end(),
                            [](const std::string& l) { return l.find("restarted") == 0; }));

    frame_->m_bRequestOutstanding = TRUE;  // a request waits for its reply
    Choose(IDC_ADJ_LOWPASS, 5);
    frame_->m_bRequestOutstanding = FALSE;
    Run(500);
    EXPECT_EQ(writes_[tarvik::kBlockStatorOperation], 1);
    EXPECT_EQ(frame_->m_aSensorRecord[0].ucLowPassCode, 5);
}

TEST_F(MeasureConfiguration, AcceptConfirmsTheSettingsAsVersionFour) {
    StartOnPage();
    frame_->m_aSensorRecord[0].ucConfigVersion = 3;
    page_->m_bNeedsConfirmation = TRUE;
    page_->ShowNotice(TRUE);
    Click(IDC_ADJ_ACCEPT);
    Run(500);
    EXPECT_FALSE(page_->m_bNeedsConfirmation);
    EXPECT_FALSE(page_->IsNoticeVisible());
    EXPECT_EQ(writes_[tarvik::kBlockSoftwareConfig], 1);
    EXPECT_EQ(SensorConfig().version, 4);
}

TEST_F(MeasureConfiguration, TheDiagramTableAndTheTriggerReachTheFlow) {
    StartOnPage();
    auto* table = static_cast<CXListCtrl*>(page_->GetDlgItem(IDC_ADJ_DIAGRAM));
    table->SetItemText(2, 1, "P2");
    page_->SendMessage(WM_XLISTCTRL_COMBO_SELECTION, 2, 1);
    table->SetCheckbox(3, 2, 0);
    page_->SendMessage(WM_XLISTCTRL_CHECKBOX_CLICKED, 3, 2);
    IFlowMeasureConfig* config = frame_->FlowMeasureConfig();
    ASSERT_EQ(config, page_);
    EXPECT_EQ(config->GetAxisAssignment(0), 1);  // time on the x axis
    EXPECT_EQ(config->GetAxisAssignment(2), 7);
    EXPECT_EQ(config->GetAxisAssignment(3), 0);
    DiagramRow rows[IDiagramSource::kRows];
    page_->GetDiagramRows(rows);
    EXPECT_EQ(rows[3].on, 0);
    EXPECT_EQ(rows[2].source, 7);

    Choose(IDC_ADJ_STOP_CODE, 2);
    Choose(IDC_ADJ_STOP_DIRECTION, 1);
    Type(IDC_ADJ_STOP_LEVEL, "-12,5");
    EXPECT_EQ(config->GetStopCondition(), 2);
    EXPECT_EQ(config->GetStopDirection(), 1);
    EXPECT_DOUBLE_EQ(config->GetStopLevel(), -12.5);
    // A hysteresis takes no sign: the typed sign is refused with a message.
    Type(IDC_ADJ_STOP_HYSTERESIS, "0,5");
    EXPECT_DOUBLE_EQ(config->GetStopHysteresis(), 0.5);
    page_->GetDlgItem(IDC_ADJ_STOP_HYSTERESIS)->SetWindowText("-1");
    ASSERT_EQ(boxes_.size(), 1U);
    EXPECT_EQ(boxes_[0].text, GetLanguageString(IDS_ADJ_BAD_HYSTERESIS));
    EXPECT_DOUBLE_EQ(config->GetStopHysteresis(), 0.5);
    EXPECT_EQ(Text(IDC_ADJ_STOP_HYSTERESIS), "0,5");

    // Everything comes back after a restart of the page's values.
    ASSERT_TRUE(page_->SaveSettings(AfxGetApp()));
    MeasureConfigValues back;
    back.Load(AfxGetApp());
    EXPECT_EQ(back.AxisOf(2), 7);
    EXPECT_EQ(back.AxisOf(3), 0);
    EXPECT_DOUBLE_EQ(back.stopLevel, -12.5);
    EXPECT_DOUBLE_EQ(back.stopHysteresis, 0.5);
}

TEST_F(MeasureConfiguration, TypedLimitsTakeTheSeparatorOfTheLanguage) {
    StartOnPage();
    for (int language : {LANGUAGE_GERMAN, LANGUAGE_FRENCH, LANGUAGE_ENGLISH}) {
        frame_->m_iLanguageOffset = language;
        SetLanguageOffset(language);
        Type(IDC_ADJ_LOWER_1, "1.5");
        EXPECT_EQ(Text(IDC_ADJ_LOWER_1), language == LANGUAGE_ENGLISH ? "1.5" : "1,5") << language;
        EXPECT_EQ(page_->m_values.limits[0], Text(IDC_ADJ_LOWER_1));
        EXPECT_FALSE(page_->IsLimitMarked(0));
    }
    // A pasted text that is no number stays as typed, fails its criterion and is marked.
    page_->GetDlgItem(IDC_ADJ_LOWER_1)->SetWindowText("1,5 Nm");
    EXPECT_EQ(page_->m_values.limits[0], "1,5 Nm");
    EXPECT_TRUE(page_->IsLimitMarked(0));
    EXPECT_FALSE(page_->IsLimitMarked(1));  // empty: no bound
}

TEST_F(MeasureConfiguration, ProgramFieldsTakeTypedPathsAndIgnoreTheirOwnRefresh) {
    StartOnPage();
    auto* start = static_cast<CBrowseCtrl*>(page_->GetDlgItem(IDC_ADJ_START_PROGRAM));
    auto* stop = static_cast<CBrowseCtrl*>(page_->GetDlgItem(IDC_ADJ_STOP_PROGRAM));
    start->GetEdit().SetWindowText("/opt/my tools/run;$x");
    EXPECT_EQ(page_->m_values.startProgram, "/opt/my tools/run;$x");
    EXPECT_EQ(page_->m_values.stopProgram, "");
    // The page's refresh writes the stored path under its lock: the value stays as stored.
    page_->m_values.stopProgram = "/usr/bin/stop";
    page_->SetLanguageTexts();
    EXPECT_EQ(stop->GetPathName(), "/usr/bin/stop");
    EXPECT_EQ(page_->m_values.stopProgram, "/usr/bin/stop");
    EXPECT_EQ(page_->m_values.startProgram, "/opt/my tools/run;$x");
}

TEST_F(MeasureConfiguration, Timer18ShowsTheUnitsOfANewSensor) {
    StartOnPage();
    ChannelRecord& record = MeasurementForTest(*frame_).Flow().m_aChannelRecords[0];
    BuildUnitList(record, 'K', FALSE, FALSE, "", 0.0);
    record.iUnitIndex = 0;
    page_->SetTimer(CDlgMeasureAdjust::TIMER_SENSOR_CHANGED, 20, nullptr);
    Run(50);
    ASSERT_EQ(page_->SendDlgItemMessage(IDC_ADJ_ROW_UNIT, CB_GETCOUNT), record.iUnitCount);
    char first[64] = {};
    page_->SendDlgItemMessage(IDC_ADJ_ROW_UNIT, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_EQ(CString(first), record.astrUnit[0]);
    EXPECT_EQ(page_->SendDlgItemMessage(IDC_ADJ_ROW_UNIT, CB_GETCURSEL), 0);
}

TEST_F(MeasureConfiguration, WithSeveralSensorsEachRowIsChannelAOfItsOwnSensor) {
    StartOnPage();
    frame_->m_iNumberOfSensors = 3;
    page_->ReloadChannelControls();
    EXPECT_EQ(Text(IDC_ADJ_ROW_NAME + 2), "Sensor 3");
    EXPECT_TRUE(page_->GetDlgItem(IDC_ADJ_ROW_UNIT + 2)->IsWindowVisible());
    EXPECT_FALSE(page_->GetDlgItem(IDC_ADJ_ROW_UNIT + 3)->IsWindowVisible());
    EXPECT_EQ(page_->GetChannelCount(), 6);

    Choose(IDC_ADJ_ROW_DECIMALS + 2, 6);
    EXPECT_EQ(frame_->Measurement().Flow().m_aChannelRecords[2].iDecimals, 6);
    EXPECT_FALSE(frame_->m_abSoftwareConfigPending[0]);
    EXPECT_TRUE(frame_->m_abSoftwareConfigPending[2]);
    // The rate is frame-wide: every open sensor keeps it.
    Choose(IDC_ADJ_RATE, 7);
    for (int sensor = 0; sensor < 3; ++sensor)
        EXPECT_TRUE(frame_->m_abSoftwareConfigPending[sensor]) << sensor;
    EXPECT_FALSE(frame_->m_abSoftwareConfigPending[3]);
    frame_->m_iNumberOfSensors = 1;
}

TEST_F(MeasureConfiguration, TheSettingsComeBackAfterARestart) {
    StartOnPage();
    Click(IDC_ADJ_EVAL_MODE1);
    Choose(IDC_ADJ_MEASURAND_1, 1);
    Type(IDC_ADJ_UPPER_1, "2,5");
    Choose(IDC_ADJ_START_CODE, 3);
    Type(IDC_ADJ_START_LEVEL, "7");
    frame_->SaveSettings();
    frame_->m_bCloseWithoutSaving = TRUE;
    frame_->DestroyWindow();
    NewApplication();
    CMainFrame* frame = StartAndComplete();
    ASSERT_NE(frame, nullptr);
    CDlgMeasureAdjust* page = frame->GetMeasureAdjustPage();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->CheckIoNioMode(1));
    EXPECT_EQ(page->GetJudgedMeasurand(0), 1);
    EXPECT_EQ(page->m_values.limits[1], "2,5");
    EXPECT_EQ(page->GetStartCondition(), 3);
    EXPECT_DOUBLE_EQ(page->GetStartLevel(), 7.0);
}

}  // namespace
}  // namespace apptest
