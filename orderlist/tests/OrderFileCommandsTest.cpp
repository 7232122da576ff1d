// New, Open, Save and Save as on the frame: the questions before leaving or
// overwriting an order, a save that fails (the order stays marked and what
// was to follow stops), and an open that cannot read its file whole (the
// file's name is not taken).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProtocolFixture.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/OrderHeader.h"

namespace {

using protocol_testing::Line;

// The order-file dialogs answer with the test's choice.
class ChoosingFrame : public CMainFrame {
 public:
  using CMainFrame::CMainFrame;
  std::vector<CString> choices;
  int asked = 0;

 protected:
  bool ChooseOrderToOpen(CString& name) override { return Choose(name); }
  bool ChooseOrderName(CString& name) override { return Choose(name); }

 private:
  bool Choose(CString& name) {
    ++asked;
    if (choices.empty()) return false;
    name = choices.front();
    choices.erase(choices.begin());
    return true;
  }
};

class OrderFileCommands : public protocol_testing::ProtocolTest {
 protected:
  void SetUp() override {
    ProtocolTest::SetUp();
    m_app = Start();
    ASSERT_TRUE(m_app->m_constructed) << Log();
    m_view = std::make_unique<CProtocolView>(*m_app);
    m_frame = new ChoosingFrame(m_app.get(), m_view.get());
    ASSERT_TRUE(m_frame->Create(nullptr, "Protokoll"));
  }
  void TearDown() override {
    m_frame->DestroyWindow();
    ProtocolTest::TearDown();
  }
  void AddLines(std::initializer_list<const char*> parts) {
    for (const char* part : parts) {
      const OrderItem line = Line(part, "1");
      m_view->AddOrderLines(nullptr, &line, 1);
    }
    m_view->SetModifiedFlag();
  }
  std::vector<std::string> Parts() const {
    std::vector<std::string> parts;
    for (int row = 0; row < m_view->GetItemCount(); ++row) parts.emplace_back(m_view->GetItem(row).partNumber);
    return parts;
  }
  std::string Title() const {
    CString title;
    m_frame->GetWindowText(title);
    return static_cast<const char*>(title);
  }
  void BreakOrderFolder() { m_app->m_order_dir = (m_folder / "missing").c_str(); }

  std::unique_ptr<CProtocolApp> m_app;
  std::unique_ptr<CProtocolView> m_view;
  ChoosingFrame* m_frame = nullptr;
};

TEST_F(OrderFileCommands, SaveAsksBeforeWritingOverAnOrder) {
  AddLines({"A1"});
  m_folder.Write("Standard.pro", "");
  m_frame->OnFileSave();  // an empty file holds nothing to lose
  EXPECT_TRUE(m_boxes.empty());
  EXPECT_FALSE(m_view->IsModified());
  AddLines({"B2"});
  m_answer = IDNO;
  m_frame->OnFileSave();
  EXPECT_EQ(m_boxes, std::vector<std::string>{"Datei \xfc" "berschreiben ?"});
  EXPECT_TRUE(m_view->IsModified());
  m_answer = IDYES;
  m_frame->OnFileSave();
  EXPECT_FALSE(m_view->IsModified());
  CProtocolView readBack(*m_app);
  ASSERT_TRUE(readBack.ReadOrderFile());
  EXPECT_EQ(readBack.GetItemCount(), 2);
}

TEST_F(OrderFileCommands, AFailedSaveKeepsTheOrderMarkedAndStopsWhatFollows) {
  AddLines({"A1", "B2"});
  BreakOrderFolder();
  m_frame->OnFileSave();
  const std::string failed = "Datei " + m_folder / "missing" + "\\Standard.pro nicht gefunden";
  EXPECT_EQ(m_boxes, std::vector<std::string>{failed});
  EXPECT_NE(Log().find(failed), std::string::npos);
  EXPECT_TRUE(m_view->IsModified());

  m_answer = IDYES;  // save first: it fails, so nothing is left
  m_boxes.clear();
  m_frame->OnFileNew();
  m_frame->OnFileOpen();
  EXPECT_EQ(m_boxes, (std::vector<std::string>{"\xc4nderungen speichern ?", failed, "\xc4nderungen speichern ?",
                                               failed}));
  EXPECT_EQ(m_frame->asked, 0);  // no order was chosen to open
  EXPECT_EQ(Parts(), (std::vector<std::string>{"A1", "B2"}));
  EXPECT_TRUE(m_view->IsModified());

  m_frame->choices = {"Neu"};
  m_boxes.clear();
  m_frame->OnFileSaveAs();
  EXPECT_STREQ(m_app->m_order_name, "Standard");  // the name of a file not written is not taken
  EXPECT_TRUE(m_view->IsModified());
}

TEST_F(OrderFileCommands, NewAsksAndStartsAnEmptyOrder) {
  AddLines({"A1"});
  m_app->m_order_name = "Alt";
  for (int i = 0; i < 7; ++i) m_app->m_header_texts[i] = "x";
  m_answer = IDCANCEL;
  m_frame->OnFileNew();
  EXPECT_EQ(m_view->GetItemCount(), 1);
  m_answer = IDNO;
  m_frame->OnFileNew();
  EXPECT_EQ(m_view->GetItemCount(), 0);
  EXPECT_FALSE(m_view->IsModified());
  EXPECT_STREQ(m_app->m_order_name, "Standard");
  EXPECT_EQ(Title(), "Bestellliste - Standard");
  EXPECT_STREQ(m_app->m_header_texts[kOrderNumber], "");
  EXPECT_STREQ(m_app->m_header_texts[5], "x");  // not one of the texts a new order empties
  EXPECT_STREQ(m_app->m_header_texts[6], "");
  EXPECT_FALSE(m_folder.Exists("Alt.pro"));
}

TEST_F(OrderFileCommands, AnOrderThatCannotBeReadWholeIsNotTakenByName) {
  AddLines({"A1", "B2", "C3"});
  m_app->m_order_name = "gut";
  ASSERT_TRUE(m_view->WriteOrderFile());
  const std::string good = m_folder.Read("gut.pro");
  m_folder.Write("kaputt.pro", good.substr(0, good.size() - 8));  // cut inside the last line
  m_view->SetModifiedFlag(false);

  m_frame->choices = {"kaputt"};
  m_frame->OnFileOpen();
  EXPECT_EQ(m_boxes, std::vector<std::string>{"Datei " + m_folder.Path() + "\\kaputt.pro nicht gefunden"});
  EXPECT_STREQ(m_app->m_order_name, "Standard");
  EXPECT_EQ(Parts(), (std::vector<std::string>{"A1", "B2"}));  // what could be read, as a new order
  EXPECT_TRUE(m_view->IsModified());

  m_answer = IDNO;
  m_frame->choices = {"gut"};
  m_frame->OnFileOpen();
  EXPECT_STREQ(m_app->m_order_name, "gut");
  EXPECT_EQ(Title(), "Bestellliste - gut");
  EXPECT_EQ(Parts(), (std::vector<std::string>{"A1", "B2", "C3"}));
  EXPECT_FALSE(m_view->IsModified());
  EXPECT_EQ(m_folder.Read("kaputt.pro"), good.substr(0, good.size() - 8));
}

TEST_F(OrderFileCommands, SaveAsTakesTheNewName) {
  AddLines({"A1"});
  m_folder.Write("Neu.pro", "older order");
  m_frame->choices = {"Neu", "Neu"};
  m_answer = IDNO;
  m_frame->OnFileSaveAs();
  EXPECT_EQ(m_folder.Read("Neu.pro"), "older order");
  EXPECT_STREQ(m_app->m_order_name, "Standard");
  m_answer = IDYES;
  m_frame->OnFileSaveAs();
  EXPECT_STREQ(m_app->m_order_name, "Neu");
  EXPECT_EQ(Title(), "Bestellliste - Neu");
  EXPECT_FALSE(m_view->IsModified());
  EXPECT_NE(m_folder.Read("Neu.pro"), "older order");
}

// Writing the list into another order file: a file that cannot take the
// lines is reported as a failed save is, and stays as it was.
TEST_F(OrderFileCommands, AFailedMergeIsReported) {
  AddLines({"A1", "B2"});
  m_app->m_order_name = "Ziel";
  ASSERT_TRUE(m_view->WriteOrderFile());
  const std::string whole = m_folder.Read("Ziel.pro");
  m_folder.Write("kaputt.pro", whole.substr(0, whole.size() - 8));

  m_frame->choices = {"Ziel"};
  m_frame->OnMergeOrder();
  EXPECT_TRUE(m_boxes.empty());
  EXPECT_GT(m_folder.Read("Ziel.pro").size(), whole.size());

  m_frame->choices = {"kaputt"};
  m_frame->OnMergeOrder();
  const std::string failed = "Datei " + m_folder.Path() + "\\kaputt.pro nicht gefunden";
  EXPECT_EQ(m_boxes, std::vector<std::string>{failed});
  EXPECT_NE(Log().find(failed), std::string::npos);
  EXPECT_EQ(m_folder.Read("kaputt.pro"), whole.substr(0, whole.size() - 8));

  m_boxes.clear();
  m_frame->choices = {"fehlt"};
  m_frame->OnMergeOrder();
  EXPECT_EQ(m_boxes, std::vector<std::string>{"Datei " + m_folder.Path() + "\\fehlt.pro nicht gefunden"});
  EXPECT_FALSE(m_folder.Exists("fehlt.pro"));
}

}  // namespace
