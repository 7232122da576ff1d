// The print dialog's window: filled from the choice, kept up to date when
// the user picks another printer, and read back into the choice on OK once
// the copies and pages make sense.
#include "user/PrintDialogWindow.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "user/Dialogs.h"
#include "user/res/LayerDialogs.h"
#include "win32/Locale.h"
#include "win32/MessageBox.h"
#include "win32/Printers.h"
#include "win32/Resources.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"
#include "win32/WinSpool.h"

namespace layer {
namespace {

constexpr const char* kGermanTemplate = "LAYER_PRINT";
constexpr const char* kEnglishTemplate = "LAYER_PRINT_ENGLISH";
constexpr int kMostCopies = 9999;
constexpr int kNoPage = 0xFFFF;  // the caller left the page box empty

// The desktop's own dialogs speak the user's language: German for a German
// locale, English for any other.
bool GermanDesktop() { return PRIMARYLANGID(GetUserDefaultLangID()) == LANG_GERMAN; }
const char* Say(const char* german, const char* english) { return GermanDesktop() ? german : english; }

PrintChoice& ChoiceOf(HWND dialog) { return *reinterpret_cast<PrintChoice*>(GetWindowLongPtr(dialog, DWLP_USER)); }

void EnableItems(HWND dialog, std::initializer_list<int> ids, bool enable) {
  for (int id : ids) EnableWindow(GetDlgItem(dialog, id), enable ? TRUE : FALSE);
}

bool PagesPossible(const PrintChoice& choice) { return !(choice.flags & PD_NOPAGENUMS) && choice.minPage != choice.maxPage; }

// The lines about the chosen printer, and the copies it can make where the
// caller takes them from its device mode.
void ShowPrinter(HWND dialog, const PrintChoice& choice) {
  std::optional<PrinterDescription> printer = FindPrinter(choice.printers[choice.printer]);
  SetDlgItemText(dialog, IDC_PRINT_STATUS, printer ? Say("Bereit", "Ready") : Say("Nicht verf\xFCgbar", "Not available"));
  SetDlgItemText(dialog, IDC_PRINT_TYPE, printer ? printer->model.c_str() : "");
  SetDlgItemText(dialog, IDC_PRINT_WHERE, !printer ? "" : printer->location.empty() ? printer->port.c_str() : printer->location.c_str());
  SetDlgItemText(dialog, IDC_PRINT_COMMENT, printer ? printer->comment.c_str() : "");
  bool fromMode = choice.flags & PD_USEDEVMODECOPIESANDCOLLATE;
  EnableItems(dialog, {IDC_PRINT_COPIES_LABEL, IDC_PRINT_COPIES}, printer && (!fromMode || printer->maxCopies > 1));
  EnableItems(dialog, {IDC_PRINT_COLLATE}, printer && (!fromMode || printer->collates));
  EnableItems(dialog, {IDC_PRINT_PROPERTIES}, printer.has_value());
}

void Fill(HWND dialog, const PrintChoice& choice) {
  HWND printers = GetDlgItem(dialog, IDC_PRINT_PRINTER);
  for (const std::string& name : choice.printers) SendMessage(printers, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  SendMessage(printers, CB_SETCURSEL, choice.printer, 0);
  ShowPrinter(dialog, choice);

  HWND toFile = GetDlgItem(dialog, IDC_PRINT_TO_FILE);
  if (choice.flags & PD_HIDEPRINTTOFILE) ShowWindow(toFile, SW_HIDE);
  EnableWindow(toFile, (choice.flags & PD_DISABLEPRINTTOFILE) ? FALSE : TRUE);
  CheckDlgButton(dialog, IDC_PRINT_TO_FILE, choice.printToFile ? BST_CHECKED : BST_UNCHECKED);

  bool pages = PagesPossible(choice);
  EnableItems(dialog, {IDC_PRINT_PAGES, IDC_PRINT_FROM_LABEL, IDC_PRINT_FROM, IDC_PRINT_TO_LABEL, IDC_PRINT_TO}, pages);
  EnableItems(dialog, {IDC_PRINT_SELECTION}, !(choice.flags & PD_NOSELECTION));
  int range = (choice.range & PD_PAGENUMS) && pages                                   ? IDC_PRINT_PAGES
              : (choice.range & PD_SELECTION) && !(choice.flags & PD_NOSELECTION) ? IDC_PRINT_SELECTION
                                                                                    : IDC_PRINT_ALL;
  CheckRadioButton(dialog, IDC_PRINT_ALL, IDC_PRINT_PAGES, range);
  if (pages && choice.fromPage != kNoPage) SetDlgItemInt(dialog, IDC_PRINT_FROM, static_cast<UINT>(choice.fromPage), FALSE);
  if (pages && choice.toPage != kNoPage) SetDlgItemInt(dialog, IDC_PRINT_TO, static_cast<UINT>(choice.toPage), FALSE);

  SetDlgItemInt(dialog, IDC_PRINT_COPIES, static_cast<UINT>(choice.copies), FALSE);
  CheckDlgButton(dialog, IDC_PRINT_COLLATE, choice.collate ? BST_CHECKED : BST_UNCHECKED);
}

// Tells the user what is wrong and puts the focus on the field to mend.
bool Refuse(HWND dialog, int id, const char* text) {
  MessageBox(dialog, text, Say("Drucken", "Print"), MB_OK | MB_ICONEXCLAMATION);
  SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
  return false;
}

bool ItemEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

// Reads the dialog into the choice; false (and the choice unchanged) while a
// field holds what cannot be printed.
bool Take(HWND dialog, PrintChoice& choice) {
  BOOL read = FALSE;
  int copies = choice.copies;
  if (ItemEnabled(dialog, IDC_PRINT_COPIES)) {
    copies = static_cast<int>(GetDlgItemInt(dialog, IDC_PRINT_COPIES, &read, FALSE));
    if (!read || copies < 1 || copies > kMostCopies)
      return Refuse(dialog, IDC_PRINT_COPIES,
                    Say("Die Anzahl der Exemplare mu\xDF zwischen 1 und 9999 liegen.", "The number of copies must be between 1 and 9999."));
  }
  DWORD range = IsDlgButtonChecked(dialog, IDC_PRINT_PAGES)       ? PD_PAGENUMS
                : IsDlgButtonChecked(dialog, IDC_PRINT_SELECTION) ? PD_SELECTION
                                                                  : PD_ALLPAGES;
  int from = choice.fromPage, to = choice.toPage;
  if (range == PD_PAGENUMS) {
    from = static_cast<int>(GetDlgItemInt(dialog, IDC_PRINT_FROM, &read, FALSE));
    bool fromRead = read;
    to = static_cast<int>(GetDlgItemInt(dialog, IDC_PRINT_TO, &read, FALSE));
    if (!read && GetWindowTextLength(GetDlgItem(dialog, IDC_PRINT_TO)) == 0) to = from;  // one page
    else if (!read) fromRead = false;
    if (!fromRead || from < choice.minPage || to > choice.maxPage || from > to) {
      char text[96];
      std::snprintf(text, sizeof text, Say("Die Seitenzahlen m\xFCssen zwischen %d und %d liegen.", "The page numbers must be between %d and %d."),
                    choice.minPage, choice.maxPage);
      return Refuse(dialog, fromRead && from <= to ? IDC_PRINT_TO : IDC_PRINT_FROM, text);
    }
  }
  choice.copies = copies;
  choice.collate = ItemEnabled(dialog, IDC_PRINT_COLLATE) && IsDlgButtonChecked(dialog, IDC_PRINT_COLLATE) == BST_CHECKED;
  choice.printToFile = !(choice.flags & PD_HIDEPRINTTOFILE) && IsDlgButtonChecked(dialog, IDC_PRINT_TO_FILE) == BST_CHECKED;
  choice.range = range;
  choice.fromPage = from;
  choice.toPage = to;
  return true;
}

// The printer's own settings, through its properties; what the user
// changed there stays with the choice.
void AskProperties(HWND dialog, PrintChoice& choice) {
  std::string name = choice.printers[choice.printer];
  HANDLE printer = nullptr;
  if (!OpenPrinter(name.data(), &printer, nullptr)) return;
  DEVMODE mode = choice.mode;
  if (DocumentProperties(dialog, printer, name.data(), &mode, &mode, DM_IN_BUFFER | DM_OUT_BUFFER | DM_IN_PROMPT) == IDOK)
    choice.mode = mode;
  ClosePrinter(printer);
}

void Command(HWND dialog, int id, int code) {
  PrintChoice& choice = ChoiceOf(dialog);
  switch (id) {
    case IDC_PRINT_PRINTER:
      if (code != CBN_SELCHANGE) return;
      SwitchPrinter(choice, static_cast<std::size_t>(SendDlgItemMessage(dialog, id, CB_GETCURSEL, 0, 0)));
      ShowPrinter(dialog, choice);
      return;
    case IDC_PRINT_PROPERTIES:
      if (code == BN_CLICKED) AskProperties(dialog, choice);
      return;
    case IDC_PRINT_FROM:
    case IDC_PRINT_TO:
      // Typing a page number chooses the page range it belongs to.
      if (code == EN_CHANGE && GetFocus() == GetDlgItem(dialog, id))
        CheckRadioButton(dialog, IDC_PRINT_ALL, IDC_PRINT_PAGES, IDC_PRINT_PAGES);
      return;
    case IDOK:
      if (code == BN_CLICKED && Take(dialog, choice)) EndDialog(dialog, IDOK);
      return;
    case IDCANCEL:
      if (code == BN_CLICKED) EndDialog(dialog, IDCANCEL);
      return;
    default: return;
  }
}

INT_PTR CALLBACK PrintDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      Fill(dialog, *reinterpret_cast<PrintChoice*>(lParam));
      return TRUE;
    case WM_COMMAND: Command(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

bool ShowPrintDialogWindow(HWND owner, PrintChoice& choice) {
  if (choice.printer >= choice.printers.size()) {
    SetCommonDialogError(PDERR_NODEVICES);
    return false;
  }
  const char* templateName = GermanDesktop() ? kGermanTemplate : kEnglishTemplate;
  std::vector<HMODULE> holders = ModulesWithResource(templateName, RT_DIALOG);
  if (holders.empty()) {
    SetCommonDialogError(CDERR_FINDRESFAILURE);
    return false;
  }
  PrintChoice edited = choice;
  INT_PTR result = DialogBoxParam(holders.front(), templateName, owner, PrintDialogProc, reinterpret_cast<LPARAM>(&edited));
  if (result != IDOK && result != IDCANCEL) {
    SetCommonDialogError(CDERR_DIALOGFAILURE);
    return false;
  }
  if (result == IDCANCEL) return false;
  choice = edited;
  return true;
}

}  // namespace layer
