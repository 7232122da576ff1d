#include "Main/CStartDlg.h"

#include "Main/CWV4Globals.h"
#include "Main/ProgramTexts.h"

namespace {

constexpr LONG TEXT_CAPTION = ProgramText::kNoteCaption;
constexpr LONG TEXT_LOADING = ProgramText::kLoading;

}  // namespace

BOOL CStartDlg::Open() {
  if (!Create(IDD, nullptr)) return FALSE;
  ShowWindow(SW_SHOW);
  BringWindowToTop();
  SetWindowText(theGlobals.MessageText(TEXT_CAPTION));
  if (CWnd* text = GetDlgItem(IDC_TEXT)) text->SetWindowText(theGlobals.MessageText(TEXT_LOADING));
  return TRUE;
}

void CStartDlg::Close() {
  if (m_hWnd == nullptr) return;
  ShowWindow(SW_HIDE);
  DestroyWindow();
}
