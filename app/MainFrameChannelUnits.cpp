// What the value formatter reads of the channel records: a view channel's record (its own with
// fewer than two sensors, else the flow's channel-to-record index), the quantity letter, and the
// chosen unit's text, never read outside the record's list.
#include "app/MainFrame.h"

namespace {

bool IsRecord(int index) {
    return index >= 0 && index < COM_CHANNELS;
}

}  // namespace

int CMainFrame::GetRecordOfChannel(int channel) const {
    if (!IsRecord(channel))
        return 0;
    if (m_iNumberOfSensors < 2)
        return channel;
    const int record = m_aiChannelRecord[channel];
    return IsRecord(record) ? record : channel;
}

char CMainFrame::GetChannelUnitLetter(int channel) const {
    return IsRecord(channel)
               ? static_cast<char>(m_measurement.Flow().m_aChannelRecords[channel].ucQuantityLetter)
               : 0;
}

int CMainFrame::GetChannelUnitIndex(int channel) const {
    return IsRecord(channel) ? m_measurement.Flow().m_aChannelRecords[channel].iUnitIndex : -1;
}

bool CMainFrame::GetChannelUnitText(int channel, int index, CString& text) const {
    if (!IsRecord(channel))
        return false;
    const ChannelRecord& record = m_measurement.Flow().m_aChannelRecords[channel];
    // The slot after the list holds the scaling, when there is one.
    const int last = record.HasScaling() ? record.iUnitCount : record.iUnitCount - 1;
    if (index < 0 || index > last || index >= ChannelRecord::kSlots)
        return false;
    text = record.astrUnit[index];
    return true;
}
