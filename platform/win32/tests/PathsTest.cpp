#include <gtest/gtest.h>

#include "testing/TempFolder.h"
#include "win32/Files.h"
#include "win32/Paths.h"

using layer::testing::TempFolder;

TEST(Paths, BackslashesAndHostPathsPassThrough) {
  EXPECT_EQ(layer::HostPath("/tmp/x"), "/tmp/x");
  EXPECT_EQ(layer::HostPath("sub\\file.ini"), "sub/file.ini");
  EXPECT_EQ(layer::HostPath("a\\\\b"), "a/b");
}

TEST(Paths, DriveLetterMapsToItsFolder) {
  TempFolder drive;
  layer::SetDriveFolder('q', drive.Path());
  EXPECT_EQ(layer::DriveFolder('Q'), drive.Path());
  EXPECT_EQ(layer::HostPath("Q:\\IV4\\command.iv4"), drive.Path() + "/IV4/command.iv4");
  EXPECT_EQ(layer::HostPath("q:/x"), drive.Path() + "/x");
}

TEST(Paths, NamesThatDoNotExistAsWrittenAreFoundWithoutRegardToCase) {
  TempFolder root;
  root.Write("Catalog/PICS/Motor.DRF", "x");
  root.Write("Catalog/\xC3\x84nderung.txt", "y");  // "Änderung" on disk, in UTF-8
  EXPECT_EQ(layer::HostPath(root.Path() + "\\catalog\\pics\\motor.drf"), root / "Catalog/PICS/Motor.DRF");
  // A Windows-1252 name from the catalogue finds the file of the other case.
  EXPECT_EQ(layer::HostPath(root.Path() + "\\CATALOG\\\xE4nderung.TXT"), root / "Catalog/\xC3\x84nderung.txt");
  // A missing name keeps its spelling below the last part that exists.
  EXPECT_EQ(layer::HostPath(root.Path() + "\\catalog\\New\\File.ini"), root / "Catalog/New/File.ini");
}

TEST(Paths, FileFunctionsUseThePathRule) {
  TempFolder root;
  root.Write("Data/Varno4.INI", "[S]\r\n");
  std::string name = root.Path() + "\\data\\varno4.ini";
  HANDLE file = CreateFile(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetFileSize(file, nullptr), 5u);
  CloseHandle(file);
  EXPECT_EQ(GetFileAttributes((root.Path() + "\\DATA").c_str()), FILE_ATTRIBUTE_DIRECTORY);
}
