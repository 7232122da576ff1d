#include "VodInterpreter.h"

#include <strings.h>

#include <cstring>

#include "VodContext.h"
#include "VodPaths.h"
#include "VodPump.h"
#include "VodReport.h"
#include "VodStrings.h"
#include "VodTexts.h"
#include "VodUi.h"
#include "win32/Files.h"

namespace vod {

bool VodInterpreter::OpenJobFile(const std::string& script) {
  if (m_context.iniPath.empty()) {
    ReportText(m_context, 412);
    return false;
  }
  m_context.scripts.clear();
  std::unique_ptr<VodFile> file = OpenFile(m_context, script, "rt", 32, "", false);
  if (!file) return false;
  m_context.scriptPath = script;
  m_context.scripts.push_back(VodScriptLevel{script, std::move(file), 0, false});
  return true;
}

void VodInterpreter::CloseJobFile() {
  while (!m_context.scripts.empty()) {
    VodScriptLevel& level = m_context.scripts.back();
    level.file.reset();
    if (level.deleteAfterPrint) DeleteFile(level.name.c_str());
    m_context.scripts.pop_back();
  }
}

int VodInterpreter::RunStatements() {
  int result;
  while ((result = ExecuteStatement()) == kGoOnStatement) {
  }
  return result;
}

bool VodInterpreter::ReadLine(std::string& text) {
  if (m_context.scripts.empty()) return false;
  VodScriptLevel& level = m_context.scripts.back();
  if (!level.file->ReadScriptLine(text, kLineBuffer)) return false;
  ++level.line;
  StripLineEnd(text);
  return true;
}

std::string VodInterpreter::ScriptName() const {
  return ReferringScript(m_context);
}

int VodInterpreter::ExecuteStatement() {
  if (!PumpMessages()) return kFailedStatement;
  Line line;
  if (!ReadLine(line.text)) return kEndOfScript;
  line.rest = line.text;
  std::string first = NextWord(line.rest);
  UpperCaseAscii(first);
  bool ok = Dispatch(first, line);
  if (ok && m_context.stopAfterPage && first == "PAGE") return kEndOfScript;
  return ok ? kGoOnStatement : kFailedStatement;
}

bool VodInterpreter::Dispatch(const std::string& first, Line& line) {
  if (first.empty() || first == "REM") return true;
  if (first == "USE") return ExpectWord(line, "FORMULAR", "FORM", 36, 35) && ParseUse(line);
  if (first == "INCLUDE") return ParseInclude(line);
  if (first == "DEFINE") return ParseDefine(line);
  if (first == "VIEW") return ExpectWord(line, "FRAME", "FRAME", 38, 37) && ParseViewFrame(line);
  if (first == "PRINT") return ExpectWord(line, "FRAME", "FRAME", 38, 37) && ParsePrintFrame(line);
  if (first == "SKIP") return ExpectWord(line, "FRAME", "FRAME", 38, 37) && ParseSkipFrame(line);
  if (first == "DATA") return ExpectWord(line, "FRAME", "FRAME", 38, 37) && ParseDataFrame(line);
  if (first == "GRAF") return ExpectWord(line, "FRAME", "FRAME", 38, 37) && ParseGrafFrame(line);
  if (first == "SYNC") return ParseSync(line);
  if (first == "TERMINATOR") return ParseTerminator(line);
  if (first == "PAGE") return ParsePage(line);
  if (first == "DEFAULT") return ParseDefault(line);
  if (first == "CONNECT") return ExpectWord(line, "FRAME", "FRAME", 38, 37) && ParseConnect(line);
  if (first == "SET") return ParseSet(line);
  if (first == "SAVE") return ParseSave(line);
  if (first == "KILLAFTERPRINT") return ParseKillAfterPrint(line);
  return SyntaxError(line, 39);
}

bool VodInterpreter::ExpectWord(Line& line, const char* a, const char* b, int wrongWord, int noWord) {
  std::string word = NextWord(line.rest);
  UpperCaseAscii(word);
  if (word == a || word == b) return true;
  return SyntaxError(line, word.empty() ? noWord : wrongWord);
}

bool VodInterpreter::SyntaxError(const Line& line, int number) {
  ReportSyntaxError(m_context, line.text, number);
  return false;
}

bool VodInterpreter::StatementError(const std::string& echo, int number) {
  ReportStatementError(m_context, echo, number);
  return false;
}

bool VodInterpreter::NothingMore(Line& line) { return NextWord(line.rest).empty() || SyntaxError(line, 2); }

std::string VodInterpreter::FrameWord(Line& line) {
  std::string name = NextWord(line.rest).substr(0, kFrameNameLimit);
  UpperCaseAscii(name);
  AnsiToOemGerman(name);
  return name;
}

bool VodInterpreter::ForEachFrame(std::string name, const std::string& echo,
                                  const std::function<bool(VodFrame&)>& apply) {
  VodFrame* frame = m_context.model.FindFrame(name);
  if (!frame) return !m_context.settings.checkFrames || StatementError(echo, 50);
  for (; frame; frame = m_context.model.FindNextInstance(*frame))
    if (!apply(*frame)) return false;
  return true;
}

// INCLUDE

bool VodInterpreter::ParseInclude(Line& line) {
  std::string file = NextWord(line.rest);
  if (file.empty()) return SyntaxError(line, 3);
  if (!NothingMore(line)) return false;
  AddDefaultExtension(file, "vod");
  return RunInclude(ResolveRoot(m_context, file), line);
}

bool VodInterpreter::ChainIsOpen(const std::string& name) const {
  for (const VodScriptLevel& level : m_context.scripts)
    if (strcasecmp(level.name.c_str(), name.c_str()) == 0) return true;
  return false;
}

std::string VodInterpreter::ChainListing() const {
  std::string listing;
  std::string indent;
  for (const VodScriptLevel& level : m_context.scripts) {
    listing += "\r\n" + indent + level.name;
    indent += "  ";
  }
  return listing;
}

void VodInterpreter::ShowScriptInDialog() {
  if (!m_context.printDialog || m_context.scripts.empty()) return;
  const VodScriptLevel& level = m_context.scripts.back();
  bool english = m_context.languageOffset == kEnglishOffset;
  CurrentUi().SetDialogItemText(m_context.printDialog, kFileItem, (english ? "File: " : "Datei: ") + level.name);
  const char* counter = english ? "Line: %i" : "Zeile: %i";
  CurrentUi().SetDialogItemText(m_context.printDialog, kLineItem, FormatMessage(counter, level.line + 1));
}

bool VodInterpreter::RunInclude(const std::string& file, Line& line) {
  std::string resolved;
  if (!FileExists(m_context, file, ScriptName(), resolved)) {
    ReportErrorText(m_context, 32, file, false);
    return false;
  }
  std::string path = resolved.empty() ? file : resolved;
  if (m_context.scripts.size() >= kMaxScripts || ChainIsOpen(path)) {
    int number = m_context.scripts.size() >= kMaxScripts ? 33 : 34;
    ReportSyntaxError(m_context, line.text + ChainListing(), number);
    return false;
  }
  std::unique_ptr<VodFile> opened = OpenFile(m_context, path, "rt", 32, ScriptName(), false);
  if (!opened) return false;
  m_context.scripts.push_back(VodScriptLevel{path, std::move(opened), 0, false});
  int result = kGoOnStatement;
  while (result == kGoOnStatement) {
    if (!PumpMessages()) {
      result = kFailedStatement;
      break;
    }
    ShowScriptInDialog();
    result = ExecuteStatement();
  }
  VodScriptLevel& inner = m_context.scripts.back();
  inner.file.reset();
  if (inner.deleteAfterPrint) DeleteFile(inner.name.c_str());
  m_context.scripts.pop_back();
  ShowScriptInDialog();
  return result == kEndOfScript;
}

}  // namespace vod
