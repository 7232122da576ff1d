// A host program that loads the library as the order list does and works it
// through its eleven exported functions only: set-up, an order and a text
// request answered byte for byte, and the window opened modally, ordering a
// quantity and opening a note.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "interfaces/ProtocolCommands.h"
#include "interfaces/QORV4TIF.h"
#include "partsinfo/res/resource.h"
#include "partsinfo/tests/PartsInfoFixture.h"
#include "qt/Screenshot.h"
#include "user/Dialogs.h"
#include "win32/Module.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

using namespace partsinfo_testing;

namespace {

// The library's functions, found by name in the loaded library.
struct Library {
  decltype(&TIF_PreTranslateMessage) preTranslateMessage;
  decltype(&TIF_NewCommand) newCommand;
  decltype(&TIF_Init) init;
  decltype(&TIF_SetColumnTitles) setColumnTitles;
  decltype(&TIF_LoadDictionaries) loadDictionaries;
  decltype(&TIF_SetDataLanguage) setDataLanguage;
  decltype(&TIF_OpenPartsDatabase) openPartsDatabase;
  decltype(&TIF_SetTextRequest) setTextRequest;
  decltype(&TIF_OpenPriceDatabase) openPriceDatabase;
  decltype(&TIF_SetVatRate) setVatRate;
  decltype(&TIF_SetPartChecks) setPartChecks;
};

template <typename F>
void Bind(HMODULE module, const char* name, F& function) {
  function = reinterpret_cast<F>(GetProcAddress(module, name));
  ASSERT_NE(function, nullptr) << name;
}

// The library reads the user's locale when it is loaded, so the host loads
// it once the locale is German, as the order list on a German desktop does.
Library& Loaded() {
  static Library library = [] {
    layer::SetUserLocale(kGerman);
    Library functions{};
    HMODULE module = LoadLibrary("QORV4TIF.dll");
    EXPECT_NE(module, nullptr);
    Bind(module, "TIF_PreTranslateMessage", functions.preTranslateMessage);
    Bind(module, "TIF_NewCommand", functions.newCommand);
    Bind(module, "TIF_Init", functions.init);
    Bind(module, "TIF_SetColumnTitles", functions.setColumnTitles);
    Bind(module, "TIF_LoadDictionaries", functions.loadDictionaries);
    Bind(module, "TIF_SetDataLanguage", functions.setDataLanguage);
    Bind(module, "TIF_OpenPartsDatabase", functions.openPartsDatabase);
    Bind(module, "TIF_SetTextRequest", functions.setTextRequest);
    Bind(module, "TIF_OpenPriceDatabase", functions.openPriceDatabase);
    Bind(module, "TIF_SetVatRate", functions.setVatRate);
    Bind(module, "TIF_SetPartChecks", functions.setPartChecks);
    return functions;
  }();
  return library;
}

class HostTest : public PartsInfoTest {
 protected:
  // The order list's start, in its order.
  void StartLibrary(int columns = kColumnsWithPrice) {
    Library& tif = Loaded();
    ASSERT_NE(tif.init, nullptr);
    tif.init(columns, kColumnTitles, m_orderList.window, 0, 1, Home().c_str(), "D", (m_folder / "catalogue").c_str(),
             UserDir().c_str());
    tif.setDataLanguage("D");
    tif.loadDictionaries(BuiltFile("catalogue.dud").c_str(), BuiltFile("catalogue.dud").c_str());
    tif.openPartsDatabase(BuiltFile("parts.ddm").c_str());
    const CString prices = BuiltFile("prices.ddm").c_str();
    uint32_t low = 0, high = 0;
    TifSplitDouble(1.95583, low, high);
    tif.openPriceDatabase(&prices, "EUR", "DEM", 2, 2, 1, low, high);
    tif.setVatRate(7, 0, 0, 0, 2);
    tif.setVatRate(160, 0, 1, 1, 2);
    tif.setPartChecks(3, 0, 0);
  }
  int Send(const std::string& block, int tag) {
    MSG msg{};
    msg.message = RegisterWindowMessage(PROTOCOL_TO_TIF_CMD_NAME);
    msg.wParam = block.size();
    msg.lParam = reinterpret_cast<LPARAM>(Loaded().newCommand(block.data(), static_cast<int>(block.size()), tag));
    return Loaded().preTranslateMessage(&msg);
  }
};

TEST_F(HostTest, AnOrderAndATextRequestAreAnsweredThroughTheExports) {
  StartLibrary();
  EXPECT_EQ(Send(Bytes("\0K-100\0Pumpe\0\0\0"), TIF_COMMAND_ORDER), 1);
  EXPECT_EQ(Answers(PROTOCOL_CMD_ORDER_ANSWER),
            std::vector<std::string>{Bytes("1\0K-100\0Pumpe\0\0" "12345\0" "1\0" "R5\0" "\0\0" "\0")});

  CDynBuf request;
  request.AppendLong(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(m_orderList.window)));
  request.Append("K-100");
  request.Append('\0');
  request.Append('\0');
  Loaded().setTextRequest(&request);
  MSG msg{};
  msg.message = TIF_TEXT_REQUEST_MSG;
  EXPECT_EQ(Loaded().preTranslateMessage(&msg), 1);
  EXPECT_EQ(Answers(PROTOCOL_CMD_TEXT_ANSWER), std::vector<std::string>{Bytes("123,45 EUR MwSt 16,0%\0")});

  Loaded().setColumnTitles(kColumnTitles, "GB");
  Loaded().preTranslateMessage(&msg);
  EXPECT_EQ(Answers(PROTOCOL_CMD_TEXT_ANSWER).back(), Bytes("123,45 EUR VAT 16,0%\0"));
}

TEST_F(HostTest, TheWindowOpensModallyOrdersAQuantityAndOpensANote) {
  const std::string editor = m_folder / "editor.sh";
  m_folder.Write("editor.sh", "#!/bin/sh\necho \"$@\" > \"$PWD/editor.args\"\n");
  chmod(editor.c_str(), 0755);
  for (const char* state : {"U", "D", "F", "X"})
    m_folder.Write(std::string("bmp/notiz") + state + ".BMP", BitmapFile(16, 16, 200, 180, 0));
  WriteSettings("NotizEditor=" + editor + "\r\n",
                Ini({"[BUTTON]", "NotizYes=" + (m_folder / "bmp/notiz"), "NotizNo=" + (m_folder / "bmp/notiz")}));
  StartLibrary();
  bool ran = false;
  char price[32] = {};
  layer::ModalHook previous = layer::SetModalHook([&](HWND window) {
    if (ran) return;
    ran = true;
    GetDlgItemText(window, IDC_PRICE1, price, sizeof price);
    if (const char* folder = std::getenv("VARNO_SCREENSHOT_DIR")) {
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      EXPECT_TRUE(layer::SaveWindowPng(window, std::string(folder) + "/PartsInfo.png"));
    }
    SendMessage(window, WM_COMMAND, MAKEWPARAM(IDC_NOTE, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_NOTE)));
    SetDlgItemText(window, IDC_QUANTITY, "6");
    SendMessage(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
    // Two rows: the window stays for further orders.
    SendMessage(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDCANCEL)));
  });
  EXPECT_EQ(Send(Bytes("2\0K-200\0Mutter\0\0" "1\0K-100\0Pumpe\0\0\0"), TIF_COMMAND_SHOW), 1);
  layer::SetModalHook(previous);
  EXPECT_TRUE(ran);
  EXPECT_STREQ(price, "10,00");
  EXPECT_EQ(Answers(PROTOCOL_CMD_ORDER_ANSWER),
            std::vector<std::string>{Bytes("6\0K-200\0Mutter\0\0" "1000\0" "0\0" "\0" "\0")});
  EXPECT_TRUE(m_folder.Exists("user/Notizen/Teile/P200.notiz"));
  for (int wait = 0; wait < 200 && !m_folder.Exists("user/Notizen/Teile/editor.args"); ++wait) usleep(10000);
  EXPECT_EQ(m_folder.Read("user/Notizen/Teile/editor.args"), "P200.notiz\n");
}

TEST_F(HostTest, OtherMessagesAreLeftToTheHost) {
  StartLibrary();
  MSG msg{};
  msg.message = WM_USER + 5;
  EXPECT_EQ(Loaded().preTranslateMessage(&msg), 0);
}

}  // namespace
