// A view made from a dialog template: its controls are the template's, its
// members are exchanged with them through DoDataExchange, the dialog keys
// (Tab, arrows, mnemonics) move between them, and a form larger than its
// pane scrolls. The template must describe a child window.
#pragma once

#include "mfc/CScrollView.h"

struct CCreateContext;

class CFormView : public CScrollView {
  DECLARE_DYNAMIC(CFormView)

 public:
  BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
              LPVOID context = nullptr) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  // Fills the controls from the members.
  void OnInitialUpdate() override;

 protected:
  explicit CFormView(UINT templateId);
  explicit CFormView(LPCSTR templateName);

  void OnDraw(CDC* dc) override;
  afx_msg int OnCreate(LPCREATESTRUCT create);

  LPCSTR m_lpszTemplateName;

  DECLARE_MESSAGE_MAP()

 private:
  CCreateContext* m_pCreateContext = nullptr;  // handed from Create to OnCreate
};
