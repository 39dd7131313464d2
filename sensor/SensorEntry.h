// One entry of the port table: a serial port of the PC and what the search found behind it.
#pragma once

#include <string_view>

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"
#include "res/TextIds.h"
#include "sensor/SensorRecord.h"

constexpr int COM_MAX_PORTS = 256;

// State codes of an entry, as the connection page shows them.
constexpr int PORT_STATE_NOT_PROBED = 0;
constexpr int PORT_STATE_OPEN_FAILED = 4;  // busy or gone: "not available"
constexpr int PORT_STATE_FOUND = 5;        // a sensor answered: "available"
constexpr int PORT_STATE_NO_ANSWER = 6;    // "not available"
constexpr int PORT_STATE_UNSUPPORTED = 7;  // a sensor of a kind this program does not know
constexpr int PORT_STATE_OPEN = 8;         // open for a sensor: "active"
constexpr int PORT_STATE_CHECKING = 11;    // shown while a search runs
constexpr int PORT_STATE_BAUD_CHANGED = 12;

constexpr int COM_REPLY_SLOT_SIZE = 64;

struct SensorEntry {
    CString strPortName;     // "COM3"
    CString strPortText;     // as enumerated: "COM3 Tarvik USB sensor interface port"
    CString strDisplayText;  // as listed: "Tarvik USB   [COM3]"
    CString strCurrentPortName;
    CString strStoredName = "n.a.";  // settings: the port this entry held last time
    int iStoredDisabled = -11;       // settings
    int iStoredBaudrate = 0;         // settings: the rate a sensor answered at last time; 0 none
    int iDisabled = 0;
    WORD wEnabling = 1;  // 1: the port takes part in the search
    SensorRecord record;
    int iIndex = -1;
    int iState = PORT_STATE_NOT_PROBED;
    int iStateId = -1;  // negative: the table ends before this entry
    int iStateTextId = 0;
    int iBaudrate = 115200;  // -1 after a failed device-server check
    BYTE ucAddress = 0;
    DWORD dwFlags = 0;
    // The scan keeps the identification (slot 0) and the long status (slot 1) as received.
    char acReply[2][COM_REPLY_SLOT_SIZE] = {};
    BYTE ucReplySlot = 0;
    // The sensor behind the port was open in this run and stopped answering: the port was
    // closed by this program, not taken by another one, and may be opened again.
    bool bSensorLost = false;

    SensorEntry() { SensorRecord_Reset(record); }
};

// Back to an empty entry that ends the table; the stored settings stay.
void SensorEntry_Clear(SensorEntry& entry);
// Stores a reply frame in a slot (cut to the slot's size) and selects that slot.
void SensorEntry_StoreReply(SensorEntry& entry, int slot, std::string_view frame);
// The bytes of the selected slot.
CString SensorEntry_SelectedReply(const SensorEntry& entry);
// Whether the port sits behind a network redirector (its text names a Lantronix CPR port).
bool SensorEntry_IsNetworkPort(const SensorEntry& entry);
