// The order-file commands New, Open, Save, Save as and the merge into
// another order file. A save that fails leaves the order marked as changed
// and stops whatever was to follow it; an open that cannot read its file
// whole says so and does not take the file's name, so that no later save
// writes a partial list over the good file; a merge that fails says so.
#include "mfc/CDocument.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/COpenOrderDlg.h"
#include "orderlist/CSaveOrderDlg.h"
#include "win32/Files.h"
#include "win32/MessageBox.h"

namespace {

constexpr long kAskSaveChanges = 2244;
constexpr long kAskOverwrite = 1551;
constexpr long kFileNotWritable = 3249;
constexpr const char* kNewOrderName = "Standard";

bool HoldsData(const CString& path) {
  WIN32_FIND_DATA found{};
  HANDLE search = FindFirstFile(path, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return found.nFileSizeLow > 0 || found.nFileSizeHigh > 0;
}

}  // namespace

bool CMainFrame::ChooseOrderToOpen(CString& name) {
  COpenOrderDlg dialog(*m_app, COpenOrderDlg::kOpen, this);
  if (dialog.DoModal() != IDOK) return false;
  name = dialog.m_name;
  return true;
}

bool CMainFrame::ChooseOrderName(CString& name) {
  CSaveOrderDlg dialog(*m_app, this);
  if (dialog.DoModal() != IDOK) return false;
  name = dialog.m_name;
  return true;
}

void CMainFrame::OnManageOrders() {
  COpenOrderDlg dialog(*m_app, COpenOrderDlg::kManage, this);
  dialog.DoModal();
}

bool CMainFrame::WriteOrder() {
  if (m_view->WriteOrderFile()) {
    m_view->SetModifiedFlag(false);
    return true;
  }
  m_app->ShowMessage(kFileNotWritable, {m_view->OrderFilePath()});
  return false;
}

// True when the current order may be left: unchanged, saved, or given up.
bool CMainFrame::SaveChangesFirst() {
  if (!m_view->IsModified()) return true;
  switch (m_app->MessageBox(m_app->GetText(kAskSaveChanges), MB_YESNOCANCEL)) {
    case IDCANCEL: return false;
    case IDYES: return WriteOrder();
    default: return true;
  }
}

void CMainFrame::AdoptOrderName(const CString& name) {
  m_app->m_order_name = name;
  if (CDocument* document = GetActiveDocument()) document->SetTitle(name);
  SetTitles();
}

void CMainFrame::OnFileNew() {
  if (!SaveChangesFirst()) return;
  for (int text : {0, 1, 2, 3, 4, 6}) m_app->m_header_texts[text].Empty();
  AdoptOrderName(kNewOrderName);
  m_view->DeleteAllItems();
  m_view->SetModifiedFlag(false);
}

void CMainFrame::OnFileOpen() {
  if (!SaveChangesFirst()) return;
  CString name;
  if (!ChooseOrderToOpen(name)) return;
  m_view->DeleteAllItems();
  m_app->m_order_name = name;
  if (m_view->ReadOrderFile()) {
    AdoptOrderName(name);
    m_view->SetModifiedFlag(false);
    return;
  }
  // What could be read stays in view as a new, unsaved order.
  const CString path = m_view->OrderFilePath();
  AdoptOrderName(kNewOrderName);
  m_view->SetModifiedFlag(m_view->GetItemCount() > 0);
  m_app->ShowMessage(kFileNotWritable, {path});
}

void CMainFrame::OnFileSave() {
  if (HoldsData(m_view->OrderFilePath()) &&
      m_app->MessageBox(m_app->GetText(kAskOverwrite), MB_YESNO) != IDYES)
    return;
  WriteOrder();
}

void CMainFrame::OnFileSaveAs() {
  CString name;
  if (!ChooseOrderName(name)) return;
  if (HoldsData(m_app->m_order_dir + "\\" + name + ".pro") &&
      m_app->MessageBox(m_app->GetText(kAskOverwrite), MB_YESNO) != IDYES)
    return;
  const CString previous = m_app->m_order_name;
  m_app->m_order_name = name;
  if (WriteOrder()) {
    AdoptOrderName(name);
  } else {
    m_app->m_order_name = previous;
  }
}

// The current list goes into the chosen order file as well; a file that
// cannot take it is named, as for a failed save.
void CMainFrame::OnMergeOrder() {
  CString name;
  if (!ChooseOrderToOpen(name)) return;
  const CString path = m_app->m_order_dir + "\\" + name + ".pro";
  if (!m_view->MergeOrderFile(path)) m_app->ShowMessage(kFileNotWritable, {path});
}
