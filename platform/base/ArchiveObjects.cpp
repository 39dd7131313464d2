// The object and class tags of CArchive.
#include "platform/base/Archive.h"

namespace {

constexpr WORD kNullTag = 0;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000u;
constexpr DWORD kMaxMapCount = 0x3FFFFFFE;
// Objects that contain objects recurse through ReadObject; a hostile stream could nest them
// until the stack overflows. Real data never comes near this depth.
constexpr int kMaxObjectDepth = 500;

}  // namespace

void CArchive::CheckMapCount() const {
    if (m_nMapCount >= kMaxMapCount)
        Throw(CArchiveException::badIndex);
}

void CArchive::WriteTag(DWORD index, DWORD bigFlag) {
    if (index < kBigObjectTag) {
        *this << static_cast<WORD>(index | (bigFlag != 0 ? kClassTag : 0));
    } else {
        *this << kBigObjectTag << static_cast<DWORD>(index | bigFlag);
    }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef) {
    CheckStoring();
    ASSERT(pClassRef != nullptr && pClassRef->m_wSchema != kNotSerializableSchema);
    // A class without a schema could not be read back.
    if (pClassRef == nullptr || pClassRef->m_wSchema == kNotSerializableSchema)
        Throw(CArchiveException::badClass);
    if (auto it = m_storeMap.find(pClassRef); it != m_storeMap.end()) {
        WriteTag(it->second, kBigClassTag);
        return;
    }
    *this << kNewClassTag;
    pClassRef->Store(*this);
    CheckMapCount();
    m_storeMap.emplace(pClassRef, m_nMapCount++);
}

void CArchive::WriteObject(const CObject* pOb) {
    CheckStoring();
    if (pOb == nullptr) {
        *this << kNullTag;
        return;
    }
    if (auto it = m_storeMap.find(pOb); it != m_storeMap.end()) {
        WriteTag(it->second, 0);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    CheckMapCount();
    // Mapped before its contents, so that objects inside it can refer back to it.
    m_storeMap.emplace(pOb, m_nMapCount++);
    const_cast<CObject*>(pOb)->Serialize(*this);
}

DWORD CArchive::AddLoadEntry(const LoadEntry& entry) {
    if (m_loadArray.empty())
        m_loadArray.push_back({LoadEntry::Kind::Null, nullptr, nullptr, 0});
    if (m_loadArray.size() >= kMaxMapCount)
        Throw(CArchiveException::badIndex);
    m_loadArray.push_back(entry);
    return static_cast<DWORD>(m_loadArray.size() - 1);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema,
                                   DWORD* pObTag) {
    CheckLoading();
    WORD wTag = 0;
    *this >> wTag;
    DWORD obTag = 0;
    if (wTag == kBigObjectTag)
        *this >> obTag;
    else
        obTag = (static_cast<DWORD>(wTag & kClassTag) << 16) | (wTag & ~kClassTag);

    CRuntimeClass* pClassRef = nullptr;
    UINT nSchema = 0;
    if (wTag == kNewClassTag) {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == nullptr || pClassRef->m_wSchema == kNotSerializableSchema)
            Throw(CArchiveException::badClass);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema &&
            (pClassRef->m_wSchema & VERSIONABLE_SCHEMA) == 0)
            Throw(CArchiveException::badSchema);
        AddLoadEntry({LoadEntry::Kind::Class, pClassRef, nullptr, nSchema});
    } else if ((obTag & kBigClassTag) == 0) {
        // An object tag: ReadObject resolves it, other callers expected a class.
        if (pObTag == nullptr)
            Throw(CArchiveException::badIndex);
        *pObTag = obTag;
        return nullptr;
    } else {
        const DWORD index = obTag & ~kBigClassTag;
        if (index == 0 || index >= m_loadArray.size() ||
            m_loadArray[index].kind != LoadEntry::Kind::Class)
            Throw(CArchiveException::badIndex);
        pClassRef = m_loadArray[index].pClass;
        nSchema = m_loadArray[index].nSchema;
    }

    if (pClassRefRequested != nullptr && !pClassRef->IsDerivedFrom(pClassRefRequested))
        Throw(CArchiveException::badClass);
    if (pObTag != nullptr)
        *pObTag = obTag;
    if (pSchema != nullptr)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    return pClassRef;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested) {
    CheckLoading();
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);

    if (pClassRef == nullptr) {
        if (obTag == kNullTag)
            return nullptr;
        if (obTag >= m_loadArray.size() || m_loadArray[obTag].kind != LoadEntry::Kind::Object)
            Throw(CArchiveException::badIndex);
        CObject* pOb = m_loadArray[obTag].pObject;
        if (pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested))
            Throw(CArchiveException::badClass);
        return pOb;
    }

    if (pClassRef->m_pfnCreateObject == nullptr)
        Throw(CArchiveException::badClass);
    if (m_nDepth >= kMaxObjectDepth)
        Throw(CArchiveException::genericException);
    CObject* pOb = pClassRef->CreateObject();
    if (pOb == nullptr)
        AfxThrowMemoryException();
    DWORD index = 0;
    try {
        // Entered before its contents, so that objects inside it can refer back to it.
        index = AddLoadEntry({LoadEntry::Kind::Object, pClassRef, pOb, nSchema});
    } catch (...) {
        delete pOb;
        throw;
    }

    const UINT savedSchema = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    ++m_nDepth;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        --m_nDepth;
        m_nObjectSchema = savedSchema;
        // Nobody else holds the half-read object; later references to it are damage.
        m_loadArray[index] = {LoadEntry::Kind::Dead, nullptr, nullptr, 0};
        delete pOb;
        throw;
    }
    --m_nDepth;
    m_nObjectSchema = savedSchema;
    return pOb;
}

std::vector<CObject*> CArchive::LoadedObjects() const {
    std::vector<CObject*> objects;
    for (const LoadEntry& entry : m_loadArray) {
        if (entry.kind == LoadEntry::Kind::Object)
            objects.push_back(entry.pObject);
    }
    return objects;
}
