#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameTestSupport.h"
#include "mfc/CDocument.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CView.h"
#include "mfc/CWinApp.h"

namespace {

using frame_tests::LoggingView;

std::string handledBy;

class RoutingView : public LoggingView {
  DECLARE_DYNCREATE(RoutingView)
  afx_msg void OnAll() { handledBy = "view"; }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(RoutingView, LoggingView)
BEGIN_MESSAGE_MAP(RoutingView, LoggingView)
  ON_COMMAND(100, OnAll)
END_MESSAGE_MAP()

class RoutingDocument : public CDocument {
  afx_msg void OnHere() { handledBy = "document"; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(RoutingDocument, CDocument)
  ON_COMMAND(100, OnHere)
  ON_COMMAND(102, OnHere)
  ON_COMMAND(106, OnHere)
END_MESSAGE_MAP()

class RoutingFrame : public CFrameWnd {
  afx_msg void OnHere() { handledBy = "frame"; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(RoutingFrame, CFrameWnd)
  ON_COMMAND(100, OnHere)
  ON_COMMAND(102, OnHere)
  ON_COMMAND(103, OnHere)
  ON_COMMAND(106, OnHere)
END_MESSAGE_MAP()

class RoutingApp : public CWinApp {
  afx_msg void OnHere() { handledBy = "program"; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(RoutingApp, CWinApp)
  ON_COMMAND(100, OnHere)
  ON_COMMAND(103, OnHere)
  ON_COMMAND(104, OnHere)
END_MESSAGE_MAP()

// A frame with one view on a document, inside a program object.
struct DocumentFrame {
  RoutingApp app;
  RoutingDocument* document = new RoutingDocument;
  RoutingFrame* frame = new RoutingFrame;
  RoutingView* view = nullptr;

  DocumentFrame() {
    document->m_bAutoDelete = FALSE;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(RoutingView);
    context.m_pCurrentDoc = document;
    EXPECT_TRUE(frame->Create(nullptr, "Routing", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, nullptr, 0,
                              &context));
    view = dynamic_cast<RoutingView*>(frame->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE));
  }
  ~DocumentFrame() {
    if (::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    delete document;
  }
};

struct RouteCase {
  const char* name;
  UINT id;
  const char* expected;
};

class CommandRouting : public ::testing::TestWithParam<RouteCase> {};

TEST_P(CommandRouting, GoesFromViewToDocumentToFrameToProgram) {
  DocumentFrame setup;
  ASSERT_NE(setup.view, nullptr);
  setup.frame->SetActiveView(setup.view);
  handledBy = "nobody";
  setup.frame->SendMessage(WM_COMMAND, GetParam().id, 0);
  EXPECT_EQ(handledBy, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(CView, CommandRouting,
                         ::testing::Values(RouteCase{"EveryoneHandlesIt", 100, "view"},
                                           RouteCase{"DocumentBeforeFrame", 102, "document"},
                                           RouteCase{"FrameBeforeProgram", 103, "frame"},
                                           RouteCase{"ProgramLast", 104, "program"},
                                           RouteCase{"Nobody", 105, "nobody"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CView, WithoutActiveViewTheDocumentIsNotAsked) {
  DocumentFrame setup;
  handledBy = "nobody";
  setup.frame->SendMessage(WM_COMMAND, 106, 0);
  EXPECT_EQ(handledBy, "frame");
}

TEST(CView, ActivationTellsTheOldViewBeforeTheNewOne) {
  DocumentFrame setup;
  auto* second = new LoggingView;
  second->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 10, 10), setup.frame, AFX_IDW_PANE_FIRST + 1);
  setup.frame->SetActiveView(setup.view);
  setup.view->m_log.clear();
  setup.frame->SetActiveView(second);
  EXPECT_EQ(setup.view->m_log, (std::vector<std::string>{"deactivate other from me"}));
  EXPECT_EQ(second->m_log, (std::vector<std::string>{"activate me"}));
  EXPECT_EQ(setup.frame->GetActiveView(), second);
  EXPECT_EQ(setup.frame->GetActiveDocument(), nullptr);  // the second view shows no document
  second->DestroyWindow();
  EXPECT_EQ(setup.frame->GetActiveView(), nullptr);
}

TEST(CView, InitialUpdateAndDocumentUpdatesReachTheViews) {
  DocumentFrame setup;
  EXPECT_EQ(setup.view->GetDocument(), setup.document);
  setup.frame->InitialUpdateFrame(setup.document, TRUE);
  EXPECT_EQ(setup.frame->GetActiveView(), setup.view);
  ASSERT_FALSE(setup.view->m_log.empty());
  EXPECT_EQ(setup.view->m_log.front(), "initial update");
  setup.view->m_log.clear();
  setup.document->UpdateAllViews(nullptr, 7);
  setup.document->UpdateAllViews(setup.view, 8);  // the sender is not told
  EXPECT_EQ(setup.view->m_log, (std::vector<std::string>{"update 7"}));
}

TEST(CView, TheFrameHandsTheKeyboardToItsActiveView) {
  DocumentFrame setup;
  setup.frame->InitialUpdateFrame(setup.document, TRUE);
  setup.frame->SetFocus();
  EXPECT_EQ(::GetFocus(), setup.view->m_hWnd);
}

TEST(CView, ADocumentGoesWithItsLastViewWhenItDeletesItself) {
  RoutingApp app;
  auto* document = new CDocument;
  auto* frame = new CFrameWnd;
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(LoggingView);
  context.m_pCurrentDoc = document;
  ASSERT_TRUE(frame->Create(nullptr, "Dokument", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100), nullptr, nullptr, 0,
                            &context));
  frame->InitialUpdateFrame(document, FALSE);
  EXPECT_EQ(frame->GetActiveDocument(), document);
  HWND window = frame->m_hWnd;
  ::SendMessage(window, WM_CLOSE, 0, 0);  // closes the document, which closes the frame
  EXPECT_FALSE(::IsWindow(window));
}

}  // namespace
