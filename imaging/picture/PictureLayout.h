// The layout of the picture window: display modes, the fitted TIFF, the
// zoom that a rectangle asks for, and the scroll bars of the zoomed view.
#pragma once

#include "interfaces/QridIMG.h"

// Sizes and modes of the display mode for the window's outer size.
void RecalcLayout(HWND window, QORIMG_PICTURE* picture);

// Turns a pending zoom rectangle (zoom state 2) into the zoomed view; a
// rectangle that the clipping leaves empty stays pending.
void ApplyZoom(QORIMG_PICTURE* picture);

// How far the zoomed view is scrolled, in window pixels: (0, 0) unless zoomed.
POINT ZoomScrollOffset(const QORIMG_PICTURE* picture);

// The TIFF's size fitted into the visible area with its aspect kept.
void FitPicture(QORIMG_PICTURE* picture);

// After the visible area changed: the source that fills it, ranges and
// positions recomputed and set on the window's bars.
void FitScrollBars(HWND window, QORIMG_PICTURE* picture);

// Hides both bars, applies a pending zoom and, in display mode 4, shows both
// with their ranges and positions.
void UpdateBars(HWND window, QORIMG_PICTURE* picture);
