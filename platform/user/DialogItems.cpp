// The calls on a dialog's items by their ids.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "user/ControlSupport.h"
#include "user/Dialogs.h"
#include "win32/Errors.h"

UINT GetDlgItemText(HWND dialog, int id, LPSTR text, int size) {
  HWND item = GetDlgItem(dialog, id);
  if (!item) {
    if (text && size > 0) text[0] = '\0';
    return 0;
  }
  return static_cast<UINT>(GetWindowText(item, text, size));
}

BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text) {
  HWND item = GetDlgItem(dialog, id);
  return item ? SetWindowText(item, text) : FALSE;
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  if (translated) *translated = FALSE;
  HWND item = GetDlgItem(dialog, id);
  if (!item) return 0;
  std::string text = layer::controls::WindowTextOf(item);
  std::size_t start = text.find_first_not_of(' ');
  std::size_t end = text.find_last_not_of(' ');
  if (start == std::string::npos) return 0;
  std::string number = text.substr(start, end - start + 1);
  if (number.empty() || (number[0] == '-' && !isSigned)) return 0;
  for (std::size_t i = (number[0] == '-' || number[0] == '+') ? 1 : 0; i < number.size(); ++i)
    if (number[i] < '0' || number[i] > '9') return 0;
  errno = 0;
  char* rest = nullptr;
  long long value = std::strtoll(number.c_str(), &rest, 10);
  if (errno || rest == number.c_str()) return 0;
  bool fits = isSigned ? value >= INT_MIN && value <= INT_MAX : value >= 0 && value <= static_cast<long long>(UINT_MAX);
  if (!fits) return 0;
  if (translated) *translated = TRUE;
  return static_cast<UINT>(value);
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  char text[16];
  if (isSigned) std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
  else std::snprintf(text, sizeof text, "%u", value);
  return SetDlgItemText(dialog, id, text);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND item = GetDlgItem(dialog, id);
  if (!item) return FALSE;
  SendMessage(item, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  return item ? static_cast<UINT>(SendMessage(item, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
  bool any = false;
  for (int id = firstId; id <= lastId; ++id) {
    if (HWND item = GetDlgItem(dialog, id)) {
      SendMessage(item, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
      any = true;
    }
  }
  return any;
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND item = GetDlgItem(dialog, id);
  return item ? SendMessage(item, message, wParam, lParam) : 0;
}
