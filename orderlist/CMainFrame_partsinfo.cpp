// The parts-info command (277): the part the user names is shown in the
// parts-info window, which runs in a thread of its own.
#include "interfaces/QORV4TIF.h"
#include "orderlist/CLaunchTIFControl.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/CPartNumberDlg.h"
#include "orderlist/PartsInfoCalls.h"
#include "orderlist/PartsInfoLines.h"
#include "win32/MessageBox.h"

void CMainFrame::OnPartsInfo() {
  CPartNumberDlg dialog(*m_app, this);
  const int row = m_view->GetCurrentItem();
  if (row >= 0 && row < m_view->GetItemCount()) dialog.m_part = m_view->GetItem(row).partNumber;
  if (dialog.DoModal() != IDOK) return;
  if (m_app->m_search_col == -1) return;
  ShowPartsInfo(dialog.m_part);
}

void CMainFrame::ShowPartsInfo(const CString& part) {
  CString key = part;
  if (m_app->m_change_tnr_format && !m_app->m_parts_db.IsEmpty()) {
    CProtocolView::OpenDatabases open(*m_app);
    key = m_view->FormattedKey(part, open.databases);
  }
  const CDynBuf lines = PartsInfoLines(*m_app, key);
  // The window's texts follow the language the viewer asked for last.
  if (m_app->m_prg_language.Compare(m_app->m_prg_language_new) != 0) ApplyProgramLanguage();
  auto newCommand = ThePartsInfoCalls().newCommand;
  if (!newCommand) return;
  TifCommand* command = newCommand(static_cast<const char*>(lines), lines.GetLength(), TIF_COMMAND_SHOW);
  const auto length = static_cast<WPARAM>(lines.GetLength());
  const auto commandParameter = reinterpret_cast<LPARAM>(command);
  if (m_app->m_tif_thread.load()) {
    // The open window takes the part in place of its rows.
    ::PostThreadMessage(GetCurrentThreadId(), ProtocolToTifMessage(), length, commandParameter);
    return;
  }
  auto* thread = new CLaunchTIFControl;
  thread->SetMessage(m_app, m_hWnd, ProtocolToTifMessage(), length, commandParameter);
  m_app->m_tif_thread = thread;
  if (!thread->CreateThread()) {
    m_app->m_tif_thread = nullptr;
    delete thread;
  }
}
