// The root of the class library: run-time class records, kind tests and
// creation of objects by class name.
#pragma once

#include "win32/Types.h"

class CObject;

struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // 0xFFFF for classes that are not serialisable
  CObject* (*m_pfnCreateObject)();
  CRuntimeClass* m_pBaseClass;

  // A new object of the class, or null when the class cannot be created by name.
  CObject* CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* base) const;

  // The registered class of that name, or null.
  static CRuntimeClass* FromName(const char* className);
  // Creates an object of the registered class of that name, or returns null.
  static CObject* CreateObject(const char* className);
};

// Puts a class into the registry that FromName searches.
struct CRuntimeClassRegistration {
  explicit CRuntimeClassRegistration(CRuntimeClass* runtimeClass);
};

#define RUNTIME_CLASS(name) (&name::class##name)

#define DECLARE_DYNAMIC(name)          \
 public:                               \
  static CRuntimeClass class##name;    \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(name) \
  DECLARE_DYNAMIC(name)         \
  static CObject* CreateObject();

#define DECLARE_SERIAL(name) DECLARE_DYNCREATE(name)

#define VARNO_IMPLEMENT_RUNTIMECLASS(name, base, schema, create)                                      \
  CRuntimeClass name::class##name = {#name, static_cast<int>(sizeof(name)), schema, create, RUNTIME_CLASS(base)}; \
  static const CRuntimeClassRegistration registration_##name(&name::class##name);                      \
  CRuntimeClass* name::GetRuntimeClass() const { return RUNTIME_CLASS(name); }

#define IMPLEMENT_DYNAMIC(name, base) VARNO_IMPLEMENT_RUNTIMECLASS(name, base, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(name, base)                      \
  CObject* name::CreateObject() { return new name; }         \
  VARNO_IMPLEMENT_RUNTIMECLASS(name, base, 0xFFFF, name::CreateObject)

#define IMPLEMENT_SERIAL(name, base, schema)                 \
  CObject* name::CreateObject() { return new name; }         \
  VARNO_IMPLEMENT_RUNTIMECLASS(name, base, schema, name::CreateObject)

class CObject {
 public:
  static CRuntimeClass classCObject;

  virtual ~CObject() = default;
  virtual CRuntimeClass* GetRuntimeClass() const;
  BOOL IsKindOf(const CRuntimeClass* runtimeClass) const;
  BOOL IsSerializable() const;
  virtual void AssertValid() const {}

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

// Diagnostics of the class library: checks that vanish from release builds.
#ifdef NDEBUG
#define ASSERT(condition) ((void)0)
#define VERIFY(expression) ((void)(expression))
#else
#include <cassert>
#define ASSERT(condition) assert(condition)
#define VERIFY(expression) assert(expression)
#endif
#define ASSERT_VALID(object) ((object)->AssertValid())
