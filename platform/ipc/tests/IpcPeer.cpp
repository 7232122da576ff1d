// A second program for the cross-process tests.
//   serve FILE [hang]   publishes a window of class "IpcPeer" (user data: the
//                       parent's process id), writes its handle into FILE and
//                       answers requests; with "hang" every send hangs.
//   client FILE         finds the parent's window of class "IpcHost" whose
//                       user data is the parent's process id, posts, sends and
//                       sends a WM_COPYDATA block to it, and writes what it got.
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <string>

#include "ipc/MessageServer.h"
#include "ipc/RemoteWindowsClient.h"
#include "ipc/WindowRegistry.h"
#include "win32/CrossProcess.h"
#include "win32/Process.h"

using namespace layer::ipc;

namespace {

constexpr UINT kCommand = 0xC321;  // a registered message number
constexpr UINT kClose = 0x0010;

class PeerWindows : public LocalWindows {
 public:
  PeerWindows(DWORD handle, bool hang) : m_handle(handle), m_hang(hang) {}
  bool Owns(HWND window) override { return reinterpret_cast<UINT_PTR>(window) == m_handle; }
  BOOL Post(HWND, UINT message, WPARAM, LPARAM) override {
    if (message == kClose) closing = true;
    return TRUE;
  }
  LRESULT Send(HWND, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (m_hang) sleep(30);
    if (message == 0x004A) return static_cast<LRESULT>(reinterpret_cast<COPYDATASTRUCT*>(lParam)->cbData);
    return static_cast<LRESULT>(message + wParam + static_cast<WPARAM>(lParam));
  }
  BOOL Show(HWND, int) override { return TRUE; }
  BOOL Enable(HWND, BOOL) override { return TRUE; }
  BOOL BringToFront(HWND) override { return TRUE; }
  std::atomic<bool> closing{false};

 private:
  DWORD m_handle;
  bool m_hang;
};

int Serve(const std::string& file, bool hang) {
  WindowEntry entry;
  entry.handle = layer::NewUserWindowHandle();
  entry.processId = GetCurrentProcessId();
  entry.flags = kWindowVisible | kWindowEnabled;
  entry.userData = static_cast<LONG>(getppid());
  entry.className = "IpcPeer";
  entry.title = "Peer";
  static PeerWindows windows(entry.handle, hang);
  if (!StartListening(windows) || !WindowRegistry::OfUser().Publish(entry)) return 2;
  std::ofstream(file) << entry.handle;
  while (!windows.closing) usleep(5000);
  return 0;
}

// The host's window: of class "IpcHost", and the one whose user data names the parent.
DWORD HostWindow(WindowRegistry& registry) {
  if (!registry.FindWindow("IpcHost", nullptr)) return 0;
  for (DWORD window = registry.Neighbour(0, GW_HWNDFIRST); window; window = registry.Neighbour(window, GW_HWNDNEXT)) {
    auto entry = registry.Find(window);
    if (entry && entry->className == "IpcHost" && entry->userData == static_cast<LONG>(getppid())) return window;
  }
  return 0;
}

int Client(const std::string& file) {
  WindowRegistry& registry = WindowRegistry::OfUser();
  RemoteWindowsClient remote(registry);
  HWND host = reinterpret_cast<HWND>(static_cast<UINT_PTR>(HostWindow(registry)));
  std::ofstream out(file);
  out << "window " << reinterpret_cast<UINT_PTR>(host) << "\n";
  out << "post " << remote.Post(host, kCommand, 2, 0) << "\n";
  DWORD_PTR result = 0;
  out << "send " << remote.Send(host, kCommand, 8, 77, SMTO_NORMAL, 2000, &result) << " " << result << "\n";
  std::string bytes(4096, 'q');
  bytes[0] = 'A';
  COPYDATASTRUCT copy{18, static_cast<DWORD>(bytes.size()), bytes.data()};
  out << "copydata " << remote.Send(host, 0x004A, 0, reinterpret_cast<LPARAM>(&copy), SMTO_ABORTIFHUNG, 2000, &result)
      << " " << result << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string step = argc > 2 ? argv[1] : "";
  if (step == "serve") return Serve(argv[2], argc > 3 && std::strcmp(argv[3], "hang") == 0);
  if (step == "client") return Client(argv[2]);
  return 1;
}
