// Kernel objects (files, and later mappings and processes) behind HANDLE values.
// A handle is a small number that the table hands out; a handle the table does
// not know is refused, never dereferenced.
#pragma once

#include <memory>

#include "win32/Types.h"

BOOL CloseHandle(HANDLE handle);

namespace layer {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

void SetInvalidHandleError();
HANDLE AddHandle(std::shared_ptr<KernelObject> object);
// The object behind a handle, or null (with ERROR_INVALID_HANDLE) when the
// handle is unknown or of another kind.
std::shared_ptr<KernelObject> LookupHandle(HANDLE handle);

template <class T>
std::shared_ptr<T> ObjectOf(HANDLE handle) {
  auto object = std::dynamic_pointer_cast<T>(LookupHandle(handle));
  if (!object) SetInvalidHandleError();
  return object;
}

}  // namespace layer
