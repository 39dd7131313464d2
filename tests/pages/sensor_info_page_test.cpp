// The information page on the application with a simulated sensor: the value texts and their
// "n.a." limits, one sensor's fields and the no-sensor state, and a serial-number change that is
// asked once, refused when the user says No, and reaches the sensor 1000 ms after the last key,
// or before the configuration when the program closes, or once after a measurement; the
// question's wording, the layout check, the encoder fields, and a sensor lost during a write.
#include <gtest/gtest.h>

#include "app/AppTest.h"
#include "controls/WndImage.h"
#include "foundation/Language.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "pages/sensor/CDlgSensorInformationPkr.h"
#include "pages/sensor_fixture.h"
#include "protocol/BlockLayouts.h"
#include "sensor/ChanState.h"
#include "sensor/ZMStates.h"

namespace apptest {
namespace {

TEST(SensorInfoTexts, ValuesOutsideTheirRangesShowNotAvailable) {
    EXPECT_EQ(CDlgSensorInformationPkr::UncertaintyText(FALSE, 0.0, 0), "n.a.");
    EXPECT_EQ(CDlgSensorInformationPkr::UncertaintyText(TRUE, 5.0, 0), "n.a.");
    EXPECT_EQ(CDlgSensorInformationPkr::UncertaintyText(TRUE, 0.05, 0), " 0,05 %");
    EXPECT_EQ(CDlgSensorInformationPkr::UncertaintyText(TRUE, 0.05, 1000), " 0.05 %");
    EXPECT_EQ(CDlgSensorInformationPkr::UncertaintyText(TRUE, 2.0, 1000), " 2 %");
    EXPECT_EQ(CDlgSensorInformationPkr::PulsesText(5), "n.a.");
    EXPECT_EQ(CDlgSensorInformationPkr::PulsesText(6), "6");
    EXPECT_EQ(CDlgSensorInformationPkr::PulsesText(1000000), "1000000");
    EXPECT_EQ(CDlgSensorInformationPkr::PulsesText(1000001), "n.a.");
    EXPECT_EQ(CDlgSensorInformationPkr::AccuracyText(220, 0), "0,05 %");
}

class InformationPage : public SensorPageTest {
  protected:
    void StartWithSensor(sensorsim::SimSensorConfig config = {}) {
        config.serialNumber = 1111;
        frame_ = StartWithSensorOf(config);
        ASSERT_NE(frame_, nullptr);
        page_ = frame_->GetInformationPage();
        ASSERT_NE(page_, nullptr);
        frame_->SetOperatingMode(PAGE_INFORMATION);
        Run(500);
    }
    CString Text(int id) {
        CString text;
        page_->GetDlgItemText(id, text);
        return text;
    }
    bool Shown(int id) { return page_->GetDlgItem(id)->IsWindowVisible() != FALSE; }
    std::string SensorSerialText(int channel) {
        tarvik::RotorOperationBlock block;
        EXPECT_TRUE(block.Decode(SimSensorOfPort(0).Block(tarvik::kBlockRotorOperation)));
        return block.serialText[channel];
    }
    // A second sensor of the same device beside the first: the multi-sensor layout.
    void PretendTwoSensors() {
        frame_->m_aSensorRecord[1] = frame_->m_aSensorRecord[0];
        frame_->m_aSensorRecord[1].ucSensorIndex = 1;
        frame_->m_aSensorRecord[1].dwSerialNumber = 2222;
        frame_->m_iNumberOfSensors = 2;
    }
    void BackToOneSensor() {
        frame_->m_iNumberOfSensors = 1;
        page_->UpdateSensorInformation(TRUE);
    }
    CRect Placed(int id) {
        CRect rect;
        page_->GetDlgItem(id)->GetWindowRect(&rect);
        page_->ScreenToClient(&rect);
        return rect;
    }
    // Replaces the whole text (the field holds at most 6 characters).
    void Type(int id, const char* text) {
        page_->GetDlgItem(id)->SetFocus();
        static_cast<CEdit*>(page_->GetDlgItem(id))->SetSel(0, -1);
        for (const char* c = text; *c != 0; ++c)
            page_->GetDlgItem(id)->SendMessage(WM_CHAR, static_cast<WPARAM>(*c), 0);
        Run(10);
    }

    CMainFrame* frame_ = nullptr;
    CDlgSensorInformationPkr* page_ = nullptr;
};

TEST_F(InformationPage, OneSensorShowsItsFieldsAndAClosedPortShowsNotAvailable) {
    StartWithSensor();
    EXPECT_EQ(Text(1047), "1111");
    EXPECT_EQ(Text(1054), "4");
    EXPECT_EQ(Text(1472), "A00001");
    EXPECT_EQ(Text(1474), CString(frame_->m_aSensorRecord[0].szSerialText[1]));
    EXPECT_TRUE(Shown(1077));  // an HBT-Box has channel B
    EXPECT_FALSE(Shown(1356));
    EXPECT_EQ(Text(1068), GetLanguageString(5125));
    CDlgSensorConnection* connection = frame_->GetConnectionPage();
    // Ranges carry their unit, here and in the connection list.
    EXPECT_EQ(Text(1062), "500,0 N·m");
    EXPECT_EQ(connection->m_listPorts.GetItemText(0, CDlgSensorConnection::COL_RANGE),
              "500,0 N·m/500,0 N·m");

    // The sensor's record changed while another page showed (a restart after an adjustment):
    // the page shows the new record when it comes back.
    frame_->SetOperatingMode(PAGE_CALIBRATION);
    Run(100);
    frame_->m_aSensorRecord[0].ucUsedCalib = 3;
    frame_->SetOperatingMode(PAGE_INFORMATION);
    Run(100);
    EXPECT_EQ(Text(1068), GetLanguageString(5187));
    EXPECT_EQ(Text(1072).Find(GetLanguageString(5125)), 0);

    frame_->COM_CloseSensorPorts();
    frame_->m_aEntries[frame_->m_iCurrentRow].iState = PORT_STATE_FOUND;
    page_->UpdateSensorInformation(TRUE);
    EXPECT_EQ(Text(1047), "n.a.");
    EXPECT_EQ(Text(1474), "n.a.");
    EXPECT_EQ(Text(1472), "");
}

TEST_F(InformationPage, SeveralSensorsFillTheListsInPositionOrder) {
    StartWithSensor();
    // Two sensors of one device, the second record at the first position.
    frame_->m_aSensorRecord[1] = frame_->m_aSensorRecord[0];
    frame_->m_aSensorRecord[0].ucSensorIndex = 1;
    frame_->m_aSensorRecord[1].ucSensorIndex = 0;
    frame_->m_aSensorRecord[1].dwSerialNumber = 2222;
    frame_->m_iNumberOfSensors = 2;
    page_->UpdateSensorInformation(TRUE);
    EXPECT_TRUE(Shown(1356));
    EXPECT_FALSE(Shown(1045));
    CListCtrl* identification = static_cast<CListCtrl*>(page_->GetDlgItem(1356));
    ASSERT_EQ(identification->GetItemCount(), 2);
    EXPECT_EQ(identification->GetItemText(0, 0), "1");
    EXPECT_EQ(identification->GetItemText(0, 3), "2222");
    EXPECT_EQ(identification->GetItemText(1, 3), "1111");
    frame_->m_iNumberOfSensors = 1;
    frame_->m_aSensorRecord[0].ucSensorIndex = 0;
}

TEST_F(InformationPage, TheStartUpWindowShowsItsPicture) {
    StartWithSensor();
    CWnd* picture = frame_->m_dlgStartUp.GetDlgItem(1244);
    ASSERT_NE(picture, nullptr);
    auto* image = dynamic_cast<CWndImage*>(picture);
    ASSERT_NE(image, nullptr);
    BITMAP info{};
    ASSERT_NE(::GetObject(image->GetBitmap(), sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 161);
    EXPECT_EQ(info.bmHeight, 161);
}

TEST_F(InformationPage, ASerialChangeIsAskedOnceAndWrittenAfterTheLastKey) {
    StartWithSensor();
    boxAnswer_ = IDNO;
    Type(1472, "Z");
    ASSERT_EQ(boxes_.size(), 1U);
    EXPECT_EQ(boxes_[0].text, GetLanguageString(5356));
    EXPECT_EQ(Text(1472), "A00001");  // No keeps the text

    boxAnswer_ = IDYES;
    Type(1472, "Z");
    page_->GetDlgItem(1472)->SendMessage(EM_SETSEL, 1, 1);
    page_->GetDlgItem(1472)->SendMessage(WM_CHAR, 'Y', 0);
    Run(10);
    EXPECT_EQ(boxes_.size(), 2U);  // asked once until the field is left
    Run(500);
    EXPECT_EQ(SensorSerialText(0), "A00001");
    Run(2000);
    EXPECT_EQ(SensorSerialText(0), "ZY");
    EXPECT_EQ(page_->m_iRefreshOnShow, 1);
}

TEST_F(InformationPage, AClosingProgramWritesTheMarkedSerialFirst) {
    StartWithSensor();
    boxAnswer_ = IDYES;
    Type(1474, "Q");
    ASSERT_TRUE(frame_->COM_IsSerialNumberWriteMarked(0));
    frame_->SendMessage(WM_CLOSE);
    Run(200);
    ASSERT_NE(GetMainFrame(), nullptr);
    EXPECT_EQ(SensorSerialText(1), "Q");
    EXPECT_FALSE(frame_->COM_IsSerialNumberWriteMarked(0));
}

TEST_F(InformationPage, TheQuestionNamesTheChannelOrTheSensorInEachLanguage) {
    StartWithSensor();
    boxAnswer_ = IDNO;
    Type(1474, "Q");
    frame_->SwitchLanguage(LANGUAGE_ENGLISH);
    page_->UpdateSensorInformation(TRUE);
    Type(1474, "Q");
    PretendTwoSensors();
    page_->UpdateSensorInformation(TRUE);
    ASSERT_TRUE(Shown(1396));
    // English keeps its lower-case "channel": only the letter becomes the sensor's number.
    Type(1396, "Q");
    frame_->SwitchLanguage(LANGUAGE_GERMAN);
    page_->UpdateSensorInformation(TRUE);
    Type(1396, "Q");
    ASSERT_EQ(boxes_.size(), 4U);
    EXPECT_EQ(boxes_[0].text,
              "Sind Sie sicher, dass Sie die Seriennummer vom Kanal B ändern möchten?");
    EXPECT_EQ(boxes_[1].text,
              "Are you sure that you want to change the serial number of channel B?");
    EXPECT_EQ(boxes_[2].text,
              "Are you sure that you want to change the serial number of channel 2?");
    EXPECT_EQ(boxes_[3].text,
              "Sind Sie sicher, dass Sie die Seriennummer vom Sensor 2 ändern möchten?");
    for (const auto& box : boxes_)
        EXPECT_EQ(box.type & MB_DEFMASK, static_cast<UINT>(MB_DEFBUTTON2));
    CString kept;
    page_->GetDlgItemText(1396, kept);
    EXPECT_EQ(kept, CString(frame_->m_aSensorRecord[1].szSerialText[0]));
    BackToOneSensor();
}

TEST_F(InformationPage, TheLayoutCheckFollowsTheSensorCountAndTheChannelsEverySecond) {
    StartWithSensor();
    ASSERT_TRUE(Shown(1077));
    PretendTwoSensors();
    Run(1100);
    EXPECT_TRUE(Shown(1356));
    EXPECT_TRUE(Shown(1399));
    EXPECT_FALSE(Shown(1045));
    frame_->m_iNumberOfSensors = 1;
    Run(1100);
    // Back to one sensor: the check sees nothing out of place until channel B's group differs
    // from what the stator asks, then it refills the single layout.
    frame_->m_aSensorRecord[0].ucStatorId = 7;
    Run(1100);
    EXPECT_FALSE(Shown(1356));
    EXPECT_FALSE(Shown(1077));
    frame_->m_aSensorRecord[0].ucStatorId = 4;
    Run(1100);
    EXPECT_TRUE(Shown(1077));
    // Hidden, the page checks nothing.
    frame_->SetOperatingMode(PAGE_CONNECTION);
    Run(100);
    frame_->m_aSensorRecord[0].ucStatorId = 7;
    Run(2100);
    EXPECT_TRUE(page_->GetDlgItem(1077)->GetStyle() & WS_VISIBLE);
}

TEST_F(InformationPage, EncoderFieldsShowThePulsesInTheirPlaces) {
    sensorsim::SimSensorConfig config;
    config.encoderMask = 1;
    config.pulsesPerRevolution = 1000000;
    StartWithSensor(config);
    ASSERT_EQ(ChanState_GetConnectedChannelCount(), 1);
    EXPECT_TRUE(Shown(1462));
    EXPECT_TRUE(Shown(1464));
    EXPECT_FALSE(Shown(1466));
    EXPECT_EQ(Text(1464), "1000000");
    EXPECT_EQ(Placed(1462), CRect(22, 400, 22 + 315, 400 + 45));
    EXPECT_EQ(Placed(1464).TopLeft(), CPoint(340, 415));

    // Several sensors with both encoder channels: numbered labels, once, however often filled.
    PretendTwoSensors();
    ChanState_SetConnected(3, 0, 0);
    page_->UpdateSensorInformation(TRUE);
    page_->UpdateSensorInformation(TRUE);
    EXPECT_EQ(Placed(1462), CRect(38, 425, 38 + 474, 425 + 62));
    EXPECT_EQ(Text(1463).Find("1:  "), 0);
    EXPECT_EQ(Text(1465).Find("2:  "), 0);
    EXPECT_EQ(Text(1465).Find("2:  ", 1), -1);
    EXPECT_EQ(Placed(1465).TopLeft(), CPoint(170, 460));
    EXPECT_TRUE(Shown(1466));
    BackToOneSensor();
}

TEST_F(InformationPage, AChangeDuringAMeasurementIsWrittenOnceAfterIt) {
    StartWithSensor();
    int writes = 0;
    SimSensorOfPort(0).onBlockWritten = [&](int index) {
        writes += index == tarvik::kBlockRotorOperation ? 1 : 0;
    };
    CDlgMeasureDiagram* panel = frame_->GetMeasureDiagramPage();
    ASSERT_NE(panel, nullptr);
    panel->OnBnClickedStart();
    RunStreaming(200);
    ASSERT_TRUE(frame_->m_bMeasuring);
    boxAnswer_ = IDYES;
    Type(1472, "M");
    RunStreaming(3000);
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(SensorSerialText(0), "A00001");
    panel->OnBnClickedStop();
    Run(4000);
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(SensorSerialText(0), "M");
    EXPECT_FALSE(frame_->COM_IsSerialNumberWriteMarked(0));
}

TEST_F(InformationPage, ASensorLostDuringTheWriteEndsInTheLostState) {
    StartWithSensor();
    boxAnswer_ = IDYES;
    Type(1472, "L");
    Run(900);
    Unplug();
    Run(8000);
    EXPECT_EQ(SensorSerialText(0), "A00001");
    EXPECT_NE(frame_->m_aEntries[0].iState, PORT_STATE_OPEN);
    EXPECT_EQ(
        frame_->GetConnectionPage()->m_listPorts.GetItemText(0, CDlgSensorConnection::COL_STATE),
        GetLanguageString(IDS_PORT_NOT_AVAILABLE));
    EXPECT_EQ(frame_->COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE);
    EXPECT_FALSE(frame_->IsWaitCursorShown());
    page_->UpdateSensorInformation(TRUE);
    EXPECT_EQ(Text(1047), "n.a.");
}

}  // namespace
}  // namespace apptest
