// Reads and writes the system's ini files: sections in square brackets, lines
// of key "=" value ended by CR LF (the system's own files) or by LF alone (files
// edited on this system); a written line ends as the file's first line does.
// No state is kept between calls: each call opens its file anew (three tries,
// 100 ms apart, as other programs may hold it), works on the whole text and,
// for a write, puts the whole new text in place at once.
#pragma once

#include "foundation/CDynBuf.h"
#include "mfc/CObject.h"
#include "mfc/CString.h"

class CFile;

class CIniClass : public CObject {
  DECLARE_DYNCREATE(CIniClass)

 public:
  CIniClass() = default;
  ~CIniClass() override = default;

  // 1 when the file was read (value: the key's value or the default); 0 when
  // it cannot be read or no "=" follows in the rest of the text (value: default).
  int ReadKey(const char* section, const char* key, const char* defaultValue, CString& value, const char* file,
              int ignoreCase);
  // The section's lines, each followed by a zero byte, and one more zero byte.
  int ReadSection(const char* section, CDynBuf& lines, const char* file, int ignoreCase);
  // Finds the header of section in size bytes of text (zero byte at text[size])
  // from pos; on 1, pos is at the start of the line after the header (the end
  // of the text when the header is the last line).
  int FindSection(const char* section, const char* text, unsigned size, unsigned& pos, int ignoreCase);
  int WriteKey(const char* section, const char* key, const char* value, const char* file, int ignoreCase);

 private:
  static bool ReadWholeFile(const char* file, UINT openFlags, CFile& handle, CDynBuf& text);
  static bool NamesMatch(const char* name, const char* bytes, unsigned length, int ignoreCase);
  static bool ReplaceFile(CFile& handle, const char* file, const CDynBuf& current, const CDynBuf& text);
};
