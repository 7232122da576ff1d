// A document template of the class library: which document, frame and view
// classes belong together under one resource id, and how a new or opened
// document gets its frame and views. The resource id's string holds the
// template's texts, separated by line feeds (see DocStringIndex).
#pragma once

#include <vector>

#include "mfc/CCmdTarget.h"
#include "mfc/CString.h"
#include "mfc/Position.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)

 public:
  enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

  ~CDocTemplate() override;

  UINT GetResourceId() const { return m_nIDResource; }
  virtual BOOL GetDocString(CString& text, DocStringIndex index) const;

  virtual void AddDocument(CDocument* document);
  virtual void RemoveDocument(CDocument* document);
  virtual POSITION GetFirstDocPosition() const = 0;
  virtual CDocument* GetNextDoc(POSITION& position) const = 0;

  virtual CDocument* CreateNewDocument();
  // A new frame (with its views) for the document; other is a frame to copy, or null.
  virtual CFrameWnd* CreateNewFrame(CDocument* document, CFrameWnd* other);
  virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL makeVisible = TRUE);
  // A new document (path null) or the document read from path, shown in its frame; null on failure.
  virtual CDocument* OpenDocumentFile(LPCSTR path, BOOL makeVisible = TRUE) = 0;
  virtual void SetDefaultTitle(CDocument* document) = 0;
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL endSession);

 protected:
  CDocTemplate(UINT idResource, CRuntimeClass* documentClass, CRuntimeClass* frameClass, CRuntimeClass* viewClass);

  UINT m_nIDResource;
  CRuntimeClass* m_pDocClass;
  CRuntimeClass* m_pFrameClass;
  CRuntimeClass* m_pViewClass;
  CString m_strDocStrings;
};
