#include "platform/base/MemFile.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <stdexcept>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
    m_owned.clear();
    m_lpBuffer = lpBuffer;
    m_nBufferSize = lpBuffer != nullptr ? nBufferSize : 0;
    m_nGrowBytes = nGrowBytes;
    m_nFileSize = nGrowBytes == 0 ? m_nBufferSize : 0;
    m_nPosition = 0;
}

void CMemFile::GrowFile(size_t newSize) {
    if (newSize <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();
    const size_t steps = (newSize + m_nGrowBytes - 1) / m_nGrowBytes;
    std::vector<BYTE> storage;
    try {
        storage.resize(steps * m_nGrowBytes);
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    } catch (const std::length_error&) {
        AfxThrowMemoryException();
    }
    if (m_nFileSize > 0)
        std::memcpy(storage.data(), m_lpBuffer, m_nFileSize);
    m_owned.swap(storage);
    m_lpBuffer = m_owned.data();
    m_nBufferSize = m_owned.size();
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
    if (m_nPosition >= m_nFileSize || nCount == 0)
        return 0;
    const size_t n = std::min<size_t>(nCount, m_nFileSize - m_nPosition);
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return static_cast<UINT>(n);
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
    if (nCount == 0)
        return;
    const size_t endPos = m_nPosition + nCount;
    GrowFile(endPos);
    // A write after a seek past the end leaves zero bytes in the gap.
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = endPos;
    m_nFileSize = std::max(m_nFileSize, endPos);
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom) {
    LONGLONG base = 0;
    if (nFrom == current)
        base = static_cast<LONGLONG>(m_nPosition);
    else if (nFrom == end)
        base = static_cast<LONGLONG>(m_nFileSize);
    else if (nFrom != begin)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    if ((lOff < 0 && base + lOff < 0) || (lOff > 0 && lOff > LLONG_MAX - base))
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    m_nPosition = static_cast<size_t>(base + lOff);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen) {
    GrowFile(dwNewLen);
    if (dwNewLen > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, dwNewLen - m_nFileSize);
    m_nFileSize = dwNewLen;
    m_nPosition = std::min<size_t>(m_nPosition, m_nFileSize);
}

void CMemFile::Close() {
    m_owned.clear();
    m_owned.shrink_to_fit();
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
}
