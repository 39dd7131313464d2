// The framework's exceptions. They are thrown as pointers to objects made with new and the catcher
// releases them with e->Delete():
//
//     try { file.Write(data, size); }
//     catch (CFileException* e) { ... e->m_cause ...; e->Delete(); }
#pragma once

#include <functional>

#include "platform/base/CString.h"
#include "platform/base/Object.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
  public:
    // bAutoDelete: the object lives on the heap and Delete() frees it.
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}

    void Delete();

    // Copies the message, cut to nMaxError - 1 bytes and terminated; FALSE when there is none.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError,
                                 UINT* pnHelpContext = nullptr) const;
    // Shows the message (or the string resource nMessageID when there is none) through the
    // installed error reporter and returns its answer.
    virtual int ReportError(UINT nType = 0, UINT nMessageID = 0);

  protected:
    // The text GetErrorMessage copies out; empty when the exception has none.
    virtual CString MessageText() const { return CString(); }

  public:
    BOOL m_bAutoDelete;
};

// Exceptions that carry no data of their own.
class CSimpleException : public CException {
    DECLARE_DYNAMIC(CSimpleException)
  public:
    explicit CSimpleException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
};

class CMemoryException : public CSimpleException {
    DECLARE_DYNAMIC(CMemoryException)
  public:
    explicit CMemoryException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}

  protected:
    CString MessageText() const override;
};

class CNotSupportedException : public CSimpleException {
    DECLARE_DYNAMIC(CNotSupportedException)
  public:
    explicit CNotSupportedException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}

  protected:
    CString MessageText() const override;
};

class CInvalidArgException : public CSimpleException {
    DECLARE_DYNAMIC(CInvalidArgException)
  public:
    explicit CInvalidArgException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}

  protected:
    CString MessageText() const override;
};

// A window class, bitmap, font or other system resource could not be made.
class CResourceException : public CSimpleException {
    DECLARE_DYNAMIC(CResourceException)
  public:
    explicit CResourceException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}

  protected:
    CString MessageText() const override;
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
  public:
    enum {
        none = 0,
        genericException = 1,
        generic = genericException,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr)
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName) {}

    // The cause for an operating-system error number (errno).
    static int OsErrorToException(LONG lOsError);
    [[noreturn]] static void ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = nullptr);

    int m_cause;
    LONG m_lOsError;  // the errno behind the failure, -1 when there is none
    CString m_strFileName;

  protected:
    CString MessageText() const override;
};

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
  public:
    enum {
        none = 0,
        genericException = 1,
        generic = genericException,
        readOnly = 2,
        endOfFile = 3,
        writeOnly = 4,
        badIndex = 5,
        badClass = 6,
        badSchema = 7,
    };

    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr)
        : m_cause(cause), m_strFileName(lpszArchiveName) {}

    int m_cause;
    CString m_strFileName;

  protected:
    CString MessageText() const override;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1,
                                        LPCTSTR lpszFileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);

namespace kq {

// Receives the text and message-box type of CException::ReportError and returns the button the
// user chose. The window layer installs a message box; without one the text goes to stderr and
// the answer is 1 (OK).
using ErrorReporter = std::function<int(const CString& text, UINT type)>;
void SetErrorReporter(ErrorReporter reporter);

}  // namespace kq
