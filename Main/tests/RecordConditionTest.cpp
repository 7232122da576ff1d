#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "Main/tests/CatalogueFixture.h"

using varno::testing::Bytes;
using varno::testing::Quoted;
using varno::testing::Readable;

namespace {

struct ConditionCase {
  const char* name;
  std::string word;  // field 3; absent when empty
  const char* field5;
  bool ignoreRules;
  int code;  // 0: the test ran
  bool applies;
};
void PrintTo(const ConditionCase& c, std::ostream* os) { *os << c.name << ": " << Readable(c.word); }

class RecordConditionTest : public varno::testing::CatalogueFixture,
                            public ::testing::WithParamInterface<ConditionCase> {};

TEST_P(RecordConditionTest, DecidesWhetherTheRecordApplies) {
  const ConditionCase& c = GetParam();
  vars().SetVar("A", VarValue::Long(1), VAR_LONG);
  const std::string rules = dataFolder / "rules.txt";
  std::ofstream(rules, std::ios::binary) << "301:A = 1\r\n302:A = 2\r\n303:A =\r\n";
  theGlobals.m_plogic->LoadRules(rules.c_str());
  theGlobals.m_ignore_rules = c.ignoreRules ? TRUE : FALSE;
  std::string source = "database\nfields 6\nrecord \"K\"\n0 = \"x\"\nrecord \"K\"\n";
  if (!c.word.empty()) source += "3 = " + Quoted(c.word) + "\n";
  source += std::string("5 = ") + Quoted(c.field5) + "\n";
  DdmDbLink link;
  OpenDatabase(link, "k.ddm", source, "K");
  BOOL applies = 7;
  ASSERT_EQ(db().TestRecordCondition(&link, 1, &applies), c.code == 0 ? TRUE : FALSE);
  if (c.code == 0) {
    EXPECT_EQ(NewestCode(), 0);
  } else {
    EXPECT_TRUE(TraceHas(c.code)) << NewestCode();
  }
  EXPECT_EQ(applies, c.applies ? TRUE : FALSE);
  if (c.code == 0 && c.word.size() >= 2 && c.word[1] == 0 && c.word[0] >= 4) {
    EXPECT_EQ(link.cur_line, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordConditionTest,
    ::testing::Values(ConditionCase{"NoWord", "", "A = 2", false, 0, true},
                      ConditionCase{"WordZero", Bytes({0, 0, 9}), "A = 2", false, 0, true},
                      ConditionCase{"FieldFalse", Bytes({5, 0}), "A = 2", false, 0, false},
                      ConditionCase{"FieldTrue", Bytes({5, 0}), "A = 1", false, 0, true},
                      ConditionCase{"FieldFalseIgnored", Bytes({5, 0}), "A = 2", true, 0, true},
                      ConditionCase{"FieldEmpty", Bytes({5, 0}), "", false, 0, true},
                      ConditionCase{"FieldFails", Bytes({5, 0}), "A =", false, 4, true},
                      ConditionCase{"RuleFalse", Bytes({0x2E, 0x01}), "", false, 0, false},
                      ConditionCase{"RuleTrue", Bytes({0x2D, 0x01}), "", false, 0, true},
                      ConditionCase{"RuleFails", Bytes({0x2F, 0x01}), "", false, 4, true},
                      ConditionCase{"RuleMissing", Bytes({0x2C, 0x01}), "", false, 0, true},
                      ConditionCase{"InvalidWord", Bytes({2, 0}), "", false, 5, true},
                      ConditionCase{"SingleByteWord", Bytes({5}), "A = 2", false, 0, false},
                      ConditionCase{"UnreadableField", Bytes({5, 0}), "\x01", false, 3, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
