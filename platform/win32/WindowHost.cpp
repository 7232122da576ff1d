#include "win32/WindowHost.h"

#include <atomic>
#include <chrono>
#include <optional>

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

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kFrameTime = std::chrono::milliseconds(15);
// When the earliest picture held back on this thread is due; none when empty.
thread_local std::optional<Clock::time_point> duePresent;

}  // namespace

void PresentWindows() {
  duePresent.reset();
  WindowHost* host = InstalledWindowHost();
  if (!host) return;
  DWORD thread = GetCurrentThreadId();
  const Clock::time_point now = Clock::now();
  for (const auto& window : TopLevelWindows()) {
    if (window->threadId != thread || window->destroying) continue;
    if (!(window->style & WS_VISIBLE) && !window->hiddenForRedraw) continue;
    unsigned generation = GenerationOf(*window);
    if (generation == window->presented) continue;
    if (now - window->presentedAt < kFrameTime) {
      const Clock::time_point due = window->presentedAt + kFrameTime;
      if (!duePresent || due < *duePresent) duePresent = due;
      continue;
    }
    window->presented = generation;
    window->presentedAt = now;
    host->Present(window->handle, ComposeWindow(*window));
  }
}

DWORD MillisecondsToDuePresent() {
  if (!duePresent) return INFINITE;
  const auto rest = std::chrono::ceil<std::chrono::milliseconds>(*duePresent - Clock::now()).count();
  return rest <= 0 ? 0 : static_cast<DWORD>(rest);
}

}  // namespace layer
