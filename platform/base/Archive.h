// CArchive: the framework's binary archive over a CFile, byte for byte.
//
// Scalars are little-endian: BYTE, char and bool take 1 byte, WORD and short 2, int, LONG,
// UINT, DWORD and float 4, double and 64-bit integers 8. A CString is a length prefix (one byte
// below 255; else 0xFF and a WORD below 0xFFFE; else 0xFF, 0xFFFF and a DWORD) and its bytes in
// code page 1252.
// Objects are written with tags: 0 for nullptr; 0xFFFF, schema WORD, name length WORD and the
// class name before the first object of a class; 0x8000 | class index before further objects of
// that class; the object's index for an object written before; 0x7FFF and a DWORD for indices
// from 0x7FFF on. Classes and objects share one index sequence that starts at 1.
//
// Reading checks everything it reads: a short, damaged or hostile stream throws
// CArchiveException (endOfFile, badIndex, badClass, badSchema), and no length or count is
// trusted for an allocation beyond what the file still holds.
#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/Exceptions.h"
#include "platform/base/File.h"
#include "platform/base/Object.h"

class CDocument;

class CArchive {
  public:
    enum Mode : UINT { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    // nBufSize is the size of the archive's own buffer; lpBuf is accepted for the framework's
    // signature and not used.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Closes the archive unless bNoFlushOnDelete was given. Errors at this point are lost, so
    // a storing archive should be closed explicitly.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0 ? TRUE : FALSE; }
    BOOL IsStoring() const { return (m_nMode & load) == 0 ? TRUE : FALSE; }
    BOOL IsByteSwapping() const { return FALSE; }
    CFile* GetFile() const { return m_pFile; }

    // The schema of the object being read, valid once: a second call gives (UINT)-1.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Raw bytes. Read returns fewer than nMax only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Storing: writes the buffer to the file. Loading: gives unread buffered bytes back to the
    // file, so that its position follows what the archive has consumed.
    void Flush();
    void Close();
    // Detaches from the file without writing what is buffered.
    void Abort();

    // Text lines ending in "\n", "\r\n" or "\r"; the line end is not stored. FALSE / nullptr at
    // the end of the file when nothing was read. The buffer form stores at most nMax - 1 bytes
    // and always terminates.
    BOOL ReadString(CString& rString);
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);

    // Objects with class and reference tags. ReadObject throws badClass when the object is not
    // of the requested class (nullptr accepts any). An object whose Serialize throws is deleted
    // before the exception passes on.
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    void WriteObject(const CObject* pOb);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr,
                             UINT* pSchema = nullptr, DWORD* pObTag = nullptr);
    void WriteClass(const CRuntimeClass* pClassRef);

    // Element counts of collections: WORD below 0xFFFF, else 0xFFFF and a DWORD below
    // 0xFFFFFFFF, else 0xFFFFFFFF and a 64-bit count.
    DWORD_PTR ReadCount();
    void WriteCount(DWORD_PTR dwCount);
    // Throws endOfFile when the file holds fewer than nCount * nMinBytesEach more bytes. Readers
    // call it before they allocate for a count or length read from the stream. A file of unknown
    // length passes; readers then grow their storage in steps as the data arrives.
    void EnsureAvailable(ULONGLONG nCount, ULONGLONG nMinBytesEach = 1);

    CArchive& operator<<(bool v);
    CArchive& operator<<(char v) { return WriteScalar(v); }
    CArchive& operator<<(BYTE v) { return WriteScalar(v); }
    CArchive& operator<<(short v) { return WriteScalar(v); }
    CArchive& operator<<(WORD v) { return WriteScalar(v); }
    CArchive& operator<<(int v) { return WriteScalar(v); }
    CArchive& operator<<(unsigned v) { return WriteScalar(v); }
    CArchive& operator<<(long v) { return WriteScalar(v); }
    CArchive& operator<<(unsigned long v) { return WriteScalar(v); }
    CArchive& operator<<(long long v) { return WriteScalar(v); }
    CArchive& operator<<(unsigned long long v) { return WriteScalar(v); }
    CArchive& operator<<(float v) { return WriteScalar(v); }
    CArchive& operator<<(double v) { return WriteScalar(v); }
    // Text is stored as a CString.
    CArchive& operator<<(const char* psz);
    // Pointer values mean nothing in a file; only CObject pointers (as objects) are stored.
    CArchive& operator<<(const void*) = delete;

    CArchive& operator>>(bool& v);
    CArchive& operator>>(char& v) { return ReadScalar(v); }
    CArchive& operator>>(BYTE& v) { return ReadScalar(v); }
    CArchive& operator>>(short& v) { return ReadScalar(v); }
    CArchive& operator>>(WORD& v) { return ReadScalar(v); }
    CArchive& operator>>(int& v) { return ReadScalar(v); }
    CArchive& operator>>(unsigned& v) { return ReadScalar(v); }
    CArchive& operator>>(long& v) { return ReadScalar(v); }
    CArchive& operator>>(unsigned long& v) { return ReadScalar(v); }
    CArchive& operator>>(long long& v) { return ReadScalar(v); }
    CArchive& operator>>(unsigned long long& v) { return ReadScalar(v); }
    CArchive& operator>>(float& v) { return ReadScalar(v); }
    CArchive& operator>>(double& v) { return ReadScalar(v); }

    // The prefix of a CString of nLength bytes, and its reader. ReadStringLength reports in
    // nCharSize whether the text that follows is 8-bit (1) or UTF-16 (2).
    void WriteStringLength(ULONGLONG nLength);
    ULONGLONG ReadStringLength(int& nCharSize);

    UINT m_nObjectSchema = static_cast<UINT>(-1);
    CString m_strFileName;
    CDocument* m_pDocument = nullptr;

  protected:
    // Objects created by ReadObject so far that were not deleted after a failure. Owners that
    // cannot account for them otherwise (tests of hostile input) release them from here.
    std::vector<CObject*> LoadedObjects() const;

  private:
    struct LoadEntry {
        enum class Kind { Null, Class, Object, Dead };
        Kind kind;
        CRuntimeClass* pClass;
        CObject* pObject;
        UINT nSchema;
    };

    template <class T>
    CArchive& WriteScalar(T v) {
        Write(&v, sizeof v);
        return *this;
    }
    template <class T>
    CArchive& ReadScalar(T& v) {
        ReadExact(&v, sizeof v);
        return *this;
    }
    void ReadExact(void* lpBuf, UINT nCount);
    bool FillBuffer();
    bool ReadLine(std::string& line, size_t nMax);
    void CheckLoading();
    void CheckStoring();
    void CheckMapCount() const;
    void WriteTag(DWORD index, DWORD bigFlag);
    DWORD AddLoadEntry(const LoadEntry& entry);
    [[noreturn]] void Throw(int cause) const;

    CFile* m_pFile;
    UINT m_nMode;
    std::vector<BYTE> m_buffer;
    size_t m_cur = 0;  // loading: next unread byte; storing: end of pending bytes
    size_t m_lim = 0;  // loading: end of valid bytes
    std::unordered_map<const void*, DWORD> m_storeMap;
    DWORD m_nMapCount = 1;
    std::vector<LoadEntry> m_loadArray;
    int m_nDepth = 0;
};

// The program's UTF-8 texts are stored in the Windows western code page 1252 (see
// CodePage1252.h): "°C" as 02 B0 43. A UTF-16 text from the file is read as it is.
CArchive& operator<<(CArchive& ar, const CString& string);
CArchive& operator>>(CArchive& ar, CString& string);

namespace kq {

// Text fields of fixed size inside raw records (a LOGFONT's face name, a band's label), zero
// padded, in code page 1252 like the archive's strings. Storing cuts the text to size - 1 bytes;
// reading stops at the first zero or the field's end and cuts before a character that does not
// fit whole into utf8Size - 1 bytes.
void ToArchiveField(const char* utf8, char* field, size_t size);
void FromArchiveField(const char* field, size_t size, char* utf8, size_t utf8Size);

}  // namespace kq

inline CArchive& operator<<(CArchive& ar, const CObject* pOb) {
    ar.WriteObject(pOb);
    return ar;
}
inline CArchive& operator>>(CArchive& ar, CObject*& pOb) {
    pOb = ar.ReadObject(nullptr);
    return ar;
}
inline CArchive& operator>>(CArchive& ar, const CObject*& pOb) {
    pOb = ar.ReadObject(nullptr);
    return ar;
}

// Points, sizes and rectangles as their 32-bit members in order.
CArchive& operator<<(CArchive& ar, const RECT& rect);
CArchive& operator>>(CArchive& ar, POINT& point);
CArchive& operator>>(CArchive& ar, SIZE& size);
CArchive& operator>>(CArchive& ar, RECT& rect);
