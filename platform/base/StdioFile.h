// CStdioFile: a buffered CFile for text lines. Bytes are written as given (no line-end
// translation); reading accepts lines ending in "\n" or "\r\n".
#pragma once

#include <vector>

#include "platform/base/File.h"

class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
  public:
    CStdioFile() = default;
    // Opens the file or throws CFileException.
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    // Writes out what is still buffered; errors at this point are lost, so call Close.
    ~CStdioFile() override;

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;

    // The next line without its line end; FALSE at the end of the file when nothing was read.
    virtual BOOL ReadString(CString& rString);
    // Like fgets: at most nMax - 1 bytes, up to and including the "\n" ("\r\n" is stored as
    // "\n"), always terminated; nullptr at the end of the file when nothing was read.
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    virtual void WriteString(LPCTSTR lpsz);

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG dwNewLen) override;
    // Hands buffered bytes to the system, as fflush does; no fsync.
    void Flush() override;
    void Close() override;
    void Abort() override;

  private:
    enum class Mode { Idle, Reading, Writing };

    // Returns the descriptor to the logical position: unread bytes are given back, pending
    // bytes are written. Throws CFileException when writing fails.
    void Sync();
    bool FillBuffer();
    int GetChar();
    int PeekChar();

    std::vector<char> m_buffer;
    size_t m_begin = 0;  // reading: next unread byte
    size_t m_end = 0;    // reading: end of valid bytes; writing: end of pending bytes
    Mode m_mode = Mode::Idle;
};
