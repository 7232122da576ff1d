// The statement interpreter of VOD scripts: reads the innermost open script
// line by line, parses each statement into its record and applies it to the
// form model.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "VodStatements.h"

namespace vod {

class VodContext;
struct VodFrame;

// Results of ExecuteStatement.
constexpr int kGoOnStatement = 1;
constexpr int kFailedStatement = 2;
constexpr int kEndOfScript = 3;

constexpr size_t kLineBuffer = 8196;
constexpr size_t kMaxScripts = 7;
constexpr size_t kMaxFrameWords = 35;

class VodInterpreter {
 public:
  explicit VodInterpreter(VodContext& context) : m_context(context) {}

  // Opens the job's script as the outermost level (text 412 before VOD_Init,
  // text 32 for a missing file).
  bool OpenJobFile(const std::string& script);
  // Closes every open level, deleting scripts marked KILLAFTERPRINT.
  void CloseJobFile();
  // 1 go on, 2 error or cancelled, 3 end of script or stop after the page.
  int ExecuteStatement();
  // Executes statements until one does not say go on; returns that result.
  int RunStatements();
  // At the end of the statement loop: a page still collected is printed when
  // the job went well, the form is discarded and the output document ended.
  // Returns whether the job went well.
  bool FinishJob(bool ok);

 private:
  // One statement being parsed: the line as read and what is not yet consumed.
  struct Line {
    std::string text;
    std::string_view rest;
  };

  bool Dispatch(const std::string& first, Line& line);
  bool ExpectWord(Line& line, const char* a, const char* b, int wrongWord, int noWord);
  bool SyntaxError(const Line& line, int number);
  bool StatementError(const std::string& echo, int number);
  bool NothingMore(Line& line);
  std::string FrameWord(Line& line);
  // The next line of the innermost script with its line end removed; false
  // at its end.
  bool ReadLine(std::string& text);
  std::string ScriptName() const;
  // Calls apply for every frame of that name; reports 50 when there is none
  // and frames are checked. False when apply fails.
  bool ForEachFrame(std::string name, const std::string& echo, const std::function<bool(VodFrame&)>& apply);
  bool ChainIsOpen(const std::string& name) const;
  std::string ChainListing() const;
  void ShowScriptInDialog();

  bool ParseUse(Line& line);
  bool ApplyUse(const UseStatement& statement);
  bool ParseInclude(Line& line);
  bool RunInclude(const std::string& file, Line& line);
  bool ParseDefine(Line& line);
  bool ApplyDefine(const DefineStatement& statement);
  bool ParseTerminator(Line& line);
  bool ParseViewFrame(Line& line);
  bool ApplyViewFrame(ViewStatement statement);
  bool ParsePrintFrame(Line& line);
  bool ApplyPrintFrame(const PrintStatement& statement);
  bool ParseSkipFrame(Line& line);
  bool ApplySkipFrame(const SkipStatement& statement);
  bool ParseDataFrame(Line& line);
  bool ReadDataBlock(Line& line, const DataStatement& statement);
  bool ApplyDataFrame(const DataStatement& statement, const std::vector<std::string>& lines);
  bool ParseGrafFrame(Line& line);
  bool ApplyGrafFrame(const GrafStatement& statement);
  bool ParseSync(Line& line);
  bool ApplySync(const SyncStatement& statement);
  bool ParseDefault(Line& line);
  bool ApplyDefault(const DefaultStatement& statement);
  bool ParseConnect(Line& line);
  bool ApplyConnect(const ConnectStatement& statement);
  bool ParseSet(Line& line);
  bool ApplySet(const SetStatement& statement);
  bool ParseSave(Line& line);
  bool SaveSetLine(const std::string& file);
  bool ParseKillAfterPrint(Line& line);
  bool ParsePage(Line& line);
  bool EndPageStatement();

  VodContext& m_context;
};

// The content kind of a DATA FRAME word: a prefix "(TEXT)", "(VEC)",
// "(TIFF)", "(HPGL)", "(CAP)", "(CA3)" or "(CA4)" is taken off the word and
// gives the kind letter; 'T' without one. False for a prefix without its ")"
// within five characters.
bool ParseContentKind(std::string& word, char& kind);

}  // namespace vod
