// The simulator answering the codec over real pseudo-terminals and a TCP port.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <thread>

#include "SensorSimTestClient.h"
#include "platform/base/Clock.h"
#include "protocol/BlockLayouts.h"
#include "protocol/Messages.h"
#include "sensor/CTarvik_Send.h"
#include "sensor/SensorRecord.h"
#include "tools/sensorsim/SensorSimulator.h"
#include "tools/sensorsim/SimControl.h"

using namespace tarvik;
using namespace sensorsim;

namespace {

SimDeviceSetup Single(int baudCode, uint32_t serial) {
    SimDeviceSetup device;
    device.sensors.emplace_back();
    device.sensors[0].baudCode = static_cast<uint8_t>(baudCode);
    device.sensors[0].serialNumber = serial;
    return device;
}

struct Sim {
    explicit Sim(SimulatorSetup setup)
        : simulator(std::move(setup), [this](const std::string& line) { log(line); }) {
        std::string error;
        started = simulator.Start(error);
        EXPECT_TRUE(started) << error;
    }
    simtest::LogLines log;
    SensorSimulator simulator;
    bool started = false;
};

// A multi-port device of `ports` sensors that share one serial number.
SimulatorSetup MultiPortDevice(uint32_t serialNumber, int ports) {
    SimulatorSetup setup;
    SimDeviceSetup device;
    for (int k = 0; k < ports; ++k) {
        SimSensorConfig config;
        config.serialNumber = serialNumber;
        config.sensorIndex = static_cast<uint8_t>(k);
        config.multiportModule = 1;
        device.sensors.push_back(config);
    }
    setup.devices = {device};
    return setup;
}

}  // namespace

TEST(SensorSimPty, AnswersTheCodecAtBothBaudRatesAndNothingAtTheOther) {
    SimulatorSetup setup;
    setup.devices = {Single(kBaudCode115200, 1001), Single(kBaudCode230400, 1002)};
    Sim sim(setup);
    ASSERT_TRUE(sim.started);
    CTarvik_Send codec;
    const int rates[] = {kBaud115200, kBaud230400};
    for (int port = 0; port < 2; ++port) {
        simtest::Client client;
        ASSERT_TRUE(client.Open(sim.simulator.PortName(port), rates[port]));
        IdentificationReply id;
        ASSERT_TRUE(ParseMessage(client.Ask(codec.TarSend_RequestIdentification()), id)) << port;
        EXPECT_EQ(id.serialNumber, 1001u + port);
        EXPECT_EQ(BaudrateFromCode(id.baudCode), rates[port]);

        codec.TarSend_SetAddress(id.busAddress, kAnyIndex);
        StatusLongReply status;
        ASSERT_TRUE(ParseMessage(client.Ask(codec.TarSend_RequestStatusLong()), status));
        SensorRecord record;
        SensorRecord_Reset(record);
        for (int b = 0; b < kBlockCount; ++b) {
            ASSERT_TRUE(codec.TarSend_ReadBlockGetContent(
                client.Ask(codec.TarSend_RequestReadBlock(b)), b, record));
        }
        EXPECT_EQ(record.dwSerialNumber, 1001u + port);

        // The same request at the other rate is unreadable to the sensor.
        ASSERT_TRUE(client.SetBaud(rates[1 - port]));
        EXPECT_EQ(client.Ask(codec.TarSend_RequestIdentification(), 300).code, 0);
    }
    EXPECT_TRUE(sim.log.Contains("bytes unreadable"));
}

TEST(SensorSimPty, StreamsOnTheClockAndCountsEveryValueSet) {
    kq::ScopedVirtualClock clock;
    SimulatorSetup setup;
    setup.devices = {Single(kBaudCode230400, 77)};
    Sim sim(setup);
    ASSERT_TRUE(sim.started);
    simtest::Client client;
    ASSERT_TRUE(client.Open(sim.simulator.PortName(0), kBaud230400));
    CTarvik_Send codec;
    codec.TarSend_SetAddress(1, 255);
    ASSERT_EQ(client.Ask(codec.TarSend_RequestStartMeasure(3, kModeCalibrated)).code, kReplyAck);
    clock->AdvanceMillis(100);  // ten periods of 10 ms
    for (int i = 0; i < 10; ++i) {
        Frame frame;
        ValueSetReply values;
        ASSERT_TRUE(client.Receive(frame)) << i;
        ASSERT_TRUE(ParseMessage(frame, values));
        EXPECT_EQ(values.counter, i);
    }
    EXPECT_EQ(client.Collect(100), "");  // the clock stands still, so does the sensor
    Frame ack;
    ASSERT_TRUE(client.Send(codec.TarSend_RequestStopMeasure()));
    ASSERT_TRUE(client.Receive(ack));
    EXPECT_EQ(ack.code, kReplyAck);
    clock->AdvanceMillis(100);
    EXPECT_EQ(client.Collect(100), "");
}

TEST(SensorSimPty, FaultsOnRequest) {
    kq::ScopedVirtualClock clock;
    SimulatorSetup setup;
    setup.devices = {Single(kBaudCode115200, 1), Single(kBaudCode115200, 2),
                     Single(kBaudCode115200, 3), Single(kBaudCode115200, 4)};
    setup.devices[0].faults.garbageBytes = 9;
    setup.devices[1].faults.corruptEvery = 2;
    setup.devices[2].faults.dropEvery = 2;
    setup.devices[3].faults.streamUnaskedRate = 3;
    Sim sim(setup);
    ASSERT_TRUE(sim.started);
    CTarvik_Send codec;
    simtest::Client client;

    // Garbage before every frame: the cutter still finds each reply.
    ASSERT_TRUE(client.Open(sim.simulator.PortName(0), kBaud115200));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(client.Ask(codec.TarSend_RequestIdentification()).code, kReplyIdentification);
    }
    EXPECT_GE(client.Stats().droppedBytes, 27u);

    // Every second reply corrupted or lost.
    for (int port : {1, 2}) {
        simtest::Client c;
        ASSERT_TRUE(c.Open(sim.simulator.PortName(port), kBaud115200));
        EXPECT_EQ(c.Ask(codec.TarSend_RequestIdentification()).code, kReplyIdentification);
        EXPECT_EQ(c.Ask(codec.TarSend_RequestIdentification(), 300).code, 0);
        EXPECT_EQ(c.Ask(codec.TarSend_RequestIdentification()).code, kReplyIdentification);
        EXPECT_EQ(c.Stats().checkErrors, port == 1 ? 1u : 0u);
    }
    EXPECT_TRUE(sim.log.Contains("fault: corrupted"));
    EXPECT_TRUE(sim.log.Contains("fault: dropped"));

    // A sensor left streaming sends unasked: more than 42 bytes in no time.
    simtest::Client streaming;
    ASSERT_TRUE(streaming.Open(sim.simulator.PortName(3), kBaud115200));
    clock->AdvanceMillis(50);
    EXPECT_GT(streaming.Collect(300).size(), 42u);

    // Silence and delay switched on while running.
    SimFaults silent;
    silent.silent = true;
    sim.simulator.SetFaults(0, silent);
    EXPECT_EQ(client.Ask(codec.TarSend_RequestIdentification(), 300).code, 0);
    EXPECT_TRUE(sim.log.Contains("silent, not sent"));
    SimFaults delayed;
    delayed.delayMs = 500;
    sim.simulator.SetFaults(0, delayed);
    ASSERT_TRUE(client.Send(codec.TarSend_RequestIdentification()));
    EXPECT_EQ(client.Collect(200), "");  // due in 500 ms of the clock that stands still
    clock->AdvanceMillis(500);
    Frame late;
    ASSERT_TRUE(client.Receive(late));
    EXPECT_EQ(late.code, kReplyIdentification);
}

TEST(SensorSimPty, WrongCheckBytesAreAnsweredWithANakAndLogged) {
    SimulatorSetup setup;
    setup.devices = {Single(kBaudCode115200, 9)};
    Sim sim(setup);
    ASSERT_TRUE(sim.started);
    simtest::Client client;
    ASSERT_TRUE(client.Open(sim.simulator.PortName(0), kBaud115200));
    CString request = CTarvik_Send().TarSend_RequestStatusLong();
    request.Str().back() ^= 1;
    NakReply nak;
    ASSERT_TRUE(ParseMessage(client.Ask(request), nak));
    EXPECT_EQ(nak.reason, kNakCheckError);
    EXPECT_TRUE(sim.log.Contains("wrong check bytes"));
    ASSERT_TRUE(client.Send(CString("garbage")));
    EXPECT_EQ(client.Ask(CTarvik_Send().TarSend_RequestIdentification()).code,
              kReplyIdentification);
    EXPECT_TRUE(sim.log.Contains("outside frames dropped"));
}

TEST(SensorSimPty, AVanishingPortHangsUpItsLinkGoesAndBothComeBackOnCommand) {
    char folder[] = "/tmp/kq-sim-links-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    SimulatorSetup setup;
    setup.devices = {Single(kBaudCode115200, 11)};
    setup.linkFolder = folder;
    Sim sim(setup);
    ASSERT_TRUE(sim.started);
    const std::string link = sim.simulator.PortName(0);
    EXPECT_EQ(link, std::string(folder) + "/ttyKQ0");
    const std::string first = std::filesystem::read_symlink(link);
    {
        simtest::Client client;
        ASSERT_TRUE(client.Open(link, kBaud115200));
        EXPECT_EQ(ApplyControlLine(sim.simulator, "vanish 0"), "ok");
        client.Collect(300);
        EXPECT_TRUE(client.HungUp());
    }
    EXPECT_TRUE(sim.simulator.IsVanished(0));
    EXPECT_FALSE(std::filesystem::exists(first));
    EXPECT_FALSE(std::filesystem::is_symlink(link));

    // Plugged in again: the same link leads to a new pseudo-terminal and the sensor answers.
    EXPECT_EQ(ApplyControlLine(sim.simulator, "return 0"), "ok");
    for (int i = 0; i < 100 && sim.simulator.IsVanished(0); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_FALSE(sim.simulator.IsVanished(0));
    simtest::Client again;
    ASSERT_TRUE(again.Open(link, kBaud115200));
    EXPECT_EQ(again.Ask(CTarvik_Send().TarSend_RequestIdentification()).code, kReplyIdentification);

    EXPECT_EQ(ApplyControlLine(sim.simulator, "signal 0 b const:250"), "ok");
    EXPECT_NE(ApplyControlLine(sim.simulator, "signal 0 c const:250"), "ok");
    EXPECT_NE(ApplyControlLine(sim.simulator, "signal 0 a wobble"), "ok");
    EXPECT_NE(ApplyControlLine(sim.simulator, "return 7"), "ok");
    EXPECT_NE(ApplyControlLine(sim.simulator, "explode 0"), "ok");
    sim.simulator.WithSensor(0, [](SimSensor& sensor) {
        EXPECT_EQ(sensor.Config().channel[1].signal.ToText(), "const:250");
    });
    sim.simulator.Stop();
    std::filesystem::remove_all(folder);
}

TEST(SensorSimPty, AStalledOrNoisyLineCarriesNoFrameUntilItsTimeIsOver) {
    SimulatorSetup setup;
    setup.devices = {Single(kBaudCode115200, 12)};
    Sim sim(setup);
    ASSERT_TRUE(sim.started);
    simtest::Client client;
    ASSERT_TRUE(client.Open(sim.simulator.PortName(0), kBaud115200));
    const CString ask = CTarvik_Send().TarSend_RequestIdentification();
    for (const char* command : {"stall 0 600", "noise 0 600"}) {
        const auto over = std::chrono::steady_clock::now() + std::chrono::milliseconds(600);
        ASSERT_EQ(ApplyControlLine(sim.simulator, command), "ok");
        EXPECT_NE(client.Ask(ask, 300).code, kReplyIdentification) << command;
        std::this_thread::sleep_until(over);
        client.Collect(50);
        EXPECT_EQ(client.Ask(ask).code, kReplyIdentification) << command;
    }
    EXPECT_TRUE(sim.log.Contains("line dead for 600 ms"));
    EXPECT_NE(ApplyControlLine(sim.simulator, "stall 0"), "ok");
    EXPECT_NE(ApplyControlLine(sim.simulator, "noise 0 -5"), "ok");
}

TEST(SensorSimPty, MultiPortDeviceSharesOneSerialAndAlignsItsPorts) {
    kq::ScopedVirtualClock clock;
    Sim sim(MultiPortDevice(4242, 2));
    ASSERT_TRUE(sim.started);
    simtest::Client ports[2];
    CTarvik_Send codec;
    for (int k = 0; k < 2; ++k) {
        ASSERT_TRUE(ports[k].Open(sim.simulator.PortName(k), kBaud115200));
        IdentificationReply id;
        ASSERT_TRUE(ParseMessage(ports[k].Ask(codec.TarSend_RequestIdentification()), id));
        EXPECT_EQ(id.serialNumber, 4242u);
        EXPECT_EQ(id.sensorIndex, k);
    }
    codec.TarSend_SetAddress(1, 255);
    EXPECT_EQ(ports[0].Ask(codec.TarSend_RequestRole(kRoleMaster)).code, kReplyAck);
    EXPECT_EQ(ports[1].Ask(codec.TarSend_RequestRole(kRoleSlave)).code, kReplyAck);
    EXPECT_EQ(ports[1].Ask(codec.TarSend_RequestStartMeasure(4, kModeRaw)).code, kReplyAck);
    EXPECT_EQ(ports[0].Ask(codec.TarSend_RequestStartMeasure(4, kModeRaw)).code, kReplyAck);
    clock->AdvanceMillis(60);  // three samples of 20 ms
    for (int i = 0; i < 3; ++i) {
        for (simtest::Client& port : ports) {
            Frame frame;
            ValueSetReply values;
            ASSERT_TRUE(port.Receive(frame));
            ASSERT_TRUE(ParseMessage(frame, values));
            EXPECT_EQ(values.counter, i);
            EXPECT_TRUE(values.status & kValueStatusRaw);
        }
    }
}

// Each port is a line of its own that carries 677 value sets a second at 115200 baud: a device
// asked for one every millisecond sends that many, each with its counter, and the rest are
// lost on the way out, as the counters' gaps and the long status say.
TEST(SensorSimPty, AMultiPortDeviceSendsNoMoreThanItsLinesCarry) {
    kq::ScopedVirtualClock clock;
    Sim sim(MultiPortDevice(4243, 4));
    ASSERT_TRUE(sim.started);
    simtest::Client ports[4];
    CTarvik_Send codec;
    codec.TarSend_SetAddress(1, 255);
    for (int k = 3; k >= 0; --k) {
        ASSERT_TRUE(ports[k].Open(sim.simulator.PortName(k), kBaud115200));
        EXPECT_EQ(ports[k].Ask(codec.TarSend_RequestRole(k == 0 ? kRoleMaster : kRoleSlave)).code,
                  kReplyAck);
        EXPECT_EQ(ports[k].Ask(codec.TarSend_RequestStartMeasure(0, kModeCalibrated)).code,
                  kReplyAck);
    }
    constexpr int kSeconds = 1;
    std::string received[4];
    for (int step = 0; step < kSeconds * 100; ++step) {
        clock->AdvanceMillis(10);
        for (int k = 0; k < 4; ++k)
            received[k] += ports[k].Collect(2);
    }
    const int carried = kSeconds * kBaud115200 / 10 / 17;  // 17-byte frames, ten bits a byte
    for (int k = 0; k < 4; ++k) {
        received[k] += ports[k].Collect(300);
        CString bytes(received[k].data(), static_cast<int>(received[k].size()));
        FrameCutter cutter;
        Frame frame;
        int sets = 0;
        int gaps = 0;
        int last = -1;
        while (cutter.CutFrame(bytes, frame)) {
            ValueSetReply values;
            ASSERT_TRUE(ParseMessage(frame, values));
            gaps += last < 0 ? 0 : static_cast<uint8_t>(values.counter - last - 1);
            last = values.counter;
            ++sets;
        }
        EXPECT_LE(sets, carried + 1) << "port " << k;
        EXPECT_GE(sets, carried * 9 / 10) << "port " << k;
        EXPECT_NEAR(sets + gaps, kSeconds * 1000, 2) << "port " << k;
    }
    // The stop's acknowledge follows the value sets still waiting for the line.
    ASSERT_TRUE(ports[0].Send(codec.TarSend_RequestStopMeasure()));
    clock->AdvanceMillis(5);
    Frame reply;
    while (ports[0].Receive(reply) && reply.code == kReplyValues) {
    }
    EXPECT_EQ(reply.code, kReplyAck);
    StatusLongReply status;
    ASSERT_TRUE(ParseMessage(ports[0].Ask(codec.TarSend_RequestStatusLong()), status));
    EXPECT_TRUE(status.errorFlags & kErrorFramesDropped);
    EXPECT_TRUE(sim.log.Contains("lost on the way out"));
}

TEST(SensorSimPty, TcpPortServesOneSensor) {
    SimulatorSetup setup;
    setup.devices = {Single(kBaudCode230400, 31)};
    setup.devices[0].tcpPort = 0;
    Sim sim(setup);
    ASSERT_TRUE(sim.started);
    ASSERT_GT(sim.simulator.TcpPort(0), 0);
    simtest::Client client;
    ASSERT_TRUE(client.Connect(sim.simulator.TcpPort(0)));
    IdentificationReply id;
    ASSERT_TRUE(ParseMessage(client.Ask(CTarvik_Send().TarSend_RequestIdentification()), id));
    EXPECT_EQ(id.serialNumber, 31u);
}

TEST(SensorSimPty, StateFileKeepsWrittenBlocksAcrossRuns) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("sensorsim_state_" + std::to_string(getpid())))
            .string();
    std::remove(path.c_str());
    SimulatorSetup setup;
    setup.devices = {Single(kBaudCode115200, 55)};
    setup.stateFile = path;
    CTarvik_Send codec;
    codec.TarSend_SetAddress(1, 255);
    {
        Sim sim(setup);
        ASSERT_TRUE(sim.started);
        simtest::Client client;
        ASSERT_TRUE(client.Open(sim.simulator.PortName(0), kBaud115200));
        BlockImage op;
        ASSERT_TRUE(RotorOperationBlock({"KEPT", "TOO"}).Encode(op));
        EXPECT_EQ(client.Ask(codec.TarSend_RequestWriteBlock(kBlockRotorOperation, op)).code,
                  kReplyAck);
    }
    Sim again(setup);
    ASSERT_TRUE(again.started);
    simtest::Client client;
    ASSERT_TRUE(client.Open(again.simulator.PortName(0), kBaud115200));
    SensorRecord record;
    SensorRecord_Reset(record);
    ASSERT_TRUE(codec.TarSend_ReadBlockGetContent(
        client.Ask(codec.TarSend_RequestReadBlock(kBlockRotorOperation)), kBlockRotorOperation,
        record));
    EXPECT_STREQ(record.szSerialText[0], "KEPT");
    std::remove(path.c_str());
}
