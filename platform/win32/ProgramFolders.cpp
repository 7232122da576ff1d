#include "win32/ProgramFolders.h"

#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

#include "win32/Errors.h"
#include "win32/Paths.h"

namespace {

std::string WindowsFolder() {
  if (const char* set = std::getenv("VARNO_WINDIR"); set && *set) return set;
  std::string config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
    config = xdg;
  else if (const char* home = std::getenv("HOME"); home && *home)
    config = std::string(home) + "/.config";
  else
    config = std::filesystem::temp_directory_path().string();
  return config + "/varno4/windows";
}

UINT CopyOut(const std::string& text, LPSTR buffer, UINT size) {
  if (!buffer || size <= text.size()) return static_cast<UINT>(text.size() + 1);
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<UINT>(text.size());
}

}  // namespace

UINT GetWindowsDirectory(LPSTR buffer, UINT size) {
  std::string folder = WindowsFolder();
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return CopyOut(layer::SystemPath(folder), buffer, size);
}

DWORD GetModuleFileName(HMODULE module, LPSTR buffer, DWORD size) {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (module != nullptr || error) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  std::string name = layer::SystemPath(program.string());
  if (!buffer || size == 0) return 0;
  // The platform cuts the name to the buffer and reports the cut.
  DWORD copied = static_cast<DWORD>(std::min<size_t>(name.size(), size - 1));
  std::memcpy(buffer, name.data(), copied);
  buffer[copied] = '\0';
  SetLastError(copied < name.size() ? ERROR_INSUFFICIENT_BUFFER : ERROR_SUCCESS);
  return copied < name.size() ? size : copied;
}
