#include "sensor/SensorEntry.h"

#include <algorithm>
#include <cstring>

void SensorEntry_Clear(SensorEntry& entry) {
    const CString storedName = entry.strStoredName;
    const int storedDisabled = entry.iStoredDisabled;
    const int storedBaudrate = entry.iStoredBaudrate;
    entry = SensorEntry();
    entry.strStoredName = storedName;
    entry.iStoredDisabled = storedDisabled;
    entry.iStoredBaudrate = storedBaudrate;
}

void SensorEntry_StoreReply(SensorEntry& entry, int slot, std::string_view frame) {
    if (slot < 0 || slot > 1) {
        return;
    }
    std::memset(entry.acReply[slot], 0, COM_REPLY_SLOT_SIZE);
    std::memcpy(entry.acReply[slot], frame.data(),
                std::min(frame.size(), static_cast<size_t>(COM_REPLY_SLOT_SIZE)));
    entry.ucReplySlot = static_cast<BYTE>(slot);
}

CString SensorEntry_SelectedReply(const SensorEntry& entry) {
    const int slot = entry.ucReplySlot > 1 ? 0 : entry.ucReplySlot;
    // A reply may hold 0x00 bytes, so the whole slot is handed on; the frame cutter finds the
    // frame in it and ignores the padding.
    return CString(entry.acReply[slot], COM_REPLY_SLOT_SIZE);
}

bool SensorEntry_IsNetworkPort(const SensorEntry& entry) {
    CString text = entry.strPortText;
    text.MakeLower();
    return text.Find("lantronix cpr port") >= 0;
}
