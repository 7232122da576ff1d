#include "VodReport.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <variant>
#include <vector>

#include "VodContext.h"
#include "VodSettings.h"
#include "VodTexts.h"
#include "VodUi.h"
#include "win32/DebugOutput.h"

namespace vod {
namespace {

using FormatArgument = std::variant<long, std::string>;

std::string Cut(std::string text, size_t limit) {
  if (text.size() > limit) text.resize(limit);
  return text;
}

// Formats a text of the table with the given arguments in order. Only the
// conversions the texts use are known (s, d, i, c with flags, width and
// precision); an argument of the wrong kind is converted, never read as
// something it is not.
std::string FormatText(const std::string& format, const std::vector<FormatArgument>& arguments) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < format.size() && out.size() < kMessageLimit; ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    size_t start = i++;
    while (i < format.size() && std::string_view("-+ #0").find(format[i]) != std::string_view::npos) ++i;
    while (i < format.size() && (isdigit(static_cast<unsigned char>(format[i])) || format[i] == '.')) ++i;
    if (i >= format.size()) {
      out += format.substr(start);
      break;
    }
    char type = format[i];
    if (type == '%') {
      out += '%';
      continue;
    }
    std::string directive = format.substr(start, i - start);
    const FormatArgument* argument = next < arguments.size() ? &arguments[next++] : nullptr;
    char piece[64];
    if (type == 's') {
      std::string text = !argument                                    ? std::string()
                         : std::holds_alternative<std::string>(*argument) ? std::get<std::string>(*argument)
                                                                          : std::to_string(std::get<long>(*argument));
      size_t point = directive.find('.');
      if (point != std::string::npos) text = Cut(text, std::strtoul(directive.c_str() + point + 1, nullptr, 10));
      int width = std::atoi(directive.c_str() + 1 + (directive.size() > 1 && directive[1] == '-'));
      if (static_cast<int>(text.size()) < width) {
        std::string pad(width - text.size(), ' ');
        text = directive.find('-') != std::string::npos ? text + pad : pad + text;
      }
      out += text;
    } else if (type == 'd' || type == 'i' || type == 'c' || type == 'u' || type == 'x') {
      long value = argument && std::holds_alternative<long>(*argument) ? std::get<long>(*argument) : 0;
      std::string conversion = directive + (type == 'i' ? 'd' : type);
      if (type != 'c') conversion.insert(conversion.size() - 1, "l");
      std::snprintf(piece, sizeof piece, conversion.c_str(), type == 'c' ? static_cast<int>(value) : value);
      out += piece;
    } else {
      out += format.substr(start, i - start + 1);
    }
  }
  return Cut(out, kMessageLimit);
}

std::string Text(VodContext& context, int number) { return LoadText(number, context.languageOffset); }

bool English(const VodContext& context) { return context.languageOffset == kEnglishOffset; }

std::string ErrorFrame(VodContext& context) { return English(context) ? " Error: " : " Fehler: "; }

// The caller's ini file keeps one line per key: a message's line breaks
// would let the rest of it (a script line, say) pose as keys of its own.
void WriteLastError(VodContext& context, std::string text) {
  std::replace_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  WriteVodKey(context, nullptr, "LetzterFehler", text.c_str());
}

// Steps every report shares once its text is built: the last error in the
// ini file and as debug string, then the caller, then the box.
int Deliver(VodContext& context, const std::string& text, int code, int notifyCode, int defaultFlags,
            const std::string& caption = "VOD", const std::string& callerText = "") {
  const std::string& toCaller = callerText.empty() ? text : callerText;
  WriteLastError(context, text);
  OutputDebugString((text + "\r\n").c_str());
  int flags = defaultFlags;
  if (context.callback) {
    flags = context.callback(code, toCaller.c_str());
  } else if (context.owner) {
    CurrentUi().SendOwnerNotify(context.owner, notifyCode, toCaller.c_str());
  }
  if (flags & kShowBox) {
    LeaveContext();
    CurrentUi().MessageBox(context.printDialog, text, caption, BoxButtons::Ok, BoxIcon::Error);
    EnterContext();
  }
  return flags;
}

void SendToDialog(VodContext& context, UINT message, const std::string& text) {
  if (context.printDialog) CurrentUi().SendDialogMessage(context.printDialog, message, text.c_str());
}

void KeepLastError(VodContext& context, const std::string& text) { context.lastError = Cut(text, kLastErrorLimit); }

}  // namespace

std::string FormatMessage(const char* format, ...) {
  std::string text(kMessageLimit + 1, '\0');
  va_list arguments;
  va_start(arguments, format);
  int length = std::vsnprintf(text.data(), text.size(), format, arguments);
  va_end(arguments);
  text.resize(length < 0 ? 0 : std::min<size_t>(length, kMessageLimit));
  return text;
}

std::string LoadText(VodContext& context, int number) { return Text(context, number); }

void ShowStatusText(VodContext& context, const std::string& text) {
  SendToDialog(context, kErrorTextMessage, Cut(text, kMessageLimit));
}

void ShowStatusText(VodContext& context, int number) {
  if (number < kEnglishOffset) ShowStatusText(context, Text(context, number));
}

void Trace(VodContext& context, const std::string& text) {
  if (context.settings.trace && context.jobState == kJobRunning) ShowStatusText(context, text);
}

bool ReportSyntaxError(VodContext& context, const std::string& statement, int number) {
  int line = context.scripts.empty() ? 0 : context.scripts.back().line;
  const char* frame = English(context) ? "SYNTAX ERROR!  %s Line: %d\n" : "SYNTAX FEHLER!  %s Zeile: %d\n";
  std::string head = FormatText(frame, {Text(context, number), long{line}});
  std::string message = Cut(head + "\r\n" + statement, kMessageLimit);
  KeepLastError(context, message);
  SendToDialog(context, kErrorTextMessage, head.substr(0, head.find('\n')));
  std::string script = context.scripts.empty() ? context.scriptPath : context.scripts.back().name;
  std::string caption = "VOD : " + script;
  int flags = Deliver(context, message, VOD_CB_INFO_TEXT, VOD_CB_ERROR_TEXT, kShowBox | 2, caption,
                      Cut(caption + "\r\n" + message, kMessageLimit));
  return flags & kGoOn;
}

void ReportStatementError(VodContext& context, const std::string& echo, int number) {
  std::string text = Cut(ErrorFrame(context) + Text(context, number) + echo, kMessageLimit);
  KeepLastError(context, text);
  SendToDialog(context, kErrorTextMessage, text);
  Deliver(context, text, VOD_CB_ERROR_TEXT, VOD_CB_ERROR_TEXT, kShowBox);
}

void ReportError(VodContext& context, int number) {
  std::string text = Cut(ErrorFrame(context) + Text(context, number), kMessageLimit);
  KeepLastError(context, text);
  SendToDialog(context, kErrorTextMessage, text);
  Deliver(context, text, VOD_CB_ERROR_TEXT, VOD_CB_ERROR_TEXT, kShowBox | 2);
}

void ReportErrorArg(VodContext& context, int number, const std::string& argument) {
  std::string text = Cut(ErrorFrame(context) + Text(context, number) + " " + argument, kMessageLimit);
  KeepLastError(context, text);
  Deliver(context, text, VOD_CB_ERROR_TEXT, VOD_CB_ERROR_TEXT, kShowBox);
}

void ReportErrorInt(VodContext& context, int number, int value) {
  std::string text = Cut(ErrorFrame(context) + FormatText(Text(context, number), {long{value}}), kMessageLimit);
  KeepLastError(context, text);
  SendToDialog(context, kErrorTextMessage, text);
  Deliver(context, text, VOD_CB_ERROR_TEXT, VOD_CB_ERROR_TEXT, kShowBox);
}

bool ReportText(VodContext& context, int number) {
  std::string text = Text(context, number);
  KeepLastError(context, text);
  return Deliver(context, text, VOD_CB_ERROR_TEXT, VOD_CB_ERROR_TEXT, kShowBox | kGoOn) & kGoOn;
}

bool ReportText2(VodContext& context, int number, int first, int second) {
  std::string text = FormatText(Text(context, number), {long{first}, long{second}});
  KeepLastError(context, text);
  return Deliver(context, text, VOD_CB_ERROR_TEXT, VOD_CB_ERROR_TEXT, kShowBox | kGoOn) & kGoOn;
}

bool ReportErrorText(VodContext& context, int number, const std::string& argument, bool question,
                     const std::string& second) {
  std::string text = FormatText(Text(context, number), {argument, second});
  KeepLastError(context, text);
  WriteLastError(context, text);
  OutputDebugString((text + "\r\n").c_str());
  // A question goes on only when the caller or the user says so.
  int flags = question ? kShowBox : kShowBox | kGoOn;
  if (context.callback) {
    flags = context.callback(question ? VOD_CB_QUESTION : VOD_CB_ERROR_TEXT, text.c_str());
    if (question && (flags & 11) == 1) flags |= kGoOn;
  }
  if (!(flags & kShowBox)) return flags & kGoOn;
  if (context.owner) {
    CurrentUi().SendOwnerNotify(context.owner, VOD_CB_ERROR_TEXT, text.c_str());
    if (!question) return true;
  }
  BoxButtons buttons = question && context.owner ? BoxButtons::OkCancel : BoxButtons::Ok;
  LeaveContext();
  BoxAnswer answer = CurrentUi().MessageBox(context.printDialog, text, "VOD", buttons, BoxIcon::Error);
  EnterContext();
  if (buttons == BoxButtons::OkCancel && answer == BoxAnswer::Ok) flags |= kGoOn;
  return flags & kGoOn;
}

bool ReportErrorNumber(VodContext& context, int number) {
  return ReportErrorText(context, 0, std::to_string(number), true);
}

void ReportInternalError(VodContext& context, int number, int code) {
  std::string base = Text(context, number);
  // Texts that name the system's error number take it in their own words.
  if (base.find("%d") != std::string::npos) base = FormatMessage(base.c_str(), code);
  std::string text = Cut(base + FormatMessage(" < %i > ", code), kMessageLimit);
  KeepLastError(context, text);
  SendToDialog(context, kLastErrorMessage, text);
  Deliver(context, text, VOD_CB_INFO_TEXT, VOD_CB_INFO_TEXT, kShowBox | 2);
}

}  // namespace vod
