// The unit factors of the sensor channels come through a hook the frame may override: by default
// the sensor record's own configuration decides, an override decides per channel.
#include <gtest/gtest.h>

#include "sensor/CComPort.h"

namespace {

class FactorFrame : public CComPort {
  public:
    void UpdateMeasuredValues(MeasuredValueReason, const MeasuredValueSet&) override {}
    void SetStopMeasureDuringScan(BOOL) override {}
    BOOL RestoreWindowAndBarState() override { return TRUE; }
    void SetupChannelsOfSensor(int, int) override {}
    void TakeOverSoftwareScaling(int) override {}
    void StoreChannelSettingsInSoftwareConfig(int) override {}
    void ShowMeasureAdjustNotice() override {}
    void COM_ShowMessage(const CString&) override {}
    void OnMultiChannelActivationDone(int) override {}
    void Compute() { ComputeUnitFactors(); }
};

class OverridingFrame : public FactorFrame {
  public:
    double SensorChannelUnitFactor(int channel, const SensorRecord&, int side) override {
        return 10.0 * channel + side;
    }
};

TEST(SensorUnitFactor, DefaultsToTheRecordAndFollowsAnOverride) {
    FactorFrame plain;
    plain.m_iNumberOfSensors = 1;
    plain.m_aSensorRecord[0].dRange[0] = 500.0;
    plain.m_aSensorRecord[0].dRange[1] = 100.0;
    plain.Compute();
    EXPECT_EQ(plain.m_adUnitFactor[0], ChannelUnitFactor(plain.m_aSensorRecord[0], 0));
    EXPECT_EQ(plain.m_adUnitFactor[1], ChannelUnitFactor(plain.m_aSensorRecord[0], 1));

    OverridingFrame frame;
    frame.m_iNumberOfSensors = 1;
    frame.Compute();
    EXPECT_EQ(frame.m_adUnitFactor[0], 0.0);
    EXPECT_EQ(frame.m_adUnitFactor[1], 11.0);
    frame.m_iNumberOfSensors = 3;
    frame.Compute();
    EXPECT_EQ(frame.m_adUnitFactor[2], 20.0);  // multi-port: side A of each sensor
    EXPECT_EQ(frame.m_adUnitFactor[3], 30.0);
}

}  // namespace
