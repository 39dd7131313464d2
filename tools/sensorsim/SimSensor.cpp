#include "tools/sensorsim/SimSensor.h"

#include "platform/base/StringFormat.h"
#include "protocol/Messages.h"
#include "protocol/VersionWord.h"
#include "tools/sensorsim/SimConverter.h"

using namespace tarvik;

namespace sensorsim {
namespace {

// Blocks written only by the factory: the stator header and hardware, the rotor header and the
// factory calibration.
bool IsFactoryBlock(int index) {
    return index == kBlockStatorHeader || index == kBlockStatorHardware ||
           index == kBlockRotorHeader || index == kBlockFactoryCalib;
}

}  // namespace

SimSensor::SimSensor(const SimSensorConfig& config, uint32_t seed)
    : m_config(config), m_noiseState(seed ? seed : 1) {
    BuildInitialBlocks(m_config, m_blocks);
}

void SimSensor::PowerOn(int64_t nowMs) {
    m_powerOnMs = nowMs;
    m_restartEndMs = 0;
    m_restartPending = false;
    m_streaming = false;
    m_role = kRoleStandalone;
    m_control = false;
    m_framesDropped = false;
    m_lastReply.clear();
    ApplyOperatingSettings();
}

// What a power-on or restart takes from the blocks. A stator operation block with wrong check
// bytes leaves the sensor at its defaults; the calibration in force is the user calibration when
// its block is valid, else the factory calibration when that one is, else none.
void SimSensor::ApplyOperatingSettings() {
    StatorOperationBlock operation;
    if (m_blocks[kBlockStatorOperation].IsValidFor(2) &&
        operation.Decode(m_blocks[kBlockStatorOperation]) && IsValidBaudCode(operation.baudCode)) {
        m_address = static_cast<uint8_t>(operation.busAddress);
        m_activeBaudCode = static_cast<uint8_t>(operation.baudCode);
        m_activeLowPass = static_cast<uint8_t>(operation.lowPassCode);
    } else {
        m_address = kDefaultBusAddress;
        m_activeBaudCode = kBaudCode115200;
        m_activeLowPass = 0;
    }
    m_activeCalibration.reset();
    m_calibState = kCalibNone;
    for (int index : {kBlockUserCalib, kBlockFactoryCalib}) {
        CalibrationBlock calibration;
        if (m_blocks[index].IsValidFor(BlockNumberFromIndex(index)) &&
            calibration.Decode(m_blocks[index])) {
            m_activeCalibration = calibration;
            m_calibState = index == kBlockUserCalib ? kCalibUser : kCalibFactory;
            break;
        }
    }
}

void SimSensor::Poll(int64_t nowMs) {
    if (m_restartPending && nowMs >= m_restartEndMs) {
        m_restartPending = false;
        ApplyOperatingSettings();
        Log(kq::Format("restarted: address %d, %d baud, calibration state %d", m_address,
                       BaudRate(), m_calibState));
    }
}

bool SimSensor::IsAddressed(const Frame& frame) const {
    const uint8_t ownIndex = m_blocks[kBlockRotorHeader].bytes[10];
    return (frame.address1 == m_address || frame.address1 == kAnyAddress) &&
           (frame.address2 == ownIndex || frame.address2 == kAnyIndex);
}

std::string SimSensor::Reply(uint8_t code, const std::string& data) const {
    return BuildFrame(m_address, m_blocks[kBlockRotorHeader].bytes[10], code, data).Str();
}

template <typename Message>
std::string SimSensor::Reply(const Message& message) const {
    std::string data;
    message.Encode(data);
    return Reply(Message::kCode, data);
}

std::string SimSensor::Nak(uint8_t reason, const char* why) {
    Log(kq::Format("refused (NAK %d): %s", reason, why));
    return Reply(NakReply{reason});
}

void SimSensor::Log(const std::string& text) const {
    if (onLog) {
        onLog(text);
    }
}

void SimSensor::ReceiveCorrupted(int64_t nowMs, std::vector<std::string>& out) {
    Poll(nowMs);
    if (IsRestarting(nowMs)) {
        return;
    }
    out.push_back(Nak(kNakCheckError, "wrong check bytes"));
}

void SimSensor::Receive(const Frame& frame, int64_t nowMs, std::vector<std::string>& out) {
    Poll(nowMs);
    if (IsRestarting(nowMs)) {
        Log(kq::Format("ignored code 0x%02X while restarting", frame.code));
        return;
    }
    if (!IsAddressed(frame)) {
        Log(kq::Format("ignored code 0x%02X for address %d/%d", frame.code, frame.address1,
                       frame.address2));
        return;
    }
    const size_t before = out.size();
    Answer(frame, nowMs, out);
    if (frame.code != kRequestRepeat && out.size() > before) {
        m_lastReply = out.back();
    }
}

void SimSensor::Answer(const Frame& frame, int64_t nowMs, std::vector<std::string>& out) {
    const std::string_view data = frame.Data();
    // Requests a measuring sensor cannot serve.
    const bool busy = m_streaming && frame.code != kRequestIdentification &&
                      frame.code != kRequestStatusLong && frame.code != kRequestStopMeasure &&
                      frame.code != kRequestRestart && frame.code != kRequestLinkTest &&
                      frame.code != kRequestRepeat;
    auto lengthIs = [&](size_t size) { return data.size() == size; };

    switch (frame.code) {
        case kRequestIdentification:
            out.push_back(lengthIs(0) ? Identification() : Nak(kNakBadLength, "'@' with data"));
            return;
        case kRequestStatusLong:
            out.push_back(lengthIs(0) ? StatusLong() : Nak(kNakBadLength, "'B' with data"));
            return;
        case kRequestLinkTest:
            out.push_back(lengthIs(0) ? Reply(AckReply()) : Nak(kNakBadLength, "ACK with data"));
            return;
        case kRequestRepeat:
            out.push_back(!lengthIs(0)          ? Nak(kNakBadLength, "NAK with data")
                          : m_lastReply.empty() ? Reply(AckReply())
                                                : m_lastReply);
            return;
        case kRequestStopMeasure:
            if (!lengthIs(0)) {
                out.push_back(Nak(kNakBadLength, "'S' with data"));
                return;
            }
            m_streaming = false;
            out.push_back(Reply(AckReply()));
            return;
        case kRequestRestart:
            if (!lengthIs(0)) {
                out.push_back(Nak(kNakBadLength, "'R' with data"));
                return;
            }
            out.push_back(Reply(AckReply()));
            m_streaming = false;
            m_control = false;
            m_role = kRoleStandalone;
            m_restartPending = true;
            m_restartEndMs = nowMs + kRestartSilenceMs;
            Log("restart: silent for 300 ms");
            return;
        default:
            break;
    }

    switch (frame.code) {
        case kRequestValues: {
            ValuesRequest request;
            if (!request.Decode(data)) {
                out.push_back(Nak(kNakBadLength, "'A' needs one byte"));
            } else if (busy) {
                out.push_back(Nak(kNakNotAllowedNow, "'A' while streaming"));
            } else if (request.mode != kModeCalibrated && request.mode != kModeRaw) {
                out.push_back(Nak(kNakOutOfRange, "unknown value mode"));
            } else {
                const int mode = m_mode;
                m_mode = request.mode;
                out.push_back(SampleFrame(nowMs));
                m_mode = mode;
            }
            return;
        }
        case kRequestStartMeasure: {
            StartMeasureRequest request;
            if (!request.Decode(data)) {
                out.push_back(Nak(kNakBadLength, "'C' needs two bytes"));
            } else if (busy) {
                out.push_back(Nak(kNakNotAllowedNow, "'C' while streaming"));
            } else if (request.rateIndex > kMaxRateIndex ||
                       (request.mode != kModeCalibrated && request.mode != kModeRaw)) {
                out.push_back(Nak(kNakOutOfRange, "rate index or mode"));
            } else {
                out.push_back(Reply(AckReply()));
                StartStreaming(request.rateIndex, request.mode, nowMs);
            }
            return;
        }
        case kRequestReadBlock: {
            ReadBlockRequest request;
            if (!request.Decode(data)) {
                out.push_back(Nak(kNakBadLength, "'D' needs one byte"));
            } else if (busy) {
                out.push_back(Nak(kNakNotAllowedNow, "'D' while streaming"));
            } else if (BlockIndexFromNumber(request.number) < 0) {
                out.push_back(Nak(kNakUnknownBlock, "no such block"));
            } else {
                BlockContentReply reply;
                reply.number = request.number;
                reply.image = m_blocks[BlockIndexFromNumber(request.number)];
                out.push_back(Reply(reply));
            }
            return;
        }
        case kRequestWriteBlock:
            out.push_back(busy ? Nak(kNakNotAllowedNow, "'W' while streaming") : WriteBlock(frame));
            return;
        case kRequestControl: {
            ControlRequest request;
            if (!request.Decode(data)) {
                out.push_back(Nak(kNakBadLength, "'K' needs one byte"));
            } else if (busy) {
                out.push_back(Nak(kNakNotAllowedNow, "'K' while streaming"));
            } else if (request.on != 0 && request.on != 1) {
                out.push_back(Nak(kNakOutOfRange, "control is 0 or 1"));
            } else {
                m_control = request.on == 1;
                out.push_back(Reply(AckReply()));
            }
            return;
        }
        case kRequestRole: {
            RoleRequest request;
            if (!request.Decode(data)) {
                out.push_back(Nak(kNakBadLength, "'M' needs one byte"));
            } else if (busy) {
                out.push_back(Nak(kNakNotAllowedNow, "'M' while streaming"));
            } else if (request.role > kRoleSlave) {
                out.push_back(Nak(kNakOutOfRange, "unknown role"));
            } else {
                m_role = request.role;
                out.push_back(Reply(AckReply()));
            }
            return;
        }
        default:
            out.push_back(Nak(kNakUnknownCode, "unknown code"));
            return;
    }
}

std::string SimSensor::WriteBlock(const Frame& frame) {
    WriteBlockRequest request;
    if (!request.Decode(frame.Data())) {
        return Nak(kNakBadLength, "'W' needs a block number and 64 bytes");
    }
    const int index = BlockIndexFromNumber(request.number);
    if (index < 0) {
        return Nak(kNakUnknownBlock, "no such block");
    }
    if (request.image.Number() != request.number) {
        return Nak(kNakOutOfRange, "image of another block");
    }
    if (IsFactoryBlock(index)) {
        return Nak(kNakNotAllowedNow, "factory block");
    }
    if (index == kBlockStatorOperation) {
        // The sensor would not come back from a restart with these.
        StatorOperationBlock operation;
        operation.Decode(request.image);
        BlockImage probe = request.image;
        if (!operation.Encode(probe)) {
            return Nak(kNakOutOfRange, "bus address, baud code or low-pass code");
        }
    }
    // Stored as it comes, wrong check bytes included: that is how a calibration is withdrawn.
    m_blocks[index] = request.image;
    Log(kq::Format("block %d written%s", request.number,
                   request.image.HasCorrectCheckBytes() ? "" : " with invalid check bytes"));
    if (onBlockWritten) {
        onBlockWritten(index);
    }
    return Reply(AckReply{request.number});
}

std::string SimSensor::Identification() const {
    IdentificationReply reply;
    StatorHeaderBlock header;
    header.Decode(m_blocks[kBlockStatorHeader]);
    RotorHeaderBlock rotor;
    rotor.Decode(m_blocks[kBlockRotorHeader]);
    reply.busAddress = m_address;
    reply.deviceKind = static_cast<uint8_t>(header.deviceKind);
    reply.statorId = static_cast<uint8_t>(header.statorId);
    reply.statorRevision = static_cast<uint8_t>(header.statorRevision);
    reply.serialNumber = static_cast<uint32_t>(rotor.serialNumber);
    reply.sensorIndex = static_cast<uint8_t>(rotor.sensorIndex);
    reply.baudCode = m_activeBaudCode;
    reply.streaming = m_streaming ? 1 : 0;
    reply.firmwareVersion = static_cast<uint16_t>(header.firmwareVersion);
    return Reply(reply);
}

uint8_t SimSensor::BlockValidMask() const {
    uint8_t mask = 0;
    for (int i = 0; i < kBlockCount; ++i) {
        if (m_blocks[i].IsValidFor(BlockNumberFromIndex(i))) {
            mask = static_cast<uint8_t>(mask | (1u << i));
        }
    }
    return mask;
}

std::string SimSensor::StatusLong() const {
    StatorHeaderBlock header;
    header.Decode(m_blocks[kBlockStatorHeader]);
    RotorHeaderBlock rotor;
    rotor.Decode(m_blocks[kBlockRotorHeader]);
    StatusLongReply reply;
    reply.usedCalib = m_calibState;
    reply.deviceKind = static_cast<uint8_t>(header.deviceKind);
    reply.statorId = static_cast<uint8_t>(header.statorId);
    reply.statorRevision = static_cast<uint8_t>(header.statorRevision);
    reply.digitalInputKind = static_cast<uint8_t>(header.digitalInputKind);
    reply.encoderMask = m_config.encoderMask;
    reply.encoderMode[0] = m_config.encoderMode[0];
    reply.encoderMode[1] = m_config.encoderMode[1];
    reply.control = m_control ? 1 : 0;
    reply.streaming = m_streaming ? 1 : 0;
    reply.role = static_cast<uint8_t>(m_role);
    reply.rateIndex = static_cast<uint8_t>(m_rateIndex);
    reply.lowPassCode = m_activeLowPass;
    reply.baudCode = m_activeBaudCode;
    reply.serialNumber = static_cast<uint32_t>(rotor.serialNumber);
    reply.sensorIndex = static_cast<uint8_t>(rotor.sensorIndex);
    reply.blockValidMask = BlockValidMask();
    // A missing user calibration is normal; any other invalid block is an error.
    const uint8_t required = static_cast<uint8_t>(0xFF & ~(1u << kBlockUserCalib));
    reply.errorFlags = static_cast<uint16_t>(
        (m_overload[0] ? kErrorOverloadA : 0) | (m_overload[1] ? kErrorOverloadB : 0) |
        ((reply.blockValidMask & required) != required ? kErrorBlock : 0) |
        (m_framesDropped ? kErrorFramesDropped : 0));
    reply.firmwareVersion = static_cast<uint16_t>(header.firmwareVersion);
    return Reply(reply);
}

void SimSensor::StartStreaming(int rateIndex, int mode, int64_t nowMs) {
    m_streaming = true;
    m_rateIndex = rateIndex;
    m_mode = mode;
    m_nextSampleMs = nowMs + RatePeriodMs(rateIndex);
}

void SimSensor::SkipSamplesUntil(int64_t nowMs) {
    const int period = RatePeriodMs(m_rateIndex);
    if (period > 0 && m_nextSampleMs <= nowMs) {
        m_nextSampleMs += ((nowMs - m_nextSampleMs) / period + 1) * period;
    }
}

std::string SimSensor::SampleFrame(int64_t timeMs, std::optional<uint8_t> counter) {
    RotorHeaderBlock rotor;
    rotor.Decode(m_blocks[kBlockRotorHeader]);
    ValueSetReply reply;
    const double seconds = static_cast<double>(timeMs - m_powerOnMs) / 1000.0;
    for (int ch = 0; ch < 2; ++ch) {
        const double range = VersionWordValue(static_cast<uint32_t>(rotor.channel[ch].rangeWord));
        const SimChannelConfig& channel = m_config.channel[ch];
        const double load = channel.signal.ValueAt(seconds, m_noiseState);
        const int32_t counts =
            ConverterCounts(load, range, channel.zeroOffsetCounts, m_control, m_overload[ch]);
        const CalibrationChannel* calibration =
            m_activeCalibration ? &m_activeCalibration->channel[ch] : nullptr;
        reply.value[ch] = m_mode == kModeRaw ? counts : CalibratedValue(counts, calibration, range);
    }
    if (counter) {
        m_counter = *counter;
    }
    reply.counter = m_counter++;
    reply.status = static_cast<uint8_t>(
        (m_mode == kModeRaw ? kValueStatusRaw : 0) | (m_overload[0] ? kValueStatusOverloadA : 0) |
        (m_overload[1] ? kValueStatusOverloadB : 0) | (m_control ? kValueStatusControl : 0));
    return Reply(reply);
}

}  // namespace sensorsim
