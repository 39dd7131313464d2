#include "sensor/SensorRecord.h"

#include <cstring>

#include "protocol/BlockLayouts.h"
#include "protocol/VersionWord.h"

using namespace tarvik;

namespace {

template <size_t N>
void CopyText(char (&to)[N], const std::string& from) {
    std::memset(to, 0, N);
    std::memcpy(to, from.data(), std::min(from.size(), N - 1));
}

template <size_t N>
std::string TextOf(const char (&from)[N]) {
    return std::string(from, strnlen(from, N));
}

void SetBit(BYTE& mask, int index, bool on) {
    const BYTE bit = static_cast<BYTE>(1u << index);
    mask = static_cast<BYTE>(on ? (mask | bit) : (mask & ~bit));
}

// ---- From the typed layouts into the record -------------------------------------------------

void Take(SensorRecord& r, const StatorHeaderBlock& b) {
    r.ucStatorId = static_cast<BYTE>(b.statorId);
    r.ucStatorRevision = static_cast<BYTE>(b.statorRevision);
    r.ucDeviceKind = static_cast<BYTE>(b.deviceKind);
    r.ucDigitalInputKind = static_cast<BYTE>(b.digitalInputKind);
    r.dwStatorSerialNumber = static_cast<DWORD>(b.statorSerialNumber);
    r.wFirmwareVersion = static_cast<WORD>(b.firmwareVersion);
}

void Take(SensorRecord& r, const StatorHardwareBlock& b) {
    r.ucKindByte = static_cast<BYTE>(b.kindByte);
    r.ucDigitalInputByte = static_cast<BYTE>(b.digitalInputByte);
    r.ucLightMode = static_cast<BYTE>(b.lightMode);
    for (int i = 0; i < 4; ++i) {
        r.ucLightValue[i] = static_cast<BYTE>(b.lightValue[i]);
    }
    r.ucChannelCount = static_cast<BYTE>(b.channelCount);
    r.ucMultiportModule = static_cast<BYTE>(b.multiportModule);
}

void Take(SensorRecord& r, const StatorOperationBlock& b) {
    r.ucBusAddress = static_cast<BYTE>(b.busAddress);
    r.ucBaudCode = static_cast<BYTE>(b.baudCode);
    r.ucLowPassCode = static_cast<BYTE>(b.lowPassCode);
}

void Take(SensorRecord& r, const SoftwareConfigBlock& b) {
    r.ucConfigVersion = static_cast<BYTE>(b.version);
    r.ucConfigPresent = static_cast<BYTE>(b.present);
    r.ucConfigWritten = static_cast<BYTE>(b.written);
    r.ucRateIndex = static_cast<BYTE>(b.rateIndex);
    r.ucAngleFlag = static_cast<BYTE>(b.angleFlag);
    r.dwFrameSetting = static_cast<DWORD>(b.frameSetting);
    for (int ch = 0; ch < 2; ++ch) {
        const SoftwareChannelConfig& c = b.channel[ch];
        r.ucUnitIndex[ch] = static_cast<BYTE>(c.unitIndex);
        r.ucDecimals[ch] = static_cast<BYTE>(c.decimals);
        r.ucAveraging[ch] = static_cast<BYTE>(c.averagingCode);
        r.ucSignInversion[ch] = static_cast<BYTE>(c.signInversion);
        r.ucViewState[ch] = static_cast<BYTE>(c.viewState);
        r.ucQuantityLetter[ch] = static_cast<BYTE>(c.quantityLetter);
        r.ucConfigByte[ch] = static_cast<BYTE>(c.configByte);
        r.ucScalingPresent[ch] = static_cast<BYTE>(c.scalingPresent);
        r.dScalingFactor[ch] = c.scalingFactor;
        r.dConfigValue[ch] = c.configValue;
        CopyText(r.szScalingName[ch], c.scalingName);
    }
}

void Take(SensorRecord& r, const RotorHeaderBlock& b) {
    r.dwTypeNumber = static_cast<DWORD>(b.typeNumber);
    r.dwSerialNumber = static_cast<DWORD>(b.serialNumber);
    r.ucSensorIndex = static_cast<BYTE>(b.sensorIndex);
    r.ucSensorTypeLetter = static_cast<BYTE>(b.sensorTypeLetter);
    for (int ch = 0; ch < 2; ++ch) {
        r.ucUnitLetter[ch] = static_cast<BYTE>(b.channel[ch].unitLetter);
        r.wRange[ch] = static_cast<WORD>(b.channel[ch].rangeWord);
        r.ucAccuracyClass[ch] = static_cast<BYTE>(b.channel[ch].accuracyClass);
        r.dRange[ch] = VersionWordValue(r.wRange[ch]);
    }
    r.dwPulsesPerRevolution = static_cast<DWORD>(b.pulsesPerRevolution);
}

void Take(SensorRecord& r, const CalibrationBlock& b) {
    const bool factory = b.number == BlockNumberFromIndex(kBlockFactoryCalib);
    SensorDate& date = factory ? r.factoryDate : r.userDate;
    date = {b.day, b.month, b.year};
    for (int ch = 0; ch < 2; ++ch) {
        (factory ? r.dwFactoryDigits : r.dwUserDigits)[ch] =
            static_cast<DWORD>(b.channel[ch].digits);
    }
}

void Take(SensorRecord& r, const RotorOperationBlock& b) {
    CopyText(r.szSerialText[0], b.serialText[0]);
    CopyText(r.szSerialText[1], b.serialText[1]);
}

// ---- From the record into the typed layouts -------------------------------------------------

void Give(const SensorRecord& r, StatorHeaderBlock& b) {
    b.statorId = r.ucStatorId;
    b.statorRevision = r.ucStatorRevision;
    b.deviceKind = r.ucDeviceKind;
    b.digitalInputKind = r.ucDigitalInputKind;
    b.statorSerialNumber = r.dwStatorSerialNumber;
    b.firmwareVersion = r.wFirmwareVersion;
}

void Give(const SensorRecord& r, StatorHardwareBlock& b) {
    b.kindByte = r.ucKindByte;
    b.digitalInputByte = r.ucDigitalInputByte;
    b.lightMode = r.ucLightMode;
    for (int i = 0; i < 4; ++i) {
        b.lightValue[i] = r.ucLightValue[i];
    }
    b.channelCount = r.ucChannelCount;
    b.multiportModule = r.ucMultiportModule;
}

void Give(const SensorRecord& r, StatorOperationBlock& b) {
    b.busAddress = r.ucBusAddress;
    b.baudCode = r.ucBaudCode;
    b.lowPassCode = r.ucLowPassCode;
}

void Give(const SensorRecord& r, SoftwareConfigBlock& b) {
    b.version = r.ucConfigVersion;
    b.present = r.ucConfigPresent;
    b.written = r.ucConfigWritten;
    b.rateIndex = r.ucRateIndex;
    b.angleFlag = r.ucAngleFlag;
    b.frameSetting = r.dwFrameSetting;
    for (int ch = 0; ch < 2; ++ch) {
        SoftwareChannelConfig& c = b.channel[ch];
        c.unitIndex = r.ucUnitIndex[ch];
        c.decimals = r.ucDecimals[ch];
        c.averagingCode = r.ucAveraging[ch];
        c.signInversion = r.ucSignInversion[ch];
        c.viewState = r.ucViewState[ch];
        c.quantityLetter = r.ucQuantityLetter[ch];
        c.configByte = r.ucConfigByte[ch];
        c.scalingPresent = r.ucScalingPresent[ch];
        c.scalingFactor = r.dScalingFactor[ch];
        c.configValue = r.dConfigValue[ch];
        c.scalingName = TextOf(r.szScalingName[ch]);
    }
}

void Give(const SensorRecord& r, RotorHeaderBlock& b) {
    b.typeNumber = r.dwTypeNumber;
    b.serialNumber = r.dwSerialNumber;
    b.sensorIndex = r.ucSensorIndex;
    b.sensorTypeLetter = r.ucSensorTypeLetter;
    for (int ch = 0; ch < 2; ++ch) {
        b.channel[ch].unitLetter = r.ucUnitLetter[ch];
        b.channel[ch].rangeWord = r.wRange[ch];
        b.channel[ch].accuracyClass = r.ucAccuracyClass[ch];
    }
    b.pulsesPerRevolution = r.dwPulsesPerRevolution;
}

void Give(const SensorRecord& r, CalibrationBlock& b) {
    const bool factory = b.number == BlockNumberFromIndex(kBlockFactoryCalib);
    const SensorDate& date = factory ? r.factoryDate : r.userDate;
    b.day = date.iDay;
    b.month = date.iMonth;
    b.year = date.iYear;
    for (int ch = 0; ch < 2; ++ch) {
        b.channel[ch].digits = (factory ? r.dwFactoryDigits : r.dwUserDigits)[ch];
    }
}

void Give(const SensorRecord& r, RotorOperationBlock& b) {
    b.serialText[0] = TextOf(r.szSerialText[0]);
    b.serialText[1] = TextOf(r.szSerialText[1]);
}

// One block's round: decode the image into the layout, let the record fill its fields, encode.
template <typename Layout>
bool Store(SensorRecord& r, int index, Layout layout) {
    BlockImage image = r.aBlock[index];
    if (!layout.Decode(image)) {
        // An image that does not carry this block starts from the layout's defaults.
        image = BlockImage();
    }
    Give(r, layout);
    if (!layout.Encode(image)) {
        return false;
    }
    r.aBlock[index] = image;
    return true;
}

template <typename Layout>
void TakeOver(SensorRecord& r, const BlockImage& image, Layout layout) {
    layout.Decode(image);
    Take(r, layout);
}

}  // namespace

void SensorRecord_Reset(SensorRecord& record) {
    record = SensorRecord{};
    for (int ch = 0; ch < 2; ++ch) {
        record.dwUserDigits[ch] = kDigitsNotSet;
        record.dwFactoryDigits[ch] = kDigitsNotSet;
    }
    record.ucSensorIndex = kNoSensorIndex;
}

bool SensorRecord_TakeOverBlock(SensorRecord& record, int index, const BlockImage& image) {
    if (index < 0 || index >= kBlockCount || image.Number() != BlockNumberFromIndex(index)) {
        return false;
    }
    record.aBlock[index] = image;
    SetBit(record.ucBlockReadMask, index, true);
    SetBit(record.ucBlockValidMask, index, image.IsValidFor(BlockNumberFromIndex(index)));
    switch (index) {
        case kBlockStatorHeader:
            TakeOver(record, image, StatorHeaderBlock());
            break;
        case kBlockStatorHardware:
            TakeOver(record, image, StatorHardwareBlock());
            break;
        case kBlockStatorOperation:
            TakeOver(record, image, StatorOperationBlock());
            break;
        case kBlockSoftwareConfig:
            TakeOver(record, image, SoftwareConfigBlock());
            break;
        case kBlockRotorHeader:
            TakeOver(record, image, RotorHeaderBlock());
            break;
        case kBlockFactoryCalib:
        case kBlockUserCalib:
            TakeOver(record, image, CalibrationBlock());
            break;
        case kBlockRotorOperation:
            TakeOver(record, image, RotorOperationBlock());
            break;
    }
    return true;
}

namespace {

bool StoreFields(SensorRecord& record, int index) {
    switch (index) {
        case kBlockStatorHeader:
            return Store(record, index, StatorHeaderBlock());
        case kBlockStatorHardware:
            return Store(record, index, StatorHardwareBlock());
        case kBlockStatorOperation:
            return Store(record, index, StatorOperationBlock());
        case kBlockSoftwareConfig:
            return Store(record, index, SoftwareConfigBlock());
        case kBlockRotorHeader:
            return Store(record, index, RotorHeaderBlock());
        case kBlockFactoryCalib:
        case kBlockUserCalib: {
            // A calibration image that was never read has no gain to keep: the encoder refuses
            // its zero gain rather than inventing one.
            CalibrationBlock layout;
            layout.number = BlockNumberFromIndex(index);
            BlockImage image = record.aBlock[index];
            if (!layout.Decode(image)) {
                return false;
            }
            Give(record, layout);
            if (!layout.Encode(image)) {
                return false;
            }
            record.aBlock[index] = image;
            return true;
        }
        case kBlockRotorOperation:
            return Store(record, index, RotorOperationBlock());
        default:
            return false;
    }
}

}  // namespace

bool SensorRecord_StoreFieldsInBlock(SensorRecord& record, int index, bool keepInvalidation) {
    if (index < 0 || index >= kBlockCount) {
        return false;
    }
    const bool invalidated = record.aBlock[index].IsInvalidated();
    if (!StoreFields(record, index)) {
        return false;
    }
    if (invalidated && keepInvalidation) {
        record.aBlock[index].InvalidateCheckBytes();
    }
    SetBit(record.ucBlockValidMask, index,
           record.aBlock[index].IsValidFor(BlockNumberFromIndex(index)));
    return true;
}

void SensorRecord_TakeOverIdentification(SensorRecord& record, const IdentificationReply& reply) {
    record.ucBusAddress = reply.busAddress;
    record.ucDeviceKind = reply.deviceKind;
    record.ucStatorId = reply.statorId;
    record.ucStatorRevision = reply.statorRevision;
    record.dwSerialNumber = reply.serialNumber;
    record.ucSensorIndex = reply.sensorIndex;
    record.ucBaudCode = reply.baudCode;
    record.wFirmwareVersion = reply.firmwareVersion;
}

void SensorRecord_TakeOverStatusLong(SensorRecord& record, const StatusLongReply& reply) {
    record.ucUsedCalib = reply.usedCalib;
    record.ucDeviceKind = reply.deviceKind;
    record.ucStatorId = reply.statorId;
    record.ucStatorRevision = reply.statorRevision;
    record.ucDigitalInputKind = reply.digitalInputKind;
    record.ucLowPassCode = reply.lowPassCode;
    record.ucBaudCode = reply.baudCode;
    record.dwSerialNumber = reply.serialNumber;
    record.ucSensorIndex = reply.sensorIndex;
    record.wFirmwareVersion = reply.firmwareVersion;
}
