#include <gtest/gtest.h>

#include "Main/tests/EngineFixture.h"
#include "testing/ChildProcess.h"

namespace {

class ViewerAppTest : public varno::testing::ShellFixture {
 protected:
  bool CloseWaits() {
    MSG msg;
    return PeekMessage(&msg, app.m_hMainWnd, WM_CLOSE, WM_CLOSE, PM_REMOVE) != FALSE;
  }
};

// The exit message that a fatal report posts closes the main window, also
// while a long wait dispatches the messages.
TEST_F(ViewerAppTest, ExitMessageClosesTheMainWindow) {
  EXPECT_EQ(app.OnExitMessage(0, 0), 0);
  EXPECT_TRUE(CloseWaits());

  PostThreadMessage(GetCurrentThreadId(), ExitMessageId(), 0, 0);
  app.PumpWaitingMessages();  // dispatches the close as well
  EXPECT_FALSE(IsWindow(app.m_hMainWnd));
}

TEST_F(ViewerAppTest, ExitMessageWithoutMainWindowEndsTheProcess) {
  layer::testing::ChildProcess child([](layer::testing::ChildProcess&) {
    CViewerApp lone;
    lone.OnExitMessage(0, 0);
    return 0;
  });
  ASSERT_TRUE(child.Started());
  EXPECT_EQ(child.Wait(), 255);  // exit code -1
}

// The toggle of the error dialog speaks the program language; without the
// message file's texts it keeps its German ones.
TEST_F(ViewerAppTest, ErrorDialogToggleSpeaksTheProgramLanguage) {
  OpenTexts(theGlobals.m_msgdud, "meldungen.ddm",
            "dictionary\nlanguage \"D\"\n3553 = \"Kurz\"\nlanguage \"GB\"\n3552 = \"Details\"\n3553 = \"Short\"\n");
  theGlobals.m_msgdud.DdmTextSetLanguage("GB");
  CErrorDlg dialog;
  EXPECT_STREQ(dialog.DetailsButtonText(), "Details");
  dialog.OnDetails();
  EXPECT_STREQ(dialog.DetailsButtonText(), "Short");
  theGlobals.m_msgdud.DdmTextClose();
  EXPECT_STREQ(dialog.DetailsButtonText(), "Kurz");
}

TEST_F(ViewerAppTest, KeyCommandCarriesItsOwnKey) {
  ASSERT_TRUE(PostKeyCommand(app.m_hMainWnd, 1, "P~K"));
  EXPECT_FALSE(PostKeyCommand(nullptr, 1, "P~K"));
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{1, "P~K"}}));
  EXPECT_STREQ(TakeKeyCommandKey(0), "");  // the server loop's command carries no key
}

}  // namespace

namespace {

TEST(ErrorDlgTest, DetailsButtonTogglesBetweenShortAndDetailText) {
  CErrorDlg dialog;
  dialog.m_short_text = "short";
  dialog.m_detail_text = "detail";
  dialog.m_show_details = TRUE;
  EXPECT_TRUE(dialog.OnInitDialog());
  struct Step {
    const char* shown;
    const char* button;
  };
  for (const Step& step : {Step{"short", "Details"}, Step{"detail", "Kurz"}, Step{"short", "Details"}}) {
    EXPECT_STREQ(dialog.ShownText(), step.shown);
    EXPECT_STREQ(dialog.DetailsButtonText(), step.button);
    dialog.OnDetails();
  }
}

}  // namespace
