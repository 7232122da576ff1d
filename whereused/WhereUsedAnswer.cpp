#include "whereused/WhereUsedAnswer.h"

#include <cstring>

#include "win32/FileMapping.h"
#include "win32/Types.h"

namespace {

// Runs of the text between double quotes, and each double quote itself as a
// one-character text, joined by "+": the viewer reads a quoted text up to
// the next double quote and takes a quote between single quotes as itself.
void AppendTextExpression(const CString& text, CDynBuf& code) {
  const char* c = text;
  if (*c == '\0') {
    code.Append("\"\"");
    return;
  }
  bool first = true;
  while (*c != '\0') {
    if (!first) code.Append('+');
    first = false;
    if (*c == '"') {
      code.Append("'\"'");
      ++c;
      continue;
    }
    const size_t run = std::strcspn(c, "\"");
    code.Append('"');
    code.Append(c, static_cast<int>(run));
    code.Append('"');
    c += run;
  }
}

}  // namespace

void WhereUsedAnswer::Build(const CString& key, const CString& block, CDynBuf& code) {
  static const char kSetBlock[] = "\0Nbl\0C";  // CHAR variable bl, its value follows
  static const char kShowKey[] = "\0[\0{";     // end of the value, the key statement
  static const char kEnd[] = "\0|\0\0";        // end of the key, end of the list
  code.Empty();
  code.Append(kSetBlock, sizeof kSetBlock - 1);
  AppendTextExpression(block, code);
  code.Append(kShowKey, sizeof kShowKey - 1);
  code.Append(key);
  code.Append(kEnd, sizeof kEnd - 1);
}

WhereUsedAnswer::Result WhereUsedAnswer::Write(const char* blockName, const CDynBuf& code) {
  if (code.GetLength() > kLongest) return Result::tooLong;
  HANDLE mapping = OpenFileMapping(FILE_MAP_ALL_ACCESS, FALSE, blockName);
  if (mapping == nullptr) return Result::blockMissing;
  auto* block = static_cast<BYTE*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  if (block == nullptr) {
    CloseHandle(mapping);
    return Result::blockMissing;
  }
  const int length = code.GetLength();
  std::memcpy(block + 2, code.GetData(), static_cast<size_t>(length));
  // The length last: a reader never sees a length without its bytes.
  block[0] = static_cast<BYTE>(length % 256);
  block[1] = static_cast<BYTE>(length / 256);
  UnmapViewOfFile(block);
  CloseHandle(mapping);
  return Result::written;
}

CString WhereUsedAnswer::Complaint(Result result, const char* blockName) {
  CString text;
  switch (result) {
    case Result::written:
      break;
    case Result::tooLong:
      text = "Die Auswahl ist zu lang f\xFCr VARNO 4 !\nThe selection is too long for VARNO 4 !";
      break;
    case Result::blockMissing:
      text.Format("Austauschblock %s nicht gefunden !\nExchange block %s not found !", blockName, blockName);
      break;
  }
  return text;
}
