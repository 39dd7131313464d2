// The measurement panel's decisions: storage budget, monitor text and its pace, one end per
// measurement and one re-arm per finished triggered measurement.
#include <gtest/gtest.h>

#include "pages/measurement/MeasureRunLogic.h"

namespace mr = measure_run;

TEST(MeasureRunLogic, TheStorageBudgetFollowsTheCountStopWithinItsBounds) {
    EXPECT_EQ(mr::PointsPerCurve(0, 5e6), 10000);  // no count stop: the count is not asked
    EXPECT_EQ(mr::PointsPerCurve(7, 500), 10000);
    EXPECT_EQ(mr::PointsPerCurve(8, 25000.9), 25000);
    EXPECT_EQ(mr::PointsPerCurve(7, 5e6), 1000000);
    EXPECT_EQ(mr::PointsPerCurve(8, 1e300), 1000000);
    EXPECT_DOUBLE_EQ(mr::MaxDuration(10000, 0.001), 9.999);  // the last point at 9999 ms
    EXPECT_DOUBLE_EQ(mr::MaxDuration(0, 0.001), 0.0);
    // A reduced allocation: the count stop is beyond what the store holds.
    EXPECT_TRUE(mr::CountStopBeyondStorage(8, 25000, 20000));
    EXPECT_FALSE(mr::CountStopBeyondStorage(8, 20000, 20000));
    EXPECT_FALSE(mr::CountStopBeyondStorage(3, 25000, 20000));
}

TEST(MeasureRunLogic, TheMonitorShowsTheLastStateAtMostEvery100ms) {
    EXPECT_EQ(mr::MonitorText("Start", 12.5, '<', '-', 20, 0.5, "scharf", ','),
              "Start: 12,5 < 20 (-0,5) scharf");
    mr::MonitorThrottle throttle;
    CString text;
    EXPECT_TRUE(throttle.Offer("a", 1000));
    EXPECT_FALSE(throttle.Offer("b", 1050));
    EXPECT_FALSE(throttle.Offer("c", 1090));
    EXPECT_FALSE(throttle.Flush(1099, text));
    ASSERT_TRUE(throttle.Flush(1100, text));
    EXPECT_EQ(text, "c");
    EXPECT_FALSE(throttle.Flush(1300, text));
    EXPECT_TRUE(throttle.Offer("d", 1300));
}

TEST(MeasureRunLogic, AMeasurementEndsOnceAndATriggeredOneReArmsOnce) {
    mr::RunLifetime run;
    EXPECT_FALSE(run.End());  // idle: nothing to end
    run.Begin(true);
    EXPECT_FALSE(run.TakeRearm(true, true, 0, true));  // still running
    EXPECT_TRUE(run.End());
    EXPECT_FALSE(run.End());                            // the conversion's end after the stop's
    EXPECT_FALSE(run.TakeRearm(true, true, 0, false));  // export incomplete
    EXPECT_FALSE(run.TakeRearm(true, false, 0, true));
    EXPECT_FALSE(run.TakeRearm(true, true, -1, true));
    EXPECT_TRUE(run.TakeRearm(true, true, 0, true));
    EXPECT_FALSE(run.TakeRearm(true, true, 0, true));  // the manual save after it

    run.Begin(false);
    EXPECT_TRUE(run.End());
    EXPECT_FALSE(run.TakeRearm(true, true, 0, true));  // a manual start never re-arms

    EXPECT_FALSE(mr::FinishNow(false, 9999));
    EXPECT_TRUE(mr::FinishNow(false, 10000));
    EXPECT_TRUE(mr::FinishNow(true, 0));
}
