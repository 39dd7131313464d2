#include "ports/PortErrors.h"

#include <errno.h>

namespace kq::ports {

DWORD PortErrorFromErrno(int error) {
    switch (error) {
        case EBUSY:
        case EWOULDBLOCK:
            return ERROR_ACCESS_DENIED;
        case EIO:
        case ENODEV:
        case ENXIO:
        case EPIPE:
        case ECONNRESET:
        case ENOTCONN:
        case ESHUTDOWN:
            return ERROR_DEV_NOT_EXIST;
        case ENOTTY:
            return ERROR_INVALID_FUNCTION;
        case ECONNREFUSED:
        case EHOSTUNREACH:
        case ENETUNREACH:
            return ERROR_FILE_NOT_FOUND;
        default:
            return KqErrorFromErrno(error);
    }
}

UINT PortErrorStringId(DWORD error) {
    switch (static_cast<LONG>(error)) {
        case ERROR_SUCCESS:
            return 0;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_FUNCTION:
            return IDS_PORT_NOT_FOUND;
        case ERROR_ACCESS_DENIED:
        case ERROR_BUSY:
            return IDS_PORT_IN_USE;
        case ERROR_DEV_NOT_EXIST:
            return IDS_PORT_REMOVED;
        case ERROR_INVALID_PARAMETER:
            return IDS_PORT_BAD_SETTINGS;
        case ERROR_TIMEOUT:
            return IDS_PORT_NO_RESPONSE;
        default:
            return IDS_PORT_FAILURE;
    }
}

}  // namespace kq::ports
