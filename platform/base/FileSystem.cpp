#include "platform/base/FileSystem.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/base/LastError.h"

namespace {

bool Exists(const char* path, struct stat* st) {
    return ::stat(path, st) == 0;
}

std::string BaseName(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    const size_t slash = trimmed.rfind('/');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

std::string ParentOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Copies the open source into a new temporary file beside the target; returns its path or
// an empty string (errno set).
std::string CopyToTemporary(int in, const struct stat& st, const std::string& target) {
    std::string temp = target + ".copy-XXXXXX";
    const int out = ::mkstemp(temp.data());
    if (out < 0)
        return {};
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || !WriteAll(out, buffer, static_cast<size_t>(n))) {
            ok = false;
            break;
        }
    }
    if (ok) {
        const timespec times[2] = {st.st_atim, st.st_mtim};
        ok = ::fchmod(out, st.st_mode & 07777) == 0 && ::futimens(out, times) == 0;
    }
    const int saved = errno;
    if (::close(out) != 0 && ok)
        ok = false;
    if (!ok) {
        ::unlink(temp.c_str());
        errno = saved;
        return {};
    }
    return temp;
}

}  // namespace

namespace kq {

bool CreateDirectories(const std::string& path) {
    const int result = SHCreateDirectoryEx(nullptr, path.c_str(), nullptr);
    return result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS;
}

DWORD FileAttributesOf(unsigned mode, const std::string& name) {
    DWORD attributes = 0;
    if (S_ISDIR(mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if ((mode & S_IWUSR) == 0)
        attributes |= FILE_ATTRIBUTE_READONLY;
    if (!name.empty() && name[0] == '.' && name != "." && name != "..")
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

}  // namespace kq

BOOL CreateDirectory(LPCSTR path, const void*) {
    if (path == nullptr || path[0] == '\0')
        return kq::FailWith(ERROR_PATH_NOT_FOUND);
    if (::mkdir(path, 0777) != 0)
        return kq::FailWithErrno(errno == ENOENT ? ENOTDIR : errno);
    return TRUE;
}

int SHCreateDirectoryEx(HWND, LPCSTR path, const void*) {
    if (path == nullptr || path[0] == '\0')
        return ERROR_BAD_PATHNAME;
    struct stat st {};
    if (Exists(path, &st)) {
        const int code = S_ISDIR(st.st_mode) ? ERROR_ALREADY_EXISTS : ERROR_FILE_EXISTS;
        SetLastError(code);
        return code;
    }
    std::string full(path);
    for (size_t pos = full.find('/', 1);; pos = full.find('/', pos + 1)) {
        const std::string part = full.substr(0, pos);
        if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) {
            const auto code = static_cast<int>(KqErrorFromErrno(errno == ENOENT ? ENOTDIR : errno));
            SetLastError(code);
            return code;
        }
        if (pos == std::string::npos)
            break;
    }
    if (!Exists(path, &st) || !S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return ERROR_PATH_NOT_FOUND;
    }
    SetLastError(ERROR_SUCCESS);
    return ERROR_SUCCESS;
}

BOOL RemoveDirectory(LPCSTR path) {
    if (path == nullptr || ::rmdir(path) != 0)
        return kq::FailWithErrno(path ? errno : ENOENT);
    return TRUE;
}

BOOL DeleteFile(LPCSTR path) {
    if (path == nullptr)
        return kq::FailWith(ERROR_FILE_NOT_FOUND);
    struct stat st {};
    if (::lstat(path, &st) == 0 && S_ISDIR(st.st_mode))
        return kq::FailWith(ERROR_ACCESS_DENIED);
    if (::unlink(path) != 0)
        return kq::FailWithErrno();
    return TRUE;
}

BOOL CopyFile(LPCSTR source, LPCSTR target, BOOL failIfExists) {
    if (source == nullptr || target == nullptr)
        return kq::FailWith(ERROR_INVALID_PARAMETER);
    const int in = ::open(source, O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return kq::FailWithErrno();
    struct stat st {};
    if (::fstat(in, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EACCES : errno;
        ::close(in);
        return kq::FailWithErrno(err);
    }
    struct stat existing {};
    if (Exists(target, &existing)) {
        if (failIfExists) {
            ::close(in);
            return kq::FailWith(ERROR_FILE_EXISTS);
        }
        if (S_ISDIR(existing.st_mode)) {
            ::close(in);
            return kq::FailWith(ERROR_ACCESS_DENIED);
        }
    }
    const std::string temp = CopyToTemporary(in, st, target);
    const int copyErr = errno;
    ::close(in);
    if (temp.empty())
        return kq::FailWithErrno(copyErr);
    // link() refuses an existing target, which keeps failIfExists exact even against a race.
    const int done = failIfExists ? ::link(temp.c_str(), target) : ::rename(temp.c_str(), target);
    const int err = errno;
    ::unlink(temp.c_str());
    if (done != 0)
        return err == EEXIST ? kq::FailWith(ERROR_FILE_EXISTS) : kq::FailWithErrno(err);
    return TRUE;
}

BOOL MoveFileEx(LPCSTR source, LPCSTR target, DWORD flags) {
    if (source == nullptr || target == nullptr || (flags & MOVEFILE_DELAY_UNTIL_REBOOT))
        return kq::FailWith(ERROR_INVALID_PARAMETER);
    struct stat st {};
    if (::lstat(source, &st) != 0)
        return kq::FailWithErrno();
    struct stat existing {};
    const bool targetExists = ::lstat(target, &existing) == 0;
    if (targetExists) {
        const bool same = existing.st_dev == st.st_dev && existing.st_ino == st.st_ino;
        if (!same && (!(flags & MOVEFILE_REPLACE_EXISTING) || S_ISDIR(st.st_mode)))
            return kq::FailWith(ERROR_ALREADY_EXISTS);
        if (!same && S_ISDIR(existing.st_mode))
            return kq::FailWith(ERROR_ACCESS_DENIED);
    }
    int result = 0;
    if (targetExists)
        result = ::rename(source, target);
    else
        result = ::renameat2(AT_FDCWD, source, AT_FDCWD, target, RENAME_NOREPLACE);
    if (result != 0 && errno == EINVAL && !targetExists)
        result = ::rename(source, target);  // file systems without RENAME_NOREPLACE
    if (result != 0 && errno == EEXIST)
        return kq::FailWith(ERROR_ALREADY_EXISTS);
    if (result != 0 && errno == EXDEV && (flags & MOVEFILE_COPY_ALLOWED) && !S_ISDIR(st.st_mode)) {
        if (!CopyFile(source, target, !(flags & MOVEFILE_REPLACE_EXISTING)))
            return FALSE;
        return DeleteFile(source);
    }
    if (result != 0)
        return kq::FailWithErrno();
    if (flags & MOVEFILE_WRITE_THROUGH) {
        const int dir = ::open(ParentOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    return TRUE;
}

BOOL MoveFile(LPCSTR source, LPCSTR target) {
    return MoveFileEx(source, target, MOVEFILE_COPY_ALLOWED);
}

DWORD GetFileAttributes(LPCSTR path) {
    struct stat st {};
    if (path == nullptr || ::stat(path, &st) != 0) {
        kq::FailWithErrno(path ? errno : ENOENT);
        return INVALID_FILE_ATTRIBUTES;
    }
    return kq::FileAttributesOf(st.st_mode, BaseName(path));
}

BOOL PathFileExists(LPCSTR path) {
    return GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES;
}
