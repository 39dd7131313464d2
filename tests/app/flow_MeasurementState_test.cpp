// The measurement's state on its own: what a new run shows, which channel comes first, and how
// the trigger conditions arm.
#include <gtest/gtest.h>

#include <cmath>

#include "app/flow/MeasurementState.h"

TEST(MeasurementState, ANewRunShowsItsFirstValueSetWhateverTheRunBeforeLeft) {
    CMeasurementState state;
    for (int c = 0; c < COM_CHANNELS; ++c) {
        // A first value of 0 must differ from what an unwritten field holds.
        EXPECT_TRUE(std::isnan(state.m_adShownValue[c]) && std::isnan(state.m_adShownTare[c]));
        EXPECT_TRUE(std::isnan(state.m_adShownMinimum[c]) && std::isnan(state.m_adShownMaximum[c]));
        ASSERT_NE(state.m_apDisplayRing[c], nullptr);
        EXPECT_EQ(state.m_apDisplayRing[c]->GetLength(), 1);
        EXPECT_FALSE(state.m_bChannelActive[c]);
    }
    for (const auto& ring : state.m_apDiagramRing)
        ASSERT_NE(ring, nullptr);

    state.m_adShownValue[2] = 0.0;
    state.m_bStopReached = TRUE;
    state.m_bValueRecorded = TRUE;
    state.BeginMeasurement();
    EXPECT_TRUE(std::isnan(state.m_adShownValue[2]));
    EXPECT_FALSE(state.m_bStopReached);
    EXPECT_FALSE(state.m_bValueRecorded);
    EXPECT_TRUE(state.m_bMeasurementStarted);
}

TEST(MeasurementState, TheFirstChannelFollowsTheSelectionAndIsNoneWithoutActiveChannels) {
    CMeasurementState state;
    state.SetActiveChannelsAB(2);
    EXPECT_EQ(state.m_iFirstChannel, 1);
    state.SetActiveChannelsAB(1);
    EXPECT_EQ(state.m_iFirstChannel, 0);
    const BOOL cd[4] = {FALSE, FALSE, TRUE, TRUE};
    state.SetActiveSensorChannels(cd);
    EXPECT_EQ(state.m_iFirstChannel, 2);
    EXPECT_TRUE(state.m_bChannelActive[3]);
    const BOOL none[4] = {};
    state.SetActiveSensorChannels(none);
    EXPECT_EQ(state.m_iFirstChannel, -1);
}

TEST(MeasurementState, OnlyThresholdsOnSensorChannelsWaitToBeArmedAndStopEndsTheCycle) {
    CMeasurementState state;
    for (int condition = 0; condition <= 8; ++condition) {
        state.m_iStartCondition = condition;
        state.m_iStopCondition = condition;
        state.InitTriggerArmedFlags();
        const BYTE armed = condition >= 1 && condition <= 4 ? 0 : 1;
        EXPECT_EQ(state.m_ucStartArmed, armed) << condition;
        EXPECT_EQ(state.m_ucStopArmed, armed) << condition;
    }
    state.m_bMeasurementStarted = TRUE;
    state.ArmTriggerCycle();
    EXPECT_FALSE(state.m_bMeasurementStarted);
    EXPECT_EQ(state.m_ucFirstValuePending, 1);
    EXPECT_EQ(state.m_ucTriggerMarker, 1);
    state.BeginMeasurement();
    state.EndTriggerCycle();
    EXPECT_FALSE(state.m_bMeasurementStarted);
    EXPECT_EQ(state.m_ucTriggerMarker, 0);
}
