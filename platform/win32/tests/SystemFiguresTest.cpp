// The desktop's parameters, the memory status and the tool-help walks of
// modules and heaps, reached as the about box and the version overview reach
// them: the walks by name from "KERNEL32.DLL".
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "win32/Errors.h"
#include "win32/Gdi.h"
#include "win32/Memory.h"
#include "win32/Module.h"
#include "win32/Process.h"
#include "win32/ProcessTable.h"
#include "win32/SystemParameters.h"
#include "win32/UserTypes.h"
#include "win32/UserWindows.h"
#include "win32/Version.h"

namespace {

TEST(SystemParameters, NonClientMetricsAgreeWithTheSystemMetrics) {
  NONCLIENTMETRICS metrics;
  std::memset(&metrics, 0x55, sizeof metrics);
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  EXPECT_EQ(metrics.cbSize, 340u);
  EXPECT_EQ(metrics.iScrollWidth, GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(metrics.iScrollHeight, GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_EQ(metrics.iCaptionHeight + 1, GetSystemMetrics(SM_CYCAPTION));
  EXPECT_EQ(metrics.iMenuHeight + 1, GetSystemMetrics(SM_CYMENU));
  EXPECT_EQ(metrics.iBorderWidth + GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CXFRAME));
  EXPECT_GT(metrics.iSmCaptionHeight, 0);
  EXPECT_LT(metrics.iSmCaptionHeight, metrics.iCaptionHeight);
  EXPECT_EQ(metrics.lfCaptionFont.lfWeight, FW_BOLD);
  EXPECT_EQ(metrics.lfStatusFont.lfWeight, FW_NORMAL);
}

// The tool-tip window measures its text with the status font: it is the
// desktop's own text font, as the default GUI font.
TEST(SystemParameters, TheStatusFontMeasuresLikeTheDesktopsFont) {
  NONCLIENTMETRICS metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  LOGFONTA stock{};
  ASSERT_GT(GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock), 0);
  EXPECT_STREQ(metrics.lfStatusFont.lfFaceName, stock.lfFaceName);
  EXPECT_EQ(metrics.lfStatusFont.lfHeight, stock.lfHeight);

  HDC dc = CreateCompatibleDC(nullptr);
  HFONT status = CreateFontIndirect(&metrics.lfStatusFont);
  ASSERT_NE(status, nullptr);
  HGDIOBJ old = SelectObject(dc, status);
  TEXTMETRIC statusMetrics{};
  ASSERT_TRUE(GetTextMetrics(dc, &statusMetrics));
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRIC stockMetrics{};
  ASSERT_TRUE(GetTextMetrics(dc, &stockMetrics));
  EXPECT_GT(statusMetrics.tmHeight, 0);
  EXPECT_EQ(statusMetrics.tmHeight, stockMetrics.tmHeight);
  SelectObject(dc, old);
  DeleteObject(status);
  DeleteDC(dc);
}

TEST(SystemParameters, LastingChangesAreAcceptedAndChangeNothing) {
  // The parts-info library clears the foreground lock, saved and broadcast.
  EXPECT_TRUE(
      SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE));
  DWORD timeout = 12345;
  EXPECT_TRUE(SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0));
  EXPECT_EQ(timeout, 0u);  // the layer has no foreground lock

  NONCLIENTMETRICS before{}, changed{}, after{};
  before.cbSize = changed.cbSize = after.cbSize = sizeof before;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof before, &before, 0));
  changed = before;
  changed.iScrollWidth = 40;
  EXPECT_TRUE(SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof changed, &changed, SPIF_UPDATEINIFILE));
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof after, &after, 0));
  EXPECT_EQ(after.iScrollWidth, before.iScrollWidth);
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), before.iScrollWidth);
}

TEST(SystemParameters, RefusedCalls) {
  NONCLIENTMETRICS metrics{};
  struct Case {
    const char* what;
    UINT action;
    LPVOID record;
    UINT size;
  } cases[] = {
      {"size field 0", SPI_GETNONCLIENTMETRICS, &metrics, 0},
      {"size field with padding", SPI_GETNONCLIENTMETRICS, &metrics, 344},
      {"no record", SPI_GETNONCLIENTMETRICS, nullptr, 340},
      {"set without record", SPI_SETNONCLIENTMETRICS, nullptr, 340},
      {"time-out without place", SPI_GETFOREGROUNDLOCKTIMEOUT, nullptr, 0},
      {"unknown action", 0x7777, &metrics, 340},
  };
  for (const Case& c : cases) {
    metrics.cbSize = c.size;
    SetLastError(0);
    EXPECT_FALSE(SystemParametersInfoA(c.action, c.size, c.record, 0)) << c.what;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << c.what;
  }
}

TEST(MemoryStatus, FiguresOfTheMachineAndTheProcess) {
  MEMORYSTATUS status;
  std::memset(&status, 0xEE, sizeof status);
  status.dwLength = sizeof status;
  GlobalMemoryStatus(&status);
  EXPECT_EQ(status.dwLength, sizeof status);
  // The physical memory the kernel reports in pages, independently.
  auto pages = static_cast<SIZE_T>(sysconf(_SC_PHYS_PAGES)) * static_cast<SIZE_T>(sysconf(_SC_PAGESIZE));
  EXPECT_EQ(status.dwTotalPhys / 1024 / 1024, pages / 1024 / 1024);
  EXPECT_LE(status.dwAvailPhys, status.dwTotalPhys);
  EXPECT_GT(status.dwAvailPhys, 0u);
  EXPECT_LE(status.dwMemoryLoad, 100u);
  EXPECT_EQ(status.dwMemoryLoad, (status.dwTotalPhys - status.dwAvailPhys) * 100 / status.dwTotalPhys);
  EXPECT_GE(status.dwTotalPageFile, status.dwTotalPhys);
  EXPECT_GE(status.dwAvailPageFile, status.dwAvailPhys);
  EXPECT_GT(status.dwTotalVirtual, 0u);
  EXPECT_LT(status.dwAvailVirtual, status.dwTotalVirtual);
  GlobalMemoryStatus(nullptr);  // nothing to fill, nothing done
}

// The tool-help functions as the about box and version overview bind them.
struct ToolHelp {
  using Snapshot = HANDLE (*)(DWORD, DWORD);
  using ModuleWalk = BOOL (*)(HANDLE, LPMODULEENTRY32);
  using HeapListWalk = BOOL (*)(HANDLE, LPHEAPLIST32);
  using HeapFirst = BOOL (*)(LPHEAPENTRY32, DWORD, ULONG_PTR);
  using HeapNext = BOOL (*)(LPHEAPENTRY32);

  ToolHelp() {
    HMODULE kernel = GetModuleHandle("KERNEL32.DLL");
    snapshot = reinterpret_cast<Snapshot>(GetProcAddress(kernel, "CreateToolhelp32Snapshot"));
    moduleFirst = reinterpret_cast<ModuleWalk>(GetProcAddress(kernel, "Module32First"));
    moduleNext = reinterpret_cast<ModuleWalk>(GetProcAddress(kernel, "Module32Next"));
    heapListFirst = reinterpret_cast<HeapListWalk>(GetProcAddress(kernel, "Heap32ListFirst"));
    heapListNext = reinterpret_cast<HeapListWalk>(GetProcAddress(kernel, "Heap32ListNext"));
    heapFirst = reinterpret_cast<HeapFirst>(GetProcAddress(kernel, "Heap32First"));
    heapNext = reinterpret_cast<HeapNext>(GetProcAddress(kernel, "Heap32Next"));
  }
  bool Complete() const {
    return snapshot && moduleFirst && moduleNext && heapListFirst && heapListNext && heapFirst && heapNext;
  }

  std::vector<MODULEENTRY32> Modules() const {
    std::vector<MODULEENTRY32> modules;
    HANDLE taken = snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId());
    if (taken == INVALID_HANDLE_VALUE) return modules;
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = moduleFirst(taken, &entry); more; more = moduleNext(taken, &entry)) modules.push_back(entry);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    CloseHandle(taken);
    return modules;
  }

  // The about box's figure: all blocks less the free ones, over every heap.
  long long HeapBytesInUse() const {
    HANDLE taken = snapshot(TH32CS_SNAPHEAPLIST, GetCurrentProcessId());
    if (taken == INVALID_HANDLE_VALUE) return -1;
    long long total = 0;
    HEAPLIST32 list{};
    list.dwSize = sizeof list;
    for (BOOL more = heapListFirst(taken, &list); more; more = heapListNext(taken, &list)) {
      HEAPENTRY32 block{};
      block.dwSize = sizeof block;
      for (BOOL blocks = heapFirst(&block, list.th32ProcessID, list.th32HeapID); blocks; blocks = heapNext(&block)) {
        total += static_cast<long long>(block.dwBlockSize);
        if (block.dwFlags & LF32_FREE) total -= static_cast<long long>(block.dwBlockSize);
      }
    }
    CloseHandle(taken);
    return total;
  }

  Snapshot snapshot = nullptr;
  ModuleWalk moduleFirst = nullptr, moduleNext = nullptr;
  HeapListWalk heapListFirst = nullptr, heapListNext = nullptr;
  HeapFirst heapFirst = nullptr;
  HeapNext heapNext = nullptr;
};

const MODULEENTRY32* FindModule(const std::vector<MODULEENTRY32>& modules, const char* name) {
  for (const MODULEENTRY32& module : modules)
    if (std::strcmp(module.szModule, name) == 0) return &module;
  return nullptr;
}

TEST(ToolHelpWalks, ModulesOfThisProcessWithTheirHandlesAndVersions) {
  ToolHelp help;
  ASSERT_TRUE(help.Complete());
  std::vector<MODULEENTRY32> before = help.Modules();
  ASSERT_GE(before.size(), 2u);
  char program[MAX_PATH];
  ASSERT_GT(GetModuleFileName(nullptr, program, sizeof program), 0u);
  EXPECT_STREQ(before[0].szExePath, program);  // the program comes first
  EXPECT_EQ(before[0].hModule, GetModuleHandle(nullptr));
  EXPECT_EQ(before[0].th32ProcessID, GetCurrentProcessId());
  EXPECT_GT(before[0].modBaseSize, 0u);
  const MODULEENTRY32* layerLibrary = FindModule(before, "liblayer_win32.so");
  ASSERT_NE(layerLibrary, nullptr);
  char path[MAX_PATH];
  ASSERT_GT(GetModuleFileName(layerLibrary->hModule, path, sizeof path), 0u);
  EXPECT_STREQ(path, layerLibrary->szExePath);
  EXPECT_EQ(FindModule(before, "liblayer_module_sample.so"), nullptr);

  // A library loaded later is there, with the handle LoadLibrary gave and
  // the version the overview shows; once freed it is gone again.
  HMODULE sample = LoadLibrary("LAYER_MODULE_SAMPLE.DLL");
  ASSERT_NE(sample, nullptr);
  std::vector<MODULEENTRY32> loaded = help.Modules();
  const MODULEENTRY32* entry = FindModule(loaded, "liblayer_module_sample.so");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->hModule, sample);
  DWORD unused = 0;
  DWORD size = GetFileVersionInfoSize(entry->szExePath, &unused);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfo(entry->szExePath, 0, size, block.data()));
  LPVOID version = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValue(block.data(), "\\StringFileInfo\\040704E4\\FileVersion", &version, &length));
  EXPECT_STREQ(static_cast<const char*>(version), "2, 7, 0, 13");
  FreeLibrary(sample);
  EXPECT_EQ(FindModule(help.Modules(), "liblayer_module_sample.so"), nullptr);
}

TEST(ToolHelpWalks, RefusedModuleWalks) {
  HANDLE none = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0x7FFFFFF0);
  EXPECT_EQ(none, INVALID_HANDLE_VALUE);
  HANDLE taken = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
  ASSERT_NE(taken, INVALID_HANDLE_VALUE);
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry - 4;
  EXPECT_FALSE(Module32First(taken, &entry));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  entry.dwSize = sizeof entry;
  EXPECT_TRUE(Module32First(taken, &entry));
  PROCESSENTRY32 process{};
  process.dwSize = sizeof process;
  EXPECT_FALSE(Process32First(taken, &process));  // not taken: an empty list
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
  CloseHandle(taken);
  EXPECT_FALSE(Module32Next(taken, &entry));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(ToolHelpWalks, TheHeapWalkSeesMemoryInUse) {
  ToolHelp help;
  ASSERT_TRUE(help.Complete());
  long long before = help.HeapBytesInUse();
  ASSERT_GT(before, 0);
  constexpr size_t kHeld = 8 << 20;
  auto held = std::make_unique<char[]>(kHeld);
  std::memset(held.get(), 1, kHeld);
  long long during = help.HeapBytesInUse();
  EXPECT_GE(during - before, static_cast<long long>(kHeld) - 4096);
  held.reset();
  EXPECT_LT(help.HeapBytesInUse(), during);
}

TEST(ToolHelpWalks, HeapWalkRecordsAndOtherProcesses) {
  HANDLE taken = CreateToolhelp32Snapshot(TH32CS_SNAPHEAPLIST, 0);
  ASSERT_NE(taken, INVALID_HANDLE_VALUE);
  HEAPLIST32 list{};
  list.dwSize = sizeof list;
  ASSERT_TRUE(Heap32ListFirst(taken, &list));
  EXPECT_EQ(list.dwFlags, HF32_DEFAULT);
  EXPECT_EQ(list.th32ProcessID, GetCurrentProcessId());
  EXPECT_FALSE(Heap32ListNext(taken, &list));  // one heap
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
  CloseHandle(taken);

  HEAPENTRY32 block{};
  block.dwSize = sizeof block;
  ASSERT_TRUE(Heap32First(&block, list.th32ProcessID, list.th32HeapID));
  EXPECT_EQ(block.dwFlags, LF32_FIXED);
  ASSERT_TRUE(Heap32Next(&block));
  EXPECT_EQ(block.dwFlags, LF32_FREE);
  EXPECT_FALSE(Heap32Next(&block));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
  block.dwSize = 8;
  EXPECT_FALSE(Heap32First(&block, list.th32ProcessID, list.th32HeapID));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  block.dwSize = sizeof block;
  EXPECT_FALSE(Heap32First(&block, list.th32ProcessID, list.th32HeapID + 1));

  // Another process's heaps are not for this one to walk.
  HANDLE parent = CreateToolhelp32Snapshot(TH32CS_SNAPHEAPLIST, static_cast<DWORD>(getppid()));
  ASSERT_NE(parent, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(Heap32ListFirst(parent, &list));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
  CloseHandle(parent);
}

}  // namespace
