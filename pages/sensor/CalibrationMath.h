// The arithmetic of a user adjustment and the texts its dialogs read and show, without windows:
// the scale and digits parsers, the scale and zero checks, the computation of offset, gain,
// control factor and digits per channel, and the replacements in the dialogs' texts. The
// calibration page and its step dialogs call these; each refuses what the sensor could not use.
#pragma once

#include <cstdint>

#include "platform/base/CString.h"

namespace calib {

// Electrical zero of an offset-coded reading, and the zero window around it.
constexpr int32_t kElectricalZero = 32768;
constexpr int32_t kZeroTolerance = 4000;
// One count of a factor: 32768 counts are 1.0; a factor may reach 2.0 (65536 counts).
constexpr double kFactorPerCount = 3.0517578125e-5;
constexpr double kMaximumFactor = 2.0;
// The digits the sensor reads as "not set".
constexpr uint32_t kDigitsNotSet = 65535;
// The largest digits a sensor can be adjusted to: its gain factor (at most 2.0) times the
// largest reading difference its converter gives above the electrical zero. Just below "not set".
constexpr uint32_t kMaximumDigits =
    static_cast<uint32_t>(kMaximumFactor * static_cast<double>(kElectricalZero - 1));
static_assert(kMaximumDigits < kDigitsNotSet);
// A control reading this close to the zero reading looks like a sensor without built-in control.
constexpr int32_t kControlNearZero = 2500;
// A scaling value must lie strictly between full scale / 4 and full scale x 8.
constexpr double kScaleUpperFactor = 8.0;
constexpr double kScaleLowerDivisor = 4.0;

// Error bits of a computation, per channel (A, B).
constexpr int kGainFailed[2] = {0x01, 0x02};
constexpr int kControlFailed[2] = {0x04, 0x08};
constexpr int kNotLoaded[2] = {0x10, 0x20};

// A number as typed: ',' or '.' as the decimal separator, blanks around it; the whole text must
// be the number and it must be finite.
bool ParseDecimalText(const CString& text, double& value);
// Digits as typed: an unsigned whole number of at most 32 bits, blanks around it; 0 fails.
bool ParseDigitsText(const CString& text, uint32_t& digits);
// The digits at full scale that the scale step proposes for what the sensor stores. A sensor
// stores the digits at full scale times the upper range value (so the adjustment writes them,
// and so the maker's adjustment holds them): stored values that give no whole number of at
// most maxDigits, or an unusable range, propose the fallback.
uint32_t ProposedDigits(uint32_t stored, double range, uint32_t maxDigits, uint32_t fallback);
// full scale / 4 < scale < full scale x 8, all finite.
bool IsScaleAccepted(double fullScale, double scale);
// 0 both zero readings inside 32768 +- 4000 (ends included), 1 only B, 2 only A, 3 neither.
int CheckZeroWindow(int32_t zeroA, int32_t zeroB);
bool IsControlNearZero(int32_t control, int32_t zero);
// A measurement uncertainty in percent is usable above 0 and below 5.
bool IsUncertaintyValid(double percent);

// A factor in counts: finite 0 < v <= 2.0 gives v x 32768 truncated; anything else 0 and false.
bool FactorToCounts(double value, int32_t& counts);

// What one channel's computation starts from: the readings of one reading set (offset-coded),
// the digits typed for the run, the load ratio (scaling value / full-scale number, both in the
// unit typed) and the upper range value in the base unit.
struct ChannelInput {
    int32_t zero = kElectricalZero;
    int32_t scale = kElectricalZero;
    int32_t control = kElectricalZero;
    bool withoutControl = false;  // the control reading counts as the scale reading
    uint32_t digits = 0;
    double loadRatio = 0.0;
    double range = 0.0;
};

struct ChannelResult {
    int32_t offset = 0;
    int32_t gain = 0;
    int32_t control = 0;
    uint32_t digits = 0;
    int errors = 0;  // the bits above for this channel
    bool ok = false;
};

// Offset 32768 - Z, gain and control factor in counts, and the digits the sensor is to read
// at its upper range value. A sensor that was not loaded (scale reading <= zero + 0.4 x digits)
// gets nothing computed; a zero difference, a range that is not above 0, or digits of 0, of
// the "not set" marker or beyond 32 bits fail.
ChannelResult ComputeChannel(const ChannelInput& input, int channel);

// ---- Texts ----
// The wrong-scale message with the real limits: every "1,3" or "1.3" becomes the upper factor,
// the divisor after "/ " the lower one, each with the language's decimal separator.
CString WrongScaleText(const CString& text, char decimalSeparator);
// Each "#" in turn replaced by the next of the two texts.
CString ReplaceHashes(const CString& text, const CString& first, const CString& second);
// Every "%s" replaced by the channel's letter, as text.
CString ReplaceChannelLetter(const CString& text, char letter);

}  // namespace calib
