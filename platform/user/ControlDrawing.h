// The drawn parts of controls: 3-D edges and the frame controls (button
// faces, check and radio marks, arrows). A screen backend paints the frame
// controls in the desktop's style through a themed painter; without one the
// layer draws the platform's classic parts.
#pragma once

#include <functional>

#include "win32/GdiTypes.h"

#define BDR_RAISEDOUTER 0x0001
#define BDR_SUNKENOUTER 0x0002
#define BDR_RAISEDINNER 0x0004
#define BDR_SUNKENINNER 0x0008
#define EDGE_RAISED (BDR_RAISEDOUTER | BDR_RAISEDINNER)
#define EDGE_SUNKEN (BDR_SUNKENOUTER | BDR_SUNKENINNER)
#define EDGE_ETCHED (BDR_SUNKENOUTER | BDR_RAISEDINNER)
#define EDGE_BUMP (BDR_RAISEDOUTER | BDR_SUNKENINNER)
#define BF_LEFT 0x0001
#define BF_TOP 0x0002
#define BF_RIGHT 0x0004
#define BF_BOTTOM 0x0008
#define BF_RECT (BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM)
#define BF_MIDDLE 0x0800
#define BF_SOFT 0x1000
#define BF_ADJUST 0x2000
#define BF_FLAT 0x4000
#define BF_MONO 0x8000

#define DFC_CAPTION 1
#define DFC_MENU 2
#define DFC_SCROLL 3
#define DFC_BUTTON 4
#define DFCS_BUTTONCHECK 0x0000
#define DFCS_BUTTONRADIO 0x0004
#define DFCS_BUTTON3STATE 0x0008
#define DFCS_BUTTONPUSH 0x0010
#define DFCS_MENUARROW 0x0000
#define DFCS_MENUCHECK 0x0001
#define DFCS_MENUBULLET 0x0002
#define DFCS_SCROLLUP 0x0000
#define DFCS_SCROLLDOWN 0x0001
#define DFCS_SCROLLLEFT 0x0002
#define DFCS_SCROLLRIGHT 0x0003
#define DFCS_SCROLLCOMBOBOX 0x0005
#define DFCS_INACTIVE 0x0100
#define DFCS_PUSHED 0x0200
#define DFCS_CHECKED 0x0400
#define DFCS_HOT 0x1000
#define DFCS_FLAT 0x4000
#define DFCS_MONO 0x8000

BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags);
BOOL DrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state);

namespace layer {

// Paints a frame control (DFC_* type, DFCS_* state, plus DFCS_HOT and, for
// push buttons, the default and focus marks below) in the desktop's style;
// false leaves it to the classic drawing.
constexpr UINT kThemeDefault = 0x00010000;  // a push button that is the dialog's default
constexpr UINT kThemeFocus = 0x00020000;    // the control has the focus
using ThemedPainter = std::function<bool(HDC dc, const RECT& rect, UINT type, UINT state)>;
void SetThemedPainter(ThemedPainter painter);
// The installed painter's drawing of a part, or false.
bool PaintThemed(HDC dc, const RECT& rect, UINT type, UINT state);

// Text with the platform's mnemonic prefix: "&" underlines the next
// character, "&&" is an ampersand. Drawn with DrawText's format; the
// underline follows the text's own placement (single lines).
void DrawMnemonicText(HDC dc, const char* text, RECT rect, UINT format, bool underline = true);

}  // namespace layer
