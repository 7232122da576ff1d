// The where-used program's start, dialogs and hand-back, driven as a person
// drives them: each modal dialog is answered through the layer's modal hook,
// message boxes are written down. The exchange block is a named block that
// the test makes, as the viewer does.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "WhereUsedRecords.h"
#include "comctl/CommCtrl.h"
#include "foundation/CIniClass.h"
#include "qt/Screenshot.h"
#include "testing/TempFolder.h"
#include "user/Dialogs.h"
#include "whereused/CWhereUsedApp.h"
#include "whereused/resource.h"
#include "win32/DebugOutput.h"
#include "win32/FileMapping.h"
#include "win32/Gdi.h"
#include "win32/MessageBox.h"
#include "win32/Module.h"
#include "win32/Paths.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

using whereused::testing::Record;

const WhereUsedGeometry kGeometry{10, 6, 8, 2};

std::string Text(HWND window) {
  char text[256] = {};
  GetWindowText(window, text, sizeof text);
  return text;
}

// The user settings live beside the program, here the test program.
std::string UserIni() {
  char path[MAX_PATH] = {};
  GetModuleFileName(nullptr, path, sizeof path);
  std::string host = std::filesystem::path(layer::HostPath(path)).parent_path().string();
  return host + "/v4vnw_user.ini";
}

class WhereUsedProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::remove(UserIni());
    std::string ini = "[VNW]\r\nTextlen=10\r\nKeylen=6\r\nBlocklen=8\r\nColumns=2\r\n";
    for (int n = 0; n < 10; ++n) ini += "Msg0" + std::to_string(n) + "=" + std::to_string(10 + n) + "\r\n";
    // Sections whose records have no text: no search can find anything.
    vnwSection = ini;
    folder.Write("vnw.ini", ini + "[NOTEXT]\r\nTextlen=0\r\nKeylen=6\r\nMsg04=14\r\nMsg05=15\r\n" +
                                "[NOLENGTHS]\r\nMsg04=14\r\nMsg05=15\r\n");
    WriteRecords({Record(kGeometry, "A-100", "GEH", "Haube", {0}), Record(kGeometry, "a-100", "MOT", "Motor", {0}),
                  Record(kGeometry, "A-200", "ANT", "Antrieb", {0}), Record(kGeometry, "A-200", "GRI", "Holm", {1}),
                  Record(kGeometry, "B-1", "BBB", "Say \"B\"", {0})});
    m_block = CreateFileMapping(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, BlockName());
    m_view = static_cast<BYTE*>(MapViewOfFile(m_block, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    // A block of the same name may outlive an earlier test while a handle to it is open.
    std::memset(m_view, 0, 4096);
    m_presenter = layer::SetMessageBoxPresenter([this](HWND, const char* text, const char*, UINT) {
      boxes.emplace_back(text);
      return IDOK;
    });
  }
  void TearDown() override {
    layer::SetMessageBoxPresenter(m_presenter);
    layer::SetModalHook(nullptr);
    UnmapViewOfFile(m_view);
    CloseHandle(m_block);
    std::filesystem::remove(UserIni());
  }

  static const char* BlockName() { return "vnw-program-test"; }

  void WriteRecords(const std::vector<std::string>& records) {
    std::string bytes;
    for (const std::string& record : records) bytes += record;
    folder.Write("vnw.bin", bytes);
  }

  std::string Options(const std::string& more = "") const {
    return "-D '" + folder / "vnw.bin" + "' -P '" + folder / "vnw.ini" + "' -S VNW -L D -M '" +
           std::string(VNW_TEST_FILES) + "/vnw.dud' " + more + " -MMF " + BlockName();
  }

  // Runs the program's start with the command line; each dialog that comes
  // up is handed to the script that knows it.
  BOOL Run(const std::string& line, std::function<void(HWND)> search, std::function<void(HWND)> results = nullptr) {
    layer::SetModalHook([&](HWND window) {
      if (GetDlgItem(window, IDC_SEARCH_TEXT) != nullptr) {
        searchShown = true;
        if (search) search(window);
        if (IsWindow(window)) PostMessage(window, WM_COMMAND, IDCANCEL, 0);  // never left open
      } else if (GetDlgItem(window, IDC_RESULT_LIST) != nullptr) {
        ++resultsShown;
        if (results) results(window);
        if (IsWindow(window)) PostMessage(window, WM_COMMAND, IDCANCEL, 0);
      }
    });
    std::string commandLine = line;
    app.m_lpCmdLine = commandLine.data();
    return app.InitInstance();
  }

  static void Search(HWND dialog, const char* text) {
    SetDlgItemText(dialog, IDC_SEARCH_TEXT, text);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  }

  // The answer left in the block: its length and its code.
  std::string Answer() const {
    const int length = m_view[0] + 256 * m_view[1];
    return std::string(reinterpret_cast<const char*>(m_view + 2), static_cast<size_t>(length));
  }
  static std::string AnswerFor(const std::string& block, const std::string& key) {
    return std::string("\0Nbl\0C", 6) + block + std::string("\0[\0{", 4) + key + std::string("\0|\0\0", 4);
  }

  static std::string UserSetting(const char* key) {
    CIniClass ini;
    CString value;
    ini.ReadKey("VNW", key, "", value, UserIni().c_str(), 0);
    return value.Std();
  }
  static void SetUserSetting(const char* key, const char* value) {
    CIniClass ini;
    ini.WriteKey("VNW", key, value, UserIni().c_str(), 0);
  }

  layer::testing::TempFolder folder;
  CWhereUsedApp app;
  std::string vnwSection;  // the section VNW of the where-used settings
  std::vector<std::string> boxes;
  bool searchShown = false;
  int resultsShown = 0;

 private:
  HANDLE m_block = nullptr;
  BYTE* m_view = nullptr;
  layer::MessageBoxPresenter m_presenter;
};

TEST_F(WhereUsedProgram, MissingOptionsShowTheUsageAndNothingElse) {
  struct Case {
    std::string line;
    const char* box;
  };
  const Case cases[] = {
      {"", "V4VNW.EXE -D vnw.bin -P project.prj -S section -L lang -M msg -C col !"},
      {"-D d -S s -L l -M m -MMF vnw-program-test", "V4VNW.EXE -P varno4.ini !"},
      {"-P p -D d -L l -M m", "V4VNW.EXE -S section !"},
      {"-P '" + folder / "none.ini" + "' -D d -S VNW -L l -M m", "V4VNW.EXE -P varno4.ini !"},
      {"-P '" + folder / "vnw.ini" + "' -D d -S NOSUCH -L l -M m", "V4VNW.EXE -S section !"},
  };
  for (const Case& c : cases) {
    boxes.clear();
    EXPECT_FALSE(Run(c.line, nullptr));
    EXPECT_EQ(boxes, std::vector<std::string>{c.box}) << c.line;
  }
  EXPECT_FALSE(searchShown);
  EXPECT_EQ(Answer(), "");
  EXPECT_FALSE(std::filesystem::exists(UserIni()));
}

TEST_F(WhereUsedProgram, TheDialogsTakeTheirTextsFromTheMessages) {
  std::vector<std::string> texts;
  Run(Options(), [&](HWND search) {
    for (int id : {0, IDC_SEARCH_LABEL, IDOK, IDCANCEL, IDC_CASE_SENSITIVE})
      texts.push_back(Text(id == 0 ? search : GetDlgItem(search, id)));
    if (const char* screenshots = std::getenv("VARNO_SCREENSHOT_DIR")) {
      RedrawWindow(search, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      EXPECT_TRUE(layer::SaveWindowPng(search, std::string(screenshots) + "/whereused-search.png"));
    }
  });
  EXPECT_EQ(texts,
            (std::vector<std::string>{"Verwendungsnachweis", "Teilenummer:", "Suchen", "Abbrechen", "Gro\xDF/klein"}));
}

// A single hit is taken at once; its key and block go to the viewer as code.
TEST_F(WhereUsedProgram, ASingleHitIsHandedBackAtOnce) {
  Run(Options(), [&](HWND search) { Search(search, "a-2*"); });
  EXPECT_EQ(resultsShown, 0);
  EXPECT_EQ(boxes, std::vector<std::string>{});
  EXPECT_EQ(Answer(), AnswerFor("\"Antrieb\"", "ANT"));  // column 0 only: GRI's record is in column 1
  EXPECT_EQ(UserSetting("LAST"), "a-2*~");               // the empty entry of the empty history stays behind it
}

TEST_F(WhereUsedProgram, TheFlagColumnAndTheCaseOptionChooseTheRecords) {
  struct Case {
    const char* more;
    const char* search;
    std::string answer;
  };
  const Case cases[] = {
      {"-C 1", "A-200", AnswerFor("\"Holm\"", "GRI")},
      {"-GK", "a-100", AnswerFor("\"Motor\"", "MOT")},
      {"", "b-1", AnswerFor("\"Say \"+'\"'+\"B\"+'\"'", "BBB")},  // a quote stays text for the viewer
  };
  for (const Case& c : cases) {
    Run(Options(c.more), [&](HWND search) { Search(search, c.search); });
    EXPECT_EQ(Answer(), c.answer) << c.search;
  }
}

TEST_F(WhereUsedProgram, SeveralHitsAreListedAndThePickedOneHandedBack) {
  std::string label;
  int rows = 0;
  Run(
      Options(), [&](HWND search) { Search(search, "A-100"); },
      [&](HWND results) {
        label = Text(GetDlgItem(results, IDC_HIT_COUNT));
        HWND list = GetDlgItem(results, IDC_RESULT_LIST);
        rows = static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(results, IDC_RESULT_SCROLL)));
        SendMessage(results, WM_COMMAND, IDOK, 0);  // nothing picked yet: stays open
        EXPECT_TRUE(IsWindow(results));
        RECT row{LVIR_BOUNDS, 0, 0, 0};
        SendMessage(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
        const LPARAM at = MAKELPARAM(row.left + 5, (row.top + row.bottom) / 2);
        SendMessage(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessage(list, WM_LBUTTONUP, 0, at);
        SendMessage(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessage(list, WM_LBUTTONUP, 0, at);
      });
  EXPECT_EQ(label, "2 Verwendungen");
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(Answer(), AnswerFor("\"Motor\"", "MOT"));
}

// Many hits: a page of rows, the scroll bar picks the hits they show.
TEST_F(WhereUsedProgram, ManyHitsArePaged) {
  std::vector<std::string> records;
  for (int i = 0; i < 60; ++i) {
    char text[16], key[16];
    std::snprintf(text, sizeof text, "P-%03d", i);
    std::snprintf(key, sizeof key, "K%03d", i);
    records.push_back(Record(kGeometry, text, key, "", {0}));
  }
  WriteRecords(records);
  int perPage = 0;
  int rows = 0;
  Run(
      Options(), [&](HWND search) { Search(search, "P-*"); },
      [&](HWND results) {
        HWND list = GetDlgItem(results, IDC_RESULT_LIST);
        HWND scroll = GetDlgItem(results, IDC_RESULT_SCROLL);
        perPage = static_cast<int>(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0));
        rows = static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
        EXPECT_TRUE(IsWindowVisible(scroll));
        SendMessage(results, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), reinterpret_cast<LPARAM>(scroll));
        EXPECT_EQ(GetScrollPos(scroll, SB_CTL), perPage);
        SendMessage(results, WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), reinterpret_cast<LPARAM>(scroll));
        EXPECT_EQ(GetScrollPos(scroll, SB_CTL), 60 - perPage);
        SendMessage(results, WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), reinterpret_cast<LPARAM>(scroll));
        RECT row{LVIR_BOUNDS, 0, 0, 0};
        SendMessage(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
        const LPARAM at = MAKELPARAM(row.left + 5, (row.top + row.bottom) / 2);
        SendMessage(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessage(list, WM_LBUTTONUP, 0, at);
        // The picked row is drawn in the highlight colours, the others not.
        UpdateWindow(list);
        HDC dc = GetDC(list);
        const COLORREF picked = GetPixel(dc, row.right - 30, (row.top + row.bottom) / 2);
        const COLORREF other = GetPixel(dc, row.right - 30, (row.top + row.bottom) / 2 + (row.bottom - row.top));
        ReleaseDC(list, dc);
        EXPECT_EQ(picked, GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_EQ(other, GetSysColor(COLOR_WINDOW));
        if (const char* screenshots = std::getenv("VARNO_SCREENSHOT_DIR")) {
          RedrawWindow(results, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
          EXPECT_TRUE(layer::SaveWindowPng(results, std::string(screenshots) + "/whereused-results.png"));
          EXPECT_TRUE(layer::SaveScreenPng(std::string(screenshots) + "/whereused-screen.png"));
        }
        SendMessage(results, WM_COMMAND, IDOK, 0);
      });
  ASSERT_GT(perPage, 2);
  ASSERT_LT(perPage, 60);
  EXPECT_EQ(rows, perPage);
  char key[16];
  std::snprintf(key, sizeof key, "K%03d", 60 - perPage - 1 + 2);
  EXPECT_EQ(Answer(), AnswerFor("\"\"", key));
}

TEST_F(WhereUsedProgram, FailedSearchesTellWhyAndLeaveTheSearchOpen) {
  struct Case {
    const char* name;
    std::string line;
    std::string box;
  };
  const std::string missing = folder / "none.bin";
  const Case cases[] = {
      {"nothing found", Options(), "Nichts gefunden"},
      // the message is no format: only its %s becomes the file name
      {"file missing", "-D '" + missing + "' " + Options().substr(Options().find(" -P")),
       "Datei " + missing + " fehlt (100 %d %n)"},
      {"no text length", Options().replace(Options().find("-S VNW"), 6, "-S NOTEXT"), "Nichts gefunden"},
      {"no lengths at all", Options().replace(Options().find("-S VNW"), 6, "-S NOLENGTHS"), "Nichts gefunden"},
  };
  for (const Case& c : cases) {
    boxes.clear();
    bool stillOpen = false;
    Run(c.line, [&](HWND search) {
      Search(search, "XYZ");
      stillOpen = IsWindow(search) != FALSE;
    });
    EXPECT_EQ(boxes, std::vector<std::string>{c.box}) << c.name;
    EXPECT_TRUE(stillOpen) << c.name;
    EXPECT_EQ(Answer(), "") << c.name;
  }
}

// Lengths and counts of the record layout beyond what a record can hold are
// taken as missing, as the debug output says: nothing overflows, nothing is
// found.
TEST_F(WhereUsedProgram, LayoutNumbersOutOfRangeAreTakenAsMissing) {
  folder.Write("vnw.ini", "[HUGE]\r\nTextlen=2000000000\r\nKeylen=2000000000\r\nBlocklen=-8\r\n"
                          "Columns=99999999999\r\nMsg04=14\r\nMsg05=15\r\n");
  std::string debug;
  layer::SetDebugOutputSink([&debug](std::string_view text) { debug += text; });
  Run(Options().replace(Options().find("-S VNW"), 6, "-S HUGE"), [&](HWND search) { Search(search, "*"); });
  layer::SetDebugOutputSink({});
  EXPECT_EQ(boxes, std::vector<std::string>{"Nichts gefunden"});
  for (const char* said : {"Textlen '2000000000' out of range", "Keylen '2000000000' out of range",
                           "Blocklen '-8' out of range", "Columns '2147483647' out of range"})
    EXPECT_NE(debug.find(said), std::string::npos) << debug;
}

// The where-used settings damaged: every number of the section and of the
// user's settings huge or negative, and bytes of both files mutated. The
// program shows its search dialog, searches, and ends.
TEST_F(WhereUsedProgram, DamagedSettingsNeverTakeTheProgramDown) {
  const std::string user = "[VNW]\r\nXPos=30\r\nYPos=40\r\nLAST= A-100~B-1\r\n";
  auto withValue = [](const std::string& text, const std::string& key, const std::string& value) {
    const size_t at = text.find("\n" + key + "=") + 1;
    return text.substr(0, at + key.size() + 1) + value + text.substr(text.find("\r\n", at));
  };
  auto runOnce = [&](const std::string& ini, const std::string& userIni, bool search, const std::string& what) {
    folder.Write("vnw.ini", ini);
    std::ofstream(UserIni(), std::ios::binary | std::ios::trunc) << userIni;
    searchShown = false;
    Run(Options(), [&](HWND dialog) {
      if (search) Search(dialog, "*");
    });
    EXPECT_TRUE(searchShown || !boxes.empty()) << what;
    boxes.clear();
  };
  std::vector<std::string> keys = {"Textlen", "Keylen", "Blocklen", "Columns"};
  for (int n = 0; n < 10; ++n) keys.push_back("Msg0" + std::to_string(n));
  for (const char* value : {"2147483648", "99999999999999999999", "1000000000", "-1", "-2147483648"}) {
    for (const std::string& key : keys) {
      const bool layout = key.rfind("Msg", 0) != 0;
      runOnce(withValue(vnwSection, key, value), user, layout, key + "=" + value);
    }
    for (const char* key : {"XPos", "YPos", "LAST"}) runOnce(vnwSection, withValue(user, key, value), false, key);
  }
  std::mt19937 random(99);
  for (int round = 0; round < 24; ++round) {
    std::string ini = vnwSection, userIni = user;
    std::string& damaged = round % 2 ? userIni : ini;
    for (int flips = std::uniform_int_distribution<int>(1, 4)(random); flips > 0; --flips)
      damaged[std::uniform_int_distribution<size_t>(0, damaged.size() - 1)(random)] = static_cast<char>(random());
    if (round % 4 >= 2) damaged.resize(std::uniform_int_distribution<size_t>(0, damaged.size())(random));
    runOnce(ini, userIni, round % 3 == 0, "round " + std::to_string(round));
  }
}

// Records that cannot be the ini's: message 4 before any search.
TEST_F(WhereUsedProgram, AFileShorterThanOneRecordIsNotSearched) {
  folder.Write("vnw.bin", "A-100");
  Run(Options(), [&](HWND search) { Search(search, "*"); });
  EXPECT_EQ(boxes, std::vector<std::string>{"Datei unlesbar"});
  EXPECT_EQ(resultsShown, 0);
}

TEST_F(WhereUsedProgram, CancelWritesNoAnswerButKeepsPlaceAndHistory) {
  SetUserSetting("LAST", " A-100~B-1~A-200");
  SetUserSetting("XPos", "30");
  SetUserSetting("YPos", "40");
  std::vector<std::string> entries;
  std::string shown;
  RECT place{};
  Run(Options(), [&](HWND search) {
    HWND combo = GetDlgItem(search, IDC_SEARCH_TEXT);
    shown = Text(combo);
    GetWindowRect(search, &place);
    Search(search, "a-2");  // no hit; the older "A-200" makes room for it
    for (int i = 0; i < SendMessage(combo, CB_GETCOUNT, 0, 0); ++i) {
      char entry[64] = {};
      SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
      entries.emplace_back(entry);
    }
    SendMessage(search, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(shown, "A-100");
  EXPECT_EQ(place.left, 30);
  EXPECT_EQ(place.top, 40);
  EXPECT_EQ(entries, (std::vector<std::string>{"a-2", "A-100", "B-1"}));
  EXPECT_EQ(Answer(), "");
  EXPECT_EQ(UserSetting("LAST"), "a-2~A-100~B-1");
  EXPECT_EQ(UserSetting("XPos"), "30");
  EXPECT_EQ(UserSetting("YPos"), "40");
}

// A place kept from a larger screen is pulled back onto this one.
TEST_F(WhereUsedProgram, TheDialogStaysOnTheScreen) {
  SetUserSetting("XPos", "100000");
  SetUserSetting("YPos", "100000");
  RECT place{};
  Run(Options(), [&](HWND search) { GetWindowRect(search, &place); });
  EXPECT_EQ(place.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(place.bottom, GetSystemMetrics(SM_CYSCREEN));
}

// The first run keeps no place yet: the dialog comes up in the screen's
// middle, not in its corner.
TEST_F(WhereUsedProgram, WithoutAKeptPlaceTheDialogIsCentred) {
  RECT place{};
  Run(Options(), [&](HWND search) { GetWindowRect(search, &place); });
  EXPECT_NEAR(place.left + place.right, GetSystemMetrics(SM_CXSCREEN), 1);
  EXPECT_NEAR(place.top + place.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
}

TEST_F(WhereUsedProgram, ABlockThatDoesNotOpenIsReported) {
  std::string line = Options();
  line.replace(line.find(BlockName()), std::string(BlockName()).size(), "vnw-no-such-block");
  Run(line, [&](HWND search) { Search(search, "B-1"); });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0],
            "Austauschblock vnw-no-such-block nicht gefunden !\nExchange block vnw-no-such-block not found !");
}

TEST_F(WhereUsedProgram, WithoutBlockTheKeyIsShown) {
  std::string line = Options();
  line.erase(line.find(" -MMF"));
  Run(line, [&](HWND search) { Search(search, "B-1"); });
  EXPECT_EQ(boxes, std::vector<std::string>{"BBB"});
  EXPECT_EQ(Answer(), "");
}

}  // namespace
