// The window table that binds picture records to the callers' windows, and the
// record's reset and release.
#pragma once

#include <vector>

#include "interfaces/QridIMG.h"

// The record bound to the window, made when the window has none; null when the
// table is full (error 20) or no memory is left.
QORIMG_PICTURE* BindPicture(HWND window);

// The picture itself when a window-table entry holds it, else null: handles
// that the library did not give out are refused like null ones.
QORIMG_PICTURE* KnownPicture(QORIMG_PICTURE* picture);

// How most exported functions begin: the last error cleared and the handle
// checked (null when the library does not know it).
QORIMG_PICTURE* StartCall(QORIMG_PICTURE* picture);

// The windows whose entries hold the picture, in table order.
std::vector<HWND> WindowsOfPicture(const QORIMG_PICTURE* picture);

// Back to the state of a fresh load; frees every block the reset clears.
void ResetPicture(QORIMG_PICTURE* picture);

// Frees the pixel blocks, stripes, TIFF data and palette that the record holds.
void FreePictureData(QORIMG_PICTURE* picture);

// Number of window-table entries used so far (it never decreases).
int PictureTableCount();

// Two 32-bit values in one result: the first in the low half.
LONGLONG PackPair(LONG first, LONG second);
