#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameTestSupport.h"
#include "mfc/CDataExchange.h"
#include "mfc/CDocument.h"
#include "mfc/CFormView.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CSingleDocTemplate.h"
#include "mfc/CWinApp.h"
#include "res/resource.h"
#include "win32/MessageBox.h"

namespace {

using frame_tests::LoggingView;

// Answers every message box with the given button and counts the boxes.
class AnsweredBoxes {
 public:
  explicit AnsweredBoxes(int answer)
      : m_previous(layer::SetMessageBoxPresenter([this, answer](HWND, const char* text, const char*, UINT) {
          m_texts.emplace_back(text);
          return answer;
        })) {}
  ~AnsweredBoxes() { layer::SetMessageBoxPresenter(m_previous); }
  std::vector<std::string> m_texts;

 private:
  layer::MessageBoxPresenter m_previous;
};

class OrderDocument : public CDocument {
  DECLARE_DYNCREATE(OrderDocument)

 public:
  int m_newDocuments = 0;
  BOOL m_saveWorks = TRUE;
  std::vector<std::string> m_savedTo;
  BOOL OnNewDocument() override {
    ++m_newDocuments;
    return CDocument::OnNewDocument();
  }
  BOOL OnSaveDocument(LPCSTR path) override {
    m_savedTo.emplace_back(path);
    return m_saveWorks && CDocument::OnSaveDocument(path);
  }
};
IMPLEMENT_DYNCREATE(OrderDocument, CDocument)

struct SaveCase {
  const char* name;
  BOOL modified;
  int answer;
  BOOL saveWorks;
  BOOL expected;
  size_t boxes;
  size_t saves;
};

class SaveModified : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveModified, AsksOnlyForChangesAndKeepsThemUnlessSavedOrGivenUp) {
  AnsweredBoxes boxes(GetParam().answer);
  OrderDocument document;
  document.m_bAutoDelete = FALSE;
  document.SetPathName("C:\\Daten\\Auftrag 7.v4p");
  document.SetModifiedFlag(GetParam().modified);
  document.m_saveWorks = GetParam().saveWorks;
  EXPECT_EQ(document.SaveModified(), GetParam().expected);
  ASSERT_EQ(boxes.m_texts.size(), GetParam().boxes);
  if (!boxes.m_texts.empty()) EXPECT_EQ(boxes.m_texts.front(), "Save changes to Auftrag 7.v4p?");
  ASSERT_EQ(document.m_savedTo.size(), GetParam().saves);
  if (GetParam().saves) EXPECT_EQ(document.m_savedTo.front(), "C:\\Daten\\Auftrag 7.v4p");
}

INSTANTIATE_TEST_SUITE_P(CDocument, SaveModified,
                         ::testing::Values(SaveCase{"Unchanged", FALSE, IDCANCEL, TRUE, TRUE, 0, 0},
                                           SaveCase{"Cancelled", TRUE, IDCANCEL, TRUE, FALSE, 1, 0},
                                           SaveCase{"GivenUp", TRUE, IDNO, TRUE, TRUE, 1, 0},
                                           SaveCase{"Saved", TRUE, IDYES, TRUE, TRUE, 1, 1},
                                           SaveCase{"SaveFails", TRUE, IDYES, FALSE, FALSE, 1, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CDocument, ThePathGivesTheTitle) {
  CDocument document;
  document.m_bAutoDelete = FALSE;
  document.SetTitle("Standard");
  EXPECT_STREQ(document.GetTitle(), "Standard");
  document.SetPathName("C:\\Daten\\Bestellung.txt");
  EXPECT_STREQ(document.GetPathName(), "C:\\Daten\\Bestellung.txt");
  EXPECT_STREQ(document.GetTitle(), "Bestellung.txt");
  EXPECT_EQ(document.GetFirstViewPosition(), nullptr);
}

// A program with a single-document template of the test frame.
struct SingleDocumentProgram {
  CWinApp app;
  SingleDocumentProgram(CRuntimeClass* viewClass = RUNTIME_CLASS(LoggingView)) {
    app.AddDocTemplate(
        new CSingleDocTemplate(IDR_TESTFRAME, RUNTIME_CLASS(OrderDocument), RUNTIME_CLASS(CFrameWnd), viewClass));
  }
  ~SingleDocumentProgram() {
    CWnd* main = app.m_pMainWnd;
    app.m_pMainWnd = nullptr;  // the test goes on after the window
    if (main) main->DestroyWindow();
  }
  CFrameWnd* Frame() const { return dynamic_cast<CFrameWnd*>(app.m_pMainWnd); }
  OrderDocument* Document() const { return Frame() ? dynamic_cast<OrderDocument*>(Frame()->GetActiveDocument()) : nullptr; }
  std::string FrameTitle() const {
    CString title;
    Frame()->GetWindowText(title);
    return std::string(title);
  }
};

TEST(CSingleDocTemplate, FileNewMakesTheFrameOnceAndReusesDocumentAndFrame) {
  SingleDocumentProgram program;
  program.app.OnFileNew();
  ASSERT_NE(program.Frame(), nullptr);
  OrderDocument* document = program.Document();
  ASSERT_NE(document, nullptr);
  EXPECT_STREQ(document->GetTitle(), "Auftrag");
  EXPECT_EQ(program.FrameTitle(), "Auftrag - Testrahmen");
  EXPECT_TRUE(program.Frame()->IsWindowVisible());
  auto* view = dynamic_cast<LoggingView*>(program.Frame()->GetActiveView());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->m_log.front(), "initial update");
  POSITION position = document->GetFirstViewPosition();
  EXPECT_EQ(document->GetNextView(position), view);
  EXPECT_EQ(position, nullptr);

  CFrameWnd* frame = program.Frame();
  program.app.OnFileNew();
  EXPECT_EQ(program.Frame(), frame);
  EXPECT_EQ(program.Document(), document);
  EXPECT_EQ(document->m_newDocuments, 2);
}

TEST(CSingleDocTemplate, ChangesKeepTheDocumentWhenTheUserCancels) {
  SingleDocumentProgram program;
  program.app.OnFileNew();
  OrderDocument* document = program.Document();
  document->SetModifiedFlag();
  AnsweredBoxes boxes(IDCANCEL);
  program.app.OnFileNew();
  EXPECT_EQ(document->m_newDocuments, 1);
  EXPECT_TRUE(document->IsModified());
  ::SendMessage(program.Frame()->m_hWnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindow(program.Frame()->m_hWnd)) << "closing was cancelled too";
  EXPECT_EQ(boxes.m_texts.size(), 2u);
}

TEST(CSingleDocTemplate, AFileThatDoesNotOpenLeavesTheShownDocumentAsItWas) {
  SingleDocumentProgram program;
  program.app.OnFileNew();
  OrderDocument* document = program.Document();
  AnsweredBoxes boxes(IDOK);
  EXPECT_EQ(program.app.OpenDocumentFile("/kein/solcher/ordner/auftrag.v4p"), nullptr);
  EXPECT_EQ(program.Document(), document);
  EXPECT_STREQ(document->GetTitle(), "Auftrag");
  EXPECT_EQ(boxes.m_texts.size(), 1u);
}

TEST(CSingleDocTemplate, ClosingTheFrameGivesUpTheDocumentAfterAsking) {
  SingleDocumentProgram program;
  program.app.OnFileNew();
  program.Document()->SetModifiedFlag();
  HWND window = program.Frame()->m_hWnd;
  AnsweredBoxes boxes(IDNO);
  program.app.m_pMainWnd = nullptr;  // no quit message for the test's queue
  ::SendMessage(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(boxes.m_texts.size(), 1u);
}

class OrderForm : public CFormView {
  DECLARE_DYNCREATE(OrderForm)

 public:
  OrderForm() : CFormView(IDD_TESTFORM) {}
  CString m_name = "Muster";
  int m_count = 12;

 protected:
  void DoDataExchange(CDataExchange* exchange) override {
    DDX_Text(exchange, IDC_FORM_NAME, m_name);
    DDX_Text(exchange, IDC_FORM_COUNT, m_count);
  }
};
IMPLEMENT_DYNCREATE(OrderForm, CFormView)

TEST(CFormView, AFormFromItsTemplateShowsItsData) {
  SingleDocumentProgram program(RUNTIME_CLASS(OrderForm));
  program.app.OnFileNew();
  auto* form = dynamic_cast<OrderForm*>(program.Frame()->GetActiveView());
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
  EXPECT_EQ(form->GetDocument(), program.Document());
  CString text;
  form->GetDlgItemText(IDC_FORM_NAME, text);
  EXPECT_STREQ(text, "Muster");
  form->GetDlgItemText(IDC_FORM_COUNT, text);
  EXPECT_STREQ(text, "12");
  form->SetDlgItemText(IDC_FORM_COUNT, "34");
  EXPECT_TRUE(form->UpdateData(TRUE));
  EXPECT_EQ(form->m_count, 34);
  form->SetDlgItemText(IDC_FORM_COUNT, "viele");
  AnsweredBoxes boxes(IDOK);
  EXPECT_FALSE(form->UpdateData(TRUE)) << "not a number";
  EXPECT_EQ(form->m_count, 34);
}

TEST(CFormView, ResizeParentToFitMakesTheFrameShowTheWholeForm) {
  SingleDocumentProgram program(RUNTIME_CLASS(OrderForm));
  program.app.OnFileNew();
  auto* form = dynamic_cast<OrderForm*>(program.Frame()->GetActiveView());
  ASSERT_NE(form, nullptr);
  CSize total = form->GetTotalSize();
  EXPECT_GT(total.cx, 0);
  program.Frame()->MoveWindow(0, 0, 120, 90);  // smaller than the form: bars
  EXPECT_TRUE(form->GetStyle() & (WS_HSCROLL | WS_VSCROLL));
  form->ResizeParentToFit(TRUE);  // shrinking only: stays small
  CRect client;
  form->GetClientRect(&client);
  EXPECT_LT(client.Width(), total.cx);
  form->ResizeParentToFit(FALSE);
  form->GetClientRect(&client);
  EXPECT_EQ(client.Size(), total);
  EXPECT_FALSE(form->GetStyle() & (WS_HSCROLL | WS_VSCROLL));
}

}  // namespace
