// What the viewer's report-list dialogs share: their texts by number and
// columns sized to their widest text.
#pragma once

#include "mfc/CListCtrl.h"
#include "mfc/CWnd.h"

void SetDialogText(CWnd& dialog, int id, long number);
// Three columns titled by program texts, then filled, then each as wide as
// its widest text (title included) and a margin.
void SizeColumnsToTexts(CListCtrl& list, int columns, int margin);
