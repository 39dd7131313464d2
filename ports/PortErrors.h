// The port library's failures as system error codes, and the string ids of their messages.
#pragma once

#include "platform/base/LastError.h"
#include "platform/base/WinTypes.h"

// Message ids of the port library (German; the language offset gives the other languages).
constexpr UINT IDS_PORT_NOT_FOUND = 5710;
constexpr UINT IDS_PORT_IN_USE = 5711;
constexpr UINT IDS_PORT_REMOVED = 5712;
constexpr UINT IDS_PORT_BAD_SETTINGS = 5713;
constexpr UINT IDS_PORT_NO_RESPONSE = 5714;
constexpr UINT IDS_PORT_FAILURE = 5715;

namespace kq::ports {

// The error code of a failed port operation's errno. A line open elsewhere is
// ERROR_ACCESS_DENIED, as the system reports a COM port that another program holds; a device
// that went away is ERROR_DEV_NOT_EXIST.
DWORD PortErrorFromErrno(int error);
// The message id of an error code; 0 for ERROR_SUCCESS.
UINT PortErrorStringId(DWORD error);

}  // namespace kq::ports
