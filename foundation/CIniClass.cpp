#include "foundation/CIniClass.h"

#include <algorithm>
#include <cstring>

#include "mfc/CFile.h"
#include "mfc/CFileException.h"
#include "win32/Clock.h"
#include "win32/Errors.h"
#include "win32/Files.h"
#include "win32/Mbstring.h"

IMPLEMENT_DYNCREATE(CIniClass, CObject)

namespace {

constexpr int kOpenTries = 3;
constexpr DWORD kRetryPause = 100;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool HeldElsewhere(const CFileException& reason) {
  return reason.m_lOsError == ERROR_SHARING_VIOLATION || reason.m_lOsError == ERROR_LOCK_VIOLATION;
}

// A scanner over the zero-terminated file text. Lines end in CR LF as the
// system writes them, or in LF alone as editors on this system write them; a
// lone CR ends a line too.
struct Text {
  const char* bytes;
  unsigned size;

  unsigned SkipBlanks(unsigned pos) const {
    while (pos < size && IsBlank(bytes[pos])) ++pos;
    return pos;
  }
  // The CR or LF that ends the line holding pos, or the end of the text.
  unsigned LineEnd(unsigned pos) const {
    if (pos >= size) return size;
    const char* end = std::find_if(bytes + pos, bytes + size, [](char c) { return c == '\r' || c == '\n'; });
    return static_cast<unsigned>(end - bytes);
  }
  bool HasLineEnd(unsigned pos) const { return LineEnd(pos) < size; }
  // The start of the next line, or the end of the text after the last line.
  unsigned NextLine(unsigned pos) const {
    unsigned end = LineEnd(pos);
    if (end == size) return size;
    bool crlf = bytes[end] == '\r' && end + 1 < size && bytes[end + 1] == '\n';
    return end + (crlf ? 2 : 1);
  }
  unsigned Find(char ch, unsigned from, unsigned to) const {
    const void* at = from < to ? std::memchr(bytes + from, ch, to - from) : nullptr;
    return at ? static_cast<unsigned>(static_cast<const char*>(at) - bytes) : to;
  }
  // The line end that a new line gets: the one the file's first line ends
  // with, CR LF for a file of one line or none.
  const char* LineBreak() const {
    unsigned end = LineEnd(0);
    return end < size && bytes[end] == '\n' ? "\n" : "\r\n";
  }
  bool EndsWith(const char* tail) const {
    unsigned length = static_cast<unsigned>(std::strlen(tail));
    return size >= length && std::memcmp(bytes + size - length, tail, length) == 0;
  }
};

}  // namespace

bool CIniClass::NamesMatch(const char* name, const char* bytes, unsigned length, int ignoreCase) {
  if (std::strlen(name) != length) return false;
  if (ignoreCase)
    return _mbsnbicmp(reinterpret_cast<const unsigned char*>(name), reinterpret_cast<const unsigned char*>(bytes),
                      length) == 0;
  return std::memcmp(name, bytes, length) == 0;
}

// Another process may hold the file for a moment; a file that is not there
// does not come by waiting, so its reader gets the default at once.
bool CIniClass::ReadWholeFile(const char* file, UINT openFlags, CFile& handle, CDynBuf& text) {
  bool opened = false;
  for (int attempt = 0; attempt < kOpenTries && !opened; ++attempt) {
    CFileException reason;
    opened = handle.Open(file, openFlags, &reason);
    if (!opened && !HeldElsewhere(reason)) return false;
    if (!opened) Sleep(kRetryPause);
  }
  if (!opened) return false;
  try {
    CFileStatus status;
    if (!handle.GetStatus(status) || status.m_size < 0 || status.m_size == 0x7FFFFFFF) return false;
    text.SetGrowBy(status.m_size + 1);
    if (!text.SetLength(status.m_size)) return false;
    UINT read = handle.Read(text.GetData(), static_cast<UINT>(status.m_size));
    return read == static_cast<UINT>(status.m_size);
  } catch (CFileException* error) {
    error->Delete();
    return false;
  }
}

int CIniClass::FindSection(const char* section, const char* text, unsigned size, unsigned& pos, int ignoreCase) {
  Text scan{text, size};
  pos = scan.SkipBlanks(std::min(pos, size));
  for (;;) {
    bool found = false;
    if (pos < size && text[pos] == '[') {
      unsigned close = scan.Find(']', pos + 1, size);
      if (close == size) return 0;
      found = NamesMatch(section, text + pos + 1, close - pos - 1, ignoreCase);
    }
    bool lastLine = !scan.HasLineEnd(pos);
    pos = scan.NextLine(pos);
    if (found) return 1;
    if (lastLine) return 0;
  }
}

int CIniClass::ReadKey(const char* section, const char* key, const char* defaultValue, CString& value,
                       const char* file, int ignoreCase) {
  const char* fallback = defaultValue ? defaultValue : "";
  value.Empty();
  CFile handle;
  CDynBuf content;
  if (!ReadWholeFile(file, CFile::modeRead | CFile::shareDenyWrite, handle, content)) {
    value = fallback;
    return 0;
  }
  handle.Abort();
  Text scan{content, static_cast<unsigned>(content.GetLength())};
  unsigned pos = 0;
  if (!FindSection(section, scan.bytes, scan.size, pos, ignoreCase)) {
    value = fallback;
    return 1;
  }
  bool matched = false;
  while (!matched) {
    pos = scan.SkipBlanks(pos);
    if (pos >= scan.size || scan.bytes[pos] == '[') {
      value = fallback;
      return 1;
    }
    unsigned equals = scan.Find('=', pos, scan.size);
    if (equals == scan.size) {
      value = fallback;
      return 0;
    }
    if (NamesMatch(key, scan.bytes + pos, equals - pos, ignoreCase)) {
      unsigned end = scan.LineEnd(equals);
      value = CString(scan.bytes + equals + 1, static_cast<int>(end - equals - 1));
      matched = true;
    } else {
      pos = scan.NextLine(pos);
    }
  }
  value.TrimLeft();
  value.TrimRight();
  return 1;
}

int CIniClass::ReadSection(const char* section, CDynBuf& lines, const char* file, int ignoreCase) {
  lines.Empty();
  CFile handle;
  CDynBuf content;
  if (!ReadWholeFile(file, CFile::modeRead | CFile::shareDenyWrite, handle, content)) return 0;
  handle.Abort();
  Text scan{content, static_cast<unsigned>(content.GetLength())};
  unsigned pos = 0;
  if (!FindSection(section, scan.bytes, scan.size, pos, ignoreCase)) return 1;
  int taken = 0;
  for (;;) {
    pos = scan.SkipBlanks(pos);
    if (pos >= scan.size || scan.bytes[pos] == '[') {
      lines.Append('\0');
      return 1;
    }
    unsigned end = scan.LineEnd(pos);
    bool skipped = scan.bytes[pos] == ';' || end == pos;
    if (!skipped) {
      lines.Append(scan.bytes + pos, static_cast<int>(end - pos));
      lines.Append('\0');
      ++taken;
    }
    if (!scan.HasLineEnd(pos)) {
      if (taken == 0) return 0;
      lines.Append('\0');
      return 1;
    }
    pos = scan.NextLine(pos);
  }
}

bool CIniClass::ReplaceFile(CFile& handle, const char* file, const CDynBuf& current, const CDynBuf& text) {
  // A text that is already there is not written again: a job that stores the
  // same settings each time costs no writes to the disk.
  if (text == current) {
    handle.Abort();
    return true;
  }
  // The new text goes to a file beside the old one, which then takes the old
  // one's place in one step: a failure anywhere leaves the old text whole.
  // The old file stays open (and so locked) until the new one stands.
  CString fresh = CString(file) + ".~new";
  try {
    CFile out(fresh, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    try {
      out.Write(text.GetData(), static_cast<UINT>(text.GetLength()));
      out.Flush();
      out.Close();
    } catch (CFileException*) {
      out.Abort();
      throw;
    }
    if (!MoveFileEx(fresh, file, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) AfxThrowFileException(CFileException::generic);
  } catch (CFileException* error) {
    error->Delete();
    DeleteFile(fresh);
    return false;
  }
  handle.Abort();
  return true;
}

int CIniClass::WriteKey(const char* section, const char* key, const char* value, const char* file, int ignoreCase) {
  CFile handle;
  CDynBuf content;
  if (!ReadWholeFile(file, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite | CFile::shareExclusive,
                     handle, content))
    return 0;
  Text scan{content, static_cast<unsigned>(content.GetLength())};
  const char* lineBreak = scan.LineBreak();
  CDynBuf keyLine;
  keyLine.Append(key);
  keyLine.Append('=');
  keyLine.Append(value);

  CDynBuf result;
  result.SetGrowBy(64);
  unsigned pos = 0;
  if (!FindSection(section, scan.bytes, scan.size, pos, ignoreCase)) {
    result.Append(content);
    if (scan.size > 1 && !scan.EndsWith(lineBreak)) result.Append(lineBreak);
    result.Append(lineBreak);
    result.Append('[');
    result.Append(section);
    result.Append(']');
    result.Append(lineBreak);
    result.Append(keyLine);
    result.Append(lineBreak);
    return ReplaceFile(handle, file, content, result) ? 1 : 0;
  }
  for (;;) {
    unsigned lineStart = pos < scan.size ? pos : scan.size;
    unsigned first = scan.SkipBlanks(lineStart);
    if (first >= scan.size || scan.bytes[first] == '[') {
      // The new key closes the section, followed by an empty line.
      unsigned before = lineStart;
      while (before > 0 && (scan.bytes[before - 1] == '\r' || scan.bytes[before - 1] == '\n')) --before;
      result.Append(scan.bytes, static_cast<int>(before));
      result.Append(lineBreak);
      result.Append(keyLine);
      result.Append(lineBreak);
      result.Append(lineBreak);
      result.Append(scan.bytes + lineStart, static_cast<int>(scan.size - lineStart));
      break;
    }
    unsigned end = scan.LineEnd(first);
    unsigned equals = scan.Find('=', first, end);
    if (equals < end && NamesMatch(key, scan.bytes + first, equals - first, ignoreCase)) {
      unsigned next = scan.NextLine(first);
      result.Append(scan.bytes, static_cast<int>(first));
      result.Append(keyLine);
      result.Append(lineBreak);
      result.Append(scan.bytes + next, static_cast<int>(scan.size - next));
      break;
    }
    pos = scan.NextLine(first);
  }
  return ReplaceFile(handle, file, content, result) ? 1 : 0;
}
