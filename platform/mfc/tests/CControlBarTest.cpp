// Control bars in a frame: a toolbar from its resources and a status bar
// with indicators take their strips when the frame lays out, follow the
// frame's command updating, show tips and prompts, and dock at the sides or
// float.
#include <gtest/gtest.h>

#include <string>

#include "bars/resource.h"
#include "mfc/CDockBar.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CMenu.h"
#include "mfc/CStatusBar.h"
#include "mfc/CToolBar.h"
#include "testing/MemoryCanvas.h"
#include "win32/Clock.h"
#include "win32/CrossProcess.h"

namespace {

void Drain() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

CRect RectInParent(const CWnd& window) {
  CRect rect;
  window.GetWindowRect(&rect);
  if (CWnd* parent = window.GetParent()) parent->ScreenToClient(&rect);
  return rect;
}

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_TEST};

class BarFrame : public CFrameWnd {
 public:
  CToolBar m_toolBar;
  CStatusBar m_statusBar;
  int m_opened = 0;
  BOOL m_saveEnabled = TRUE;
  int m_mark = 0;
  BOOL m_testIndicator = TRUE;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT create) {
    if (CFrameWnd::OnCreate(create) == -1) return -1;
    if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(kIndicators, 2)) return -1;
    if (!m_toolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY) ||
        !m_toolBar.LoadToolBar(IDR_BARFRAME))
      return -1;
    return 0;
  }
  afx_msg void OnOpen() { ++m_opened; }
  afx_msg void OnSave() {}
  afx_msg void OnUpdateSave(CCmdUI* ui) { ui->Enable(m_saveEnabled); }
  afx_msg void OnMark() {}
  afx_msg void OnUpdateMark(CCmdUI* ui) { ui->SetCheck(m_mark); }
  afx_msg void OnUpdateIndicator(CCmdUI* ui) { ui->Enable(m_testIndicator); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BarFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_COMMAND(ID_BAR_OPEN, OnOpen)
  ON_COMMAND(ID_BAR_SAVE, OnSave)
  ON_UPDATE_COMMAND_UI(ID_BAR_SAVE, OnUpdateSave)
  ON_COMMAND(ID_BAR_MARK, OnMark)
  ON_UPDATE_COMMAND_UI(ID_BAR_MARK, OnUpdateMark)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_TEST, OnUpdateIndicator)
END_MESSAGE_MAP()

class ControlBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new BarFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_BARFRAME, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    frame->SetWindowPos(nullptr, 0, 0, 500, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    frame->RecalcLayout();
  }
  void TearDown() override {
    if (::IsWindow(handle())) frame->DestroyWindow();
    Drain();
  }
  HWND handle() const { return frame ? frame->m_hWnd : nullptr; }
  CRect Client() {
    CRect client;
    frame->GetClientRect(&client);
    return client;
  }
  void Idle() { frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE); }
  CPoint ButtonCentre(int index) {
    CRect rect;
    frame->m_toolBar.GetItemRect(index, &rect);
    return rect.CenterPoint();
  }

  layer::ManualClock clock;
  layer::ScopedClock scopedClock{clock};
  BarFrame* frame = nullptr;
};

TEST_F(ControlBarTest, BarsTakeTheirStripsOfTheFrame) {
  CToolBar& toolBar = frame->m_toolBar;
  EXPECT_EQ(toolBar.GetCount(), 4);
  EXPECT_EQ(toolBar.GetItemID(1), static_cast<UINT>(ID_SEPARATOR));
  EXPECT_EQ(toolBar.CommandToIndex(ID_BAR_SAVE), 2);
  CRect button;
  toolBar.GetItemRect(0, &button);
  EXPECT_EQ(button.Width(), 23);  // the image and 7
  EXPECT_EQ(button.Height(), 22);

  const CRect client = Client();
  const CRect top = RectInParent(toolBar), bottom = RectInParent(frame->m_statusBar);
  EXPECT_EQ(top.top, 0);
  EXPECT_EQ(top.Width(), client.Width());  // stretched over the width
  EXPECT_EQ(top.Height(), 22 + 2 + 2 + 2);  // buttons, margins and the line at its bottom
  EXPECT_EQ(bottom.bottom, client.bottom);
  EXPECT_EQ(bottom.Width(), client.Width());
  CRect rest;
  frame->RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rest);
  EXPECT_EQ(rest.top, top.bottom);
  EXPECT_EQ(rest.bottom, bottom.top);

  // A hidden bar gives its strip back.
  frame->ShowControlBar(&frame->m_statusBar, FALSE, FALSE);
  frame->RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rest);
  EXPECT_EQ(rest.bottom, client.bottom);
}

TEST_F(ControlBarTest, TheFramesUpdatesGreyAButtonAndItsMenuItemTogether) {
  frame->m_saveEnabled = FALSE;
  frame->m_mark = 1;
  Idle();
  CToolBar& toolBar = frame->m_toolBar;
  EXPECT_TRUE(toolBar.GetButtonStyle(2) & TBBS_DISABLED);
  EXPECT_FALSE(toolBar.GetButtonStyle(0) & TBBS_DISABLED);
  EXPECT_TRUE(toolBar.GetButtonStyle(3) & TBBS_CHECKED);
  CMenu* popup = frame->GetMenu()->GetSubMenu(0);
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup->m_hMenu), MAKELPARAM(0, FALSE));
  EXPECT_TRUE(frame->GetMenu()->GetMenuState(ID_BAR_SAVE, MF_BYCOMMAND) & MF_GRAYED);

  frame->m_saveEnabled = TRUE;
  frame->m_mark = 0;
  Idle();
  EXPECT_FALSE(toolBar.GetButtonStyle(2) & TBBS_DISABLED);
  EXPECT_FALSE(toolBar.GetButtonStyle(3) & TBBS_CHECKED);

  // A click on an enabled button runs its command in the frame.
  const CPoint open = ButtonCentre(0);
  toolBar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(open.x, open.y));
  toolBar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(open.x, open.y));
  EXPECT_EQ(frame->m_opened, 1);
}

TEST_F(ControlBarTest, IndicatorsShowTheirStringsWhileEnabled) {
  CStatusBar& status = frame->m_statusBar;
  EXPECT_EQ(status.CommandToIndex(ID_INDICATOR_TEST), 1);
  EXPECT_STREQ(status.GetPaneText(1), "TEST");
  UINT id = 0, style = 0;
  int width = 0;
  status.GetPaneInfo(0, id, style, width);
  EXPECT_EQ(style, static_cast<UINT>(SBPS_NOBORDERS | SBPS_STRETCH));
  // The message pane takes what the indicator leaves.
  CRect message, indicator;
  status.GetItemRect(0, &message);
  status.GetItemRect(1, &indicator);
  EXPECT_GT(message.Width(), indicator.Width());

  char shown[16] = {};
  frame->m_testIndicator = FALSE;
  Idle();
  status.SendMessage(SB_GETTEXT, 1, reinterpret_cast<LPARAM>(shown));
  EXPECT_STREQ(shown, "");
  frame->m_testIndicator = TRUE;
  Idle();
  status.SendMessage(SB_GETTEXT, 1, reinterpret_cast<LPARAM>(shown));
  EXPECT_STREQ(shown, "TEST");

  EXPECT_TRUE(status.SetPaneText(0, "Bereit"));
  EXPECT_FALSE(status.SetPaneText(2, "nie"));
  EXPECT_STREQ(status.GetPaneText(5), "");
  // An indicator without a string is refused and changes nothing.
  const UINT missing[] = {ID_SEPARATOR, ID_INDICATOR_NOSTRING};
  EXPECT_FALSE(status.SetIndicators(missing, 2));
  EXPECT_EQ(status.CommandToIndex(ID_INDICATOR_TEST), 1);
}

TEST_F(ControlBarTest, TipsAndPromptsFollowThePointerOverTheButtons) {
  CToolBar& toolBar = frame->m_toolBar;
  const CPoint open = ButtonCentre(0);
  MSG move{toolBar.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(open.x, open.y), 0, open};
  CPoint screen = open;
  toolBar.ClientToScreen(&screen);
  layer::SetCursorPosition(screen);
  toolBar.PreTranslateMessage(&move);
  // Fly-by: the prompt (the string before its line feed) at once.
  EXPECT_STREQ(frame->m_statusBar.GetPaneText(0), "Eine Liste \xF6" "ffnen");
  clock.Advance(1000);
  Drain();
  HWND tip = ::FindWindow(TOOLTIPS_CLASS, nullptr);
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(::IsWindowVisible(tip));
  TOOLINFO info{};
  char text[80] = {};
  info.cbSize = sizeof info;
  info.hwnd = toolBar.m_hWnd;
  info.uId = ID_BAR_OPEN;
  info.lpszText = text;
  ::SendMessage(tip, TTM_GETTEXT, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(text, "\xD6" "ffnen");  // the string after its line feed

  // Off the buttons the prompt goes back to the idle message.
  MSG away{toolBar.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(400, 5), 0, {400, 5}};
  toolBar.PreTranslateMessage(&away);
  EXPECT_FALSE(::IsWindowVisible(tip));
  EXPECT_STREQ(frame->m_statusBar.GetPaneText(0), "Ready");
}

TEST_F(ControlBarTest, BarsDockAtTheSidesAndFloat) {
  CToolBar& toolBar = frame->m_toolBar;
  frame->EnableDocking(CBRS_ALIGN_ANY);
  toolBar.EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(&toolBar);
  EXPECT_EQ(toolBar.GetParent()->GetDlgCtrlID(), AFX_IDW_DOCKBAR_TOP);
  EXPECT_EQ(RectInParent(*toolBar.GetParent()).top, 0);

  // Docked at the left the bar stands: one button a row.
  frame->DockControlBar(&toolBar, AFX_IDW_DOCKBAR_LEFT);
  EXPECT_EQ(toolBar.GetParent()->GetDlgCtrlID(), AFX_IDW_DOCKBAR_LEFT);
  EXPECT_TRUE(toolBar.GetBarStyle() & CBRS_ALIGN_LEFT);
  CRect first, third;
  toolBar.GetItemRect(0, &first);
  toolBar.GetItemRect(2, &third);
  EXPECT_EQ(first.left, third.left);
  EXPECT_GT(third.top, first.top);
  const CRect side = RectInParent(*toolBar.GetParent());
  CRect rest;
  frame->RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rest);
  EXPECT_EQ(rest.left, side.right);
  EXPECT_EQ(rest.top, 0);  // the top dock bar is empty now

  // Floating, it sits in a small frame of its own, owned by the frame.
  frame->FloatControlBar(&toolBar, CPoint(600, 100));
  EXPECT_TRUE(toolBar.IsFloating());
  CWnd* small = toolBar.GetParent()->GetParent();
  ASSERT_NE(small, nullptr);
  EXPECT_NE(small, frame);
  EXPECT_FALSE(small->GetStyle() & WS_CHILD);
  EXPECT_TRUE(small->IsWindowVisible());
  CRect row0, row2;
  toolBar.GetItemRect(0, &row0);
  toolBar.GetItemRect(2, &row2);
  EXPECT_EQ(row0.top, row2.top);  // lying again
  HWND smallHandle = small->m_hWnd;

  // Docked again, the small frame goes.
  frame->DockControlBar(&toolBar, AFX_IDW_DOCKBAR_BOTTOM);
  EXPECT_FALSE(toolBar.IsFloating());
  EXPECT_FALSE(::IsWindow(smallHandle));
  EXPECT_TRUE(toolBar.GetBarStyle() & CBRS_ALIGN_BOTTOM);
}

TEST_F(ControlBarTest, DraggingTheBarDocksItOrLetsItFloat) {
  CToolBar& toolBar = frame->m_toolBar;
  frame->EnableDocking(CBRS_ALIGN_ANY);
  toolBar.EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(&toolBar);
  const CRect client = Client();
  const auto dropAt = [&](CPoint inFrame) {
    CPoint inBar = inFrame;
    frame->ClientToScreen(&inBar);
    toolBar.ScreenToClient(&inBar);
    toolBar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 5));  // beside the buttons
    toolBar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(inBar.x, inBar.y));
  };
  dropAt(CPoint(client.right - 5, client.Height() / 2));
  EXPECT_EQ(toolBar.GetParent()->GetDlgCtrlID(), AFX_IDW_DOCKBAR_RIGHT);
  dropAt(CPoint(client.Width() / 2, client.Height() / 2));
  EXPECT_TRUE(toolBar.IsFloating());
}

TEST_F(ControlBarTest, ABitmapWithTooFewImagesFailsCleanly) {
  CToolBar& toolBar = frame->m_toolBar;
  EXPECT_FALSE(toolBar.LoadToolBar(IDR_SHORT));
  EXPECT_FALSE(toolBar.LoadToolBar(IDR_MISSINGBITMAP));
  EXPECT_FALSE(toolBar.LoadToolBar(9999));
  EXPECT_EQ(toolBar.GetCount(), 4);  // the bar as it was
  EXPECT_EQ(toolBar.CommandToIndex(ID_BAR_MARK), 3);
  EXPECT_EQ(toolBar.CommandToIndex(ID_BAR_NOHANDLER), -1);
}

TEST_F(ControlBarTest, ThePicturesBlackAndGreysFollowTheSystemColours) {
  CToolBar& toolBar = frame->m_toolBar;
  toolBar.UpdateWindow();
  CRect button;
  toolBar.GetItemRect(0, &button);
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(toolBar.SendMessage(TB_GETIMAGELIST));
  ASSERT_NE(images, nullptr);
  // The black outline of the picture is drawn in the button-text colour.
  layer::testing::MemoryCanvas canvas(16, 15);
  ImageList_Draw(images, 0, canvas.dc, 0, 0, ILD_NORMAL);
  EXPECT_EQ(GetPixel(canvas.dc, 3, 3), GetSysColor(COLOR_BTNTEXT));
  toolBar.SendMessage(WM_SYSCOLORCHANGE);
  EXPECT_NE(reinterpret_cast<HIMAGELIST>(toolBar.SendMessage(TB_GETIMAGELIST)), nullptr);
  EXPECT_EQ(ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(toolBar.SendMessage(TB_GETIMAGELIST))), 3);
}

}  // namespace
