#include "ipc/MessageServer.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "ipc/MessageChannel.h"
#include "win32/CrossProcess.h"
#include "win32/Process.h"

namespace layer::ipc {
namespace {

constexpr int kBlockReadTimeout = 5000;
constexpr UINT kCopyData = 0x004A;

using Clock = std::chrono::steady_clock;

// The sends that this program is handling for others, with their start.
class PendingSends {
 public:
  std::uint64_t Begin() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_started[++m_next] = Clock::now();
    return m_next;
  }
  void End(std::uint64_t id) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_started.erase(id);
  }
  bool Hung() {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto limit = std::chrono::milliseconds(HungAfterMilliseconds());
    for (const auto& [id, start] : m_started)
      if (Clock::now() - start > limit) return true;
    return false;
  }

 private:
  std::mutex m_mutex;
  std::uint64_t m_next = 0;
  std::map<std::uint64_t, Clock::time_point> m_started;
};

PendingSends& Pending() {
  static auto* pending = new PendingSends;
  return *pending;
}

// A parameter that points into the sender's memory would be read, or called, here.
bool SafeToDeliver(const RequestHeader& request) {
  auto kind = static_cast<RequestKind>(request.kind);
  if (kind != RequestKind::Post && kind != RequestKind::Send) return true;
  if (request.message == kCopyData) return kind == RequestKind::Send && request.blockSize != kNoBlock;
  return request.blockSize == kNoBlock && CrossesAsItStands(request.message);
}

ReplyHeader Handle(LocalWindows& windows, const RequestHeader& request, std::vector<char>& block,
                   std::string& answer) {
  ReplyHeader reply{kReplyMagic, static_cast<std::uint32_t>(ReplyStatus::Done), 0};
  HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(request.window));
  if (!windows.Owns(window)) {
    reply.status = static_cast<std::uint32_t>(ReplyStatus::NoWindow);
    return reply;
  }
  if (!SafeToDeliver(request)) {
    reply.status = static_cast<std::uint32_t>(ReplyStatus::Refused);
    return reply;
  }
  auto wParam = static_cast<WPARAM>(request.wParam);
  auto lParam = static_cast<LPARAM>(request.lParam);
  switch (static_cast<RequestKind>(request.kind)) {
    case RequestKind::Post: reply.result = windows.Post(window, request.message, wParam, lParam); break;
    case RequestKind::Send: {
      if ((request.flags & SMTO_ABORTIFHUNG) && Pending().Hung()) {
        reply.status = static_cast<std::uint32_t>(ReplyStatus::Hung);
        break;
      }
      COPYDATASTRUCT copy{static_cast<ULONG_PTR>(request.blockTag), static_cast<DWORD>(block.size()),
                          block.empty() ? nullptr : block.data()};
      if (request.blockSize != kNoBlock) lParam = reinterpret_cast<LPARAM>(&copy);
      std::uint64_t id = Pending().Begin();
      reply.result = windows.Send(window, request.message, wParam, lParam);
      Pending().End(id);
      break;
    }
    case RequestKind::Show: reply.result = windows.Show(window, static_cast<int>(request.wParam)); break;
    case RequestKind::Enable: reply.result = windows.Enable(window, static_cast<BOOL>(request.wParam)); break;
    case RequestKind::BringToFront: reply.result = windows.BringToFront(window); break;
    case RequestKind::Describe:
      answer = windows.Describe(window);
      if (answer.size() > kLargestBlock) answer.clear();
      reply.result = static_cast<std::int64_t>(answer.size());
      break;
    default: reply.status = static_cast<std::uint32_t>(ReplyStatus::Refused); break;
  }
  return reply;
}

bool KnownKind(std::uint32_t kind) {
  return kind >= static_cast<std::uint32_t>(RequestKind::Post) &&
         kind <= static_cast<std::uint32_t>(RequestKind::Describe);
}

// One connection: requests one after the other until the peer goes or breaks the protocol.
void Serve(LocalWindows& windows, int fd) {
  RequestHeader request;
  std::vector<char> block;
  std::string answer;
  while (ReadAll(fd, &request, sizeof request, -1)) {
    if (request.magic != kRequestMagic || !KnownKind(request.kind)) break;
    block.clear();
    if (request.blockSize != kNoBlock) {
      if (request.blockSize > kLargestBlock) break;
      block.resize(request.blockSize);
      if (!ReadAll(fd, block.data(), block.size(), kBlockReadTimeout)) break;
    }
    answer.clear();
    ReplyHeader reply = Handle(windows, request, block, answer);
    if (!WriteAll(fd, &reply, sizeof reply) || !WriteAll(fd, answer.data(), answer.size())) break;
  }
  close(fd);
}

int Listen() {
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::string name = ListenerName(GetCurrentProcessId());
  std::memcpy(address.sun_path + 1, name.data(), name.size());
  auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd, 16) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

bool StartListening(LocalWindows& windows) {
  static std::mutex mutex;
  static int listener = -1;
  std::lock_guard<std::mutex> lock(mutex);
  if (listener >= 0) return true;
  listener = Listen();
  if (listener < 0) return false;
  std::thread([&windows, fd = listener] {
    for (;;) {
      int connection = accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
      if (connection < 0) {
        if (errno == EINTR || errno == ECONNABORTED) continue;
        return;
      }
      std::thread(Serve, std::ref(windows), connection).detach();
    }
  }).detach();
  return true;
}

DWORD HungAfterMilliseconds() {
  static DWORD limit = [] {
    const char* text = std::getenv("VARNO_HUNG_MS");
    long value = text ? std::atol(text) : 0;
    return value > 0 ? static_cast<DWORD>(value) : 5000u;
  }();
  return limit;
}

}  // namespace layer::ipc
