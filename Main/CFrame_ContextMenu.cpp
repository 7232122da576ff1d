// The context menu of a frame's views: its entries in the program's language
// with the frame's own default enabling, and the maximised state that one of
// its entries switches.
#include "Main/CFace.h"
#include "Main/CFrame.h"
#include "Main/CWV4Globals.h"
#include "Main/ProgramTexts.h"
#include "Main/res/ScreenLayoutIds.h"
#include "mfc/CMenu.h"
#include "user/Menus.h"

namespace {

struct EntryText {
  UINT id;
  int text;
};

constexpr EntryText kEntryTexts[] = {
    {ID_CTX_PART_INFO, ProgramText::kPartsInfoEntry},   {ID_CTX_ORDER, ProgramText::kOrderEntry},
    {ID_CTX_BRANCH, ProgramText::kBranchEntry},         {ID_CTX_ZOOM_START, ProgramText::kZoomStartEntry},
    {ID_CTX_ZOOM_WHOLE, ProgramText::kZoomWholeEntry},  {ID_CTX_ZOOM_PART, ProgramText::kZoomPartEntry},
    {ID_CTX_ORDER_LIST, ProgramText::kOrderListEntry},  {ID_CTX_COPY_FIELD, ProgramText::kCopyFieldEntry},
    {ID_CTX_COPY_ROW, ProgramText::kCopyRowEntry},      {ID_CTX_COPY_TABLE, ProgramText::kCopyTableEntry},
    {ID_CTX_COPY_PICTURE, ProgramText::kCopyPictureEntry}};
constexpr int kCopyMenuText = ProgramText::kCopyMenu;
constexpr int kMaximiseText = ProgramText::kMaximiseEntry;
constexpr int kRestoreText = ProgramText::kRestoreEntry;
// The resource has no caption for the maximised state.
constexpr const char* kBuiltInRestore = "Fenster &Wiederherstellen";

// The views enable these themselves where they apply.
constexpr UINT kGreyedEntries[] = {ID_CTX_COPY_FIELD, ID_CTX_COPY_ROW, ID_CTX_COPY_TABLE, ID_CTX_COPY_PICTURE,
                                   ID_CTX_PART_INFO,  ID_CTX_ORDER,    ID_CTX_BRANCH,     ID_CTX_ZOOM_START,
                                   ID_CTX_ZOOM_WHOLE, ID_CTX_ZOOM_PART};

// An entry keeps the caption it has (the resource's) where the message file
// lacks the text, so that no entry is ever shown without one.
CString Caption(int text, const CString& builtIn) {
  const CString message = theGlobals.MessageText(text);
  return message.IsEmpty() ? builtIn : "&" + message;
}

CString CurrentCaption(const CMenu& popup, UINT item, UINT flags) {
  CString caption;
  popup.GetMenuString(item, caption, flags);
  return caption;
}

}  // namespace

void CFrame::SetMenuText(CMenu* popup, UINT id, int text) {
  popup->ModifyMenu(id, MF_BYCOMMAND | MF_STRING, id, Caption(text, CurrentCaption(*popup, id, MF_BYCOMMAND)));
}

void CFrame::SetPopupText(CMenu* popup, int n, int text) {
  int seen = 0;
  const int count = static_cast<int>(popup->GetMenuItemCount());
  for (int position = 0; position < count; ++position) {
    CMenu* sub = popup->GetSubMenu(position);
    if (sub == nullptr || seen++ != n) continue;
    const UINT state = popup->GetMenuState(static_cast<UINT>(position), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED);
    popup->ModifyMenu(static_cast<UINT>(position), MF_BYPOSITION | MF_POPUP | MF_STRING | state,
                      reinterpret_cast<UINT_PTR>(sub->GetSafeHmenu()),
                      Caption(text, CurrentCaption(*popup, static_cast<UINT>(position), MF_BYPOSITION)));
    return;
  }
}

CMenu* CFrame::LoadContextMenu(CMenu& menu) {
  if (!menu.LoadMenu(IDR_FRAME_CONTEXT)) return nullptr;
  CMenu* popup = menu.GetSubMenu(0);
  if (popup == nullptr) return nullptr;
  for (const EntryText& entry : kEntryTexts) SetMenuText(popup, entry.id, entry.text);
  SetPopupText(popup, 0, kCopyMenuText);
  if (m_maximized != 0) {
    popup->ModifyMenu(ID_CTX_MAXIMISE, MF_BYCOMMAND | MF_STRING, ID_CTX_MAXIMISE, kBuiltInRestore);
    SetMenuText(popup, ID_CTX_MAXIMISE, kRestoreText);
    popup->EnableMenuItem(ID_CTX_MAXIMISE, MF_BYCOMMAND | MF_ENABLED);
  } else {
    SetMenuText(popup, ID_CTX_MAXIMISE, kMaximiseText);
    popup->EnableMenuItem(ID_CTX_MAXIMISE, MF_BYCOMMAND | (CanMaximise() ? MF_ENABLED : MF_GRAYED));
  }
  for (UINT id : kGreyedEntries) popup->EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
  popup->EnableMenuItem(ID_CTX_ORDER_LIST, MF_BYCOMMAND | MF_ENABLED);
  return popup;
}

BOOL CFrame::CanMaximise() const {
  if (m_face == nullptr) return FALSE;
  int inPanes = 0;
  for (const auto& frame : m_face->m_frames) {
    if (frame != nullptr && frame->m_frameset != -1) ++inPanes;
  }
  return inPanes > 1;
}

void CFrame::ToggleMaximise() {
  if (m_face == nullptr) return;
  if (m_maximized != 0) m_face->RestoreFrames();
  else m_face->MaximizeFrame(this);
}
