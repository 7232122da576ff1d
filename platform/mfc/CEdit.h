// The class library's edit field.
#pragma once

#include "mfc/CWnd.h"

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)

 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  void GetSel(int& start, int& end) const;
  DWORD GetSel() const;
  void SetSel(int start, int end, BOOL noScroll = FALSE);
  void SetSel(DWORD selection, BOOL noScroll = FALSE);
  void ReplaceSel(LPCSTR text, BOOL canUndo = FALSE);
  void LimitText(int count = 0);
  void SetLimitText(UINT count);
  UINT GetLimitText() const;
  BOOL GetModify() const;
  void SetModify(BOOL modified = TRUE);
  BOOL SetReadOnly(BOOL readOnly = TRUE);
  void SetPasswordChar(char character);
  char GetPasswordChar() const;
  int GetLineCount() const;
  int LineIndex(int line = -1) const;
  int LineLength(int position = -1) const;
  int LineFromChar(int position = -1) const;
  int GetLine(int line, LPSTR buffer, int size) const;
  BOOL CanUndo() const;
  BOOL Undo();
  void Cut();
  void Copy();
  void Paste();
  void Clear();
};

#define ON_EN_CHANGE(id, member) ON_CONTROL(EN_CHANGE, id, member)
#define ON_EN_UPDATE(id, member) ON_CONTROL(EN_UPDATE, id, member)
#define ON_EN_SETFOCUS(id, member) ON_CONTROL(EN_SETFOCUS, id, member)
#define ON_EN_KILLFOCUS(id, member) ON_CONTROL(EN_KILLFOCUS, id, member)
#define ON_EN_MAXTEXT(id, member) ON_CONTROL(EN_MAXTEXT, id, member)
