// The data of WM_DEVICECHANGE: event codes and the broadcast header of a port. The port's
// structure ends in its NUL-terminated name ("COM3"); dbcp_size covers the name.
#pragma once

#include "platform/base/WinTypes.h"

constexpr UINT DBT_DEVNODES_CHANGED = 0x0007;
constexpr UINT DBT_DEVICEARRIVAL = 0x8000;
constexpr UINT DBT_DEVICEQUERYREMOVE = 0x8001;
constexpr UINT DBT_DEVICEREMOVEPENDING = 0x8003;
constexpr UINT DBT_DEVICEREMOVECOMPLETE = 0x8004;

constexpr DWORD DBT_DEVTYP_OEM = 0;
constexpr DWORD DBT_DEVTYP_VOLUME = 2;
constexpr DWORD DBT_DEVTYP_PORT = 3;
constexpr DWORD DBT_DEVTYP_DEVICEINTERFACE = 5;

struct DEV_BROADCAST_HDR {
    DWORD dbch_size;
    DWORD dbch_devicetype;
    DWORD dbch_reserved;
};
using PDEV_BROADCAST_HDR = DEV_BROADCAST_HDR*;

struct DEV_BROADCAST_PORT {
    DWORD dbcp_size;
    DWORD dbcp_devicetype;
    DWORD dbcp_reserved;
    char dbcp_name[1];
};
using PDEV_BROADCAST_PORT = DEV_BROADCAST_PORT*;
using DEV_BROADCAST_PORT_A = DEV_BROADCAST_PORT;

namespace kq::ports {

// The port name a WM_DEVICECHANGE data value carries, or nullptr when the value is no port
// broadcast. Values that cannot be addresses (0, small numbers, 0xFFFFFFFF and -1, which
// callers use as "no data") are never read; a name must end within dbcp_size.
const char* PortNameOfBroadcast(DWORD_PTR data);

}  // namespace kq::ports
