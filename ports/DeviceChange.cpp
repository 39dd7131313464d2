#include "ports/DeviceChange.h"

#include <cstddef>
#include <cstring>

namespace kq::ports {

const char* PortNameOfBroadcast(DWORD_PTR data) {
    if (data < 0x10000 || data == 0xFFFFFFFFu || data == static_cast<DWORD_PTR>(-1)) {
        return nullptr;
    }
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (header->dbch_devicetype != DBT_DEVTYP_PORT ||
        header->dbch_size <= offsetof(DEV_BROADCAST_PORT, dbcp_name)) {
        return nullptr;
    }
    const auto* port = reinterpret_cast<const DEV_BROADCAST_PORT*>(data);
    const size_t room = header->dbch_size - offsetof(DEV_BROADCAST_PORT, dbcp_name);
    if (memchr(port->dbcp_name, '\0', room) == nullptr) {
        return nullptr;
    }
    return port->dbcp_name;
}

}  // namespace kq::ports
