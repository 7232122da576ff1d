// Data exchange between a dialog's members and its controls: the DDX_
// functions move values one way or the other, the DDV_ functions check
// them; a failed check tells the user, puts the focus on the control and
// ends the exchange (UpdateData returns FALSE).
#pragma once

#include "mfc/CException.h"
#include "mfc/CString.h"
#include "win32/UserTypes.h"

class CWnd;

class CUserException : public CException {
  DECLARE_DYNAMIC(CUserException)
};

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

  BOOL m_bSaveAndValidate;  // TRUE: controls to members
  CWnd* m_pDlgWnd;

  // The control of an id, remembered as the one a failure points at.
  HWND PrepareCtrl(int id);
  HWND PrepareEditCtrl(int id);
  // Puts the focus on the last control (its text selected) and ends the exchange.
  [[noreturn]] void Fail();

 private:
  HWND m_lastControl = nullptr;
  bool m_lastIsEdit = false;
};

void DDX_Text(CDataExchange* exchange, int id, CString& value);
void DDX_Text(CDataExchange* exchange, int id, int& value);
void DDX_Text(CDataExchange* exchange, int id, UINT& value);  // also DWORD, the same type here
void DDX_Text(CDataExchange* exchange, int id, long& value);
void DDX_Text(CDataExchange* exchange, int id, double& value);
void DDX_Check(CDataExchange* exchange, int id, int& value);
// The checked radio button of the group that starts at id, counted from 0 (-1: none).
void DDX_Radio(CDataExchange* exchange, int id, int& value);
void DDX_CBString(CDataExchange* exchange, int id, CString& value);
void DDX_CBStringExact(CDataExchange* exchange, int id, CString& value);
void DDX_CBIndex(CDataExchange* exchange, int id, int& index);
void DDX_LBString(CDataExchange* exchange, int id, CString& value);
void DDX_LBStringExact(CDataExchange* exchange, int id, CString& value);
void DDX_LBIndex(CDataExchange* exchange, int id, int& index);
// Binds an object to the control once (it takes the control's messages).
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);

void DDV_MaxChars(CDataExchange* exchange, const CString& value, int count);
void DDV_MinMaxInt(CDataExchange* exchange, int value, int minimum, int maximum);
void DDV_MinMaxUInt(CDataExchange* exchange, UINT value, UINT minimum, UINT maximum);
void DDV_MinMaxLong(CDataExchange* exchange, long value, long minimum, long maximum);
void DDV_MinMaxDouble(CDataExchange* exchange, const double& value, double minimum, double maximum);
