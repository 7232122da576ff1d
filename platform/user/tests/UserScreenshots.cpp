// Pictures of the user interface for a look with one's own eyes: a dialog
// with every control kind, an open pop-up menu, a message box, a menu bar and
// the print dialog.
//
//   user_screenshots folder   (under Xvfb: QT_QPA_PLATFORM=xcb)
#include <cstdio>
#include <string>

#include "UserTestSupport.h"
#include "qt/Screenshot.h"
#include "res/resource.h"
#include "user/Dialogs.h"
#include "user/Menus.h"
#include "user/MessageBoxWindow.h"
#include "win32/CommDlg.h"
#include "win32/Memory.h"
#include "win32/Module.h"

using namespace layer::testing;

namespace {

std::string folder;

INT_PTR CALLBACK FillingProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  for (const char* kind : {"Klein", "Mittel", "Gro\xDF"}) SendDlgItemMessage(dialog, IDC_KIND, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kind));
  for (const char* part : {"Achse", "Messer", "Rad", "Schraube", "Zahnrad"})
    SendDlgItemMessage(dialog, IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(part));
  SendDlgItemMessage(dialog, IDC_KIND, CB_SETCURSEL, 1, 0);
  SendDlgItemMessage(dialog, IDC_LIST, LB_SETCURSEL, 1, 0);
  SetDlgItemText(dialog, IDC_NAME, "Rasenm\xE4her");
  SetDlgItemText(dialog, IDC_TOWN, "M\xFCnchen");
  SetDlgItemText(dialog, IDC_NOTES, "Zeile eins\r\nZeile zwei\r\nZeile drei");
  SetDlgItemText(dialog, IDC_PASSWORD, "geheim");
  CheckDlgButton(dialog, IDC_CHECK, BST_CHECKED);
  CheckDlgButton(dialog, IDC_THREE, BST_INDETERMINATE);
  CheckRadioButton(dialog, IDC_RADIO1, IDC_RADIO3, IDC_RADIO2);
  EnableWindow(GetDlgItem(dialog, IDC_MORE), FALSE);
  return TRUE;
}

void Save(HWND window, const char* name) {
  layer::PumpUntilIdle();
  std::string path = folder + "/" + name;
  bool written = layer::SaveWindowPng(window, path);
  std::printf("%s %s\n", written ? "wrote" : "could not write", path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: user_screenshots folder\n");
    return 2;
  }
  folder = argv[1];
  OwnerWindow owner;
  {
    ModalScript script([](HWND dialog) {
      Save(dialog, "dialog.png");
      EndDialog(dialog, IDOK);
    });
    DialogBoxParam(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDD_ALL), owner.Handle(), FillingProc, 0);
  }
  {
    HMENU menu = LoadMenu(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDM_MAIN));
    ModalScript script([](HWND popup) {
      SendMessage(popup, WM_KEYDOWN, VK_DOWN, 0);
      Save(popup, "popup.png");
      EndMenu();
    });
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_RETURNCMD, 120, 120, 0, owner.Handle(), nullptr);
    DestroyMenu(menu);
  }
  {
    auto previous = layer::SetMessageBoxPresenter(layer::ShowMessageBoxWindow);
    ModalScript script([](HWND box) {
      Save(box, "messagebox.png");
      EndDialog(box, IDNO);
    });
    MessageBox(owner.Handle(), "Die Bestellung wurde ge\xE4ndert.\nSoll sie gespeichert werden?", "Bestellung",
               MB_YESNOCANCEL | MB_ICONQUESTION);
    layer::SetMessageBoxPresenter(previous);
  }
  {
    ModalScript script([](HWND dialog) {
      Save(dialog, "printdialog.png");
      EndDialog(dialog, IDCANCEL);
    });
    PRINTDLG record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = owner.Handle();
    record.Flags = PD_NOSELECTION | PD_PAGENUMS;
    record.nMinPage = 1;
    record.nMaxPage = 12;
    record.nFromPage = 2;
    record.nToPage = 5;
    record.nCopies = 2;
    PrintDlg(&record);
  }
  {
    HMENU bar = LoadMenu(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDM_MAIN));
    SetMenu(owner.Handle(), bar);
    ShowWindow(owner.Handle(), SW_SHOW);
    ModalScript script([&owner](HWND) {
      PostMessage(owner.Handle(), WM_KEYDOWN, VK_DOWN, 1);
      layer::PumpUntilIdle();
      std::string path = folder + "/menubar.png";
      std::printf("%s %s\n", layer::SaveScreenPng(path) ? "wrote" : "could not write", path.c_str());
      Save(owner.Handle(), "frame.png");
      EndMenu();
    });
    SendMessage(owner.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'd');
    SetMenu(owner.Handle(), nullptr);
    DestroyMenu(bar);
  }
  return 0;
}
