// The error trace: every larger function keeps a node while it runs, fills it
// when it fails and leaves it for its caller, so that a report can name every
// failed call from where the failure was found down to the reporter.
#pragma once

#include <array>

#include "mfc/CString.h"
#include "win32/Types.h"

constexpr int kErrorCodeCount = 544;
// Message numbers of the error codes; 0 for a code without a message of its own.
extern const std::array<DWORD, kErrorCodeCount> ErrorTextTable;
// The program's own text of a code that newer versions added (541 to 543),
// shown when the message file lacks it; "" for every other code.
const char* BuiltInErrorText(int code);

// Codes that the viewer added to the table's, with messages 3541 to 3543.
enum AddedErrorCode {
  ERR_FIELD_DEPTH = 541,      // fields insert each other too deeply
  ERR_STREAM_TOO_LONG = 542,  // a rendering grows beyond its limit
  ERR_REPEAT_NO_PROGRESS = 543,  // a repeat goes back without reaching a later record
};

enum ErrorSeverity { SEVERITY_NONE = 0, SEVERITY_LOG = 1, SEVERITY_ERROR = 2, SEVERITY_FATAL = 3 };

struct CErrorTrace {
  CErrorTrace* older = nullptr;
  CErrorTrace* newer = nullptr;
  int severity = SEVERITY_NONE;
  int line = 0;
  CString source_file;  // with backslashes between folders
  CString build_stamp;
  int error_code = 0;
  CString detail_text;
  int value = 0;

  // Links a new node as the newest of the program state's trace.
  static CErrorTrace* Push(const char* sourceFile, const char* buildStamp, int line);
  // Unlinks the node wherever it stands and frees it.
  static void Remove(CErrorTrace* node);
  // Frees every node, oldest first.
  static void RemoveAll();

  void Fail(int failLine, int failSeverity, int code, const char* detail, int failValue);
  // The part of source_file after its last backslash.
  CString FileName() const;
};

#define ERROR_TRACE_PUSH() CErrorTrace::Push(__FILE__, __TIMESTAMP__, __LINE__)
#define ERROR_TRACE_FAIL(node, severity, code, detail, value) (node)->Fail(__LINE__, severity, code, detail, value)
