// Pictures of the common controls for a look with one's own eyes: a window
// with a flat toolbar, a report list of 100 000 items kept by its parent
// (one selected, a column widened by dragging its divider), a status bar,
// and a tool tip showing over the toolbar.
//
//   comctl_screenshots folder   (under Xvfb: QT_QPA_PLATFORM=xcb)
#include <cstdio>
#include <string>

#include "comctl/CommCtrl.h"
#include "qt/Screenshot.h"
#include "win32/Clock.h"
#include "win32/Gdi.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

std::string folder;

LRESULT CALLBACK Keeper(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == LVN_GETDISPINFO) {
      auto* info = reinterpret_cast<NMLVDISPINFO*>(lParam);
      static const char* names[] = {"Achse", "Messer", "Rad", "Schraube", "Zahnrad", "Geh\xE4use"};
      if (info->item.iSubItem == 0) std::snprintf(info->item.pszText, 64, "%06d", info->item.iItem);
      else if (info->item.iSubItem == 1) std::snprintf(info->item.pszText, 64, "%s %d", names[info->item.iItem % 6], info->item.iItem);
      else std::snprintf(info->item.pszText, 64, "%d,%02d \x80", info->item.iItem % 97, info->item.iItem % 100);
      return 0;
    }
    if (header->code == TTN_NEEDTEXT) {
      auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
      std::snprintf(info->szText, sizeof info->szText, "\xD6" "ffnen (Strg+O)");
      return 0;
    }
  }
  return DefWindowProc(window, message, wParam, lParam);
}

HBITMAP Pictures() {
  HDC screen = GetDC(nullptr);
  HBITMAP strip = CreateCompatibleBitmap(screen, 16 * 4, 15);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, strip);
  RECT all{0, 0, 64, 15};
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  const COLORREF colours[] = {RGB(200, 30, 30), RGB(30, 140, 30), RGB(30, 60, 200), RGB(220, 160, 0)};
  for (int i = 0; i < 4; ++i) {
    HBRUSH brush = CreateSolidBrush(colours[i]);
    RECT shape{16 * i + 2, 2, 16 * i + 14, 13};
    FillRect(dc, &shape, brush);
    DeleteObject(brush);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return strip;
}

void Save(HWND window, const char* name) {
  layer::PumpUntilIdle();
  const std::string path = folder + "/" + name;
  std::printf("%s %s\n", layer::SaveWindowPng(window, path) ? "wrote" : "could not write", path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: comctl_screenshots folder\n");
    return 2;
  }
  folder = argv[1];
  InitCommonControls();
  layer::ManualClock clock;
  layer::ScopedClock scoped(clock);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = Keeper;
  windowClass.lpszClassName = "ComctlShots";
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  RegisterClass(&windowClass);
  HWND frame = CreateWindowEx(0, "ComctlShots", "Teileliste", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 560, 400, nullptr,
                              nullptr, nullptr, nullptr);
  RECT client;
  GetClientRect(frame, &client);

  HWND toolbar = CreateWindowEx(0, TOOLBARCLASSNAME, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NOPARENTALIGN | CCS_NORESIZE,
                                0, 0, client.right, 28, frame, reinterpret_cast<HMENU>(1), nullptr, nullptr);
  HBITMAP pictures = Pictures();
  TBADDBITMAP bitmap{nullptr, reinterpret_cast<UINT_PTR>(pictures)};
  SendMessage(toolbar, TB_ADDBITMAP, 4, reinterpret_cast<LPARAM>(&bitmap));
  TBBUTTON buttons[6] = {};
  const int images[] = {0, 1, -1, 2, 3, 0};
  for (int i = 0; i < 6; ++i) {
    buttons[i].iBitmap = images[i] < 0 ? 0 : images[i];
    buttons[i].idCommand = images[i] < 0 ? 0 : 100 + i;
    buttons[i].fsStyle = images[i] < 0 ? TBSTYLE_SEP : (i == 4 ? TBSTYLE_CHECK : TBSTYLE_BUTTON);
    buttons[i].fsState = static_cast<BYTE>(TBSTATE_ENABLED | (i == 4 ? TBSTATE_CHECKED : 0));
    buttons[i].iString = -1;
  }
  buttons[5].fsState = 0;  // disabled
  SendMessage(toolbar, TB_ADDBUTTONS, 6, reinterpret_cast<LPARAM>(buttons));

  HWND status = CreateWindowEx(0, STATUSCLASSNAME, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, frame,
                               reinterpret_cast<HMENU>(2), nullptr, nullptr);
  SendMessage(status, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  const int rights[] = {300, 420, -1};
  SendMessage(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(rights));
  SendMessage(status, SB_SETTEXT, 0 | SBT_NOBORDERS, reinterpret_cast<LPARAM>("Bereit"));
  SendMessage(status, SB_SETTEXT, 1, reinterpret_cast<LPARAM>("\t100000 Teile"));
  SendMessage(status, SB_SETTEXT, 2, reinterpret_cast<LPARAM>("NUM"));
  RECT statusRect;
  GetWindowRect(status, &statusRect);

  HWND list = CreateWindowEx(WS_EX_CLIENTEDGE, WC_LISTVIEW, nullptr, WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS,
                             0, 28, client.right, client.bottom - 28 - (statusRect.bottom - statusRect.top), frame,
                             reinterpret_cast<HMENU>(3), nullptr, nullptr);
  SendMessage(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  const char* titles[] = {"Nummer", "Benennung", "Preis"};
  const int widths[] = {80, 180, 90};
  for (int c = 0; c < 3; ++c) {
    LVCOLUMN column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = c == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.pszText = const_cast<LPSTR>(titles[c]);
    column.cx = widths[c];
    SendMessage(list, LVM_INSERTCOLUMN, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
  }
  SendMessage(list, LVM_SETITEMCOUNT, 100000, 0);
  SetFocus(list);
  SendMessage(list, WM_KEYDOWN, VK_DOWN, 1);
  SendMessage(list, WM_KEYDOWN, VK_NEXT, 1);
  SendMessage(list, WM_KEYDOWN, VK_DOWN, 1);
  // The divider after "Benennung" dragged 40 pixels to the right.
  HWND header = reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER, 0, 0));
  SendMessage(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(260, 5));
  SendMessage(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 5));
  SendMessage(header, WM_LBUTTONUP, 0, MAKELPARAM(300, 5));
  Save(frame, "comctl-frame.png");

  // A tip over the second toolbar button after the pointer rested there.
  HWND tip = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, frame, nullptr,
                            nullptr, nullptr);
  TOOLINFO tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = frame;
  tool.uId = 101;
  SendMessage(toolbar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tool.rect));
  MapWindowPoints(toolbar, frame, reinterpret_cast<POINT*>(&tool.rect), 2);
  tool.lpszText = LPSTR_TEXTCALLBACK;
  SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&tool));
  POINT at{tool.rect.left + 8, tool.rect.top + 8};
  POINT screen = at;
  ClientToScreen(frame, &screen);
  layer::SetCursorPosition(screen);
  MSG move{frame, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y), 0, at};
  SendMessage(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
  clock.Advance(600);
  layer::PumpUntilIdle();
  Save(tip, "comctl-tip.png");
  layer::SaveScreenPng(folder + "/comctl-screen.png");
  DestroyWindow(frame);
  DeleteObject(pictures);
  return 0;
}
