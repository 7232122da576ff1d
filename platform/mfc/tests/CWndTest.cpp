#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ipc/WindowRegistry.h"
#include "mfc/CClientDC.h"
#include "mfc/CPaintDC.h"
#include "mfc/CWinApp.h"
#include "mfc/CWnd.h"
#include "win32/CrossProcess.h"

namespace {

std::vector<std::string> calls;
const UINT kRegistered = RegisterWindowMessage("VARNO_TEST_REGISTERED");

class BaseWnd : public CWnd {
 public:
  afx_msg void OnTimer(UINT_PTR id) { calls.push_back("base timer " + std::to_string(id)); }
  afx_msg void OnLButtonDown(UINT flags, CPoint point) { calls.push_back("base button"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class TestWnd : public BaseWnd {
 public:
  bool postNcDestroyCalled = false;
  CPoint lastPoint;

  afx_msg int OnCreate(LPCREATESTRUCT create) {
    calls.push_back(std::string("create ") + create->lpszName);
    return CWnd::OnCreate(create);
  }
  afx_msg void OnDestroy() {
    calls.push_back("destroy");
    CWnd::OnDestroy();
  }
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    calls.push_back("paint");
    dc.FillSolidRect(0, 0, 5, 5, RGB(255, 0, 0));
  }
  afx_msg void OnLButtonDown(UINT flags, CPoint point) {
    lastPoint = point;
    calls.push_back("button " + std::to_string(flags));
  }
  afx_msg void OnSize(UINT kind, int cx, int cy) { calls.push_back("size " + std::to_string(cx) + "x" + std::to_string(cy)); }
  afx_msg void OnOpen() { calls.push_back("command open"); }
  afx_msg void OnPage(UINT id) { calls.push_back("page " + std::to_string(id)); }
  afx_msg void OnClicked() { calls.push_back("clicked"); }
  afx_msg LRESULT OnRegistered(WPARAM w, LPARAM) {
    calls.push_back("registered");
    return static_cast<LRESULT>(w + 1);
  }
  afx_msg LRESULT OnUser(WPARAM, LPARAM l) { return l * 2; }
  afx_msg void OnItemNotify(NMHDR* header, LRESULT* result) {
    calls.push_back("notify " + std::to_string(header->idFrom));
    *result = 77;
  }
  void PostNcDestroy() override { postNcDestroyCalled = true; }
  BOOL PreTranslateMessage(MSG* msg) override { return msg->message == WM_USER + 9; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestWnd, BaseWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_SIZE()
  ON_COMMAND(100, OnOpen)
  ON_COMMAND_RANGE(200, 210, OnPage)
  ON_BN_CLICKED(300, OnClicked)
  ON_REGISTERED_MESSAGE(kRegistered, OnRegistered)
  ON_MESSAGE(WM_USER + 1, OnUser)
  ON_NOTIFY(5, 400, OnItemNotify)
END_MESSAGE_MAP()

void Pump() { layer::PumpUntilIdle(); }

}  // namespace

TEST(CWnd, MessageMapsCallTheMembersWithDecodedArguments) {
  calls.clear();
  TestWnd window;
  ASSERT_TRUE(window.CreateEx(0, nullptr, "main", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80, nullptr, nullptr));
  EXPECT_EQ(CWnd::FromHandlePermanent(window.m_hWnd), &window);
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[0], "create main");  // bound before its first messages
  EXPECT_EQ(calls[1], "size 100x80");
  Pump();
  calls.clear();

  window.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 7));
  EXPECT_EQ(window.lastPoint, CPoint(-3, 7));  // signed coordinates
  window.SendMessage(WM_TIMER, 4);              // only the base class handles timers
  window.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0));
  window.SendMessage(WM_COMMAND, MAKEWPARAM(205, 0));
  window.SendMessage(WM_COMMAND, MAKEWPARAM(211, 0));  // outside the range: nobody
  window.SendMessage(WM_COMMAND, MAKEWPARAM(300, 0));
  EXPECT_EQ(window.SendMessage(kRegistered, 41), 42);
  EXPECT_EQ(window.SendMessage(WM_USER + 1, 0, 21), 42);
  NMHDR header{window.m_hWnd, 400, 5};
  EXPECT_EQ(window.SendMessage(WM_NOTIFY, 400, reinterpret_cast<LPARAM>(&header)), 77);
  header.code = 6;
  EXPECT_EQ(window.SendMessage(WM_NOTIFY, 400, reinterpret_cast<LPARAM>(&header)), 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"button 1", "base timer 4", "command open", "page 205", "clicked",
                                             "registered", "notify 400"}));

  calls.clear();
  window.Invalidate(FALSE);
  Pump();
  EXPECT_EQ(calls, (std::vector<std::string>{"paint"}));
  HDC dc = ::GetDC(window.m_hWnd);
  EXPECT_EQ(GetPixel(dc, 2, 2), RGB(255, 0, 0));
  ::ReleaseDC(window.m_hWnd, dc);

  // Without a handler of its own, WM_CLOSE destroys the window the default way.
  calls.clear();
  window.SendMessage(WM_CLOSE);
  EXPECT_EQ(calls, (std::vector<std::string>{"destroy"}));
  EXPECT_EQ(window.m_hWnd, nullptr);
  EXPECT_TRUE(window.postNcDestroyCalled);
}

TEST(CWnd, ForeignWindowsGetTemporaryObjects) {
  WNDCLASSA plain{};
  plain.lpfnWndProc = ::DefWindowProc;
  plain.lpszClassName = "PlainForCWnd";
  RegisterClass(&plain);
  HWND foreign = ::CreateWindowEx(0, "PlainForCWnd", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  CWnd* wrapper = CWnd::FromHandle(foreign);
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(wrapper->m_hWnd, foreign);
  EXPECT_EQ(CWnd::FromHandle(foreign), wrapper);
  EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
  CWnd::DeleteTempMap();
  EXPECT_TRUE(::IsWindow(foreign));  // letting the wrapper go leaves the window

  // An object takes over a window of another class; the class's procedure still does the default handling.
  calls.clear();
  TestWnd object;
  ASSERT_TRUE(object.SubclassWindow(foreign));
  object.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0));
  object.SetWindowText("renamed");
  CString text;
  object.GetWindowText(text);
  EXPECT_STREQ(text, "renamed");
  EXPECT_EQ(calls, (std::vector<std::string>{"command open"}));
  object.DestroyWindow();
  EXPECT_FALSE(::IsWindow(foreign));
}

namespace {

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp("TestApp") {}
  int idleCalls = 0;
  bool mainWindowPublished = false;
  std::vector<UINT> dispatched;
  TestWnd* window = nullptr;
  BOOL InitInstance() override {
    window = new TestWnd;
    window->CreateEx(0, nullptr, "app", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr);
    m_pMainWnd = window;
    ::SetWindowLong(window->m_hWnd, GWL_USERDATA, 77);
    window->PostMessage(WM_USER + 9);  // swallowed by the window's PreTranslateMessage
    window->PostMessage(WM_COMMAND, MAKEWPARAM(100, 0));
    return TRUE;
  }
  BOOL PreTranslateMessage(MSG* msg) override {
    dispatched.push_back(msg->message);
    return CWinApp::PreTranslateMessage(msg);
  }
  BOOL OnIdle(LONG count) override {
    // The queue ran empty: time to close.
    if (++idleCalls == 1) {
      // By now the user's other programs find the main window with its user data.
      HWND published = ::FindWindow(nullptr, "app");
      auto entry = layer::ipc::WindowRegistry::OfUser().Find(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(published)));
      mainWindowPublished = layer::CurrentRemoteWindows() && published == window->m_hWnd && entry && entry->userData == 77;
      window->PostMessage(WM_CLOSE);
    }
    return CWinApp::OnIdle(count);
  }
  int ExitInstance() override {
    delete window;
    return CWinApp::ExitInstance() + 5;
  }
};

}  // namespace

TEST(CWinApp, TheLoopRunsUntilTheMainWindowIsGone) {
  calls.clear();
  TestApp app;
  EXPECT_EQ(AfxGetApp(), &app);
  char name[] = "demo";
  char* argv[] = {name, nullptr};
  EXPECT_EQ(AfxRunProgram(1, argv), 5);  // WM_QUIT's code 0, changed by ExitInstance
  EXPECT_STREQ(app.m_pszAppName, "TestApp");
  EXPECT_GT(app.idleCalls, 0);
  EXPECT_TRUE(app.mainWindowPublished);
  EXPECT_EQ(app.m_pMainWnd, nullptr);
  EXPECT_NE(std::find(calls.begin(), calls.end(), "command open"), calls.end());
  EXPECT_NE(std::find(calls.begin(), calls.end(), "destroy"), calls.end());
  EXPECT_NE(std::find(app.dispatched.begin(), app.dispatched.end(), static_cast<UINT>(WM_USER + 9)), app.dispatched.end());
}
