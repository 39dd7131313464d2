// CFile: unbuffered binary access to a file through a POSIX descriptor, with the framework's
// open modes and its error reporting (CFileException). Paths use '/'.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Object.h"

struct CFileStatus {
    LONGLONG m_ctime = 0;  // times in seconds since 1970-01-01 00:00:00 UTC (status change)
    LONGLONG m_mtime = 0;  // last modification
    LONGLONG m_atime = 0;  // last access
    ULONGLONG m_size = 0;
    BYTE m_attribute = 0;  // CFile::Attribute bits
    CString m_szFullName;  // absolute path
};

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
  public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000,
    };
    enum Attribute : BYTE {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    static constexpr int hFileNull = -1;

    CFile() = default;
    // Opens the file or throws CFileException.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    // FALSE on failure, with the cause in *pError when given. Sharing (shareExclusive,
    // shareDenyRead, shareDenyWrite) is enforced among the opens of this program through
    // advisory locks; os* hints other than osWriteThrough are accepted and have no effect.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);

    // Reads up to nCount bytes; fewer only at the end of the file.
    virtual UINT Read(void* lpBuf, UINT nCount);
    // Writes all nCount bytes or throws (diskFull when the device has no room).
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    // Hands written data to the device (fsync).
    virtual void Flush();
    // Closes the file; throws when the system reports that written data was lost.
    virtual void Close();
    // Closes the file ignoring errors.
    virtual void Abort();

    virtual CString GetFilePath() const { return m_strFileName; }
    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual void SetFilePath(LPCTSTR lpszNewName) { m_strFileName = lpszNewName; }

    BOOL GetStatus(CFileStatus& rStatus) const;
    static BOOL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
    // Renaming fails when the new name exists already.
    static void Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static void Remove(LPCTSTR lpszFileName);

    int m_hFile = hFileNull;  // the descriptor
    BOOL m_bCloseOnDelete = FALSE;

  protected:
    void ThrowIfClosed() const;
    [[noreturn]] void ThrowErrno(int error) const;

    CString m_strFileName;
};
