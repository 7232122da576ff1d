#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "MessageLog.h"
#include "testing/ChildProcess.h"
#include "win32/Clock.h"
#include "win32/Errors.h"
#include "win32/Gdi.h"
#include "win32/UserMessages.h"

using layer::testing::MessageLog;

namespace {

std::vector<UINT> Drain(std::vector<UINT> ignore = {}) {
  std::vector<UINT> seen;
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (std::find(ignore.begin(), ignore.end(), msg.message) == ignore.end()) seen.push_back(msg.message);
    if (msg.message == WM_QUIT) break;
    DispatchMessage(&msg);
  }
  return seen;
}

}  // namespace

TEST(Messages, PostedMessagesComeFirstThenQuitThenPaint) {
  MessageLog log;
  HWND window = log.Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  Drain();
  InvalidateRect(window, nullptr, FALSE);
  PostMessage(window, WM_USER + 1, 1, 2);
  PostQuitMessage(3);
  PostThreadMessage(GetCurrentThreadId(), WM_USER + 2, 0, 0);
  MSG msg;
  ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
  EXPECT_EQ(msg.hwnd, window);
  EXPECT_EQ(msg.lParam, 2);
  ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
  EXPECT_EQ(msg.hwnd, nullptr);  // a thread message
  EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3u);
  ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
}

TEST(Messages, PaintIsMadeFromTheInvalidAreaUntilItIsValidated) {
  MessageLog log;
  HWND window = log.Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 100, 80});
  HWND hidden = log.Create(WS_POPUP, nullptr, {0, 0, 50, 50});
  Drain();
  RECT paintRect{};
  bool erased = false;
  log.handlers[WM_PAINT] = [&](HWND w, WPARAM, LPARAM) -> LRESULT {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(w, &paint);
    paintRect = paint.rcPaint;
    RECT clip;
    GetClipBox(dc, &clip);
    EXPECT_TRUE(EqualRect(&clip, &paint.rcPaint));
    EndPaint(w, &paint);
    return 0;
  };
  log.handlers[WM_ERASEBKGND] = [&](HWND, WPARAM, LPARAM) -> LRESULT {
    erased = true;
    return 1;
  };
  RECT a{10, 10, 20, 20}, b{30, 15, 40, 30};
  InvalidateRect(window, &a, FALSE);
  InvalidateRect(window, &b, TRUE);
  InvalidateRect(hidden, nullptr, TRUE);  // hidden windows are not painted
  log.Clear();
  EXPECT_EQ(Drain(), (std::vector<UINT>{WM_PAINT}));
  EXPECT_TRUE(EqualRect(&paintRect, std::vector<RECT>{RECT{10, 10, 40, 30}}.data()));
  EXPECT_TRUE(erased);
  EXPECT_EQ(log.Messages(nullptr, {}), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));

  // A procedure that does not paint still validates through the default handling.
  log.handlers.erase(WM_PAINT);
  InvalidateRect(window, nullptr, FALSE);
  EXPECT_EQ(Drain(), (std::vector<UINT>{WM_PAINT}));
  RECT update;
  EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));
}

TEST(Messages, UpdateAndRedrawPaintAtOnce) {
  MessageLog log;
  HWND parent = log.Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 100, 80});
  HWND child = log.Create(WS_CHILD | WS_VISIBLE, parent, {0, 0, 10, 10});
  Drain();
  log.Clear();
  EXPECT_TRUE(UpdateWindow(parent));
  EXPECT_TRUE(log.Entries(WM_PAINT).empty());  // nothing invalid, nothing painted

  InvalidateRect(parent, nullptr, TRUE);
  UpdateWindow(parent);
  ASSERT_EQ(log.Entries(WM_PAINT).size(), 1u);
  EXPECT_EQ(log.Entries(WM_PAINT)[0].window, parent);

  log.Clear();
  RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_EQ(log.Messages(nullptr, {}), (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT, WM_ERASEBKGND, WM_PAINT}));
  EXPECT_EQ(log.Entries(WM_PAINT)[1].window, child);

  RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE);
  RedrawWindow(parent, nullptr, nullptr, RDW_VALIDATE);
  EXPECT_TRUE(Drain().empty());
  RedrawWindow(parent, nullptr, nullptr, RDW_INTERNALPAINT);  // a paint without an invalid area
  EXPECT_EQ(Drain(), (std::vector<UINT>{WM_PAINT}));
}

TEST(Messages, ATimerFiresOnTheTestClockWithoutWaiting) {
  layer::ManualClock clock(1000);
  layer::ScopedClock use(clock);
  MessageLog log;
  HWND window = log.Create(WS_POPUP);
  Drain();
  ASSERT_EQ(SetTimer(window, 42, 500, nullptr), 42u);
  clock.Advance(499);
  EXPECT_TRUE(Drain().empty());
  clock.Advance(1);
  EXPECT_EQ(Drain(), (std::vector<UINT>{WM_TIMER}));
  EXPECT_EQ(log.Entries(WM_TIMER)[0].wParam, 42u);
  clock.Advance(5000);  // a late timer fires once
  EXPECT_EQ(Drain(), (std::vector<UINT>{WM_TIMER}));

  // GetMessage waits for the next timer by moving the test clock on.
  MSG msg;
  DWORD before = GetTickCount();
  ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(GetTickCount() - before, 500u);

  EXPECT_TRUE(KillTimer(window, 42));
  EXPECT_FALSE(KillTimer(window, 42));
  clock.Advance(1000);
  EXPECT_TRUE(Drain().empty());
}

namespace {
std::vector<UINT_PTR> timerCalls;
void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) { timerCalls.push_back(id); }
}  // namespace

TEST(Messages, ATimerProcedureIsCalledByDispatch) {
  layer::ManualClock clock;
  layer::ScopedClock use(clock);
  timerCalls.clear();
  UINT_PTR id = SetTimer(nullptr, 0, 100, OnTimer);
  ASSERT_NE(id, 0u);
  clock.Advance(100);
  layer::PumpUntilIdle();
  EXPECT_EQ(timerCalls, (std::vector<UINT_PTR>{id}));
  KillTimer(nullptr, id);
}

TEST(Messages, AnotherThreadPostsAndSends) {
  MessageLog log;
  HWND window = log.Create(WS_POPUP);
  Drain();
  DWORD mainThread = GetCurrentThreadId();
  std::atomic<DWORD> procedureThread{0};
  log.handlers[WM_USER + 5] = [&](HWND, WPARAM wParam, LPARAM) -> LRESULT {
    procedureThread = GetCurrentThreadId();
    return static_cast<LRESULT>(wParam * 2);
  };
  std::atomic<LRESULT> sent{0};
  std::thread worker([&] {
    PostThreadMessage(mainThread, WM_USER + 4, 7, 0);
    sent = SendMessage(window, WM_USER + 5, 21, 0);
    PostMessage(window, WM_USER + 6, 0, 0);
  });
  std::vector<UINT> seen;
  MSG msg;
  while (seen.size() < 2 && GetMessage(&msg, nullptr, 0, 0)) {
    seen.push_back(msg.message);
    DispatchMessage(&msg);
  }
  worker.join();
  EXPECT_EQ(seen, (std::vector<UINT>{WM_USER + 4, WM_USER + 6}));
  EXPECT_EQ(sent.load(), 42);
  EXPECT_EQ(procedureThread.load(), mainThread);  // the window's own thread ran the procedure
  EXPECT_FALSE(PostThreadMessage(0x7FFFFFF0, WM_USER, 0, 0));
}

TEST(Messages, NestedModalLoopSharesTheQueue) {
  MessageLog log;
  HWND window = log.Create(WS_POPUP);
  Drain();
  std::vector<UINT> insideModal;
  log.handlers[WM_USER] = [&](HWND w, WPARAM, LPARAM) -> LRESULT {
    PostMessage(w, WM_USER + 2, 0, 0);
    PostMessage(w, WM_USER + 3, 0, 0);  // ends the modal loop
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
      insideModal.push_back(msg.message);
      if (msg.message == WM_USER + 3) break;
      DispatchMessage(&msg);
    }
    return 0;
  };
  PostMessage(window, WM_USER, 0, 0);
  PostMessage(window, WM_USER + 1, 0, 0);
  EXPECT_EQ(Drain(), (std::vector<UINT>{WM_USER}));
  EXPECT_EQ(insideModal, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_USER + 3}));
}

TEST(Messages, PumpUntilIdleLeavesTheQuitForTheLoop) {
  MessageLog log;
  HWND window = log.Create(WS_POPUP);
  Drain();
  PostMessage(window, WM_USER, 0, 0);
  PostQuitMessage(9);
  EXPECT_EQ(layer::PumpUntilIdle(), 1);
  int code = 0;
  EXPECT_TRUE(layer::QuitPending(&code));
  EXPECT_EQ(code, 9);
  MSG msg;
  EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
}

TEST(Messages, PostingFailsForDeadWindowsAndAFullQueue) {
  MessageLog log;
  HWND window = log.Create(WS_POPUP);
  HWND doomed = log.Create(WS_POPUP);
  Drain();
  PostMessage(doomed, WM_USER, 0, 0);
  DestroyWindow(doomed);
  EXPECT_TRUE(Drain().empty());  // its posted messages went with it
  EXPECT_FALSE(PostMessage(doomed, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));

  int posted = 0;
  while (posted < 20000 && PostMessage(window, WM_USER, 0, 0)) ++posted;
  EXPECT_EQ(posted, 10000);
  EXPECT_EQ(GetLastError(), 1816u);
  Drain();
}

TEST(Messages, SentMessagesAnswerAtOnceAndKeyDownsBecomeCharacters) {
  MessageLog log;
  HWND window = log.Create(WS_POPUP);
  Drain();
  log.handlers[WM_USER] = [](HWND, WPARAM w, LPARAM l) -> LRESULT { return static_cast<LRESULT>(w + l); };
  EXPECT_EQ(SendMessage(window, WM_USER, 40, 2), 42);
  EXPECT_EQ(SendMessage(reinterpret_cast<HWND>(0x1234), WM_USER, 0, 0), 0);

  log.Clear();
  layer::SetKeyDown(VK_SHIFT, true);
  PostMessage(window, WM_USER + 7, 0, 0);
  MSG key{window, WM_KEYDOWN, 'A', 0, 0, {}};
  EXPECT_TRUE(TranslateMessage(&key));
  layer::SetKeyDown(VK_SHIFT, false);
  Drain();
  key.wParam = 'B';
  TranslateMessage(&key);
  key.wParam = VK_F1;
  EXPECT_FALSE(TranslateMessage(&key));
  Drain();
  // The character is read before what was posted earlier.
  EXPECT_EQ(log.Messages(nullptr, {}), (std::vector<UINT>{WM_CHAR, WM_USER + 7, WM_CHAR}));
  auto chars = log.Entries(WM_CHAR);
  ASSERT_EQ(chars.size(), 2u);
  EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>('A'));
  EXPECT_EQ(chars[1].wParam, static_cast<WPARAM>('b'));
}

TEST(Messages, RegisteredNumbersAgreeAcrossProcesses) {
  UINT number = RegisterWindowMessage("VARNO_ORDER_CHANNEL");
  EXPECT_GE(number, 0xC000u);
  EXPECT_LE(number, 0xFFFFu);
  EXPECT_EQ(RegisterWindowMessage("varno_order_channel"), number);  // case does not matter
  EXPECT_NE(RegisterWindowMessage("VARNO_OTHER"), number);
  EXPECT_EQ(RegisterWindowMessage(""), 0u);

  // Another program that registers other names first gets the same number;
  // it reports the number's low byte through its exit code.
  layer::testing::ChildProcess child([](layer::testing::ChildProcess&) {
    RegisterWindowMessage("VARNO_FIRST");
    RegisterWindowMessage("VARNO_SECOND");
    return static_cast<int>(RegisterWindowMessage("VARNO_SHARED") & 0xFF);
  });
  int childByte = child.Wait();
  EXPECT_EQ(childByte, static_cast<int>(RegisterWindowMessage("VARNO_SHARED") & 0xFF));
}
