// The where-used program's command line: options after a dash, each value a
// word or a text in single quotes, as the viewer's external-program list and
// the catalogue's command write them:
//   -D vnw.bin -P project.prj -S section -L lang -M msg -C col -GK -MMF block
#pragma once

#include "mfc/CString.h"
#include "win32/Types.h"

struct WhereUsedCommandLine {
  CString ini;                 // -P: the ini file that holds the section
  CString data;                // -D: the where-used file
  CString section;             // -S
  CString block;               // -MMF: the exchange block's name
  CString language;            // -L: language of the message file
  CString message;             // -M: the message file
  int column = 0;              // -C: the flag column
  BOOL caseSensitive = FALSE;  // -GK

  void Parse(const char* line);
  // The usage box for the first required option that is missing, in the
  // order the program checks them; null when all are there.
  const char* MissingOption() const;
};
