#include "mfc/CDocTemplate.h"

#include "mfc/CCreateContext.h"
#include "mfc/CDocument.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CWinApp.h"
#include "win32/Resources.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT idResource, CRuntimeClass* documentClass, CRuntimeClass* frameClass,
                           CRuntimeClass* viewClass)
    : m_nIDResource(idResource), m_pDocClass(documentClass), m_pFrameClass(frameClass), m_pViewClass(viewClass) {
  char text[512] = "";
  LPCSTR block = MAKEINTRESOURCE(idResource / 16 + 1);
  if (idResource) ::LoadString(AfxFindResourceHandle(block, RT_STRING), idResource, text, sizeof text);
  m_strDocStrings = text;
}

CDocTemplate::~CDocTemplate() = default;

BOOL CDocTemplate::GetDocString(CString& text, DocStringIndex index) const {
  text.Empty();
  int start = 0;
  for (int skipped = 0; skipped < index; ++skipped) {
    start = m_strDocStrings.Find('\n', start);
    if (start < 0) return FALSE;
    ++start;
  }
  int end = m_strDocStrings.Find('\n', start);
  text = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
  return TRUE;
}

void CDocTemplate::AddDocument(CDocument* document) { document->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* document) { document->m_pDocTemplate = nullptr; }

CDocument* CDocTemplate::CreateNewDocument() {
  CObject* object = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
  auto* document = dynamic_cast<CDocument*>(object);
  if (!document) {
    delete object;
    return nullptr;
  }
  AddDocument(document);
  return document;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* document, CFrameWnd*) {
  CCreateContext context;
  context.m_pCurrentDoc = document;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
  auto* frame = dynamic_cast<CFrameWnd*>(object);
  if (!frame) {
    delete object;
    return nullptr;
  }
  // A frame that cannot be made is gone with its window.
  if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) return nullptr;
  return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL makeVisible) {
  frame->InitialUpdateFrame(document, makeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
  for (POSITION position = GetFirstDocPosition(); position;) {
    if (!GetNextDoc(position)->SaveModified()) return FALSE;
  }
  return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  for (POSITION position = GetFirstDocPosition(); position;) {
    CDocument* document = GetNextDoc(position);
    document->OnCloseDocument();
    position = GetFirstDocPosition();  // closing changed the list
  }
}
