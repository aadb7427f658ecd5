#include "platform/object.h"

#include <cstring>
#include <map>
#include <string>

namespace {
std::map<std::string, CRuntimeClass*>& Registry() {
    static std::map<std::string, CRuntimeClass*> registry;
    return registry;
}
} // namespace

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c;
         c = c->m_pfnGetBaseClass ? c->m_pfnGetBaseClass() : nullptr) {
        if (c == base)
            return true;
    }
    return false;
}

bool CRuntimeClass::Register(CRuntimeClass* cls) {
    Registry()[cls->m_lpszClassName] = cls;
    return true;
}

CRuntimeClass* CRuntimeClass::FromName(const char* name) {
    auto it = Registry().find(name);
    return it == Registry().end() ? nullptr : it->second;
}

CRuntimeClass* CObject::ThisClass() {
    static CRuntimeClass rc{"CObject", 0xFFFF, nullptr, nullptr};
    return &rc;
}
