// The fields of the eight memory blocks. Each layout decodes its fields from a block image and
// encodes them into one: Encode checks every field against the range the protocol gives it and
// refuses the whole block (image untouched) when one is outside, so that nothing is ever wrapped
// into a sensor. Encode writes only the block's own bytes (number, layout byte, fields) and
// fresh check bytes; every other byte of the image is kept, so a block read from a sensor can be
// changed and written back without losing what this program does not know.
//
// Fields are held in wide types so that a value out of range can be seen and refused.
#pragma once

#include <cstdint>
#include <string>

#include "protocol/BlockImage.h"

namespace tarvik {

struct StatorHeaderBlock {
    static constexpr int kIndex = kBlockStatorHeader;
    int statorId = 0;
    int statorRevision = 0;
    int deviceKind = 0;
    int digitalInputKind = 0;
    int64_t statorSerialNumber = 0;
    int firmwareVersion = 0;  // version-text word
    bool Decode(const BlockImage& image);
    bool Encode(BlockImage& image) const;
};

struct StatorHardwareBlock {
    static constexpr int kIndex = kBlockStatorHardware;
    int kindByte = 0;  // normally the stator ID; 5 converter, 9 light from first value
    int digitalInputByte = 0;
    int lightMode = 0;  // 0 none, 1..3
    int lightValue[4] = {};
    int channelCount = 2;     // 1 or 2
    int multiportModule = 0;  // 1: one port of a multi-port device
    bool Decode(const BlockImage& image);
    bool Encode(BlockImage& image) const;
};

struct StatorOperationBlock {
    static constexpr int kIndex = kBlockStatorOperation;
    int busAddress = kDefaultBusAddress;
    int baudCode = kBaudCode115200;
    int lowPassCode = 0;
    bool Decode(const BlockImage& image);
    bool Encode(BlockImage& image) const;
};

struct SoftwareChannelConfig {
    int unitIndex = 0;
    int decimals = 0;
    int averagingCode = 0;
    int signInversion = 0;  // 0 or 1
    int viewState = 0;      // 0..3
    int quantityLetter = 0;
    int configByte = 0;
    int scalingPresent = 0;  // 0 or 1
    double scalingFactor = 0.0;
    double configValue = 0.0;
    std::string scalingName;  // at most 8 printable ASCII characters
};

struct SoftwareConfigBlock {
    static constexpr int kIndex = kBlockSoftwareConfig;
    int version = kSoftwareConfigVersion;  // kept in the layout byte
    int present = 0;
    int written = 0;
    int rateIndex = kRateIndexWithoutConfig;
    int angleFlag = 0;
    int64_t frameSetting = 1;
    SoftwareChannelConfig channel[2];
    bool Decode(const BlockImage& image);
    bool Encode(BlockImage& image) const;
};

struct RotorChannelInfo {
    int unitLetter = 0;
    int rangeWord = 0;      // version-text word of the upper range value
    int accuracyClass = 0;  // accuracy class code
};

struct RotorHeaderBlock {
    static constexpr int kIndex = kBlockRotorHeader;
    int64_t typeNumber = 0;
    int64_t serialNumber = 0;
    int sensorIndex = kNoSensorIndex;
    int sensorTypeLetter = 0;
    RotorChannelInfo channel[2];
    int64_t pulsesPerRevolution = 0;
    bool Decode(const BlockImage& image);
    bool Encode(BlockImage& image) const;
};

struct CalibrationChannel {
    int64_t offset = 0;  // counts added to the converter reading before the gain
    int64_t gain = kCountsOne;
    int64_t control = kCountsOne;
    int64_t digits = kDigitsNotSet;
    double uncertainty = 0.0;  // percent; 0.0 = none stored
};

// The factory (129) and the user (130) calibration share this layout.
struct CalibrationBlock {
    int number = 130;
    int day = 0;
    int month = 0;
    int year = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    CalibrationChannel channel[2];
    bool Decode(const BlockImage& image);
    bool Encode(BlockImage& image) const;
    // The fields that make the characteristic: offset, gain, control factor and digits.
    bool SameCharacteristic(const CalibrationBlock& other) const;
};

struct RotorOperationBlock {
    static constexpr int kIndex = kBlockRotorOperation;
    std::string serialText[2];  // at most 6 characters of the sensor text alphabet
    bool Decode(const BlockImage& image);
    bool Encode(BlockImage& image) const;
};

// Text rules of the blocks, shared with the record.
bool IsSerialText(std::string_view text);
bool IsScalingName(std::string_view text);

}  // namespace tarvik
