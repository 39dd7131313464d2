#include "platform/base/File.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

IMPLEMENT_DYNAMIC(CFile, CObject)

namespace {

CString AbsolutePath(const char* path) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(path, ec);
    return ec ? CString(path) : CString(p.lexically_normal().string());
}

// A missing file and a missing folder both give ENOENT; the framework tells them apart.
int OpenCause(int error, const char* path) {
    if (error == ENOENT) {
        std::error_code ec;
        std::filesystem::path parent = std::filesystem::absolute(path, ec).parent_path();
        if (*path == '\0' || ec || !std::filesystem::is_directory(parent, ec))
            return CFileException::badPath;
    }
    return CFileException::OsErrorToException(error);
}

int OpenAccess(UINT flags) {
    switch (flags & 3) {
        case CFile::modeRead:
            return O_RDONLY;
        case CFile::modeWrite:
            return O_WRONLY;
        case CFile::modeReadWrite:
            return O_RDWR;
        default:
            return -1;
    }
}

// The advisory lock that stands for a sharing mode; 0 when the mode shares everything.
int ShareLock(UINT flags) {
    switch (flags & 0x70) {
        case CFile::shareExclusive:
        case CFile::shareDenyRead:
            return LOCK_EX;
        case CFile::shareDenyWrite:
            return LOCK_SH;
        default:
            return 0;
    }
}

void FillStatus(const struct stat& st, const CString& fullName, CFileStatus& rStatus) {
    rStatus.m_ctime = st.st_ctim.tv_sec;
    rStatus.m_mtime = st.st_mtim.tv_sec;
    rStatus.m_atime = st.st_atim.tv_sec;
    rStatus.m_size = S_ISREG(st.st_mode) ? static_cast<ULONGLONG>(st.st_size) : 0;
    BYTE attribute = CFile::normal;
    if (S_ISDIR(st.st_mode))
        attribute |= CFile::directory;
    if ((st.st_mode & 0222) == 0)
        attribute |= CFile::readOnly;
    const std::string name = std::filesystem::path(fullName.Str()).filename().string();
    if (!name.empty() && name[0] == '.')
        attribute |= CFile::hidden;
    rStatus.m_attribute = attribute;
    rStatus.m_szFullName = fullName;
}

}  // namespace

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) {
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile() {
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    ASSERT(m_hFile == hFileNull);
    if (m_hFile != hFileNull)
        Abort();
    const char* path = lpszFileName != nullptr ? lpszFileName : "";
    m_strFileName = AbsolutePath(path);
    auto fail = [&](int cause, int error) {
        if (pError != nullptr) {
            pError->m_cause = cause;
            pError->m_lOsError = error;
            pError->m_strFileName = m_strFileName;
        }
        return FALSE;
    };

    const int access = OpenAccess(nOpenFlags);
    if (access < 0)
        return fail(CFileException::genericException, EINVAL);
    int flags = access | O_CLOEXEC;
    if (nOpenFlags & modeCreate)
        flags |= O_CREAT;
    if (nOpenFlags & osWriteThrough)
        flags |= O_DSYNC;
    int fd;
    do {
        fd = ::open(path, flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        return fail(OpenCause(error, path), error);
    }
    auto failAndClose = [&](int cause, int error) {
        ::close(fd);
        return fail(cause, error);
    };
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return failAndClose(CFileException::OsErrorToException(errno), errno);
    if (S_ISDIR(st.st_mode))
        return failAndClose(CFileException::accessDenied, EISDIR);
    if (const int lock = ShareLock(nOpenFlags); lock != 0 && ::flock(fd, lock | LOCK_NB) != 0)
        return failAndClose(CFileException::sharingViolation, errno);
    // Truncate only once the sharing mode is granted, so a refused open destroys nothing.
    if ((nOpenFlags & modeCreate) && !(nOpenFlags & modeNoTruncate) && S_ISREG(st.st_mode) &&
        ::ftruncate(fd, 0) != 0) {
        const int error = errno;
        return failAndClose(CFileException::OsErrorToException(error), error);
    }
    m_hFile = fd;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

void CFile::ThrowIfClosed() const {
    ASSERT(m_hFile != hFileNull);
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
}

void CFile::ThrowErrno(int error) const {
    CFileException::ThrowOsError(error, m_strFileName);
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
    ThrowIfClosed();
    auto* out = static_cast<char*>(lpBuf);
    UINT done = 0;
    while (done < nCount) {
        const ssize_t n = ::read(m_hFile, out + done, nCount - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno);
        }
        if (n == 0)
            break;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
    ThrowIfClosed();
    const auto* in = static_cast<const char*>(lpBuf);
    UINT done = 0;
    while (done < nCount) {
        const ssize_t n = ::write(m_hFile, in + done, nCount - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno);
        }
        if (n == 0)
            ThrowErrno(ENOSPC);
        done += static_cast<UINT>(n);
    }
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
    ThrowIfClosed();
    const int whence = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : SEEK_END;
    if (nFrom > end)
        AfxThrowFileException(CFileException::badSeek, EINVAL, m_strFileName);
    const off_t pos = ::lseek(m_hFile, static_cast<off_t>(lOff), whence);
    if (pos < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetPosition() const {
    ThrowIfClosed();
    const off_t pos = ::lseek(m_hFile, 0, SEEK_CUR);
    if (pos < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetLength() const {
    ThrowIfClosed();
    struct stat st {};
    if (::fstat(m_hFile, &st) != 0)
        ThrowErrno(errno);
    return static_cast<ULONGLONG>(st.st_size);
}

void CFile::SetLength(ULONGLONG dwNewLen) {
    ThrowIfClosed();
    if (::ftruncate(m_hFile, static_cast<off_t>(dwNewLen)) != 0)
        ThrowErrno(errno);
}

void CFile::Flush() {
    if (m_hFile == hFileNull)
        return;
    // Devices and pipes cannot be synchronised; that is not a failure of the data.
    if (::fsync(m_hFile) != 0 && errno != EINVAL && errno != EROFS)
        ThrowErrno(errno);
}

void CFile::Close() {
    if (m_hFile == hFileNull)
        return;
    const int fd = m_hFile;
    m_hFile = hFileNull;
    if (::close(fd) != 0 && errno != EINTR)
        ThrowErrno(errno);
}

void CFile::Abort() {
    if (m_hFile != hFileNull) {
        ::close(m_hFile);
        m_hFile = hFileNull;
    }
}

CString CFile::GetFileName() const {
    return std::filesystem::path(m_strFileName.Str()).filename().string();
}

CString CFile::GetFileTitle() const {
    return std::filesystem::path(m_strFileName.Str()).stem().string();
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const {
    if (m_hFile == hFileNull)
        return GetStatus(m_strFileName, rStatus);
    struct stat st {};
    if (::fstat(m_hFile, &st) != 0)
        return FALSE;
    FillStatus(st, m_strFileName, rStatus);
    return TRUE;
}

BOOL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus) {
    struct stat st {};
    if (lpszFileName == nullptr || ::stat(lpszFileName, &st) != 0)
        return FALSE;
    FillStatus(st, AbsolutePath(lpszFileName), rStatus);
    return TRUE;
}

void CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName) {
    if (::renameat2(AT_FDCWD, lpszOldName, AT_FDCWD, lpszNewName, RENAME_NOREPLACE) == 0)
        return;
    int error = errno;
    if (error == EINVAL || error == ENOSYS) {
        // The file system cannot refuse to replace; check first.
        struct stat st {};
        error = ::lstat(lpszNewName, &st) == 0            ? EEXIST
                : ::rename(lpszOldName, lpszNewName) == 0 ? 0
                                                          : errno;
        if (error == 0)
            return;
    }
    CFileException::ThrowOsError(error, lpszOldName);
}

void CFile::Remove(LPCTSTR lpszFileName) {
    if (::unlink(lpszFileName) != 0)
        CFileException::ThrowOsError(errno, lpszFileName);
}
