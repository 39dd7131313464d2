// The wire bytes of every request, reply and memory block, written out by hand from
// docs/protocol.md and checked in both directions. The other codec tests go through the same
// code on both sides (and so does the simulator), so a mistake made alike in encoding and
// decoding - an offset, a byte order, a check-byte sum - would pass them; here the bytes are
// the document's, not the codec's.
#include <gtest/gtest.h>

#include <string>

#include "protocol/BlockLayouts.h"
#include "protocol/FrameCutter.h"
#include "protocol/Messages.h"

namespace {

using namespace tarvik;

std::string FromHex(std::string_view hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 3) {
        bytes.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    }
    return bytes;
}

Frame Cut(std::string_view hex) {
    FrameCutter cutter;
    const std::string bytes = FromHex(hex);
    size_t pos = 0;
    Frame frame;
    EXPECT_EQ(cutter.Next(bytes, pos, frame), FrameCutter::Result::Frame) << hex;
    EXPECT_EQ(pos, bytes.size());
    return frame;
}

BlockImage Image(std::string_view hex) {
    BlockImage image;
    EXPECT_TRUE(BlockImage::FromBytes(FromHex(hex), image));
    return image;
}

template <typename Message>
std::string Built(uint8_t address1, uint8_t address2, const Message& message) {
    return BuildMessage(address1, address2, message).Str();
}

template <typename Message>
Message Parsed(std::string_view hex) {
    Message message;
    EXPECT_TRUE(ParseMessage(Cut(hex), message)) << hex;
    return message;
}

// Encoding into an erased image gives the document's bytes; decoding them gives the fields.
template <typename Block>
Block RoundTrip(const Block& fields, std::string_view hex) {
    BlockImage image;
    EXPECT_TRUE(fields.Encode(image));
    EXPECT_EQ(std::string(image.View()), FromHex(hex));
    Block decoded;
    if constexpr (requires { decoded.number; }) {
        decoded.number = fields.number;
    }
    EXPECT_TRUE(decoded.Decode(Image(hex)));
    return decoded;
}

constexpr std::string_view kStatorOperation =
    "02 01 05 10 04 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    "00 00 1C 7D";
constexpr std::string_view kUserCalibration =
    "82 01 18 0C 07 EA 17 3B 3A 00 FF FF FF 88 00 00 40 00 00 00 50 00 00 4C 4B 40 3E 00 00 00 "
    "00 00 00 00 00 00 01 2C 00 00 80 00 00 00 00 00 00 00 FF FF 00 00 00 00 00 00 00 00 00 00 "
    "00 00 F9 C6";

TEST(ProtocolBytes, RequestsAreTheDocumentsBytes) {
    EXPECT_EQ(Built(0xFF, 0xFF, IdentificationRequest{}), FromHex("02 FF FF 01 40 3F 3B"));
    EXPECT_EQ(Built(1, 0xFF, ValuesRequest{kModeRaw}), FromHex("02 01 FF 02 41 01 44 8A"));
    EXPECT_EQ(Built(1, 0xFF, StatusLongRequest{}), FromHex("02 01 FF 01 42 43 45"));
    EXPECT_EQ(Built(1, 0xFF, StartMeasureRequest{3, kModeCalibrated}),
              FromHex("02 01 FF 03 43 03 00 49 DC"));
    EXPECT_EQ(Built(1, 0xFF, ReadBlockRequest{130}), FromHex("02 01 FF 02 44 82 C8 11"));
    EXPECT_EQ(Built(1, 0xFF, ControlRequest{1}), FromHex("02 01 FF 02 4B 01 4E 9E"));
    EXPECT_EQ(Built(1, 2, RoleRequest{kRoleSlave}), FromHex("02 01 02 02 4D 02 54 AF"));
    EXPECT_EQ(Built(1, 0xFF, RestartRequest{}), FromHex("02 01 FF 01 52 53 55"));
    EXPECT_EQ(Built(1, 0xFF, StopMeasureRequest{}), FromHex("02 01 FF 01 53 54 56"));
    EXPECT_EQ(Built(1, 0xFF, LinkTestRequest{}), FromHex("02 01 FF 01 06 07 09"));
    EXPECT_EQ(Built(1, 0xFF, RepeatRequest{}), FromHex("02 01 FF 01 15 16 18"));

    WriteBlockRequest write;
    write.number = 130;
    write.image = Image(kUserCalibration);
    const std::string written =
        std::string("02 01 FF 42 57 82 ") + std::string(kUserCalibration) + " D3 27";
    EXPECT_EQ(Built(1, 0xFF, write), FromHex(written));

    // The sensor's side reads them back.
    EXPECT_EQ(Parsed<StartMeasureRequest>("02 01 FF 03 43 03 00 49 DC").rateIndex, 3);
    EXPECT_EQ(Parsed<ReadBlockRequest>("02 01 FF 02 44 82 C8 11").number, 130);
    EXPECT_EQ(Parsed<RoleRequest>("02 01 02 02 4D 02 54 AF").role, kRoleSlave);
    const auto parsedWrite = Parsed<WriteBlockRequest>(written);
    EXPECT_EQ(parsedWrite.number, 130);
    EXPECT_EQ(parsedWrite.image, Image(kUserCalibration));
}

TEST(ProtocolBytes, RepliesAreTheDocumentsBytes) {
    EXPECT_EQ(Built(1, 0xFF, AckReply{}), FromHex("02 01 FF 01 06 07 09"));
    EXPECT_EQ(Built(1, 0xFF, AckReply{130}), FromHex("02 01 FF 02 06 82 8A 95"));
    EXPECT_EQ(Parsed<AckReply>("02 01 FF 02 06 82 8A 95").blockNumber, 130);
    EXPECT_EQ(Parsed<NakReply>("02 01 FF 02 15 05 1C 36").reason, kNakNotAllowedNow);

    constexpr std::string_view identificationHex =
        "02 07 02 0E 40 07 01 05 03 01 02 03 04 02 10 01 21 23 C8 9D";
    IdentificationReply identification;
    identification.busAddress = 7;
    identification.deviceKind = kDevicePkrUsb;
    identification.statorId = 5;
    identification.statorRevision = 3;
    identification.serialNumber = 0x01020304;
    identification.sensorIndex = 2;
    identification.baudCode = kBaudCode230400;
    identification.streaming = 1;
    identification.firmwareVersion = 0x2123;
    EXPECT_EQ(Built(7, 2, identification), FromHex(identificationHex));
    const auto id = Parsed<IdentificationReply>(identificationHex);
    EXPECT_EQ(id.serialNumber, 0x01020304u);
    EXPECT_EQ(id.sensorIndex, 2);
    EXPECT_EQ(id.firmwareVersion, 0x2123);

    constexpr std::string_view valuesHex = "02 01 FF 0B 41 C8 0A FF ED 29 79 00 0F 42 40 3D 31";
    ValueSetReply values;
    values.counter = 200;
    values.status = kValueStatusOverloadA | kValueStatusControl;
    values.value[0] = -1234567;
    values.value[1] = 1000000;
    EXPECT_EQ(Built(1, 0xFF, values), FromHex(valuesHex));
    const auto set = Parsed<ValueSetReply>(valuesHex);
    EXPECT_EQ(set.counter, 200);
    EXPECT_EQ(set.value[0], -1234567);
    EXPECT_EQ(set.value[1], 1000000);

    constexpr std::string_view statusHex =
        "02 01 FF 19 42 03 00 04 02 01 03 01 00 01 01 02 06 04 10 00 00 12 67 FF 7F 00 05 12 50 "
        "E5 E8";
    StatusLongReply status;
    status.usedCalib = kCalibUser;
    status.deviceKind = kDeviceBox;
    status.statorId = 4;
    status.statorRevision = 2;
    status.digitalInputKind = 1;
    status.encoderMask = 3;
    status.encoderMode[0] = 1;
    status.encoderMode[1] = 0;
    status.control = 1;
    status.streaming = 1;
    status.role = kRoleSlave;
    status.rateIndex = 6;
    status.lowPassCode = 4;
    status.baudCode = kBaudCode230400;
    status.serialNumber = 4711;
    status.sensorIndex = 0xFF;
    status.blockValidMask = 0x7F;
    status.errorFlags = kErrorOverloadA | kErrorBlock;
    status.firmwareVersion = 0x1250;
    EXPECT_EQ(Built(1, 0xFF, status), FromHex(statusHex));
    const auto parsedStatus = Parsed<StatusLongReply>(statusHex);
    EXPECT_EQ(parsedStatus.serialNumber, 4711u);
    EXPECT_EQ(parsedStatus.blockValidMask, 0x7F);
    EXPECT_EQ(parsedStatus.errorFlags, kErrorOverloadA | kErrorBlock);
    EXPECT_EQ(parsedStatus.firmwareVersion, 0x1250);
    EXPECT_EQ(parsedStatus.rateIndex, 6);

    const std::string contentHex =
        std::string("02 01 FF 42 44 02 ") + std::string(kStatorOperation) + " 3D BB";
    BlockContentReply content;
    content.number = 2;
    content.image = Image(kStatorOperation);
    EXPECT_EQ(Built(1, 0xFF, content), FromHex(contentHex));
    EXPECT_EQ(Parsed<BlockContentReply>(contentHex).image, Image(kStatorOperation));
}

TEST(ProtocolBytes, StatorBlocksAreTheDocumentsBytes) {
    StatorHeaderBlock header;
    header.statorId = 6;
    header.statorRevision = 2;
    header.statorSerialNumber = 123456;
    header.firmwareVersion = 0x1250;
    const auto h = RoundTrip(
        header,
        "00 01 06 02 00 00 00 01 E2 40 12 50 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
        "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
        "00 00 8E D6");
    EXPECT_EQ(h.statorSerialNumber, 123456);
    EXPECT_EQ(h.firmwareVersion, 0x1250);

    StatorHardwareBlock hardware;
    hardware.kindByte = 9;
    hardware.lightMode = 2;
    hardware.lightValue[0] = 10;
    hardware.lightValue[1] = 20;
    hardware.lightValue[2] = 30;
    hardware.lightValue[3] = 40;
    hardware.channelCount = 2;
    hardware.multiportModule = 1;
    const auto hw = RoundTrip(
        hardware,
        "01 01 09 00 02 0A 14 1E 28 02 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
        "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
        "00 00 74 25");
    EXPECT_EQ(hw.lightValue[3], 40);
    EXPECT_EQ(hw.multiportModule, 1);

    StatorOperationBlock operation;
    operation.busAddress = 5;
    operation.baudCode = kBaudCode230400;
    operation.lowPassCode = 4;
    const auto op = RoundTrip(operation, kStatorOperation);
    EXPECT_EQ(op.busAddress, 5);
    EXPECT_EQ(op.baudCode, kBaudCode230400);

    SoftwareConfigBlock software;
    software.present = 1;
    software.written = 1;
    software.rateIndex = 3;
    software.angleFlag = 1;
    software.frameSetting = 500;
    software.channel[0] = {3, 2, 1, 1, 0, 'D', 0, 1, 2.5, -0.75, "Nm"};
    software.channel[1] = {8, 1, 0, 0, 1, 'Y', 7, 0, 0.0, 1.0, "RPM max"};
    const auto sw = RoundTrip(
        software,
        "03 04 01 01 03 01 00 00 01 F4 00 00 03 02 01 01 00 44 00 01 40 20 00 00 BF 40 00 00 4E 6D "
        "00 00 00 00 00 00 00 08 01 00 00 01 59 07 00 00 00 00 00 3F 80 00 00 52 50 4D 20 6D 61 78 "
        "00 00 E6 CA");
    EXPECT_EQ(sw.version, 4);
    EXPECT_EQ(sw.frameSetting, 500);
    EXPECT_EQ(sw.channel[0].scalingFactor, 2.5);
    EXPECT_EQ(sw.channel[0].configValue, -0.75);
    EXPECT_EQ(sw.channel[0].scalingName, "Nm");
    EXPECT_EQ(sw.channel[1].viewState, 1);
    EXPECT_EQ(sw.channel[1].configValue, 1.0);
    EXPECT_EQ(sw.channel[1].scalingName, "RPM max");
}

TEST(ProtocolBytes, RotorBlocksAreTheDocumentsBytes) {
    RotorHeaderBlock header;
    header.typeNumber = 4503;
    header.serialNumber = 98765;
    header.sensorIndex = 1;
    header.sensorTypeLetter = 'R';
    header.channel[0] = {'D', 0x3500, 100};
    header.channel[1] = {'Y', 0x5500, 60};
    header.pulsesPerRevolution = 360;
    const auto rh = RoundTrip(
        header,
        "80 01 00 00 11 97 00 01 81 CD 01 52 44 35 00 64 59 55 00 3C 00 00 01 68 00 00 00 00 00 00 "
        "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
        "00 00 FB EA");
    EXPECT_EQ(rh.serialNumber, 98765);
    EXPECT_EQ(rh.channel[1].rangeWord, 0x5500);
    EXPECT_EQ(rh.channel[1].accuracyClass, 60);
    EXPECT_EQ(rh.pulsesPerRevolution, 360);

    CalibrationBlock calibration;
    calibration.number = 130;
    calibration.day = 24;
    calibration.month = 12;
    calibration.year = 2026;
    calibration.hour = 23;
    calibration.minute = 59;
    calibration.second = 58;
    calibration.channel[0] = {-120, 16384, 20480, 5000000, 0.125};
    calibration.channel[1] = {300, 32768, 0, kDigitsNotSet, 0.0};
    const auto cal = RoundTrip(calibration, kUserCalibration);
    EXPECT_EQ(cal.year, 2026);
    EXPECT_EQ(cal.second, 58);
    EXPECT_EQ(cal.channel[0].offset, -120);
    EXPECT_EQ(cal.channel[0].digits, 5000000);
    EXPECT_EQ(cal.channel[0].uncertainty, 0.125);
    EXPECT_EQ(cal.channel[1].control, 0);
    EXPECT_EQ(cal.channel[1].digits, kDigitsNotSet);

    RotorOperationBlock operation;
    operation.serialText[0] = "A1 b2?";
    operation.serialText[1] = "Z9";
    const auto ro = RoundTrip(
        operation,
        "83 01 41 31 20 62 32 3F 5A 39 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
        "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
        "00 00 7C D2");
    EXPECT_EQ(ro.serialText[0], "A1 b2?");
    EXPECT_EQ(ro.serialText[1], "Z9");
}

}  // namespace
