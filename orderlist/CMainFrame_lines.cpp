// The order-line commands: insert (244), edit (245) and delete (246).
#include "orderlist/CAddItemDlg.h"
#include "orderlist/CEditItemDlg.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/CQuantityDlg.h"
#include "orderlist/CQuickAddDlg.h"
#include "orderlist/res/resource.h"
#include "win32/MessageBox.h"

// The databases stay open for the length of one add or edit.
void CMainFrame::OnInsertLine() {
  CProtocolView::OpenDatabases open(*m_app);
  if (m_app->m_ni_mode == 0) {
    CQuickAddDlg dialog(*m_app, *m_view, open.databases, this);
    const INT_PTR result = dialog.DoModal();
    m_app->m_item_dialog = nullptr;
    if (result == IDOK) m_view->AddPart(dialog.m_part, dialog.m_quantity, open.databases);
    return;
  }
  CAddItemDlg dialog(*m_app, *m_view, open.databases, this);
  const INT_PTR result = dialog.DoModal();
  m_app->m_item_dialog = nullptr;
  if (result == IDOK) m_view->AddLineFromColumns(dialog.m_columns, open.databases);
}

void CMainFrame::OnEditLine() {
  const int row = m_view->GetCurrentItem();
  if (row < 0 || row >= m_view->GetItemCount()) return;
  if (m_app->m_ei_mode == 0) {
    CQuantityDlg dialog(*m_app, m_view->GetItem(row), this);
    if (dialog.DoModal() == IDOK) m_view->SetLineQuantity(row, dialog.m_quantity);
    return;
  }
  CProtocolView::OpenDatabases open(*m_app);
  CEditItemDlg dialog(*m_app, *m_view, open.databases, row, this);
  const INT_PTR result = dialog.DoModal();
  m_app->m_item_dialog = nullptr;
  if (result == IDOK) m_view->ApplyLineEdit(row, dialog.m_columns, open.databases);
}

void CMainFrame::OnDeleteLine() { m_view->DeleteCurrentLine(); }
