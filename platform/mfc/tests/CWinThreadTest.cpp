// Threads of the class library: a user-interface thread with its own main
// window and loop, a worker thread, and messages to all of a window's
// descendants; the scroll-bar control.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "mfc/CDC.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CGdiObject.h"
#include "mfc/CMenu.h"
#include "mfc/CScrollBar.h"
#include "mfc/CWinThread.h"
#include "mfc/CWnd.h"
#include "user/Menus.h"
#include "win32/CrossProcess.h"

namespace {

std::promise<HWND>* shown = nullptr;
std::promise<DWORD>* clicked = nullptr;
std::atomic<DWORD> exitedOn{0};

class ClickFrame : public CFrameWnd {
 public:
  afx_msg void OnLButtonDown(UINT, CPoint) {
    if (clicked) clicked->set_value(GetCurrentThreadId());
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ClickFrame, CFrameWnd)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class PartsThread : public CWinThread {
  DECLARE_DYNCREATE(PartsThread)

 public:
  BOOL InitInstance() override {
    auto* frame = new ClickFrame;
    RECT rect{600, 300, 800, 450};
    if (!frame->Create(nullptr, "Teileinfo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect)) return FALSE;
    m_pMainWnd = frame;
    shown->set_value(frame->m_hWnd);
    return TRUE;
  }
  int ExitInstance() override {
    exitedOn = GetCurrentThreadId();
    return CWinThread::ExitInstance() + 10;
  }
};

IMPLEMENT_DYNCREATE(PartsThread, CWinThread)

template <class T>
T Within(std::future<T>& future) {
  // A guard against a hang, not a wait for time to pass.
  EXPECT_EQ(future.wait_for(std::chrono::seconds(20)), std::future_status::ready);
  return future.get();
}

UINT Work(LPVOID parameter) { return *static_cast<UINT*>(parameter) + 1; }

}  // namespace

TEST(CWinThread, AUserInterfaceThreadRunsItsOwnWindowAndLoop) {
  std::promise<HWND> madeWindow;
  std::promise<DWORD> pressed;
  shown = &madeWindow;
  clicked = &pressed;
  exitedOn = 0;
  auto* thread = static_cast<CWinThread*>(AfxBeginThread(RUNTIME_CLASS(PartsThread), THREAD_PRIORITY_NORMAL, 0,
                                                         CREATE_SUSPENDED));
  ASSERT_NE(thread, nullptr);
  thread->m_bAutoDelete = FALSE;  // kept, to read its exit code
  thread->ResumeThread();
  auto windowFuture = madeWindow.get_future();
  HWND window = Within(windowFuture);
  ASSERT_TRUE(::IsWindow(window));
  EXPECT_EQ(GetWindowThreadProcessId(window, nullptr), thread->m_nThreadID);
  EXPECT_NE(thread->m_nThreadID, GetCurrentThreadId());
  EXPECT_TRUE(::IsWindowVisible(window));

  // The press reaches the window's procedure on the window's thread.
  POINT at{0, 0};
  ::ClientToScreen(window, &at);
  at.x += 20;
  at.y += 20;
  auto pressFuture = pressed.get_future();
  layer::MouseInput(at, WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_EQ(Within(pressFuture), thread->m_nThreadID);
  layer::MouseInput(at, WM_LBUTTONUP, 0);

  // Closing its main window ends the thread's loop.
  ::PostMessage(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeThread(thread->m_hThread, &code);
  EXPECT_EQ(code, 10u);
  EXPECT_EQ(exitedOn.load(), thread->m_nThreadID);
  EXPECT_FALSE(::IsWindow(window));
  delete thread;
  shown = nullptr;
  clicked = nullptr;
}

TEST(CWinThread, AWorkerThreadRunsItsFunction) {
  UINT input = 41;
  CWinThread* worker = AfxBeginThread(Work, &input, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(worker, nullptr);
  worker->m_bAutoDelete = FALSE;
  worker->ResumeThread();
  WaitForSingleObject(worker->m_hThread, INFINITE);
  DWORD code = 0;
  GetExitCodeThread(worker->m_hThread, &code);
  EXPECT_EQ(code, 42u);
  delete worker;
  EXPECT_EQ(AfxBeginThread(static_cast<CRuntimeClass*>(nullptr)), nullptr);
}

namespace {

std::vector<std::string> heard;

class Listener : public CWnd {
 public:
  explicit Listener(std::string name) : m_name(std::move(name)) {}
  afx_msg LRESULT OnHear(WPARAM, LPARAM) {
    heard.push_back(m_name);
    return 0;
  }

 private:
  std::string m_name;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Listener, CWnd)
  ON_MESSAGE(WM_USER + 20, OnHear)
END_MESSAGE_MAP()

}  // namespace

// A thread that ends without ever being idle still has its temporary
// wrappers; they go with it and leave the handles they wrapped alone.
TEST(CWinThread, TemporaryWrappersLetGoOfTheirHandlesWhenTheThreadEnds) {
  struct Case {
    const char* name;
    std::function<void*()> make;
    std::function<void(void*)> wrap;
    std::function<bool(void*)> alive;
    std::function<void(void*)> destroy;
  };
  auto menu = [](void* h) { return static_cast<HMENU>(h); };
  auto gdi = [](void* h) { return static_cast<HGDIOBJ>(h); };
  auto dc = [](void* h) { return static_cast<HDC>(h); };
  auto window = [](void* h) { return static_cast<HWND>(h); };
  const std::vector<Case> cases = {
      {"menu", [] { return static_cast<void*>(CreatePopupMenu()); },
       [menu](void* h) { EXPECT_NE(CMenu::FromHandle(menu(h)), nullptr); },
       [menu](void* h) { return IsMenu(menu(h)) != FALSE; }, [menu](void* h) { DestroyMenu(menu(h)); }},
      {"pen", [] { return static_cast<void*>(CreatePen(PS_SOLID, 1, RGB(1, 2, 3))); },
       [gdi](void* h) { EXPECT_NE(CGdiObject::FromHandle(gdi(h)), nullptr); },
       [gdi](void* h) { return GetObjectType(gdi(h)) == OBJ_PEN; }, [gdi](void* h) { DeleteObject(gdi(h)); }},
      {"device context", [] { return static_cast<void*>(CreateCompatibleDC(nullptr)); },
       [dc](void* h) { EXPECT_NE(CDC::FromHandle(dc(h)), nullptr); },
       [dc](void* h) { return GetObjectType(dc(h)) == OBJ_MEMDC; }, [dc](void* h) { DeleteDC(dc(h)); }},
      {"window",
       [] {
         return static_cast<void*>(::CreateWindowEx(0, AfxRegisterWndClass(0), "plain", WS_POPUP, 0, 0, 10, 10, nullptr,
                                                    nullptr, nullptr, nullptr));
       },
       [window](void* h) { EXPECT_NE(CWnd::FromHandle(window(h)), nullptr); },
       [window](void* h) { return ::IsWindow(window(h)) != FALSE; }, [window](void* h) { ::DestroyWindow(window(h)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    void* handle = c.make();
    ASSERT_NE(handle, nullptr);
    std::thread([&] { c.wrap(handle); }).join();
    EXPECT_TRUE(c.alive(handle));
    c.destroy(handle);
  }
}

namespace {

std::atomic<int> menusSeen{0};

// A thread whose window had a menu that it looked into: the menu goes with
// the window, the wrapper of its pop-up stays until the thread ends.
class MenuThread : public CWinThread {
 public:
  BOOL InitInstance() override {
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    AppendMenu(popup, MF_STRING, 100, "Eintrag");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "Datei");
    CWnd frame;
    if (!frame.CreateEx(0, nullptr, "menu", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, bar)) return FALSE;
    if (CMenu* sub = frame.GetMenu() ? frame.GetMenu()->GetSubMenu(0) : nullptr; sub && sub->GetMenuItemCount() == 1)
      ++menusSeen;
    frame.DestroyWindow();
    return FALSE;
  }
};

}  // namespace

TEST(CWinThread, AThreadThatLookedIntoAWindowsMenuEndsCleanly) {
  menusSeen = 0;
  auto* thread = new MenuThread;
  thread->m_bAutoDelete = FALSE;
  ASSERT_TRUE(thread->CreateThread());
  EXPECT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(menusSeen.load(), 1);
  delete thread;
}

namespace {

std::mutex endedMutex;
std::condition_variable endedChanged;
int ended = 0;

// Ends at once and deletes itself, maybe before CreateThread has returned.
class BriefThread : public CWinThread {
 public:
  ~BriefThread() override {
    std::lock_guard<std::mutex> lock(endedMutex);
    ++ended;
    endedChanged.notify_all();
  }
  BOOL InitInstance() override { return FALSE; }
};

}  // namespace

TEST(CWinThread, ASelfDeletingThreadThatEndsAtOnceIsStartedSafely) {
  constexpr int kThreads = 200;
  {
    std::lock_guard<std::mutex> lock(endedMutex);
    ended = 0;
  }
  for (int i = 0; i < kThreads; ++i) {
    if (i % 2 == 0) {
      ASSERT_TRUE((new BriefThread)->CreateThread());
    } else {
      // Started suspended and resumed: the thread knows its id and handle from its first step.
      auto* thread = new BriefThread;
      ASSERT_TRUE(thread->CreateThread(CREATE_SUSPENDED));
      EXPECT_NE(thread->m_hThread, nullptr);
      EXPECT_NE(thread->m_nThreadID, 0u);
      thread->ResumeThread();
    }
  }
  std::unique_lock<std::mutex> lock(endedMutex);
  // A guard against a hang, not a wait for time to pass.
  EXPECT_TRUE(endedChanged.wait_for(lock, std::chrono::seconds(60), [] { return ended == kThreads; }));
}

TEST(CWnd, MessagesToAllDescendantsInZOrder) {
  heard.clear();
  Listener top("top"), a("a"), b("b"), inner("inner");
  ASSERT_TRUE(top.CreateEx(0, nullptr, "top", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
  ASSERT_TRUE(a.Create(nullptr, "a", WS_VISIBLE, RECT{0, 0, 50, 50}, &top, 1));
  ASSERT_TRUE(b.Create(nullptr, "b", WS_VISIBLE, RECT{50, 0, 100, 50}, &top, 2));
  ASSERT_TRUE(inner.Create(nullptr, "inner", WS_VISIBLE, RECT{0, 0, 10, 10}, &a, 3));
  // A child without an object of its own.
  HWND plain = ::CreateWindowEx(0, AfxRegisterWndClass(0), "plain", WS_CHILD, 0, 60, 10, 10, top.m_hWnd, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(plain, nullptr);

  top.SendMessageToDescendants(WM_USER + 20);
  EXPECT_EQ(heard, (std::vector<std::string>{"a", "inner", "b"}));
  heard.clear();
  top.SendMessageToDescendants(WM_USER + 20, 0, 0, FALSE);  // the children only
  EXPECT_EQ(heard, (std::vector<std::string>{"a", "b"}));
  top.DestroyWindow();
}

TEST(CScrollBar, AControlThatTellsItsParent) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
  CScrollBar bar;
  ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, RECT{10, 10, 26, 150}, &parent, 7));
  bar.SetScrollRange(0, 40);
  EXPECT_EQ(bar.SetScrollPos(12), 0);
  EXPECT_EQ(bar.GetScrollPos(), 12);
  int min = -1, max = -1;
  bar.GetScrollRange(&min, &max);
  EXPECT_EQ(max, 40);
  SCROLLINFO info{};
  info.cbSize = sizeof(SCROLLINFO);
  ASSERT_TRUE(bar.GetScrollInfo(&info, SIF_POS | SIF_RANGE));
  EXPECT_EQ(info.nPos, 12);
  EXPECT_EQ(::SendMessage(bar.m_hWnd, SBM_GETPOS, 0, 0), 12);
  EXPECT_TRUE(bar.EnableScrollBar(ESB_DISABLE_UP));
  EXPECT_EQ(CWnd::FromHandlePermanent(bar.m_hWnd), &bar);
  parent.DestroyWindow();
}
