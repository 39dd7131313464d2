// The parts of the road that cannot be driven yet, each saying why, so that the suite's list
// shows them until the pages they need are there.
#include "Road.h"

namespace e2e {
namespace {

using NotYetDriven = Road;

TEST_F(NotYetDriven, MeasureConfigurationReachesTheSensorAndSurvivesARestart) {
    GTEST_SKIP() << "the measure configuration page holds only the pass/fail evaluation: rate, "
                    "units, decimals, averaging and triggers cannot be set through it yet";
}

TEST_F(NotYetDriven, ChannelViewsAndLiveDiagramFollowTheLoadAndTheLightJudgesIt) {
    GTEST_SKIP() << "the streamed value sets do not reach the channel views, the live diagram or "
                    "the recording on this road yet, and the measure-and-diagram page has no "
                    "pass/fail light of its own";
}

TEST_F(NotYetDriven, AUserAdjustmentFromTwoLoadsAndItsDeletion) {
    GTEST_SKIP() << "the simulator program keeps its load for its whole run (no load can be "
                    "changed between the zero and the loaded reading from outside), and the "
                    "adjustment's readings need the channel values this road does not get yet";
}

TEST_F(NotYetDriven, TheCloseIsRefusedDuringAMultiSensorMeasurement) {
    GTEST_SKIP() << "a second sensor of the bench cannot be activated on this road: a "
                    "double-click or Enter on its row leaves it available, not opened";
}

}  // namespace
}  // namespace e2e
