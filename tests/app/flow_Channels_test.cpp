// The channel records as the frame fills them from a sensor and writes them back, the unit
// factors that follow them, the lights, the recovery after a lost sensor, and the pacing worker.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "AppTest.h"
#include "app/ThreadedConvertFile.h"
#include "flow_Fakes.h"
#include "foundation/Units.h"
#include "sensor/ZMStates.h"
#include "tests/app/MeasurementForTest.h"

namespace apptest {
namespace {

class PortList : public IFlowPortList {
  public:
    int GetRowCount() const override { return static_cast<int>(rows.size()); }
    CString GetRowText(int row) const override { return rows[row]; }
    std::vector<CString> rows;
};

class Channels : public StartedApp {
  protected:
    void SetUp() override {
        StartedApp::SetUp();
        frame_->m_iNumberOfSensors = 1;
        SensorRecord& record = frame_->m_aSensorRecord[0];
        record = SensorRecord{};
        record.ucUnitLetter[0] = 'D';
        record.ucUnitLetter[1] = 'Y';
        record.dRange[0] = 500.0;
        record.dRange[1] = 10000.0;
        record.ucConfigPresent = 1;
        record.ucConfigWritten = 1;
        record.dwFrameSetting = 5;
    }
    void TearDown() override {
        frame_->m_flowFakes = CMainFrame::FlowPartnerFakes{};
        StartedApp::TearDown();
    }
    SensorRecord& Record() { return frame_->m_aSensorRecord[0]; }
};

TEST_F(Channels, AScalingReachesTheFactorAndCorruptBytesAreClamped) {
    Record().ucScalingPresent[0] = 1;
    std::strcpy(Record().szScalingName[0], "kp");
    Record().dScalingFactor[0] = 2.5;
    frame_->SetupChannelsOfSensor(0, 1);
    ChannelRecord& a = MeasurementForTest(*frame_).Flow().m_aChannelRecords[0];
    const int count = a.iUnitCount;
    EXPECT_EQ(a.astrUnit[count], "kp");
    Record().ucUnitIndex[0] = static_cast<BYTE>(count);
    Record().ucDecimals[0] = 40;
    Record().ucAveraging[0] = 255;
    Record().ucSignInversion[0] = 7;
    Record().ucViewState[0] = 200;
    frame_->SetupChannelsOfSensor(0, 1);
    EXPECT_EQ(a.iUnitIndex, count);
    EXPECT_EQ(a.iDecimals, 7);
    EXPECT_EQ(a.iAveraging, 9);
    EXPECT_EQ(a.iSignInversion, 0);
    EXPECT_EQ(a.ucViewState, 1);
    EXPECT_DOUBLE_EQ(frame_->m_adUnitFactor[0],
                     2.5 * CTarvik_Send::TarSend_GetValuePerCount(Record(), 0));
    Record().ucUnitIndex[0] = 200;
    frame_->SetupChannelsOfSensor(0, 1);
    EXPECT_EQ(a.iUnitIndex, 0);
}

TEST_F(Channels, AChosenUnitFollowsIntoTheFactorAndBackIntoTheConfiguration) {
    const int Nm = [] {
        for (int i = 0; i < 32; ++i)
            if (GetTorqueUnitFactor(i) == 0.01)
                return i;
        return -1;
    }();
    ASSERT_GE(Nm, 0);
    Record().ucUnitIndex[0] = static_cast<BYTE>(Nm);
    Record().ucDecimals[0] = 3;
    Record().ucAveraging[1] = 4;
    Record().ucSignInversion[1] = 1;
    Record().ucViewState[0] = 2;
    frame_->SetupChannelsOfSensor(0, 1);
    EXPECT_DOUBLE_EQ(frame_->m_adUnitFactor[0],
                     0.01 * CTarvik_Send::TarSend_GetValuePerCount(Record(), 0));
    const SensorRecord before = Record();
    frame_->StoreChannelSettingsInSoftwareConfig(0);
    EXPECT_EQ(Record().ucUnitIndex[0], before.ucUnitIndex[0]);
    EXPECT_EQ(Record().ucDecimals[0], 3);
    EXPECT_EQ(Record().ucAveraging[1], 4);
    EXPECT_EQ(Record().ucSignInversion[1], 1);
    EXPECT_EQ(Record().ucViewState[0], 2);
    EXPECT_EQ(Record().dwFrameSetting, 5u);
    frame_->SetupChannelsOfSensor(0, 1);
    EXPECT_EQ(frame_->Measurement().Flow().m_aChannelRecords[0].iUnitIndex, Nm);

    // Without a configuration the bytes are cleared and the defaults apply.
    Record().ucConfigWritten = 0;
    Record().ucConfigPresent = 0;
    frame_->SetupChannelsOfSensor(0, 1);
    EXPECT_EQ(frame_->Measurement().Flow().m_aChannelRecords[0].iAveraging, 2);
    EXPECT_EQ(frame_->Measurement().Flow().m_aChannelRecords[0].ucViewState, 1);
    EXPECT_EQ(frame_->Measurement().Flow().m_iFrameSetting, 1);
    frame_->SetupChannelsOfSensor(0, 0);
    EXPECT_EQ(frame_->Measurement().Flow().m_aChannelRecords[0].astrUnit[0], "n.a.");
}

// One unconfigured sensor after a multi-port device: its two channels are shown, C and D are
// not offered, whatever the device left in their records.
TEST_F(Channels, AnUnconfiguredSensorAfterAGroupShowsItsTwoChannelsOnly) {
    for (int record = 0; record < 4; ++record)
        MeasurementForTest(*frame_).Flow().m_aChannelRecords[record].ucViewState =
            record == 1 ? 0 : 1;
    Record().ucConfigWritten = 0;
    Record().ucConfigPresent = 0;
    frame_->SetupChannelsOfSensor(0, 1);
    for (int bar = 0; bar < 4; ++bar)
        EXPECT_EQ(frame_->m_viewState.checkState[bar], bar < 2 ? 1 : 3) << bar;
}

TEST_F(Channels, StoredSettingsAreTakenOverByTheNextSetUp) {
    // A sensor that never held a configuration of this program.
    Record().ucConfigWritten = 0;
    Record().ucConfigPresent = 0;
    frame_->SetupChannelsOfSensor(0, 1);
    ChannelRecord& a = MeasurementForTest(*frame_).Flow().m_aChannelRecords[0];
    const int unit = a.iUnitIndex == 0 ? 1 : 0;
    a.iUnitIndex = unit;
    a.iDecimals = 3;
    frame_->m_iMeasureRateIndex = 3;
    frame_->StoreChannelSettingsInSoftwareConfig(0);
    // What a next start reads back from the sensor is the operator's choice, not the default.
    frame_->SetupChannelsOfSensor(0, 1);
    EXPECT_EQ(frame_->Measurement().Flow().m_aChannelRecords[0].iUnitIndex, unit);
    EXPECT_EQ(frame_->Measurement().Flow().m_aChannelRecords[0].iDecimals, 3);
    EXPECT_EQ(Record().ucRateIndex, 3);
}

TEST_F(Channels, LightsByTheSensorsLightMode) {
    Record().ucLightMode = 2;
    Record().ucLightValue[0] = 7;
    Record().ucLightValue[1] = 8;
    frame_->SetChannelLedState(0);
    EXPECT_EQ(frame_->Measurement().Flow().m_aChannelRecords[0].iLedState, 7);
    EXPECT_EQ(frame_->Measurement().Flow().m_aChannelRecords[1].iLedState, 8);
    Record().ucLightMode = 1;
    frame_->SetChannelLedState(0);
    EXPECT_EQ(frame_->Measurement().Flow().m_aChannelRecords[1].iLedState, 2);
    Record().ucKindByte = 9;
    frame_->SetChannelLedState(0);
    EXPECT_EQ(frame_->Measurement().Flow().m_aChannelRecords[0].iLedState, 7);
}

TEST_F(Channels, ALostSensorsPortIsMarkedAndTheTableRefreshed) {
    PortList list;
    flowtest::FakePanel panel;
    flowtest::FakeDiagram diagram;
    frame_->m_flowFakes.portList = &list;
    frame_->m_flowFakes.panel = &panel;
    frame_->m_flowFakes.diagram = &diagram;
    frame_->m_iEntryCount = 2;
    frame_->m_aEntries[0].strPortName = "COM3";
    frame_->m_aEntries[1].strPortName = "COM7";
    frame_->m_iSelectedEntry = 1;
    list.rows = {CComPort::COM_MakePortDisplayName("COM3 Tarvik USB sensor interface port"),
                 CComPort::COM_MakePortDisplayName("COM7 Tarvik USB sensor interface port")};
    frame_->RecoverFromSensorLoss(TRUE);
    EXPECT_EQ(panel.stops, 1);
    EXPECT_EQ(diagram.saves, 1);
}

TEST(ConvertWorker, StartsOneThreadStopsItAndSurvivesManyCycles) {
    CThreadedConvertFile worker(nullptr, 0);
    EXPECT_EQ(worker.Start(), 0);
    EXPECT_EQ(worker.Start(), 0);  // the first thread is stopped first
    EXPECT_TRUE(worker.IsRunning());
    worker.Stop();
    EXPECT_FALSE(worker.IsRunning());
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(worker.Start(), 0);
        worker.Stop();
    }
    CThreadedConvertFile::s_bFailStarts = true;
    EXPECT_EQ(worker.Start(), CThreadedConvertFile::kStartFailed);
    CThreadedConvertFile::s_bFailStarts = false;
    EXPECT_FALSE(worker.IsRunning());
}

}  // namespace
}  // namespace apptest
