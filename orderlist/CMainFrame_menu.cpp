// The frame's menu in the program language, its keys, its status prompts,
// and when its commands are enabled or checked.
#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "orderlist/CMainFrame.h"
#include "orderlist/res/resource.h"
#include "user/Menus.h"

namespace {

constexpr int kMainMenu = 0, kDialogMenu = 1;
constexpr int kFirstCurrency = 28, kSecondCurrency = 29;
constexpr UINT kFirstPrompt = 240, kLastPrompt = 282;

// The program text of each main-menu text number from 1 to 33.
constexpr long kMainMenuTexts[] = {52,   332,  1528, 1517, 2194, 2195, 2196, 2197, 2198, 1324, 2199,
                                   2200, 1527, 1219, 2201, 0,    1281, 1125, 1529, 1530, 2204, 2205,
                                   1078, 2207, 1506, 287,  3267, 0,    0,    3250, 3263, 3265, 3271};
// ... and of the dialogs' menu text numbers from 300 to 303.
constexpr long kDialogMenuTexts[] = {1442, 637, 616, 845};
constexpr int kFirstDialogMenuText = 300;

CString FirstLine(const CString& text) {
  const int feed = text.Find('\n');
  return feed < 0 ? text : text.Left(feed);
}

void SetItemText(CMenu& menu, int position, const CString& text) {
  MENUITEMINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<LPSTR>(static_cast<LPCSTR>(text));
  menu.SetMenuItemInfo(static_cast<UINT>(position), &info, TRUE);
}

}  // namespace

void CMainFrame::BuildMenu() {
  CMenu templateMenu, shown;
  if (!templateMenu.LoadMenu(IDR_PROTOCOL) || !shown.LoadMenu(IDR_PROTOCOL)) return;
  TranslateMenu(shown, templateMenu, kMainMenu);
  templateMenu.DestroyMenu();
  const HMENU old = ::GetMenu(m_hWnd);
  ::SetMenu(m_hWnd, shown);
  if (m_menu.m_hMenu == old) m_menu.Detach();
  if (old) ::DestroyMenu(old);
  m_menu.DestroyMenu();
  m_menu.Attach(shown.Detach());
  m_menu_built = true;
  DrawMenuBar();
}

void CMainFrame::TranslateMenu(CMenu& menu, CMenu& templateMenu, int kind) {
  int shown = 0;
  const int count = static_cast<int>(templateMenu.GetMenuItemCount());
  for (int position = 0; position < count; ++position) {
    // A popup's state holds its item count in the high byte.
    CMenu* popup = templateMenu.GetSubMenu(position);
    if (!popup && (templateMenu.GetMenuState(static_cast<UINT>(position), MF_BYPOSITION) & MF_SEPARATOR)) {
      ++shown;
      continue;
    }
    CString number;
    templateMenu.GetMenuString(static_cast<UINT>(position), number, MF_BYPOSITION);
    const int n = std::atoi(number);
    const auto& hidden = m_app->m_hidden_menus;
    if (std::find(hidden.begin(), hidden.end(), n) != hidden.end()) {
      if (!popup && !m_app->m_accels_trimmed) RemoveAccelerator(static_cast<int>(menu.GetMenuItemID(shown)));
      menu.DeleteMenu(static_cast<UINT>(shown), MF_BYPOSITION);
      continue;
    }
    CString text;
    if (n == kFirstCurrency) {
      text = m_app->m_currency1;
    } else if (n == kSecondCurrency) {
      text = m_app->m_currency2;
    } else if (kind == kMainMenu && n >= 1 && n <= static_cast<int>(std::size(kMainMenuTexts))) {
      text = m_app->GetText(kMainMenuTexts[n - 1]);
    } else if (kind == kDialogMenu && n >= kFirstDialogMenuText &&
               n < kFirstDialogMenuText + static_cast<int>(std::size(kDialogMenuTexts))) {
      text = m_app->GetText(kDialogMenuTexts[n - kFirstDialogMenuText]);
    }
    SetItemText(menu, shown, FirstLine(text));
    if (popup) {
      if (CMenu* shownPopup = menu.GetSubMenu(shown)) TranslateMenu(*shownPopup, *popup, kind);
    }
    ++shown;
  }
}

void CMainFrame::RemoveAccelerator(int id) {
  std::erase_if(m_app->m_accels, [id](const ACCEL& entry) { return entry.cmd == id; });
}

void CMainFrame::ReplaceAccelerators(HACCEL table) {
  if (m_hAccelTable) DestroyAcceleratorTable(m_hAccelTable);
  m_hAccelTable = table;
}

void CMainFrame::GetMessageString(UINT id, CString& message) const {
  message = m_tool_bar.m_hWnd ? m_tool_bar.PromptText(id) : CString();
  if (!message.IsEmpty()) return;
  const long number = id >= kFirstPrompt && id <= kLastPrompt ? CV4PrtToolBar::TipTextNumber(id) : 0;
  message = number ? FirstLine(m_app->GetText(number)) : CString();
}

void CMainFrame::OnDestroy() {
  CFrameWnd::OnDestroy();
  if (m_menu_built) m_menu.DestroyMenu();
}

void CMainFrame::OnUpdatePrint(CCmdUI* state) { state->Enable(m_print_busy == 0); }
namespace {

// A bar counts as shown by its own style, while its frame may be hidden.
bool Shown(const CControlBar& bar) { return (bar.GetStyle() & WS_VISIBLE) != 0; }

}  // namespace

void CMainFrame::OnUpdateToolBar(CCmdUI* state) { state->SetCheck(Shown(m_tool_bar) ? 1 : 0); }
void CMainFrame::OnUpdateStatusBar(CCmdUI* state) { state->SetCheck(Shown(m_status_bar) ? 1 : 0); }
void CMainFrame::OnUpdateExportProgram(CCmdUI* state) { state->Enable(m_app->m_use_export >= 1); }
void CMainFrame::OnUpdateMergeOrder(CCmdUI* state) { state->Enable(m_view && m_view->GetItemCount() > 0); }
void CMainFrame::OnUpdateMailOrder(CCmdUI* state) { state->Enable(m_mail_busy == 0); }

void CMainFrame::OnUpdatePriceDisplay(CCmdUI* state) {
  state->SetCheck(m_app->m_price_display == static_cast<int>(state->m_nID) - ID_PRICES_HIDDEN ? 1 : 0);
}

void CMainFrame::OnToggleToolBar() { ShowControlBar(&m_tool_bar, !Shown(m_tool_bar), FALSE); }
void CMainFrame::OnToggleStatusBar() { ShowControlBar(&m_status_bar, !Shown(m_status_bar), FALSE); }

void CMainFrame::OnPricesHidden() { SetPriceDisplay(kPricesHidden); }
void CMainFrame::OnPricesCurrency1() { SetPriceDisplay(kPricesCurrency1); }
void CMainFrame::OnPricesCurrency2() { SetPriceDisplay(kPricesCurrency2); }

void CMainFrame::SetPriceDisplay(int display) {
  m_app->m_price_display = display;
  if (m_view) m_view->RepriceAll();
}

void CMainFrame::OnExportText() {
  if (m_view) m_view->ExportText(nullptr);
}
