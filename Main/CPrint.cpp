// The viewer's print driver: the face's chosen print option becomes a VOD
// script in the user's print folder, which the form-printing library prints
// in the background while the viewer stays usable.
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CFace.h"
#include "Main/CPrintDlg.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/varno4.h"
#include "Main/ProgramTexts.h"
#include "foundation/CDynBuf.h"
#include "foundation/CIniClass.h"
#include "interfaces/QorVod32.h"
#include "mfc/AfxMessageBox.h"
#include "mfc/CFile.h"
#include "mfc/CFileException.h"

namespace {

constexpr int ERR_FORM_MISSING = 458;
constexpr int ERR_SCRIPT_NOT_CREATED = 460;
constexpr int ERR_PICTURE_NOT_WRITTEN = 463;
constexpr int ERR_FRAME_LIST = 503;
constexpr int ERR_FRAME_NAME_MISSING = 504;
constexpr int ERR_NO_SUCH_FRAME = 505;
constexpr int ERR_LOGO_EXPRESSION = 506;
constexpr LONG TEXT_JOB_FAILED = ProgramText::kPrintFailed;
constexpr LONG TEXT_DATE = ProgramText::kPrintedDate;
constexpr LONG TEXT_PAGE = ProgramText::kPrintedPage;
constexpr int kScriptNames = 1000;

// The job's state at its end (printed, error, cancelled, stopped) and the
// closing of its window; the other codes come while the job runs.
enum JobCode { kPrinted = 1, kJobError = 2, kCancelled = 3, kWindowClosed = 4, kStopped = 5, kErrorText = 6,
               kInformation = 7, kQuestion = 8 };

// Programs that print side by side share the temporary folder: each begins
// its round of script names where its process number puts it, so two do not
// write the same script at once.
int g_script_counter = -1;

CString NextScriptPath() {
  if (g_script_counter < 0) g_script_counter = static_cast<int>(GetCurrentProcessId() % kScriptNames);
  CString path;
  path.Format("%s~vod%.4d.vod", static_cast<const char*>(theGlobals.m_user_temp_print_path), g_script_counter);
  g_script_counter = (g_script_counter + 1) % kScriptNames;
  return path;
}

BOOL Report(CErrorTrace* own, int line, int code, const char* detail) {
  own->Fail(line, SEVERITY_ERROR, code, detail, 0);
  CErrorDlg::ReportAndRemove(own);
  return FALSE;
}

void Write(CFile& file, CDynBuf& text) {
  file.Write(text.GetData(), static_cast<UINT>(text.GetLength()));
  text.Empty();
}

void AppendLine(CDynBuf& text, const char* format, const char* a = "", const char* b = "") {
  CString line;
  line.Format(format, a, b);
  text.Append(line);
}

// Keys that the user may have set are filled only when they are empty.
void WriteJobSettings(int mode) {
  CIniClass ini;
  const CString& file = theGlobals.m_fpiinifile;
  ini.WriteKey("VOD", "NoDialog", mode == 0 ? "TRUE" : "FALSE", file, 0);
  for (const auto& [key, fallback] : {std::pair{"CheckFrames", "FALSE"}, std::pair{"CheckGroesse", "CUT"},
                                      std::pair{"TextCharSet", "ANSI"}}) {
    CString value;
    ini.ReadKey("VOD", key, "", value, file, 0);
    if (value.IsEmpty()) ini.WriteKey("VOD", key, fallback, file, 0);
  }
}

void AllowPrinting() {
  if (CViewerApp* app = theGlobals.m_papp) {
    app->m_print_busy = FALSE;
    app->EnablePrint(TRUE);
  }
}

// A job that the library refused to start says so, and printing is open again.
BOOL StartJob(const CString& script) {
  CViewerApp* app = theGlobals.m_papp;
  HWND owner = app != nullptr ? app->GetMainWindow() : nullptr;
  const bool started = VOD_Init(0, owner, theGlobals.m_fpiinifile) != 0 && VOD_SetCallback(PrintJobCallback) != 0 &&
                       VOD_Print_Async(owner, script) != 0;
  if (started) return TRUE;
  AllowPrinting();
  AfxMessageBox(theGlobals.MessageText(TEXT_JOB_FAILED));
  return FALSE;
}

}  // namespace

int PrintJobCallback(int code, const char* text) {
  int result = 1;
  switch (code & 0xFFFF) {
    case kJobError: AfxMessageBox(theGlobals.MessageText(TEXT_JOB_FAILED)); break;
    case kErrorText:
      if (text != nullptr && *text != '\0') AfxMessageBox(text);
      break;
    case kQuestion:
      if (text != nullptr && *text != '\0') AfxMessageBox(text);
      result = 8;
      break;
    default: break;
  }
  switch (code & 0xFFFF) {
    case kPrinted:
    case kJobError:
    case kCancelled:
    case kWindowClosed:
    case kStopped: AllowPrinting(); break;
    default: break;  // the job still runs
  }
  return result;
}

BOOL CPrintEntry::GetFrameCount(int& count) const {
  const int comma = m_first.Find(',');
  count = std::atoi(m_first);
  return !m_first.IsEmpty() && comma >= 0 && count >= 1;
}

BOOL CPrintEntry::GetFrameName(int index, CString& name) const {
  int comma = m_first.Find(',');
  if (m_first.IsEmpty() || comma < 0) return FALSE;
  CString rest = m_first.Mid(comma + 1);
  for (int i = 0; i < index; ++i) {
    comma = rest.Find(',');
    if (comma < 0) return FALSE;
    rest = rest.Mid(comma + 1);
  }
  comma = rest.Find(',');
  name = comma >= 0 ? rest.Left(comma) : rest;
  return TRUE;
}

void CFace::WritePage(CFile& file) {
  static const char page[] = "\r\nPAGE\r\n";
  file.Write(page, sizeof page - 1);
}

void CFace::WriteScript(CFile& file, const CString& form) {
  const CWV4Globals& g = theGlobals;
  CString logo;
  CString expression;
  CIniClass ini;
  ini.ReadKey("SYSTEM", "VOD_Logo", "", expression, g.m_main_prj_file, 0);
  if (!expression.IsEmpty()) {
    CErrorTrace* own = ERROR_TRACE_PUSH();
    CDynBuf code;
    code.Append(expression);
    if (g.m_pinterp != nullptr && g.m_pinterp->EvalString(code, logo, FALSE, TRUE, nullptr)) {
      CErrorTrace::Remove(own);
    } else {
      logo.Empty();
      Report(own, __LINE__, ERR_LOGO_EXPRESSION, expression);
    }
  }
  char version[25] = {};
  if (!VOD_GetVersion(version, sizeof version)) version[0] = '\0';

  CDynBuf text;
  text.SetGrowBy(128);
  CString head;
  head.Format("REM VARNO IV Version %d.%d.%d\r\n", 4, 0, 1);
  text.Append(head);
  AppendLine(text, "REM VOD %s\r\n", version);
  text.Append("\r\n");
  AppendLine(text, "USE FORMULAR \"%s\" TITLE\r\n", form);
  AppendLine(text, "USE FORMULAR \"%s\" BODY\r\n", form);
  text.Append("\r\n");
  Write(file, text);
  const CString date = g.MessageText(TEXT_DATE);
  const CString page = g.MessageText(TEXT_PAGE);
  const std::pair<const char*, const char*> fields[] = {
      {"TDATUM", date}, {"TPAGE", page}, {"FDATUM", "%DATE1%  %TIME%"}, {"FPAGE", "%PP1%"},
      {"FKEYNAME", g.m_cur_key_name}, {"FPRJKEY", g.m_cur_prj_key}, {"FAPPNAME", g.m_cur_prj_name}};
  for (const auto& [frame, value] : fields) AppendLine(text, "PRINT FRAME %s STATIC %s\r\n", frame, value);
  if (!logo.IsEmpty()) AppendLine(text, "VIEW FRAME %s STATIC TIFF \"%s\"\r\n", "FLOGO", logo);
  text.Append("\r\n");
  Write(file, text);
}

BOOL CFace::Print(int mode) {
  if (m_print_count < 1) return FALSE;
  CPrintDlg dialog;
  dialog.m_count = std::min<int>(m_print_count, CPrintDlg::kMostOptions);
  for (int i = 0; i < dialog.m_count; ++i) dialog.m_labels[i] = m_print_entries[static_cast<size_t>(i)].m_second;
  if (theGlobals.m_papp == nullptr || theGlobals.m_papp->RunPrintDialog(dialog) != IDOK) return FALSE;

  CErrorTrace* own = ERROR_TRACE_PUSH();
  const int chosen = std::clamp(dialog.m_selected, 0, m_print_count - 1);
  const CPrintEntry& option = m_print_entries[static_cast<size_t>(chosen)];
  CFileStatus status;
  if (!CFile::GetStatus(option.m_third, status)) return Report(own, __LINE__, ERR_FORM_MISSING, option.m_second);
  int count = 0;
  if (!option.GetFrameCount(count)) return Report(own, __LINE__, ERR_FRAME_LIST, option.m_second);
  const CString script = NextScriptPath();
  CFile file;
  if (!file.Open(script, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite))
    return Report(own, __LINE__, ERR_SCRIPT_NOT_CREATED, script);
  try {
    WriteScript(file, option.m_third);
    for (int i = 0; i < count; ++i) {
      CString name;
      if (!option.GetFrameName(i, name)) return file.Close(), Report(own, __LINE__, ERR_FRAME_NAME_MISSING, option.m_second);
      CFrame* frame = nullptr;
      for (const auto& each : m_frames) {
        if (each->m_name == name) frame = each.get();
      }
      if (frame == nullptr) return file.Close(), Report(own, __LINE__, ERR_NO_SUCH_FRAME, option.m_second);
      CString picture, head, body;
      picture.Format("%s%02d", "FBILD", i);
      head.Format("%s%02d", "TSP", i);
      body.Format("%s%02d", "FSP", i);
      if (frame->HasPicture()) {
        if (!frame->WriteViewScript(file, picture)) return file.Close(), Report(own, __LINE__, ERR_PICTURE_NOT_WRITTEN, "");
      } else {
        frame->WritePrintScript(file, head, body);
      }
    }
    WritePage(file);
    file.Close();
  } catch (CFileException* e) {
    e->Delete();
    return Report(own, __LINE__, ERR_SCRIPT_NOT_CREATED, script);
  }
  theGlobals.m_papp->m_print_busy = TRUE;
  theGlobals.m_papp->EnablePrint(FALSE);
  WriteJobSettings(mode);
  CErrorTrace::Remove(own);
  return StartJob(script);
}

INT_PTR CViewerApp::RunPrintDialog(CPrintDlg& dialog) { return dialog.DoModal(); }
