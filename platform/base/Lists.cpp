#include "platform/base/Lists.h"

IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_SERIAL(CStringList, CObject, 0)

void CObList::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(GetCount()));
        for (POSITION pos = GetHeadPosition(); pos != nullptr;)
            ar << GetNext(pos);
        return;
    }
    DWORD_PTR count = ar.ReadCount();
    ar.EnsureAvailable(count, sizeof(WORD));  // each object takes at least its tag
    while (count-- > 0) {
        CObject* pOb = nullptr;
        ar >> pOb;
        AddTail(pOb);
    }
}
