// The module and heap walks of the tool-help functions.
#include <dlfcn.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "win32/Errors.h"
#include "win32/Module.h"
#include "win32/Paths.h"
#include "win32/ProcessTable.h"
#include "win32/ToolHelpSnapshot.h"

// Present when the program runs under a sanitizer, whose allocator the C
// runtime's figures do not see.
extern "C" size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));
extern "C" size_t __sanitizer_get_free_bytes() __attribute__((weak));

namespace {

DWORD OwnId() { return static_cast<DWORD>(getpid()); }

// The one heap of this process stands for the C runtime's allocator.
char runtimeHeapMarker;
ULONG_PTR RuntimeHeapId() { return reinterpret_cast<ULONG_PTR>(&runtimeHeapMarker); }

struct HeapBlock {
  SIZE_T size;
  DWORD flags;
};

// The bytes in use and the bytes the heap holds free, as two blocks.
std::vector<HeapBlock> RuntimeHeapBlocks() {
  SIZE_T inUse, free;
  if (__sanitizer_get_current_allocated_bytes) {
    inUse = __sanitizer_get_current_allocated_bytes();
    free = __sanitizer_get_free_bytes ? __sanitizer_get_free_bytes() : 0;
  } else {
    struct mallinfo2 info = mallinfo2();
    inUse = info.uordblks + info.hblkhd;
    free = info.fordblks;
  }
  return {{inUse, LF32_FIXED}, {free, LF32_FREE}};
}

std::string BaseName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

HMODULE HandleInThisProcess(const std::string& hostPath, const std::string& program) {
  if (hostPath == program) return GetModuleHandle(nullptr);
  void* handle = dlopen(hostPath.c_str(), RTLD_LAZY | RTLD_NOLOAD);
  if (handle) dlclose(handle);  // NOLOAD only looked; the count stays
  return static_cast<HMODULE>(handle);
}

BOOL Refuse(DWORD error) {
  SetLastError(error);
  return FALSE;
}

BOOL FillModule(HANDLE snapshot, LPMODULEENTRY32 entry, bool first) {
  auto taken = layer::ObjectOf<layer::ToolHelpSnapshot>(snapshot);
  if (!taken) return FALSE;
  if (!entry || entry->dwSize < sizeof(MODULEENTRY32)) return Refuse(ERROR_INVALID_PARAMETER);
  if (first) taken->nextModule = 0;
  if (taken->nextModule >= taken->modules.size()) return Refuse(ERROR_NO_MORE_FILES);
  const layer::ModuleFacts& module = taken->modules[taken->nextModule++];
  DWORD size = entry->dwSize;
  std::memset(entry, 0, sizeof *entry);
  entry->dwSize = size;
  entry->th32ModuleID = 1;
  entry->th32ProcessID = taken->processId;
  entry->GlblcntUsage = entry->ProccntUsage = 1;
  entry->modBaseAddr = reinterpret_cast<BYTE*>(module.base);
  entry->modBaseSize = static_cast<DWORD>(std::min<ULONG_PTR>(module.size, 0xFFFFFFFFu));
  char program[4096];
  ssize_t got = readlink("/proc/self/exe", program, sizeof program - 1);
  std::string own = got > 0 ? std::string(program, static_cast<size_t>(got)) : "";
  entry->hModule =
      taken->processId == OwnId() ? HandleInThisProcess(module.path, own) : reinterpret_cast<HMODULE>(module.base);
  layer::CopyCutText(layer::SystemPath(BaseName(module.path)), entry->szModule, sizeof entry->szModule);
  layer::CopyCutText(layer::SystemPath(module.path), entry->szExePath, sizeof entry->szExePath);
  return TRUE;
}

BOOL FillHeapList(HANDLE snapshot, LPHEAPLIST32 entry, bool first) {
  auto taken = layer::ObjectOf<layer::ToolHelpSnapshot>(snapshot);
  if (!taken) return FALSE;
  if (!entry || entry->dwSize < sizeof(HEAPLIST32)) return Refuse(ERROR_INVALID_PARAMETER);
  if (first) taken->nextHeap = 0;
  if (taken->nextHeap >= taken->heaps.size()) return Refuse(ERROR_NO_MORE_FILES);
  entry->th32ProcessID = taken->processId;
  entry->th32HeapID = taken->heaps[taken->nextHeap++];
  entry->dwFlags = HF32_DEFAULT;
  return TRUE;
}

// dwResvd carries the index of the block, as the walk needs no more.
BOOL FillHeapEntry(LPHEAPENTRY32 entry, DWORD processId, ULONG_PTR heapId, DWORD index) {
  if (processId != OwnId() || heapId != RuntimeHeapId()) return Refuse(ERROR_INVALID_PARAMETER);
  std::vector<HeapBlock> blocks = RuntimeHeapBlocks();
  if (index >= blocks.size()) return Refuse(ERROR_NO_MORE_FILES);
  ULONG_PTR address = heapId;
  for (DWORD i = 0; i < index; ++i) address += blocks[i].size;
  entry->hHandle = reinterpret_cast<HANDLE>(heapId);
  entry->dwAddress = address;
  entry->dwBlockSize = blocks[index].size;
  entry->dwFlags = blocks[index].flags;
  entry->dwLockCount = 0;
  entry->dwResvd = index;
  entry->th32ProcessID = processId;
  entry->th32HeapID = heapId;
  return TRUE;
}

}  // namespace

BOOL Module32First(HANDLE snapshot, LPMODULEENTRY32 entry) { return FillModule(snapshot, entry, true); }
BOOL Module32Next(HANDLE snapshot, LPMODULEENTRY32 entry) { return FillModule(snapshot, entry, false); }
BOOL Heap32ListFirst(HANDLE snapshot, LPHEAPLIST32 entry) { return FillHeapList(snapshot, entry, true); }
BOOL Heap32ListNext(HANDLE snapshot, LPHEAPLIST32 entry) { return FillHeapList(snapshot, entry, false); }

BOOL Heap32First(LPHEAPENTRY32 entry, DWORD processId, ULONG_PTR heapId) {
  if (!entry || entry->dwSize != sizeof(HEAPENTRY32)) return Refuse(ERROR_INVALID_PARAMETER);
  return FillHeapEntry(entry, processId == 0 ? OwnId() : processId, heapId, 0);
}

BOOL Heap32Next(LPHEAPENTRY32 entry) {
  if (!entry || entry->dwSize != sizeof(HEAPENTRY32)) return Refuse(ERROR_INVALID_PARAMETER);
  return FillHeapEntry(entry, entry->th32ProcessID, entry->th32HeapID, entry->dwResvd + 1);
}

namespace layer {

bool LoadedModules(DWORD processId, std::vector<ModuleFacts>& modules) {
  std::string folder = "/proc/" + std::to_string(processId);
  std::istringstream maps(ReadProcessFile(folder + "/maps"));
  if (maps.str().empty()) return false;
  char program[4096];
  ssize_t got = readlink((folder + "/exe").c_str(), program, sizeof program - 1);
  std::string own = got > 0 ? std::string(program, static_cast<size_t>(got)) : "";
  // Each file mapped with code in it is a module, from its lowest to its highest byte.
  std::map<std::string, ModuleFacts> found;
  std::map<std::string, bool> hasCode;
  std::string line;
  while (std::getline(maps, line)) {
    std::istringstream fields(line);
    std::string range, permissions, offset, device, inode, path;
    fields >> range >> permissions >> offset >> device >> inode;
    std::getline(fields >> std::ws, path);
    if (path.empty() || path[0] != '/' || path.ends_with(" (deleted)")) continue;
    unsigned long long low = 0, high = 0;
    if (std::sscanf(range.c_str(), "%llx-%llx", &low, &high) != 2) continue;
    auto [entry, added] = found.try_emplace(path, ModuleFacts{path, low, high - low});
    if (!added) {
      ULONG_PTR end = std::max<ULONG_PTR>(entry->second.base + entry->second.size, high);
      entry->second.base = std::min<ULONG_PTR>(entry->second.base, low);
      entry->second.size = end - entry->second.base;
    }
    if (permissions.find('x') != std::string::npos) hasCode[path] = true;
  }
  modules.clear();
  for (auto& [path, module] : found)
    if (hasCode[path]) modules.push_back(module);
  std::sort(modules.begin(), modules.end(), [&](const ModuleFacts& a, const ModuleFacts& b) {
    return (a.path == own) != (b.path == own) ? a.path == own : a.base < b.base;
  });
  return true;
}

bool TakeModulesAndHeaps(DWORD flags, DWORD processId, ToolHelpSnapshot& snapshot) {
  snapshot.processId = processId == 0 ? OwnId() : processId;
  if ((flags & TH32CS_SNAPMODULE) && !LoadedModules(snapshot.processId, snapshot.modules)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if ((flags & TH32CS_SNAPHEAPLIST) && snapshot.processId == OwnId()) snapshot.heaps.push_back(RuntimeHeapId());
  return true;
}

}  // namespace layer
