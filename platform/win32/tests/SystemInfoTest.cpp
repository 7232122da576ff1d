#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "testing/TempFolder.h"
#include "testing/WaitingProgram.h"
#include "win32/Errors.h"
#include "win32/Module.h"
#include "win32/Process.h"
#include "win32/ProcessTable.h"
#include "win32/Registry.h"
#include "win32/SystemInfo.h"
#include "win32/Version.h"

using layer::testing::TempFolder;

VARNO_VERSION_INFO(
    "FileVersion=4.0.1.0\n"
    "Translation=0407 04E4\n"
    "CompanyName=Varno\n");

namespace {

// A registry store and a config folder of the test's own.
class SystemFacts : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", m_dir.Path().c_str(), 1);
    setenv("VARNO_REGISTRY", (m_dir / "registry.txt").c_str(), 1);
  }
  void TearDown() override {
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("VARNO_REGISTRY");
  }
  void Store(const std::string& text) { m_dir.Write("registry.txt", text); }
  TempFolder m_dir;
};

std::string OwnProgram() {
  char path[4096] = {};
  EXPECT_GT(readlink("/proc/self/exe", path, sizeof path - 1), 0);
  return path;
}

// The terminal-server test as the programs make it: the suite condition
// through functions looked up by name.
BOOL TerminalSuite() {
  using SetMask = ULONGLONG (*)(ULONGLONG, DWORD, BYTE);
  using Verify = BOOL (*)(OSVERSIONINFOEX*, DWORD, DWORDLONG);
  auto setMask = reinterpret_cast<SetMask>(GetProcAddress(LoadLibrary("ntdll.dll"), "VerSetConditionMask"));
  auto verify = reinterpret_cast<Verify>(GetProcAddress(GetModuleHandle("KERNEL32.DLL"), "VerifyVersionInfoA"));
  EXPECT_TRUE(setMask && verify);
  OSVERSIONINFOEX wanted{};
  wanted.dwOSVersionInfoSize = sizeof wanted;
  wanted.wSuiteMask = VER_SUITE_TERMINAL;
  return verify(&wanted, VER_SUITENAME, setMask(0, VER_SUITENAME, VER_AND));
}

std::string ProductSuite() {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\ProductOptions", 0, KEY_READ, &key) != 0)
    return "<no key>";
  char data[256] = {};
  DWORD size = sizeof data;
  DWORD type = 0;
  LONG result = RegQueryValueEx(key, "ProductSuite", nullptr, &type, reinterpret_cast<LPBYTE>(data), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_MULTI_SZ) return "<no value>";
  return std::string(data, size);
}

}  // namespace

TEST_F(SystemFacts, VersionRecordsOfBothSizes) {
  OSVERSIONINFO plain{};
  plain.dwOSVersionInfoSize = sizeof plain;
  ASSERT_TRUE(GetVersionEx(&plain));
  EXPECT_EQ(plain.dwPlatformId, VER_PLATFORM_WIN32_NT);
  EXPECT_EQ(plain.dwMajorVersion, 5u);
  OSVERSIONINFOEX extended{};
  extended.dwOSVersionInfoSize = sizeof extended;
  ASSERT_TRUE(GetVersionEx(&extended));
  EXPECT_EQ(extended.wSuiteMask & VER_SUITE_TERMINAL, 0);
  OSVERSIONINFO wrong{};
  wrong.dwOSVersionInfoSize = 100;
  EXPECT_FALSE(GetVersionEx(&wrong));
  EXPECT_EQ(GetVersion() & 0x80000000u, 0u);
  EXPECT_EQ(GetVersion() & 0xFF, plain.dwMajorVersion);
}

TEST_F(SystemFacts, TerminalServerOnlyWhenTheStoreSaysSo) {
  struct Case {
    const char* store;
    bool terminal;
    std::string suite;
  } cases[] = {
      {"", false, std::string(2, '\0')},
      {"[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\ProductOptions]\n"
       "ProductSuite=multi:Enterprise|Terminal Server\n",
       true, std::string("Enterprise\0Terminal Server\0\0", 28)},
      {"[HKLM\\system\\currentcontrolset\\control\\productoptions]\r\nProductSuite=multi:terminal server\r\n", false,
       std::string("terminal server\0\0", 17)},
  };
  for (const Case& c : cases) {
    Store(c.store);
    EXPECT_EQ(TerminalSuite(), c.terminal) << c.store;
    if (!c.terminal) {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_OLD_WIN_VERSION));
    }
    EXPECT_EQ(ProductSuite(), c.suite) << c.store;
  }
}

TEST_F(SystemFacts, RegistryLookUpsOfThePrograms) {
  Store(
      "; the PDF viewer of this user\n"
      "[HKEY_CLASSES_ROOT\\.pdf]\n"
      "@=sz:Viewer.Doc\n"
      "[HKEY_CLASSES_ROOT\\Viewer.Doc\\shell\\open\\command]\n"
      "@=sz:\"/opt/viewer/bin/view\" \"%1\"\n"
      "garbage line\n"
      "Broken=bogus:1\n"
      "Number=dword:zz\n"
      "Count=dword:0x10\n");
  char text[260];
  LONG size = sizeof text;
  ASSERT_EQ(RegQueryValue(HKEY_CLASSES_ROOT, ".pdf", text, &size), ERROR_SUCCESS);
  EXPECT_STREQ(text, "Viewer.Doc");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, "viewer.doc", 0, KEY_READ, &key), ERROR_SUCCESS);
  HKEY command = nullptr;
  ASSERT_EQ(RegOpenKeyEx(key, "shell\\open\\command", 0, KEY_READ, &command), ERROR_SUCCESS);
  DWORD bytes = sizeof text;
  DWORD type = 0;
  ASSERT_EQ(RegQueryValueEx(command, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(text), &bytes), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_STREQ(text, "\"/opt/viewer/bin/view\" \"%1\"");
  EXPECT_EQ(bytes, std::strlen(text) + 1);

  DWORD count = 0;
  bytes = sizeof count;
  EXPECT_EQ(RegQueryValueEx(command, "COUNT", nullptr, &type, reinterpret_cast<LPBYTE>(&count), &bytes), ERROR_SUCCESS);
  EXPECT_EQ(count, 16u);
  for (const char* skipped : {"Broken", "Number", "garbage line"})
    EXPECT_EQ(RegQueryValueEx(command, skipped, nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);

  char small[4];
  bytes = sizeof small;
  EXPECT_EQ(RegQueryValueEx(command, "", nullptr, nullptr, reinterpret_cast<LPBYTE>(small), &bytes), ERROR_MORE_DATA);
  EXPECT_EQ(bytes, std::strlen(text) + 1);
  RegCloseKey(command);
  RegCloseKey(key);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);

  HKEY missing = nullptr;
  EXPECT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, ".nothing", 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegOpenKeyEx(reinterpret_cast<HKEY>(0x99), "x", 0, KEY_READ, &missing), ERROR_INVALID_HANDLE);
}

TEST_F(SystemFacts, WindowsFolderIsPerUserAndNamedInTheRegistry) {
  std::string expected = m_dir / "varno4/windows";
  char folder[MAX_PATH];
  EXPECT_EQ(GetWindowsDirectory(folder, sizeof folder), expected.size());
  EXPECT_EQ(folder, expected);
  EXPECT_TRUE(m_dir.Exists("varno4/windows"));
  EXPECT_EQ(GetSystemWindowsDirectoryA(folder, 3), expected.size() + 1);

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  DWORD bytes = sizeof folder;
  ASSERT_EQ(RegQueryValueEx(key, "SystemRoot", nullptr, nullptr, reinterpret_cast<LPBYTE>(folder), &bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(folder, expected);
  RegCloseKey(key);
}

TEST(Modules, ProgramAndLibrariesByName) {
  char path[MAX_PATH * 4];
  std::string own = OwnProgram();
  EXPECT_EQ(GetModuleFileName(nullptr, path, sizeof path), own.size());
  EXPECT_EQ(path, own);
  EXPECT_EQ(GetModuleFileName(nullptr, path, 5), 5u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_STREQ(path, own.substr(0, 4).c_str());

  HMODULE sample = LoadLibrary("C:\\QRID\\LAYER_MODULE_SAMPLE.DLL");
  ASSERT_NE(sample, nullptr);
  auto answer = reinterpret_cast<int (*)()>(GetProcAddress(sample, "SAMPLE_Answer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  EXPECT_EQ(GetProcAddress(sample, "SAMPLE_Missing"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  ASSERT_GT(GetModuleFileName(sample, path, sizeof path), 0u);
  EXPECT_TRUE(std::string(path).ends_with("/liblayer_module_sample.so")) << path;
  EXPECT_TRUE(FreeLibrary(sample));

  EXPECT_EQ(LoadLibrary("NO_SUCH_LIBRARY.DLL"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(GetModuleHandle("psapi.dll"), LoadLibrary("PSAPI.DLL"));
  EXPECT_EQ(GetProcAddress(GetModuleHandle("KERNEL32.DLL"), "NoSuchFunction"), nullptr);
}

TEST(Versions, VersionInformationOfOwnDeliverables) {
  char sample[MAX_PATH * 4];
  HMODULE library = LoadLibrary("layer_module_sample.dll");
  ASSERT_NE(library, nullptr);
  GetModuleFileName(library, sample, sizeof sample);
  struct Case {
    std::string file;
    const char* stringTable;
    const char* fileVersion;
    DWORD versionHigh;
    DWORD versionLow;
  } cases[] = {
      {OwnProgram(), "040704e4", "4.0.1.0", 0x00040000, 0x00010000},
      {sample, "040704E4", "2, 7, 0, 13", 0x00020007, 0x0000000D},
  };
  for (const Case& c : cases) {
    DWORD handle = 1;
    DWORD size = GetFileVersionInfoSize(c.file.c_str(), &handle);
    ASSERT_GT(size, 0u) << c.file;
    EXPECT_EQ(handle, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfo(c.file.c_str(), 0, size, block.data()));
    LPVOID value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValue(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_GE(length, 4u);
    auto* pair = static_cast<WORD*>(value);
    EXPECT_EQ(pair[0], 0x0407);
    EXPECT_EQ(pair[1], 0x04E4);
    std::string query = std::string("\\StringFileInfo\\") + c.stringTable + "\\FileVersion";
    ASSERT_TRUE(VerQueryValue(block.data(), query.c_str(), &value, &length)) << query;
    EXPECT_STREQ(static_cast<char*>(value), c.fileVersion);
    EXPECT_EQ(length, std::strlen(c.fileVersion) + 1);
    ASSERT_TRUE(VerQueryValue(block.data(), "\\", &value, &length));
    auto* fixed = static_cast<VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, VS_FFI_SIGNATURE);
    EXPECT_EQ(fixed->dwFileVersionMS, c.versionHigh);
    EXPECT_EQ(fixed->dwFileVersionLS, c.versionLow);
    EXPECT_FALSE(VerQueryValue(block.data(), "\\StringFileInfo\\041104e4\\FileVersion", &value, &length));
    EXPECT_FALSE(VerQueryValue(block.data(), (std::string("\\StringFileInfo\\") + c.stringTable + "\\Nothing").c_str(),
                               &value, &length));
    EXPECT_FALSE(GetFileVersionInfo(c.file.c_str(), 0, size - 1, block.data()));
  }
  FreeLibrary(library);
}

TEST(Versions, FilesWithoutOrWithDamagedInformationGiveNone) {
  TempFolder dir;
  std::ifstream own(OwnProgram(), std::ios::binary);
  std::string head(4096, '\0');
  own.read(head.data(), static_cast<std::streamsize>(head.size()));
  std::string farSections = head.substr(0, 64);
  farSections[0x28] = '\x7f';  // section headers far past the end
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"text", "FileVersion=1.0.0.0\n"},
      {"magic-only", "\x7f" "ELF"},
      {"cut", head},
      {"far", farSections},
  };
  for (const Case& c : cases) {
    dir.Write(c.name, c.bytes);
    EXPECT_EQ(GetFileVersionInfoSize((dir / c.name).c_str(), nullptr), 0u) << c.name;
  }
  EXPECT_EQ(GetFileVersionInfoSize((dir / "missing").c_str(), nullptr), 0u);
  EXPECT_EQ(GetFileVersionInfoSize("/bin/sh", nullptr), 0u);
  char garbage[64] = {};
  LPVOID value = nullptr;
  UINT length = 0;
  EXPECT_FALSE(VerQueryValue(garbage, "\\", &value, &length));
}

TEST(ProcessTable, OwnProcessWithProgramAndParent) {
  std::string own = OwnProgram();
  // Room for every process of a busy machine, so this one is surely listed.
  std::vector<DWORD> ids(65536);
  DWORD bytes = 0;
  ASSERT_TRUE(EnumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes));
  bool listed = false;
  for (DWORD i = 0; i < bytes / sizeof(DWORD); ++i) listed |= ids[i] == GetCurrentProcessId();
  EXPECT_TRUE(listed);

  HANDLE self = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, GetCurrentProcessId());
  HMODULE modules[150];
  DWORD needed = 0;
  ASSERT_TRUE(EnumProcessModules(self, modules, sizeof modules, &needed));
  EXPECT_EQ(needed, sizeof(HMODULE));
  char path[MAX_PATH];
  EXPECT_GT(GetModuleFileNameExA(self, modules[0], path, sizeof path), 0u);
  EXPECT_EQ(path, own);
  EXPECT_GT(GetModuleBaseNameA(self, modules[0], path, sizeof path), 0u);
  EXPECT_EQ(path, own.substr(own.rfind('/') + 1));
  DWORD basic[6] = {};
  ASSERT_EQ(NtQueryInformationProcess(self, ProcessBasicInformation, basic, 24, nullptr), STATUS_SUCCESS);
  EXPECT_EQ(basic[5], static_cast<DWORD>(getppid()));
  EXPECT_EQ(NtQueryInformationProcess(self, ProcessBasicInformation, basic, 20, nullptr), STATUS_INFO_LENGTH_MISMATCH);
  CloseHandle(self);

  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (entry.th32ProcessID != GetCurrentProcessId()) continue;
    found = true;
    EXPECT_EQ(entry.th32ParentProcessID, static_cast<DWORD>(getppid()));
    EXPECT_STREQ(entry.szExeFile, own.c_str());
  }
  EXPECT_TRUE(found);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
  CloseHandle(snapshot);
}

// A process may end while its files under /proc are read; the read then fails
// inside the stream, which must give an empty text, never an exception.
TEST(ProcessFiles, ReadWholeOrNotAtAll) {
  std::string own = layer::ReadProcessFile("/proc/self/stat");
  EXPECT_NE(own.find(')'), std::string::npos);
  EXPECT_EQ(layer::ReadProcessFile("/proc/self"), "");  // opens, but every read fails
  EXPECT_EQ(layer::ReadProcessFile("/proc/0/stat"), "");
}

namespace {

std::string OwnSpace() {
  const char* named = std::getenv("VARNO_IPC_SPACE");
  return layer::SpaceOfProcess(named ? named : "", GetCurrentProcessId());
}

}  // namespace

// Programs of one display and one space are one session; another display or
// another space is another session, and "process" is a space of its own.
TEST(ProcessTable, SessionsPartProgramsByDisplayAndSpace) {
  const std::string space = OwnSpace();
  const char* ownDisplay = std::getenv("DISPLAY");
  const std::string otherDisplay = std::string(ownDisplay ? ownDisplay : "") + "9";
  struct Case {
    const char* name;
    const char* space;
    const char* display;
    bool same;
  } cases[] = {
      {"same space and display", space.c_str(), ownDisplay, true},
      {"another space", "elsewhere", ownDisplay, false},
      {"no space", nullptr, ownDisplay, space.empty()},
      {"another display", space.c_str(), otherDisplay.c_str(), false},
      {"a space of its own", "process", ownDisplay, false},
  };
  DWORD own = 0;
  ASSERT_TRUE(ProcessIdToSessionId(GetCurrentProcessId(), &own));
  for (const Case& c : cases) {
    std::vector<std::string> variables;
    if (c.space) variables.push_back(std::string("VARNO_IPC_SPACE=") + c.space);
    if (c.display) variables.push_back(std::string("DISPLAY=") + c.display);
    layer::testing::WaitingProgram program(variables);
    ASSERT_NE(program.Id(), 0u) << c.name;
    DWORD session = 0;
    ASSERT_TRUE(ProcessIdToSessionId(program.Id(), &session)) << c.name;
    EXPECT_EQ(session == own, c.same) << c.name;
  }
}

TEST(ProcessTable, SessionOfAProcessThatIsNotThere) {
  DWORD session = 7;
  EXPECT_FALSE(ProcessIdToSessionId(0, &session));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  pid_t ended = fork();
  if (ended == 0) _exit(0);
  waitpid(ended, nullptr, 0);
  EXPECT_FALSE(ProcessIdToSessionId(static_cast<DWORD>(ended), &session));
  EXPECT_FALSE(ProcessIdToSessionId(GetCurrentProcessId(), nullptr));
  EXPECT_EQ(session, 7u);
}
