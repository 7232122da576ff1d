// An order-list installation in a temporary folder: the program's folder with
// its ini files, the test's program texts and catalogue files, a clock that
// never waits, an injected locale and message boxes that the test answers.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "orderlist/CProtocolApp.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/CProtocolView.h"
#include "qt/Screenshot.h"
#include "user/Dialogs.h"
#include "testing/TempFolder.h"
#include "win32/Clock.h"
#include "win32/Locale.h"
#include "win32/MessageBox.h"

namespace protocol_testing {

inline constexpr LCID kGerman = 0x0407;
inline constexpr LCID kEnglish = 0x0409;

inline std::string BuiltFile(const std::string& name) { return std::string(PROTOCOL_TEST_FILES) + "/" + name; }

// A picture of the window for a look with one's own eyes, when the run asks
// for them (VARNO_SCREENSHOT_DIR, under Xvfb with QT_QPA_PLATFORM=xcb).
inline void SaveScreenshot(HWND window, const char* name) {
  const char* folder = std::getenv("VARNO_SCREENSHOT_DIR");
  if (!folder) return;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_TRUE(layer::SaveWindowPng(window, std::string(folder) + "/" + name)) << name;
}

// Ini text from lines: "[SECTION]" or "key=value"; CR LF after each.
inline std::string Ini(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// Six columns: quantity, part number, name, price, two extra columns; prices
// in EUR with a second currency DEM; two VAT rates.
// Further lines go into the sections SETTINGS and COLUMS (a later line of
// the same key does not count: the first one is read).
inline std::string StandardSettings(const std::string& settings = "", const std::string& columns = "") {
  return Ini({"[SETTINGS]"}) + settings +
         Ini({"CountCol=0", "SearchCol=1", "NameCol=2", "Message=" + BuiltFile("protocol.dud"), "[COLUMS]"}) +
         columns +
         Ini({"Number=5", "Col00=100", "Col01=101", "Col02=102", "Col03=103", "Col04=104", "Col05=105", "[FUELL]",
              "Name=2", "Data00=3"});
}

inline std::string StandardPrices() {
  return Ini({"[SETTINGS]", "PreisCol=3", "[PREISE]", "Col=103", "Name1=EUR", "Komma1=2", "Second=1", "Name2=DEM",
              "Komma2=2", "Factor=1.95583", "[MWST]", "cnt=2", "00=16", "01=7,5"});
}

class ProtocolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    layer::SetUserLocale(kGerman);
    m_previousBoxes = layer::SetMessageBoxPresenter([this](HWND, const char* text, const char*, UINT) {
      m_boxes.push_back(text);
      return m_answer;
    });
    m_folder.Write("V4Prot.ini", StandardSettings());
    m_folder.Write("V4Preise.ini", StandardPrices());
  }
  void TearDown() override {
    layer::SetMessageBoxPresenter(m_previousBoxes);
    layer::SetUserLocale(0);
  }

  ProtocolSystemFacts Facts() const {
    ProtocolSystemFacts facts;
    facts.programFile = (m_folder / "protocol").c_str();
    facts.viewerFile = (m_folder / "viewer/varno4").c_str();
    facts.windowsDir = (m_folder / "windows").c_str();
    facts.tempDir = (m_folder / "tmp/").c_str();
    return facts;
  }
  // The application as the program starts it, texts open.
  std::unique_ptr<CProtocolApp> Start(const char* commandLine = "-DL D -PL D") {
    auto app = std::make_unique<CProtocolApp>(Facts());
    app->ParseCommandLine(commandLine);
    app->OpenTextTables();
    return app;
  }
  std::string Log() const { return m_folder.Read("V4ProtLog.txt"); }

  layer::ManualClock m_clock;
  layer::ScopedClock m_scopedClock{m_clock};
  layer::testing::TempFolder m_folder;
  std::vector<std::string> m_boxes;
  int m_answer = IDOK;
  layer::MessageBoxPresenter m_previousBoxes;
};

// The program's frame over an order view, and its commands run with a
// script that answers the dialog they open.
class ProtocolFrameTest : public ProtocolTest {
 protected:
  void TearDown() override {
    if (m_frame) m_frame->DestroyWindow();  // the frame deletes itself
    ProtocolTest::TearDown();
  }
  void OpenFrame(const char* commandLine = "-DL D -PL D") {
    m_app = Start(commandLine);
    ASSERT_TRUE(m_app->m_constructed) << Log();
    m_view = std::make_unique<CProtocolView>(*m_app);
    m_frame = new CMainFrame(m_app.get(), m_view.get());
    ASSERT_TRUE(m_frame->Create(nullptr, "Protokoll"));
  }
  void Command(UINT id, layer::ModalHook script) {
    layer::ModalHook previous = layer::SetModalHook(std::move(script));
    m_frame->SendMessage(WM_COMMAND, id, 0);
    layer::SetModalHook(previous);
  }

  std::unique_ptr<CProtocolApp> m_app;
  std::unique_ptr<CProtocolView> m_view;
  CMainFrame* m_frame = nullptr;
};

// The end of a program's main window ends its thread's loop; the next test's
// loop must not find that word.
inline void TakeQuitMessage() {
  MSG msg{};
  while (PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

// The program as it starts: its application object through InitInstance,
// with the frame and the view that the document template makes.
class ProtocolProgramTest : public ProtocolTest {
 protected:
  void TearDown() override {
    if (m_app && m_app->m_pMainWnd) m_app->m_pMainWnd->DestroyWindow();
    m_app.reset();
    TakeQuitMessage();
    ProtocolTest::TearDown();
  }
  // The program started with the installation as the test left it.
  BOOL StartProgram() {
    m_app = std::make_unique<CProtocolApp>(Facts());
    m_app->m_lpCmdLine = m_commandLine.data();
    return m_app->InitInstance();
  }
  CMainFrame* Frame() const { return m_app ? dynamic_cast<CMainFrame*>(m_app->m_pMainWnd) : nullptr; }

  std::string m_commandLine = "-DL D -PL D";
  std::unique_ptr<CProtocolApp> m_app;
};

// An order line from its texts.
inline OrderItem Line(const char* part, const char* quantity, const char* name = "", int32_t price = 0,
                      uint16_t vatGroup = 0, std::vector<CString> extras = {}) {
  OrderItem item;
  item.partNumber = part;
  item.quantity = quantity;
  item.name = name;
  item.price = price;
  item.vatGroup = vatGroup;
  item.extras = std::move(extras);
  return item;
}

}  // namespace protocol_testing
