// Everything the program knows about one sensor: its eight memory blocks as last read (and
// changed for writing), and the fields decoded from them and from the status replies. A plain
// record of 704 bytes that the port table and the main frame copy as they please.
#pragma once

#include <type_traits>

#include "platform/base/WinTypes.h"
#include "protocol/BlockImage.h"
#include "protocol/Messages.h"

struct SensorDate {
    int iDay;
    int iMonth;
    int iYear;
};

struct SensorRecord {
    // Block images by block index; what the program writes is built from these, so that bytes
    // it does not know survive a write.
    tarvik::BlockImage aBlock[tarvik::kBlockCount];

    // Per channel A (0) and B (1).
    double dRange[2];          // upper range value as a number, in the quantity's base unit
    double dScalingFactor[2];  // software configuration
    double dConfigValue[2];    // software configuration

    DWORD dwTypeNumber;
    DWORD dwSerialNumber;  // 0 = none
    DWORD dwStatorSerialNumber;
    DWORD dwPulsesPerRevolution;
    DWORD dwFrameSetting;      // software configuration, 1..9999
    DWORD dwUserDigits[2];     // 65535 = not set
    DWORD dwFactoryDigits[2];  // 65535 = not set
    SensorDate factoryDate;    // 0.0.0 = none
    SensorDate userDate;
    WORD wRange[2];  // range words (version-text form)
    WORD wFirmwareVersion;
    char szSerialText[2][7];   // serial-number texts of channels A and B
    char szScalingName[2][9];  // software configuration

    // Status.
    BYTE ucUsedCalib;  // 0 undefined, 1 none, 2 factory active, 3 user active
    BYTE ucDigitalInputKind;
    BYTE ucDeviceKind;  // 0 HBT-Box / NX-RS485 / NX-USB, 1 PKR-USB
    BYTE ucStatorId;
    BYTE ucStatorRevision;
    BYTE ucSensorIndex;  // position on a multi-port device, 0xFF none
    BYTE ucSensorTypeLetter;
    BYTE ucUnitLetter[2];
    BYTE ucAccuracyClass[2];

    // Software configuration per channel.
    BYTE ucUnitIndex[2];
    BYTE ucDecimals[2];
    BYTE ucAveraging[2];
    BYTE ucSignInversion[2];
    BYTE ucViewState[2];
    BYTE ucScalingPresent[2];
    BYTE ucQuantityLetter[2];
    BYTE ucConfigByte[2];
    // Software configuration once per sensor.
    BYTE ucConfigPresent;
    BYTE ucConfigWritten;
    BYTE ucRateIndex;
    BYTE ucAngleFlag;
    BYTE ucConfigVersion;  // 4 = current

    // Stator hardware.
    BYTE ucKindByte;  // 5 converter with a digital-input byte, 9 light from the first value
    BYTE ucDigitalInputByte;
    BYTE ucLightMode;
    BYTE ucLightValue[4];
    // Stator operation.
    BYTE ucBusAddress;
    BYTE ucBaudCode;
    BYTE ucLowPassCode;
    BYTE ucChannelCount;
    BYTE ucMultiportModule;

    BYTE ucBlockReadMask;   // bit i: block index i was read from the sensor
    BYTE ucBlockValidMask;  // bit i: block index i follows the validity rule
};

static_assert(sizeof(SensorRecord) == 704);
static_assert(std::is_trivially_copyable_v<SensorRecord>);
static_assert(std::is_standard_layout_v<SensorRecord>);

// Clears the record: everything 0, digits not set, no sensor index.
void SensorRecord_Reset(SensorRecord& record);

// Takes a block image read from the sensor into the record and decodes its fields. The image is
// kept as it is, and its fields are decoded even when its check bytes are wrong (an invalidated
// user calibration still holds its digits), so that writing the block back changes only what
// the program changed; ucBlockValidMask tells which blocks follow the validity rule. False, and
// nothing changed, when the image is not the block of index.
bool SensorRecord_TakeOverBlock(SensorRecord& record, int index, const tarvik::BlockImage& image);

// Writes the record's fields of block index into its image (the rest of the image stays) with
// fresh check bytes; an image that was invalidated on purpose stays invalid unless
// keepInvalidation is false. False, and the image untouched, when a field is out of its range
// or the image lacks fields the record does not hold (a calibration block never read has no
// gain).
bool SensorRecord_StoreFieldsInBlock(SensorRecord& record, int index, bool keepInvalidation = true);

// Status bytes from the identification and the long-status replies.
void SensorRecord_TakeOverIdentification(SensorRecord& record,
                                         const tarvik::IdentificationReply& reply);
void SensorRecord_TakeOverStatusLong(SensorRecord& record, const tarvik::StatusLongReply& reply);
