#include "orderlist/CV4PrtToolBar.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "mfc/CFrameWnd.h"
#include "orderlist/CProtocolApp.h"

IMPLEMENT_DYNCREATE(CV4PrtToolBar, CToolBar)

BEGIN_MESSAGE_MAP(CV4PrtToolBar, CToolBar)
  ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

constexpr UINT kFirstPrompt = 240, kLastPrompt = 282;

// The text number of each command from 240 to 282.
constexpr long kPromptTexts[] = {
    2292, 2293, 2294, 2295, 2296, 2297, 2298, 2299, 2300, 2301, 2302, 2303, 2304, 2305, 2306,  // 240-254
    1531, 1532, 2309, 2310, 2311, 2312,                                                          // 255-260
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,                           // 261-272
    1077, 3268, 0,    0,    3274, 3273, 3272, 3270, 3264, 3266};                                 // 273-282
static_assert(std::size(kPromptTexts) == kLastPrompt - kFirstPrompt + 1);

}  // namespace

long CV4PrtToolBar::TipTextNumber(UINT id) {
  return id >= kFirstPrompt && id <= kLastPrompt ? kPromptTexts[id - kFirstPrompt] : 0;
}

BOOL CV4PrtToolBar::LoadButtons(UINT id) {
  if (!LoadToolBar(id)) return FALSE;
  struct Button {
    UINT id, style;
    int image;
  };
  std::vector<Button> kept;
  for (int index = 0; index < GetCount(); ++index) {
    Button button{};
    GetButtonInfo(index, button.id, button.style, button.image);
    const auto& hidden = m_app ? m_app->m_hidden_commands : std::vector<int>{};
    if (std::find(hidden.begin(), hidden.end(), static_cast<int>(button.id)) == hidden.end()) kept.push_back(button);
  }
  if (static_cast<int>(kept.size()) != GetCount()) {
    if (!SetButtons(nullptr, static_cast<int>(kept.size()))) return FALSE;
    for (int index = 0; index < static_cast<int>(kept.size()); ++index) {
      const Button& button = kept[static_cast<size_t>(index)];
      SetButtonInfo(index, button.id, button.style, button.image);
    }
  }
  ModifyStyle(0, TBSTYLE_FLAT);
  return TRUE;
}

void CV4PrtToolBar::LoadTips() {
  m_tips.clear();
  for (int index = 0; index < GetCount(); ++index) {
    const long number = TipTextNumber(GetItemID(index));
    m_tips.push_back(number && m_app ? m_app->GetText(number) : CString());
  }
  m_tips_loaded = true;
}

CString CV4PrtToolBar::TextOf(UINT id) const {
  const int index = CommandToIndex(id);
  if (!m_tips_loaded || index < 0 || index >= static_cast<int>(m_tips.size())) return CString();
  return m_tips[static_cast<size_t>(index)];
}

CString CV4PrtToolBar::TipText(UINT id) const {
  const CString text = TextOf(id);
  const int feed = text.ReverseFind('\n');
  return feed < 0 ? CString() : text.Mid(feed + 1);
}

CString CV4PrtToolBar::PromptText(UINT id) const {
  const CString text = TextOf(id);
  const int feed = text.Find('\n');
  return feed < 0 ? text : text.Left(feed);
}

// The tip is the bar's own text; the bar frees it after use.
INT_PTR CV4PrtToolBar::OnToolHitTest(CPoint point, TOOLINFO* info) const {
  const INT_PTR hit = CToolBar::OnToolHitTest(point, info);
  if (hit >= 0 && info) info->lpszText = strdup(TipText(static_cast<UINT>(hit)));
  return hit;
}

void CV4PrtToolBar::OnPaint() {
  if (IsFloating() && m_pDockSite) m_pDockSite->DockControlBar(this);
  Default();
}
