// Pictures of the class library's frames for a look with one's own eyes: a
// frame with a menu and a static splitter of three panes (a view, a scroll
// view, a nested splitter), its Edit menu with an entry greyed by command
// updating, a splitter bar being dragged, and a form view.
//
//   mfc_frame_screenshots folder   (under Xvfb: QT_QPA_PLATFORM=xcb)
#include <cstdio>
#include <string>

#include "mfc/CDataExchange.h"
#include "mfc/CDocument.h"
#include "mfc/CFormView.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CScrollView.h"
#include "mfc/CSingleDocTemplate.h"
#include "mfc/CSplitterWnd.h"
#include "mfc/CWinApp.h"
#include "qt/Screenshot.h"
#include "res/resource.h"
#include "user/Dialogs.h"
#include "user/Menus.h"
#include "win32/GdiPrint.h"
#include "win32/UserMessages.h"

namespace {

std::string folder;

void Save(HWND window, const char* name) {
  layer::PumpUntilIdle();
  std::string path = folder + "/" + name;
  std::printf("%s %s\n", layer::SaveWindowPng(window, path) ? "wrote" : "could not write", path.c_str());
}

void SaveScreen(const char* name) {
  layer::PumpUntilIdle();
  std::string path = folder + "/" + name;
  std::printf("%s %s\n", layer::SaveScreenPng(path) ? "wrote" : "could not write", path.c_str());
}

class NoteView : public CView {
  DECLARE_DYNCREATE(NoteView)

 public:
  void OnDraw(CDC* dc) override {
    CRect client;
    GetClientRect(&client);
    dc->SetBkMode(TRANSPARENT);
    CString name;
    name.Format("Ansicht %d", GetDlgCtrlID() - AFX_IDW_PANE_FIRST);
    dc->TextOut(8, 8, name);
  }
};
IMPLEMENT_DYNCREATE(NoteView, CView)

class PartsView : public CScrollView {
  DECLARE_DYNCREATE(PartsView)

 public:
  void OnInitialUpdate() override { SetScrollSizes(MM_TEXT, CSize(420, 900), CSize(100, 100), CSize(20, 20)); }
  void OnDraw(CDC* dc) override {
    dc->SetBkMode(TRANSPARENT);
    for (int line = 0; line < 40; ++line) {
      CString text;
      text.Format("Pos. %2d   RM-%04d   Ersatzteil mit langer Benennung", line + 1, 4000 + line);
      dc->TextOut(6, 6 + line * 22, text);
    }
  }
};
IMPLEMENT_DYNCREATE(PartsView, CScrollView)

class ShownFrame : public CFrameWnd {
 public:
  CSplitterWnd m_outer;
  CSplitterWnd m_nested;

 protected:
  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override {
    return m_outer.CreateStatic(this, 1, 3) &&
           m_outer.CreateView(0, 0, RUNTIME_CLASS(NoteView), CSize(140, 0), context) &&
           m_outer.CreateView(0, 1, RUNTIME_CLASS(PartsView), CSize(260, 0), context) &&
           m_nested.CreateStatic(&m_outer, 2, 1, WS_CHILD | WS_VISIBLE, m_outer.IdFromRowCol(0, 2)) &&
           m_nested.CreateView(0, 0, RUNTIME_CLASS(NoteView), CSize(0, 150), context) &&
           m_nested.CreateView(1, 0, RUNTIME_CLASS(NoteView), CSize(0, 0), context);
  }
  afx_msg void OnCopy() {}
  afx_msg void OnUpdateCopy(CCmdUI* ui) { ui->Enable(FALSE); }
  afx_msg void OnMark() {}
  afx_msg void OnUpdateMark(CCmdUI* ui) { ui->SetCheck(1); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ShownFrame, CFrameWnd)
  ON_COMMAND(ID_EDIT_COPY_TEST, OnCopy)
  ON_UPDATE_COMMAND_UI(ID_EDIT_COPY_TEST, OnUpdateCopy)
  ON_COMMAND(ID_VIEW_MARK, OnMark)
  ON_UPDATE_COMMAND_UI(ID_VIEW_MARK, OnUpdateMark)
END_MESSAGE_MAP()

class OrderForm : public CFormView {
  DECLARE_DYNCREATE(OrderForm)

 public:
  OrderForm() : CFormView(IDD_TESTFORM) {}
  CString m_name = "Rasenm\xE4her RM 46";
  int m_count = 3;

 protected:
  void DoDataExchange(CDataExchange* exchange) override {
    DDX_Text(exchange, IDC_FORM_NAME, m_name);
    DDX_Text(exchange, IDC_FORM_COUNT, m_count);
  }
};
IMPLEMENT_DYNCREATE(OrderForm, CFormView)

class OrderDocument : public CDocument {
  DECLARE_DYNCREATE(OrderDocument)
};
IMPLEMENT_DYNCREATE(OrderDocument, CDocument)

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: mfc_frame_screenshots folder\n");
    return 2;
  }
  folder = argv[1];
  CWinApp app;
  auto* frame = new ShownFrame;
  frame->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW);
  frame->MoveWindow(40, 40, 760, 480);
  frame->InitialUpdateFrame(nullptr, TRUE);
  frame->SetForegroundWindow();
  Save(frame->m_hWnd, "frame.png");
  {
    layer::ModalHook previous = layer::SetModalHook([](HWND) {
      SaveScreen("menu.png");
      EndMenu();
    });
    frame->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 'b');
    layer::SetModalHook(previous);
  }
  // A bar half-way through a drag shows its tracker.
  frame->m_outer.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(145, 100));
  frame->m_outer.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(230, 100));
  Save(frame->m_hWnd, "tracker.png");
  frame->m_outer.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(230, 100));
  Save(frame->m_hWnd, "dragged.png");
  frame->DestroyWindow();

  app.AddDocTemplate(new CSingleDocTemplate(IDR_TESTFRAME, RUNTIME_CLASS(OrderDocument), RUNTIME_CLASS(CFrameWnd),
                                            RUNTIME_CLASS(OrderForm)));
  app.OnFileNew();
  if (CWnd* main = app.m_pMainWnd) {
    main->MoveWindow(60, 60, 420, 220);
    Save(main->m_hWnd, "form.png");
    app.m_pMainWnd = nullptr;
    main->DestroyWindow();
  }
  return 0;
}
