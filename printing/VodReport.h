// The library's messages: each routine builds its text in the job's
// language, records it as the last error in the caller's ini file, hands it
// to the caller (callback or WM_VOD_NOTIFY), shows it in a box when asked to
// and tells its own caller whether the job may go on.
#pragma once

#include <string>

namespace vod {

class VodContext;

// The message buffer holds at most this many bytes; longer messages are cut.
constexpr size_t kMessageLimit = 8195;
constexpr size_t kLastErrorLimit = 128;

// Result flags of a report.
constexpr int kShowBox = 4;
constexpr int kGoOn = 8;

std::string LoadText(VodContext& context, int number);

// A value below 500 is a text number.
void ShowStatusText(VodContext& context, const std::string& text);
void ShowStatusText(VodContext& context, int number);
// To the printing dialog's status line when the DisplayLog setting is on.
void Trace(VodContext& context, const std::string& text);
// Runs a drawing step between the trace lines "<name> Begin." and
// "<name> End."; its result.
template <class Step>
bool Traced(VodContext& context, const char* name, Step step) {
  Trace(context, std::string(name) + " Begin.");
  bool ok = step();
  Trace(context, std::string(name) + " End.");
  return ok;
}

// A parser error in the statement (the script line as read). Returns the
// go-on bit.
bool ReportSyntaxError(VodContext& context, const std::string& statement, int number);
// An apply error; echo is the statement as re-told.
void ReportStatementError(VodContext& context, const std::string& echo, int number);
void ReportError(VodContext& context, int number);
void ReportErrorArg(VodContext& context, int number, const std::string& argument);
void ReportErrorInt(VodContext& context, int number, int value);
bool ReportText(VodContext& context, int number);
bool ReportText2(VodContext& context, int number, int first, int second);
// A text with two string fields (text 180) takes the second argument too.
bool ReportErrorText(VodContext& context, int number, const std::string& argument, bool question,
                     const std::string& second = {});
bool ReportErrorNumber(VodContext& context, int number);
void ReportInternalError(VodContext& context, int number, int code);

// printf-style formatting into a text cut at the message limit.
std::string FormatMessage(const char* format, ...);

}  // namespace vod
