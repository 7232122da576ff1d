// A library with resources of its own, which it finds through its own
// instance whoever calls it.
#include "win32/Module.h"
#include "win32/Resources.h"

extern "C" DWORD SAMPLE_OwnBitmapSize() {
  HMODULE own = GetModuleHandle("layer_resource_sample.dll");
  return SizeofResource(own, FindResource(own, MAKEINTRESOURCE(101), RT_BITMAP));
}
