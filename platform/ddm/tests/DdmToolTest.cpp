#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "DdmFixture.h"
#include "SourceWriter.h"

using ddm::testing::DdmFiles;

namespace {

std::string Dump(const std::string& path) {
  ddm::DdmContent content;
  std::string why;
  EXPECT_TRUE(ddm::ReadDdmFile(path, &content, &why)) << why;
  return ddm::SourceText(content);
}

std::string EveryByte() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

int RunTool(std::vector<std::string> arguments, std::string* out, std::string* err) {
  std::ostringstream o, e;
  const int code = ddm::RunDdmTool(arguments, o, e);
  *out = o.str();
  *err = e.str();
  return code;
}

}  // namespace

// The dump is the canonical source: building it gives the same file content
// again, and it is plain ASCII whatever bytes the fields hold.
TEST(DdmTool, DumpsRoundTripDatabasesAndDictionaries) {
  const char* const sources[] = {
      "database\nfields 5\nlist 2 4\n\nrecord \"A\\x01\"\n0 = \"a\\\"b\\\\c\\n\\r\\t\"\n4 = [\"\",\n  \"x\"]\n\nrecord "
      "\"\"\n",
      "database\nfields 0\n\nrecord \"only a key\"\n",
      "dictionary\n\nlanguage \"D\"\n-5 = \"minus\"\n7 = \"\\x80\"\n\"key\" = \"text\"\n\nlanguage \"GB\"\n",
      "dictionary\n",
  };
  DdmFiles files;
  for (const char* source : sources) {
    SCOPED_TRACE(source);
    const std::string dump = Dump(files.Build("first.ddm", source));
    EXPECT_EQ(dump, source);
    EXPECT_EQ(Dump(files.Build("second.ddm", dump)), dump);
  }
}

TEST(DdmTool, EveryByteValueSurvivesTheRoundTrip) {
  DdmFiles files;
  std::string escaped;
  for (int b = 0; b < 256; ++b) {
    char escape[5];
    std::snprintf(escape, sizeof escape, "\\x%02x", b);
    escaped += escape;
  }
  const std::string path = files.Build("bytes.ddm", "database\nfields 1\nrecord \"k\"\n0 = \"" + escaped + "\"\n");
  DdmDatabase db;
  ASSERT_TRUE(db.DdmDbOpen(path.c_str()));
  ASSERT_EQ(db.DdmDbFindKey("k", 0), 1);
  EXPECT_EQ(ddm::testing::FieldOf(db, 0, 0), EveryByte());
  const std::string dump = Dump(path);
  EXPECT_EQ(Dump(files.Build("again.ddm", dump)), dump);
  for (char c : dump) EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F)) << int(c);
}

TEST(DdmTool, RawCharactersAreUtf8AndStoredAsWindows1252) {
  DdmFiles files;
  const std::string path =
      files.Build("texts.ddm",
                  "dictionary\nlanguage \"D\"\n1 = \"Gr\xC3\xB6\xC3\x9F\x65 \xE2\x82\xAC\"  # \xC3\xA4 in a comment\n");
  DdmTextTable texts(path.c_str(), "D");
  EXPECT_STREQ(texts.DdmGetText(1),
               "Gr\xF6\xDF"
               "e \x80");
}

// A fault names its line and column, and the tool writes nothing: an earlier
// file of the same name stays as it was.
TEST(DdmTool, SourceFaultsNameLineAndColumnAndWriteNothing) {
  struct Case {
    const char* source;
    const char* error;
  } cases[] = {
      {"", "src:1:1: the source must begin with \"database\" or \"dictionary\""},
      {"catalogue\n", "src:1:1: the source must begin"},
      {"database\nrecord \"a\"\n", "src:2:1: expected \"fields\""},
      {"database\nfields x\n", "src:2:8: expected the number of fields"},
      {"database\nfields 65535\n", "src:2:8: the number of fields must lie between 0 and 65534"},
      {"database\nfields 2\nlist 2\n", "src:3:6: a field number must lie between 0 and 1"},
      {"database\nfields 2\n0 = \"x\"\n", "src:3:1: a field needs a \"record\" line"},
      {"database\nfields 2\nrecord \"a\"\n2 = \"x\"\n", "src:4:1: a field number must lie between 0 and 1"},
      {"database\nfields 2\nrecord \"a\"\n1 = \"x\"\n1 = \"y\"\n", "src:5:1: field 1 is given twice"},
      {"database\nfields 2\nrecord \"a\"\n1 \"x\"\n", "src:4:3: expected \"=\""},
      {"database\nfields 2\nrecord \"a\"\n1 = [\"x\"]\n", "src:4:5: field 1 is not a list field"},
      {"database\nfields 2\nlist 1\nrecord \"a\"\n1 = \"x\"\n", "src:5:5: field 1 is a list field"},
      {"database\nfields 2\nlist 1\nrecord \"a\"\n1 = [\"x\" \"y\",\n\"z\" \"w\"\n",
       "src:7:1: expected \",\" or \"]\""},
      {"database\nfields 2\nlist 1\nrecord \"a\"\n1 = [\"x\",\n", "src:6:1: expected an element"},
      {"database\nfields 2\nrecord \"a\\x0\"\n", "src:3:10: \\x needs two hex digits"},
      {"database\nfields 2\nrecord \"a\\q\"\n", "src:3:10: unknown escape \\q"},
      {"database\nfields 2\nrecord \"a\\0\"\n", "src:3:8: the record's key cannot hold \\0"},
      {"database\nfields 2\nrecord \"open\n", "src:3:13: the string is not closed on its line"},
      {"database\nfields 2\nrecord \"a\x01\"\n",
       "src:3:10: a control character in a string must be written as an escape"},
      {"database\nfields 2\nrecord \"\xE4\"\n", "src:3:9: a byte that is not UTF-8"},
      {"database\nfields 2\nrecord \"\xE2\x82\"\n", "src:3:9: a byte that is not UTF-8"},
      {"database\nfields 2\nrecord \"\xE4\xB8\x80\"\n", "src:3:9: the character"},
      {"database\nfields 2\nrecord \"a\" extra\n", "src:3:12: expected the end of the line"},
      {"database\nfields 2\nrecord \"a\"\n1 = \"x\" ;\n", "src:4:9: unexpected character ';'"},
      {"database\nfields 2\nrecord \"a\"\n12ab = \"x\"\n", "src:4:3: a number must end before 'a'"},
      {"dictionary\n1 = \"x\"\n", "src:2:1: a text needs a \"language\" line"},
      {"dictionary\nlanguage \"\"\n", "src:2:10: a language needs a name"},
      {"dictionary\nlanguage \"D\"\nlanguage \"d\"\n", "src:3:10: language \"d\" is declared twice"},
      {"dictionary\nlanguage \"D\"\n1 = \"x\"\n1 = \"y\"\n", "src:4:1: this text is given twice"},
      {"dictionary\nlanguage \"D\"\n\"k\" = \"x\"\n\"k\" = \"y\"\n", "src:4:1: this text is given twice"},
      {"dictionary\nlanguage \"D\"\n2147483648 = \"x\"\n",
       "src:3:1: a text number must lie between -2147483648 and 2147483647"},
      {"dictionary\nlanguage \"D\"\n99999999999999999999 = \"x\"\n", "src:3:1: a text number must lie between"},
      // Numbers too large for 64 bits, in every place the text form has one.
      {"dictionary\nlanguage \"D\"\n9999999999999999999 = \"x\"\n", "src:3:1: a text number must lie between"},
      {"dictionary\nlanguage \"D\"\n-9999999999999999999 = \"x\"\n", "src:3:1: a text number must lie between"},
      {"database\nfields 9999999999999999999\n", "src:2:8: the number of fields must lie between 0 and 65534"},
      {"database\nfields 2\nlist 9999999999999999999\n", "src:3:6: a field number must lie between 0 and 1"},
      {"database\nfields 2\nrecord \"a\"\n9999999999999999999 = \"x\"\n",
       "src:4:1: a field number must lie between 0 and 1"},
      {"dictionary\nlanguage \"D\"\n1 = \"a\\0b\"\n", "src:3:5: the text cannot hold \\0"},
      {"dictionary\nlanguage \"D\"\n1 = 2\n", "src:3:5: expected the text (a string)"},
      {"dictionary\nlanguage \"D\"\nrecord \"a\"\n", "src:3:1: expected \"language\", a text number or a text key"},
  };
  DdmFiles files;
  const std::string path = files.Build("kept.ddm", "database\nfields 1\nrecord \"kept\"\n");
  const std::string before = files.Folder().Read("kept.ddm");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    std::string error;
    EXPECT_FALSE(ddm::BuildDdmFile(c.source, "src", path, &error));
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
  }
  EXPECT_EQ(files.Folder().Read("kept.ddm"), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(files.Folder().Path()), {}), 1);
}

TEST(DdmTool, CommandLineBuildsAndDumps) {
  DdmFiles files;
  files.Folder().Write("cat.txt", "database\nfields 1\n\nrecord \"k\"\n0 = \"v\"\n");
  files.Folder().Write("bad.txt", "database\nfields 1\nrecord k\n");
  files.Folder().Write("huge.txt", "dictionary\nlanguage \"D\"\n9999999999999999999 = \"x\"\n");
  const std::string folder = files.Folder().Path() + "/";
  std::string out, err;
  EXPECT_EQ(RunTool({"build", folder + "cat.txt", folder + "cat.ddm"}, &out, &err), 0) << err;
  EXPECT_EQ(RunTool({"dump", folder + "cat.ddm"}, &out, &err), 0) << err;
  EXPECT_EQ(out, files.Folder().Read("cat.txt"));
  EXPECT_EQ(RunTool({"dump", folder + "cat.ddm", folder + "again.txt"}, &out, &err), 0) << err;
  EXPECT_EQ(files.Folder().Read("again.txt"), files.Folder().Read("cat.txt"));

  struct Case {
    std::vector<std::string> arguments;
    int code;
    std::string error;
  } failures[] = {
      {{"build", folder + "bad.txt", folder + "bad.ddm"}, 1, folder + "bad.txt:3:8: expected the record's key"},
      {{"build", folder + "huge.txt", folder + "huge.ddm"}, 1, folder + "huge.txt:3:1: a text number must lie between"},
      {{"build", folder + "none.txt", folder + "none.ddm"}, 1, folder + "none.txt: cannot be read"},
      {{"build", folder + "cat.txt", folder + "no/such/folder.ddm"}, 1, folder + "no/such/folder.ddm: cannot write"},
      {{"dump", folder + "cat.txt"}, 1, folder + "cat.txt: not a data manager file"},
      {{"dump", folder + "none.ddm"}, 1, folder + "none.ddm: no such file"},
      {{}, 2, "usage: ddmtool"},
      {{"build", folder + "cat.txt"}, 2, "usage: ddmtool"},
      {{"convert", "a", "b"}, 2, "usage: ddmtool"},
  };
  for (const Case& c : failures) {
    SCOPED_TRACE(c.error);
    EXPECT_EQ(RunTool(c.arguments, &out, &err), c.code);
    EXPECT_EQ(err.rfind(c.error, 0), 0u) << err;
  }
  EXPECT_FALSE(files.Folder().Exists("bad.ddm"));
}

// Files built by the tool program at build time, as the sample catalogue and
// the programs' fixtures are, read back through the data manager and dump to
// their sources.
TEST(DdmTool, FilesBuiltAtBuildTimeReadBack) {
  const std::string folder = DDM_BUILT_FILES;
  DdmDatabase db;
  ASSERT_TRUE(db.DdmDbOpen((folder + "/catalogue.ddm").c_str()));
  ASSERT_EQ(db.DdmDbLookup("home", 0), 1);
  EXPECT_EQ(ddm::testing::FieldOf(db, 0, 2), "Start");
  EXPECT_EQ(ddm::testing::ElementOf(db, 0, 4, 1), "M12 nut");
  DdmTextTable texts((folder + "/messages.dud").c_str(), "GB");
  EXPECT_STREQ(texts.DdmGetText(1546), "VARNO 4 note");

  const std::string sources = DDM_SOURCE_FILES "/";
  for (const char* name : {"catalogue.ddm", "messages.dud"}) {
    std::ifstream in(sources + name + ".txt", std::ios::binary);
    const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(Dump(folder + "/" + name), source) << name;
  }
}
