#include "Main/CErrorDlg.h"

#include "Main/CErrorTrace.h"
#include "Main/ClipboardText.h"
#include "Main/CLogFile.h"
#include "Main/CWV4Globals.h"
#include "Main/ProgramTexts.h"
#include "foundation/MessageFormat.h"
#include "Main/varno4.h"
#include "win32/MessageBox.h"
#include "win32/UserMessages.h"

namespace {

// Message numbers of the report's format texts.
enum ReportMessage : LONG {
  MSG_HEADER = ProgramText::kReportHeader,
  MSG_NEWEST_FILE = ProgramText::kReportNewestFile,
  MSG_NEWEST_LINE = ProgramText::kReportNewestLine,
  MSG_NEWEST_DETAIL = ProgramText::kReportNewestDetail,
  MSG_OLDER_FILE = ProgramText::kReportOlderFile,
  MSG_OLDER_LINE = ProgramText::kReportOlderLine,
  MSG_OLDER_DETAIL = ProgramText::kReportOlderDetail,
  MSG_SHORT = ProgramText::kReportShort,
};

// The dialog's own texts follow the program language; the template's German
// ones stand where the message file lacks them.
constexpr const char* kBuiltInCaption = "VARNO 4 Fehler";
constexpr const char* kBuiltInClose = "Schlie\xDF" "en";
constexpr const char* kBuiltInDetails = "Details";
constexpr const char* kBuiltInShort = "Kurz";
constexpr const char* kBuiltInCopy = "Kopieren ...";

void SetItemText(CWnd& dialog, int id, const CString& text) {
  if (CWnd* item = dialog.GetDlgItem(id)) item->SetWindowText(text);
}

CString Message(LONG number, std::initializer_list<MessageArg> args) {
  return FormatMessageText(theGlobals.MessageText(number), args);
}

}  // namespace

UINT ExitMessageId() {
  static const UINT id = RegisterWindowMessage("EXIT_VARNO_4_MESSAGE");
  return id;
}

BEGIN_MESSAGE_MAP(CErrorDlg, CDialog)
  ON_BN_CLICKED(IDC_DETAILS, OnDetails)
  ON_BN_CLICKED(IDC_COPY, OnCopy)
END_MESSAGE_MAP()

CErrorDlg::CErrorDlg(CWnd* parent) : CDialog(IDD, parent) {}

CErrorDlg::~CErrorDlg() { CErrorTrace::RemoveAll(); }

INT_PTR CErrorDlg::DoModal() { return CDialog::DoModal(); }

BOOL CErrorDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const CWV4Globals& g = theGlobals;
  SetWindowText(g.MessageTextOr(ProgramText::kErrorCaption, kBuiltInCaption));
  SetItemText(*this, IDOK, g.MessageTextOr(ProgramText::kErrorClose, kBuiltInClose));
  SetItemText(*this, IDC_COPY, g.MessageTextOr(ProgramText::kErrorCopy, kBuiltInCopy));
  m_show_details = FALSE;
  ShowTexts();
  return TRUE;
}

void CErrorDlg::OnDetails() {
  m_show_details = !m_show_details;
  ShowTexts();
}

void CErrorDlg::OnCopy() { CopyTextToClipboard(m_hWnd, m_detail_text); }

void CErrorDlg::ShowTexts() {
  if (m_hWnd == nullptr) return;
  SetItemText(*this, IDC_TEXT, ShownText());
  SetItemText(*this, IDC_DETAILS, DetailsButtonText());
}

CString CErrorDlg::DetailsButtonText() const {
  return m_show_details ? theGlobals.MessageTextOr(ProgramText::kErrorShort, kBuiltInShort)
                        : theGlobals.MessageTextOr(ProgramText::kErrorDetails, kBuiltInDetails);
}

CString CErrorDlg::CodeMessage(int code) {
  const DWORD number = (code >= 0 && code < kErrorCodeCount) ? ErrorTextTable[code] : 0;
  const CString text = theGlobals.MessageText(static_cast<LONG>(number));
  return text.IsEmpty() ? CString(BuiltInErrorText(code)) : text;
}

void CErrorDlg::AppendNode(CString& detail, const CErrorTrace& node, bool newest) {
  const CString fileName = node.FileName();
  CString codeLine;
  codeLine.Format(newest ? "[%d] %s\r\n" : "   [%d] %s\r\n", node.error_code,
                  static_cast<const char*>(CodeMessage(node.error_code)));
  detail += Message(newest ? MSG_NEWEST_FILE : MSG_OLDER_FILE, {fileName, node.build_stamp});
  detail += Message(newest ? MSG_NEWEST_LINE : MSG_OLDER_LINE, {node.line});
  detail += codeLine;
  detail += Message(newest ? MSG_NEWEST_DETAIL : MSG_OLDER_DETAIL, {node.detail_text, node.value});
}

// The severity of the newest node, where the failure was first found,
// decides the dialog and the end of the program.
void CErrorDlg::ReportError(CErrorTrace* own) {
  if (own == nullptr) return;
  CErrorTrace* newest = theGlobals.m_error_trace_newest != nullptr ? theGlobals.m_error_trace_newest : own;

  m_short_text = Message(MSG_SHORT, {own->error_code, CodeMessage(own->error_code)});
  m_detail_text = Message(MSG_HEADER, {theGlobals.m_cur_read_key, theGlobals.m_cur_prj});
  AppendNode(m_detail_text, *newest, true);
  if (newest != own) {
    for (CErrorTrace* node = newest->older; node != nullptr; node = node->older) {
      AppendNode(m_detail_text, *node, false);
      if (node == own) break;
    }
  }

  if (theGlobals.m_plogfile != nullptr) theGlobals.m_plogfile->WriteEntry(m_detail_text);
  if (newest->severity >= SEVERITY_ERROR) DoModal();
  if (newest->severity >= SEVERITY_FATAL && theGlobals.m_papp != nullptr) {
    PostThreadMessage(theGlobals.m_papp->m_nThreadID, ExitMessageId(), 0, 0);
  }
  if (newest != own) CutTraceAbove(own);
}

void CErrorDlg::ReportAndRemove(CErrorTrace* own) {
  if (theGlobals.m_perrdlg != nullptr) theGlobals.m_perrdlg->ReportError(own);
  CErrorTrace::Remove(own);
}

void CErrorDlg::CutTraceAbove(CErrorTrace* own) {
  CErrorTrace* node = own->newer;
  own->newer = nullptr;
  theGlobals.m_error_trace_newest = own;
  while (node != nullptr) {
    CErrorTrace* newer = node->newer;
    delete node;
    node = newer;
  }
}
