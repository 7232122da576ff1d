// The class library's file dialog: its bar-separated filters, its default
// extension and the parts of the chosen path.
#include <gtest/gtest.h>

#include <string>

#include "mfc/CFileDialog.h"

namespace {

TEST(CFileDialog, FiltersWithBarsReachTheDialogAndThePathComesBackInParts) {
  layer::FileDialogRequest seen;
  auto previous = layer::SetFileDialogPresenter([&seen](const layer::FileDialogRequest& request, std::string& path, int& index) {
    seen = request;
    path = "C:\\export\\auftrag";
    index = 0;
    return true;
  });
  CFileDialog dialog(FALSE, "TXT", "bestellung", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     "Textdateien (*.TXT)|*.TXT|Alle Dateien (*.*)|*.*||");
  EXPECT_EQ(dialog.DoModal(), IDOK);
  layer::SetFileDialogPresenter(previous);
  ASSERT_EQ(seen.filters.size(), 2u);
  EXPECT_EQ(seen.filters[1].first, "Alle Dateien (*.*)");
  EXPECT_EQ(seen.initialName, "bestellung");
  EXPECT_TRUE(seen.save);
  EXPECT_STREQ(dialog.GetPathName(), "C:\\export\\auftrag.TXT");
  EXPECT_STREQ(dialog.GetFileName(), "auftrag.TXT");
  EXPECT_STREQ(dialog.GetFileExt(), "TXT");
  EXPECT_STREQ(dialog.GetFileTitle(), "auftrag");
}

TEST(CFileDialog, CancelGivesIdCancel) {
  auto previous = layer::SetFileDialogPresenter([](const layer::FileDialogRequest&, std::string&, int&) { return false; });
  CFileDialog dialog(TRUE);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  layer::SetFileDialogPresenter(previous);
}

}  // namespace
