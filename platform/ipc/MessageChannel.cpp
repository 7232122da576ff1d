#include "ipc/MessageChannel.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace layer::ipc {

std::string ListenerName(DWORD processId) {
  std::string name = "varno4-ipc-" + std::to_string(getuid()) + "-" + std::to_string(processId);
  if (const char* space = std::getenv("VARNO_IPC_SPACE"); space && *space) name += std::string("-") + space;
  return name;
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
