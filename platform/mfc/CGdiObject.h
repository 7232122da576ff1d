// The drawing objects of the class library: each owns one handle and deletes
// it when it goes.
#pragma once

#include "mfc/CObject.h"
#include "win32/Gdi.h"

class CGdiObject : public CObject {
  DECLARE_DYNCREATE(CGdiObject)

 public:
  CGdiObject() = default;
  ~CGdiObject() override;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ m_hObject = nullptr;

  operator HGDIOBJ() const { return m_hObject; }  // NOLINT: the class library converts implicitly
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  BOOL Attach(HGDIOBJ object);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  BOOL CreateStockObject(int index);
  int GetObject(int size, LPVOID buffer) const;
  UINT GetObjectType() const;

  // A wrapper of the right class for any handle; temporary unless the
  // handle was created through a wrapper.
  static CGdiObject* FromHandle(HGDIOBJ object);
  // Lets the temporary wrappers go (the thread's idle time does it).
  static void DeleteTempMap();
};
