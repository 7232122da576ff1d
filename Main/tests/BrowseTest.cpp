#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "Main/CDynLog.h"
#include "Main/tests/CatalogueFixture.h"

using varno::testing::Bytes;
using varno::testing::Quoted;
using varno::testing::Readable;
using varno::testing::Str;

namespace {

const std::string kHead = Bytes({0, 97, 4, 0, 1});
// The stream's beginning for the main file "main".
const std::string kStart = kHead + Bytes({0, 140, "main"});
const std::string kEnd = Bytes({0, 0});

// Key "K" with three records; record 1 applies only while A is 1, by the
// condition in its field 5.
class BrowseTest : public varno::testing::CatalogueFixture {
 protected:
  void SetUp() override {
    CatalogueFixture::SetUp();
    theGlobals.m_varno_ver = 262145;
    theGlobals.m_user_file_path = dataFolder.Path().c_str();
    vars().SetVar("VARNO_DEF", VarValue::Text(dataFolder.Path().c_str()), VAR_CHAR);
    vars().SetVar("A", VarValue::Long(2), VAR_LONG);
    vars().SetVar("Nummer", VarValue::Long(7), VAR_DUD);
    vars().SetVar("Schluessel", VarValue::Text("k1"), VAR_DUDCH);
    OpenTexts(theGlobals.m_datadud, "duden.ddm", "dictionary\nlanguage \"D\"\n7 = \"Sieben\"\n");
    OpenTexts(theGlobals.m_datachdud, "dudench.ddm", "dictionary\nlanguage \"D\"\n\"k1\" = \"Ventil\"\n");
    std::string source = "database\nfields 6\n";
    source += "record \"K\"\n0 = \"r0\"\n1 = \"main\"\n2 = \"Schluessel\"\n4 = " + Quoted(Bytes({1, 22, "P~R", 1, 22})) + "\n";
    source += "record \"K\"\n0 = \"r1\"\n3 = " + Quoted(Bytes({5, 0})) + "\n5 = \"A = 1\"\n";
    source += "record \"K\"\n0 = \"r2\"\n";
    source += "record \"O\"\n0 = \"o0\"\nrecord \"O\"\n0 = \"o1\"\n";
    OpenDatabase(link, "cat.ddm", source, "K");
  }

  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dataFolder / name, std::ios::binary) << bytes;
  }
  // Renders with the main file's statements after the head.
  BOOL Render(const std::string& main, std::string& out) {
    Write("main.wv4hpd", kHead + main);
    CDynBuf stream;
    const BOOL ok = db().Browse(stream, &link, DdmDbLink());
    out = Str(stream);
    return ok;
  }

  DdmDbLink link;
};

struct MainCase {
  const char* name;
  std::string file;  // the whole main file; the head is not added
  int code;          // 0: rendered
  std::string out;   // the stream when rendered
  int value = 0;
};
void PrintTo(const MainCase& c, std::ostream* os) { *os << c.name << ": " << Readable(c.file); }

class MainFileCases : public BrowseTest, public ::testing::WithParamInterface<MainCase> {};

TEST_P(MainFileCases, RenderOrFailWithTheirCode) {
  const MainCase& c = GetParam();
  Write("main.wv4hpd", c.file);
  CDynBuf stream;
  const BOOL ok = db().Browse(stream, &link, DdmDbLink());
  ASSERT_EQ(ok, c.code == 0 ? TRUE : FALSE) << NewestCode();
  if (c.code == 0) {
    EXPECT_EQ(Str(stream), c.out);
  } else {
    // Browse's own node stands below those of the calls that failed inside it.
    CErrorTrace* node = theGlobals.m_error_trace_newest;
    while (node != nullptr && node->error_code != c.code) node = node->older;
    ASSERT_NE(node, nullptr) << NewestCode();
    EXPECT_EQ(node->value, c.value);
  }
}

const std::string kFalse = "A = 1";
const std::string kTrue = "A = 2";

INSTANTIATE_TEST_SUITE_P(
    Cases, MainFileCases,
    ::testing::Values(
        MainCase{"OneByte", kHead + "x", 0, kStart + "x" + kEnd},
        MainCase{"StatementWithoutTag", kHead + Bytes({0}), 10, ""},
        MainCase{"HeadAlone", kHead, 10, ""},
        MainCase{"EmptyFile", "", 12, "", 255},
        MainCase{"WrongFirstByte", Bytes({1, 97, 4, 0, 1, 'x'}), 12, "", 1},
        MainCase{"WrongMagic", Bytes({0, 98, 4, 0, 1, 'x'}), 13, "", 98},
        MainCase{"NewerVersion", Bytes({0, 97, 4, 0, 2, 'x'}), 14, ""},
        MainCase{"OlderVersion", Bytes({0, 97, 3, 9, 9, 'x'}), 0, Bytes({0, 97, 3, 9, 9, 0, 140, "main", "x", 0, 0})},
        MainCase{"TextNumber", kHead + Bytes({0, 62, 7, 0, 0, 0, "!"}), 0, kStart + "Sieben!" + kEnd},
        MainCase{"TextNumberAtEnd", kHead + Bytes({0, 62, 7, 0, 0, 0}), 10, ""},
        MainCase{"TextKey", kHead + Bytes({0, 126, "k1", 0, 127}), 0, kStart + "Ventil" + kEnd},
        MainCase{"TextKeyWrongClose", kHead + Bytes({0, 126, "k1", 0, 128, "x"}), 341, "", 128},
        MainCase{"NameList",
                 kHead + Bytes({0, 12, 0, 82, "a,,b", 0, 83, 0, 86, "x", 0, 87}) + kFalse + Bytes({0, 88, 0, 86, "y", 0, 87}) +
                     kTrue + Bytes({0, 88, 0, 13}),
                 0, kStart + Bytes({0, 12, 0, 82, "a,b,y", 0, 83, 0, 84, "x", 0, 85, 0, 13}) + kEnd},
        MainCase{"NameListOfEmptyNames", kHead + Bytes({0, 12, 0, 82, ",", 0, 83, 0, 13}), 0,
                 kStart + Bytes({0, 12, 0, 82, 0, 83, 0, 13}) + kEnd},
        MainCase{"NameListTwoEntries", kHead + Bytes({0, 12, 0, 82, "a", 0, 83, 0, 82, "b", 0, 83, 0, 13}), 0,
                 kStart + Bytes({0, 12, 0, 82, "a,b", 0, 83, 0, 13}) + kEnd},
        MainCase{"NameListEmpty", kHead + Bytes({0, 12, 0, 13}), 0, kStart + Bytes({0, 12, 0, 13}) + kEnd},
        MainCase{"NameListUnknownKind", kHead + Bytes({0, 12, 0, 90, 0, 13}), 21, "", 90},
        MainCase{"NameListWrongClose", kHead + Bytes({0, 12, 0, 82, "a", 0, 85, 0, 13}), 19, "", 85},
        MainCase{"NameListBadCondition", kHead + Bytes({0, 12, 0, 86, "x", 0, 87, "A =", 0, 88, 0, 13}), 18, ""},
        MainCase{"NameListEntryWithoutZero", kHead + Bytes({0, 12, "x", 0, 13}), 15, "", 'x'},
        MainCase{"ComputedTexts", kHead + Bytes({0, 14, 0, 130, "\"ab\"", 0, 131, 0, 136, 1, 2, 0, 15}), 0,
                 kStart + Bytes({0, 14, 0, 130, "ab", 0, 131, 0, 136, 1, 2, 0, 15}) + kEnd},
        MainCase{"ComputedTextFails", kHead + Bytes({0, 14, 0, 130, 1, 2, 0, 131, 0, 15}), 480, ""},
        MainCase{"ComputedTextUnknownKind", kHead + Bytes({0, 14, 0, 140, 0, 15}), 479, "", 140},
        MainCase{"IfFalse", kHead + Bytes({0, 166}) + kFalse + Bytes({0, 167, "A", 0, 169, "."}), 0, kStart + "." + kEnd},
        MainCase{"IfTrue", kHead + Bytes({0, 166}) + kTrue + Bytes({0, 167, "A", 0, 169, "."}), 0, kStart + "A." + kEnd},
        MainCase{"IfElseFalse", kHead + Bytes({0, 166}) + kFalse + Bytes({0, 167, "A", 0, 168, "B", 0, 169}), 0,
                 kStart + "B" + kEnd},
        MainCase{"IfElseTrue", kHead + Bytes({0, 166}) + kTrue + Bytes({0, 167, "A", 0, 168, "B", 0, 169}), 0,
                 kStart + "A" + kEnd},
        MainCase{"IfNested", kHead + Bytes({0, 166, 0, 166}), 535, ""},
        MainCase{"ElseOutsideIf", kHead + Bytes({0, 168}), 538, ""},
        MainCase{"EndifOutsideIf", kHead + Bytes({0, 169}), 539, ""},
        MainCase{"ThenOutsideIf", kHead + Bytes({0, 167}), 536, ""},
        MainCase{"IfBadCondition", kHead + Bytes({0, 166, "A =", 0, 167, 0, 169}), 537, ""},
        MainCase{"IfLeftOpen", kHead + Bytes({0, 166}) + kTrue + Bytes({0, 167, "A"}), 0, kStart + "A" + kEnd},
        MainCase{"BlockNotClosed", kHead + Bytes({0, 26, "b", 0, 0}), 26, "", 1},
        MainCase{"BlockClosedTwice", kHead + Bytes({0, 26, "b", 0, 71, 0, 71}), 26, "", -1},
        MainCase{"Block", kHead + Bytes({0, 27, "b", 0, 71}), 0, kStart + Bytes({0, 27, "b", 0, 71}) + kEnd},
        MainCase{"NoHandler", kHead + Bytes({0, 17, "t", 0, 90}), 24, ""},
        MainCase{"MarkerOutsideStatement", kHead + Bytes({"a", 1, 2}), 25, ""},
        MainCase{"UnknownProgram", kHead + Bytes({0, 162, "12", 0, 163}), 252, "", 12},
        MainCase{"ProgramWrongClose", kHead + Bytes({0, 162, "12", 0, 164, "x"}), 365, "", 164},
        MainCase{"CopiedTexts",
                 kHead + Bytes({0, 106, "j", 0, 107, 0, 155, "s", 0, 24, 5, 0, 118, "v", 0, 62, 0, 0, 0, 0, 0, 119}), 0,
                 kStart + Bytes({0, 106, "j", 0, 107, 0, 155, "s", 0, 24, 5, 0, 118, "v", 0, 62, 0, 0, 0, 0, 0, 119}) + kEnd},
        MainCase{"CopiedTextNotClosed", kHead + Bytes({0, 106, "j"}), 22, "", 255},
        MainCase{"CopiedTextEndsAtClose", kHead + Bytes({0, 106, "j", 0}), 10, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BrowseTest, KeyVariablesAndTheCopyFile) {
  std::string out;
  ASSERT_TRUE(Render(Bytes({0, 115, "pop", 0, 128}), out)) << NewestCode();
  EXPECT_EQ(out, kStart + Bytes({0, 115, "pop", 0, 128}) + kEnd);
  VarValue v;
  EXPECT_EQ(vars().GetVar("KEYNAME", &v), VAR_CHAR);
  EXPECT_STREQ(v.text, "Schluessel");
  EXPECT_EQ(vars().GetVar("WV4POPUP", &v), VAR_BOOL);
  EXPECT_EQ(v.bval, TRUE);
  EXPECT_EQ(vars().GetVar("WV4ADDTOLIST", &v), VAR_BOOL);
  EXPECT_EQ(v.bval, TRUE);
  std::ifstream copy(dataFolder / "db2view.wv4", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copy), {}), out);
}

TEST_F(BrowseTest, UnwritableCopyIsLoggedAndTheKeyStillRenders) {
  theGlobals.m_user_file_path = (dataFolder / "missing/folder").c_str();
  std::string out;
  EXPECT_TRUE(Render("x", out));
  EXPECT_EQ(out, kStart + "x" + kEnd);
  EXPECT_TRUE(dialog->shown.empty());
}

TEST_F(BrowseTest, MissingDescriptionFolderAndFiles) {
  std::string out;
  vars().RemoveAll();
  EXPECT_FALSE(Render("x", out));
  EXPECT_EQ(NewestCode(), 8);
  vars().SetVar("VARNO_DEF", VarValue::Text((dataFolder / "nowhere").c_str()), VAR_CHAR);
  EXPECT_FALSE(Render("x", out));
  EXPECT_EQ(NewestCode(), 9);
}

// Included files: the rendering statements over the key's records.
struct RenderCase {
  const char* name;
  std::string part;  // statements of part.wv4hfd
  int code;
  std::string out;  // what part.wv4hfd rendered
};
void PrintTo(const RenderCase& c, std::ostream* os) { *os << c.name << ": " << Readable(c.part); }

class IncludedFileCases : public BrowseTest, public ::testing::WithParamInterface<RenderCase> {};

TEST_P(IncludedFileCases, RenderOrFailWithTheirCode) {
  const RenderCase& c = GetParam();
  Write("part.wv4hfd", kHead + c.part);
  std::string out;
  const BOOL ok = Render(Bytes({0, 21, "part", 0, 0}), out);
  ASSERT_EQ(ok, c.code == 0 ? TRUE : FALSE) << NewestCode();
  if (c.code == 0) {
    EXPECT_EQ(out, kStart + Bytes({0, 21, "part"}) + kHead + c.out + kEnd);
  } else {
    EXPECT_TRUE(TraceHas(c.code)) << NewestCode();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IncludedFileCases,
    ::testing::Values(
        RenderCase{"CopiedWithClosingStatement", Bytes({0, 17, "t", 0, 90, 0, 10, 1, 2, 3, 0, 12}), 0,
                   Bytes({0, 17, "t", 0, 90, 0, 10, 1, 2, 3, 0, 12})},
        RenderCase{"TextNumberAndEnd", Bytes({0, 62, 7, 0, 0, 0, 0, 0, "."}), 0, "Sieben."},
        RenderCase{"FieldOfTheCurrentRecord", Bytes({0, 63, 0, "|", 0, 63, 2}), 0, "r0|Schluessel"},
        RenderCase{"RepeatKeepsTheRecordsThatApply", Bytes({0, 52, 0, 63, 0, ";", 0, 53}), 0,
                   Bytes({0, 52, "r0;", 0, 53, 0, 52, "r2;", 0, 53})},
        RenderCase{"RepeatWithoutFieldOnce", Bytes({0, 52, "x", 0, 53}), 0, Bytes({0, 52, "x", 0, 53})},
        RenderCase{"KeyRepeatWithoutItsTags", Bytes({0, 141, 0, 63, 0, 0, 142, "."}), 0, "r0r2."},
        // The level falls at every end, also after a body without a field.
        RenderCase{"KeyRepeatAfterOneWithoutField", Bytes({0, 141, "x", 0, 142, 0, 141, 0, 63, 0, 0, 142}), 0,
                   "xr0r2"},
        RenderCase{"RecordBlockAndOtherKey",
                   Bytes({0, 41, "b", 0, 63, 0, 0, 42, 0, 41, "c", 0, 138, "\"O\"", 0, 139, 0, 63, 0, 0, 42, 0, 63, 0}), 0,
                   Bytes({0, 41, "b", "r0", 0, 42, 0, 41, "c", "o0", 0, 42, "r0"})},
        RenderCase{"OtherKeyAfterField", Bytes({0, 63, 0, 0, 138, "\"O\"", 0, 139}), 496, ""},
        RenderCase{"Variables", Bytes({0, 65, "A", 0, 64, 0, 65, "none", 0, 64}), 0, "2"},
        RenderCase{"VariableOfBoolType", Bytes({0, 65, "WV4POPUP", 0, 64}), 51, ""},
        RenderCase{"CharCode", Bytes({0, 69, "65", 0, 70, 0, 69, "8364", 0, 70}), 0, Bytes({'A', 0xAC, 0x20})},
        RenderCase{"CharCodeTooSmall", Bytes({0, 69, "31", 0, 70}), 60, ""},
        RenderCase{"AssignmentRuns", Bytes({0, 79, "A", 0, 67, "5", 0, 91, 0, 65, "A", 0, 64}), 0, "5"},
        RenderCase{"AssignmentInLinkTargetPassesOn",
                   Bytes({0, 2, "t", 0, 77, 0, 79, "A", 0, 67, "5", 0, 91, 0, 4, 0, 65, "A", 0, 64}), 0,
                   Bytes({0, 2, "t", 0, 77, 0, 79, "A", 0, 67, "5", 0, 91, 0, 4, "2"})},
        RenderCase{"AssignmentWithoutValue", Bytes({0, 79, "A", 0, 68, "5", 0, 91}), 68, ""},
        RenderCase{"AssignmentFails", Bytes({0, 78, "S", 0, 67, 1, 2, 0, 91}), 65, ""},
        RenderCase{"MasterFieldWithoutMaster", Bytes({0, 129, 0, 2, "."}), 0, "."},
        RenderCase{"Neighbour", Bytes({0, 156, "P~L", 0, 157}), 0, Bytes({0, 156, "P~L", 0, 157})},
        RenderCase{"GroupLeftOpen", Bytes({0, 72, "g", 0, 0}), 84, ""},
        RenderCase{"GroupTextNotClosed", Bytes({0, 72, "g"}), 62, ""},
        RenderCase{"Group", Bytes({0, 72, "g", 0, 73}), 0, Bytes({0, 72, "g", 0, 73})},
        RenderCase{"GroupClosedInsideRecordBlock", Bytes({0, 72, "g", 0, 41, "b", 0, 73}), 83, ""},
        RenderCase{"SecondHead", Bytes({0, 97, 4, 0, 1}), 27, ""},
        RenderCase{"MarkerOutsideStatement", Bytes({1, 2}), 25, ""},
        RenderCase{"TextVariables", Bytes({0, 66, "Nummer", 0, 92, 0, 66, "Schluessel", 0, 92, 0, 66, "A", 0, 92}), 0,
                   "SiebenVentil"},
        RenderCase{"TextVariableWrongClose", Bytes({0, 66, "Nummer", 0, 93}), 54, ""},
        RenderCase{"TextKey", Bytes({0, 126, "k1", 0, 127}), 0, "Ventil"},
        RenderCase{"LevelClosedInsideRepeat", Bytes({0, 52, 0, 46, 0, 75, 0, 53}), 81, ""},
        RenderCase{"RepeatEndsInsideLevel", Bytes({0, 52, 0, 48, 0, 53}), 47, ""},
        RenderCase{"RecordBlockEndsInsideLevel", Bytes({0, 41, "b", 0, 47, 0, 42}), 41, ""},
        RenderCase{"OtherKeyFails", Bytes({0, 138, 1, 2, 0, 139}), 497, ""},
        RenderCase{"CharCodeNotClosed", Bytes({0, 69, "65"}), 59, ""},
        RenderCase{"IfInIncludedFile", Bytes({0, 166, "A = 2", 0, 167, "T", 0, 168, "E", 0, 169}), 0, "T"},
        // A repeat whose body sets the record back would go back without end.
        RenderCase{"RepeatOverARecordBlock", Bytes({0, 52, 0, 41, "b", 0, 63, 0, 0, 53, 0, 42}), 543, ""},
        RenderCase{"RepeatInsideARepeat", Bytes({0, 52, 0, 52, 0, 63, 0, 0, 53, 0, 63, 0, 0, 53}), 543, ""},
        RenderCase{"RepeatInsideAKeyRepeat",
                   Bytes({0, 141, 0, 63, 0, 0, 52, 0, 63, 0, 0, 53, 0, 63, 0, 0, 142}), 543, ""},
        RenderCase{"RepeatsOneAfterTheOther", Bytes({0, 52, 0, 63, 0, 0, 53, 0, 52, 0, 63, 0, 0, 53}), 0,
                   Bytes({0, 52, "r0", 0, 53, 0, 52, "r2", 0, 53, 0, 52, "r0", 0, 53, 0, 52, "r2", 0, 53})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BrowseTest, OnlyTheSecondRecordAppliesInARepeat) {
  vars().SetVar("A", VarValue::Long(1), VAR_LONG);
  std::string source = "database\nfields 6\n";
  for (int i = 0; i < 3; ++i) {
    source += "record \"Q\"\n0 = \"q" + std::to_string(i) + "\"\n1 = \"main\"\n2 = \"Q\"\n3 = " +
              Quoted(Bytes({5, 0})) + "\n5 = \"A = " + (i == 1 ? "1" : "2") + "\"\n";
  }
  OpenDatabase(link, "q.ddm", source, "Q");
  Write("part.wv4hfd", kHead + Bytes({0, 52, 0, 63, 0, 0, 53}));
  std::string out;
  ASSERT_TRUE(Render(Bytes({0, 21, "part", 0, 0}), out)) << NewestCode();
  EXPECT_EQ(out, kStart + Bytes({0, 21, "part"}) + kHead + Bytes({0, 52, "q1", 0, 53}) + kEnd);
}

TEST_F(BrowseTest, RightNeighbourOfARenderedFieldStandsBehindTheName) {
  Write("part.wv4hfd", kHead + Bytes({0, 63, 4, "."}));
  std::string out;
  ASSERT_TRUE(Render(Bytes({0, 21, "part", 0, 0}), out));
  EXPECT_EQ(out, kStart + Bytes({0, 158, "P~R", 0, 159, 0, 21, "part"}) + kHead + "." + kEnd);
}

// In server mode the files named in the stream go to the answer, and the
// exchange folder gets the stream, the user variables and the file list.
TEST_F(BrowseTest, ServerModeWritesTheExchangeFiles) {
  const std::string exchange = dataFolder / "answer/";
  std::filesystem::create_directories(exchange);
  theGlobals.m_exchange_dir_server = exchange.c_str();
  theGlobals.m_internet_mode = 2;
  Write("bild.drf", "picture");
  const std::string picture = dataFolder.Path() + "\\bild.drf";
  Write("part.wv4hfd", kHead + Bytes({0, 28}) + picture + Bytes({0, 89, 0, 28, "ohne", 0, 89, 0, 28}) +
                           dataFolder.Path() + "\\fehlt.drf" + Bytes({0, 89}));
  std::string out;
  ASSERT_TRUE(Render(Bytes({0, 21, "part", 0, 0}), out)) << NewestCode();
  EXPECT_EQ(out, kStart + Bytes({0, 21, "part"}) + kHead + Bytes({0, 28, "bild.drf", 0, 89, 0, 28, "ohne", 0, 89, 0, 28, "fehlt.drf", 0, 89}) +
                     kEnd);
  std::ifstream answer(exchange + "answer.iv4", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(answer), {}), out);
  std::ifstream list(exchange + "varno4.iv4", std::ios::binary);
  // A path without a backslash is neither listed nor copied; a failed copy is listed all the same.
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(list), {}),
            "answer.iv4\r\nvariable.iv4\r\nbild.drf\r\nfehlt.drf\r\n");
  std::ifstream copy(exchange + "bild.drf", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copy), {}), "picture");
  std::ifstream variables(exchange + "variable.iv4", std::ios::binary);
  const std::string assignments(std::istreambuf_iterator<char>(variables), {});
  EXPECT_EQ(assignments.substr(assignments.size() - 2), Bytes({0, 0}));
  EXPECT_NE(assignments.find("Nummer"), std::string::npos);
  theGlobals.m_internet_mode = 0;
}

// A damaged file ends in an error code wherever it is cut, never in a read
// past its end.
TEST_F(BrowseTest, EveryCutOfTheFilesFailsCleanlyOrRenders) {
  const std::string main = Bytes({0, 12, 0, 82, "a", 0, 83, 0, 86, "x", 0, 87, "A = 2", 0, 88, 0, 13, 0, 14, 0, 130,
                                  0, 62, 7, 0, 0, 0, 0, 131, 0, 136, 1, 2, 0, 15, 0, 126, "k1", 0, 127, 0, 106, "j",
                                  0, 107, 0, 166, "A = 2", 0, 167, "t", 0, 168, "e", 0, 169, 0, 21, "part", 0, 0});
  const std::string part = Bytes({0, 41, "b", 0, 52, 0, 63, 0, 0, 65, "A", 0, 64, 0, 53, 0, 42, 0, 69, "65", 0, 70,
                                  0, 79, "A", 0, 67, "2", 0, 91, 0, 17, "t", 0, 90, 0, 141, 0, 63, 2, 0, 142});
  std::string out;
  Write("part.wv4hfd", kHead + part);
  ASSERT_TRUE(Render(main, out)) << NewestCode();
  for (size_t cut = 0; cut < main.size(); ++cut) {
    Render(main.substr(0, cut), out);
    CErrorTrace::RemoveAll();
  }
  for (size_t cut = 0; cut < part.size(); ++cut) {
    Write("part.wv4hfd", kHead + part.substr(0, cut));
    Render(main, out);
    CErrorTrace::RemoveAll();
  }
}

// A stream beyond any screen's size fails, and nothing of it is shown.
TEST_F(BrowseTest, StreamBeyondTheLimitFails) {
  vars().SetVar("Big", VarValue::Text(std::string(4 * 1024 * 1024, 'x').c_str()), VAR_CHAR);
  std::string part;
  for (int i = 0; i < 5; ++i) part += Bytes({0, 65, "Big", 0, 64});
  Write("part.wv4hfd", kHead + part);
  std::string out;
  EXPECT_FALSE(Render(Bytes({0, 21, "part", 0, 0}), out));
  EXPECT_TRUE(TraceHas(542)) << NewestCode();
  CErrorTrace::RemoveAll();
  Write("part.wv4hfd", kHead + part.substr(0, 3 * part.size() / 5));
  EXPECT_TRUE(Render(Bytes({0, 21, "part", 0, 0}), out)) << NewestCode();
}

// Damaged files with bytes changed anywhere: every rendering ends, in its
// stream or in an error code.
TEST_F(BrowseTest, FilesWithChangedBytesRenderOrFailButEnd) {
  const std::string main = Bytes({0, 12, 0, 82, "a", 0, 83, 0, 86, "x", 0, 87, "A = 2", 0, 88, 0, 13, 0, 14, 0, 130,
                                  0, 62, 7, 0, 0, 0, 0, 131, 0, 136, 1, 2, 0, 15, 0, 166, "A = 2", 0, 167, "t", 0, 168,
                                  "e", 0, 169, 0, 21, "part", 0, 0});
  const std::string part = Bytes({0, 41, "b", 0, 52, 0, 63, 0, 0, 65, "A", 0, 64, 0, 53, 0, 42, 0, 141, 0, 63, 2,
                                  0, 142, 0, 41, "c", 0, 138, "\"O\"", 0, 139, 0, 52, 0, 63, 0, 0, 53, 0, 42, 0, 79,
                                  "A", 0, 67,
                                  "2", 0, 91, 0, 166, "A = 2", 0, 167, "t", 0, 169, 0, 72, "g", 0, 73});
  std::string out;
  Write("part.wv4hfd", kHead + part);
  ASSERT_TRUE(Render(main, out)) << NewestCode();
  // The bytes that steer the walk: statement bytes, tags and the closing tags.
  const unsigned char tags[] = {0, 1, 21, 41, 42, 52, 53, 63, 138, 139, 141, 142, 166, 167, 168, 169};
  std::mt19937 random(20261214);
  for (int round = 0; round < 400; ++round) {
    std::string damagedMain = main, damagedPart = part;
    std::string& target = round % 2 == 0 ? damagedPart : damagedMain;
    for (int changes = 1 + static_cast<int>(random() % 4); changes > 0; --changes) {
      const size_t at = random() % target.size();
      target[at] = static_cast<char>(random() % 2 == 0 ? tags[random() % std::size(tags)] : random() % 256);
    }
    Write("part.wv4hfd", kHead + damagedPart);
    vars().SetVar("A", VarValue::Long(2), VAR_LONG);
    Render(damagedMain, out);
    CErrorTrace::RemoveAll();
  }
}

TEST_F(BrowseTest, ClearHistoryEmptiesTheHistoryAndKeepsTheKeyOut) {
  theGlobals.m_phistory->AddEntry("P~X", CDynBuf(), 0, 0);
  Write("part.wv4hfd", kHead + Bytes({0, 160}));
  std::string out;
  ASSERT_TRUE(Render(Bytes({0, 21, "part", 0, 0}), out));
  EXPECT_EQ(theGlobals.m_phistory->GetCount(), 0);
  VarValue v;
  vars().GetVar("WV4ADDTOLIST", &v);
  EXPECT_EQ(v.bval, FALSE);
}

}  // namespace
