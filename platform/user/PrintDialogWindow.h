// The print dialog as a real dialog: the printer with its status, type,
// place and comment, its properties, printing to a file, the page range and
// the copies. The layer shows it where a person can see the screen; tests
// install it as the print dialog's presenter and work it with keys and
// messages.
#pragma once

#include "win32/CommDlg.h"

namespace layer {

// Runs the dialog modally over the owner, starting from the choice; true with
// the choice changed by the user's OK, false for Cancel. A dialog that cannot
// be made is false with the reason for CommDlgExtendedError.
bool ShowPrintDialogWindow(HWND owner, PrintChoice& choice);

}  // namespace layer
