// Painting a DRF picture into a window's device context, stripe by stripe.
#pragma once

#include "interfaces/QridIMG.h"

// Fills the update rectangle with the background, then draws the picture at
// the DRF hotspot offset plus the zoom start; each stripe is freed once drawn.
// 1, or 0 when there is nothing to paint or a step failed.
int PaintDRFPicture(HWND window, QORIMG_PICTURE* picture, HDC dc, const RECT& update);
