#include "win32/Version.h"

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "win32/Codepage.h"
#include "win32/Errors.h"
#include "win32/Paths.h"

// The block that GetFileVersionInfo hands out is the layer's own: a header
// (signature, whole size), the fixed record, the translations and then the
// strings as key, NUL, value, NUL, closed by an empty key. VerQueryValue reads
// only inside the size the header states.

namespace {

constexpr DWORD kBlockSignature = 0x56524E56;  // "VNRV"
constexpr size_t kLongestText = 64 * 1024;
constexpr size_t kMostSections = 4096;

struct BlockHeader {
  DWORD signature;
  DWORD size;
  VS_FIXEDFILEINFO fixed;
  DWORD translationCount;
};

class Descriptor {
 public:
  explicit Descriptor(const std::string& path) : m_fd(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~Descriptor() {
    if (m_fd >= 0) close(m_fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  bool Read(void* into, size_t size, unsigned long long offset) const {
    return m_fd >= 0 && pread(m_fd, into, size, static_cast<off_t>(offset)) == static_cast<ssize_t>(size);
  }
  unsigned long long Size() const {
    struct stat st;
    return m_fd >= 0 && fstat(m_fd, &st) == 0 ? static_cast<unsigned long long>(st.st_size) : 0;
  }

 private:
  int m_fd;
};

bool Within(unsigned long long offset, unsigned long long size, unsigned long long total) {
  return offset <= total && size <= total - offset;
}

// The text of the version section of an ELF file, or "" when it has none.
std::string VersionSection(const std::string& path) {
  Descriptor file(path);
  unsigned long long total = file.Size();
  Elf64_Ehdr header;
  if (!file.Read(&header, sizeof header, 0) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
      header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_shentsize != sizeof(Elf64_Shdr) ||
      header.e_shnum == 0 || header.e_shnum > kMostSections || header.e_shstrndx >= header.e_shnum ||
      !Within(header.e_shoff, static_cast<unsigned long long>(header.e_shnum) * sizeof(Elf64_Shdr), total))
    return "";
  std::vector<Elf64_Shdr> sections(header.e_shnum);
  if (!file.Read(sections.data(), sections.size() * sizeof(Elf64_Shdr), header.e_shoff)) return "";
  const Elf64_Shdr& names = sections[header.e_shstrndx];
  if (!Within(names.sh_offset, names.sh_size, total) || names.sh_size > kLongestText) return "";
  std::string nameText(names.sh_size, '\0');
  if (!file.Read(nameText.data(), nameText.size(), names.sh_offset)) return "";
  for (const Elf64_Shdr& section : sections) {
    if (section.sh_name >= nameText.size() || std::strcmp(nameText.c_str() + section.sh_name, ".varno_version") != 0)
      continue;
    if (section.sh_type == SHT_NOBITS || !Within(section.sh_offset, section.sh_size, total) ||
        section.sh_size > kLongestText)
      return "";
    std::string text(section.sh_size, '\0');
    if (!file.Read(text.data(), text.size(), section.sh_offset)) return "";
    return text.substr(0, text.find('\0'));
  }
  return "";
}

void ParseVersion(const std::string& text, DWORD& high, DWORD& low) {
  DWORD parts[4] = {};
  const char* at = text.c_str();
  for (DWORD& part : parts) {
    while (*at == ' ' || *at == ',' || *at == '.') ++at;
    char* end = nullptr;
    part = static_cast<DWORD>(std::strtoul(at, &end, 10)) & 0xFFFF;
    if (end == at) break;
    at = end;
  }
  high = (parts[0] << 16) | parts[1];
  low = (parts[2] << 16) | parts[3];
}

std::vector<DWORD> ParseTranslations(const std::string& text) {
  std::vector<DWORD> pairs;
  std::vector<DWORD> numbers;
  const char* at = text.c_str();
  while (*at) {
    char* end = nullptr;
    unsigned long number = std::strtoul(at, &end, 16);
    if (end == at) {
      ++at;
      continue;
    }
    numbers.push_back(static_cast<DWORD>(number & 0xFFFF));
    at = end;
  }
  for (size_t i = 0; i + 1 < numbers.size(); i += 2) pairs.push_back(numbers[i] | (numbers[i + 1] << 16));
  return pairs;
}

std::string BuildBlock(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> strings;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0) continue;
    strings.emplace_back(line.substr(0, equals), layer::Utf8ToCp1252(line.substr(equals + 1)));
  }
  BlockHeader header{};
  header.signature = kBlockSignature;
  VS_FIXEDFILEINFO& fixed = header.fixed;
  fixed.dwSignature = VS_FFI_SIGNATURE;
  fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
  fixed.dwFileFlagsMask = 0x3F;
  fixed.dwFileOS = VOS__WINDOWS32;
  fixed.dwFileType = VFT_APP;
  std::vector<DWORD> translations{0x04E40409};
  std::string body;
  bool productVersionGiven = false;
  for (const auto& [key, value] : strings) {
    if (key == "Translation") {
      if (auto parsed = ParseTranslations(value); !parsed.empty()) translations = parsed;
      continue;
    }
    if (key == "FileVersion") ParseVersion(value, fixed.dwFileVersionMS, fixed.dwFileVersionLS);
    if (key == "ProductVersion") {
      ParseVersion(value, fixed.dwProductVersionMS, fixed.dwProductVersionLS);
      productVersionGiven = true;
    }
    body += key + '\0' + value + '\0';
  }
  body += '\0';
  if (!productVersionGiven) {
    fixed.dwProductVersionMS = fixed.dwFileVersionMS;
    fixed.dwProductVersionLS = fixed.dwFileVersionLS;
  }
  header.translationCount = static_cast<DWORD>(translations.size());
  std::string block(reinterpret_cast<const char*>(&header), sizeof header);
  block.append(reinterpret_cast<const char*>(translations.data()), translations.size() * sizeof(DWORD));
  block += body;
  DWORD size = static_cast<DWORD>(block.size());
  std::memcpy(block.data() + offsetof(BlockHeader, size), &size, sizeof size);
  return block;
}

std::string BlockOf(LPCSTR fileName) {
  if (!fileName) return "";
  std::string text = VersionSection(layer::HostPath(fileName));
  return text.empty() ? "" : BuildBlock(text);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (layer::Cp1252ToLower(static_cast<unsigned char>(a[i])) != layer::Cp1252ToLower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

BOOL NotFound() {
  SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
  return FALSE;
}

}  // namespace

DWORD GetFileVersionInfoSize(LPCSTR fileName, LPDWORD handle) {
  if (handle) *handle = 0;
  std::string block = BlockOf(fileName);
  if (block.empty()) return NotFound();
  return static_cast<DWORD>(block.size());
}

BOOL GetFileVersionInfo(LPCSTR fileName, DWORD, DWORD length, LPVOID data) {
  std::string block = BlockOf(fileName);
  if (block.empty()) return NotFound();
  if (!data || length < block.size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(data, block.data(), block.size());
  return TRUE;
}

BOOL VerQueryValue(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, UINT* length) {
  if (!block || !subBlock || !buffer || !length) return NotFound();
  BlockHeader header;
  std::memcpy(&header, block, sizeof header);
  if (header.signature != kBlockSignature || header.size < sizeof header ||
      header.translationCount > (header.size - sizeof header) / sizeof(DWORD))
    return NotFound();
  auto* bytes = static_cast<const char*>(block);
  const char* translations = bytes + sizeof header;
  std::string_view query(subBlock);
  while (query.size() > 1 && query.back() == '\\') query.remove_suffix(1);
  if (query == "\\" || query.empty()) {
    *buffer = const_cast<char*>(bytes + offsetof(BlockHeader, fixed));
    *length = sizeof(VS_FIXEDFILEINFO);
    return TRUE;
  }
  if (EqualsIgnoringCase(query, "\\VarFileInfo\\Translation")) {
    *buffer = const_cast<char*>(translations);
    *length = header.translationCount * sizeof(DWORD);
    return TRUE;
  }
  constexpr std::string_view prefix = "\\StringFileInfo\\";
  if (query.size() < prefix.size() + 10 || !EqualsIgnoringCase(query.substr(0, prefix.size()), prefix) ||
      query[prefix.size() + 8] != '\\')
    return NotFound();
  std::string_view table = query.substr(prefix.size(), 8);
  std::string_view key = query.substr(prefix.size() + 9);
  bool known = false;
  for (DWORD i = 0; i < header.translationCount && !known; ++i) {
    DWORD pair;
    std::memcpy(&pair, translations + i * sizeof(DWORD), sizeof pair);
    char name[9];
    std::snprintf(name, sizeof name, "%04x%04x", pair & 0xFFFF, pair >> 16);
    known = EqualsIgnoringCase(table, name);
  }
  if (!known) return NotFound();
  const char* end = bytes + header.size;
  const char* at = translations + header.translationCount * sizeof(DWORD);
  while (at < end && *at) {
    const char* keyEnd = static_cast<const char*>(std::memchr(at, '\0', static_cast<size_t>(end - at)));
    if (!keyEnd || keyEnd + 1 >= end) break;
    const char* value = keyEnd + 1;
    const char* valueEnd = static_cast<const char*>(std::memchr(value, '\0', static_cast<size_t>(end - value)));
    if (!valueEnd) break;
    if (EqualsIgnoringCase(std::string_view(at, static_cast<size_t>(keyEnd - at)), key)) {
      *buffer = const_cast<char*>(value);
      *length = static_cast<UINT>(valueEnd - value + 1);
      return TRUE;
    }
    at = valueEnd + 1;
  }
  SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
  return FALSE;
}
