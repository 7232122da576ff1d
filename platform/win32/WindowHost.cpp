#include "win32/WindowHost.h"

#include <atomic>

#include "win32/ScreenBackend.h"
#include "win32/UserMessages.h"
#include "win32/UserWindow.h"
#include "win32/UserWindowTable.h"

namespace layer {
namespace {
std::atomic<WindowHost*> installed{nullptr};
std::atomic<WindowHost*> front{nullptr};
}  // namespace

WindowHost* CurrentWindowHost() {
  if (WindowHost* host = front.load()) return host;
  return ScreenWindowHost();
}

WindowHost* InstalledWindowHost() {
  if (WindowHost* host = front.load()) return host;
  return installed.load();
}

void InstallWindowHost(WindowHost* host) { installed.store(host); }

void InstallFrontWindowHost(WindowHost* host) { front.store(host); }

WindowHost* ScreenWindowHost() {
  LoadScreenBackend();
  return installed.load();
}

WindowHost* LoadedScreenWindowHost() { return installed.load(); }

namespace {

// A number that changes whenever the window, or a window inside it, shows something else.
unsigned GenerationOf(const Window& window) {
  unsigned generation = window.canvas.Generation() + static_cast<unsigned>(window.style) * 7u +
                        static_cast<unsigned>(window.rect.right - window.rect.left) * 131u +
                        static_cast<unsigned>(window.rect.bottom - window.rect.top) * 8191u;
  for (HWND child : window.children) {
    if (auto record = Windows().Find(child))
      generation = generation * 31u + GenerationOf(*record) + static_cast<unsigned>(record->rect.left * 3 + record->rect.top);
  }
  return generation;
}

}  // namespace

void PresentWindows() {
  WindowHost* host = InstalledWindowHost();
  if (!host) return;
  DWORD thread = GetCurrentThreadId();
  for (const auto& window : TopLevelWindows()) {
    if (window->threadId != thread || window->destroying) continue;
    if (!(window->style & WS_VISIBLE) && !window->hiddenForRedraw) continue;
    unsigned generation = GenerationOf(*window);
    if (generation == window->presented) continue;
    window->presented = generation;
    host->Present(window->handle, ComposeWindow(*window));
  }
}

}  // namespace layer
