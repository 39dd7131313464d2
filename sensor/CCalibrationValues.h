// Readings and results of a user adjustment, per channel. The sensor dialogue collects the raw
// readings (offset-coded: 32768 = electrical zero) and marks them taken; the calibration page
// computes offset, gain, control factor and digits and sets the no-built-in-control flags.
#pragma once

#include <cstdint>

#include "platform/base/WinTypes.h"

// Marks a scaled value that has not been read.
constexpr double CALIB_NOT_READ = 66666.6666666;

struct CCalibrationValues {
    // Results (written by the calibration page).
    int32_t slOffset = 0;
    int32_t slGain = 0;     // counts, 32768 = 1.0
    int32_t slControl = 0;  // counts, 32768 = 1.0
    DWORD dwDigits = 0;     // digits to store with the adjustment
    // Readings, offset-coded.
    int32_t slZeroReading = 0;
    int32_t slScaleReading = 0;
    int32_t slControlReading = 0;
    double dZeroValue = CALIB_NOT_READ;
    double dScaleValue = CALIB_NOT_READ;
    double dControlValue = CALIB_NOT_READ;
    // The same readings as signed values (0 = electrical zero).
    int32_t slSignedZeroReading = 0;
    int32_t slSignedScaleReading = 0;
    int32_t slSignedControlReading = 0;
    double dSignedZeroValue = CALIB_NOT_READ;
    double dSignedScaleValue = CALIB_NOT_READ;
    double dSignedControlValue = CALIB_NOT_READ;
    BYTE ucZeroTaken = 0;
    BYTE ucScaleTaken = 0;
    BYTE ucControlTaken = 0;
    BYTE ucPending = 1;
    BYTE ucNoBuiltInControl = 0;
};

// Readings 0, scaled values "not read", nothing taken, values pending; the results and the
// no-built-in-control flag stay.
void CalibrationValues_Reset(CCalibrationValues& values);

// Reading phases of the raw calibration readings.
constexpr int CALIB_PHASE_ZERO = 0;
constexpr int CALIB_PHASE_SCALE = 1;
constexpr int CALIB_PHASE_CONTROL = 2;

// Stores the mean of a phase's readings as that phase's reading and marks it taken.
void CalibrationValues_TakeReading(CCalibrationValues& values, int phase, double mean);
