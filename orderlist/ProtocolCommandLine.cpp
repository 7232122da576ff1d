#include "orderlist/ProtocolCommandLine.h"

#include <cstring>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::optional<CString>* OptionNamed(ProtocolCommandLine& line, const CString& name) {
  struct Option {
    const char* name;
    std::optional<CString> ProtocolCommandLine::*member;
  };
  static const Option kOptions[] = {
      {"DL", &ProtocolCommandLine::dataLanguage}, {"PL", &ProtocolCommandLine::programLanguage},
      {"DN", &ProtocolCommandLine::textsByNumber}, {"DC", &ProtocolCommandLine::textsByKey},
      {"TS", &ProtocolCommandLine::partsMaster},
  };
  for (const Option& option : kOptions)
    if (name.Compare(option.name) == 0) return &(line.*option.member);
  return nullptr;
}

}  // namespace

ProtocolCommandLine ProtocolCommandLine::Parse(const char* line) {
  enum class State { kBetween, kDash, kName, kBeforeValue, kValue };
  ProtocolCommandLine result;
  State state = State::kBetween;
  CString name, value;
  std::optional<CString>* option = nullptr;
  bool quoted = false;
  const size_t length = line ? std::strlen(line) : 0;
  for (size_t i = 0; i < length;) {
    char c = line[i];
    switch (state) {
      case State::kBetween:
        if (!IsBlank(c)) state = State::kDash;
        else ++i;
        break;
      case State::kDash:
        if (c == '-') {
          name.Empty();
          state = State::kName;
        }
        ++i;
        break;
      case State::kName:
        if (IsBlank(c)) {
          option = OptionNamed(result, name);
          state = option ? State::kBeforeValue : State::kBetween;
        } else {
          name += c;
          ++i;
        }
        break;
      case State::kBeforeValue:
        if (IsBlank(c)) {
          ++i;
        } else if (c == '-') {
          state = State::kDash;  // the option goes without a value
        } else {
          value.Empty();
          quoted = c == '\'';
          if (quoted) ++i;
          state = State::kValue;
        }
        break;
      case State::kValue:
        if (c == '\'') {
          quoted = !quoted;  // quotes are not kept
        } else if (IsBlank(c) && !quoted) {
          *option = value;
          state = State::kBetween;
        } else {
          value += c;
        }
        ++i;
        break;
    }
  }
  if (state == State::kValue) *option = value;
  return result;
}
