#include "ipc/WindowDescription.h"

#include <atomic>

namespace layer::ipc {
namespace {

std::atomic<WindowDescriber>& Installed() {
  static std::atomic<WindowDescriber> describer{nullptr};
  return describer;
}

}  // namespace

void InstallWindowDescriber(WindowDescriber describer) { Installed() = describer; }

std::string DescribeOwnWindow(HWND window) {
  WindowDescriber describer = Installed();
  return describer ? describer(window) : std::string();
}

std::string EscapeField(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char c : utf8) {
    switch (c) {
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out;
}

std::string UnescapeField(const std::string& field) {
  std::string out;
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\' || i + 1 == field.size()) {
      out += field[i];
      continue;
    }
    char next = field[++i];
    out += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
  }
  return out;
}

std::string DescriptionLine(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i) line += '\t';
    line += EscapeField(fields[i]);
  }
  return line + '\n';
}

std::vector<std::string> SplitDescriptionLine(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    std::size_t tab = line.find('\t', start);
    fields.push_back(UnescapeField(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start)));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

}  // namespace layer::ipc
