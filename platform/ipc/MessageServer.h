// The listening side: requests of other programs for this program's windows
// are read on threads of the listener and handed to the window core through
// LocalWindows, whose Send runs the window procedure on the window's own
// thread and returns its result. A WM_COPYDATA block arrives in a buffer of
// the listener that lives while the receiver handles the message.
#pragma once

#include <string>

#include "win32/Types.h"

namespace layer::ipc {

class LocalWindows {
 public:
  virtual ~LocalWindows() = default;
  // A window of this program that others may reach.
  virtual bool Owns(HWND window) = 0;
  virtual BOOL Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  virtual LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  virtual BOOL Show(HWND window, int command) = 0;
  virtual BOOL Enable(HWND window, BOOL enable) = 0;
  virtual BOOL BringToFront(HWND window) = 0;
  // What the window shows of itself (WindowDescription.h), made on its own thread.
  virtual std::string Describe(HWND) { return {}; }
};

// Starts this program's listener (once; later calls change nothing). The
// windows object must live as long as the program. False when no listener
// could be made.
bool StartListening(LocalWindows& windows);

// A program is hung for others when a message sent to it has been waiting
// for its answer longer than this (VARNO_HUNG_MS, else 5000 ms).
DWORD HungAfterMilliseconds();

}  // namespace layer::ipc
