#include "VodPaths.h"

#include <vector>

#include "VodContext.h"
#include "VodReport.h"
#include "VodSettings.h"
#include "VodStrings.h"
#include "win32/Files.h"

namespace vod {
namespace {

// The host's "/" separates folders as the platform's "\" does.
constexpr const char* kSeparators = "\\/:";

bool Readable(const std::string& name) {
  DWORD attributes = GetFileAttributes(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The text being expanded, with the nesting depth of each of its characters:
// 0 for the caller's text, one more than the placeholder's for the characters
// of a value put in its place.
struct DepthText {
  std::string text;
  std::vector<int> depths;
};

// Replaces the first placeholder; false when it is not closed, has no value
// or lies deeper than a value may nest.
bool ExpandFirst(VodContext& context, DepthText& expanding) {
  std::string& text = expanding.text;
  size_t open = text.find('%');
  size_t close = open == std::string::npos ? open : text.find('%', open + 1);
  if (close == std::string::npos) return false;
  const int depth = expanding.depths[open] + 1;
  if (depth > kPlaceholderDepth) return false;
  std::string key = text.substr(open + 1, close - open - 1);
  UpperCaseAscii(key);
  std::string value = ReadVodKey(context, nullptr, key.c_str(), "").substr(0, 260);
  if (value.empty()) return false;
  if (value.back() == ';') value.pop_back();
  std::string rest = text.substr(close + 1);
  if (!value.empty() && value.back() == '\\' && !rest.empty() && rest[0] == '\\') value.pop_back();
  text = text.substr(0, open) + value + rest;
  std::vector<int>& depths = expanding.depths;
  depths.erase(depths.begin() + static_cast<std::ptrdiff_t>(open), depths.begin() + static_cast<std::ptrdiff_t>(close) + 1);
  depths.insert(depths.begin() + static_cast<std::ptrdiff_t>(open), value.size(), depth);
  return true;
}

}  // namespace

// The number of placeholders is not limited, only how deep values nest and
// how long the text grows, so that a value naming itself ends.
bool ExpandIniPlaceholder(VodContext& context, std::string& text) {
  DepthText expanding{text, std::vector<int>(text.size(), 0)};
  while (expanding.text.find('%') != std::string::npos) {
    if (!ExpandFirst(context, expanding) || expanding.text.size() > kExpandedLimit) return false;
  }
  text = expanding.text;
  return true;
}

std::string ResolveRoot(VodContext& context, const std::string& name) {
  std::string upper = name;
  UpperCaseAscii(upper);
  std::string expanded = name;
  if (upper.find("%VOD_ROOT%") != std::string::npos && ExpandIniPlaceholder(context, expanded)) return expanded;
  return name;
}

std::optional<std::string> ResolveVodPath(VodContext& context, const std::string& name,
                                          const std::string& referring) {
  if (name.empty() || name.find_first_of(kSeparators) != std::string::npos) return std::nullopt;
  std::string rooted = "%VOD_ROOT%" + name;
  if (ExpandIniPlaceholder(context, rooted)) return rooted;
  size_t separator = referring.find_last_of(kSeparators);
  if (separator == std::string::npos) return std::nullopt;
  return referring.substr(0, separator + 1) + name;
}

bool FileExists(VodContext& context, const std::string& name, const std::string& referring, std::string& resolved) {
  resolved.clear();
  if (Readable(name)) return true;
  std::optional<std::string> completed = ResolveVodPath(context, name, referring);
  if (!completed || !Readable(*completed)) return false;
  resolved = *completed;
  return true;
}

std::string ReferringScript(const VodContext& context) {
  return context.scripts.empty() ? context.scriptPath : context.scripts.back().name;
}

std::unique_ptr<VodFile> OpenFile(VodContext& context, const std::string& name, const char* mode, int errorText,
                                  const std::string& referring, bool ask) {
  char letter = mode ? mode[0] : '\0';
  if (letter != 'r' && letter != 'w') {
    ReportErrorText(context, errorText, name, ask);
    return nullptr;
  }
  std::string path = name;
  if (letter == 'r') {
    std::string resolved;
    if (!FileExists(context, name, referring, resolved)) {
      ReportErrorText(context, errorText, name, ask);
      return nullptr;
    }
    if (!resolved.empty()) path = resolved;
  }
  DWORD error = 0;
  std::unique_ptr<VodFile> file = VodFile::OpenRetry(path, letter, &error);
  if (!file) ReportErrorText(context, 290, path, ask);
  return file;
}

}  // namespace vod
