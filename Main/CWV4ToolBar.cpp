#include "Main/CWV4ToolBar.h"

#include <cstdlib>
#include <cstring>

#include "Main/CErrorTrace.h"
#include "Main/CWV4Globals.h"
#include "mfc/CDC.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CPaintDC.h"
#include "win32/Gdi.h"
#include "win32/UserWindows.h"

IMPLEMENT_DYNAMIC(CWV4ToolBar, CToolBar)

BEGIN_MESSAGE_MAP(CWV4ToolBar, CToolBar)
  VARNO_ON_MESSAGE(WM_SYSCOLORCHANGE, t->OnSysColorChange(); return 0)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_NCHITTEST()
END_MESSAGE_MAP()

namespace {

constexpr int ERR_EMPTY_LIST = 206;
constexpr int kButtonExtra = 7;
constexpr int kSeparatorWidth = 8;
constexpr DWORD_PTR kNoSecondImage = static_cast<DWORD_PTR>(-1);

// Checked buttons are pressed too; a disabled button is not held down.
BYTE Checked(BYTE state, bool on) {
  return on ? static_cast<BYTE>(state | TBSTATE_CHECKED | TBSTATE_PRESSED)
            : static_cast<BYTE>(state & ~(TBSTATE_CHECKED | TBSTATE_PRESSED));
}

BYTE Enabled(BYTE state, bool on) {
  return on ? static_cast<BYTE>(state | TBSTATE_ENABLED) : static_cast<BYTE>(state & ~(TBSTATE_ENABLED | TBSTATE_PRESSED));
}

// Sets a button's state (TBIF_STATE) or image (TBIF_IMAGE), by its index.
void SetButtonField(const CWnd& bar, UINT index, DWORD field, BYTE state, int image) {
  TBBUTTONINFO info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_BYINDEX | field;
  info.fsState = state;
  info.iImage = image;
  bar.SendMessage(TB_SETBUTTONINFO, index, reinterpret_cast<LPARAM>(&info));
}

// The command update of one button: checking presses it too, and a
// disabled button is not held down.
class CViewerToolCmdUI : public CCmdUI {
 public:
  void Enable(BOOL on) override {
    m_bEnableChanged = TRUE;
    SetState(Enabled(State(), on != FALSE));
  }
  void SetCheck(int check) override {
    if (SetState(Checked(State(), check != 0))) m_pOther->Invalidate();
  }
  void SetText(LPCSTR) override {}

 private:
  BYTE State() const {
    TBBUTTON button{};
    m_pOther->SendMessage(TB_GETBUTTON, m_nIndex, reinterpret_cast<LPARAM>(&button));
    return button.fsState;
  }
  bool SetState(BYTE state) {
    if (state == State()) return false;
    SetButtonField(*m_pOther, m_nIndex, TBIF_STATE, state, 0);
    return true;
  }
};

}  // namespace

CWV4ToolBar::CWV4ToolBar() {
  m_cxLeftBorder = m_cxRightBorder = 3;
  SetSizes(SIZE{23, 22}, SIZE{16, 15});
}

CWV4ToolBar::~CWV4ToolBar() {
  for (HBITMAP bitmap : m_bitmaps) {
    if (bitmap != nullptr) DeleteObject(bitmap);
  }
  if (m_image_list != nullptr) ImageList_Destroy(m_image_list);
}

BOOL CWV4ToolBar::LoadButtons(ToolbarButtonList* list) {
  if (theGlobals.m_internet_mode == kInternetServer) return TRUE;
  if (m_loaded) return FALSE;
  m_loaded = TRUE;
  if (list == nullptr || list->count < 1) {
    CErrorTrace* own = ERROR_TRACE_PUSH();
    ERROR_TRACE_FAIL(own, SEVERITY_ERROR, ERR_EMPTY_LIST, "", 0);
    return FALSE;
  }
  m_list = list;
  m_image_size = SIZE{list->header1, list->header2};
  SetSizes(SIZE{m_image_size.cx + kButtonExtra, m_image_size.cy + kButtonExtra}, m_image_size);
  m_image_list = ImageList_Create(m_image_size.cx, m_image_size.cy, ILC_COLOR24 | ILC_MASK, list->count, 4);
  SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_image_list));
  SetBarStyle(GetBarStyle() | CBRS_TOOLTIPS);

  int position = 0;
  for (ToolbarButtonDef* entry = list->first; entry != nullptr; entry = entry->next, ++position) {
    entry->toolbar_index = position;
    if (entry->separator || entry->image.IsEmpty()) continue;
    if (HBITMAP first = LoadButtonBitmap(entry->image, m_image_count)) {
      SetButtonImage(first, m_image_count);
      entry->toolbar_image = m_image_count++;
    }
    if (!(entry->flags & kButtonFlagSecondImage) || entry->image2.IsEmpty()) continue;
    if (HBITMAP second = LoadButtonBitmap(entry->image2, m_image_count)) {
      SetButtonImage(second, m_image_count++);
    } else {
      entry->flags &= ~kButtonFlagSecondImage;
    }
  }
  for (ToolbarButtonDef* entry = list->first; entry != nullptr; entry = entry->next) {
    if (!AddButton(*entry)) return FALSE;
  }
  ModifyStyle(0, TBSTYLE_FLAT);
  if (CFrameWnd* frame = GetDockingFrame()) frame->DelayRecalcLayout();
  return TRUE;
}

BOOL CWV4ToolBar::AddButton(const ToolbarButtonDef& entry) {
  TBBUTTON button{};
  button.iString = -1;
  CString tip;
  if (entry.separator) {
    button.fsStyle = TBSTYLE_SEP;
    button.fsState = TBSTATE_ENABLED;
    button.iBitmap = kSeparatorWidth;
  } else {
    const bool second = (entry.flags & kButtonFlagSecondImage) != 0;
    button.idCommand = entry.cmdid;
    button.iBitmap = entry.toolbar_image;
    button.fsState = entry.enabled > 0 ? TBSTATE_ENABLED : 0;
    button.dwData = second ? static_cast<DWORD_PTR>(entry.toolbar_image) : kNoSecondImage;
    if (entry.flags & kButtonFlagCheck) {
      button.fsStyle = TBSTYLE_CHECK;
      if (entry.down) {
        button.fsState |= TBSTATE_CHECKED | TBSTATE_PRESSED;
        if (second) button.iBitmap = entry.toolbar_image + 1;
      }
    } else {
      button.fsStyle = TBSTYLE_BUTTON;
    }
    tip = entry.text_is_number ? theGlobals.MessageText(entry.text_number) : entry.text;
  }
  if (!SendMessage(TB_ADDBUTTONS, 1, reinterpret_cast<LPARAM>(&button))) return FALSE;
  ++m_nCount;
  m_tips.push_back(tip);
  return TRUE;
}

HBITMAP CWV4ToolBar::LoadButtonBitmap(const char* fileName, int index) {
  auto file = std::make_unique<ButtonBitmapFile>();
  if (index < 0 || file->Read(fileName, m_image_size.cx, m_image_size.cy) != ButtonBitmapFile::kOk) return nullptr;
  HBITMAP bitmap = file->MakeBitmap();
  if (static_cast<size_t>(index) >= m_kept.size()) m_kept.resize(static_cast<size_t>(index) + 1);
  m_kept[static_cast<size_t>(index)] = std::move(file);
  return bitmap;
}

// The button face is left out of every image, so that a disabled button
// shows the picture's shape only.
void CWV4ToolBar::SetButtonImage(HBITMAP bitmap, int index) {
  if (bitmap == nullptr || index < 0 || m_image_list == nullptr) return;
  const auto slot = static_cast<size_t>(index);
  if (slot >= m_bitmaps.size()) m_bitmaps.resize(slot + 1, nullptr);
  if (m_bitmaps[slot] != nullptr) DeleteObject(m_bitmaps[slot]);
  m_bitmaps[slot] = bitmap;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  if (index == ImageList_GetImageCount(m_image_list)) {
    ImageList_AddMasked(m_image_list, bitmap, face);
  } else {
    // An image in between: the list is made again, every image in its place.
    ImageList_Remove(m_image_list, -1);
    for (HBITMAP each : m_bitmaps) {
      if (each != nullptr) ImageList_AddMasked(m_image_list, each, face);
    }
  }
  Invalidate();
}

void CWV4ToolBar::ReloadTexts() {
  if (m_list == nullptr) return;
  int position = 0;
  for (ToolbarButtonDef* entry = m_list->first; entry != nullptr; entry = entry->next, ++position) {
    if (entry->separator || !entry->text_is_number || position >= static_cast<int>(m_tips.size())) continue;
    m_tips[static_cast<size_t>(position)] = theGlobals.MessageText(entry->text_number);
  }
}

CString CWV4ToolBar::GetTipText(int position) const {
  return position >= 0 && position < static_cast<int>(m_tips.size()) ? m_tips[static_cast<size_t>(position)] : CString();
}

bool CWV4ToolBar::FindButton(UINT command, int& index, TBBUTTON& button) const {
  if (m_hWnd == nullptr || command == 0) return false;
  index = CommandToIndex(command);
  if (index < 0) return false;
  button = TBBUTTON{};
  return SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)) != 0;
}

BOOL CWV4ToolBar::IsButtonEnabled(UINT command) const {
  int index = 0;
  TBBUTTON button;
  return FindButton(command, index, button) && (button.fsState & TBSTATE_ENABLED);
}

BOOL CWV4ToolBar::IsButtonVisible(UINT command) const {
  int index = 0;
  TBBUTTON button;
  return FindButton(command, index, button) && !(button.fsState & TBSTATE_HIDDEN);
}

BOOL CWV4ToolBar::IsButtonChecked(UINT command) const {
  int index = 0;
  TBBUTTON button;
  return FindButton(command, index, button) && (button.fsState & (TBSTATE_CHECKED | TBSTATE_PRESSED));
}

void CWV4ToolBar::EnableButton(UINT command, BOOL enable) {
  int index = 0;
  TBBUTTON button;
  if (!FindButton(command, index, button)) return;
  const BYTE state = Enabled(button.fsState, enable != FALSE);
  if (state != button.fsState) SetButtonField(*this, static_cast<UINT>(index), TBIF_STATE, state, 0);
}

void CWV4ToolBar::SetImage(int index, int image) { SetButtonField(*this, static_cast<UINT>(index), TBIF_IMAGE, 0, image); }

void CWV4ToolBar::CheckButton(UINT command, BOOL checked) {
  int index = 0;
  TBBUTTON button;
  if (!FindButton(command, index, button)) return;
  if ((button.fsStyle & TBSTYLE_CHECK) && button.dwData != kNoSecondImage)
    SetImage(index, static_cast<int>(button.dwData) + (checked ? 1 : 0));
  SetButtonField(*this, static_cast<UINT>(index), TBIF_STATE, Checked(button.fsState, checked != FALSE), 0);
}

bool CWV4ToolBar::FindImageStateButton(UINT command, int& index, TBBUTTON& button) const {
  return FindButton(command, index, button) && !(button.fsStyle & TBSTYLE_CHECK) && button.dwData != kNoSecondImage;
}

void CWV4ToolBar::SetButtonImageState(UINT command, BOOL on) {
  int index = 0;
  TBBUTTON button;
  if (FindImageStateButton(command, index, button)) SetImage(index, static_cast<int>(button.dwData) + (on ? 1 : 0));
}

BOOL CWV4ToolBar::IsImageStateSet(UINT command) const {
  int index = 0;
  TBBUTTON button;
  return FindImageStateButton(command, index, button) && button.iBitmap != static_cast<int>(button.dwData);
}

INT_PTR CWV4ToolBar::OnToolHitTest(CPoint point, TOOLINFO* info) const {
  const auto count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
  for (int index = 0; index < count; ++index) {
    TBBUTTON button{};
    SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
    if (button.fsStyle & TBSTYLE_SEP) continue;
    CRect rect;
    GetItemRect(index, &rect);
    if (!rect.PtInRect(point)) continue;
    if (info != nullptr) {
      info->hwnd = m_hWnd;
      info->uId = static_cast<UINT_PTR>(button.idCommand);
      info->rect = rect;
      const CString tip = GetTipText(index);
      info->lpszText = static_cast<LPSTR>(std::malloc(static_cast<size_t>(tip.GetLength()) + 1));
      if (info->lpszText != nullptr) std::memcpy(info->lpszText, static_cast<const char*>(tip), tip.GetLength() + 1);
    }
    return button.idCommand;
  }
  return -1;
}

void CWV4ToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
  CViewerToolCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(SendMessage(TB_BUTTONCOUNT));
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    TBBUTTON button{};
    SendMessage(TB_GETBUTTON, state.m_nIndex, reinterpret_cast<LPARAM>(&button));
    if (button.fsStyle & TBSTYLE_SEP) continue;
    state.m_nID = static_cast<UINT>(button.idCommand);
    state.DoUpdate(target, disableIfNoHandler);
  }
}

// The images are made again from their files with the new button colours.
void CWV4ToolBar::OnSysColorChange() {
  for (size_t index = 0; index < m_kept.size(); ++index) {
    if (m_kept[index] == nullptr) continue;
    SetButtonImage(m_kept[index]->MakeBitmap(), static_cast<int>(index));
  }
}

BOOL CWV4ToolBar::OnEraseBkgnd(CDC* dc) {
  CRect rect;
  GetClientRect(&rect);
  dc->FillSolidRect(&rect, GetSysColor(COLOR_BTNFACE));
  return TRUE;
}

// The whole bar is client area, its borders too.
LRESULT CWV4ToolBar::OnNcHitTest(CPoint /*point*/) { return HTCLIENT; }

// A bar that the user let float comes back to its frame. Buttons painted up
// for the painting only get their states back without painting again.
void CWV4ToolBar::OnPaint() {
  if (IsFloating()) DockAgain();
  const std::vector<std::pair<int, BYTE>> lifted = LiftForPainting();
  Default();
  for (const auto& [index, state] : lifted) {
    SetButtonField(*this, static_cast<UINT>(index), TBIF_STATE, state, 0);
    CRect rect;
    GetItemRect(index, &rect);
    ValidateRect(&rect);
  }
}

// A checked button under the pointer is painted up, so that the pointer's
// highlight shows on it as on any other button; so is a disabled button
// still held down where only a part of it is painted again.
std::vector<std::pair<int, BYTE>> CWV4ToolBar::LiftForPainting() {
  CRect painted;
  ::GetUpdateRect(m_hWnd, &painted, FALSE);
  CPoint pointer;
  GetCursorPos(&pointer);
  ScreenToClient(&pointer);
  pointer.Offset(-1, -1);
  std::vector<std::pair<int, BYTE>> lifted;
  const auto count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
  for (int index = 0; index < count; ++index) {
    TBBUTTON button{};
    SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
    if (button.fsStyle & TBSTYLE_SEP) continue;
    const BYTE state = button.fsState;
    CRect rect;
    GetItemRect(index, &rect);
    CRect overlap;
    const bool checkedUnderPointer =
        (state & TBSTATE_CHECKED) && (state & TBSTATE_PRESSED) && rect.PtInRect(pointer);
    const bool disabledHeld = !(state & TBSTATE_ENABLED) && (state & TBSTATE_PRESSED) &&
                              overlap.IntersectRect(&rect, &painted) && rect != painted;
    if (!checkedUnderPointer && !disabledHeld) continue;
    lifted.emplace_back(index, state);
    SetButtonField(*this, static_cast<UINT>(index), TBIF_STATE, Checked(state, false), 0);
  }
  return lifted;
}

void CWV4ToolBar::DockAgain() {
  if (m_pDockSite != nullptr) m_pDockSite->DockControlBar(this);
}
