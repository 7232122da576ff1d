#include "ipc/MessageChannel.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "win32/ProcessTable.h"

namespace layer::ipc {
namespace {

constexpr UINT kFirstOwnMessage = 0x0400;  // WM_USER

// "process" becomes a space of this program as the layer is loaded, before
// the program can start another.
const std::string ownSpace = [] {
  const char* name = std::getenv("VARNO_IPC_SPACE");
  if (!name || std::strcmp(name, "process") != 0) return std::string();
  std::string own = layer::SpaceOfProcess(name, static_cast<DWORD>(getpid()));
  setenv("VARNO_IPC_SPACE", own.c_str(), 1);
  return own;
}();

}  // namespace

std::string SpaceSuffix() {
  const char* name = std::getenv("VARNO_IPC_SPACE");
  return name && *name ? std::string("-") + name : std::string();
}

bool OwnsSpace() {
  const char* name = std::getenv("VARNO_IPC_SPACE");
  return !ownSpace.empty() && name && ownSpace == name;
}

bool CrossesAsItStands(UINT message) {
  if (message >= kFirstOwnMessage) return true;
  static constexpr UINT plain[] = {
      0x0000, 0x0003, 0x0005, 0x0006, 0x0007, 0x0008, 0x000A,  // null, move, size, activate, focus, enable
      0x000B, 0x000E, 0x000F, 0x0010, 0x0012, 0x0018,          // redraw, text length, paint, close, quit, show
      0x0111, 0x0112, 0x0114, 0x0115};                         // command, system command, scrolling
  if (std::find(std::begin(plain), std::end(plain), message) != std::end(plain)) return true;
  bool key = message >= 0x0100 && message <= 0x0109;
  bool mouse = message >= 0x0200 && message <= 0x020E;
  return key || mouse;
}

std::string ListenerName(DWORD processId) {
  return "varno4-ipc-" + std::to_string(getuid()) + "-" + std::to_string(processId) + SpaceSuffix();
}

int ConnectTo(DWORD processId) {
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::string name = ListenerName(processId);
  std::memcpy(address.sun_path + 1, name.data(), name.size());  // abstract: gone with its process
  auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

bool ReadAll(int fd, void* into, size_t size, int timeoutMilliseconds) {
  using Clock = std::chrono::steady_clock;
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
  auto* bytes = static_cast<char*>(into);
  while (size > 0) {
    // What has arrived is taken at once; only an empty socket is waited for.
    ssize_t got = recv(fd, bytes, size, MSG_DONTWAIT);
    if (got > 0) {
      bytes += got;
      size -= static_cast<size_t>(got);
      continue;
    }
    if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) return false;
    int wait = -1;
    if (timeoutMilliseconds >= 0) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left < 0) return false;
      wait = static_cast<int>(left);
    }
    pollfd watched{fd, POLLIN, 0};
    int ready = poll(&watched, 1, wait);
    if (ready == 0 || (ready < 0 && errno != EINTR)) return false;
  }
  return true;
}

bool WriteAll(int fd, const void* from, size_t size) {
  const auto* bytes = static_cast<const char*>(from);
  while (size > 0) {
    ssize_t sent = send(fd, bytes, size, MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    bytes += sent;
    size -= static_cast<size_t>(sent);
  }
  return true;
}

}  // namespace layer::ipc
