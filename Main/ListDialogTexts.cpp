#include "Main/ListDialogTexts.h"

#include <algorithm>

#include "Main/CWV4Globals.h"
#include "comctl/CommCtrl.h"

void SetDialogText(CWnd& dialog, int id, long number) {
  if (CWnd* item = id == 0 ? &dialog : dialog.GetDlgItem(id)) item->SetWindowText(theGlobals.MessageText(number));
}

void SizeColumnsToTexts(CListCtrl& list, int columns, int margin) {
  for (int column = 0; column < columns; ++column) {
    LVCOLUMN header{};
    char title[128] = {};
    header.mask = LVCF_TEXT;
    header.pszText = title;
    header.cchTextMax = sizeof title;
    list.GetColumn(column, &header);
    int width = list.GetStringWidth(title);
    for (int row = 0; row < list.GetItemCount(); ++row)
      width = std::max(width, list.GetStringWidth(list.GetItemText(row, column)));
    list.SetColumnWidth(column, width + margin);
  }
}
