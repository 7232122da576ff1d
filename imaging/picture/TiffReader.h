// Loading a bilevel TIFF file into memory, its first directory, its strips
// and the hotspots of the private tag.
#pragma once

#include "interfaces/QridIMG.h"

#define TIFFTAG_HOTSPOTS 65024

// Loads the file that the record's TIFF file name names and reads its first
// directory; 1 or 0 (last error set).
int OpenTIFF(QORIMG_PICTURE* picture);
void CloseTIFF(QORIMG_PICTURE* picture);

// The whole file as the reader holds it.
struct TiffBytes {
  const BYTE* data = nullptr;
  DWORD size = 0;
};
TiffBytes TiffFileBytes(const QORIMG_PICTURE* picture);

// The coded bytes of the strip that holds the row, checked against the file;
// empty when the row lies in no strip that the file holds. firstRow gets the
// strip's first row either way (the row itself when it lies in no strip).
TiffBytes TiffStripOfRow(const QORIMG_PICTURE* picture, LONG row, LONG* firstRow);
