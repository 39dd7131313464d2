#include "protocol/Messages.h"

#include <gtest/gtest.h>

#include "FrameTestHelpers.h"

using namespace tarvik;

namespace {

// Builds the frame, cuts it back out of the bytes and parses it.
template <typename Message>
Message RoundTrip(const Message& message) {
    const CString bytes = BuildMessage(3, 1, message);
    EXPECT_FALSE(bytes.IsEmpty());
    FrameCutter cutter;
    const auto frames = sensortest::CutAll(bytes.Str(), cutter);
    EXPECT_EQ(frames.size(), 1u);
    Message back;
    EXPECT_TRUE(!frames.empty() && ParseMessage(frames[0], back));
    EXPECT_EQ(frames.empty() ? 0 : frames[0].address1, 3);
    return back;
}

// A frame with the message's code and a payload one byte too long and one too short.
template <typename Message>
void ExpectWrongLengthsRefused(const Message& message) {
    std::string data;
    ASSERT_TRUE(message.Encode(data));
    Frame frame;
    frame.code = Message::kCode;
    Message back;
    frame.SetData(data + "x");
    EXPECT_FALSE(ParseMessage(frame, back));
    if (!data.empty()) {
        frame.SetData(data.substr(0, data.size() - 1));
        EXPECT_FALSE(ParseMessage(frame, back));
    }
    frame.SetData(data);
    frame.code = static_cast<uint8_t>(Message::kCode + 1);
    EXPECT_FALSE(ParseMessage(frame, back));
}

}  // namespace

TEST(Messages, RequestsRoundTrip) {
    EXPECT_EQ(BuildMessage(0xFF, 0xFF, IdentificationRequest()).GetLength(), 7);
    RoundTrip(IdentificationRequest());
    RoundTrip(StatusLongRequest());
    RoundTrip(StopMeasureRequest());
    RoundTrip(RestartRequest());
    RoundTrip(LinkTestRequest());
    RoundTrip(RepeatRequest());

    EXPECT_EQ(RoundTrip(ValuesRequest{kModeRaw}).mode, kModeRaw);
    const StartMeasureRequest start = RoundTrip(StartMeasureRequest{3, kModeRaw});
    EXPECT_EQ(start.rateIndex, 3);
    EXPECT_EQ(start.mode, kModeRaw);
    EXPECT_EQ(RoundTrip(ReadBlockRequest{131}).number, 131);
    EXPECT_EQ(RoundTrip(ControlRequest{1}).on, 1);
    EXPECT_EQ(RoundTrip(RoleRequest{kRoleSlave}).role, kRoleSlave);

    WriteBlockRequest write;
    write.number = 2;
    write.image.bytes[0] = 2;
    write.image.bytes[40] = 0x02;
    write.image.InvalidateCheckBytes();
    const WriteBlockRequest back = RoundTrip(write);
    EXPECT_EQ(back.number, 2);
    EXPECT_EQ(back.image, write.image);
}

TEST(Messages, RepliesRoundTrip) {
    EXPECT_EQ(RoundTrip(AckReply()).blockNumber, -1);
    EXPECT_EQ(RoundTrip(AckReply{130}).blockNumber, 130);
    EXPECT_EQ(RoundTrip(NakReply{kNakUnknownBlock}).reason, kNakUnknownBlock);

    IdentificationReply id;
    id.busAddress = 7;
    id.deviceKind = 1;
    id.statorId = 5;
    id.statorRevision = 3;
    id.serialNumber = 0xDEADBEEF;
    id.sensorIndex = 2;
    id.baudCode = kBaudCode230400;
    id.streaming = 1;
    id.firmwareVersion = 0x1210;
    const IdentificationReply idBack = RoundTrip(id);
    EXPECT_EQ(idBack.serialNumber, 0xDEADBEEF);
    EXPECT_EQ(idBack.firmwareVersion, 0x1210);
    EXPECT_EQ(idBack.sensorIndex, 2);
    EXPECT_EQ(idBack.baudCode, kBaudCode230400);
    EXPECT_EQ(BuildMessage(1, 1, id).GetLength(), 20);  // never mistaken for a stream (> 42)

    ValueSetReply values;
    values.counter = 255;
    values.status = kValueStatusRaw | kValueStatusControl;
    values.value[0] = -2147483647 - 1;
    values.value[1] = 65535;
    const ValueSetReply valuesBack = RoundTrip(values);
    EXPECT_EQ(valuesBack.value[0], values.value[0]);
    EXPECT_EQ(valuesBack.value[1], 65535);
    EXPECT_EQ(valuesBack.status, values.status);
    EXPECT_EQ(BuildMessage(1, 1, values).GetLength(), 17);

    StatusLongReply status;
    status.usedCalib = kCalibUser;
    status.encoderMask = 3;
    status.encoderMode[1] = 1;
    status.role = kRoleMaster;
    status.serialNumber = 123456;
    status.blockValidMask = 0xBF;
    status.errorFlags = kErrorBlock | kErrorOverloadB;
    status.firmwareVersion = 0x2105;
    const StatusLongReply statusBack = RoundTrip(status);
    EXPECT_EQ(statusBack.usedCalib, kCalibUser);
    EXPECT_EQ(statusBack.encoderMode[1], 1);
    EXPECT_EQ(statusBack.serialNumber, 123456u);
    EXPECT_EQ(statusBack.blockValidMask, 0xBF);
    EXPECT_EQ(statusBack.errorFlags, kErrorBlock | kErrorOverloadB);
    EXPECT_EQ(statusBack.firmwareVersion, 0x2105);
    EXPECT_LE(BuildMessage(1, 1, status).GetLength(), 64);  // fits a reply slot

    BlockContentReply block;
    block.number = 129;
    block.image.bytes[0] = 129;
    block.image.bytes[63] = 0;
    EXPECT_EQ(RoundTrip(block).image, block.image);
}

TEST(Messages, DecodersRefuseEveryOtherLengthAndCode) {
    ExpectWrongLengthsRefused(IdentificationRequest());
    ExpectWrongLengthsRefused(ValuesRequest());
    ExpectWrongLengthsRefused(StartMeasureRequest());
    ExpectWrongLengthsRefused(ReadBlockRequest{0});
    WriteBlockRequest write;
    ExpectWrongLengthsRefused(write);
    ExpectWrongLengthsRefused(ControlRequest());
    ExpectWrongLengthsRefused(RoleRequest());
    Frame ack;
    ack.code = kReplyAck;
    ack.SetData("\x03\x03");
    AckReply ackBack;
    EXPECT_FALSE(ParseMessage(ack, ackBack));
    ExpectWrongLengthsRefused(NakReply());
    ExpectWrongLengthsRefused(IdentificationReply());
    ExpectWrongLengthsRefused(ValueSetReply());
    ExpectWrongLengthsRefused(StatusLongReply());
    BlockContentReply block;
    ExpectWrongLengthsRefused(block);
}

TEST(Messages, EncodersRefuseValuesTheProtocolDoesNotKnow) {
    std::string out;
    EXPECT_FALSE(ValuesRequest{2}.Encode(out));
    EXPECT_FALSE((StartMeasureRequest{kMaxRateIndex + 1, 0}).Encode(out));
    EXPECT_FALSE((StartMeasureRequest{-1, 0}).Encode(out));
    EXPECT_FALSE((StartMeasureRequest{0, 7}).Encode(out));
    EXPECT_FALSE(ReadBlockRequest{4}.Encode(out));
    EXPECT_FALSE(ControlRequest{2}.Encode(out));
    EXPECT_FALSE(RoleRequest{3}.Encode(out));
    EXPECT_FALSE(AckReply{77}.Encode(out));
    WriteBlockRequest write;
    write.number = 130;
    write.image.bytes[0] = 131;  // an image of another block
    EXPECT_FALSE(write.Encode(out));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(BuildMessage(1, 1, RoleRequest{9}).IsEmpty());
}
