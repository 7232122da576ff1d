#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Main/CLogFile.h"
#include "Main/tests/FaceFixture.h"
#include "testing/TempFolder.h"

using varno::testing::Bytes;
using varno::testing::LayoutStream;
using varno::testing::Readable;

namespace {

// A face named "seite": columns of 25 % and the rest, the rest split into
// rows of 100 pixels and the rest.
LayoutStream Page(const char* name = "seite") {
  LayoutStream stream;
  if (name != nullptr) stream.Text(140, name);
  return stream.Columns("25%,*").Frame("Bild").Rows("100,*").Frame("Kopf").Frame("Teile").End().End();
}

const std::string kHeader = Bytes({0, 0x61, 4, 0, 1});

class UserPageTest : public varno::testing::FaceFixture {
 protected:
  void SetUp() override {
    FaceFixture::SetUp();
    theGlobals.m_user_page_def_path = folder.Path().c_str();
    theGlobals.m_UserPageDef = TRUE;
    theGlobals.m_plogfile = new CLogFile((logFolder / "Varno4log.txt").c_str());
  }
  void TearDown() override {
    delete theGlobals.m_plogfile;
    theGlobals.m_plogfile = nullptr;
    theGlobals.m_user_page_def_path.Empty();
    theGlobals.m_UserPageDef = TRUE;
    FaceFixture::TearDown();
  }

  std::string Log() {
    theGlobals.m_plogfile->Close();
    return std::filesystem::exists(logFolder / "Varno4log.txt") ? logFolder.Read("Varno4log.txt") : "";
  }
  // Requested sizes of frame set k as a size list.
  std::string Requested(int k) const {
    const FrameSet& set = face.m_framesets[static_cast<size_t>(k)];
    std::string out;
    for (const FramePane& pane : set.m_panes) {
      if (!out.empty()) out += ",";
      const int size = set.Along(pane.requested);
      out += size == -1 ? std::string("*") : std::to_string(size) + (pane.percent ? "%" : "");
    }
    return out;
  }
  // Shows the page and lets the user drag its bars to the given sizes.
  void ShowAndDrag(int left, int right, int top, int bottom) {
    ASSERT_TRUE(Declare(Page()));
    ASSERT_TRUE(face.CreateLayout());
    windows.paneSizes = {{{0, 0}, left}, {{0, 1}, right}, {{1, 0}, top}, {{1, 1}, bottom}};
    ASSERT_TRUE(face.TakePaneSizes());
  }

  layer::testing::TempFolder folder;
  layer::testing::TempFolder logFolder;
};

TEST_F(UserPageTest, DraggedSizesComeBackForTheSameFaceName) {
  ShowAndDrag(300, 500, 150, 450);
  ASSERT_TRUE(face.WriteUserFile());
  // 300 of 800 pixels is 37.5 %, kept as 38 %; the panes of the rest stay "*".
  EXPECT_EQ(folder.Read("seite.wv4hpu"), kHeader + Bytes({0, 26, "38%,*", 0, 27, "150,*", 0, 0}));
  EXPECT_FALSE(std::filesystem::exists(folder / "seite.wv4hpu.~new"));

  ASSERT_TRUE(Declare(Page()));
  EXPECT_EQ(Requested(0), "38%,*");
  EXPECT_EQ(Requested(1), "150,*");
  EXPECT_FALSE(face.m_user_file_loaded) << "the file's bytes are freed after the key";
  EXPECT_TRUE(Trace().empty());
}

TEST_F(UserPageTest, ListsAreTakenInOrderByTheirKind) {
  // The file's rows list comes first; the key's first frame set is columns,
  // so the scan passes the rows list and the key's rows keep their own.
  folder.Write("seite.wv4hpu", kHeader + Bytes({0, 27, "70,*", 0, 26, "40%,*", 0, 0}));
  ASSERT_TRUE(Declare(Page()));
  EXPECT_EQ(Requested(0), "40%,*");
  EXPECT_EQ(Requested(1), "100,*");
}

TEST_F(UserPageTest, AListForOtherPanesIsLeftAside) {
  folder.Write("seite.wv4hpu", kHeader + Bytes({0, 26, "10%,20%,*", 0, 27, "80,*", 0, 0}));
  ASSERT_TRUE(Declare(Page()));
  EXPECT_EQ(Requested(0), "25%,*");
  EXPECT_EQ(Requested(1), "80,*");
  EXPECT_EQ(face.m_frames[2]->m_pane, 1);
}

TEST_F(UserPageTest, NoSizesOnTheScreenKeepTheSizesAskedFor) {
  ShowAndDrag(0, 0, 0, 0);
  EXPECT_EQ(Requested(0), "25%,*");
  EXPECT_EQ(Requested(1), "100,*");
}

TEST_F(UserPageTest, WhenNothingIsWritten) {
  struct Case {
    const char* name;
    BOOL userPageDef;
    bool maximised;
  };
  for (const Case& c : {Case{"Off", FALSE, false}, Case{"Maximised", TRUE, true}}) {
    SCOPED_TRACE(c.name);
    theGlobals.m_UserPageDef = c.userPageDef;
    ShowAndDrag(300, 500, 150, 450);
    face.m_frames[0]->m_maximized = c.maximised ? 1 : 0;
    EXPECT_TRUE(face.WriteUserFile());
    EXPECT_FALSE(std::filesystem::exists(folder / "seite.wv4hpu"));
  }
  // Nor is a file read while the files are off.
  folder.Write("seite.wv4hpu", kHeader + Bytes({0, 26, "40%,*", 0, 0}));
  theGlobals.m_UserPageDef = FALSE;
  ASSERT_TRUE(Declare(Page()));
  EXPECT_EQ(Requested(0), "25%,*");
}

TEST_F(UserPageTest, AFaceWithoutNameHasNoFile) {
  folder.Write(".wv4hpu", kHeader + Bytes({0, 26, "40%,*", 0, 0}));
  ASSERT_TRUE(Declare(Page(nullptr)));
  EXPECT_EQ(Requested(0), "25%,*");
  ASSERT_TRUE(face.CreateLayout());
  EXPECT_TRUE(face.WriteUserFile());
  EXPECT_FALSE(face.RemoveUserFile());
  EXPECT_EQ(folder.Read(".wv4hpu"), kHeader + Bytes({0, 26, "40%,*", 0, 0}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), std::filesystem::directory_iterator()),
            1);
}

TEST_F(UserPageTest, TheOldFileStaysWhenTheNewOneCannotBeWritten) {
  const std::string old = kHeader + Bytes({0, 26, "40%,*", 0, 27, "80,*", 0, 0});
  folder.Write("seite.wv4hpu", old);
  std::filesystem::create_directory(folder / "seite.wv4hpu.~new");
  ShowAndDrag(300, 500, 150, 450);
  EXPECT_FALSE(face.WriteUserFile());
  EXPECT_EQ(folder.Read("seite.wv4hpu"), old);
}

TEST_F(UserPageTest, RemoveUserFileDeletesTheFaceFile) {
  folder.Write("seite.wv4hpu", kHeader + Bytes({0, 0}));
  folder.Write("andere.wv4hpu", kHeader + Bytes({0, 0}));
  ASSERT_TRUE(Declare(Page()));
  EXPECT_TRUE(face.RemoveUserFile());
  EXPECT_FALSE(std::filesystem::exists(folder / "seite.wv4hpu"));
  EXPECT_TRUE(std::filesystem::exists(folder / "andere.wv4hpu"));
}

// Copies such as "X.WV4HPU.bak" go too: every file whose name holds the
// extension in any case. Other files stay, and so does a folder.
TEST_F(UserPageTest, RemoveUserFilesDeletesEveryNameThatHoldsTheExtension) {
  struct Case {
    const char* name;
    bool deleted;
  };
  const Case cases[] = {{"seite.wv4hpu", true}, {"Andere.WV4HPU", true}, {"X.WV4HPU.bak", true},
                        {"wv4hpu.txt", false},  {"seite.wv4hp", false},  {"seite.wv4hpd", false}};
  for (const Case& c : cases) folder.Write(c.name, "x");
  std::filesystem::create_directory(folder / "ordner.wv4hpu");
  CFace::RemoveUserFiles();
  for (const Case& c : cases) EXPECT_EQ(!std::filesystem::exists(folder / c.name), c.deleted) << c.name;
  EXPECT_TRUE(std::filesystem::is_directory(folder / "ordner.wv4hpu"));
}

struct DamageCase {
  const char* name;
  std::string file;
  int warning;
};
void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name << ": " << Readable(c.file); }

class DamagedUserPage : public UserPageTest, public ::testing::WithParamInterface<DamageCase> {};

// A damaged file is warned about once, in the log only, and the key keeps its
// own sizes.
TEST_P(DamagedUserPage, IsWarnedAboutOnceAndNotUsed) {
  const DamageCase& c = GetParam();
  folder.Write("seite.wv4hpu", c.file);
  ASSERT_TRUE(Declare(Page()));
  EXPECT_EQ(Requested(0), "25%,*");
  EXPECT_EQ(Requested(1), "100,*");
  EXPECT_TRUE(Trace().empty());
  EXPECT_TRUE(dialog->shown.empty());
  const std::string log = Log();
  const std::string mark = "[" + std::to_string(c.warning) + "] ";
  EXPECT_NE(log.find(mark), std::string::npos) << log;
  EXPECT_EQ(log.find(mark), log.rfind(mark)) << log;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedUserPage,
    ::testing::Values(DamageCase{"Empty", "", 10},
                      DamageCase{"FirstByte", Bytes({1, 0x61, 4, 0, 1, 0, 26, "40%,*", 0, 0}), 12},
                      DamageCase{"SecondByte", Bytes({0, 0x62, 4, 0, 1, 0, 26, "40%,*", 0, 0}), 13},
                      DamageCase{"HeaderCut", Bytes({0, 0x61, 4}), 10},
                      DamageCase{"NewerVersion", Bytes({0, 0x61, 4, 0, 2, 0, 26, "40%,*", 0, 0}), 14},
                      DamageCase{"ListRunsToTheEnd", kHeader + Bytes({0, 27, "70,*", 0, 26, "40%,*"}), 10}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
