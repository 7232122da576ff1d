// The viewer's holder of one catalogue database.
#pragma once

#include "win32/Types.h"

class DdmDatabase;

struct DdmDbLink {
  LONG max_lines = 0;  // hit count of the last search
  LONG cur_line = 0;   // the hit in work, whose fields the evaluators read
  DdmDatabase* dbc = nullptr;
};
