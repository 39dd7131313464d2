// The channels' moving averages, and the tare, minimum and maximum resets that the channel
// views' buttons call. Every loop stays inside its table: diagram rings 0-6, display rings 0-5.
#include "app/MainFrame.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "sensor/ChanState.h"

namespace {

constexpr int kDiagramRings = 7;
constexpr int kDisplayRings = COM_CHANNELS;

}  // namespace

BOOL CMainFrame::AverageChannelValue(int channel, double value, double& out) {
    if (channel < 0 || channel >= kDiagramRings)
        return FALSE;
    CMovingAverageRing& ring = *m_measurement.EditFlow().m_apDiagramRing[channel];
    if (ring.GetLength() <= 1) {
        out = value;
        return TRUE;
    }
    ring.AddValue(value);
    if (m_measurement.Flow().m_aiAverageCounter[channel] >= ring.GetLength()) {
        ring.GetMean(out);
        m_measurement.EditFlow().m_aiAverageCounter[channel] = 1;
        return TRUE;
    }
    if (m_measurement.Recording().m_bRecordBufferPresent)
        ++m_measurement.EditFlow().m_aiAverageCounter[channel];
    return FALSE;
}

void CMainFrame::ResetMovingAverages(int mode) {
    const bool computed = ChanState_IsPowerChannelOn(0) || ChanState_IsPowerChannelOn(1);
    int n = m_iActivatedCount < 2 ? 2 : m_iActivatedCount;
    if (computed)
        n = 6;
    CDlgMeasureAdjust* adjust = GetMeasureAdjustPage();
    auto choiceLength = [adjust](int channel) {
        return AveragingLengthFromCode(adjust != nullptr ? adjust->GetAveragingCode(channel) : 0);
    };
    switch (mode) {
        case 0:
            for (int c = 0; c <= n && c < kDiagramRings; ++c) {
                m_measurement.EditFlow().m_aiAverageCounter[c] = 1;
                m_measurement.EditFlow().m_apDiagramRing[c]->SetLength(
                    m_measurement.Flow().m_iDefaultDiagramLength);
                // Channel A too: its averaging choice counts as much as any other's.
                if (c < kDisplayRings)
                    m_measurement.EditFlow().m_apDisplayRing[c]->SetLength(choiceLength(c));
            }
            break;
        case 1:
            for (int c = 0; c < n && c < kDisplayRings; ++c)
                m_measurement.EditFlow().m_apDisplayRing[c]->SetLength(1);
            break;
        case 2:
            for (int c = 0; c <= n && c < kDisplayRings; ++c)
                m_measurement.EditFlow().m_apDisplayRing[c]->SetLength(choiceLength(c));
            break;
        case 3:
        case 4:
            for (int derived = 0; derived < 2; ++derived) {
                if (ChanState_IsPowerChannelOn(derived))
                    m_measurement.EditFlow().m_apDisplayRing[CHANNEL_P1 + derived]->SetLength(
                        choiceLength(CHANNEL_P1 + derived));
            }
            break;
        default:
            break;
    }
}

int CMainFrame::ToggleTareLock(int channel) {
    if (channel < 0 || channel >= COM_CHANNELS)
        return 1;
    return m_measurement.ToggleTareLock(channel);
}

void CMainFrame::TareChannel(int channel) {
    if (channel < 0 || channel >= COM_CHANNELS)
        return;
    m_measurement.TakeTare(channel, m_adValue[channel]);
    UpdateMeasuredValues(MeasuredValueReason::Retake);
    if (m_bMeasuring)
        COM_StartExtremes(channel, FALSE);
}

void CMainFrame::ResetChannelMinimum(int channel) {
    if (channel < 0 || channel >= COM_CHANNELS)
        return;
    COM_ResetMinimum(channel);
    UpdateMeasuredValues(MeasuredValueReason::ExtremesReset);
}

void CMainFrame::ResetChannelMaximum(int channel) {
    if (channel < 0 || channel >= COM_CHANNELS)
        return;
    COM_ResetMaximum(channel);
    UpdateMeasuredValues(MeasuredValueReason::ExtremesReset);
}
