// What the window, message and paint functions of the layer share among
// themselves (not for the system's code).
#pragma once

#include "win32/UserWindow.h"

namespace layer {

// Gives the calling thread its message queue if it has none yet.
void EnsureQueue();
// Drops the posted messages and timers of a window that is being destroyed.
void ForgetWindowMessages(HWND window);
// WM_ERASEBKGND as the platform's default handler does it: the class brush
// over the client area; 1 when erased.
LRESULT EraseWithClassBrush(Window& window, HDC dc);

// The non-client area (UserNonClient.cpp).
// The thickness of the frame the platform draws around a window of these styles.
int FrameThickness(DWORD style, DWORD exStyle);
// The client area of a window whose rectangle is windowRect (any coordinates),
// as the default handling of WM_NCCALCSIZE computes it.
RECT DefaultClientRect(const Window& window, const RECT& windowRect);
// The parts of the non-client area in the window's own coordinates.
struct NonClientLayout {
  int frame = 0;
  RECT caption{};  // the caption bar, buttons included
  RECT systemMenu{};
  RECT minimize{};
  RECT maximize{};
  RECT close{};
  RECT menuBar{};
  RECT clientEdge{};  // the outer line of the client edge (empty without one)
};
NonClientLayout LayoutNonClient(const Window& window);
// WM_NCHITTEST's default answer for a point on the screen.
LRESULT DefaultHitTest(const Window& window, POINT screen);
// WM_NCPAINT's default: frame, caption, menu bar, client edge and scroll bars.
void PaintNonClient(Window& window);
// Draws only the window's scroll bars (a bar whose state changed).
void PaintScrollBars(Window& window);
// Draws one scroll bar laid out by LayoutScrollBar into a surface.
void DrawScrollBar(Surface& surface, const ScrollBarLayout& layout, bool vertical, const ScrollBarState& state,
                   bool enabled);
// What WM_GETMINMAXINFO starts from before the window is asked.
MINMAXINFO DefaultMinMaxInfo(const Window& window);
// A top-level window with a menu has a menu bar (UserMenuBar.h).
bool HasMenuBar(const Window& window);
// Hands WM_SYSCOMMAND's SC_MOUSEMENU and SC_KEYMENU to the menu code.
void TrackMenu(HWND window, HMENU menu, WPARAM command, LPARAM lParam);

// Modal loops of the default window procedure (UserMoveSize.cpp,
// UserScrollBars.cpp): they hold the mouse until its button comes up, and
// end when they meet WM_QUIT, which they post again for the loop outside.
// Moving or sizing a window with the mouse (SC_MOVE, SC_SIZE + edge).
void RunMoveSizeLoop(HWND window, WPARAM command, POINT screen);
// A caption button held down; its command follows when it is let go over it.
void TrackCaptionButton(HWND window, int hit, POINT screen);
// A window scroll bar (SB_HORZ, SB_VERT) or a scroll-bar control (SB_CTL)
// held down at a point: arrows and track repeat on the clock, the thumb follows.
void TrackScrollBar(HWND window, int bar, POINT screen);

// Windows (UserWindows.cpp).
// The top-level window a window belongs to.
HWND TopLevelOf(HWND window);
// Tells the screen backend that a window changed.
void NotifyHost(HWND window);
// WM_PARENTNOTIFY to the ancestors of a child window, as far as none of them
// refuses it (WS_EX_NOPARENTNOTIFY): for creation and destruction lParam is
// the child; for a mouse press it is the point in each ancestor's client area.
void NotifyParents(HWND child, UINT event, POINT screen);
// The messages a window hears when its client area may have changed size
// or place (after WM_WINDOWPOSCHANGED and when first shown).
LPARAM ClientSizeParam(const Window& window);
LPARAM ClientOriginParam(const Window& window);
WPARAM SizeKind(const Window& window);

// Showing, placing and z-order (UserPosition.cpp).
// The window procedure asked for WM_GETMINMAXINFO.
MINMAXINFO QueryMinMaxInfo(HWND window);
// A window created minimised or maximised takes that state without being shown.
void ApplyInitialState(HWND window, int command);
// The client area is computed again (WM_NCCALCSIZE) after a change of the
// frame, the menu or the scroll bars; WM_SIZE follows when it changed.
void RecalcFrame(HWND window);
// The undocumented flags the platform sets in WINDOWPOS.flags.
constexpr UINT kSwpNoClientSize = 0x0800;
constexpr UINT kSwpNoClientMove = 0x1000;
constexpr UINT kSwpStateChanged = 0x8000;

// Focus, activation and capture (UserActivation.cpp). Focus and the active
// window belong to a thread; the foreground window, the capture and the
// cursor to the program.
// Activates a top-level window of the calling thread (null deactivates), as
// a click (WA_CLICKACTIVE) or not; false when the window refused or vanished.
bool ActivateWindow(HWND window, bool byMouse);
// After the active window was hidden or destroyed: activates the window
// that takes its place (its owner, else the topmost other one), or none.
void ActivateOtherWindow(HWND window);
// Forgets focus, activation and capture that a window being destroyed held.
void ForgetInputOf(HWND window);
// The window with the keyboard focus in the thread of the foreground window.
HWND ForegroundFocus();
// The window that has the mouse captured, whichever thread it belongs to.
HWND CaptureWindow();
// Posted to a window of another thread to have its thread activate it
// (wParam TRUE) or let it go (wParam FALSE); the queue handles it itself.
constexpr UINT kActivationRequest = 0x0060;
// Sent to a window of another thread so that its own thread shows it
// (wParam the command) or places it (lParam a WINDOWPOS).
constexpr UINT kShowRequest = 0x0061;
constexpr UINT kPositionRequest = 0x0062;
// True for the layer's own messages above, which never reach a window procedure.
constexpr bool IsInternalMessage(UINT message) {
  return message == kActivationRequest || message == kShowRequest || message == kPositionRequest;
}
// What the window's thread does with them.
LRESULT HandleInternalMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Input from the screen (UserInput.cpp). A thread's queue keeps it apart
// from posted messages and turns it into the message the thread reads only
// when the thread reads it, as the platform does: mouse input through hit
// testing (WM_NCHITTEST), WM_PARENTNOTIFY and activation on a press
// (WM_MOUSEACTIVATE), then WM_SETCURSOR; keys to the window with the focus.
constexpr UINT kMouseInput = 0x0063;
constexpr UINT kKeyInput = 0x0064;
enum class InputOutcome {
  kDeliver,    // out holds the message
  kDrop,       // nobody takes it (or the window ate the press)
  kElsewhere,  // it belongs to another thread's window now: queued there
};
// With remove false only the message is worked out (WM_NCHITTEST still goes
// out, as on the platform), nothing else happens and the input stays queued.
InputOutcome ConvertInput(const MSG& raw, bool remove, MSG* out);
// Queues raw input for a thread; false when the thread has no queue or it is full.
bool QueueInput(DWORD threadId, const MSG& raw);

}  // namespace layer
