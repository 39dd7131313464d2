// The pure half of the value formatter: reads a number text, finds the unit that suits the size
// of a quantity's value best and writes number and unit as the user sees them. Knows nothing of
// windows or channel records; CDisplayHelper feeds it.
#pragma once

#include "platform/base/CString.h"

// The optional outputs of a formatting call; a null pointer is not written.
struct ValueFormatOutputs {
    CString* pNumberText = nullptr;  // the number as shown, without unit
    CString* pUnitText = nullptr;    // the unit in the current language
    int* pUnitId = nullptr;          // German string id of the chosen unit
    int* pUnitIndex = nullptr;       // position in the quantity's unit list, -1 when not in it
    int* pDecimals = nullptr;        // decimals that suit the chosen unit
    double* pFactor = nullptr;       // base unit × factor = value in the chosen unit
};

enum class Quantity {
    Torque,
    Force,
    Mass,
    Power,
    Speed,
    Bridge,
    Voltage,
    Current,
    Temperature,
    Other
};

// The quantity of a unit letter ('D' torque, 'K' force, 'W' mass, 'P' power, 'Y' speed, 'd'
// bridge, 'A' voltage, 'S' current, 'T' temperature); every other letter is Other.
Quantity QuantityOfLetter(char letter);

// The leading decimal number of the text with '.' as decimal point: optional blanks, sign,
// digits, fraction and exponent, nothing else (no hex, no "inf" or "nan" words). Text that starts
// with no number reads as 0; a number beyond double reads as infinity. Same under any locale.
double ReadLeadingDecimal(const CString& text);

// The display text of a number text of the quantity in its base unit: "n.a." for values that
// are not finite, below 0.01 or above 9.99e15 (no output written) and for values beyond the
// quantity's table; else number, one blank and unit with the current language's separator.
CString FormatQuantityValue(Quantity quantity, const CString& text, const ValueFormatOutputs& out);

// The range text that replaces a temperature in range mode.
inline constexpr const char* kTemperatureRangeText = "[-200 °C; 860 °C]";
inline constexpr const char* kNotAvailableText = "n.a.";
