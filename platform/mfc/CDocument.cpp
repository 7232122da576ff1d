#include "mfc/CDocument.h"

#include <algorithm>

#include "mfc/AfxMessageBox.h"
#include "mfc/CDocTemplate.h"
#include "mfc/CFile.h"
#include "mfc/CFileDialog.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CView.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

namespace {

// The name a user knows the document by: the file's name, else its title.
CString ShownName(const CString& path, const CString& title) {
  if (path.IsEmpty()) return title.IsEmpty() ? CString("Untitled") : title;
  int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
  return path.Mid(slash + 1);
}

}  // namespace

CDocument::~CDocument() {
  // Views that outlive their document must not reach back to it.
  for (CView* view : m_viewList) view->m_pDocument = nullptr;
  if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCSTR title) {
  m_strTitle = title ? title : "";
  UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR path, BOOL) {
  m_strPathName = path ? path : "";
  SetTitle(ShownName(m_strPathName, m_strTitle));
}

BOOL CDocument::IsModified() { return m_bModified; }
void CDocument::SetModifiedFlag(BOOL modified) { m_bModified = modified; }

void CDocument::AddView(CView* view) {
  if (!view || std::find(m_viewList.begin(), m_viewList.end(), view) != m_viewList.end()) return;
  m_viewList.push_back(view);
  view->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* view) {
  auto found = std::find(m_viewList.begin(), m_viewList.end(), view);
  if (found == m_viewList.end()) return;
  m_viewList.erase(found);
  view->m_pDocument = nullptr;
  OnChangedViewList();
}

// Positions count views from 1, so that the end of the list is null.
POSITION CDocument::GetFirstViewPosition() const {
  return m_viewList.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1));
}

CView* CDocument::GetNextView(POSITION& position) const {
  auto index = static_cast<std::size_t>(reinterpret_cast<UINT_PTR>(position));
  if (index == 0 || index > m_viewList.size()) {
    position = nullptr;
    return nullptr;
  }
  position = index < m_viewList.size() ? reinterpret_cast<POSITION>(static_cast<UINT_PTR>(index + 1)) : nullptr;
  return m_viewList[index - 1];
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
  std::vector<CView*> views = m_viewList;  // a view may go while it updates
  for (CView* view : views) {
    if (view != sender && std::find(m_viewList.begin(), m_viewList.end(), view) != m_viewList.end())
      view->OnUpdate(sender, hint, hintObject);
  }
}

void CDocument::UpdateFrameCounts() {
  for (CView* view : m_viewList) {
    if (CFrameWnd* frame = view->GetParentFrame(); frame && frame->m_hWnd) frame->OnUpdateFrameTitle(TRUE);
  }
}

void CDocument::OnChangedViewList() {
  // A document nobody shows any longer has no reason to stay.
  if (m_viewList.empty() && m_bAutoDelete) {
    OnCloseDocument();
    return;
  }
  UpdateFrameCounts();
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR path) {
  CFile file;
  if (!path || !file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) {
    CString message;
    message.Format("Cannot open the document %s.", path ? path : "");
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    return FALSE;
  }
  DeleteContents();
  SetModifiedFlag(FALSE);
  return TRUE;
}

// The base document has no content of its own to write; a document that
// keeps data writes it by overriding this, so the user's file is left as it is.
BOOL CDocument::OnSaveDocument(LPCSTR) {
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::DeleteContents() {}

void CDocument::OnCloseDocument() {
  // Closing the frames removes the views; the document must stay till the end.
  BOOL autoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!m_viewList.empty()) {
    CView* view = m_viewList.front();
    if (CFrameWnd* frame = view->GetParentFrame()) {
      PreCloseFrame(frame);
      frame->DestroyWindow();
    } else {
      view->DestroyWindow();
    }
    RemoveView(view);  // a view that stayed is let go all the same
  }
  m_bAutoDelete = autoDelete;
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* frame) {
  // Another frame still shows the document: nothing is lost by closing this one.
  for (CView* view : m_viewList) {
    if (view->GetParentFrame() != frame) return TRUE;
  }
  return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::SaveModified() {
  if (!IsModified()) return TRUE;
  CString prompt;
  prompt.Format("Save changes to %s?", static_cast<LPCSTR>(ShownName(m_strPathName, m_strTitle)));
  switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
      return FALSE;
    case IDYES:
      return DoFileSave();
    default:
      return TRUE;
  }
}

BOOL CDocument::DoFileSave() { return DoSave(m_strPathName.IsEmpty() ? nullptr : static_cast<LPCSTR>(m_strPathName)); }

BOOL CDocument::DoSave(LPCSTR path, BOOL replace) {
  CString name = path ? path : "";
  if (name.IsEmpty()) {
    CFileDialog dialog(FALSE, nullptr, ShownName(m_strPathName, m_strTitle));
    if (dialog.DoModal() != IDOK) return FALSE;
    name = dialog.GetPathName();
  }
  if (!OnSaveDocument(name)) return FALSE;
  if (replace) SetPathName(name);
  return TRUE;
}

BOOL CDocument::OnCmdMsg(UINT id, int code, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (CCmdTarget::OnCmdMsg(id, code, wParam, lParam, result)) return TRUE;
  return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(id, code, wParam, lParam, result);
}
