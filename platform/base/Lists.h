// The framework's lists of fixed element types.
#pragma once

#include "platform/base/CList.h"

class CPtrList : public CList<void*, void*> {
    DECLARE_DYNAMIC(CPtrList)
  public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

// Holds pointers without owning the objects. Serialize stores the objects themselves and,
// when loading, appends them.
class CObList : public CList<CObject*, CObject*> {
    DECLARE_SERIAL(CObList)
  public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
    void Serialize(CArchive& ar) override;
};

// Elements are passed as const CString&, so that strings holding 0x00 keep all their bytes.
class CStringList : public CList<CString, const CString&> {
    DECLARE_SERIAL(CStringList)
  public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};
