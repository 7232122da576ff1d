#include "win32/ScreenBackend.h"

#include <dlfcn.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "win32/LibraryBesideLayer.h"
#include "win32/WindowHost.h"

namespace layer {

namespace {

std::atomic<ScreenBackend*> installed{nullptr};

constexpr const char* kBackendLibrary = "liblayer_qt.so";

// The library's installers run while it loads and may ask for what they
// replace; they must not start the load again on the same thread.
thread_local bool loadingHere = false;

}  // namespace

void LoadScreenBackend() {
  if (installed.load(std::memory_order_acquire) || loadingHere) return;
  static std::once_flag once;
  std::call_once(once, [] {
    loadingHere = true;
    // Stays loaded for the process's life: what it installed is in use.
    dlopen(LibraryBesideLayer(kBackendLibrary).c_str(), RTLD_NOW | RTLD_GLOBAL);
    loadingHere = false;
  });
}

void LoadScreenBackendAhead() {
  if (installed.load(std::memory_order_acquire)) return;
  std::thread([] {
    LoadScreenBackend();
    if (ScreenBackend* backend = installed.load(std::memory_order_acquire)) backend->Prepare();
  }).detach();
}

ScreenBackend* CurrentScreenBackend() {
  LoadScreenBackend();
  return installed.load(std::memory_order_acquire);
}

void InstallScreenBackend(ScreenBackend* backend) { installed.store(backend, std::memory_order_release); }

}  // namespace layer

#if defined(__SANITIZE_ADDRESS__)
// Fontconfig and the desktop bus keep their caches until the process ends;
// that is not ours to free, so the leak checker of sanitised builds is told
// to look past it. The same holds for the toolkit's event-loop memory in a
// process forked from one whose toolkit threads were running: the threads
// that own it are not in the child. Kept here, in a library that every
// program loads at its start, as the backend's library comes later.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libdbus-1.so\nleak:libcups.so\nleak:libglib-2.0.so\n";
}
#endif
