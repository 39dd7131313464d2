#include "protocol/BlockLayouts.h"

#include <cstring>

#include "protocol/BigEndian.h"
#include "protocol/CFloat32.h"

namespace tarvik {
namespace {

// Offsets inside the 64-byte images (docs/protocol.md lists them).
constexpr int kSoftwareChannelOffset[2] = {12, 37};
constexpr int kRotorChannelOffset[2] = {12, 16};
constexpr int kCalibChannelOffset[2] = {10, 34};

bool InRange(int64_t v, int64_t low, int64_t high) {
    return v >= low && v <= high;
}
bool IsByte(int64_t v) {
    return InRange(v, 0, 255);
}
bool IsFlag(int64_t v) {
    return v == 0 || v == 1;
}
bool IsU16(int64_t v) {
    return InRange(v, 0, 0xFFFF);
}
bool IsU32(int64_t v) {
    return InRange(v, 0, 0xFFFFFFFFLL);
}
bool FitsFloat(double v) {
    return CFloat32().SetValue(v);
}

void PutFloat(uint8_t* p, double v) {
    CFloat32 f;
    f.SetValue(v);
    f.ToBytes(p);
}
// A float that is no number (an erased block holds 0xFF bytes) reads as 0.0.
double GetFloat(const uint8_t* p) {
    const CFloat32 f = CFloat32::FromBytes(p);
    return f.IsFinite() ? f.GetValue() : 0.0;
}

// Texts are fixed-length and 0-padded; reading stops at the first 0 and shows every character
// that the block may not hold as '?', so that nothing unprintable reaches the screen.
std::string GetText(const uint8_t* p, int length, bool (*allowed)(char)) {
    std::string text;
    for (int i = 0; i < length && p[i] != 0; ++i) {
        const char c = static_cast<char>(p[i]);
        text.push_back(allowed(c) ? c : '?');
    }
    return text;
}
void PutText(uint8_t* p, int length, const std::string& text) {
    std::memset(p, 0, static_cast<size_t>(length));
    std::memcpy(p, text.data(), text.size());
}

bool IsSerialChar(char c) {
    return c != 0 && std::strchr(kSerialTextAlphabet, c) != nullptr;
}
bool IsNameChar(char c) {
    return c >= 0x20 && c <= 0x7E;
}

void PutHead(BlockImage& image, int index, int layout) {
    image.bytes[0] = static_cast<uint8_t>(BlockNumberFromIndex(index));
    image.bytes[1] = static_cast<uint8_t>(layout);
}

}  // namespace

bool IsSerialText(std::string_view text) {
    if (text.size() > static_cast<size_t>(kSerialTextLength)) {
        return false;
    }
    for (char c : text) {
        if (!IsSerialChar(c)) {
            return false;
        }
    }
    return true;
}

bool IsScalingName(std::string_view text) {
    if (text.size() > static_cast<size_t>(kScalingNameLength)) {
        return false;
    }
    for (char c : text) {
        if (!IsNameChar(c)) {
            return false;
        }
    }
    return true;
}

// ---- Stator header --------------------------------------------------------------------------

bool StatorHeaderBlock::Decode(const BlockImage& image) {
    if (image.Number() != BlockNumberFromIndex(kIndex)) {
        return false;
    }
    const uint8_t* p = image.bytes;
    statorId = p[2];
    statorRevision = p[3];
    deviceKind = p[4];
    digitalInputKind = p[5];
    statorSerialNumber = GetU32(p + 6);
    firmwareVersion = GetU16(p + 10);
    return true;
}

bool StatorHeaderBlock::Encode(BlockImage& image) const {
    if (!IsByte(statorId) || !IsByte(statorRevision) || !IsByte(deviceKind) ||
        !IsByte(digitalInputKind) || !IsU32(statorSerialNumber) || !IsU16(firmwareVersion)) {
        return false;
    }
    uint8_t* p = image.bytes;
    PutHead(image, kIndex, kBlockLayout);
    p[2] = static_cast<uint8_t>(statorId);
    p[3] = static_cast<uint8_t>(statorRevision);
    p[4] = static_cast<uint8_t>(deviceKind);
    p[5] = static_cast<uint8_t>(digitalInputKind);
    PutU32(p + 6, static_cast<uint32_t>(statorSerialNumber));
    PutU16(p + 10, static_cast<uint16_t>(firmwareVersion));
    image.SetCheckBytes();
    return true;
}

// ---- Stator hardware ------------------------------------------------------------------------

bool StatorHardwareBlock::Decode(const BlockImage& image) {
    if (image.Number() != BlockNumberFromIndex(kIndex)) {
        return false;
    }
    const uint8_t* p = image.bytes;
    kindByte = p[2];
    digitalInputByte = p[3];
    lightMode = p[4];
    for (int i = 0; i < 4; ++i) {
        lightValue[i] = p[5 + i];
    }
    channelCount = p[9];
    multiportModule = p[10];
    return true;
}

bool StatorHardwareBlock::Encode(BlockImage& image) const {
    bool ok = IsByte(kindByte) && IsByte(digitalInputByte) && InRange(lightMode, 0, 3) &&
              InRange(channelCount, 1, 2) && IsFlag(multiportModule);
    for (int v : lightValue) {
        ok = ok && IsByte(v);
    }
    if (!ok) {
        return false;
    }
    uint8_t* p = image.bytes;
    PutHead(image, kIndex, kBlockLayout);
    p[2] = static_cast<uint8_t>(kindByte);
    p[3] = static_cast<uint8_t>(digitalInputByte);
    p[4] = static_cast<uint8_t>(lightMode);
    for (int i = 0; i < 4; ++i) {
        p[5 + i] = static_cast<uint8_t>(lightValue[i]);
    }
    p[9] = static_cast<uint8_t>(channelCount);
    p[10] = static_cast<uint8_t>(multiportModule);
    image.SetCheckBytes();
    return true;
}

// ---- Stator operation -----------------------------------------------------------------------

bool StatorOperationBlock::Decode(const BlockImage& image) {
    if (image.Number() != BlockNumberFromIndex(kIndex)) {
        return false;
    }
    busAddress = image.bytes[2];
    baudCode = image.bytes[3];
    lowPassCode = image.bytes[4];
    return true;
}

bool StatorOperationBlock::Encode(BlockImage& image) const {
    if (!InRange(busAddress, kMinBusAddress, kMaxBusAddress) || !IsValidBaudCode(baudCode) ||
        !InRange(lowPassCode, 0, kMaxLowPassCode)) {
        return false;
    }
    PutHead(image, kIndex, kBlockLayout);
    image.bytes[2] = static_cast<uint8_t>(busAddress);
    image.bytes[3] = static_cast<uint8_t>(baudCode);
    image.bytes[4] = static_cast<uint8_t>(lowPassCode);
    image.SetCheckBytes();
    return true;
}

// ---- Software configuration -----------------------------------------------------------------

bool SoftwareConfigBlock::Decode(const BlockImage& image) {
    if (image.Number() != BlockNumberFromIndex(kIndex)) {
        return false;
    }
    const uint8_t* p = image.bytes;
    version = p[1];
    present = p[2];
    written = p[3];
    rateIndex = p[4];
    angleFlag = p[5];
    frameSetting = GetU32(p + 6);
    for (int ch = 0; ch < 2; ++ch) {
        const uint8_t* c = p + kSoftwareChannelOffset[ch];
        SoftwareChannelConfig& out = channel[ch];
        out.unitIndex = c[0];
        out.decimals = c[1];
        out.averagingCode = c[2];
        out.signInversion = c[3];
        out.viewState = c[4];
        out.quantityLetter = c[5];
        out.configByte = c[6];
        out.scalingPresent = c[7];
        out.scalingFactor = GetFloat(c + 8);
        out.configValue = GetFloat(c + 12);
        out.scalingName = GetText(c + 16, kScalingNameLength, IsNameChar);
    }
    return true;
}

bool SoftwareConfigBlock::Encode(BlockImage& image) const {
    bool ok = InRange(version, 1, 255) && IsFlag(present) && IsFlag(written) &&
              InRange(rateIndex, 0, kMaxRateIndex) && IsFlag(angleFlag) && IsU32(frameSetting);
    for (const SoftwareChannelConfig& c : channel) {
        ok = ok && IsByte(c.unitIndex) && IsByte(c.decimals) && IsByte(c.averagingCode) &&
             IsFlag(c.signInversion) && InRange(c.viewState, 0, 3) && IsByte(c.quantityLetter) &&
             IsByte(c.configByte) && IsFlag(c.scalingPresent) && FitsFloat(c.scalingFactor) &&
             FitsFloat(c.configValue) && IsScalingName(c.scalingName);
    }
    if (!ok) {
        return false;
    }
    uint8_t* p = image.bytes;
    PutHead(image, kIndex, version);
    p[2] = static_cast<uint8_t>(present);
    p[3] = static_cast<uint8_t>(written);
    p[4] = static_cast<uint8_t>(rateIndex);
    p[5] = static_cast<uint8_t>(angleFlag);
    PutU32(p + 6, static_cast<uint32_t>(frameSetting));
    for (int ch = 0; ch < 2; ++ch) {
        uint8_t* c = p + kSoftwareChannelOffset[ch];
        const SoftwareChannelConfig& in = channel[ch];
        c[0] = static_cast<uint8_t>(in.unitIndex);
        c[1] = static_cast<uint8_t>(in.decimals);
        c[2] = static_cast<uint8_t>(in.averagingCode);
        c[3] = static_cast<uint8_t>(in.signInversion);
        c[4] = static_cast<uint8_t>(in.viewState);
        c[5] = static_cast<uint8_t>(in.quantityLetter);
        c[6] = static_cast<uint8_t>(in.configByte);
        c[7] = static_cast<uint8_t>(in.scalingPresent);
        PutFloat(c + 8, in.scalingFactor);
        PutFloat(c + 12, in.configValue);
        PutText(c + 16, kScalingNameLength, in.scalingName);
    }
    image.SetCheckBytes();
    return true;
}

// ---- Rotor header ---------------------------------------------------------------------------

bool RotorHeaderBlock::Decode(const BlockImage& image) {
    if (image.Number() != BlockNumberFromIndex(kIndex)) {
        return false;
    }
    const uint8_t* p = image.bytes;
    typeNumber = GetU32(p + 2);
    serialNumber = GetU32(p + 6);
    sensorIndex = p[10];
    sensorTypeLetter = p[11];
    for (int ch = 0; ch < 2; ++ch) {
        const uint8_t* c = p + kRotorChannelOffset[ch];
        channel[ch].unitLetter = c[0];
        channel[ch].rangeWord = GetU16(c + 1);
        channel[ch].accuracyClass = c[3];
    }
    pulsesPerRevolution = GetU32(p + 20);
    return true;
}

bool RotorHeaderBlock::Encode(BlockImage& image) const {
    bool ok = IsU32(typeNumber) && IsU32(serialNumber) &&
              (InRange(sensorIndex, 0, kMaxSensorIndex) || sensorIndex == kNoSensorIndex) &&
              IsByte(sensorTypeLetter) && IsU32(pulsesPerRevolution);
    for (const RotorChannelInfo& c : channel) {
        ok = ok && IsByte(c.unitLetter) && IsU16(c.rangeWord) && IsByte(c.accuracyClass);
    }
    if (!ok) {
        return false;
    }
    uint8_t* p = image.bytes;
    PutHead(image, kIndex, kBlockLayout);
    PutU32(p + 2, static_cast<uint32_t>(typeNumber));
    PutU32(p + 6, static_cast<uint32_t>(serialNumber));
    p[10] = static_cast<uint8_t>(sensorIndex);
    p[11] = static_cast<uint8_t>(sensorTypeLetter);
    for (int ch = 0; ch < 2; ++ch) {
        uint8_t* c = p + kRotorChannelOffset[ch];
        c[0] = static_cast<uint8_t>(channel[ch].unitLetter);
        PutU16(c + 1, static_cast<uint16_t>(channel[ch].rangeWord));
        c[3] = static_cast<uint8_t>(channel[ch].accuracyClass);
    }
    PutU32(p + 20, static_cast<uint32_t>(pulsesPerRevolution));
    image.SetCheckBytes();
    return true;
}

// ---- Calibration ----------------------------------------------------------------------------

bool CalibrationBlock::Decode(const BlockImage& image) {
    const int index = BlockIndexFromNumber(image.Number());
    if (index != kBlockFactoryCalib && index != kBlockUserCalib) {
        return false;
    }
    const uint8_t* p = image.bytes;
    number = image.Number();
    day = p[2];
    month = p[3];
    year = GetU16(p + 4);
    hour = p[6];
    minute = p[7];
    second = p[8];
    for (int ch = 0; ch < 2; ++ch) {
        const uint8_t* c = p + kCalibChannelOffset[ch];
        channel[ch].offset = GetI32(c);
        channel[ch].gain = GetI32(c + 4);
        channel[ch].control = GetI32(c + 8);
        channel[ch].digits = GetU32(c + 12);
        channel[ch].uncertainty = GetFloat(c + 16);
    }
    return true;
}

bool CalibrationBlock::Encode(BlockImage& image) const {
    const int index = BlockIndexFromNumber(number);
    bool ok = (index == kBlockFactoryCalib || index == kBlockUserCalib) && InRange(day, 0, 31) &&
              InRange(month, 0, 12) && IsU16(year) && InRange(hour, 0, 23) &&
              InRange(minute, 0, 59) && InRange(second, 0, 59);
    for (const CalibrationChannel& c : channel) {
        // A zero gain would silence the channel and zero digits would divide by zero in the
        // sensor; both are refused like any value beyond the field.
        ok = ok && InRange(c.offset, kMinOffset, kMaxOffset) && InRange(c.gain, 1, kCountsMax) &&
             InRange(c.control, 0, kCountsMax) && InRange(c.digits, 1, 0xFFFFFFFFLL) &&
             FitsFloat(c.uncertainty) && c.uncertainty >= 0.0 &&
             c.uncertainty <= kMaxUncertaintyPercent;
    }
    if (!ok) {
        return false;
    }
    uint8_t* p = image.bytes;
    PutHead(image, index, kBlockLayout);
    p[2] = static_cast<uint8_t>(day);
    p[3] = static_cast<uint8_t>(month);
    PutU16(p + 4, static_cast<uint16_t>(year));
    p[6] = static_cast<uint8_t>(hour);
    p[7] = static_cast<uint8_t>(minute);
    p[8] = static_cast<uint8_t>(second);
    for (int ch = 0; ch < 2; ++ch) {
        uint8_t* c = p + kCalibChannelOffset[ch];
        PutI32(c, static_cast<int32_t>(channel[ch].offset));
        PutI32(c + 4, static_cast<int32_t>(channel[ch].gain));
        PutI32(c + 8, static_cast<int32_t>(channel[ch].control));
        PutU32(c + 12, static_cast<uint32_t>(channel[ch].digits));
        PutFloat(c + 16, channel[ch].uncertainty);
    }
    image.SetCheckBytes();
    return true;
}

bool CalibrationBlock::SameCharacteristic(const CalibrationBlock& other) const {
    for (int ch = 0; ch < 2; ++ch) {
        const CalibrationChannel& a = channel[ch];
        const CalibrationChannel& b = other.channel[ch];
        if (a.offset != b.offset || a.gain != b.gain || a.control != b.control ||
            a.digits != b.digits) {
            return false;
        }
    }
    return true;
}

// ---- Rotor operation ------------------------------------------------------------------------

bool RotorOperationBlock::Decode(const BlockImage& image) {
    if (image.Number() != BlockNumberFromIndex(kIndex)) {
        return false;
    }
    serialText[0] = GetText(image.bytes + 2, kSerialTextLength, IsSerialChar);
    serialText[1] = GetText(image.bytes + 8, kSerialTextLength, IsSerialChar);
    return true;
}

bool RotorOperationBlock::Encode(BlockImage& image) const {
    if (!IsSerialText(serialText[0]) || !IsSerialText(serialText[1])) {
        return false;
    }
    PutHead(image, kIndex, kBlockLayout);
    PutText(image.bytes + 2, kSerialTextLength, serialText[0]);
    PutText(image.bytes + 8, kSerialTextLength, serialText[1]);
    image.SetCheckBytes();
    return true;
}

}  // namespace tarvik
