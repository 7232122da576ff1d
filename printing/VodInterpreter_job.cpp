// The statements that choose forms and drive the job: USE, TERMINATOR, SET,
// SAVE, KILLAFTERPRINT and PAGE, and the end of the job.
#include "VodContext.h"
#include "VodFormFile.h"
#include "VodInterpreter.h"
#include "VodPaths.h"
#include "VodReport.h"
#include "VodStrings.h"
#include "VodUi.h"

namespace vod {

bool VodInterpreter::ParseUse(Line& line) {
  VodFormModel& model = m_context.model;
  if (m_context.dropTitleForms) {
    model.FreeTitleForms();
    m_context.dropTitleForms = false;
  }
  UseStatement statement;
  statement.form = NextWord(line.rest);
  if (statement.form.empty()) return SyntaxError(line, 1);
  m_context.formName = statement.form;
  AddDefaultExtension(statement.form, "frm");
  statement.form = ResolveRoot(m_context, statement.form);

  std::string variant = NextWord(line.rest);
  UpperCaseAscii(variant);
  if (variant == "EVEN")
    statement.variant = kFormEven;
  else if (variant == "ODD")
    statement.variant = kFormOdd;
  else if (variant == "TITLE")
    statement.variant = kFormTitle;
  else if (variant == "BODY")
    statement.variant = kFormBody;
  else if (!variant.empty())
    return SyntaxError(line, 2);
  return NothingMore(line) && ApplyUse(statement);
}

bool VodInterpreter::ApplyUse(const UseStatement& statement) {
  VodFormModel& model = m_context.model;
  model.formSelection = statement.variant;
  auto discardFrames = [&model] {
    model.FreeAllFrames();
    model.FreeAllSyncGroups();
  };
  auto dropList = [&model](ItemNode** list) {
    model.currentForm = list;
    model.DropFormItems();
  };
  bool loaded = false;
  if (statement.variant == kFormNormal) {
    dropList(&model.evenForm);
    dropList(&model.oddForm);
    model.FreeTitleForms();
    model.currentForm = &model.bodyForm;
    loaded = LoadMask(m_context, statement.form);
    m_context.formMode = 1;
    discardFrames();
    m_context.firstFormName = statement.form;
    m_context.secondFormName.clear();
  } else if (statement.variant == kFormEven || statement.variant == kFormOdd) {
    if (m_context.formMode == 1) discardFrames();
    dropList(&model.bodyForm);
    model.FreeTitleForms();
    bool even = statement.variant == kFormEven;
    model.currentForm = even ? &model.evenForm : &model.oddForm;
    loaded = LoadMask(m_context, statement.form);
    m_context.formMode = 2;
    (even ? m_context.firstFormName : m_context.secondFormName) = statement.form;
  } else {
    if (m_context.formMode == 1) discardFrames();
    dropList(&model.evenForm);
    dropList(&model.oddForm);
    if (statement.variant == kFormTitle) {
      TitleForm* title = model.AddTitleForm();
      if (!title) return false;
      model.currentForm = &title->items;
      m_context.firstFormName = statement.form;
    } else {
      model.currentForm = &model.bodyForm;
      m_context.secondFormName = statement.form;
    }
    loaded = LoadMask(m_context, statement.form);
    m_context.formMode = 3;
  }
  if (!loaded || !model.BuildFramesFromItems()) return false;

  VodCounters& counters = m_context.counters;
  counters.lp = counters.pp = counters.sp = counters.further1 = counters.further2 = 1;
  if (m_context.printDialog)
    CurrentUi().SetDialogItemText(m_context.printDialog, kPageItem,
                                  FormatMessage(LoadText(m_context, 317).c_str(), static_cast<int>(counters.dp)));
  m_context.testMode = false;
  return true;
}

bool VodInterpreter::ParseTerminator(Line& line) {
  std::string word = NextWord(line.rest);
  if (word.empty()) return SyntaxError(line, 39);
  UpperCaseAscii(word);
  m_context.terminator = word.size() >= 80 ? "END" : word;
  return true;
}

bool VodInterpreter::ParseSet(Line& line) {
  SetStatement statement;
  struct Counter {
    const char* name;
    std::optional<int> SetStatement::*value;
    int repeatError;
  };
  static const Counter kCounters[] = {{"LP", &SetStatement::lp, 30}, {"PP", &SetStatement::pp, 28},
                                      {"SP", &SetStatement::sp, 31}, {"CP", &SetStatement::cp, 28},
                                      {"DP", &SetStatement::dp, 30}};
  for (std::string word = NextWord(line.rest); !word.empty(); word = NextWord(line.rest)) {
    UpperCaseAscii(word);
    if (word == "TESTMODE") {
      statement.testMode = true;
      continue;
    }
    const Counter* counter = nullptr;
    for (const Counter& candidate : kCounters)
      if (word == candidate.name) counter = &candidate;
    if (!counter && word != "CPINC") return SyntaxError(line, 2);
    if (counter && (statement.*counter->value).has_value()) return SyntaxError(line, counter->repeatError);
    int value = ParseInt(NextWord(line.rest));
    if (value == 0) return SyntaxError(line, 29);
    if (counter)
      statement.*counter->value = value;
    else
      statement.cpinc = value;
  }
  return ApplySet(statement);
}

bool VodInterpreter::ApplySet(const SetStatement& statement) {
  constexpr int kCounterLimit = 10000000;
  constexpr int kSubPageLimit = 1000;
  for (const std::optional<int>* value : {&statement.lp, &statement.pp, &statement.cp, &statement.dp})
    if (value->has_value() && **value >= kCounterLimit) return StatementError(Echo(statement), 72);
  if (statement.sp && *statement.sp >= kSubPageLimit) return StatementError(Echo(statement), 72);
  VodCounters& counters = m_context.counters;
  if (statement.lp) counters.lp = *statement.lp;
  if (statement.pp) counters.pp = *statement.pp;
  if (statement.sp) counters.sp = *statement.sp;
  if (statement.cp) counters.cp = *statement.cp;
  if (statement.dp) counters.dp = *statement.dp;
  counters.cpinc = statement.cpinc;
  if (statement.testMode) m_context.testMode = true;
  return true;
}

bool VodInterpreter::ParseSave(Line& line) {
  std::string file = NextWord(line.rest);
  if (file.empty()) return SyntaxError(line, 89);
  if (!NothingMore(line)) return false;
  AddDefaultExtension(file, "vod");
  return SaveSetLine(ResolveRoot(m_context, file));
}

bool VodInterpreter::SaveSetLine(const std::string& file) {
  std::unique_ptr<VodFile> out = OpenFile(m_context, file, "w", 267, ScriptName(), false);
  if (!out) return false;
  const VodCounters& counters = m_context.counters;
  return out->WriteText(FormatMessage("SET LP %d PP %d CP %d CPINC %d DP %d %s\n", counters.lp, counters.pp,
                                      counters.cp, counters.cpinc, counters.dp,
                                      m_context.testMode ? "TESTMODE" : ""));
}

bool VodInterpreter::ParseKillAfterPrint(Line& line) {
  if (!NothingMore(line)) return false;
  if (!m_context.scripts.empty()) m_context.scripts.back().deleteAfterPrint = true;
  m_context.dropTitleForms = true;
  return true;
}

bool VodInterpreter::ParsePage(Line& line) {
  if (!NothingMore(line)) return false;
  m_context.dropTitleForms = true;
  return EndPageStatement();
}

bool VodInterpreter::FinishJob(bool ok) {
  VodFormModel& model = m_context.model;
  bool pageCollected = false;
  for (VodFrame* frame = model.frames; frame; frame = frame->next)
    pageCollected = pageCollected || frame->textList || frame->HasPicture();
  if (ok && pageCollected && m_context.renderPage) ok = m_context.renderPage(m_context, false);
  m_context.pictures->Release(m_context);
  model.DiscardForm(m_context.formMode);
  m_context.drawing.Reset();
  if (m_context.pageTarget && m_context.pageTarget->IsOpen()) m_context.pageTarget->Close(m_context);
  return ok;
}

bool VodInterpreter::EndPageStatement() {
  bool drawn = !m_context.renderPage || m_context.renderPage(m_context, false);
  m_context.model.ClearFrameContents();
  if (drawn) {
    ++m_context.counters.lp;
    m_context.counters.sp = 1;
  }
  return drawn;
}

}  // namespace vod
