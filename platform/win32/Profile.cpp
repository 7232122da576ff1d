#include "win32/Profile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "win32/Errors.h"
#include "win32/Mbstring.h"
#include "win32/Printers.h"
#include "win32/SystemInfo.h"

namespace {

bool SameName(const std::string& a, const std::string& b) {
  return _mbsicmp(reinterpret_cast<const unsigned char*>(a.c_str()), reinterpret_cast<const unsigned char*>(b.c_str())) == 0;
}

std::string Trimmed(std::string text) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.back())) text.pop_back();
  std::size_t start = 0;
  while (start < text.size() && blank(text[start])) ++start;
  return text.substr(start);
}

// A value as the profile hands it out: without blanks around it and without
// one pair of quotes around it.
std::string Unquoted(std::string value) {
  value = Trimmed(std::move(value));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return value;
}

// The profile file: sections of key lines, other lines kept as they are.
class ProfileFile {
 public:
  struct Line {
    std::string key;  // empty for a line that is no entry
    std::string text;
  };
  struct Section {
    std::string name;
    std::vector<Line> lines;
  };

  static std::string Path() { return layer::WindowsFolder() + "/win.ini"; }

  static ProfileFile Read() {
    ProfileFile file;
    std::ifstream in(Path(), std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t start = 0;
    while (start < content.size()) {
      std::size_t end = content.find('\n', start);
      std::string line = content.substr(start, end == std::string::npos ? std::string::npos : end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      file.Add(line);
      if (end == std::string::npos) break;
      start = end + 1;
    }
    return file;
  }

  // Writes the whole file beside the old one and moves it over it.
  bool Write() const {
    std::string content;
    for (const Section& section : m_sections) {
      if (!section.name.empty()) content += "[" + section.name + "]\r\n";
      for (const Line& line : section.lines) content += line.text + "\r\n";
    }
    std::string path = Path(), temporary = path + ".new";
    {
      std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
      out << content;
      out.flush();
      if (!out) {
        std::filesystem::remove(temporary);
        return false;
      }
    }
    std::error_code failed;
    std::filesystem::rename(temporary, path, failed);
    if (failed) std::filesystem::remove(temporary, failed);
    return !failed;
  }

  Section* Find(const std::string& name) {
    for (Section& section : m_sections)
      if (!section.name.empty() && SameName(section.name, name)) return &section;
    return nullptr;
  }
  const Line* Entry(const std::string& section, const std::string& key) {
    Section* found = Find(section);
    if (!found) return nullptr;
    for (const Line& line : found->lines)
      if (!line.key.empty() && SameName(line.key, key)) return &line;
    return nullptr;
  }
  std::vector<std::string> SectionNames() const {
    std::vector<std::string> names;
    for (const Section& section : m_sections)
      if (!section.name.empty()) names.push_back(section.name);
    return names;
  }

  void Set(const std::string& section, const std::string& key, const std::string& value) {
    Section* found = Find(section);
    if (!found) {
      m_sections.push_back(Section{section, {}});
      found = &m_sections.back();
    }
    for (Line& line : found->lines) {
      if (!line.key.empty() && SameName(line.key, key)) {
        line.text = line.key + "=" + value;
        return;
      }
    }
    found->lines.push_back(Line{key, key + "=" + value});
  }
  void RemoveKey(const std::string& section, const std::string& key) {
    if (Section* found = Find(section))
      std::erase_if(found->lines, [&](const Line& line) { return !line.key.empty() && SameName(line.key, key); });
  }
  void RemoveSection(const std::string& section) {
    std::erase_if(m_sections, [&](const Section& s) { return !s.name.empty() && SameName(s.name, section); });
  }

 private:
  void Add(const std::string& line) {
    std::string trimmed = Trimmed(line);
    if (m_sections.empty()) m_sections.push_back(Section{});  // lines before the first section
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.find(']') != std::string::npos) {
      m_sections.push_back(Section{Trimmed(trimmed.substr(1, trimmed.find(']') - 1)), {}});
      return;
    }
    std::size_t equals = line.find('=');
    std::string key = equals == std::string::npos || trimmed.starts_with(";") ? "" : Trimmed(line.substr(0, equals));
    m_sections.back().lines.push_back(Line{key, line});
  }

  std::vector<Section> m_sections;
};

std::mutex& FileLock() {
  static std::mutex lock;
  return lock;
}

// The printer entries the spooler answers for itself.
enum class PrinterSection { None, Devices, Ports };

PrinterSection PrinterSectionOf(const std::string& section) {
  if (SameName(section, "devices")) return PrinterSection::Devices;
  if (SameName(section, "PrinterPorts")) return PrinterSection::Ports;
  return PrinterSection::None;
}

std::string PrinterEntry(PrinterSection section, const layer::PrinterDescription& printer) {
  std::string entry = "winspool," + printer.port;
  return section == PrinterSection::Ports ? entry + ",15,45" : entry;
}

// What a section and key read as; nothing when missing.
std::optional<std::string> ValueOf(const std::string& section, const std::string& key) {
  if (SameName(section, "windows") && SameName(key, "device")) {
    layer::PrinterDescription printer = layer::DefaultPrinter();
    return printer.name + ",winspool," + printer.port;
  }
  if (PrinterSection kind = PrinterSectionOf(section); kind != PrinterSection::None) {
    if (auto printer = layer::FindPrinter(key)) return PrinterEntry(kind, *printer);
    return std::nullopt;
  }
  std::lock_guard<std::mutex> hold(FileLock());
  ProfileFile file = ProfileFile::Read();
  if (const ProfileFile::Line* line = file.Entry(section, key))
    return Unquoted(line->text.substr(line->text.find('=') + 1));
  return std::nullopt;
}

std::vector<std::string> KeysOf(const std::string& section) {
  std::vector<std::string> keys;
  if (PrinterSectionOf(section) != PrinterSection::None) {
    for (const auto& printer : layer::Printers()) keys.push_back(printer.name);
    return keys;
  }
  std::lock_guard<std::mutex> hold(FileLock());
  ProfileFile file = ProfileFile::Read();
  if (ProfileFile::Section* found = file.Find(section)) {
    for (const auto& line : found->lines)
      if (!line.key.empty()) keys.push_back(line.key);
  }
  if (SameName(section, "windows") &&
      std::none_of(keys.begin(), keys.end(), [](const std::string& k) { return SameName(k, "device"); }))
    keys.push_back("device");
  return keys;
}

std::vector<std::string> SectionNames() {
  std::lock_guard<std::mutex> hold(FileLock());
  std::vector<std::string> names = ProfileFile::Read().SectionNames();
  for (const char* own : {"windows", "devices", "PrinterPorts"})
    if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return SameName(n, own); }))
      names.push_back(own);
  return names;
}

// Copies one value, cut to the buffer; returns the length copied.
DWORD CopyValue(const std::string& value, LPSTR buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  DWORD length = static_cast<DWORD>(std::min<std::size_t>(value.size(), size - 1));
  std::memcpy(buffer, value.data(), length);
  buffer[length] = '\0';
  return length;
}

// Copies names, each ending in NUL and the list in one more NUL; a list cut
// to the buffer counts size - 2.
DWORD CopyList(const std::vector<std::string>& names, LPSTR buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  if (size == 1) {
    buffer[0] = '\0';
    return 0;
  }
  std::string list;
  for (const std::string& name : names) list += name + '\0';
  if (list.size() + 1 > size) {
    std::memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
  }
  std::memcpy(buffer, list.data(), list.size());
  buffer[list.size()] = '\0';
  if (list.empty() && size > 1) buffer[1] = '\0';
  return static_cast<DWORD>(list.size());
}

}  // namespace

DWORD GetProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size) {
  if (!section) return CopyList(SectionNames(), buffer, size);
  if (!key) return CopyList(KeysOf(section), buffer, size);
  std::optional<std::string> value = ValueOf(section, key);
  return CopyValue(value ? *value : Trimmed(defaultValue ? defaultValue : ""), buffer, size);
}

UINT GetProfileInt(LPCSTR section, LPCSTR key, INT defaultValue) {
  if (!section || !key) return static_cast<UINT>(defaultValue);
  std::optional<std::string> value = ValueOf(section, key);
  if (!value) return static_cast<UINT>(defaultValue);
  const char* text = value->c_str();
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  unsigned long long number = 0;
  while (*text >= '0' && *text <= '9' && number <= 0xFFFFFFFFull) number = number * 10 + static_cast<unsigned>(*text++ - '0');
  if (negative) return 0;
  return static_cast<UINT>(std::min<unsigned long long>(number, 0xFFFFFFFFull));
}

BOOL WriteProfileString(LPCSTR section, LPCSTR key, LPCSTR value) {
  if (!section) return TRUE;  // nothing is cached: the file is always up to date
  if (PrinterSectionOf(section) != PrinterSection::None) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  std::lock_guard<std::mutex> hold(FileLock());
  ProfileFile file = ProfileFile::Read();
  if (!key) file.RemoveSection(section);
  else if (!value) file.RemoveKey(section, key);
  else file.Set(section, key, value);
  if (!file.Write()) {
    SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
  }
  return TRUE;
}

namespace layer {

std::string ProfileFileValue(const std::string& section, const std::string& key) {
  std::lock_guard<std::mutex> hold(FileLock());
  ProfileFile file = ProfileFile::Read();
  const ProfileFile::Line* line = file.Entry(section, key);
  return line ? Unquoted(line->text.substr(line->text.find('=') + 1)) : std::string();
}

}  // namespace layer
