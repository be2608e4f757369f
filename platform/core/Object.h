// CObject with run-time class records: the base of every data class that goes into an archive.
// A class records its name, schema, base class and factory in a CRuntimeClass; archives store the
// name and schema and recreate objects by name through the registry of classes.
#pragma once

#include "platform/core/WinTypes.h"

class CArchive;
class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                    // 0xFFFF: not serialisable
    CObject* (*m_pfnCreateObject)();   // null: no dynamic creation
    const CRuntimeClass* m_pBaseClass; // null for CObject

    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* base) const;
    bool IsSerializable() const { return m_wSchema != 0xFFFF && m_pfnCreateObject != nullptr; }

    // The registered class of that name, or null.
    static const CRuntimeClass* FromName(const char* className);
    static void Register(const CRuntimeClass* cls);
};

// Registers a class during static initialisation (one per IMPLEMENT_ macro).
struct RuntimeClassRegistration {
    explicit RuntimeClassRegistration(const CRuntimeClass* cls) { CRuntimeClass::Register(cls); }
};

class CObject {
public:
    virtual ~CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}

    bool IsKindOf(const CRuntimeClass* cls) const;
    bool IsSerializable() const { return GetRuntimeClass()->IsSerializable(); }

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
};

// Reads an object of cls (or a class derived from it) from the archive; used by DECLARE_SERIAL's
// typed extraction operator.
CObject* ReadArchiveObject(CArchive& ar, const CRuntimeClass* cls);

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                                                          \
public:                                                                                                      \
    static const CRuntimeClass class##class_name;                                                            \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                                        \
    DECLARE_DYNAMIC(class_name)                                                                              \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name)                                                                           \
    DECLARE_DYNCREATE(class_name)                                                                            \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define R9_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, pfnNew)                               \
    const CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)),  \
                                                         schema, pfnNew, RUNTIME_CLASS(base_class_name)};    \
    const CRuntimeClass* class_name::GetRuntimeClass() const {                                               \
        return RUNTIME_CLASS(class_name);                                                                    \
    }                                                                                                        \
    static const RuntimeClassRegistration r9_registration_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                       \
    R9_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                                     \
    CObject* class_name::CreateObject() {                                                                    \
        return new class_name;                                                                               \
    }                                                                                                        \
    R9_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                                                \
    CObject* class_name::CreateObject() {                                                                    \
        return new class_name;                                                                               \
    }                                                                                                        \
    R9_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, class_name::CreateObject)                 \
    [[maybe_unused]] CArchive& operator>>(CArchive& ar, class_name*& pOb) {                                  \
        pOb = static_cast<class_name*>(ReadArchiveObject(ar, RUNTIME_CLASS(class_name)));                    \
        return ar;                                                                                           \
    }
