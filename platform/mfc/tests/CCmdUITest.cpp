#include <gtest/gtest.h>

#include <string>

#include "FrameTestSupport.h"
#include "mfc/CCmdUI.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CMenu.h"
#include "res/resource.h"

namespace {

using frame_tests::StripBar;

class CommandFrame : public CFrameWnd {
 public:
  StripBar m_status{false, 20};
  BOOL m_copyEnabled = TRUE;
  BOOL m_mark = FALSE;
  int m_copies = 0;

  UINT StateOf(UINT id) { return GetMenu()->GetMenuState(id, MF_BYCOMMAND); }
  void OpenMenu(int position) {
    CMenu* popup = GetMenu()->GetSubMenu(position);
    SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup->m_hMenu), MAKELPARAM(position, FALSE));
  }

 protected:
  BOOL OnCreateClient(LPCREATESTRUCT create, CCreateContext* context) override {
    m_status.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_STATUS_BAR);
    return CFrameWnd::OnCreateClient(create, context);
  }
  afx_msg void OnCopy() { ++m_copies; }
  afx_msg void OnUpdateCopy(CCmdUI* ui) { ui->Enable(m_copyEnabled); }
  afx_msg void OnMark() {}
  afx_msg void OnUpdateMark(CCmdUI* ui) { ui->SetCheck(m_mark); }
  afx_msg void OnUpdateRadio(CCmdUI* ui) { ui->SetRadio(TRUE); }
  afx_msg void OnLabel() {}
  afx_msg void OnUpdateLabel(CCmdUI* ui) { ui->SetText("Neu beschriftet"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CommandFrame, CFrameWnd)
  ON_COMMAND(ID_EDIT_COPY_TEST, OnCopy)
  ON_UPDATE_COMMAND_UI(ID_EDIT_COPY_TEST, OnUpdateCopy)
  ON_COMMAND(ID_VIEW_MARK, OnMark)
  ON_UPDATE_COMMAND_UI(ID_VIEW_MARK, OnUpdateMark)
  ON_UPDATE_COMMAND_UI(ID_VIEW_RADIO, OnUpdateRadio)
  ON_COMMAND(ID_VIEW_LABEL, OnLabel)
  ON_UPDATE_COMMAND_UI(ID_VIEW_LABEL, OnUpdateLabel)
END_MESSAGE_MAP()

CommandFrame* MakeFrame() {
  auto* frame = new CommandFrame;
  EXPECT_TRUE(frame->LoadFrame(IDR_TESTFRAME));
  return frame;
}

const UINT kGreyed = MF_GRAYED | MF_DISABLED;

TEST(CCmdUI, OpeningAMenuUpdatesItsEntries) {
  CommandFrame* frame = MakeFrame();
  frame->m_copyEnabled = FALSE;
  frame->m_mark = TRUE;
  frame->OpenMenu(1);
  EXPECT_EQ(frame->StateOf(ID_EDIT_COPY_TEST) & kGreyed, kGreyed) << "disabled by its handler";
  EXPECT_EQ(frame->StateOf(ID_EDIT_PASTE_TEST) & kGreyed, kGreyed) << "no handler at all";
  EXPECT_TRUE(frame->StateOf(ID_VIEW_MARK) & MF_CHECKED);
  EXPECT_TRUE(frame->StateOf(ID_VIEW_RADIO) & MF_CHECKED);
  EXPECT_EQ(frame->StateOf(ID_VIEW_RADIO) & kGreyed, kGreyed) << "updated, but no command to carry out";
  CString label;
  frame->GetMenu()->GetMenuString(ID_VIEW_LABEL, label, MF_BYCOMMAND);
  EXPECT_STREQ(label, "Neu beschriftet");

  frame->m_copyEnabled = TRUE;
  frame->m_mark = FALSE;
  frame->OpenMenu(1);
  EXPECT_EQ(frame->StateOf(ID_EDIT_COPY_TEST) & kGreyed, 0u);
  EXPECT_FALSE(frame->StateOf(ID_VIEW_MARK) & MF_CHECKED);
  frame->DestroyWindow();
}

TEST(CCmdUI, WithoutAutomaticDisablingEntriesWithoutHandlerStayEnabled) {
  auto* frame = new CommandFrame;
  frame->m_bAutoMenuEnable = FALSE;
  ASSERT_TRUE(frame->LoadFrame(IDR_TESTFRAME));
  frame->OpenMenu(1);
  EXPECT_EQ(frame->StateOf(ID_EDIT_PASTE_TEST) & kGreyed, 0u);
  frame->DestroyWindow();
}

TEST(CCmdUI, AnEntryOpeningASubMenuIsNeverGreyedForWantOfAHandler) {
  CommandFrame* frame = MakeFrame();
  frame->OpenMenu(0);
  CMenu* file = frame->GetMenu()->GetSubMenu(0);
  EXPECT_EQ(file->GetMenuState(2, MF_BYPOSITION) & kGreyed, 0u);
  EXPECT_EQ(frame->StateOf(ID_FILE_NEW_TEST) & kGreyed, kGreyed);
  frame->DestroyWindow();
}

struct CommandCase {
  const char* name;
  WPARAM wParam;
  BOOL enabled;
  int expectedCopies;
};

class DisabledCommand : public ::testing::TestWithParam<CommandCase> {};

TEST_P(DisabledCommand, RunsOnlyWhenItsUpdateHandlerEnablesIt) {
  CommandFrame* frame = MakeFrame();
  frame->m_copyEnabled = GetParam().enabled;
  frame->SendMessage(WM_COMMAND, GetParam().wParam, 0);
  EXPECT_EQ(frame->m_copies, GetParam().expectedCopies);
  frame->DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(
    CCmdUI, DisabledCommand,
    ::testing::Values(CommandCase{"MenuEnabled", MAKEWPARAM(ID_EDIT_COPY_TEST, 0), TRUE, 1},
                      CommandCase{"MenuDisabled", MAKEWPARAM(ID_EDIT_COPY_TEST, 0), FALSE, 0},
                      CommandCase{"AcceleratorEnabled", MAKEWPARAM(ID_EDIT_COPY_TEST, 1), TRUE, 1},
                      CommandCase{"AcceleratorDisabled", MAKEWPARAM(ID_EDIT_COPY_TEST, 1), FALSE, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CCmdUI, TheFramesAcceleratorsReachItsCommands) {
  CommandFrame* frame = MakeFrame();
  layer::SetKeyDown(VK_CONTROL, true);
  MSG msg{frame->m_hWnd, WM_KEYDOWN, 'C', 1, 0, {}};
  EXPECT_TRUE(frame->PreTranslateMessage(&msg));
  layer::SetKeyDown(VK_CONTROL, false);
  frame_tests::Drain();
  EXPECT_EQ(frame->m_copies, 1);
  frame->DestroyWindow();
}

TEST(CCmdUI, PointingAtAMenuEntryShowsItsPromptInTheStatusBar) {
  CommandFrame* frame = MakeFrame();
  auto statusText = [frame] {
    CString text;
    frame->m_status.GetWindowText(text);
    return std::string(text);
  };
  HMENU edit = frame->GetMenu()->GetSubMenu(1)->m_hMenu;
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_EDIT_COPY_TEST, MF_STRING), reinterpret_cast<LPARAM>(edit));
  EXPECT_EQ(statusText(), "Kopiert die Auswahl");
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_EDIT_PASTE_TEST, MF_STRING), reinterpret_cast<LPARAM>(edit));
  EXPECT_EQ(statusText(), "F\xFCgt ein");
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(1, MF_POPUP), reinterpret_cast<LPARAM>(frame->GetMenu()->m_hMenu));
  EXPECT_EQ(statusText(), "");
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);  // the menu closed
  EXPECT_EQ(statusText(), "Ready");
  frame->SetMessageText("Eigener Text");
  EXPECT_EQ(statusText(), "Eigener Text");
  frame->DestroyWindow();
}

}  // namespace
