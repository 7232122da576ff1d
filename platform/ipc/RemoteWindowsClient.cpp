#include "ipc/RemoteWindowsClient.h"

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>

#include "win32/Errors.h"
#include "win32/Process.h"

namespace layer::ipc {
namespace {

constexpr UINT kAcknowledgeTimeout = 5000;
constexpr int kPumpSlice = 5;
constexpr UINT kCopyData = 0x004A;
constexpr DWORD kInvalidWindow = 1400;
constexpr DWORD kSyncOnly = 1159;

DWORD HandleValue(HWND window) { return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window)); }

RequestHeader Request(RequestKind kind, HWND window, UINT message = 0, WPARAM wParam = 0, LPARAM lParam = 0) {
  return {kRequestMagic, static_cast<std::uint32_t>(kind), HandleValue(window), message,
          static_cast<std::uint64_t>(wParam), static_cast<std::int64_t>(lParam), 0, kNoBlock, 0};
}

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

}  // namespace

RemoteWindowsClient::RemoteWindowsClient(WindowRegistry& registry) : m_registry(registry) {}

RemoteWindowsClient::~RemoteWindowsClient() {
  for (auto& [process, fd] : m_idle) close(fd);
}

void RemoteWindowsClient::SetWhileWaiting(std::function<void()> pump) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_whileWaiting = std::move(pump);
}

HWND RemoteWindowsClient::Find(LPCSTR className, LPCSTR title) {
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(m_registry.FindWindow(className, title)));
}

HWND RemoteWindowsClient::Neighbour(HWND window, UINT relation) {
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(m_registry.Neighbour(HandleValue(window), relation)));
}

bool RemoteWindowsClient::Facts(HWND window, RemoteWindowFacts& facts) {
  auto entry = m_registry.Find(HandleValue(window));
  if (!entry || entry->processId == GetCurrentProcessId()) return false;
  facts.processId = entry->processId;
  facts.threadId = entry->threadId;
  facts.parent = reinterpret_cast<HWND>(static_cast<UINT_PTR>(entry->parent));
  facts.visible = entry->flags & kWindowVisible;
  facts.enabled = entry->flags & kWindowEnabled;
  facts.iconic = entry->flags & kWindowIconic;
  facts.userData = entry->userData;
  std::strncpy(facts.className, entry->className.c_str(), sizeof facts.className - 1);
  std::strncpy(facts.title, entry->title.c_str(), sizeof facts.title - 1);
  return true;
}

int RemoteWindowsClient::TakeConnection(DWORD processId) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_idle.find(processId);
    if (found != m_idle.end()) {
      int fd = found->second;
      m_idle.erase(found);
      return fd;
    }
  }
  return ConnectTo(processId);
}

void RemoteWindowsClient::ReturnConnection(DWORD processId, int fd) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_idle.emplace(processId, fd);
}

DWORD RemoteWindowsClient::ProcessOf(HWND window) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto known = m_owners.find(HandleValue(window));
    if (known != m_owners.end()) return known->second;
  }
  auto entry = m_registry.Find(HandleValue(window));
  return entry && entry->processId != GetCurrentProcessId() ? entry->processId : 0;
}

bool RemoteWindowsClient::Exchange(HWND window, RequestHeader request, const void* block, UINT timeout,
                                   ReplyHeader& reply, std::string* answer) {
  // An owner that has answered before is asked straight away: should it have
  // ended, its socket says so.
  DWORD process = ProcessOf(window);
  if (process == 0) return Fail(kInvalidWindow);
  std::string bytes(reinterpret_cast<const char*>(&request), sizeof request);
  if (request.blockSize != kNoBlock) bytes.append(static_cast<const char*>(block), request.blockSize);
  int fd = TakeConnection(process);
  bool written = fd >= 0 && WriteAll(fd, bytes.data(), bytes.size());
  if (!written && fd >= 0) {  // a kept connection may have gone stale; one fresh try
    close(fd);
    fd = ConnectTo(process);
    written = fd >= 0 && WriteAll(fd, bytes.data(), bytes.size());
  }
  if (!written) return Forget(window, fd);

  using Clock = std::chrono::steady_clock;
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout);
  std::function<void()> whileWaiting;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    whileWaiting = m_whileWaiting;
  }
  for (;;) {
    int slice = kPumpSlice;
    if (timeout != INFINITE) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) {
        close(fd);  // its late answer must not meet the next request
        return Fail(ERROR_TIMEOUT);
      }
      slice = static_cast<int>(std::min<long long>(left, kPumpSlice));
    }
    pollfd watched{fd, POLLIN, 0};
    if (poll(&watched, 1, whileWaiting ? slice : (timeout == INFINITE ? -1 : slice)) > 0) break;
    if (whileWaiting) whileWaiting();
  }
  if (!ReadAll(fd, &reply, sizeof reply, static_cast<int>(kAcknowledgeTimeout)) || reply.magic != kReplyMagic)
    return Forget(window, fd);  // the peer ended or broke the protocol
  if (answer && reply.status == static_cast<std::uint32_t>(ReplyStatus::Done)) {
    if (reply.result < 0 || reply.result > static_cast<std::int64_t>(kLargestBlock)) return Forget(window, fd);
    answer->resize(static_cast<std::size_t>(reply.result));
    if (!ReadAll(fd, answer->data(), answer->size(), static_cast<int>(kAcknowledgeTimeout))) return Forget(window, fd);
  }
  ReturnConnection(process, fd);
  switch (static_cast<ReplyStatus>(reply.status)) {
    case ReplyStatus::Done: {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_owners[HandleValue(window)] = process;
      return true;
    }
    case ReplyStatus::Hung: return Fail(ERROR_TIMEOUT);
    case ReplyStatus::Refused: return Fail(ERROR_INVALID_PARAMETER);
    default: return Forget(window, -1);
  }
}

bool RemoteWindowsClient::Forget(HWND window, int fd) {
  if (fd >= 0) close(fd);
  std::lock_guard<std::mutex> lock(m_mutex);
  m_owners.erase(HandleValue(window));
  return Fail(kInvalidWindow);
}

BOOL RemoteWindowsClient::Act(RequestKind kind, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ReplyHeader reply;
  if (!Exchange(window, Request(kind, window, message, wParam, lParam), nullptr, kAcknowledgeTimeout, reply))
    return FALSE;
  return reply.result != 0;
}

BOOL RemoteWindowsClient::Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCopyData) return Fail(kSyncOnly);  // its block would not outlive the post
  if (!CrossesAsItStands(message)) return Fail(ERROR_INVALID_PARAMETER);
  return Act(RequestKind::Post, window, message, wParam, lParam);
}

BOOL RemoteWindowsClient::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeout,
                               DWORD_PTR* result) {
  if (result) *result = 0;
  RequestHeader request = Request(RequestKind::Send, window, message, wParam, lParam);
  request.flags = flags;
  const void* block = nullptr;
  if (message == kCopyData) {
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!copy || (copy->cbData > 0 && !copy->lpData) || copy->cbData > kLargestBlock)
      return Fail(ERROR_INVALID_PARAMETER);
    request.blockTag = copy->dwData;
    request.blockSize = copy->cbData;
    request.lParam = 0;
    block = copy->lpData;
  } else if (!CrossesAsItStands(message)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  ReplyHeader reply;
  if (!Exchange(window, request, block, timeout, reply)) return FALSE;
  if (result) *result = static_cast<DWORD_PTR>(reply.result);
  return TRUE;
}

BOOL RemoteWindowsClient::Show(HWND window, int command) {
  return Act(RequestKind::Show, window, 0, static_cast<WPARAM>(command), 0);
}

BOOL RemoteWindowsClient::Enable(HWND window, BOOL enable) {
  return Act(RequestKind::Enable, window, 0, static_cast<WPARAM>(enable), 0);
}

BOOL RemoteWindowsClient::BringToFront(HWND window) { return Act(RequestKind::BringToFront, window, 0, 0, 0); }

std::string RemoteWindowsClient::Describe(HWND window) {
  ReplyHeader reply;
  std::string answer;
  if (!Exchange(window, Request(RequestKind::Describe, window), nullptr, kAcknowledgeTimeout, reply, &answer)) return {};
  return answer;
}

}  // namespace layer::ipc
