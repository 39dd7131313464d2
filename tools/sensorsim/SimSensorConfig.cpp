#include "tools/sensorsim/SimSensorConfig.h"

#include <algorithm>
#include <cmath>

#include "protocol/BlockLayouts.h"
#include "protocol/VersionWord.h"

using namespace tarvik;

namespace sensorsim {
namespace {

// Digits the characteristic maps the full range to: 10000 per unit of range, limited to what
// the 32-bit field holds.
int64_t FullRangeDigits(uint16_t rangeWord) {
    const double range = VersionWordValue(rangeWord);
    const double digits = std::round(10000.0 * range);
    return static_cast<int64_t>(std::clamp(digits, 1.0, 4294967295.0));
}

CalibrationBlock FactoryCalibration(const SimSensorConfig& config) {
    CalibrationBlock c;
    c.number = BlockNumberFromIndex(kBlockFactoryCalib);
    c.day = 12;
    c.month = 3;
    c.year = 2021;
    c.hour = 10;
    for (int ch = 0; ch < 2; ++ch) {
        c.channel[ch].offset = -config.channel[ch].zeroOffsetCounts;
        // Full load moves the converter by 20000 counts; the gain maps that to 10000 digits and
        // the control factor maps the control signal's 16000 counts likewise.
        c.channel[ch].gain = kCountsOne * 10000 / kCountsFullRange;
        c.channel[ch].control = kCountsOne * 10000 / kCountsControlSignal;
        c.channel[ch].digits = FullRangeDigits(config.channel[ch].rangeWord);
        c.channel[ch].uncertainty = config.factoryUncertainty;
    }
    return c;
}

}  // namespace

bool BuildInitialBlocks(const SimSensorConfig& config, BlockImage (&blocks)[kBlockCount]) {
    for (BlockImage& b : blocks) {
        b = BlockImage();
    }
    StatorHeaderBlock header;
    header.statorId = config.statorId;
    header.statorRevision = config.statorRevision;
    header.deviceKind = config.deviceKind;
    header.digitalInputKind = config.digitalInputKind;
    header.statorSerialNumber = config.statorSerialNumber;
    header.firmwareVersion = config.firmwareVersion;
    bool ok = true;
    ok = header.Encode(blocks[kBlockStatorHeader]) && ok;

    StatorHardwareBlock hardware;
    hardware.kindByte = config.statorId;
    hardware.channelCount = std::clamp(config.channelCount, 1, 2);
    hardware.multiportModule = config.multiportModule;
    ok = hardware.Encode(blocks[kBlockStatorHardware]) && ok;

    StatorOperationBlock operation;
    operation.busAddress = config.busAddress;
    operation.baudCode = config.baudCode;
    operation.lowPassCode = config.lowPassCode;
    ok = operation.Encode(blocks[kBlockStatorOperation]) && ok;

    // A sensor fresh from the factory has no software configuration yet.
    SoftwareConfigBlock software;
    ok = software.Encode(blocks[kBlockSoftwareConfig]) && ok;

    RotorHeaderBlock rotor;
    rotor.typeNumber = config.typeNumber;
    rotor.serialNumber = config.serialNumber;
    rotor.sensorIndex = config.sensorIndex;
    rotor.sensorTypeLetter = static_cast<uint8_t>(config.sensorTypeLetter);
    for (int ch = 0; ch < 2; ++ch) {
        rotor.channel[ch].unitLetter = static_cast<uint8_t>(config.channel[ch].unitLetter);
        rotor.channel[ch].rangeWord = config.channel[ch].rangeWord;
        rotor.channel[ch].accuracyClass = config.channel[ch].accuracyClass;
    }
    rotor.pulsesPerRevolution = config.pulsesPerRevolution;
    ok = rotor.Encode(blocks[kBlockRotorHeader]) && ok;

    const CalibrationBlock factory = FactoryCalibration(config);
    ok = factory.Encode(blocks[kBlockFactoryCalib]) && ok;
    CalibrationBlock user = factory;
    user.number = BlockNumberFromIndex(kBlockUserCalib);
    user.year = 2023;
    for (CalibrationChannel& c : user.channel) {
        c.gain += 16;  // a user calibration a little off the factory one
        c.uncertainty = 0.2;
    }
    ok = user.Encode(blocks[kBlockUserCalib]) && ok;
    if (config.calibration != SimCalibration::User) {
        blocks[kBlockUserCalib].InvalidateCheckBytes();
    }
    if (config.calibration == SimCalibration::None) {
        blocks[kBlockFactoryCalib].InvalidateCheckBytes();
    }

    RotorOperationBlock op;
    op.serialText[0] = config.serialText[0];
    op.serialText[1] = config.serialText[1];
    ok = op.Encode(blocks[kBlockRotorOperation]) && ok;
    return ok;
}

}  // namespace sensorsim
