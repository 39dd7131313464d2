#include "platform/base/Archive.h"

#include "platform/base/CodePage1252.h"
#include "platform/base/Utf8.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <string>

static_assert(std::endian::native == std::endian::little,
              "archives store the machine's scalars as they lie in memory");

namespace {

constexpr size_t kMinBufferSize = 128;
// Text of unknown total length is read in steps of this size, so storage grows with the data
// that actually arrives.
constexpr size_t kReadStep = 64 * 1024;

// UTF-16LE to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    const size_t units = bytes.size() / 2;
    auto unit = [&](size_t i) {
        return static_cast<uint32_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    };
    for (size_t i = 0; i < units; ++i) {
        uint32_t cp = unit(i);
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < units && unit(i + 1) >= 0xDC00 &&
            unit(i + 1) < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp < 0xE000) {
            cp = 0xFFFD;
        }
        kq::AppendUtf8(out, cp);
    }
    return out;
}

}  // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf) : m_pFile(pFile) {
    (void)lpBuf;
    ASSERT(pFile != nullptr);
    m_nMode = nMode;
    m_buffer.resize(std::max(kMinBufferSize, static_cast<size_t>(std::max(nBufSize, 0))));
    if (pFile != nullptr)
        m_strFileName = pFile->GetFilePath();
}

CArchive::~CArchive() {
    if (m_pFile == nullptr)
        return;
    if (m_nMode & bNoFlushOnDelete) {
        Abort();
        return;
    }
    try {
        Close();
    } catch (CException* e) {
        e->Delete();
    }
}

void CArchive::Throw(int cause) const {
    AfxThrowArchiveException(cause, m_strFileName);
}

void CArchive::CheckLoading() {
    ASSERT(m_pFile != nullptr);
    if (m_pFile == nullptr)
        Throw(CArchiveException::genericException);
    if (!IsLoading())
        Throw(CArchiveException::writeOnly);
}

void CArchive::CheckStoring() {
    ASSERT(m_pFile != nullptr);
    if (m_pFile == nullptr)
        Throw(CArchiveException::genericException);
    if (!IsStoring())
        Throw(CArchiveException::readOnly);
}

UINT CArchive::GetObjectSchema() {
    const UINT schema = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return schema;
}

bool CArchive::FillBuffer() {
    m_cur = 0;
    m_lim = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
    return m_lim > 0;
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
    CheckLoading();
    auto* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        if (m_cur == m_lim) {
            // Large reads bypass the buffer.
            if (nMax - done >= m_buffer.size()) {
                done += m_pFile->Read(out + done, nMax - done);
                break;
            }
            if (!FillBuffer())
                break;
        }
        const size_t n = std::min<size_t>(nMax - done, m_lim - m_cur);
        std::memcpy(out + done, m_buffer.data() + m_cur, n);
        m_cur += n;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CArchive::ReadExact(void* lpBuf, UINT nCount) {
    if (Read(lpBuf, nCount) != nCount)
        Throw(CArchiveException::endOfFile);
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
    CheckStoring();
    if (nMax == 0)
        return;
    if (m_cur + nMax > m_buffer.size()) {
        Flush();
        if (nMax >= m_buffer.size()) {
            m_pFile->Write(lpBuf, nMax);
            return;
        }
    }
    std::memcpy(m_buffer.data() + m_cur, lpBuf, nMax);
    m_cur += nMax;
}

void CArchive::Flush() {
    if (m_pFile == nullptr)
        return;
    if (IsLoading()) {
        if (m_lim > m_cur)
            m_pFile->Seek(-static_cast<LONGLONG>(m_lim - m_cur), CFile::current);
        m_cur = m_lim = 0;
    } else if (m_cur > 0) {
        const auto pending = static_cast<UINT>(m_cur);
        m_cur = 0;
        m_pFile->Write(m_buffer.data(), pending);
    }
}

void CArchive::Close() {
    if (m_pFile == nullptr)
        return;
    try {
        Flush();
    } catch (CFileException* e) {
        const bool loading = IsLoading();
        m_pFile = nullptr;
        // A file that cannot seek back does not make reading fail.
        if (!loading)
            throw;
        e->Delete();
    }
    m_pFile = nullptr;
}

void CArchive::Abort() {
    m_cur = m_lim = 0;
    m_pFile = nullptr;
}

void CArchive::EnsureAvailable(ULONGLONG nCount, ULONGLONG nMinBytesEach) {
    CheckLoading();
    if (nMinBytesEach != 0 && nCount > ULLONG_MAX / nMinBytesEach)
        Throw(CArchiveException::endOfFile);
    const ULONGLONG needed = nCount * nMinBytesEach;
    const ULONGLONG buffered = m_lim - m_cur;
    if (needed <= buffered)
        return;
    ULONGLONG remaining = 0;
    try {
        const ULONGLONG length = m_pFile->GetLength();
        const ULONGLONG position = m_pFile->GetPosition();
        remaining = length > position ? length - position : 0;
    } catch (CFileException* e) {
        e->Delete();
        return;
    }
    if (needed - buffered > remaining)
        Throw(CArchiveException::endOfFile);
}

CArchive& CArchive::operator<<(bool v) {
    return WriteScalar(static_cast<BYTE>(v ? 1 : 0));
}

CArchive& CArchive::operator>>(bool& v) {
    BYTE b = 0;
    ReadScalar(b);
    v = b != 0;
    return *this;
}

CArchive& CArchive::operator<<(const char* psz) {
    return *this << CString(psz);
}

DWORD_PTR CArchive::ReadCount() {
    WORD w = 0;
    *this >> w;
    if (w != 0xFFFF)
        return w;
    DWORD dw = 0;
    *this >> dw;
    if (dw != 0xFFFFFFFFu)
        return dw;
    ULONGLONG qw = 0;
    *this >> qw;
    return static_cast<DWORD_PTR>(qw);
}

void CArchive::WriteCount(DWORD_PTR dwCount) {
    if (dwCount < 0xFFFF) {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    *this << static_cast<WORD>(0xFFFF);
    if (dwCount < 0xFFFFFFFFu) {
        *this << static_cast<DWORD>(dwCount);
        return;
    }
    *this << static_cast<DWORD>(0xFFFFFFFFu) << static_cast<ULONGLONG>(dwCount);
}

void CArchive::WriteStringLength(ULONGLONG nLength) {
    if (nLength < 0xFF) {
        *this << static_cast<BYTE>(nLength);
        return;
    }
    *this << static_cast<BYTE>(0xFF);
    if (nLength < 0xFFFE) {
        *this << static_cast<WORD>(nLength);
        return;
    }
    *this << static_cast<WORD>(0xFFFF);
    if (nLength < 0xFFFFFFFFu) {
        *this << static_cast<DWORD>(nLength);
        return;
    }
    *this << static_cast<DWORD>(0xFFFFFFFFu) << nLength;
}

ULONGLONG CArchive::ReadStringLength(int& nCharSize) {
    nCharSize = 1;
    BYTE b = 0;
    *this >> b;
    if (b < 0xFF)
        return b;
    WORD w = 0;
    *this >> w;
    if (w == 0xFFFE) {
        // UTF-16 text follows; its length starts over with the one-byte form.
        nCharSize = 2;
        *this >> b;
        if (b < 0xFF)
            return b;
        *this >> w;
    }
    if (w < 0xFFFE)
        return w;
    DWORD dw = 0;
    *this >> dw;
    if (dw < 0xFFFFFFFFu)
        return dw;
    ULONGLONG qw = 0;
    *this >> qw;
    return qw;
}

CArchive& operator<<(CArchive& ar, const CString& string) {
    const std::string stored = kq::Utf8ToCp1252(
        std::string_view(string.GetString(), static_cast<size_t>(string.GetLength())));
    ar.WriteStringLength(static_cast<ULONGLONG>(stored.size()));
    ar.Write(stored.data(), static_cast<UINT>(stored.size()));
    return ar;
}

CArchive& operator>>(CArchive& ar, CString& string) {
    int charSize = 1;
    const ULONGLONG length = ar.ReadStringLength(charSize);
    if (length > static_cast<ULONGLONG>(INT_MAX) / 2)
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    const size_t bytes = static_cast<size_t>(length) * static_cast<size_t>(charSize);
    ar.EnsureAvailable(bytes);
    std::string text;
    while (text.size() < bytes) {
        const size_t step = std::min(bytes - text.size(), kReadStep);
        const size_t at = text.size();
        text.resize(at + step);
        if (ar.Read(text.data() + at, static_cast<UINT>(step)) != step)
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    }
    string = charSize == 2 ? Utf16ToUtf8(text) : kq::Cp1252ToUtf8(text);
    return ar;
}

namespace kq {

void ToArchiveField(const char* utf8, char* field, size_t size) {
    if (size == 0)
        return;
    const std::string stored = Utf8ToCp1252(utf8);
    const size_t length = std::min(stored.size(), size - 1);
    std::memcpy(field, stored.data(), length);
    std::memset(field + length, 0, size - length);
}

void FromArchiveField(const char* field, size_t size, char* utf8, size_t utf8Size) {
    if (utf8Size == 0)
        return;
    const std::string text = Cp1252ToUtf8(std::string_view(field, strnlen(field, size)));
    size_t length = std::min(text.size(), utf8Size - 1);
    // Cut before a character that does not fit whole.
    if (length < text.size())
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
            --length;
    std::memcpy(utf8, text.data(), length);
    std::memset(utf8 + length, 0, utf8Size - length);
}

}  // namespace kq

bool CArchive::ReadLine(std::string& line, size_t nMax) {
    CheckLoading();
    line.clear();
    bool any = false;
    while (line.size() < nMax) {
        if (m_cur == m_lim && !FillBuffer())
            break;
        any = true;
        const BYTE c = m_buffer[m_cur++];
        if (c == '\n')
            break;
        if (c == '\r') {
            if ((m_cur < m_lim || FillBuffer()) && m_buffer[m_cur] == '\n')
                ++m_cur;
            break;
        }
        line += static_cast<char>(c);
    }
    return any;
}

BOOL CArchive::ReadString(CString& rString) {
    std::string line;
    const bool any = ReadLine(line, std::string::npos);
    rString = std::move(line);
    return any ? TRUE : FALSE;
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax) {
    if (lpsz == nullptr || nMax == 0)
        return nullptr;
    if (nMax == 1) {
        *lpsz = '\0';
        return lpsz;
    }
    std::string line;
    const bool any = ReadLine(line, nMax - 1);
    std::memcpy(lpsz, line.data(), line.size());
    lpsz[line.size()] = '\0';
    return any ? lpsz : nullptr;
}

CArchive& operator<<(CArchive& ar, const RECT& rect) {
    return ar << rect.left << rect.top << rect.right << rect.bottom;
}

CArchive& operator>>(CArchive& ar, POINT& point) {
    return ar >> point.x >> point.y;
}

CArchive& operator>>(CArchive& ar, SIZE& size) {
    return ar >> size.cx >> size.cy;
}

CArchive& operator>>(CArchive& ar, RECT& rect) {
    return ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
}
