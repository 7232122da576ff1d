#include "mfc/CDataExchange.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "mfc/AfxMessageBox.h"
#include "mfc/CWnd.h"
#include "user/Dialogs.h"

IMPLEMENT_DYNAMIC(CUserException, CException)

HWND CDataExchange::PrepareCtrl(int id) {
  HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
  m_lastControl = control;
  m_lastIsEdit = false;
  return control;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
  HWND control = PrepareCtrl(id);
  m_lastIsEdit = true;
  return control;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_lastControl) {
    ::SetFocus(m_lastControl);
    if (m_lastIsEdit) ::SendMessage(m_lastControl, EM_SETSEL, 0, -1);
  }
  throw new CUserException;
}

namespace {

std::string TextOf(HWND control) {
  if (!control) return "";
  int length = ::GetWindowTextLength(control);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  ::GetWindowText(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

std::string Trimmed(const std::string& text) {
  std::size_t start = text.find_first_not_of(" \t");
  if (start == std::string::npos) return "";
  return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

// A whole number within [minimum, maximum], or false.
bool ReadWhole(const std::string& text, long long minimum, long long maximum, long long& value) {
  std::string number = Trimmed(text);
  if (number.empty()) return false;
  errno = 0;
  char* end = nullptr;
  value = std::strtoll(number.c_str(), &end, 10);
  return errno == 0 && *end == '\0' && value >= minimum && value <= maximum;
}

void Refuse(CDataExchange* exchange, const char* text) {
  AfxMessageBox(text, MB_ICONEXCLAMATION);
  exchange->Fail();
}

template <class Number>
void ExchangeWhole(CDataExchange* exchange, int id, Number& value, long long minimum, long long maximum, const char* format,
                   const char* refusal) {
  HWND control = exchange->PrepareEditCtrl(id);
  if (exchange->m_bSaveAndValidate) {
    long long read = 0;
    if (!ReadWhole(TextOf(control), minimum, maximum, read)) Refuse(exchange, refusal);
    value = static_cast<Number>(read);
  } else {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    ::SetWindowText(control, text);
  }
}

int CheckOf(HWND control) { return static_cast<int>(::SendMessage(control, BM_GETCHECK, 0, 0)); }

void ExchangeListString(CDataExchange* exchange, int id, CString& value, UINT select, UINT getIndex, UINT getText,
                        UINT getLength) {
  HWND control = exchange->PrepareCtrl(id);
  if (!exchange->m_bSaveAndValidate) {
    if (::SendMessage(control, select, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCSTR>(value))) < 0 &&
        getIndex == CB_GETCURSEL)
      ::SetWindowText(control, value);  // a combo box with a field shows what is not in its list
    return;
  }
  LRESULT index = ::SendMessage(control, getIndex, 0, 0);
  if (index < 0) {
    value = getIndex == CB_GETCURSEL ? TextOf(control).c_str() : "";
    return;
  }
  LRESULT length = ::SendMessage(control, getLength, static_cast<WPARAM>(index), 0);
  std::string text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
  ::SendMessage(control, getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  value = text.c_str();
}

}  // namespace

void DDX_Text(CDataExchange* exchange, int id, CString& value) {
  HWND control = exchange->PrepareEditCtrl(id);
  if (exchange->m_bSaveAndValidate) value = TextOf(control).c_str();
  else ::SetWindowText(control, value);
}

void DDX_Text(CDataExchange* exchange, int id, int& value) {
  ExchangeWhole(exchange, id, value, INT32_MIN, INT32_MAX, "%d", "Bitte geben Sie eine ganze Zahl ein.");
}
void DDX_Text(CDataExchange* exchange, int id, long& value) {
  ExchangeWhole(exchange, id, value, INT32_MIN, INT32_MAX, "%ld", "Bitte geben Sie eine ganze Zahl ein.");
}
void DDX_Text(CDataExchange* exchange, int id, UINT& value) {
  ExchangeWhole(exchange, id, value, 0, UINT32_MAX, "%u", "Bitte geben Sie eine positive ganze Zahl ein.");
}

void DDX_Text(CDataExchange* exchange, int id, double& value) {
  HWND control = exchange->PrepareEditCtrl(id);
  if (!exchange->m_bSaveAndValidate) {
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", value);
    ::SetWindowText(control, text);
    return;
  }
  std::string number = Trimmed(TextOf(control));
  char* end = nullptr;
  errno = 0;
  double read = number.empty() ? 0 : std::strtod(number.c_str(), &end);
  if (number.empty() || errno || *end != '\0') Refuse(exchange, "Bitte geben Sie eine Zahl ein.");
  value = read;
}

void DDX_Check(CDataExchange* exchange, int id, int& value) {
  HWND control = exchange->PrepareCtrl(id);
  if (exchange->m_bSaveAndValidate) value = CheckOf(control);
  else ::SendMessage(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* exchange, int id, int& value) {
  HWND dialog = exchange->m_pDlgWnd->m_hWnd;
  HWND first = exchange->PrepareCtrl(id);
  if (exchange->m_bSaveAndValidate) value = -1;
  int index = 0;
  HWND control = first;
  do {
    if (::SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
      if (exchange->m_bSaveAndValidate) {
        if (CheckOf(control) == BST_CHECKED) value = index;
      } else {
        ::SendMessage(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      ++index;
    }
    control = GetNextDlgGroupItem(dialog, control, FALSE);
  } while (control && control != first);
}

void DDX_CBString(CDataExchange* exchange, int id, CString& value) {
  ExchangeListString(exchange, id, value, CB_SELECTSTRING, CB_GETCURSEL, CB_GETLBTEXT, CB_GETLBTEXTLEN);
}
void DDX_CBStringExact(CDataExchange* exchange, int id, CString& value) {
  if (!exchange->m_bSaveAndValidate) {
    HWND control = exchange->PrepareCtrl(id);
    LRESULT found = ::SendMessage(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCSTR>(value)));
    if (found >= 0) ::SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    else ::SetWindowText(control, value);
    return;
  }
  DDX_CBString(exchange, id, value);
}
void DDX_LBString(CDataExchange* exchange, int id, CString& value) {
  ExchangeListString(exchange, id, value, LB_SELECTSTRING, LB_GETCURSEL, LB_GETTEXT, LB_GETTEXTLEN);
}
void DDX_LBStringExact(CDataExchange* exchange, int id, CString& value) {
  if (!exchange->m_bSaveAndValidate) {
    HWND control = exchange->PrepareCtrl(id);
    LRESULT found = ::SendMessage(control, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCSTR>(value)));
    ::SendMessage(control, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
    return;
  }
  DDX_LBString(exchange, id, value);
}

void DDX_CBIndex(CDataExchange* exchange, int id, int& index) {
  HWND control = exchange->PrepareCtrl(id);
  if (exchange->m_bSaveAndValidate) index = static_cast<int>(::SendMessage(control, CB_GETCURSEL, 0, 0));
  else ::SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}
void DDX_LBIndex(CDataExchange* exchange, int id, int& index) {
  HWND control = exchange->PrepareCtrl(id);
  if (exchange->m_bSaveAndValidate) index = static_cast<int>(::SendMessage(control, LB_GETCURSEL, 0, 0));
  else ::SendMessage(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_Control(CDataExchange* exchange, int id, CWnd& control) {
  if (control.m_hWnd) return;
  HWND item = exchange->PrepareCtrl(id);
  if (!item || !control.SubclassWindow(item)) exchange->Fail();
}

void DDV_MaxChars(CDataExchange* exchange, const CString& value, int count) {
  if (exchange->m_bSaveAndValidate && value.GetLength() > count) {
    char text[96];
    std::snprintf(text, sizeof text, "Bitte geben Sie nicht mehr als %d Zeichen ein.", count);
    Refuse(exchange, text);
  }
}

namespace {

template <class Number>
void CheckRange(CDataExchange* exchange, Number value, Number minimum, Number maximum, const char* format) {
  if (!exchange->m_bSaveAndValidate || (value >= minimum && value <= maximum)) return;
  char text[128];
  std::snprintf(text, sizeof text, format, minimum, maximum);
  Refuse(exchange, text);
}

}  // namespace

void DDV_MinMaxInt(CDataExchange* exchange, int value, int minimum, int maximum) {
  CheckRange(exchange, value, minimum, maximum, "Bitte geben Sie eine ganze Zahl zwischen %d und %d ein.");
}
void DDV_MinMaxUInt(CDataExchange* exchange, UINT value, UINT minimum, UINT maximum) {
  CheckRange(exchange, value, minimum, maximum, "Bitte geben Sie eine ganze Zahl zwischen %u und %u ein.");
}
void DDV_MinMaxLong(CDataExchange* exchange, long value, long minimum, long maximum) {
  CheckRange(exchange, value, minimum, maximum, "Bitte geben Sie eine ganze Zahl zwischen %ld und %ld ein.");
}
void DDV_MinMaxDouble(CDataExchange* exchange, const double& value, double minimum, double maximum) {
  CheckRange(exchange, value, minimum, maximum, "Bitte geben Sie eine Zahl zwischen %g und %g ein.");
}
