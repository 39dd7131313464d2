// Two serialisable classes shared by the archive tests, and helpers that run an archive over
// memory.
#pragma once

#include <functional>
#include <vector>

#include "platform/base/Archive.h"
#include "platform/base/MemFile.h"

// Schema 1; refers to another object without owning it. Counts its live instances, so tests
// can see that nothing leaks and nothing is deleted twice.
class CTestShape : public CObject {
    DECLARE_SERIAL(CTestShape)
  public:
    CTestShape() { ++s_live; }
    CTestShape(int size, const char* name, CObject* link = nullptr) : CTestShape() {
        m_size = size;
        m_name = name;
        m_pLink = link;
    }
    ~CTestShape() override { --s_live; }
    void Serialize(CArchive& ar) override;

    int m_size = 0;
    CString m_name;
    CObject* m_pLink = nullptr;
    static int s_live;
};

// Versionable schema 2: schema 1 had no value.
class CTestNote : public CObject {
    DECLARE_SERIAL(CTestNote)
  public:
    CTestNote() = default;
    CTestNote(const char* text, double value) : m_text(text), m_value(value) {}
    void Serialize(CArchive& ar) override;

    CString m_text;
    double m_value = 0;
    UINT m_loadedSchema = 0;
};

using Bytes = std::vector<BYTE>;

Bytes StoreToBytes(const std::function<void(CArchive&)>& write);
void LoadFromBytes(Bytes bytes, const std::function<void(CArchive&)>& read);
// The cause of the CArchiveException that the call throws; -1 when it throws none.
int ArchiveCause(const std::function<void()>& call);
