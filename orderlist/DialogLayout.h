// What the program's dialogs do alike at their start: their texts come from
// the program texts, and a dialog with fewer rows than its template ends as
// far below its last shown row as the template below its last.
#pragma once

#include <initializer_list>

#include "mfc/CWnd.h"
#include "orderlist/CProtocolApp.h"

struct DialogText {
  int id;
  long text;
};

// The caption and the controls' texts; the OK and Cancel buttons always.
void LabelDialog(CWnd& dialog, const CProtocolApp& app, long caption, std::initializer_list<DialogText> texts = {});
void ShortenDialog(CWnd& dialog, int lastShownRow, int lastRow);
