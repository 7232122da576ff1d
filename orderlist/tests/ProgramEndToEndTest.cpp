// The order-list program in a process of its own, driven by the viewer's
// channel code: the viewer starts it and finds its hidden window, shows and
// hides it and hears back, hands it an ordered row as the parts-info window
// answers it, and ends it; the collected line is kept in a new order file.
// A part from the viewer goes the whole way through the parts-info library.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "Main/CWV4ExtPrg.h"
#include "Main/tests/EngineFixture.h"
#include "foundation/CIniClass.h"
#include "interfaces/ProtocolCommands.h"
#include "ipc/CrossProcessWindows.h"
#include "win32/CrossProcess.h"
#include "win32/MessageBox.h"
#include "win32/Process.h"

namespace {

std::vector<WPARAM> g_answers;  // the order list's codes to the viewer

LRESULT CALLBACK ViewerFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == RegisterWindowMessage(VARNO4_PROTOCOL_COMMAND_NAME)) {
    g_answers.push_back(wParam);
    return 1;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

class ProgramEndToEnd : public varno::testing::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    ASSERT_TRUE(layer::ipc::StartCrossProcessWindows());
    g_answers.clear();
    // The order-list program's installation: the program and its settings.
    std::filesystem::copy_file(PROTOCOL_PROGRAM, folder / "protocol");
    folder.Write("V4Prot.ini",
                 "[SETTINGS]\r\nCountCol=0\r\nSearchCol=1\r\nNameCol=2\r\nMessage=" PROTOCOL_TEST_FILES "/protocol.dud\r\n"
                 "[COLUMS]\r\nNumber=5\r\nCol00=100\r\nCol01=101\r\nCol02=102\r\nCol04=104\r\nCol05=105\r\n");
    folder.Write("V4Preise.ini",
                 "[SETTINGS]\r\nPreisCol=3\r\n[PREISE]\r\nCol=103\r\nName1=EUR\r\nKomma1=2\r\n"
                 "[MWST]\r\ncnt=2\r\n00=16\r\n01=7,5\r\n");
    folder.Write("varno4.ini", "[SYSTEM]\r\nProtocol=7\r\n");
    folder.Write("extern.txt", "7:0:\"" + (folder / "protocol") + "\",\r\n");

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ViewerFrame;
    windowClass.lpszClassName = "VarnoEndToEndViewer";
    RegisterClass(&windowClass);
    app.m_hMainWnd = CreateWindow("VarnoEndToEndViewer", "VARNO 4", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    theGlobals.m_papp = &app;
    theGlobals.m_pini = new CIniClass;
    theGlobals.m_pextprg = new CExtPrg;
    theGlobals.m_pextprg->Load((folder / "extern.txt").c_str());
    theGlobals.m_main_prj_file = (folder / "varno4.ini").c_str();
    theGlobals.m_language = "D";
    theGlobals.m_prg_language = "D";
  }
  void TearDown() override {
    if (app.m_prot_pid != 0 && (app.m_prot_found || app.FindProtocolWindow())) app.PostProtocolCommand(PROTOCOL_CMD_CLOSE, 0);
    WaitForEnd();
    DestroyWindow(app.m_hMainWnd);
    theGlobals.m_papp = nullptr;
    delete theGlobals.m_pini;
    delete theGlobals.m_pextprg;
    theGlobals.m_pini = nullptr;
    theGlobals.m_pextprg = nullptr;
    theGlobals.m_main_prj_file.Empty();
    EngineFixture::TearDown();
  }

  bool Start() {
    if (!app.StartProtocol()) return false;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, app.m_prot_pid);
    WaitForInputIdle(process, 20000);
    CloseHandle(process);
    return app.FindProtocolWindow();
  }
  void WaitForEnd() {
    HANDLE process = app.m_prot_pid ? OpenProcess(SYNCHRONIZE, FALSE, app.m_prot_pid) : nullptr;
    if (process == nullptr) return;
    WaitForSingleObject(process, 20000);
    CloseHandle(process);
    app.m_prot_pid = 0;
  }
  // The viewer's queue until the order list's answer arrives (it posts it).
  bool HearAnswer(WPARAM code) {
    for (int round = 0; round < 2000; ++round) {
      MSG msg;
      while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
      for (WPARAM answer : g_answers)
        if (answer == code) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }
  // As the parts-info window answers an ordered row.
  LRESULT AnswerOrderedRow(const std::string& fields) {
    COPYDATASTRUCT block{PROTOCOL_CMD_ORDER_ANSWER, static_cast<DWORD>(fields.size()), const_cast<char*>(fields.data())};
    DWORD_PTR result = 0;
    SendMessageTimeout(app.m_prot_wnd, WM_COPYDATA, reinterpret_cast<WPARAM>(app.m_hMainWnd),
                       reinterpret_cast<LPARAM>(&block), SMTO_NORMAL, 20000, &result);
    return static_cast<LRESULT>(result);
  }
  std::vector<std::string> OrderFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
      if (entry.path().extension() == ".pro") names.push_back(entry.path().stem().string());
    return names;
  }

  CViewerApp app;
  layer::testing::TempFolder folder;
};

TEST_F(ProgramEndToEnd, StartsHiddenIsFoundAndAnswersShowAndHide) {
  ASSERT_TRUE(Start());
  EXPECT_FALSE(IsWindowVisible(app.m_prot_wnd));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLong(app.m_prot_wnd, GWL_USERDATA)), GetCurrentProcessId());
  app.PostProtocolCommand(PROTOCOL_CMD_SHOW, 0);
  ASSERT_TRUE(HearAnswer(PROTOCOL_CMD_SHOWN));
  EXPECT_TRUE(IsWindowVisible(app.m_prot_wnd));
  app.PostProtocolCommand(PROTOCOL_CMD_HIDE, 0);
  ASSERT_TRUE(HearAnswer(PROTOCOL_CMD_HIDDEN));
  EXPECT_FALSE(IsWindowVisible(app.m_prot_wnd));
}

TEST_F(ProgramEndToEnd, AnOrderedPartIsKeptInANewOrderFileWhenTheViewerEndsTheOrderList) {
  ASSERT_TRUE(Start());
  static const char kRow[] = "3\0" "A-100\0" "Messer\0" "Motor\0" "A\0" "1999\0" "0\0" "\0";
  EXPECT_EQ(AnswerOrderedRow(std::string(kRow, sizeof kRow - 1)), TRUE);
  app.PostProtocolCommand(PROTOCOL_CMD_CLOSE, 0);
  WaitForEnd();

  // A new order file holds the line: its key, name, quantity and price.
  const std::vector<std::string> orders = OrderFiles();
  ASSERT_EQ(orders.size(), 1u);
  const std::string bytes = folder.Read(orders[0] + ".pro");
  EXPECT_EQ(bytes.substr(0, 3), "PRO");
  for (const char* field : {"A-100", "Messer", "1999", "Motor"})
    EXPECT_NE(bytes.find(std::string(field) + '\0'), std::string::npos) << field;
}

struct ChainCase {
  const char* name;
  BOOL order;  // else the part is only shown, and ordered in the parts-info window
};

class OrderingChain : public ProgramEndToEnd, public ::testing::WithParamInterface<ChainCase> {
 protected:
  // The parts-info window in the order list's process, once it is up.
  static HWND PartsInfoWindow() {
    for (int round = 0; round < 2000; ++round) {
      if (HWND window = FindWindow(nullptr, "Teile Information")) return window;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return nullptr;
  }
};

// The whole chain: a part from the viewer goes to the order list, which hands
// it to the parts-info library; the library prices it from its databases and
// answers the order list with the priced line, at once for an order, through
// its window's order button for a part that is only shown. The price column
// stands between other columns, where the library's columns and the order
// list's differ.
TEST_P(OrderingChain, APartFromTheViewerLandsPricedInTheOrder) {
  folder.Write("qorv4tif.ini", "[SYSTEM]\r\nMessage=" PARTSINFO_TEST_FILES "/windowtexts.dud\r\nHistory=0\r\nNotiz=0\r\n");
  folder.Write("V4Preise.ini", "[SETTINGS]\r\nPreisCol=3\r\n[PREISE]\r\nCol=103\r\nName1=EUR\r\nKomma1=2\r\n"
                               "DB=" PROTOCOL_TEST_FILES "/prices.ddm\r\n[MWST]\r\ncnt=2\r\n00=16\r\n01=7,5\r\n");
  theGlobals.m_teilestamm = PROTOCOL_TEST_FILES "/parts.ddm";
  ASSERT_TRUE(Start());
  // Quantity, part key, name and the two columns after the price, as a
  // table in the viewer sends one row without asking.
  static const char kRow[] = "2\0" "A1\0" "Bolzen\0" "Lager\0" "Fach 3\0" "\0" "\0";
  CDynBuf lines;
  lines.Append(kRow, sizeof kRow - 1);
  app.SendPartsToProtocol(1, 5, nullptr, nullptr, &lines, GetParam().order);
  if (!GetParam().order) {
    HWND window = PartsInfoWindow();
    ASSERT_NE(window, nullptr);
    PostMessage(window, WM_COMMAND, IDOK, 0);
    // With its only row ordered the window closes.
    for (int round = 0; round < 2000 && IsWindow(window); ++round)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_FALSE(IsWindow(window));
  }
  app.PostProtocolCommand(PROTOCOL_CMD_CLOSE, 0);
  WaitForEnd();

  const std::vector<std::string> orders = OrderFiles();
  ASSERT_EQ(orders.size(), 1u);
  const std::string bytes = folder.Read(orders[0] + ".pro");
  // The stored line: key, quantity, name, the price database's 19.99 with
  // VAT group 1 and discount group R5 for the part's price key, then the
  // columns after the price column in their places.
  static const char kStoredLine[] = "A1\0" "2\0" "Bolzen\0" "1999\0" "1\0" "R5\0" "Lager\0" "Fach 3\0";
  EXPECT_NE(bytes.find(std::string(kStoredLine, sizeof kStoredLine - 1)), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Paths, OrderingChain,
                         ::testing::Values(ChainCase{"OrderedStraightBack", TRUE},
                                           ChainCase{"OrderedInThePartsInfoWindow", FALSE}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProgramEndToEnd, TheSampleCataloguesEntryStartsItsOrderListWithItsOwnTexts) {
  // The sample's order-list folder as a copy, so that what the program keeps
  // stays the test's; the catalogue's own entry names the copy.
  std::filesystem::create_directories(folder / "sample");
  for (const char* file : {"protocol", "V4Prot.ini", "protokoll.dud"})
    std::filesystem::copy_file(std::string(VARNO_CATALOGUE_DIR) + "/protokoll/" + file, folder / ("sample/" + std::string(file)));
  std::ifstream in(std::string(VARNO_CATALOGUE_DIR) + "/extern.txt", std::ios::binary);
  const std::string list((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t entry = list.find("6:0:VARNO+\"\\protokoll");
  ASSERT_NE(entry, std::string::npos) << list;
  const std::string line = list.substr(entry, list.find('\n', entry) - entry);
  folder.Write("extern.txt", "6:0:FOLDER+\"" + line.substr(line.find("\\PROTOCOL")) + "\n");
  theGlobals.m_pextprg->Load((folder / "extern.txt").c_str());
  theGlobals.m_main_prj_file = VARNO_CATALOGUE_DIR "/varno4.ini";
  vars().SetVar("FOLDER", VarValue::Text((folder / "sample").c_str()), VAR_CHAR);

  ASSERT_TRUE(Start());
  char title[128] = "";
  GetWindowText(app.m_prot_wnd, title, sizeof title);
  EXPECT_STREQ(title, "VARNO 4 Bestellliste - Standard");
}

}  // namespace
