// CObject and run-time class information: every class declared with DECLARE_DYNAMIC and its
// relatives carries a CRuntimeClass record that names it, links it to its base class, and (for
// DYNCREATE and SERIAL classes) creates instances, so that archives can rebuild objects by name.
#pragma once

#include "platform/base/WinTypes.h"

class CArchive;
class CDumpContext;
class CObject;

// High bit of a schema number: the class reads older schemas itself (through GetObjectSchema)
// instead of rejecting them.
constexpr UINT VERSIONABLE_SCHEMA = 0x80000000u;

// Schema of classes that cannot be stored in an archive.
constexpr UINT kNotSerializableSchema = 0xFFFF;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass;  // registry link, set when the class registers

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Classes are found by their exact name; nullptr (or no object) when none is registered
    // under that name or it cannot be created.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    static CObject* CreateObject(LPCSTR lpszClassName);

    // The class record of an archive: schema WORD, name length WORD, name bytes.
    void Store(CArchive& ar) const;
    // Reads a class record and returns the registered class, or nullptr when the name is too
    // long or unknown. *pwSchemaNum receives the schema stored in the archive.
    static CRuntimeClass* Load(CArchive& ar, UINT* pwSchemaNum);
};

// Adds a class to the registry searched by FromName; IMPLEMENT_DYNAMIC and its relatives place
// one of these next to each class record.
struct CClassRegistration {
    explicit CClassRegistration(CRuntimeClass* pClass);
};

class CObject {
  public:
    static CRuntimeClass classCObject;
    static CRuntimeClass* GetThisClass() { return &classCObject; }
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;

    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}
    virtual void Dump(CDumpContext& dc) const { (void)dc; }

    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

  protected:
    CObject() = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)         \
  public:                                   \
    static CRuntimeClass class##class_name; \
    static CRuntimeClass* GetThisClass() {  \
        return &class##class_name;          \
    }                                       \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) \
    DECLARE_DYNCREATE(class_name)  \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define KQ_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)          \
    constinit CRuntimeClass class_name::class##class_name = {                            \
        #class_name, static_cast<int>(sizeof(class_name)), wSchema,                      \
        pfnNew,      RUNTIME_CLASS(base_class_name),       nullptr};                     \
    static const CClassRegistration kqClassInit_##class_name(RUNTIME_CLASS(class_name)); \
    CRuntimeClass* class_name::GetRuntimeClass() const {                                 \
        return RUNTIME_CLASS(class_name);                                                \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    KQ_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, kNotSerializableSchema, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                           \
    CObject* class_name::CreateObject() {                                          \
        return new class_name;                                                     \
    }                                                                              \
    KQ_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, kNotSerializableSchema, \
                              class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                \
    CObject* class_name::CreateObject() {                                                     \
        return new class_name;                                                                \
    }                                                                                         \
    KQ_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    [[maybe_unused]] CArchive& operator>>(CArchive& ar, class_name*& pOb) {                   \
        pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));             \
        return ar;                                                                            \
    }

namespace kq {

template <class T>
T* DynamicDowncast(CObject* p) {
    return p != nullptr && p->IsKindOf(T::GetThisClass()) ? static_cast<T*>(p) : nullptr;
}
template <class T>
const T* DynamicDowncast(const CObject* p) {
    return p != nullptr && p->IsKindOf(T::GetThisClass()) ? static_cast<const T*>(p) : nullptr;
}

// A static downcast that names the wrong class would hand out a pointer of the wrong type; it
// fails the assertion and gives nullptr instead.
template <class T, class P>
auto StaticDowncast(P* p) {
    auto* result = DynamicDowncast<T>(p);
    ASSERT(p == nullptr || result != nullptr);
    return result;
}

}  // namespace kq

#define DYNAMIC_DOWNCAST(class_name, object) (kq::DynamicDowncast<class_name>(object))
#define STATIC_DOWNCAST(class_name, object) (kq::StaticDowncast<class_name>(object))
