// Speed of dialogs and menus: a dialog of 40 controls made from its template,
// laid out and painted; a pop-up menu of 30 items opened, painted and closed.
#include <benchmark/benchmark.h>

#include <string>

#include "../platform/user/tests/res/resource.h"
#include "user/Dialogs.h"
#include "user/Menus.h"
#include "win32/Module.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"
#include "win32/UserTypes.h"

namespace {

INT_PTR CALLBACK Quiet(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

HWND Owner() {
  static HWND owner = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProc;
    windowClass.lpszClassName = "BenchOwner";
    RegisterClass(&windowClass);
    return CreateWindowEx(0, "BenchOwner", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                          nullptr, nullptr);
  }();
  return owner;
}

void DialogOfFortyControls(benchmark::State& state) {
  HWND owner = Owner();
  for (auto _ : state) {
    HWND dialog = CreateDialogParam(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDD_FORTY), owner, Quiet, 0);
    ShowWindow(dialog, SW_SHOWNA);
    UpdateWindow(dialog);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    DestroyWindow(dialog);
  }
}
BENCHMARK(DialogOfFortyControls)->Unit(benchmark::kMillisecond);

void PopupMenuOfThirtyItems(benchmark::State& state) {
  HWND owner = Owner();
  HMENU menu = CreatePopupMenu();
  for (int i = 0; i < 30; ++i) {
    std::string text = "Eintrag &" + std::to_string(i) + "\tStrg+" + std::to_string(i);
    AppendMenu(menu, i % 10 == 9 ? MF_SEPARATOR : MF_STRING, 100 + i, text.c_str());
  }
  // The menu opens, paints, and closes again as soon as its loop starts.
  layer::SetModalHook([](HWND) { EndMenu(); });
  for (auto _ : state) TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr);
  layer::SetModalHook(nullptr);
  DestroyMenu(menu);
}
BENCHMARK(PopupMenuOfThirtyItems)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// A menu bar whose first menu holds 30 items, opened by a click on its title.
void MenuBarPopupOfThirtyItems(benchmark::State& state) {
  HWND owner = Owner();
  HMENU bar = CreateMenu();
  HMENU popup = CreatePopupMenu();
  for (int i = 0; i < 30; ++i) {
    std::string text = "Eintrag &" + std::to_string(i);
    AppendMenu(popup, MF_STRING, 200 + i, text.c_str());
  }
  AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&Datei");
  SetMenu(owner, bar);
  RECT window, client;
  GetWindowRect(owner, &window);
  GetClientRect(owner, &client);
  POINT title{window.left + 20, 0};
  ClientToScreen(owner, &title);
  title.x = window.left + 20;
  title.y -= GetSystemMetrics(SM_CYMENU) / 2;  // the middle of the bar, just above the client area
  static int opened = 0;
  opened = 0;
  layer::SetModalHook([](HWND) {
    ++opened;
    EndMenu();
  });
  for (auto _ : state) SendMessage(owner, WM_SYSCOMMAND, SC_MOUSEMENU + 5, MAKELPARAM(title.x, title.y));
  layer::SetModalHook(nullptr);
  if (opened != static_cast<int>(state.iterations())) state.SkipWithError("the click missed the menu's title");
  SetMenu(owner, nullptr);
  DestroyMenu(bar);
}
BENCHMARK(MenuBarPopupOfThirtyItems)->Unit(benchmark::kMillisecond);

}  // namespace
