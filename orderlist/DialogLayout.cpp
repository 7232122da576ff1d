#include "orderlist/DialogLayout.h"

#include "mfc/CRect.h"
#include "win32/MessageBox.h"
#include "win32/UserWindows.h"

namespace {

constexpr long kOkText = 1119, kCancelText = 680;

}  // namespace

void LabelDialog(CWnd& dialog, const CProtocolApp& app, long caption, std::initializer_list<DialogText> texts) {
  dialog.SetWindowText(app.GetText(caption));
  dialog.SetDlgItemText(IDOK, app.GetText(kOkText));
  dialog.SetDlgItemText(IDCANCEL, app.GetText(kCancelText));
  for (const DialogText& text : texts) dialog.SetDlgItemText(text.id, app.GetText(text.text));
}

void ShortenDialog(CWnd& dialog, int lastShownRow, int lastRow) {
  CRect lastShown, last, window;
  dialog.GetDlgItem(lastShownRow)->GetWindowRect(&lastShown);
  dialog.GetDlgItem(lastRow)->GetWindowRect(&last);
  dialog.GetWindowRect(&window);
  dialog.SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() - (last.bottom - lastShown.bottom),
                      SWP_NOMOVE | SWP_NOZORDER);
}
