#include "win32/Threads.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "win32/Errors.h"
#include "win32/KernelObjects.h"
#include "win32/UserInternal.h"
#include "win32/UserMessages.h"

namespace layer {
namespace {

struct ThreadState {
  std::mutex mutex;
  std::condition_variable changed;
  bool started = false;    // the new thread knows its id
  bool suspended = false;
  bool ended = false;
  DWORD id = 0;
  DWORD exitCode = STILL_ACTIVE;
  int priority = THREAD_PRIORITY_NORMAL;
};

class ThreadObject : public WaitableObject {
 public:
  explicit ThreadObject(std::shared_ptr<ThreadState> state) : state(std::move(state)) {}
  DWORD Wait(DWORD milliseconds) override {
    std::unique_lock<std::mutex> lock(state->mutex);
    auto ended = [this] { return state->ended; };
    if (milliseconds == INFINITE) state->changed.wait(lock, ended);
    else if (!state->changed.wait_for(lock, std::chrono::milliseconds(milliseconds), ended)) return WAIT_TIMEOUT;
    return WAIT_OBJECT_0;
  }
  std::shared_ptr<ThreadState> state;
};

// The pseudo handle of the calling thread, as the platform gives it.
const HANDLE kCurrentThread = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-2));

void Run(std::shared_ptr<ThreadState> state, LPTHREAD_START_ROUTINE start, LPVOID parameter) {
  {
    std::unique_lock<std::mutex> lock(state->mutex);
    state->id = GetCurrentThreadId();
    state->started = true;
    state->changed.notify_all();
    state->changed.wait(lock, [&] { return !state->suspended; });
  }
  DWORD code = start(parameter);
  // The thread's windows go with it, before anyone waiting sees it ended.
  DestroyThreadWindows(GetCurrentThreadId());
  std::lock_guard<std::mutex> lock(state->mutex);
  state->exitCode = code;
  state->ended = true;
  state->changed.notify_all();
}

}  // namespace
}  // namespace layer

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD flags,
                    LPDWORD threadId) {
  if (!start) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto state = std::make_shared<layer::ThreadState>();
  state->suspended = (flags & CREATE_SUSPENDED) != 0;
  try {
    std::thread(layer::Run, state, start, parameter).detach();
  } catch (const std::system_error&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  std::unique_lock<std::mutex> lock(state->mutex);
  state->changed.wait(lock, [&] { return state->started; });
  if (threadId) *threadId = state->id;
  lock.unlock();
  return layer::AddHandle(std::make_shared<layer::ThreadObject>(state));
}

DWORD ResumeThread(HANDLE thread) {
  auto object = layer::ObjectOf<layer::ThreadObject>(thread);
  if (!object) return 0xFFFFFFFFu;
  std::lock_guard<std::mutex> lock(object->state->mutex);
  DWORD before = object->state->suspended ? 1 : 0;
  object->state->suspended = false;
  object->state->changed.notify_all();
  return before;
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
  auto object = layer::ObjectOf<layer::ThreadObject>(thread);
  if (!object || !exitCode) return FALSE;
  std::lock_guard<std::mutex> lock(object->state->mutex);
  *exitCode = object->state->exitCode;
  return TRUE;
}

HANDLE GetCurrentThread() { return layer::kCurrentThread; }

BOOL SetThreadPriority(HANDLE thread, int priority) {
  if (thread == layer::kCurrentThread) return TRUE;
  auto object = layer::ObjectOf<layer::ThreadObject>(thread);
  if (!object) return FALSE;
  std::lock_guard<std::mutex> lock(object->state->mutex);
  object->state->priority = priority;
  return TRUE;
}

int GetThreadPriority(HANDLE thread) {
  if (thread == layer::kCurrentThread) return THREAD_PRIORITY_NORMAL;
  auto object = layer::ObjectOf<layer::ThreadObject>(thread);
  if (!object) return 0x7FFFFFFF;  // THREAD_PRIORITY_ERROR_RETURN
  std::lock_guard<std::mutex> lock(object->state->mutex);
  return object->state->priority;
}

namespace {

std::recursive_mutex* LockOf(LPCRITICAL_SECTION section) { return static_cast<std::recursive_mutex*>(section->LockSemaphore); }

void Owned(LPCRITICAL_SECTION section) {
  if (++section->RecursionCount == 1)
    section->OwningThread = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(GetCurrentThreadId()));
}

}  // namespace

void InitializeCriticalSection(LPCRITICAL_SECTION section) {
  if (!section) return;
  *section = CRITICAL_SECTION{nullptr, -1, 0, nullptr, new std::recursive_mutex, 0};
}

BOOL InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION section, DWORD spinCount) {
  InitializeCriticalSection(section);
  if (section) section->SpinCount = spinCount;
  return section != nullptr;
}

void DeleteCriticalSection(LPCRITICAL_SECTION section) {
  if (!section || !section->LockSemaphore) return;
  delete LockOf(section);
  section->LockSemaphore = nullptr;
}

void EnterCriticalSection(LPCRITICAL_SECTION section) {
  if (!section || !section->LockSemaphore) return;
  InterlockedIncrement(&section->LockCount);
  LockOf(section)->lock();
  Owned(section);
}

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section) {
  if (!section || !section->LockSemaphore || !LockOf(section)->try_lock()) return FALSE;
  InterlockedIncrement(&section->LockCount);
  Owned(section);
  return TRUE;
}

void LeaveCriticalSection(LPCRITICAL_SECTION section) {
  if (!section || !section->LockSemaphore || section->RecursionCount <= 0) return;
  // Only the owner may leave; a stray leave from another thread changes nothing.
  if (section->OwningThread != reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(GetCurrentThreadId()))) return;
  if (--section->RecursionCount == 0) section->OwningThread = nullptr;
  InterlockedDecrement(&section->LockCount);
  LockOf(section)->unlock();
}

LONG InterlockedIncrement(LONG volatile* value) { return __atomic_add_fetch(value, 1, __ATOMIC_SEQ_CST); }
LONG InterlockedDecrement(LONG volatile* value) { return __atomic_sub_fetch(value, 1, __ATOMIC_SEQ_CST); }
LONG InterlockedExchange(LONG volatile* target, LONG value) { return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST); }
LONG InterlockedExchangeAdd(LONG volatile* target, LONG value) { return __atomic_fetch_add(target, value, __ATOMIC_SEQ_CST); }
LONG InterlockedCompareExchange(LONG volatile* target, LONG exchange, LONG comparand) {
  __atomic_compare_exchange_n(target, &comparand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
  return comparand;  // what the target held
}
LPVOID InterlockedExchangePointer(LPVOID volatile* target, LPVOID value) {
  return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}
LPVOID InterlockedCompareExchangePointer(LPVOID volatile* target, LPVOID exchange, LPVOID comparand) {
  __atomic_compare_exchange_n(target, &comparand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
  return comparand;
}
