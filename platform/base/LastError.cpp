#include "platform/base/LastError.h"

#include <cerrno>

namespace {

thread_local DWORD t_lastError = 0;

}  // namespace

DWORD GetLastError() {
    return t_lastError;
}

void SetLastError(DWORD code) {
    t_lastError = code;
}

DWORD KqErrorFromErrno(int err) {
    switch (err) {
        case 0:
            return ERROR_SUCCESS;
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
        case ELOOP:
            return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EISDIR:
            return ERROR_ACCESS_DENIED;
        case EROFS:
            return ERROR_WRITE_PROTECT;
        case EBADF:
            return ERROR_INVALID_HANDLE;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        case EMFILE:
        case ENFILE:
            return ERROR_TOO_MANY_OPEN_FILES;
        case EEXIST:
            return ERROR_ALREADY_EXISTS;
        case ENOTEMPTY:
            return ERROR_DIR_NOT_EMPTY;
        case EINVAL:
        case ERANGE:
        case EDOM:
            return ERROR_INVALID_PARAMETER;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return ERROR_DISK_FULL;
        case ENAMETOOLONG:
            return ERROR_FILENAME_EXCED_RANGE;
        case EXDEV:
            return ERROR_NOT_SAME_DEVICE;
        case EBUSY:
        case ETXTBSY:
            return ERROR_BUSY;
        case EWOULDBLOCK:
            return ERROR_LOCK_VIOLATION;
        case ETIMEDOUT:
            return ERROR_TIMEOUT;
        case EPIPE:
            return ERROR_BROKEN_PIPE;
        case ENODEV:
        case ENXIO:
            return ERROR_DEV_NOT_EXIST;
        case ENOSYS:
            return ERROR_CALL_NOT_IMPLEMENTED;
        case ENOTSUP:
            return ERROR_NOT_SUPPORTED;
        case EFAULT:
            return ERROR_NOACCESS;
        case ECANCELED:
        case EINTR:
            return ERROR_OPERATION_ABORTED;
        case EIO:
            return ERROR_GEN_FAILURE;
        default:
            return ERROR_GEN_FAILURE;
    }
}

namespace kq {

BOOL FailWithErrno(int err) {
    SetLastError(KqErrorFromErrno(err));
    return FALSE;
}

BOOL FailWithErrno() {
    return FailWithErrno(errno);
}

BOOL FailWith(DWORD code) {
    SetLastError(code);
    return FALSE;
}

}  // namespace kq
