#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "testing/ChildProcess.h"
#include "testing/TempFolder.h"
#include "win32/Errors.h"
#include "win32/Process.h"

using layer::testing::TempFolder;

namespace {

// The helper program is named as the system names programs: a folder that
// does not exist here and the platform's suffix, in other case.
const std::string kChild = "C:\\VARNO4\\LAYER_PROCESS_CHILD.EXE";

struct Started {
  PROCESS_INFORMATION info{};
  bool ok = false;
  ~Started() {
    if (!ok) return;
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
  }
};

void Start(Started& started, const std::string& commandLine, const char* application = nullptr,
           const char* folder = nullptr) {
  std::string line = commandLine;
  STARTUPINFO startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  started.ok = CreateProcess(application, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_PROCESS_GROUP, nullptr,
                             folder, &startup, &started.info);
}

DWORD ExitCodeAfterEnd(HANDLE process) {
  EXPECT_EQ(WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(process, &code));
  return code;
}

}  // namespace

TEST(CommandLine, SplitsAsThePlatformsRuntime) {
  struct Case {
    const char* line;
    std::vector<std::string> words;
  } cases[] = {
      {"prog a b", {"prog", "a", "b"}},
      {" -D vnw.bin -MMF 71", {"", "-D", "vnw.bin", "-MMF", "71"}},
      {"\"C:\\Program Files\\x.exe\" \"a b\"  c", {"C:\\Program Files\\x.exe", "a b", "c"}},
      {"p a\\\\\\\"b c\\d \"e\\\\\"", {"p", "a\\\"b", "c\\d", "e\\"}},
      {"p 'C:\\x y.ini' -GK", {"p", "'C:\\x", "y.ini'", "-GK"}},
      {"p \"say \"\"hi\"\"\"\t\tend", {"p", "say \"hi\"", "end"}},
      {"", {""}},
  };
  for (const Case& c : cases) EXPECT_EQ(layer::SplitCommandLine(c.line), c.words) << c.line;
  EXPECT_EQ(layer::ArgumentsOf(" -DL DE -PL EN"), "-DL DE -PL EN");
  EXPECT_EQ(layer::ArgumentsOf("\"C:\\a b\\p.exe\"  -x 'y z'"), "-x 'y z'");
  EXPECT_EQ(layer::ArgumentsOf("prog"), "");
}

TEST(Processes, ProgramSeesItsCommandLineFolderAndParent) {
  TempFolder dir;
  std::string line = " cmdline " + dir / "line.txt" + " cwd cwd.txt parent " + dir / "parent.txt" +
                     " -DN 'C:\\Daten\\x y.dud' -MMF 7\x31";
  Started child;
  Start(child, line, kChild.c_str(), dir.Path().c_str());
  ASSERT_TRUE(child.ok) << GetLastError();
  EXPECT_NE(child.info.dwProcessId, 0u);
  EXPECT_EQ(ExitCodeAfterEnd(child.info.hProcess), 0u);
  EXPECT_EQ(dir.Read("line.txt"), line);
  EXPECT_EQ(dir.Read("cwd.txt"), dir.Path());
  EXPECT_EQ(dir.Read("parent.txt"), std::to_string(GetCurrentProcessId()));
}

TEST(Processes, ProgramNamedByTheCommandLineAlone) {
  TempFolder dir;
  Started child;
  Start(child, "\"" + kChild + "\" cmdline " + dir / "line.txt");
  ASSERT_TRUE(child.ok) << GetLastError();
  EXPECT_EQ(ExitCodeAfterEnd(child.info.hProcess), 0u);
  EXPECT_EQ(dir.Read("line.txt"), "\"" + kChild + "\" cmdline " + dir / "line.txt");
}

TEST(Processes, StartFailuresAreReported) {
  struct Case {
    const char* application;
    const char* line;
    const char* folder;
    DWORD error;
  } cases[] = {
      {"C:\\VARNO4\\NO_SUCH_PROGRAM.EXE", " x", nullptr, ERROR_FILE_NOT_FOUND},
      {nullptr, "NO_SUCH_PROGRAM.EXE x", nullptr, ERROR_FILE_NOT_FOUND},
      {kChild.c_str(), " x", "/no/such/folder", static_cast<DWORD>(ERROR_DIRECTORY)},
      {nullptr, "", nullptr, ERROR_INVALID_PARAMETER},
  };
  for (const Case& c : cases) {
    Started child;
    Start(child, c.line, c.application, c.folder);
    EXPECT_FALSE(child.ok) << c.line;
    EXPECT_EQ(GetLastError(), c.error) << c.line;
  }
}

TEST(Processes, ExitCodesWaitsAndStillActive) {
  struct Case {
    const char* code;
    DWORD expected;
  } cases[] = {{"0", 0u}, {"7", 7u}, {"0xFFFFFFFF", 0xFFFFFFFFu}, {"300", 300u}};
  for (const Case& c : cases) {
    Started child;
    Start(child, std::string(" sleep 100 exit ") + c.code, kChild.c_str());
    ASSERT_TRUE(child.ok);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(child.info.hProcess, &code));
    EXPECT_EQ(code, STILL_ACTIVE);
    EXPECT_EQ(WaitForSingleObject(child.info.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(ExitCodeAfterEnd(child.info.hProcess), c.expected) << c.code;
    EXPECT_EQ(WaitForSingleObject(child.info.hThread, 0), WAIT_OBJECT_0);
  }
}

TEST(Processes, OpenProcessWatchesAProcessByItsId) {
  Started child;
  Start(child, " sleep 200 exit 5", kChild.c_str());
  ASSERT_TRUE(child.ok);
  HANDLE opened = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, child.info.dwProcessId);
  ASSERT_NE(opened, nullptr);
  CloseHandle(child.info.hProcess);  // the process goes on without its first handle
  child.ok = false;
  CloseHandle(child.info.hThread);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(opened, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_EQ(ExitCodeAfterEnd(opened), 5u);
  CloseHandle(opened);

  // A process this one did not start: its own parent, still running.
  HANDLE parent = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, static_cast<DWORD>(getppid()));
  ASSERT_NE(parent, nullptr);
  EXPECT_TRUE(GetExitCodeProcess(parent, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_EQ(WaitForSingleObject(parent, 10), static_cast<DWORD>(WAIT_TIMEOUT));
  CloseHandle(parent);

  EXPECT_EQ(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(GetExitCodeProcess(reinterpret_cast<HANDLE>(0x7777), &code));
  EXPECT_EQ(WaitForSingleObject(reinterpret_cast<HANDLE>(0x7777), 0), WAIT_FAILED);
  EXPECT_TRUE(GetExitCodeProcess(GetCurrentProcess(), &code));
  EXPECT_EQ(code, STILL_ACTIVE);
}

TEST(Processes, EndOfAProcessThisOneDidNotStartIsSeen) {
  layer::testing::ChildProcess other([](layer::testing::ChildProcess& self) {
    self.Await();
    return 3;
  });
  ASSERT_TRUE(other.Started());
  HANDLE opened = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(other.Pid()));
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(WaitForSingleObject(opened, 50), static_cast<DWORD>(WAIT_TIMEOUT));
  other.Signal();
  EXPECT_EQ(WaitForSingleObject(opened, 10000), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(opened, &code));
  EXPECT_NE(code, STILL_ACTIVE);
  CloseHandle(opened);
  EXPECT_EQ(other.Wait(), 3);
}

TEST(Processes, WaitForInputIdleWaitsForTheFirstIdleLoop) {
  using Clock = std::chrono::steady_clock;
  {
    Started child;
    Start(child, " sleep 300 idle sleep 5000", kChild.c_str());
    ASSERT_TRUE(child.ok);
    auto begin = Clock::now();
    EXPECT_EQ(WaitForInputIdle(child.info.hProcess, 5000), 0u);
    auto waited = Clock::now() - begin;
    EXPECT_GE(waited, std::chrono::milliseconds(250));
    EXPECT_LT(waited, std::chrono::milliseconds(4000));
    kill(static_cast<pid_t>(child.info.dwProcessId), SIGKILL);
  }
  {
    Started child;
    Start(child, " sleep 5000", kChild.c_str());
    ASSERT_TRUE(child.ok);
    EXPECT_EQ(WaitForInputIdle(child.info.hProcess, 100), static_cast<DWORD>(WAIT_TIMEOUT));
    kill(static_cast<pid_t>(child.info.dwProcessId), SIGKILL);
  }
  {
    Started child;
    Start(child, " exit 0", kChild.c_str());
    ASSERT_TRUE(child.ok);
    EXPECT_EQ(WaitForInputIdle(child.info.hProcess, 5000), WAIT_FAILED);
  }
}
