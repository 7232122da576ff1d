#include "JobFixture.h"

#include <filesystem>

#include "VodContext.h"
#include "VodFixture.h"
#include "VodUi.h"
#include "foundation/CIniClass.h"
#include "interfaces/QorVod32.h"
#include "win32/Gdi.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace vod::testing {

std::vector<Call> JobFixture::s_calls;
std::vector<Call> JobFixture::s_notifies;
std::vector<bool> JobFixture::s_ownerEnabledDuringCallback;
HWND JobFixture::s_owner = nullptr;

namespace {

const char* const kOwnerClass = "VodJobOwner";

LRESULT OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_VOD_NOTIFY: {
      const char* text = reinterpret_cast<const char*>(lParam);
      JobFixture::Notified(static_cast<int>(wParam), text ? text : "");
      return 0;
    }
    case kStopRequest: VOD_StopPrinting(); return 0;
    case kQuitRequest: PostQuitMessage(7); return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

void RegisterOwnerClass() {
  static const bool registered = [] {
    WNDCLASS owner{};
    owner.lpfnWndProc = OwnerProc;
    owner.lpszClassName = kOwnerClass;
    owner.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    return RegisterClass(&owner) != 0;
  }();
  ASSERT_TRUE(registered);
}

// Form units: a header, a data frame, a grey area and a line.
std::string JobForm() {
  FormItemBytes grey(kItemBox);
  grey.Word(138, 0).Word(140, 30).Word(142, 1000).Word(144, 2600).Word(146, 2000).Word(148, 2900);
  FormItemBytes line(kItemLine);
  line.Word(138, 5).Word(140, 100).Word(142, 2540).Word(144, 2000).Word(146, 2540);
  return FormFileBytes({FrameItem("H", 100, 100, 2000, 300, "UNIV", 10, 'L'),
                        FrameItem("D", 100, 400, 1000, 1400, "UNIV", 10, 'L'), grey, line});
}

}  // namespace

int JobFixture::Callback(int code, const char* text) {
  s_calls.push_back(Call{code, text ? text : ""});
  s_ownerEnabledDuringCallback.push_back(s_owner && IsWindowEnabled(s_owner));
  return 1;
}

void JobFixture::Notified(int code, const std::string& text) {
  s_notifies.push_back(Call{code, text});
}

void JobFixture::SetUp() {
  InstallUi(nullptr);
  s_calls.clear();
  s_notifies.clear();
  s_ownerEnabledDuringCallback.clear();
  m_oldBoxes = layer::SetMessageBoxPresenter([this](HWND owner, const char* text, const char* caption, UINT type) {
    m_boxes.push_back(ShownBox{text ? text : "", caption ? caption : "", type, owner});
    return m_answer ? m_answer(m_boxes.back()) : IDOK;
  });
  RegisterOwnerClass();
  m_owner = CreateWindow(kOwnerClass, "Aufrufer", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, nullptr,
                         nullptr);
  ASSERT_NE(m_owner, nullptr);
  s_owner = m_owner;
  std::filesystem::create_directories(m_folder / "out");
  m_ini = m_folder / "caller.ini";
  m_form = Write("job.frm", JobForm());
  WriteIni({});
  ASSERT_EQ(VOD_Init(0, m_owner, m_ini.c_str()), 1);
}

void JobFixture::TearDown() {
  // A job that still waits for its preview window is cancelled.
  m_answer = nullptr;
  if (HWND dialog = AsyncDialog()) SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  Finish();
  {
    ContextScope context;
    context->callback = nullptr;
    context->iniPath.clear();
    context->owner = nullptr;
  }
  MSG quit;
  while (PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  DestroyWindow(m_owner);
  s_owner = nullptr;
  layer::SetMessageBoxPresenter(m_oldBoxes);
}

void JobFixture::WriteIni(const std::vector<std::string>& lines) {
  std::string text = "[VOD]\r\n";
  for (const std::string& line : lines) text += line + "\r\n";
  text += "NoDialog=TRUE\r\nPrintToFile=TRUE\r\nOutputPfad=" + (m_folder / "out") + "\r\n";
  m_folder.Write("caller.ini", text);
}

std::string JobFixture::IniValue(const std::string& key) {
  CString value;
  CIniClass().ReadKey("VOD", key.c_str(), "", value, m_ini.c_str(), TRUE);
  return static_cast<const char*>(value);
}

std::string JobFixture::Write(const std::string& name, const std::string& bytes) {
  m_folder.Write(name, bytes);
  return m_folder / name;
}

void JobFixture::Finish() {
  for (int round = 0; round < 1000 && VOD_IsPrinting(); ++round) layer::PumpUntilIdle();
  layer::PumpUntilIdle();
}

HWND JobFixture::AsyncDialog() {
  ContextScope context;
  return context->asyncDialog;
}

std::string JobFixture::Records(int count, int first) {
  std::string block = "DATA FRAME D BEGIN\n";
  for (int i = first; i < first + count; ++i) block += "ROW " + std::to_string(i) + "\n";
  return block + "END\n";
}

}  // namespace vod::testing
