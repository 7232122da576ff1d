#include "VodReport.h"
#include "VodStatements.h"

namespace vod {
namespace {

std::string Cut(const std::string& text, size_t limit) { return text.substr(0, limit); }

}  // namespace

std::string Echo(const UseStatement& statement) {
  std::string echo = "\nUSE FORM " + Cut(statement.form, 60);
  switch (statement.variant) {
    case kFormEven: return echo + " EVEN";
    case kFormOdd: return echo + " ODD";
    case kFormTitle: return echo + " TITLE";
    case kFormBody: return echo + " BODY";
    default: return echo;
  }
}

std::string EchoInclude(const std::string& file) { return "\nINCLUDE " + file; }

std::string Echo(const DefineStatement& statement) {
  std::string echo = "\nDEFINE " + statement.frame;
  if (statement.line) echo += FormatMessage(" LINE %d", *statement.line);
  if (statement.divide) echo += FormatMessage(" DIVIDE %d", *statement.divide);
  if (statement.font) echo += " FONT " + *statement.font;
  if (statement.size) echo += FormatMessage(" SIZE %d", *statement.size);
  if (statement.alignment) echo += " ALIGNMENT " + *statement.alignment;
  return echo;
}

std::string Echo(const ViewStatement& statement) {
  static const char* const kTypes[] = {" TIFF ", " HPGL ", " VEC ", " CAP ", " CA3 ", " CA4 "};
  std::string echo = "\nVIEW FRAME " + statement.frame;
  if (statement.isStatic) echo += " STATIC";
  echo += kTypes[statement.kind] + Cut(statement.file, 60);
  if (statement.xcen) echo += " XCEN";
  if (statement.ycen) echo += " YCEN";
  if (statement.dyn) echo += " DYN";
  return echo;
}

std::string Echo(const PrintStatement& statement) {
  std::string echo = "\nPRINT FRAME " + statement.frame;
  if (statement.isStatic) echo += " STATIC";
  return echo + " " + Cut(statement.text, 40);
}

std::string Echo(const SkipStatement& statement) {
  std::string echo = "\nSKIP FRAME " + statement.frame;
  if (statement.tenths) echo += FormatMessage(" %d", *statement.tenths);
  if (statement.noTop) echo += " NOTOP";
  return echo;
}

std::string Echo(const DataStatement& statement) {
  std::string echo = "\nDATA FRAME ";
  for (const DataColumn& column : statement.columns) echo += Cut(column.frame, 40) + " ";
  return echo + FormatMessage(" LINECOUNT %d", statement.lineCount) + " BEGIN\n ... \nEND";
}

std::string Echo(const GrafStatement& statement) {
  return "\nGRAF FRAME " + Cut(statement.frame, 40) + " BEGIN" + "\n . . . . . \nEND";
}

std::string Echo(const SyncStatement& statement) {
  std::string echo = "\nSYNCHRO ";
  for (const std::string& frame : statement.frames) echo += Cut(frame, 40) + " ";
  return echo + "\r\n";
}

std::string Echo(const DefaultStatement& statement) {
  std::string echo = "\nDEFAULT ";
  if (statement.frame) echo += "FRAME " + Cut(*statement.frame, 40);
  return echo;
}

std::string Echo(const ConnectStatement& statement) {
  return "\nCONNECT FRAME " + statement.from + " WITH " + statement.to;
}

std::string Echo(const SetStatement& statement) {
  std::string echo = "\nSET";
  auto value = [&echo](const char* name, const std::optional<int>& given) {
    if (given && *given != 0) echo += FormatMessage(" %s %d", name, *given);
  };
  value("PP", statement.pp);
  value("LP", statement.lp);
  value("SP", statement.sp);
  value("DP", statement.dp);
  if (statement.testMode) echo += " TESTMODE";
  return echo;
}

std::string EchoSave(const std::string& file) { return "\nSAVE " + file; }

}  // namespace vod
