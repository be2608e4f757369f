#include "platform/core/Object.h"

#include <cstring>
#include <mutex>
#include <string>
#include <unordered_map>

namespace {

struct ClassRegistry {
    std::mutex lock;
    std::unordered_map<std::string, const CRuntimeClass*> byName;
};

ClassRegistry& registry() {
    static ClassRegistry r;
    return r;
}

} // namespace

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr,
                                             nullptr};
static const RuntimeClassRegistration r9_registration_CObject(&CObject::classCObject);

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
        if (c == base)
            return true;
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* className) {
    if (!className)
        return nullptr;
    ClassRegistry& r = registry();
    std::lock_guard<std::mutex> guard(r.lock);
    auto it = r.byName.find(className);
    return it == r.byName.end() ? nullptr : it->second;
}

void CRuntimeClass::Register(const CRuntimeClass* cls) {
    if (!cls || !cls->m_lpszClassName)
        return;
    ClassRegistry& r = registry();
    std::lock_guard<std::mutex> guard(r.lock);
    r.byName[cls->m_lpszClassName] = cls;
}

const CRuntimeClass* CObject::GetRuntimeClass() const {
    return &CObject::classCObject;
}

void CObject::Serialize(CArchive&) {}

bool CObject::IsKindOf(const CRuntimeClass* cls) const {
    return GetRuntimeClass()->IsDerivedFrom(cls);
}
