// The frame as the viewer drives it: commands and their answers, data
// blocks (cut and overlong ones refused), what the parts-info library is
// told, the watch on the viewer's process, the order kept when the viewer
// ends the list, and the export and calculation programs.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "ProtocolFixture.h"
#include "interfaces/ProtocolCommands.h"
#include "mfc/CDialog.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/PartsInfoCalls.h"
#include "orderlist/res/resource.h"
#include "user/Dialogs.h"
#include "win32/Process.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

using protocol_testing::Ini;
using protocol_testing::Line;
using protocol_testing::StandardSettings;

// What the parts-info library was told, in order.
std::vector<std::string> g_told;
int g_commandToken;

void RecordTitles(const char*, const char* language) { g_told.push_back(std::string("titles ") + language); }
void RecordDictionaries(const char* byNumber, const char* byKey) {
  g_told.push_back(std::string("dictionaries ") + byNumber + " | " + byKey);
}
void RecordDataLanguage(const char* language) { g_told.push_back(std::string("data language ") + language); }
void RecordPartsDatabase(const char* path) { g_told.push_back(std::string("parts ") + path); }
void RecordTextRequest(const CDynBuf* request) {
  g_told.push_back("text request of " + std::to_string(request->GetLength()) + " bytes");
}
TifCommand* RecordCommand(const char* data, int length, int tag) {
  g_told.push_back("command " + std::to_string(tag) + " " + std::string(data, static_cast<size_t>(length)));
  return reinterpret_cast<TifCommand*>(&g_commandToken);
}

// The viewer's main window: it notes the codes the order list answers.
class ViewerWindow : public CFrameWnd {
 public:
  LRESULT OnProtocolCommand(WPARAM code, LPARAM) {
    codes.push_back(static_cast<int>(code));
    return 1;
  }
  std::vector<int> codes;
  DECLARE_MESSAGE_MAP()
};

const UINT viewerCommandMessage = ProtocolCommandMessage();

BEGIN_MESSAGE_MAP(ViewerWindow, CFrameWnd)
  ON_REGISTERED_MESSAGE(viewerCommandMessage, OnProtocolCommand)
END_MESSAGE_MAP()

class MainFrameChannel : public protocol_testing::ProtocolTest {
 protected:
  void SetUp() override {
    ProtocolTest::SetUp();
    g_told.clear();
    ThePartsInfoCalls() = {RecordCommand,       RecordTitles,      RecordDictionaries,
                           RecordDataLanguage, RecordPartsDatabase, RecordTextRequest};
  }
  void TearDown() override {
    if (m_frame) m_frame->DestroyWindow();
    if (m_viewer) m_viewer->DestroyWindow();
    TakeMessages(WM_QUIT);
    ThePartsInfoCalls() = {};
    ProtocolTest::TearDown();
  }
  void Open(const std::string& settings = "") {
    m_folder.Write("V4Prot.ini", StandardSettings(settings));
    m_app = Start();
    ASSERT_TRUE(m_app->m_constructed) << Log();
    m_view = std::make_unique<CProtocolView>(*m_app);
    m_frame = new CMainFrame(m_app.get(), m_view.get());
    ASSERT_TRUE(m_frame->Create(nullptr, "Protokoll"));
  }
  void MeetViewer() {
    m_viewer = new ViewerWindow;
    ASSERT_TRUE(m_viewer->Create(nullptr, "VARNO 4"));
    Command(PROTOCOL_CMD_VIEWER_WINDOW, reinterpret_cast<LPARAM>(m_viewer->m_hWnd));
  }
  LRESULT Command(int code, LPARAM value = 0) {
    return m_frame->SendMessage(ProtocolCommandMessage(), static_cast<WPARAM>(code), value);
  }
  LRESULT Data(int code, const std::string& bytes) {
    COPYDATASTRUCT block{static_cast<ULONG_PTR>(code), static_cast<DWORD>(bytes.size()),
                         const_cast<char*>(bytes.data())};
    return m_frame->SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&block));
  }
  // The queued messages of one number (thread messages too), taken out.
  std::vector<MSG> TakeMessages(UINT message) {
    std::vector<MSG> taken;
    MSG msg{};
    while (PeekMessage(&msg, nullptr, message, message, PM_REMOVE)) taken.push_back(msg);
    return taken;
  }
  std::vector<std::string> OrderFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder.Path()))
      if (entry.path().extension() == ".pro") names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  void SetNow(WORD hour, WORD minute, WORD second) {
    SYSTEMTIME now{2026, 12, 5, 11, hour, minute, second, 0};
    m_clock.SetLocalTime(now);
  }

  std::unique_ptr<CProtocolApp> m_app;
  std::unique_ptr<CProtocolView> m_view;
  CMainFrame* m_frame = nullptr;  // deletes itself with its window
  ViewerWindow* m_viewer = nullptr;
};

TEST_F(MainFrameChannel, ShowAndHideAnswerOnlyAKnownViewer) {
  Open();
  m_frame->ShowWindow(SW_MINIMIZE);
  EXPECT_EQ(Command(PROTOCOL_CMD_SHOW), 1);
  EXPECT_TRUE(m_frame->IsWindowVisible());
  EXPECT_FALSE(m_frame->IsIconic());
  EXPECT_EQ(Command(PROTOCOL_CMD_HIDE), 1);
  EXPECT_FALSE(m_frame->IsWindowVisible());
  MeetViewer();
  EXPECT_EQ(m_frame->m_viewer_window, m_viewer->m_hWnd);
  Command(PROTOCOL_CMD_SHOW);
  Command(PROTOCOL_CMD_HIDE);
  layer::PumpUntilIdle();
  EXPECT_EQ(m_viewer->codes, (std::vector<int>{PROTOCOL_CMD_SHOWN, PROTOCOL_CMD_HIDDEN}));
  for (int unknown : {0, 4, 5, 9, 11, 12, 99}) EXPECT_EQ(Command(unknown), 0) << unknown;
}

TEST_F(MainFrameChannel, TheFrameStartsHiddenAtItsSize) {
  Open();
  EXPECT_FALSE(m_frame->IsWindowVisible());
  RECT frame{};
  m_frame->GetWindowRect(&frame);
  EXPECT_EQ(frame.right - frame.left, 500);
  EXPECT_EQ(frame.bottom - frame.top, 400);
  MINMAXINFO limits{};
  m_frame->m_min_track_width = 300;
  m_frame->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_NE(limits.ptMinTrackSize.x, 300);  // both sizes or none
  m_frame->m_min_track_height = 200;
  m_frame->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, 300);
  EXPECT_EQ(limits.ptMinTrackSize.y, 200);
}

TEST_F(MainFrameChannel, AMessageBoxGetsTheProgramsButtonTexts) {
  Open();
  CDialog box;
  ASSERT_TRUE(box.Create(IDD_BOOKING_SETTINGS, m_frame));  // a box with OK and Cancel
  auto buttonText = [&](int id) {
    char text[64] = "";
    GetDlgItemText(box.m_hWnd, id, text, sizeof text);
    return std::string(text);
  };
  m_frame->SendMessage(WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(box.m_hWnd));
  EXPECT_EQ(buttonText(IDCANCEL), "*#*Abbrechen");  // no box of the program is up
  m_app->m_msgbox_type = MB_OKCANCEL;
  m_frame->SendMessage(WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(box.m_hWnd));
  EXPECT_EQ(buttonText(IDOK), "OK");
  EXPECT_EQ(buttonText(IDCANCEL), "Abbrechen");
  EXPECT_EQ(m_app->m_msgbox_type, -1);
  box.DestroyWindow();
}

TEST_F(MainFrameChannel, TheUsersCloseOnlyHidesWhileTheViewerRuns) {
  Open();
  MeetViewer();
  m_frame->ShowWindow(SW_SHOW);
  m_frame->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(IsWindow(m_frame->m_hWnd));
  EXPECT_FALSE(m_frame->IsWindowVisible());
  EXPECT_EQ(m_viewer->codes, std::vector<int>{PROTOCOL_CMD_HIDDEN});  // sent, not posted
}

TEST_F(MainFrameChannel, DataBlocksAndWhatTheyChange) {
  Open();
  EXPECT_TRUE(Data(PROTOCOL_CMD_PROGRAM_LANGUAGE, std::string("GB\0", 3)));
  EXPECT_STREQ(m_app->m_prg_language_new, "GB");
  EXPECT_STREQ(m_app->m_prg_language, "D");  // applied later
  EXPECT_TRUE(Data(PROTOCOL_CMD_DATA_LANGUAGE, std::string("GB\0", 3)));
  EXPECT_STREQ(m_app->m_data_language, "GB");
  EXPECT_TRUE(Data(PROTOCOL_CMD_DICTIONARIES, std::string("C:\\a.dud\0C:\\b.dch\0", 18)));
  EXPECT_STREQ(m_app->m_duden_file, "C:\\a.dud");
  EXPECT_STREQ(m_app->m_dudench_file, "C:\\b.dch");
  EXPECT_TRUE(Data(PROTOCOL_CMD_PARTS_DATABASE, std::string("C:\\CAT\\teile.ddm\0", 17)));
  EXPECT_STREQ(m_app->m_parts_db, "C:\\CAT\\teile.ddm");
  EXPECT_STREQ(m_app->m_parts_db2, "C:\\CAT\\teile2.ddm");
  EXPECT_TRUE(Data(PROTOCOL_CMD_PARTS_DATABASE, std::string("C:\\CAT\\teile\0", 13)));
  EXPECT_STREQ(m_app->m_parts_db, "");
  EXPECT_STREQ(m_app->m_parts_db2, "");
  EXPECT_EQ(g_told, (std::vector<std::string>{"data language GB", "dictionaries C:\\a.dud | C:\\b.dch",
                                              "parts C:\\CAT\\teile.ddm", "parts "}));
  for (int unknown : {1, 2, 3, 5, 8, 10, 11, 12, 13, 14, 15, 16, 21})
    EXPECT_FALSE(Data(unknown, std::string("x\0", 2))) << unknown;
}

TEST_F(MainFrameChannel, CutAndOverlongBlocksAreRefused) {
  Open();
  const std::string longPath(MAX_PATH, 'p');
  const std::string longLanguage(40, 'L');
  struct Case {
    const char* name;
    int code;
    std::string bytes;
  } cases[] = {
      {"language too long", PROTOCOL_CMD_PROGRAM_LANGUAGE, longLanguage + '\0'},
      {"data language too long", PROTOCOL_CMD_DATA_LANGUAGE, longLanguage},
      {"one dictionary only", PROTOCOL_CMD_DICTIONARIES, "C:\\a.dud"},
      {"dictionary path too long", PROTOCOL_CMD_DICTIONARIES, longPath + '\0' + "b" + '\0'},
      {"parts path too long", PROTOCOL_CMD_PARTS_DATABASE, longPath + ".ddm"},
      {"text request without key", PROTOCOL_CMD_TEXT_REQUEST, std::string("\x01\x02\x03\x04", 4)},
      {"text request key without end", PROTOCOL_CMD_TEXT_REQUEST, std::string("\x01\x02\x03\x04" "A1", 6)},
  };
  for (const Case& c : cases) EXPECT_FALSE(Data(c.code, c.bytes)) << c.name;
  EXPECT_TRUE(g_told.empty());
  EXPECT_STREQ(m_app->m_prg_language_new, "D");
  EXPECT_STREQ(m_app->m_data_language, "D");
  COPYDATASTRUCT missing{PROTOCOL_CMD_PROGRAM_LANGUAGE, 4, nullptr};
  EXPECT_FALSE(m_frame->SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&missing)));
  EXPECT_TRUE(TakeMessages(WM_ENABLE).empty());
}

TEST_F(MainFrameChannel, PartsGoToTheLibraryInTheNewLanguage) {
  Open();
  Data(PROTOCOL_CMD_PROGRAM_LANGUAGE, std::string("GB\0", 3));
  const std::string lines("1\0A1\0\0", 6);
  EXPECT_TRUE(Data(PROTOCOL_CMD_ORDER_PART, lines));
  EXPECT_TRUE(Data(PROTOCOL_CMD_PART_INFO, lines));
  EXPECT_EQ(g_told, (std::vector<std::string>{"command 1 " + lines, "titles GB", "command 0 " + lines, "titles GB"}));
  EXPECT_STREQ(m_app->m_prg_language, "D");  // the frame's own texts follow at the next idle time
  const auto handed = TakeMessages(ProtocolToTifMessage());
  ASSERT_EQ(handed.size(), 2u);
  EXPECT_EQ(handed[0].hwnd, nullptr);
  EXPECT_EQ(handed[0].wParam, lines.size());
  EXPECT_EQ(handed[0].lParam, reinterpret_cast<LPARAM>(&g_commandToken));

  g_told.clear();
  EXPECT_TRUE(Data(PROTOCOL_CMD_TEXT_REQUEST, std::string("\x01\x02\x03\x04" "A1\0x\0", 9)));
  EXPECT_EQ(g_told, std::vector<std::string>{"text request of 9 bytes"});
  EXPECT_EQ(TakeMessages(WM_ENABLE).size(), 1u);
}

TEST_F(MainFrameChannel, OrderAnswersAddLinesAndMarkTheOrder) {
  Open(Ini({"DoubleInc=1", "AskInc=1"}));
  static const char kAnswer[] = "2\0A1\0Schraube\0\0\0" "1999\0" "1\0R5\0\0\0\0";
  const std::string answer(kAnswer, sizeof kAnswer - 1);
  EXPECT_TRUE(Data(PROTOCOL_CMD_ORDER_ANSWER, answer));
  EXPECT_EQ(m_clock.SleptMilliseconds(), 500u);  // the notice that parts arrived
  ASSERT_EQ(m_view->GetItemCount(), 1);
  EXPECT_EQ(m_view->GetItem(0).lineTotal, 3998);
  EXPECT_TRUE(m_view->IsModified());
  m_view->SetModifiedFlag(false);
  m_answer = IDNO;  // the part again, not raised: still marked
  EXPECT_TRUE(Data(PROTOCOL_CMD_ORDER_ANSWER, answer));
  EXPECT_STREQ(m_view->GetItem(0).quantity, "2");
  EXPECT_TRUE(m_view->IsModified());
  EXPECT_EQ(m_clock.SleptMilliseconds(), 500u);  // no notice
}

TEST_F(MainFrameChannel, TheListCommandsOpenTheListDialog) {
  Open();
  std::vector<std::string> captions;
  layer::ModalHook previous = layer::SetModalHook([&](HWND dialog) {
    char caption[64] = "";
    GetWindowText(dialog, caption, sizeof caption);
    captions.emplace_back(caption);
    PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  m_frame->SendMessage(WM_COMMAND, ID_EDIT_SHIPPING_METHODS, 0);
  m_frame->SendMessage(WM_COMMAND, ID_EDIT_ORDER_VARIANTS, 0);
  layer::SetModalHook(previous);
  EXPECT_EQ(captions, (std::vector<std::string>{"Versandart", "Auftragsart"}));
}

TEST_F(MainFrameChannel, TheViewersCloseKeepsUnsavedLinesInANewFile) {
  Open();
  m_folder.Write("20261211_013005.pro", "older order");
  SetNow(1, 30, 5);
  const OrderItem line = Line("A1", "2", "Schraube", 1999);
  m_view->AddOrderLines(nullptr, &line, 1);
  m_view->SetModifiedFlag();
  EXPECT_EQ(Command(PROTOCOL_CMD_CLOSE), 1);
  EXPECT_FALSE(m_view->IsModified());
  EXPECT_EQ(OrderFiles(), (std::vector<std::string>{"20261211_013005.pro", "20261211_013005_2.pro"}));
  EXPECT_EQ(m_folder.Read("20261211_013005.pro"), "older order");
  EXPECT_NE(Log().find("20261211_013005_2.pro"), std::string::npos) << Log();
  EXPECT_EQ(TakeMessages(WM_CLOSE).size(), 1u);

  // What was read back is the order that was collected.
  m_app->m_order_name = "20261211_013005_2";
  CProtocolView readBack(*m_app);
  ASSERT_TRUE(readBack.ReadOrderFile());
  ASSERT_EQ(readBack.GetItemCount(), 1);
  EXPECT_STREQ(readBack.GetItem(0).partNumber, "A1");
}

TEST_F(MainFrameChannel, NothingIsWrittenForASavedOrEmptyOrder) {
  Open();
  m_view->SetModifiedFlag();  // marked, but no line
  Command(PROTOCOL_CMD_CLOSE);
  const OrderItem line = Line("A1", "2");
  m_view->AddOrderLines(nullptr, &line, 1);
  m_view->SetModifiedFlag(false);  // saved
  m_frame->KeepUnsavedOrder();
  EXPECT_TRUE(OrderFiles().empty());
}

TEST_F(MainFrameChannel, TheWatchQuitsWhenTheViewerIsGone) {
  struct Case {
    const char* name;
    DWORD viewer;
    bool standAlone;
    bool quits;
  } cases[] = {
      {"viewer running", GetCurrentProcessId(), false, false},
      {"viewer gone", 0x7FFFFFF0u, false, true},
      {"no viewer", 0, false, true},
      {"no viewer, running alone", 0, true, false},
  };
  for (const Case& c : cases) {
    Open(c.standAlone ? Ini({"StandAlone=1"}) : "");
    m_app->m_viewer_pid = c.viewer;
    const OrderItem line = Line("A1", "1");
    m_view->AddOrderLines(nullptr, &line, 1);
    m_view->SetModifiedFlag();
    m_frame->SendMessage(WM_TIMER, 7);  // not the watch
    EXPECT_TRUE(TakeMessages(WM_QUIT).empty()) << c.name;
    m_frame->SendMessage(WM_TIMER, m_frame->m_timer_id);
    EXPECT_EQ(TakeMessages(WM_QUIT).size(), c.quits ? 1u : 0u) << c.name;
    EXPECT_EQ(OrderFiles().size(), c.quits ? 1u : 0u) << c.name;
    for (const std::string& name : OrderFiles()) std::filesystem::remove(m_folder / name);
    m_frame->DestroyWindow();
    m_frame = nullptr;
  }
}

class OutsidePrograms : public MainFrameChannel {
 protected:
  void SetUp() override {
    MainFrameChannel::SetUp();
    m_folder.Write("tmp/.keep", "");  // the system's temporary folder
  }
  // A program that notes its folder and keeps a copy of the file it gets.
  void InstallProgram() {
    m_folder.Write("tools/exp.exe", "#!/bin/sh\npwd > started.txt\ncp \"$1\" handed.txt\n");
    std::filesystem::permissions(m_folder / "tools/exp.exe", std::filesystem::perms::owner_all);
  }
  bool WaitForFile(const std::string& name) {
    for (int i = 0; i < 500 && !m_folder.Exists(name); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return m_folder.Exists(name);
  }
  std::string HandOverName(const char* prefix, int counter) {
    char name[64];
    std::snprintf(name, sizeof name, "tmp/%s%08X%04d.tmp", prefix, static_cast<unsigned>(GetCurrentProcessId()),
                  counter);
    return name;
  }
};

TEST_F(OutsidePrograms, TheExportGetsTheOrderAndMayEmptyIt) {
  InstallProgram();
  Open(Ini({"UseExport=1", "ExportFile=$HOME$\\tools\\exp.exe", "ExportClearView=1", "ExportClearPro=1"}));
  m_folder.Write("Standard.pro", "saved order");
  const OrderItem line = Line("A1", "2", "Schraube");
  m_view->AddOrderLines(nullptr, &line, 1);
  m_view->SetModifiedFlag();
  m_frame->RunExportProgram();
  const std::string handed = HandOverName("~V4PE", 0);
  ASSERT_TRUE(m_folder.Exists(handed));
  EXPECT_NE(m_folder.Read(handed).find("Schraube"), std::string::npos);
  EXPECT_EQ(m_view->GetItemCount(), 0);
  EXPECT_FALSE(m_view->IsModified());
  EXPECT_FALSE(m_folder.Exists("Standard.pro"));
  ASSERT_TRUE(WaitForFile("tools/handed.txt"));
  EXPECT_EQ(m_folder.Read("tools/started.txt"),
            std::filesystem::canonical(m_folder / "tools").string() + "\n");
}

TEST_F(OutsidePrograms, EachProgramCountsItsOwnFiles) {
  Open(Ini({"UseExport=1", "ExportFile=$HOME$\\tools\\missing.exe", "ExportClearView=1", "ExportClearPro=1",
            "CalcTool=$HOME$\\tools\\missing.exe"}));
  m_folder.Write("Standard.pro", "saved order");
  const OrderItem line = Line("A1", "2");
  m_view->AddOrderLines(nullptr, &line, 1);
  m_frame->RunExportProgram();
  m_frame->RunCalcTool();
  m_frame->RunExportProgram();
  EXPECT_TRUE(m_folder.Exists(HandOverName("~V4PE", 0)));
  EXPECT_TRUE(m_folder.Exists(HandOverName("~V4PC", 0)));
  EXPECT_TRUE(m_folder.Exists(HandOverName("~V4PE", 1)));
  // The program did not start: the order stays, in the list and in its file.
  EXPECT_EQ(m_view->GetItemCount(), 1);
  EXPECT_EQ(m_folder.Read("Standard.pro"), "saved order");
}

TEST_F(OutsidePrograms, WithoutAProgramNothingIsWritten) {
  Open(Ini({"UseExport=0", "ExportFile=$HOME$\\tools\\exp.exe"}));
  m_frame->RunExportProgram();
  m_frame->RunCalcTool();
  EXPECT_FALSE(m_folder.Exists(HandOverName("~V4PE", 0)));
  EXPECT_FALSE(m_folder.Exists(HandOverName("~V4PC", 0)));
}

}  // namespace
