#include "win32/Paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cctype>
#include <cstdlib>
#include <map>
#include <mutex>

#include "win32/Codepage.h"

namespace layer {
namespace {

std::mutex driveMutex;
std::map<char, std::string> driveFolders;

std::string UserDataFolder() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return data;
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.local/share";
  return "/tmp";
}

bool Exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

std::string Folded(std::string_view cp1252) {
  std::string out(cp1252);
  for (char& c : out) c = static_cast<char>(Cp1252ToLower(static_cast<unsigned char>(c)));
  return out;
}

// The entry of folder whose name equals part without regard to case, or part
// itself when there is none (so a file about to be created keeps its name).
std::string MatchInFolder(const std::string& folder, const std::string& part) {
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return part;
  std::string wanted = Folded(Utf8ToCp1252(part));
  std::string match = part;
  while (dirent* entry = readdir(dir)) {
    if (Folded(Utf8ToCp1252(entry->d_name)) == wanted) {
      match = entry->d_name;
      break;
    }
  }
  closedir(dir);
  return match;
}

// Splits off the root: "X:" (a drive), "/" or nothing (relative).
std::string RootOf(std::string& rest) {
  if (rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]))) {
    std::string root = DriveFolder(rest[0]);
    rest.erase(0, 2);
    return root + "/";
  }
  if (!rest.empty() && rest[0] == '/') return "/";
  return "";
}

}  // namespace

std::string DriveFolder(char drive) {
  char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(drive)));
  {
    std::lock_guard<std::mutex> lock(driveMutex);
    if (auto found = driveFolders.find(letter); found != driveFolders.end()) return found->second;
  }
  std::string variable = std::string("VARNO_DRIVE_") + letter;
  if (const char* folder = std::getenv(variable.c_str()); folder && *folder) return folder;
  return UserDataFolder() + "/varno4/drive_" +
         static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
}

void SetDriveFolder(char drive, std::string hostFolder) {
  std::lock_guard<std::mutex> lock(driveMutex);
  driveFolders[static_cast<char>(std::toupper(static_cast<unsigned char>(drive)))] = std::move(hostFolder);
}

std::string HostPath(std::string_view systemPath) {
  std::string rest = Cp1252ToUtf8(systemPath);
  for (char& c : rest)
    if (c == '\\') c = '/';
  std::string path = RootOf(rest);
  size_t pos = 0;
  bool resolving = true;  // once a part is missing, the parts below it are too
  while (pos <= rest.size()) {
    size_t end = rest.find('/', pos);
    if (end == std::string::npos) end = rest.size();
    std::string part = rest.substr(pos, end - pos);
    pos = end + 1;
    if (part.empty()) continue;
    if (!path.empty() && path.back() != '/') path += '/';
    if (resolving && part != "." && part != ".." && !Exists(path + part)) {
      std::string folder = path.empty() ? "" : path.substr(0, path.size() - 1);
      if (folder.empty() && path == "/") folder = "/";
      part = MatchInFolder(folder, part);
      resolving = Exists(path + part);
    }
    path += part;
  }
  if (path.empty() && !rest.empty()) path = ".";
  return path;
}

std::string SystemPath(std::string_view hostPath) { return Utf8ToCp1252(hostPath); }

}  // namespace layer
