// A top-level window that holds the control under test and writes down the
// notifications it hears, answering them as a test sets it up to.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "comctl/CommCtrl.h"
#include "user/Controls.h"
#include "win32/Gdi.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace layer::testing {

// One notification as the parent heard it.
struct Heard {
  UINT code;
  int item;      // the item (or header item) it is about, -1 for none
  int subItem;   // the column of a list notification
  int width;     // a header notification's width, -1 without one
  bool operator==(const Heard&) const = default;
};

inline void PrintTo(const Heard& heard, std::ostream* out) {
  *out << "{code " << static_cast<int>(heard.code) << ", item " << heard.item << ", sub " << heard.subItem << ", width "
       << heard.width << "}";
}

inline bool FromHeader(UINT code) { return HDN_FIRST - code < 40; }
inline bool FromList(UINT code) {
  return code == LVN_ITEMCHANGING || code == LVN_ITEMCHANGED || code == LVN_INSERTITEM || code == LVN_DELETEITEM ||
         code == LVN_DELETEALLITEMS || code == LVN_COLUMNCLICK;
}
inline bool Activation(UINT code) { return code == NM_CLICK || code == NM_DBLCLK || code == NM_RCLICK || code == NM_RDBLCLK; }

class TestParent {
 public:
  TestParent() {
    InitCommonControls();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &TestParent::Procedure;
    windowClass.lpszClassName = "ComctlTestParent";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClass(&windowClass);
    handle = CreateWindowEx(0, "ComctlTestParent", "Eltern", WS_POPUP | WS_VISIBLE, 10, 10, 400, 300, nullptr, nullptr,
                            nullptr, nullptr);
    Current() = this;
  }
  ~TestParent() {
    Current() = nullptr;
    if (IsWindow(handle)) DestroyWindow(handle);
  }
  TestParent(const TestParent&) = delete;
  TestParent& operator=(const TestParent&) = delete;

  HWND Child(LPCSTR className, DWORD style, RECT rect, int id) {
    return CreateWindowEx(0, className, nullptr, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, handle,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  }

  // Only the codes a test cares for, in order.
  std::vector<UINT> Codes(const std::function<bool(UINT)>& wanted) const {
    std::vector<UINT> codes;
    for (const Heard& note : heard)
      if (wanted(note.code)) codes.push_back(note.code);
    return codes;
  }

  HWND handle = nullptr;
  std::vector<Heard> heard;
  std::vector<UINT> messages;              // WM_CONTEXTMENU and the like, in order
  std::vector<WPARAM> commands;            // WM_COMMAND: id and code
  bool refuseTrack = false;                // answers HDN_BEGINTRACK with TRUE
  bool fitsDividers = false;               // answers HDN_DIVIDERDBLCLICK with TRUE
  int askedTexts = 0;                      // LVN_GETDISPINFO requests
  std::function<std::string(int item, int column)> texts;  // answers LVN_GETDISPINFO
  UINT rowHeight = 0;                      // answers WM_MEASUREITEM when not 0
  std::vector<DRAWITEMSTRUCT> drawn;       // WM_DRAWITEM records
  std::string tipText;                     // answers TTN_NEEDTEXT
  std::string lastText;

 private:
  static TestParent*& Current() {
    static TestParent* current = nullptr;
    return current;
  }

  LRESULT OnNotify(NMHDR* header) {
    if (header->code == LVN_GETDISPINFO) {
      auto* info = reinterpret_cast<NMLVDISPINFO*>(header);
      ++askedTexts;
      if (texts && (info->item.mask & LVIF_TEXT)) {
        lastText = texts(info->item.iItem, info->item.iSubItem);
        info->item.pszText = const_cast<LPSTR>(lastText.c_str());
      }
      return 0;
    }
    if (header->code == TTN_NEEDTEXT) {
      auto* info = reinterpret_cast<NMTTDISPINFO*>(header);
      heard.push_back({header->code, static_cast<int>(header->idFrom), 0, -1});
      lastText = tipText;
      info->lpszText = const_cast<LPSTR>(lastText.c_str());
      return 0;
    }
    if (FromHeader(header->code)) {
      auto* note = reinterpret_cast<NMHEADER*>(header);
      const int width = note->pitem && (note->pitem->mask & HDI_WIDTH) ? note->pitem->cxy : -1;
      heard.push_back({header->code, note->iItem, 0, width});
      return (header->code == HDN_BEGINTRACK && refuseTrack) || (header->code == HDN_DIVIDERDBLCLICK && fitsDividers);
    }
    if (FromList(header->code) || Activation(header->code)) {
      auto* note = reinterpret_cast<NMLISTVIEW*>(header);
      heard.push_back({header->code, note->iItem, note->iSubItem, -1});
      return 0;
    }
    if (header->code == LVN_KEYDOWN) {
      heard.push_back({header->code, reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey, 0, -1});
      return 0;
    }
    heard.push_back({header->code, -1, 0, -1});
    return 0;
  }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TestParent* self = Current();
    if (!self || window != self->handle) return DefWindowProc(window, message, wParam, lParam);
    switch (message) {
      case WM_NOTIFY: return self->OnNotify(reinterpret_cast<NMHDR*>(lParam));
      case WM_MEASUREITEM:
        if (self->rowHeight) reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = self->rowHeight;
        return TRUE;
      case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        self->drawn.push_back(*item);
        FillRect(item->hDC, &item->rcItem, GetSysColorBrush(item->itemState & ODS_SELECTED ? COLOR_HIGHLIGHT : COLOR_INFOBK));
        return TRUE;
      }
      case WM_CONTEXTMENU: self->messages.push_back(message); return 0;
      case WM_COMMAND: self->commands.push_back(wParam); return 0;
      default: return DefWindowProc(window, message, wParam, lParam);
    }
  }
};

// Delivers what waits in the queue, painting included.
inline void Pump() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

}  // namespace layer::testing
