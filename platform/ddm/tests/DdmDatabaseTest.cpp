#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "DdmFixture.h"
#include "win32/Paths.h"

using ddm::testing::DdmFiles;
using ddm::testing::ElementOf;
using ddm::testing::FieldOf;
using ddm::testing::LogOf;

namespace {

// A catalogue of the shape the viewer reads: five fields, field 4 a list.
const char* const kCatalogue = R"(database
fields 5
list 4
record "A100"
0 = "first\x00with zero\xFF"
1 = "main"
2 = "A100 name"
4 = ["e0", "", "e2"]
record "B200"
1 = "b main"
record "A100"
1 = "second"
3 = "\x01\x02\x03\x04"
record "Abc"
1 = "exact Abc"
record "ABC"
1 = "exact ABC"
record "\xC4rger"
1 = "umlaut"
)";

class DdmDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = files.Build("cat.ddm", kCatalogue);
    ASSERT_TRUE(db.DdmDbOpen(path.c_str()));
  }
  DdmFiles files;
  std::string path;
  DdmDatabase db;
};

}  // namespace

TEST(DdmVersion, IsTheOneTheProgramsAccept) {
  EXPECT_EQ(HIWORD(DdmGetVersion()), 0x0102);
  EXPECT_GE(LOWORD(DdmGetVersion()), 0x47);
}

TEST_F(DdmDatabaseTest, FindKeyGivesAKeysRecordsInCatalogueOrderWithTheirBytes) {
  EXPECT_EQ(db.DdmDbGetFieldCount(), 5);
  ASSERT_EQ(db.DdmDbFindKey("A100", 0), 2);
  EXPECT_EQ(FieldOf(db, 0, 0), std::string("first\0with zero\xFF", 16));
  EXPECT_EQ(FieldOf(db, 0, 1), "main");
  EXPECT_EQ(FieldOf(db, 1, 1), "second");
  EXPECT_EQ(FieldOf(db, 1, 3), "\x01\x02\x03\x04");
  // A field that the record leaves out is present and empty.
  EXPECT_EQ(FieldOf(db, 1, 0), "");
  EXPECT_TRUE(db.DdmDbHasField(0, 1));
  EXPECT_FALSE(db.DdmDbHasField(1, 0));

  EXPECT_EQ(db.DdmDbFindKey("B200", 0), 1);
  EXPECT_EQ(FieldOf(db, 0, 1), "b main");
  EXPECT_EQ(db.DdmDbFindKey("nothing", 0), 0);
  EXPECT_EQ(FieldOf(db, 0, 1), "<null>");
}

TEST_F(DdmDatabaseTest, ListFieldsGiveTheirElementsAndPlainFieldsCountAsOne) {
  ASSERT_EQ(db.DdmDbFindKey("A100", 0), 2);
  EXPECT_FALSE(db.DdmDbIsListField(3));
  EXPECT_TRUE(db.DdmDbIsListField(4));
  EXPECT_EQ(db.DdmDbGetElementCount(0, 4), 3);
  EXPECT_EQ(ElementOf(db, 0, 4, 0), "e0");
  EXPECT_EQ(ElementOf(db, 0, 4, 1), "");
  EXPECT_EQ(ElementOf(db, 0, 4, 2), "e2");
  EXPECT_TRUE(db.DdmDbHasElement(0, 4, 1));
  EXPECT_FALSE(db.DdmDbHasElement(0, 4, 3));
  EXPECT_EQ(FieldOf(db, 0, 4), "e0");
  EXPECT_TRUE(db.DdmDbHasField(0, 4));
  // The second record's list is empty.
  EXPECT_EQ(db.DdmDbGetElementCount(1, 4), 0);
  EXPECT_EQ(FieldOf(db, 1, 4), "<null>");
  EXPECT_FALSE(db.DdmDbHasField(1, 4));
  EXPECT_EQ(db.DdmDbGetElementCount(0, 1), 1);
  EXPECT_EQ(ElementOf(db, 0, 1, 0), "main");
}

TEST_F(DdmDatabaseTest, ReadsOutOfRangeGiveNullAndZero) {
  ASSERT_EQ(db.DdmDbFindKey("A100", 0), 2);
  struct Case {
    int hit, field, element;
  } cases[] = {{-1, 1, 0},      {2, 1, 0},  {1000000, 1, 0}, {0, -1, 0}, {0, 5, 0},
               {0, 0x10000, 0}, {0, 4, -1}, {0, 4, 3},       {0, 1, 1},  {0, 1, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "hit " << c.hit << " field " << c.field << " element " << c.element);
    int length = 99;
    EXPECT_EQ(db.DdmDbGetElement(c.hit, c.field, c.element, &length), nullptr);
    EXPECT_EQ(length, 0);
    EXPECT_FALSE(db.DdmDbHasElement(c.hit, c.field, c.element));
    if (c.element == 0) {
      length = 99;
      EXPECT_EQ(db.DdmDbGetField(c.hit, c.field, &length), nullptr);
      EXPECT_EQ(length, 0);
      EXPECT_FALSE(db.DdmDbHasField(c.hit, c.field));
      EXPECT_EQ(db.DdmDbGetElementCount(c.hit, c.field), 0);
    }
  }
  EXPECT_FALSE(db.DdmDbIsListField(-1));
  EXPECT_FALSE(db.DdmDbIsListField(5));
  EXPECT_EQ(db.DdmDbGetField(0, 1, nullptr), db.DdmDbGetField(0, 1, nullptr));  // a null length is allowed
}

TEST_F(DdmDatabaseTest, AFieldPointerLastsWhileItsObjectsResultStands) {
  ASSERT_EQ(db.DdmDbFindKey("A100", 0), 2);
  int length = 0;
  const BYTE* first = db.DdmDbGetField(0, 0, &length);
  const BYTE* element = db.DdmDbGetElement(0, 4, 2, nullptr);

  // Everything the engine does while it decodes one field.
  FieldOf(db, 0, 1);
  FieldOf(db, 1, 3);
  ElementOf(db, 0, 4, 0);
  DdmDatabase copy(db);
  EXPECT_EQ(copy.DdmDbLookup("B200", 0), 1);
  DdmDatabase other;
  ASSERT_TRUE(other.DdmDbOpen(path.c_str()));
  EXPECT_EQ(other.DdmDbFindKey("A100", 0), 2);
  other.DdmDbClose();
  copy.DdmDbEndLookup();

  EXPECT_EQ(std::string(reinterpret_cast<const char*>(first), length), std::string("first\0with zero\xFF", 16));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(element), 2), "e2");
}

TEST_F(DdmDatabaseTest, ACopyHasItsOwnResultAndOutlivesTheOriginal) {
  ASSERT_EQ(db.DdmDbFindKey("A100", 0), 2);
  auto copy = std::make_unique<DdmDatabase>(db);
  EXPECT_EQ(FieldOf(*copy, 0, 1), "<null>");  // the copy starts without a result
  EXPECT_EQ(copy->DdmDbGetFieldCount(), 5);
  EXPECT_EQ(copy->DdmDbLookup("B200", 0), 1);
  EXPECT_EQ(FieldOf(db, 1, 1), "second");

  db.DdmDbDelete(0);  // closes the original
  EXPECT_EQ(db.DdmDbGetFieldCount(), 0);
  EXPECT_EQ(db.DdmDbFindKey("A100", 0), 0);
  EXPECT_EQ(FieldOf(*copy, 0, 1), "b main");
  EXPECT_EQ(copy->DdmDbFindKey("A100", 0), 2);

  DdmDatabase closed;
  DdmDatabase copyOfClosed(closed);
  EXPECT_EQ(copyOfClosed.DdmDbFindKey("A100", 0), 0);
  copy.release()->DdmDbDelete(1);  // frees the object; the leak check sees it
}

// Lookup serves keys that people write: the exact key first, else the first
// key that differs only in case. FindKey takes the key as it is.
TEST_F(DdmDatabaseTest, LookupFallsBackToAKeyOfOtherCaseAndFindKeyDoesNot) {
  struct Case {
    const char* key;
    int findKeyHits;
    int lookupHits;
    const char* lookupField1;
  } cases[] = {
      {"A100", 2, 2, "main"},       {"a100", 0, 2, "main"},       {"Abc", 1, 1, "exact Abc"},
      {"ABC", 1, 1, "exact ABC"},   {"aBc", 0, 1, "exact Abc"},  // the first in catalogue order
      {"\xE4rger", 0, 1, "umlaut"}, {"\xC4RGER", 0, 1, "umlaut"}, {"A10", 0, 0, "<null>"},
      {"", 0, 0, "<null>"},         {"A100 ", 0, 0, "<null>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(db.DdmDbFindKey(c.key, 0), c.findKeyHits);
    EXPECT_EQ(db.DdmDbLookup(c.key, 0), c.lookupHits);
    EXPECT_EQ(FieldOf(db, 0, 1), c.lookupField1);
    db.DdmDbEndLookup();
    EXPECT_EQ(FieldOf(db, 0, 1), "<null>");
  }
  EXPECT_EQ(db.DdmDbFindKey(nullptr, 0), 0);
  EXPECT_EQ(db.DdmDbLookup(nullptr, 0), 0);
}

TEST_F(DdmDatabaseTest, CachingChangesNoResult) {
  db.DdmDbCachePointers(0);
  db.DdmDbCacheData();
  ASSERT_EQ(db.DdmDbFindKey("A100", 0), 2);
  EXPECT_EQ(FieldOf(db, 1, 1), "second");
  DdmDatabase closed;
  closed.DdmDbCacheData();
  closed.DdmDbCachePointers(0);
  EXPECT_EQ(closed.DdmDbFindKey("A100", 0), 0);
}

// A catalogue author rebuilds a database while the viewer runs; the viewer
// prepares its databases before each rendering and sees the new records.
TEST_F(DdmDatabaseTest, PrepareTakesUpARebuiltFileAndKeepsTheOldOneWhenTheNewIsBad) {
  ASSERT_EQ(db.DdmDbFindKey("A100", 0), 2);
  EXPECT_TRUE(db.DdmDbPrepare(0xFFFF));
  EXPECT_EQ(FieldOf(db, 0, 1), "<null>");  // the result is dropped

  files.Build("cat.ddm", "database\nfields 2\nrecord \"A100\"\n1 = \"rebuilt\"\n");
  EXPECT_EQ(db.DdmDbFindKey("A100", 0), 2);  // still the file that was opened
  EXPECT_TRUE(db.DdmDbPrepare(0xFFFF));
  ASSERT_EQ(db.DdmDbFindKey("A100", 0), 1);
  EXPECT_EQ(FieldOf(db, 0, 1), "rebuilt");
  EXPECT_EQ(db.DdmDbGetFieldCount(), 2);

  files.Folder().Write("bad.ddm", "no database at all");
  std::filesystem::rename(files.Folder() / "bad.ddm", path);
  const std::string log = LogOf([&] { EXPECT_FALSE(db.DdmDbPrepare(0xFFFF)); });
  EXPECT_NE(log.find("cat.ddm"), std::string::npos) << log;
  ASSERT_EQ(db.DdmDbFindKey("A100", 0), 1);
  EXPECT_EQ(FieldOf(db, 0, 1), "rebuilt");

  DdmDatabase closed;
  EXPECT_FALSE(closed.DdmDbPrepare(0xFFFF));
}

TEST(DdmDatabaseOpen, TakesSystemPathsWithDriveLettersBackslashesAndOtherCase) {
  DdmFiles files;
  files.Build("Cat.DDM", "database\nfields 1\nrecord \"k\"\n0 = \"v\"\n");
  layer::SetDriveFolder('Q', files.Folder().Path());
  DdmDatabase db;
  ASSERT_TRUE(db.DdmDbOpen("Q:\\cat.ddm"));
  EXPECT_EQ(db.DdmDbFindKey("k", 0), 1);
  // Opening an open object closes the first file and its result.
  EXPECT_FALSE(db.DdmDbOpen("Q:\\missing.ddm"));
  EXPECT_EQ(db.DdmDbGetFieldCount(), 0);
  EXPECT_EQ(FieldOf(db, 0, 0), "<null>");
}
