#include "win32/Registry.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>

#include "win32/Codepage.h"
#include "win32/Errors.h"
#include "win32/SystemInfo.h"

namespace {

struct Value {
  DWORD type;
  std::string bytes;  // as the platform stores them, NULs included
};
// Keys by their full folded path ("hkey_local_machine\system\..."), values by
// their folded name ("" for the default value).
using Store = std::map<std::string, std::map<std::string, Value>>;

std::string Folded(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(layer::Cp1252ToLower(static_cast<unsigned char>(c)));
  return out;
}

const char* RootName(HKEY root) {
  if (root == HKEY_CLASSES_ROOT) return "hkey_classes_root";
  if (root == HKEY_CURRENT_USER) return "hkey_current_user";
  if (root == HKEY_LOCAL_MACHINE) return "hkey_local_machine";
  if (root == HKEY_USERS) return "hkey_users";
  return nullptr;
}

// "HKLM\A\\B\" and "hkey_local_machine\a\b" name the same key.
std::string KeyPath(std::string_view text) {
  std::string path;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('\\', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string part = Folded(text.substr(pos, end - pos));
    pos = end + 1;
    if (part.empty()) continue;
    if (path.empty()) {
      if (part == "hkcr") part = "hkey_classes_root";
      if (part == "hkcu") part = "hkey_current_user";
      if (part == "hklm") part = "hkey_local_machine";
      if (part == "hku") part = "hkey_users";
    }
    path += (path.empty() ? "" : "\\") + part;
  }
  return path;
}

Value Text(DWORD type, const std::string& text) { return {type, text + std::string(1, '\0')}; }

Value MultiText(const std::string& list) {
  std::string bytes;
  size_t pos = 0;
  while (pos < list.size()) {
    size_t end = list.find('|', pos);
    if (end == std::string::npos) end = list.size();
    bytes += list.substr(pos, end - pos) + std::string(1, '\0');
    pos = end + 1;
  }
  if (bytes.empty()) bytes = std::string(1, '\0');  // an empty list is an empty text and the closing NUL
  return {REG_MULTI_SZ, bytes + std::string(1, '\0')};
}

std::string DesktopOpener() {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/bin:/bin";
  size_t pos = 0;
  while (pos <= folders.size()) {
    size_t end = folders.find(':', pos);
    if (end == std::string::npos) end = folders.size();
    std::string candidate = folders.substr(pos, end - pos) + "/xdg-open";
    pos = end + 1;
    if (std::ifstream(candidate).good()) return candidate;
  }
  return "";
}

void AddDefaults(Store& store) {
  store[KeyPath("HKLM\\System\\CurrentControlSet\\Control\\ProductOptions")] = {
      {"producttype", Text(REG_SZ, "WinNT")}, {"productsuite", MultiText("")}};
  store[KeyPath("HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion")] = {
      {"systemroot", Text(REG_SZ, layer::Utf8ToCp1252(layer::WindowsFolder()))}};
  if (std::string opener = DesktopOpener(); !opener.empty()) {
    store[KeyPath("HKCR\\.pdf")] = {{"", Text(REG_SZ, "pdffile")}};
    store[KeyPath("HKCR\\pdffile\\shell\\open\\command")] = {
        {"", Text(REG_SZ, "\"" + layer::Utf8ToCp1252(opener) + "\" \"%1\"")}};
  }
}

bool ParseValue(const std::string& text, Value& value) {
  size_t colon = text.find(':');
  if (colon == std::string::npos) return false;
  std::string kind = Folded(text.substr(0, colon));
  std::string data = layer::Utf8ToCp1252(text.substr(colon + 1));
  if (kind == "sz") value = Text(REG_SZ, data);
  else if (kind == "expand") value = Text(REG_EXPAND_SZ, data);
  else if (kind == "multi") value = MultiText(data);
  else if (kind == "dword") {
    char* end = nullptr;
    unsigned long number = std::strtoul(data.c_str(), &end, 0);
    if (data.empty() || *end != '\0' || number > 0xFFFFFFFFul) return false;
    DWORD dword = static_cast<DWORD>(number);
    value = {REG_DWORD, std::string(reinterpret_cast<const char*>(&dword), sizeof dword)};
  } else {
    return false;
  }
  return true;
}

void AddStoreFile(Store& store) {
  std::ifstream in(layer::RegistryStorePath(), std::ios::binary);
  std::string line;
  std::string key;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      key = close == std::string::npos ? "" : KeyPath(layer::Utf8ToCp1252(line.substr(1, close - 1)));
      if (!key.empty()) store[key];
      continue;
    }
    size_t equals = line.find('=');
    Value value;
    if (key.empty() || equals == std::string::npos || !ParseValue(line.substr(equals + 1), value)) continue;
    std::string name = Folded(layer::Utf8ToCp1252(line.substr(0, equals)));
    store[key][name == "@" ? "" : name] = value;
  }
}

Store LoadStore() {
  Store store;
  AddDefaults(store);
  AddStoreFile(store);
  return store;
}

bool KeyExists(const Store& store, const std::string& path) {
  auto found = store.lower_bound(path);
  if (found == store.end()) return false;
  return found->first == path || found->first.starts_with(path + "\\");
}

std::mutex keysMutex;
std::map<HKEY, std::string> openKeys;
ULONG_PTR nextKey = 0x1000;

bool PathOf(HKEY key, std::string& path) {
  if (const char* root = RootName(key)) {
    path = root;
    return true;
  }
  std::lock_guard<std::mutex> lock(keysMutex);
  auto found = openKeys.find(key);
  if (found == openKeys.end()) return false;
  path = found->second;
  return true;
}

}  // namespace

LONG RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD, REGSAM, PHKEY result) {
  std::string path;
  if (!result || !PathOf(key, path)) return ERROR_INVALID_HANDLE;
  if (subKey && *subKey) path = KeyPath(path + "\\" + subKey);
  if (path.find('\\') != std::string::npos && !KeyExists(LoadStore(), path)) return ERROR_FILE_NOT_FOUND;
  std::lock_guard<std::mutex> lock(keysMutex);
  nextKey += 4;
  *result = reinterpret_cast<HKEY>(nextKey);
  openKeys[*result] = path;
  return ERROR_SUCCESS;
}

LONG RegOpenKey(HKEY key, LPCSTR subKey, PHKEY result) { return RegOpenKeyEx(key, subKey, 0, KEY_READ, result); }

LONG RegQueryValueEx(HKEY key, LPCSTR valueName, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
  std::string path;
  if (!PathOf(key, path)) return ERROR_INVALID_HANDLE;
  if (data && !size) return ERROR_INVALID_PARAMETER;
  Store store = LoadStore();
  auto values = store.find(path);
  if (values == store.end()) return ERROR_FILE_NOT_FOUND;
  auto value = values->second.find(Folded(valueName ? valueName : ""));
  if (value == values->second.end()) return ERROR_FILE_NOT_FOUND;
  const std::string& bytes = value->second.bytes;
  if (type) *type = value->second.type;
  if (!data) {
    if (size) *size = static_cast<DWORD>(bytes.size());
    return ERROR_SUCCESS;
  }
  bool fits = *size >= bytes.size();
  *size = static_cast<DWORD>(bytes.size());
  if (!fits) return ERROR_MORE_DATA;
  std::memcpy(data, bytes.data(), bytes.size());
  return ERROR_SUCCESS;
}

LONG RegQueryValue(HKEY key, LPCSTR subKey, LPSTR value, PLONG size) {
  HKEY opened = nullptr;
  if (LONG result = RegOpenKeyEx(key, subKey, 0, KEY_QUERY_VALUE, &opened); result != ERROR_SUCCESS) return result;
  DWORD type = 0;
  DWORD bytes = size && *size > 0 ? static_cast<DWORD>(*size) : 0;
  LONG result = RegQueryValueEx(opened, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(value), &bytes);
  RegCloseKey(opened);
  if (result == ERROR_FILE_NOT_FOUND) {  // a key without a default value reads as empty text
    bytes = 1;
    result = value && size && *size >= 1 ? (value[0] = '\0', ERROR_SUCCESS) : ERROR_MORE_DATA;
    if (!value) result = ERROR_SUCCESS;
  } else if (result == ERROR_SUCCESS && type != REG_SZ && type != REG_EXPAND_SZ) {
    return ERROR_INVALID_DATA;
  }
  if (size) *size = static_cast<LONG>(bytes);
  return result;
}

LONG RegCloseKey(HKEY key) {
  if (RootName(key)) return ERROR_SUCCESS;
  std::lock_guard<std::mutex> lock(keysMutex);
  return openKeys.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

namespace layer {

std::string RegistryStorePath() {
  if (const char* path = std::getenv("VARNO_REGISTRY"); path && *path) return path;
  return UserConfigFolder() + "/registry.txt";
}

}  // namespace layer
