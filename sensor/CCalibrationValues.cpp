#include "sensor/CCalibrationValues.h"

#include <cmath>

#include "protocol/Protocol.h"

void CalibrationValues_Reset(CCalibrationValues& v) {
    v.slZeroReading = v.slScaleReading = v.slControlReading = 0;
    v.slSignedZeroReading = v.slSignedScaleReading = v.slSignedControlReading = 0;
    v.dZeroValue = v.dScaleValue = v.dControlValue = CALIB_NOT_READ;
    v.dSignedZeroValue = v.dSignedScaleValue = v.dSignedControlValue = CALIB_NOT_READ;
    v.ucZeroTaken = v.ucScaleTaken = v.ucControlTaken = 0;
    v.ucPending = 1;
}

void CalibrationValues_TakeReading(CCalibrationValues& v, int phase, double mean) {
    const int32_t reading = static_cast<int32_t>(std::lround(mean));
    const int32_t signedReading = reading - tarvik::kElectricalZero;
    const double signedMean = mean - tarvik::kElectricalZero;
    switch (phase) {
        case CALIB_PHASE_ZERO:
            v.slZeroReading = reading;
            v.dZeroValue = mean;
            v.slSignedZeroReading = signedReading;
            v.dSignedZeroValue = signedMean;
            v.ucZeroTaken = 1;
            break;
        case CALIB_PHASE_SCALE:
            v.slScaleReading = reading;
            v.dScaleValue = mean;
            v.slSignedScaleReading = signedReading;
            v.dSignedScaleValue = signedMean;
            v.ucScaleTaken = 1;
            break;
        case CALIB_PHASE_CONTROL:
            v.slControlReading = reading;
            v.dControlValue = mean;
            v.slSignedControlReading = signedReading;
            v.dSignedControlValue = signedMean;
            v.ucControlTaken = 1;
            break;
        default:
            break;
    }
}
