// The picture window: painting, scrolling, the zoom rectangle and the mouse,
// driven by the caller's window messages.
#pragma once

#include "interfaces/QridIMG.h"

// Paints the picture and its frames into the given context, or into the
// window's update area when none is given; 1, or 0 without a context.
int PaintPicture(HWND window, QORIMG_PICTURE* picture, HDC dc);
