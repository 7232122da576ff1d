// FindFirstFile and friends: the folder is read once when the search starts;
// the handle then hands out its entries one by one.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "win32/Codepage.h"
#include "win32/Errors.h"
#include "win32/Files.h"
#include "win32/KernelObjects.h"
#include "win32/Paths.h"

namespace {

class FileSearch : public layer::KernelObject {
 public:
  std::vector<WIN32_FIND_DATAA> entries;
  size_t next = 0;
};

std::string Upper(std::string_view cp1252) {
  std::string out(cp1252);
  for (char& c : out) c = static_cast<char>(layer::Cp1252ToUpper(static_cast<unsigned char>(c)));
  return out;
}

// "*" any run of characters, "?" any one; both sides already in upper case.
bool WildcardMatch(std::string_view name, std::string_view pattern) {
  size_t n = 0, p = 0, star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool IsDriveRoot(std::string_view folder) {
  return (folder.size() == 2 || (folder.size() == 3 && (folder[2] == '\\' || folder[2] == '/'))) && folder[1] == ':';
}

bool Fill(WIN32_FIND_DATAA& entry, const std::string& hostPath, const std::string& name) {
  struct stat st;
  if (stat(hostPath.c_str(), &st) != 0 || name.size() >= sizeof entry.cFileName) return false;
  std::memset(&entry, 0, sizeof entry);
  entry.dwFileAttributes = layer::AttributesFromMode(st.st_mode);
  entry.ftCreationTime = layer::FileTimeFromUnix(st.st_ctim.tv_sec, st.st_ctim.tv_nsec);
  entry.ftLastAccessTime = layer::FileTimeFromUnix(st.st_atim.tv_sec, st.st_atim.tv_nsec);
  entry.ftLastWriteTime = layer::FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  if (!S_ISDIR(st.st_mode)) {
    auto size = static_cast<unsigned long long>(st.st_size);
    entry.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    entry.nFileSizeLow = static_cast<DWORD>(size);
  }
  std::memcpy(entry.cFileName, name.c_str(), name.size() + 1);
  return true;
}

void CopyEntry(const WIN32_FIND_DATAA& entry, LPWIN32_FIND_DATA data) { std::memcpy(data, &entry, sizeof entry); }

HANDLE Refuse(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

}  // namespace

HANDLE FindFirstFile(LPCSTR pattern, LPWIN32_FIND_DATA data) {
  if (!pattern || !data) return Refuse(ERROR_INVALID_PARAMETER);
  std::string_view text(pattern);
  size_t cut = text.find_last_of("\\/");
  std::string_view folder = cut == std::string_view::npos ? std::string_view() : text.substr(0, cut + 1);
  if (folder.empty() && text.size() >= 2 && text[1] == ':') folder = text.substr(0, 2);
  std::string_view wanted = text.substr(folder.size());
  if (folder.find_first_of("*?") != std::string_view::npos) return Refuse(ERROR_INVALID_NAME);
  if (wanted.empty()) return Refuse(ERROR_FILE_NOT_FOUND);

  std::string hostFolder = folder.empty() ? "." : layer::HostPath(std::string(folder) + ".");
  struct stat st;
  if (stat(hostFolder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return Refuse(ERROR_PATH_NOT_FOUND);
  DIR* dir = opendir(hostFolder.c_str());
  if (!dir) return Refuse(ERROR_ACCESS_DENIED);

  std::string upperPattern = wanted == "*.*" ? "*" : Upper(wanted);
  bool dotEntries = !IsDriveRoot(folder) && hostFolder != "/";
  auto search = std::make_shared<FileSearch>();
  while (dirent* found = readdir(dir)) {
    std::string hostName = found->d_name;
    bool isDot = hostName == "." || hostName == "..";
    if (isDot && !dotEntries) continue;
    std::string name = layer::Utf8ToCp1252(hostName);
    if (!WildcardMatch(Upper(name), upperPattern)) continue;
    WIN32_FIND_DATAA entry;
    if (Fill(entry, hostFolder + "/" + hostName, name)) search->entries.push_back(entry);
  }
  closedir(dir);
  if (search->entries.empty()) return Refuse(ERROR_FILE_NOT_FOUND);
  auto order = [](const WIN32_FIND_DATAA& entry) {
    bool dot = std::strcmp(entry.cFileName, ".") == 0 || std::strcmp(entry.cFileName, "..") == 0;
    return std::pair(!dot, Upper(entry.cFileName));
  };
  std::sort(search->entries.begin(), search->entries.end(),
            [&](const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) { return order(a) < order(b); });
  CopyEntry(search->entries[search->next++], data);
  SetLastError(NO_ERROR);
  return layer::AddHandle(search);
}

BOOL FindNextFile(HANDLE find, LPWIN32_FIND_DATA data) {
  auto search = layer::ObjectOf<FileSearch>(find);
  if (!search) return FALSE;
  if (!data) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (search->next >= search->entries.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  CopyEntry(search->entries[search->next++], data);
  return TRUE;
}

BOOL FindClose(HANDLE find) {
  if (!layer::ObjectOf<FileSearch>(find)) return FALSE;
  return CloseHandle(find);
}
