#include "platform/base/Arrays.h"

IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_SERIAL(CObArray, CObject, 0)

void CObArray::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
        for (INT_PTR i = 0; i < GetSize(); ++i)
            ar << GetAt(i);
        return;
    }
    const DWORD_PTR count = ar.ReadCount();
    ar.EnsureAvailable(count, sizeof(WORD));  // each object takes at least its tag
    RemoveAll();
    for (DWORD_PTR i = 0; i < count; ++i) {
        CObject* pOb = nullptr;
        ar >> pOb;
        Add(pOb);
    }
}
