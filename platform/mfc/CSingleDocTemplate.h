#pragma once

#include "mfc/CDocTemplate.h"

// The template of a program that shows one document at a time in its main
// frame: a new or opened document replaces the one before, in the same frame.
class CSingleDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CSingleDocTemplate)

 public:
  CSingleDocTemplate(UINT idResource, CRuntimeClass* documentClass, CRuntimeClass* frameClass, CRuntimeClass* viewClass);
  ~CSingleDocTemplate() override;

  void AddDocument(CDocument* document) override;
  void RemoveDocument(CDocument* document) override;
  POSITION GetFirstDocPosition() const override;
  CDocument* GetNextDoc(POSITION& position) const override;
  CDocument* OpenDocumentFile(LPCSTR path, BOOL makeVisible = TRUE) override;
  void SetDefaultTitle(CDocument* document) override;

 protected:
  CDocument* m_pOnlyDoc = nullptr;
};
