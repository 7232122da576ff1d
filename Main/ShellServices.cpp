#include "Main/ShellServices.h"

#include "Main/CBranchDlg.h"
#include "Main/CMultiFrame.h"
#include "Main/CWV4Globals.h"
#include "Main/varno4.h"
#include "interfaces/ProtocolCommands.h"
#include "win32/MessageBox.h"

namespace {

ShellServices& Plain() {
  static ShellServices plain;
  return plain;
}

ShellServices*& Current() {
  static ShellServices* current = &Plain();
  return current;
}

}  // namespace

void ShellServices::SendPartsToProtocol(int rows, int cells, const CDynBuf& headers, const CDynBuf& texts,
                                        const CDynBuf& lines, BOOL order) {
  if (theGlobals.m_papp == nullptr || lines.GetLength() == 0) return;
  CDynBuf titles(headers);
  CDynBuf rowTexts(texts);
  CDynBuf data(lines);
  theGlobals.m_papp->SendPartsToProtocol(rows == 1 ? 1 : 0, cells, &titles, &rowTexts, &data, order);
}

BOOL ShellServices::ChooseBranch(const CDynBuf& headers, int headerCount, const std::vector<LinkChoice>& choices,
                                 LinkChoice& chosen) {
  CBranchDlg dialog;
  dialog.m_columns = headerCount;
  dialog.m_titles = headers;
  dialog.m_choices = &choices;
  if (dialog.DoModal() != IDOK || dialog.m_chosen == nullptr) return FALSE;
  chosen = *dialog.m_chosen;
  return TRUE;
}

void ShellServices::ShowActionHint(int action, const CString& name, const CString& text) {
  auto* frameWindow = dynamic_cast<CMultiFrame*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
  if (frameWindow != nullptr) frameWindow->ShowActionHint(action, name, text);
}

void ShellServices::ShowOrderList() {
  if (theGlobals.m_papp != nullptr) theGlobals.m_papp->PostProtocolCommand(PROTOCOL_CMD_SHOW, 0);
}

ShellServices& Shell() { return *Current(); }

void SetShell(ShellServices* services) { Current() = services != nullptr ? services : &Plain(); }
