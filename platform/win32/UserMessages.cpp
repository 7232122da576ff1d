#include "win32/UserMessages.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "win32/Clock.h"
#include "win32/Codepage.h"
#include "win32/CrossProcess.h"
#include "win32/Errors.h"
#include "win32/Process.h"
#include "win32/UserInternal.h"
#include "win32/UserWindowTable.h"
#include "win32/UserWindows.h"
#include "win32/WindowHost.h"

#ifndef ERROR_INVALID_THREAD_ID
#define ERROR_INVALID_THREAD_ID 1444L
#endif
#ifndef ERROR_NOT_ENOUGH_QUOTA
#define ERROR_NOT_ENOUGH_QUOTA 1816L
#endif

namespace layer {
namespace {

// The platform refuses posts beyond this many waiting messages; a loop that
// posts to itself without end fails instead of eating the memory.
constexpr std::size_t kPostedLimit = 10000;
constexpr UINT kTimerMinimum = 10;

struct Timer {
  HWND window;
  UINT_PTR id;
  UINT elapse;
  TIMERPROC proc;
  DWORD due;
};

struct SentMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool request = false;  // one of the layer's own requests, not a message
  LRESULT result = 0;
  bool done = false;
};

class MessageQueue {
 public:
  std::mutex mutex;
  std::condition_variable arrived;
  std::deque<MSG> posted;
  std::deque<MSG> input;  // from the screen, turned into messages when read
  std::deque<MSG> requests;  // the layer's own, from other threads
  std::deque<std::shared_ptr<SentMessage>> sent;
  std::vector<Timer> timers;
  bool quit = false;
  int quitCode = 0;
  DWORD threadId = 0;

  void Wake() {
    arrived.notify_all();
    if (auto* host = InstalledWindowHost(); host && host->ThreadId() == threadId) host->Wake();
  }
};

std::mutex queuesMutex;
std::map<DWORD, std::shared_ptr<MessageQueue>>& Queues() {
  static auto* queues = new std::map<DWORD, std::shared_ptr<MessageQueue>>;
  return *queues;
}

std::shared_ptr<MessageQueue> FindQueue(DWORD threadId) {
  std::lock_guard<std::mutex> lock(queuesMutex);
  auto found = Queues().find(threadId);
  return found == Queues().end() ? nullptr : found->second;
}

// Removes a thread's queue, and the windows it still has, when the thread
// ends (the program's first thread ends with the program).
struct QueueOwner {
  DWORD threadId = 0;
  ~QueueOwner() {
    if (!threadId) return;
    if (threadId != static_cast<DWORD>(getpid())) DestroyThreadWindows(threadId);
    std::lock_guard<std::mutex> lock(queuesMutex);
    Queues().erase(threadId);
  }
};

MessageQueue& OwnQueue() {
  thread_local QueueOwner owner;
  thread_local std::shared_ptr<MessageQueue> queue;
  if (!queue) {
    queue = std::make_shared<MessageQueue>();
    queue->threadId = GetCurrentThreadId();
    std::lock_guard<std::mutex> lock(queuesMutex);
    Queues()[queue->threadId] = queue;
    owner.threadId = queue->threadId;
  }
  return *queue;
}

thread_local DWORD lastMessageTime = 0;
thread_local POINT lastMessagePoint{};
thread_local int inSend = 0;

bool InRange(UINT message, UINT filterMin, UINT filterMax) {
  if (filterMin == 0 && filterMax == 0) return true;
  return message >= filterMin && message <= filterMax;
}

bool WindowMatches(HWND candidate, HWND filter) {
  if (!filter) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return candidate == nullptr;
  return candidate == filter || IsChild(filter, candidate);
}

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  POINT point;
  GetCursorPos(&point);
  return MSG{window, message, wParam, lParam, GetTickCount(), point};
}

LRESULT CallProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  auto window = Windows().Find(handle);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  ++inSend;
  LRESULT result = CallWindowProc(window->proc, handle, message, wParam, lParam);
  --inSend;
  return result;
}

// Messages that other threads sent to this thread's windows are handled
// whenever this thread looks at its queue, as on the platform.
void HandleIncomingSent(MessageQueue& queue) {
  for (;;) {
    std::shared_ptr<SentMessage> sent;
    {
      std::lock_guard<std::mutex> lock(queue.mutex);
      if (queue.sent.empty()) return;
      sent = queue.sent.front();
      queue.sent.pop_front();
    }
    LRESULT result = sent->request ? HandleRequest(sent->window, sent->message, sent->wParam, sent->lParam)
                                   : CallProcedure(sent->window, sent->message, sent->wParam, sent->lParam);
    std::lock_guard<std::mutex> lock(queue.mutex);
    sent->result = result;
    sent->done = true;
    queue.arrived.notify_all();
  }
}

// The layer's own requests posted to this thread are carried out before anything is read.
void HandlePostedRequests(MessageQueue& queue) {
  for (;;) {
    MSG msg;
    {
      std::lock_guard<std::mutex> lock(queue.mutex);
      if (queue.requests.empty()) return;
      msg = queue.requests.front();
      queue.requests.pop_front();
    }
    HandleRequest(msg.hwnd, msg.message, msg.wParam, msg.lParam);
  }
}

bool AcceptsInput(const MSG& raw, UINT filterMin, UINT filterMax) {
  if (filterMin == 0 && filterMax == 0) return true;
  if (raw.message == kKeyInput) return filterMin <= WM_KEYLAST && filterMax >= WM_KEYFIRST;
  return (filterMin <= WM_MOUSELAST && filterMax >= WM_MOUSEFIRST) || (filterMin <= WM_NCMBUTTONDBLCLK && filterMax >= WM_NCMOUSEMOVE);
}

// Input from the screen becomes a message now, in the order it came.
bool TakeInput(MessageQueue& queue, MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
  for (;;) {
    MSG raw;
    {
      std::lock_guard<std::mutex> lock(queue.mutex);
      if (queue.input.empty() || !AcceptsInput(queue.input.front(), filterMin, filterMax)) return false;
      raw = queue.input.front();
      if (remove) queue.input.pop_front();
    }
    MSG converted;
    InputOutcome outcome = ConvertInput(raw, remove, &converted);
    if (outcome != InputOutcome::kDeliver) {
      if (!remove) {
        std::lock_guard<std::mutex> lock(queue.mutex);
        if (!queue.input.empty()) queue.input.pop_front();
      }
      continue;
    }
    if (!WindowMatches(converted.hwnd, filter) || !InRange(converted.message, filterMin, filterMax)) {
      if (remove) {
        std::lock_guard<std::mutex> lock(queue.mutex);
        queue.input.push_front(raw);
      }
      return false;
    }
    *msg = converted;
    return true;
  }
}

bool TakePosted(MessageQueue& queue, MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
  std::lock_guard<std::mutex> lock(queue.mutex);
  for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
    if (!WindowMatches(it->hwnd, filter) || !InRange(it->message, filterMin, filterMax)) continue;
    *msg = *it;
    if (remove) queue.posted.erase(it);
    return true;
  }
  return false;
}

bool TakeQuit(MessageQueue& queue, MSG* msg, bool remove) {
  std::lock_guard<std::mutex> lock(queue.mutex);
  if (!queue.quit) return false;
  *msg = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0);
  if (remove) queue.quit = false;
  return true;
}

bool TakePaint(MSG* msg, HWND filter, UINT filterMin, UINT filterMax) {
  if (!InRange(WM_PAINT, filterMin, filterMax)) return false;
  for (const auto& window : WindowsOfThread(GetCurrentThreadId())) {
    if (!(window->HasUpdate() || window->internalPaint || window->frameUpdate) || window->destroying) continue;
    if (!IsShownOnScreen(*window) || !WindowMatches(window->handle, filter)) continue;
    if (!window->HasUpdate() && !window->internalPaint) {
      // Only the frame waits: it is painted without troubling the window with WM_PAINT.
      window->frameUpdate = false;
      if (window->HasNonClientArea()) SendMessage(window->handle, WM_NCPAINT, 1, 0);
      continue;
    }
    *msg = MakeMessage(window->handle, WM_PAINT, 0, 0);
    return true;
  }
  return false;
}

bool IsDue(DWORD due, DWORD now) { return static_cast<LONG>(now - due) >= 0; }

bool TakeTimer(MessageQueue& queue, MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
  if (!InRange(WM_TIMER, filterMin, filterMax)) return false;
  DWORD now = GetTickCount();
  std::lock_guard<std::mutex> lock(queue.mutex);
  for (Timer& timer : queue.timers) {
    if (!IsDue(timer.due, now) || !WindowMatches(timer.window, filter)) continue;
    *msg = MakeMessage(timer.window, WM_TIMER, timer.id, reinterpret_cast<LPARAM>(timer.proc));
    // A timer that fell behind fires once, not once per missed period.
    if (remove) timer.due = now + timer.elapse;
    return true;
  }
  return false;
}

// Milliseconds until the next timer of the queue is due; INFINITE without timers.
DWORD TimeToNextTimer(MessageQueue& queue) {
  DWORD now = GetTickCount();
  DWORD next = INFINITE;
  std::lock_guard<std::mutex> lock(queue.mutex);
  for (const Timer& timer : queue.timers) {
    DWORD wait = IsDue(timer.due, now) ? 0 : timer.due - now;
    next = std::min(next, wait);
  }
  return next;
}

WindowHost* HostOfThisThread() {
  WindowHost* host = InstalledWindowHost();
  return host && host->ThreadId() == GetCurrentThreadId() ? host : nullptr;
}

// Asking the screen for news costs far more than a look at the queue. A loop
// that looks again and again without waiting (a print job between its
// statements) asks it at most once a millisecond; a wait for input asks it
// every time.
bool TimeToAskTheScreen() {
  constexpr auto kInterval = std::chrono::milliseconds(1);
  thread_local std::chrono::steady_clock::time_point lastAsked{};
  auto now = std::chrono::steady_clock::now();
  if (now - lastAsked < kInterval) return false;
  lastAsked = now;
  return true;
}

bool Peek(MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
  MessageQueue& queue = OwnQueue();
  HandleIncomingSent(queue);
  if (WindowHost* host = HostOfThisThread(); host && TimeToAskTheScreen()) host->ProcessEvents(0);
  HandleIncomingSent(queue);
  HandlePostedRequests(queue);
  bool found = TakePosted(queue, msg, filter, filterMin, filterMax, remove) || TakeQuit(queue, msg, remove) ||
               TakeInput(queue, msg, filter, filterMin, filterMax, remove) ||
               TakePaint(msg, filter, filterMin, filterMax) ||
               TakeTimer(queue, msg, filter, filterMin, filterMax, remove);
  if (found && remove) {
    lastMessageTime = msg->time;
    lastMessagePoint = msg->pt;
  }
  if (!found) {
    // The screen shows what was drawn, and a starter that waits in
    // WaitForInputIdle may go on, once the loop has run dry.
    PresentWindows();
    if (MillisecondsToDuePresent() == INFINITE) SignalInputIdle();
  }
  return found;
}

bool HasPosted(MessageQueue& queue) {
  std::lock_guard<std::mutex> lock(queue.mutex);
  return !queue.posted.empty() || !queue.input.empty() || !queue.requests.empty() || !queue.sent.empty() || queue.quit;
}

// Waits until something may be in the queue. On a test clock the wait for a
// timer takes no real time: the clock is moved on to the timer's due time.
void WaitForInput(MessageQueue& queue) {
  DWORD timerWait = TimeToNextTimer(queue);
  // A picture held back from the screen is shown when it is due, whatever the clock of the timers.
  const DWORD presentWait = MillisecondsToDuePresent();
  if (timerWait != INFINITE && dynamic_cast<ManualClock*>(&CurrentClock())) {
    if (presentWait != INFINITE) std::this_thread::sleep_for(std::chrono::milliseconds(presentWait));
    else if (!HasPosted(queue)) CurrentClock().Sleep(timerWait);
    return;
  }
  timerWait = std::min(timerWait, presentWait);
  if (WindowHost* host = HostOfThisThread()) {
    host->ProcessEvents(timerWait == INFINITE ? 50 : std::min<DWORD>(timerWait, 50));
    return;
  }
  std::unique_lock<std::mutex> lock(queue.mutex);
  auto waiting = [&queue] {
    return !queue.posted.empty() || !queue.input.empty() || !queue.requests.empty() || !queue.sent.empty() || queue.quit;
  };
  if (timerWait == INFINITE) queue.arrived.wait_for(lock, std::chrono::milliseconds(100), waiting);
  else queue.arrived.wait_for(lock, std::chrono::milliseconds(timerWait), waiting);
}

std::shared_ptr<MessageQueue> QueueOfWindow(HWND handle) {
  auto window = Windows().Find(handle);
  if (!window) return nullptr;
  return FindQueue(window->threadId);
}

// Another thread's window: its thread runs the procedure (or the request);
// meanwhile this thread answers what is sent to it, so two threads sending
// to each other do not wait for ever. A window whose thread is gone answers 0.
LRESULT SendAndWait(HWND handle, const std::shared_ptr<SentMessage>& sent) {
  auto window = Windows().Find(handle);
  auto target = window ? FindQueue(window->threadId) : nullptr;
  if (!target) return 0;
  {
    std::lock_guard<std::mutex> lock(target->mutex);
    target->sent.push_back(sent);
  }
  target->Wake();
  MessageQueue& own = OwnQueue();
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(target->mutex);
      if (target->arrived.wait_for(lock, std::chrono::milliseconds(5), [&] { return sent->done; })) return sent->result;
    }
    HandleIncomingSent(own);
    if (!IsOwnWindow(handle)) return 0;
  }
}

bool PostTo(MessageQueue& queue, const MSG& msg, bool first = false) {
  {
    std::lock_guard<std::mutex> lock(queue.mutex);
    if (queue.posted.size() >= kPostedLimit) {
      SetLastError(ERROR_NOT_ENOUGH_QUOTA);
      return false;
    }
    if (first) queue.posted.push_front(msg);
    else queue.posted.push_back(msg);
  }
  queue.Wake();
  return true;
}

bool QueueInputFor(DWORD threadId, const MSG& raw) {
  auto queue = FindQueue(threadId);
  if (!queue) return false;
  {
    std::lock_guard<std::mutex> lock(queue->mutex);
    if (queue->input.size() >= kPostedLimit) return false;
    queue->input.push_back(raw);
  }
  queue->Wake();
  return true;
}

UINT_PTR NextTimerId() {
  static std::atomic<UINT_PTR> next{0x7FF0};
  return ++next;
}

}  // namespace

void EnsureQueue() { OwnQueue(); }

bool QueueInput(DWORD threadId, const MSG& raw) { return QueueInputFor(threadId, raw); }

bool PostRequest(HWND window, UINT request, WPARAM wParam, LPARAM lParam) {
  auto queue = QueueOfWindow(window);
  if (!queue) return false;
  {
    std::lock_guard<std::mutex> lock(queue->mutex);
    queue->requests.push_back(MSG{window, request, wParam, lParam, 0, {}});
  }
  queue->Wake();
  return true;
}

LRESULT SendRequest(HWND window, UINT request, WPARAM wParam, LPARAM lParam) {
  auto record = Windows().Find(window);
  if (!record) return 0;
  if (record->threadId == GetCurrentThreadId()) return HandleRequest(window, request, wParam, lParam);
  auto sent = std::make_shared<SentMessage>(SentMessage{window, request, wParam, lParam, true});
  return SendAndWait(window, sent);
}

void ForgetWindowMessages(HWND handle) {
  std::vector<std::shared_ptr<MessageQueue>> queues;
  {
    std::lock_guard<std::mutex> lock(queuesMutex);
    for (auto& entry : Queues()) queues.push_back(entry.second);
  }
  for (auto& queue : queues) {
    std::lock_guard<std::mutex> lock(queue->mutex);
    std::erase_if(queue->posted, [handle](const MSG& msg) { return msg.hwnd == handle; });
    std::erase_if(queue->requests, [handle](const MSG& msg) { return msg.hwnd == handle; });
    std::erase_if(queue->timers, [handle](const Timer& timer) { return timer.window == handle; });
  }
}

int PumpUntilIdle(int maximumMessages) {
  int dispatched = 0;
  MSG msg;
  while (dispatched < maximumMessages && Peek(&msg, nullptr, 0, 0, true)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
    ++dispatched;
  }
  return dispatched;
}

bool QuitPending(int* exitCode) {
  MessageQueue& queue = OwnQueue();
  std::lock_guard<std::mutex> lock(queue.mutex);
  if (queue.quit && exitCode) *exitCode = queue.quitCode;
  return queue.quit;
}

}  // namespace layer

DWORD GetCurrentThreadId() {
  thread_local DWORD id = static_cast<DWORD>(syscall(SYS_gettid));
  return id;
}

BOOL GetMessage(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (window && window != reinterpret_cast<HWND>(-1) && !layer::IsOwnWindow(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return -1;
  }
  layer::MessageQueue& queue = layer::OwnQueue();
  while (!layer::Peek(msg, window, filterMin, filterMax, true)) layer::WaitForInput(queue);
  return msg->message != WM_QUIT;
}

BOOL PeekMessage(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT remove) {
  if (!msg) return FALSE;
  return layer::Peek(msg, window, filterMin, filterMax, (remove & PM_REMOVE) != 0);
}

BOOL WaitMessage() {
  layer::MessageQueue& queue = layer::OwnQueue();
  MSG msg;
  while (!layer::Peek(&msg, nullptr, 0, 0, false)) layer::WaitForInput(queue);
  return TRUE;
}

namespace layer {
namespace {

// The character of a key is the next message the thread reads, as on the platform.
void PostCharacter(const MSG& key, UINT message, int character) {
  PostTo(OwnQueue(), MakeMessage(key.hwnd, message, static_cast<WPARAM>(character), key.lParam), true);
}

}  // namespace
}  // namespace layer

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  int key = static_cast<int>(msg->wParam);
  UINT message = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  if (int noted = layer::NotedKeyCharacter(key)) {
    layer::PostCharacter(*msg, message, noted);
    return TRUE;
  }
  bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  int character = 0;
  if (key >= 'A' && key <= 'Z') {
    character = control ? key - 'A' + 1 : (shift != static_cast<bool>(GetKeyState(VK_CAPITAL) & 1) ? key : key + 32);
  } else if (key >= '0' && key <= '9' && !shift) {
    character = key;
  } else if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9) {
    character = '0' + key - VK_NUMPAD0;
  } else {
    switch (key) {
      case VK_SPACE: character = ' '; break;
      case VK_RETURN: character = '\r'; break;
      case VK_BACK: character = '\b'; break;
      case VK_TAB: character = '\t'; break;
      case VK_ESCAPE: character = 0x1B; break;
      case VK_ADD: character = '+'; break;
      case VK_SUBTRACT: character = '-'; break;
      case VK_MULTIPLY: character = '*'; break;
      case VK_DIVIDE: character = '/'; break;
      default: return FALSE;
    }
  }
  layer::PostCharacter(*msg, message, character);
  return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
    return 0;
  }
  if (!msg->hwnd) return 0;
  auto window = layer::WindowOf(msg->hwnd);
  if (!window) return 0;
  LRESULT result = layer::CallProcedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
  // A paint that was asked for without an invalid area is given once.
  if (msg->message == WM_PAINT) window->internalPaint = false;
  return result;
}

BOOL PostMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!handle) return PostThreadMessage(GetCurrentThreadId(), message, wParam, lParam);
  if (handle == HWND_BROADCAST) {
    for (const auto& window : layer::WindowsOfThread(0)) {
      if (!window->IsChild()) PostMessage(window->handle, message, wParam, lParam);
    }
    return TRUE;
  }
  if (auto* remote = layer::RemoteWindowsFor(handle)) return remote->Post(handle, message, wParam, lParam);
  auto queue = layer::QueueOfWindow(handle);
  if (!queue) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return layer::PostTo(*queue, layer::MakeMessage(handle, message, wParam, lParam));
}

BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  if (threadId == GetCurrentThreadId()) layer::EnsureQueue();
  auto queue = layer::FindQueue(threadId);
  if (!queue) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  return layer::PostTo(*queue, layer::MakeMessage(nullptr, message, wParam, lParam));
}

void PostQuitMessage(int exitCode) {
  layer::MessageQueue& queue = layer::OwnQueue();
  {
    std::lock_guard<std::mutex> lock(queue.mutex);
    queue.quit = true;
    queue.quitCode = exitCode;
  }
  queue.Wake();
}

LRESULT SendMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  if (handle == HWND_BROADCAST) {
    for (const auto& window : layer::WindowsOfThread(0)) {
      if (!window->IsChild()) SendMessage(window->handle, message, wParam, lParam);
    }
    return 0;
  }
  if (auto* remote = layer::RemoteWindowsFor(handle)) {
    DWORD_PTR result = 0;
    remote->Send(handle, message, wParam, lParam, SMTO_NORMAL, INFINITE, &result);
    return static_cast<LRESULT>(result);
  }
  auto window = layer::WindowOf(handle);
  if (!window) return 0;
  if (window->threadId == GetCurrentThreadId()) return layer::CallProcedure(handle, message, wParam, lParam);
  auto sent = std::make_shared<layer::SentMessage>(layer::SentMessage{handle, message, wParam, lParam});
  return layer::SendAndWait(handle, sent);
}

BOOL InSendMessage() { return layer::inSend > 0; }

UINT RegisterWindowMessage(LPCSTR name) {
  if (!name || !*name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  // The number comes from the name alone (without regard to case), so
  // programs agree on it without asking each other. Within one process a
  // second name that lands on a taken number moves on to the next free one.
  std::string key(name);
  for (char& c : key) c = static_cast<char>(layer::Cp1252ToUpper(static_cast<unsigned char>(c)));
  DWORD hash = 2166136261u;
  for (unsigned char c : key) hash = (hash ^ c) * 16777619u;
  static std::mutex mutex;
  static std::map<UINT, std::string> taken;
  std::lock_guard<std::mutex> lock(mutex);
  UINT number = 0xC000 + hash % 0x4000;
  for (;;) {
    auto found = taken.find(number);
    if (found == taken.end()) {
      taken[number] = key;
      return number;
    }
    if (found->second == key) return number;
    number = number == 0xFFFF ? 0xC000 : number + 1;
  }
}

DWORD GetMessageTime() { return layer::lastMessageTime; }

DWORD GetMessagePos() {
  return static_cast<DWORD>(MAKELONG(static_cast<WORD>(layer::lastMessagePoint.x), static_cast<WORD>(layer::lastMessagePoint.y)));
}

DWORD GetQueueStatus(UINT) {
  layer::MessageQueue& queue = layer::OwnQueue();
  std::lock_guard<std::mutex> lock(queue.mutex);
  return queue.posted.empty() ? 0 : 0x00080008;  // QS_POSTMESSAGE
}

UINT_PTR SetTimer(HWND handle, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  std::shared_ptr<layer::MessageQueue> queue;
  if (handle) {
    queue = layer::QueueOfWindow(handle);
    if (!queue) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
  } else {
    layer::EnsureQueue();
    queue = layer::FindQueue(GetCurrentThreadId());
    id = layer::NextTimerId();
  }
  elapse = std::max(elapse, layer::kTimerMinimum);
  {
    std::lock_guard<std::mutex> lock(queue->mutex);
    layer::Timer timer{handle, id, elapse, proc, GetTickCount() + elapse};
    auto found = std::find_if(queue->timers.begin(), queue->timers.end(),
                              [&](const layer::Timer& t) { return t.window == handle && t.id == id; });
    if (found != queue->timers.end()) *found = timer;
    else queue->timers.push_back(timer);
  }
  queue->Wake();
  return handle && id == 0 ? 1 : id;
}

BOOL KillTimer(HWND handle, UINT_PTR id) {
  auto queue = handle ? layer::QueueOfWindow(handle) : layer::FindQueue(GetCurrentThreadId());
  if (!queue) return FALSE;
  std::lock_guard<std::mutex> lock(queue->mutex);
  auto before = queue->timers.size();
  std::erase_if(queue->timers, [&](const layer::Timer& t) { return t.window == handle && t.id == id; });
  return queue->timers.size() != before;
}
