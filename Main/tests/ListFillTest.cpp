#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Main/tests/EngineFixture.h"
#include "mfc/CListCtrl.h"

using varno::testing::Buf;

namespace {

using Rows = std::vector<std::vector<std::string>>;

// The three-column list that the variables and history dialogs make.
class ListFillTest : public varno::testing::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    ASSERT_TRUE(dialog_window.CreateEx(0, nullptr, "list", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
    ASSERT_TRUE(list.Create(LVS_REPORT, CRect(0, 0, 300, 200), &dialog_window, 3004));
    for (int column = 0; column < 3; ++column) list.InsertColumn(column, "", LVCFMT_LEFT, 100);
  }

  Rows ListedRows() {
    Rows rows;
    for (int item = 0; item < list.GetItemCount(); ++item) {
      rows.emplace_back();
      for (int column = 0; column < 3; ++column) rows.back().emplace_back(list.GetItemText(item, column));
    }
    return rows;
  }

  CWnd dialog_window;
  CListCtrl list;
};

TEST_F(ListFillTest, VariablesAreListedWithTypeByteAndValue) {
  struct Variable {
    const char* name;
    VarValue value;
    BYTE type;
  };
  const Variable variables[] = {
      {"CURKEY", VarValue::Text("P~K1"), VAR_CHAR | VAR_FLAG_SYSTEM},
      {"count", VarValue::Long(-12), VAR_LONG},
      {"ratio", VarValue::Float(1.5f), VAR_FLOAT | VAR_FLAG_TRACE},
      {"on", VarValue::Bool(2), VAR_BOOL},  // any non-zero value is true
      {"off", VarValue::Bool(0), VAR_BOOL},
      {"text", VarValue::Long(1234), VAR_DUD},
      {"textkey", VarValue::Text("key1"), VAR_DUDCH},
      {"declared", VarValue(), VAR_UNKNOWN | VAR_FLAG_TRACE},
  };
  for (const Variable& variable : variables) ASSERT_TRUE(vars().SetVar(variable.name, variable.value, variable.type));

  vars().FillListCtrl(list);
  EXPECT_EQ(ListedRows(), (Rows{{"CURKEY", "41", "P~K1"},
                                {"count", "02", "-12"},
                                {"ratio", "83", "1.5"},
                                {"on", "04", "TRUE"},
                                {"off", "04", "FALSE"},
                                {"text", "06", "1234"},
                                {"textkey", "07", "key1"},
                                {"declared", "85", "UNKNOWN"}}));
}

TEST_F(ListFillTest, HistoryIsListedNewestFirst) {
  CDynLog& history = *theGlobals.m_phistory;
  history.AddEntry("P~START", Buf(""), 0, 0);
  history.AddEntry("P~CHAPTER", Buf("data"), 1, 0);
  history.AddEntry("Q~POPUP", Buf(""), 0, 1);

  history.FillListCtrl(list);
  EXPECT_EQ(ListedRows(), (Rows{{"Q~POPUP", "0", "1"}, {"P~CHAPTER", "1", "0"}, {"P~START", "0", "0"}}));

  // An empty history lists nothing.
  list.DeleteAllItems();
  history.RemoveAll();
  history.FillListCtrl(list);
  EXPECT_EQ(list.GetItemCount(), 0);
}

}  // namespace
