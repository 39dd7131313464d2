#include "foundation/NumberText.h"

#include <algorithm>
#include <cmath>

#include "foundation/Language.h"

CString FormatDecimal(double value, int decimals, int languageOffset) {
    decimals = std::clamp(decimals, 0, 7);
    CString text;
    text.Format("%0.*f", decimals, value);
    if (text.GetAt(0) == '-' && text.Mid(1).SpanIncluding("0.") == text.Mid(1)) {
        text = text.Mid(1);
    }
    if (languageOffset == LANGUAGE_ENGLISH)
        return text;
    return SetDecimalSeparator(text, languageOffset);
}

CString SetDecimalSeparator(const CString& numberText, int languageOffset) {
    if (languageOffset < 0)
        languageOffset = GetLanguageOffset();
    CString text(numberText);
    switch (languageOffset) {
        case LANGUAGE_ENGLISH:
            text.Replace(',', '.');
            break;
        case LANGUAGE_GERMAN:
        case LANGUAGE_FRENCH_OLD:
        case LANGUAGE_SPANISH:
        case LANGUAGE_FRENCH:
            text.Replace('.', ',');
            break;
        default:
            break;
    }
    return text;
}

double RoundToDecimals(double value, int decimals) {
    if (decimals < 0 || decimals > 15)
        return value;
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    // A value too large to carry decimals is already as rounded as it can be.
    if (!std::isfinite(scaled))
        return value;
    return std::floor(scaled + 0.5) / scale;
}
