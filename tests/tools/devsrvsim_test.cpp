// The device-server simulator: its options, its setup dialogue, and its data port bridged to
// a simulated sensor at the server's rate.
#include <gtest/gtest.h>

#include "SensorSimTestClient.h"
#include "protocol/Messages.h"
#include "sensor/CTarvik_Send.h"
#include "tools/devsrvsim/DevSrvOptions.h"
#include "tools/devsrvsim/DeviceServerSimulator.h"
#include "tools/devsrvsim/SetupDialogue.h"
#include "tools/sensorsim/SensorSimulator.h"

using namespace devsrvsim;

namespace {

std::string Joined(const std::vector<std::string>& chunks) {
    std::string all;
    for (const std::string& chunk : chunks) {
        all += chunk;
    }
    return all;
}

// Feeds one answer and returns what the server says to it.
std::string Say(SetupDialogue& dialogue, const std::string& bytes,
                SetupDialogue::Outcome expected = SetupDialogue::Outcome::Continue) {
    std::vector<std::string> out;
    EXPECT_EQ(dialogue.Feed(bytes, out), expected) << bytes;
    return Joined(out);
}

TEST(DevSrvOptions, ParsesAndRejects) {
    DevSrvProgramOptions options;
    std::string error;
    ASSERT_TRUE(ParseDevSrvOptions({"--address", "127.0.0.9", "--setup-port", "0", "--serial",
                                    "/dev/pts/7", "--baud", "230400", "--fault", "slow"},
                                   options, error))
        << error;
    EXPECT_EQ(options.setup.address, "127.0.0.9");
    EXPECT_EQ(options.setup.setupPort, 0);
    EXPECT_EQ(options.setup.dataPort, 10001);
    EXPECT_EQ(options.setup.stored.baud, 230400);
    EXPECT_EQ(options.setup.fault, DevSrvFault::SlowLines);
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--setup-port", "70000"},
                                                {"--baud", "12345"},
                                                {"--fault", "sleepy"},
                                                {"--bogus", "1"},
                                                {"--serial"}}) {
        DevSrvProgramOptions ignored;
        EXPECT_FALSE(ParseDevSrvOptions(bad, ignored, error)) << bad[0];
    }
    DevSrvProgramOptions help;
    EXPECT_TRUE(ParseDevSrvOptions({"--help"}, help, error));
    EXPECT_TRUE(help.help);
}

TEST(DevSrvDialogue, ListsChangesAndConfirms) {
    SetupDialogue dialogue("XPico 6.11", DevSrvSettings{}, DevSrvFault::None);
    EXPECT_EQ(Joined(dialogue.Greeting()), "XPico 6.11\r\nsetup: Return\r\n");
    EXPECT_FALSE(dialogue.InSetupMode());
    EXPECT_EQ(Say(dialogue, "\r\n"),
              "baud=115200\r\ndatabits=8\r\nparity=none\r\nstopbits=1\r\nflow=none\r\n"
              "dataport=10001\r\nYour choice? ");
    EXPECT_TRUE(dialogue.InSetupMode());
    EXPECT_EQ(Say(dialogue, "serial\r"), "baud (115200)? ");
    EXPECT_EQ(Say(dialogue, "230400\r"), "databits (8)? ");
    EXPECT_EQ(Say(dialogue, "9\r"), "invalid value\r\nparity (none)? ");
    EXPECT_EQ(Say(dialogue, "\r\r\r"), "stopbits (1)? flow (none)? Your choice? ");
    EXPECT_EQ(Say(dialogue, "what\r"), "unknown choice\r\nYour choice? ");
    EXPECT_EQ(Say(dialogue, "apply\r", SetupDialogue::Outcome::Apply), "applied\r\n");
    EXPECT_EQ(dialogue.Edited().baud, 230400);
    EXPECT_EQ(dialogue.Edited().dataBits, 8);

    SetupDialogue quitting("b", DevSrvSettings{}, DevSrvFault::None);
    Say(quitting, "\r");
    EXPECT_EQ(Say(quitting, "quit\r", SetupDialogue::Outcome::Close), "bye\r\n");
    EXPECT_FALSE(quitting.InSetupMode());
}

TEST(DevSrvDialogue, FaultsBreakTheDialogueAsNamed) {
    SetupDialogue silent("b", DevSrvSettings{}, DevSrvFault::Silent);
    EXPECT_TRUE(silent.Greeting().empty());
    EXPECT_EQ(Say(silent, "\r"), "");

    SetupDialogue wrong("b", DevSrvSettings{}, DevSrvFault::WrongPrompt);
    EXPECT_TRUE(Say(wrong, "\r").ends_with("Your choice> "));
    EXPECT_EQ(Say(wrong, "serial\r"), "baud [115200]: ");

    SetupDialogue closing("b", DevSrvSettings{}, DevSrvFault::CloseMidDialogue);
    Say(closing, "\r");
    EXPECT_EQ(Say(closing, "quit\r", SetupDialogue::Outcome::Close), "");

    SetupDialogue unconfirmed("b", DevSrvSettings{}, DevSrvFault::MissingConfirmation);
    Say(unconfirmed, "\r");
    EXPECT_EQ(Say(unconfirmed, "save\r", SetupDialogue::Outcome::Close), "");

    SetupDialogue huge("b", DevSrvSettings{}, DevSrvFault::HugeLine);
    EXPECT_GT(Say(huge, "\r").size(), 100000u);

    SetupDialogue garbage("b", DevSrvSettings{}, DevSrvFault::Garbage);
    const std::string noise = Say(garbage, "\r");
    EXPECT_EQ(noise.find('?'), std::string::npos);
    EXPECT_NE(noise.find('\0'), std::string::npos);
}

TEST(DevSrvSimulator, RefusesAddressesBeyondLoopback) {
    DevSrvSetup setup;
    setup.address = "10.1.2.3";
    DeviceServerSimulator simulator(setup);
    std::string error;
    EXPECT_FALSE(simulator.Start(error));
    EXPECT_NE(error.find("loopback"), std::string::npos);
}

// Sends a script to a loopback TCP port and returns everything said until the server closes.
std::string RunScript(int port, const std::string& script) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string said;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        write(fd, script.data(), script.size()) == static_cast<ssize_t>(script.size())) {
        char buffer[512];
        for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) {
            said.append(buffer, static_cast<size_t>(n));
        }
    }
    close(fd);
    return said;
}

// A sensor at 230400 behind the server: it answers through the data port only while the
// server drives the line at that rate.
TEST(DevSrvSimulator, BridgesTheDataPortAtTheServersRate) {
    sensorsim::SimulatorSetup sensors;
    sensors.devices.emplace_back();
    sensors.devices[0].sensors.emplace_back();
    sensors.devices[0].sensors[0].baudCode = tarvik::kBaudCode230400;
    sensors.devices[0].sensors[0].serialNumber = 4711;
    sensorsim::SensorSimulator sensor(sensors);
    std::string error;
    ASSERT_TRUE(sensor.Start(error)) << error;

    DevSrvSetup setup;
    setup.serialPath = sensor.PortName(0);
    DeviceServerSimulator server(setup);
    ASSERT_TRUE(server.Start(error)) << error;
    EXPECT_EQ(server.LineBaud(), 115200);

    CTarvik_Send codec;
    simtest::Client data;
    ASSERT_TRUE(data.Connect(server.DataPort()));
    EXPECT_EQ(data.Ask(codec.TarSend_RequestIdentification(), 1000).code, 0)
        << "the sensor does not hear 115200";

    const std::string said = RunScript(server.SetupPort(), "\rserial\r230400\r\r\r\r\rapply\r");
    EXPECT_TRUE(said.starts_with("XPico 6.11.0.3\r\n")) << said;
    EXPECT_TRUE(said.ends_with("applied\r\n")) << said;
    EXPECT_EQ(server.Current().baud, 230400);
    EXPECT_EQ(server.Stored().baud, 115200);
    EXPECT_EQ(server.LineBaud(), 230400);
    EXPECT_EQ(server.ConnectionCount(), 1);
    EXPECT_FALSE(server.InSetupMode());

    tarvik::IdentificationReply id;
    ASSERT_TRUE(tarvik::ParseMessage(data.Ask(codec.TarSend_RequestIdentification()), id));
    EXPECT_EQ(id.serialNumber, 4711u);

    server.Restart();
    EXPECT_EQ(server.Current().baud, 115200);
    EXPECT_EQ(server.LineBaud(), 115200);
}

}  // namespace
