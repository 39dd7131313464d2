// Number texts for the user: formatted with '.' first, then given the decimal separator of the
// language. Independent of the process locale.
#pragma once

#include "platform/base/CString.h"

// "%0.<n>f" of the value with n decimals (0 to 7; more are cut to 7, fewer to 0), with the
// separator of the language (-1 the current one; 1000 keeps the point). A text that shows only
// zeros carries no minus sign.
CString FormatDecimal(double value, int decimals, int languageOffset = -1);

// The text with the decimal separator of the language (negative: the current one): English turns
// ',' into '.', German, French and Spanish turn '.' into ','; other offsets change nothing.
CString SetDecimalSeparator(const CString& numberText, int languageOffset = -1);

// floor(value × 10^n + 0.5) / 10^n for n = 0..15; any other n returns the value unchanged.
double RoundToDecimals(double value, int decimals);
