#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "Main/CProcessInfo32.h"
#include "win32/Module.h"
#include "win32/Process.h"
#include "win32/UserWindows.h"

namespace {

// A finder bound to one method, whatever the system would choose.
class FinderWith : public CProcessInfo32 {
 public:
  explicit FinderWith(Method method) {
    UseMethod(method);
    ReadProcesses();
  }
};

std::string OwnProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileName(nullptr, path, sizeof path);
  return path;
}

// Processes that only wait to be ended; they end with the object.
class IdleChildren {
 public:
  explicit IdleChildren(int count) {
    char program[] = "/bin/sleep";
    char seconds[] = "60";
    char* arguments[] = {program, seconds, nullptr};
    for (int i = 0; i < count; ++i) {
      pid_t pid = 0;
      if (posix_spawn(&pid, program, nullptr, nullptr, arguments, environ) == 0) m_ids.push_back(pid);
    }
  }
  ~IdleChildren() {
    for (pid_t pid : m_ids) kill(pid, SIGKILL);
    for (pid_t pid : m_ids) waitpid(pid, nullptr, 0);
  }
  const std::vector<pid_t>& Ids() const { return m_ids; }

 private:
  std::vector<pid_t> m_ids;
};

class ProcessFinder : public testing::TestWithParam<CProcessInfo32::Method> {};

std::string MethodName(const testing::TestParamInfo<CProcessInfo32::Method>& info) {
  return info.param == CProcessInfo32::kNtMethod ? "ProcessStatus" : "Snapshot";
}

TEST_P(ProcessFinder, FindsItsOwnProcessWithParentAndProgram) {
  FinderWith finder(GetParam());
  ASSERT_TRUE(finder.IsAvailable());
  ProcessRecord record;
  ASSERT_TRUE(finder.FindProcess(GetCurrentProcessId(), &record));
  EXPECT_EQ(record.processId, GetCurrentProcessId());
  EXPECT_EQ(record.parentId, static_cast<DWORD>(getppid()));
  EXPECT_EQ(std::string(record.program), OwnProgram());
  EXPECT_TRUE(finder.FindProcess(GetCurrentProcessId(), nullptr));
  EXPECT_FALSE(finder.FindProcess(0x7FFFFFF0u, &record));
}

TEST_P(ProcessFinder, WalkVisitsEveryEntryOnce) {
  FinderWith finder(GetParam());
  ProcessRecord record;
  int visited = 0;
  bool sawOwn = false;
  for (BOOL more = finder.GetFirst(&record); more; more = finder.GetNext(&record)) {
    ++visited;
    sawOwn = sawOwn || record.processId == GetCurrentProcessId();
  }
  EXPECT_EQ(visited, finder.GetCount());
  EXPECT_TRUE(sawOwn);
  EXPECT_FALSE(finder.GetNext(&record));  // stays past the end
  ASSERT_TRUE(finder.GetFirst(&record));  // and starts again
}

INSTANTIATE_TEST_SUITE_P(Methods, ProcessFinder,
                         testing::Values(CProcessInfo32::kNtMethod, CProcessInfo32::kToolHelpMethod), MethodName);

TEST(ProcessFinderSystem, KeepsProcessesBeyondTheOld150WithEitherMethod) {
  IdleChildren children(160);
  ASSERT_EQ(children.Ids().size(), 160u);
  for (CProcessInfo32::Method method : {CProcessInfo32::kNtMethod, CProcessInfo32::kToolHelpMethod}) {
    FinderWith finder(method);
    EXPECT_GT(finder.GetCount(), 160) << method;
    for (pid_t pid : children.Ids()) {
      ProcessRecord record;
      ASSERT_TRUE(finder.FindProcess(static_cast<DWORD>(pid), &record)) << method << " " << pid;
      EXPECT_EQ(record.parentId, GetCurrentProcessId());
    }
  }
}

TEST(ProcessFinderSystem, ChoosesTheProcessStatusMethodOnThisFamily) {
  CProcessInfo32 finder;
  EXPECT_TRUE(finder.IsAvailable());
  EXPECT_EQ(finder.GetMethod(), static_cast<DWORD>(CProcessInfo32::kNtMethod));
  EXPECT_EQ(finder.GetVersion(), 0x0102u);
  EXPECT_STREQ(finder.GetVersionText(), "CProcessInfo32 Version  2.1");
}

struct WindowCase {
  const char* name;
  DWORD style;
  bool owned;  // created with a parent window
  bool found;
};

class ProcessWindow : public testing::TestWithParam<WindowCase> {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProc;
    windowClass.lpszClassName = "FinderTestWindow";
    RegisterClass(&windowClass);
  }
  static HWND Create(DWORD style, HWND parent, const char* title) {
    return CreateWindowEx(0, "FinderTestWindow", title, style, 10, 10, 200, 100, parent, nullptr, nullptr, nullptr);
  }
};

TEST_P(ProcessWindow, OnlyAVisibleParentlessWindowCounts) {
  const WindowCase& c = GetParam();
  HWND host = Create(WS_OVERLAPPEDWINDOW, nullptr, "hidden host");
  HWND window = Create(c.style, c.owned ? host : nullptr, "Teileliste \xFC" "bersicht");
  ASSERT_NE(window, nullptr);
  CProcessInfo32 finder;
  ProcessRecord record;
  ASSERT_TRUE(finder.FindProcess(GetCurrentProcessId(), &record));
  if (c.found) {
    EXPECT_EQ(record.window, window);
    EXPECT_STREQ(record.title, "Teileliste \xFC" "bersicht");
  } else {
    EXPECT_EQ(record.window, nullptr);
    EXPECT_STREQ(record.title, "");
  }
  DestroyWindow(window);
  DestroyWindow(host);
}

INSTANTIATE_TEST_SUITE_P(Windows, ProcessWindow,
                         testing::Values(WindowCase{"VisibleTopLevel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, false, true},
                                         WindowCase{"HiddenTopLevel", WS_OVERLAPPEDWINDOW, false, false},
                                         WindowCase{"VisibleChild", WS_CHILD | WS_VISIBLE, true, false}),
                         [](const testing::TestParamInfo<WindowCase>& info) { return std::string(info.param.name); });

}  // namespace
