#include "win32/ProcessTable.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "win32/Errors.h"
#include "win32/KernelObjects.h"
#include "win32/Module.h"
#include "win32/Paths.h"
#include "win32/Process.h"
#include "win32/ToolHelpSnapshot.h"

namespace {

// The one module a process has: its program, at the platform's usual base.
HMODULE ProgramModule() { return reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x400000)); }

struct StatFields {
  DWORD parentId = 0;
  unsigned long long started = 0;
  bool read = false;
};

// Fields of /proc/<id>/stat after the program name, which may itself hold
// blanks and parentheses; its last ')' ends it.
StatFields ReadStat(DWORD id) {
  std::string text = layer::ReadProcessFile("/proc/" + std::to_string(id) + "/stat");
  StatFields fields;
  size_t close = text.rfind(')');
  if (close == std::string::npos) return fields;
  std::vector<std::string> words;
  size_t pos = close + 1;
  while (pos < text.size()) {
    size_t start = text.find_first_not_of(' ', pos);
    if (start == std::string::npos) break;
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    words.push_back(text.substr(start, end - start));
    pos = end;
  }
  // words[0] is the state (field 3), so field n is words[n - 3].
  if (words.size() < 20) return fields;
  fields.parentId = static_cast<DWORD>(std::strtoul(words[1].c_str(), nullptr, 10));
  fields.started = std::strtoull(words[19].c_str(), nullptr, 10);
  fields.read = true;
  return fields;
}

std::string ProgramOf(DWORD id) {
  char path[4096];
  ssize_t got = readlink(("/proc/" + std::to_string(id) + "/exe").c_str(), path, sizeof path - 1);
  return got > 0 ? layer::SystemPath(std::string(path, static_cast<size_t>(got))) : "";
}

// The value of a variable in an environment block of NUL-ended "NAME=value"
// entries; empty when it is not set.
std::string VariableIn(const std::string& block, const std::string& name) {
  const std::string prefix = name + "=";
  for (size_t start = 0; start < block.size();) {
    size_t end = block.find('\0', start);
    if (end == std::string::npos) end = block.size();
    if (block.compare(start, prefix.size(), prefix) == 0)
      return block.substr(start + prefix.size(), end - start - prefix.size());
    start = end + 1;
  }
  return "";
}

std::string OwnVariable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// What names the session: the space and the display. This process reads its
// own variables, as the space may have been given to it while it runs;
// another process is read as it was started.
bool SessionNameOf(DWORD processId, std::string& name) {
  std::string space, display;
  if (processId == static_cast<DWORD>(getpid())) {
    space = layer::SpaceOfProcess(OwnVariable("VARNO_IPC_SPACE"), processId);
    display = OwnVariable("DISPLAY");
  } else {
    if (processId == 0 || !ReadStat(processId).read) return false;
    const std::string block = layer::ReadProcessFile("/proc/" + std::to_string(processId) + "/environ");
    space = layer::SpaceOfProcess(VariableIn(block, "VARNO_IPC_SPACE"), processId);
    display = VariableIn(block, "DISPLAY");
  }
  name = space + '\n' + display;
  return true;
}

// FNV-1a: equal names give equal numbers in every process.
DWORD NumberOfName(const std::string& name) {
  DWORD hash = 2166136261u;
  for (unsigned char c : name) {
    hash ^= c;
    hash *= 16777619u;
  }
  return hash;
}

BOOL FillEntry(HANDLE snapshot, LPPROCESSENTRY32 entry, bool first) {
  auto table = layer::ObjectOf<layer::ToolHelpSnapshot>(snapshot);
  if (!table) return FALSE;
  if (!entry || entry->dwSize < PROCESSENTRY32_SMALLEST_SIZE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (first) table->nextProcess = 0;
  if (table->nextProcess >= table->processes.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  const layer::ProcessFacts& facts = table->processes[table->nextProcess++];
  DWORD size = entry->dwSize;
  std::memset(entry, 0, sizeof *entry);
  entry->dwSize = size;
  entry->th32ProcessID = facts.id;
  entry->th32ParentProcessID = facts.parentId;
  entry->cntThreads = 1;
  layer::CopyCutText(facts.program, entry->szExeFile, sizeof entry->szExeFile);
  return TRUE;
}

}  // namespace

HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD processId) {
  if (!(flags & (TH32CS_SNAPPROCESS | TH32CS_SNAPMODULE | TH32CS_SNAPHEAPLIST))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  auto snapshot = std::make_shared<layer::ToolHelpSnapshot>();
  if (flags & TH32CS_SNAPPROCESS) snapshot->processes = layer::RunningProcesses();
  if ((flags & (TH32CS_SNAPMODULE | TH32CS_SNAPHEAPLIST)) && !layer::TakeModulesAndHeaps(flags, processId, *snapshot))
    return INVALID_HANDLE_VALUE;
  return layer::AddHandle(snapshot);
}

BOOL Process32First(HANDLE snapshot, LPPROCESSENTRY32 entry) { return FillEntry(snapshot, entry, true); }

BOOL Process32Next(HANDLE snapshot, LPPROCESSENTRY32 entry) { return FillEntry(snapshot, entry, false); }

BOOL EnumProcesses(DWORD* processIds, DWORD bytes, DWORD* bytesReturned) {
  if (!processIds || !bytesReturned) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::vector<layer::ProcessFacts> processes = layer::RunningProcesses();
  size_t count = std::min<size_t>(processes.size(), bytes / sizeof(DWORD));
  for (size_t i = 0; i < count; ++i) processIds[i] = processes[i].id;
  *bytesReturned = static_cast<DWORD>(count * sizeof(DWORD));
  return TRUE;
}

BOOL EnumProcessModules(HANDLE process, HMODULE* modules, DWORD bytes, DWORD* bytesNeeded) {
  if (layer::ProcessIdOf(process) == 0) return FALSE;
  if (!bytesNeeded) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (modules && bytes >= sizeof(HMODULE)) modules[0] = ProgramModule();
  *bytesNeeded = sizeof(HMODULE);
  return TRUE;
}

DWORD GetModuleFileNameExA(HANDLE process, HMODULE module, LPSTR fileName, DWORD size) {
  DWORD id = layer::ProcessIdOf(process);
  if (id == 0) return 0;
  std::string program = module == nullptr || module == ProgramModule() ? ProgramOf(id) : "";
  if (program.empty()) {
    SetLastError(module == nullptr || module == ProgramModule() ? ERROR_ACCESS_DENIED : ERROR_MOD_NOT_FOUND);
    return 0;
  }
  return layer::CopyCutText(program, fileName, size);
}

DWORD GetModuleBaseNameA(HANDLE process, HMODULE module, LPSTR baseName, DWORD size) {
  char path[MAX_PATH * 4];
  if (GetModuleFileNameExA(process, module, path, sizeof path) == 0) return 0;
  const char* slash = std::strrchr(path, '/');
  return layer::CopyCutText(slash ? slash + 1 : path, baseName, size);
}

NTSTATUS NtQueryInformationProcess(HANDLE process, int informationClass, LPVOID information, ULONG length,
                                   ULONG* returnLength) {
  if (informationClass != ProcessBasicInformation) return STATUS_INVALID_INFO_CLASS;
  if (!information || length < sizeof(PROCESS_BASIC_INFORMATION)) return STATUS_INFO_LENGTH_MISMATCH;
  DWORD id = layer::ProcessIdOf(process);
  if (id == 0) return STATUS_INVALID_HANDLE;
  DWORD exitCode = STILL_ACTIVE;
  GetExitCodeProcess(process, &exitCode);
  PROCESS_BASIC_INFORMATION basic{};
  basic.ExitStatus = static_cast<NTSTATUS>(exitCode);
  basic.UniqueProcessId = id;
  basic.InheritedFromUniqueProcessId = ReadStat(id).parentId;
  std::memcpy(information, &basic, sizeof basic);
  if (returnLength) *returnLength = sizeof basic;
  return STATUS_SUCCESS;
}

BOOL ProcessIdToSessionId(DWORD processId, DWORD* sessionId) {
  std::string name;
  if (!sessionId || !SessionNameOf(processId, name)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *sessionId = NumberOfName(name);
  return TRUE;
}

namespace layer {

std::string SpaceOfProcess(const std::string& named, DWORD processId) {
  return named == "process" ? "p" + std::to_string(processId) : named;
}

std::vector<ProcessFacts> RunningProcesses() {
  struct Found {
    ProcessFacts facts;
    unsigned long long started;
  };
  std::vector<Found> found;
  DIR* dir = opendir("/proc");
  if (!dir) return {};
  uid_t user = getuid();
  while (dirent* entry = readdir(dir)) {
    char* end = nullptr;
    unsigned long id = std::strtoul(entry->d_name, &end, 10);
    if (*end != '\0' || id == 0) continue;
    struct stat st;
    if (stat(("/proc/" + std::string(entry->d_name)).c_str(), &st) != 0 || st.st_uid != user) continue;
    StatFields fields = ReadStat(static_cast<DWORD>(id));
    if (!fields.read) continue;  // ended meanwhile
    found.push_back({{static_cast<DWORD>(id), fields.parentId, ProgramOf(static_cast<DWORD>(id))}, fields.started});
  }
  closedir(dir);
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
    return a.started != b.started ? a.started > b.started : a.facts.id > b.facts.id;
  });
  std::vector<ProcessFacts> processes;
  for (Found& each : found) processes.push_back(std::move(each.facts));
  return processes;
}

}  // namespace layer

namespace layer {

std::string ReadProcessFile(const std::string& path) {
  int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) return "";
  std::string text;
  char chunk[4096];
  ssize_t got;
  while ((got = read(file, chunk, sizeof chunk)) > 0) text.append(chunk, static_cast<size_t>(got));
  close(file);
  return got < 0 ? "" : text;
}

}  // namespace layer
