// The form a page uses, where its frames lie, and its own items on the page.
#include <gtest/gtest.h>

#include "PageFixture.h"
#include "VodContext.h"
#include "VodFormPrinter.h"

namespace vod {
namespace {

using testing::FormFileBytes;
using testing::FormItemBytes;
using testing::FrameItem;

class FormSelection : public testing::PageFixture {
 protected:
  void SetUp() override {
    PageFixture::SetUp();
    for (const char* name : {"a", "b", "body", "even", "odd"})
      Write(std::string(name) + ".frm", FormFileBytes({FrameItem(name, 0, 0, 10, 10)}));
  }
  // The frame name of the first item of the form in force on page pp.
  std::string FormOn(LONG pp) {
    m_context->counters.pp = pp;
    if (!VodFormPrinter(*m_context).SetFormular()) return "(failed)";
    ItemNode* first = *m_context->model.currentForm;
    return first ? first->FrameName() : "(none)";
  }
};

TEST_F(FormSelection, PagesUseTheirFormsByMode) {
  ASSERT_EQ(Run("USE FORM " + (m_folder / "body") + "\n"), 3);
  EXPECT_EQ(FormOn(1), "body");
  EXPECT_EQ(FormOn(2), "body");

  ASSERT_EQ(Run("USE FORM " + (m_folder / "even") + " EVEN\nUSE FORM " + (m_folder / "odd") + " ODD\n"), 3);
  EXPECT_EQ(FormOn(1), "odd");
  EXPECT_EQ(FormOn(2), "even");
  EXPECT_EQ(FormOn(7), "odd");

  ASSERT_EQ(Run("USE FORM " + (m_folder / "a") + " TITLE\nUSE FORM " + (m_folder / "b") + " TITLE\nUSE FORM " +
                (m_folder / "body") + " BODY\n"),
            3);
  EXPECT_EQ(FormOn(1), "a");
  EXPECT_EQ(FormOn(2), "b");
  EXPECT_EQ(FormOn(3), "body");
  EXPECT_EQ(FormOn(4), "body");
}

TEST_F(FormSelection, EvenAndOddFormsMustBothBeThere) {
  ASSERT_EQ(Run("USE FORM " + (m_folder / "odd") + " ODD\n"), 3);
  EXPECT_EQ(FormOn(1), "(failed)");
  EXPECT_EQ(m_context->lastError, " Fehler: EVEN Formular ist undefiniert!");
  ASSERT_EQ(Run("USE FORM " + (m_folder / "even") + " EVEN\n"), 3);
  m_context->model.oddForm = nullptr;
  EXPECT_EQ(FormOn(1), "(failed)");
  EXPECT_EQ(m_context->lastError, " Fehler: ODD Formular ist undefiniert!");
}

TEST_F(FormSelection, AFrameLiesWhereItsInstanceIsDefined) {
  Write("two.frm", FormFileBytes({FrameItem("X", 0, 0, 10, 10), FrameItem("Y", 500, 600, 100, 200),
                                  FrameItem("x", 20, 30, 40, 50)}));
  ASSERT_EQ(Run("USE FORM " + (m_folder / "two") + "\n"), 3);
  VodFormPrinter form(*m_context);
  std::string x = "X";
  VodFrame* first = m_context->model.FindFrame(x);
  VodFrame* second = m_context->model.FindNextInstance(*first);
  ASSERT_NE(second, nullptr);
  RECT rect;
  ASSERT_TRUE(form.SetFrame(*second, rect));
  EXPECT_EQ(rect, (RECT{20, 30, 40, 50}));
  std::string y = "Y";
  ASSERT_TRUE(form.SetFrame(*m_context->model.FindFrame(y), rect));
  EXPECT_EQ(rect, (RECT{100, 200, 500, 600})) << "corners in order";
  second->instance = 3;
  EXPECT_FALSE(form.SetFrame(*second, rect));
  EXPECT_EQ(rect, (RECT{0, 0, 0, 0}));
}

class FormItems : public testing::PageFixture {
 protected:
  void Print(const std::vector<std::string>& ini = {}, const std::string& script = "") {
    FormItemBytes line(0), picture(1), text(2), grey(4), box(4);
    line.Word(138, 10).Word(140, 100).Word(142, 100).Word(144, 1000).Word(146, 100);
    picture.Text(138, "logo.tif").Word(158, 300).Word(162, 50).Word(166, 700);
    text.Text(138, "UNIV").Text(148, "P %PP1%").Word(188, 100).Word(190, 500).Word(196, 500).Word(192, 12);
    grey.Word(138, 0).Word(140, 100).Word(142, 100).Word(144, 200).Word(146, 500).Word(148, 400);
    box.Word(138, 5).Word(140, 0).Word(142, 600).Word(144, 200).Word(146, 1000).Word(148, 400);
    Write("items.frm", FormFileBytes({line, picture, text, grey, box, FrameItem("A", 1100, 100, 2000, 1000)}));
    WriteIni(ini);
    ASSERT_EQ(Run("USE FORM " + (m_folder / "items") + "\n" + script), 3);
    m_context->counters.pp = 3;
    m_target->Clear();
    ASSERT_TRUE(m_target->Open(*m_context));
    VodFormPrinter form(*m_context);
    ASSERT_TRUE(form.PrintFormularGrau());
    ASSERT_TRUE(form.PrintFormular());
    m_page = m_target->Snapshot();
  }
  testing::PageImage m_page;
};

// The page is 420 × 594 pixels for 2100 × 2970 form units: a fifth.
TEST_F(FormItems, LinesBoxesGreyAreasTextsAndPicturesAreDrawn) {
  Print();
  EXPECT_EQ(m_page.At(100, 20), RGB(0, 0, 0)) << "line";
  EXPECT_EQ(m_page.At(60, 60), RGB(0, 0, 0)) << "grey area of 100 percent without border";
  EXPECT_EQ(m_page.At(120, 60), RGB(0, 0, 0)) << "box border";
  EXPECT_EQ(m_page.At(160, 60), RGB(255, 255, 255)) << "box inside";
  ASSERT_EQ(m_pictures->calls.size(), 1u);
  EXPECT_EQ(m_pictures->calls[0].what, "raster");
  EXPECT_EQ(m_pictures->calls[0].file, "logo.tif");
  EXPECT_EQ(m_pictures->calls[0].box.left, 300);
  EXPECT_EQ(m_pictures->calls[0].box.top, 700);
  EXPECT_EQ(m_pictures->calls[0].percent, 50);

  // The text shows the physical page.
  RECT textArea{0, 95, 200, 130};
  testing::PageImage printed = m_page;
  m_target->Clear();
  ASSERT_TRUE(m_context->drawing.SelectFrameFont("UNIV", 12));
  ASSERT_TRUE(m_context->drawing.DrawTextAt(100, 500, "P 3", kAlignLeft, {}, 0));
  testing::PageImage expected = m_target->Snapshot();
  EXPECT_FALSE(expected.Blank(textArea));
  EXPECT_EQ(printed.Inked(textArea), expected.Inked(textArea));
}

TEST_F(FormItems, FramesAreOutlinedWhileCheckedOrInTestMode) {
  RECT frameEdge{219, 19, 222, 200};
  Print();
  EXPECT_FALSE(m_page.Blank(frameEdge));
  EXPECT_FALSE(m_page.Blank(RECT{222, 22, 260, 50})) << "its name";
  Print({"CheckFrames=FALSE"});
  EXPECT_TRUE(m_page.Blank(frameEdge));
  Print({"CheckFrames=FALSE"}, "SET TESTMODE\n");
  EXPECT_FALSE(m_page.Blank(frameEdge));
}

}  // namespace
}  // namespace vod
