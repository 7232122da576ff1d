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

 private:
  static DWORD Key(HWND handle);
  std::mutex m_mutex;
  std::map<DWORD, std::shared_ptr<Window>> m_windows;
  std::vector<std::shared_ptr<Window>> m_order;
};

WindowTable& Windows();

}  // namespace layer
