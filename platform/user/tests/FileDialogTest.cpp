// The file dialogs through a presenter that answers as a person would: the
// request made of the program's record, the chosen path written back with
// its parts, and the checks the flags ask for.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "UserTestSupport.h"
#include "testing/TempFolder.h"
#include "user/CommonDialogs.h"
#include "win32/Paths.h"

using namespace layer::testing;

namespace {

// Answers every dialog with the next of its answers ("" is Cancel) and keeps the requests.
class Answers {
 public:
  explicit Answers(std::vector<std::string> answers, int filter = 0)
      : m_answers(std::move(answers)),
        m_previous(layer::SetFileDialogPresenter([this, filter](const layer::FileDialogRequest& request, std::string& path,
                                                                int& filterIndex) {
          requests.push_back(request);
          if (m_next >= m_answers.size() || m_answers[m_next].empty()) return false;
          path = m_answers[m_next++];
          filterIndex = filter;
          return true;
        })) {}
  ~Answers() { layer::SetFileDialogPresenter(m_previous); }
  std::vector<layer::FileDialogRequest> requests;

 private:
  std::vector<std::string> m_answers;
  std::size_t m_next = 0;
  layer::FileDialogPresenter m_previous;
};

// Boxes answered with the given button, their texts written down.
class BoxAnswers {
 public:
  explicit BoxAnswers(int answer)
      : m_previous(layer::SetMessageBoxPresenter([this, answer](HWND, const char* text, const char*, UINT) {
          texts.push_back(text);
          return answer;
        })) {}
  ~BoxAnswers() { layer::SetMessageBoxPresenter(m_previous); }
  std::vector<std::string> texts;

 private:
  layer::MessageBoxPresenter m_previous;
};

struct Record {
  char file[64] = {};
  char title[32] = {};
  OPENFILENAME ofn{};
  explicit Record(const char* filter, const char* extension = nullptr, DWORD flags = 0) {
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
    ofn.lpstrFilter = filter;
    ofn.lpstrDefExt = extension;
    ofn.Flags = flags;
  }
};

const char kTextFilter[] = "Textdateien (*.TXT)\0*.TXT\0Alle Dateien (*.*)\0*.*\0";

TEST(FileDialogs, TheRequestCarriesFiltersFolderAndNameAndTheAnswerItsParts) {
  Answers answers({"C:\\orders\\liste"}, 1);
  Record record(kTextFilter, "TXT", OFN_HIDEREADONLY);
  std::strcpy(record.file, "alt.txt");
  record.ofn.lpstrInitialDir = "C:\\orders";
  record.ofn.nFilterIndex = 1;
  ASSERT_TRUE(GetSaveFileName(&record.ofn));
  ASSERT_EQ(answers.requests.size(), 1u);
  const layer::FileDialogRequest& request = answers.requests[0];
  EXPECT_TRUE(request.save);
  EXPECT_EQ(request.title, "Speichern unter");
  ASSERT_EQ(request.filters.size(), 2u);
  EXPECT_EQ(request.filters[0].first, "Textdateien (*.TXT)");
  EXPECT_EQ(request.filters[1].second, "*.*");
  EXPECT_EQ(request.filterIndex, 0);
  EXPECT_EQ(request.initialFolder, "C:\\orders");
  EXPECT_EQ(request.initialName, "alt.txt");
  // The default extension is added to a name without one.
  EXPECT_STREQ(record.file, "C:\\orders\\liste.TXT");
  EXPECT_EQ(record.ofn.nFileOffset, 10);
  EXPECT_EQ(record.ofn.nFileExtension, 16);
  EXPECT_STREQ(record.title, "liste.TXT");
  EXPECT_EQ(record.ofn.nFilterIndex, 2u);
}

TEST(FileDialogs, CancelIsNoError) {
  Answers answers({""});
  Record record(kTextFilter);
  EXPECT_FALSE(GetOpenFileName(&record.ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST(FileDialogs, APathLongerThanTheBufferFailsAndTellsTheSizeNeeded) {
  std::string path = "C:\\" + std::string(80, 'a') + ".txt";
  Answers answers({path});
  Record record(kTextFilter);
  EXPECT_FALSE(GetOpenFileName(&record.ofn));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
  WORD needed;
  std::memcpy(&needed, record.file, sizeof needed);
  EXPECT_EQ(needed, path.size() + 1);
}

TEST(FileDialogs, OverwritingAnExistingFileIsAskedAndNoAsksForAnotherName) {
  TempFolder folder;
  folder.Write("da.txt", "alt");
  Answers answers({folder / "da.txt", folder / "neu.txt"});
  BoxAnswers boxes(IDNO);
  Record record(kTextFilter, "txt", OFN_OVERWRITEPROMPT);
  ASSERT_TRUE(GetSaveFileName(&record.ofn));
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find("da.txt"), std::string::npos);
  EXPECT_EQ(answers.requests.size(), 2u);
  EXPECT_EQ(answers.requests[1].initialName, "da.txt");
  EXPECT_EQ(std::string(record.file).substr(std::string(record.file).size() - 7), "neu.txt");
}

TEST(FileDialogs, AFileThatMustExistButDoesNotIsRefusedWithAMessage) {
  TempFolder folder;
  folder.Write("da.pro", "PRO");
  Answers answers({folder / "fehlt.pro", folder / "da.pro"});
  BoxAnswers boxes(IDOK);
  Record record("Auftr\xE4ge\0*.pro\0", nullptr, OFN_FILEMUSTEXIST);
  ASSERT_TRUE(GetOpenFileName(&record.ofn));
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find("fehlt.pro"), std::string::npos);
  EXPECT_STREQ(record.title, "da.pro");
}

TEST(FileDialogs, AHostPathInsideADrivesFolderComesBackInTheSystemsForm) {
  TempFolder folder;
  std::string previous = layer::DriveFolder('Q');
  layer::SetDriveFolder('Q', folder.Path());
  EXPECT_EQ(layer::PlatformPathOf(folder / "auftr\xC3\xA4ge/a.pro"), "Q:\\auftr\xE4ge\\a.pro");
  EXPECT_EQ(layer::PlatformPathOf(folder.Path()), "Q:\\");
  EXPECT_EQ(layer::PlatformPathOf(folder.Path() + "x/a"), layer::SystemPath(folder.Path() + "x/a"));
  Answers answers({folder / "a.pro"});
  Record record("Auftr\xE4ge\0*.pro\0");
  ASSERT_TRUE(GetOpenFileName(&record.ofn));
  EXPECT_STREQ(record.file, "Q:\\a.pro");
  layer::SetDriveFolder('Q', previous);
}

TEST(FileDialogs, WithoutAPresenterOnAScreenNobodySeesTheDialogIsCancelled) {
  Record record(kTextFilter);
  EXPECT_FALSE(GetOpenFileName(&record.ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
}

}  // namespace
