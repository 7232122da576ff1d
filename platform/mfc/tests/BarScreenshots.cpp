// Pictures of a frame with its bars for a look with one's own eyes: a
// toolbar docked at the top with a tip showing, a status bar with a prompt
// and an indicator, a report list of 100 000 items with a row selected, and
// an owner-drawn list whose rows its parent draws.
//
//   mfc_bar_screenshots folder   (under Xvfb: QT_QPA_PLATFORM=xcb)
#include <cstdio>
#include <string>

#include "BarTestSupport.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CListCtrl.h"
#include "mfc/CStatusBar.h"
#include "mfc/CToolBar.h"
#include "qt/Screenshot.h"
#include "win32/Clock.h"

namespace {

class ShotFrame : public CFrameWnd {
 public:
  CToolBar m_toolBar;
  CStatusBar m_statusBar;
  CListCtrl m_list;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT create) {
    if (CFrameWnd::OnCreate(create) == -1) return -1;
    bar_tests::MakeBars(this, m_statusBar, m_toolBar);
    m_toolBar.ModifyStyle(0, TBSTYLE_FLAT);
    EnableDocking(CBRS_ALIGN_ANY);
    m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_toolBar);
    m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, CRect(0, 0, 0, 0), this,
                  AFX_IDW_PANE_FIRST);
    m_list.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    m_list.SetFont(CFont::FromHandle(reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
    m_list.InsertColumn(0, "Teil", LVCFMT_LEFT, 90);
    m_list.InsertColumn(1, "Benennung", LVCFMT_LEFT, 200);
    m_list.InsertColumn(2, "Menge", LVCFMT_RIGHT, 70);
    m_list.SetItemCount(100000);
    return 0;
  }
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    auto* info = reinterpret_cast<NMLVDISPINFO*>(lParam);
    if (info->hdr.code != LVN_GETDISPINFO) return CFrameWnd::OnNotify(wParam, lParam, result);
    const int item = info->item.iItem;
    static const char* names[] = {"Achse", "Messer", "Rad", "Schraube", "Zahnrad", "Geh\xE4use"};
    if (info->item.iSubItem == 0) std::snprintf(info->item.pszText, 64, "%06d", item);
    else if (info->item.iSubItem == 1) std::snprintf(info->item.pszText, 64, "%s %d", names[item % 6], item);
    else std::snprintf(info->item.pszText, 64, "%d St\xFC" "ck", item % 12 + 1);
    *result = 0;
    return TRUE;
  }
  afx_msg void OnCommand() {}
  afx_msg void OnUpdateMark(CCmdUI* ui) { ui->SetCheck(1); }
  afx_msg void OnUpdateIndicator(CCmdUI* ui) { ui->Enable(TRUE); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ShotFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_COMMAND(ID_BAR_OPEN, OnCommand)
  ON_COMMAND(ID_BAR_MARK, OnCommand)
  ON_UPDATE_COMMAND_UI(ID_BAR_MARK, OnUpdateMark)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_TEST, OnUpdateIndicator)
END_MESSAGE_MAP()

// A window whose owner-drawn list shows records of two lines in colours.
class DrawingParent : public CWnd {
 public:
  CListCtrl m_list;

 protected:
  afx_msg void OnMeasureItem(int, LPMEASUREITEMSTRUCT item) { item->itemHeight = 22; }
  afx_msg void OnDrawItem(int, LPDRAWITEMSTRUCT item) {
    CRect row = item->rcItem;
    CRect client;
    m_list.GetClientRect(&client);
    row.right = client.right;
    const bool selected = item->itemState & ODS_SELECTED;
    const COLORREF fill = selected ? GetSysColor(COLOR_HIGHLIGHT) : (item->itemID % 2 ? RGB(235, 240, 250) : RGB(255, 255, 255));
    HBRUSH brush = CreateSolidBrush(fill);
    ::FillRect(item->hDC, &row, brush);
    DeleteObject(brush);
    SetBkMode(item->hDC, TRANSPARENT);
    SetTextColor(item->hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : RGB(0, 0, 120));
    HGDIOBJ old = SelectObject(item->hDC, GetStockObject(DEFAULT_GUI_FONT));
    char text[64];
    std::snprintf(text, sizeof text, "Auftrag %u - gezeichnet vom Eltern-Fenster", item->itemID + 1);
    RECT area = row;
    area.left += 6;
    DrawText(item->hDC, text, -1, &area, DT_SINGLELINE | DT_VCENTER);
    SelectObject(item->hDC, old);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DrawingParent, CWnd)
  ON_WM_MEASUREITEM()
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()

std::string folder;

void Pump() {
  bar_tests::Pump();
  layer::PumpUntilIdle();
}

void Save(HWND window, const char* name) {
  Pump();
  const std::string path = folder + "/" + name;
  std::printf("%s %s\n", layer::SaveWindowPng(window, path) ? "wrote" : "could not write", path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: mfc_bar_screenshots folder\n");
    return 2;
  }
  folder = argv[1];
  layer::ManualClock clock;
  layer::ScopedClock scoped(clock);
  auto* frame = new ShotFrame;
  frame->LoadFrame(IDR_BARFRAME, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  frame->SetWindowPos(nullptr, 30, 30, 560, 400, SWP_NOZORDER);
  frame->SetForegroundWindow();
  frame->m_list.SetFocus();
  frame->m_list.SendMessage(WM_KEYDOWN, VK_DOWN, 1);
  frame->m_list.SendMessage(WM_KEYDOWN, VK_NEXT, 1);
  frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
  CRect button;
  frame->m_toolBar.GetItemRect(2, &button);
  CPoint at = button.CenterPoint();
  frame->m_toolBar.ClientToScreen(&at);
  layer::MouseInput(at, WM_MOUSEMOVE, 0);
  Pump();
  clock.Advance(1000);
  Pump();
  Save(frame->m_hWnd, "bars-frame.png");
  layer::SaveScreenPng(folder + "/bars-screen.png");

  // Floating, the toolbar sits in a small frame of its own.
  frame->FloatControlBar(&frame->m_toolBar, CPoint(620, 60));
  Pump();
  layer::SaveScreenPng(folder + "/bars-floating.png");

  DrawingParent parent;
  parent.CreateEx(0, AfxRegisterWndClass(0, nullptr, GetSysColorBrush(COLOR_BTNFACE), nullptr), "Eigene Zeilen",
                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 460, 380, 200, nullptr, nullptr);
  parent.m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SINGLESEL, CRect(5, 5, 360, 160), &parent, 1);
  parent.m_list.InsertColumn(0, "Auftrag", LVCFMT_LEFT, 300);
  for (int i = 0; i < 8; ++i) parent.m_list.InsertItem(i, "");
  parent.m_list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  Save(parent.m_hWnd, "owner-drawn.png");
  parent.DestroyWindow();
  frame->DestroyWindow();
  return 0;
}
