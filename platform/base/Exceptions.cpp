#include "platform/base/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

std::mutex gReporterMutex;
kq::ErrorReporter gReporter;

CString NameOrDefault(const CString& name) {
    return name.IsEmpty() ? CString("an unnamed file") : name;
}

}  // namespace

void kq::SetErrorReporter(ErrorReporter reporter) {
    std::lock_guard lock(gReporterMutex);
    gReporter = std::move(reporter);
}

void CException::Delete() {
    if (m_bAutoDelete > 0)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    const CString text = MessageText();
    if (lpszError != nullptr && nMaxError > 0) {
        const size_t n = std::min<size_t>(static_cast<size_t>(text.GetLength()), nMaxError - 1);
        std::memcpy(lpszError, text.GetString(), n);
        lpszError[n] = '\0';
    }
    return text.IsEmpty() ? FALSE : TRUE;
}

int CException::ReportError(UINT nType, UINT nMessageID) {
    CString text = MessageText();
    if (text.IsEmpty() && (nMessageID == 0 || !text.LoadString(nMessageID)))
        text = "No error message is available.";
    kq::ErrorReporter reporter;
    {
        std::lock_guard lock(gReporterMutex);
        reporter = gReporter;
    }
    if (reporter)
        return reporter(text, nType);
    std::fprintf(stderr, "%s\n", text.GetString());
    return 1;
}

CString CMemoryException::MessageText() const {
    return "Out of memory.";
}

CString CNotSupportedException::MessageText() const {
    return "The operation is not supported.";
}

CString CInvalidArgException::MessageText() const {
    return "An invalid argument was encountered.";
}

CString CResourceException::MessageText() const {
    return "A required resource was unavailable.";
}

int CFileException::OsErrorToException(LONG lOsError) {
    switch (lOsError) {
        case 0:
            return none;
        case ENOENT:
            return fileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return badPath;
        case EMFILE:
        case ENFILE:
            return tooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case EEXIST:
        case EBADF:
            return accessDenied;
        case EBUSY:
        case ETXTBSY:
        case EWOULDBLOCK:
            return sharingViolation;
        case ESPIPE:
        case EOVERFLOW:
            return badSeek;
        case EIO:
            return hardIO;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return diskFull;
        case EDEADLK:
        case ENOLCK:
            return lockViolation;
        default:
            return genericException;
    }
}

void CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName) {
    throw new CFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

CString CFileException::MessageText() const {
    const CString name = NameOrDefault(m_strFileName);
    CString text;
    switch (m_cause) {
        case none:
            return text;
        case fileNotFound:
            text.Format("%s was not found.", name);
            break;
        case badPath:
            text.Format("%s contains an invalid path.", name);
            break;
        case tooManyOpenFiles:
            text.Format("%s could not be opened because there are too many open files.", name);
            break;
        case accessDenied:
            text.Format("Access to %s was denied.", name);
            break;
        case invalidFile:
            text.Format("An invalid file handle was used with %s.", name);
            break;
        case removeCurrentDir:
            text.Format("%s could not be removed because it is the current directory.", name);
            break;
        case directoryFull:
            text.Format("%s could not be created because the directory is full.", name);
            break;
        case badSeek:
            text.Format("Seek failed on %s.", name);
            break;
        case hardIO:
            text.Format("A hardware I/O error was reported while accessing %s.", name);
            break;
        case sharingViolation:
            text.Format("A sharing violation occurred while accessing %s.", name);
            break;
        case lockViolation:
            text.Format("A locking violation occurred while accessing %s.", name);
            break;
        case diskFull:
            text.Format("The disk is full while accessing %s.", name);
            break;
        case endOfFile:
            text.Format("An attempt was made to access %s past its end.", name);
            break;
        default:
            text.Format("An unexpected error occurred while accessing %s.", name);
            break;
    }
    if (m_lOsError > 0)
        text.AppendFormat(" (%s)", std::strerror(m_lOsError));
    return text;
}

CString CArchiveException::MessageText() const {
    const CString name = NameOrDefault(m_strFileName);
    CString text;
    switch (m_cause) {
        case none:
            return text;
        case readOnly:
            text.Format("An attempt was made to write to %s while it was being read.", name);
            break;
        case endOfFile:
            text.Format("Unexpected end of file while reading %s.", name);
            break;
        case writeOnly:
            text.Format("An attempt was made to read from %s while it was being written.", name);
            break;
        case badIndex:
            text.Format("%s has an invalid format.", name);
            break;
        case badClass:
            text.Format("%s contains an unexpected object.", name);
            break;
        case badSchema:
            text.Format("%s contains an incompatible version of an object.", name);
            break;
        default:
            text.Format("An unexpected error occurred while accessing %s.", name);
            break;
    }
    return text;
}

void AfxThrowMemoryException() {
    // Thrown without allocating: there may be no memory left to allocate an exception from.
    static CMemoryException preallocated(FALSE);
    throw &preallocated;
}

void AfxThrowNotSupportedException() {
    throw new CNotSupportedException;
}

void AfxThrowInvalidArgException() {
    throw new CInvalidArgException;
}

void AfxThrowResourceException() {
    throw new CResourceException;
}

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName) {
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName) {
    throw new CArchiveException(cause, lpszArchiveName);
}
