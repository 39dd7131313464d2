// The framework's maps of fixed key and value types. String keys and values are passed as
// const CString&, so that strings holding 0x00 keep all their bytes.
#pragma once

#include "platform/base/CMap.h"

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
    DECLARE_DYNAMIC(CMapWordToPtr)
  public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
    DECLARE_DYNAMIC(CMapPtrToPtr)
  public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapStringToPtr : public CMap<CString, const CString&, void*, void*> {
    DECLARE_DYNAMIC(CMapStringToPtr)
  public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

// Holds pointers without owning the objects. Serialize stores the objects themselves.
class CMapStringToOb : public CMap<CString, const CString&, CObject*, CObject*> {
    DECLARE_SERIAL(CMapStringToOb)
  public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
    void Serialize(CArchive& ar) override;
};

class CMapStringToString : public CMap<CString, const CString&, CString, const CString&> {
    DECLARE_SERIAL(CMapStringToString)
  public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
