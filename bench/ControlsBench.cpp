// Speed of the common controls: a report list of 100 000 items that its
// parent keeps (texts asked for as they show) repainting a screenful and
// scrolling by a page, and a toolbar of 30 buttons laying itself out.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "comctl/CommCtrl.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

constexpr int kItems = 100000;

// The parent keeps the items: each text is made when the list asks for it.
LRESULT CALLBACK Keeper(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_GETDISPINFO) {
    auto* info = reinterpret_cast<NMLVDISPINFO*>(lParam);
    if (info->item.mask & LVIF_TEXT)
      std::snprintf(info->item.pszText, static_cast<size_t>(info->item.cchTextMax), "Teil %06d / %d", info->item.iItem,
                    info->item.iSubItem);
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

HWND Parent() {
  static HWND parent = [] {
    InitCommonControls();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Keeper;
    windowClass.lpszClassName = "ControlsBenchParent";
    RegisterClass(&windowClass);
    return CreateWindowEx(0, "ControlsBenchParent", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                          nullptr, nullptr, nullptr);
  }();
  return parent;
}

HWND VirtualList() {
  HWND list = CreateWindowEx(0, WC_LISTVIEW, nullptr, WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0, 760, 560,
                             Parent(), reinterpret_cast<HMENU>(1), nullptr, nullptr);
  const char* titles[] = {"Teil", "Benennung", "Menge", "Preis"};
  for (int c = 0; c < 4; ++c) {
    LVCOLUMN column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<LPSTR>(titles[c]);
    column.cx = 180;
    SendMessage(list, LVM_INSERTCOLUMN, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
  }
  SendMessage(list, LVM_SETITEMCOUNT, kItems, 0);
  UpdateWindow(list);
  return list;
}

void VirtualListRepaintsAScreenful(benchmark::State& state) {
  HWND list = VirtualList();
  for (auto _ : state) {
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
  }
  state.counters["rows"] = static_cast<double>(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0));
  DestroyWindow(list);
}
BENCHMARK(VirtualListRepaintsAScreenful)->Unit(benchmark::kMillisecond);

void VirtualListScrollsAPage(benchmark::State& state) {
  HWND list = VirtualList();
  int direction = SB_PAGEDOWN;
  for (auto _ : state) {
    if (SendMessage(list, LVM_GETTOPINDEX, 0, 0) > kItems / 2) direction = SB_PAGEUP;
    if (SendMessage(list, LVM_GETTOPINDEX, 0, 0) == 0) direction = SB_PAGEDOWN;
    SendMessage(list, WM_VSCROLL, static_cast<WPARAM>(direction), 0);
    UpdateWindow(list);
  }
  DestroyWindow(list);
}
BENCHMARK(VirtualListScrollsAPage)->Unit(benchmark::kMillisecond);

void ToolbarOfThirtyButtonsLaysOut(benchmark::State& state) {
  HWND bar = CreateWindowEx(0, TOOLBARCLASSNAME, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_WRAPABLE | CCS_NOPARENTALIGN,
                            0, 0, 400, 80, Parent(), reinterpret_cast<HMENU>(2), nullptr, nullptr);
  TBBUTTON buttons[30] = {};
  for (int i = 0; i < 30; ++i) {
    buttons[i].iBitmap = i % 7 == 6 ? 0 : i;
    buttons[i].idCommand = i % 7 == 6 ? 0 : 100 + i;
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = i % 7 == 6 ? TBSTYLE_SEP : TBSTYLE_BUTTON;
    buttons[i].iString = -1;
  }
  SendMessage(bar, TB_ADDBUTTONS, 30, reinterpret_cast<LPARAM>(buttons));
  for (auto _ : state) SendMessage(bar, TB_AUTOSIZE, 0, 0);
  DestroyWindow(bar);
}
BENCHMARK(ToolbarOfThirtyButtonsLaysOut)->Unit(benchmark::kMicrosecond);

}  // namespace
