#include "platform/base/Maps.h"

IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)
IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)

void CMapStringToOb::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(GetCount()));
        CString key;
        CObject* value = nullptr;
        for (POSITION pos = GetStartPosition(); pos != nullptr;) {
            GetNextAssoc(pos, key, value);
            ar << key << value;
        }
        return;
    }
    DWORD_PTR count = ar.ReadCount();
    ar.EnsureAvailable(count, 1 + sizeof(WORD));  // a key's length and an object's tag
    while (count-- > 0) {
        CString key;
        CObject* value = nullptr;
        ar >> key >> value;
        SetAt(key, value);
    }
}
