#include <gtest/gtest.h>

#include "tools/sensorsim/SignalShape.h"
#include "tools/sensorsim/SimOptions.h"

using namespace sensorsim;

namespace {

bool Parse(std::vector<std::string> args, SimProgramOptions& options) {
    std::string error;
    return ParseSimulatorOptions(args, options, error);
}

}  // namespace

TEST(SensorSimOptions, SensorsDevicesFaultsAndSwitches) {
    SimProgramOptions options;
    ASSERT_TRUE(Parse(
        {"--sensor", "stator=5,device=1,serial=0x10,baud=230400,signal-a=sine:0:100:2", "--fault",
         "silent,drop=3", "--multiport", "3,serial=777,range-b=0x4100", "--tcp", "0", "--state",
         "/tmp/x", "--any-baud", "--log-values", "--seed", "9", "--log", "sim.log"},
        options));
    const SimulatorSetup& setup = options.setup;
    ASSERT_EQ(setup.devices.size(), 2u);
    const SimSensorConfig& first = setup.devices[0].sensors[0];
    EXPECT_EQ(first.statorId, 5);
    EXPECT_EQ(first.deviceKind, 1);
    EXPECT_EQ(first.serialNumber, 16u);
    EXPECT_EQ(first.baudCode, tarvik::kBaudCode230400);
    EXPECT_EQ(first.channel[0].signal.kind, SignalShape::Kind::Sine);
    EXPECT_TRUE(setup.devices[0].faults.silent);
    EXPECT_EQ(setup.devices[0].faults.dropEvery, 3);
    EXPECT_EQ(setup.devices[0].tcpPort, -1);

    ASSERT_EQ(setup.devices[1].sensors.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(setup.devices[1].sensors[k].serialNumber, 777u);
        EXPECT_EQ(setup.devices[1].sensors[k].sensorIndex, k);
        EXPECT_EQ(setup.devices[1].sensors[k].multiportModule, 1);
        EXPECT_EQ(setup.devices[1].sensors[k].channel[1].rangeWord, 0x4100);
    }
    EXPECT_EQ(setup.devices[1].tcpPort, 0);
    EXPECT_EQ(setup.stateFile, "/tmp/x");
    EXPECT_FALSE(setup.checkLineSettings);
    EXPECT_TRUE(setup.logValueFrames);
    EXPECT_EQ(setup.seed, 9u);
    EXPECT_EQ(options.logFile, "sim.log");

    SimProgramOptions plain;
    ASSERT_TRUE(Parse({}, plain));
    ASSERT_EQ(plain.setup.devices.size(), 1u);
    EXPECT_EQ(plain.setup.devices[0].sensors.size(), 1u);
}

TEST(SensorSimOptions, RefusesWhatNoSensorCouldHold) {
    SimProgramOptions options;
    EXPECT_FALSE(Parse({"--sensor", "baud=9600"}, options));
    EXPECT_FALSE(Parse({"--sensor", "address=0"}, options));
    EXPECT_FALSE(Parse({"--sensor", "index=4"}, options));
    EXPECT_FALSE(Parse({"--sensor", "text-a=toolong7"}, options));
    EXPECT_FALSE(Parse({"--sensor", "signal-a=ramp:0:1:0"}, options));
    EXPECT_FALSE(Parse({"--sensor", "colour=red"}, options));
    EXPECT_FALSE(Parse({"--multiport", "5"}, options));
    EXPECT_FALSE(Parse({"--fault", "stream=16"}, options));
    EXPECT_FALSE(Parse({"--fault", "sometimes"}, options));
    EXPECT_FALSE(Parse({"--tcp"}, options));
    EXPECT_FALSE(Parse({"--frobnicate"}, options));
}

TEST(SignalShape, ShapesOverTime) {
    uint32_t state = 1;
    SignalShape shape;
    ASSERT_TRUE(SignalShape::Parse("ramp:0:100:10", shape));
    EXPECT_DOUBLE_EQ(shape.ValueAt(2.5, state), 25.0);
    EXPECT_DOUBLE_EQ(shape.ValueAt(12.5, state), 25.0);  // starts again
    ASSERT_TRUE(SignalShape::Parse("sine:10:5:4", shape));
    EXPECT_NEAR(shape.ValueAt(1.0, state), 15.0, 1e-9);
    EXPECT_NEAR(shape.ValueAt(3.0, state), 5.0, 1e-9);
    ASSERT_TRUE(SignalShape::Parse("step:1:-2:0.5", shape));
    EXPECT_EQ(shape.ValueAt(0.49, state), 1.0);
    EXPECT_EQ(shape.ValueAt(0.5, state), -2.0);
    ASSERT_TRUE(SignalShape::Parse("noise:100:3", shape));
    uint32_t again = state;
    const double first = shape.ValueAt(0, state);
    EXPECT_EQ(shape.ValueAt(0, again), first);  // reproducible from its state
    for (int i = 0; i < 1000; ++i) {
        const double v = shape.ValueAt(0, state);
        ASSERT_GE(v, 97.0);
        ASSERT_LE(v, 103.0);
    }
    EXPECT_EQ(shape.ToText(), "noise:100:3");
    EXPECT_FALSE(SignalShape::Parse("const:abc", shape));
    EXPECT_FALSE(SignalShape::Parse("const:1:2", shape));
    EXPECT_FALSE(SignalShape::Parse("square:1", shape));
}
