// CMemFile: a file held in memory, either in storage of its own that grows in steps of
// nGrowBytes, or in a caller's buffer that it reads and overwrites in place.
#pragma once

#include <vector>

#include "platform/base/File.h"

class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
  public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    // Uses the caller's buffer, which must outlive the file. With nGrowBytes 0 the file is the
    // buffer's content and cannot grow beyond it; otherwise the file starts empty and moves to
    // storage of its own when it outgrows the buffer.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override = default;

    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override { return m_nPosition; }
    ULONGLONG GetLength() const override { return m_nFileSize; }
    void SetLength(ULONGLONG dwNewLen) override;
    void Flush() override {}
    void Close() override;
    void Abort() override { Close(); }

  private:
    void GrowFile(size_t newSize);

    std::vector<BYTE> m_owned;
    BYTE* m_lpBuffer = nullptr;
    size_t m_nBufferSize = 0;
    size_t m_nFileSize = 0;
    size_t m_nPosition = 0;
    UINT m_nGrowBytes = 1024;
};
