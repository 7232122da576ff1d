#include "win32/Resources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "win32/Errors.h"
#include "win32/Gdi.h"
#include "win32/Module.h"

namespace {

std::string FileBytes(const char* name) {
  std::ifstream in(std::string(VARNO_TEST_DATA) + "/res/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type) {
  HRSRC found = FindResource(module, name, type);
  if (!found) return "<missing>";
  const auto* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
  return std::string(data, SizeofResource(module, found));
}

class Resources : public testing::Test {
 protected:
  void SetUp() override {
    library = LoadLibrary("layer_resource_sample.dll");
    ASSERT_NE(library, nullptr);
  }
  void TearDown() override { FreeLibrary(library); }
  HMODULE library = nullptr;
};

TEST_F(Resources, ALibrarysResourcesAreFoundThroughItsHandle) {
  const std::string bitmapFile = FileBytes("Sample.bmp");
  ASSERT_EQ(bitmapFile.size(), 70u);
  // A bitmap resource is the file without its 14-byte file header.
  const std::string bitmap = bitmapFile.substr(14);
  const std::string greeting = FileBytes("Greeting.txt");
  struct Case {
    LPCSTR name;
    LPCSTR type;
    const std::string& expected;
  } cases[] = {
      {MAKEINTRESOURCE(101), RT_BITMAP, bitmap},
      {"#101", RT_BITMAP, bitmap},
      {"Greeting", "Text", greeting},
      {"GREETING", "text", greeting},
  };
  for (const Case& c : cases) EXPECT_EQ(ResourceBytes(library, c.name, c.type), c.expected);
}

TEST_F(Resources, MissingResourcesGiveNullWithThePlatformsError) {
  HMODULE program = GetModuleHandle(nullptr);
  struct Case {
    HMODULE module;
    LPCSTR name;
    LPCSTR type;
    DWORD error;
  } cases[] = {
      {library, MAKEINTRESOURCE(102), RT_BITMAP, ERROR_RESOURCE_NAME_NOT_FOUND},
      {library, "Farewell", "Text", ERROR_RESOURCE_NAME_NOT_FOUND},
      {library, MAKEINTRESOURCE(101), RT_CURSOR, ERROR_RESOURCE_TYPE_NOT_FOUND},
      {library, MAKEINTRESOURCE(101), "Image", ERROR_RESOURCE_TYPE_NOT_FOUND},
      // The program's resources and the library's are apart.
      {library, MAKEINTRESOURCE(7), RT_RCDATA, ERROR_RESOURCE_TYPE_NOT_FOUND},
      {program, MAKEINTRESOURCE(101), RT_BITMAP, ERROR_RESOURCE_NAME_NOT_FOUND},
      {nullptr, "Greeting", "Text", ERROR_RESOURCE_TYPE_NOT_FOUND},
      // A built-in library has no resources at all.
      {GetModuleHandle("KERNEL32.DLL"), MAKEINTRESOURCE(1), RT_VERSION, ERROR_RESOURCE_DATA_NOT_FOUND},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(FindResource(c.module, c.name, c.type), nullptr);
    EXPECT_EQ(GetLastError(), c.error);
  }
}

TEST_F(Resources, TheProgramsOwnResourcesAreFoundThroughNullAndItsHandle) {
  const std::string expected = FileBytes("Program.txt");
  EXPECT_EQ(ResourceBytes(nullptr, MAKEINTRESOURCE(7), RT_RCDATA), expected);
  EXPECT_EQ(ResourceBytes(GetModuleHandle(nullptr), MAKEINTRESOURCE(7), RT_RCDATA), expected);
}

TEST_F(Resources, ALibraryFindsItsOwnResourcesThroughItsOwnInstance) {
  EXPECT_EQ(GetModuleHandle("layer_resource_sample.dll"), library);
  using OwnSize = DWORD (*)();
  auto ownSize = reinterpret_cast<OwnSize>(GetProcAddress(library, "SAMPLE_OwnBitmapSize"));
  ASSERT_NE(ownSize, nullptr);
  EXPECT_EQ(ownSize(), 56u);
}

TEST_F(Resources, AnAddressNamesTheModuleThatHoldsIt) {
  FARPROC function = GetProcAddress(library, "SAMPLE_OwnBitmapSize");
  ASSERT_NE(function, nullptr);
  EXPECT_EQ(layer::ModuleOf(reinterpret_cast<const void*>(function)), library);
  static const int ours = 0;
  EXPECT_EQ(layer::ModuleOf(&ours), GetModuleHandle(nullptr)) << "the program's own data";
  EXPECT_NE(layer::ModuleOf(reinterpret_cast<const void*>(&GetModuleHandle)), library);
}

TEST_F(Resources, BitmapResourcesBecomeBitmaps) {
  HBITMAP bitmap = LoadBitmap(library, MAKEINTRESOURCE(101));
  ASSERT_NE(bitmap, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  // The file's lines are stored bottom-up.
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 0, 0));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);

  struct Case {
    HMODULE module;
    LPCSTR name;
    DWORD error;
  } refused[] = {
      {library, "Greeting", ERROR_RESOURCE_NAME_NOT_FOUND},
      {nullptr, MAKEINTRESOURCE(8), ERROR_INVALID_DATA},  // its last line is cut off
  };
  for (const Case& c : refused) {
    SetLastError(0);
    EXPECT_EQ(LoadBitmap(c.module, c.name), nullptr);
    EXPECT_EQ(GetLastError(), c.error);
  }
}

TEST_F(Resources, HandlesThatAreNoResourcesAreRefused) {
  int notAResource = 0;
  auto bogus = reinterpret_cast<HRSRC>(&notAResource);
  SetLastError(0);
  EXPECT_EQ(LoadResource(library, bogus), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(SizeofResource(library, nullptr), 0u);
  EXPECT_EQ(LockResource(nullptr), nullptr);
  EXPECT_EQ(FindResource(library, nullptr, RT_BITMAP), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
