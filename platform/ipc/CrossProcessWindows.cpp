#include "ipc/CrossProcessWindows.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "ipc/MessageServer.h"
#include "ipc/RemoteWindowsClient.h"
#include "ipc/WindowDescription.h"
#include "ipc/WindowRegistry.h"
#include "win32/Process.h"
#include "win32/UserMessages.h"
#include "win32/UserWindow.h"
#include "win32/UserWindowTable.h"
#include "win32/UserWindows.h"
#include "win32/WindowHost.h"

namespace layer::ipc {
namespace {

constexpr auto kActionWait = std::chrono::milliseconds(5000);

DWORD HandleValue(HWND window) { return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window)); }

bool SameEntry(const WindowEntry& a, const WindowEntry& b) {
  return a.handle == b.handle && a.threadId == b.threadId && a.parent == b.parent && a.flags == b.flags &&
         a.userData == b.userData && a.className == b.className && a.title == b.title;
}

// Stands in front of the screen host: keeps the registry up to date with this
// program's top-level windows and runs the requests of other programs that
// change a window (show, enable, bring to front) on the user-interface thread,
// when that thread looks for input.
class Publisher : public WindowHost, public LocalWindows {
 public:
  explicit Publisher(WindowRegistry& registry) : m_registry(registry), m_thread(GetCurrentThreadId()) {}

  // What brings a window or the screen into play loads the screen's host;
  // until then (while the program takes its first steps, or when it shows
  // no window at all) messages are pumped without it.
  void WindowCreated(HWND window) override {
    if (WindowHost* inner = ScreenWindowHost()) inner->WindowCreated(window);
    Sync(window);
  }
  void WindowDestroyed(HWND window) override {
    if (WindowHost* inner = ScreenWindowHost()) inner->WindowDestroyed(window);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_published.erase(HandleValue(window))) m_registry.Withdraw(HandleValue(window));
  }
  void WindowChanged(HWND window) override {
    if (WindowHost* inner = ScreenWindowHost()) inner->WindowChanged(window);
    Sync(window);
  }
  void CursorChanged(HCURSOR cursor) override {
    if (WindowHost* inner = ScreenWindowHost()) inner->CursorChanged(cursor);
  }
  void CaptureChanged(HWND window) override {
    if (WindowHost* inner = ScreenWindowHost()) inner->CaptureChanged(window);
  }
  SIZE ScreenSize() override {
    WindowHost* inner = ScreenWindowHost();
    return inner ? inner->ScreenSize() : SIZE{1024, 768};
  }
  bool ProcessEvents(DWORD waitMilliseconds) override {
    RunActions();
    SyncAll();
    if (WindowHost* inner = LoadedScreenWindowHost()) return inner->ProcessEvents(waitMilliseconds);
    std::unique_lock<std::mutex> lock(m_mutex);
    m_woken.wait_for(lock, std::chrono::milliseconds(waitMilliseconds), [this] { return m_wake || !m_actions.empty(); });
    m_wake = false;
    return false;
  }
  void Wake() override {
    if (WindowHost* inner = LoadedScreenWindowHost()) inner->Wake();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_wake = true;
    m_woken.notify_all();
  }
  DWORD ThreadId() override {
    WindowHost* inner = LoadedScreenWindowHost();
    return inner ? inner->ThreadId() : m_thread;
  }
  void Present(HWND window, Surface&& image) override {
    if (WindowHost* inner = ScreenWindowHost()) inner->Present(window, std::move(image));
  }

  bool Owns(HWND window) override { return IsOwnWindow(window); }
  BOOL Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    return PostMessage(window, message, wParam, lParam);
  }
  LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    return SendMessage(window, message, wParam, lParam);
  }
  BOOL Show(HWND window, int command) override {
    return OnInterfaceThread([=] { return ShowWindow(window, command); });
  }
  BOOL Enable(HWND window, BOOL enable) override {
    return OnInterfaceThread([=] { return EnableWindow(window, enable); });
  }
  BOOL BringToFront(HWND window) override {
    // Already this program's foreground window, it still goes on top of the others' windows.
    return OnInterfaceThread([=, this] {
      return SetForegroundWindow(window) && m_registry.BringToTop(HandleValue(window));
    });
  }
  std::string Describe(HWND window) override {
    // Shared with the action: a wait that gives up leaves it to write into its own copy.
    auto text = std::make_shared<std::string>();
    if (!OnInterfaceThread([=] {
          *text = DescribeOwnWindow(window);
          return TRUE;
        }))
      return {};
    return *text;
  }

 private:
  struct Action {
    std::function<BOOL()> run;
    BOOL result = FALSE;
    bool done = false;
  };

  BOOL OnInterfaceThread(std::function<BOOL()> run) {
    auto action = std::make_shared<Action>();
    action->run = std::move(run);
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_actions.push_back(action);
    }
    Wake();
    PostThreadMessage(ThreadId(), WM_NULL, 0, 0);  // a loop that waits for messages looks again
    std::unique_lock<std::mutex> lock(m_mutex);
    m_woken.wait_for(lock, kActionWait, [&] { return action->done; });
    return action->done ? action->result : FALSE;
  }

  void RunActions() {
    for (;;) {
      std::shared_ptr<Action> action;
      {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_actions.empty()) return;
        action = m_actions.front();
        m_actions.pop_front();
      }
      BOOL result = action->run();
      std::lock_guard<std::mutex> lock(m_mutex);
      action->result = result;
      action->done = true;
      m_woken.notify_all();
    }
  }

  void Sync(HWND handle) {
    auto window = Windows().Find(handle);
    if (!window || window->IsChild() || window->destroying) return;
    WindowEntry entry;
    entry.handle = HandleValue(handle);
    entry.processId = GetCurrentProcessId();
    entry.threadId = window->threadId;
    entry.parent = HandleValue(window->parent);
    entry.flags = ((window->style & WS_VISIBLE) ? kWindowVisible : 0) |
                  ((window->style & WS_DISABLED) ? 0 : kWindowEnabled) | (window->minimized ? kWindowIconic : 0);
    entry.userData = static_cast<LONG>(window->userData);
    entry.className = window->windowClass ? window->windowClass->name : "";
    entry.title = window->text;
    std::lock_guard<std::mutex> lock(m_mutex);
    auto known = m_published.find(entry.handle);
    if (known != m_published.end() && SameEntry(known->second, entry)) return;
    if (m_registry.Publish(entry)) m_published[entry.handle] = entry;
  }

  void SyncAll() {
    for (const auto& window : WindowsOfThread(0))
      if (!window->IsChild()) Sync(window->handle);
    HWND front = GetForegroundWindow();
    if (front != m_front) {
      m_front = front;
      if (front) m_registry.BringToTop(HandleValue(front));
    }
  }

  WindowRegistry& m_registry;
  DWORD m_thread;
  std::mutex m_mutex;
  std::condition_variable m_woken;
  bool m_wake = false;
  std::deque<std::shared_ptr<Action>> m_actions;
  std::map<DWORD, WindowEntry> m_published;
  HWND m_front = nullptr;
};

}  // namespace

bool StartCrossProcessWindows() {
  static std::mutex mutex;
  static Publisher* publisher = nullptr;
  std::lock_guard<std::mutex> lock(mutex);
  if (publisher) return true;
  WindowRegistry& registry = WindowRegistry::OfUser();
  publisher = new Publisher(registry);  // lives as long as the program
  if (!StartListening(*publisher)) return false;
  auto* remote = new RemoteWindowsClient(registry);
  // While this thread waits for another program's answer, what is sent to it meanwhile is answered.
  remote->SetWhileWaiting([] {
    MSG msg;
    PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);
  });
  InstallRemoteWindows(remote);
  InstallFrontWindowHost(publisher);
  for (const auto& window : WindowsOfThread(0))
    if (!window->IsChild()) publisher->WindowCreated(window->handle);
  return true;
}

}  // namespace layer::ipc
