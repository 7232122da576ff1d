// The viewer's channel: its commands, its data blocks, and the watch on its
// process. Every block is read within its own length; a block that is cut
// short or longer than its content may be is refused and changes nothing.
#include <cstring>

#include "foundation/CompanionDatabase.h"
#include "interfaces/ProtocolCommands.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/PartsInfoCalls.h"
#include "win32/Clock.h"
#include "win32/CrossProcess.h"
#include "win32/Files.h"
#include "win32/Process.h"
#include "win32/UserMessages.h"

namespace {

constexpr int kGrowStep = 128;
// More than any order the viewer hands over at once.
constexpr DWORD kLargestBlock = 16 * 1024 * 1024;
constexpr int kLongestLanguage = 31;
constexpr int kLongestPath = MAX_PATH - 1;
constexpr int kWindowHandleBytes = 4;

// The text at the start of a block: up to its first NUL or its end.
CString LeadingText(const CDynBuf& data, int start = 0) {
  const int end = data.Find('\0', start);
  const int stop = end < 0 ? data.GetLength() : end;
  return CString(static_cast<const char*>(data) + start, stop - start);
}

}  // namespace

LRESULT CMainFrame::OnProtocolCommand(WPARAM code, LPARAM value) {
  switch (code) {
    case PROTOCOL_CMD_CLOSE:
      KeepUnsavedOrder();
      if (m_view) m_view->SetModifiedFlag(false);
      KillTimer(m_timer_id);
      PostMessage(WM_CLOSE);
      return 1;
    case PROTOCOL_CMD_SHOW:
      ShowForViewer();
      return 1;
    case PROTOCOL_CMD_HIDE:
      HideForViewer();
      return 1;
    case PROTOCOL_CMD_VIEWER_WINDOW:
      m_viewer_window = reinterpret_cast<HWND>(value);
      return 1;
    default:
      return 0;
  }
}

BOOL CMainFrame::OnCopyData(CWnd*, const COPYDATASTRUCT* block) {
  if (!block || block->cbData > kLargestBlock || (block->cbData > 0 && !block->lpData)) return FALSE;
  CDynBuf data;
  data.SetGrowBy(kGrowStep);
  if (!data.Append(block->lpData, static_cast<int>(block->cbData))) return FALSE;
  const CString text = LeadingText(data);
  switch (block->dwData) {
    case PROTOCOL_CMD_PART_INFO:
    case PROTOCOL_CMD_ORDER_PART:
      HandOverParts(data, block->dwData == PROTOCOL_CMD_ORDER_PART ? 1 : 0);
      return TRUE;
    case PROTOCOL_CMD_PROGRAM_LANGUAGE:
      if (text.GetLength() > kLongestLanguage) return FALSE;
      m_app->m_prg_language_new = text;
      return TRUE;
    case PROTOCOL_CMD_TEXT_REQUEST:
      // The answering window's handle, then the part key with its NUL.
      if (data.GetLength() <= kWindowHandleBytes || data.Find('\0', kWindowHandleBytes) < 0) return FALSE;
      if (auto setRequest = ThePartsInfoCalls().setTextRequest) setRequest(&data);
      PostThreadMessage(GetCurrentThreadId(), WM_ENABLE, 0, 0);
      return TRUE;
    case PROTOCOL_CMD_ORDER_ANSWER:
      if (m_view && m_view->AddOrderLines(&data, nullptr, 1)) {
        if (m_app->m_prg_language.Compare(m_app->m_prg_language_new) != 0) ApplyProgramLanguage();
        ShowOrderedNotice();
      }
      if (m_view) m_view->SetModifiedFlag();
      return TRUE;
    case PROTOCOL_CMD_DICTIONARIES:
      return TakeDictionaries(data) ? TRUE : FALSE;
    case PROTOCOL_CMD_DATA_LANGUAGE:
      if (text.GetLength() > kLongestLanguage) return FALSE;
      TakeDataLanguage(text);
      return TRUE;
    case PROTOCOL_CMD_PARTS_DATABASE:
      if (text.GetLength() > kLongestPath) return FALSE;
      TakePartsDatabase(text);
      return TRUE;
    default:
      return FALSE;
  }
}

// The parts-info library takes the rows in this thread's message filter,
// with the program language the viewer sent last, while the frame's own
// texts wait for the next idle time.
void CMainFrame::HandOverParts(const CDynBuf& lines, int tag) {
  const PartsInfoCalls& calls = ThePartsInfoCalls();
  if (!calls.newCommand) return;
  TifCommand* command = calls.newCommand(lines, lines.GetLength(), tag);
  if (m_app->m_prg_language_new.Compare(m_app->m_prg_language) != 0) {
    const CString current = m_app->m_prg_language;
    m_app->SetProgramLanguage(m_app->m_prg_language_new);
    m_app->m_prg_language = current;
  }
  PostThreadMessage(GetCurrentThreadId(), ProtocolToTifMessage(), static_cast<WPARAM>(lines.GetLength()),
                    reinterpret_cast<LPARAM>(command));
}

// Two texts, each with its NUL; a block without the second is cut.
bool CMainFrame::TakeDictionaries(const CDynBuf& data) {
  const int firstEnd = data.Find('\0');
  if (firstEnd < 0) return false;
  const CString byNumber = LeadingText(data);
  const CString byKey = LeadingText(data, firstEnd + 1);
  if (byNumber.GetLength() > kLongestPath || byKey.GetLength() > kLongestPath) return false;
  m_app->m_duden_file = byNumber;
  m_app->m_dudench_file = byKey;
  m_app->m_data_texts.DdmTextClose();
  CProtocolApp::OpenTextTable(m_app->m_data_texts, m_app->m_duden_file, m_app->m_data_language);
  m_app->m_data_key_texts.DdmTextClose();
  CProtocolApp::OpenTextTable(m_app->m_data_key_texts, m_app->m_dudench_file, m_app->m_data_language);
  if (auto load = ThePartsInfoCalls().loadDictionaries) load(m_app->m_duden_file, m_app->m_dudench_file);
  return true;
}

void CMainFrame::TakeDataLanguage(const CString& language) {
  m_app->m_data_language = language;
  m_app->m_data_texts.DdmTextSetLanguage(language);
  m_app->m_data_key_texts.DdmTextSetLanguage(language);
  if (auto setLanguage = ThePartsInfoCalls().setDataLanguage) setLanguage(m_app->m_data_language);
}

// An open order-line dialog would check parts against the old master.
void CMainFrame::TakePartsDatabase(const CString& path) {
  if (m_app->m_item_dialog) ::PostMessage(m_app->m_item_dialog, WM_CLOSE, 0, 0);
  const bool named = path.Find('.') >= 0;
  m_app->m_parts_db = named ? path : CString();
  m_app->m_parts_db2 = named ? CompanionDatabasePath(path) : CString();
  if (auto open = ThePartsInfoCalls().openPartsDatabase) open(m_app->m_parts_db);
}

bool CMainFrame::ViewerIsRunning() const {
  if (m_app->m_viewer_pid == 0) return m_app->m_stand_alone;
  HANDLE viewer = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, m_app->m_viewer_pid);
  if (!viewer) return false;
  DWORD exitCode = 0;
  const bool running = GetExitCodeProcess(viewer, &exitCode) && exitCode == STILL_ACTIVE;
  CloseHandle(viewer);
  return running;
}

void CMainFrame::OnTimer(UINT_PTR id) {
  if (id != m_timer_id) {
    CFrameWnd::OnTimer(id);
    return;
  }
  if (!ViewerIsRunning()) QuitForGoneViewer();
}

void CMainFrame::QuitForGoneViewer() {
  KillTimer(m_timer_id);
  KeepUnsavedOrder();
  PostMessage(WM_QUIT);
}

// The viewer ends the order list without asking the user: what the user
// collected and did not save goes into a file of its own, never over another.
void CMainFrame::KeepUnsavedOrder() {
  if (!m_view || !m_view->IsModified() || m_view->GetItemCount() == 0) return;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  CString name;
  name.Format("%04d%02d%02d_%02d%02d%02d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
  CString path = m_app->m_order_dir + "\\" + name + ".pro";
  for (int copy = 2; GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES; ++copy)
    path.Format("%s\\%s_%d.pro", static_cast<const char*>(m_app->m_order_dir), static_cast<const char*>(name), copy);
  if (m_view->WriteOrderFileTo(path)) {
    m_view->SetModifiedFlag(false);
    m_app->Log("The viewer ended the order list; its unsaved order was written to " + path);
  } else {
    m_app->Log("The viewer ended the order list; its unsaved order could not be written to " + path);
  }
}
