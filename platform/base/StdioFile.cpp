#include "platform/base/StdioFile.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {
constexpr size_t kBufferSize = 64 * 1024;
}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) {
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CStdioFile::~CStdioFile() {
    if (m_hFile != hFileNull && m_bCloseOnDelete) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    m_begin = m_end = 0;
    m_mode = Mode::Idle;
    return CFile::Open(lpszFileName, nOpenFlags, pError);
}

void CStdioFile::Sync() {
    if (m_mode == Mode::Reading && m_end > m_begin)
        CFile::Seek(-static_cast<LONGLONG>(m_end - m_begin), current);
    const Mode mode = m_mode;
    const size_t pending = m_end;
    m_begin = m_end = 0;
    m_mode = Mode::Idle;
    if (mode == Mode::Writing && pending > 0)
        CFile::Write(m_buffer.data(), static_cast<UINT>(pending));
}

bool CStdioFile::FillBuffer() {
    if (m_mode != Mode::Reading)
        Sync();
    m_mode = Mode::Reading;
    if (m_begin < m_end)
        return true;
    m_buffer.resize(kBufferSize);
    m_begin = 0;
    m_end = CFile::Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
    return m_end > 0;
}

int CStdioFile::GetChar() {
    if (!FillBuffer())
        return -1;
    return static_cast<unsigned char>(m_buffer[m_begin++]);
}

int CStdioFile::PeekChar() {
    if (!FillBuffer())
        return -1;
    return static_cast<unsigned char>(m_buffer[m_begin]);
}

BOOL CStdioFile::ReadString(CString& rString) {
    rString.Empty();
    bool any = false;
    while (FillBuffer()) {
        any = true;
        const char* first = m_buffer.data() + m_begin;
        const char* last = m_buffer.data() + m_end;
        const char* newline = std::find(first, last, '\n');
        rString.Append(first, static_cast<int>(newline - first));
        m_begin += static_cast<size_t>(newline - first);
        if (newline != last) {
            ++m_begin;
            if (!rString.IsEmpty() && rString.GetAt(rString.GetLength() - 1) == '\r')
                rString.Truncate(rString.GetLength() - 1);
            break;
        }
    }
    return any ? TRUE : FALSE;
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax) {
    if (lpsz == nullptr || nMax == 0)
        return nullptr;
    UINT n = 0;
    bool endOfFile = false;
    while (n + 1 < nMax) {
        int c = GetChar();
        if (c < 0) {
            endOfFile = true;
            break;
        }
        if (c == '\r' && PeekChar() == '\n')
            c = GetChar();
        lpsz[n++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    lpsz[n] = '\0';
    return n == 0 && endOfFile ? nullptr : lpsz;
}

void CStdioFile::WriteString(LPCTSTR lpsz) {
    if (lpsz != nullptr)
        Write(lpsz, static_cast<UINT>(std::strlen(lpsz)));
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount) {
    auto* out = static_cast<char*>(lpBuf);
    UINT done = 0;
    while (done < nCount && FillBuffer()) {
        const size_t n = std::min<size_t>(nCount - done, m_end - m_begin);
        std::memcpy(out + done, m_buffer.data() + m_begin, n);
        m_begin += n;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount) {
    ThrowIfClosed();
    if (m_mode != Mode::Writing) {
        Sync();
        m_mode = Mode::Writing;
        m_buffer.resize(kBufferSize);
    }
    if (m_end + nCount > m_buffer.size()) {
        Sync();
        m_mode = Mode::Writing;
        if (nCount >= m_buffer.size()) {
            CFile::Write(lpBuf, nCount);
            return;
        }
    }
    std::memcpy(m_buffer.data() + m_end, lpBuf, nCount);
    m_end += nCount;
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom) {
    Sync();
    return CFile::Seek(lOff, nFrom);
}

ULONGLONG CStdioFile::GetPosition() const {
    const ULONGLONG pos = CFile::GetPosition();
    if (m_mode == Mode::Reading)
        return pos - (m_end - m_begin);
    if (m_mode == Mode::Writing)
        return pos + m_end;
    return pos;
}

ULONGLONG CStdioFile::GetLength() const {
    const ULONGLONG length = CFile::GetLength();
    return m_mode == Mode::Writing ? std::max(length, GetPosition()) : length;
}

void CStdioFile::SetLength(ULONGLONG dwNewLen) {
    Sync();
    CFile::SetLength(dwNewLen);
}

void CStdioFile::Flush() {
    if (m_hFile == hFileNull)
        return;
    Sync();
}

void CStdioFile::Close() {
    if (m_hFile == hFileNull)
        return;
    try {
        Sync();
    } catch (CException*) {
        CFile::Abort();
        throw;
    }
    CFile::Close();
}

void CStdioFile::Abort() {
    m_begin = m_end = 0;
    m_mode = Mode::Idle;
    CFile::Abort();
}
