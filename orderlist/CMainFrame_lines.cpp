// The order-line commands: insert (244), edit (245) and delete (246).
#include "orderlist/CMainFrame.h"
#include "orderlist/CQuantityDlg.h"
#include "orderlist/CQuickAddDlg.h"
#include "orderlist/res/resource.h"
#include "win32/MessageBox.h"

// The databases stay open for the length of one add.
void CMainFrame::OnInsertLine() {
  CProtocolView::OpenDatabases open(*m_app);
  CQuickAddDlg dialog(*m_app, *m_view, open.databases, this);
  const INT_PTR result = dialog.DoModal();
  m_app->m_item_dialog = nullptr;
  if (result == IDOK) m_view->AddPart(dialog.m_part, dialog.m_quantity, open.databases);
}

void CMainFrame::OnEditLine() {
  const int row = m_view->GetCurrentItem();
  if (row < 0 || row >= m_view->GetItemCount()) return;
  CQuantityDlg dialog(*m_app, m_view->GetItem(row), this);
  if (dialog.DoModal() == IDOK) m_view->SetLineQuantity(row, dialog.m_quantity);
}

void CMainFrame::OnDeleteLine() { m_view->DeleteCurrentLine(); }
