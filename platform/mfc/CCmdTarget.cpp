#include "mfc/CCmdTarget.h"

#include "mfc/CCmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(UINT message, UINT code, UINT id) const {
  bool routed = message == WM_COMMAND || message == WM_NOTIFY;
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn; ++entry) {
      if (entry->pnRegistered) {
        if (*entry->pnRegistered == message && message != 0) return entry;
        continue;
      }
      if (entry->nMessage != message) continue;
      if (!routed) return entry;
      if (entry->nCode == code && id >= entry->nID && id <= entry->nLastID) return entry;
    }
  }
  return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, int code, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  // A query only looks for a command handler; the routing around it is the command's own.
  if (code == CN_QUERY_HANDLER) return FindEntry(WM_COMMAND, CN_COMMAND, id) != nullptr;
  UINT message = code == -1 ? WM_NOTIFY : WM_COMMAND;  // notifications come with code -1 and their own code in the header
  UINT entryCode = static_cast<UINT>(code);
  if (message == WM_NOTIFY) entryCode = reinterpret_cast<const NMHDR*>(lParam)->code;
  const AFX_MSGMAP_ENTRY* entry = FindEntry(message, entryCode, id);
  if (!entry) return FALSE;
  LRESULT answer = entry->pfn(this, wParam, lParam);
  // An update handler that passes its item on counts as not having handled it.
  if (code == CN_UPDATE_COMMAND_UI) return answer != 0;
  if (result) *result = answer;
  return TRUE;
}
