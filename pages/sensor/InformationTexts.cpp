// The information page's texts that others use too: the sensor type and channel designations
// (the documentation export and the scaling dialog), and the value texts with their "n.a." rules.
#include <cstdio>

#include "foundation/ClockTexts.h"
#include "foundation/Language.h"
#include "foundation/Units.h"
#include "pages/common/ChannelViewControl.h"
#include "pages/common/PageHost.h"
#include "pages/sensor/CDlgSensorInformationPkr.h"
#include "res/TextIds.h"
#include "sensor/CTarvik_Send.h"

namespace {

constexpr const char* kNotAvailable = "n.a.";

}  // namespace

CString CDlgSensorInformationPkr::FormatSensorTypeText(int sensor, BOOL withQuantity,
                                                       DWORD typeNumber, char unitLetter,
                                                       CString* quantity,
                                                       CString* statorType) const {
    CString stator;
    CString quantityText = kNotAvailable;
    CString text;
    if (m_pHost != nullptr && sensor >= 0 && sensor < COM_MAX_SENSORS) {
        const SensorRecord& record = m_pHost->Dialogue().m_aSensorRecord[sensor];
        stator = CTarvik_Send::TarSend_GetStatorTypeName(
            record.ucStatorId, record.ucStatorRevision, record.ucDeviceKind,
            record.ucDigitalInputKind, m_pHost->GetLanguageOffset());
        const int id = record.ucStatorId;
        if (id == 4 || id == 5 || id == 6 || id == 7 || id == 9) {
            if (id == 9)
                stator = GetLanguageString(IDS_QUADRATURE_ENCODER);
            text.Format("%d", static_cast<int>(typeNumber));
            const int nameId = GetQuantityNameId(CTarvik_Send::TarSend_GetUnitCode(unitLetter));
            if (nameId >= 0)
                quantityText = GetLanguageString(nameId);
            if (withQuantity)
                text += " (" + quantityText + ")";
        }
    }
    if (quantity != nullptr)
        *quantity = quantityText;
    if (statorType != nullptr)
        *statorType = stator;
    return text;
}

CString CDlgSensorInformationPkr::FormatChannelText(BOOL withQuantity, int channel,
                                                    CString* quantity, CString* statorType) const {
    if (m_pHost == nullptr || channel < 0 || channel >= COM_MAX_SENSORS)
        return ":";
    // Channel B of a single sensor is described from that sensor's own record.
    const bool singleChannelB = channel == 1 && m_pHost->Dialogue().m_iNumberOfSensors < 2;
    const int sensor = singleChannelB ? 0 : channel;
    const SensorRecord& record = m_pHost->Dialogue().m_aSensorRecord[sensor];
    CString text = FormatSensorTypeText(
        sensor, withQuantity, record.dwTypeNumber,
        static_cast<char>(record.ucUnitLetter[singleChannelB ? 1 : 0]), quantity, statorType);
    const int open = text.Find('(');
    const int close = open >= 0 ? text.Find(')', open) : -1;
    if (open >= 0 && close > open)
        text = text.Mid(open + 1, close - open - 1);
    return text + ":";
}

CString CDlgSensorInformationPkr::UncertaintyText(BOOL valid, double percent, int languageOffset) {
    if (!valid || !(percent > 0.0 && percent < 5.0))
        return kNotAvailable;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%f", percent);
    CString number = buffer;
    number.TrimRight('0');
    number.TrimRight('.');
    number.Replace('.', GetDecimalSeparatorOf(languageOffset));
    return " " + number + " %";
}

CString CDlgSensorInformationPkr::AccuracyText(int code, int languageOffset) {
    CString text = CTarvik_Send::TarSend_GetAccuracyClass(code);
    if (text.Find(kNotAvailable) >= 0)
        return text;
    text.Replace('.', GetDecimalSeparatorOf(languageOffset));
    return text + " %";
}

CString CDlgSensorInformationPkr::SerialNumberText(DWORD serial) {
    if (serial == 0)
        return kNotAvailable;
    CString text;
    text.Format("%d", static_cast<int>(serial));
    return text;
}

CString CDlgSensorInformationPkr::PulsesText(DWORD pulses) {
    if (pulses < 6 || pulses > 1000000)
        return kNotAvailable;
    CString text;
    text.Format("%d", static_cast<int>(pulses));
    return text;
}

CString CDlgSensorInformationPkr::RangeText(const SensorRecord& record, int channel,
                                            int view) const {
    const CString number = CTarvik_Send::TarSend_GetRangeText(record, channel);
    IChannelViewControl* channelView =
        m_pHost != nullptr ? m_pHost->ChannelViewControl(view) : nullptr;
    if (channelView == nullptr)
        return number;
    return channelView->FormatChannelValue(number, static_cast<char>(record.ucUnitLetter[channel]),
                                           2);
}

CString CDlgSensorInformationPkr::UncertaintyOf(int sensor, BOOL channelA) const {
    if (m_pHost == nullptr)
        return kNotAvailable;
    BOOL valid = FALSE;
    BYTE state = 0;
    const double value =
        m_pHost->Dialogue().COM_GetActiveCalibValue(sensor, &valid, &state, nullptr, channelA);
    return UncertaintyText(valid, value, m_pHost->GetLanguageOffset());
}

CString CDlgSensorInformationPkr::DateText(int day, int month, int year) const {
    return ::FormatDateText(day, month, year,
                            m_pHost != nullptr ? m_pHost->GetLanguageOffset() : 0);
}
