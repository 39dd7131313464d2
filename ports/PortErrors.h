// The port library's failures as system error codes, and the string ids of their messages.
#pragma once

#include "platform/base/LastError.h"
#include "platform/base/WinTypes.h"
#include "res/TextIds.h"

namespace kq::ports {

// The error code of a failed port operation's errno. A line open elsewhere is
// ERROR_ACCESS_DENIED, as the system reports a COM port that another program holds; a device
// that went away is ERROR_DEV_NOT_EXIST.
DWORD PortErrorFromErrno(int error);
// The message id of an error code; 0 for ERROR_SUCCESS.
UINT PortErrorStringId(DWORD error);

}  // namespace kq::ports
