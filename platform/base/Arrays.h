// The framework's arrays of fixed element types.
#pragma once

#include "platform/base/CArray.h"

class CByteArray : public CArray<BYTE, BYTE> {
    DECLARE_SERIAL(CByteArray)
};

class CWordArray : public CArray<WORD, WORD> {
    DECLARE_SERIAL(CWordArray)
};

class CDWordArray : public CArray<DWORD, DWORD> {
    DECLARE_SERIAL(CDWordArray)
};

class CUIntArray : public CArray<UINT, UINT> {
    DECLARE_DYNAMIC(CUIntArray)
};

class CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
};

// Elements are passed as const CString&, so that strings holding 0x00 keep all their bytes.
class CStringArray : public CArray<CString, const CString&> {
    DECLARE_SERIAL(CStringArray)
};

// Holds pointers without owning the objects. Serialize stores the objects themselves.
class CObArray : public CArray<CObject*, CObject*> {
    DECLARE_SERIAL(CObArray)
  public:
    void Serialize(CArchive& ar) override;
};
