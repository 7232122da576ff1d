// What a screen backend learns about windows and does for the message loop.
// Without a host, windows live only in memory (their canvases still draw),
// which is how the window core is tested.
#pragma once

#include "win32/Surface.h"
#include "win32/Types.h"

namespace layer {

class WindowHost {
 public:
  virtual ~WindowHost() = default;
  virtual void WindowCreated(HWND window) = 0;
  virtual void WindowDestroyed(HWND window) = 0;
  // Visibility, position, size, title or a scroll bar changed.
  virtual void WindowChanged(HWND window) = 0;
  virtual void CursorChanged(HCURSOR cursor) = 0;
  virtual void CaptureChanged(HWND window) = 0;
  virtual SIZE ScreenSize() = 0;
  // Turns waiting input into queued messages; waits up to the given time
  // (0: not at all) when nothing is there. True when something arrived.
  virtual bool ProcessEvents(DWORD waitMilliseconds) = 0;
  // Called from any thread when a message was posted to the host's thread.
  virtual void Wake() = 0;
  // The thread whose loop runs the host's events.
  virtual DWORD ThreadId() = 0;
  // What a top-level window shows now (its canvas with its children's),
  // composed by the window's own thread; called from any thread.
  virtual void Present(HWND window, Surface&& image) {}
};

// Composes the calling thread's top-level windows whose pictures changed
// since they were last presented and hands them to the host. A thread's
// message loop calls it whenever it has nothing else to do.
// A window whose picture changes again within a frame's time is shown again
// once that time is over, so that a program that changes a window at every
// step of a long task does not spend its time showing it.
void PresentWindows();
// Milliseconds until a picture held back by PresentWindows is due (0 when it
// is due now), INFINITE when none is held back.
DWORD MillisecondsToDuePresent();

// The installed host or null. The installer keeps ownership. The screen
// backend, which installs the host, is loaded on the first call: made by
// what brings a window or the screen into play.
WindowHost* CurrentWindowHost();
// The host if one is installed, without loading the backend: for what only
// passes on what happens to windows that exist (or pumps messages, which a
// program without windows does too).
WindowHost* InstalledWindowHost();
// The screen backend installs its host here.
void InstallWindowHost(WindowHost* host);
// A host that stands in front of the screen's (and passes on to it) comes
// first from the two calls above, installed before or after the screen's.
void InstallFrontWindowHost(WindowHost* host);
// The screen's own host: loads the backend on the first call.
WindowHost* ScreenWindowHost();
// The screen's own host if its backend is loaded already, else null.
WindowHost* LoadedScreenWindowHost();

}  // namespace layer
