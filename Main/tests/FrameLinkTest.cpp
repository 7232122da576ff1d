#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Main/CImage.h"
#include "Main/CTablePart.h"
#include "Main/PictureView.h"
#include "Main/tests/LinkFixture.h"

namespace {

using varno::testing::Buf;
using varno::testing::Bytes;
using varno::testing::CanvasView;
using varno::testing::FrameDef;

// A picture's view that says which hotspot is under the pointer and keeps
// what it was asked to show.
class StubPictureView : public PictureView {
 public:
  BOOL GetActiveHotspot(CString& name, CString& link) override {
    if (active.empty()) return FALSE;
    name = active.c_str();
    link = activeLink.c_str();
    return TRUE;
  }
  void SelectHotspot(const CString& name) override { selected.push_back(static_cast<const char*>(name)); }
  void DeleteHotspots() override { ++cleared; }

  std::string active;
  std::string activeLink;
  std::vector<std::string> selected;
  int cleared = 0;
};

class FrameLinkTest : public varno::testing::LinkFixture {
 protected:
  // A frame with a free cell holding a key link and a command link.
  CFrame& Links() {
    FrameDef def("T");
    def.Tag(34).Link("MOT", "Motor").Content(" ").Link("77", "Befehl", 143).Tag(35);
    CFrame& frame = Read({def});
    Paint(frame, 300, 100);
    return frame;
  }
  CPoint PieceOf(CFrame& frame, int item) {
    const auto* field = static_cast<const CTextField*>(CellOf(frame, 0).m_items[static_cast<size_t>(item)].get());
    return field->m_pieces[0]->m_rect.CenterPoint();
  }
  // A frame with one picture shown in a view of its own.
  CFrame& Picture(StubPictureView& stub) {
    CFrame& frame = Read({FrameDef("P").Text(28, "teil.bmp")});
    Layout(frame, 300, 200);
    pictureViews.push_back(std::make_unique<CanvasView>(&frame, CRect(0, 0, 300, 200)));
    CanvasView* pictureView = pictureViews.back().get();
    frame.m_views.push_back(pictureView);
    frame.m_ViewNum = static_cast<int>(frame.m_views.size());
    FrameChild& child = frame.m_children[0];
    child.view_slot = frame.m_ViewNum - 1;
    child.Picture()->m_view = &stub;
    child.Picture()->m_created = TRUE;
    return frame;
  }

  CanvasView* PictureViewOf(int n) { return pictureViews[static_cast<size_t>(n)].get(); }

  std::vector<std::unique_ptr<CanvasView>> pictureViews;
};

TEST_F(FrameLinkTest, AClickOnAKeyLinkShowsTheKeyWithTheLinksAssignments) {
  CFrame& frame = Links();
  *frame.m_actions[0] = Buf(Bytes({0, 'O', "N", 0, 'C', "5", 0, '[', 0, 0}));
  const CPoint at = PieceOf(frame, 0);
  CString name, key, target, text;
  int value = -1;
  EXPECT_EQ(frame.HitTestAll(mainView.get(), at.x, at.y, name, key, target, text, value), 1);
  EXPECT_STREQ(target, "MOT");
  EXPECT_EQ(value, 0);
  EXPECT_EQ(frame.OnHotspotCommand(129, mainView.get(), at.x, at.y, 1), 0);
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{1, "MOT"}}));
  EXPECT_STREQ(theGlobals.m_tmpkey, "MOT");
  EXPECT_EQ(Text(theGlobals.m_cur_varbuf), Bytes({0, 'O', "N", 0, 'C', "5", 0, '[', 0, 0}));
  EXPECT_TRUE(TakeCommands().empty());
}

TEST_F(FrameLinkTest, ACommandRunsItsAssignmentsAndIsPostedEvenWhenTheyFail) {
  CFrame& frame = Links();
  const CPoint at = PieceOf(frame, 2);
  *frame.m_actions[1] = Buf(Bytes({0, 'O', "Lauf", 0, 'C', "1", 0, '[', 0, 0}));
  frame.OnHotspotCommand(129, mainView.get(), at.x, at.y, 1);
  EXPECT_EQ(TakeCommands(), (std::vector<WPARAM>{77}));
  EXPECT_EQ(vars().GetVar("Lauf", nullptr), VAR_LONG);
  EXPECT_TRUE(dialog->shown.empty());

  *frame.m_actions[1] = Buf(Bytes({0, 'X', "T", 0, 'C', "\"ab\"", 0, '[', 0, 0}));
  frame.OnHotspotCommand(129, mainView.get(), at.x, at.y, 1);
  EXPECT_EQ(TakeCommands(), (std::vector<WPARAM>{77}));
  ASSERT_EQ(dialog->shown.size(), 1u);
  EXPECT_NE(dialog->shown[0].second.find("[307]"), std::string::npos);
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
  EXPECT_TRUE(TakeKeyCommands().empty());
}

TEST_F(FrameLinkTest, ClicksOnNothingOrInAnotherViewOrAFrameNotInUseDoNothing) {
  CFrame& frame = Links();
  const CPoint at = PieceOf(frame, 0);
  frame.OnHotspotCommand(129, mainView.get(), 290, 90, 1);
  CanvasView stranger(&frame, CRect(0, 0, 300, 100));
  CString name, key, target, text;
  int value = 0;
  EXPECT_EQ(frame.HitTestAll(&stranger, at.x, at.y, name, key, target, text, value), 0);
  frame.OnHotspotCommand(129, &stranger, at.x, at.y, 1);
  frame.m_defined = 0;
  frame.OnHotspotCommand(129, mainView.get(), at.x, at.y, 1);
  EXPECT_EQ(frame.GetLinkFlags(mainView.get(), at.x, at.y), 0);
  frame.m_defined = 1;
  EXPECT_TRUE(TakeKeyCommands().empty());
  EXPECT_TRUE(TakeCommands().empty());
}

TEST_F(FrameLinkTest, HotspotTextsAndKeysOfThePictureUnderThePointer) {
  OpenTexts(theGlobals.m_datadud, "daten.ddm", "dictionary\nlanguage \"D\"\n12 = \"Zw\\xF6lf\"\n");
  StubPictureView stub;
  CFrame& frame = Picture(stub);
  struct Case {
    const char* hotspot;
    const char* link;
    BOOL isKey;
    const char* key;
    const char* shownLink;
  };
  for (const Case& c : {Case{"?K1", "#12", TRUE, "K1", "Zw\xF6lf"}, Case{"?", "", TRUE, "", ""},
                        Case{"7", "#1x", FALSE, "", "#1x"}, Case{"", "", FALSE, "", ""}}) {
    SCOPED_TRACE(c.hotspot);
    stub.active = c.hotspot;
    stub.activeLink = c.link;
    CString key = "old";
    EXPECT_EQ(frame.GetHotspotKey(PictureViewOf(0), key), c.isKey);
    EXPECT_STREQ(key, c.key);
    CString name, link;
    EXPECT_EQ(frame.GetHotspotText(PictureViewOf(0), name, link), !std::string(c.hotspot).empty());
    EXPECT_STREQ(link, c.shownLink);
  }
  CString name, link;
  EXPECT_FALSE(frame.GetHotspotText(mainView.get(), name, link));  // no picture there
}

TEST_F(FrameLinkTest, TheHotspotConnectionReachesThePicturesOfEveryFrameOfTheFace) {
  StubPictureView first, second;
  Picture(first);
  Picture(second);
  for (auto& frame : frames) face.m_frames.push_back(std::move(frame));
  frames.clear();
  CFrame& two = *face.m_frames[1];
  two.ConnectHotspot("4");
  EXPECT_EQ(first.selected, (std::vector<std::string>{"4"}));
  EXPECT_EQ(second.selected, (std::vector<std::string>{"4"}));
  two.ClearLastPictureHotspots();
  EXPECT_EQ(second.cleared, 1);
  EXPECT_EQ(first.cleared, 0);
  CImage* last = nullptr;
  EXPECT_EQ(two.CountVisiblePictures(last), 1);
  EXPECT_EQ(last, two.m_children[0].Picture());
  face.Clear();
}

// A click on a picture hotspot: a key hotspot shows its key, any other is
// offered to the tables of the face, which follow or mark their rows.
TEST_F(FrameLinkTest, PictureEventsLeadToKeysOrToTheMatchingRows) {
  StubPictureView stub;
  Picture(stub);
  FrameDef table("T");
  table.Columns("2,40,*").Tag(46);
  table.Tag(52).Tag(48).Tag(59).Content("1").Tag(49).Tag(48).Link("MOT", "Motor").Tag(49).Tag(53);
  table.Tag(52).Tag(48).Tag(59).Content("2").Tag(49).Tag(48).Content("Deckel").Tag(49).Tag(53);
  table.Tag(75);
  Paint(Read({table}), 300, 200);
  for (auto& frame : frames) face.m_frames.push_back(std::move(frame));
  frames.clear();
  CFrame& picture = *face.m_frames[0];
  const CTablePart& body = PartOf(*face.m_frames[1], 0);
  FrameView* view = PictureViewOf(0);
  theGlobals.m_cur_varbuf = "alt";

  stub.active = "?K1";
  EXPECT_TRUE(face.OnViewEvent(&picture, view, 0x82, WM_LBUTTONDOWN, 0, 0, 0));
  EXPECT_TRUE(TakeKeyCommands().empty());
  EXPECT_TRUE(face.OnViewEvent(&picture, view, 0x81, WM_LBUTTONDOWN, 0, 0, 0));
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{1, "K1"}}));
  EXPECT_EQ(theGlobals.m_cur_varbuf.GetLength(), 0);

  stub.active = "2";
  EXPECT_TRUE(face.OnViewEvent(&picture, view, 0, WM_MOUSEMOVE, 0, 0, 1));
  EXPECT_EQ(body.Cell(1, 0)->m_selected, 1);
  EXPECT_EQ(body.Cell(0, 0)->m_selected, 0);

  // A click on no hotspot stands for the default hotspot text.
  stub.active.clear();
  face.m_default_hotspot = "1";
  EXPECT_TRUE(face.OnViewEvent(&picture, view, 0x81, WM_LBUTTONDOWN, 0, 0, 0));
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{1, "MOT"}}));

  face.m_frames[1]->CollectLinkNames();
  // The row of "2" offers nothing and names no hotspot that is kept.
  EXPECT_EQ(face.m_link_names, (std::vector<CString>{"1"}));
  EXPECT_EQ(Text(face.m_link_flags), "\x02");

  EXPECT_FALSE(face.OnViewEvent(&picture, mainView.get(), 0x81, WM_LBUTTONDOWN, 0, 0, 0));
  EXPECT_FALSE(face.OnViewEvent(face.m_frames[1].get(), view, 0x81, WM_LBUTTONDOWN, 0, 0, 0));
  face.Clear();
}

}  // namespace
