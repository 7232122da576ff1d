// A parts-info installation in a temporary folder: the library's settings,
// a user folder with price settings, the test's databases and dictionaries,
// a German locale, and a window that stands for the order list and records
// the answers it receives.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Main/tests/OrderListStandIn.h"
#include "foundation/CDynBuf.h"
#include "partsinfo/CPartsInfoApp.h"
#include "testing/TempFolder.h"
#include "win32/Locale.h"
#include "win32/MessageBox.h"

namespace partsinfo_testing {

inline constexpr LCID kGerman = 0x0407;

inline std::string BuiltFile(const std::string& name) { return std::string(PARTSINFO_TEST_FILES) + "/" + name; }

// Ini text from lines: "[SECTION]" or "key=value"; CR LF after each.
inline std::string Ini(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// Bytes written as a C++ string with its NULs.
inline std::string Bytes(const char* text, size_t length) { return std::string(text, length); }
template <size_t N>
std::string Bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

// A 24-bit bitmap file of one colour.
inline std::string BitmapFile(int width, int height, uint8_t red, uint8_t green, uint8_t blue) {
  const int stride = (width * 3 + 3) / 4 * 4;
  const uint32_t pixels = static_cast<uint32_t>(stride * height);
  std::string file = "BM";
  auto put32 = [&](uint32_t value) {
    for (int i = 0; i < 4; ++i) file += static_cast<char>(value >> (8 * i));
  };
  auto put16 = [&](uint16_t value) {
    file += static_cast<char>(value);
    file += static_cast<char>(value >> 8);
  };
  put32(54 + pixels);
  put32(0);
  put32(54);
  put32(40);
  put32(static_cast<uint32_t>(width));
  put32(static_cast<uint32_t>(height));
  put16(1);
  put16(24);
  put32(0);
  put32(pixels);
  put32(2835);
  put32(2835);
  put32(0);
  put32(0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) file += {static_cast<char>(blue), static_cast<char>(green), static_cast<char>(red)};
    file.append(static_cast<size_t>(stride - width * 3), '\0');
  }
  return file;
}

// The order list's four columns (and its price column, which the library
// leaves out while prices are on): quantity, key, name and a fourth column
// that the companion database fills.
inline const char kColumnTitles[] = "Menge\0Schl\xfcssel\0Benennung\0";
inline constexpr int kColumnsWithPrice = 5;

class PartsInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    layer::SetUserLocale(kGerman);
    m_previousBoxes = layer::SetMessageBoxPresenter([this](HWND, const char* text, const char*, UINT) {
      m_boxes.push_back(text);
      return IDOK;
    });
    m_folder.Write("user/V4Preise.ini", Ini({"[PREISE]", "Name1=EUR"}));
    WriteSettings("");
  }
  void TearDown() override {
    layer::SetMessageBoxPresenter(m_previousBoxes);
    layer::SetUserLocale(0);
  }

  // The library's settings with further lines of section SYSTEM; history
  // and notes on, every service off.
  void WriteSettings(const std::string& system, const std::string& more = "") {
    m_folder.Write("home/qorv4tif.ini",
                   Ini({"[SYSTEM]"}) + system +
                       Ini({"Message=" + BuiltFile("windowtexts.dud"), "History=1", "HistDB=" + BuiltFile("history.ddm"),
                            "Notiz=1", "ToolTip=P1SPPM", "[FUELL]", "Col03=1"}) +
                       more);
  }
  std::string Home() const { return m_folder / "home"; }
  std::string UserDir() const { return m_folder / "user/"; }

  // The application as the order-list program sets it up.
  std::unique_ptr<CPartsInfoApp> Start(const char* language = "D") {
    auto app = std::make_unique<CPartsInfoApp>();
    app->Init(kColumnsWithPrice, kColumnTitles, m_orderList.window, 0, 1, Home().c_str(), language,
              (m_folder / "catalogue").c_str(), UserDir().c_str());
    app->SetDataLanguage("D");
    app->LoadDictionaries(BuiltFile("catalogue.dud").c_str(), BuiltFile("catalogue.dud").c_str());
    app->OpenPartsDatabase(BuiltFile("parts.ddm").c_str());
    CString prices = BuiltFile("prices.ddm").c_str();
    app->OpenPriceDatabase(&prices, "EUR", "DEM", 2, 2, 1, 1.95583);
    // 7 % and 16,0 %: the second rate widens the table to one decimal.
    app->SetVatRate(7, 0, 0, 2);
    app->SetVatRate(160, 1, 1, 2);
    return app;
  }

  // An order command through the application's message handling.
  void Post(CPartsInfoApp& app, const std::string& block, int tag) {
    MSG msg{};
    msg.message = RegisterWindowMessage(PROTOCOL_TO_TIF_CMD_NAME);
    msg.wParam = block.size();
    msg.lParam = reinterpret_cast<LPARAM>(CPartsInfoApp::NewCommand(block.data(), static_cast<int>(block.size()), tag));
    EXPECT_EQ(app.PreTranslate(&msg), 1);
  }

  // A text request for a key, answered to the order list's stand-in.
  void RequestText(CPartsInfoApp& app, const std::string& key) {
    const auto handle = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(m_orderList.window));
    CDynBuf request;
    request.AppendLong(handle);
    request.Append(key.c_str());
    request.Append('\0');
    request.Append("viewer");
    request.Append('\0');
    app.SetTextRequest(&request);
    MSG msg{};
    msg.message = TIF_TEXT_REQUEST_MSG;
    EXPECT_EQ(app.PreTranslate(&msg), 1);
  }

  // The answers that reached the order list with a code.
  std::vector<std::string> Answers(ULONG_PTR code) const {
    std::vector<std::string> answers;
    for (const auto& copy : m_orderList.copies)
      if (copy.code == code) answers.push_back(copy.bytes);
    return answers;
  }

  layer::testing::TempFolder m_folder;
  varno::testing::OrderListStandIn m_orderList;
  std::vector<std::string> m_boxes;
  layer::MessageBoxPresenter m_previousBoxes;
};

}  // namespace partsinfo_testing
