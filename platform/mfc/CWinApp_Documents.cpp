// The program's documents: its templates, and the File menu's New and Open.
#include "mfc/CDocTemplate.h"
#include "mfc/CDocument.h"
#include "mfc/CFileDialog.h"
#include "mfc/CWinApp.h"

void CWinApp::AddDocTemplate(CDocTemplate* documentTemplate) {
  if (documentTemplate) m_templates.push_back(documentTemplate);
}

void CWinApp::DeleteTemplates() {
  for (CDocTemplate* documentTemplate : m_templates) delete documentTemplate;
  m_templates.clear();
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR path) {
  return m_templates.empty() ? nullptr : m_templates.front()->OpenDocumentFile(path);
}

BOOL CWinApp::SaveAllModified() {
  for (CDocTemplate* documentTemplate : m_templates) {
    if (!documentTemplate->SaveAllModified()) return FALSE;
  }
  return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL endSession) {
  for (CDocTemplate* documentTemplate : m_templates) documentTemplate->CloseAllDocuments(endSession);
}

void CWinApp::OnFileNew() {
  if (!m_templates.empty()) m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
  CFileDialog dialog(TRUE);
  if (dialog.DoModal() != IDOK) return;
  OpenDocumentFile(dialog.GetPathName());
}
