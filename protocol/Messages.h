// Payloads of every request and reply. Each message knows its code, encodes its DATA bytes
// (refusing values outside what the protocol defines) and decodes them (refusing any other
// length). BuildMessage and ParseMessage join them to frames.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base/CString.h"
#include "protocol/BlockImage.h"
#include "protocol/Frame.h"
#include "protocol/Protocol.h"

namespace tarvik {

// ---- Requests -------------------------------------------------------------------------------

// A request without data.
template <uint8_t Code>
struct EmptyRequest {
    static constexpr uint8_t kCode = Code;
    bool Encode(std::string&) const { return true; }
    bool Decode(std::string_view data) { return data.empty(); }
};
using IdentificationRequest = EmptyRequest<kRequestIdentification>;
using StatusLongRequest = EmptyRequest<kRequestStatusLong>;
using StopMeasureRequest = EmptyRequest<kRequestStopMeasure>;
using RestartRequest = EmptyRequest<kRequestRestart>;
using LinkTestRequest = EmptyRequest<kRequestLinkTest>;
using RepeatRequest = EmptyRequest<kRequestRepeat>;

struct ValuesRequest {
    static constexpr uint8_t kCode = kRequestValues;
    int mode = kModeCalibrated;  // kModeCalibrated or kModeRaw
    bool Encode(std::string& out) const;
    bool Decode(std::string_view data);
};

struct StartMeasureRequest {
    static constexpr uint8_t kCode = kRequestStartMeasure;
    int rateIndex = kDefaultRateIndex;
    int mode = kModeCalibrated;
    bool Encode(std::string& out) const;
    bool Decode(std::string_view data);
};

struct ReadBlockRequest {
    static constexpr uint8_t kCode = kRequestReadBlock;
    int number = 0;  // block number on the wire (0..3, 128..131)
    bool Encode(std::string& out) const;
    bool Decode(std::string_view data);
};

struct WriteBlockRequest {
    static constexpr uint8_t kCode = kRequestWriteBlock;
    int number = 0;
    BlockImage image;  // sent as it is, check bytes included
    bool Encode(std::string& out) const;
    bool Decode(std::string_view data);
};

struct ControlRequest {
    static constexpr uint8_t kCode = kRequestControl;
    int on = 0;  // 1 switches the built-in control signal on, 0 off
    bool Encode(std::string& out) const;
    bool Decode(std::string_view data);
};

struct RoleRequest {
    static constexpr uint8_t kCode = kRequestRole;
    int role = kRoleStandalone;
    bool Encode(std::string& out) const;
    bool Decode(std::string_view data);
};

// ---- Replies --------------------------------------------------------------------------------

struct AckReply {
    static constexpr uint8_t kCode = kReplyAck;
    int blockNumber = -1;  // the block written, for the acknowledge of a block write; else -1
    bool Encode(std::string& out) const;
    bool Decode(std::string_view data);
};

struct NakReply {
    static constexpr uint8_t kCode = kReplyNak;
    uint8_t reason = 0;  // kNak...
    bool Encode(std::string& out) const;
    bool Decode(std::string_view data);
};

struct IdentificationReply {
    static constexpr uint8_t kCode = kReplyIdentification;
    uint8_t busAddress = kDefaultBusAddress;
    uint8_t deviceKind = 0;
    uint8_t statorId = 0;
    uint8_t statorRevision = 0;
    uint32_t serialNumber = 0;
    uint8_t sensorIndex = kNoSensorIndex;
    uint8_t baudCode = kBaudCode115200;
    uint8_t streaming = 0;
    uint16_t firmwareVersion = 0;
    bool Encode(std::string& out) const;
    bool Decode(std::string_view data);
};

struct ValueSetReply {
    static constexpr uint8_t kCode = kReplyValues;
    uint8_t counter = 0;
    uint8_t status = 0;     // kValueStatus... bits
    int32_t value[2] = {};  // channels A and B: ppm of the range, or raw counts in raw mode
    bool Encode(std::string& out) const;
    bool Decode(std::string_view data);
};

struct StatusLongReply {
    static constexpr uint8_t kCode = kReplyStatusLong;
    uint8_t usedCalib = kCalibUndefined;
    uint8_t deviceKind = 0;
    uint8_t statorId = 0;
    uint8_t statorRevision = 0;
    uint8_t digitalInputKind = 0;
    uint8_t encoderMask = 0;      // connected-channel mask, 0..3
    uint8_t encoderMode[2] = {};  // per encoder channel: 1 = angle
    uint8_t control = 0;
    uint8_t streaming = 0;
    uint8_t role = kRoleStandalone;
    uint8_t rateIndex = 0;
    uint8_t lowPassCode = 0;
    uint8_t baudCode = kBaudCode115200;
    uint32_t serialNumber = 0;
    uint8_t sensorIndex = kNoSensorIndex;
    uint8_t blockValidMask = 0;  // bit i: block index i has correct check bytes
    uint16_t errorFlags = 0;     // kError... bits
    uint16_t firmwareVersion = 0;
    bool Encode(std::string& out) const;
    bool Decode(std::string_view data);
};

struct BlockContentReply {
    static constexpr uint8_t kCode = kReplyBlockContent;
    int number = 0;
    BlockImage image;
    bool Encode(std::string& out) const;
    bool Decode(std::string_view data);
};

// ---- Joining messages and frames --------------------------------------------------------------

// The frame of a message; empty when the message refuses its values.
template <typename Message>
CString BuildMessage(uint8_t address1, uint8_t address2, const Message& message) {
    std::string data;
    if (!message.Encode(data)) {
        return CString();
    }
    return BuildFrame(address1, address2, Message::kCode, data);
}

// True when the frame carries this message with a correct length.
template <typename Message>
bool ParseMessage(const Frame& frame, Message& message) {
    return frame.code == Message::kCode && message.Decode(frame.Data());
}

}  // namespace tarvik
