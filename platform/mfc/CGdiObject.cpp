#include "mfc/CGdiObject.h"

#include <map>

#include "mfc/CBitmap.h"
#include "mfc/CBrush.h"
#include "mfc/CFont.h"
#include "mfc/CPalette.h"
#include "mfc/CPen.h"
#include "mfc/TemporaryMap.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)

namespace {

std::map<HGDIOBJ, CGdiObject*>& Permanent() {
  static thread_local std::map<HGDIOBJ, CGdiObject*> permanent;
  return permanent;
}

TemporaryMap<HGDIOBJ, CGdiObject>& Temporary() {
  static thread_local TemporaryMap<HGDIOBJ, CGdiObject> temporary(
      [](CGdiObject& wrapper) { wrapper.m_hObject = nullptr; });
  return temporary;
}

CGdiObject* WrapperFor(HGDIOBJ object) {
  switch (::GetObjectType(object)) {
    case OBJ_PEN: return new CPen;
    case OBJ_BRUSH: return new CBrush;
    case OBJ_FONT: return new CFont;
    case OBJ_BITMAP: return new CBitmap;
    case OBJ_PAL: return new CPalette;
    default: return new CGdiObject;
  }
}

}  // namespace

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ object) {
  if (!object) return FALSE;
  m_hObject = object;
  Permanent()[object] = this;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ object = m_hObject;
  if (object) Permanent().erase(object);
  m_hObject = nullptr;
  return object;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int index) { return Attach(::GetStockObject(index)); }

int CGdiObject::GetObject(int size, LPVOID buffer) const { return ::GetObject(m_hObject, size, buffer); }

UINT CGdiObject::GetObjectType() const { return ::GetObjectType(m_hObject); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ object) {
  if (!object) return nullptr;
  auto found = Permanent().find(object);
  if (found != Permanent().end()) return found->second;
  return Temporary().Find(object, [object] {
    CGdiObject* wrapper = WrapperFor(object);
    wrapper->m_hObject = object;  // not in the permanent map: the handle is not the wrapper's
    return wrapper;
  });
}

void CGdiObject::DeleteTempMap() {
  Temporary().Clear();
}
