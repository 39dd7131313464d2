// What a simulated sensor is at power-on: its identity, its channels, the signal each channel
// sees, and which calibration its memory blocks start with.
#pragma once

#include <cstdint>
#include <string>

#include "protocol/BlockImage.h"
#include "protocol/Protocol.h"
#include "tools/sensorsim/SignalShape.h"

namespace sensorsim {

struct SimChannelConfig {
    char unitLetter = 'D';
    uint16_t rangeWord = 0x5500;  // upper range value as version word (50000 in the base unit)
    uint8_t accuracyClass = 100;
    SignalShape signal;        // load in the base unit
    int zeroOffsetCounts = 0;  // converter reading at no load minus 32768
};

enum class SimCalibration { None, Factory, User };

struct SimSensorConfig {
    uint8_t statorId = tarvik::kStatorHbtBox;
    uint8_t statorRevision = 2;
    uint8_t deviceKind = tarvik::kDeviceBox;
    uint8_t digitalInputKind = 0;
    uint32_t statorSerialNumber = 70001;
    uint32_t serialNumber = 123456;
    uint32_t typeNumber = 4503;
    uint8_t sensorIndex = tarvik::kNoSensorIndex;
    char sensorTypeLetter = 'M';
    uint8_t busAddress = tarvik::kDefaultBusAddress;
    uint8_t baudCode = tarvik::kBaudCode115200;
    uint8_t lowPassCode = 0;
    uint16_t firmwareVersion = 0x1210;
    int channelCount = 2;
    int multiportModule = 0;
    uint8_t encoderMask = 0;
    uint8_t encoderMode[2] = {0, 0};
    uint32_t pulsesPerRevolution = 0;
    std::string serialText[2] = {"A00001", "B00001"};
    SimChannelConfig channel[2];
    SimCalibration calibration = SimCalibration::Factory;
    double factoryUncertainty = 0.1;  // percent
};

// The memory blocks of a sensor fresh from the factory: the factory calibration makes calibrated
// values equal the load; a user calibration, when asked for, differs from it slightly. False when
// the configuration holds a value that no block can carry.
bool BuildInitialBlocks(const SimSensorConfig& config,
                        tarvik::BlockImage (&blocks)[tarvik::kBlockCount]);

}  // namespace sensorsim
