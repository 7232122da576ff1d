// A key of the sample catalogue on the screen: its frames in windows of a
// top-level window, each frame laid out and painted in its view's window
// through the device contexts of the windows, the scrolled tables in child
// windows of their own. The windows stand in for the splitters and scroll
// views that come later; the frames' side is the viewer's own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "CatalogueInstallation.h"
#include "Main/CErrorTrace.h"
#include "Main/CFace.h"
#include "Main/CFrame.h"
#include "Main/CMultiFrame.h"
#include "Main/CTablePart.h"
#include "Main/CWV4Globals.h"
#include "Main/FaceWindows.h"
#include "Main/FrameView.h"
#include "mfc/CPaintDC.h"
#include "mfc/CWnd.h"
#include "qt/Screenshot.h"
#include "testing/TempFolder.h"
#include "win32/Files.h"
#include "win32/UserMessages.h"

namespace {

// A window that shows a frame: the frame's main view in its pane, or the
// client view of a scrolled table inside it, which goes with its window.
class ShownView : public CWnd, public FrameView {
 public:
  ShownView(CFrame* frame, BOOL main) : m_frame(frame), m_main(main) {}

  BOOL Make(HWND parent, const CRect& rect) {
    return CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.Width(), rect.Height(), parent,
                    nullptr);
  }
  CRect ClientArea() override {
    CRect client;
    CWnd::GetClientRect(&client);
    return client;
  }
  CRect RectInFrame() override {
    CRect rect;
    GetWindowRect(&rect);
    HWND top = m_hWnd;
    while (::GetParent(top) != nullptr) top = ::GetParent(top);
    ::ScreenToClient(top, reinterpret_cast<POINT*>(&rect.left));
    ::ScreenToClient(top, reinterpret_cast<POINT*>(&rect.right));
    return rect;
  }
  void SizeScrollBars(CSize total, CSize, CSize) override { m_total = total; }
  void NeededBars(BOOL& horizontal, BOOL& vertical) override {
    const CRect client = ClientArea();
    vertical = m_total.cy > client.Height();
    horizontal = m_total.cx > client.Width();
  }
  CPoint ScrollPosition() override { return CPoint(0, 0); }
  CRect RectInParent() override {
    CRect rect;
    GetWindowRect(&rect);
    GetParent()->ScreenToClient(&rect);
    return rect;
  }
  void DestroyView() override { CWnd::DestroyWindow(); }
  CWnd* ButtonParent() override { return this; }

 protected:
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    if (m_main && !m_frame->AttachView(this, &dc, nullptr)) return;
    m_frame->DrawView(this, &dc);
  }
  // A client view's window, however it goes, leaves its frame's list.
  afx_msg void OnDestroy() {
    if (!m_main) m_frame->DestructClientView(this);
    CWnd::OnDestroy();
  }
  void PostNcDestroy() override {
    if (!m_main) delete this;
  }
  DECLARE_MESSAGE_MAP()

 private:
  CFrame* m_frame;
  BOOL m_main;
  CSize m_total;
};

BEGIN_MESSAGE_MAP(ShownView, CWnd)
  ON_WM_PAINT()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

// The face's windows: a top-level window, and a view per framed pane, placed
// by the sizes the face gives its panes.
class ScreenWindows : public FaceWindows {
 public:
  ScreenWindows(CFace& face, int width, int height) : m_face(face) {
    m_top.CreateEx(0, nullptr, "VARNO 4", WS_POPUP | WS_VISIBLE, 20, 20, width, height, nullptr, nullptr);
  }
  ~ScreenWindows() override {
    m_views.clear();
    m_top.DestroyWindow();
  }
  BOOL CreateSplitter(int) override { return TRUE; }
  BOOL CreateFrameView(int frame) override {
    auto view = std::make_unique<ShownView>(m_face.m_frames[static_cast<size_t>(frame)].get(), TRUE);
    if (!view->Make(m_top.m_hWnd, CRect(0, 0, 0, 0))) return FALSE;
    m_views[frame] = std::move(view);
    return TRUE;
  }
  void DestroyFrameView(int frame) override { m_views.erase(frame); }
  void DestroySplitter(int) override {}
  CSize PaneArea() override {
    CRect client;
    m_top.GetClientRect(&client);
    return client.Size();
  }
  void SetPaneSize(int set, int pane, int size) override { m_sizes[{set, pane}] = size; }
  int GetPaneSize(int set, int pane) override { return m_sizes[{set, pane}]; }
  void RecalcSplitter(int) override {}
  void RecalcFrameWindow() override { Place(0, CRect(CPoint(0, 0), PaneArea())); }
  FrameView* CreateClientView(CFrame& frame, int, const CRect& rect) override {
    for (auto& [index, view] : m_views) {
      if (m_face.m_frames[static_cast<size_t>(index)].get() != &frame) continue;
      auto* client = new ShownView(&frame, FALSE);
      if (client->Make(view->m_hWnd, rect)) return client;
      delete client;
    }
    return nullptr;
  }
  CWnd& Top() { return m_top; }
  ShownView* View(const char* frameName) {
    for (auto& [index, view] : m_views) {
      if (std::string(m_face.m_frames[static_cast<size_t>(index)]->m_name) == frameName) return view.get();
    }
    return nullptr;
  }

 private:
  // Panes one after the other along the frame set, a bar's width apart.
  void Place(int set, const CRect& area) {
    const FrameSet& frameSet = m_face.m_framesets[static_cast<size_t>(set)];
    CPoint at = area.TopLeft();
    for (int pane = 0; pane < frameSet.PaneCount(); ++pane) {
      const CSize size = frameSet.m_panes[static_cast<size_t>(pane)].computed;
      const CRect rect(at, size);
      for (int k = 0; k < m_face.GetFrameSetCount(); ++k) {
        const FrameSet& nested = m_face.m_framesets[static_cast<size_t>(k)];
        if (nested.m_parent_set == set && nested.m_parent_pane == pane) Place(k, rect);
      }
      for (auto& [index, view] : m_views) {
        const CFrame& frame = *m_face.m_frames[static_cast<size_t>(index)];
        if (frame.m_frameset == set && frame.m_pane == pane) view->MoveWindow(&rect);
      }
      if (frameSet.IsRows()) at.y += size.cy + frameSet.m_bar_width;
      else at.x += size.cx + frameSet.m_bar_width;
    }
  }

  CFace& m_face;
  CWnd m_top;
  std::map<int, std::unique_ptr<ShownView>> m_views;
  std::map<std::pair<int, int>, int> m_sizes;
};

class ShownFaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GetCurrentDirectory(sizeof m_folder, m_folder);
    SetCurrentDirectory(VARNO_CATALOGUE_DIR);
    ASSERT_TRUE(installation.Load());
  }
  void TearDown() override { SetCurrentDirectory(m_folder); }

  layer::testing::TempFolder user;
  varno::catalogue::Installation installation{VARNO_CATALOGUE_DIR, user.Path()};
  char m_folder[1024] = "";
};

// The key's face in a window 800 by 600 pixels, painted; the window's picture
// goes to the folder VARNO_SCREENSHOT_DIR names, when it names one.
TEST_F(ShownFaceTest, APartPageShowsItsTablesAndNotesInItsWindows) {
  CDynBuf stream;
  ASSERT_TRUE(installation.Render("MOT", stream));
  theGlobals.m_act_key_buf = stream;
  theGlobals.m_UserPageDef = FALSE;
  CFace face;
  CMultiFrame frameWindow;
  ScreenWindows windows(face, 800, 600);
  face.SetWindows(&windows);
  ASSERT_TRUE(face.Build(&frameWindow));
  layer::PumpUntilIdle();

  ShownView* parts = windows.View("Teile");
  ASSERT_NE(parts, nullptr);
  CFrame& frame = **std::find_if(face.m_frames.begin(), face.m_frames.end(),
                                 [](const auto& f) { return std::string(f->m_name) == "Teile"; });
  ASSERT_EQ(frame.m_layout_state, 2);
  ASSERT_EQ(frame.m_ViewNum, 2);
  // The header in the frame's view: its raised left edge and its texts.
  const CTablePart& head = *frame.m_children[0].Part();
  HDC dc = ::GetDC(parts->m_hWnd);
  const int middle = (head.m_rect.top + head.m_rect.bottom) / 2;
  EXPECT_EQ(GetPixel(dc, head.m_rect.left, middle), GetSysColor(COLOR_3DFACE));
  int ink = 0;
  const CRect title = head.Cell(0, 2)->m_rect;
  for (int y = title.top + 3; y < title.bottom - 3; ++y)
    for (int x = title.left + 4; x < title.right - 4; ++x) ink += GetPixel(dc, x, y) == RGB(0, 0, 0) ? 1 : 0;
  EXPECT_GT(ink, 0);
  ::ReleaseDC(parts->m_hWnd, dc);
  // The body's rows in the window of their own, below the header.
  FrameView* bodyView = nullptr;
  ASSERT_TRUE(frame.GetView(1, bodyView));
  EXPECT_EQ(bodyView->RectInParent().top, head.m_rect.bottom);
  const CTablePart& body = *frame.m_children[1].Part();
  HWND bodyWindow = static_cast<ShownView*>(bodyView)->m_hWnd;
  HDC bodyDc = ::GetDC(bodyWindow);
  const CRect part = body.Cell(0, 1)->m_rect;
  int green = 0;  // part numbers can be ordered: the order-list colour
  for (int y = part.top; y < part.bottom; ++y)
    for (int x = part.left; x < part.right; ++x) green += GetPixel(bodyDc, x, y) == theGlobals.m_prot_textcolor ? 1 : 0;
  EXPECT_GT(green, 0);
  ::ReleaseDC(bodyWindow, bodyDc);

  if (const char* folder = std::getenv("VARNO_SCREENSHOT_DIR")) {
    EXPECT_TRUE(layer::SaveWindowPng(parts->m_hWnd, std::string(folder) + "/Teile.png"));
    EXPECT_TRUE(layer::SaveWindowPng(windows.Top().m_hWnd, std::string(folder) + "/MOT.png"));
    EXPECT_TRUE(layer::SaveScreenPng(std::string(folder) + "/screen.png"));
  }
  face.Clear();
}

}  // namespace
