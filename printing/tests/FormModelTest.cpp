#include <gtest/gtest.h>

#include "VodFixture.h"

namespace vod {
namespace {

class FormModel : public testing::VodFixture {};

TEST_F(FormModel, RowQueriesAndSyncGroupsFollowTheQueuedRecords) {
  StandardForm();
  ASSERT_EQ(Run("USE FORM std\nDATA FRAME A BEGIN\nr1\nr2\nEND\nDATA FRAME C BEGIN\nc3\nEND\nSYNC A C\n"), 3);
  VodFormModel& model = m_context->model;
  EXPECT_EQ(model.NextRowAbove(0), 1);
  EXPECT_EQ(model.NextRowAbove(1), 3);
  EXPECT_EQ(model.NextRowAbove(3), 0);
  SyncGroup* group = model.FindSyncGroup(3);
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(model.FindSyncGroup(2), nullptr);
  EXPECT_TRUE(model.SyncGroupBehind(*group, 2));

  model.PopBlockText(*Frame("A"));
  model.PopBlockText(*Frame("A"));
  EXPECT_FALSE(model.SyncGroupBehind(*group, 3));
  EXPECT_EQ(model.HighestRow(), 3);
  ASSERT_EQ(Run("DATA FRAME A BEGIN\nr4\nEND\n", "more.vod"), 3);
  EXPECT_EQ(Lines("A"), (std::vector<std::string>{"4/0/T:r4"}));
}

TEST_F(FormModel, ClearedPagesGiveTheirNodesBackToTheArena) {
  StandardForm();
  ASSERT_EQ(Run("USE FORM std\n"), 3);
  size_t afterForm = m_context->arena.Fill(0);
  std::string page = "DEFINE A SIZE 12\nPRINT FRAME C STATIC head\nDATA FRAME A B BEGIN\n";
  for (int record = 0; record < 200; ++record) page += "a\nb\n";
  page += "END\nSYNC A B\nPAGE\n";
  for (int round = 0; round < 3; ++round) {
    ASSERT_EQ(Run(page, "page.vod"), 3);
    EXPECT_EQ(m_context->arena.Fill(0), afterForm) << round;
  }
}

}  // namespace
}  // namespace vod

namespace vod {
namespace {

TEST_F(FormModel, AScriptLargerThanTheArenaEndsWithItsErrorNotACrash) {
  StandardForm();
  m_context->callback = testing::CallbackLog::Record;
  std::string script = "USE FORM std\nDATA FRAME A BEGIN\n";
  for (int record = 0; record < 300; ++record) script += std::string(8000, 'x') + "\n";
  script += "END\n";
  EXPECT_EQ(Run(script), 2);
  ASSERT_GE(testing::CallbackLog::calls.size(), 2u);
  EXPECT_EQ(testing::CallbackLog::calls[0],
            (std::pair<int, std::string>{7, "Kein Platz mehr auf dem internen Stack! Abbruch! < 1 > "}));
  EXPECT_EQ(testing::CallbackLog::calls[1], (std::pair<int, std::string>{8, "Zuwenig Arbeitsspeicher > 44 <"}));
  EXPECT_EQ(m_context->jobState, kJobError);
  EXPECT_EQ(m_context->arena.BlocksInUse(), VodArena::kBlocks);
}

}  // namespace
}  // namespace vod
