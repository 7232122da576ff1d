// What the dialog manager's parts share (not for the system's code).
#pragma once

#include <functional>
#include <vector>

#include "user/Dialogs.h"

namespace layer::dialogs {

// The dialog manager's record of one dialog, from its creation to WM_NCDESTROY.
struct DialogData {
  HFONT font = nullptr;
  bool ownsFont = false;
  SIZE baseUnits{};
  int defaultId = 0;  // set by DM_SETDEFID; 0: the template's default button
  HWND savedFocus = nullptr;
  HICON icons[2]{};
  bool modal = false;
  bool ended = false;
  INT_PTR result = 0;
  HWND disabledOwner = nullptr;  // the owner a modal loop disabled
  std::vector<HWND> order;       // the controls in their template's order (the keys' order)
};

// The record of a dialog, or null for any other window.
DialogData* DataOf(HWND dialog);

// The child of the dialog that holds a window (the window itself when it is
// one); null when it is not inside the dialog.
HWND DialogChildOf(HWND dialog, HWND window);
// Gives a control the focus as the keyboard does: an edit field's text is
// selected whole, and a push button becomes the default while it has it.
void SetDialogFocus(HWND dialog, HWND control);
// Marks the default push button: the focused push button, else the dialog's default id.
void UpdateDefaultButton(HWND dialog, HWND focus);
// The id that DM_GETDEFID answers (0 for none).
int DefaultId(HWND dialog);

// Shows a dialog (made hidden), disables its owner and runs its loop until
// EndDialog; every message first goes to preTranslate (true: handled). The
// owner is enabled again and the result returned; the dialog stays.
INT_PTR RunModalLoop(HWND dialog, const std::function<bool(MSG&)>& preTranslate);
// Makes a dialog from the bytes of a template (hidden unless it asks to be
// shown and modeless). modal: the owner is the parent's top-level window.
HWND CreateFromTemplate(HINSTANCE module, const void* bytes, std::size_t size, HWND parent, DLGPROC proc, LPARAM param,
                        bool modal);

}  // namespace layer::dialogs
