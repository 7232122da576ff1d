// A document of the class library: the data that one or more views show,
// with its title, its file path and whether it has unsaved changes. It takes
// commands after its views and before its frame.
#pragma once

#include <vector>

#include "mfc/CCmdTarget.h"
#include "mfc/CString.h"
#include "mfc/Position.h"

class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)

 public:
  CDocument() = default;
  ~CDocument() override;

  BOOL m_bAutoDelete = TRUE;  // the document goes when its last view goes

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(LPCSTR title);
  const CString& GetPathName() const { return m_strPathName; }
  // The path the document was read from or saved to; its file name becomes the title.
  virtual void SetPathName(LPCSTR path, BOOL addToMostRecentlyUsed = TRUE);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

  virtual BOOL IsModified();
  virtual void SetModifiedFlag(BOOL modified = TRUE);

  void AddView(CView* view);
  void RemoveView(CView* view);
  POSITION GetFirstViewPosition() const;
  CView* GetNextView(POSITION& position) const;
  // Tells every view but sender what changed.
  void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);
  // Gives a frame of this document its title again.
  virtual void UpdateFrameCounts();

  virtual BOOL OnNewDocument();
  virtual BOOL OnOpenDocument(LPCSTR path);
  virtual BOOL OnSaveDocument(LPCSTR path);
  // Closes every frame that shows the document, then the document itself.
  virtual void OnCloseDocument();
  virtual void DeleteContents();
  // Asks the user whether to save unsaved changes: FALSE when the user
  // cancels or the save fails, so nothing is lost.
  virtual BOOL SaveModified();
  virtual BOOL CanCloseFrame(CFrameWnd* frame);
  virtual void PreCloseFrame(CFrameWnd* frame);
  virtual void OnChangedViewList();

  BOOL OnCmdMsg(UINT id, int code, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 protected:
  // Saves under path, or asks for a path when it is null (Save As).
  virtual BOOL DoSave(LPCSTR path, BOOL replace = TRUE);
  virtual BOOL DoFileSave();

  CString m_strTitle;
  CString m_strPathName;
  CDocTemplate* m_pDocTemplate = nullptr;
  std::vector<CView*> m_viewList;
  BOOL m_bModified = FALSE;

  friend class CDocTemplate;
};
