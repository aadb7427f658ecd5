#pragma once
// Run-time class records and the base of every persistent class.  A class
// registers itself by name and schema so that archives can recreate it.
#include "platform/win_types.h"

#include <QString>

class CArchive;
class CObject;

// Schema flag: the class reads every stored schema itself (via
// CArchive::GetObjectSchema) instead of requiring an exact match.
constexpr UINT VERSIONABLE_SCHEMA = 0x80000000u;

struct CRuntimeClass {
    const char* m_lpszClassName;
    UINT m_wSchema; // 0xFFFF: not serialisable
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* (*m_pfnGetBaseClass)();

    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* base) const;
    bool IsSerializable() const { return m_pfnCreateObject && (m_wSchema & 0xFFFF) != 0xFFFF; }
    // The schema as stored in files, without the versionable flag.
    WORD StoredSchema() const { return WORD(m_wSchema & 0xFFFF); }

    // Registry of serialisable classes by name.
    static bool Register(CRuntimeClass* cls);
    static CRuntimeClass* FromName(const char* name);
};

class CObject {
public:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    virtual ~CObject() = default;

    static CRuntimeClass* ThisClass();
    virtual CRuntimeClass* GetRuntimeClass() const { return ThisClass(); }
    virtual void Serialize(CArchive&) {}
    bool IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }
    bool IsSerializable() const { return GetRuntimeClass()->IsSerializable(); }
};

#define RUNTIME_CLASS(cls) (cls::ThisClass())

#define DECLARE_DYNAMIC(cls)                                                                       \
public:                                                                                            \
    static CRuntimeClass* ThisClass();                                                             \
    CRuntimeClass* GetRuntimeClass() const override {                                              \
        return ThisClass();                                                                        \
    }

#define DECLARE_DYNCREATE(cls)                                                                     \
    DECLARE_DYNAMIC(cls)                                                                           \
    static CObject* CreateObject();

#define DECLARE_SERIAL(cls) DECLARE_DYNCREATE(cls)

#define LUMBREL_IMPLEMENT_RUNTIME(cls, base, schema, create)                                       \
    CRuntimeClass* cls::ThisClass() {                                                              \
        static CRuntimeClass rc{#cls, UINT(schema), create, &base::ThisClass};                     \
        return &rc;                                                                                \
    }

#define IMPLEMENT_DYNAMIC(cls, base) LUMBREL_IMPLEMENT_RUNTIME(cls, base, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(cls, base)                                                             \
    CObject* cls::CreateObject() {                                                                 \
        return new cls;                                                                            \
    }                                                                                              \
    LUMBREL_IMPLEMENT_RUNTIME(cls, base, 0xFFFF, &cls::CreateObject)

#define IMPLEMENT_SERIAL(cls, base, schema)                                                        \
    CObject* cls::CreateObject() {                                                                 \
        return new cls;                                                                            \
    }                                                                                              \
    LUMBREL_IMPLEMENT_RUNTIME(cls, base, schema, &cls::CreateObject)                               \
    [[maybe_unused]] static const bool lumbrel_registered_##cls =                                  \
        CRuntimeClass::Register(cls::ThisClass());
