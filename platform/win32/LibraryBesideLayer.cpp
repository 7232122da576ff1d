#include "win32/LibraryBesideLayer.h"

#include <dlfcn.h>

namespace layer {

std::string LibraryBesideLayer(const char* library) {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<const void*>(&LibraryBesideLayer), &info) || !info.dli_fname) return library;
  const std::string layer = info.dli_fname;
  const size_t slash = layer.rfind('/');
  return slash == std::string::npos ? library : layer.substr(0, slash + 1) + library;
}

}  // namespace layer
