#include "mfc/CSingleDocTemplate.h"

#include "mfc/AfxMessageBox.h"
#include "mfc/CDocument.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CWinApp.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT idResource, CRuntimeClass* documentClass, CRuntimeClass* frameClass,
                                       CRuntimeClass* viewClass)
    : CDocTemplate(idResource, documentClass, frameClass, viewClass) {}

CSingleDocTemplate::~CSingleDocTemplate() {
  if (m_pOnlyDoc) {
    CDocument* document = m_pOnlyDoc;
    RemoveDocument(document);
    delete document;
  }
}

void CSingleDocTemplate::AddDocument(CDocument* document) {
  CDocTemplate::AddDocument(document);
  m_pOnlyDoc = document;
}

void CSingleDocTemplate::RemoveDocument(CDocument* document) {
  CDocTemplate::RemoveDocument(document);
  if (m_pOnlyDoc == document) m_pOnlyDoc = nullptr;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const {
  return m_pOnlyDoc ? reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1)) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& position) const {
  CDocument* document = position ? m_pOnlyDoc : nullptr;
  position = nullptr;
  return document;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* document) {
  CString title;
  if (!GetDocString(title, docName) || title.IsEmpty()) title = "Untitled";
  document->SetTitle(title);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCSTR path, BOOL makeVisible) {
  CDocument* document = m_pOnlyDoc;
  CFrameWnd* frame = nullptr;
  bool created = false;
  if (document) {
    // The one document gives way only when its changes are saved or given up.
    if (!document->SaveModified()) return nullptr;
    frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
  } else {
    document = CreateNewDocument();
    created = true;
  }
  if (!document) {
    AfxMessageBox("Failed to create an empty document.", MB_ICONEXCLAMATION);
    return nullptr;
  }
  if (!frame) {
    // The document must not go with a frame that fails half-way.
    BOOL autoDelete = document->m_bAutoDelete;
    document->m_bAutoDelete = FALSE;
    frame = CreateNewFrame(document, nullptr);
    document->m_bAutoDelete = autoDelete;
    if (!frame) {
      if (created) delete document;
      return nullptr;
    }
  }
  if (!path) {
    SetDefaultTitle(document);
    if (!document->OnNewDocument()) {
      if (created) frame->DestroyWindow();
      return nullptr;
    }
  } else {
    BOOL wasModified = document->IsModified();
    document->SetModifiedFlag(FALSE);
    if (!document->OnOpenDocument(path)) {
      // The document shown before stays as it was.
      if (created) {
        frame->DestroyWindow();
      } else {
        document->SetModifiedFlag(wasModified);
      }
      return nullptr;
    }
    document->SetPathName(path);
  }
  if (CWinThread* thread = AfxGetThread(); created && thread && !thread->m_pMainWnd) thread->m_pMainWnd = frame;
  InitialUpdateFrame(frame, document, makeVisible);
  return document;
}
