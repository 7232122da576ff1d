// Keys of the sample catalogue on the screen: the face in a frame window of
// the viewer, its frame sets in splitters, each frame laid out and painted in
// its view, the scrolled tables in client views of their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "CatalogueInstallation.h"
#include "Main/CFace.h"
#include "Main/CFrame.h"
#include "Main/CImage.h"
#include "Main/CPicView.h"
#include "Main/KeyCommand.h"
#include "Main/CMultiFrame.h"
#include "Main/CShiftScrollView.h"
#include "Main/CSplitWnd.h"
#include "Main/CTablePart.h"
#include "Main/CWV4Globals.h"
#include "Main/SplitterFaceWindows.h"
#include "qt/Screenshot.h"
#include "testing/TempFolder.h"
#include "win32/Files.h"
#include "win32/UserMessages.h"

namespace {

// Where the pictures of the windows go: the folder VARNO_SCREENSHOT_DIR
// names, else the build's own.
std::string ShotFolder() {
  const char* named = std::getenv("VARNO_SCREENSHOT_DIR");
  const std::string folder = named != nullptr ? named : VARNO_FACE_SCREENSHOT_DIR;
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return folder + "/";
}

// A frame window whose status pane texts the test reads.
class StatusFrame : public CMultiFrame {
 public:
  void SetPaneText(int pane, const CString& text) override {
    if (pane == 0) status = static_cast<const char*>(text);
  }
  std::string status;
};

class ShownFaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GetCurrentDirectory(sizeof m_folder, m_folder);
    SetCurrentDirectory(VARNO_CATALOGUE_DIR);
    ASSERT_TRUE(installation.Load());
    theGlobals.m_UserPageDef = FALSE;
    window = new StatusFrame;
    ASSERT_TRUE(window->Create(nullptr, "VARNO 4", WS_POPUP | WS_VISIBLE, CRect(20, 20, 824, 624)));
    // Client area 804 by 604: the face gets 800 by 600, as the golden faces.
    window->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
  }
  void TearDown() override {
    window->DestroyWindow();
    SetCurrentDirectory(m_folder);
  }

  BOOL Show(const char* key) {
    CDynBuf stream;
    if (!installation.Render(key, stream)) return FALSE;
    theGlobals.m_act_key_buf = stream;
    const BOOL built = window->BuildFace();
    layer::PumpUntilIdle();
    return built;
  }
  CFace& Face() { return *window->GetFace(); }
  int FrameIndex(const char* name) {
    const auto& frames = Face().m_frames;
    const auto found =
        std::find_if(frames.begin(), frames.end(), [&](const auto& f) { return std::string(f->m_name) == name; });
    return found == frames.end() ? -1 : static_cast<int>(found - frames.begin());
  }
  CFrame& Frame(const char* name) { return *Face().m_frames[static_cast<size_t>(FrameIndex(name))]; }
  CFrameView* View(const char* name) { return window->GetFaceWindows()->View(FrameIndex(name)); }
  std::vector<int> PaneSizes(int frameSet) {
    std::vector<int> sizes;
    for (int pane = 0; pane < Face().m_framesets[static_cast<size_t>(frameSet)].PaneCount(); ++pane) {
      sizes.push_back(window->GetFaceWindows()->GetPaneSize(frameSet, pane));
    }
    return sizes;
  }
  static int CountPixels(HWND view, const CRect& rect, COLORREF colour) {
    HDC dc = ::GetDC(view);
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
      for (int x = rect.left; x < rect.right; ++x) count += GetPixel(dc, x, y) == colour ? 1 : 0;
    ::ReleaseDC(view, dc);
    return count;
  }

  layer::testing::TempFolder user;
  varno::catalogue::Installation installation{VARNO_CATALOGUE_DIR, user.Path()};
  char m_folder[1024] = "";
  StatusFrame* window = nullptr;
};

// The part page in a window of 800 by 600 pixels, painted, and its picture.
TEST_F(ShownFaceTest, APartPageShowsItsTablesAndNotesInItsSplitters) {
  ASSERT_TRUE(Show("MOT"));
  ASSERT_EQ(window->GetFaceWindows()->SplitterCount(), 2);
  // Rows of 60 pixels, the rest and 30, two pixels of bar between them; the
  // rest split into the rest and 25 %, four pixels of bar between them.
  EXPECT_EQ(PaneSizes(0), (std::vector<int>{60, 506, 30}));
  EXPECT_EQ(PaneSizes(1), (std::vector<int>{597, 199}));
  for (const char* name : {"Kopf", "Teile", "Hinweis", "Fuss"}) {
    ASSERT_NE(View(name), nullptr) << name;
    EXPECT_EQ(View(name)->GetFrame(), &Frame(name));
    EXPECT_EQ(Frame(name).m_layout_state, 2) << name;
  }

  CFrame& frame = Frame("Teile");
  ASSERT_EQ(frame.m_ViewNum, 2);
  // The header in the frame's view: its raised left edge and its texts.
  const CTablePart& head = *frame.m_children[0].Part();
  HWND parts = View("Teile")->m_hWnd;
  const int middle = (head.m_rect.top + head.m_rect.bottom) / 2;
  EXPECT_EQ(CountPixels(parts, CRect(head.m_rect.left, middle, head.m_rect.left + 1, middle + 1),
                        GetSysColor(COLOR_3DFACE)),
            1);
  CRect title = head.Cell(0, 2)->m_rect;
  title.DeflateRect(4, 3);
  EXPECT_GT(CountPixels(parts, title, RGB(0, 0, 0)), 0);
  // The body's rows in the client view of their own, below the header;
  // part numbers can be ordered: the order-list colour.
  FrameView* bodyView = nullptr;
  ASSERT_TRUE(frame.GetView(1, bodyView));
  EXPECT_EQ(bodyView->RectInParent().top, head.m_rect.bottom);
  const CTablePart& body = *frame.m_children[1].Part();
  HWND bodyWindow = dynamic_cast<CShiftScrollView*>(bodyView)->m_hWnd;
  EXPECT_GT(CountPixels(bodyWindow, body.Cell(0, 1)->m_rect, theGlobals.m_prot_textcolor), 0);

  EXPECT_TRUE(layer::SaveWindowPng(parts, ShotFolder() + "Teile.png"));
  EXPECT_TRUE(layer::SaveWindowPng(window->m_hWnd, ShotFolder() + "MOT.png"));
}

// The start page's head row has a fixed bar: pressing and dragging it moves
// nothing, while the window's size still shares out the rest.
TEST_F(ShownFaceTest, TheStartPagesFixedBarStaysWhereItIs) {
  ASSERT_TRUE(Show("START"));
  EXPECT_EQ(PaneSizes(0), (std::vector<int>{80, 512}));
  EXPECT_TRUE(layer::SaveWindowPng(window->m_hWnd, ShotFolder() + "START.png"));
  EXPECT_TRUE(layer::SaveScreenPng(ShotFolder() + "screen.png"));
  CSplitWnd& outer = *window->GetFaceWindows()->Splitter(0);
  const CPoint bar(100, 2 + 80 + 2);
  ASSERT_EQ(outer.HitTest(bar), CSplitterWnd::vSplitterBar1);
  outer.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bar.x, bar.y));
  outer.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(bar.x, 300));
  outer.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(bar.x, 300));
  layer::PumpUntilIdle();
  EXPECT_EQ(PaneSizes(0), (std::vector<int>{80, 512}));
  window->MoveWindow(20, 20, 604, 404);
  layer::PumpUntilIdle();
  EXPECT_EQ(PaneSizes(0), (std::vector<int>{80, 312}));
  EXPECT_EQ(PaneSizes(1), (std::vector<int>{360, 240}));
}

// A part page's picture and table answer each other: the pointer on a row
// makes the row's part the picture's current hotspot, the pointer on a part
// in the picture lights up its row; the picture zoomed to a dragged
// rectangle keeps answering.
TEST_F(ShownFaceTest, APartPagesPictureAndTableAnswerEachOther) {
  ASSERT_TRUE(Show("MOT"));
  SetActiveWindow(window->m_hWnd);
  theGlobals.m_hs_connect_onoff = TRUE;
  theGlobals.m_hs_connect_use_timer = FALSE;
  CFrame& notes = Frame("Hinweis");
  ASSERT_EQ(notes.m_children[notes.m_child_count - 1].kind, CHILD_PICTURE);
  CPicView* picture = notes.m_children[notes.m_child_count - 1].Picture()->GetPicView();
  ASSERT_NE(picture, nullptr);
  FrameView* bodyView = nullptr;
  ASSERT_TRUE(Frame("Teile").GetView(1, bodyView));
  auto* body = dynamic_cast<CShiftScrollView*>(bodyView);
  const CTablePart& rows = *Frame("Teile").m_children[1].Part();
  const CPoint second = rows.Cell(1, 2)->m_rect.CenterPoint();
  body->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(second.x, second.y));
  EXPECT_STREQ(picture->SelectedHotspot(), "RM-2002");

  // The picture is 640 by 400 pixels; RM-2001 lies at (140, 60, 230, 120) of it.
  const auto at = [&](int x, int y) {
    const CSize shown = picture->ScrollSize();
    const CPoint scroll = picture->GetDeviceScrollPosition();
    const CPoint offset = picture->CentringOffset();
    return MAKELPARAM(x * shown.cx / 640 + offset.x - scroll.x, y * shown.cy / 400 + offset.y - scroll.y);
  };
  picture->ToggleZoomMode();
  picture->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(120, 40));
  picture->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(320, 190));
  picture->SendMessage(WM_LBUTTONUP, 0, at(320, 190));
  layer::PumpUntilIdle();
  EXPECT_EQ(picture->GetZoom(), -1);
  picture->SendMessage(WM_MOUSEMOVE, 0, at(185, 90));
  layer::PumpUntilIdle();
  EXPECT_NE(rows.Cell(0, 0)->m_selected, 0);
  EXPECT_EQ(rows.Cell(1, 0)->m_selected, 0);
  EXPECT_TRUE(layer::SaveWindowPng(window->m_hWnd, ShotFolder() + "MOT-zoomed.png"));
}

// The start page's line drawing numbers the assemblies as its table does: a
// click on a label follows the link of the assembly's row.
TEST_F(ShownFaceTest, TheStartPagesLineDrawingLeadsToTheAssemblies) {
  ASSERT_TRUE(Show("START"));
  SetActiveWindow(window->m_hWnd);
  CFrame& overview = Frame("Uebersicht");
  CImage* drawing = overview.m_children[overview.m_child_count - 1].Picture();
  ASSERT_NE(drawing, nullptr);
  CPicView* picture = drawing->GetPicView();
  ASSERT_NE(picture, nullptr);
  CRect label;
  for (int i = 0; i < HS_GetNumberOfHotspots(picture->Hotspots()); ++i) {
    RECT rect{};
    CString* name = nullptr;
    CString* link = nullptr;
    BYTE mode = 0;
    if (HS_GetHotspot(picture->Hotspots(), i, &rect, &name, &link, &mode) && *name == "2") label = rect;
  }
  ASSERT_FALSE(label.IsRectEmpty());
  SIZE size{};
  picture->GetImageSize(&size);
  const CSize shown = picture->ScrollSize();
  const CPoint offset = picture->CentringOffset();
  const CPoint centre = label.CenterPoint();
  const LPARAM at = MAKELPARAM(centre.x * shown.cx / size.cx + offset.x, centre.y * shown.cy / size.cy + offset.y);
  picture->SendMessage(WM_MOUSEMOVE, 0, at);
  // The row's link goes to the viewer's main window: this one.
  installation.app.m_hMainWnd = window->m_hWnd;
  picture->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
  installation.app.m_hMainWnd = nullptr;
  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, window->m_hWnd, KeyCommandMessageId(), KeyCommandMessageId(), PM_REMOVE));
  EXPECT_STREQ(TakeKeyCommandKey(msg.lParam), "MOT");
  EXPECT_TRUE(layer::SaveWindowPng(window->m_hWnd, ShotFolder() + "START-drawing.png"));
}

// The pointer over an assembly's link on the start page: the status bar
// says where a click goes.
TEST_F(ShownFaceTest, TheStatusBarHintsAtTheLinkUnderThePointer) {
  ASSERT_TRUE(Show("START"));
  ::SetActiveWindow(window->m_hWnd);
  CFrame& frame = Frame("Uebersicht");
  // The table's body, in a client view of its own.
  const auto rowsOf = std::find_if(frame.m_children.begin(), frame.m_children.end(),
                                   [](const FrameChild& child) { return child.kind == CHILD_BODY_TABLE; });
  ASSERT_NE(rowsOf, frame.m_children.end());
  const FrameChild& rows = *rowsOf;
  FrameView* bodyView = nullptr;
  ASSERT_TRUE(frame.GetView(rows.view_slot, bodyView));
  auto* body = dynamic_cast<CShiftScrollView*>(bodyView);
  ASSERT_NE(rows.Part()->Cell(2, 1), nullptr);
  const CPoint motor = rows.Part()->Cell(2, 1)->m_rect.CenterPoint();
  body->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(motor.x, motor.y));
  EXPECT_EQ(window->status, "Verzweigen: Motor");
  body->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(window->status, "");
}

}  // namespace
