#include "VodLibrary.h"

#include <array>
#include <mutex>

#include "interfaces/QorVod32.h"
#include "res/resource.h"
#include "win32/Gdi.h"
#include "win32/Icons.h"
#include "win32/Module.h"
#include "win32/UserWindows.h"

namespace vod {
namespace {

struct Library {
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HCURSOR waitCursor = nullptr;
  HCURSOR cursor = nullptr;
  std::array<HICON, 5> animation{};
};

Library g_library;
std::once_flag g_attach;

void Attach(HINSTANCE instance) {
  g_library.instance = instance;
  if (!instance) return;
  g_library.icon = LoadIcon(instance, MAKEINTRESOURCE(IDI_VOD));
  g_library.waitCursor = LoadCursor(instance, MAKEINTRESOURCE(IDC_VOD_WAIT));
  for (int n = 0; n < 5; ++n) g_library.animation[n] = LoadIcon(instance, MAKEINTRESOURCE(IDI_VOD_PRINTING1 + n));
  g_library.cursor = LoadCursor(instance, MAKEINTRESOURCE(IDC_VOD_ARROW));
  WNDCLASS preview{};
  preview.style = CS_GLOBALCLASS;
  preview.lpfnWndProc = Bildschirm;
  preview.hInstance = instance;
  preview.hIcon = g_library.icon;
  preview.hCursor = g_library.cursor;
  preview.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  preview.lpszClassName = VOD_PREVIEW_CLASS;
  RegisterClass(&preview);
}

}  // namespace

bool LibraryAttached() {
  std::call_once(g_attach, [] {
    static const char anchor = 0;
    Attach(layer::ModuleOf(&anchor));
  });
  return g_library.instance != nullptr;
}

HINSTANCE LibraryInstance() { return LibraryAttached() ? g_library.instance : nullptr; }
HICON WindowIcon() { return LibraryAttached() ? g_library.icon : nullptr; }
HICON AnimationIcon(int n) { return LibraryAttached() && n >= 0 && n < 5 ? g_library.animation[n] : nullptr; }

}  // namespace vod
