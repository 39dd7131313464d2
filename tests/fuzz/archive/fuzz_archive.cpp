// Hostile bytes through every reader of CArchive: each step takes an operation byte from the
// stream and runs one reader on what follows, so the fuzzer composes objects, classes, strings,
// counts, text lines and collections freely. Failures must be CExceptions; nothing may leak.
#include <cstdint>
#include <vector>

#include "platform/base/Archive.h"
#include "platform/base/Collections.h"
#include "platform/base/MemFile.h"

namespace {

// Holds objects without owning them: everything ReadObject made is released from the archive.
class CFuzzNode : public CObject {
    DECLARE_SERIAL(CFuzzNode)
  public:
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring())
            return;
        ar >> m_value >> m_name >> m_pLink;
        m_children.Serialize(ar);
        m_tags.Serialize(ar);
    }

    int m_value = 0;
    CString m_name;
    CObject* m_pLink = nullptr;
    CObList m_children;
    CStringArray m_tags;
};

// Versionable: schema 1 had only the text, schema 2 added the value, schema 3 the rectangle.
class CFuzzNote : public CObject {
    DECLARE_SERIAL(CFuzzNote)
  public:
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring())
            return;
        const UINT schema = ar.GetObjectSchema();
        ar >> m_text;
        if (schema >= 2)
            ar >> m_value;
        if (schema >= 3)
            ar >> m_rect;
    }

    CString m_text;
    double m_value = 0;
    RECT m_rect{};
};

IMPLEMENT_SERIAL(CFuzzNode, CObject, 1)
IMPLEMENT_SERIAL(CFuzzNote, CObject, VERSIONABLE_SCHEMA | 3)

class CFuzzArchive : public CArchive {
  public:
    using CArchive::CArchive;
    using CArchive::LoadedObjects;
};

struct Sample {
    int32_t a;
    uint16_t b;
    uint8_t c[6];
};

struct Collections {
    CObList list;
    CObArray array;
    CStringArray strings;
    CStringList stringList;
    CDWordArray dwords;
    CByteArray bytes;
    CMapStringToOb objects;
    CMapStringToString texts;
    CArray<Sample, const Sample&> samples;
};

void ReadScalars(CArchive& ar) {
    BYTE b;
    WORD w;
    int i;
    DWORD dw;
    LONGLONG ll;
    float f;
    double d;
    bool flag;
    short s;
    char c;
    ar >> b >> w >> i >> dw >> ll >> f >> d >> flag >> s >> c;
}

void ReadGeometry(CArchive& ar) {
    POINT pt;
    SIZE size;
    RECT rc;
    ar >> pt >> size >> rc;
}

void Step(CArchive& ar, BYTE op, Collections& c) {
    switch (op % 18) {
        case 0:
            ar.ReadObject(nullptr);
            break;
        case 1:
            ar.ReadObject(RUNTIME_CLASS(CFuzzNode));
            break;
        case 2: {
            UINT schema = 0;
            DWORD tag = 0;
            ar.ReadClass(nullptr, &schema, &tag);
            break;
        }
        case 3: {
            CString s;
            ar >> s;
            break;
        }
        case 4:
            ReadScalars(ar);
            break;
        case 5:
            ar.ReadCount();
            break;
        case 6: {
            CString line;
            ar.ReadString(line);
            break;
        }
        case 7: {
            char line[16];
            ar.ReadString(line, sizeof line);
            break;
        }
        case 8: {
            BYTE n = 0;
            ar >> n;
            BYTE raw[255];
            ar.Read(raw, n);
            break;
        }
        case 9:
            c.list.Serialize(ar);
            break;
        case 10:
            c.array.Serialize(ar);
            break;
        case 11:
            c.strings.Serialize(ar);
            break;
        case 12:
            c.dwords.Serialize(ar);
            break;
        case 13:
            c.objects.Serialize(ar);
            break;
        case 14:
            c.texts.Serialize(ar);
            break;
        case 15:
            c.samples.Serialize(ar);
            break;
        case 16:
            c.stringList.Serialize(ar);
            break;
        default:
            c.bytes.Serialize(ar);
            ReadGeometry(ar);
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<BYTE> bytes(data, data + size);
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    Collections collections;
    // A small buffer makes reads cross buffer refills often.
    CFuzzArchive ar(&file, CArchive::load, 128);
    try {
        for (int i = 0; i < 256; ++i) {
            BYTE op = 0;
            ar >> op;
            Step(ar, op, collections);
        }
    } catch (CException* e) {
        e->Delete();
    }
    for (CObject* p : ar.LoadedObjects())
        delete p;
    return 0;
}
