#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32/Errors.h"
#include "win32/MessageBox.h"
#include "win32/SystemMessages.h"

namespace {

TEST(FormatMessageTest, SystemTextEndsInCrLfAndReportsItsLength) {
  char buffer[256];
  DWORD length = FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_INVALID_NAME,
                               MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer, sizeof buffer, nullptr);
  EXPECT_EQ(std::string(buffer), "The filename, directory name, or volume label syntax is incorrect.\r\n");
  EXPECT_EQ(length, std::string(buffer).size());
}

TEST(FormatMessageTest, UnknownCodeAndShortBufferFail) {
  char buffer[8] = "keep";
  EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 99999, 0, buffer, 256, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
  EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_FILE_NOT_FOUND, 0, buffer, sizeof buffer, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_STREQ(buffer, "keep");
}

TEST(MessageBoxTest, PresenterSeesTheBoxAndAnswersIt) {
  struct Shown {
    HWND owner;
    std::string text, caption;
    UINT type;
  };
  std::vector<Shown> shown;
  auto before = layer::SetMessageBoxPresenter([&](HWND owner, const char* text, const char* caption, UINT type) {
    shown.push_back({owner, text, caption, type});
    return IDNO;
  });
  EXPECT_EQ(MessageBox(nullptr, "Datei fehlt", "Error", MB_YESNO | MB_ICONINFORMATION), IDNO);
  layer::SetMessageBoxPresenter(before);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].owner, nullptr);
  EXPECT_EQ(shown[0].text, "Datei fehlt");
  EXPECT_EQ(shown[0].caption, "Error");
  EXPECT_EQ(shown[0].type, MB_YESNO | MB_ICONINFORMATION);
}

TEST(MessageBoxTest, WithoutPresenterTheBoxAnswersOk) {
  auto before = layer::SetMessageBoxPresenter(nullptr);
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBox(nullptr, "text", "caption", MB_OKCANCEL), IDOK);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("text"), std::string::npos);
  layer::SetMessageBoxPresenter(before);
}

}  // namespace
