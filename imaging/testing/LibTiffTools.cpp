#include "imaging/testing/LibTiffTools.h"

#include <cctype>
#include <cstdio>
#include <regex>

namespace imaging::testing {

namespace {

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

std::optional<int> NumberAfter(const std::string& text, const std::string& label) {
  std::smatch match;
  if (!std::regex_search(text, match, std::regex(label + R"(:\s*(\d+))"))) return std::nullopt;
  return std::stoi(match[1]);
}

}  // namespace

std::optional<std::string> RunTool(const std::string& command) {
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return std::nullopt;
  std::string out;
  char chunk[65536];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) out.append(chunk, got);
  if (pclose(pipe) != 0) return std::nullopt;
  return out;
}

std::optional<Bilevel> DecodeWithLibTiff(const std::string& tiffPath, const std::string& scratchPath) {
  if (!RunTool("tiffcp -c none -r 1000000 " + Quoted(tiffPath) + " " + Quoted(scratchPath))) return std::nullopt;
  std::optional<std::string> dump = RunTool("tiffinfo -d " + Quoted(scratchPath));
  if (!dump) return std::nullopt;
  auto width = NumberAfter(*dump, "Image Width");
  auto height = NumberAfter(*dump, "Image Length");
  std::size_t strip = dump->find("Strip 0:");
  if (!width || !height || strip == std::string::npos) return std::nullopt;

  Bilevel image(*width, *height);
  const std::size_t rowBytes = (*width + 7) / 8;
  const std::size_t total = rowBytes * *height;
  std::size_t byte = 0;
  for (std::size_t i = strip + 8; i + 1 < dump->size() && byte < total; ++i) {
    if (!std::isxdigit(static_cast<unsigned char>((*dump)[i])) ||
        !std::isxdigit(static_cast<unsigned char>((*dump)[i + 1])))
      continue;
    unsigned value = static_cast<unsigned>(std::stoul(dump->substr(i, 2), nullptr, 16));
    int y = static_cast<int>(byte / rowBytes);
    int x0 = static_cast<int>(byte % rowBytes) * 8;
    for (int bit = 0; bit < 8 && x0 + bit < *width; ++bit) image.At(x0 + bit, y) = (value >> (7 - bit)) & 1;
    ++byte;
    ++i;
  }
  if (byte != rowBytes * *height) return std::nullopt;
  return image;
}

bool RecodeWithLibTiff(const std::string& from, const std::string& to) {
  return RunTool("tiffcp " + Quoted(from) + " " + Quoted(to)).has_value();
}

}  // namespace imaging::testing
