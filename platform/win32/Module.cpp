#include "win32/Module.h"

#include <dirent.h>
#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "win32/Codepage.h"
#include "win32/Errors.h"
#include "win32/Mapi.h"
#include "win32/Paths.h"
#include "win32/ProcessTable.h"
#include "win32/SystemInfo.h"

namespace {

struct BuiltinLibrary {
  std::map<std::string, FARPROC> functions;
};

std::string Folded(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(layer::Cp1252ToLower(static_cast<unsigned char>(c)));
  return out;
}

// "KERNEL32.DLL", "kernel32" and "C:\WINDOWS\SYSTEM32\kernel32.dll" name one library.
std::string LibraryKey(std::string_view name) {
  size_t cut = name.find_last_of("\\/");
  std::string key = Folded(cut == std::string_view::npos ? name : name.substr(cut + 1));
  if (key.size() > 4 && key.ends_with(".dll")) key.resize(key.size() - 4);
  return key;
}

using Libraries = std::map<std::string, std::unique_ptr<BuiltinLibrary>>;

void Add(Libraries& libraries, const std::string& library, const std::string& name, FARPROC function) {
  auto& entry = libraries[library];
  if (!entry) entry = std::make_unique<BuiltinLibrary>();
  entry->functions[name] = function;
}

// The platform's functions that the system looks up by name at run time.
Libraries* PlatformLibraries() {
  auto* libraries = new Libraries;  // lives as long as the process
  using layer::AsFarProc;
  Add(*libraries, "kernel32", "CreateToolhelp32Snapshot", AsFarProc(&CreateToolhelp32Snapshot));
  Add(*libraries, "kernel32", "Process32First", AsFarProc(&Process32First));
  Add(*libraries, "kernel32", "Process32Next", AsFarProc(&Process32Next));
  Add(*libraries, "kernel32", "Module32First", AsFarProc(&Module32First));
  Add(*libraries, "kernel32", "Module32Next", AsFarProc(&Module32Next));
  Add(*libraries, "kernel32", "Heap32ListFirst", AsFarProc(&Heap32ListFirst));
  Add(*libraries, "kernel32", "Heap32ListNext", AsFarProc(&Heap32ListNext));
  Add(*libraries, "kernel32", "Heap32First", AsFarProc(&Heap32First));
  Add(*libraries, "kernel32", "Heap32Next", AsFarProc(&Heap32Next));
  Add(*libraries, "kernel32", "VerifyVersionInfoA", AsFarProc(&VerifyVersionInfoA));
  Add(*libraries, "kernel32", "GetSystemWindowsDirectoryA", AsFarProc(&GetSystemWindowsDirectoryA));
  Add(*libraries, "ntdll", "VerSetConditionMask", AsFarProc(&VerSetConditionMask));
  Add(*libraries, "ntdll", "NtQueryInformationProcess", AsFarProc(&NtQueryInformationProcess));
  Add(*libraries, "psapi", "EnumProcesses", AsFarProc(&EnumProcesses));
  Add(*libraries, "psapi", "EnumProcessModules", AsFarProc(&EnumProcessModules));
  Add(*libraries, "psapi", "GetModuleBaseNameA", AsFarProc(&GetModuleBaseNameA));
  Add(*libraries, "psapi", "GetModuleFileNameExA", AsFarProc(&GetModuleFileNameExA));
  Add(*libraries, "mapi32", "MAPISendMail", AsFarProc(&MAPISendMail));
  return libraries;
}

std::mutex librariesMutex;
Libraries& Builtins() {
  static Libraries* builtins = PlatformLibraries();
  return *builtins;
}

BuiltinLibrary* FindBuiltin(HMODULE module) {
  for (auto& [key, library] : Builtins())
    if (reinterpret_cast<HMODULE>(library.get()) == module) return library.get();
  return nullptr;
}

char mainModuleMarker;
HMODULE MainModule() { return reinterpret_cast<HMODULE>(&mainModuleMarker); }

std::string OwnProgram() {
  char path[4096];
  ssize_t got = readlink("/proc/self/exe", path, sizeof path - 1);
  return got > 0 ? std::string(path, static_cast<size_t>(got)) : "";
}

bool IsFile(const std::string& host) {
  struct stat st;
  return stat(host.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A shared library in folder that one of names stands for, without regard to case.
std::string LibraryInFolder(const std::string& folder, const std::vector<std::string>& names) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return "";
  std::string found;
  while (dirent* entry = found.empty() ? readdir(dir) : nullptr) {
    for (const std::string& name : names)
      if (Folded(layer::Utf8ToCp1252(entry->d_name)) == Folded(name) && IsFile(folder + "/" + entry->d_name))
        found = folder + "/" + entry->d_name;
  }
  closedir(dir);
  return found;
}

std::string ResolveLibrary(const std::string& systemName) {
  std::string host = layer::HostPath(systemName);
  if (IsFile(host)) return host;
  size_t cut = host.rfind('/');
  std::string file = cut == std::string::npos ? host : host.substr(cut + 1);
  std::string base = file;
  if (base.size() > 4 && Folded(base).ends_with(".dll")) base.resize(base.size() - 4);
  std::vector<std::string> names{base + ".so", "lib" + base + ".so", file};
  if (cut != std::string::npos)
    if (std::string found = LibraryInFolder(host.substr(0, cut), names); !found.empty()) return found;
  std::string program = OwnProgram();
  return LibraryInFolder(program.substr(0, program.rfind('/')), names);
}

}  // namespace

HMODULE LoadLibrary(LPCSTR name) {
  if (!name || !*name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  {
    std::lock_guard<std::mutex> lock(librariesMutex);
    auto builtin = Builtins().find(LibraryKey(name));
    if (builtin != Builtins().end()) return reinterpret_cast<HMODULE>(builtin->second.get());
  }
  std::string path = ResolveLibrary(name);
  void* handle = path.empty() ? nullptr : dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) SetLastError(ERROR_MOD_NOT_FOUND);
  return static_cast<HMODULE>(handle);
}

BOOL FreeLibrary(HMODULE module) {
  if (!module) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  {
    std::lock_guard<std::mutex> lock(librariesMutex);
    if (module == MainModule() || FindBuiltin(module)) return TRUE;
  }
  return dlclose(module) == 0;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
  if (!module || !name) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  {
    std::lock_guard<std::mutex> lock(librariesMutex);
    if (BuiltinLibrary* library = FindBuiltin(module)) {
      auto found = library->functions.find(name);
      if (found != library->functions.end()) return found->second;
      SetLastError(ERROR_PROC_NOT_FOUND);
      return nullptr;
    }
  }
  void* function = dlsym(module == MainModule() ? RTLD_DEFAULT : static_cast<void*>(module), name);
  if (!function) SetLastError(ERROR_PROC_NOT_FOUND);
  return reinterpret_cast<FARPROC>(function);
}

HMODULE GetModuleHandle(LPCSTR name) {
  if (!name) return MainModule();
  std::lock_guard<std::mutex> lock(librariesMutex);
  auto builtin = Builtins().find(LibraryKey(name));
  if (builtin != Builtins().end()) return reinterpret_cast<HMODULE>(builtin->second.get());
  // A library already loaded, by LoadLibrary or with the program; the handle
  // is the one LoadLibrary gave, and the count of loads stays as it was.
  std::string path = ResolveLibrary(name);
  void* handle = path.empty() ? nullptr : dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD);
  if (handle) {
    dlclose(handle);
    return static_cast<HMODULE>(handle);
  }
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

DWORD GetModuleFileName(HMODULE module, LPSTR buffer, DWORD size) {
  std::string path;
  if (!module || module == MainModule()) {
    path = OwnProgram();
  } else {
    {
      std::lock_guard<std::mutex> lock(librariesMutex);
      if (FindBuiltin(module)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
      }
    }
    link_map* map = nullptr;
    if (dlinfo(module, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name) path = map->l_name;
  }
  if (path.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  return layer::CopyCutText(layer::SystemPath(path), buffer, size);
}

namespace layer {

void AddBuiltinFunction(const std::string& library, const std::string& name, FARPROC function) {
  std::lock_guard<std::mutex> lock(librariesMutex);
  Add(Builtins(), LibraryKey(library), name, function);
}

DWORD CopyCutText(const std::string& text, LPSTR buffer, DWORD size) {
  if (!buffer || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  DWORD length = static_cast<DWORD>(std::min<size_t>(text.size(), size - 1));
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  if (length < text.size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  return length;
}

}  // namespace layer
