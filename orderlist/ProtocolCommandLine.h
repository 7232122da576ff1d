// The order-list program's command line as the viewer writes it:
// "-DL <data language> -PL <program language>" and, when set, " -DN '<texts
// by number>'", " -DC '<texts by key>'" and " -TS '<parts master>'". Options
// of other names are skipped with their values (the runner's "-MMF" and its
// block name among them).
#pragma once

#include <optional>

#include "mfc/CString.h"

struct ProtocolCommandLine {
  // Each option given with a value; an option without one stays unset.
  std::optional<CString> dataLanguage;      // DL
  std::optional<CString> programLanguage;   // PL
  std::optional<CString> textsByNumber;     // DN
  std::optional<CString> textsByKey;        // DC
  std::optional<CString> partsMaster;       // TS

  // Names are compared with case; a value runs to the next blank or tab,
  // and single quotes around a part of it keep its blanks (the quotes go).
  static ProtocolCommandLine Parse(const char* line);
};
