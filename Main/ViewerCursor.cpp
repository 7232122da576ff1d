#include "Main/ViewerCursor.h"

#include "mfc/CWinApp.h"
#include "win32/UserWindows.h"

HCURSOR ViewerCursor(int id) {
  HCURSOR cursor = LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(id));
  return cursor != nullptr ? cursor : LoadCursor(nullptr, IDC_HAND);
}

void SetCursorOnce(HCURSOR cursor) {
  if (GetCursor() != cursor) SetCursor(cursor);
}
