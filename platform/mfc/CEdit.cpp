#include "mfc/CEdit.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CEdit, CWnd)

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_EDIT, "", style, rect, parent, id);
}
void CEdit::GetSel(int& start, int& end) const {
  DWORD from = 0, to = 0;
  SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  start = static_cast<int>(from);
  end = static_cast<int>(to);
}
DWORD CEdit::GetSel() const { return static_cast<DWORD>(SendMessage(EM_GETSEL)); }
void CEdit::SetSel(int start, int end, BOOL noScroll) {
  SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
  if (!noScroll) SendMessage(EM_SCROLLCARET);
}
void CEdit::SetSel(DWORD selection, BOOL noScroll) {
  SetSel(static_cast<short>(LOWORD(selection)), static_cast<short>(HIWORD(selection)), noScroll);
}
void CEdit::ReplaceSel(LPCSTR text, BOOL canUndo) { SendMessage(EM_REPLACESEL, static_cast<WPARAM>(canUndo), reinterpret_cast<LPARAM>(text)); }
void CEdit::LimitText(int count) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(count)); }
void CEdit::SetLimitText(UINT count) { SendMessage(EM_SETLIMITTEXT, count); }
UINT CEdit::GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
BOOL CEdit::GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
void CEdit::SetModify(BOOL modified) { SendMessage(EM_SETMODIFY, static_cast<WPARAM>(modified)); }
BOOL CEdit::SetReadOnly(BOOL readOnly) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, static_cast<WPARAM>(readOnly))); }
void CEdit::SetPasswordChar(char character) { SendMessage(EM_SETPASSWORDCHAR, static_cast<unsigned char>(character)); }
char CEdit::GetPasswordChar() const { return static_cast<char>(SendMessage(EM_GETPASSWORDCHAR)); }
int CEdit::GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
int CEdit::LineIndex(int line) const { return static_cast<int>(SendMessage(EM_LINEINDEX, static_cast<WPARAM>(line))); }
int CEdit::LineLength(int position) const { return static_cast<int>(SendMessage(EM_LINELENGTH, static_cast<WPARAM>(position))); }
int CEdit::LineFromChar(int position) const { return static_cast<int>(SendMessage(EM_LINEFROMCHAR, static_cast<WPARAM>(position))); }
int CEdit::GetLine(int line, LPSTR buffer, int size) const {
  if (!buffer || size < 2) return 0;
  WORD room = static_cast<WORD>(size > 0xFFFF ? 0xFFFF : size);
  std::memcpy(buffer, &room, sizeof room);
  return static_cast<int>(SendMessage(EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buffer)));
}
BOOL CEdit::CanUndo() const { return static_cast<BOOL>(SendMessage(EM_CANUNDO)); }
BOOL CEdit::Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO)); }
void CEdit::Cut() { SendMessage(WM_CUT); }
void CEdit::Copy() { SendMessage(WM_COPY); }
void CEdit::Paste() { SendMessage(WM_PASTE); }
void CEdit::Clear() { SendMessage(WM_CLEAR); }
