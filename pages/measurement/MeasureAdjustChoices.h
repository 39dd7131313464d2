// What the measure configuration page and its scaling dialog decide apart from their windows:
// the texts of their choices (measuring rates, averaging, low-pass filters) and which typed
// values they take. Every check answers false for a text that is not wholly what it asks, so
// that no typed or stored value reaches the sensor outside its range.
#pragma once

#include "platform/base/CString.h"

namespace measure_adjust {

constexpr int kMinSetting = 1;
constexpr int kMaxSetting = 9999;
constexpr int kMaxDecimals = 7;
constexpr int kMaxAveragingCode = 9;
constexpr int kScalingNameLength = 8;

// The rate's period with its unit: "1 ms", "500 ms", "1 s", "120 s" (the language's separator).
CString RatePeriodText(int rateIndex, int languageOffset);
// The measuring interval of a rate in seconds; 0 for an index outside the table.
double RateIntervalSeconds(int rateIndex);
// An averaging code c shows 2^(c-1) samples; codes 0 and 1 average nothing (the "off" text).
CString AveragingText(int code, const CString& offText);
// The averaging list offers codes 1 to 9, "off" once: a stored code 0 shows as that entry.
int AveragingEntryOfCode(int code);
int AveragingCodeOfEntry(int entry);
// A low-pass code's cut-off ("1000 Hz"); code 0 is the "off" text.
CString LowPassText(int code, const CString& offText);

// A number as the user types it ('.' or ','), finite; empty is no number.
bool ParseNumber(const CString& text, double& value);
// A hysteresis is a distance: a number without a sign, 0 or more.
bool ParseHysteresis(const CString& text, double& value);
// A whole number within [low, high], digits only.
bool ParseWholeNumber(const CString& text, long long low, long long high, long long& value);

// The characters a sensor keeps in a scaling name: the printable ASCII part of the free-text set.
extern const char kScalingNameCharacters[];
// 1 to 8 characters of that set.
bool IsValidScalingName(const CString& name);
// Finite, above 0 and within single precision (the sensor stores a float).
bool IsValidScalingFactor(double factor);

}  // namespace measure_adjust
