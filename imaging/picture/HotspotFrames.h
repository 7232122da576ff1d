// The inverted frames that mark hotspots in the picture window, the passes
// that draw, erase and repaint them, and the hover test of mouse moves.
#pragma once

#include "interfaces/QridIMG.h"

// Inverts a rectangle's outline, or the whole rectangle, as a rectangle drawn
// in R2_NOT with a 1-pixel pen and a hollow or a solid brush inverts it; a
// rectangle less than two pixels wide or high is left alone.
void InvertFrame(HDC dc, RECT frame, bool outline);

// Where frames lie against the window rectangles: moved back by the scroll
// offset while zoomed, one pixel right and down over a DRF picture.
POINT FrameOffset(const QORIMG_PICTURE* picture);

// Frames for every slot that is active and selected and has none; 1, or 0
// when the window gives no device context.
int DrawFramesPass(HWND window, QORIMG_PICTURE* picture);
// Removes the frame of every active slot that has one; 1 or 0 as above.
int EraseFramesPass(HWND window, QORIMG_PICTURE* picture);
// Draws the frames that are on the screen again after the picture was
// painted under them, within the update rectangle; the slots keep their state.
void PaintFramesPass(HDC dc, const QORIMG_PICTURE* picture, const RECT& update);

// The slot nearest to the point (moved by offset) whose window rectangle
// holds it, or QORIMG_NO_HOTSPOT; moves the hover frame and the current
// hotspot when the slot under the mouse changes.
LONG HoverTest(HWND window, QORIMG_PICTURE* picture, POINT mouse, POINT offset);
