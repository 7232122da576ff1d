#include "whereused/WhereUsedCommandLine.h"

#include <cstdlib>
#include <cstring>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

enum class State { between, skipping, name, beforeValue, value };

}  // namespace

void WhereUsedCommandLine::Parse(const char* line) {
  State state = State::between;
  CString name;
  CString value;
  CString* target = nullptr;  // the option that takes the value; null: the column
  bool quoted = false;
  auto store = [&] {
    if (target != nullptr) {
      *target = value;
    } else {
      column = std::atoi(value);
    }
  };
  auto takeOption = [&] {
    struct Option {
      const char* name;
      CString* target;
    };
    const Option options[] = {{"P", &ini},     {"D", &data},     {"S", &section},
                              {"MMF", &block}, {"L", &language}, {"M", &message}};
    for (const Option& option : options) {
      if (name == option.name) {
        target = option.target;
        return State::beforeValue;
      }
    }
    if (name == "GK") {
      caseSensitive = TRUE;
      return State::between;
    }
    if (name == "C") {
      target = nullptr;
      return State::beforeValue;
    }
    return State::between;
  };

  const char* c = line != nullptr ? line : "";
  while (*c != '\0') {
    switch (state) {
      case State::between:
        if (IsBlank(*c)) {
          ++c;
        } else {
          state = State::skipping;
        }
        break;
      case State::skipping:
        if (*c == '-') {
          name.Empty();
          state = State::name;
        }
        ++c;
        break;
      case State::name:
        if (IsBlank(*c)) {
          state = takeOption();
        } else {
          name += *c;
        }
        ++c;
        break;
      case State::beforeValue:
        if (IsBlank(*c)) {
          ++c;
        } else if (*c == '\'') {
          value.Empty();
          quoted = true;
          state = State::value;
          ++c;
        } else if (*c == '-') {
          state = State::skipping;  // the option keeps no value
        } else {
          value.Empty();
          state = State::value;
        }
        break;
      case State::value:
        if (*c == '\'') {
          quoted = false;
        } else if (IsBlank(*c) && !quoted) {
          store();
          state = State::between;
        } else {
          value += *c;
        }
        ++c;
        break;
    }
  }
  if (state == State::value) store();
}

const char* WhereUsedCommandLine::MissingOption() const {
  if (ini.IsEmpty()) return "V4VNW.EXE -P varno4.ini !";
  if (language.IsEmpty()) return "V4VNW.EXE -L lang !";
  if (message.IsEmpty()) return "V4VNW.EXE -M msg !";
  if (section.IsEmpty()) return "V4VNW.EXE -S section !";
  if (data.IsEmpty()) return "V4VNW.EXE -D vnw.bin !";
  return nullptr;
}
