// The formatter's entry: mode 0 appends the channel's chosen unit to a finished number text; the
// other modes hand the text to the quantity's formatter, chosen by the given letter or the
// channel record's.
#include "pages/common/DisplayHelper.h"

#include "platform/framework/Wnd.h"

void CDisplayHelper::SetMainFrame(CWnd* mainFrame) {
    m_pChannelUnits = dynamic_cast<const IChannelUnitSource*>(mainFrame);
}

CString CDisplayHelper::AppendChannelUnit(int channel, const CString& text) const {
    if (text == "---" || m_pChannelUnits == nullptr)
        return text;
    // The unit index comes from the sensor's configuration and may lie outside the list.
    CString unit;
    if (!m_pChannelUnits->GetChannelUnitText(channel, m_pChannelUnits->GetChannelUnitIndex(channel),
                                             unit))
        return text;
    return text + " " + unit;
}

CString CDisplayHelper::FormatValue(int channel, const CString& text, char unitLetter, int mode,
                                    CString* numberText, CString* unitText, int* unitId,
                                    int* unitIndex, int* decimals, double* factor) const {
    if (mode == MODE_APPEND_UNIT)
        return AppendChannelUnit(channel, text);
    char letter = unitLetter;
    if (letter == 0 && m_pChannelUnits != nullptr)
        letter = m_pChannelUnits->GetChannelUnitLetter(channel);
    const Quantity quantity = QuantityOfLetter(letter);
    if (quantity == Quantity::Temperature && mode != MODE_BEST_UNIT)
        return kTemperatureRangeText;
    const ValueFormatOutputs out{numberText, unitText, unitId, unitIndex, decimals, factor};
    return FormatQuantityValue(quantity, text, out);
}
