// The measurement's state on its own: what a new run shows, which channel comes first, and how
// the trigger conditions arm.
#include <gtest/gtest.h>

#include <cmath>

#include "app/flow/MeasurementState.h"
#include "tests/app/MeasurementForTest.h"

TEST(MeasurementState, ANewRunShowsItsFirstValueSetWhateverTheRunBeforeLeft) {
    CMeasurementState state;
    for (int c = 0; c < COM_CHANNELS; ++c) {
        // A first value of 0 must differ from what an unwritten field holds.
        EXPECT_TRUE(std::isnan(state.Flow().m_adShownValue[c]) &&
                    std::isnan(state.Flow().m_adShownTare[c]));
        EXPECT_TRUE(std::isnan(state.Flow().m_adShownMinimum[c]) &&
                    std::isnan(state.Flow().m_adShownMaximum[c]));
        ASSERT_NE(state.Flow().m_apDisplayRing[c], nullptr);
        EXPECT_EQ(state.Flow().m_apDisplayRing[c]->GetLength(), 1);
        EXPECT_FALSE(state.Flow().m_bChannelActive[c]);
    }
    for (const auto& ring : state.Flow().m_apDiagramRing)
        ASSERT_NE(ring, nullptr);

    MeasurementForTest edit(state);
    edit.Flow().m_adShownValue[2] = 0.0;
    state.StopEventFired();
    state.ValueSetRecorded();
    state.BeginMeasurement();
    EXPECT_TRUE(std::isnan(state.Flow().m_adShownValue[2]));
    EXPECT_FALSE(state.Flow().m_bStopReached);
    EXPECT_FALSE(state.Flow().m_bValueRecorded);
    EXPECT_TRUE(state.Triggers().m_bMeasurementStarted);
}

TEST(MeasurementState, TheFirstChannelFollowsTheSelectionAndIsNoneWithoutActiveChannels) {
    CMeasurementState state;
    state.SetActiveChannelsAB(2);
    EXPECT_EQ(state.Flow().m_iFirstChannel, 1);
    state.SetActiveChannelsAB(1);
    EXPECT_EQ(state.Flow().m_iFirstChannel, 0);
    const BOOL cd[4] = {FALSE, FALSE, TRUE, TRUE};
    state.SetActiveSensorChannels(cd);
    EXPECT_EQ(state.Flow().m_iFirstChannel, 2);
    EXPECT_TRUE(state.Flow().m_bChannelActive[3]);
    const BOOL none[4] = {};
    state.SetActiveSensorChannels(none);
    EXPECT_EQ(state.Flow().m_iFirstChannel, -1);
}

TEST(MeasurementState, OnlyThresholdsOnSensorChannelsWaitToBeArmedAndStopEndsTheCycle) {
    CMeasurementState state;
    for (int condition = 0; condition <= 8; ++condition) {
        state.SetStartStopConditions(condition, condition);
        state.InitTriggerArmedFlags();
        const BYTE armed = condition >= 1 && condition <= 4 ? 0 : 1;
        EXPECT_EQ(state.Triggers().m_ucStartArmed, armed) << condition;
        EXPECT_EQ(state.Triggers().m_ucStopArmed, armed) << condition;
    }
    state.StartEventFired();
    state.ArmTriggerCycle();
    EXPECT_FALSE(state.Triggers().m_bMeasurementStarted);
    EXPECT_EQ(state.Triggers().m_ucFirstValuePending, 1);
    EXPECT_EQ(state.Triggers().m_ucTriggerMarker, 1);
    state.BeginMeasurement();
    state.EndTriggerCycle();
    EXPECT_FALSE(state.Triggers().m_bMeasurementStarted);
    EXPECT_EQ(state.Triggers().m_ucTriggerMarker, 0);
}

TEST(MeasurementState, TaraTogglesOnlyAFreeOrHoldingLockAndOnlyAHoldingOneTakesTheValue) {
    CMeasurementState state;
    state.TakeTare(0, 4.0);
    EXPECT_EQ(state.Flow().m_adTare[0], 0.0);
    EXPECT_EQ(state.ToggleTareLock(0), 0);
    state.TakeTare(0, 4.0);
    EXPECT_EQ(state.Flow().m_adTare[0], 4.0);
    EXPECT_EQ(state.ToggleTareLock(0), 1);
    state.ToggleTareLock(0);
    state.TakeTare(0, 4.0);
    state.FreeTare(0);
    EXPECT_EQ(state.Flow().m_adTare[0], 0.0);
    EXPECT_EQ(state.Flow().m_aiTareState[0], 1);
    MeasurementForTest(state).Flow().m_aiTareState[1] = 2;
    EXPECT_EQ(state.ToggleTareLock(1), 2);
}

TEST(MeasurementState, NewFilesForgetTheLastRunsFailureWhileAFailureKeepsTheValuesForASave) {
    CMeasurementState state;
    MeasurementForTest edit(state);
    edit.Files().m_iRowNumber = 7;
    edit.Files().m_bMeasurementFinished = TRUE;
    edit.Recording().m_bStoreRefused = TRUE;
    state.ExportFailed();
    EXPECT_TRUE(state.Files().m_bExportFailed);
    EXPECT_EQ(state.Files().m_ucDataAvailable, 1);
    state.BeginFiles();
    EXPECT_EQ(state.Files().m_iRowNumber, 0);
    EXPECT_FALSE(state.Files().m_bExportFailed || state.Files().m_bMeasurementFinished);
    EXPECT_FALSE(state.Recording().m_bStoreRefused || state.Flow().m_bRecordingClosed);
    state.ExportFailed();
    edit.Files().m_iRowNumber = 7;
    state.BeginManualSave();
    EXPECT_EQ(state.Files().m_ucManualSavePending, 1);
    EXPECT_EQ(state.Files().m_iRowNumber, 0);
    EXPECT_FALSE(state.Files().m_bExportFailed);
    EXPECT_EQ(state.Files().m_ucDataAvailable, 1);
}
