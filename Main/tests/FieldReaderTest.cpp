#include <gtest/gtest.h>

#include <string>

#include "Main/tests/CatalogueFixture.h"

using varno::testing::Bytes;
using varno::testing::Quoted;
using varno::testing::Readable;
using varno::testing::Str;

namespace {

// Record "K" of eight fields; each case puts its bytes into one field, beside
// a field 5 to insert and a field 6 that inserts itself.
class FieldReaderTest : public varno::testing::CatalogueFixture {
 protected:
  void SetUp() override {
    CatalogueFixture::SetUp();
    vars().SetVar("C", VarValue::Text("txt"), VAR_CHAR);
    vars().SetVar("L", VarValue::Long(-12), VAR_LONG);
    vars().SetVar("F", VarValue::Float(1.5F), VAR_FLOAT);
    vars().SetVar("B", VarValue::Bool(0), VAR_BOOL);
    vars().SetVar("D", VarValue::Long(7), VAR_DUD);
    vars().SetVar("K", VarValue::Text("k1"), VAR_DUDCH);
    OpenTexts(theGlobals.m_datadud, "duden.ddm", "dictionary\nlanguage \"D\"\n7 = \"Sieben\"\n");
    OpenTexts(theGlobals.m_datachdud, "dudench.ddm", "dictionary\nlanguage \"D\"\n\"k1\" = \"Ventil\"\n");
  }

  // Reads `field` of a record holding bytes there; false on a build failure.
  BOOL Read(int field, const std::string& bytes, CDynBuf& out, int hit = 0) {
    std::string source = "database\nfields 8\nrecord \"K\"\n";
    if (field != 5) source += "5 = \"five\"\n";
    if (field != 6) source += "6 = " + Quoted(Bytes({1, 14, 6, 1, 14})) + "\n";
    source += std::to_string(field) + " = " + Quoted(bytes) + "\n";
    OpenDatabase(link, "k" + std::to_string(++built) + ".ddm", source, "K");
    return db().GetField(&link, hit, field, &out);
  }

  DdmDbLink link;
  int built = 0;
};

struct FieldCase {
  const char* name;
  int field;
  std::string bytes;
  int code;  // 0: read; else the failure's code
  std::string out;  // what the reader wrote, also before a failure
};
void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name << ": field " << c.field << " " << Readable(c.bytes); }

class FieldCases : public FieldReaderTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(FieldCases, DecodesOrFailsWithItsCode) {
  const FieldCase& c = GetParam();
  CDynBuf out;
  const BOOL ok = Read(c.field, c.bytes, out);
  EXPECT_EQ(ok, c.code == 0 ? TRUE : FALSE);
  if (c.code != 0) {
    EXPECT_EQ(NewestCode(), c.code);
  }
  EXPECT_EQ(Str(out), c.out);
}

const std::string kSeven = Bytes({1, 3, 7, 0, 0, 0, 1, 3});

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldCases,
    ::testing::Values(
        FieldCase{"PlainTextInFieldZero", 0, "Pumpe 12", 0, "Pumpe 12"},
        FieldCase{"MarkerInFieldZero", 0, Bytes({"a", 1, 11}), 86, "a"},
        FieldCase{"Variables", 2,
                  Bytes({1, 2, "C", 1, 2, "|", 1, 2, "L", 1, 2, "|", 1, 2, "F", 1, 2, "|", 1, 2, "B", 1, 2, "|", 1, 2,
                         "none", 1, 2, "|", 1, 2, "D", 1, 2}),
                  0, "txt|-12|1.500000|FALSE||"},
        FieldCase{"TextNumberAndKey", 1, kSeven + Bytes({"/", 1, 10, "k1", 1, 10}), 0, "Sieben/Ventil"},
        FieldCase{"TextVariables", 1, Bytes({1, 4, "D", 1, 4, 1, 4, "K", 1, 4, 1, 4, "none", 1, 4}), 0, "SiebenVentil"},
        // A variable of another type is logged and shows nothing.
        FieldCase{"TextVariableOfWrongType", 1, Bytes({"<", 1, 4, "C", 1, 4, ">"}), 0, "<>"},
        FieldCase{"TogglesAlternate", 1, Bytes({1, 11, 1, 11, 1, 11, 1, 12, 1, 12}), 0,
                  Bytes({0, 6, 0, 7, 0, 6, 0, 9, 0, 8})},
        FieldCase{"FieldInsertion", 1, Bytes({"<", 1, 14, 5, 1, 14, ">"}), 0, "<five>"},
        FieldCase{"LinkBlock", 4, Bytes({1, 7, "Text", 1, 8, "KEY", 1, 7}), 0,
                  Bytes({0, 2, "Text", 0, 0x4D, "KEY", 0, 4})},
        FieldCase{"LinkBlockClosedByAnotherKind", 4, Bytes({1, 7, "T", 1, 8, "K", 1, 9}), 0,
                  Bytes({0, 2, "T", 0, 0x4D, "K", 0, 5})},
        FieldCase{"LinkBlockWithoutTarget", 4, Bytes({1, 7, "T", 1, 7}), 117, Bytes({0, 2, "T"})},
        FieldCase{"LinkBlockAssignmentForTheScreen", 4,
                  Bytes({1, 25, "T", 1, 8, 1, 17, "N", 1, 5, "v", 1, 2, "x", 1, 2, 1, 5, 1, 26}), 0,
                  Bytes({0, 132, "T", 0, 0x4D, 0, 0x4E, "N", 0, 0x43, "v", 0, 0x41, "x", 0, 0x40, 0, 0x5B, 0, 135})},
        FieldCase{"LinkBlockVariableValue", 4, Bytes({1, 9, 1, 2, "C", 1, 2, 1, 2, "L", 1, 2, 1, 8, "k", 1, 9}), 0,
                  Bytes({0, 3, "txt", 0, 0x4D, "k", 0, 5})},
        FieldCase{"LinkBlockValueLeftOpen", 4, Bytes({1, 7, 1, 8, 1, 17, "N", 1, 5, "v", 1, 7}), 121,
                  Bytes({0, 2, 0, 0x4D, 0, 0x4E, "N", 0, 0x43, "v", 0, 4})},
        FieldCase{"LinkBlockAtEndOfFieldIsAccepted", 4, Bytes({1, 28, "T", 1, 8, "K"}), 0,
                  Bytes({0, 143, "T", 0, 0x4D, "K"})},
        FieldCase{"LinkBlockBelowFieldFour", 3, Bytes({1, 7, "T", 1, 8, "K", 1, 7}), 116, ""},
        FieldCase{"LinkBlockUnknownKind", 4, Bytes({1, 7, 1, 30}), 120, Bytes({0, 2})},
        FieldCase{"LinkBlockOpenedAtEnd", 4, Bytes({1, 29}), 87, Bytes({0, 145})},
        FieldCase{"AssignmentBelowFieldTwo", 1, Bytes({1, 17, "X", 1, 5, "'a'", 1, 5}), 95, ""},
        FieldCase{"AssignmentWithoutKindFive", 2, Bytes({1, 18, "X", 1, 6, "1", 1, 5}), 101, ""},
        FieldCase{"AssignmentValueNotClosed", 2, Bytes({1, 18, "X", 1, 5, "1"}), 87, ""},
        FieldCase{"AssignmentNameNotClosed", 2, Bytes({1, 19, "X"}), 104, ""},
        FieldCase{"AssignmentValueFails", 2, Bytes({1, 20, "X", 1, 5, "+", 1, 5}), 110, ""},
        FieldCase{"DudAsLongOverExistingDud", 2, Bytes({1, 6, "D", 1, 5, "3", 1, 5}), 115, ""},
        FieldCase{"MarkerAtEnd", 1, Bytes({"a", 1}), 87, "a"},
        FieldCase{"VariableNotClosed", 1, Bytes({1, 2, "C"}), 88, ""},
        FieldCase{"VariableWrongClose", 1, Bytes({1, 2, "C", 1, 4}), 90, ""},
        FieldCase{"TextNumberWrongClose", 1, Bytes({1, 3, 7, 0, 0, 0, 1, 4}), 473, ""},
        FieldCase{"TextNumberNoMarker", 1, Bytes({1, 3, 7, 0, 0, 0, 'x', 3}), 472, ""},
        FieldCase{"TextNumberCut", 1, Bytes({1, 3, 7, 0}), 87, ""},
        FieldCase{"TextKeyWrongClose", 1, Bytes({1, 10, "k1", 1, 11}), 31, ""},
        FieldCase{"FieldInsertionWrongClose", 1, Bytes({1, 14, 5, 1, 15}), 471, ""},
        FieldCase{"FieldInsertionNoMarker", 1, Bytes({1, 14, 5, 2, 14}), 470, ""},
        FieldCase{"UnknownKind", 1, Bytes({"a", 1, 5, "b"}), 131, "a"},
        FieldCase{"TextKeyNotClosed", 1, Bytes({1, 10, "k1"}), 30, ""},
        FieldCase{"BlockVariableNotClosed", 4, Bytes({1, 7, 1, 2, "C"}), 28, Bytes({0, 2})},
        FieldCase{"BlockTextKeyNotClosed", 4, Bytes({1, 7, 1, 10, "k1"}), 28, Bytes({0, 2})},
        FieldCase{"BlockTextKeyWrongClose", 4, Bytes({1, 7, 1, 10, "k1", 1, 11}), 29, Bytes({0, 2})},
        FieldCase{"BlockTextKey", 4, Bytes({1, 7, 1, 10, "k1", 1, 10, 1, 8, "K", 1, 7}), 0,
                  Bytes({0, 2, "Ventil", 0, 0x4D, "K", 0, 4})},
        FieldCase{"BlockVariableToggleLeftOpen", 4, Bytes({1, 7, 1, 8, 1, 17, "N", 1, 5, 1, 2, "x", 1, 5, 1, 7}), 122,
                  Bytes({0, 2, 0, 0x4D, 0, 0x4E, "N", 0, 0x43, 0, 0x41, "x", 0, 0x5B, 0, 4})},
        FieldCase{"BlockTextVariableToggleLeftOpen", 4, Bytes({1, 7, 1, 8, 1, 20, "N", 1, 4, "x", 1, 7}), 339,
                  Bytes({0, 2, 0, 0x4D, 0, 0x51, "N", 0, 0x42, "x", 0, 4})},
        FieldCase{"LeftNeighbourNotClosed", 1, Bytes({1, 21, "P~L"}), 127, ""},
        FieldCase{"LeftNeighbourWrongClose", 1, Bytes({1, 21, "P~L", 1, 22}), 128, ""},
        FieldCase{"RightNeighbourNotClosed", 1, Bytes({1, 22, "P~R"}), 129, ""},
        FieldCase{"RightNeighbourWrongClose", 1, Bytes({1, 22, "P~R", 1, 21}), 130, ""},
        FieldCase{"MasterInsertionWrongClose", 1, Bytes({1, 27, 5, 2, 1, 28}), 489, ""},
        FieldCase{"MasterInsertionNoMarker", 1, Bytes({1, 27, 5, 2, 2, 27}), 488, ""},
        FieldCase{"MasterInsertionEndsBehindField", 1, Bytes({1, 27, 5}), 87, ""},
        FieldCase{"TextVariableNotClosed", 1, Bytes({1, 4, "D"}), 91, ""},
        FieldCase{"TextVariableWrongClose", 1, Bytes({1, 4, "D", 1, 2}), 94, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// A field that inserts itself ends at a depth limit instead of exhausting
// the stack.
TEST_F(FieldReaderTest, SelfInsertionIsRefusedWithTheDepthCode) {
  CDynBuf out;
  EXPECT_FALSE(Read(6, Bytes({1, 14, 6, 1, 14}), out));
  // The deepest reader names the depth limit; every reader above it 119.
  EXPECT_EQ(NewestCode(), 541);
  int nodes = 0;
  for (CErrorTrace* node = theGlobals.m_error_trace_newest; node != nullptr; node = node->older) ++nodes;
  EXPECT_GT(nodes, 2);
  EXPECT_LT(nodes, 80);
}

// A damaged field ends in an error code wherever it is cut, never in a read
// past its end.
TEST_F(FieldReaderTest, EveryCutOfAFieldFailsCleanlyOrDecodes) {
  const std::string field = Bytes({"a", 1, 2, "C", 1, 2, 1, 3, 7, 0, 0, 0, 1, 3, 1, 4, "D", 1, 4, 1, 10, "k1", 1, 10,
                                   1, 11, 1, 14, 5, 1, 14, 1, 21, "L", 1, 21, 1, 27, 5, 2, 1, 27, 1, 17, "S", 1, 5,
                                   "\"v\"", 1, 5, 1, 7, "t", 1, 8, 1, 18, "N", 1, 5, 1, 2, "x", 1, 2, 1, 5, 1, 7});
  CDynBuf out;
  ASSERT_TRUE(Read(4, field, out)) << NewestCode();
  for (size_t cut = 1; cut < field.size(); ++cut) {
    Read(4, field.substr(0, cut), out);
    CErrorTrace::RemoveAll();
  }
}

TEST_F(FieldReaderTest, AssignmentsSetTheirVariablesWithTheirTypes) {
  CDynBuf out;
  const std::string field =
      Bytes({"a", 1, 17, "S", 1, 5, "'x'", 1, 14, 5, 1, 14, 1, 5, 1, 6, "N", 1, 5, "6", 1, 5, 1, 24, "Q", 1, 5,
             "\"k1\"", 1, 5, 1, 20, "T", 1, 5, "TRUE", 1, 5, "b"});
  ASSERT_TRUE(Read(2, field, out)) << NewestCode();
  EXPECT_EQ(Str(out), "ab");
  VarValue v;
  EXPECT_EQ(vars().GetVar("S", &v), VAR_CHAR);
  EXPECT_STREQ(v.text, "xfive");
  EXPECT_EQ(vars().GetVar("N", &v), VAR_LONG);  // kind 6 stores LONG, not DUD
  EXPECT_EQ(v.lval, 6);
  EXPECT_EQ(vars().GetVar("Q", &v), VAR_DUDCH);
  EXPECT_EQ(vars().GetVar("T", &v), VAR_BOOL);
  EXPECT_EQ(link.cur_line, 0);
}

TEST_F(FieldReaderTest, NeighbourKeysGoToTheInterpreterAndTheVariables) {
  CDynBuf out;
  ASSERT_TRUE(Read(1, Bytes({1, 21, "P~L", 1, 21, 1, 22, "P~R", 1, 22}), out));
  EXPECT_EQ(Str(out), "");
  EXPECT_STREQ(db().m_leftneighbour, "P~L");
  EXPECT_STREQ(db().m_rightneighbour, "P~R");
  VarValue v;
  EXPECT_EQ(vars().GetVar("RIGHTNEIGHBOUR", &v), VAR_CHAR);
  EXPECT_STREQ(v.text, "P~R");
}

TEST_F(FieldReaderTest, MissingFieldsReadEmptyAndTheFieldCountIsLogged) {
  CDynBuf out;
  ASSERT_TRUE(Read(1, "x", out));
  out = "stale";
  EXPECT_TRUE(db().GetField(&link, 0, 3, &out));  // empty field
  EXPECT_EQ(out.GetLength(), 0);
  EXPECT_TRUE(db().GetField(&link, 5, 1, &out));  // no such hit
  EXPECT_EQ(out.GetLength(), 0);
  EXPECT_TRUE(db().GetField(&link, 0, 8, &out));  // the field count itself
  EXPECT_EQ(out.GetLength(), 0);
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
  EXPECT_TRUE(dialog->shown.empty());  // logged only
}

TEST_F(FieldReaderTest, ElementsOfTheListFieldAreFieldsFromFour) {
  OpenDatabase(link, "list.ddm", "database\nfields 5\nlist 4\nrecord \"K\"\n4 = [\"e0\", \"e1\", \"e2\"]\n", "K");
  CDynBuf out;
  for (const auto& [field, text] : std::initializer_list<std::pair<int, const char*>>{
           {4, "e0"}, {6, "e2"}, {7, ""}, {40, ""}}) {
    EXPECT_TRUE(db().GetField(&link, 0, field, &out));
    EXPECT_EQ(Str(out), text) << field;
  }
}

TEST_F(FieldReaderTest, PartsMasterInsertionTriesTheSecondMaster) {
  DdmDbLink master, master2;
  OpenDatabase(master, "tsp.ddm", "database\nfields 3\nrecord \"P1\"\n2 = \"Schraube\"\n", "P1");
  OpenDatabase(master2, "tsp2.ddm", "database\nfields 3\nrecord \"P2\"\n2 = \"Mutter\"\n", "P2");
  theGlobals.m_pstamm = &master;
  theGlobals.m_pstamm2 = &master2;
  const std::string insert = Bytes({1, 27, 5, 2, 1, 27});
  std::string source = "database\nfields 8\nrecord \"K\"\n1 = " + Quoted("[" + insert + "]") + "\n5 = \"P2\"\n";
  source += "record \"K\"\n1 = " + Quoted(insert) + "\n5 = \"P1\"\n";
  OpenDatabase(link, "parts.ddm", source, "K");
  CDynBuf out;
  EXPECT_TRUE(db().GetField(&link, 0, 1, &out));
  EXPECT_EQ(Str(out), "[Mutter]");
  EXPECT_TRUE(db().GetField(&link, 1, 1, &out));
  EXPECT_EQ(Str(out), "Schraube");
  // Without the first master nothing is inserted, and the second is not tried.
  master.dbc->DdmDbDelete(1);
  master.dbc = nullptr;
  EXPECT_TRUE(db().GetField(&link, 0, 1, &out));
  EXPECT_EQ(Str(out), "[]");
  theGlobals.m_pstamm = nullptr;
  theGlobals.m_pstamm2 = nullptr;
}

}  // namespace
