#include "Main/LinkFollow.h"

#include <cstdlib>

#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/KeyCommand.h"
#include "Main/varno4.h"
#include "win32/UserMessages.h"

namespace {

constexpr int ERR_LINK_ASSIGNMENTS = 307;

// The interpreter reads an assignment block up to its two closing 0 bytes.
CDynBuf AssignmentCopy(const CDynBuf* assignments) {
  CDynBuf copy;
  if (assignments != nullptr) copy = *assignments;
  if (copy.GetLength() < 2 || copy.GetAt(copy.GetLength() - 1) != '\0' || copy.GetAt(copy.GetLength() - 2) != '\0') {
    copy.Append('\0');
    copy.Append('\0');
  }
  return copy;
}

}  // namespace

HWND ViewerMainWindow() { return theGlobals.m_papp != nullptr ? theGlobals.m_papp->GetMainWindow() : nullptr; }

HWND CurrentFrameWindow() {
  const CViewerApp* app = theGlobals.m_papp;
  if (theGlobals.m_IsPopup && app != nullptr && app->m_hPopupWnd != nullptr) return app->m_hPopupWnd;
  return ViewerMainWindow();
}

void PostLinkKey(HWND window, const CString& key, const CDynBuf* assignments) {
  theGlobals.m_cur_varbuf.Empty();
  if (assignments != nullptr) theGlobals.m_cur_varbuf = *assignments;
  theGlobals.m_tmpkey = key;
  PostKeyCommand(window, 1, theGlobals.m_tmpkey);
}

void RunLinkCommand(CErrorTrace* node, int id, const CDynBuf* assignments, int severity, const char* detailFormat,
                    int detailId) {
  const CDynBuf copy = AssignmentCopy(assignments);
  if (theGlobals.m_pinterp == nullptr || !theGlobals.m_pinterp->ExecAssignments(copy)) {
    CString detail;
    detail.Format(detailFormat, detailId);
    node->Fail(__LINE__, severity, ERR_LINK_ASSIGNMENTS, detail, 0);
    CErrorDlg::ReportAndRemove(node);
  } else {
    CErrorTrace::Remove(node);
  }
  PostMessage(ViewerMainWindow(), WM_COMMAND, static_cast<WPARAM>(id & 0xFFFF), 0);
}

int CommandIdOf(const CString& target) { return static_cast<int>(std::strtol(target, nullptr, 10)); }
