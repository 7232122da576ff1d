// How a frame shares its client area between its control bars and the rest:
// the ids that place windows in a frame, the class library's own messages,
// and the layout record that passes from bar to bar.
#pragma once

#include "win32/UserTypes.h"

// Control bars have ids in this range; the frame's main pane (its view or
// splitter) is AFX_IDW_PANE_FIRST, the panes of a splitter follow it.
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
#define AFX_IDW_PANE_FIRST 0xE900
#define AFX_IDW_PANE_LAST 0xE9FF
#define AFX_IDW_HSCROLL_FIRST 0xEA00
#define AFX_IDW_VSCROLL_FIRST 0xEA10
#define AFX_IDW_SIZE_BOX 0xEA20

// The status bar's text when no command is being pointed at.
#define AFX_IDS_IDLEMESSAGE 0xE001

// The class library's private messages.
#define WM_SIZEPARENT 0x0361         // lParam: AFX_SIZEPARENTPARAMS*; a bar takes its strip off rect
#define WM_SETMESSAGESTRING 0x0362   // wParam: string id, or lParam: the text itself
#define WM_IDLEUPDATECMDUI 0x0363    // wParam: disable commands without handler
#define WM_INITIALUPDATE 0x0364      // sent to a frame's views before it is first shown
#define WM_RECALCPARENT 0x0368       // a child asks its frame to lay out again

// Moves collected while a layout runs, carried out together at its end so
// that no window shows an in-between state.
struct AFX_DEFERRED_MOVES;

// The record WM_SIZEPARENT hands from bar to bar. A control bar takes its
// place like this: it takes the strip it needs off one side of rect (adding
// to sizeTotal what it needs), and moves itself there with
// AfxRepositionWindow. While hDWP is null the frame only asks how much room
// is left: the bar then changes rect and sizeTotal but moves nothing.
struct AFX_SIZEPARENTPARAMS {
  AFX_DEFERRED_MOVES* hDWP;
  RECT rect;       // what is still free, in the parent's client coordinates
  SIZE sizeTotal;  // what the bars took so far
  BOOL bStretch;   // bars stretch over the whole free width or height
};

// Moves a window to rect (parent's client coordinates) as part of a layout:
// nothing while the layout is only a query, at the layout's end otherwise;
// without a layout, at once.
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* layout, HWND window, LPCRECT rect);
