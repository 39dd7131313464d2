// The port library's failures as system error codes, and the string ids of their messages.
#pragma once

#include "platform/base/LastError.h"
#include "platform/base/WinTypes.h"

// Message ids of the port library (German; the language offset gives the other languages):
// 9700 "Die Schnittstelle ist nicht vorhanden." / "The port does not exist."
// 9701 "Die Schnittstelle ist belegt oder gesperrt." / "The port is in use or access to it is
//      denied."
// 9702 "Das Gerät der Schnittstelle wurde entfernt." / "The port's device was removed."
// 9703 "Die Schnittstelle unterstützt diese Einstellungen nicht." / "The port does not support
//      these settings."
// 9704 "Die Schnittstelle antwortet nicht." / "The port does not respond."
// 9705 "Fehler an der Schnittstelle." / "The port reported an error."
constexpr UINT IDS_PORT_NOT_FOUND = 9700;
constexpr UINT IDS_PORT_IN_USE = 9701;
constexpr UINT IDS_PORT_REMOVED = 9702;
constexpr UINT IDS_PORT_BAD_SETTINGS = 9703;
constexpr UINT IDS_PORT_NO_RESPONSE = 9704;
constexpr UINT IDS_PORT_FAILURE = 9705;

namespace kq::ports {

// The error code of a failed port operation's errno. A line open elsewhere is
// ERROR_ACCESS_DENIED, as the system reports a COM port that another program holds; a device
// that went away is ERROR_DEV_NOT_EXIST.
DWORD PortErrorFromErrno(int error);
// The message id of an error code; 0 for ERROR_SUCCESS.
UINT PortErrorStringId(DWORD error);

}  // namespace kq::ports
