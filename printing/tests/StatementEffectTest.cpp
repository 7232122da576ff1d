// What each statement leaves in the form model and the job.
#include <gtest/gtest.h>

#include <filesystem>

#include "VodFixture.h"
#include "VodStatements.h"
#include "VodTexts.h"

namespace vod {
namespace {

using Texts = std::vector<std::string>;

class Statements : public testing::VodFixture {
 protected:
  void SetUp() override {
    VodFixture::SetUp();
    StandardForm();
  }
};

TEST_F(Statements, DataRecordsGoPassByPassToTheColumnsAndNumberTheRows) {
  ASSERT_EQ(Run("USE FORM std\n"
                "DATA FRAME a (VEC)B C LINECOUNT 2 BEGIN\n"
                "a1   \n"
                "b1\n"
                "c1\n"
                "a2\n"
                "\n"
                "END\n"  // inside a record a terminator is data
                "a3\n"
                "b3\n"
                "c3\n"
                "a4\n"
                "b4\n"
                "c4\n"
                "end\n"
                "DATA FRAME C BEGIN\n"
                "c5\n"
                "END\n"),
            3);
  EXPECT_EQ(Lines("A"), (Texts{"1/0/T:a1", "1/1/T:a2", "2/0/T:a3", "2/1/T:a4"}));
  // Both instances of B take the lines; an empty line is always text.
  Texts b{"1/0/V:b1", "1/1/T:", "2/0/V:b3", "2/1/V:b4"};
  EXPECT_EQ(Lines("B"), b);
  VodFrame* second = m_context->model.FindNextInstance(*Frame("B"));
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->instance, 2);
  EXPECT_EQ(second->textList->next->next->record, 2);
  EXPECT_EQ(Lines("C"), (Texts{"1/0/T:c1", "1/1/T:END", "2/0/T:c3", "2/1/T:c4", "3/0/T:c5"}));
  EXPECT_EQ(m_context->model.HighestRow(), 3);
}

TEST_F(Statements, ATerminatorWordEndsDataAndGrafBlocksInAnyCase) {
  ASSERT_EQ(Run("USE FORM std\n"
                "TERMINATOR Ende\n"
                "DATA FRAME A BEGIN\n"
                "one\n"
                "END\n"
                "eNDe\n"
                "GRAF FRAME c begin\n"
                "LINE 10 10 100 10 2\n"
                "REM a comment\n"
                "\n"
                "TEXT 10 20 Arial 10 Gr\xF6\xDF" "e   \n"
                "ENDE\n"),
            3);
  EXPECT_EQ(Lines("A"), (Texts{"1/0/T:one", "2/0/T:END"}));
  Texts graf;
  for (GrafData* line = Frame("C")->grafList; line; line = line->next) graf.push_back(line->Text());
  EXPECT_EQ(graf, (Texts{"LINE 10 10 100 10 2", "TEXT 10 20 Arial 10 Gr\x94\xE1" "e"}));
  EXPECT_EQ(m_context->terminator, "ENDE");
}

TEST_F(Statements, UseLoadsTheFormBuildsItsFramesAndResetsThePage) {
  ASSERT_EQ(Run("SET DP 5 LP 7 PP 8 SP 9 TESTMODE\nuse form std\nREM\n\n"), 3);
  std::vector<std::string> names;
  for (VodFrame* frame = m_context->model.frames; frame; frame = frame->next)
    names.push_back(std::string(frame->name) + std::to_string(frame->instance));
  EXPECT_EQ(names, (Texts{"A1", "B1", "B2", "C1"}));
  EXPECT_EQ(m_context->formMode, 1);
  EXPECT_EQ(m_context->counters.lp, 1);
  EXPECT_EQ(m_context->counters.pp, 1);
  EXPECT_EQ(m_context->counters.sp, 1);
  EXPECT_EQ(m_context->counters.dp, 5);
  EXPECT_FALSE(m_context->testMode);
  ASSERT_FALSE(m_ui.items.empty());
  EXPECT_EQ(m_ui.items.back(), (std::pair<int, std::string>{kPageItem, "Seite: 5"}));
  EXPECT_NE(m_context->firstFormName.find("std.frm"), std::string::npos);
}

TEST_F(Statements, FormVariantsFillTheirListsAndTitleFormsGoAfterAPage) {
  Write("title.frm", testing::FormFileBytes({testing::FrameItem("T", 0, 0, 10, 10)}));
  auto titles = [this] {
    int count = 0;
    for (TitleForm* title = m_context->model.titleForms; title; title = title->next) ++count;
    return count;
  };
  ASSERT_EQ(Run("USE FORM title TITLE\nUSE FORM title TITLE\nUSE FORM std BODY\n"), 3);
  EXPECT_EQ(titles(), 2);
  EXPECT_EQ(m_context->formMode, 3);
  EXPECT_NE(m_context->model.bodyForm, nullptr);
  EXPECT_NE(Frame("T"), nullptr);
  EXPECT_NE(m_context->secondFormName.find("std.frm"), std::string::npos);

  ASSERT_EQ(Run("PAGE\nUSE FORM title TITLE\n", "next.vod"), 3);
  EXPECT_EQ(titles(), 1);  // the page dropped the earlier title forms

  ASSERT_EQ(Run("USE FORM std EVEN\nUSE FORM title ODD\n", "third.vod"), 3);
  EXPECT_EQ(m_context->formMode, 2);
  EXPECT_EQ(titles(), 0);
  EXPECT_EQ(m_context->model.bodyForm, nullptr);
  EXPECT_NE(m_context->model.evenForm, nullptr);
  EXPECT_NE(m_context->model.oddForm, nullptr);
  EXPECT_NE(m_context->secondFormName.find("title.frm"), std::string::npos);
}

TEST_F(Statements, AMissingFormFailsTheUseWithItsText) {
  m_context->callback = testing::CallbackLog::Record;
  EXPECT_EQ(Run("USE FORM nowhere\n"), 2);
  ASSERT_EQ(testing::CallbackLog::calls.size(), 1u);
  EXPECT_EQ(testing::CallbackLog::calls[0].first, 8);
  EXPECT_EQ(testing::CallbackLog::calls[0].second, "Formulardatei 'nowhere.frm' existiert nicht!");
}

TEST_F(Statements, ViewFrameStoresThePictureWithItsKindAndFlags) {
  Write("logo.tif", "x");
  Write("plan.cap", "x");
  std::string longName = std::string(150, 'n') + " with blanks " + std::string(50, 'm') + ".plt";
  Write(longName, "x");
  ASSERT_EQ(Run("USE FORM std\n"
                "VIEW FRAME A STATIC TIFF logo DYN FIX\n"
                "VIEW FRAME b tiff plan.cap XCEN\n"
                "VIEW FRAME C HPGL \"" + longName + "\" YCEN\n"),
            3);
  VodFrame* a = Frame("A");
  EXPECT_EQ(std::filesystem::path(a->picture).filename(), "logo.tif");
  EXPECT_EQ(a->pictureKind, kPictureTiff);
  EXPECT_TRUE(a->isStatic);
  EXPECT_EQ(a->flags[1], 1);
  EXPECT_EQ(a->flags[2], 1);
  EXPECT_EQ(a->dyn, 1);
  EXPECT_EQ(a->maxZoom, 100);
  VodFrame* b = Frame("B");
  EXPECT_EQ(b->pictureKind, kPictureCap);  // a TIFF file ending in .cap is drawn as CAP
  EXPECT_EQ(b->flags[1], 1);
  EXPECT_EQ(b->flags[2], 0);
  EXPECT_EQ(b->maxZoom, 200);
  EXPECT_EQ(m_context->model.FindNextInstance(*b)->pictureKind, kPictureCap);
  VodFrame* c = Frame("C");
  EXPECT_EQ(std::filesystem::path(c->picture).filename(), longName);  // a quoted path is kept whole
  EXPECT_EQ(c->pictureKind, kPictureHpgl);
}

TEST_F(Statements, AMissingPictureIsAQuestionWhoseAnswerDecides) {
  m_context->callback = testing::CallbackLog::Record;
  testing::CallbackLog::answer = 1;
  EXPECT_EQ(Run("USE FORM std\nVIEW FRAME A TIFF gone\n"), 3);
  EXPECT_EQ(Frame("A")->picture[0], '\0');
  ASSERT_EQ(testing::CallbackLog::calls.size(), 1u);
  EXPECT_EQ(testing::CallbackLog::calls[0], (std::pair<int, std::string>{8, "Datei gone.tif nicht vorhanden!"}));

  testing::CallbackLog::answer = 0;
  EXPECT_EQ(Run("USE FORM std\nVIEW FRAME A TIFF gone\n"), 2);
}

TEST_F(Statements, PrintFrameTakesTheRestOfTheLine) {
  ASSERT_EQ(Run("USE FORM std\n"
                "PRINT FRAME A STATIC   Seite %LP1% von  3 \t\n"
                "PRINT FRAME A\n"
                "PRINT FRAME B \tstatic\n"),
            3);
  EXPECT_EQ(Lines("A"), (Texts{"0/0/T:Seite %LP1% von  3"}));
  EXPECT_TRUE(Frame("A")->isStatic);
  EXPECT_TRUE(Frame("A")->hasText);
  EXPECT_EQ(Lines("B"), Texts{});  // STATIC alone leaves no text
}

TEST_F(Statements, DefineSetsLineFontsAndDefaultRestoresTheForm) {
  ASSERT_EQ(Run("USE FORM std\n"
                "DEFINE A LINE 3 FONT courier SIZE 4 ALIGNMENT right DIVIDE 2\n"
                "DEFINE A SIZE 12\n"),
            3);
  VodFrame* a = Frame("A");
  EXPECT_STREQ(a->lineFont[2], "COURIER");
  EXPECT_EQ(a->lineSize[2], 4);
  EXPECT_EQ(a->lineSize[0], 12);
  EXPECT_STREQ(a->lineFont[0], "Arial");
  EXPECT_EQ(a->flags[0], 'R');
  EXPECT_EQ(a->divisions, 2);
  ASSERT_NE(a->fontList, nullptr);
  ASSERT_NE(a->fontList->next, nullptr);
  EXPECT_EQ(a->fontList->fontSize[2], 4);
  EXPECT_EQ(a->fontList->next->fontSize[0], 12);

  int pages = 0;
  m_context->renderPage = [&pages](VodContext&, bool fromData) { return ++pages, !fromData; };
  ASSERT_EQ(Run("DATA FRAME A BEGIN\nrow\nEND\nDEFAULT FRAME A\n", "more.vod"), 3);
  EXPECT_EQ(pages, 1);  // the frame held data: the page is output first
  EXPECT_EQ(a->lineSize[0], 10);
  EXPECT_STREQ(a->lineFont[2], "Arial");
  EXPECT_EQ(a->flags[0], 'Z');
  EXPECT_EQ(Lines("A"), (Texts{"1/0/T:row"}));  // output belongs to the page renderer

  ASSERT_EQ(Run("DEFAULT\n", "all.vod"), 3);
  EXPECT_EQ(pages, 2);
}

TEST_F(Statements, ConnectedFramesTakeDataAtTheStartOfTheirChain) {
  ASSERT_EQ(Run("USE FORM std\n"
                "CONNECT FRAME A WITH B\n"
                "CONNECT FRAME B WITH C\n"
                "DATA FRAME C BEGIN\nrow\nEND\n"),
            3);
  EXPECT_STREQ(Frame("A")->connectTo, "B");
  EXPECT_TRUE(Frame("A")->connected);
  EXPECT_STREQ(Frame("B")->connectFrom, "A");
  EXPECT_STREQ(Frame("C")->connectFrom, "B");
  EXPECT_EQ(Lines("A"), (Texts{"1/0/T:row"}));
  EXPECT_EQ(Lines("C"), Texts{});
}

TEST_F(Statements, SyncGroupsOnlyWhenANamedFrameHoldsData) {
  ASSERT_EQ(Run("USE FORM std\nSYNC A C\n"), 3);
  EXPECT_EQ(m_context->model.syncGroups, nullptr);
  ASSERT_EQ(Run("DATA FRAME A C BEGIN\n1\n2\n3\n4\nEND\nSYNC a c\n", "more.vod"), 3);
  SyncGroup* group = m_context->model.syncGroups;
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->recordLimit, 2);
  ASSERT_NE(group->members, nullptr);
  EXPECT_STREQ(group->members->name, "A");
  EXPECT_STREQ(group->members->next->name, "C");
}

TEST_F(Statements, SkipFrameSetsTheSpacing) {
  ASSERT_EQ(Run("USE FORM std\nSKIP FRAME A 1,5 NOTOP\nSKIP FRAME C\n"), 3);
  EXPECT_EQ(Frame("A")->spacingCount, 15);
  EXPECT_EQ(Frame("A")->spacingSet, 1);
  EXPECT_EQ(Frame("C")->spacingSet, 0);
}

TEST_F(Statements, SaveThenIncludeRestoresTheCounters) {
  ASSERT_EQ(Run("SET LP 12 PP 34 CP 56 CPINC 3 DP 78 TESTMODE\nSAVE " + (m_folder / "counters") + "\n"), 3);
  EXPECT_EQ(m_folder.Read("counters.vod"), "SET LP 12 PP 34 CP 56 CPINC 3 DP 78 TESTMODE\n");
  ASSERT_EQ(Run("SET LP 1 PP 1 CP 1 DP 1\nINCLUDE counters\n", "restore.vod"), 3);
  const VodCounters& counters = m_context->counters;
  EXPECT_EQ(counters.lp, 12);
  EXPECT_EQ(counters.pp, 34);
  EXPECT_EQ(counters.cp, 56);
  EXPECT_EQ(counters.cpinc, 3);
  EXPECT_EQ(counters.dp, 78);
  EXPECT_TRUE(m_context->testMode);

  ASSERT_EQ(Run("SET LP 2\n", "again.vod"), 3);
  EXPECT_EQ(counters.cpinc, 1);  // every SET gives the increment
}

TEST_F(Statements, IncludeNestsSixDeepAndRefusesMoreOrRecursion) {
  for (int level = 1; level <= 7; ++level)
    Write("inc" + std::to_string(level) + ".vod",
          "SET DP " + std::to_string(level) + "\nINCLUDE inc" + std::to_string(level + 1) + "\n");
  Write("inc7.vod", "SET DP 7\n");
  ASSERT_EQ(Run("INCLUDE inc2\nSET LP 9\n", "inc1.vod"), 3);
  EXPECT_EQ(m_context->counters.dp, 7);
  EXPECT_EQ(m_context->counters.lp, 9);
  EXPECT_EQ(m_ui.items.back().first, kLineItem);
  bool shownInner = false;
  for (const auto& [item, text] : m_ui.items) {
    shownInner |= item == kFileItem && text == "Datei: " + (m_folder / "inc7.vod");
  }
  EXPECT_TRUE(shownInner);

  Write("inc7.vod", "INCLUDE inc8\n");
  Write("inc8.vod", "SET DP 8\n");
  m_context->callback = testing::CallbackLog::Record;
  EXPECT_EQ(Run("INCLUDE inc2\n", "inc1.vod"), 2);
  ASSERT_FALSE(testing::CallbackLog::calls.empty());
  const std::string& tooDeep = testing::CallbackLog::calls[0].second;
  EXPECT_NE(tooDeep.find(LoadText(33, 0)), std::string::npos);
  EXPECT_NE(tooDeep.find("\r\n            " + (m_folder / "inc7.vod")), std::string::npos);

  testing::CallbackLog::calls.clear();
  Write("loop.vod", "INCLUDE loop2\n");
  Write("loop2.vod", "INCLUDE loop\n");
  EXPECT_EQ(Run("INCLUDE loop\n", "start.vod"), 2);
  ASSERT_FALSE(testing::CallbackLog::calls.empty());
  EXPECT_NE(testing::CallbackLog::calls[0].second.find(LoadText(34, 0)), std::string::npos);
  EXPECT_TRUE(m_context->scripts.empty());
}

TEST_F(Statements, AMissingIncludeFileIsReported) {
  m_context->callback = testing::CallbackLog::Record;
  EXPECT_EQ(Run("INCLUDE nothing\n"), 2);
  ASSERT_EQ(testing::CallbackLog::calls.size(), 1u);
  EXPECT_EQ(testing::CallbackLog::calls[0], (std::pair<int, std::string>{6, "VOD Datei nothing.vod nicht vorhanden!"}));
}

TEST_F(Statements, KillAfterPrintDeletesTheScriptWhenItCloses) {
  Write("temp.vod", "KILLAFTERPRINT\nSET LP 4\n");
  ASSERT_EQ(Run("INCLUDE temp\n"), 3);
  EXPECT_FALSE(m_folder.Exists("temp.vod"));
  EXPECT_TRUE(m_folder.Exists("job.vod"));
  EXPECT_TRUE(m_context->dropTitleForms);
}

TEST_F(Statements, PageOutputsAndClearsTheFramesAndStopAfterPageEndsTheScript) {
  int pages = 0;
  m_context->renderPage = [&pages](VodContext&, bool) { return ++pages, true; };
  ASSERT_EQ(Run("USE FORM std\nSET LP 4 SP 3\nPRINT FRAME A STATIC x\nDATA FRAME C BEGIN\n1\nEND\nPAGE\n"), 3);
  EXPECT_EQ(pages, 1);
  EXPECT_EQ(Lines("A"), Texts{});
  EXPECT_EQ(Lines("C"), Texts{});
  EXPECT_FALSE(Frame("A")->isStatic);
  EXPECT_EQ(m_context->counters.lp, 5);
  EXPECT_EQ(m_context->counters.sp, 1);

  m_context->stopAfterPage = true;
  ASSERT_EQ(Run("PAGE\nSET LP 9\n", "stop.vod"), 3);
  EXPECT_EQ(m_context->counters.lp, 6);
  EXPECT_EQ(pages, 2);

  m_context->stopAfterPage = false;
  m_context->renderPage = [](VodContext&, bool) { return false; };
  EXPECT_EQ(Run("PAGE\n", "fails.vod"), 2);
  EXPECT_EQ(m_context->counters.lp, 6);
}

TEST_F(Statements, ACancelledJobStopsBeforeTheNextStatement) {
  m_context->jobState = kJobCancelled;
  EXPECT_EQ(Run("SET LP 9\n"), 2);
  EXPECT_EQ(m_context->counters.lp, 1);
}

TEST_F(Statements, ACtrlZEndsTheScriptAndLongLinesAreCut) {
  std::string longText(9000, 'x');
  ASSERT_EQ(Run("USE FORM std\nPRINT FRAME A " + longText + "\nSET LP 5\x1ASET LP 6\n"), 3);
  EXPECT_EQ(m_context->counters.lp, 5);
  ASSERT_EQ(Lines("A").size(), 1u);
  EXPECT_EQ(std::string(Frame("A")->textList->Text()).size(), 8195u - std::string("PRINT FRAME A ").size());
}

}  // namespace
}  // namespace vod
