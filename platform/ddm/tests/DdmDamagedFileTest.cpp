#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "DdmFixture.h"
#include "store/SqliteDb.h"

using ddm::testing::DdmFiles;
using ddm::testing::LogOf;

namespace {

const char* const kDatabase = "database\nfields 3\nlist 2\nrecord \"k\"\n0 = \"zero\"\n2 = [\"a\", \"b\"]\n";
const char* const kDictionary = "dictionary\nlanguage \"D\"\n1 = \"eins\"\n\"k\" = \"Ka\"\n";

void ExecuteOn(const std::string& path, const std::string& sql) {
  ddm::SqliteDb db;
  std::string why;
  ASSERT_TRUE(db.Open(path, ddm::SqliteDb::Mode::Create, &why)) << why;
  ASSERT_TRUE(db.Execute(sql, &why)) << why;
}

void CutTo(const std::string& path, std::uintmax_t size) { std::filesystem::resize_file(path, size); }

std::uintmax_t SizeOf(const std::string& path) { return std::filesystem::file_size(path); }

void OverwriteAt(const std::string& path, std::uintmax_t offset, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "r+b");
  ASSERT_NE(file, nullptr);
  std::fseek(file, static_cast<long>(offset), SEEK_SET);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

struct DamageCase {
  const char* name;
  const char* source;  // the file before the damage
  std::function<void(const std::string& path)> damage;
  const char* reason;  // part of the log line
};

}  // namespace

// Every file that is not a sound database fails the open with a log line
// that names the file and the reason; the object stays closed and usable.
TEST(DdmDamagedFile, DatabasesThatCannotBeOpened) {
  const DamageCase cases[] = {
      {"missing", kDatabase, [](const std::string& p) { std::filesystem::remove(p); }, "no such file"},
      {"a folder", kDatabase,
       [](const std::string& p) {
         std::filesystem::remove(p);
         std::filesystem::create_directory(p);
       },
       "no such file"},
      {"empty", kDatabase, [](const std::string& p) { CutTo(p, 0); }, "too short"},
      {"text", kDatabase,
       [](const std::string& p) {
         CutTo(p, 0);
         OverwriteAt(p, 0, std::string(4096, 'x'));
       },
       "not a data manager file"},
      {"foreign SQLite file", kDatabase,
       [](const std::string& p) {
         std::filesystem::remove(p);
         ExecuteOn(p, "CREATE TABLE t(a); INSERT INTO t VALUES(1)");
       },
       "not a data manager file"},
      {"a dictionary", kDictionary, [](const std::string&) {}, "a dictionary, not a database"},
      {"cut to half", kDatabase, [](const std::string& p) { CutTo(p, SizeOf(p) / 2); }, "truncated"},
      {"cut by one page", kDatabase, [](const std::string& p) { CutTo(p, SizeOf(p) - 4096); }, "truncated"},
      {"cut by one byte", kDatabase, [](const std::string& p) { CutTo(p, SizeOf(p) - 1); }, "truncated"},
      {"cut to the header", kDatabase, [](const std::string& p) { CutTo(p, 100); }, "truncated"},
      {"signature damaged", kDatabase, [](const std::string& p) { OverwriteAt(p, 0, "SQLite format 4"); },
       "not a data manager file"},
      {"page size damaged", kDatabase, [](const std::string& p) { OverwriteAt(p, 16, std::string("\x00\x03", 2)); },
       "page size"},
      {"first page garbage", kDatabase, [](const std::string& p) { OverwriteAt(p, 100, std::string(3900, '\xA5')); },
       "damaged"},
      {"newer layout", kDatabase,
       [](const std::string& p) { ExecuteOn(p, "UPDATE ddm_file SET value = 2 WHERE name = 'layout'"); },
       "layout 2 is not known"},
      {"other format", kDatabase,
       [](const std::string& p) { ExecuteOn(p, "UPDATE ddm_file SET value = 'x' WHERE name = 'format'"); },
       "not a data manager file"},
      {"field numbers with a gap", kDatabase,
       [](const std::string& p) { ExecuteOn(p, "DELETE FROM ddm_fields WHERE field = 0"); }, "field numbers"},
      {"records table missing", kDatabase, [](const std::string& p) { ExecuteOn(p, "DROP TABLE ddm_values"); },
       "damaged"},
  };
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(c.name);
    DdmFiles files;
    const std::string path = files.Build("cat.ddm", c.source);
    c.damage(path);
    DdmDatabase db;
    const std::string log = LogOf([&] { EXPECT_FALSE(db.DdmDbOpen(path.c_str())); });
    EXPECT_NE(log.find("DdmDbOpen \"" + path + "\""), std::string::npos) << log;
    EXPECT_NE(log.find(c.reason), std::string::npos) << log;
    EXPECT_EQ(db.DdmDbGetFieldCount(), 0);
    EXPECT_EQ(db.DdmDbFindKey("k", 0), 0);
    EXPECT_EQ(db.DdmDbGetField(0, 0, nullptr), nullptr);
  }
}

// Damage that SQLite meets only when a search reads the damaged part fails
// that search, with a log line, and leaves the object usable.
TEST(DdmDamagedFile, DamageFoundBySearchFailsTheSearch) {
  const DamageCase cases[] = {
      {"value of a field beyond the count", kDatabase,
       [](const std::string& p) { ExecuteOn(p, "UPDATE ddm_values SET field = 7 WHERE field = 0"); },
       "damaged (record 1)"},
      {"element of a plain field", kDatabase,
       [](const std::string& p) { ExecuteOn(p, "UPDATE ddm_values SET element = 1 WHERE field = 0"); },
       "damaged (record 1)"},
      {"list with a gap", kDatabase,
       [](const std::string& p) { ExecuteOn(p, "DELETE FROM ddm_values WHERE field = 2 AND element = 0"); },
       "damaged (record 1)"},
  };
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(c.name);
    DdmFiles files;
    const std::string path = files.Build("cat.ddm", c.source);
    c.damage(path);
    DdmDatabase db;
    ASSERT_TRUE(db.DdmDbOpen(path.c_str()));
    const std::string log = LogOf([&] { EXPECT_EQ(db.DdmDbFindKey("k", 0), 0); });
    EXPECT_NE(log.find("DdmDbFindKey \"" + path + "\": " + c.reason), std::string::npos) << log;
    EXPECT_EQ(db.DdmDbGetField(0, 0, nullptr), nullptr);
  }
}

// Garbage over the pages behind the first: whatever SQLite makes of it, a
// search gives records or fails with a log line, and never crashes.
TEST(DdmDamagedFile, GarbageInTheRecordPagesNeverCrashesASearch) {
  std::string source = "database\nfields 2\nlist 1\n";
  for (int i = 0; i < 2000; ++i)
    source += "record \"K" + std::to_string(i) + "\"\n0 = \"value " + std::to_string(i) + "\"\n1 = [\"x\", \"y\"]\n";
  for (const std::uintmax_t offset : {4096u, 3 * 4096u, 9 * 4096u, 20 * 4096u + 77}) {
    SCOPED_TRACE(offset);
    DdmFiles files;
    const std::string path = files.Build("big.ddm", source);
    std::string garbage(4096, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 131 + offset);
    OverwriteAt(path, offset, garbage);
    DdmDatabase db;
    if (!db.DdmDbOpen(path.c_str())) continue;
    for (int i = 0; i < 2000; i += 37) {
      const std::string key = "K" + std::to_string(i);
      int hits = 0;
      const std::string log = LogOf([&] { hits = db.DdmDbLookup(key.c_str(), 0); });
      EXPECT_TRUE(hits == 1 || (hits == 0 && log.find("damaged") != std::string::npos)) << key << " " << log;
      if (hits == 1) {
        EXPECT_EQ(db.DdmDbGetElementCount(0, 1), 2);
      }
    }
  }
}

TEST(DdmDamagedFile, DictionariesThatCannotBeOpenedGiveEmptyTexts) {
  const DamageCase cases[] = {
      {"missing", kDictionary, [](const std::string& p) { std::filesystem::remove(p); }, "no such file"},
      {"a database", kDatabase, [](const std::string&) {}, "a database, not a dictionary"},
      {"cut to half", kDictionary, [](const std::string& p) { CutTo(p, SizeOf(p) / 2); }, "truncated"},
      {"languages table missing", kDictionary, [](const std::string& p) { ExecuteOn(p, "DROP TABLE ddm_languages"); },
       "damaged"},
  };
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(c.name);
    DdmFiles files;
    const std::string path = files.Build("texts.ddm", c.source);
    c.damage(path);
    DdmTextTable texts;
    const std::string log = LogOf([&] { EXPECT_FALSE(texts.DdmTextOpen(path.c_str(), "D", "D0", 0, 0)); });
    EXPECT_NE(log.find("DdmTextOpen \"" + path + "\""), std::string::npos) << log;
    EXPECT_NE(log.find(c.reason), std::string::npos) << log;
    EXPECT_STREQ(texts.DdmGetText(1), "");
    EXPECT_STREQ(texts.DdmGetTextByKey("k"), "");
  }
}
