// The version overview: the modules with version information, by name, and
// the copy for the support.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <strings.h>
#include <vector>

#include "ProtocolFixture.h"
#include "comctl/CommCtrl.h"
#include "orderlist/res/resource.h"
#include "win32/Clipboard.h"
#include "win32/Memory.h"
#include "win32/Module.h"
#include "win32/UserWindows.h"

namespace {

class VersionsDialog : public protocol_testing::ProtocolFrameTest {
 protected:
  void SetUp() override {
    ProtocolFrameTest::SetUp();
    InitCommonControls();  // as the program's start does
  }
};

TEST_F(VersionsDialog, ListsVersionedModulesByNameAndCopiesThem) {
  HMODULE sample = LoadLibrary("LAYER_MODULE_SAMPLE.DLL");
  ASSERT_NE(sample, nullptr);
  char path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileName(sample, path, sizeof path), 0u);
  OpenFrame();
  std::string caption, copied;
  std::vector<std::string> names;
  Command(ID_VERSIONS, [&](HWND dialog) {
    char text[64] = {};
    GetWindowText(dialog, text, sizeof text);
    caption = text;
    HWND list = GetDlgItem(dialog, IDC_VERSIONS_LIST);
    for (int row = 0; row < SendMessage(list, LVM_GETITEMCOUNT, 0, 0); ++row) {
      char name[MAX_PATH] = {};
      LVITEM item{};
      item.pszText = name;
      item.cchTextMax = sizeof name;
      SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
      names.push_back(name);
    }
    protocol_testing::SaveScreenshot(dialog, "versions.png");
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDC_VERSIONS_COPY, BN_CLICKED),
                reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_VERSIONS_COPY)));
    if (OpenClipboard(nullptr)) {
      if (HANDLE data = GetClipboardData(CF_TEXT)) copied = static_cast<const char*>(GlobalLock(data));
      CloseClipboard();
    }
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  FreeLibrary(sample);
  EXPECT_EQ(caption, "Versionen");
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
  }));
  const std::string fullPath = path;
  const std::string name = fullPath.substr(fullPath.find_last_of("\\/") + 1);
  EXPECT_NE(copied.find(name + "\t2, 7, 0, 13\t" + fullPath + "\r\n"), std::string::npos) << copied;
  // Modules without version information (the system's libraries) stay out.
  EXPECT_EQ(copied.find("libc.so"), std::string::npos);
}

}  // namespace
