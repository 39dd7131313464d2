// The simulated sensor's behaviour, driven directly with frames and times.
#include <gtest/gtest.h>

#include <cstring>

#include "protocol/FrameCutter.h"
#include "protocol/Messages.h"
#include "sensor/CTarvik_Send.h"
#include "sensor/SensorRecord.h"
#include "tools/sensorsim/SimDevice.h"
#include "tools/sensorsim/SimSensor.h"

using namespace tarvik;
using namespace sensorsim;

namespace {

Frame CutOne(const std::string& bytes) {
    FrameCutter cutter;
    CString buffer(bytes);
    Frame frame;
    EXPECT_TRUE(cutter.CutFrame(buffer, frame));
    EXPECT_TRUE(buffer.IsEmpty());
    return frame;
}

// Sends one request and returns the single reply (code 0 when there was none).
Frame Ask(SimSensor& sensor, const CString& request, int64_t nowMs) {
    std::vector<std::string> out;
    sensor.Receive(CutOne(request.Str()), nowMs, out);
    EXPECT_LE(out.size(), 1u);
    return out.empty() ? Frame() : CutOne(out[0]);
}

int NakReason(const Frame& reply) {
    NakReply nak;
    return ParseMessage(reply, nak) ? nak.reason : -1;
}

SimSensorConfig Config() {
    SimSensorConfig c;
    c.serialNumber = 987654;
    c.channel[0].signal = SignalShape{SignalShape::Kind::Constant, 25000.0};  // half range
    c.channel[1].rangeWord = 0x4100;                                        // 1000
    c.channel[1].signal = SignalShape{SignalShape::Kind::Constant, -250.0};
    c.channel[0].zeroOffsetCounts = 120;
    c.channel[1].zeroOffsetCounts = -40;
    return c;
}

}  // namespace

TEST(SimSensor, IdentifiesItselfAndReportsItsStatus) {
    SimSensor sensor(Config(), 1);
    sensor.PowerOn(0);
    CTarvik_Send codec;
    IdentificationReply id;
    ASSERT_TRUE(ParseMessage(Ask(sensor, codec.TarSend_RequestIdentification(), 1), id));
    EXPECT_EQ(id.serialNumber, 987654u);
    EXPECT_EQ(id.busAddress, 1);
    EXPECT_EQ(id.statorId, kStatorHbtBox);
    EXPECT_EQ(id.sensorIndex, kNoSensorIndex);
    EXPECT_EQ(id.streaming, 0);

    StatusLongReply status;
    ASSERT_TRUE(ParseMessage(Ask(sensor, codec.TarSend_RequestStatusLong(), 2), status));
    EXPECT_EQ(status.usedCalib, kCalibFactory);
    EXPECT_EQ(status.blockValidMask, 0xFF & ~(1 << kBlockUserCalib));
    EXPECT_EQ(status.errorFlags, 0);
}

TEST(SimSensor, ChecksWhatItReceivesAsStrictlyAsTheSensor) {
    SimSensor sensor(Config(), 1);
    sensor.PowerOn(0);
    std::vector<std::string> log;
    sensor.onLog = [&](const std::string& line) { log.push_back(line); };

    // Another bus address or sensor index: no answer at all.
    EXPECT_EQ(Ask(sensor, BuildFrame(2, 0xFF, kRequestStatusLong, ""), 1).code, 0);
    EXPECT_EQ(Ask(sensor, BuildFrame(1, 0, kRequestStatusLong, ""), 1).code, 0);
    EXPECT_EQ(Ask(sensor, BuildFrame(1, 0xFF, kRequestStatusLong, ""), 1).code, kReplyStatusLong);

    EXPECT_EQ(NakReason(Ask(sensor, BuildFrame(1, 0xFF, 'Q', ""), 1)), kNakUnknownCode);
    EXPECT_EQ(NakReason(Ask(sensor, BuildFrame(1, 0xFF, 'B', "x"), 1)), kNakBadLength);
    EXPECT_EQ(NakReason(Ask(sensor, BuildFrame(1, 0xFF, 'D', ""), 1)), kNakBadLength);
    EXPECT_EQ(NakReason(Ask(sensor, BuildFrame(1, 0xFF, 'D', "\x05"), 1)), kNakUnknownBlock);
    EXPECT_EQ(NakReason(Ask(sensor, BuildFrame(1, 0xFF, 'A', "\x02"), 1)), kNakOutOfRange);
    EXPECT_EQ(NakReason(Ask(sensor, BuildFrame(1, 0xFF, 'C', std::string("\x10\x00", 2)), 1)),
              kNakOutOfRange);
    EXPECT_EQ(NakReason(Ask(sensor, BuildFrame(1, 0xFF, 'K', "\x02"), 1)), kNakOutOfRange);
    EXPECT_EQ(NakReason(Ask(sensor, BuildFrame(1, 0xFF, 'M', "\x03"), 1)), kNakOutOfRange);
    std::vector<std::string> out;
    sensor.ReceiveCorrupted(1, out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(NakReason(CutOne(out[0])), kNakCheckError);

    // A write of a block image that is not the block named, of a factory block, or of an
    // operation block the sensor could not restart with.
    CTarvik_Send codec;
    BlockImage image = sensor.Block(kBlockRotorOperation);
    image.bytes[0] = 3;
    EXPECT_EQ(NakReason(Ask(
                  sensor,
                  BuildFrame(1, 0xFF, 'W', std::string("\x83", 1) + std::string(image.View())), 1)),
              kNakOutOfRange);
    EXPECT_EQ(NakReason(Ask(sensor,
                            codec.TarSend_RequestWriteBlock(kBlockFactoryCalib,
                                                            sensor.Block(kBlockFactoryCalib)),
                            1)),
              kNakNotAllowedNow);
    BlockImage operation = sensor.Block(kBlockStatorOperation);
    operation.bytes[3] = 7;  // no baud code
    operation.SetCheckBytes();
    EXPECT_EQ(NakReason(Ask(sensor,
                            codec.TarSend_RequestWriteBlock(kBlockStatorOperation, operation), 1)),
              kNakOutOfRange);
    EXPECT_FALSE(log.empty());
}

TEST(SimSensor, BlocksAreReadAndWrittenWhole) {
    SimSensor sensor(Config(), 1);
    sensor.PowerOn(0);
    int written = -1;
    sensor.onBlockWritten = [&](int index) { written = index; };
    CTarvik_Send codec;
    codec.TarSend_SetAddress(1, 255);
    SensorRecord record;
    SensorRecord_Reset(record);
    for (int i = 0; i < kBlockCount; ++i) {
        ASSERT_TRUE(codec.TarSend_ReadBlockGetContent(
            Ask(sensor, codec.TarSend_RequestReadBlock(i), 1), i, record))
            << i;
    }
    EXPECT_EQ(record.dwSerialNumber, 987654u);
    EXPECT_STREQ(record.szSerialText[0], "A00001");
    EXPECT_EQ(record.dwFactoryDigits[0], 500000000u);  // 10000 digits per unit of range
    EXPECT_EQ(record.ucBlockValidMask, 0xFF & ~(1 << kBlockUserCalib));

    std::strcpy(record.szSerialText[0], "NEW 1");
    ASSERT_TRUE(SensorRecord_StoreFieldsInBlock(record, kBlockRotorOperation));
    AckReply ack;
    ASSERT_TRUE(ParseMessage(
        Ask(sensor, codec.TarSend_RequestWriteBlock(kBlockRotorOperation, record.aBlock[7]), 2),
        ack));
    EXPECT_EQ(ack.blockNumber, 131);
    EXPECT_EQ(written, kBlockRotorOperation);
    EXPECT_EQ(sensor.Block(kBlockRotorOperation), record.aBlock[7]);

    // The last reply can be asked for again.
    EXPECT_TRUE(ParseMessage(Ask(sensor, codec.TarSend_RequestRepeat(), 3), ack));
    EXPECT_EQ(ack.blockNumber, 131);
}

TEST(SimSensor, RestartIsSilentThenTakesTheNewOperatingSettings) {
    SimSensor sensor(Config(), 1);
    sensor.PowerOn(0);
    CTarvik_Send codec;
    BlockImage operation = sensor.Block(kBlockStatorOperation);
    ASSERT_TRUE((StatorOperationBlock{7, kBaudCode230400, 4}).Encode(operation));
    EXPECT_EQ(
        Ask(sensor, codec.TarSend_RequestWriteBlock(kBlockStatorOperation, operation), 10).code,
        kReplyAck);
    EXPECT_EQ(sensor.BaudRate(), kBaud115200);  // not before the restart

    EXPECT_EQ(Ask(sensor, codec.TarSend_RequestRestart(), 100).code, kReplyAck);
    EXPECT_EQ(Ask(sensor, codec.TarSend_RequestIdentification(), 399).code, 0);
    IdentificationReply id;
    ASSERT_TRUE(ParseMessage(Ask(sensor, codec.TarSend_RequestIdentification(), 400), id));
    EXPECT_EQ(id.busAddress, 7);
    EXPECT_EQ(id.baudCode, kBaudCode230400);
    EXPECT_EQ(sensor.BaudRate(), kBaud230400);
    // Now only address 7 (or any) is answered.
    codec.TarSend_SetAddress(1, 255);
    EXPECT_EQ(Ask(sensor, codec.TarSend_RequestStatusLong(), 401).code, 0);
    codec.TarSend_SetAddress(7, 255);
    EXPECT_EQ(Ask(sensor, codec.TarSend_RequestStatusLong(), 401).code, kReplyStatusLong);
}

TEST(SimSensor, InvalidatedUserCalibrationFallsBackToFactoryAtRestart) {
    SimSensorConfig config = Config();
    config.calibration = SimCalibration::User;
    SimSensor sensor(config, 1);
    sensor.PowerOn(0);
    EXPECT_EQ(sensor.CalibrationState(), kCalibUser);
    CTarvik_Send codec;
    BlockImage user = sensor.Block(kBlockUserCalib);
    user.InvalidateCheckBytes();
    // Stored and acknowledged in spite of its check bytes; in force after the restart only.
    EXPECT_EQ(Ask(sensor, codec.TarSend_RequestWriteBlock(kBlockUserCalib, user), 1).code,
              kReplyAck);
    EXPECT_EQ(sensor.Block(kBlockUserCalib), user);
    EXPECT_EQ(sensor.CalibrationState(), kCalibUser);
    Ask(sensor, codec.TarSend_RequestRestart(), 2);
    sensor.Poll(302);
    EXPECT_EQ(sensor.CalibrationState(), kCalibFactory);

    BlockImage factory = sensor.Block(kBlockFactoryCalib);
    factory.InvalidateCheckBytes();
    sensor.SetBlock(kBlockFactoryCalib, factory);
    sensor.PowerOn(1000);
    EXPECT_EQ(sensor.CalibrationState(), kCalibNone);
}

TEST(SimSensor, ValuesFollowTheLoadRawAndCalibrated) {
    SimSensor sensor(Config(), 1);
    sensor.PowerOn(0);
    CTarvik_Send codec;
    ValueSetReply values;
    ASSERT_TRUE(ParseMessage(Ask(sensor, codec.TarSend_RequestValues(kModeRaw), 1), values));
    EXPECT_EQ(values.value[0], 32768 + 120 + 10000);  // half of the range
    EXPECT_EQ(values.value[1], 32768 - 40 - 5000);
    EXPECT_EQ(values.status, kValueStatusRaw);
    ASSERT_TRUE(ParseMessage(Ask(sensor, codec.TarSend_RequestValues(kModeCalibrated), 2), values));
    // ppm of the range: the factory calibration makes the value the load.
    EXPECT_EQ(values.value[0], 500000);
    EXPECT_EQ(values.value[1], -250000);
    EXPECT_EQ(values.counter, 1);

    EXPECT_EQ(Ask(sensor, codec.TarSend_RequestControl(true), 3).code, kReplyAck);
    ASSERT_TRUE(ParseMessage(Ask(sensor, codec.TarSend_RequestValues(kModeRaw), 4), values));
    EXPECT_EQ(values.value[0], 32768 + 120 + 10000 + 16000);
    EXPECT_EQ(values.status, kValueStatusRaw | kValueStatusControl);

    sensor.SetSignal(0, SignalShape{SignalShape::Kind::Constant, 200000.0});  // 4 x the range
    ASSERT_TRUE(ParseMessage(Ask(sensor, codec.TarSend_RequestValues(kModeRaw), 5), values));
    EXPECT_EQ(values.value[0], 65535);
    EXPECT_TRUE(values.status & kValueStatusOverloadA);
}

TEST(SimSensor, StreamsAtItsRateAndRefusesWhatItCannotServeMeanwhile) {
    SimDevice device;
    device.Add(std::make_unique<SimSensor>(Config(), 1));
    SimSensor& sensor = device.Sensor(0);
    sensor.PowerOn(0);
    CTarvik_Send codec;
    EXPECT_EQ(Ask(sensor, codec.TarSend_RequestStartMeasure(3, kModeCalibrated), 0).code,
              kReplyAck);  // 10 ms
    EXPECT_EQ(NakReason(Ask(sensor, codec.TarSend_RequestValues(0), 1)), kNakNotAllowedNow);
    EXPECT_EQ(NakReason(Ask(sensor, codec.TarSend_RequestReadBlock(0), 1)), kNakNotAllowedNow);
    EXPECT_EQ(Ask(sensor, codec.TarSend_RequestStatusLong(), 1).code, kReplyStatusLong);

    std::vector<std::pair<int, std::string>> out;
    device.Tick(9, out);
    EXPECT_TRUE(out.empty());
    device.Tick(100, out);
    ASSERT_EQ(out.size(), 10u);
    for (size_t i = 0; i < out.size(); ++i) {
        ValueSetReply values;
        ASSERT_TRUE(ParseMessage(CutOne(out[i].second), values));
        EXPECT_EQ(values.counter, static_cast<uint8_t>(i));
    }
    EXPECT_EQ(device.NextDueMs(), 110);

    // A clock that jumps far ahead costs samples, not a flood.
    out.clear();
    device.Tick(100000, out);
    EXPECT_EQ(out.size(), static_cast<size_t>(SimDevice::kMaxCatchUp));
    EXPECT_GT(device.NextDueMs(), 100000);

    EXPECT_EQ(Ask(sensor, codec.TarSend_RequestStopMeasure(), 100001).code, kReplyAck);
    out.clear();
    device.Tick(200000, out);
    EXPECT_TRUE(out.empty());
}

TEST(SimSensor, MultiPortSlavesSampleWithTheMastersCounter) {
    SimDevice device;
    for (int k = 0; k < 3; ++k) {
        SimSensorConfig config = Config();
        config.sensorIndex = static_cast<uint8_t>(k);
        config.multiportModule = 1;
        device.Add(std::make_unique<SimSensor>(config, 1 + k));
        device.Sensor(k).PowerOn(0);
    }
    CTarvik_Send codec;
    // Addressed by sensor index: the request for index 1 reaches only that port's sensor.
    codec.TarSend_SetAddress(1, 1);
    EXPECT_EQ(Ask(device.Sensor(0), codec.TarSend_RequestStatusLong(), 0).code, 0);
    EXPECT_EQ(Ask(device.Sensor(1), codec.TarSend_RequestStatusLong(), 0).code, kReplyStatusLong);
    codec.TarSend_SetAddress(1, 255);
    // The master has answered some polls before: its counter is ahead of the slaves'.
    Ask(device.Sensor(0), codec.TarSend_RequestValues(0), 0);
    Ask(device.Sensor(0), codec.TarSend_RequestValues(0), 0);
    Ask(device.Sensor(0), codec.TarSend_RequestRole(kRoleMaster), 0);
    for (int k = 1; k < 3; ++k) {
        Ask(device.Sensor(k), codec.TarSend_RequestRole(kRoleSlave), 0);
        Ask(device.Sensor(k), codec.TarSend_RequestStartMeasure(4, 0), 0);
    }
    std::vector<std::pair<int, std::string>> out;
    device.Tick(100, out);
    EXPECT_TRUE(out.empty());  // slaves wait for their master
    Ask(device.Sensor(0), codec.TarSend_RequestStartMeasure(4, 0), 100);  // 20 ms
    device.Tick(160, out);
    ASSERT_EQ(out.size(), 9u);
    for (size_t i = 0; i < out.size(); ++i) {
        ValueSetReply values;
        ASSERT_TRUE(ParseMessage(CutOne(out[i].second), values));
        EXPECT_EQ(out[i].first, static_cast<int>(i % 3));
        EXPECT_EQ(values.counter, 2 + i / 3);
        EXPECT_EQ(CutOne(out[i].second).address2, i % 3);
    }
}
