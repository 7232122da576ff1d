// Threads, critical sections and interlocked operations; windows of a
// second user-interface thread, which has its own queue, focus and
// activation, takes the input that reaches its windows, and takes its
// windows with it when it ends.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <string>
#include <vector>

#include "win32/CrossProcess.h"
#include "win32/Errors.h"
#include "win32/Threads.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

DWORD Twice(LPVOID parameter) { return 2 * static_cast<DWORD>(reinterpret_cast<UINT_PTR>(parameter)); }

template <class T>
T Within(std::future<T>& future) {
  // A guard against a hang, not a wait for time to pass.
  EXPECT_EQ(future.wait_for(std::chrono::seconds(20)), std::future_status::ready);
  return future.get();
}

}  // namespace

TEST(Threads, AThreadRunsWaitsAndGivesItsExitCode) {
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, Twice, reinterpret_cast<LPVOID>(21), CREATE_SUSPENDED, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_NE(id, 0u);
  EXPECT_NE(id, GetCurrentThreadId());
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, STILL_ACTIVE);  // held until it is let go
  EXPECT_EQ(WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(ResumeThread(thread), 1u);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  GetExitCodeThread(thread, &code);
  EXPECT_EQ(code, 42u);
  EXPECT_TRUE(CloseHandle(thread));
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
  EXPECT_EQ(ResumeThread(reinterpret_cast<HANDLE>(0x7777)), 0xFFFFFFFFu);
}

namespace {

struct Shared {
  CRITICAL_SECTION section;
  long counter = 0;  // changed only inside the section
};

DWORD CountUp(LPVOID parameter) {
  auto* shared = static_cast<Shared*>(parameter);
  for (int i = 0; i < 10000; ++i) {
    EnterCriticalSection(&shared->section);
    EnterCriticalSection(&shared->section);  // a holder may enter again
    ++shared->counter;
    LeaveCriticalSection(&shared->section);
    LeaveCriticalSection(&shared->section);
  }
  return 0;
}

DWORD TryFromElsewhere(LPVOID parameter) {
  auto* section = static_cast<CRITICAL_SECTION*>(parameter);
  if (!TryEnterCriticalSection(section)) return 0;
  LeaveCriticalSection(section);
  return 1;
}

}  // namespace

TEST(Threads, ACriticalSectionLetsOneThreadInAtATime) {
  Shared shared;
  InitializeCriticalSection(&shared.section);
  std::vector<HANDLE> threads;
  for (int i = 0; i < 4; ++i) threads.push_back(CreateThread(nullptr, 0, CountUp, &shared, 0, nullptr));
  for (HANDLE thread : threads) {
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
  }
  EXPECT_EQ(shared.counter, 40000);

  EnterCriticalSection(&shared.section);
  EXPECT_EQ(shared.section.RecursionCount, 1);
  HANDLE other = CreateThread(nullptr, 0, TryFromElsewhere, &shared.section, 0, nullptr);
  WaitForSingleObject(other, INFINITE);
  DWORD code = 9;
  GetExitCodeThread(other, &code);
  EXPECT_EQ(code, 0u);  // held here, so not there
  CloseHandle(other);
  EXPECT_TRUE(TryEnterCriticalSection(&shared.section));  // here it is ours already
  LeaveCriticalSection(&shared.section);
  LeaveCriticalSection(&shared.section);
  other = CreateThread(nullptr, 0, TryFromElsewhere, &shared.section, 0, nullptr);
  WaitForSingleObject(other, INFINITE);
  GetExitCodeThread(other, &code);
  EXPECT_EQ(code, 1u);
  CloseHandle(other);
  LeaveCriticalSection(&shared.section);  // one leave too many changes nothing
  EXPECT_EQ(shared.section.RecursionCount, 0);
  DeleteCriticalSection(&shared.section);
}

TEST(Threads, InterlockedOperationsGiveThePlatformsResults) {
  struct Case {
    const char* operation;
    LONG (*run)(LONG volatile*);
    LONG before;
    LONG result;
    LONG after;
  } cases[] = {
      {"increment", [](LONG volatile* v) { return InterlockedIncrement(v); }, 5, 6, 6},
      {"increment past the top", [](LONG volatile* v) { return InterlockedIncrement(v); }, 0x7FFFFFFF, INT32_MIN, INT32_MIN},
      {"decrement", [](LONG volatile* v) { return InterlockedDecrement(v); }, 1, 0, 0},
      {"exchange", [](LONG volatile* v) { return InterlockedExchange(v, 9); }, 5, 5, 9},
      {"exchange and add", [](LONG volatile* v) { return InterlockedExchangeAdd(v, -3); }, 5, 5, 2},
      {"compare and exchange, equal", [](LONG volatile* v) { return InterlockedCompareExchange(v, 7, 5); }, 5, 5, 7},
      {"compare and exchange, not equal", [](LONG volatile* v) { return InterlockedCompareExchange(v, 7, 4); }, 5, 5, 5},
  };
  for (const Case& c : cases) {
    LONG volatile value = c.before;
    EXPECT_EQ(c.run(&value), c.result) << c.operation;
    EXPECT_EQ(value, c.after) << c.operation;
  }
  int a = 1, b = 2;
  LPVOID volatile pointer = &a;
  EXPECT_EQ(InterlockedCompareExchangePointer(&pointer, &b, &b), &a);  // not equal: kept
  EXPECT_EQ(InterlockedExchangePointer(&pointer, &b), &a);
  EXPECT_EQ(pointer, &b);
}

namespace {

// A user-interface thread with one window, run until it is told to quit.
struct UiThread {
  std::promise<HWND> made;
  std::promise<DWORD> clicked;  // the thread that handled the press
  std::atomic<DWORD> sentOn{0};
  HANDLE handle = nullptr;
  bool leaveWindow = false;  // end without destroying the window

  static UiThread*& Current() {
    static UiThread* current = nullptr;
    return current;
  }
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    UiThread* self = Current();
    if (message == WM_USER) {
      self->sentOn = GetCurrentThreadId();
      return 7;
    }
    if (message == WM_LBUTTONDOWN) self->clicked.set_value(GetCurrentThreadId());
    return DefWindowProc(window, message, wParam, lParam);
  }
  static DWORD Main(LPVOID parameter) {
    auto* self = static_cast<UiThread*>(parameter);
    HWND window = CreateWindowEx(0, "SecondThreadWindow", "second", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 100, 200,
                                 150, nullptr, nullptr, nullptr, nullptr);
    self->made.set_value(window);
    if (self->leaveWindow) return 3;
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) DispatchMessage(&msg);
    DestroyWindow(window);
    return static_cast<DWORD>(msg.wParam);
  }
  UiThread() {
    Current() = this;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.lpszClassName = "SecondThreadWindow";
    RegisterClass(&windowClass);
  }
  ~UiThread() {
    if (handle) CloseHandle(handle);
    Current() = nullptr;
  }
  HWND Start() {
    DWORD id;
    handle = CreateThread(nullptr, 0, Main, this, 0, &id);
    auto future = made.get_future();
    return Within(future);
  }
};

}  // namespace

TEST(Threads, AWindowOfASecondThreadShowsAndTakesInputOnItsThread) {
  UiThread ui;
  HWND window = ui.Start();
  ASSERT_NE(window, nullptr);
  DWORD thread = GetWindowThreadProcessId(window, nullptr);
  EXPECT_NE(thread, GetCurrentThreadId());
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetForegroundWindow(), window);  // activated by its thread
  EXPECT_EQ(GetActiveWindow(), nullptr);     // which is not this one
  EXPECT_EQ(SendMessage(window, WM_USER, 0, 0), 7);  // its procedure runs on its thread
  EXPECT_EQ(ui.sentOn.load(), thread);
  EXPECT_FALSE(DestroyWindow(window));  // only its own thread may destroy it
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

  POINT inside{700, 175};
  auto clicked = ui.clicked.get_future();
  ASSERT_TRUE(layer::MouseInput(inside, WM_LBUTTONDOWN, MK_LBUTTON));
  EXPECT_EQ(Within(clicked), thread);
  layer::MouseInput(inside, WM_LBUTTONUP, 0);

  PostThreadMessage(thread, WM_QUIT, 5, 0);
  EXPECT_EQ(WaitForSingleObject(ui.handle, INFINITE), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeThread(ui.handle, &code);
  EXPECT_EQ(code, 5u);
  EXPECT_FALSE(IsWindow(window));
}

TEST(Threads, AThreadThatEndsTakesItsWindowsWithIt) {
  UiThread ui;
  ui.leaveWindow = true;
  HWND window = ui.Start();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WaitForSingleObject(ui.handle, INFINITE), WAIT_OBJECT_0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(SendMessage(window, WM_USER, 0, 0), 0);
  EXPECT_FALSE(PostMessage(window, WM_USER, 0, 0));
  EXPECT_EQ(GetForegroundWindow(), nullptr);
  EXPECT_FALSE(layer::MouseInput(POINT{700, 175}, WM_MOUSEMOVE, 0));  // nothing there any more
}
