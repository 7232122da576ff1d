// The table of this process's windows by handle value.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "win32/UserWindow.h"

namespace layer {

class WindowTable {
 public:
  // Gives the window its handle: a 32-bit value, never 0, unique among the user's programs.
  HWND Add(std::shared_ptr<Window> window);
  void Remove(HWND handle);
  std::shared_ptr<Window> Find(HWND handle);
  std::vector<std::shared_ptr<Window>> All();

  // The z-order of the top-level windows, the topmost first. Windows that
  // stay on top (WS_EX_TOPMOST) are kept above all others. A new top-level
  // window goes to the top of its band.
  std::vector<std::shared_ptr<Window>> TopLevel();
  // Moves a top-level window behind insertAfter (a window of its band), or to
  // the top or bottom; HWND_TOPMOST and HWND_NOTOPMOST change its band.
  // True when the order or the band changed.
  bool PlaceTopLevel(HWND handle, HWND insertAfter);

 private:
  static DWORD Key(HWND handle);
  std::mutex m_mutex;
  std::map<DWORD, std::shared_ptr<Window>> m_windows;
  std::vector<std::shared_ptr<Window>> m_order;
  std::vector<std::shared_ptr<Window>> m_zOrder;
};

WindowTable& Windows();

}  // namespace layer
