// Drawing of one hotspot. The platform's device contexts are not there yet:
// until they are, a hotspot is not drawn and its state changes show nothing.
#include "CHotspot.h"

void CHotspot::Redraw(CWnd*, int, int, CPalette*) {}

void CHotspot::SetSelected(BOOL on, CWnd*, int, int) { m_bSelected = on ? TRUE : FALSE; }

void CHotspot::Draw(CDC*, int, int) { m_bRedraw = FALSE; }
