// The statements that fill frames: DEFINE, VIEW, PRINT, SKIP, DATA and GRAF
// FRAME, SYNC, DEFAULT and CONNECT FRAME.
#include <strings.h>

#include <algorithm>
#include <cstring>

#include "VodContext.h"
#include "VodInterpreter.h"
#include "VodPaths.h"
#include "VodReport.h"
#include "VodStrings.h"

namespace vod {
namespace {

void CopyText(char* to, size_t size, const std::string& from) {
  size_t length = std::min(from.size(), size - 1);
  std::memcpy(to, from.data(), length);
  to[length] = '\0';
}

std::string FirstWordUpper(const std::string& text) {
  std::string_view rest = text;
  std::string word = NextWord(rest);
  UpperCaseAscii(word);
  return word;
}

bool EndsWithIgnoringCase(const std::string& text, const char* end) {
  size_t length = std::strlen(end);
  return text.size() >= length && strncasecmp(text.c_str() + text.size() - length, end, length) == 0;
}

}  // namespace

bool ParseContentKind(std::string& word, char& kind) {
  kind = 'T';
  size_t open = word.find('(');
  if (open == std::string::npos) return true;
  size_t close = word.find(')', open + 1);
  if (close == std::string::npos || close - open - 1 > 5) return false;
  std::string prefix = word.substr(open + 1, close - open - 1);
  UpperCaseAscii(prefix);
  static const std::pair<const char*, char> kKinds[] = {{"TEXT", 'T'}, {"VEC", 'V'}, {"TIFF", 'F'}, {"HPGL", 'H'},
                                                        {"CAP", 'P'},  {"CA3", '3'}, {"CA4", '4'}};
  for (const auto& [name, letter] : kKinds)
    if (prefix == name) kind = letter;
  word.erase(open, close - open + 1);
  return true;
}

// DEFINE

bool VodInterpreter::ParseDefine(Line& line) {
  DefineStatement statement;
  statement.frame = FrameWord(line);
  if (statement.frame.empty()) return SyntaxError(line, 4);
  for (std::string word = NextWord(line.rest); !word.empty(); word = NextWord(line.rest)) {
    UpperCaseAscii(word);
    auto number = [&](std::optional<int>& value, int repeatError, int zeroError) {
      if (value) return SyntaxError(line, repeatError);
      value = ParseInt(NextWord(line.rest));
      return *value != 0 || SyntaxError(line, zeroError);
    };
    auto text = [&](std::optional<std::string>& value, int repeatError) {
      if (value) return SyntaxError(line, repeatError);
      value = NextWord(line.rest);
      UpperCaseAscii(*value);
      return true;
    };
    bool ok = word == "LINE"        ? number(statement.line, 5, 6)
              : word == "DIVIDE"    ? number(statement.divide, 250, 251)
              : word == "SIZE"      ? number(statement.size, 7, 8)
              : word == "FONT"      ? text(statement.font, 9)
              : word == "ALIGNMENT" ? text(statement.alignment, 10)
                                    : SyntaxError(line, 2);
    if (!ok) return false;
  }
  return ApplyDefine(statement);
}

bool VodInterpreter::ApplyDefine(const DefineStatement& statement) {
  std::string echo = Echo(statement);
  return ForEachFrame(statement.frame, echo, [&](VodFrame& frame) {
    if (statement.divide) {
      if (*statement.divide < 1 || *statement.divide > 25) return StatementError(echo, 252);
      frame.divisions = static_cast<WORD>(*statement.divide);
    }
    int line = statement.line.value_or(1);
    if (line < 1 || line > kLineFonts) return StatementError(echo, 51);
    if (statement.size) {
      if (*statement.size < 4 || *statement.size > 50) return StatementError(echo, 52);
      frame.lineSize[line - 1] = static_cast<WORD>(*statement.size);
    }
    if (statement.alignment) {
      const std::string& alignment = *statement.alignment;
      char letter = alignment == "LEFT" ? 'L' : alignment == "RIGHT" ? 'R' : alignment == "CENTERED" ? 'Z' : 0;
      if (!letter) return StatementError(echo, 53);
      frame.flags[0] = letter;
    }
    if (statement.font) CopyText(frame.lineFont[line - 1], kFontNameSize, *statement.font);
    return m_context.model.AddBlockFont(frame) != nullptr;
  });
}

// VIEW FRAME

bool VodInterpreter::ParseViewFrame(Line& line) {
  ViewStatement statement;
  statement.frame = FrameWord(line);
  if (statement.frame.empty()) return SyntaxError(line, 4);
  std::string type = NextWord(line.rest);
  UpperCaseAscii(type);
  if (type == "STATIC") {
    statement.isStatic = true;
    type = NextWord(line.rest);
    UpperCaseAscii(type);
  }
  static const char* const kTypes[] = {"TIFF", "HPGL", "VEC", "CAP", "CA3", "CA4"};
  if (type.empty()) return SyntaxError(line, 13);
  auto known = std::find(std::begin(kTypes), std::end(kTypes), type);
  if (known == std::end(kTypes)) return SyntaxError(line, 2);
  statement.kind = static_cast<int>(known - std::begin(kTypes));
  statement.file = NextWord(line.rest);
  if (statement.file.empty()) return SyntaxError(line, 14);
  for (std::string word = NextWord(line.rest); !word.empty(); word = NextWord(line.rest)) {
    UpperCaseAscii(word);
    auto flag = [&](bool& value, int repeatError) {
      if (value) return SyntaxError(line, repeatError);
      return value = true;
    };
    bool ok = word == "XCEN"  ? flag(statement.xcen, 15)
              : word == "YCEN" ? flag(statement.ycen, 16)
              : word == "DYN"  ? flag(statement.dyn, 17)
              : word == "FIX"  ? (statement.maxZoom = 100, true)
                               : SyntaxError(line, 2);
    if (!ok) return false;
  }
  return ApplyViewFrame(statement);
}

bool VodInterpreter::ApplyViewFrame(ViewStatement statement) {
  static const char* const kExtensions[] = {"tif", "plt", "vec", "cap", "ca3", "ca4"};
  std::string echo = Echo(statement);
  return ForEachFrame(statement.frame, echo, [&](VodFrame& frame) {
    if (frame.hasText) return StatementError(echo, 55);
    if (frame.HoldsData()) return StatementError(echo, 54);
    frame.isStatic = statement.isStatic;
    std::string file = statement.file;
    AddDefaultExtension(file, kExtensions[statement.kind]);
    file = ResolveRoot(m_context, file);
    std::string resolved;
    if (!FileExists(m_context, file, ScriptName(), resolved)) {
      if (!ReportErrorText(m_context, 122, file, true)) return false;
      frame.picture[0] = '\0';
      return true;
    }
    if (!resolved.empty()) file = resolved;
    int kind = statement.kind;
    if (kind == kPictureTiff) {
      if (EndsWithIgnoringCase(file, ".cap")) kind = kPictureCap;
      if (EndsWithIgnoringCase(file, ".ca3")) kind = kPictureCa3;
      if (EndsWithIgnoringCase(file, ".ca4")) kind = kPictureCa4;
    }
    CopyText(frame.picture, kPictureNameSize, file);
    frame.pictureKind = static_cast<WORD>(kind);
    if (statement.xcen || statement.dyn) frame.flags[1] = 1;
    if (statement.ycen || statement.dyn) frame.flags[2] = 1;
    if (statement.dyn) frame.dyn = 1;
    frame.maxZoom = static_cast<WORD>(statement.maxZoom);
    return true;
  });
}

// PRINT FRAME

bool VodInterpreter::ParsePrintFrame(Line& line) {
  PrintStatement statement;
  statement.frame = FrameWord(line);
  if (statement.frame.empty()) return SyntaxError(line, 4);
  std::string_view afterStatic = line.rest;
  std::string word = NextWord(afterStatic);
  UpperCaseAscii(word);
  if (word == "STATIC") {
    statement.isStatic = true;
    line.rest = afterStatic;
  }
  statement.text = line.rest;
  Trim(statement.text);
  if (statement.text.empty()) return true;
  return ApplyPrintFrame(statement);
}

bool VodInterpreter::ApplyPrintFrame(const PrintStatement& statement) {
  std::string echo = Echo(statement);
  return ForEachFrame(statement.frame, echo, [&](VodFrame& frame) {
    if (frame.HoldsData()) return StatementError(echo, 54);
    if (frame.HasPicture()) return StatementError(echo, 56);
    frame.isStatic = statement.isStatic;
    frame.hasText = 1;
    return m_context.model.AddBlockText(frame, statement.text, 0, 0, 'T') != nullptr;
  });
}

// SKIP FRAME

bool VodInterpreter::ParseSkipFrame(Line& line) {
  SkipStatement statement;
  statement.frame = FrameWord(line);
  if (statement.frame.empty()) return SyntaxError(line, 4);
  std::string count = NextWord(line.rest);
  if (!count.empty()) {
    statement.tenths = ParseTenths(count);
    std::string word = NextWord(line.rest);
    UpperCaseAscii(word);
    if (word == "NOTOP")
      statement.noTop = true;
    else if (!word.empty())
      return SyntaxError(line, 2);
    if (!NothingMore(line)) return false;
  }
  return ApplySkipFrame(statement);
}

bool VodInterpreter::ApplySkipFrame(const SkipStatement& statement) {
  return ForEachFrame(statement.frame, Echo(statement), [&](VodFrame& frame) {
    if (statement.tenths) frame.spacingCount = static_cast<WORD>(*statement.tenths);
    if (statement.noTop) frame.spacingSet = 1;
    return true;
  });
}

// DATA FRAME

bool VodInterpreter::ParseDataFrame(Line& line) {
  DataStatement statement;
  std::string word;
  for (word = NextWord(line.rest); !word.empty(); word = NextWord(line.rest)) {
    std::string upper = word;
    UpperCaseAscii(upper);
    if (upper == "LINECOUNT" || upper == "BEGIN") break;
    if (statement.columns.size() == kMaxFrameWords) return SyntaxError(line, 20);
    DataColumn column;
    if (!ParseContentKind(word, column.kind)) return SyntaxError(line, 61);
    column.frame = word.substr(0, kFrameNameLimit);
    UpperCaseAscii(column.frame);
    AnsiToOemGerman(column.frame);
    statement.columns.push_back(column);
  }
  if (word.empty()) return SyntaxError(line, 21);
  if (statement.columns.empty()) return SyntaxError(line, 22);
  UpperCaseAscii(word);
  if (word == "LINECOUNT") {
    statement.lineCount = ParseInt(NextWord(line.rest));
    if (statement.lineCount < 1 || statement.lineCount > kLineFonts) return SyntaxError(line, 23);
    word = NextWord(line.rest);
    UpperCaseAscii(word);
  }
  if (word != "BEGIN") return SyntaxError(line, 21);
  return NothingMore(line) && ReadDataBlock(line, statement);
}

bool VodInterpreter::ReadDataBlock(Line& line, const DataStatement& statement) {
  size_t perRecord = statement.columns.size() * statement.lineCount;
  std::vector<std::string> record(perRecord);
  std::string next;
  bool haveNext = false;
  while (true) {
    // Lines come pass by pass, one to each column in turn.
    for (size_t pass = 0; pass < static_cast<size_t>(statement.lineCount); ++pass) {
      for (size_t column = 0; column < statement.columns.size(); ++column) {
        std::string& text = record[column * statement.lineCount + pass];
        if (haveNext) {
          text = std::move(next);
          haveNext = false;
        } else if (!ReadLine(text)) {
          return SyntaxError(line, 24);
        }
        TrimRight(text);
      }
    }
    if (!ApplyDataFrame(statement, record)) return false;
    if (!ReadLine(next)) return SyntaxError(line, 25);
    std::string_view rest = next;
    std::string first = NextWord(rest);
    UpperCaseAscii(first);
    if (first == m_context.terminator) return NextWord(rest).empty() || SyntaxError(line, 2);
    haveNext = true;
  }
}

bool VodInterpreter::ApplyDataFrame(const DataStatement& statement, const std::vector<std::string>& lines) {
  int row = m_context.model.HighestRow() + 1;
  std::string echo;
  for (size_t column = 0; column < statement.columns.size(); ++column) {
    const DataColumn& data = statement.columns[column];
    VodFrame* frame = m_context.model.FindFrame(const_cast<std::string&>(data.frame));
    if (!frame) {
      if (m_context.settings.checkFrames) return StatementError(Echo(statement), 50);
      continue;
    }
    for (; frame; frame = m_context.model.FindNextInstance(*frame)) {
      VodFrame* target = frame;
      // Overflow chains are filled from their first frame.
      for (int steps = 0; target->connectFrom[0] && steps < 64; ++steps) {
        std::string from = target->connectFrom;
        VodFrame* previous = m_context.model.FindFrame(from);
        if (!previous) break;
        target = previous;
      }
      if (target->hasText) return StatementError(Echo(statement), 55);
      if (target->HasPicture()) return StatementError(Echo(statement), 56);
      for (int pass = 0; pass < statement.lineCount; ++pass) {
        const std::string& text = lines[column * statement.lineCount + pass];
        if (!m_context.model.AddBlockText(*target, text, row, pass, text.empty() ? 'T' : data.kind)) return false;
      }
    }
  }
  return true;
}

// GRAF FRAME

bool VodInterpreter::ParseGrafFrame(Line& line) {
  GrafStatement statement;
  statement.frame = FrameWord(line);
  if (statement.frame.empty()) return SyntaxError(line, 4);
  if (NextWord(line.rest).empty()) return SyntaxError(line, 21);
  if (!NothingMore(line)) return false;
  std::string text;
  while (true) {
    if (!ReadLine(text)) return SyntaxError(line, 25);
    TrimRight(text);
    AnsiToOemGerman(text);
    std::string first = FirstWordUpper(text);
    if (first == m_context.terminator) break;
    if (first.empty() || first == "REM") continue;
    statement.lines.push_back(text);
  }
  return ApplyGrafFrame(statement);
}

bool VodInterpreter::ApplyGrafFrame(const GrafStatement& statement) {
  return ForEachFrame(statement.frame, Echo(statement), [&](VodFrame& frame) {
    for (const std::string& text : statement.lines)
      if (!m_context.model.AddGrafData(frame, text)) return false;
    return true;
  });
}

// SYNC

bool VodInterpreter::ParseSync(Line& line) {
  SyncStatement statement;
  for (std::string name = FrameWord(line); !name.empty(); name = FrameWord(line)) {
    if (statement.frames.size() == kMaxFrameWords) return SyntaxError(line, 20);
    statement.frames.push_back(name);
  }
  if (statement.frames.empty()) return SyntaxError(line, 22);
  return ApplySync(statement);
}

bool VodInterpreter::ApplySync(const SyncStatement& statement) {
  VodFormModel& model = m_context.model;
  bool anyHoldsData = false;
  std::vector<std::string> existing;
  for (std::string name : statement.frames) {
    VodFrame* frame = model.FindFrame(name);
    if (!frame) {
      if (m_context.settings.checkFrames) return StatementError(Echo(statement), 50);
      continue;
    }
    existing.push_back(name);
    anyHoldsData = anyHoldsData || frame->HoldsData();
  }
  if (!anyHoldsData) return true;
  SyncGroup* group = model.AddSyncGroup();
  if (!group) return false;
  group->recordLimit = static_cast<WORD>(model.HighestRow());
  for (const std::string& name : existing)
    if (!model.AddSyncFrame(*group, name)) return false;
  return true;
}

// DEFAULT

bool VodInterpreter::ParseDefault(Line& line) {
  DefaultStatement statement;
  std::string word = NextWord(line.rest);
  UpperCaseAscii(word);
  if (!word.empty()) {
    if (word != "FRAME") return SyntaxError(line, 2);
    statement.frame = FrameWord(line);
    if (statement.frame->empty()) return SyntaxError(line, 22);
    if (!NothingMore(line)) return false;
  }
  return ApplyDefault(statement);
}

bool VodInterpreter::ApplyDefault(const DefaultStatement& statement) {
  VodFormModel& model = m_context.model;
  auto reset = [&model](VodFrame& frame) {
    frame.isStatic = 0;
    frame.flags[0] = 'Z';
    std::memcpy(frame.lineFont, frame.defaultLineFont, sizeof frame.lineFont);
    std::memcpy(frame.lineSize, frame.defaultLineSize, sizeof frame.lineSize);
    return model.AddBlockFont(frame) != nullptr;
  };
  auto outputPage = [this] { return !m_context.renderPage || m_context.renderPage(m_context, false); };
  if (statement.frame) {
    std::string name = *statement.frame;
    VodFrame* first = model.FindFrame(name);
    if (first && first->HoldsData() && !outputPage()) return false;
    return ForEachFrame(name, Echo(statement), reset);
  }
  bool anyData = false;
  for (VodFrame* frame = model.frames; frame; frame = frame->next) anyData = anyData || frame->HoldsData();
  if (anyData && !outputPage()) return false;
  for (VodFrame* frame = model.frames; frame; frame = frame->next)
    if (!reset(*frame)) return false;
  return true;
}

// CONNECT FRAME

bool VodInterpreter::ParseConnect(Line& line) {
  ConnectStatement statement;
  statement.from = FrameWord(line);
  if (statement.from.empty()) return SyntaxError(line, 22);
  std::string with = NextWord(line.rest);
  UpperCaseAscii(with);
  if (with.empty()) return SyntaxError(line, 27);
  if (with != "WITH") return SyntaxError(line, 2);
  statement.to = FrameWord(line);
  if (statement.to.empty()) return SyntaxError(line, 22);
  return NothingMore(line) && ApplyConnect(statement);
}

bool VodInterpreter::ApplyConnect(const ConnectStatement& statement) {
  std::string echo = Echo(statement);
  if (statement.from == statement.to) return StatementError(echo, 68);
  VodFormModel& model = m_context.model;
  std::string fromName = statement.from, toName = statement.to;
  VodFrame* from = model.FindFrame(fromName);
  VodFrame* to = model.FindFrame(toName);
  if (!from || !to) return !m_context.settings.checkFrames || StatementError(echo, 67);
  // Walks one direction of a chain; a chain is never longer than the frame list.
  auto chainMeets = [&](VodFrame* start, auto linkOf, const std::string& target) -> int {
    VodFrame* frame = start;
    for (int steps = 0; frame && *linkOf(*frame) && steps < 1000; ++steps) {
      std::string next = linkOf(*frame);
      if (next == target) return 70;
      frame = model.FindFrame(next);
      if (!frame) return 67;
    }
    return 0;
  };
  if (from->connected) return StatementError(echo, 69);
  if (int error = chainMeets(from, [](const VodFrame& f) { return f.connectFrom; }, toName))
    return StatementError(echo, error);
  std::memcpy(from->connectTo, toName.c_str(), toName.size() + 1);
  from->connected = 1;
  if (to->connectFrom[0]) return StatementError(echo, 69);
  if (int error = chainMeets(to, [](const VodFrame& f) { return f.connectTo; }, fromName))
    return StatementError(echo, error);
  std::memcpy(to->connectFrom, fromName.c_str(), fromName.size() + 1);
  return true;
}

}  // namespace vod
