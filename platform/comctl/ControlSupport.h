// What the common controls share: telling the parent, measuring texts in a
// control's font, copying texts into callers' buffers and keeping a state
// record per window.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "comctl/CommCtrl.h"
#include "win32/Gdi.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace layer::comctl {

// Sends WM_NOTIFY with the record (whose NMHDR comes first) to the window's
// parent, filling in the sender; 0 when there is no parent.
LRESULT NotifyParent(HWND window, UINT code, NMHDR* header);

HFONT FontOr(HFONT font);  // the control's font, or the dialog font
int TextWidth(HDC dc, const std::string& text);
int FontHeight(HDC dc);

// A header item record that carries only a width.
inline HDITEMA WidthItem(int width) {
  HDITEMA item{};
  item.mask = HDI_WIDTH;
  item.cxy = width;
  return item;
}

// Copies as much of text as fits with its NUL; returns the bytes copied.
int CopyText(const std::string& text, LPSTR buffer, int size);

// Runs measure with a device context of the window that has the font selected.
template <typename Measure>
auto WithFont(HWND window, HFONT font, Measure measure) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, FontOr(font));
  auto result = measure(dc);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return result;
}

// A record of State per window, made at WM_NCCREATE and gone after WM_NCDESTROY.
template <typename State>
class StateTable {
 public:
  State* Make(HWND window) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto& slot = m_states[window];
    slot = std::make_unique<State>();
    return slot.get();
  }
  State* Find(HWND window) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_states.find(window);
    return found == m_states.end() ? nullptr : found->second.get();
  }
  void Forget(HWND window) {
    std::unique_ptr<State> gone;
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_states.find(window);
    if (found == m_states.end()) return;
    gone = std::move(found->second);
    m_states.erase(found);
  }

 private:
  std::mutex m_mutex;
  std::map<HWND, std::unique_ptr<State>> m_states;
};

// The procedure of a control whose state lives in a StateTable: Handle runs
// with the window's state for every message between creation and destruction.
template <typename State, LRESULT (*Handle)(HWND, State&, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK StateProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static auto* table = new StateTable<State>;
  if (message == WM_NCCREATE) table->Make(window);
  State* state = table->Find(window);
  if (message == WM_NCDESTROY) {
    LRESULT result = DefWindowProc(window, message, wParam, lParam);
    table->Forget(window);
    return result;
  }
  return state ? Handle(window, *state, message, wParam, lParam) : DefWindowProc(window, message, wParam, lParam);
}

void RegisterHeaderClass();
void RegisterListViewClass();
void RegisterToolTipClass();
void RegisterToolbarClass();
void RegisterStatusBarClass();

}  // namespace layer::comctl
