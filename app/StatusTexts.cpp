#include "app/StatusTexts.h"

#include <cmath>

#include "foundation/Language.h"

CString CollapseDoubledPercent(const CString& text) {
    CString result(text);
    result.Replace("%%", "%");
    return result;
}

CString CutUtf8(const CString& text, int limit) {
    if (text.GetLength() <= limit)
        return text;
    int end = limit;
    // Step back over continuation bytes so that the cut lands before a lead byte.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.Left(end);
}

CString FormatConversionProgress(const CString& pleaseWait, const CString& speedName,
                                 const CString& secondUnit, double progress, double speedKb,
                                 bool stopwatchValid, int languageOffset) {
    if (!std::isfinite(progress))
        progress = 0.0;
    CString percent;
    percent.Format("%2.0f", progress);
    if (!stopwatchValid || !std::isfinite(speedKb))
        return pleaseWait + " " + percent + " %)";
    CString speed;
    CString unit;
    if (speedKb < 500.0) {
        speed.Format("%0.0f", speedKb);
        unit = " KB/";
    } else {
        speed.Format("%0.1f", speedKb / 1024.0);
        if (GetDecimalSeparatorOf(languageOffset) == ',')
            speed.Replace(".", ",");
        unit = " MB/";
    }
    return pleaseWait + " " + percent + " %  " + speedName + ": " + speed + unit + secondUnit + ")";
}
