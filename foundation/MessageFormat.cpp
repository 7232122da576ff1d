#include "foundation/MessageFormat.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool IsFlagOrWidth(char c) { return std::strchr("-+ #0123456789.", c) != nullptr; }

// One conversion with its single argument, through the runtime's formatter,
// its flags and width reduced to what is safe for that argument's type.
std::string FormatOne(const std::string& spec, char conversion, const MessageArg& arg) {
  char buffer[64];
  if (conversion == 's') {
    const int needed = std::snprintf(nullptr, 0, (spec + 's').c_str(), arg.text);
    std::string out(static_cast<size_t>(needed > 0 ? needed : 0), '\0');
    std::snprintf(out.data(), out.size() + 1, (spec + 's').c_str(), arg.text);
    return out;
  }
  std::snprintf(buffer, sizeof buffer, (spec + conversion).c_str(), arg.number);
  return buffer;
}

}  // namespace

CString FormatMessageText(const char* format, std::initializer_list<MessageArg> args) {
  std::string out;
  auto next = args.begin();
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p != '%') {
      out += *p;
      continue;
    }
    if (p[1] == '%') {
      out += '%';
      ++p;
      continue;
    }
    std::string spec = "%";
    const char* q = p + 1;
    while (*q != '\0' && IsFlagOrWidth(*q) && spec.size() < 5) spec += *q++;
    while (*q == 'l' || *q == 'h') ++q;  // the argument's size is ours to choose
    const char conversion = *q;
    if (conversion == '\0') break;
    p = q;
    const bool wantsText = conversion == 's';
    const bool wantsNumber = std::strchr("diuxXc", conversion) != nullptr;
    if ((!wantsText && !wantsNumber) || next == args.end()) continue;
    const MessageArg& arg = *next++;
    if (arg.isText == wantsText) out += FormatOne(spec, conversion, arg);
  }
  return CString(out);
}
