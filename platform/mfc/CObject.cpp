#include "mfc/CObject.h"

#include <cstring>
#include <mutex>
#include <vector>

namespace {

struct ClassRegistry {
  std::mutex mutex;
  std::vector<CRuntimeClass*> classes;
};

ClassRegistry& Registry() {
  static ClassRegistry* registry = new ClassRegistry;  // used from static initialisers
  return *registry;
}

}  // namespace

CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr, nullptr};
static const CRuntimeClassRegistration registration_CObject(&CObject::classCObject);

CRuntimeClassRegistration::CRuntimeClassRegistration(CRuntimeClass* runtimeClass) {
  std::lock_guard<std::mutex> lock(Registry().mutex);
  Registry().classes.push_back(runtimeClass);
}

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* cls = this; cls; cls = cls->m_pBaseClass)
    if (cls == base) return TRUE;
  return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(const char* className) {
  if (!className) return nullptr;
  std::lock_guard<std::mutex> lock(Registry().mutex);
  for (CRuntimeClass* cls : Registry().classes)
    if (std::strcmp(cls->m_lpszClassName, className) == 0) return cls;
  return nullptr;
}

CObject* CRuntimeClass::CreateObject(const char* className) {
  CRuntimeClass* cls = FromName(className);
  return cls ? cls->CreateObject() : nullptr;
}

CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

BOOL CObject::IsKindOf(const CRuntimeClass* runtimeClass) const {
  return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF ? TRUE : FALSE; }
