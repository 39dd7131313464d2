#include "platform/base/Object.h"

#include <cstring>
#include <string_view>

#include "platform/base/Archive.h"

namespace {

// Head of the registry. Constant-initialised, so registrations running during the dynamic
// initialisation of any translation unit find it ready.
constinit CRuntimeClass* gFirstClass = nullptr;

// Longest class name an archive may carry; longer names are treated as damage.
constexpr UINT kMaxClassNameLength = 64;

CRuntimeClass* FindClass(std::string_view name) {
    for (CRuntimeClass* p = gFirstClass; p != nullptr; p = p->m_pNextClass) {
        if (name == p->m_lpszClassName)
            return p;
    }
    return nullptr;
}

}  // namespace

constinit CRuntimeClass CObject::classCObject = {
    "CObject", static_cast<int>(sizeof(CObject)), kNotSerializableSchema, nullptr, nullptr,
    nullptr};
static const CClassRegistration kqClassInit_CObject(RUNTIME_CLASS(CObject));

CClassRegistration::CClassRegistration(CRuntimeClass* pClass) {
    ASSERT(FindClass(pClass->m_lpszClassName) == nullptr);
    pClass->m_pNextClass = gFirstClass;
    gFirstClass = pClass;
}

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    for (const CRuntimeClass* p = this; p != nullptr; p = p->m_pBaseClass) {
        if (p == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
    return lpszClassName != nullptr ? FindClass(lpszClassName) : nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName) {
    CRuntimeClass* p = FromName(lpszClassName);
    return p != nullptr ? p->CreateObject() : nullptr;
}

void CRuntimeClass::Store(CArchive& ar) const {
    const auto length = static_cast<WORD>(std::strlen(m_lpszClassName));
    ar << static_cast<WORD>(m_wSchema) << length;
    ar.Write(m_lpszClassName, length);
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum) {
    WORD schema = 0;
    WORD length = 0;
    ar >> schema >> length;
    *pwSchemaNum = schema;
    if (length >= kMaxClassNameLength)
        return nullptr;
    char name[kMaxClassNameLength];
    if (ar.Read(name, length) != length)
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    return FindClass(std::string_view(name, length));
}

CRuntimeClass* CObject::GetRuntimeClass() const {
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsSerializable() const {
    return GetRuntimeClass()->m_wSchema != kNotSerializableSchema;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive& ar) {
    (void)ar;
}
