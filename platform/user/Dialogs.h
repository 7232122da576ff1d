// The dialog manager: dialogs from templates (a module's DIALOG resources or
// templates in memory, in both of the platform's forms), modal and modeless,
// dialog procedures, dialog units from the dialog's font, keyboard navigation
// and the calls on dialog items.
#pragma once

#include <functional>

#include "user/Controls.h"
#include "win32/MessageBox.h"
#include "win32/UserTypes.h"

typedef INT_PTR (*DLGPROC)(HWND, UINT, WPARAM, LPARAM);

// The platform's template records; a template in memory starts with one and
// goes on with its texts and items (see win32/DialogTemplate.h).
#pragma pack(push, 2)
struct DLGTEMPLATE {
  DWORD style;
  DWORD dwExtendedStyle;
  WORD cdit;
  short x;
  short y;
  short cx;
  short cy;
};
struct DLGITEMTEMPLATE {
  DWORD style;
  DWORD dwExtendedStyle;
  short x;
  short y;
  short cx;
  short cy;
  WORD id;
};
#pragma pack(pop)
typedef const DLGTEMPLATE* LPCDLGTEMPLATE;

// The dialog's own window bytes (the dialog class keeps them for its procedure).
#define DWLP_MSGRESULT 0
#define DWLP_DLGPROC 8
#define DWLP_USER 16
#define DLGWINDOWEXTRA 24

// The class of dialogs made without a class of their own.
#define WC_DIALOG MAKEINTRESOURCE(0x8002)

INT_PTR DialogBoxParam(HINSTANCE module, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM param);
INT_PTR DialogBoxIndirectParam(HINSTANCE module, LPCDLGTEMPLATE dialogTemplate, HWND parent, DLGPROC proc, LPARAM param);
HWND CreateDialogParam(HINSTANCE module, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM param);
HWND CreateDialogIndirectParam(HINSTANCE module, LPCDLGTEMPLATE dialogTemplate, HWND parent, DLGPROC proc, LPARAM param);
inline INT_PTR DialogBox(HINSTANCE module, LPCSTR templateName, HWND parent, DLGPROC proc) {
  return DialogBoxParam(module, templateName, parent, proc, 0);
}
inline HWND CreateDialog(HINSTANCE module, LPCSTR templateName, HWND parent, DLGPROC proc) {
  return CreateDialogParam(module, templateName, parent, proc, 0);
}
inline INT_PTR DialogBoxParamA(HINSTANCE module, LPCSTR name, HWND parent, DLGPROC proc, LPARAM param) {
  return DialogBoxParam(module, name, parent, proc, param);
}
inline HWND CreateDialogParamA(HINSTANCE module, LPCSTR name, HWND parent, DLGPROC proc, LPARAM param) {
  return CreateDialogParam(module, name, parent, proc, param);
}
BOOL EndDialog(HWND dialog, INT_PTR result);
LRESULT DefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsDialogMessage(HWND dialog, LPMSG msg);
inline BOOL IsDialogMessageA(HWND dialog, LPMSG msg) { return IsDialogMessage(dialog, msg); }

UINT GetDlgItemText(HWND dialog, int id, LPSTR text, int size);
BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text);
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
BOOL MapDialogRect(HWND dialog, LPRECT rect);
// The base units of the system font: average width in the low word, height in the high word.
LONG GetDialogBaseUnits();

namespace layer {

// Called with every modal loop's window (dialogs, message boxes, menus) once
// it is shown and before the loop takes its first message; tests answer
// through it as a person would, with input or messages. Per thread; returns
// the hook it replaces.
using ModalHook = std::function<void(HWND window)>;
ModalHook SetModalHook(ModalHook hook);
void RunModalHook(HWND window);

// The dialog units of a dialog: its font's average character width and height.
SIZE DialogBaseUnits(HWND dialog);

}  // namespace layer
