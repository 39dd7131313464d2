// The one-shot timers: each fires once and is killed before it acts; the multi-port evaluation,
// the end of an activation, the delayed baud-rate write, the debounced configuration writes and
// the re-enabling after a scan.
#include <gtest/gtest.h>

#include "AppTest.h"
#include "foundation/Language.h"
#include "pages/measurement/CDlgDiagnostic.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/sensor/CDlgSensorConnection.h"

namespace apptest {
namespace {

class Timers : public StartedApp {
  protected:
};

TEST_F(Timers, EveryTimerFiresOnceAndIdsWithoutAStepOnlyGoAway) {
    frame_->m_bStatusRestoreOnMouseMove = FALSE;
    frame_->SetTimer(CMainFrame::TIMER_STATUS_RESTORE, 100, nullptr);
    Run(150);
    EXPECT_TRUE(frame_->m_bStatusRestoreOnMouseMove);
    frame_->m_bStatusRestoreOnMouseMove = FALSE;
    Run(500);
    EXPECT_FALSE(frame_->m_bStatusRestoreOnMouseMove);
    // An id without a step is killed at its first expiry: it would otherwise stay due.
    frame_->SetTimer(50, 10, nullptr);
    Run(30);
    EXPECT_FALSE(::KillTimer(frame_->m_hWnd, 50));
}

TEST_F(Timers, TheSecondCloseRequestDestroysTheFrameWithoutDefaultHandlingAfterIt) {
    frame_->SetTimer(CMainFrame::TIMER_CLOSE_AGAIN, 10, nullptr);
    const HWND hwnd = frame_->m_hWnd;
    Run(30);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(Frame(), nullptr);
}

// One multi-port device behind the ports, in the diagnostic page's detector.
void GroupPorts(CDlgDiagnostic* diagnostic, std::vector<const char*> ports) {
    diagnostic->m_detector.Clear();
    for (size_t i = 0; i < ports.size(); ++i) {
        SensorEntry entry;
        entry.iState = PORT_STATE_FOUND;
        entry.record.ucMultiportModule = 1;
        entry.record.dwSerialNumber = 4711;
        entry.record.ucSensorIndex = static_cast<BYTE>(i);
        entry.strPortName = ports[i];
        entry.strPortText = ports[i];
        diagnostic->m_detector.AddCandidate(entry, static_cast<int>(i));
    }
    diagnostic->m_detector.Detect();
}

TEST_F(Timers, TheMultiportEvaluationTakesTheLastFoundSensorOnce) {
    CDlgDiagnostic* diagnostic = frame_->GetDiagnosticPage();
    GroupPorts(diagnostic, {"COM3", "COM4"});
    frame_->m_aEntries[0].strPortName = "COM3";
    frame_->m_aEntries[0].iStateId = 0;
    frame_->m_iEntryCount = 1;
    frame_->m_strCurrentPortName = "COM3";

    // No entry selected: the last one found, and last-found ends at -1.
    frame_->m_iSelectedEntry = -1;
    frame_->m_iLastFoundEntry = 0;
    frame_->m_iSensorsFound = 2;
    frame_->SendMessage(WM_TIMER, CMainFrame::TIMER_MULTIPORT_EVALUATION);
    EXPECT_EQ(frame_->m_iSelectedEntry, 0);
    EXPECT_EQ(frame_->m_iLastFoundEntry, -1);
    EXPECT_EQ(frame_->m_iActivatedCount, 0);
    EXPECT_EQ(frame_->m_aiGroupMark[0], 1);
    EXPECT_EQ(frame_->m_aiGroupMark[1], -1);

    // Nothing found: nothing armed, nothing selected.
    frame_->m_iSelectedEntry = -1;
    frame_->m_iActivatedCount = 3;
    frame_->SendMessage(WM_TIMER, CMainFrame::TIMER_MULTIPORT_EVALUATION);
    EXPECT_EQ(frame_->m_iSelectedEntry, -1);
    EXPECT_EQ(frame_->m_iActivatedCount, 3);

    // More than four sensors: nothing happens.
    frame_->m_iLastFoundEntry = 0;
    frame_->m_iSensorsFound = 5;
    frame_->SendMessage(WM_TIMER, CMainFrame::TIMER_MULTIPORT_EVALUATION);
    EXPECT_EQ(frame_->m_iLastFoundEntry, 0);

    // A selected entry outside the groups is opened as a single sensor.
    GroupPorts(diagnostic, {"COM8", "COM9"});
    frame_->m_iSelectedEntry = 0;
    frame_->SendMessage(WM_TIMER, CMainFrame::TIMER_MULTIPORT_EVALUATION);
    EXPECT_EQ(frame_->m_iActivatedCount, 1);
    EXPECT_EQ(frame_->m_iActivatedCountCopy, 1);
    EXPECT_TRUE(frame_->IsWaitCursorShown());
    frame_->WaitCursorOff();
    GroupPorts(diagnostic, {"COM8", "COM9", "COM3"});

    // A selected entry in a group starts the activation under the wait cursor.
    frame_->m_iSelectedEntry = 0;
    frame_->SendMessage(WM_TIMER, CMainFrame::TIMER_MULTIPORT_EVALUATION);
    EXPECT_EQ(frame_->m_iActivatedCount, 0);
    EXPECT_TRUE(frame_->IsWaitCursorShown());
}

TEST_F(Timers, TheEndOfAnActivationAlwaysEndsTheWaitCursor) {
    for (int activated : {0, 1, 2, 4}) {
        frame_->WaitCursorOn();
        boxes_.clear();
        frame_->OnMultiChannelActivationDone(activated);
        EXPECT_FALSE(frame_->IsWaitCursorShown()) << activated;
        EXPECT_EQ(boxes_.size(), activated == 1 ? 1U : 0U) << activated;
    }
    const std::pair<int, const char*> texts[] = {
        {LANGUAGE_GERMAN, "KQ7 hat ein NX-ZID3 erkannt."},
        {LANGUAGE_FRENCH_OLD, "KQ7 a reconnu un NX-ZID3."},
        {LANGUAGE_ENGLISH, "KQ7 has detected a device NX-ZID3."}};
    for (const auto& [language, start] : texts) {
        frame_->SwitchLanguage(language);
        boxes_.clear();
        frame_->OnMultiChannelActivationDone(1);
        ASSERT_EQ(boxes_.size(), 1U);
        EXPECT_EQ(boxes_[0].text.Find(start), 0) << language;
    }
}

TEST_F(Timers, AnOutdatedSoftwareConfigurationAsksForConfirmation) {
    frame_->m_iActivatedCount = 1;
    frame_->m_aSensorRecord[0].ucConfigVersion = 4;
    frame_->ShowMeasureAdjustNotice();
    EXPECT_FALSE(frame_->GetMeasureAdjustPage()->m_bNeedsConfirmation);
    frame_->m_aSensorRecord[0].ucConfigVersion = 3;
    frame_->ShowMeasureAdjustNotice();
    EXPECT_TRUE(frame_->GetMeasureAdjustPage()->m_bNeedsConfirmation);
    EXPECT_TRUE(frame_->GetMeasureAdjustPage()->IsNoticeVisible());
    Run(900);
    ASSERT_EQ(boxes_.size(), 1U);
    EXPECT_EQ(boxes_[0].text, GetLanguageString(5924));
}

TEST_F(Timers, TheBaudWriteWaitsForTheSensorAndNeverWritesAnUnknownRate) {
    CDlgSensorConnection* connection = frame_->GetConnectionPage();
    Run(2000);  // the search at start-up has rebuilt the list
    connection->m_iSelectedRow = 0;
    connection->m_bActivationBusy = TRUE;
    ASSERT_EQ(connection->m_listPorts.InsertItem(0, "Tarvik USB   [COM1]"), 0);
    connection->SetBaudrateCellText(0, "230,4k");
    frame_->m_iStoredBaudCode = 9;
    frame_->m_iPendingBaudrate = 0;

    // The sensor never answers: after 3 s no write, the cell and the busy flag are put back.
    frame_->m_bSensorAnswered = FALSE;
    frame_->SetTimer(CMainFrame::TIMER_BAUD_WRITE, 100, nullptr);
    Run(3500);
    EXPECT_FALSE(connection->m_bActivationBusy);
    EXPECT_EQ(connection->GetBaudrateCellText(0), "115,2k");
    EXPECT_EQ(frame_->m_iPendingBaudrate, 0);
    ASSERT_EQ(boxes_.size(), 1U);

    // It answers late: the write follows.
    connection->SetBaudrateCellText(0, "230,4k");
    connection->m_bActivationBusy = TRUE;
    frame_->SetTimer(CMainFrame::TIMER_BAUD_WRITE, 100, nullptr);
    Run(500);
    frame_->m_bSensorAnswered = TRUE;
    Run(200);
    EXPECT_EQ(frame_->m_iPendingBaudrate, 230400);

    // A text that is neither rate is never written.
    frame_->m_iPendingBaudrate = 0;
    connection->SetBaudrateCellText(0, "9600");
    frame_->SetTimer(CMainFrame::TIMER_BAUD_WRITE, 100, nullptr);
    Run(200);
    EXPECT_EQ(frame_->m_iPendingBaudrate, 0);
    EXPECT_FALSE(connection->m_bActivationBusy);
}

TEST_F(Timers, QuickToggleRequestsGiveOneConfigurationWritePerSensor) {
    for (int i = 0; i < 3; ++i) {
        frame_->RequestSoftwareConfigWrite(0);
        frame_->RequestSoftwareConfigWrite(1);
        Run(300);
    }
    frame_->RequestSoftwareConfigWrite(4);
    Run(3000);
    EXPECT_EQ(frame_->m_iSoftwareConfigWriteCalls, 2);

    frame_->GetMeasureDiagramPage()->m_ucMeasuring = 1;
    frame_->RequestSoftwareConfigWrite(2);
    Run(3000);
    EXPECT_EQ(frame_->m_iSoftwareConfigWriteCalls, 2);
    frame_->GetMeasureDiagramPage()->m_ucMeasuring = 0;
    Run(1000);
    EXPECT_EQ(frame_->m_iSoftwareConfigWriteCalls, 3);
}

TEST_F(Timers, TheReenablingKeepsTheCountOfAnActivationThatCompletedMeanwhile) {
    frame_->m_iActivatedCount = 2;
    frame_->SetStopMeasureDuringScan(TRUE);
    frame_->m_bStopMeasureDuringScan = FALSE;
    frame_->OnMultiChannelActivationDone(2);
    Run(2600);
    EXPECT_EQ(frame_->m_iActivatedCount, 2);
    frame_->SetStopMeasureDuringScan(TRUE);
    frame_->m_bStopMeasureDuringScan = FALSE;
    Run(2600);
    EXPECT_EQ(frame_->m_iActivatedCount, 0);
    EXPECT_TRUE(frame_->GetConnectionPage()->m_bUpdateEnabled);
}

}  // namespace
}  // namespace apptest
