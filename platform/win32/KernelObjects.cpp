#include "win32/KernelObjects.h"

#include <map>
#include <mutex>

#include "win32/Errors.h"

namespace layer {
namespace {

class HandleTable {
 public:
  HANDLE Add(std::shared_ptr<KernelObject> object) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_next += 4;
    HANDLE handle = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(m_next));
    m_objects[handle] = std::move(object);
    return handle;
  }
  std::shared_ptr<KernelObject> Find(HANDLE handle) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_objects.find(handle);
    return found == m_objects.end() ? nullptr : found->second;
  }
  std::shared_ptr<KernelObject> Remove(HANDLE handle) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_objects.find(handle);
    if (found == m_objects.end()) return nullptr;
    auto object = std::move(found->second);
    m_objects.erase(found);
    return object;
  }

 private:
  std::mutex m_mutex;
  UINT_PTR m_next = 0x100;
  std::map<HANDLE, std::shared_ptr<KernelObject>> m_objects;
};

HandleTable& Handles() {
  static HandleTable* table = new HandleTable;  // outlives every static user
  return *table;
}

}  // namespace

void SetInvalidHandleError() { SetLastError(ERROR_INVALID_HANDLE); }

HANDLE AddHandle(std::shared_ptr<KernelObject> object) { return Handles().Add(std::move(object)); }

std::shared_ptr<KernelObject> LookupHandle(HANDLE handle) {
  auto object = Handles().Find(handle);
  if (!object) SetInvalidHandleError();
  return object;
}

}  // namespace layer

BOOL CloseHandle(HANDLE handle) {
  // The object itself ends when its last user lets go of it.
  if (!layer::Handles().Remove(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
