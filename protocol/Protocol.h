// Constants of the sensor protocol, shared by the application's codec and the sensor simulator so
// that neither can drift from the other. docs/protocol.md describes what they mean.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tarvik {

// ---- Line -----------------------------------------------------------------------------------
inline constexpr int kBaud115200 = 115200;
inline constexpr int kBaud230400 = 230400;
inline constexpr uint8_t kBaudCode115200 = 9;
inline constexpr uint8_t kBaudCode230400 = 16;

// Every code but 16 means the slower rate; sensors only ever hold one of the two codes.
constexpr int BaudrateFromCode(int code) {
    return code == kBaudCode230400 ? kBaud230400 : kBaud115200;
}
constexpr bool IsValidBaudCode(int code) {
    return code == kBaudCode115200 || code == kBaudCode230400;
}

// ---- Frame ----------------------------------------------------------------------------------
// STX, ADR1, ADR2, LEN, CODE, DATA (LEN-1 bytes), CK1, CK2.
inline constexpr uint8_t kStx = 0x02;
inline constexpr int kHeaderSize = 4;     // STX ADR1 ADR2 LEN
inline constexpr int kFrameOverhead = 6;  // total frame size = LEN + 6
inline constexpr int kMinLength = 1;      // LEN counts CODE + DATA
inline constexpr int kMaxLength = 250;
inline constexpr int kMaxData = kMaxLength - 1;
inline constexpr int kMaxFrameSize = kMaxLength + kFrameOverhead;

// First address byte of a request: the destination bus address; 0xFF reaches any sensor.
// Second address byte: the sensor index on a multi-port device; 0xFF reaches any index.
inline constexpr uint8_t kAnyAddress = 0xFF;
inline constexpr uint8_t kAnyIndex = 0xFF;
inline constexpr uint8_t kNoSensorIndex = 0xFF;  // a sensor that is not part of a multi-port device
inline constexpr uint8_t kDefaultBusAddress = 1;
inline constexpr uint8_t kMinBusAddress = 1;
inline constexpr uint8_t kMaxBusAddress = 254;
inline constexpr int kMaxSensorIndex = 3;

// ---- Request codes (PC to sensor) -----------------------------------------------------------
inline constexpr uint8_t kRequestIdentification = '@';
inline constexpr uint8_t kRequestValues = 'A';
inline constexpr uint8_t kRequestStatusLong = 'B';
inline constexpr uint8_t kRequestStartMeasure = 'C';
inline constexpr uint8_t kRequestReadBlock = 'D';
inline constexpr uint8_t kRequestControl = 'K';
inline constexpr uint8_t kRequestRole = 'M';
inline constexpr uint8_t kRequestRestart = 'R';
inline constexpr uint8_t kRequestStopMeasure = 'S';
inline constexpr uint8_t kRequestWriteBlock = 'W';
inline constexpr uint8_t kRequestLinkTest = 0x06;  // answered with an acknowledge
inline constexpr uint8_t kRequestRepeat = 0x15;    // "repeat your last reply"

// ---- Reply codes (sensor to PC) -------------------------------------------------------------
inline constexpr uint8_t kReplyAck = 6;
inline constexpr uint8_t kReplyNak = 21;
inline constexpr uint8_t kReplyIdentification = 64;
inline constexpr uint8_t kReplyValues = 65;
inline constexpr uint8_t kReplyStatusLong = 66;
inline constexpr uint8_t kReplyBlockContent = 68;

// Reason byte of a NAK reply.
inline constexpr uint8_t kNakCheckError = 1;
inline constexpr uint8_t kNakUnknownCode = 2;
inline constexpr uint8_t kNakBadLength = 3;
inline constexpr uint8_t kNakUnknownBlock = 4;
inline constexpr uint8_t kNakNotAllowedNow = 5;
inline constexpr uint8_t kNakOutOfRange = 6;

// Payload sizes (DATA bytes, without the code).
inline constexpr int kIdentificationSize = 13;
inline constexpr int kStatusLongSize = 24;
inline constexpr int kValueSetSize = 10;
inline constexpr int kBlockSize = 64;
inline constexpr int kBlockContentSize = 1 + kBlockSize;

// ---- Measuring ------------------------------------------------------------------------------
inline constexpr uint8_t kModeCalibrated = 0;
inline constexpr uint8_t kModeRaw = 1;

// Status byte of a value set.
inline constexpr uint8_t kValueStatusRaw = 0x01;
inline constexpr uint8_t kValueStatusOverloadA = 0x02;
inline constexpr uint8_t kValueStatusOverloadB = 0x04;
inline constexpr uint8_t kValueStatusControl = 0x08;

// Measuring-rate index to period. Indexes below kFirstPolledRate stream in continuous mode.
inline constexpr std::array<int, 16> kRatePeriodMs = {
    1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 30000, 60000, 120000};
inline constexpr int kMaxRateIndex = 15;
inline constexpr int kFirstPolledRate = 13;
inline constexpr int kDefaultRateIndex = 11;
inline constexpr int kRateIndexWithoutConfig = 6;

constexpr int RatePeriodMs(int index) {
    return index >= 0 && index <= kMaxRateIndex ? kRatePeriodMs[static_cast<size_t>(index)] : 0;
}
constexpr bool IsFastRate(int index) {
    return index >= 0 && index < kFirstPolledRate;
}
// Value sets between two updates of the number texts: about ten updates a second.
constexpr int DisplayReloadCount(int index) {
    const int period = RatePeriodMs(index);
    if (period <= 0 || period >= 100) {
        return 1;
    }
    return (100 + period / 2) / period;
}

// After an error (NAK, time-out, check error, counter gap) the next request waits this long.
inline constexpr int kErrorRetryDelayMs = 800;
// A sensor is silent this long after it acknowledged a restart.
inline constexpr int kRestartSilenceMs = 300;
// Answer wait outside the scan, and on a network-redirected port.
inline constexpr int kReplyTimeoutMs = 300;
inline constexpr int kReplyTimeoutNetworkMs = 1000;
inline constexpr int kRequestRetries = 2;

// Roles of a sensor on a multi-port device.
inline constexpr uint8_t kRoleStandalone = 0;
inline constexpr uint8_t kRoleMaster = 1;
inline constexpr uint8_t kRoleSlave = 2;

// Calibration state byte (`ucUsedCalib`).
inline constexpr uint8_t kCalibUndefined = 0;
inline constexpr uint8_t kCalibNone = 1;
inline constexpr uint8_t kCalibFactory = 2;
inline constexpr uint8_t kCalibUser = 3;

// Device kind byte.
inline constexpr uint8_t kDeviceBox = 0;     // HBT-Box, NX-RS485, NX-USB
inline constexpr uint8_t kDevicePkrUsb = 1;  // PKR-USB

// Stator identifiers that the application tells apart.
inline constexpr uint8_t kStatorHbtBox = 4;
inline constexpr uint8_t kStatorNxOrPkr = 5;
inline constexpr uint8_t kStatorNxZid3 = 6;
inline constexpr uint8_t kStatorPkrUsb1K = 7;
inline constexpr uint8_t kStatorQuadratureEncoder = 9;

// Long status: error flags.
inline constexpr uint16_t kErrorOverloadA = 0x0001;
inline constexpr uint16_t kErrorOverloadB = 0x0002;
inline constexpr uint16_t kErrorBlock = 0x0004;
inline constexpr uint16_t kErrorFramesDropped = 0x0008;

// ---- Memory blocks --------------------------------------------------------------------------
inline constexpr int kBlockCount = 8;
inline constexpr int kBlockPayloadSize = kBlockSize - 2;  // the last two bytes are check bytes
inline constexpr uint8_t kBlockInvalidationDelta = 0x33;

inline constexpr int kBlockStatorHeader = 0;
inline constexpr int kBlockStatorHardware = 1;
inline constexpr int kBlockStatorOperation = 2;
inline constexpr int kBlockSoftwareConfig = 3;
inline constexpr int kBlockRotorHeader = 4;
inline constexpr int kBlockFactoryCalib = 5;
inline constexpr int kBlockUserCalib = 6;
inline constexpr int kBlockRotorOperation = 7;

// Block numbers on the wire, by block index. Bit 7 marks the rotor's blocks.
inline constexpr std::array<uint8_t, kBlockCount> kBlockNumbers = {0, 1, 2, 3, 128, 129, 130, 131};

constexpr int BlockIndexFromNumber(int number) {
    for (int i = 0; i < kBlockCount; ++i) {
        if (kBlockNumbers[static_cast<size_t>(i)] == number) {
            return i;
        }
    }
    return -1;
}
constexpr int BlockNumberFromIndex(int index) {
    return index >= 0 && index < kBlockCount ? kBlockNumbers[static_cast<size_t>(index)] : -1;
}

// Layout byte (byte 1 of every block); the software configuration keeps its version there.
inline constexpr uint8_t kBlockLayout = 1;
inline constexpr uint8_t kSoftwareConfigVersion = 4;

// Calibration fields.
inline constexpr uint32_t kDigitsNotSet = 65535;
inline constexpr int32_t kCountsOne = 32768;  // gain and control factor 1.0
inline constexpr int32_t kCountsMax = 65536;  // 2.0
inline constexpr int32_t kElectricalZero = 32768;
inline constexpr int32_t kMaxOffset = 32768;
inline constexpr int32_t kMinOffset = -32768;
inline constexpr double kMaxUncertaintyPercent = 100.0;

// Texts kept in blocks: fixed length, 0-padded.
inline constexpr int kSerialTextLength = 6;
inline constexpr int kScalingNameLength = 8;
inline constexpr char kSerialTextAlphabet[] =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ?";

// Low-pass filter codes: cut-off frequency in Hz, 0 = off.
inline constexpr std::array<int, 10> kLowPassHz = {0, 1000, 500, 200, 100, 50, 20, 10, 5, 1};
inline constexpr int kMaxLowPassCode = 9;

// Converter model: counts per full range and of the built-in control signal.
inline constexpr int32_t kCountsFullRange = 20000;
inline constexpr int32_t kCountsControlSignal = 16000;

}  // namespace tarvik
