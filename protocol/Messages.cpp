#include "protocol/Messages.h"

#include "protocol/BigEndian.h"

namespace tarvik {
namespace {

const uint8_t* Bytes(std::string_view s) {
    return reinterpret_cast<const uint8_t*>(s.data());
}

bool IsMode(int mode) {
    return mode == kModeCalibrated || mode == kModeRaw;
}

}  // namespace

bool ValuesRequest::Encode(std::string& out) const {
    if (!IsMode(mode)) {
        return false;
    }
    AppendU8(out, static_cast<uint8_t>(mode));
    return true;
}

bool ValuesRequest::Decode(std::string_view data) {
    if (data.size() != 1) {
        return false;
    }
    mode = Bytes(data)[0];
    return true;
}

bool StartMeasureRequest::Encode(std::string& out) const {
    if (rateIndex < 0 || rateIndex > kMaxRateIndex || !IsMode(mode)) {
        return false;
    }
    AppendU8(out, static_cast<uint8_t>(rateIndex));
    AppendU8(out, static_cast<uint8_t>(mode));
    return true;
}

bool StartMeasureRequest::Decode(std::string_view data) {
    if (data.size() != 2) {
        return false;
    }
    rateIndex = Bytes(data)[0];
    mode = Bytes(data)[1];
    return true;
}

bool ReadBlockRequest::Encode(std::string& out) const {
    if (BlockIndexFromNumber(number) < 0) {
        return false;
    }
    AppendU8(out, static_cast<uint8_t>(number));
    return true;
}

bool ReadBlockRequest::Decode(std::string_view data) {
    if (data.size() != 1) {
        return false;
    }
    number = Bytes(data)[0];
    return true;
}

bool WriteBlockRequest::Encode(std::string& out) const {
    if (BlockIndexFromNumber(number) < 0 || image.Number() != number) {
        return false;
    }
    AppendU8(out, static_cast<uint8_t>(number));
    out.append(image.View());
    return true;
}

bool WriteBlockRequest::Decode(std::string_view data) {
    if (data.size() != static_cast<size_t>(kBlockContentSize)) {
        return false;
    }
    number = Bytes(data)[0];
    return BlockImage::FromBytes(data.substr(1), image);
}

bool ControlRequest::Encode(std::string& out) const {
    if (on != 0 && on != 1) {
        return false;
    }
    AppendU8(out, static_cast<uint8_t>(on));
    return true;
}

bool ControlRequest::Decode(std::string_view data) {
    if (data.size() != 1) {
        return false;
    }
    on = Bytes(data)[0];
    return true;
}

bool RoleRequest::Encode(std::string& out) const {
    if (role < kRoleStandalone || role > kRoleSlave) {
        return false;
    }
    AppendU8(out, static_cast<uint8_t>(role));
    return true;
}

bool RoleRequest::Decode(std::string_view data) {
    if (data.size() != 1) {
        return false;
    }
    role = Bytes(data)[0];
    return true;
}

bool AckReply::Encode(std::string& out) const {
    if (blockNumber < 0) {
        return true;
    }
    if (BlockIndexFromNumber(blockNumber) < 0) {
        return false;
    }
    AppendU8(out, static_cast<uint8_t>(blockNumber));
    return true;
}

bool AckReply::Decode(std::string_view data) {
    if (data.size() > 1) {
        return false;
    }
    blockNumber = data.empty() ? -1 : Bytes(data)[0];
    return true;
}

bool NakReply::Encode(std::string& out) const {
    AppendU8(out, reason);
    return true;
}

bool NakReply::Decode(std::string_view data) {
    if (data.size() != 1) {
        return false;
    }
    reason = Bytes(data)[0];
    return true;
}

bool IdentificationReply::Encode(std::string& out) const {
    AppendU8(out, busAddress);
    AppendU8(out, deviceKind);
    AppendU8(out, statorId);
    AppendU8(out, statorRevision);
    AppendU32(out, serialNumber);
    AppendU8(out, sensorIndex);
    AppendU8(out, baudCode);
    AppendU8(out, streaming);
    AppendU16(out, firmwareVersion);
    return true;
}

bool IdentificationReply::Decode(std::string_view data) {
    if (data.size() != static_cast<size_t>(kIdentificationSize)) {
        return false;
    }
    const uint8_t* p = Bytes(data);
    busAddress = p[0];
    deviceKind = p[1];
    statorId = p[2];
    statorRevision = p[3];
    serialNumber = GetU32(p + 4);
    sensorIndex = p[8];
    baudCode = p[9];
    streaming = p[10];
    firmwareVersion = GetU16(p + 11);
    return true;
}

bool ValueSetReply::Encode(std::string& out) const {
    AppendU8(out, counter);
    AppendU8(out, status);
    AppendI32(out, value[0]);
    AppendI32(out, value[1]);
    return true;
}

bool ValueSetReply::Decode(std::string_view data) {
    if (data.size() != static_cast<size_t>(kValueSetSize)) {
        return false;
    }
    const uint8_t* p = Bytes(data);
    counter = p[0];
    status = p[1];
    value[0] = GetI32(p + 2);
    value[1] = GetI32(p + 6);
    return true;
}

bool StatusLongReply::Encode(std::string& out) const {
    for (uint8_t b : {usedCalib, deviceKind, statorId, statorRevision, digitalInputKind,
                      encoderMask, encoderMode[0], encoderMode[1], control, streaming, role,
                      rateIndex, lowPassCode, baudCode}) {
        AppendU8(out, b);
    }
    AppendU32(out, serialNumber);
    AppendU8(out, sensorIndex);
    AppendU8(out, blockValidMask);
    AppendU16(out, errorFlags);
    AppendU16(out, firmwareVersion);
    return true;
}

bool StatusLongReply::Decode(std::string_view data) {
    if (data.size() != static_cast<size_t>(kStatusLongSize)) {
        return false;
    }
    const uint8_t* p = Bytes(data);
    usedCalib = p[0];
    deviceKind = p[1];
    statorId = p[2];
    statorRevision = p[3];
    digitalInputKind = p[4];
    encoderMask = p[5];
    encoderMode[0] = p[6];
    encoderMode[1] = p[7];
    control = p[8];
    streaming = p[9];
    role = p[10];
    rateIndex = p[11];
    lowPassCode = p[12];
    baudCode = p[13];
    serialNumber = GetU32(p + 14);
    sensorIndex = p[18];
    blockValidMask = p[19];
    errorFlags = GetU16(p + 20);
    firmwareVersion = GetU16(p + 22);
    return true;
}

bool BlockContentReply::Encode(std::string& out) const {
    if (BlockIndexFromNumber(number) < 0) {
        return false;
    }
    AppendU8(out, static_cast<uint8_t>(number));
    out.append(image.View());
    return true;
}

bool BlockContentReply::Decode(std::string_view data) {
    if (data.size() != static_cast<size_t>(kBlockContentSize)) {
        return false;
    }
    number = Bytes(data)[0];
    return BlockImage::FromBytes(data.substr(1), image);
}

}  // namespace tarvik
