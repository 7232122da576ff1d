// The file dialogs: the request made from the program's record, the answer
// of a presenter or the desktop's dialog, the checks the flags ask for, and
// the chosen path written back into the record.
#include "user/CommonDialogs.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <mutex>
#include <utility>

#include "win32/DesktopIntegration.h"
#include "win32/Codepage.h"
#include "win32/CommDlg.h"
#include "win32/MessageBox.h"
#include "win32/Paths.h"
#include "win32/UserWindows.h"

namespace layer {
namespace {

constexpr int kMostFilters = 64;
constexpr std::size_t kLongestFilterText = 4096;
constexpr int kMostAttempts = 16;  // a presenter that keeps giving a refused answer is taken as Cancel

std::mutex presenterMutex;
FileDialogPresenter& Presenter() {
  static auto* presenter = new FileDialogPresenter;
  return *presenter;
}

// The filter pairs of a record: texts ended by NUL, the list by an empty text.
std::vector<std::pair<std::string, std::string>> FiltersOf(LPCSTR filter) {
  std::vector<std::pair<std::string, std::string>> filters;
  if (!filter) return filters;
  const char* at = filter;
  while (*at && static_cast<int>(filters.size()) < kMostFilters) {
    std::string description(at, strnlen(at, kLongestFilterText));
    at += description.size() + 1;
    if (!*at) break;
    std::string patterns(at, strnlen(at, kLongestFilterText));
    at += patterns.size() + 1;
    filters.emplace_back(description, patterns);
  }
  return filters;
}

// Qt's name filters: "Description (*.txt *.TXT)", each pattern in both cases.
std::string DesktopFilters(const FileDialogRequest& request) {
  std::string lines;
  for (const auto& [description, patterns] : request.filters) {
    std::string list;
    std::size_t start = 0;
    while (start <= patterns.size()) {
      std::size_t end = patterns.find(';', start);
      std::string pattern = patterns.substr(start, end == std::string::npos ? std::string::npos : end - start);
      std::string lower = pattern, upper = pattern;
      for (char& c : lower) c = static_cast<char>(Cp1252ToLower(static_cast<unsigned char>(c)));
      for (char& c : upper) c = static_cast<char>(Cp1252ToUpper(static_cast<unsigned char>(c)));
      for (const std::string& variant : {lower, upper})
        if (!variant.empty() && list.find(variant) == std::string::npos) list += (list.empty() ? "" : " ") + variant;
      if (end == std::string::npos) break;
      start = end + 1;
    }
    std::string name = description.substr(0, description.find(" ("));
    lines += Cp1252ToUtf8(name) + " (" + Cp1252ToUtf8(list) + ")\n";
  }
  return lines;
}

bool AskDesktop(const FileDialogRequest& request, std::string& path, int& filterIndex) {
  DesktopFileChoice choice;
  choice.save = request.save;
  choice.owner = request.owner;
  choice.title = request.title;
  choice.filters = DesktopFilters(request);
  choice.filterIndex = request.filterIndex;
  choice.folder = request.initialFolder.empty() ? std::string() : HostPath(request.initialFolder);
  choice.name = Cp1252ToUtf8(request.initialName);
  choice.defaultSuffix = request.defaultExtension;
  choice.mustExist = (request.flags & OFN_FILEMUSTEXIST) != 0;
  HWND owner = request.owner;
  bool disable = owner && IsWindowEnabled(owner);
  if (disable) EnableWindow(owner, FALSE);
  std::string chosen;
  bool accepted = ShowDesktopFileDialog(choice, chosen);
  if (disable) EnableWindow(owner, TRUE);
  if (!accepted) return false;
  path = PlatformPathOf(chosen);
  filterIndex = choice.filterIndex;
  return true;
}

bool Exists(const std::string& path, bool folder) {
  struct stat status;
  if (stat(HostPath(path).c_str(), &status) != 0) return false;
  return folder ? S_ISDIR(status.st_mode) : true;
}

std::size_t NameStart(const std::string& path) {
  std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? 0 : slash + 1;
}

std::string FolderOf(const std::string& path) {
  std::size_t start = NameStart(path);
  return start ? path.substr(0, start - 1) : std::string();
}

// Whether the flags let a chosen path stand; asks the user where they say so.
bool Acceptable(const FileDialogRequest& request, const std::string& path) {
  std::string folder = FolderOf(path);
  if ((request.flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && !folder.empty() && !Exists(folder, true)) {
    std::string text = path + "\nDer Pfad existiert nicht.\n\xDC" "berpr\xFC" "fen Sie den Pfad.";
    MessageBox(request.owner, text.c_str(), request.title.c_str(), MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  bool exists = Exists(path, false);
  if (!request.save && (request.flags & OFN_FILEMUSTEXIST) && !exists) {
    std::string text = path + "\nDie Datei wurde nicht gefunden.\n\xDC" "berpr\xFC" "fen Sie den Dateinamen.";
    MessageBox(request.owner, text.c_str(), request.title.c_str(), MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  if (!request.save && (request.flags & OFN_CREATEPROMPT) && !exists) {
    std::string text = path + "\nDie Datei existiert nicht.\nSoll sie erstellt werden?";
    return MessageBox(request.owner, text.c_str(), request.title.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
  }
  if (request.save && (request.flags & OFN_OVERWRITEPROMPT) && exists) {
    std::string text = path + " existiert bereits.\nSoll die Datei ersetzt werden?";
    return MessageBox(request.owner, text.c_str(), request.title.c_str(), MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
  }
  return true;
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
  if (extension.empty() || path.empty()) return path;
  std::string name = path.substr(NameStart(path));
  return name.find('.') == std::string::npos ? path + "." + extension : path;
}

FileDialogRequest RequestOf(const OPENFILENAMEA& ofn, bool save) {
  FileDialogRequest request;
  request.save = save;
  request.owner = ofn.hwndOwner;
  request.title = ofn.lpstrTitle ? ofn.lpstrTitle : save ? "Speichern unter" : "\xD6" "ffnen";
  request.filters = FiltersOf(ofn.lpstrFilter);
  int index = static_cast<int>(ofn.nFilterIndex) - 1;
  request.filterIndex = index >= 0 && index < static_cast<int>(request.filters.size()) ? index : 0;
  request.initialFolder = ofn.lpstrInitialDir ? ofn.lpstrInitialDir : "";
  request.initialName = std::string(ofn.lpstrFile, strnlen(ofn.lpstrFile, ofn.nMaxFile));
  request.defaultExtension = ofn.lpstrDefExt ? ofn.lpstrDefExt : "";
  request.flags = ofn.Flags;
  return request;
}

// Writes the chosen path and its parts into the record; false when its buffer is too small.
bool WriteBack(OPENFILENAMEA& ofn, const std::string& path, int filterIndex) {
  if (path.size() + 1 > ofn.nMaxFile) {
    if (ofn.nMaxFile >= 2) {
      WORD needed = static_cast<WORD>(std::min<std::size_t>(path.size() + 1, 0xFFFF));
      std::memcpy(ofn.lpstrFile, &needed, sizeof needed);
    }
    SetCommonDialogError(FNERR_BUFFERTOOSMALL);
    return false;
  }
  std::memcpy(ofn.lpstrFile, path.c_str(), path.size() + 1);
  std::size_t name = NameStart(path);
  std::size_t dot = path.find_last_of('.');
  ofn.nFileOffset = static_cast<WORD>(name);
  if (dot == std::string::npos || dot < name) ofn.nFileExtension = static_cast<WORD>(path.size());
  else ofn.nFileExtension = dot + 1 == path.size() ? 0 : static_cast<WORD>(dot + 1);
  if (ofn.lpstrFileTitle && ofn.nMaxFileTitle > 0) {
    std::string title = path.substr(name);
    std::size_t count = std::min<std::size_t>(title.size(), ofn.nMaxFileTitle - 1);
    std::memcpy(ofn.lpstrFileTitle, title.data(), count);
    ofn.lpstrFileTitle[count] = '\0';
  }
  ofn.nFilterIndex = static_cast<DWORD>(filterIndex + 1);
  return true;
}

BOOL Run(LPOPENFILENAME ofn, bool save) {
  SetCommonDialogError(0);
  if (!ofn || ofn->lStructSize == 0) {
    SetCommonDialogError(CDERR_STRUCTSIZE);
    return FALSE;
  }
  if (!ofn->lpstrFile || ofn->nMaxFile == 0) {
    SetCommonDialogError(CDERR_INITIALIZATION);
    return FALSE;
  }
  FileDialogRequest request = RequestOf(*ofn, save);
  FileDialogPresenter presenter;
  {
    std::lock_guard<std::mutex> lock(presenterMutex);
    presenter = Presenter();
  }
  for (int attempt = 0; attempt < kMostAttempts; ++attempt) {
    std::string path;
    int filterIndex = request.filterIndex;
    bool chosen = presenter ? presenter(request, path, filterIndex) : AskDesktop(request, path, filterIndex);
    if (!chosen || path.empty()) return FALSE;
    if (!path.empty() && path[0] == '/') path = PlatformPathOf(path);
    path = WithDefaultExtension(path, request.defaultExtension);
    if (!Acceptable(request, path)) {
      request.initialName = path.substr(NameStart(path));
      continue;
    }
    return WriteBack(*ofn, path, filterIndex) ? TRUE : FALSE;
  }
  return FALSE;
}

}  // namespace

FileDialogPresenter SetFileDialogPresenter(FileDialogPresenter presenter) {
  std::lock_guard<std::mutex> lock(presenterMutex);
  return std::exchange(Presenter(), std::move(presenter));
}

std::string PlatformPathOf(const std::string& hostPath) {
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    std::string folder = DriveFolder(letter);
    if (folder.empty() || hostPath.compare(0, folder.size(), folder) != 0) continue;
    if (hostPath.size() > folder.size() && hostPath[folder.size()] != '/') continue;
    std::string rest = SystemPath(hostPath.substr(folder.size()));
    for (char& c : rest) c = c == '/' ? '\\' : c;
    return std::string(1, letter) + ":" + (rest.empty() ? "\\" : rest);
  }
  return SystemPath(hostPath);
}

}  // namespace layer

BOOL GetOpenFileName(LPOPENFILENAME ofn) { return layer::Run(ofn, false); }
BOOL GetSaveFileName(LPOPENFILENAME ofn) { return layer::Run(ofn, true); }
