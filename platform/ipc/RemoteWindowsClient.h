// The sending side: reaches the windows of the user's other programs through
// the registry (what a window shows of itself) and the owners' listeners
// (what is done to it). A send waits at most its time-out; a peer that ends
// meanwhile, or that is hung when the sender asks to give up on hung peers,
// ends the wait at once.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "ipc/MessageChannel.h"
#include "ipc/WindowRegistry.h"
#include "win32/CrossProcess.h"

namespace layer::ipc {

class RemoteWindowsClient : public RemoteWindows {
 public:
  explicit RemoteWindowsClient(WindowRegistry& registry);
  ~RemoteWindowsClient() override;

  HWND Find(LPCSTR className, LPCSTR title) override;
  HWND Neighbour(HWND window, UINT relation) override;
  bool Facts(HWND window, RemoteWindowFacts& facts) override;
  BOOL Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeout,
            DWORD_PTR* result) override;
  BOOL Show(HWND window, int command) override;
  BOOL Enable(HWND window, BOOL enable) override;
  BOOL BringToFront(HWND window) override;
  // What another program's window shows of itself (WindowDescription.h); "" when it does not answer.
  std::string Describe(HWND window);

  // Runs while a send waits, so that what other threads or programs send to
  // the waiting thread meanwhile is answered (as the platform does).
  void SetWhileWaiting(std::function<void()> pump);

 private:
  // One request and its reply; false (with the last error set) when the
  // window is gone, the peer does not answer in time or breaks the protocol.
  // A Describe request's answer follows the reply into answer.
  bool Exchange(HWND window, RequestHeader request, const void* block, UINT timeout, ReplyHeader& reply,
                std::string* answer = nullptr);
  // A request that is answered at once (not a send); its result as BOOL.
  BOOL Act(RequestKind kind, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The owner of a window: known from an earlier answer, else from the registry; 0 for none.
  DWORD ProcessOf(HWND window);
  // Drops what is known of a window that did not answer; false with the last error set.
  bool Forget(HWND window, int fd);
  int TakeConnection(DWORD processId);
  void ReturnConnection(DWORD processId, int fd);

  WindowRegistry& m_registry;
  std::mutex m_mutex;
  std::multimap<DWORD, int> m_idle;  // open connections by process
  std::map<DWORD, DWORD> m_owners;   // windows that have answered, with their process
  std::function<void()> m_whileWaiting;
};

}  // namespace layer::ipc
