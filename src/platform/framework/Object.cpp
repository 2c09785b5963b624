#include "platform/framework/Object.h"

#include <cstring>
#include <vector>

namespace {

std::vector<const CRuntimeClass*>& Registry() {
  static std::vector<const CRuntimeClass*> classes;
  return classes;
}

}  // namespace

const CRuntimeClass CObject::classCObject = {"CObject", kNotSerializable, nullptr, nullptr};

CClassRegistration::CClassRegistration(const CRuntimeClass* runtimeClass) { Registry().push_back(runtimeClass); }

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
    if (c == base) return TRUE;
  return FALSE;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* name, std::size_t length) {
  for (const CRuntimeClass* c : Registry())
    if (std::strlen(c->m_lpszClassName) == length && std::memcmp(c->m_lpszClassName, name, length) == 0) return c;
  return nullptr;
}

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

void CObject::Serialize(CArchive&) {}

BOOL CObject::IsKindOf(const CRuntimeClass* runtimeClass) const {
  return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}
